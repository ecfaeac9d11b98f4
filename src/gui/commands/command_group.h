// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "gui/commands/command_placement.h"

#include <QList>
#include <Qt>

class QAction;
class QFont;
class QWidget;

namespace kribed {

// Where a command group's panel stands in the main window.
enum class PanelPlace {
    // A bar between the tool bar and the grid, over the grid's whole width.
    AboveGrid,
    // A field at the right of the status bar, after the status panels.
    StatusBar,
    // A dock beside the grid, in `CommandPanel::dockArea`.
    Dock,
};

// A widget a command group makes and the window places. The group owns what the widget shows and
// when a bar shows; the window only puts it in its place, by `order` (lowest first, among the
// panels of all groups in that place). A dock takes the widget's window title as its caption and
// shows while `toggle` (a checkable action of the group) is checked; closing the dock unchecks it.
struct CommandPanel
{
    QWidget *widget = nullptr;
    PanelPlace place = PanelPlace::AboveGrid;
    int order = 0;
    Qt::DockWidgetArea dockArea = Qt::RightDockWidgetArea;
    QAction *toggle = nullptr;
};

using CommandPanels = QList<CommandPanel>;

// What every command class tells the window about itself: where its actions show, the panels it
// owns, and how it follows the window's life (a database opened or closed, the status timer, the
// display font, the window closing). The window knows command classes only through this.
class CommandGroup
{
public:
    virtual ~CommandGroup() = default;

    // Where the actions show: menus, tool bar, context menu, pictures.
    virtual CommandPlacements placements() const = 0;
    virtual CommandPanels panels() const { return {}; }

    // A database was opened (or made) or closed: the commands that need one go on or off, and a
    // close leaves the group's states for the database that went.
    virtual void setDatabaseOpen(bool /*open*/) {}
    // The status timer's tick while a database is open: what the group follows by looking (the
    // clipboard, say).
    virtual void refresh() {}
    // The window's display font changed; the dialogs take it as they open, so only what stays
    // open beside the window follows it here.
    virtual void displayFontChanged(const QFont & /*font*/) {}
    // The window is closing for good: the group keeps what the next run needs in the settings
    // and closes what it showed beside the window.
    virtual void windowClosing() {}
};

} // namespace kribed
