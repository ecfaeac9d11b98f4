// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/grid/comparison_model.h"

#include "core/model/database.h"
#include "core/model/regional.h"

#include <QBrush>
#include <QColor>

namespace kribed {

namespace {

// Light tints that keep dark text readable: green added, red removed, amber changed.
const QColor AddedTint(0xd4, 0xf4, 0xd4);
const QColor RemovedTint(0xf8, 0xd4, 0xd4);
const QColor ChangedTint(0xff, 0xe8, 0xa8);

} // namespace

ComparisonModel::ComparisonModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void ComparisonModel::show(const DatabaseComparison &comparison, const Database &older,
                           const Database &newer, const Regional &regional)
{
    beginResetModel();
    mComparison = comparison;
    mOlder = &older;
    mNewer = &newer;
    mRegional = &regional;
    listRows();
    endResetModel();
}

void ComparisonModel::clear()
{
    beginResetModel();
    mComparison = {};
    mOlder = mNewer = nullptr;
    mRegional = nullptr;
    mRows.clear();
    endResetModel();
}

void ComparisonModel::setChangesOnly(bool changesOnly)
{
    if (changesOnly == mChangesOnly)
        return;
    beginResetModel();
    mChangesOnly = changesOnly;
    listRows();
    endResetModel();
}

void ComparisonModel::listRows()
{
    mRows.clear();
    for (int i = 0; i < mComparison.records.size(); ++i) {
        if (!mChangesOnly || mComparison.records.at(i).state != RecordState::Same)
            mRows.append(i);
    }
}

const RecordComparison *ComparisonModel::recordAt(int row) const
{
    return row >= 0 && row < mRows.size() ? &mComparison.records.at(mRows.at(row)) : nullptr;
}

int ComparisonModel::nextChange(int row, bool forward) const
{
    for (int r = forward ? row + 1 : row - 1; r >= 0 && r < mRows.size(); r += forward ? 1 : -1) {
        if (recordAt(r)->state != RecordState::Same)
            return r;
    }
    return -1;
}

int ComparisonModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(mRows.size());
}

int ComparisonModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() || !mNewer ? 0 : int(mComparison.fields.size()) + 1;
}

bool ComparisonModel::cellChanged(const RecordComparison &record, int pair) const
{
    return record.state == RecordState::Changed && record.changedPairs.contains(pair);
}

// The text of the version the row shows, or with `other` the other version's.
QString ComparisonModel::cellText(const RecordComparison &record, int pair, bool other) const
{
    const FieldPair &fields = mComparison.fields.at(pair);
    const bool fromNewer = (record.newerRecord > 0) != other;
    const int field = fromNewer ? fields.newerField : fields.olderField;
    const int number = fromNewer ? record.newerRecord : record.olderRecord;
    const Database &side = fromNewer ? *mNewer : *mOlder;
    // Between a change of the open database and the comparison that follows it, places may be
    // gone: they show nothing for that moment.
    if (field == 0 || number == 0 || field > side.fieldCount() || number > side.recordCount())
        return {};
    return mRegional->toText(side.cellView(field, number));
}

QVariant ComparisonModel::data(const QModelIndex &index, int role) const
{
    const RecordComparison *record = recordAt(index.row());
    if (!record || !mNewer)
        return {};
    const int pair = pairOfColumn(index.column());
    if (pair < 0) {
        static const char *const marks[] = {"", "~", "+", "-"};
        if (role == Qt::DisplayRole)
            return QString::fromLatin1(marks[int(record->state)]);
        if (role == Qt::TextAlignmentRole)
            return int(Qt::AlignCenter);
    }
    switch (role) {
    case Qt::DisplayRole:
        // One line of a long text, as the grid shows cells.
        return pair < 0 ? QVariant() : QVariant(cellText(*record, pair, false).left(4000));
    case Qt::BackgroundRole:
        if (record->state == RecordState::Added)
            return QBrush(AddedTint);
        if (record->state == RecordState::Removed)
            return QBrush(RemovedTint);
        if (pair < 0 ? record->state == RecordState::Changed : cellChanged(*record, pair))
            return QBrush(ChangedTint);
        return {};
    case Qt::ForegroundRole:
        return record->state == RecordState::Same ? QVariant() : QVariant(QBrush(Qt::black));
    case Qt::ToolTipRole:
        if (pair >= 0 && cellChanged(*record, pair))
            return tr("Other version: %1").arg(cellText(*record, pair, true));
        return {};
    default: return {};
    }
}

QVariant ComparisonModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || !mNewer)
        return {};
    if (orientation == Qt::Horizontal) {
        const int pair = pairOfColumn(section);
        if (pair < 0 || pair >= mComparison.fields.size())
            return {};
        const FieldPair &fields = mComparison.fields.at(pair);
        if (fields.newerField > mNewer->fieldCount())
            return {};
        return pairName(mComparison, pair, *mOlder, *mNewer, *mRegional);
    }
    const RecordComparison *record = recordAt(section);
    if (!record)
        return {};
    // The record's number in the open version; a removed record's in the other, in brackets.
    return record->newerRecord > 0
               ? recordNumberText(record->newerRecord)
               : QStringLiteral("(%1)").arg(recordNumberText(record->olderRecord));
}

} // namespace kribed
