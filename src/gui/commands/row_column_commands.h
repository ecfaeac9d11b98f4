// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "gui/commands/command_group.h"
#include <QObject>

class QAction;

namespace kribed {

class EditCommands;
class Workspace;
struct EditResult;

// Tools > delete, insert and append a row or a column. A row command that changes the records
// empties the row buffer of the edit commands.
class RowColumnCommands
    : public QObject
    , public CommandGroup
{
    Q_OBJECT

public:
    RowColumnCommands(Workspace &workspace, EditCommands &edit, QObject *parent = nullptr);

    // Where the actions show: menus, tool bar, context menu, pictures.
    CommandPlacements placements() const override;

    void setDatabaseOpen(bool open) override;

    QAction *const actionDeleteRow;
    QAction *const actionInsertRow;
    QAction *const actionAppendRow;
    QAction *const actionDeleteColumn;
    QAction *const actionInsertColumn;
    QAction *const actionAppendColumn;
    // The grid's context menu.
    QAction *const contextDeleteRow;
    QAction *const contextInsertRow;
    QAction *const contextAppendRow;

public Q_SLOTS:
    void deleteRow();
    void insertRow();
    void appendRow();
    void deleteColumn();
    void insertColumn();
    void appendColumn();

private:
    template<typename Operation>
    EditResult run(const QString &undoText, bool leaveAutoSizing, Operation operation);
    // After a row or column operation: the current cell where the operation leaves it.
    void followCurrentCell(const EditResult &result);

    Workspace &mWorkspace;
    EditCommands &mEdit;
};

} // namespace kribed
