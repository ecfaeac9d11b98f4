// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/handheld/install.h"

#include "core/model/database.h"
#include "core/model/pdb_writer.h"
#include "core/platform/prompter.h"
#include "core/platform/user_list.h"

#include <QFileInfo>

namespace kribed {

namespace {

void TellReady(const QString &text, Prompter &prompter)
{
    prompter.Ask({QStringLiteral("Kribed-pro"), text, Icon::None, Buttons::Ok});
}

// Asks whether the copy goes out with the widths kept before auto sizing; Cancel stops.
Answer AskAutoWidth(Prompter &prompter)
{
    return prompter.Ask({QStringLiteral("Information"),
                         QStringLiteral("The column width is changed by auto-width and could be "
                                        "unsuitable for the handheld display.\nDo you want to save "
                                        "the file with the prevouis width settings?"),
                         Icon::Warning, Buttons::YesNoCancel});
}

} // namespace

QString InstallTargetPath(const QString &installFolder, const QString &databasePath)
{
    return installFolder + u'/' + QFileInfo(databasePath).completeBaseName()
           + QStringLiteral(".pdb");
}

bool WriteInstallCopy(Database &database, const QString &installFolder,
                      const InstallOptions &options, int currentColumn, Prompter &prompter)
{
    const QString target = InstallTargetPath(installFolder, database.FilePath());
    if (options.saveAtInstall) {
        if (!SaveDatabase(database, SaveMode::OwnFile, QString(), currentColumn, prompter))
            return false;
        if (!SaveDatabase(database, SaveMode::Copy, target, currentColumn, prompter))
            return false;
        if (!options.expertMode)
            TellReady(QStringLiteral("The Database is saved and ready for synchronizing."), prompter);
        return true;
    }
    if (!SaveDatabase(database, SaveMode::Copy, target, currentColumn, prompter))
        return false;
    if (!options.expertMode)
        TellReady(QStringLiteral("The Database is ready for synchronizing."), prompter);
    return true;
}

bool InstallDatabase(Database &database, const UserList &users, int userIndex,
                     const InstallOptions &options, const AutoSizing &autoSizing,
                     int currentColumn, Prompter &prompter)
{
    const std::optional<QString> folder = users.PrepareInstallFolder(userIndex, prompter);
    if (!folder)
        return false;

    if (autoSizing.on && !options.expertMode) {
        const Answer answer = AskAutoWidth(prompter);
        if (answer == Answer::Cancel)
            return false;
        if (answer == Answer::Yes && autoSizing.set)
            autoSizing.set(false);
    }

    const bool written = WriteInstallCopy(database, *folder, options, currentColumn, prompter);

    if (autoSizing.on && autoSizing.set)
        autoSizing.set(true);
    return written;
}

} // namespace kribed
