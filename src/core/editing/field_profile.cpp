// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/field_profile.h"

#include "core/model/database.h"
#include "core/model/date_time_reader.h"
#include "core/model/regional.h"

#include <QHash>

#include <algorithm>
#include <cmath>

namespace kribed {

namespace {

// What one distinct text reads as; read once, however many cells hold it.
struct Reading
{
    bool reads = true; // as the field's type (an empty text always does)
    std::optional<long double> number;
    std::optional<QDate> date;
    std::optional<QTime> time;
};

Reading readText(QByteArrayView text, FieldKind kind, const Regional &regional,
                 const DateTimeReader &dates)
{
    Reading reading;
    switch (kind) {
    case FieldKind::Text: break;
    case FieldKind::Boolean: reading.reads = text.isEmpty() || text == "1" || text == "0"; break;
    case FieldKind::Number:
        reading.number = regional.readNumber(text);
        reading.reads = text.isEmpty() || (reading.number && std::isfinite(*reading.number));
        break;
    case FieldKind::Date:
        reading.date = dates.readDate(text);
        reading.reads = text.isEmpty() || reading.date.has_value();
        break;
    case FieldKind::Time:
        reading.time = dates.readTime(text);
        reading.reads = text.isEmpty() || reading.time.has_value();
        break;
    }
    return reading;
}

template<typename Value>
void takeExtreme(const std::optional<Value> &value, int &readable, Value &earliest, Value &latest)
{
    if (!value)
        return;
    if (readable++ == 0 || *value < earliest)
        earliest = *value;
    if (readable == 1 || *value > latest)
        latest = *value;
}

// The cell's share of the statistics, as fieldStatistics counts it; the number total is summed
// in record order, so the total is the same to the last digit.
void count(FieldStatistics &statistics, QByteArrayView text, const Reading &reading)
{
    statistics.filled += text.isEmpty() ? 0 : 1;
    statistics.checked += statistics.kind == FieldKind::Boolean && text != "0" ? 1 : 0;
    if (reading.number) {
        statistics.numberTotals.total += *reading.number;
        ++statistics.numberTotals.numbers;
    }
    takeExtreme(reading.date, statistics.readable, statistics.earliestDate, statistics.latestDate);
    takeExtreme(reading.time, statistics.readable, statistics.earliestTime, statistics.latestTime);
}

// One pass over the field's cells: the statistics, and the distinct texts with their counts
// (in no order) and readings. Hashing each cell once; a text is copied and read once per
// distinct value.
struct Pass
{
    FieldStatistics statistics;
    QVector<ValueCount> counts;
    QVector<Reading> readings;
};

Pass readField(const Database &database, int field, const Regional &regional)
{
    Pass pass;
    pass.statistics.kind = fieldKind(database.fieldType(field));
    const DateTimeReader dates(regional);
    QHash<QByteArray, int> index;
    for (const Database::Record &record : database.records()) {
        const QByteArrayView text = record.view(field - 1);
        const auto found = index.constFind(QByteArray::fromRawData(text.data(), text.size()));
        int at = found != index.constEnd() ? *found : -1;
        if (at < 0) {
            at = int(pass.counts.size());
            index.insert(text.toByteArray(), at);
            pass.counts.append(ValueCount{text.toByteArray(), 0});
            pass.readings.append(readText(text, pass.statistics.kind, regional, dates));
        }
        ++pass.counts[at].count;
        count(pass.statistics, text, pass.readings.at(at));
    }
    if (pass.statistics.kind == FieldKind::Boolean)
        pass.statistics.unchecked = database.recordCount() - pass.statistics.checked;
    return pass;
}

// The `limit` most frequent, in the order of valueCounts (most frequent first, equal counts in
// the regional order). Only those are put in the regional order: a field of thousands of
// distinct texts is not sorted by the collator whole. Where equal counts straddle the limit,
// the texts first in byte order are the ones kept.
QVector<ValueCount> mostFrequent(QVector<ValueCount> counts, int limit, const Regional &regional)
{
    const auto byCount = [](const ValueCount &a, const ValueCount &b) {
        return a.count != b.count ? a.count > b.count : a.text < b.text;
    };
    if (counts.size() > limit) {
        std::nth_element(counts.begin(), counts.begin() + limit, counts.end(), byCount);
        counts.resize(limit);
    }
    std::sort(counts.begin(), counts.end(), [&regional](const ValueCount &a, const ValueCount &b) {
        if (a.count != b.count)
            return a.count > b.count;
        if (a.text.isEmpty() != b.text.isEmpty())
            return a.text.isEmpty();
        const int compared = regional.compare(a.text, b.text);
        return compared != 0 ? compared < 0 : a.text < b.text;
    });
    return counts;
}

} // namespace

FieldProfile fieldProfile(const Database &database, int field, const Regional &regional, int limit)
{
    FieldProfile profile;
    if (field < 1 || field > database.fieldCount())
        return profile;
    const Pass pass = readField(database, field, regional);
    profile.statistics = pass.statistics;
    profile.empty = database.recordCount() - profile.statistics.filled;
    profile.distinct = int(pass.counts.size());
    const bool number = profile.statistics.kind == FieldKind::Number;
    QVector<ValueCount> unreadable;
    for (qsizetype i = 0; i < pass.counts.size(); ++i) {
        const ValueCount &value = pass.counts.at(i);
        const Reading &reading = pass.readings.at(i);
        if (!reading.reads) {
            profile.unreadable += value.count;
            unreadable.append(value);
            continue;
        }
        if (!number || value.text.isEmpty() || !reading.number)
            continue;
        if (!profile.minimum || *reading.number < *profile.minimum)
            profile.minimum = reading.number;
        if (!profile.maximum || *reading.number > *profile.maximum)
            profile.maximum = reading.number;
    }
    profile.mostFrequent = mostFrequent(pass.counts, limit, regional);
    profile.unreadableValues = mostFrequent(unreadable, limit, regional);
    return profile;
}

} // namespace kribed
