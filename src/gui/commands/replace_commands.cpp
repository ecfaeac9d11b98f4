// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/commands/replace_commands.h"

#include "core/model/database.h"
#include "core/model/regional.h"
#include "gui/commands/command_support.h"
#include "gui/commands/tools_commands.h"
#include "gui/commands/wait_cursor.h"
#include "gui/commands/workspace.h"
#include "gui/grid/cell_range_clipboard.h"
#include "gui/grid/database_document.h"
#include "gui/grid/grid_model.h"
#include "gui/grid/grid_places.h"
#include "gui/grid/recorded_edits.h"

#include <QAction>
#include <QDateTime>
#include <QItemSelectionModel>
#include <QTableView>

namespace kribed {

ReplaceCommands::ReplaceCommands(Workspace &workspace, ToolsCommands &tools, QObject *parent)
    : QObject(parent)
    , actionReplace(makeCommandAction(this, "actionReplace", tr("&Replace..."),
                                      QKeySequence(Qt::CTRL | Qt::Key_H), tr("Replace")))
    , mWorkspace(workspace)
    , mDialog(workspace.mainWindow())
{
    connect(this, &ReplaceCommands::cellsChanged, &tools, &ToolsCommands::operandsChanged);
    connect(actionReplace, &QAction::triggered, this, &ReplaceCommands::replace);
    connect(&mDialog, &ReplaceDialog::findNextRequested, this, &ReplaceCommands::findNext);
    connect(&mDialog, &ReplaceDialog::replaceRequested, this, &ReplaceCommands::replaceCurrent);
    connect(&mDialog, &ReplaceDialog::replaceAllRequested, this,
            &ReplaceCommands::replaceEverywhere);
    GridModel &model = workspace.document().model();
    connect(&model, &QAbstractItemModel::columnsInserted, this,
            [this](const QModelIndex &, int first, int last) { fieldsInserted(first, last); });
    connect(&model, &QAbstractItemModel::columnsRemoved, this,
            [this](const QModelIndex &, int first, int last) { fieldsRemoved(first, last); });
    connect(&model, &QAbstractItemModel::columnsMoved, this,
            [this](const QModelIndex &, int first, int last, const QModelIndex &, int to) {
                fieldsMoved(first, last, to);
            });
    connect(&model, &QAbstractItemModel::headerDataChanged, this,
            [this](Qt::Orientation orientation) {
                if (orientation == Qt::Horizontal)
                    showFields(mDialog.chosenField());
            });
    connect(&model, &QAbstractItemModel::modelReset, this,
            [this] { showFields(mDialog.chosenField()); });
}

void ReplaceCommands::showFields(int chosenField)
{
    const DatabaseDocument &document = mWorkspace.document();
    mDialog.showFields(fieldNames(document.database(), document.regional()), chosenField);
}

void ReplaceCommands::fieldsInserted(int firstColumn, int lastColumn)
{
    int chosen = mDialog.chosenField();
    if (chosen >= fieldOfColumn(firstColumn))
        chosen += lastColumn - firstColumn + 1;
    showFields(chosen);
}

void ReplaceCommands::fieldsRemoved(int firstColumn, int lastColumn)
{
    int chosen = mDialog.chosenField();
    if (chosen > fieldOfColumn(lastColumn))
        chosen -= lastColumn - firstColumn + 1;
    else if (chosen >= fieldOfColumn(firstColumn))
        chosen = -1; // gone: no other field takes its place unasked
    showFields(chosen);
}

void ReplaceCommands::fieldsMoved(int firstColumn, int lastColumn, int destination)
{
    // The columns first..last went before the column `destination` (counted before the move).
    const int first = fieldOfColumn(firstColumn);
    const int last = fieldOfColumn(lastColumn);
    const int before = fieldOfColumn(destination);
    const int count = last - first + 1;
    int chosen = mDialog.chosenField();
    if (chosen >= first && chosen <= last)
        chosen += (before > last ? before - count : before) - first;
    else if (chosen > last && chosen < before)
        chosen -= count;
    else if (chosen >= before && chosen < first)
        chosen += count;
    showFields(chosen);
}

void ReplaceCommands::selectionChanged()
{
    const std::optional<CellRange> block = selectedRange(mWorkspace.gridView());
    mDialog.offerSelection(block && !block->isSingleCell());
}

CommandPlacements ReplaceCommands::placements() const
{
    return {{actionReplace, MenuId::Edit, 700, true}};
}

void ReplaceCommands::setDatabaseOpen(bool open)
{
    actionReplace->setEnabled(open);
    if (!open) {
        mDialog.close();
        mLastMatch.reset();
    }
}

void ReplaceCommands::replace()
{
    const DatabaseDocument &document = mWorkspace.document();
    const std::optional<CellRange> block = selectedRange(mWorkspace.gridView());
    mLastMatch.reset();
    mDialog.prepare(fieldNames(document.database(), document.regional()),
                    block && !block->isSingleCell(), document.database().filterOn());
    if (QItemSelectionModel *selection = mWorkspace.gridView().selectionModel()) {
        connect(selection, &QItemSelectionModel::selectionChanged, this,
                &ReplaceCommands::selectionChanged, Qt::UniqueConnection);
    }
    mDialog.setDisplayFont(mWorkspace.displayFont());
    mDialog.show();
    mDialog.raise();
    mDialog.activateWindow();
}

ReplaceSettings ReplaceCommands::currentSettings() const
{
    ReplaceSettings settings = mDialog.settings();
    if (mDialog.inSelection()) {
        // The block selected now; with none, a range no cell lies in.
        settings.selection = selectedRange(mWorkspace.gridView()).value_or(CellRange{1, 1, 0, 0});
    }
    return settings;
}

void ReplaceCommands::tell(const QString &text)
{
    mWorkspace.prompter().ask(Message{tr("Replace"), text, Icon::None, Buttons::Ok});
}

std::optional<GridCell> ReplaceCommands::searchNext(const ReplaceSettings &settings,
                                                    CellReplacer &replacer)
{
    const Database &database = mWorkspace.document().database();
    const GridCell last{database.fieldCount(), database.recordCount()};
    GridCell start{mWorkspace.currentField(), mWorkspace.currentRecord()};
    if (mLastMatch && *mLastMatch == start) {
        start = start.column < last.column ? GridCell{start.column + 1, start.row}
                                           : GridCell{1, start.row + 1};
    }
    if (std::optional<GridCell> found = findReplaceMatch(database, replacer, settings, start, last))
        return found;
    const bool fromTop = start.row <= 1 && start.column <= 1;
    if (!fromTop) {
        const Answer answer = mWorkspace.prompter().ask(
            Message{tr("Replace"), tr("The end of the records was reached. Go on from the top?"),
                    Icon::Question, Buttons::YesNo});
        if (answer != Answer::Yes)
            return std::nullopt;
        const GridCell beforeStart = start.column > 1 ? GridCell{start.column - 1, start.row}
                                                      : GridCell{last.column, start.row - 1};
        if (std::optional<GridCell> found =
                findReplaceMatch(database, replacer, settings, {1, 1}, beforeStart))
            return found;
    }
    tell(tr("Search text not found."));
    return std::nullopt;
}

bool ReplaceCommands::confirmReplacement(ReplaceSettings settings, CellReplacer &replacer,
                                         const std::optional<CellRange> &onlyCell)
{
    const DatabaseDocument &document = mWorkspace.document();
    Prompter &prompter = mWorkspace.prompter();
    if (!confirmUnheldReplacement(prompter, settings.replacement, document.regional()))
        return false;
    if (onlyCell)
        settings.selection = onlyCell;
    int leaving = 0;
    {
        const WaitCursor wait;
        leaving =
            countCellsLeavingType(document.database(), replacer, settings, document.regional());
    }
    return leaving == 0 || prompter.ask(leavingTypeQuestion(leaving)) == Answer::Ok;
}

void ReplaceCommands::findNext()
{
    const ReplaceSettings settings = currentSettings();
    CellReplacer replacer(settings, mWorkspace.document().regional());
    if (!replacer.isValid() || settings.field < 0)
        return;
    if (const std::optional<GridCell> found = searchNext(settings, replacer)) {
        mLastMatch = found;
        mWorkspace.setCurrentCell(found->column, found->row);
    }
}

void ReplaceCommands::replaceCurrent()
{
    const ReplaceSettings settings = currentSettings();
    DatabaseDocument &document = mWorkspace.document();
    CellReplacer replacer(settings, document.regional());
    if (!replacer.isValid() || settings.field < 0)
        return;
    const GridCell current{mWorkspace.currentField(), mWorkspace.currentRecord()};
    // Only the match the dialog went to is replaced; elsewhere Replace first finds one.
    if (mLastMatch && *mLastMatch == current
        && inReplaceScope(document.database(), settings, current.column, current.row)
        && replacer.matches(document.database().cellView(current.column, current.row))) {
        if (!confirmReplacement(
                settings, replacer,
                CellRange{current.column, current.row, current.column, current.row}))
            return;
        const QDateTime now = QDateTime::currentDateTime();
        const ReplaceCount count =
            recordCells(document, tr("Replace"), current.row, current.row,
                        [&](Database &database) {
                            return replaceCell(database, replacer, current.column, current.row, now,
                                               document.regional());
                        },
                        {current.column, current.row});
        if (!count.isEmpty())
            Q_EMIT cellsChanged();
    }
    findNext();
}

void ReplaceCommands::replaceEverywhere()
{
    const ReplaceSettings settings = currentSettings();
    DatabaseDocument &document = mWorkspace.document();
    CellReplacer replacer(settings, document.regional());
    const Database &database = document.database();
    // No field chosen (the chosen one was deleted): nothing to replace in, nothing to tell.
    if (!replacer.isValid() || settings.field < 0 || database.recordCount() == 0)
        return;
    ReplaceCount count;
    if (findReplaceMatch(database, replacer, settings, {1, 1},
                         {database.fieldCount(), database.recordCount()})) {
        if (!confirmReplacement(settings, replacer, std::nullopt))
            return;
        const WaitCursor wait;
        const QDateTime now = QDateTime::currentDateTime();
        count = recordCells(
            document, tr("Replace all"), 1, database.recordCount(), [&](Database &changed) {
                return replaceAll(changed, replacer, settings, now, document.regional());
            });
    }
    if (!count.isEmpty())
        Q_EMIT cellsChanged();
    // Said also in expert mode: it reports what changed.
    mWorkspace.prompter().ask(
        Message{tr("Replace"), replaceSummary(count), Icon::Information, Buttons::Ok});
}

} // namespace kribed
