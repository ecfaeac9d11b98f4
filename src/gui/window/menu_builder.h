// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "gui/commands/command_group.h"

class QMainWindow;
class QMenu;
class QToolBar;

namespace kribed {

// The entries of one menu among the placements of all command classes, by their order.
CommandPlacements menuEntries(const CommandPlacements &placements, MenuId menu);

// The entries with a tool-bar slot, by slot.
CommandPlacements toolBarEntries(const CommandPlacements &placements);

// Adds the menu's entries to `menu`, a line before each entry that asks for one (never at the
// top). An entry with a picture name and no picture yet gets the themed picture.
void fillMenu(QMenu &menu, const CommandPlacements &placements, MenuId id);

// Adds the tool-bar entries to `toolBar` as flat 25 x 23 buttons named after their actions
// (actionNew's button is toolButtonNew).
void fillToolBar(QToolBar &toolBar, const CommandPlacements &placements);

// Puts a dock panel in a dock of `window` in its area: the dock is named after the widget
// (<objectName>Dock) and captioned with its window title; it shows while the panel's action is
// checked, and closing it unchecks the action.
void placeInDock(QMainWindow &window, const CommandPanel &panel);

} // namespace kribed
