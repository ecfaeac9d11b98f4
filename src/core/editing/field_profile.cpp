// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/field_profile.h"

#include "core/model/database.h"
#include "core/model/regional.h"
#include "core/model/typed_reading.h"

namespace kribed {

FieldProfile fieldProfile(const Database &database, int field, const Regional &regional, int limit)
{
    FieldProfile profile;
    if (field < 1 || field > database.fieldCount())
        return profile;
    profile.statistics = fieldStatistics(database, field, regional);
    profile.empty = database.recordCount() - profile.statistics.filled;
    const QVector<ValueCount> counts =
        valueCounts(database, field, CountedRecords::All, regional, ValueOrder::ByCount);
    profile.distinct = int(counts.size());
    const int type = database.fieldType(field);
    const bool number = profile.statistics.kind == FieldKind::Number;
    for (const ValueCount &value : counts) {
        if (profile.mostFrequent.size() < limit)
            profile.mostFrequent.append(value);
        // Each distinct text is read once, however many cells hold it.
        if (!readsAsFieldType(value.text, type, regional)) {
            profile.unreadable += value.count;
            if (profile.unreadableValues.size() < limit)
                profile.unreadableValues.append(value);
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
    return profile;
}

} // namespace kribed
