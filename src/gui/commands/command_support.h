// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QKeySequence>
#include <QString>
#include <QStringList>

class QAction;
class QObject;

namespace kribed {

class Database;
class Regional;
class Workspace;

// A menu command: its object name, caption, key and hint; without a hint the caption without its '&' is the hint.
QAction *makeCommandAction(QObject *owner, const char *name, const QString &caption,
                           const QKeySequence &shortcut = {}, const QString &hint = {});

// An entry of the grid's context menu: its key only works while the menu is open, so it never
// clashes with the main menu's.
QAction *makeContextAction(QObject *owner, const char *name, const QString &caption,
                           const QKeySequence &shortcut = {});

// The preamble of the commands that change rows, columns or the whole database: row sums and the
// record filter go off (every record shows again), and with `autoSizing` automatic widths too.
void leaveModes(Workspace &workspace, bool autoSizing = false);

// The record filter on or off in the view state; the records it keeps are shown again even when
// it already was (rows may have changed since it ran).
void switchRecordFilter(Workspace &workspace, bool on);

// Automatic widths on (every column as wide as its widest first line, the widths before kept) or
// off (the kept widths back, if it was on), as the view state then says.
void switchAutoSizing(Workspace &workspace, bool on);

// The field names as the dialogs that offer a field list show them.
QStringList fieldNames(const Database &database, const Regional &regional);

// Asks before unsaved changes would be lost. True when the caller must stop: there are unsaved
// changes and the user keeps them.
bool confirmDiscardChanges(Workspace &workspace);

} // namespace kribed
