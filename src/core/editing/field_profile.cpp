// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/field_profile.h"

#include "core/model/database.h"
#include "core/model/regional.h"
#include "core/model/typed_reading.h"

#include <QHash>

#include <algorithm>

namespace kribed {

namespace {

// The distinct texts of the field over every record with their counts, in no order. Hashing
// each cell once; a text is copied once per distinct value.
QVector<ValueCount> countValues(const Database &database, int field)
{
    QHash<QByteArray, int> index;
    QVector<ValueCount> counts;
    for (const Database::Record &record : database.records()) {
        const QByteArrayView text = record.view(field - 1);
        const auto found = index.constFind(QByteArray::fromRawData(text.data(), text.size()));
        if (found != index.constEnd()) {
            ++counts[*found].count;
            continue;
        }
        index.insert(text.toByteArray(), int(counts.size()));
        counts.append(ValueCount{text.toByteArray(), 1});
    }
    return counts;
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
    profile.statistics = fieldStatistics(database, field, regional);
    profile.empty = database.recordCount() - profile.statistics.filled;
    const QVector<ValueCount> counts = countValues(database, field);
    profile.distinct = int(counts.size());
    const int type = database.fieldType(field);
    const bool number = profile.statistics.kind == FieldKind::Number;
    QVector<ValueCount> unreadable;
    for (const ValueCount &value : counts) {
        // Each distinct text is read once, however many cells hold it.
        if (!readsAsFieldType(value.text, type, regional)) {
            profile.unreadable += value.count;
            unreadable.append(value);
            continue;
        }
        if (!number || value.text.isEmpty())
            continue;
        if (const std::optional<long double> read = regional.readNumber(value.text)) {
            if (!profile.minimum || *read < *profile.minimum)
                profile.minimum = read;
            if (!profile.maximum || *read > *profile.maximum)
                profile.maximum = read;
        }
    }
    profile.mostFrequent = mostFrequent(counts, limit, regional);
    profile.unreadableValues = mostFrequent(unreadable, limit, regional);
    return profile;
}

} // namespace kribed
