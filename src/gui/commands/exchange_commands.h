// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/exchange/text_exchange.h"
#include "core/exchange/text_format.h"
#include "gui/commands/command_group.h"

#include <QObject>
#include <QString>

#include <optional>
#include <utility>

class QAction;

namespace kribed {

class Database;
class Workspace;

// Text files in and out: Import (a new database from a text file or a SQLite table), Append (its
// records after the open database's) and Export (as text or a SQLite database).
class ExchangeCommands
    : public QObject
    , public CommandGroup
{
    Q_OBJECT

public:
    ExchangeCommands(Workspace &workspace, QObject *parent = nullptr);

    // Where the actions show: menus, tool bar, context menu, pictures.
    CommandPlacements placements() const override;

    void setDatabaseOpen(bool open) override;

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
    // The file Import and Append read: a text of a type, or (Import only) a SQLite database.
    struct ChosenFile
    {
        QString path;
        TextType type = TextType::Comma;
        bool sqlite = false;
    };
    std::optional<ChosenFile> chooseTextFile(const QString &title,
                                             const QString &proposedFile = QString(),
                                             bool offerSqlite = false);
    // Reads the chosen SQLite file's table (asked when there are several) into `imported`.
    ExchangeResult importSqlite(const QString &path, Database &imported);

    Workspace &mWorkspace;
    // The filter entry each text dialog last had chosen: the open dialog's is shared by Import
    // and Append, the save dialog's belongs to Export. Both start at the comma type.
    int mOpenIndex;
    int mSaveIndex;
};

} // namespace kribed
