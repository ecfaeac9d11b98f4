// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/editing/database_compare.h"

#include <QAbstractTableModel>
#include <QVector>

namespace kribed {

class Database;
class Regional;

// The records of a comparison as a read-only grid: column 0 holds the mark ("+" added, "-"
// removed, "~" changed, nothing for the same), column c the field pair c - 1 (the newer
// version's fields, then those only the older has). A cell shows the newer version's text, a
// removed record the older's; a changed cell is highlighted and its tool tip gives the other
// version's text. The rows are every compared record or only those that differ.
class ComparisonModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit ComparisonModel(QObject *parent = nullptr);

    // Shows a new comparison of `older` and `newer`, read by `regional`; all three are kept by
    // reference until the next call or clear().
    void show(const DatabaseComparison &comparison, const Database &older, const Database &newer,
              const Regional &regional);
    void clear();
    void setChangesOnly(bool changesOnly);
    bool changesOnly() const { return mChangesOnly; }

    const DatabaseComparison &comparison() const { return mComparison; }
    // The compared record a row shows, or null for a row out of range.
    const RecordComparison *recordAt(int row) const;
    // The field pair a column shows, or -1 for the mark column.
    static int pairOfColumn(int column) { return column - 1; }
    static int columnOfPair(int pair) { return pair + 1; }
    // The first row after (or before) `row` that shows a difference, or -1.
    int nextChange(int row, bool forward) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    void listRows();
    bool cellChanged(const RecordComparison &record, int pair) const;
    QString cellText(const RecordComparison &record, int pair, bool other) const;

    DatabaseComparison mComparison;
    const Database *mOlder = nullptr;
    const Database *mNewer = nullptr;
    const Regional *mRegional = nullptr;
    bool mChangesOnly = false;
    QVector<int> mRows; // for each row its index in mComparison.records
};

} // namespace kribed
