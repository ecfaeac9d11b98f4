// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/commands/properties_commands.h"

#include "core/platform/settings.h"
#include "core/platform/user_list.h"
#include "gui/commands/command_support.h"
#include "gui/commands/workspace.h"
#include "gui/grid/database_document.h"
#include "gui/grid/recorded_edits.h"

#include <QAction>

namespace kribed {

PropertiesCommands::PropertiesCommands(Workspace &workspace, QObject *parent)
    : QObject(parent)
    , actionProperties(makeCommandAction(this, "actionProperties", tr("Pr&operties..."),
                                         QKeySequence(Qt::Key_F3), tr("Properties")))
    , contextProperties(makeContextAction(this, "contextProperties", tr("Pr&operties")))
    , mWorkspace(workspace)
    , mDialog(workspace.prompter(), workspace.mainWindow())
{
    connect(actionProperties, &QAction::triggered, this, &PropertiesCommands::editProperties);
    connect(contextProperties, &QAction::triggered, this, &PropertiesCommands::editProperties);
    // Modal over the main window; OK's changes reach the window through `accepted`.
    connect(&mDialog, &QDialog::accepted, this, &PropertiesCommands::takeChoices);
    // The filter runs with the field and match options as the dialog was left, Cancel too.
    connect(&mDialog, &PropertiesDialog::filterLeft, this, &PropertiesCommands::takeFilterLeft);
    // Cancel changes nothing; what is left is kept as a step that leaves the modified mark.
    connect(&mDialog, &QDialog::finished, this, [this] {
        if (mRecording) {
            mRecording->finish(tr("Properties"));
            mRecording.reset();
        }
        mDialog.releaseResult();
    });
}

CommandPlacements PropertiesCommands::placements() const
{
    return {
        {actionProperties, MenuId::Edit, 210, false, 120, "document-properties"},
        {contextProperties, MenuId::GridContext, 110},
    };
}

void PropertiesCommands::setDatabaseOpen(bool open)
{
    actionProperties->setEnabled(open);
}

void PropertiesCommands::editProperties()
{
    if (!mWorkspace.isDatabaseOpen())
        return;
    const Settings &settings = mWorkspace.settings();
    const UserList &users = mWorkspace.users();
    const ViewState view = mWorkspace.document().viewState();
    PropertiesChoices choices = mDialog.choices();
    choices.secondaryReverse = view.secondaryReverse;
    choices.tertiaryReverse = view.tertiaryReverse;
    choices.userNames.clear();
    for (int index = 0; index < users.count(); ++index)
        choices.userNames << users.userName(index);
    choices.selectedUser = mWorkspace.selectedUser();
    choices.initialDir = settings.initialDir;
    choices.saveAtInstall = settings.saveAtInstall;
    choices.expertMode = settings.expertMode;
    mRecording.emplace(mWorkspace.document());
    mDialog.setRegional(mWorkspace.document().regional());
    mDialog.setDisplayFont(mWorkspace.displayFont());
    mDialog.prepare(mWorkspace.document().database(), mWorkspace.currentField(), choices,
                    view.filter.first());
    mDialog.open();
}

void PropertiesCommands::takeFilterLeft(const FilterCondition &filter)
{
    DatabaseDocument &document = mWorkspace.document();
    ViewState view = document.viewState();
    FilterCondition &condition = view.filter.first();
    condition.field = filter.field;
    condition.mustBeginWith = filter.mustBeginWith;
    condition.exclude = filter.exclude;
    document.changeViewState(view);
}

void PropertiesCommands::takeChoices()
{
    const PropertiesChoices &choices = mDialog.choices();
    mWorkspace.setSelectedUser(choices.selectedUser);
    Settings &settings = mWorkspace.settings();
    settings.initialDir = choices.initialDir;
    settings.saveAtInstall = choices.saveAtInstall;
    settings.expertMode = choices.expertMode;

    // Names, widths and the field's type (which steers how its cells show) may have changed.
    DatabaseDocument &document = mWorkspace.document();
    const Database &result = mDialog.edited();
    if (!mRecording)
        mRecording.emplace(document);
    mRecording->take(SettingsSnapshot::of(result),
                     [&] { switchRecordFilter(mWorkspace, result.filterOn()); });
    ViewState view = document.viewState();
    view.secondaryReverse = choices.secondaryReverse;
    view.tertiaryReverse = choices.tertiaryReverse;
    document.changeViewState(view);
    document.refreshCells();
    // Everything OK changed in the database is one undo step.
    mRecording->finish(tr("Properties"));
    mRecording.reset();
}

} // namespace kribed
