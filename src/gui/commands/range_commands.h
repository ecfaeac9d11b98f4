// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/editing/cell_range.h"
#include "gui/commands/command_group.h"

#include <QObject>
#include <QTimer>
#include <QVector>

class QAction;
class QLabel;
class QTableView;
class QWidget;

namespace kribed {

class DatabaseDocument;
class Prompter;
class ToolsCommands;
class Workspace;

// The commands of desktop editors over the grid: undo and redo of the open database's history,
// and copy, cut, paste and clearing of the selected cells (a rectangle, drawn with Shift+arrows
// or the mouse). The described single-cell commands stay as they are beside them.
//
// Shortcuts: Ctrl+Z undo; Ctrl+Shift+Z and Ctrl+Y redo; Ctrl+C, Ctrl+X, Ctrl+V; Delete clears.
// In the grid's in-place editor the editor keeps these keys for its own text.
//
// The commands act on the cells the user sees: records the filter hides take no part. The current
// cell stays on a shown record: when rows are hidden under it, it moves to the nearest shown one,
// and with none shown no cell is current.
class RangeCommands
    : public QObject
    , public CommandGroup
{
    Q_OBJECT

public:
    // Over the workspace's document and grid; the statistics label belongs to its main window.
    // Pasted and cleared cells are operands of the tools' row sums.
    RangeCommands(Workspace &workspace, ToolsCommands &tools, QObject *parent);
    RangeCommands(DatabaseDocument &document, QTableView &grid, Prompter &prompter,
                  QWidget *parent);

    // Undo and redo at the top of the Edit menu, the range commands after the cell commands.
    CommandPlacements placements() const override;
    // The statistics in the status bar.
    CommandPanels panels() const override;

    QAction *undoAction() const { return mUndo; }
    QAction *redoAction() const { return mRedo; }
    QAction *copyAction() const { return mCopy; }
    QAction *cutAction() const { return mCut; }
    QAction *pasteAction() const { return mPaste; }
    QAction *clearAction() const { return mClear; }
    // The status bar's field for the count, sum and average of the selected cells.
    QLabel *statisticsLabel() const { return mStatistics; }

    // The range commands work only while a database is open (undo and redo follow the history).
    void setDatabaseOpen(bool open) override;

    void copyCells();
    void cutCells();
    void pasteCells();
    void clearCells();
    // Shows the selection's statistics: a small selection's at once, a large one's count at once
    // and its numbers once counted in slices between events, so selecting never waits for them.
    void updateStatistics();
    // Whether a large selection's numbers are still being counted.
    bool statisticsPending() const { return mSlices.isActive(); }

Q_SIGNALS:
    // Cut, Paste or Delete changed cells; the step is the newest in the history, so a follow-up
    // (the row sums) can join it.
    void cellsChanged();

private:
    void showChange(int field, int record);
    void keepCurrentCellShown();
    // The shown record nearest to `record` (the one below on a tie), or 0 with none shown.
    int nearestShownRecord(int record) const;
    void countSlice();
    // A change of the rows under a selection still being counted starts the count again.
    void recountPending();

    DatabaseDocument &mDocument;
    QTableView &mGrid;
    Prompter &mPrompter;
    QAction *mUndo;
    QAction *mRedo;
    QAction *mCopy;
    QAction *mCut;
    QAction *mPaste;
    QAction *mClear;
    QLabel *mStatistics;
    // The selection being counted in slices, its shown records, how many of them are counted.
    QTimer mSlices;
    CellRange mCounting;
    QVector<int> mCountingRecords;
    int mCountedRecords = 0;
    RangeStatistics mCounted;
};

} // namespace kribed
