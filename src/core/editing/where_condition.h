// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/editing/column_filter.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace kribed {

class Database;
class Regional;

// The conditions of kribed-cli's --where, read against a database: "FIELD=V1,V2" (one of the
// values; "\," is a comma in a value), "FIELD!=V", "FIELD<V", "FIELD<=V", "FIELD>V",
// "FIELD>=V", "FIELD~REGEX", "FIELD^=T" (begins with), "FIELD$=T" (ends with), "FIELD*=T"
// (contains), "FIELD=" (empty), "FIELD!=" (not empty). The field is named; the leftmost
// operator ends its name. Each text is one filter; the filters are joined by AND.
struct WhereConditions
{
    ColumnFilters filters;
    QString error; // the first condition that cannot be used, and why; empty when all can
};

WhereConditions readWhereConditions(const QStringList &texts, const Database &database,
                                    const Regional &regional);

// What the conditions selected: how many records remain shown, and for each field whose cells
// did not all read as its type, how many did not (those records match no typed test on it).
struct WhereSelection
{
    struct Unreadable
    {
        int field = 0; // 1-based
        int count = 0;
    };
    int shown = 0;
    QVector<Unreadable> unreadable;
};

// Hides every record the filters leave out (the record filter of the file plays no part).
WhereSelection selectWhere(Database &database, const ColumnFilters &filters,
                           const Regional &regional);

} // namespace kribed
