// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QDateTime>

namespace kribed {

class Database;
class Regional;

// A value of the record was changed by the user: its Modification Date cells get today's date and
// its Modification Time cells the current time, in the regional formats. Returns whether the record
// has such a cell at all (the GUI then repaints the whole row).
bool stampRow(Database &database, int record, const QDateTime &now, const Regional &regional);

} // namespace kribed
