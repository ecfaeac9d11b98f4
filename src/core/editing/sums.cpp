// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/sums.h"

#include "core/model/regional.h"

namespace kribed {

namespace {

constexpr int MaxFactorTextLength = 20;

} // namespace

bool ColumnSum(Database &database, int column, int row)
{
    if (column < 1 || column > database.FieldCount() || row < 1 || row > database.RecordCount())
        return false;
    const Regional &regional = CurrentRegional();
    long double total = 0;
    bool found = false;
    for (int i = 1; i < row; ++i) {
        if (const std::optional<long double> value = regional.ReadNumber(database.Cell(column, i))) {
            total += *value;
            found = true;
        }
    }
    if (!found)
        return false;
    database.SetCell(column, row, regional.NumberText(total));
    database.SetModified();
    return true;
}

bool IsSumFieldName(QByteArrayView fieldName)
{
    return fieldName.contains('&');
}

int SingleSumField(const Database &database)
{
    int sumColumn = 0;
    for (int k = 1; k <= database.FieldCount(); ++k) {
        if (!IsSumFieldName(database.FieldName(k)))
            continue;
        if (sumColumn > 0)
            return 0;
        sumColumn = k;
    }
    return sumColumn;
}

long double FieldFactor(QByteArrayView fieldName)
{
    const qsizetype hash = fieldName.indexOf('#');
    if (hash < 0)
        return 1;
    QByteArray text = fieldName.sliced(hash + 1).first(qMin<qsizetype>(fieldName.size() - hash - 1, MaxFactorTextLength)).toByteArray();
    for (char &c : text) {
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    }
    return CurrentRegional().ReadNumber(text).value_or(1);
}

void RowSumOff(RowSumState &state)
{
    state.RowSumMode = false;
}

bool RowSumOfRow(Database &database, const RowSumState &state, int column, int row)
{
    if (column < 1 || column > database.FieldCount() || row < 1 || row > database.RecordCount())
        return false;
    const Regional &regional = CurrentRegional();
    const Database::Record &record = database.RecordAt(row);
    long double total = 0;
    bool found = false;
    for (int k = 1; k < column; ++k) {
        // A second "&" column left of the result carries no factor: it is left out.
        if (k > state.RowSumFactors.size() || state.sumField.value(k - 1))
            continue;
        if (const std::optional<long double> value = regional.ReadNumber(record[k - 1])) {
            total += *value * state.RowSumFactors[k - 1];
            found = true;
        }
    }
    if (!found)
        return false;
    database.SetCell(column, row, regional.NumberText(total));
    database.SetModified();
    return true;
}

RowSumOutcome ComputeRowSums(Database &database, RowSumState &state, int currentColumn,
                             int currentRow)
{
    const int fields = database.FieldCount();
    state.RowSumFactors = QVector<long double>(fields, 1);
    state.sumField = QVector<bool>(fields, false);
    int sumColumn = 0;
    int sumFieldCount = 0;
    for (int k = 1; k <= fields; ++k) {
        const QByteArray &name = database.FieldName(k);
        if (IsSumFieldName(name)) {
            state.sumField[k - 1] = true;
            if (++sumFieldCount == 1)
                sumColumn = k;
        } else {
            state.RowSumFactors[k - 1] = FieldFactor(name);
        }
    }

    RowSumOutcome outcome;
    if (sumFieldCount == 1) {
        bool written = false;
        for (int r = 1; r <= database.RecordCount(); ++r)
            written = RowSumOfRow(database, state, sumColumn, r) || written;
        if (written)
            outcome = RowSumOutcome{sumColumn, 1, database.RecordCount()};
        return outcome;
    }
    RowSumOff(state);
    if (RowSumOfRow(database, state, currentColumn, currentRow))
        outcome = RowSumOutcome{currentColumn, currentRow, currentRow};
    return outcome;
}

} // namespace kribed
