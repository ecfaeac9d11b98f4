// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/commands/row_column_commands.h"

#include "core/editing/row_column_ops.h"
#include "core/platform/settings.h"
#include "gui/commands/command_support.h"
#include "gui/commands/edit_commands.h"
#include "gui/commands/wait_cursor.h"
#include "gui/commands/workspace.h"
#include "gui/grid/database_document.h"
#include "gui/grid/recorded_edits.h"

#include <QAction>
#include <QDateTime>

#include <optional>

namespace kribed {

RowColumnCommands::RowColumnCommands(Workspace &workspace, EditCommands &edit, QObject *parent)
    : QObject(parent)
    , actionDeleteRow(makeCommandAction(this, "actionDeleteRow", tr("&Delete Row"),
                                        QKeySequence(Qt::CTRL | Qt::Key_Delete), tr("Delete row")))
    , actionInsertRow(makeCommandAction(this, "actionInsertRow", tr("&Insert Row"),
                                        QKeySequence(Qt::CTRL | Qt::Key_Insert), tr("Insert row")))
    , actionAppendRow(makeCommandAction(this, "actionAppendRow", tr("&Append Row"),
                                        QKeySequence(Qt::ALT | Qt::Key_Insert), tr("Append row")))
    , actionDeleteColumn(makeCommandAction(this, "actionDeleteColumn", tr("Dele&te Column"), {},
                                           tr("Delete column")))
    , actionInsertColumn(makeCommandAction(this, "actionInsertColumn", tr("I&nsert Column"), {},
                                           tr("Insert column")))
    , actionAppendColumn(makeCommandAction(this, "actionAppendColumn", tr("A&ppend Column"), {},
                                           tr("Append column")))
    , contextDeleteRow(makeContextAction(this, "contextDeleteRow", tr("&Delete row"),
                                         QKeySequence(Qt::CTRL | Qt::Key_Delete)))
    , contextInsertRow(makeContextAction(this, "contextInsertRow", tr("&Insert row"),
                                         QKeySequence(Qt::CTRL | Qt::Key_Insert)))
    // The entry carries no action of its own in the original layout; it appends a row like its
    // main-menu twin.
    , contextAppendRow(makeContextAction(this, "contextAppendRow", tr("&Append row"),
                                         QKeySequence(Qt::SHIFT | Qt::Key_Insert)))
    , mWorkspace(workspace)
    , mEdit(edit)
{
    const auto bind = [this](QAction *action, void (RowColumnCommands::*handler)()) {
        connect(action, &QAction::triggered, this, handler);
    };
    bind(actionDeleteRow, &RowColumnCommands::deleteRow);
    bind(actionInsertRow, &RowColumnCommands::insertRow);
    bind(actionAppendRow, &RowColumnCommands::appendRow);
    bind(actionDeleteColumn, &RowColumnCommands::deleteColumn);
    bind(actionInsertColumn, &RowColumnCommands::insertColumn);
    bind(actionAppendColumn, &RowColumnCommands::appendColumn);
    bind(contextDeleteRow, &RowColumnCommands::deleteRow);
    bind(contextInsertRow, &RowColumnCommands::insertRow);
    bind(contextAppendRow, &RowColumnCommands::appendRow);
}

CommandPlacements RowColumnCommands::placements() const
{
    return {
        {actionDeleteRow, MenuId::Tools, 500, true, 230, "edit-table-delete-row"},
        {actionInsertRow, MenuId::Tools, 510, false, 220, "edit-table-insert-row-above"},
        {actionAppendRow, MenuId::Tools, 520, false, 210, "edit-table-insert-row-below"},
        {actionDeleteColumn, MenuId::Tools, 600, true, 260, "edit-table-delete-column"},
        {actionInsertColumn, MenuId::Tools, 610, false, 250, "edit-table-insert-column-left"},
        {actionAppendColumn, MenuId::Tools, 620, false, 240, "edit-table-insert-column-right"},
        {contextDeleteRow, MenuId::GridContext, 400, true},
        {contextInsertRow, MenuId::GridContext, 410},
        {contextAppendRow, MenuId::GridContext, 420},
    };
}

void RowColumnCommands::setDatabaseOpen(bool open)
{
    for (QAction *action : {actionDeleteRow, actionInsertRow, actionAppendRow, actionDeleteColumn,
                            actionInsertColumn, actionAppendColumn})
        action->setEnabled(open);
}

// Every operation here runs alike: only with a database open, after the modes are left (the
// column operations leave auto sizing too), under the hourglass, recorded as one undo step.
template<typename Operation>
EditResult RowColumnCommands::run(const QString &undoText, bool leaveAutoSizing,
                                  Operation operation)
{
    if (!mWorkspace.isDatabaseOpen())
        return {};
    leaveModes(mWorkspace, leaveAutoSizing);
    DatabaseDocument &document = mWorkspace.document();
    const WaitCursor wait;
    return recordShapeOperation(document, undoText, operation);
}

void RowColumnCommands::followCurrentCell(const EditResult &result)
{
    if (!result.applied)
        return;
    const int field = result.currentField ? result.currentField : mWorkspace.currentField();
    const int record = result.currentRecord ? result.currentRecord : mWorkspace.currentRecord();
    mWorkspace.setCurrentCell(field, record);
}

void RowColumnCommands::deleteRow()
{
    const EditResult result = run(tr("Delete Row"), false, [&](Database &database, auto announce) {
        return kribed::deleteRow(database, mEdit.rowClipboard(), mWorkspace.currentRecord(),
                                 mWorkspace.prompter(), mWorkspace.settings().expertMode, announce);
    });
    if (result.applied)
        mEdit.clearRowClipboard();
    followCurrentCell(result);
}

void RowColumnCommands::insertRow()
{
    int field = 0;
    int record = 0;
    const EditResult result = run(tr("Insert Row"), false, [&](Database &database, auto announce) {
        field = mWorkspace.currentField();
        record = mWorkspace.currentRecord();
        return kribed::insertRow(database, mEdit.rowClipboard(), record, mWorkspace.prompter(),
                                 QDateTime::currentDateTime(), mWorkspace.document().regional(),
                                 announce);
    });
    if (result.applied) {
        mEdit.clearRowClipboard();
        // The current cell stays in its place, which now holds the new record.
        mWorkspace.setCurrentCell(field, record);
    }
}

void RowColumnCommands::appendRow()
{
    const EditResult result = run(tr("Append Row"), false, [&](Database &database, auto announce) {
        return kribed::appendRow(database, mEdit.rowClipboard(), mWorkspace.prompter(),
                                 QDateTime::currentDateTime(), mWorkspace.document().regional(),
                                 announce);
    });
    if (result.applied)
        mEdit.clearRowClipboard();
    followCurrentCell(result);
}

void RowColumnCommands::deleteColumn()
{
    DatabaseDocument &document = mWorkspace.document();
    // The deleted column's kept automatic width leaves with it.
    std::optional<AutoWidths> autoWidths;
    followCurrentCell(run(tr("Delete Column"), false, [&](Database &database, auto announce) {
        autoWidths = document.viewState().autoWidths;
        return kribed::deleteColumn(database, mWorkspace.currentField(), mWorkspace.prompter(),
                                    mWorkspace.settings().expertMode, *autoWidths, announce);
    }));
    if (autoWidths) {
        ViewState state = document.viewState();
        state.autoWidths = *autoWidths;
        document.changeViewState(state);
    }
}

void RowColumnCommands::insertColumn()
{
    int field = 0;
    int record = 0;
    const EditResult result =
        run(tr("Insert Column"), true, [&](Database &database, auto announce) {
            field = mWorkspace.currentField();
            record = mWorkspace.currentRecord();
            return kribed::insertColumn(database, field, mWorkspace.prompter(), announce);
        });
    if (result.applied)
        mWorkspace.setCurrentCell(field, record);
}

void RowColumnCommands::appendColumn()
{
    followCurrentCell(run(tr("Append Column"), true, [&](Database &database, auto announce) {
        return kribed::appendColumn(database, mWorkspace.prompter(), announce);
    }));
}

} // namespace kribed
