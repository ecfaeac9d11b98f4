// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "gui/commands/command_group.h"
#include "gui/dialogs/properties_dialog.h"

#include "gui/grid/recorded_edits.h"

#include <QObject>

#include <optional>

class QAction;

namespace kribed {

class Workspace;

// Edit > Properties: the database, its fields, popup lists, record filter and sort fields, and
// the program's settings. The dialog is kept for the run; the filter's match options and the
// sort's reverse flags it shows and sets are the document's view state.
class PropertiesCommands
    : public QObject
    , public CommandGroup
{
    Q_OBJECT

public:
    PropertiesCommands(Workspace &workspace, QObject *parent = nullptr);

    // Where the actions show: menus, tool bar, context menu, pictures.
    CommandPlacements placements() const override;

    void setDatabaseOpen(bool open) override;
    PropertiesDialog &dialog() { return mDialog; }

    QAction *const actionProperties;
    QAction *const contextProperties;

public Q_SLOTS:
    void editProperties();

private:
    void takeChoices();
    void takeFilterLeft(const FilterCondition &filter);

    Workspace &mWorkspace;
    PropertiesDialog mDialog;
    // The database's settings since the dialog opened, for the undo step of what it changes.
    std::optional<SettingsRecording> mRecording;
};

} // namespace kribed
