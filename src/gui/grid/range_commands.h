// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QObject>

class QAction;
class QLabel;
class QTableView;
class QWidget;

namespace kribed {

class DatabaseDocument;
class Prompter;

// The commands of desktop editors over the grid: undo and redo of the open database's history,
// and copy, cut, paste and clearing of the selected cells (a rectangle, drawn with Shift+arrows
// or the mouse). The described single-cell commands stay as they are beside them.
//
// Shortcuts: Ctrl+Z undo; Ctrl+Shift+Z and Ctrl+Y redo; Ctrl+C, Ctrl+X, Ctrl+V; Delete clears.
// In the grid's in-place editor the editor keeps these keys for its own text.
class RangeCommands : public QObject
{
    Q_OBJECT

public:
    RangeCommands(DatabaseDocument &document, QTableView &grid, Prompter &prompter,
                  QWidget *parent);

    QAction *undoAction() const { return mUndo; }
    QAction *redoAction() const { return mRedo; }
    QAction *copyAction() const { return mCopy; }
    QAction *cutAction() const { return mCut; }
    QAction *pasteAction() const { return mPaste; }
    QAction *clearAction() const { return mClear; }
    // The status bar's field for the count, sum and average of the selected cells.
    QLabel *statisticsLabel() const { return mStatistics; }

    // The range commands work only while a database is open (undo and redo follow the history).
    void setDatabaseOpen(bool open);

    void copyCells();
    void cutCells();
    void pasteCells();
    void clearCells();
    void updateStatistics();

private:
    void showChange(int field, int record);

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
};

} // namespace kribed
