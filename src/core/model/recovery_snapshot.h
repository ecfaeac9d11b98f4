// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/model/database.h"
#include "core/model/pdb_reader.h"
#include "core/platform/recovery_store.h"

#include <QDateTime>

namespace kribed {

class Prompter;

// The open database as it stands at one moment, for the recovery data. Taking it copies no cell:
// the records are shared with the open database, which gives a record bytes of its own when it
// next changes it, so the snapshot keeps what it saw while another thread writes it.
struct RecoverySnapshot
{
    Database database;
    int currentColumn = 1;
    RecoveryOrigin origin;
    QDateTime taken;
    QString formats;        // the locale name of the regional formats chosen; empty: the desktop's
    quint64 generation = 0; // which snapshot this is
    quint64 sequence = 0;   // the last journal change it holds
};

RecoverySnapshot takeRecoverySnapshot(const Database &database, int currentColumn,
                                      const RecoveryOrigin &origin,
                                      const QString &formats = QString());

// The snapshot as a save would write the database, behind the recovery header. False, with the
// reason in `error`, when the writer refused the database (a popup item that reads as a list
// header). Touches only the snapshot: runs on any thread.
bool recoveryDataOf(RecoverySnapshot &snapshot, RecoveryData &data, QString *error = nullptr);
// The file recoveryDataOf and writeRecoveryFile would make together, written as the writer makes
// it (no copy of the whole database in memory). Runs on any thread.
bool writeRecoverySnapshot(const QString &path, RecoverySnapshot snapshot,
                           QString *error = nullptr);

// The changes the journals in `folder` hold after the snapshot `data` describes, applied to
// `database` (read from that snapshot) and to `data.formats`, in order, up to the first change
// that is missing, damaged or not in the journal (recovery_journal.h).
struct JournalReplay
{
    int applied = 0;
    bool stoppedEarly = false; // a change after the last applied one could not be applied
    QDateTime lastChange;      // of the last change applied; invalid when none was
};
JournalReplay replayJournals(const QString &folder, RecoveryData &data, Database &database);
// The same over journals in memory: each file's generation and bytes, lowest generation first.
JournalReplay replayJournalBytes(const QList<QPair<quint64, QByteArray>> &journals,
                                 RecoveryData &data, Database &database);

// Reads recovered bytes into `database` as the reader reads the file at `path`, which becomes
// the database's file path; messages go to the prompter.
LoadResult readRecoveredDatabase(const QByteArray &bytes, const QString &path, Database &database,
                                 Prompter &prompter);

} // namespace kribed
