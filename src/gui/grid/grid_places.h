// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QModelIndex>

namespace kribed {

// The one boundary between the places of the database and those of the grid model: the database
// counts records and fields from 1, the model rows and columns from 0. Record r is row r - 1,
// field f is column f - 1; a count stays a count.
constexpr int rowOfRecord(int record)
{
    return record - 1;
}

constexpr int recordOfRow(int row)
{
    return row + 1;
}

constexpr int columnOfField(int field)
{
    return field - 1;
}

constexpr int fieldOfColumn(int column)
{
    return column + 1;
}

// The field and record of a model index.
inline int fieldOf(const QModelIndex &index)
{
    return fieldOfColumn(index.column());
}

inline int recordOf(const QModelIndex &index)
{
    return recordOfRow(index.row());
}

} // namespace kribed
