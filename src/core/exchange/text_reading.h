// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

// The steps import and append share when they read a separated text.

#include "core/exchange/text_exchange.h"
#include "core/exchange/text_format.h"
#include "core/model/database.h"

#include <QByteArray>

#include <functional>

class QIODevice;
class QString;

namespace kribed {

class CodePageConverter;

class Regional;
struct ImportPlan;
struct ImportShape;
struct PlannedOrigin;

// Cuts a value read from a text to what a record can store (MaxValueBytes as the file stores
// it, never inside a character of the converter's code page when one is given); true when it
// was longer. Cut when read, no value can make the grid slow to draw or be cut silently by a save.
bool cutToStoredSize(QByteArray &value, CodePageConverter *converter = nullptr);

// The imported table before it replaces the open database: row 0 the field names.
struct ImportedTable
{
    QVector<Database::Record> rows;
    int fields = 1;

    // Rows for the text's lines (at least 2, at most the field names and MaxRecords records) and
    // columns for its largest separator count (at least 1, at most MaxFields), all empty.
    void shapeFor(const FormatCheck &check);
    // The same shape for rows already read: every row as wide as the widest line, and empty rows
    // added up to the least count.
    void widenTo(const FormatCheck &check);
};

// The shape of a text as a plan tells it, against the rows and fields it can take.
ImportShape shapeOfText(const FormatCheck &check, qint64 rowLimit, int columnLimit);
// The name, .pdb path and time a database imported from the file gets.
PlannedOrigin originOf(const QString &path, const Regional &regional);
// The append's format and fit questions for a text of that shape, after the plan's table width
// (the open database's fields) and row limit (its free rows) are set.
void addAppendQuestions(ImportPlan &plan, const FormatCheck &check);

// Makes the table the open database: the reset values, no popup items, no filter, every field a
// String of 90 pixels; the database counts as changed.
void replaceWithImported(Database &database, ImportedTable &table);

} // namespace kribed
