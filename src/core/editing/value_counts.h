// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QByteArray>
#include <QVector>

namespace kribed {

class Database;
class Regional;

// One distinct text of a field and how many of the counted records hold it. The empty text is a
// value of its own.
struct ValueCount
{
    QByteArray text;
    int count = 0;

    bool operator==(const ValueCount &other) const
    {
        return count == other.count && text == other.text;
    }
};

enum class ValueOrder {
    ByCount, // most frequent first; equal counts in the regional order of their texts
    ByText,  // the regional order of the texts, the empty text first
    // Numbers, dates and times by what they read as in the regional formats (texts that do not
    // read follow, by text); the other types as ByText. The empty text first.
    ByValue,
};

// The records a count runs over: those not hidden by the record filter, or every record.
enum class CountedRecords { Shown, All };

// The distinct texts of `field` (1-based) over the records, with their counts. The field
// profile and the column filters' value lists both count with this.
QVector<ValueCount> valueCounts(const Database &database, int field, CountedRecords records,
                                const Regional &regional, ValueOrder order = ValueOrder::ByCount);

// The same over the given record numbers (1-based), for a count over records another filter
// leaves; numbers out of range are skipped.
QVector<ValueCount> valueCounts(const Database &database, int field, const QVector<int> &records,
                                const Regional &regional, ValueOrder order = ValueOrder::ByCount);

} // namespace kribed
