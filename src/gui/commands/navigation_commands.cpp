// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/commands/navigation_commands.h"

#include "gui/commands/command_support.h"
#include "gui/commands/filter_bar.h"
#include "gui/commands/workspace.h"
#include "gui/grid/database_document.h"

#include <QAction>

namespace kribed {

bool FilterBarSettings::operator==(const FilterBarSettings &other) const
{
    return text == other.text && field == other.field && mustBeginWith == other.mustBeginWith
           && on == other.on;
}

NavigationCommands::NavigationCommands(Workspace &workspace, QObject *parent)
    : QObject(parent)
    , actionGoToRecord(makeCommandAction(this, "actionGoToRecord", tr("&Go to record..."),
                                         QKeySequence(Qt::CTRL | Qt::Key_G), tr("Go to record")))
    , actionFilterBar(makeCommandAction(this, "actionFilterBar", tr("Filter &bar"),
                                        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L),
                                        tr("Filter bar")))
    , mWorkspace(workspace)
    , mGoTo(workspace.prompter(), workspace.mainWindow())
{
    actionFilterBar->setCheckable(true);
    connect(actionGoToRecord, &QAction::triggered, this, &NavigationCommands::goToRecord);
    connect(&mGoTo, &QDialog::accepted, this, &NavigationCommands::goToAccepted);
    connect(actionFilterBar, &QAction::toggled, this,
            [this] { Q_EMIT filterBarShownChanged(isFilterBarShown()); });

    // Whatever runs the filter, changes its settings or the fields, the bar follows: Enable
    // filter, the properties dialog (Cancel too), an undo or redo, a load, a new or removed
    // field, another code page for the texts.
    DatabaseDocument &document = workspace.document();
    for (auto signal : {&DatabaseDocument::rowVisibilityChanged,
                        &DatabaseDocument::columnWidthsChanged, &DatabaseDocument::replaced,
                        &DatabaseDocument::regionalChanged, &DatabaseDocument::viewStateChanged})
        connect(&document, signal, this, &NavigationCommands::filterSettingsChanged);
    connect(&document.model(), &QAbstractItemModel::headerDataChanged, this,
            &NavigationCommands::filterSettingsChanged);
    connect(&document.model(), &QAbstractItemModel::columnsMoved, this,
            &NavigationCommands::filterSettingsChanged);
    // Made last: it reads the actions and follows the signals above.
    mFilterBar = new FilterBar(*this, workspace, workspace.mainWindow());
}

CommandPlacements NavigationCommands::placements() const
{
    return {
        {actionGoToRecord, MenuId::Edit, 710},
        {actionFilterBar, MenuId::Tools, 220},
    };
}

CommandPanels NavigationCommands::panels() const
{
    return {{mFilterBar, PanelPlace::AboveGrid, 300}};
}

void NavigationCommands::setDatabaseOpen(bool open)
{
    actionGoToRecord->setEnabled(open);
    actionFilterBar->setEnabled(open);
    Q_EMIT filterBarShownChanged(isFilterBarShown());
}

// Go to record ----------------------------------------------------------------------------------

void NavigationCommands::goToRecord()
{
    if (!mWorkspace.isDatabaseOpen())
        return;
    mGoTo.prepare(mWorkspace.document().database(), mWorkspace.currentRecord());
    mGoTo.setDisplayFont(mWorkspace.displayFont());
    mGoTo.open();
}

void NavigationCommands::goToAccepted()
{
    // The dialog refused every record it could not go to, hidden ones included.
    mWorkspace.setCurrentCell(mWorkspace.currentField(), mGoTo.record());
}

// Filter bar ------------------------------------------------------------------------------------

bool NavigationCommands::isFilterBarShown() const
{
    return actionFilterBar->isChecked() && mWorkspace.isDatabaseOpen();
}

FilterBarSettings NavigationCommands::filterSettings() const
{
    const DatabaseDocument &document = mWorkspace.document();
    const ViewState state = document.viewState();
    const FilterCondition &condition = state.filter.first();
    FilterBarSettings settings;
    settings.text = condition.text;
    settings.on = state.filterOn;
    settings.mustBeginWith = condition.mustBeginWith;
    // A field this database lacks searches all of them.
    settings.field = condition.field <= document.database().fieldCount() ? condition.field : 0;
    return settings;
}

QStringList NavigationCommands::fieldNames() const
{
    const DatabaseDocument &document = mWorkspace.document();
    QStringList names;
    for (int field = 1; field <= document.database().fieldCount(); ++field)
        names << document.regional().toText(document.database().fieldName(field));
    return names;
}

int NavigationCommands::shownRecordCount() const
{
    const Database &database = mWorkspace.document().database();
    int shown = 0;
    for (int record = 1; record <= database.recordCount(); ++record)
        shown += database.isHidden(record) ? 0 : 1;
    return shown;
}

void NavigationCommands::changeFilter(const FilterBarSettings &wanted)
{
    if (!mWorkspace.isDatabaseOpen() || wanted == filterSettings())
        return;
    // The bar sets the text and the field together, as the file keeps them.
    DatabaseDocument &document = mWorkspace.document();
    ViewState state = document.viewState();
    FilterCondition &condition = state.filter.first();
    condition.text = wanted.text;
    condition.field = wanted.field;
    condition.mustBeginWith = wanted.mustBeginWith;
    state.storedFilterField = wanted.field;
    const bool switches = state.filterOn != wanted.on;
    state.filterOn = wanted.on;
    document.changeViewState(state, tr("Filter bar"));
    // The bar's change shows at once.
    if (!switches)
        document.showFilteredRecords();
}

void NavigationCommands::switchFilter(bool on)
{
    if (on != mWorkspace.document().database().filterOn())
        switchRecordFilter(mWorkspace, on);
}

} // namespace kribed
