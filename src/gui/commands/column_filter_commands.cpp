// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/commands/column_filter_commands.h"

#include "core/editing/record_filter.h"
#include "core/editing/value_counts.h"
#include "core/platform/file_memory.h"
#include "core/platform/settings.h"
#include "gui/commands/command_support.h"
#include "gui/commands/frozen_columns.h"
#include "gui/commands/workspace.h"
#include "gui/dialogs/column_filter_popup.h"
#include "gui/grid/database_document.h"
#include "gui/grid/grid_header.h"
#include "gui/grid/grid_places.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QTableView>

namespace kribed {

namespace {

FileMemory columnFilterMemory()
{
    return FileMemory(QStringLiteral("ColumnFilters"), QStringLiteral("Filters"));
}

FileMemory frozenColumnsMemory()
{
    return FileMemory(QStringLiteral("FrozenColumns"), QStringLiteral("Fields"));
}

} // namespace

ColumnFilterCommands::ColumnFilterCommands(Workspace &workspace, QObject *parent)
    : QObject(parent)
    , actionColumnFilters(makeCommandAction(this, "actionColumnFilters", tr("Col&umn filters"),
                                            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F),
                                            tr("Filter buttons in the field headers")))
    , actionClearFilters(makeCommandAction(this, "actionClearFilters", tr("Clear all fi&lters"), {},
                                           tr("Remove every column filter")))
    , actionFreezeColumns(makeCommandAction(this, "actionFreezeColumns",
                                            tr("F&reeze columns up to here"), {},
                                            tr("Keep the fields left of the current cell in "
                                               "place while scrolling right")))
    , mWorkspace(workspace)
    , mPopup(new ColumnFilterPopup(workspace.mainWindow()))
    , mShown(new QLabel(workspace.mainWindow()))
    , mFrozen(new FrozenColumns(workspace.gridView(), this))
{
    actionColumnFilters->setCheckable(true);
    actionFreezeColumns->setCheckable(true);
    connect(actionFreezeColumns, &QAction::triggered, this, &ColumnFilterCommands::freezeColumns);
    connect(mFrozen->overlayHeader(), &GridHeader::filterButtonClicked, this,
            [this](int section) { openFilterPopup(fieldOfColumn(section)); });
    // After the grid has hidden and shown its rows.
    connect(&workspace.document(), &DatabaseDocument::rowVisibilityChanged, mFrozen,
            &FrozenColumns::followRows, Qt::QueuedConnection);
    mShown->setObjectName(QStringLiteral("shownRecordsPanel"));
    connect(actionColumnFilters, &QAction::toggled, this, &ColumnFilterCommands::switchFilters);
    connect(actionClearFilters, &QAction::triggered, this, &ColumnFilterCommands::clearAllFilters);
    connect(mPopup, &ColumnFilterPopup::chosen, this, &ColumnFilterCommands::changeFieldFilter);
    connect(mPopup, &ColumnFilterPopup::cleared, this, [this](int field) {
        FieldFilter none;
        none.field = field;
        changeFieldFilter(none);
    });

    DatabaseDocument &document = workspace.document();
    for (auto signal : {&DatabaseDocument::viewStateChanged,
                        &DatabaseDocument::rowVisibilityChanged, &DatabaseDocument::replaced})
        connect(&document, signal, this, &ColumnFilterCommands::follow);
    // Another database keeps no frozen fields, unless its file had some (loaded, after this).
    connect(&document, &DatabaseDocument::replaced, this, [this] { freeze(0); });
    connect(&document, &DatabaseDocument::loaded, this, &ColumnFilterCommands::databaseLoaded);
    // Numbers, dates and times read differently in other formats.
    connect(&document, &DatabaseDocument::regionalChanged, this, [&document] {
        if (!document.viewState().columnFilters.isEmpty())
            document.showFilteredRecords();
    });
    connect(&document.model(), &QAbstractItemModel::modelAboutToBeReset, this,
            [this] { mMemoryPath.clear(); });
    if (GridHeader *grid = header()) {
        connect(grid, &GridHeader::filterButtonClicked, this,
                [this](int section) { openFilterPopup(fieldOfColumn(section)); });
    }
    workspace.gridView().installEventFilter(this);
    follow();
}

