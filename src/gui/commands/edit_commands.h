// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/editing/row_clipboard.h"
#include "gui/commands/command_group.h"
#include "gui/dialogs/cell_editor_dialog.h"

#include <QObject>

class QAction;

namespace kribed {

class Workspace;

// The Edit menu without Properties: the cell editor, cut, copy and paste of a cell (through the
// system clipboard) and of a row (through the program's row buffer), and the display font.
class EditCommands
    : public QObject
    , public CommandGroup
{
    Q_OBJECT

public:
    EditCommands(Workspace &workspace, QObject *parent = nullptr);

    // Where the actions show: menus, tool bar, context menu, pictures.
    CommandPlacements placements() const override;

    void setDatabaseOpen(bool open) override;
    // Paste cell follows the clipboard.
    void refresh() override;

    CellEditorDialog &cellEditor() { return mCellEditor; }
    // The row buffer: Cut row and Copy row fill it, the row and column commands use and empty it.
    RowClipboard &rowClipboard() { return mRowClipboard; }
    // Empties the row buffer; both Paste row entries go off.
    void clearRowClipboard();

    QAction *const actionEditCell;
    QAction *const actionCutCell;
    QAction *const actionCopyCell;
    QAction *const actionPasteCell;
    QAction *const actionCutRow;
    QAction *const actionCopyRow;
    QAction *const actionPasteRow;
    QAction *const actionFont;
    // The grid's context menu.
    QAction *const contextEditCell;
    QAction *const contextCutCell;
    QAction *const contextCopyCell;
    QAction *const contextPasteCell;
    QAction *const contextCutRow;
    QAction *const contextCopyRow;
    QAction *const contextPasteRow;

public Q_SLOTS:
    void editCell();
    void cutCell();
    void copyCell();
    void pasteCell();
    void cutRow();
    void copyRow();
    void pasteRow();
    void chooseDisplayFont();

private:
    void storeEditedCell();
    void enablePasteRow(bool enabled);
    bool hasCurrentCell() const;

    Workspace &mWorkspace;
    RowClipboard mRowClipboard;
    CellEditorDialog mCellEditor;
};

} // namespace kribed
