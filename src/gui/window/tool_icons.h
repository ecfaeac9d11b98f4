// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QIcon>
#include <QString>

namespace kribed {

// The tool-bar picture of a command, drawn by the program (the action's object name picks it);
// an empty icon for commands without a tool button.
QIcon toolIcon(const QString &commandName);

// The program's own picture (the installed kribed.svg, drawn the same way).
QIcon appIcon();

} // namespace kribed
