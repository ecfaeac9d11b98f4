// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
// The main window's Properties command.
#include "gui/window/main_window.h"

#include "core/platform/user_list.h"
#include "gui/dialogs/properties_dialog.h"
#include "gui/grid/database_document.h"

namespace kribed {

// The dialog is made once, as a child of the main window, and kept for the run: its controls hold
// the filter's match options and the sort's reverse flags.
PropertiesDialog *propertiesDialogOf(MainWindow &window, Prompter &prompter)
{
    if (auto *form = window.findChild<PropertiesDialog *>())
        return form;
    auto *form = new PropertiesDialog(prompter, &window);
    form->setApplyFilter([&window](bool on) { window.applyFilter(on); });
    QObject::connect(form, &QDialog::accepted, &window, [&window, form] {
        const PropertiesChoices &choices = form->choices();
        window.setSelectedUser(choices.selectedUser);
        Settings &settings = window.settings();
        settings.initialDir = choices.initialDir;
        settings.saveAtInstall = choices.saveAtInstall;
        settings.expertMode = choices.expertMode;

        // Names, widths and the field's type (which steers how its cells show) may have changed.
        DatabaseDocument &document = window.document();
        const Database &database = document.database();
        document.notifyFieldNamesChanged();
        document.notifyColumnWidthsChanged();
        if (database.recordCount() > 0 && database.fieldCount() > 0)
            document.changeCells(1, 1, database.fieldCount(), database.recordCount(),
                                 [](Database &) {});
    });
    return form;
}

void MainWindow::editProperties()
{
    if (!isDatabaseOpen())
        return;
    PropertiesDialog *form = propertiesDialogOf(*this, mPrompter);
    PropertiesChoices choices = form->choices();
    choices.userNames.clear();
    for (int index = 0; index < mUsers.count(); ++index)
        choices.userNames << mUsers.userName(index);
    choices.selectedUser = mSelectedUser;
    choices.initialDir = mSettings.initialDir;
    choices.saveAtInstall = mSettings.saveAtInstall;
    choices.expertMode = mSettings.expertMode;
    form->prepare(mDocument->database(), currentField(), choices);
    // Modal over the main window; OK's changes reach the window through `accepted`.
    form->open();
}

} // namespace kribed
