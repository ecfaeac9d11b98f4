// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/exchange/text_format.h"
#include "gui/commands/command_placement.h"

#include <QObject>
#include <QString>

#include <optional>
#include <utility>

class QAction;

namespace kribed {

class Workspace;

// Text files in and out: Import (a new database from a text file), Append (its records after the
// open database's) and Export.
class ExchangeCommands : public QObject
{
    Q_OBJECT

public:
    ExchangeCommands(Workspace &workspace, QObject *parent = nullptr);

    // Where the actions show: menus, tool bar, context menu, pictures.
    CommandPlacements placements() const;

    void setDatabaseOpen(bool open);

    QAction *const actionImport;
    QAction *const actionAppend;
    QAction *const actionExport;

public Q_SLOTS:
    void importText();
    // Import with a dropped text file proposed in its dialog.
    void importProposedText(const QString &proposedFile);
    void appendText();
    void exportText();

private:
    // The text file for Import and Append, with its type.
    std::optional<std::pair<QString, TextType>> chooseTextFile(
        const QString &title, const QString &proposedFile = QString());

    Workspace &mWorkspace;
    // The filter entry each text dialog last had chosen: the open dialog's is shared by Import
    // and Append, the save dialog's belongs to Export. Both start at the comma type.
    int mOpenIndex;
    int mSaveIndex;
};

} // namespace kribed
