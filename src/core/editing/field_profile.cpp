// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/field_profile.h"

#include "core/model/database.h"
#include "core/model/date_time_reader.h"
#include "core/model/regional.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace kribed {

namespace {

// What one distinct text reads as; read once, however many cells hold it.
// Kept small: a field of 9999 distinct texts holds 9999 of them.
struct Reading
{
    long double number = 0; // when hasNumber
    qint64 moment = 0;      // a date's Julian day or a time's milliseconds, when hasMoment
    bool reads = true;      // as the field's type (an empty text always does)
    bool hasNumber = false;
    bool hasMoment = false;
};

Reading readText(QByteArrayView text, FieldKind kind, const Regional &regional,
                 const DateTimeReader &dates)
{
    Reading reading;
    switch (kind) {
    case FieldKind::Text: break;
    case FieldKind::Boolean: reading.reads = text.isEmpty() || text == "1" || text == "0"; break;
    case FieldKind::Number:
        if (const std::optional<long double> number = regional.readNumber(text)) {
            reading.number = *number;
            reading.hasNumber = true;
        }
        reading.reads = text.isEmpty() || (reading.hasNumber && std::isfinite(reading.number));
        break;
    case FieldKind::Date:
        if (const std::optional<QDate> date = dates.readDate(text)) {
            reading.moment = date->toJulianDay();
            reading.hasMoment = true;
        }
        reading.reads = text.isEmpty() || reading.hasMoment;
        break;
    case FieldKind::Time:
        if (const std::optional<QTime> time = dates.readTime(text)) {
            reading.moment = time->msecsSinceStartOfDay();
            reading.hasMoment = true;
        }
        reading.reads = text.isEmpty() || reading.hasMoment;
        break;
    }
    return reading;
}

template<typename Value>
void takeExtreme(const Value &value, int &readable, Value &earliest, Value &latest)
{
    if (readable++ == 0 || value < earliest)
        earliest = value;
    if (readable == 1 || value > latest)
        latest = value;
}

// The cell's share of the statistics, as fieldStatistics counts it; the number total is summed
// in record order, so the total is the same to the last digit.
void count(FieldStatistics &statistics, QByteArrayView text, const Reading &reading)
{
    statistics.filled += text.isEmpty() ? 0 : 1;
    statistics.checked += statistics.kind == FieldKind::Boolean && text != "0" ? 1 : 0;
    if (reading.hasNumber) {
        statistics.numberTotals.total += reading.number;
        ++statistics.numberTotals.numbers;
    }
    if (!reading.hasMoment)
        return;
    if (statistics.kind == FieldKind::Date)
        takeExtreme(QDate::fromJulianDay(reading.moment), statistics.readable,
                    statistics.earliestDate, statistics.latestDate);
    else
        takeExtreme(QTime::fromMSecsSinceStartOfDay(int(reading.moment)), statistics.readable,
                    statistics.earliestTime, statistics.latestTime);
}

// A distinct text of the field, where a record holds it, with its count and its reading.
struct Distinct
{
    QByteArrayView text;
    quint64 hash = 0;
    int count = 0;
    Reading reading;
};

// QByteArray's order: bytes unsigned, a text before the longer ones it begins.
bool bytesBefore(QByteArrayView a, QByteArrayView b)
{
    const qsizetype common = std::min(a.size(), b.size());
    const int compared = common > 0 ? std::memcmp(a.data(), b.data(), size_t(common)) : 0;
    return compared != 0 ? compared < 0 : a.size() < b.size();
}

// Eight bytes a step, mixed by multiplication; the last mix spreads the high bits over the low
// ones the table's slots are taken from.
quint64 hashOf(QByteArrayView text)
{
    constexpr quint64 Multiplier = 0x9E3779B97F4A7C15ULL;
    quint64 hash = quint64(text.size()) * Multiplier;
    qsizetype at = 0;
    for (; at + 8 <= text.size(); at += 8) {
        quint64 word;
        std::memcpy(&word, text.data() + at, 8);
        hash = (hash ^ word) * Multiplier;
        hash ^= hash >> 29;
    }
    if (at < text.size()) {
        quint64 word = 0;
        std::memcpy(&word, text.data() + at, size_t(text.size() - at));
        hash = (hash ^ word) * Multiplier;
    }
    hash ^= hash >> 32;
    hash *= 0xD6E8FEB86659FD93ULL;
    return hash ^ (hash >> 32);
}

// One pass over the field's cells: the statistics, and the distinct texts with their counts
// (in no order) and readings. Each cell is hashed once and looked at where the record holds it;
// a text is read once per distinct value and copied only when it is listed. (A field of 9999
// distinct texts would otherwise cost an allocation and a rehash share per cell.)
struct Pass
{
    FieldStatistics statistics;
    QVector<Distinct> distinct;
};

Pass readField(const Database &database, int field, const Regional &regional)
{
    Pass pass;
    pass.statistics.kind = fieldKind(database.fieldType(field));
    const DateTimeReader dates(regional);
    // Open addressing, at most half full: the index of a distinct text, or -1.
    qsizetype slots = 16;
    while (slots < 2 * qsizetype(database.recordCount()))
        slots *= 2;
    QVector<int> table(slots, -1);
    pass.distinct.reserve(database.recordCount());
    for (const Database::Record &record : database.records()) {
        const QByteArrayView text = record.view(field - 1);
        const quint64 hash = hashOf(text);
        qsizetype slot = qsizetype(hash & quint64(slots - 1));
        for (int at = table.at(slot); at >= 0; at = table.at(slot)) {
            const Distinct &held = pass.distinct.at(at);
            if (held.hash == hash && held.text == text)
                break;
            slot = (slot + 1) & (slots - 1);
        }
        if (table.at(slot) < 0) {
            table[slot] = int(pass.distinct.size());
            pass.distinct.append(
                Distinct{text, hash, 0, readText(text, pass.statistics.kind, regional, dates)});
        }
        Distinct &value = pass.distinct[table.at(slot)];
        ++value.count;
        count(pass.statistics, text, value.reading);
    }
    if (pass.statistics.kind == FieldKind::Boolean)
        pass.statistics.unchecked = database.recordCount() - pass.statistics.checked;
    return pass;
}

// The `limit` most frequent, in the order of valueCounts (most frequent first, equal counts in
// the regional order). Only those are put in the regional order: a field of thousands of
// distinct texts is not sorted by the collator whole. Where equal counts straddle the limit,
// the texts first in byte order are the ones kept.
QVector<ValueCount> mostFrequent(QVector<const Distinct *> values, int limit,
                                 const Regional &regional)
{
    const auto byCount = [](const Distinct *a, const Distinct *b) {
        return a->count != b->count ? a->count > b->count : bytesBefore(a->text, b->text);
    };
    if (values.size() > limit) {
        std::nth_element(values.begin(), values.begin() + limit, values.end(), byCount);
        values.resize(limit);
    }
    QVector<ValueCount> counts;
    counts.reserve(values.size());
    for (const Distinct *value : std::as_const(values))
        counts.append(ValueCount{value->text.toByteArray(), value->count});
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
    profile.distinct = int(pass.distinct.size());
    const bool number = profile.statistics.kind == FieldKind::Number;
    QVector<const Distinct *> all;
    QVector<const Distinct *> unreadable;
    all.reserve(pass.distinct.size());
    for (const Distinct &value : pass.distinct) {
        all.append(&value);
        const Reading &reading = value.reading;
        if (!reading.reads) {
            profile.unreadable += value.count;
            unreadable.append(&value);
            continue;
        }
        if (!number || value.text.isEmpty() || !reading.hasNumber)
            continue;
        if (!profile.minimum || reading.number < *profile.minimum)
            profile.minimum = reading.number;
        if (!profile.maximum || reading.number > *profile.maximum)
            profile.maximum = reading.number;
    }
    profile.mostFrequent = mostFrequent(all, limit, regional);
    profile.unreadableValues = mostFrequent(unreadable, limit, regional);
    return profile;
}

} // namespace kribed
