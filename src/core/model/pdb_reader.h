// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QString>

class QIODevice;

namespace kribed {

class Database;
class Prompter;

enum class LoadResult {
    NotOpened, // the file could not be opened: the database is unchanged
    Aborted,   // the file was refused after reading began: no database is open
    Loaded,    // the database holds the file
};

enum class OpenAccess {
    ReadWrite, // as the editor opens: a file it cannot write is refused before anything changes
    ReadOnly,  // as kribed-cli's info, check and dump open: the file is never written
};

// Reads a Kribo pro or Kribo 3 file from an open device into the database. `path` is the file's
// path: it becomes the database's file path ("_p.pdb" for a converted Kribo 3 file). Failures are
// told through the prompter with the reader's messages.
LoadResult readDatabase(QIODevice &device, const QString &path, Database &database,
                        Prompter &prompter);

// Opens the file at `path` and reads it as readDatabase does; a file that cannot be opened gets
// the open error message and leaves the database as it was.
LoadResult loadDatabaseFile(const QString &path, Database &database, Prompter &prompter,
                            OpenAccess access = OpenAccess::ReadWrite);

} // namespace kribed
