// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/editing/auto_size.h"
#include "gui/commands/command_group.h"
#include "gui/commands/workspace.h"
#include "gui/dialogs/find_dialog.h"

#include <QObject>

class QAction;

namespace kribed {

class PropertiesDialog;

// The Tools menu without the row and column commands: find, the three toggled states (automatic
// widths, record filter, row sums), sorting and the column sum.
class ToolsCommands
    : public QObject
    , public CommandGroup
    , public Modes
{
    Q_OBJECT

public:
    ToolsCommands(Workspace &workspace, QObject *parent = nullptr);

    // Where the actions show: menus, tool bar, context menu, pictures.
    CommandPlacements placements() const override;

    // The dialog whose controls hold the filter's match options and the sort's reverse flags.
    void setPropertiesDialog(const PropertiesDialog *dialog) { mProperties = dialog; }
    void setDatabaseOpen(bool open) override;
    // Automatic widths marked off without putting widths back (the database they were for is
    // gone).
    void dropAutoSizing();

    FindDialog &findDialog() { return mFindDialog; }

    // Only record and show a state.
    void setAutoSizingState(bool on);
    void setRowSumState(bool on);

    bool isAutoSizing() const override { return mAutoSizing; }
    void autoSizeColumns(bool on) override;
    AutoWidths &autoWidths() override { return mAutoWidths; }
    bool isFilterOn() const override { return mFilterOn; }
    void applyFilter(bool on) override;
    bool isRowSumOn() const override { return mRowSumOn; }
    void rowSumOff() override;
    void computeRowSums() override;
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

    Workspace &mWorkspace;
    const PropertiesDialog *mProperties = nullptr;
    bool mAutoSizing = false;
    bool mFilterOn = false;
    bool mRowSumOn = false;
    bool mRowSumCommand = false;
    AutoWidths mAutoWidths;
    FindDialog mFindDialog;
};

} // namespace kribed
