// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/commands/command_support.h"

#include "core/model/database.h"
#include "core/model/regional.h"
#include "core/platform/prompter.h"
#include "gui/commands/workspace.h"
#include "gui/grid/database_document.h"
#include "gui/grid/display_text_width.h"

#include <QAction>
#include <QCoreApplication>

namespace kribed {

QAction *makeCommandAction(QObject *owner, const char *name, const QString &caption,
                           const QKeySequence &shortcut, const QString &hint)
{
    auto *action = new QAction(caption, owner);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    action->setToolTip(hint.isEmpty() ? QString(caption).remove(u'&') : hint);
    return action;
}

QAction *makeContextAction(QObject *owner, const char *name, const QString &caption,
                           const QKeySequence &shortcut)
{
    auto *action = new QAction(caption, owner);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    action->setToolTip(QString(caption).remove(u'&'));
    action->setShortcutContext(Qt::WidgetShortcut);
    return action;
}

QStringList fieldNames(const Database &database, const Regional &regional)
{
    QStringList names;
    for (int k = 1; k <= database.fieldCount(); ++k)
        names << regional.toText(database.fieldName(k));
    return names;
}

void leaveModes(Workspace &workspace, bool autoSizing)
{
    DatabaseDocument &document = workspace.document();
    ViewState state = document.viewState();
    state.rowSumOn = false;
    document.changeViewState(state);
    switchRecordFilter(workspace, false);
    if (autoSizing)
        switchAutoSizing(workspace, false);
}

void switchRecordFilter(Workspace &workspace, bool on)
{
    DatabaseDocument &document = workspace.document();
    ViewState state = document.viewState();
    if (state.filterOn == on) {
        document.showFilteredRecords();
        return;
    }
    state.filterOn = on;
    document.changeViewState(state);
}

void switchAutoSizing(Workspace &workspace, bool on)
{
    DatabaseDocument &document = workspace.document();
    ViewState state = document.viewState();
    // The state rules: marked off without restoring (a new database), nothing comes back.
    if (!state.autoSizing)
        state.autoWidths.resetWithoutRestoring();
    document.sizeColumnsAutomatically(
        state.autoWidths, on,
        displayTextMeasure(workspace.displayFont(), document.regional().codePage()));
    state.autoSizing = on;
    document.changeViewState(state);
}

bool confirmDiscardChanges(Workspace &workspace)
{
    if (!workspace.document().isModified())
        return false;
    Message question{QCoreApplication::translate("FileCommands", "Information"),
                     QCoreApplication::translate(
                         "FileCommands",
                         "You have not saved the changes to this file and you will lose the "
                         "changes if you close this file. Are sure that you want to close this "
                         "file?"),
                     Icon::Warning, Buttons::YesNo};
    // Recovered changes exist nowhere else once the question lets them go: Return keeps them.
    question.cautiousDefault = workspace.document().recoveredOrigin().has_value();
    return workspace.prompter().ask(question) != Answer::Yes;
}

} // namespace kribed
