// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/model/database.h"

#include <QByteArrayView>
#include <QVector>

#include <optional>

namespace kribed {

class Regional;

// Column Sum on the current cell (column, row): adds every cell above that reads as a number,
// hidden rows included, and writes the total into the cell. Returns whether the cell was written
// (not when no cell above held a number); only then is the modified flag set.
bool columnSum(Database &database, int column, int row, const Regional &regional);

// The factor a field name gives its column: the number after the first "#" (at most 20
// characters), or 1 when there is no "#" or the text after it does not read.
long double fieldFactor(QByteArrayView fieldName, const Regional &regional);

// Whether a field name marks its column as the sum field.
bool isSumFieldName(QByteArrayView fieldName);

// The column of the one field whose name marks it as the sum field; 0 when no name or more than
// one name carries the mark (row sums are then a one-shot command).
int singleSumField(const Database &database);

// Row-sum mode and the factors of the last computation. The mode stays on only while exactly one
// field name carries "&"; then every in-place edit computes the sum field of every record again.
struct RowSumState
{
    bool rowSumMode = false;
    QVector<long double> rowSumFactors; // per data column 1..m at index k - 1
    QVector<bool> sumField;             // columns left out of the products (their name has "&")
};

void rowSumOff(RowSumState &state);

// Writes into (column t, row r) the sum of the numbers left of it, each times its column's
// factor. Returns whether the cell was written (not when no cell left of it held a number).
bool rowSumOfRow(Database &database, const RowSumState &state, int column, int row,
                 const Regional &regional);

// What computeRowSums did: the column it wrote into (0: nothing written) and whether it filled
// every record (the sum field) or only the current cell (the one-shot case).
struct RowSumOutcome
{
    int column = 0;
    int firstRow = 0;
    int lastRow = 0;
};

// Builds the factors from the field names, then fills the single sum field in every record, or,
// with no single sum field, switches the mode off and fills only the current cell.
RowSumOutcome computeRowSums(Database &database, RowSumState &state, int currentColumn,
                             int currentRow, const Regional &regional);

} // namespace kribed