CommandPlacements ColumnFilterCommands::placements() const
{
    return {
        {actionColumnFilters, MenuId::Tools, 225},
        {actionClearFilters, MenuId::Tools, 226},
        {actionFreezeColumns, MenuId::Tools, 227},
    };
}

CommandPanels ColumnFilterCommands::panels() const
{
    return {{mShown, PanelPlace::StatusBar, 150}};
}

void ColumnFilterCommands::setDatabaseOpen(bool open)
{
    actionColumnFilters->setEnabled(open);
    actionFreezeColumns->setEnabled(open);
    if (!open)
        freeze(0);
    follow();
}

GridHeader *ColumnFilterCommands::header() const
{
    return qobject_cast<GridHeader *>(mWorkspace.gridView().horizontalHeader());
}

QVector<char> ColumnFilterCommands::recordFilterShows() const
{
    const DatabaseDocument &document = mWorkspace.document();
    const ViewState state = document.viewState();
    return recordsFilterShows(document.database(), state.filterOn, state.filter.options());
}

void ColumnFilterCommands::openFilterPopup(int field)
{
    const DatabaseDocument &document = mWorkspace.document();
    const Database &database = document.database();
    if (!mWorkspace.isDatabaseOpen() || field < 1 || field > database.fieldCount())
        return;
    if (!actionColumnFilters->isChecked())
        actionColumnFilters->setChecked(true);
    const ColumnFilters &filters = document.viewState().columnFilters;
    int index = -1;
    for (int at = 0; at < filters.fields.size(); ++at) {
        if (filters.fields[at].field == field)
            index = at;
    }
    // The values are counted over the records the record filter and the other fields' filters
    // leave, so a list shows what this field can still narrow.
    const QVector<char> base = recordFilterShows();
    const ColumnFilterResult others =
        runColumnFilters(database, filters, document.regional(), base, index);
    QVector<int> records;
    for (int at = 0; at < others.passes.size(); ++at) {
        if (others.passes[at])
            records << at + 1;
    }
    int unreadable = 0;
    if (index >= 0) {
        ColumnFilters own;
        own.fields = {filters.fields[index]};
        unreadable = runColumnFilters(database, own, document.regional(), base).unreadable[0];
    }
    mPopup->prepare(field, document.regional().toText(database.fieldName(field)),
                    database.fieldType(field), document.regional(),
                    valueCounts(database, field, records, document.regional(), ValueOrder::ByValue),
                    filters.of(field), unreadable);
    mPopup->setFont(mWorkspace.displayFont());
    QTableView &grid = mWorkspace.gridView();
    const int section = columnOfField(field);
    QPoint below(grid.horizontalHeader()->sectionViewportPosition(section),
                 grid.horizontalHeader()->height());
    below = grid.horizontalHeader()->mapToGlobal(below);
    mPopup->adjustSize();
    mPopup->move(below);
    mPopup->show();
    mPopup->searchBox()->setFocus();
}

void ColumnFilterCommands::changeFieldFilter(const FieldFilter &filter)
{
    if (!mWorkspace.isDatabaseOpen())
        return;
    DatabaseDocument &document = mWorkspace.document();
    ViewState state = document.viewState();
    state.columnFilters.set(filter);
    document.changeViewState(state, tr("Column filter"));
}

void ColumnFilterCommands::clearAllFilters()
{
    DatabaseDocument &document = mWorkspace.document();
    ViewState state = document.viewState();
    state.columnFilters = {};
    document.changeViewState(state, tr("Clear all filters"));
}

