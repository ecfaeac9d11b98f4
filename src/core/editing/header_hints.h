// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QString>

namespace kribed {

class Database;
class Regional;

// The hint of the top left header cell: the number of records and " Records".
QString recordCountHintText(const Database &database);

// The hint of a field's header cell: the type's name with, for Boolean and number fields, the
// column's counts or total and average over all records (hidden ones included), then the width in
// units. Lines are separated by '\n'. Field 0 gives the record count.
QString headerHintText(const Database &database, int field, const Regional &regional);

} // namespace kribed
