// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QVector>

namespace kribed {

class Database;
class Regional;

// The integer a cell holds for the auto-increment scan: leading blanks skipped, an optional sign,
// then the digits up to the first character that does not fit. An empty or digit-less text is 0.
// Digits that would leave the 64-bit range end the reading like any unfitting character.
qint64 leadingInteger(QByteArrayView text);

// The largest leadingInteger of the field over all records (the first record's value included).
// Zero when the database has no records.
qint64 largestInteger(const Database &database, int field);

// The values of a whole new record, field by field as newRecordValue makes them, with all
// auto-increment fields read in one pass over the records.
QVector<QByteArray> newRecordValues(const Database &database, const QDateTime &now,
                                    const Regional &regional);

// The text a new record starts with in the field: today's date for Creation Date, the current time
// for Creation Time, for Auto-increment Integer the largest whole number of the field over all
// records at this moment plus the increment amount, and empty for every other type.
QByteArray newRecordValue(const Database &database, int field, const QDateTime &now,
                          const Regional &regional);

} // namespace kribed
