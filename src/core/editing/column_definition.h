// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/editing/edit_result.h"

namespace kribed {

class AutoWidths;
class Database;

// After the cells, name and width of a column moved from one position to another (the columns in
// between shifting by one), its field type, popup list and remembered automatic width follow it.
// Positions outside 1..50 change nothing.
void moveColumnDefinition(Database &database, int from, int to, AutoWidths &autoWidths);

// A column dragged from one place to another: the whole column with its definition moves and the
// database counts as changed. The caller then switches the row sums off.
EditResult moveColumn(Database &database, int from, int to, AutoWidths &autoWidths);

} // namespace kribed
