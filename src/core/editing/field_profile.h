// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/editing/field_statistics.h"
#include "core/editing/value_counts.h"

#include <QVector>

#include <optional>

namespace kribed {

class Database;
class Regional;

// What one field holds, over every record: the field profile panel and `kribed-cli info` show
// these figures. The counts, totals and extremes are the field statistics' (the same figures as
// fieldStatistics gives); the distinct values are counted as valueCounts counts them (and listed
// in its order). One pass over the field's cells gives it all, each distinct text read once.
struct FieldProfile
{
    FieldStatistics statistics;
    int empty = 0;
    int distinct = 0;                 // distinct texts, the empty one included
    QVector<ValueCount> mostFrequent; // at most `limit`, the most frequent first
    // Numbers: the smallest and the largest value that read (none when no cell did).
    std::optional<long double> minimum, maximum;
    // Filled cells that do not read as the field's type, and the first of those texts.
    int unreadable = 0;
    QVector<ValueCount> unreadableValues; // at most `limit`, the most frequent first
};

constexpr int ProfileValueLimit = 50;
FieldProfile fieldProfile(const Database &database, int field, const Regional &regional,
                          int limit = ProfileValueLimit);

} // namespace kribed
