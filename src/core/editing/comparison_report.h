// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/editing/database_compare.h"

#include <QByteArray>
#include <QString>

namespace kribed {

class Database;
class Regional;

// What names a compared record in a report: its key's value when records were matched by a
// key, else its record number in the newer version, "+n" for an added record and "-n" (its
// number in the older version) for a removed one.
QString comparedRecordKey(const DatabaseComparison &comparison, const RecordComparison &record,
                          const Database &older, const Database &newer, const Regional &regional);

// The comparison as CSV in UTF-8: a header line "Key,Field,Old,New", then one line per changed
// cell, and one per filled cell of each added or removed record (the missing side empty).
QByteArray comparisonCsv(const DatabaseComparison &comparison, const Database &older,
                         const Database &newer, const Regional &regional);

} // namespace kribed
