// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/model/database.h"

#include <QByteArrayList>
#include <QList>

namespace kribed::test {

// Gives the database the table's shape and texts: row 0 holds the field names, the rows after it
// the records. The table is not empty and all its rows are as long as the first.
void fillFromTable(Database &database, const QList<QByteArrayList> &table);
Database tableDatabase(const QList<QByteArrayList> &table);
// The other way: the field names, then each record's cells.
QList<QByteArrayList> databaseTable(const Database &database);

// The cells of one field, record 1 first.
QByteArrayList columnCells(const Database &database, int field);

} // namespace kribed::test
