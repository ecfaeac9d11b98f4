// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

// What the SQLite export and import share: the connection and statement owners, identifier
// quoting and the names and text forms both sides must agree on.

#include <QByteArray>
#include <QString>

#include <sqlite3.h>

#include <memory>

namespace kribed {

struct SqliteCloser
{
    void operator()(sqlite3 *connection) const { sqlite3_close(connection); }
};
struct SqliteFinalizer
{
    void operator()(sqlite3_stmt *statement) const { sqlite3_finalize(statement); }
};
using SqliteConnection = std::unique_ptr<sqlite3, SqliteCloser>;
using SqliteStatement = std::unique_ptr<sqlite3_stmt, SqliteFinalizer>;

// The side tables our export writes beside the records.
inline constexpr char FieldsTable[] = "kribo_fields";
inline constexpr char PopupItemsTable[] = "kribo_popup_items";
inline constexpr char DatabaseTable[] = "kribo_database";

// The text forms of dates and times in the file.
inline const QString IsoDateFormat = QStringLiteral("yyyy-MM-dd");
inline const QString IsoTimeFormat = QStringLiteral("HH:mm:ss");

// "name" with every double quote doubled, as SQL wants an identifier that may hold anything.
QByteArray quotedIdentifier(const QString &name);

// Prepares one statement; null (with `error` set) when SQLite refuses it.
SqliteStatement prepare(sqlite3 *connection, const QByteArray &sql, QString *error);
// Runs statements without results; false (with `error` set) on the first failure.
bool execute(sqlite3 *connection, const QByteArray &sql, QString *error);
// The connection's last error, for diagnostics.
QString lastError(sqlite3 *connection);

// A column's text as UTF-8 bytes (empty for NULL).
QByteArray columnText(sqlite3_stmt *statement, int column);

} // namespace kribed
