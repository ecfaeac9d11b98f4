// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/commands/regional_commands.h"

#include "core/model/database.h"
#include "core/model/regional.h"
#include "core/platform/settings.h"
#include "gui/commands/command_support.h"
#include "gui/commands/workspace.h"
#include "gui/dialogs/formats_suggestion_bar.h"
#include "gui/grid/database_document.h"

#include <QAction>
#include <QLabel>
#include <QSettings>

#include <memory>

namespace kribed {

namespace {

// A name kept in the settings that QLocale does not know as such (edited by hand, or from a
// newer program) counts as no choice.
bool isKnownLocale(const FormatsChoice &choice)
{
    return choice.isDesktop() || QLocale(choice.localeName).name() == choice.localeName;
}

} // namespace

RegionalCommands::RegionalCommands(Workspace &workspace, QObject *parent)
    : QObject(parent)
    , actionRegionalFormats(makeCommandAction(
          this, "actionRegionalFormats", tr("Re&gional formats..."), {}, tr("Regional formats")))
    , mWorkspace(workspace)
    , mDialog(workspace.mainWindow())
    , mBar(new FormatsSuggestionBar(workspace.mainWindow()))
    , mName(new QLabel(workspace.mainWindow()))
{
    mName->setObjectName(QStringLiteral("statusPanelFormats"));
    mName->setFrameShape(QFrame::Panel);
    mName->setFrameShadow(QFrame::Sunken);
    mName->hide();
    connect(actionRegionalFormats, &QAction::triggered, this, &RegionalCommands::regionalFormats);
    // Modal over the main window; OK's choice reaches the document through `accepted`.
    connect(&mDialog, &QDialog::accepted, this, &RegionalCommands::takeDialogChoice);
    connect(mBar, &FormatsSuggestionBar::useSuggested, this, &RegionalCommands::useSuggested);
    connect(mBar, &FormatsSuggestionBar::keepDesktop, this, &RegionalCommands::keepDesktop);
    DatabaseDocument &document = workspace.document();
    connect(&document, &DatabaseDocument::loaded, this, &RegionalCommands::databaseLoaded);
    connect(&document, &DatabaseDocument::saved, this, &RegionalCommands::databaseSaved);
    connect(&document, &DatabaseDocument::regionalChanged, this,
            &RegionalCommands::showFormatsName);
}

CommandPlacements RegionalCommands::placements() const
{
    return {{actionRegionalFormats, MenuId::Tools, 700, true}};
}

CommandPanels RegionalCommands::panels() const
{
    return {{mBar, PanelPlace::AboveGrid, 200}, {mName, PanelPlace::StatusBar, 200}};
}

void RegionalCommands::setDatabaseOpen(bool open)
{
    actionRegionalFormats->setEnabled(open);
    if (!open) {
        mBar->hide();
        mSuggestion.reset();
    }
}

void RegionalCommands::regionalFormats()
{
    const DatabaseDocument &document = mWorkspace.document();
    mDialog.setDisplayFont(mWorkspace.displayFont());
    mDialog.prepare(document.database(), document.desktopRegional(), document.formatsChoice());
    mDialog.open();
}

void RegionalCommands::databaseLoaded()
{
    DatabaseDocument &document = mWorkspace.document();
    const QString &path = document.database().filePath();
    const std::optional<FormatsChoice> remembered = rememberedFormats(*openSettingsStore(), path);
    if (remembered && isKnownLocale(*remembered)) {
        document.chooseFormats(*remembered);
        return;
    }
    mSuggestion = suggestFormats(document.database(), document.desktopRegional());
    if (mSuggestion)
        mBar->suggest(*mSuggestion, formatsName(document.desktopRegional().locale()));
}

void RegionalCommands::databaseSaved()
{
    const DatabaseDocument &document = mWorkspace.document();
    const FormatsChoice &choice = document.formatsChoice();
    const QString &path = document.database().filePath();
    std::unique_ptr<QSettings> store = openSettingsStore();
    const std::optional<FormatsChoice> remembered = rememberedFormats(*store, path);
    // A file nobody answered for that is saved with the desktop's formats stays unanswered, so
    // its cells may still suggest others the next time it opens.
    if (remembered ? *remembered != choice : !choice.isDesktop())
        rememberFormats(*store, path, choice);
}

void RegionalCommands::takeDialogChoice()
{
    settle(mDialog.choice());
}

void RegionalCommands::useSuggested()
{
    if (mSuggestion)
        settle({mSuggestion->locale.name()});
}

void RegionalCommands::keepDesktop()
{
    settle({});
}

void RegionalCommands::settle(const FormatsChoice &choice)
{
    // Any answer, in the bar or the dialog, is the answer to the suggestion.
    mBar->hide();
    mSuggestion.reset();
    DatabaseDocument &document = mWorkspace.document();
    document.chooseFormats(choice);
    rememberFormats(*openSettingsStore(), document.database().filePath(), choice);
}

void RegionalCommands::showFormatsName()
{
    const DatabaseDocument &document = mWorkspace.document();
    const QLocale &chosen = document.regional().locale();
    const bool differs = chosen.name() != document.desktopRegional().locale().name();
    mName->setText(differs ? chosen.name() : QString());
    mName->setToolTip(differs ? tr("Regional formats: %1").arg(formatsName(chosen)) : QString());
    mName->setVisible(differs);
}

} // namespace kribed
