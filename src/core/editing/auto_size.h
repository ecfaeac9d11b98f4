// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/model/limits.h"

#include <QByteArrayView>

#include <array>
#include <functional>

namespace kribed {

class Database;

// The widest a column becomes by automatic sizing, and the room added to the widest text.
constexpr int MaxAutoColumnWidth = 300;
constexpr int AutoColumnMargin = 5;

// The automatic-widths state of the open database and the widths it restores when switched off.
class AutoWidths
{
public:
    bool isOn() const { return mOn; }
    int savedWidth(int field) const { return mSaved[field - 1]; }

    // A newly opened database starts with automatic widths off, no width restored.
    void resetWithoutRestoring() { mOn = false; }

    // A deleted column's remembered width leaves with it; those after it move one slot left.
    void removeSlot(int field);
    // A dragged column's remembered width moves with it.
    void moveSlot(int from, int to);

    bool operator==(const AutoWidths &other) const
    {
        return mOn == other.mOn && mSaved == other.mSaved;
    }

private:
    friend void autoSizeColumns(Database &, AutoWidths &, bool,
                                const std::function<int(QByteArrayView)> &);
    bool mOn = false;
    std::array<int, MaxFields> mSaved{};
};

// The width of a text's first line (up to its first carriage return) in the display font.
using TextWidthMeasure = std::function<int(QByteArrayView)>;

// A text's width as the sum of its bytes' advances, for single-byte code pages, where a text is as
// wide as its characters side by side. Measuring half a million cells this way takes milliseconds.
using ByteWidths = std::array<int, 256>;
TextWidthMeasure byteWidthMeasure(const ByteWidths &widths);

// The automatic width of one column: its widest first line (field name and hidden rows
// included) plus 5 pixels, at most 300 pixels.
int autoColumnWidth(const Database &database, int field, const TextWidthMeasure &measure);

// On: every column's width is remembered, then set to its widest first line (field name and
// hidden rows included) plus 5 pixels, at most 300 pixels. Off: the remembered widths come back
// if the state was on; otherwise no width changes. The state becomes the argument either way.
void autoSizeColumns(Database &database, AutoWidths &autoWidths, bool on,
                     const TextWidthMeasure &measure);

// The first line of a cell text: everything before its first carriage return.
QByteArrayView firstLine(QByteArrayView text);

} // namespace kribed
