// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/editing/cell_range.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QVector>

#include <optional>

namespace kribed {

class Database;
class Regional;

// The texts a fill writes into a range: for each of its shown records, in order, one text per
// field of the range. Records the filter hides take no part, as in the other range commands.
struct FillTexts
{
    CellRange range;
    QVector<int> records;
    QVector<QByteArray> texts; // records.size() x range.width(), record by record

    bool isEmpty() const { return records.isEmpty(); }
    const QByteArray &text(int recordIndex, int field) const
    {
        return texts[recordIndex * range.width() + field - range.firstField];
    }
};

// Fill down: the top shown cell of each field of the range goes into the shown cells below it.
// A range one shown record high takes the cells of the shown record above it instead, as
// spreadsheets do; with none above there is nothing to fill.
FillTexts fillDownTexts(const Database &database, const CellRange &range);

// What Fill series writes: one text into every cell, or a series from a start value that grows by
// a step from one shown record to the next (the same series in every field of the range).
struct SeriesSpec
{
    bool constant = true;
    QByteArray start; // in the database's code page
    QByteArray step;  // a number; for a series of dates, whole days
};

// The series' texts, or the reason there are none: a start that reads neither as a number nor as
// a date in the regional formats, a step that is no number (no whole number for dates), a date
// that leaves the calendar. A constant is cut at the longest value a record stores.
struct SeriesTexts
{
    FillTexts fill;
    QString error;
};
SeriesTexts seriesTexts(const Database &database, const CellRange &range, const SeriesSpec &spec,
                        const Regional &regional);

// How many cells of typed fields read as their field's type now and would no longer do after the
// fill (asked about first, as Replace does).
int countCellsLeavingType(const Database &database, const FillTexts &fill,
                          const Regional &regional);

// Writes the texts. Every record in which a cell changes is stamped before its texts are stored,
// so a date filled into a Modification Date cell stays; the database counts as changed when a
// cell changed. Returns whether one did.
bool applyFill(Database &database, const FillTexts &fill, const QDateTime &now,
               const Regional &regional);

} // namespace kribed
