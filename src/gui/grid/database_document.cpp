// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/grid/database_document.h"

#include "core/editing/cell_clipboard.h"

#include "core/platform/prompter.h"
#include "gui/grid/recorded_edits.h"

namespace kribed {

DatabaseDocument::DatabaseDocument(const Regional &regional, QObject *parent)
    : QObject(parent)
    , mModel(*this, this)
    , mHistory(*this)
    , mRegional(regional)
{
}

void DatabaseDocument::setRegional(const Regional &regional)
{
    mRegional = regional;
    Q_EMIT regionalChanged();
}

void DatabaseDocument::setCodePage(const QByteArray &codePage)
{
    if (mRegional.codePage() == codePage)
        return;
    mRegional.setCodePage(codePage);
    Q_EMIT regionalChanged();
}

LoadResult DatabaseDocument::load(const QString &path, Prompter &prompter,
                                  const std::function<void()> &beforeReplace)
{
    Database loaded = mDatabase;
    const LoadResult result = loadDatabaseFile(path, loaded, prompter);
    if (result == LoadResult::NotOpened)
        return result;
    if (beforeReplace)
        beforeReplace();
    if (result == LoadResult::Loaded) {
        resetWith([&loaded](Database &database) {
            database = std::move(loaded);
            database.showAllRecords();
            database.setFilterOn(false);
            database.clearModified();
        });
    }
    return result;
}

bool DatabaseDocument::save(SaveMode mode, const QString &fileName, int currentColumn,
                            Prompter &prompter)
{
    if (!saveDatabase(mDatabase, mode, fileName, currentColumn, prompter))
        return false;
    mHistory.markSaved();
    return true;
}

void DatabaseDocument::close()
{
    resetWith([](Database &database) {
        database.setShape(0, 0);
        database.setName({});
        database.setFilePath({});
        database.setFilterOn(false);
        database.clearModified();
    });
}

void DatabaseDocument::setCell(int field, int record, const QByteArray &value)
{
    mHistory.noteChange();
    mDatabase.setCell(field, record, value);
    mDatabase.setModified();
    const QModelIndex index = mModel.index(record - 1, field - 1);
    Q_EMIT mModel.dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
}

bool DatabaseDocument::storeTypedText(int field, int record, const QByteArray &value,
                                      const QDateTime &now)
{
    // The stamp may change any cell of the record.
    return recordCells(*this, tr("Edit in place"), record, record,
                       [&](Database &database) {
                           return storeEditedText(database, field, record, value, now, mRegional);
                       },
                       {field, record})
        .applied;
}

void DatabaseDocument::setFieldName(int field, const QByteArray &name)
{
    mHistory.noteChange();
    mDatabase.setFieldName(field, name);
    mDatabase.setModified();
    Q_EMIT mModel.headerDataChanged(Qt::Horizontal, field - 1, field - 1);
}

void DatabaseDocument::notifyFieldNamesChanged()
{
    if (mDatabase.fieldCount() > 0)
        Q_EMIT mModel.headerDataChanged(Qt::Horizontal, 0, mDatabase.fieldCount() - 1);
}

void DatabaseDocument::setModified()
{
    mDatabase.setModified();
}

void DatabaseDocument::clearModified()
{
    mDatabase.clearModified();
}

void DatabaseDocument::setColumnWidth(int field, int pixels, bool continuesDrag)
{
    if (mDatabase.columnWidth(field) == pixels)
        return;
    if (continuesDrag && extendColumnDrag(field, pixels))
        return;
    mHistory.noteOutsideMark();
    QVector<int> before = WidthsStep::widthsOf(mDatabase);
    mDatabase.setColumnWidth(field, pixels);
    mDatabase.setModified();
    auto step =
        std::make_unique<WidthsStep>(std::move(before), WidthsStep::widthsOf(mDatabase), true);
    step->place = {field, 0};
    mHistory.push(tr("Column width"), std::move(step));
}

bool DatabaseDocument::extendColumnDrag(int field, int pixels)
{
    auto *step = dynamic_cast<WidthsStep *>(mHistory.stepToExtend());
    if (!step || step->place.field != field)
        return false;
    mDatabase.setColumnWidth(field, pixels);
    mDatabase.setModified();
    step->extend(WidthsStep::widthsOf(mDatabase));
    mHistory.stepExtended();
    return true;
}

void DatabaseDocument::moveRecord(int from, int to)
{
    if (from == to)
        return;
    // Qt names the row a moved row lands in front of, counted before the move.
    mHistory.noteChange();
    const int destination = to > from ? to : to - 1;
    mModel.beginMoveRows({}, from - 1, from - 1, {}, destination);
    mDatabase.moveRecord(from, to);
    mDatabase.setModified();
    mModel.endMoveRows();
    Q_EMIT rowVisibilityChanged();
}

void DatabaseDocument::moveField(int from, int to)
{
    if (from == to)
        return;
    mHistory.noteChange();
    const int destination = to > from ? to : to - 1;
    mModel.beginMoveColumns({}, from - 1, from - 1, {}, destination);
    mDatabase.moveField(from, to);
    mDatabase.setModified();
    mModel.endMoveColumns();
    Q_EMIT columnWidthsChanged();
}

void DatabaseDocument::remapPersistentRows(const QVector<int> &oldOfNew)
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