void ColumnFilterCommands::switchFilters(bool on)
{
    // The buttons go with their filters: filters left without buttons would hide records with
    // nothing in the headers to tell.
    if (!on && !mWorkspace.document().viewState().columnFilters.isEmpty())
        clearAllFilters();
    follow();
}

QString ColumnFilterCommands::shownText() const
{
    const DatabaseDocument &document = mWorkspace.document();
    const Database &database = document.database();
    int shown = 0;
    for (int record = 1; record <= database.recordCount(); ++record)
        shown += database.isHidden(record) ? 0 : 1;
    if (!mWorkspace.isDatabaseOpen() || shown == database.recordCount())
        return {};
    return tr("%1 of %2 records shown").arg(shown).arg(database.recordCount());
}

void ColumnFilterCommands::follow()
{
    const DatabaseDocument &document = mWorkspace.document();
    const bool open = mWorkspace.isDatabaseOpen();
    const ColumnFilters &filters = document.viewState().columnFilters;
    // Filters brought back by an undo or from the memory show their buttons.
    if (open && !filters.isEmpty() && !actionColumnFilters->isChecked()) {
        const QSignalBlocker blocker(actionColumnFilters);
        actionColumnFilters->setChecked(true);
    }
    actionClearFilters->setEnabled(open && !filters.isEmpty());
    QHash<int, QString> marks;
    for (const FieldFilter &filter : filters.fields)
        marks.insert(columnOfField(filter.field), describeFieldFilter(filter, document.regional()));
    for (GridHeader *grid : {header(), mFrozen->overlayHeader()}) {
        if (grid) {
            grid->setFilterButtons(open && actionColumnFilters->isChecked());
            grid->setFilterMarks(marks);
        }
    }
    mShown->setText(shownText());
    keepInMemory();
}

void ColumnFilterCommands::databaseLoaded()
{
    DatabaseDocument &document = mWorkspace.document();
    const QString path = document.database().filePath();
    const std::optional<QString> kept = columnFilterMemory().recall(*openSettingsStore(), path);
    mMemoryPath = path;
    mKept = kept.value_or(QString());
    const std::optional<QString> frozen = frozenColumnsMemory().recall(*openSettingsStore(), path);
    freeze(std::min(frozen.value_or(QString()).toInt(), document.database().fieldCount() - 1));
    if (!kept)
        return;
    ViewState state = document.viewState();
    state.columnFilters = columnFiltersFromText(*kept, document.database());
    document.changeViewState(state);
}

void ColumnFilterCommands::keepInMemory()
{
    const DatabaseDocument &document = mWorkspace.document();
    if (mMemoryPath.isEmpty() || document.database().filePath() != mMemoryPath)
        return;
    const QString text = columnFiltersText(document.viewState().columnFilters, document.database());
    if (text == mKept)
        return;
    mKept = text;
    columnFilterMemory().keep(*openSettingsStore(), mMemoryPath, text);
}

void ColumnFilterCommands::freezeColumns()
{
    const int fields = mFrozen->count() > 0 ? 0 : mWorkspace.currentField() - 1;
    freeze(fields);
    const QString &path = mWorkspace.document().database().filePath();
    if (!path.isEmpty()) {
        frozenColumnsMemory().keep(*openSettingsStore(), path,
                                   fields > 0 ? QString::number(fields) : QString());
    }
}

void ColumnFilterCommands::freeze(int fields)
{
    mFrozen->freeze(std::max(0, fields));
    actionFreezeColumns->setChecked(mFrozen->count() > 0);
}

bool ColumnFilterCommands::eventFilter(QObject *watched, QEvent *event)
{
    // Alt+Down opens the current field's filter, as in spreadsheets' drop-down cells.
    if (event->type() == QEvent::KeyPress && actionColumnFilters->isChecked()) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Down && key->modifiers() == Qt::AltModifier) {
            openFilterPopup(mWorkspace.currentField());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kribed
