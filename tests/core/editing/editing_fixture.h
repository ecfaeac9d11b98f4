// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/model/database.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QStringList>

namespace kribed::test {

// A database from rows of cells written as "a|b|c"; field k is named "Fk" and has the type types[k].
inline Database makeDatabase(const QList<int> &types, const QList<QByteArray> &rows)
{
    Database database;
    database.setShape(int(types.size()), int(rows.size()));
    for (int field = 1; field <= database.fieldCount(); ++field) {
        database.setFieldName(field, QByteArrayLiteral("F") + QByteArray::number(field));
        database.setFieldType(field, types[field - 1]);
        database.setColumnWidth(field, 40 + field);
    }
    for (int record = 1; record <= database.recordCount(); ++record) {
        const QList<QByteArray> cells = rows[record - 1].split('|');
        for (int field = 1; field <= database.fieldCount() && field <= cells.size(); ++field)
            database.setCell(field, record, cells[field - 1]);
    }
    return database;
}

// One record's cells joined by '|', to compare rows at a glance.
inline QByteArray rowText(const Database &database, int record)
{
    return database.recordAt(record).toList().join('|');
}

// Every record joined by '/'.
inline QByteArray allRows(const Database &database)
{
    QList<QByteArray> rows;
    for (int record = 1; record <= database.recordCount(); ++record)
        rows << rowText(database, record);
    return rows.join('/');
}

inline QDateTime fixedNow()
{
    return QDateTime(QDate(2026, 3, 14), QTime(9, 26, 53));
}

} // namespace kribed::test
