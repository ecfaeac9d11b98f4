// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "table_database.h"

namespace kribed::test {

void FillFromTable(Database &database, const QList<QByteArrayList> &table)
{
    database.SetShape(int(table.first().size()), int(table.size()) - 1);
    for (int k = 1; k <= database.FieldCount(); ++k)
        database.SetFieldName(k, table[0][k - 1]);
    for (int r = 1; r <= database.RecordCount(); ++r) {
        for (int k = 1; k <= database.FieldCount(); ++k)
            database.SetCell(k, r, table[r][k - 1]);
    }
}

Database TableDatabase(const QList<QByteArrayList> &table)
{
    Database database;
    FillFromTable(database, table);
    return database;
}

QByteArrayList ColumnCells(const Database &database, int field)
{
    QByteArrayList cells;
    for (int r = 1; r <= database.RecordCount(); ++r)
        cells.append(database.Cell(field, r));
    return cells;
}

} // namespace kribed::test
