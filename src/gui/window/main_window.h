// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/platform/recent_files.h"
#include "core/platform/settings.h"

#include <QFont>
#include <QHash>
#include <QMainWindow>

#include <array>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QTableView;
class QTimer;
class QToolBar;

namespace kribed {

class DatabaseDocument;
class FileDialogs;
class GridHeader;
class Prompter;
class UserList;

// The main window: menu, tool bar, grid, context menu and status bar over the one open database.
// Its commands live with their subsystems: this file declares every handler, main_window*.cpp files
// next to each subsystem define them.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // The prompter, the dialogs and the user list outlive the window.
    MainWindow(Prompter &prompter, FileDialogs &dialogs, UserList &users,
               QWidget *parent = nullptr);
    ~MainWindow() override;

    // What the command handlers work with ----------------------------------------------------
    DatabaseDocument &document() { return *mDocument; }
    QTableView *grid() const { return mGrid; }
    Prompter &ask() { return mPrompter; }
    FileDialogs &fileDialogs() { return mDialogs; }
    UserList &users() { return mUsers; }
    Settings &settings() { return mSettings; }
    const RecentFiles &recentFiles() const { return mRecent; }
    QAction *action(const QString &objectName) const { return mActions.value(objectName); }
    QMenu *gridMenu() const { return mGridMenu; }

    // The handheld user chosen for this run (the Desktop's last user at start).
    int selectedUser() const { return mSelectedUser; }
    void setSelectedUser(int index) { mSelectedUser = index; }
    // The folder the database open and save dialogs start in (set once at start).
    const QString &openDialogFolder() const { return mOpenFolder; }
    void setDatabaseDialogFolder(const QString &folder);

    // The current cell as field and record numbers (1-based); 1 when the grid is empty.
    int currentField() const;
    int currentRecord() const;
    void setCurrentCell(int field, int record);
    // Whether a database is open (the enabled state of Save).
    bool isDatabaseOpen() const;

    // The three toggled states, each mirrored by a menu check mark, a tool button and a letter in
    // the status bar. The Set...State functions only record and show a state.
    bool isAutoSizing() const { return mAutoSizing; }
    void setAutoSizingState(bool on);
    bool isFilterOn() const { return mFilterOn; }
    bool isRowSumOn() const { return mRowSumOn; }
    void setRowSumState(bool on);

    // The display font and the code page its character set stands for.
    const QFont &displayFont() const { return mDisplayFont; }
    int displayCharSet() const { return mSettings.font.charSet; }
    // The pixel width of a text in the display font (for automatic widths and printing).
    int textWidth(const QString &text) const;

    // Shared steps of the commands -------------------------------------------------------------
    // True when the caller must stop: there are unsaved changes and the user keeps them.
    bool confirmDiscardChanges();
    void setDatabaseOpen(bool open);
    // Shows every row again; with `on`, hides those the record filter leaves out.
    void applyFilter(bool on);
    // The open routine: an empty path shows the open dialog.
    void openDatabaseFile(const QString &path);
    void addRecentFile(const QString &path);
    void refreshRecentMenu();
    // Font to the grid and the named dialog controls, column 0's width and the width scale.
    void applyDisplayFont();
    // The status timer's work, also called directly by tests.
    void updateStatus();
    // Puts the view's column widths and hidden rows in step with the database.
    void syncColumnWidths();
    void syncHiddenRows();

    // Implemented with the editing command set ---------------------------------------------------
    void autoSizeColumns(bool on);
    // A double-click on a column's right border: the column takes the width Auto sizing gives it
    // (its widest first line + 5 pixels); a changed width marks the database changed.
    void fitColumn(int field);
    void clearRowClipboard();
    // The core of the record filter: hides the records the filter leaves out.
    void applyRecordFilter();
    // The hint of a field-name header cell, and of the top left cell.
    QString headerHint(int field) const;
    QString recordCountHint() const;
    // A column dragged from one place to another: its definition follows it.
    void moveColumnDefinitionOf(int from, int to);

    // Implemented with the search command set ----------------------------------------------------
    void rowSumOff();
    void computeRowSums();

public Q_SLOTS:
    // File
    void newDatabase();
    void openDatabase();
    void closeDatabase();
    void save();
    void saveAs();
    void install();
    void importText();
    void appendText();
    void exportText();
    void print();
    // Slot 0 is the newest file.
    void openRecentFile(int slot);
    void exit();
    // Edit
    void editCell();
    void editProperties();
    void cutCell();
    void copyCell();
    void pasteCell();
    void cutRow();
    void copyRow();
    void pasteRow();
    void chooseDisplayFont();
    // Tools
    void find();
    void findNext();
    void toggleAutoSizing();
    void toggleFilter();
    void sortNormal();
    void sortReverse();
    void columnSum();
    void toggleRowSum();
    void deleteRow();
    void insertRow();
    void appendRow();
    void deleteColumn();
    void insertColumn();
    void appendColumn();
    // Help
    void showReadme();
    void showAbout();
    // Grid
    void gridDoubleClicked();
    void commitCellEdit(int field, int record);
    void columnResized(int field, int pixels);
    void recordMoved(int from, int to);
    void fieldMoved(int from, int to);

protected:
    void readSettings();
    void closeEvent(QCloseEvent *event) override;
    // Dialogs made after the first paint take the display font when they show.
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void writeSettings();

private:
    void buildActions();
    void buildMenus();
    void buildToolBar();
    void buildGridMenu();
    void buildGrid();
    void buildStatusBar();
    QAction *makeAction(const QString &name, const QString &caption, const QKeySequence &shortcut,
                        const QString &hint, void (MainWindow::*handler)());
    void runSave(bool chooseName);
    void placeWindow();
    void showGridMenu(const QPoint &globalPosition);
    void headerSectionMoved(Qt::Orientation orientation, int logical, int from, int to);
    void snapColumnWidth(int column, int pixels);
    void applyFontToDialog(QWidget *window);

    Prompter &mPrompter;
    FileDialogs &mDialogs;
    UserList &mUsers;
    DatabaseDocument *mDocument;

    Settings mSettings;
    RecentFiles mRecent;
    QFont mDisplayFont;
    int mSelectedUser = 0;
    QString mOpenFolder;
    QString mSaveFolder;

    bool mAutoSizing = false;
    bool mFilterOn = false;
    bool mRowSumOn = false;
    int mLastRow = 0;
    int mLastColumn = 0;
    bool mSyncingWidths = false;

    QHash<QString, QAction *> mActions;
    QToolBar *mToolBar = nullptr;
    QMenu *mGridMenu = nullptr;
    QTableView *mGrid = nullptr;
    GridHeader *mColumnHeader = nullptr;
    GridHeader *mRowHeader = nullptr;
    QFrame *mEmptyPanel = nullptr;
    std::array<QLabel *, 7> mPanels{};
    QTimer *mTimer = nullptr;
    QWidget *mReadmeWindow = nullptr;
    QWidget *mAboutDialog = nullptr;

public:
    // The read-me window and the about box, created by main() in the windows' order.
    void setReadmeWindow(QWidget *form) { mReadmeWindow = form; }
    void setAboutDialog(QWidget *form) { mAboutDialog = form; }
    QLabel *statusPanel(int index) const { return mPanels[index]; }
};

} // namespace kribed
