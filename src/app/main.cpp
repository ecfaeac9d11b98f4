// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/handheld/user_data.h"
#include "gui/dialogs/about_dialog.h"
#include "gui/dialogs/cell_editor_dialog.h"
#include "gui/dialogs/file_dialogs.h"
#include "gui/dialogs/find_dialog.h"
#include "gui/dialogs/message_box_prompter.h"
#include "gui/dialogs/new_database_dialog.h"
#include "gui/dialogs/properties_dialog.h"
#include "gui/dialogs/readme_window.h"
#include "gui/window/main_window.h"
#include "gui/window/tool_icons.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kribed-pro"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("kribed"), kribed::appIcon()));

    kribed::MessageBoxPrompter prompter;
    kribed::QtFileDialogs dialogs;
    // Read before the main window is made: it may tell that the Palm Desktop is missing.
    kribed::UserData users(prompter);

    // The windows in their order; all live until the program ends.
    kribed::MainWindow mainForm(prompter, dialogs, users);
    prompter.setParent(&mainForm);
    dialogs.setParent(&mainForm);
    auto *readmeWindow = new kribed::ReadmeWindow(&mainForm);
    mainForm.setReadmeWindow(readmeWindow);
    auto *aboutDialog = new kribed::AboutDialog(&mainForm);
    mainForm.setAboutDialog(aboutDialog);
    kribed::cellEditorOf(mainForm);
    // The new-database dialog reads the start's settings when it is made.
    kribed::newDatabaseDialogOf(mainForm);
    kribed::findDialogOf(mainForm);
    kribed::propertiesDialogOf(mainForm, prompter);

    mainForm.show();
    return app.exec();
}
