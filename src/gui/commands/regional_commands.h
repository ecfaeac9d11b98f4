// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/editing/formats_check.h"
#include "core/platform/formats_memory.h"
#include "gui/commands/command_group.h"
#include "gui/dialogs/regional_formats_dialog.h"

#include <QObject>

#include <optional>

class QAction;
class QLabel;

namespace kribed {

class FormatsSuggestionBar;
class Workspace;

// The regional formats of the open database (Tools menu): the dialog that chooses them, the
// memory of each file's choice, the bar that suggests other formats when a file's cells read
// better in them, and the status bar's name of formats other than the desktop's. A choice is
// never an edit: the document takes it without an undo step or a modified mark.
class RegionalCommands
    : public QObject
    , public CommandGroup
{
    Q_OBJECT

public:
    RegionalCommands(Workspace &workspace, QObject *parent = nullptr);

    CommandPlacements placements() const override;
    // The bar above the grid, the name in the status bar.
    CommandPanels panels() const override;
    void setDatabaseOpen(bool open) override;

    RegionalFormatsDialog &dialog() { return mDialog; }
    FormatsSuggestionBar *suggestionBar() const { return mBar; }
    QLabel *formatsLabel() const { return mName; }

    QAction *const actionRegionalFormats;

public Q_SLOTS:
    void regionalFormats();
    // A file was loaded: its remembered formats, or the suggestion when its cells say so.
    void databaseLoaded();
    // The database was saved, perhaps under a new name: the file it went to keeps its formats.
    void databaseSaved();

private:
    void takeDialogChoice();
    void useSuggested();
    void keepDesktop();
    // The document reads by `choice`, and the file keeps it.
    void settle(const FormatsChoice &choice);
    void showFormatsName();

    Workspace &mWorkspace;
    RegionalFormatsDialog mDialog;
    FormatsSuggestionBar *mBar;
    QLabel *mName;
    std::optional<FormatsSuggestion> mSuggestion;
};

} // namespace kribed
