// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/handheld/install.h"

#include <QCoreApplication>

#include "core/model/database.h"
#include "core/model/pdb_writer.h"
#include "core/platform/prompter.h"
#include "core/platform/user_list.h"

#include <QFileInfo>

namespace kribed {

namespace {

void tellReady(const QString &text, Prompter &prompter)
{
    prompter.ask(
        {QCoreApplication::translate("Install", "Kribed-pro"), text, Icon::None, Buttons::Ok});
}

// Asks whether the copy goes out with the widths kept before auto sizing; Cancel stops.
Answer askAutoWidth(Prompter &prompter)
{
    return prompter.ask({QCoreApplication::translate("Install", "Information"),
                         QCoreApplication::translate(
                             "Install", "The column width is changed by auto-width and could be "
                                        "unsuitable for the handheld display.\nDo you want to save "
                                        "the file with the prevouis width settings?"),
                         Icon::Warning, Buttons::YesNoCancel});
}

} // namespace

QString installTargetPath(const QString &installFolder, const QString &databasePath)
{
    return installFolder + u'/' + QFileInfo(databasePath).completeBaseName()
           + QStringLiteral(".pdb");
}

bool writeInstallCopy(Database &database, const QString &installFolder,
                      const InstallOptions &options, int currentColumn, Prompter &prompter)
{
    const QString target = installTargetPath(installFolder, database.filePath());
    if (options.saveAtInstall) {
        if (!saveDatabase(database, SaveMode::OwnFile, QString(), currentColumn, prompter))
            return false;
        if (!saveDatabase(database, SaveMode::Copy, target, currentColumn, prompter))
            return false;
        if (!options.expertMode)
            tellReady(QCoreApplication::translate(
                          "Install", "The Database is saved and ready for synchronizing."),
                      prompter);
        return true;
    }
    if (!saveDatabase(database, SaveMode::Copy, target, currentColumn, prompter))
        return false;
    if (!options.expertMode)
        tellReady(
            QCoreApplication::translate("Install", "The Database is ready for synchronizing."),
            prompter);
    return true;
}

bool installDatabase(Database &database, const UserList &users, int userIndex,
                     const InstallOptions &options, const AutoSizing &autoSizing, int currentColumn,
                     Prompter &prompter)
{
    const std::optional<QString> folder = users.prepareInstallFolder(userIndex, prompter);
    if (!folder)
        return false;

    if (autoSizing.on && !options.expertMode) {
        const Answer answer = askAutoWidth(prompter);
        if (answer == Answer::Cancel)
            return false;
        if (answer == Answer::Yes && autoSizing.set)
            autoSizing.set(false);
    }

    const bool written = writeInstallCopy(database, *folder, options, currentColumn, prompter);

    if (autoSizing.on && autoSizing.set)
        autoSizing.set(true);
    return written;
}

} // namespace kribed
