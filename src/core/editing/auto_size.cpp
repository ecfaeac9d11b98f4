// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/auto_size.h"

#include "core/model/database.h"

#include <algorithm>

namespace kribed {

void AutoWidths::RemoveSlot(int field)
{
    if (field < 1 || field > MaxFields)
        return;
    std::move(mSaved.begin() + field, mSaved.end(), mSaved.begin() + field - 1);
    mSaved.back() = 0;
}

void AutoWidths::MoveSlot(int from, int to)
{
    if (from < 1 || to < 1 || from > MaxFields || to > MaxFields || from == to)
        return;
    const auto first = mSaved.begin() + std::min(from, to) - 1;
    const auto last = mSaved.begin() + std::max(from, to);
    if (from < to)
        std::rotate(first, first + 1, last);
    else
        std::rotate(first, last - 1, last);
}

QByteArrayView FirstLine(QByteArrayView text)
{
    const qsizetype end = text.indexOf('\r');
    return end < 0 ? text : text.first(end);
}

TextWidthMeasure ByteWidthMeasure(const ByteWidths &widths)
{
    return [widths](QByteArrayView text) {
        int width = 0;
        for (const char byte : text)
            width += widths[quint8(byte)];
        return width;
    };
}

namespace {

int WidestFirstLine(const Database &database, int field, const TextWidthMeasure &measure)
{
    int widest = 0;
    const auto consider = [&](QByteArrayView text) {
        const QByteArrayView line = FirstLine(text);
        if (!line.isEmpty())
            widest = std::max(widest, measure(line));
    };
    consider(database.FieldName(field));
    for (const Database::Record &record : database.Records())
        consider(record[field - 1]);
    return widest;
}

} // namespace

int AutoColumnWidth(const Database &database, int field, const TextWidthMeasure &measure)
{
    return std::min(WidestFirstLine(database, field, measure) + AutoColumnMargin,
                    MaxAutoColumnWidth);
}

void AutoSizeColumns(Database &database, AutoWidths &autoWidths, bool on,
                     const TextWidthMeasure &measure)
{
    if (on) {
        for (int field = 1; field <= database.FieldCount(); ++field) {
            autoWidths.mSaved[field - 1] = database.ColumnWidth(field);
            database.SetColumnWidth(field, AutoColumnWidth(database, field, measure));
        }
    } else if (autoWidths.mOn) {
        for (int field = 1; field <= database.FieldCount(); ++field)
            database.SetColumnWidth(field, autoWidths.mSaved[field - 1]);
    }
    autoWidths.mOn = on;
}

} // namespace kribed
