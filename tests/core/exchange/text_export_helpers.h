// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/exchange/text_exchange.h"
#include "core/model/database.h"
#include "table_database.h"
#include "test_regional.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>

namespace kribed::test {

using Lines = QList<QByteArray>;
using Grid = QList<Lines>; // row 0 the field names, then the records

inline void fill(Database &database, const Grid &grid)
{
    const int fields = int(grid[0].size());
    database.setShape(fields, int(grid.size()) - 1);
    for (int field = 1; field <= fields; ++field)
        database.setFieldName(field, grid[0][field - 1]);
    for (int record = 1; record < grid.size(); ++record) {
        for (int field = 1; field <= fields; ++field)
            database.setCell(field, record, grid[record][field - 1]);
    }
}

inline QByteArray exported(const Database &database, TextType type)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly)
        || !writeText(buffer, type, database, kribed::test::testRegional()))
        return "write failed";
    return bytes;
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("missing");
}

inline const Grid People{{"Name", "Age"}, {"Ann", "30"}, {"Bob", "41"}};

} // namespace kribed::test
