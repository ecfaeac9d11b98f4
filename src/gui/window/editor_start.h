// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QPalette>

namespace kribed {

// The editor from its arguments to its exit status: --help, --version and mistakes answered
// without a display, the application, the handheld users, the main window, the offer of changes
// left unsaved by a program that ended, the file named on the command line, the event loop.
int runEditor(int argc, char *argv[]);

// A dark palette with every role the window uses, for checking how it looks on one.
QPalette darkCheckPalette();

} // namespace kribed
