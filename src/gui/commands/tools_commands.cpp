// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/commands/tools_commands.h"

#include "core/editing/record_filter.h"
#include "core/editing/sort.h"
#include "core/editing/sums.h"
#include "core/model/regional.h"
#include "gui/commands/command_support.h"
#include "gui/commands/wait_cursor.h"
#include "gui/grid/database_document.h"
#include "gui/grid/edit_history.h"
#include "gui/grid/grid_model.h"
#include "gui/grid/recorded_edits.h"

#include <QAction>

namespace kribed {

namespace {

// A toggle shows its state as a check mark in the menu: an icon there would take the check
// mark's place. The tool bar shows the icon, pressed while the state is on.
QAction *makeToggle(QAction *action)
{
    action->setCheckable(true);
    action->setIconVisibleInMenu(false);
    return action;
}

} // namespace

ToolsCommands::ToolsCommands(Workspace &workspace, QObject *parent)
    : QObject(parent)
    , actionFind(makeCommandAction(this, "actionFind", tr("&Find..."),
                                   QKeySequence(Qt::CTRL | Qt::Key_F), tr("Find")))
    , actionFindNext(
          makeCommandAction(this, "actionFindNext", tr("F&ind next"), QKeySequence(Qt::Key_F4)))
    , actionAutoSizing(
          makeToggle(makeCommandAction(this, "actionAutoSizing", tr("&Auto sizing"),
                                       QKeySequence(Qt::CTRL | Qt::Key_A), tr("Auto sizing"))))
    , actionFilter(
          makeToggle(makeCommandAction(this, "actionFilter", tr("&Enable filter"),
                                       QKeySequence(Qt::CTRL | Qt::Key_E), tr("Filter records"))))
    , actionSortNormal(makeCommandAction(this, "actionSortNormal", tr("Sort &normal"),
                                         QKeySequence(Qt::CTRL | Qt::Key_N), tr("Sort normal")))
    , actionSortReverse(makeCommandAction(this, "actionSortReverse", tr("Sort &reverse"),
                                          QKeySequence(Qt::CTRL | Qt::Key_R), tr("Sort reverse")))
    , actionColumnSum(makeCommandAction(this, "actionColumnSum", tr("Column S&um"),
                                        QKeySequence(Qt::CTRL | Qt::Key_U), tr("Column sum")))
    , actionRowSum(makeToggle(makeCommandAction(this, "actionRowSum", tr("&Row Sum"),
                                                QKeySequence(Qt::CTRL | Qt::Key_W), tr("Row sum"))))
    , mWorkspace(workspace)
    , mFindDialog(workspace.mainWindow())
{
    connect(actionFind, &QAction::triggered, this, &ToolsCommands::find);
    connect(actionFindNext, &QAction::triggered, this, &ToolsCommands::findNext);
    connect(actionAutoSizing, &QAction::triggered, this, &ToolsCommands::toggleAutoSizing);
    connect(actionFilter, &QAction::triggered, this, &ToolsCommands::toggleFilter);
    connect(actionSortNormal, &QAction::triggered, this, &ToolsCommands::sortNormal);
    connect(actionSortReverse, &QAction::triggered, this, &ToolsCommands::sortReverse);
    connect(actionColumnSum, &QAction::triggered, this, &ToolsCommands::columnSum);
    connect(actionRowSum, &QAction::triggered, this, &ToolsCommands::toggleRowSum);
    DatabaseDocument &document = workspace.document();
    connect(&document, &DatabaseDocument::viewStateChanged, this, &ToolsCommands::showStates);
    // A value typed in a cell is an operand of the row sums.
    connect(&document.model(), &GridModel::cellEdited, this, &ToolsCommands::operandsChanged);
    // After an undo or redo the record filter shows exactly the records it keeps.
    connect(&document.history(), &EditHistory::stepRun, &document,
            &DatabaseDocument::showFilteredRecords);
}

void ToolsCommands::showStates()
{
    const ViewState state = mWorkspace.document().viewState();
    actionAutoSizing->setChecked(state.autoSizing);
    actionFilter->setChecked(state.filterOn);
    actionRowSum->setChecked(state.rowSumOn);
}

CommandPlacements ToolsCommands::placements() const
{
    return {
        {actionFind, MenuId::Tools, 100, false, 140, "edit-find"},
        {actionFindNext, MenuId::Tools, 110},
        {actionAutoSizing, MenuId::Tools, 200, true, 150, "kribed-auto-size"},
        {actionFilter, MenuId::Tools, 210, false, 160, "view-filter"},
        {actionSortNormal, MenuId::Tools, 300, true, 170, "view-sort-ascending"},
        {actionSortReverse, MenuId::Tools, 310, false, 180, "view-sort-descending"},
        {actionColumnSum, MenuId::Tools, 400, true, 190, "kribed-column-sum"},
        {actionRowSum, MenuId::Tools, 410, false, 200, "kribed-row-sum"},
    };
}

void ToolsCommands::setDatabaseOpen(bool open)
{
    // Every mode goes off; the widths automatic sizing kept were for the database that went.
    if (!open)
        dropAutoSizing();
    applyFilter(false);
    rowSumOff();
    for (QAction *action : {actionFind, actionFindNext, actionAutoSizing, actionFilter,
                            actionSortNormal, actionSortReverse, actionColumnSum, actionRowSum})
        action->setEnabled(open);
}

// Find ------------------------------------------------------------------------------------------

void ToolsCommands::find()
{
    mFindDialog.state().findActive = false;
    const DatabaseDocument &document = mWorkspace.document();
    mFindDialog.prepare(fieldNames(document.database(), document.regional()),
                        mWorkspace.currentRecord());
    mFindDialog.setDisplayFont(mWorkspace.displayFont());
    if (mFindDialog.exec() == QDialog::Accepted)
        runSearch();
}

void ToolsCommands::findNext()
{
    if (mFindDialog.state().findActive)
        runSearch();
    else
        find();
}

void ToolsCommands::runSearch()
{
    const std::optional<GridCell> found =
        searchNext(mWorkspace.document().database(), mFindDialog.state(),
                   mFindDialog.settings(mWorkspace.document().regional()),
                   mWorkspace.currentRecord(), mWorkspace.prompter());
    if (found)
        mWorkspace.setCurrentCell(found->column, found->row);
}

// Automatic widths ------------------------------------------------------------------------------

void ToolsCommands::toggleAutoSizing()
{
    // The widths it sets or gives back are one undo step; the state stays as switched.
    recordWidths(mWorkspace.document(), tr("Auto sizing"), false,
                 [this] { autoSizeColumns(!isAutoSizing()); });
}

bool ToolsCommands::isAutoSizing() const
{
    return mWorkspace.document().viewState().autoSizing;
}

void ToolsCommands::setAutoSizingState(bool on)
{
    ViewState state = mWorkspace.document().viewState();
    state.autoSizing = on;
    mWorkspace.document().changeViewState(state);
}

void ToolsCommands::autoSizeColumns(bool on)
{
    switchAutoSizing(mWorkspace, on);
}

void ToolsCommands::dropAutoSizing()
{
    setAutoSizingState(false);
    autoSizeColumns(false);
}

// Record filter ---------------------------------------------------------------------------------

void ToolsCommands::toggleFilter()
{
    applyFilter(!isFilterOn());
}

bool ToolsCommands::isFilterOn() const
{
    return mWorkspace.document().database().filterOn();
}

void ToolsCommands::applyFilter(bool on)
{
    // The field and the match options are the view state's, as the filter's controls were last
    // left, whatever database has been loaded since (at first: all fields).
    switchRecordFilter(mWorkspace, on);
}

// Sorting and sums ------------------------------------------------------------------------------

void ToolsCommands::sortNormal()
{
    sort(1);
}

void ToolsCommands::sortReverse()
{
    sort(-1);
}

void ToolsCommands::sort(int direction)
{
    rowSumOff();
    DatabaseDocument &document = mWorkspace.document();
    const Database &database = document.database();
    const int field = mWorkspace.currentField();
    const int record = mWorkspace.currentRecord();
    SortSpec spec;
    spec.direction = direction;
    spec.primary = field;
    spec.secondary = database.secondarySortField();
    spec.tertiary = database.tertiarySortField();
    // The reverse flags are the view state's, as the properties dialog last set them.
    const ViewState view = document.viewState();
    spec.secondaryReverse = view.secondaryReverse;
    spec.tertiaryReverse = view.tertiaryReverse;
    {
        const WaitCursor wait;
        recordRecordOrder(document, direction > 0 ? tr("Sort normal") : tr("Sort reverse"),
                          [&](Database &data) {
                              QVector<int> oldOfNew = sortRows(data, spec, document.regional());
                              for (int &old : oldOfNew)
                                  --old;
                              return oldOfNew;
                          });
    }
    // The current cell stays where it was, whatever record is there now.
    mWorkspace.setCurrentCell(field, record);
    // The hidden rows stayed in their places: the filter picks its records again (and the
    // current cell leaves a record it hides).
    if (isFilterOn())
        document.showFilteredRecords();
}

void ToolsCommands::columnSum()
{
    rowSumOff();
    const int field = mWorkspace.currentField();
    const int record = mWorkspace.currentRecord();
    DatabaseDocument &document = mWorkspace.document();
    recordCells(document, tr("Column Sum"), record, record,
                [&](Database &database) {
                    return kribed::columnSum(database, field, record, document.regional());
                },
                {field, record});
}

void ToolsCommands::toggleRowSum()
{
    setRowSumState(!isRowSumOn());
    if (isRowSumOn()) {
        mRowSumCommand = true;
        computeRowSums();
        mRowSumCommand = false;
    }
}

bool ToolsCommands::isRowSumOn() const
{
    return mWorkspace.document().viewState().rowSumOn;
}

void ToolsCommands::setRowSumState(bool on)
{
    ViewState state = mWorkspace.document().viewState();
    state.rowSumOn = on;
    mWorkspace.document().changeViewState(state);
}

void ToolsCommands::rowSumOff()
{
    setRowSumState(false);
}

void ToolsCommands::operandsChanged()
{
    if (!isRowSumOn())
        return;
    // Without a single sum field the row sum is a one-shot command that would write into the
    // current cell, which is one just changed: the mode only goes off.
    if (singleSumField(mWorkspace.document().database()) > 0)
        computeRowSums();
    else
        rowSumOff();
}

// Fills the sum field of every record while row-sum mode is on; without a single sum field only
// the current cell, and the mode goes off again.
void ToolsCommands::computeRowSums()
{
    RowSumState state;
    state.rowSumMode = isRowSumOn();
    DatabaseDocument &document = mWorkspace.document();
    // The Row Sum command is a step of its own; after typing in a cell, the sums join the
    // typing's step.
    const int field = mWorkspace.currentField();
    const int record = mWorkspace.currentRecord();
    const auto sums = [&](Database &database) {
        kribed::computeRowSums(database, state, field, record, document.regional());
    };
    if (mRowSumCommand)
        recordCells(document, tr("Row Sum"), 1, document.database().recordCount(), sums);
    else
        recordFollowUpCells(document, tr("Row Sum"), 1, document.database().recordCount(), sums);
    if (!state.rowSumMode)
        rowSumOff();
}

} // namespace kribed
