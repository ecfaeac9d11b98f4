// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QList>

class QAction;

namespace kribed {

// The menus a command can stand in; the grid's context menu is one of them.
enum class MenuId { File, Edit, Tools, Help, GridContext };

// No button on the tool bar.
constexpr int NoToolBarSlot = -1;

// Where one action of a command class shows: its menu and its place there (a number that orders
// the entries of all command classes in that menu, lowest first), a line above it, its place on
// the tool bar (ordered the same way) and the freedesktop name of its picture. Each command class
// lists its own in `placements()`; the window builds its menus, tool bar and context menu from
// them. A shortcut is set where its action is made.
struct CommandPlacement
{
    QAction *action = nullptr;
    MenuId menu = MenuId::File;
    int order = 0;
    bool separatorBefore = false;
    int toolBarSlot = NoToolBarSlot;
    const char *iconName = nullptr;
};

using CommandPlacements = QList<CommandPlacement>;

} // namespace kribed
