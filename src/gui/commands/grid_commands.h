// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/editing/fill.h"
#include "gui/commands/command_group.h"
#include "gui/dialogs/fill_series_dialog.h"

#include <QObject>

class QAction;
class QUndoView;

namespace kribed {

class ToolsCommands;
class Workspace;

// The grid as spreadsheet users' hands expect it, beside the described commands: Select all
// (Ctrl+Shift+A; Ctrl+A stays Auto sizing), Fill down (Ctrl+D) and Fill series, Next unreadable
// value (Ctrl+Shift+U), which goes to the next cell whose text does not read as its field's type,
// and the undo history as a dock (Ctrl+Shift+H), where a click goes back to any step.
//
// The fills act on the shown records of the selection, as the range commands do: each is one
// undo step, stamps the records it changes, and asks first when cells that read as their field's
// type would no longer do.
class GridCommands
    : public QObject
    , public CommandGroup
{
    Q_OBJECT

public:
    // Filled cells are operands of the tools' row sums.
    GridCommands(Workspace &workspace, ToolsCommands &tools, QObject *parent = nullptr);

    CommandPlacements placements() const override;
    // The undo history's dock.
    CommandPanels panels() const override;
    void setDatabaseOpen(bool open) override;
    void displayFontChanged(const QFont &font) override;

    FillSeriesDialog &fillSeriesDialog() { return mDialog; }
    QUndoView *undoView() const { return mUndoView; }

    // Fills the selection as the dialog's values say; false when nothing changed (refused,
    // cancelled at the question, or the same texts).
    bool fillSeriesWith(bool constant, const QString &start, const QString &step);
    // The next cell after the current one, record by record, whose text does not read as its
    // field's type; the search goes round once. False with a message when there is none.
    bool goToNextUnreadable();

    QAction *const actionSelectAll;
    QAction *const actionFillDown;
    QAction *const actionFillSeries;
    QAction *const actionNextUnreadable;
    QAction *const actionUndoHistory;

public Q_SLOTS:
    void selectAll();
    bool fillDown();
    void fillSeries();

Q_SIGNALS:
    // A fill changed cells; the step is the newest in the history.
    void cellsChanged();

private:
    bool applyRecorded(const FillTexts &fill, const QString &text);

    Workspace &mWorkspace;
    FillSeriesDialog mDialog;
    QUndoView *mUndoView;
};

} // namespace kribed
