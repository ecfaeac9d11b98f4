// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QVector>

namespace kribed {

class Database;

// The filter choices that belong to the run, not to a database: "Field must begin with string"
// and INCLUDE (rows that match stay) or EXCLUDE (rows that match are hidden).
struct FilterOptions
{
    bool mustBeginWith = false;
    bool exclude = false;
    // The field searched, as the properties dialog's field list was last left (0 = all fields,
    // k = field k); -1 takes the database's own filter field.
    int field = -1;
};

// Whether the record matches the filter text (already passed through foldAToZ) in the given
// field, or in any field when field is 0 or names no existing field.
bool recordMatchesFilter(const Database &database, int record, QByteArrayView foldedText, int field,
                         bool mustBeginWith);

// For each record (0-based), whether the filter leaves it shown when `on`, without changing
// anything.
QVector<char> recordsFilterShows(const Database &database, bool on, const FilterOptions &options);

// Sets the filter state, shows every record, and then, when on and the filter text is not empty,
// hides the records the filter text, filter field and options leave out. Returns how many records
// are hidden.
int applyFilter(Database &database, bool on, const FilterOptions &options);

} // namespace kribed
