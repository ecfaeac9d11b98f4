// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/sums.h"

#include "core/model/regional.h"

namespace kribed {

namespace {

constexpr int MaxFactorTextLength = 20;

} // namespace

bool columnSum(Database &database, int column, int row, const Regional &regional)
{
    if (column < 1 || column > database.fieldCount() || row < 1 || row > database.recordCount())
        return false;
    long double total = 0;
    bool found = false;
    for (int i = 1; i < row; ++i) {
        if (const std::optional<long double> value =
                regional.readNumber(database.cellView(column, i))) {
            total += *value;
            found = true;
        }
    }
    if (!found)
        return false;
    database.setCell(column, row, regional.numberText(total));
    database.setModified();
    return true;
}

bool isSumFieldName(QByteArrayView fieldName)
{
    return fieldName.contains('&');
}

int singleSumField(const Database &database)
{
    int sumColumn = 0;
    for (int k = 1; k <= database.fieldCount(); ++k) {
        if (!isSumFieldName(database.fieldName(k)))
            continue;
        if (sumColumn > 0)
            return 0;
        sumColumn = k;
    }
    return sumColumn;
}

long double fieldFactor(QByteArrayView fieldName, const Regional &regional)
{
    const qsizetype hash = fieldName.indexOf('#');
    if (hash < 0)
        return 1;
    QByteArray text = fieldName.sliced(hash + 1)
                          .first(qMin<qsizetype>(fieldName.size() - hash - 1, MaxFactorTextLength))
                          .toByteArray();
    for (char &c : text) {
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    }
    return regional.readNumber(text).value_or(1);
}

void rowSumOff(RowSumState &state)
{
    state.rowSumMode = false;
}

bool rowSumOfRow(Database &database, const RowSumState &state, int column, int row,
                 const Regional &regional)
{
    if (column < 1 || column > database.fieldCount() || row < 1 || row > database.recordCount())
        return false;
    const Database::Record &record = database.recordAt(row);
    long double total = 0;
    bool found = false;
    for (int k = 1; k < column; ++k) {
        // A second "&" column left of the result carries no factor: it is left out.
        if (k > state.rowSumFactors.size() || state.sumField.value(k - 1))
            continue;
        if (const std::optional<long double> value = regional.readNumber(record.view(k - 1))) {
            total += *value * state.rowSumFactors[k - 1];
            found = true;
        }
    }
    if (!found)
        return false;
    database.setCell(column, row, regional.numberText(total));
    database.setModified();
    return true;
}

RowSumOutcome computeRowSums(Database &database, RowSumState &state, int currentColumn,
                             int currentRow, const Regional &regional)
{
    const int fields = database.fieldCount();
    state.rowSumFactors = QVector<long double>(fields, 1);
    state.sumField = QVector<bool>(fields, false);
    int sumColumn = 0;
    int sumFieldCount = 0;
    for (int k = 1; k <= fields; ++k) {
        const QByteArray &name = database.fieldName(k);
        if (isSumFieldName(name)) {
            state.sumField[k - 1] = true;
            if (++sumFieldCount == 1)
                sumColumn = k;
        } else {
            state.rowSumFactors[k - 1] = fieldFactor(name, regional);
        }
    }

    RowSumOutcome outcome;
    if (sumFieldCount == 1) {
        bool written = false;
        for (int r = 1; r <= database.recordCount(); ++r)
            written = rowSumOfRow(database, state, sumColumn, r, regional) || written;
        if (written)
            outcome = RowSumOutcome{sumColumn, 1, database.recordCount()};
        return outcome;
    }
    rowSumOff(state);
    if (rowSumOfRow(database, state, currentColumn, currentRow, regional))
        outcome = RowSumOutcome{currentColumn, currentRow, currentRow};
    return outcome;
}

} // namespace kribed
