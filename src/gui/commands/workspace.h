// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

class QFont;
class QTableView;
class QWidget;

namespace kribed {

class AutoWidths;
class DatabaseDocument;
class FileDialogs;
class Prompter;
class UserList;
struct Settings;

// The three toggled states of the window (automatic widths, record filter, row sums), each shown
// by a menu check mark, a pressed tool button and a letter in the status bar.
class Modes
{
public:
    virtual bool isAutoSizing() const = 0;
    // Switches automatic widths on or off and puts the widths into the database.
    virtual void autoSizeColumns(bool on) = 0;
    // The widths automatic sizing puts back, which follow columns that move or go.
    virtual AutoWidths &autoWidths() = 0;
    virtual bool isFilterOn() const = 0;
    // Shows every row again; with `on`, hides those the record filter leaves out.
    virtual void applyFilter(bool on) = 0;
    virtual bool isRowSumOn() const = 0;
    virtual void rowSumOff() = 0;
    // Fills the sum field of every record while the mode is on.
    virtual void computeRowSums() = 0;

protected:
    ~Modes() = default;
};

// What the command classes work with: the open database and the current cell, the seams that ask
// the user (messages, file dialogs), the settings and handheld users, the display font, the
// toggled states and the window that dialogs belong to. The main window provides it.
class Workspace
{
public:
    virtual DatabaseDocument &document() = 0;
    // The current cell as field and record numbers (1-based); 1 when the grid is empty.
    virtual int currentField() const = 0;
    virtual int currentRecord() const = 0;
    virtual void setCurrentCell(int field, int record) = 0;
    // The grid the database shows in: its selection and current cell.
    virtual QTableView &gridView() = 0;
    // Whether a database is open. Closing drops the database and leaves every mode; both switch
    // the commands that need a database on or off.
    virtual bool isDatabaseOpen() const = 0;
    virtual void setDatabaseOpen(bool open) = 0;

    virtual Prompter &prompter() = 0;
    virtual FileDialogs &fileDialogs() = 0;
    virtual Settings &settings() = 0;
    virtual UserList &users() = 0;
    // The handheld user chosen for this run.
    virtual int selectedUser() const = 0;
    virtual void setSelectedUser(int index) = 0;
    // The main window: the dialogs are modal over it, Exit closes it.
    virtual QWidget *mainWindow() = 0;

    // The font of the grid and of the dialog controls that show cell texts; its character set
    // names the code page the cells are shown in.
    virtual const QFont &displayFont() const = 0;
    virtual void setDisplayFont(const QFont &font) = 0;

    virtual Modes &modes() = 0;

protected:
    ~Workspace() = default;
};

} // namespace kribed
