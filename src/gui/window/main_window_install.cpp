// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
// The main window's Install command: a copy of the database into a handheld user's install folder.
#include "gui/window/main_window.h"

#include "core/handheld/install.h"
#include "core/platform/user_list.h"
#include "gui/grid/database_document.h"

namespace kribed {

void MainWindow::install()
{
    if (!isDatabaseOpen() || mUsers.count() < 1)
        return;
    // The widths kept before auto sizing may be put back for the copy; auto sizing resumes after.
    const AutoSizing sizing{mAutoSizing, [this](bool on) { autoSizeColumns(on); }};
    const InstallOptions options{mSettings.saveAtInstall, mSettings.expertMode};
    installDatabase(mDocument->database(), mUsers, mSelectedUser, options, sizing, currentField(),
                    mPrompter);
}

} // namespace kribed
