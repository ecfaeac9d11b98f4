// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QIODevice>
#include <QString>

#include <functional>

namespace kribed {

// Writes the whole file at `path` so that no failure and no crash costs its previous content.
//
// The name given is the one the user chose. A symbolic link is followed to its final target,
// which is the file written; the link stays. A folder, a FIFO, a device or a dangling link is
// refused before anything is written. The new bytes go into a temporary file in the target's
// folder, are synced, and replace the target in one rename; the folder is synced after. The owner,
// group and mode of a replaced file are kept where the process may set them.
//
// With a `backupPath` (empty: none), the previous file is kept there first, as a regular file
// holding the previous bytes, complete before it replaces the older backup in one rename; that
// folder is synced too. Where there is no previous file, an older backup of that name is removed.
//
// `write` writes the new bytes into the unbuffered device it is given and returns false when it
// cannot. Any failed call (a write, a sync, the backup's link or copy, a rename, the removal of a
// temporary name) fails the whole operation, and a failed operation puts the file and its backup
// back as they were, with nothing new beside them. A kill may leave a complete file under a name
// ".kribed-<8 hex digits>.<new|bak|old|keep>" in the target's or the backup's folder; the next
// write of the same file removes it.
//
// True when the new file is in place and synced. `error` receives what failed, for diagnostics:
// callers show their own messages.
bool safeWriteFile(const QString &path, const QString &backupPath,
                   const std::function<bool(QIODevice &)> &write, QString *error = nullptr);

// The temporary names safeWriteFile may leave behind after a kill start with this.
QString safeWriteLeftoverPrefix();

} // namespace kribed
