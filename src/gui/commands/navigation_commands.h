// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "gui/commands/command_group.h"
#include "gui/dialogs/go_to_record_dialog.h"

#include <QByteArray>
#include <QObject>
#include <QStringList>

class QAction;

namespace kribed {

class FilterBar;
class Workspace;

// The record filter's settings as the filter bar shows them: the database's filter text, the
// field searched and "Field must begin with string" as the document's view state holds them,
// and whether the filter is on.
struct FilterBarSettings
{
    QByteArray text;
    int field = 0; // 0: all fields
    bool mustBeginWith = false;
    bool on = false;

    bool operator==(const FilterBarSettings &other) const;
};

// Finding one's way in many records: Edit > Go to record, and Tools > Filter bar, which shows
// and edits the view state's filter, as the properties dialog's Filter tab does.
class NavigationCommands
    : public QObject
    , public CommandGroup
{
    Q_OBJECT

public:
    NavigationCommands(Workspace &workspace, QObject *parent = nullptr);

    // Where the actions show: menus, tool bar, context menu, pictures.
    CommandPlacements placements() const override;
    // The filter bar above the grid.
    CommandPanels panels() const override;

    void setDatabaseOpen(bool open) override;
    GoToRecordDialog &goToRecordDialog() { return mGoTo; }
    FilterBar *filterBar() const { return mFilterBar; }

    // Whether the filter bar shows: chosen in the menu, and a database open.
    bool isFilterBarShown() const;
    FilterBarSettings filterSettings() const;
    // The names of the database's fields, as the field lists of the filter show them.
    QStringList fieldNames() const;
    // The records the filter leaves shown.
    int shownRecordCount() const;
    // Text, field and "Field must begin with string" as `wanted` gives them, and the filter on
    // or off, as one undo step (none when nothing changes).
    void changeFilter(const FilterBarSettings &wanted);
    // The filter on or off as Enable filter (Ctrl+E) switches it.
    void switchFilter(bool on);

    QAction *const actionGoToRecord;
    QAction *const actionFilterBar;

public Q_SLOTS:
    void goToRecord();

Q_SIGNALS:
    // The filter's settings, its state or the shown records may have changed, from anywhere.
    void filterSettingsChanged();
    // The filter bar is to show or go.
    void filterBarShownChanged(bool shown);

private:
    void goToAccepted();

    Workspace &mWorkspace;
    GoToRecordDialog mGoTo;
    FilterBar *mFilterBar;
};

} // namespace kribed
