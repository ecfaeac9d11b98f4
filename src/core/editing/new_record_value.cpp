// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/new_record_value.h"

#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/regional.h"

#include <limits>

namespace kribed {

qint64 leadingInteger(QByteArrayView text)
{
    qsizetype at = 0;
    while (at < text.size() && text[at] == ' ')
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        negative = text[at] == '-';
        ++at;
    }
    // Up to 18 digits cannot leave the range: read them without the checks.
    qsizetype end = at;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9')
        ++end;
    if (end - at <= 18) {
        qint64 value = 0;
        for (; at < end; ++at)
            value = value * 10 + (text[at] - '0');
        return negative ? -value : value;
    }
    // Accumulated towards the sign's side so that the most negative value reads too.
    constexpr qint64 Highest = std::numeric_limits<qint64>::max();
    constexpr qint64 Lowest = std::numeric_limits<qint64>::min();
    qint64 value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        const int digit = text[at] - '0';
        if (negative) {
            if (value < (Lowest + digit) / 10)
                break;
            value = value * 10 - digit;
        } else {
            if (value > (Highest - digit) / 10)
                break;
            value = value * 10 + digit;
        }
    }
    return value;
}

qint64 largestInteger(const Database &database, int field)
{
    if (database.recordCount() == 0)
        return 0;
    qint64 largest = leadingInteger(database.cellView(field, 1));
    for (int record = 2; record <= database.recordCount(); ++record)
        largest = std::max(largest, leadingInteger(database.cellView(field, record)));
    return largest;
}

namespace {

// The sum stays at the end of the range instead of wrapping round to a negative number.
qint64 saturatedSum(qint64 value, qint64 amount)
{
    if (amount > 0 && value > std::numeric_limits<qint64>::max() - amount)
        return std::numeric_limits<qint64>::max();
    if (amount < 0 && value < std::numeric_limits<qint64>::min() - amount)
        return std::numeric_limits<qint64>::min();
    return value + amount;
}

} // namespace

QByteArray newRecordValue(const Database &database, int field, const QDateTime &now,
                          const Regional &regional)
{
    switch (database.fieldType(field)) {
    case CreationDateType: return regional.dateText(now.date());
    case CreationTimeType: return regional.timeText(now.time());
    case AutoIncrementIntegerType:
        return QByteArray::number(
            saturatedSum(largestInteger(database, field), database.incrementAmount()));
    default: return QByteArray();
    }
}

QVector<QByteArray> newRecordValues(const Database &database, const QDateTime &now,
                                    const Regional &regional)
{
    QVector<QByteArray> values(database.fieldCount());
    QVector<int> autoFields;
    for (int field = 1; field <= database.fieldCount(); ++field) {
        if (database.fieldType(field) == AutoIncrementIntegerType)
            autoFields << field;
        else
            values[field - 1] = newRecordValue(database, field, now, regional);
    }
    if (autoFields.isEmpty() || database.recordCount() == 0) {
        for (const int field : autoFields)
            values[field - 1] = newRecordValue(database, field, now, regional);
        return values;
    }
    // Row by row, so that each record is visited once however many such fields there are.
    QVector<qint64> largest(autoFields.size(), std::numeric_limits<qint64>::min());
    for (const Database::Record &record : database.records()) {
        for (qsizetype at = 0; at < autoFields.size(); ++at)
            largest[at] = std::max(largest[at], leadingInteger(record.view(autoFields[at] - 1)));
    }
    for (qsizetype at = 0; at < autoFields.size(); ++at) {
        values[autoFields[at] - 1] =
            QByteArray::number(saturatedSum(largest[at], database.incrementAmount()));
    }
    return values;
}

} // namespace kribed
