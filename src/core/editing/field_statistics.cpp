// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/field_statistics.h"

#include "core/model/database.h"
#include "core/model/date_time_reader.h"
#include "core/model/field_type.h"
#include "core/model/regional.h"

#include <optional>

namespace kribed {

namespace {

int filledCount(const Database &database, int field)
{
    int filled = 0;
    for (const Database::Record &record : database.records())
        filled += record.view(field - 1).isEmpty() ? 0 : 1;
    return filled;
}

// Counts the cells `read` takes and keeps the smallest and the largest value it gave.
template<typename Value, typename Read>
int readExtremes(const Database &database, int field, Read read, Value &earliest, Value &latest)
{
    int readable = 0;
    for (const Database::Record &record : database.records()) {
        const std::optional<Value> value = read(record.view(field - 1));
        if (!value)
            continue;
        if (readable++ == 0 || *value < earliest)
            earliest = *value;
        if (readable == 1 || *value > latest)
            latest = *value;
    }
    return readable;
}

} // namespace

NumberTotals numberTotals(const Database &database, int field, const Regional &regional)
{
    NumberTotals totals;
    for (const Database::Record &record : database.records()) {
        if (const std::optional<long double> number = regional.readNumber(record.view(field - 1))) {
            totals.total += *number;
            ++totals.numbers;
        }
    }
    return totals;
}

int checkedCount(const Database &database, int field)
{
    int checked = 0;
    for (const Database::Record &record : database.records())
        checked += record.view(field - 1) != "0" ? 1 : 0;
    return checked;
}

FieldKind fieldKind(int typeIndex)
{
    if (typeIndex == BooleanType)
        return FieldKind::Boolean;
    if (isNumberType(typeIndex))
        return FieldKind::Number;
    if (isDateType(typeIndex))
        return FieldKind::Date;
    if (isTimeType(typeIndex))
        return FieldKind::Time;
    return FieldKind::Text;
}

FieldStatistics fieldStatistics(const Database &database, int field, const Regional &regional)
{
    FieldStatistics statistics;
    statistics.kind = fieldKind(database.fieldType(field));
    statistics.filled = filledCount(database, field);
    const DateTimeReader dates(regional);
    switch (statistics.kind) {
    case FieldKind::Text: break;
    case FieldKind::Boolean:
        statistics.checked = checkedCount(database, field);
        statistics.unchecked = database.recordCount() - statistics.checked;
        break;
    case FieldKind::Number:
        statistics.numberTotals = numberTotals(database, field, regional);
        break;
    case FieldKind::Date:
        statistics.readable = readExtremes<QDate>(
            database, field, [&dates](QByteArrayView text) { return dates.readDate(text); },
            statistics.earliestDate, statistics.latestDate);
        break;
    case FieldKind::Time:
        statistics.readable = readExtremes<QTime>(
            database, field, [&dates](QByteArrayView text) { return dates.readTime(text); },
            statistics.earliestTime, statistics.latestTime);
        break;
    }
    return statistics;
}

} // namespace kribed
