// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "durability.h"

#include "core/platform/safe_file.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kribed::test {

namespace {

QByteArray entryOf(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat status = {};
    if (::lstat(native.constData(), &status) != 0)
        return QByteArrayLiteral("missing");
    if (S_ISLNK(status.st_mode)) {
        char target[4096];
        const ssize_t length = ::readlink(native.constData(), target, sizeof target);
        return "link:" + QByteArray(target, length < 0 ? 0 : int(length));
    }
    if (S_ISFIFO(status.st_mode))
        return QByteArrayLiteral("fifo");
    if (S_ISDIR(status.st_mode))
        return QByteArrayLiteral("folder");
    if (!S_ISREG(status.st_mode))
        return QByteArrayLiteral("other");
    return "file:" + readBytes(path);
}

QString describe(const QByteArray &entry)
{
    if (entry.size() <= 60)
        return QString::fromLatin1(entry.toPercentEncoding(" :/._-"));
    return QStringLiteral("%1... (%2 bytes)")
        .arg(QString::fromLatin1(entry.left(40).toPercentEncoding(" :/._-")),
             QString::number(entry.size()));
}

// Whether the folder holds the checked names, whole, and nothing else but leftover names.
QString checkAfterKill(const QString &folder, const KillCheck &check)
{
    const FolderState state = stateOf(folder);
    for (const QString &name : check.names) {
        const QByteArray entry = state.value(name, QByteArrayLiteral("missing"));
        if (!entry.startsWith("file:") || !check.valid(name, entry.mid(5)))
            return name + QStringLiteral(" is ") + describe(entry);
    }
    for (auto it = state.begin(); it != state.end(); ++it) {
        if (!check.names.contains(it.key()) && !it.key().startsWith(safeWriteLeftoverPrefix()))
            return QStringLiteral("left behind: ") + it.key();
    }
    return QString();
}

// After a kill, one whole run must succeed and leave exactly the checked names: what the kill
// left under other names is cleared.
QString checkNextRun(const SaveCase &saveCase, const KillCheck &check)
{
    if (!saveCase.run())
        return QStringLiteral("the next run failed");
    const QStringList names = stateOf(saveCase.folder).keys();
    QStringList expected = check.names;
    expected.sort();
    if (names != expected)
        return QStringLiteral("the next run left ") + names.join(u' ');
    return QString();
}

} // namespace

FolderState stateOf(const QString &folder)
{
    FolderState state;
    const QStringList names = QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &name : names)
        state.insert(name, entryOf(folder + u'/' + name));
    return state;
}

QString stateDifference(const FolderState &actual, const FolderState &expected)
{
    for (auto it = expected.begin(); it != expected.end(); ++it) {
        if (!actual.contains(it.key()))
            return it.key() + QStringLiteral(" is gone");
        if (actual.value(it.key()) != it.value()) {
            return it.key() + QStringLiteral(" holds ") + describe(actual.value(it.key()))
                   + QStringLiteral(" instead of ") + describe(it.value());
        }
    }
    for (auto it = actual.begin(); it != actual.end(); ++it) {
        if (!expected.contains(it.key()))
            return it.key() + QStringLiteral(" is new: ") + describe(it.value());
    }
    return QString();
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArrayLiteral("missing");
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
           && file.write(bytes) == bytes.size();
}

QString sweepFaults(const SaveCase &saveCase, CallKind kind, int error, long *calls)
{
    const QString what = callKindName(kind) + QStringLiteral(" %1 failing with errno %2: ");
    for (long nth = 1; nth < 100000; ++nth) {
        saveCase.setUp();
        const FolderState before = stateOf(saveCase.folder);
        bool succeeded = false;
        long made = 0;
        {
            FaultScope scope(saveCase.folder, kind, nth, error);
            succeeded = saveCase.run();
            made = FaultScope::count(kind);
        }
        const QString afterRun = saveCase.afterRun ? saveCase.afterRun(succeeded) : QString();
        const QString prefix = what.arg(nth).arg(error);
        if (!afterRun.isEmpty())
            return prefix + afterRun;
        if (made < nth) { // the operation made fewer calls: no fault was met
            if (calls)
                *calls = made;
            return succeeded ? QString() : prefix + QStringLiteral("failed without a fault");
        }
        if (succeeded)
            return prefix + QStringLiteral("reported success");
        const QString difference = stateDifference(stateOf(saveCase.folder), before);
        if (!difference.isEmpty())
            return prefix + difference;
    }
    return what + QStringLiteral("never ends");
}

QString killAtEveryStep(const SaveCase &saveCase, const KillCheck &check, int randomRuns)
{
    saveCase.setUp();
    long total = 0;
    QElapsedTimer timer;
    {
        FaultScope scope(saveCase.folder);
        timer.start();
        if (!saveCase.run())
            return QStringLiteral("the operation fails without a kill");
        total = FaultScope::total();
    }
    const qint64 micros = qMax<qint64>(timer.nsecsElapsed() / 1000, 1);
    const QByteArray folder = QFile::encodeName(QDir(saveCase.folder).canonicalPath());
    QRandomGenerator random(20240517);

    for (long run = 1; run <= total + randomRuns; ++run) {
        const bool atStep = run <= total;
        saveCase.setUp();
        const pid_t child = ::fork();
        if (child < 0)
            return QStringLiteral("fork failed");
        if (child == 0) {
            if (atStep)
                kribed_fault_kill_at(folder.constData(), run);
            ::_exit(saveCase.run() ? 0 : 1);
        }
        if (!atStep) {
            ::usleep(useconds_t(random.bounded(micros + micros / 4 + 1)));
            ::kill(child, SIGKILL);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        const QString where =
            atStep ? QStringLiteral("killed before call %1 of %2: ").arg(run).arg(total)
                   : QStringLiteral("killed at random moment %1: ").arg(run - total);
        if (atStep && !(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL))
            return where + QStringLiteral("the child was not killed");
        if (WIFEXITED(status) && WEXITSTATUS(status) != 0)
            return where + QStringLiteral("the child failed");
        QString problem = checkAfterKill(saveCase.folder, check);
        if (problem.isEmpty())
            problem = checkNextRun(saveCase, check);
        if (!problem.isEmpty())
            return where + problem;
    }
    return QString();
}

} // namespace kribed::test
