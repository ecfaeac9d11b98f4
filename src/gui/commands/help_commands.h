// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "gui/commands/command_group.h"
#include "gui/dialogs/about_dialog.h"
#include "gui/dialogs/readme_window.h"

#include <QObject>

class QAction;

namespace kribed {

class Workspace;

// The Help menu: the read-me window beside the main window, and the about box.
class HelpCommands
    : public QObject
    , public CommandGroup
{
    Q_OBJECT

public:
    HelpCommands(Workspace &workspace, QObject *parent = nullptr);

    // Where the actions show: menus, tool bar, context menu, pictures.
    CommandPlacements placements() const override;
    // The read-me window stays open beside the main window: it follows the display font at once
    // and goes with the window.
    void displayFontChanged(const QFont &font) override;
    void windowClosing() override;

    ReadmeWindow &readmeWindow() { return mReadme; }
    AboutDialog &aboutDialog() { return mAbout; }

    QAction *const actionReadme;
    QAction *const actionAbout;

public Q_SLOTS:
    void showReadme();
    void showAbout();

private:
    Workspace &mWorkspace;
    ReadmeWindow mReadme;
    AboutDialog mAbout;
};

} // namespace kribed
