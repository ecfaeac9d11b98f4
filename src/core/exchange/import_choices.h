// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

// What a user chooses in the import preview beyond the file and its separator, applied to a plan
// read with the format's own reading. Untouched choices leave the plan exactly as read, so the
// import without a preview and with an untouched one give the same database.

#include "core/exchange/import_plan.h"
#include "core/exchange/type_detection.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace kribed {

class Database;
class Regional;

// One column of the file.
struct ColumnChoice
{
    bool skip = false;       // left out: an import has no field for it, an append drops it
    std::optional<int> type; // import: the field type (none: as read, a String)
    QByteArray name;         // import: the field name (empty: the first line's)
    int widthUnits = 0;      // import: the width (0: as imported)
    std::optional<int>
        target; // append: the field (from 1) the column fills; 0 none; none: by position
};

struct ImportChoices
{
    bool firstLineNames = true; // import: the first line read names the fields
    bool skipFirstLine = false; // append: the first line holds names and is no record
    int startLine = 1;          // the first line of the file that is read (from 1)
    bool trim = false;          // blanks and tabs around each value are taken away
    QList<ColumnChoice> columns;

    // The column's choice, or the default one past those given.
    ColumnChoice column(int index) const;
    // Whether a plan stays as it was read.
    bool leavesPlanAsRead(ImportPlan::Kind kind) const;
};

// The name "Field N" a column without one gets.
QByteArray generatedFieldName(int field);

// Applies the choices to an import plan (row 0 the names). Values that do not fit a chosen type
// stay as they are and are counted in a notice told at the end.
void applyImportChoices(ImportPlan &plan, const ImportChoices &choices, const Regional &regional);

// The records an append takes from a file's table (every row a line, all its columns) under the
// choices: each column goes to its target field or, without one, to the field of its position.
// At most `limit` records; the rest are not taken.
QVector<Record> appendRecords(const ImportedTable &file, const ImportChoices &choices,
                              const Database &target, qint64 limit);
// The target field each column of the file fills under the choices (0: none).
QList<int> appendTargets(int columns, const ImportChoices &choices, const Database &target);

// Values of the plan's records that do not read as their field's type; the notice that counts them.
int countMisfits(const ImportPlan &plan, const QList<int> &types, const Regional &regional);
std::optional<Message> misfitsNotice(int count);

} // namespace kribed
