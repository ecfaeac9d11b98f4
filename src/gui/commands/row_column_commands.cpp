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

void RowColumnCommands::setDatabaseOpen(bool open)
{
    for (QAction *action : {actionDeleteRow, actionInsertRow, actionAppendRow, actionDeleteColumn,
                            actionInsertColumn, actionAppendColumn})
        action->setEnabled(open);
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
    if (!mWorkspace.isDatabaseOpen())
        return;
    leaveModes(mWorkspace);
    DatabaseDocument &document = mWorkspace.document();
    const WaitCursor wait;
    const EditResult result =
        kribed::deleteRow(document.database(), mEdit.rowClipboard(), mWorkspace.currentRecord(),
                          mWorkspace.prompter(), mWorkspace.settings().expertMode,
                          recordingAnnouncer(document, tr("Delete Row")));
    if (result.applied)
        mEdit.clearRowClipboard();
    followCurrentCell(result);
}

void RowColumnCommands::insertRow()
{
    if (!mWorkspace.isDatabaseOpen())
        return;
    leaveModes(mWorkspace);
    DatabaseDocument &document = mWorkspace.document();
    const int field = mWorkspace.currentField();
    const int record = mWorkspace.currentRecord();
    const WaitCursor wait;
    const EditResult result = kribed::insertRow(document.database(), mEdit.rowClipboard(), record,
                                                mWorkspace.prompter(), QDateTime::currentDateTime(),
                                                recordingAnnouncer(document, tr("Insert Row")));
    if (result.applied) {
        mEdit.clearRowClipboard();
        // The current cell stays in its place, which now holds the new record.
        mWorkspace.setCurrentCell(field, record);
    }
}

void RowColumnCommands::appendRow()
{
    if (!mWorkspace.isDatabaseOpen())
        return;
    leaveModes(mWorkspace);
    DatabaseDocument &document = mWorkspace.document();
    const WaitCursor wait;
    const EditResult result = kribed::appendRow(document.database(), mEdit.rowClipboard(),
                                                mWorkspace.prompter(), QDateTime::currentDateTime(),
                                                recordingAnnouncer(document, tr("Append Row")));
    if (result.applied)
        mEdit.clearRowClipboard();
    followCurrentCell(result);
}

void RowColumnCommands::deleteColumn()
{
    if (!mWorkspace.isDatabaseOpen())
        return;
    leaveModes(mWorkspace);
    DatabaseDocument &document = mWorkspace.document();
    const WaitCursor wait;
    const EditResult result =
        kribed::deleteColumn(document.database(), mWorkspace.currentField(), mWorkspace.prompter(),
                             mWorkspace.settings().expertMode, mWorkspace.modes().autoWidths(),
                             recordingAnnouncer(document, tr("Delete Column")));
    followCurrentCell(result);
}

void RowColumnCommands::insertColumn()
{
    if (!mWorkspace.isDatabaseOpen())
        return;
    leaveModes(mWorkspace, true);
    DatabaseDocument &document = mWorkspace.document();
    const int field = mWorkspace.currentField();
    const int record = mWorkspace.currentRecord();
    const WaitCursor wait;
    const EditResult result =
        kribed::insertColumn(document.database(), field, mWorkspace.prompter(),
                             recordingAnnouncer(document, tr("Insert Column")));
    if (result.applied)
        mWorkspace.setCurrentCell(field, record);
}

void RowColumnCommands::appendColumn()
{
    if (!mWorkspace.isDatabaseOpen())
        return;
    leaveModes(mWorkspace, true);
    DatabaseDocument &document = mWorkspace.document();
    const WaitCursor wait;
    const EditResult result =
        kribed::appendColumn(document.database(), mWorkspace.prompter(),
                             recordingAnnouncer(document, tr("Append Column")));
    followCurrentCell(result);
}

} // namespace kribed
