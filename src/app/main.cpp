// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/handheld/user_data.h"
#include "gui/dialogs/about_form.h"
#include "gui/dialogs/bank_form.h"
#include "gui/dialogs/datei_form.h"
#include "gui/dialogs/file_dialogs.h"
#include "gui/dialogs/find_form.h"
#include "gui/dialogs/help_form.h"
#include "gui/dialogs/message_box_prompter.h"
#include "gui/dialogs/properties_form.h"
#include "gui/window/main_form.h"
#include "gui/window/tool_icons.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kribed-pro"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("kribed"), kribed::AppIcon()));

    kribed::MessageBoxPrompter prompter;
    kribed::QtFileDialogs dialogs;
    // Read before the main window is made: it may tell that the Palm Desktop is missing.
    kribed::UserData users(prompter);

    // The windows in their order; all live until the program ends.
    kribed::TMainForm mainForm(prompter, dialogs, users);
    prompter.SetParent(&mainForm);
    dialogs.SetParent(&mainForm);
    auto *helpForm = new kribed::THelpForm(&mainForm);
    mainForm.SetHelpForm(helpForm);
    auto *aboutForm = new kribed::TAboutForm(&mainForm);
    mainForm.SetAboutForm(aboutForm);
    kribed::BankFormOf(mainForm);
    // The new-database dialog reads the start's settings when it is made.
    kribed::DateiFormOf(mainForm);
    kribed::FindForm(mainForm);
    kribed::PropertiesFormOf(mainForm, prompter);

    mainForm.show();
    return app.exec();
}
