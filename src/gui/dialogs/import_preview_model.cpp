// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/dialogs/import_preview_model.h"

#include "core/exchange/type_detection.h"

#include <QBrush>
#include <QColor>
#include <QPalette>

namespace kribed {

namespace {

quint64 placeKey(int row, int column)
{
    return (quint64(quint32(row)) << 32) | quint32(column);
}

} // namespace

void ImportPreviewModel::show(const ImportedTable &table, int firstRow,
                              const QList<PreviewColumn> &columns, const QList<PlanCell> &cut,
                              const Regional &regional)
{
    beginResetModel();
    mTable = table; // shares the rows
    mFirstRow = firstRow;
    mColumns = columns;
    mRegional = regional;
    mCut.clear();
    for (const PlanCell &place : cut)
        mCut.insert(placeKey(place.row, place.field - 1));
    endResetModel();
}

void ImportPreviewModel::setColumns(const QList<PreviewColumn> &columns)
{
    if (columns.size() != mColumns.size()) {
        beginResetModel();
        mColumns = columns;
        endResetModel();
        return;
    }
    mColumns = columns;
    if (columns.isEmpty())
        return;
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, int(columns.size()) - 1);
    if (rowCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, int(columns.size()) - 1));
}

int ImportPreviewModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : std::max(0, int(mTable.rows.size()) - mFirstRow);
}

int ImportPreviewModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(mColumns.size());
}

bool ImportPreviewModel::isMisfit(int row, int column) const
{
    const Record &record = mTable.rows[mFirstRow + row];
    return column < record.size()
           && !fitsDetectedType(record.view(column), mColumns[column].type, mRegional);
}

bool ImportPreviewModel::isCut(int row, int column) const
{
    return mCut.contains(placeKey(mFirstRow + row, column));
}

QVariant ImportPreviewModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const int row = index.row();
    const int column = index.column();
    const Record &record = mTable.rows[mFirstRow + row];
    switch (role) {
    case Qt::DisplayRole:
        return column < record.size() ? mRegional.toText(record.view(column)) : QString();
    case Qt::BackgroundRole:
        if (isCut(row, column))
            return QBrush(QColor(255, 236, 160));
        if (!mColumns[column].skipped && isMisfit(row, column))
            return QBrush(QColor(255, 200, 200));
        return {};
    case Qt::ForegroundRole:
        if (mColumns[column].skipped)
            return QPalette().brush(QPalette::Disabled, QPalette::Text);
        return {};
    case Qt::ToolTipRole:
        if (isCut(row, column))
            return tr("Longer than 4000 bytes: cut");
        if (isMisfit(row, column))
            return tr("Does not fit the type: imported as its text");
        return {};
    default: return {};
    }
}

QVariant ImportPreviewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical)
        return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
    if (section < 0 || section >= mColumns.size())
        return {};
    if (role == Qt::DisplayRole)
        return mColumns[section].header;
    if (role == Qt::ToolTipRole && !mColumns[section].toolTip.isEmpty())
        return mColumns[section].toolTip;
    return {};
}

} // namespace kribed
