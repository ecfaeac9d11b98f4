// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "exchange/ui/help_form.h"
#include "shell/ui/about_form.h"
#include "shell/ui/file_dialogs.h"
#include "shell/ui/main_form.h"
#include "shell/ui/message_box_prompter.h"
#include "shell/user_list.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kribed-pro"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("kribed"),
                                                 QIcon(QStringLiteral(":/kribed/kribed.svg"))));

    kribed::MessageBoxPrompter prompter;
    kribed::QtFileDialogs dialogs;
    kribed::NoUsers users;

    // The windows in their order; all live until the program ends.
    kribed::TMainForm mainForm(prompter, dialogs, users);
    prompter.SetParent(&mainForm);
    dialogs.SetParent(&mainForm);
    auto *helpForm = new kribed::THelpForm(&mainForm);
    mainForm.SetHelpForm(helpForm);
    auto *aboutForm = new kribed::TAboutForm(&mainForm);
    mainForm.SetAboutForm(aboutForm);

    mainForm.show();
    return app.exec();
}
