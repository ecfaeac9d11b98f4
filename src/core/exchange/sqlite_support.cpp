// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/sqlite_support.h"

namespace kribed {

QByteArray quotedIdentifier(const QString &name)
{
    QByteArray quoted = name.toUtf8();
    quoted.replace('"', QByteArrayLiteral("\"\""));
    return '"' + quoted + '"';
}

QString lastError(sqlite3 *connection)
{
    return QString::fromUtf8(sqlite3_errmsg(connection));
}

SqliteStatement prepare(sqlite3 *connection, const QByteArray &sql, QString *error)
{
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(connection, sql.constData(), int(sql.size()), &statement, nullptr)
        != SQLITE_OK) {
        if (error)
            *error = lastError(connection);
        sqlite3_finalize(statement);
        return nullptr;
    }
    return SqliteStatement(statement);
}

bool execute(sqlite3 *connection, const QByteArray &sql, QString *error)
{
    char *message = nullptr;
    if (sqlite3_exec(connection, sql.constData(), nullptr, nullptr, &message) == SQLITE_OK)
        return true;
    if (error)
        *error = QString::fromUtf8(message ? message : sqlite3_errmsg(connection));
    sqlite3_free(message);
    return false;
}

QByteArray columnText(sqlite3_stmt *statement, int column)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, column));
    return text ? QByteArray(text, sqlite3_column_bytes(statement, column)) : QByteArray();
}

} // namespace kribed
