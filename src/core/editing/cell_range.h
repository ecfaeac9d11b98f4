// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/editing/edit_result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QVector>

namespace kribed {

class Database;
class Prompter;
class Regional;

// A rectangle of data cells, fields and records counted from 1, both ends included.
struct CellRange
{
    int firstField = 1;
    int firstRecord = 1;
    int lastField = 1;
    int lastRecord = 1;

    int width() const { return lastField - firstField + 1; }
    int height() const { return lastRecord - firstRecord + 1; }
    int cellCount() const { return width() * height(); }
    bool isSingleCell() const { return width() == 1 && height() == 1; }
    // Whether every cell of the range exists in the database.
    bool fits(const Database &database) const;
};

// Rows of cell texts, as copied from a range or read from tab-separated text.
using CellBlock = QVector<QVector<QByteArray>>;

// The range commands act on the cells the user sees: the records of a range that the record
// filter hides take no part in copying, clearing or the statistics, and a pasted block fills
// shown records only.

// The records of the range that are shown, in order.
QVector<int> shownRecords(const Database &database, const CellRange &range);
// Up to `count` shown records from `record` on, in order (fewer where the database ends).
QVector<int> shownRecordsFrom(const Database &database, int record, int count);

// The range as spreadsheets put cells on the clipboard: cells separated by tabs, rows ended by a
// line feed; hidden records are left out. A cell that holds a tab, a line break or begins with a
// double quote is written in double quotes with its own double quotes doubled, so that it comes
// back as one cell.
QByteArray cellBlockText(const Database &database, const CellRange &range);

// One cell as the clipboard's plain text: its text as it is, or, when it holds a tab or a line
// break (which would make it read as several cells), in double quotes as in a block.
QByteArray singleCellText(QByteArrayView cell);

// Reads tab-separated text back into rows of cells: quoted cells as cellBlockText writes them
// (line breaks inside quotes belong to the cell), rows ended by LF, CR LF or CR; a line break at
// the very end does not start another row.
CellBlock parseCellBlock(QByteArrayView text);

// Whether a pasted text stands for more than one cell (it holds a tab or a line break before its
// end), rather than one cell's text.
bool isMultiCellText(QByteArrayView text);

// Writes the block into the database with its top left cell at (field, record); its rows go into
// the shown records from `record` on, one after another, passing over hidden ones. A block that
// would reach beyond the last field or shown record is refused with a message and nothing is
// pasted. Rows that are shorter than the block leave their missing cells alone. Every record whose
// cells changed is stamped before the block's texts are stored, so a date or time pasted into a
// Modification Date or Time cell stays (as typing in place keeps it); the database counts as
// changed.
EditResult pasteCellBlock(Database &database, int field, int record, const CellBlock &block,
                          const QDateTime &now, const Regional &regional, Prompter &prompter);

// Empties the cells of the range's shown records. Every record in which a cell had a text is stamped first, so a
// Modification Date or Time cell of the range ends empty, as Cut cell leaves it. Returns whether
// anything changed; only then does the database count as changed.
bool clearCellRange(Database &database, const CellRange &range, const QDateTime &now,
                    const Regional &regional);

// What the status bar tells of a selection: how many shown cells, and of those that read as
// numbers (by the rule the sums use) how many, their sum and average.
struct RangeStatistics
{
    int cells = 0;
    int numbers = 0;
    long double sum = 0;
    long double average() const { return numbers > 0 ? sum / numbers : 0; }
};
RangeStatistics rangeStatistics(const Database &database, const CellRange &range,
                                const Regional &regional);
// Adds the range's cells of records[from, to) to `statistics` (cells, numbers and sum), so a large
// selection can be counted in parts between events; the parts in order give the same figures as
// rangeStatistics. `records` are shown records of the range (shownRecords).
void addRangeStatistics(RangeStatistics &statistics, const Database &database,
                        const CellRange &range, const Regional &regional,
                        const QVector<int> &records, int from, int to);

} // namespace kribed
