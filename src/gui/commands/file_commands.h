// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/platform/recent_files.h"
#include "gui/commands/command_group.h"
#include "gui/dialogs/new_database_dialog.h"

#include <QList>
#include <QObject>

#include <array>

class QAction;

namespace kribed {

class ExchangeCommands;
class WelcomePanel;
class Workspace;

// The File menu: new, open, close, save, save as, install, print, the recent files and exit; the
// welcome panel in the grid's place while no database is open, and files dropped on the window
// (a text file goes to the exchange commands' import).
class FileCommands
    : public QObject
    , public CommandGroup
{
    Q_OBJECT

public:
    // Starts the run: the database dialogs begin in the selected user's backup folder, the
    // recent files are those of the settings.
    FileCommands(Workspace &workspace, ExchangeCommands &exchange, QObject *parent = nullptr);

    // Where the actions show: menus, tool bar, context menu, pictures.
    CommandPlacements placements() const override;
    CommandPanels panels() const override;

    // The start of the run: the database dialogs begin in `folder` (the selected user's backup
    // folder, or empty), and the new-database dialog preselects "String" exactly then.
    void start(const QString &folder, const RecentFiles::Slots &recentFiles);
    void setDatabaseOpen(bool open) override;
    // The recent files go into the settings.
    void windowClosing() override;

    // The open routine: an empty path shows the open dialog.
    void openDatabaseFile(const QString &path);

    const RecentFiles &recentFiles() const { return mRecent; }
    NewDatabaseDialog &newDatabaseDialog() { return mNewDatabaseDialog; }

    QAction *const actionNew;
    QAction *const actionOpen;
    QAction *const actionClose;
    QAction *const actionSave;
    QAction *const actionSaveAs;
    QAction *const actionInstall;
    QAction *const actionPrint;
    QAction *const actionPrintPreview;
    // The recent files, newest first, and the line above them; hidden while empty.
    QAction *const separatorRecentFiles;
    const std::array<QAction *, RecentFileCount> actionRecentFiles;
    QAction *const separatorExit;
    QAction *const actionExit;

public Q_SLOTS:
    void newDatabase();
    void openDatabase();
    // Slot 0 is the newest file.
    void openRecentFile(int slot);
    void closeDatabase();
    void save();
    void saveAs();
    void install();
    void print();
    void printPreview();
    void exit();
    // A file named on the command line or dropped on the window: opened as if chosen in the open
    // dialog (the unsaved-changes question, then the recent-file entry of an existing file).
    void openNamedDatabase(const QString &path);

Q_SIGNALS:
    void recentFilesChanged();

private:
    void runSave(bool chooseName);
    // A recovered database is about to replace its file, which changed since its changes were
    // made: false unless the user says to replace it.
    bool confirmReplacingChangedFile();
    // Puts the columns back at the widths they showed (automatic widths measured again by a save).
    void showWidths(const QVector<int> &widths);
    void loadDatabase(const QString &path);
    void createNewDatabase();
    void addRecentFile(const QString &path);
    void refreshRecentMenu();

    Workspace &mWorkspace;
    RecentFiles mRecent;
    QString mOpenFolder;
    QString mSaveFolder;
    NewDatabaseDialog mNewDatabaseDialog;
    WelcomePanel *mWelcome;
};

} // namespace kribed
