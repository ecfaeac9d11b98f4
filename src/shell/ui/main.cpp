// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "editing/ui/bank_form.h"
#include "editing/ui/find_form.h"
#include "exchange/ui/datei_form.h"
#include "model/ui/properties_form.h"
#include "exchange/ui/help_form.h"
#include "shell/ui/about_form.h"
#include "shell/ui/file_dialogs.h"
#include "shell/ui/main_form.h"
#include "shell/ui/tool_icons.h"
#include "shell/ui/message_box_prompter.h"
#include "shell/user_data.h"
#include "shell/user_list.h"

#include <QApplication>
#include <QIcon>

namespace {

// The Palm Desktop's users as the main window asks for them.
class HandheldUsers : public kribed::UserList
{
public:
    explicit HandheldUsers(kribed::Prompter &prompter) : mData(prompter) {}
    int Count() const override { return mData.Count(); }
    int LastUserIndex() const override { return mData.LastUserIndex(); }
    QString UserName(int index) const override { return mData.UserName(index); }
    QString UserFolder(int index) const override { return mData.FolderName(index); }
    QString DesktopDataFolder() const override { return mData.DesktopDataFolder(); }
    std::optional<QString> PrepareInstallFolder(int index, kribed::Prompter &prompter) const override
    {
        return mData.PrepareInstallFolder(index, prompter);
    }
    const kribed::TUserData &Data() const { return mData; }

private:
    kribed::TUserData mData;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kribed-pro"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("kribed"), kribed::AppIcon()));

    kribed::MessageBoxPrompter prompter;
    kribed::QtFileDialogs dialogs;
    // Read before the main window is made: it may tell that the Palm Desktop is missing.
    HandheldUsers users(prompter);

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
