// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

namespace kribed {

class Database;
class Regional;

// What a column filter's condition asks of a cell. Texts compare as Find does (letters a to z
// without regard to case); the order tests, Between and Top/Bottom read numbers, dates and times
// by the field's type in the regional formats, and other fields in the regional text order.
enum class ColumnTest {
    Equals,
    NotEquals,
    Contains,
    NotContains,
    BeginsWith,
    EndsWith,
    Matches, // a regular expression, anywhere in the text
    Less,
    LessOrEqual,
    Greater,
    GreaterOrEqual,
    Between, // value..second, both included
    Top,     // the N greatest values (N = value) of the records the record filter shows
    Bottom,  // the N smallest
    Checked,
    Unchecked,
    Empty,
    NotEmpty,
};

struct ColumnCondition
{
    ColumnTest test = ColumnTest::Equals;
    QString value;
    QString second; // Between's upper end

    bool operator==(const ColumnCondition &other) const
    {
        return test == other.test && value == other.value && second == other.second;
    }
    bool operator!=(const ColumnCondition &other) const { return !(*this == other); }
};

// The filter of one field: a list of the texts that stay (when `listOn`; the empty text stands
// for empty cells) and conditions joined by AND, or by OR when `anyCondition`. A record stays
// when it passes both the list and the conditions.
struct FieldFilter
{
    int field = 0; // 1-based
    bool listOn = false;
    QVector<QByteArray> values;
    QVector<ColumnCondition> conditions;
    bool anyCondition = false;

    bool isActive() const { return listOn || !conditions.isEmpty(); }
    bool operator==(const FieldFilter &other) const;
    bool operator!=(const FieldFilter &other) const { return !(*this == other); }
};

// The column filters of a database, joined by AND. The window keeps at most one per field;
// kribed-cli's repeated --where may give a field several.
struct ColumnFilters
{
    QVector<FieldFilter> fields;

    bool isEmpty() const { return fields.isEmpty(); }
    // The window's filter of the field, or an inactive one for it.
    FieldFilter of(int field) const;
    // Puts the field's filter in place of the one it had (an inactive one removes it).
    void set(const FieldFilter &filter);
    void remove(int field);
    // Field numbers after field `first` and `count` - 1 more were removed (their filters go) or
    // inserted before `first` (count < 0 removes).
    void shiftFields(int first, int count);
    // Field numbers after a field moved from `from` to `to`.
    void moveField(int from, int to);

    bool operator==(const ColumnFilters &other) const { return fields == other.fields; }
    bool operator!=(const ColumnFilters &other) const { return !(*this == other); }
};

// Why the condition cannot run on a field of the type, translated ("" when it can): a regular
// expression that does not compile, a value that does not read as the field's type, a test the
// type has no use for.
QString columnConditionError(const ColumnCondition &condition, int typeIndex,
                             const Regional &regional);

// What the filters leave: for each record (0-based) whether it passes, and per filter how many
// of the cells it tested do not read as their field's type (they pass no typed test).
struct ColumnFilterResult
{
    QVector<char> passes;
    QVector<int> unreadable;
    int shown = 0;
};

// Runs the filters over the records `base` leaves (base[i] != 0 for record i + 1; empty = every
// record). Filter `skip` (an index into filters.fields) is left out, so that a field's value list
// counts over the records the other conditions leave. Conditions that cannot run (see
// columnConditionError) and fields the database lacks match no record.
ColumnFilterResult runColumnFilters(const Database &database, const ColumnFilters &filters,
                                    const Regional &regional, const QVector<char> &base = {},
                                    int skip = -1);

// Hides, beside the records already hidden, those the filters leave out; returns how many more
// are hidden.
int applyColumnFilters(Database &database, const ColumnFilters &filters, const Regional &regional);

// The filter as the header's tooltip says it ("> 1000 or = 5", "one of: Bremen, Hamburg").
QString describeFieldFilter(const FieldFilter &filter, const Regional &regional);

// A lasting text of the filters (the settings keep it per file) with the field names, and back:
// a filter whose field is missing or has another name now is left out.
QString columnFiltersText(const ColumnFilters &filters, const Database &database);
ColumnFilters columnFiltersFromText(const QString &text, const Database &database);

} // namespace kribed
