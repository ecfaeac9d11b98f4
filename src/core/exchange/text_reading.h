// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

// The steps import and append share when they read a separated text.

#include "core/exchange/text_exchange.h"
#include "core/exchange/text_format.h"
#include "core/model/database.h"
#include "core/model/limits.h"
#include "core/platform/code_page_converter.h"

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

// Raw bytes kept per value of a UTF-8 text while reading: a longer value is cut anyway, and this
// many bytes of UTF-8 hold more characters than a cell can store.
constexpr qsizetype KeptUtf8ValueBytes = 4 * (MaxValueBytes + 1);

// Bytes kept of each value of a separated text's line while it is read: more than any reading
// (a cell's limit, UTF-8 turned into the code page) looks at, and one byte that tells a longer
// value from one that fits. What lies beyond is never held.
constexpr qsizetype KeptLineValueBytes = KeptUtf8ValueBytes + 1;

// Turns the values of a UTF-8 text into cells of the code page, noting the characters the page
// cannot hold and the bytes that are no UTF-8 (both become '?'), by record.
class Utf8Cells
{
public:
    explicit Utf8Cells(const QByteArray &codePage)
        : mCodePage(codePage)
    {
    }
    // The value in the code page. A value longer than KeptUtf8ValueBytes is first cut at the
    // start of a character, and `cut` set; the cell's own limit is the caller's.
    QByteArray convert(QByteArray value, int record, bool &cut);
    const LossReport &losses() const { return mLosses; }

private:
    CodePageConverter &converter() { return CodePageConverter::shared(mCodePage); }

    QByteArray mCodePage;
    LossReport mLosses;
};

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
