// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/auto_size.h"

#include "core/model/database.h"

#include <algorithm>

namespace kribed {

void AutoWidths::removeSlot(int field)
{
    if (field < 1 || field > MaxFields)
        return;
    std::move(mSaved.begin() + field, mSaved.end(), mSaved.begin() + field - 1);
    mSaved.back() = 0;
}

void AutoWidths::moveSlot(int from, int to)
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

QByteArrayView firstLine(QByteArrayView text)
{
    const qsizetype end = text.indexOf('\r');
    return end < 0 ? text : text.first(end);
}

TextWidthMeasure byteWidthMeasure(const ByteWidths &widths)
{
    return [widths](QByteArrayView text) {
        int width = 0;
        for (const char byte : text)
            width += widths[quint8(byte)];
        return width;
    };
}

namespace {

// The widest first line of the column, measured only until a line reaches `enough`: a column
// never grows past its largest automatic width, so the lines after that cannot change it.
int widestFirstLine(const Database &database, int field, const TextWidthMeasure &measure,
                    int enough)
{
    int widest = 0;
    const auto consider = [&](QByteArrayView text) {
        const QByteArrayView line = firstLine(text);
        if (!line.isEmpty())
            widest = std::max(widest, measure(line));
        return widest >= enough;
    };
    if (consider(database.fieldName(field)))
        return widest;
    for (const Database::Record &record : database.records()) {
        if (consider(record.view(field - 1)))
            break;
    }
    return widest;
}

} // namespace

int autoColumnWidth(const Database &database, int field, const TextWidthMeasure &measure)
{
    const int widest =
        widestFirstLine(database, field, measure, MaxAutoColumnWidth - AutoColumnMargin);
    return std::min(widest + AutoColumnMargin, MaxAutoColumnWidth);
}

void autoSizeColumns(Database &database, AutoWidths &autoWidths, bool on,
                     const TextWidthMeasure &measure)
{
    if (on) {
        for (int field = 1; field <= database.fieldCount(); ++field) {
            autoWidths.mSaved[field - 1] = database.columnWidth(field);
            database.setColumnWidth(field, autoColumnWidth(database, field, measure));
        }
    } else if (autoWidths.mOn) {
        for (int field = 1; field <= database.fieldCount(); ++field)
            database.setColumnWidth(field, autoWidths.mSaved[field - 1]);
    }
    autoWidths.mOn = on;
}

} // namespace kribed
