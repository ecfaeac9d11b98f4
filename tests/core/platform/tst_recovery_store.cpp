// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "core/model/recovery_snapshot.h"
#include "core/platform/recovery_store.h"
#include "core/platform/safe_file.h"
#include "durability.h"
#include "scripted_prompter.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace kribed;
using namespace kribed::test;

Q_DECLARE_METATYPE(kribed::Database)
Q_DECLARE_METATYPE(kribed::RecoveryOrigin)

namespace {

// A database of `records` records of two fields whose cells say which write they belong to.
Database databaseOf(const QByteArray &mark, int records = 3)
{
    Database database;
    database.setShape(2, records);
    database.setName("Kunden");
    database.setFieldName(1, "Name");
    database.setFieldName(2, "Ort");
    for (int record = 1; record <= records; ++record) {
        database.setCell(1, record, mark + ' ' + QByteArray::number(record));
        database.setCell(2, record, "Bonn");
    }
    return database;
}

RecoveryOrigin someOrigin()
{
    return {QStringLiteral("/home/anna/Kunden neu.pdb"), 1234,
            QDateTime(QDate(2026, 3, 1), QTime(10, 20, 30, 456), Qt::UTC)};
}

QByteArray recoveryBytes(const QByteArray &mark, const RecoveryOrigin &origin = someOrigin())
{
    RecoverySnapshot snapshot = takeRecoverySnapshot(databaseOf(mark), 1, origin);
    RecoveryData data;
    if (!recoveryDataOf(snapshot, data))
        qFatal("the snapshot cannot be written");
    return recoveryHeader(data.origin, data.written, data.database.size()) + data.database;
}

// The mark of the first cell of a recovery file's database; empty when it does not read whole.
QByteArray markOf(const QByteArray &bytes)
{
    const RecoveryReading reading = parseRecovery(bytes);
    if (!reading.problem.isEmpty())
        return QByteArray();
    Database database;
    ScriptedPrompter prompter;
    if (readRecoveredDatabase(reading.data.database, reading.data.origin.path, database, prompter)
            != LoadResult::Loaded
        || database.recordCount() < 1)
        return QByteArray();
    return database.cell(1, 1).chopped(2);
}

// A child process that makes a slot below `root`, writes into it and then either waits to be
// killed or ends without unlocking, as a crash would.
pid_t childWithSlot(const QString &root, bool stayAlive, int *ready)
{
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        std::unique_ptr<RecoverySlot> slot = RecoverySlot::create(root);
        const bool written =
            slot
            && writeRecoverySnapshot(slot->dataPath(),
                                     takeRecoverySnapshot(databaseOf("child"), 1, {}));
        const char answer = written ? 'y' : 'n';
        if (::write(pipeEnds[1], &answer, 1) != 1 || !stayAlive)
            ::_exit(0); // no destructor: the lock stays behind as after a crash
        for (;;)
            ::pause();
    }
    ::close(pipeEnds[1]);
    *ready = pipeEnds[0];
    return child;
}

bool childReady(int ready)
{
    char answer = 0;
    const bool read = ::read(ready, &answer, 1) == 1;
    ::close(ready);
    return read && answer == 'y';
}

} // namespace

class TestRecoveryStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void headerAndDatabaseReadBack()
    {
        const RecoveryOrigin origin = someOrigin();
        const RecoveryReading reading = parseRecovery(recoveryBytes("first", origin));
        QVERIFY2(reading.problem.isEmpty(), qPrintable(reading.problem));
        QCOMPARE(reading.data.origin, origin);
        QVERIFY(qAbs(reading.data.written.secsTo(QDateTime::currentDateTimeUtc())) < 60);
        QCOMPARE(markOf(recoveryBytes("first", origin)), QByteArray("first"));
    }

    void pathsOfEveryKindReadBack_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("no file yet") << QString();
        QTest::newRow("line break and percent sign") << QStringLiteral("/tmp/a\nb%20c: d.pdb");
        QTest::newRow("letters beyond Latin-1") << QStringLiteral("/home/\u0416\u00e9/K\u00fc.pdb");
    }
    void pathsOfEveryKindReadBack()
    {
        QFETCH(QString, path);
        const RecoveryOrigin origin{path, -1, QDateTime()};
        const RecoveryReading reading = parseRecovery(recoveryBytes("x", origin));
        QVERIFY2(reading.problem.isEmpty(), qPrintable(reading.problem));
        QCOMPARE(reading.data.origin, origin);
    }

    void damagedDataIsTold_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray whole = recoveryBytes("whole");
        const qsizetype headerEnd = whole.indexOf("\n\n") + 2;
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("not recovery data") << QByteArray("Hello\n\nworld");
        QTest::newRow("a database file itself") << whole.mid(headerEnd);
        QTest::newRow("cut in the header") << whole.left(headerEnd / 2);
        QTest::newRow("cut one byte short") << whole.chopped(1);
        QTest::newRow("cut after the header") << whole.left(headerEnd);
        QTest::newRow("a byte too many") << whole + 'x';
        QByteArray noTime = whole;
        noTime.replace(noTime.indexOf("written: ") + 9, 4, "xxxx");
        QTest::newRow("written time unreadable") << noTime;
        QByteArray badCount = whole;
        badCount.replace(badCount.indexOf("bytes: ") + 7, 1, "z");
        QTest::newRow("byte count unreadable") << badCount;
    }
    void damagedDataIsTold()
    {
        QFETCH(QByteArray, bytes);
        const RecoveryReading reading = parseRecovery(bytes);
        QVERIFY(!reading.problem.isEmpty());
        QVERIFY(reading.data.database.isEmpty());
    }

    void originStateComparesWithTheDisk_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("expected");
        QTest::newRow("untouched") << "none" << int(OriginState::Unchanged);
        QTest::newRow("longer") << "append" << int(OriginState::Changed);
        QTest::newRow("same size, newer time") << "touch" << int(OriginState::Changed);
        QTest::newRow("removed") << "remove" << int(OriginState::Gone);
        QTest::newRow("no file at all") << "nofile" << int(OriginState::NoFile);
    }
    void originStateComparesWithTheDisk()
    {
        QFETCH(QString, change);
        QFETCH(int, expected);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Kunden.pdb"));
        QVERIFY(writeBytes(path, "12345"));
        RecoveryOrigin origin = RecoveryOrigin::of(path);
        QCOMPARE(origin.size, 5);
        QFile file(path);
        if (change == QLatin1String("append")) {
            QVERIFY(file.open(QIODevice::Append) && file.write("6") == 1);
            file.close();
        } else if (change == QLatin1String("touch")) {
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(
                file.setFileTime(origin.modified.addSecs(5), QFileDevice::FileModificationTime));
            file.close();
        } else if (change == QLatin1String("remove")) {
            QVERIFY(file.remove());
        } else if (change == QLatin1String("nofile")) {
            origin = RecoveryOrigin::of(QString());
        }
        QCOMPARE(int(originState(origin)), expected);
    }

    void writtenFileReadsBackAndReplacesThePrevious()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("database.recovery"));
        QVERIFY(writeRecoverySnapshot(path, takeRecoverySnapshot(databaseOf("one"), 1, {})));
        QVERIFY(writeRecoverySnapshot(path, takeRecoverySnapshot(databaseOf("two"), 1, {})));
        QCOMPARE(markOf(readBytes(path)), QByteArray("two"));
        QCOMPARE(stateOf(dir.path()).keys(), QStringList{QStringLiteral("database.recovery")});
    }

    // The file goes to the disk as the writer makes it; it must be exactly the header and the
    // database as they read back, at every length the cells' stored values can have.
    void writtenFileIsTheHeaderAndTheSavedDatabase_data()
    {
        QTest::addColumn<Database>("database");
        QTest::addColumn<RecoveryOrigin>("origin");
        QTest::newRow("plain cells") << databaseOf("plain") << someOrigin();
        Database stored = databaseOf("stored", 40);
        stored.setCell(1, 2, QByteArray("CR LF\r\nand \x01\0 control bytes", 30));
        stored.setCell(2, 3, QByteArray(5000, 'l'));
        QTest::newRow("cells stored shorter than they are")
            << stored << RecoveryOrigin{QStringLiteral("/tmp/a\nb.pdb"), -1, QDateTime()};
        Database empty;
        empty.setShape(1, 0);
        QTest::newRow("no records") << empty << RecoveryOrigin();
    }
    void writtenFileIsTheHeaderAndTheSavedDatabase()
    {
        QFETCH(Database, database);
        QFETCH(RecoveryOrigin, origin);
        const RecoverySnapshot snapshot = takeRecoverySnapshot(database, 2, origin);
        RecoverySnapshot inMemory = snapshot;
        RecoveryData data;
        QVERIFY(recoveryDataOf(inMemory, data));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("database.recovery"));
        QString error;
        QVERIFY2(writeRecoverySnapshot(path, snapshot, &error), qPrintable(error));
        const QByteArray file = readBytes(path);
        QCOMPARE(file,
                 recoveryHeader(origin, snapshot.taken, data.database.size()) + data.database);
        QVERIFY(parseRecovery(file).problem.isEmpty());
    }

    // A database the writer refuses (a list item that reads as a list header) is said to be the
    // reason, and the previous data stays.
    void refusedDatabaseKeepsThePreviousFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("database.recovery"));
        const QByteArray previous = recoveryBytes("previous");
        QVERIFY(writeBytes(path, previous));
        Database refused = databaseOf("refused");
        refused.popupList(1) = {"popupc"};
        QString error;
        QVERIFY(!writeRecoverySnapshot(path, takeRecoverySnapshot(refused, 1, {}), &error));
        QCOMPARE(error, QStringLiteral("the database cannot be written as it stands"));
        QCOMPARE(readBytes(path), previous);
        QCOMPARE(stateOf(dir.path()).keys(), QStringList{QStringLiteral("database.recovery")});
    }

    void snapshotKeepsWhatItSawWhileTheDatabaseGoesOn()
    {
        Database open = databaseOf("before");
        RecoverySnapshot snapshot = takeRecoverySnapshot(open, 1, {});
        open.setCell(1, 1, "after 1");
        open.setShape(2, 1);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("database.recovery"));
        QVERIFY(writeRecoverySnapshot(path, snapshot));
        QCOMPARE(markOf(readBytes(path)), QByteArray("before"));
    }

    // A write that fails at any call leaves the previous recovery file as it was.
    void failedCallsKeepThePreviousFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("database.recovery"));
        const QByteArray previous = recoveryBytes("previous");
        const SaveCase saveCase{dir.path(),
                                [&] { writeBytes(path, previous); },
                                [&] {
                                    return writeRecoverySnapshot(
                                        path, takeRecoverySnapshot(databaseOf("new"), 1, {}));
                                },
                                {}};
        for (const CallKind kind : allCallKinds()) {
            for (const int error : injectedErrors()) {
                const QString fault = sweepFaults(saveCase, kind, error);
                QVERIFY2(fault.isEmpty(), qPrintable(fault));
            }
        }
    }

    // Killed before every file call and at 40 random moments (fixed seed): the recovery file is
    // always the previous one or the new one, complete.
    void killAtAnyMomentLeavesAWholeFile()
    {
        QTemporaryDir dir;
        const QString name = QStringLiteral("database.recovery");
        const QString path = dir.filePath(name);
        const QByteArray previous = recoveryBytes("previous");
        const Database next = databaseOf("new", 400);
        const SaveCase saveCase{
            dir.path(),
            [&] { writeBytes(path, previous); },
            [&] { return writeRecoverySnapshot(path, takeRecoverySnapshot(next, 1, {})); },
            {}};
        const KillCheck check{{name}, [](const QString &, const QByteArray &bytes) {
                                  const QByteArray mark = markOf(bytes);
                                  return mark == "previous" || mark == "new";
                              }};
        const QString fault = killAtEveryStep(saveCase, check, 40);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
    }

    void slotIsMadeLockedAndRemovedWhole()
    {
        QTemporaryDir dir;
        const QString root = dir.filePath(QStringLiteral("recovery"));
        std::unique_ptr<RecoverySlot> slot = RecoverySlot::create(root);
        QVERIFY(slot);
        QVERIFY(QFileInfo(slot->folder()).isDir());
        QVERIFY(QFileInfo::exists(slot->folder() + QStringLiteral(".lock")));
        QVERIFY(
            writeRecoverySnapshot(slot->dataPath(), takeRecoverySnapshot(databaseOf("a"), 1, {})));
        // What a killed write leaves beside the data goes with it.
        QVERIFY(writeBytes(slot->folder() + u'/' + safeWriteLeftoverPrefix()
                               + QStringLiteral("0000abcd.new"),
                           "left"));
        QVERIFY(slot->remove());
        QCOMPARE(stateOf(root), FolderState());
    }

    void slotCannotBeMadeWhereNoFolderCanBe()
    {
        QTemporaryDir dir;
        const QString blocker = dir.filePath(QStringLiteral("file"));
        QVERIFY(writeBytes(blocker, "a file, not a folder"));
        QString error;
        QVERIFY(!RecoverySlot::create(blocker + QStringLiteral("/recovery"), &error));
        QVERIFY(!error.isEmpty());
    }

    // This program's own slot, live, is not offered; one without its lock (its program gone) is.
    void onlySlotsWithoutALiveOwnerAreOffered()
    {
        QTemporaryDir dir;
        const QString root = dir.path();
        std::unique_ptr<RecoverySlot> own = RecoverySlot::create(root);
        QVERIFY(
            writeRecoverySnapshot(own->dataPath(), takeRecoverySnapshot(databaseOf("own"), 1, {})));
        QVERIFY(QDir(root).mkdir(QStringLiteral("left")));
        QVERIFY(
            writeBytes(root + QStringLiteral("/left/database.recovery"), recoveryBytes("left")));

        std::vector<std::unique_ptr<RecoverySlot>> offered = orphanedRecoverySlots(root);
        QCOMPARE(offered.size(), size_t(1));
        QCOMPARE(markOf(readBytes(offered[0]->dataPath())), QByteArray("left"));
        // While it is offered here, no other program offers it too.
        QVERIFY(orphanedRecoverySlots(root).empty());
        offered.clear();
        QCOMPARE(orphanedRecoverySlots(root).size(), size_t(1));
    }

    // Two programs: the data of one that runs is never offered by the other; once it is killed,
    // its data is.
    void anotherRunningProgramKeepsItsData()
    {
        QTemporaryDir dir;
        int ready = -1;
        const pid_t child = childWithSlot(dir.path(), true, &ready);
        QVERIFY(child > 0);
        QVERIFY(childReady(ready));
        QVERIFY(orphanedRecoverySlots(dir.path()).empty());
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        std::vector<std::unique_ptr<RecoverySlot>> offered = orphanedRecoverySlots(dir.path());
        QCOMPARE(offered.size(), size_t(1));
        QCOMPARE(markOf(readBytes(offered[0]->dataPath())), QByteArray("child"));
    }

    void programThatEndedWithoutUnlockingIsNoOwner()
    {
        QTemporaryDir dir;
        int ready = -1;
        const pid_t child = childWithSlot(dir.path(), false, &ready);
        QVERIFY(child > 0);
        QVERIFY(childReady(ready));
        ::waitpid(child, nullptr, 0);
        QCOMPARE(orphanedRecoverySlots(dir.path()).size(), size_t(1));
    }

    void slotsWithoutDataAreClearedQuietly()
    {
        QTemporaryDir dir;
        const QString root = dir.path();
        QVERIFY(QDir(root).mkdir(QStringLiteral("empty")));
        // A lock left by a program that ended, whose folder is gone.
        int ready = -1;
        const pid_t child = childWithSlot(root, false, &ready);
        QVERIFY(child > 0);
        QVERIFY(childReady(ready));
        ::waitpid(child, nullptr, 0);
        for (const QString &name : QDir(root).entryList({QStringLiteral("*-*")}, QDir::Dirs))
            QVERIFY(QDir(root + u'/' + name).removeRecursively());
        QCOMPARE(QDir(root).entryList({QStringLiteral("*.lock")}, QDir::Files).size(), 1);
        QVERIFY(orphanedRecoverySlots(root).empty());
        QCOMPARE(stateOf(root), FolderState());
    }

    void damagedDataIsOfferedNotRemoved()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("cut")));
        const QString data = dir.filePath(QStringLiteral("cut/database.recovery"));
        QVERIFY(writeBytes(data, recoveryBytes("cut").chopped(10)));
        std::vector<std::unique_ptr<RecoverySlot>> offered = orphanedRecoverySlots(dir.path());
        QCOMPARE(offered.size(), size_t(1));
        QVERIFY(!readRecoveryFile(offered[0]->dataPath()).problem.isEmpty());
        offered.clear();
        QVERIFY(QFileInfo::exists(data));
    }
};

QTEST_GUILESS_MAIN(TestRecoveryStore)
#include "tst_recovery_store.moc"
