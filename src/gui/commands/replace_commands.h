// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/editing/replace.h"
#include "gui/commands/command_group.h"
#include "gui/dialogs/replace_dialog.h"

#include <QObject>

#include <optional>

class QAction;

namespace kribed {

class ToolsCommands;
class Workspace;

// Edit > Replace (Ctrl+H): the replace dialog and what its buttons do. It searches from the
// current cell in Find's order and, at the end, asks once whether to go on from the top; Replace
// changes the match the dialog went to, Replace all every match as one undo step. While the
// record filter is on only shown records take part, unless the dialog includes hidden ones.
class ReplaceCommands
    : public QObject
    , public CommandGroup
{
    Q_OBJECT

public:
    // Replaced cells are operands of the tools' row sums.
    ReplaceCommands(Workspace &workspace, ToolsCommands &tools, QObject *parent = nullptr);

    CommandPlacements placements() const override;
    void setDatabaseOpen(bool open) override;
    ReplaceDialog &dialog() { return mDialog; }

    QAction *const actionReplace;

public Q_SLOTS:
    // Shows the dialog over the current cell's database; "In selection" means the block selected
    // when a button is pressed.
    void replace();
    void findNext();
    void replaceCurrent();
    void replaceEverywhere();

Q_SIGNALS:
    // Cells changed as the newest step of the history (the row sums follow).
    void cellsChanged();

private:
    // The dialog's settings with the block selected now.
    ReplaceSettings currentSettings() const;
    // The field list follows inserted, deleted, moved and renamed fields, so the chosen field
    // stays the same field wherever it goes.
    void fieldsInserted(int firstColumn, int lastColumn);
    void fieldsRemoved(int firstColumn, int lastColumn);
    void fieldsMoved(int firstColumn, int lastColumn, int destination);
    void showFields(int chosenField);
    void selectionChanged();
    // Asks before a replacement (in `onlyCell`, else in the settings' scope): about characters
    // the code page cannot hold, then about cells that would no longer read as their field's
    // type. False when the user cancelled.
    bool confirmReplacement(ReplaceSettings settings, CellReplacer &replacer,
                            const std::optional<CellRange> &onlyCell);
    // The next match from the current cell on (after it, when it is the match last gone to),
    // asking once at the end whether to go on from the top; tells when there is none.
    std::optional<GridCell> searchNext(const ReplaceSettings &settings, CellReplacer &replacer);
    void tell(const QString &text);

    Workspace &mWorkspace;
    ReplaceDialog mDialog;
    std::optional<GridCell> mLastMatch;
};

} // namespace kribed
