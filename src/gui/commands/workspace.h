// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

class QFont;
class QTableView;
class QWidget;

namespace kribed {

class DatabaseDocument;
class FileDialogs;
class Prompter;
class UserList;
struct Settings;

// What the command classes work with: the open database and the current cell, the seams that ask
// the user (messages, file dialogs), the settings and handheld users, the display font and the
// window that dialogs belong to. The main window provides it. The toggled states are the
// document's view state.
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

protected:
    ~Workspace() = default;
};

} // namespace kribed
