// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/exchange/text_exchange.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QIODevice;

namespace kribed {

class Database;
class Prompter;
class Regional;
struct ImportPlan;

// Export ---------------------------------------------------------------------------------------
// One SQLite file holds the shown records as a table named after the database, one column per
// field declared by its type (integers and Booleans INTEGER, floats REAL, dates TEXT as
// YYYY-MM-DD, times TEXT as HH:MM:SS, the rest TEXT), each cell read with the regional formats,
// an empty cell NULL, texts UTF-8 from the code page, the record order as rowid. Beside it
// kribo_fields, kribo_popup_items and kribo_database keep what a database has besides its cells,
// so that our import restores it.

// What the export could not convert: cells whose text is no value of their field's type are kept
// as their text.
struct SqliteExportReport
{
    int keptAsText = 0;
    QStringList firstKept; // the first few, as "field, record N: text"
};

// Builds the whole file in memory in one transaction and writes its bytes to the device. False
// (with `error` set) when SQLite or the device failed.
bool writeSqlite(QIODevice &device, const Database &database, const Regional &regional,
                 SqliteExportReport &report, QString *error = nullptr);

// Writes through safeWriteFile: the previous file becomes the backup (sqliteBackupFileName), a
// failure shows the save error and leaves the previous file and its backup as they were. After a
// written file, cells kept as text are told of in one message.
ExchangeResult exportSqliteFile(const QString &path, const Database &database, Prompter &prompter,
                                const Regional &regional, SqliteExportReport *report = nullptr);

// The chosen name with the last character of its extension made '_' ("x.sqlite" -> "x.sqlit_").
QString sqliteBackupFileName(const QString &path);
// "3 cells did not convert to their field's type and were kept as text: ..."
QString keptAsTextText(const SqliteExportReport &report);

// The save dialog's entry, after the separated-text types.
QString sqliteExportFilterEntry(); // "SQLite database (*.sqlite)|*.sqlite|"
QString sqliteImportFilterEntry(); // "SQLite database (*.sqlite *.db)|*.sqlite;*.db|"

// Import ---------------------------------------------------------------------------------------
// The tables and views of a SQLite file a database can be made of, and the one our export wrote
// the records to (empty when the file has no kribo_database). None when the file cannot be read:
// the message has been shown.
struct SqliteTables
{
    QStringList names;
    QString exported;
};
std::optional<SqliteTables> readSqliteTables(const QString &path, Prompter &prompter);

// Told now and then while a table or view is read, with the records read so far; false stops the
// reading (the import is cancelled).
using SqliteProgress = std::function<bool(int records)>;

// Builds a new database from the table or view: columns become fields (declared INTEGER a Normal
// Integer, REAL a Float, anything else a String; a kribo_fields table of our export restores the
// types, widths, names and popup lists, kribo_database the database's values), rows become records
// as texts in the regional formats: numbers in the shortest text that reads back as the same
// value, BLOBs as X'...' (told of). Column names are cut to what a field name holds and made
// distinct. At most 9999 records and one more are read, never a whole view: more than 50 columns
// or 9999 rows asks whether to take the first ones. Characters the code page cannot hold and bytes
// that are no UTF-8 ask as the CSV import does; longer values are cut and told of; popup items
// that would read as a list's header are left out and told of. No value longer than a cell holds
// is copied whole, and SQLite makes none longer than 16 MB. The open database changes only when
// the whole table was read and every question answered OK; a locked, damaged or encrypted file, a
// view SQLite cannot run and a value too long get their messages.
ExchangeResult importSqliteFile(const QString &path, const QString &table, Database &database,
                                Prompter &prompter, const Regional &regional,
                                const SqliteProgress &progress = {});
// Its read step: the table, the questions and the notes in a plan (import_plan.h); nothing is
// asked or shown, a progress that said stop makes a cancelled plan.
ImportPlan readSqliteImport(const QString &path, const QString &table, const Regional &regional,
                            const SqliteProgress &progress = {});

} // namespace kribed
