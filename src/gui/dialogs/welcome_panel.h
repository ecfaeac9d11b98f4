// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QFrame>

class QAction;
class QLabel;
class QVBoxLayout;

namespace kribed {

class RecentFiles;

// What the window shows while no database is open: the program's name, buttons for New, Open and
// Import (the commands' own actions, so they run exactly as from the menu), and the recent files
// as links.
class WelcomePanel : public QFrame
{
    Q_OBJECT

public:
    WelcomePanel(QAction *openAction, QAction *newAction, QAction *importAction,
                 QWidget *parent = nullptr);

    // Shows a link for every filled slot, newest first; the recent-files heading only with one.
    void setRecentFiles(const RecentFiles &recent);

Q_SIGNALS:
    // A recent-file link was chosen; `slot` counts from 0 for the newest entry.
    void recentFileChosen(int slot);

private:
    QLabel *mRecentHeading = nullptr;
    QLabel *mRecentLinks = nullptr;
};

} // namespace kribed
