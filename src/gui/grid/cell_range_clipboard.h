// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/editing/cell_range.h"

#include <QDateTime>
#include <QString>

#include <memory>
#include <optional>

class QMimeData;
class QTableView;

namespace kribed {

class DatabaseDocument;
class Prompter;
class Regional;

// The grid's selection as a rectangle of cells: the smallest rectangle holding every selected
// cell, or the current cell when nothing is selected; none without a current cell.
std::optional<CellRange> selectedRange(const QTableView &grid);

// The clipboard's form of a range's shown cells: plain text in the display code page (tab-separated
// with spreadsheet quoting; one cell as its text alone, quoted only when it holds a tab or a line
// break), and beside it the exact bytes of the cells in a format of the program's own, so that a
// copy pasted back is the same bytes even where the code page cannot show them.
std::unique_ptr<QMimeData> rangeMimeData(const Database &database, const CellRange &range,
                                         const Regional &regional);
// The program's own clipboard format.
QString cellBlockMimeType();

// The cells a clipboard holds: the program's own block when there is one; otherwise plain text
// read as a tab-separated block when it holds tabs or line breaks, or as one cell's text as it is.
CellBlock cellsOfMimeData(const QMimeData &mime, const Regional &regional);

// Ctrl+V: the block goes in with its top left at the cell, its rows into shown records only, as
// one undo step ("Paste"); a block without room is refused with a message and nothing is pasted.
bool pasteCells(DatabaseDocument &document, int field, int record, const CellBlock &block,
                const QDateTime &now, Prompter &prompter);
// Delete, and the second half of Ctrl+X: the range's shown cells emptied as one undo step.
bool clearCells(DatabaseDocument &document, const CellRange &range, const QString &stepText,
                const QDateTime &now);

// The status bar's text for a selection of more than one shown cell: the count of cells and of
// those that read as numbers, and their sum and average when there is one; empty for one cell.
QString rangeStatisticsText(const Database &database, const CellRange &range,
                            const Regional &regional);
// The same text from statistics already counted (empty for fewer than two cells).
QString rangeStatisticsText(const RangeStatistics &statistics, const Regional &regional);
// What the status bar shows of a large selection while its numbers are still being counted.
QString rangeCountText(qint64 cells);

} // namespace kribed
