// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/handheld/user_data.h"
#include "gui/dialogs/file_dialogs.h"
#include "gui/dialogs/message_box_prompter.h"
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

    // The window makes its dialogs; all live until the program ends.
    kribed::MainWindow window(prompter, dialogs, users);
    prompter.setParent(&window);
    dialogs.setParent(&window);
    window.show();
    return app.exec();
}
