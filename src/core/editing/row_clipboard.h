// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/editing/edit_result.h"
#include "core/model/limits.h"

#include <QByteArray>

#include <array>

namespace kribed {

class Database;
class Prompter;

// The program's own row buffer, one text slot per field position 1..50, apart from the system
// clipboard. Once Cut row or Copy row filled it, both Paste row entries are enabled until it is
// cleared.
class RowClipboard
{
public:
    const QByteArray &slot(int field) const { return mSlots[field - 1]; }
    bool isFilled() const { return mFilled; }
    // Whether the "Paste row" entries of the main menu and the pop-up menu are enabled.
    bool pasteRowEnabled() const { return mFilled; }

    // Takes the record's texts; the slots after the last field are emptied.
    void fill(const Database &database, int record);
    void clear();

private:
    std::array<QByteArray, MaxFields> mSlots;
    bool mFilled = false;
};

// Empties all 50 slots and disables both Paste row entries.
void clearRowClipboard(RowClipboard &clipboard);

// The record's texts go into the buffer and the database counts as changed. Cut asks first
// (unless in expert mode) and then empties the record's cells; the record stays in place.
EditResult cutRow(Database &database, RowClipboard &clipboard, int record, Prompter &prompter,
                  bool expertMode);
EditResult copyRow(Database &database, RowClipboard &clipboard, int record);

// Overwrites the record's cells with the buffer's slots after asking (unless in expert mode). The
// buffer keeps its texts. Refused without a question while the buffer is not filled.
EditResult pasteRow(Database &database, const RowClipboard &clipboard, int record,
                    Prompter &prompter, bool expertMode);

} // namespace kribed
