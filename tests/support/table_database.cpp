// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "table_database.h"

namespace kribed::test {

void fillFromTable(Database &database, const QList<QByteArrayList> &table)
{
    database.setShape(int(table.first().size()), int(table.size()) - 1);
    for (int k = 1; k <= database.fieldCount(); ++k)
        database.setFieldName(k, table[0][k - 1]);
    for (int r = 1; r <= database.recordCount(); ++r) {
        for (int k = 1; k <= database.fieldCount(); ++k)
            database.setCell(k, r, table[r][k - 1]);
    }
}

Database tableDatabase(const QList<QByteArrayList> &table)
{
    Database database;
    fillFromTable(database, table);
    return database;
}

QList<QByteArrayList> databaseTable(const Database &database)
{
    QList<QByteArrayList> table;
    QByteArrayList names;
    for (int k = 1; k <= database.fieldCount(); ++k)
        names.append(database.fieldName(k));
    table.append(names);
    for (int r = 1; r <= database.recordCount(); ++r) {
        QByteArrayList cells;
        for (int k = 1; k <= database.fieldCount(); ++k)
            cells.append(database.cell(k, r));
        table.append(cells);
    }
    return table;
}

QByteArrayList columnCells(const Database &database, int field)
{
    QByteArrayList cells;
    for (int r = 1; r <= database.recordCount(); ++r)
        cells.append(database.cell(field, r));
    return cells;
}

} // namespace kribed::test
