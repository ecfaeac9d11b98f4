// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/grid/database_document.h"

#include "core/editing/cell_clipboard.h"

#include "core/platform/prompter.h"

namespace kribed {

DatabaseDocument::DatabaseDocument(QObject *parent) : QObject(parent), mModel(*this, this) {}

LoadResult DatabaseDocument::Load(const QString &path, Prompter &prompter,
                                  const std::function<void()> &beforeReplace)
{
    Database loaded = mDatabase;
    const LoadResult result = LoadDatabaseFile(path, loaded, prompter);
    if (result == LoadResult::NotOpened)
        return result;
    if (beforeReplace)
        beforeReplace();
    if (result == LoadResult::Loaded) {
        ResetWith([&loaded](Database &database) {
            database = std::move(loaded);
            database.ShowAllRecords();
            database.SetFilterOn(false);
            database.ClearModified();
        });
    }
    return result;
}

bool DatabaseDocument::Save(SaveMode mode, const QString &fileName, int currentColumn,
                            Prompter &prompter)
{
    return SaveDatabase(mDatabase, mode, fileName, currentColumn, prompter);
}

void DatabaseDocument::Close()
{
    ResetWith([](Database &database) {
        database.SetShape(0, 0);
        database.SetName({});
        database.SetFilePath({});
        database.SetFilterOn(false);
        database.ClearModified();
    });
}

void DatabaseDocument::SetCell(int field, int record, const QByteArray &value)
{
    mDatabase.SetCell(field, record, value);
    mDatabase.SetModified();
    const QModelIndex index = mModel.index(record - 1, field - 1);
    Q_EMIT mModel.dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
}

bool DatabaseDocument::StoreTypedText(int field, int record, const QByteArray &value,
                                      const QDateTime &now)
{
    // The stamp may change any cell of the record.
    return ChangeCells(1, record, mDatabase.FieldCount(), record, [&](Database &database) {
               return StoreEditedText(database, field, record, value, now);
           }).applied;
}

void DatabaseDocument::SetFieldName(int field, const QByteArray &name)
{
    mDatabase.SetFieldName(field, name);
    mDatabase.SetModified();
    Q_EMIT mModel.headerDataChanged(Qt::Horizontal, field - 1, field - 1);
}

void DatabaseDocument::NotifyFieldNamesChanged()
{
    if (mDatabase.FieldCount() > 0)
        Q_EMIT mModel.headerDataChanged(Qt::Horizontal, 0, mDatabase.FieldCount() - 1);
}

void DatabaseDocument::SetModified()
{
    mDatabase.SetModified();
}

void DatabaseDocument::ClearModified()
{
    mDatabase.ClearModified();
}

void DatabaseDocument::SetColumnWidth(int field, int pixels)
{
    if (mDatabase.ColumnWidth(field) == pixels)
        return;
    mDatabase.SetColumnWidth(field, pixels);
    mDatabase.SetModified();
}

void DatabaseDocument::MoveRecord(int from, int to)
{
    if (from == to)
        return;
    // Qt names the row a moved row lands in front of, counted before the move.
    const int destination = to > from ? to : to - 1;
    mModel.beginMoveRows({}, from - 1, from - 1, {}, destination);
    mDatabase.MoveRecord(from, to);
    mDatabase.SetModified();
    mModel.endMoveRows();
    Q_EMIT RowVisibilityChanged();
}

void DatabaseDocument::MoveField(int from, int to)
{
    if (from == to)
        return;
    const int destination = to > from ? to : to - 1;
    mModel.beginMoveColumns({}, from - 1, from - 1, {}, destination);
    mDatabase.MoveField(from, to);
    mDatabase.SetModified();
    mModel.endMoveColumns();
    Q_EMIT ColumnWidthsChanged();
}

void DatabaseDocument::RemapPersistentRows(const QVector<int> &oldOfNew)
{
    if (oldOfNew.isEmpty())
        return;
    QVector<int> newOfOld(oldOfNew.size(), -1);
    for (int place = 0; place < oldOfNew.size(); ++place) {
        if (oldOfNew[place] >= 0 && oldOfNew[place] < newOfOld.size())
            newOfOld[oldOfNew[place]] = place;
    }
    const QModelIndexList before = mModel.persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex &index : before) {
        const int row = index.row() < newOfOld.size() ? newOfOld[index.row()] : -1;
        after.append(row >= 0 ? mModel.index(row, index.column()) : QModelIndex());
    }
    mModel.changePersistentIndexList(before, after);
}

} // namespace kribed
