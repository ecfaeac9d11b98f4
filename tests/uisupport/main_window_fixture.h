// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/platform/user_list.h"
#include "gui/commands/command_groups.h"
#include "gui/commands/edit_commands.h"
#include "gui/commands/exchange_commands.h"
#include "gui/commands/file_commands.h"
#include "gui/commands/help_commands.h"
#include "gui/commands/properties_commands.h"
#include "gui/commands/row_column_commands.h"
#include "gui/commands/tools_commands.h"
#include "gui/grid/database_document.h"
#include "gui/grid/document_door_p.h"
#include "gui/window/main_window.h"
#include "scripted_file_dialogs.h"
#include "scripted_prompter.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <utility>

namespace kribed {
class Database;
}

namespace kribed::test {

// A database "Kunden" (or `name`) with fields Feld1.. and numbered values: record r, field f
// holds r * 10 + f.
QByteArray kunden(int fields, int records, const QByteArray &name = "Kunden");
// A database `name` with the one field "Name" and the records "R1", "R2", ...
QByteArray database(const QByteArray &name, int records = 2);

// One handheld user, "Smith J", with the Desktop data in /palm.
class OneUser : public UserList
{
public:
    int count() const override { return 1; }
    int lastUserIndex() const override { return 0; }
    QString userName(int) const override { return QStringLiteral("Smith J"); }
    QString userFolder(int) const override { return QStringLiteral("Smith J"); }
    QString desktopDataFolder() const override { return QStringLiteral("/palm"); }
};

// The question before unsaved changes would be lost, word for word.
const QString DiscardQuestion = QStringLiteral(
    "You have not saved the changes to this file and you will lose the changes if you close this "
    "file. Are sure that you want to close this file?");

// The main window with scripted messages and file dialogs, a folder of its own for the files a
// test writes, and the settings store emptied. A test class derives from it next to QObject and
// calls these helpers from its own initTestCase, init and cleanup.
class MainWindowFixture
{
protected:
    // Settings in the test location, numbers and dates as in the US.
    static void initFixture();
    static void clearStore();

    // The usual start of a test: a new folder, an empty settings store and a new window without
    // handheld users, shown and exposed when `shown` says so.
    void startTest(bool shown = false);
    // The usual end: both scripts played to the end, the window closed.
    void endTest();

    // A new empty folder for the test's files.
    void makeTemp();
    // New prompter and dialog scripts and a new window on them, the old window gone first.
    void makeWindow(UserList &users);
    void makeWindow() { makeWindow(mNoUsers); }
    // The window shown and exposed, for the tests that need a painted grid.
    void showWindow();
    // Both scripts played to the end; then the window is closed without the discard question.
    void verifyScripts();
    void closeWindow();

    QString writeFile(const QString &name, const QByteArray &bytes);
    // Opens a file through the open dialog.
    void openThroughDialog(const QString &path);
    // Writes the bytes to the folder and opens them through the open dialog.
    void openBytes(const QString &name, const QByteArray &bytes);
    // Puts the table in the window as an unchanged open database, without a file; row 0 of the
    // table is the field names.
    void openTable(const QList<QByteArrayList> &table);
    // New through the dialog with the given shape, and the field type's index when not -1.
    void createThroughDialog(const QString &columns, const QString &rows, int type = -1);

    // A command or context menu entry of the window, by its object name.
    QAction *windowAction(const QString &name) const;
    bool enabled(const char *name) const;
    // The text of status panel `index`.
    QString panel(int index) const;
    // Stores the text in the cell through the grid's model, as an edit in place does.
    void typeInto(int field, int record, const QString &text);
    const Database &windowDatabase();
    // Sets up the window's database for a test: `change` changes values, names, widths or hidden
    // rows (no cells), and the grid hears of them. A change that sets the database's modified
    // flag marks it changed.
    template<class F> void setUpWindowDatabase(F &&change)
    {
        bool marked = false;
        DocumentDoor(windowDocument()).changeSettings([&](Database &database) {
            database.clearModified();
            change(database);
            marked = database.isModified();
        });
        if (marked)
            windowDocument().markChanged();
    }
    DatabaseDocument &windowDocument();
    // One cell set for a test, marking the database changed; a change outside the undo history.
    void setUpWindowCell(int field, int record, const QByteArray &text);

    std::unique_ptr<QTemporaryDir> mTemp;
    std::unique_ptr<ScriptedPrompter> mPrompter;
    std::unique_ptr<ScriptedFileDialogs> mDialogs;
    NoUsers mNoUsers;
    OneUser mOneUser;
    std::unique_ptr<MainWindow> mWindow;
};

} // namespace kribed::test
