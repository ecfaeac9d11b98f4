// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/platform/settings.h"
#include "gui/commands/command_group.h"
#include "gui/commands/workspace.h"

#include <QFont>
#include <QMainWindow>

#include <array>
#include <memory>

class QFrame;
class QLabel;
class QMenu;
class QTableView;
class QTimer;
class QToolBar;

namespace kribed {

class CommandGroups;
class DatabaseDocument;
class GridHeader;
class RecoveryWriter;

// The main window: the menus, the tool bar, the grid with its context menu and the status bar
// over the one open database. The commands live in the command groups; the window puts their
// actions and panels in place, keeps the grid in step with the database and is their workspace.
class MainWindow
    : public QMainWindow
    , public Workspace
{
    Q_OBJECT

public:
    // The prompter, the file dialogs and the user list outlive the window.
    MainWindow(Prompter &prompter, FileDialogs &dialogs, UserList &users,
               QWidget *parent = nullptr);
    ~MainWindow() override;

    // Workspace
    DatabaseDocument &document() override { return *mDocument; }
    int currentField() const override;
    int currentRecord() const override;
    void setCurrentCell(int field, int record) override;
    QTableView &gridView() override { return *mGrid; }
    bool isDatabaseOpen() const override { return mDatabaseOpen; }
    void setDatabaseOpen(bool open) override;
    Prompter &prompter() override { return mPrompter; }
    FileDialogs &fileDialogs() override { return mFileDialogs; }
    Settings &settings() override { return mSettings; }
    UserList &users() override { return mUsers; }
    int selectedUser() const override { return mSelectedUser; }
    void setSelectedUser(int index) override { mSelectedUser = index; }
    QWidget *mainWindow() override { return this; }
    const QFont &displayFont() const override { return mDisplayFont; }
    void setDisplayFont(const QFont &font) override;

    // Every command group, each reached by its type (commandGroups().get<Group>()).
    CommandGroups &commandGroups() const { return *mGroups; }
    // Keeps the unsaved changes for recovery after a crash or a kill.
    RecoveryWriter &recoveryWriter() { return *mRecovery; }
    // The placements of every command group's actions, which the menus and the tool bar follow.
    CommandPlacements commandPlacements() const;

    QTableView *grid() const { return mGrid; }
    QMenu *gridMenu() const { return mGridMenu; }
    QLabel *statusPanel(int index) const { return mPanels[index]; }

    // The status timer's work: title, status panels, Paste cell, the highlighted header cells.
    void updateStatus();
    // The highlighted header cells and the status panels follow a new current cell at once.
    void showCurrentCell();
    // The hint of a field-name header cell, and of the top left cell.
    QString headerHint(int field) const;
    QString recordCountHint() const;

public Q_SLOTS:
    // The grid: a dragged border or row or column is taken into the database.
    void columnResized(int field, int pixels, bool continuesDrag = false);
    void recordMoved(int from, int to);
    void fieldMoved(int from, int to);
    // A double-click on a column's right border: the column takes the width Auto sizing gives it
    // (its widest first line + 5 pixels); a changed width marks the database changed.
    void fitColumn(int field);

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void readSettings();
    void writeSettings();
    void placeWindow();
    void makeRecoveryWriter();
    void buildMenus();
    void buildToolBar();
    void buildGrid();
    void setUpHeaders();
    void connectGrid();
    void buildGridMenu();
    void buildStatusBar();
    // The command groups' panels above the grid, in the status bar and in docks.
    void placePanels();
    // Font to the grid and the read-me window, column 0's width and the width scale.
    // The display font the document's view state names, when it is not the one shown.
    void showViewStateFont();
    void applyDisplayFont();
    int textWidth(const QString &text) const;
    void syncColumnWidths();
    void syncHiddenRows();
    void headerSectionMoved(Qt::Orientation orientation, int logical, int from, int to);
    void followCurrentCellInHeaders();
    void showStatusPanels();
    // The caption and the panels follow each change of the database, its view or its history
    // as soon as the change is done, not at the status timer's next tick.
    void followChangesAtOnce();
    void updateStatusSoon();

    Prompter &mPrompter;
    FileDialogs &mFileDialogs;
    UserList &mUsers;
    DatabaseDocument *mDocument;

    Settings mSettings;
    QFont mDisplayFont;
    int mSelectedUser = 0;
    bool mDatabaseOpen = false;
    int mLastRow = 0;
    int mLastColumn = 0;
    bool mSyncingWidths = false;
    bool mStatusUpdatePending = false;

    // Gone before the window's own children.
    std::unique_ptr<CommandGroups> mGroups;

    QToolBar *mToolBar = nullptr;
    QMenu *mGridMenu = nullptr;
    QTableView *mGrid = nullptr;
    GridHeader *mColumnHeader = nullptr;
    GridHeader *mRowHeader = nullptr;
    std::array<QLabel *, 7> mPanels{};
    QTimer *mTimer = nullptr;
    // Last, so it goes first: it watches the document.
    std::unique_ptr<RecoveryWriter> mRecovery;
};

} // namespace kribed
