// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/grid/database_document.h"

#include "gui/grid/document_door_p.h"

#include "core/editing/cell_clipboard.h"
#include "core/editing/column_filter.h"
#include "core/editing/record_filter.h"
#include "core/editing/row_clipboard.h"
#include "core/handheld/install.h"
#include "core/platform/prompter.h"
#include "gui/grid/grid_places.h"
#include "gui/grid/recorded_edits.h"
#include "gui/grid/view_state_step.h"

#include <cmath>
#include <memory>

namespace kribed {

DatabaseDocument::DatabaseDocument(const Regional &regional, QObject *parent)
    : QObject(parent)
    , mModel(mDatabase, mRegional, this, this)
    , mHistory(*this)
    , mDesktop(regional)
    , mRegional(regional)
{
    connect(this, &DatabaseDocument::rowVisibilityChanged, this,
            &DatabaseDocument::noteStoredFilter);
}

void DatabaseDocument::setRegional(const Regional &regional)
{
    mDesktop = regional;
    mRegional = regional;
    mChoice = {};
    Q_EMIT regionalChanged();
}

void DatabaseDocument::setCodePage(const QByteArray &codePage)
{
    if (mRegional.codePage() == codePage)
        return;
    mDesktop.setCodePage(codePage);
    mRegional.setCodePage(codePage);
    Q_EMIT regionalChanged();
}

void DatabaseDocument::chooseFormats(const FormatsChoice &choice)
{
    if (choice == mChoice)
        return;
    mChoice = choice;
    mRegional =
        choice.isDesktop() ? mDesktop : Regional(QLocale(choice.localeName), mDesktop.codePage());
    Q_EMIT regionalChanged();
}

LoadResult DatabaseDocument::load(const QString &path, Prompter &prompter,
                                  const std::function<void()> &beforeReplace)
{
    Database fromFile = mDatabase;
    const LoadResult result = loadDatabaseFile(path, fromFile, prompter);
    if (result == LoadResult::NotOpened)
        return result;
    if (beforeReplace)
        beforeReplace();
    if (result == LoadResult::Loaded) {
        mView.columnFilters = {};
        chooseFormats({});
        DocumentDoor(*this).resetWith([&fromFile](Database &database) {
            database = std::move(fromFile);
            database.showAllRecords();
            database.setFilterOn(false);
        });
        Q_EMIT loaded();
    }
    return result;
}

bool DatabaseDocument::save(SaveMode mode, const QString &fileName, int currentColumn,
                            Prompter &prompter)
{
    if (!saveDatabase(mDatabase, mode, fileName, currentColumn, prompter))
        return false;
    mHistory.markSaved();
    mRecovered.reset();
    Q_EMIT saved();
    return true;
}

void DatabaseDocument::close()
{
    mView.columnFilters = {};
    chooseFormats({});
    DocumentDoor(*this).resetWith([](Database &database) {
        database.setShape(0, 0);
        database.setName({});
        database.setFilePath({});
        database.setFilterOn(false);
    });
}

void DatabaseDocument::replace(Database database)
{
    mView.columnFilters = {};
    chooseFormats({});
    DocumentDoor(*this).resetWith([&database](Database &open) { open = std::move(database); });
}

void DatabaseDocument::replaceUnsaved(Database database)
{
    mView.columnFilters = {};
    chooseFormats({});
    DocumentDoor(*this).resetWith([&database](Database &open) { open = std::move(database); },
                                  true);
}

bool DatabaseDocument::install(const UserList &users, int userIndex, const InstallOptions &options,
                               const AutoSizing &autoSizing, int currentColumn, Prompter &prompter)
{
    const bool wasModified = isModified();
    const bool written =
        installDatabase(mDatabase, users, userIndex, options, autoSizing, currentColumn, prompter);
    // Saved to its own file on the way (Save at Install), which clears the database's own flag:
    // the present state is the saved one.
    if (wasModified && !mDatabase.isModified()) {
        mHistory.markSaved();
        mRecovered.reset();
    }
    showMark();
    return written;
}

ViewState DatabaseDocument::viewState() const
{
    ViewState state = mView;
    state.filter.first().text = mDatabase.filterText();
    state.storedFilterField = mDatabase.filterField();
    state.filterOn = mDatabase.filterOn();
    return state;
}

void DatabaseDocument::changeViewState(const ViewState &state, const QString &text)
{
    const ViewState before = viewState();
    if (state == before)
        return;
    if (text.isEmpty()) {
        writeViewState(before, state);
        return;
    }
    {
        const EditHistory::Recording recording(mHistory);
        writeViewState(before, state);
    }
    mHistory.push(text, std::make_unique<ViewStateStep>(before, viewState()));
}

void DatabaseDocument::writeViewState(const ViewState &before, const ViewState &state)
{
    mView = state;
    const QByteArray &text = state.filter.first().text;
    if (text != before.filter.first().text || state.storedFilterField != before.storedFilterField) {
        DocumentDoor(*this).changeSettings([&](Database &database) {
            database.setFilterText(text);
            database.setFilterField(state.storedFilterField);
        });
    }
    if (state.filterOn != before.filterOn) {
        mDatabase.setFilterOn(state.filterOn);
        showFilteredRecords();
    } else if (state.columnFilters != before.columnFilters) {
        showFilteredRecords();
    }
    noteStoredFilter();
}

void DatabaseDocument::showFilteredRecords()
{
    applyFilter(mDatabase, mDatabase.filterOn(), mView.filter.options());
    applyColumnFilters(mDatabase, mView.columnFilters, mRegional);
    Q_EMIT rowVisibilityChanged();
}

void DatabaseDocument::followFields(const std::function<void(ColumnFilters &)> &remap)
{
    if (mView.columnFilters.isEmpty())
        return;
    const qsizetype before = mView.columnFilters.fields.size();
    remap(mView.columnFilters);
    if (mView.columnFilters.fields.size() != before)
        showFilteredRecords();
    noteStoredFilter();
}

QVector<int> DatabaseDocument::fieldTypes() const
{
    QVector<int> types;
    for (int field = 1; field <= mDatabase.fieldCount(); ++field)
        types.append(mDatabase.fieldType(field));
    return types;
}

void DatabaseDocument::dropFiltersOfRetypedFields(const QVector<int> &typesBefore)
{
    if (typesBefore.size() != mDatabase.fieldCount())
        return;
    followFields([&](ColumnFilters &filters) {
        filters.fields.removeIf([&](const FieldFilter &filter) {
            return filter.field >= 1 && filter.field <= typesBefore.size()
                   && typesBefore[filter.field - 1] != mDatabase.fieldType(filter.field);
        });
    });
}

void DatabaseDocument::noteStoredFilter()
{
    const ViewState now = viewState();
    if (now == mViewShown)
        return;
    mViewShown = now;
    Q_EMIT viewStateChanged();
}

void DatabaseDocument::setWidthScale(double scale)
{
    mDatabase.setWidthScale(scale);
}

void DatabaseDocument::setColumnWidths(const QVector<int> &widths)
{
    for (int field = 1; field <= mDatabase.fieldCount() && field <= widths.size(); ++field)
        mDatabase.setColumnWidth(field, widths[field - 1]);
    Q_EMIT columnWidthsChanged();
}

void DatabaseDocument::limitColumnWidths(int largest)
{
    for (int field = 1; field <= mDatabase.fieldCount(); ++field) {
        if (mDatabase.columnWidth(field) > largest)
            mDatabase.setColumnWidth(field, largest);
    }
}

void DatabaseDocument::keepColumnUnits(double oldScale)
{
    const double newScale = mDatabase.widthScale();
    if (oldScale > 0) {
        for (int field = 1; field <= mDatabase.fieldCount(); ++field) {
            const double pixels = double(mDatabase.columnWidth(field)) * newScale / oldScale;
            mDatabase.setColumnWidth(field, int(std::nearbyint(pixels)));
        }
    }
    Q_EMIT columnWidthsChanged();
}

void DatabaseDocument::sizeColumnsAutomatically(AutoWidths &autoWidths, bool on,
                                                const TextWidthMeasure &measure)
{
    autoSizeColumns(mDatabase, autoWidths, on, measure);
    Q_EMIT columnWidthsChanged();
}

void DatabaseDocument::refreshCells()
{
    if (mDatabase.recordCount() > 0 && mDatabase.fieldCount() > 0) {
        Q_EMIT mModel.dataChanged(mModel.index(0, 0),
                                  mModel.index(rowOfRecord(mDatabase.recordCount()),
                                               columnOfField(mDatabase.fieldCount())),
                                  {Qt::DisplayRole, Qt::EditRole});
    }
}

void DatabaseDocument::copyRow(RowClipboard &clipboard, int record)
{
    kribed::copyRow(mDatabase, clipboard, record);
    mHistory.markChangedOutside();
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

void DatabaseDocument::notifyFieldNamesChanged()
{
    if (mDatabase.fieldCount() > 0)
        Q_EMIT mModel.headerDataChanged(Qt::Horizontal, 0, columnOfField(mDatabase.fieldCount()));
}

void DatabaseDocument::markChanged()
{
    mHistory.markChangedOutside();
}

void DatabaseDocument::showMark()
{
    if (mHistory.isModified())
        mDatabase.setModified();
    else
        mDatabase.clearModified();
}

void DatabaseDocument::setColumnWidth(int field, int pixels, bool continuesDrag)
{
    if (mDatabase.columnWidth(field) == pixels)
        return;
    if (continuesDrag && extendColumnDrag(field, pixels))
        return;
    QVector<int> before = WidthsStep::widthsOf(mDatabase);
    mDatabase.setColumnWidth(field, pixels);
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
    step->extend(WidthsStep::widthsOf(mDatabase));
    mHistory.stepExtended();
    return true;
}

void DatabaseDocument::moveRecord(int from, int to)
{
    if (from == to)
        return;
    // Qt names the row a moved row lands in front of, counted before the move: one past the
    // target's row when the record moves down.
    mHistory.noteChange();
    const int destination = to > from ? rowOfRecord(to) + 1 : rowOfRecord(to);
    mModel.beginMoveRows({}, rowOfRecord(from), rowOfRecord(from), {}, destination);
    mDatabase.moveRecord(from, to);
    mModel.endMoveRows();
    Q_EMIT rowVisibilityChanged();
}

void DatabaseDocument::moveField(int from, int to)
{
    if (from == to)
        return;
    mHistory.noteChange();
    const int destination = to > from ? columnOfField(to) + 1 : columnOfField(to);
    mModel.beginMoveColumns({}, columnOfField(from), columnOfField(from), {}, destination);
    mDatabase.moveField(from, to);
    mModel.endMoveColumns();
    followFields([from, to](ColumnFilters &filters) { filters.moveField(from, to); });
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
