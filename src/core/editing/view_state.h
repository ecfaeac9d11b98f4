// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/editing/auto_size.h"
#include "core/editing/column_filter.h"
#include "core/editing/record_filter.h"

#include <QByteArray>
#include <QString>
#include <QVector>

namespace kribed {

// One condition of the record filter: the text looked for, the field searched (0 = all fields,
// k = field k), "Field must begin with string" and INCLUDE (matching records stay) or EXCLUDE
// (matching records go).
struct FilterCondition
{
    int field = 0;
    QByteArray text;
    bool mustBeginWith = false;
    bool exclude = false;

    bool operator==(const FilterCondition &other) const;
    bool operator!=(const FilterCondition &other) const { return !(*this == other); }
};

// What the record filter looks for. The filter matches with one condition; the list leaves room
// for conditions on further fields.
struct FilterSpec
{
    QVector<FilterCondition> conditions{FilterCondition()};

    const FilterCondition &first() const { return conditions.front(); }
    FilterCondition &first() { return conditions.front(); }
    // The match options the filter runs with (the text is the database's).
    FilterOptions options() const;

    bool operator==(const FilterSpec &other) const { return conditions == other.conditions; }
    bool operator!=(const FilterSpec &other) const { return !(*this == other); }
};

// How one database is looked at, apart from its saved content: the record filter and whether it
// is on, the toggled modes, the widths automatic sizing gives back, the sort's reverse flags and
// the display font. Plain data: a change is the state before and after.
struct ViewState
{
    FilterSpec filter;
    // The filter field the file keeps: read from it and set by the filter bar, while the field
    // searched is the one chosen last (a loaded file does not change it).
    int storedFilterField = 0;
    bool filterOn = false;
    // The conditions on single fields, applied on top of the record filter whether it is on or
    // not. The file never holds them; they belong to the open database and go at a load.
    ColumnFilters columnFilters;
    bool rowSumOn = false;
    bool autoSizing = false;
    AutoWidths autoWidths;
    bool secondaryReverse = false;
    bool tertiaryReverse = false;
    // The display font as QFont::toString() writes it (empty until the window shows one) and the
    // character set of its script, which picks the code page the cells are shown in. The
    // program's, not the file's: it lasts across loads.
    QString displayFont;
    int fontCharSet = 0;

    bool operator==(const ViewState &other) const;
    bool operator!=(const ViewState &other) const { return !(*this == other); }
};

// `current` with each part that differs between `from` and `to` set as in `to`, and every other
// part left as it is: a recorded change applied again (or taken back) over the modes switched
// since, which keep no step.
ViewState carryChanges(ViewState current, const ViewState &from, const ViewState &to);

} // namespace kribed
