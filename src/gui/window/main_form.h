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
// Its commands live with their subsystems: this file declares every handler, main_form*.cpp files
// next to each subsystem define them.
class TMainForm : public QMainWindow
{
    Q_OBJECT

public:
    // The prompter, the dialogs and the user list outlive the window.
    TMainForm(Prompter &prompter, FileDialogs &dialogs, UserList &users, QWidget *parent = nullptr);
    ~TMainForm() override;

    // What the command handlers work with ----------------------------------------------------
    DatabaseDocument &Document() { return *mDocument; }
    QTableView *Grid() const { return mGrid; }
    Prompter &ask() { return mPrompter; }
    FileDialogs &Dialogs() { return mDialogs; }
    UserList &users() { return mUsers; }
    Settings &AppSettings() { return mSettings; }
    const RecentFiles &Recent() const { return mRecent; }
    QAction *Action(const QString &objectName) const { return mActions.value(objectName); }
    QMenu *GridMenu() const { return mGridMenu; }

    // The handheld user chosen for this run (the Desktop's last user at start).
    int SelectedUser() const { return mSelectedUser; }
    void SetSelectedUser(int index) { mSelectedUser = index; }
    // The folder the database open and save dialogs start in (set once at start).
    const QString &OpenDialogFolder() const { return mOpenFolder; }
    void SetDatabaseDialogFolder(const QString &folder);

    // The current cell as field and record numbers (1-based); 1 when the grid is empty.
    int CurrentField() const;
    int CurrentRecord() const;
    void SetCurrentCell(int field, int record);
    // Whether a database is open (the enabled state of Save).
    bool IsDatabaseOpen() const;

    // The three toggled states, each mirrored by a menu check mark, a tool button and a letter in
    // the status bar. The Set...State functions only record and show a state.
    bool IsAutoSizing() const { return mAutoSizing; }
    void SetAutoSizingState(bool on);
    bool IsFilterOn() const { return mFilterOn; }
    bool IsRowSumOn() const { return mRowSumOn; }
    void SetRowSumState(bool on);

    // The display font and the code page its character set stands for.
    const QFont &DisplayFont() const { return mDisplayFont; }
    int DisplayCharSet() const { return mSettings.font.charSet; }
    // The pixel width of a text in the display font (for automatic widths and printing).
    int TextWidth(const QString &text) const;

    // Shared steps of the commands -------------------------------------------------------------
    // True when the caller must stop: there are unsaved changes and the user keeps them.
    bool ConfirmDiscardChanges();
    void SetDatabaseOpen(bool open);
    // Shows every row again; with `on`, hides those the record filter leaves out.
    void applyFilter(bool on);
    // The open routine: an empty path shows the open dialog.
    void OpenDatabase(const QString &path);
    void AddRecentFile(const QString &path);
    void RefreshRecentMenu();
    // Font to the grid and the named dialog controls, column 0's width and the width scale.
    void ApplyDisplayFont();
    // The status timer's work, also called directly by tests.
    void Timer1Timer();
    // Puts the view's column widths and hidden rows in step with the database.
    void SyncColumnWidths();
    void SyncHiddenRows();

    // Implemented with the editing command set ---------------------------------------------------
    void autoSizeColumns(bool on);
    // A double-click on a column's right border: the column takes the width Auto sizing gives it
    // (its widest first line + 5 pixels); a changed width marks the database changed.
    void StringGridFitColumn(int field);
    void clearRowClipboard();
    // The core of the record filter: hides the records the filter leaves out.
    void ApplyRecordFilter();
    // The hint of a field-name header cell, and of the top left cell.
    QString HeaderHint(int field) const;
    QString RecordCountHint() const;
    // A column dragged from one place to another: its definition follows it.
    void MoveColumnDefinitionOf(int from, int to);

    // Implemented with the search command set ----------------------------------------------------
    void rowSumOff();
    void computeRowSums();

public Q_SLOTS:
    // File
    void New1Click();
    void Open1Click();
    void Close1Click();
    void Save1Click();
    void Saveas1Click();
    void Install1Click();
    void Import1Click();
    void Append1Click();
    void Export1Click();
    void Print1Click();
    void Print2Click();
    void F1Click();
    void F2Click();
    void F3Click();
    void F4Click();
    void F5Click();
    void Exit1Click();
    // Edit
    void Edit1Click();
    void Properties1Click();
    void CutCell1Click();
    void CopyCell1Click();
    void PasteCell1Click();
    void CutRow1Click();
    void CopyRow1Click();
    void PasteRow1Click();
    void FontSetting1Click();
    // Tools
    void Find1Click();
    void Findnext1Click();
    void Autosizing1Click();
    void Filter1Click();
    void Sortnormal1Click();
    void SortReverse1Click();
    void ColSum1Click();
    void RowSum1Click();
    void Delete_Row1Click();
    void InsertRow1Click();
    void AppendRow1Click();
    void Delete_Column1Click();
    void InsertColumn1Click();
    void AppendColumn1Click();
    // Help
    void Readme1Click();
    void About1Click();
    // Grid
    void StringGridDblClick();
    void StringGridCellValidate(int field, int record);
    void StringGridEndColumnSize(int field, int pixels);
    void StringGridRowMoved(int from, int to);
    void StringGridColumnMoved(int from, int to);

protected:
    void FormCreate();
    void closeEvent(QCloseEvent *event) override;
    // Dialogs made after the first paint take the display font when they show.
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void FormClose();

private:
    void BuildActions();
    void BuildMenus();
    void BuildToolBar();
    void BuildGridMenu();
    void BuildGrid();
    void BuildStatusBar();
    QAction *AddAction(const QString &name, const QString &caption, const QKeySequence &shortcut,
                       const QString &hint, void (TMainForm::*handler)());
    void OpenRecent(int slot);
    void SaveCommand(bool chooseName);
    void PlaceWindow();
    void ShowGridMenu(const QPoint &globalPosition);
    void AfterHeaderMoved(Qt::Orientation orientation, int logical, int from, int to);
    void SnapColumnWidth(int column, int pixels);
    void ApplyFontToDialog(QWidget *window);

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
    QWidget *mHelpForm = nullptr;
    QWidget *mAboutForm = nullptr;

public:
    // The read-me window and the about box, created by main() in the windows' order.
    void SetHelpForm(QWidget *form) { mHelpForm = form; }
    void SetAboutForm(QWidget *form) { mAboutForm = form; }
    QLabel *StatusPanel(int index) const { return mPanels[index]; }
};

} // namespace kribed
