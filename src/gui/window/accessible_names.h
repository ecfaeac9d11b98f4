// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/status/status_texts.h"

#include <QString>

#include <array>

class QLabel;
class QMainWindow;
class QTableView;
class QWidget;

namespace kribed {

// The names a screen reader says for the parts of the main window whose shown text says little
// on its own: the grid ("Records of Stock"), its top left cell (the record count) and the status
// panels, whose letters, bare date and modified mark are said in words. A name is set only when
// it changes, so the reader is told of changes and not of every tick.
void nameForScreenReaders(QTableView &grid, const QString &databaseName, const QString &recordCount,
                          const std::array<QLabel *, StatusPanelCount> &panels,
                          const StatusPanels &spoken);

// Names for the window's bars and their parts, which show no text of their own: the menu bar, the
// status bar and its size grip, the tool bar's button for the tools that do not fit.
void nameWindowBarsForScreenReaders(QMainWindow &window);

// The name of the grid over the database of that name.
QString gridAccessibleName(const QString &databaseName);

// Sets the widget's accessible name unless it already has it.
void setAccessibleNameOnce(QWidget &widget, const QString &name);

} // namespace kribed
