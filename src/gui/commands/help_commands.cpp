// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/commands/help_commands.h"

#include "gui/commands/command_support.h"
#include "gui/commands/workspace.h"

#include <QAction>

namespace kribed {

HelpCommands::HelpCommands(Workspace &workspace, QObject *parent)
    : QObject(parent)
    , actionReadme(makeCommandAction(this, "actionReadme", tr("&Read me..."),
                                     QKeySequence(Qt::Key_F1), tr("Read me!")))
    , actionAbout(makeCommandAction(this, "actionAbout", tr("&About...")))
    , mWorkspace(workspace)
    , mReadme(workspace.mainWindow())
    , mAbout(workspace.mainWindow())
{
    connect(actionReadme, &QAction::triggered, this, &HelpCommands::showReadme);
    connect(actionAbout, &QAction::triggered, this, &HelpCommands::showAbout);
}

CommandPlacements HelpCommands::placements() const
{
    return {
        {actionReadme, MenuId::Help, 100, false, 270, "help-contents"},
        {actionAbout, MenuId::Help, 200, true},
    };
}

void HelpCommands::displayFontChanged(const QFont &font)
{
    mReadme.setDisplayFont(font);
}

void HelpCommands::windowClosing()
{
    mReadme.close();
}

void HelpCommands::showReadme()
{
    // Not modal: the window stays open beside the main window.
    mReadme.setDisplayFont(mWorkspace.displayFont());
    mReadme.show();
    mReadme.raise();
    mReadme.activateWindow();
}

void HelpCommands::showAbout()
{
    mAbout.setPrompter(&mWorkspace.prompter());
    mAbout.exec();
}

} // namespace kribed
