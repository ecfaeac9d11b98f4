// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "cli/cli_options.h"
#include "core/model/pdb_reader.h"

#include <QString>

namespace kribed {

struct CliContext;
class Database;

// Loads the file with the given access; when it is not loaded, a line naming the file follows the
// reader's message on standard error.
bool LoadNamedFile(CliContext &context, const QString &path, Database &database, OpenAccess access);

// Loads the file the way the editor opens it, but without ever writing it; the reader's messages
// and questions go through the context's prompter. True when the database holds the file.
bool LoadForReading(CliContext &context, const QString &path, Database &database);

ExitStatus InfoCommand(CliContext &context);   // info FILE.pdb
ExitStatus CheckCommand(CliContext &context);  // check FILE.pdb
ExitStatus DumpCommand(CliContext &context);   // dump FILE.pdb
ExitStatus ResaveCommand(CliContext &context); // resave IN.pdb OUT.pdb

} // namespace kribed
