// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QDate>
#include <QTime>

namespace kribed {

class Database;
class Regional;

// What a field's cells hold, over all records (hidden ones included), read the way the column
// hints read them. The header hints and `kribed-cli info` both count with these.

// The cells of a number column that read as numbers, and their total.
struct NumberTotals
{
    int numbers = 0;
    long double total = 0;
    long double average() const { return numbers > 0 ? total / numbers : 0; }
};
NumberTotals numberTotals(const Database &database, int field, const Regional &regional);

// The checked cells of a Boolean column: anything but "0", an empty cell included.
int checkedCount(const Database &database, int field);

// Which statistics a field's type gives.
enum class FieldKind { Text, Boolean, Number, Date, Time };
FieldKind fieldKind(int typeIndex);

// A whole field: its filled cells and what its kind counts. Date and time fields count the cells
// that read as a date or time and give the earliest and the latest of them (invalid when none).
struct FieldStatistics
{
    FieldKind kind = FieldKind::Text;
    int filled = 0;            // cells with a text
    int checked = 0;           // Boolean
    int unchecked = 0;         // Boolean
    NumberTotals numberTotals; // Number
    int readable = 0;          // Date, Time: cells that read as one
    QDate earliestDate, latestDate;
    QTime earliestTime, latestTime;
};
FieldStatistics fieldStatistics(const Database &database, int field, const Regional &regional);

} // namespace kribed
