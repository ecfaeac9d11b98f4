// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/exchange/import_plan.h"
#include "core/model/regional.h"

#include <QAbstractTableModel>
#include <QSet>
#include <QStringList>

namespace kribed {

// What the preview's grid shows of one column of the file.
struct PreviewColumn
{
    QString header;  // name, then type and the count of values that do not fit
    QString toolTip; // why the type, when it stays a String
    int type = 0;    // the values are marked where they do not read as this type
    bool skipped = false;
};

// The rows of a read table as the import will take them, over the table itself: a cell is made
// into text only when the view asks for it, so the largest file shows at once.
class ImportPreviewModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    // `firstRow`: the table's row shown first (the first record); `cut`: cells cut to a value's
    // bytes, as table rows and fields.
    void show(const ImportedTable &table, int firstRow, const QList<PreviewColumn> &columns,
              const QList<PlanCell> &cut, const Regional &regional);
    // The columns' headers and types changed, the rows did not.
    void setColumns(const QList<PreviewColumn> &columns);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // Whether a shown cell does not fit its column's type.
    bool isMisfit(int row, int column) const;
    bool isCut(int row, int column) const;

private:
    ImportedTable mTable;
    int mFirstRow = 0;
    QList<PreviewColumn> mColumns;
    QSet<quint64> mCut;
    Regional mRegional;
};

} // namespace kribed
