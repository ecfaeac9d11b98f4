// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "gui/commands/command_group.h"
#include "gui/commands/workspace.h"
#include "gui/dialogs/find_dialog.h"

#include <QObject>

class QAction;

namespace kribed {

// The Tools menu without the row and column commands: find, the three toggled states (automatic
// widths, record filter, row sums), sorting and the column sum. The toggles show the document's
// view state: they switch it and follow it, wherever else it changes.
class ToolsCommands
    : public QObject
    , public CommandGroup
{
    Q_OBJECT

public:
    ToolsCommands(Workspace &workspace, QObject *parent = nullptr);

    // Where the actions show: menus, tool bar, context menu, pictures.
    CommandPlacements placements() const override;

    void setDatabaseOpen(bool open) override;
    // Automatic widths marked off without putting widths back (the database they were for is
    // gone).
    void dropAutoSizing();

    FindDialog &findDialog() { return mFindDialog; }

    // Only record a state (shown by the toggles as every state is).
    void setAutoSizingState(bool on);
    void setRowSumState(bool on);

    bool isAutoSizing() const;
    // Switches automatic widths on or off and puts the widths into the database.
    void autoSizeColumns(bool on);
    bool isFilterOn() const;
    // Shows every row again; with `on`, hides those the record filter leaves out.
    void applyFilter(bool on);
    bool isRowSumOn() const;
    void rowSumOff();
    // Fills the sum field of every record while the mode is on.
    void computeRowSums();
    // Cells were changed by typing, a paste or clearing, as the newest step of the history: while
    // row-sum mode is on, the sum field of every record follows within that step.
    void operandsChanged();

    QAction *const actionFind;
    QAction *const actionFindNext;
    QAction *const actionAutoSizing;
    QAction *const actionFilter;
    QAction *const actionSortNormal;
    QAction *const actionSortReverse;
    QAction *const actionColumnSum;
    QAction *const actionRowSum;

public Q_SLOTS:
    void find();
    void findNext();
    void toggleAutoSizing();
    void toggleFilter();
    void sortNormal();
    void sortReverse();
    void columnSum();
    void toggleRowSum();

private:
    void runSearch();
    void sort(int direction);

    // The check marks and pressed buttons as the view state has them.
    void showStates();

    Workspace &mWorkspace;
    bool mRowSumCommand = false;
    FindDialog mFindDialog;
};

} // namespace kribed
