// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QString>

#include <functional>

namespace kribed {

class Database;
class Prompter;
class UserList;

struct InstallOptions
{
    bool saveAtInstall = true;
    bool expertMode = false;
};

// The automatic column widths as the Install command meets them: whether they are on, and the
// switch that restores the kept widths (false) or sizes the columns again (true).
struct AutoSizing
{
    bool on = false;
    std::function<void(bool)> set;
};

// The path a database is installed under: the install folder, the database file's name without
// its folder, its extension replaced by ".pdb" ("Kunden.PDB" becomes "Kunden.pdb").
QString installTargetPath(const QString &installFolder, const QString &databasePath);

// Writes the copy into the install folder, first saving the database to its own file when
// SaveAtInstall is on; tells the user the database is ready unless in expert mode. True when the
// copy was written.
bool writeInstallCopy(Database &database, const QString &installFolder,
                      const InstallOptions &options, int currentColumn, Prompter &prompter);

// The whole Install command for the given user: the install folder and flag, the auto-width
// question, the copy, and the automatic widths switched on again. True when the copy was written.
bool installDatabase(Database &database, const UserList &users, int userIndex,
                     const InstallOptions &options, const AutoSizing &autoSizing, int currentColumn,
                     Prompter &prompter);

} // namespace kribed
