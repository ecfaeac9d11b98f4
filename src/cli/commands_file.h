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
bool loadNamedFile(CliContext &context, const QString &path, Database &database, OpenAccess access);

// Loads the file the way the editor opens it, but without ever writing it; the reader's messages
// and questions go through the context's prompter. True when the database holds the file.
bool loadForReading(CliContext &context, const QString &path, Database &database);

// --where: the records the conditions leave out are hidden, or taken out of the loaded copy when
// `takeOut` (dump, info, export, which never write the database). False, with the usage error
// told, when a condition names no field or cannot be read.
bool selectRecords(CliContext &context, Database &database, bool takeOut);

ExitStatus infoCommand(CliContext &context);   // info FILE.pdb
ExitStatus checkCommand(CliContext &context);  // check FILE.pdb
ExitStatus dumpCommand(CliContext &context);   // dump FILE.pdb
ExitStatus resaveCommand(CliContext &context); // resave IN.pdb OUT.pdb

} // namespace kribed
