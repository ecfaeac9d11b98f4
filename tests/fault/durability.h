// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

// What a save must never do to the files around it, checked the same way for the safe-write
// routine and for every program part that writes through it: failed calls, kills at every step
// and at random moments.

#include "fault_injection.h"

#include <QByteArray>
#include <QMap>
#include <QString>

#include <functional>

namespace kribed::test {

// Every entry of a folder (hidden ones too) by name: "file:" and the bytes, "link:" and the
// link's text, "fifo", "folder" or "other".
using FolderState = QMap<QString, QByteArray>;
FolderState stateOf(const QString &folder);
// Empty when equal, else the first entry that differs.
QString stateDifference(const FolderState &actual, const FolderState &expected);

QByteArray readBytes(const QString &path); // "missing" when it cannot be read
bool writeBytes(const QString &path, const QByteArray &bytes);

// One operation under test: sets up the folder, then runs and says whether it succeeded.
struct SaveCase
{
    QString folder;              // the calls below it count
    std::function<void()> setUp; // the files before the operation
    std::function<bool()> run;   // true when the operation reported success
    // Called after each run; a non-empty answer is a fault (a wrong message, a changed model).
    std::function<QString(bool succeeded)> afterRun;
};

// Fails the nth call of `kind` with `error` for n = 1, 2, ... until the operation makes fewer
// calls of that kind. Each failed run must report failure and leave the folder exactly as set
// up; the first run that meets no fault must succeed. Returns the faults found (empty when
// none) and stores how many calls of the kind the operation made.
QString sweepFaults(const SaveCase &saveCase, CallKind kind, int error, long *calls = nullptr);

// How a killed operation may leave the folder: `valid` says whether the entry of that name holds
// an acceptable state ("previous", "new", ...); every other entry must be a leftover name.
struct KillCheck
{
    QStringList names; // the entries that must exist and be whole
    std::function<bool(const QString &name, const QByteArray &bytes)> valid;
};

// Runs the operation in a child killed right before its nth counted file call, for every n, and
// then once at each of `randomRuns` random moments (fixed seed); after each kill the folder must
// pass the check, and one more whole run must leave only the checked names. Returns the faults.
QString killAtEveryStep(const SaveCase &saveCase, const KillCheck &check, int randomRuns);

} // namespace kribed::test
