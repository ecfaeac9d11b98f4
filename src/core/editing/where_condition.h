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

// Hides every record the filters leave out (the record filter of the file plays no part) and
// returns how many remain shown.
int selectWhere(Database &database, const ColumnFilters &filters, const Regional &regional);

} // namespace kribed
