// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/editing/edit_result.h"

#include <QDateTime>

namespace kribed {

class Database;
class Prompter;
class RowClipboard;
class AutoWidths;
class Regional;

// The width in pixels of a column made by Append column or Insert column.
constexpr int NewColumnPixelWidth = 90;

// Row operations. Every one that changes the shape empties the row clipboard. A refusal at the
// limits shows its message and changes nothing, not even the modified flag.
EditResult appendRow(Database &database, RowClipboard &clipboard, Prompter &prompter,
                     const QDateTime &now, const Regional &regional,
                     const ShapeAnnouncer &announcer = {});
EditResult insertRow(Database &database, RowClipboard &clipboard, int record, Prompter &prompter,
                     const QDateTime &now, const Regional &regional,
                     const ShapeAnnouncer &announcer = {});
EditResult deleteRow(Database &database, RowClipboard &clipboard, int record, Prompter &prompter,
                     bool expertMode, const ShapeAnnouncer &announcer = {});

// Column operations: a column's name, width, type and popup list travel together. The row clipboard
// is left as it is. Deleting a column while automatic widths are on also drops its remembered width,
// so that switching them off gives every remaining column its own width back.
EditResult appendColumn(Database &database, Prompter &prompter,
                        const ShapeAnnouncer &announcer = {});
EditResult insertColumn(Database &database, int field, Prompter &prompter,
                        const ShapeAnnouncer &announcer = {});
EditResult deleteColumn(Database &database, int field, Prompter &prompter, bool expertMode,
                        AutoWidths &autoWidths, const ShapeAnnouncer &announcer = {});

// After a row was dragged: record numbers follow the rows' places by themselves, so what is left
// is marking the database changed.
void renumberRows(Database &database);
// A row dragged from one place to another: the whole record moves, then renumberRows.
EditResult moveRow(Database &database, int from, int to);

} // namespace kribed
