// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

// Reading a SQLite file back the way another program would: through the C library, or through
// Python's sqlite3 module.

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QStringList>

#include <sqlite3.h>

namespace kribed::test {

// Every row of the query, each value as "type:text" (NULL as "null"), joined by " | ".
inline QStringList queryRows(const QString &path, const QByteArray &sql)
{
    sqlite3 *connection = nullptr;
    QStringList rows;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &connection, SQLITE_OPEN_READONLY,
                        nullptr)
        != SQLITE_OK) {
        sqlite3_close(connection);
        return {QStringLiteral("cannot open")};
    }
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(connection, sql.constData(), -1, &statement, nullptr) != SQLITE_OK) {
        rows.append(QStringLiteral("error: ") + QString::fromUtf8(sqlite3_errmsg(connection)));
    } else {
        while (sqlite3_step(statement) == SQLITE_ROW) {
            QStringList values;
            for (int column = 0; column < sqlite3_column_count(statement); ++column) {
                static const char *const types[] = {"", "integer", "real", "text", "blob", "null"};
                const int type = sqlite3_column_type(statement, column);
                const auto *text =
                    reinterpret_cast<const char *>(sqlite3_column_text(statement, column));
                values.append(type == SQLITE_NULL
                                  ? QStringLiteral("null")
                                  : QString::fromLatin1(types[type]) + u':'
                                        + QString::fromUtf8(text, sqlite3_column_bytes(statement,
                                                                                       column)));
            }
            rows.append(values.join(QStringLiteral(" | ")));
        }
    }
    sqlite3_finalize(statement);
    sqlite3_close(connection);
    return rows;
}

// What a Python script prints about the file (argv[1]); "python failed: ..." when it did not run.
inline QString runPython(const QString &script, const QString &path)
{
    QProcess python;
    python.start(QStringLiteral("python3"), {QStringLiteral("-c"), script, path});
    if (!python.waitForFinished(30000) || python.exitCode() != 0)
        return QStringLiteral("python failed: ") + QString::fromUtf8(python.readAllStandardError());
    return QString::fromUtf8(python.readAllStandardOutput());
}

} // namespace kribed::test
