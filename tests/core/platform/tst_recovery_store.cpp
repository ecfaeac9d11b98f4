// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "core/model/recovery_snapshot.h"
#include "core/platform/recovery_journal.h"
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
Q_DECLARE_METATYPE(kribed::test::FolderState)

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
    return recoveryFileBytes(data);
}

// A file as the first version wrote it: no formats, no checksum line.
QByteArray firstVersionBytes(const QByteArray &mark)
{
    RecoverySnapshot snapshot = takeRecoverySnapshot(databaseOf(mark), 1, someOrigin());
    RecoveryData data;
    if (!recoveryDataOf(snapshot, data))
        qFatal("the snapshot cannot be written");
    return "Kribed recovery 1\npath: /home/anna/Kunden.pdb\nsize: 1234\n"
           "modified: 2026-03-01T10:20:30.456Z\nwritten: 2026-03-02T08:00:00.000Z\nbytes: "
           + QByteArray::number(data.database.size()) + "\n\n" + data.database;
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

// The recovery writer's way with its files, step by step: snapshots taken and written, changes
// appended to the journal of the newest snapshot taken, older journals removed once a snapshot
// is complete. Each kill point is the folder as a kill there leaves it, with the database the
// changes made before it give.
class JournalScript
{
public:
    struct Point
    {
        QString name;
        FolderState files;
        Database expected;
    };

    explicit JournalScript(const QString &folder)
        : mFolder(folder)
    {
    }

    const QVector<Point> &points() const { return mPoints; }
    const Database &database() const { return mDatabase; }
    QString journalName() const { return journalFileName(mJournal.generation()); }

    void note(const QString &name) { mPoints.append({name, stateOf(mFolder), mDatabase}); }
    void note(const QString &name, const FolderState &files, const Database &expected)
    {
        mPoints.append({name, files, expected});
    }
    RecoverySnapshot take()
    {
        RecoverySnapshot snapshot = takeRecoverySnapshot(mDatabase, 1, {});
        snapshot.generation = ++mGeneration;
        snapshot.sequence = mSequence;
        mJournal.open(mFolder + u'/' + journalFileName(mGeneration), mGeneration);
        return snapshot;
    }
    void land(const RecoverySnapshot &snapshot)
    {
        if (!writeRecoverySnapshot(mFolder + QStringLiteral("/database.recovery"), snapshot))
            qFatal("cannot write the snapshot");
    }
    void dropOlder() { removeJournalsBefore(mFolder, mGeneration); }
    // One change of a cell; every cut of its entry (a kill in the middle of its write) is a
    // point that gives the database before it.
    void change(int field, int record, const QByteArray &text, const QString &name)
    {
        JournalEntry entry;
        entry.sequence = ++mSequence;
        entry.cells = {{field, record, text}};
        appendCut(encodeJournalEntry(mJournal.generation(), entry), name);
        mDatabase.setCell(field, record, text);
        note(name);
    }
    // A change the journal does not hold (rows, fields): nothing after it may be applied until
    // the next snapshot.
    void barrier()
    {
        JournalEntry entry;
        entry.kind = JournalEntry::Kind::Barrier;
        entry.sequence = ++mSequence;
        mJournal.append(encodeJournalEntry(mJournal.generation(), entry));
    }

private:
    void appendCut(const QByteArray &bytes, const QString &name)
    {
        const FolderState before = stateOf(mFolder);
        for (qsizetype kept = 1; kept < bytes.size(); ++kept) {
            FolderState cut = before;
            cut[journalName()] += bytes.left(kept);
            note(QStringLiteral("%1, cut after %2 of %3 bytes")
                     .arg(name)
                     .arg(kept)
                     .arg(bytes.size()),
                 cut, mDatabase);
        }
        mJournal.append(bytes);
    }

    QString mFolder;
    Database mDatabase = databaseOf("base", 4);
    JournalAppender mJournal;
    quint64 mGeneration = 0;
    quint64 mSequence = 0;
    QVector<Point> mPoints;
};

// What a start finds in a folder holding `files`: the snapshot with the journal's changes.
std::optional<Database> recoveredFrom(const FolderState &files)
{
    QTemporaryDir dir;
    // stateOf() gives each file as "file:" and its bytes.
    for (auto file = files.begin(); file != files.end(); ++file)
        writeBytes(dir.filePath(file.key()), file.value().mid(5));
    RecoveryReading reading = readRecoveryFile(dir.filePath(QStringLiteral("database.recovery")));
    if (!reading.problem.isEmpty())
        return std::nullopt;
    Database database;
    ScriptedPrompter prompter;
    if (readRecoveredDatabase(reading.data.database, QString(), database, prompter)
        != LoadResult::Loaded)
        return std::nullopt;
    replayJournals(dir.path(), reading.data, database);
    return database;
}

bool sameCells(const Database &a, const Database &b)
{
    if (a.fieldCount() != b.fieldCount() || a.recordCount() != b.recordCount())
        return false;
    for (int record = 1; record <= a.recordCount(); ++record) {
        for (int field = 1; field <= a.fieldCount(); ++field) {
            if (a.cell(field, record) != b.cell(field, record))
                return false;
        }
    }
    return true;
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

    QTemporaryDir mScriptFolder;

private Q_SLOTS:
    // A kill at every point of the writer's work, including every byte of every journal entry:
    // what is recovered is exactly the changes made before the point, never half an entry, never
    // an entry twice.
    void journalRecoveredAfterAKillAtEachPoint_data()
    {
        QTest::addColumn<FolderState>("files");
        QTest::addColumn<Database>("expected");
        JournalScript script(mScriptFolder.path());
        script.land(script.take());
        script.note(QStringLiteral("first snapshot written"));
        script.change(1, 1, "a", QStringLiteral("first change"));
        script.change(2, 4, "b\r\nwith\ttab", QStringLiteral("second change"));
        const RecoverySnapshot second = script.take();
        script.note(QStringLiteral("second snapshot taken, its journal opened"));
        FolderState empty = stateOf(mScriptFolder.path());
        empty[script.journalName()] = "file:";
        script.note(QStringLiteral("its journal made, killed before its header"), empty,
                    script.database());
        script.change(1, 1, "c", QStringLiteral("killed before the second snapshot was written"));
        script.land(second);
        script.note(QStringLiteral("second snapshot written, the older journal still there"));
        script.dropOlder();
        script.note(QStringLiteral("the older journal removed"));
        script.change(1, 3, "d", QStringLiteral("change after the second snapshot"));
        const Database beforeBarrier = script.database();
        script.barrier();
        script.change(1, 4, "e", QStringLiteral("entry after the barrier"));
        const FolderState afterBarrier = stateOf(mScriptFolder.path());
        script.land(script.take());
        script.dropOlder();
        script.note(QStringLiteral("third snapshot written after the barrier"));
        for (const JournalScript::Point &point : script.points()) {
            const bool barred = point.files == afterBarrier
                                || point.name.startsWith(QStringLiteral("entry after the barrier"));
            QTest::newRow(qPrintable(point.name))
                << point.files << (barred ? beforeBarrier : point.expected);
        }
    }
    void journalRecoveredAfterAKillAtEachPoint()
    {
        QFETCH(FolderState, files);
        QFETCH(Database, expected);
        const std::optional<Database> recovered = recoveredFrom(files);
        QVERIFY(recovered);
        QVERIFY(sameCells(*recovered, expected));
    }

    // Entries that do not belong where they stand are never applied, nor anything after them.
    void journalEntriesOutOfPlaceStopTheReplay_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<int>("applied");
        QTest::newRow("whole") << "none" << 3;
        QTest::newRow("a byte of the middle entry changed") << "byte" << 1;
        QTest::newRow("the middle entry missing") << "gap" << 1;
        QTest::newRow("the journal named for another generation") << "rename" << 0;
        QTest::newRow("a cell beyond the database") << "beyond" << 1;
        QTest::newRow("garbage after the last entry") << "tail" << 3;
    }
    void journalEntriesOutOfPlaceStopTheReplay()
    {
        QFETCH(QString, damage);
        QFETCH(int, applied);
        QTemporaryDir dir;
        Database database = databaseOf("x", 3);
        QByteArray journal = journalFileHeader(1);
        QList<QByteArray> entries;
        for (int i = 1; i <= 3; ++i) {
            JournalEntry entry;
            entry.sequence = quint64(i);
            entry.cells = {{1, damage == QLatin1String("beyond") && i == 2 ? 4 : i, "new"}};
            entries << encodeJournalEntry(1, entry);
        }
        if (damage == QLatin1String("byte"))
            entries[1][entries[1].size() - 2] = 'X';
        if (damage == QLatin1String("gap"))
            entries.removeAt(1);
        journal += entries.join();
        if (damage == QLatin1String("tail"))
            journal += QByteArray("\x00\x00\x00\x05\x01\x02", 6);
        const QString name =
            damage == QLatin1String("rename") ? journalFileName(2) : journalFileName(1);
        QVERIFY(writeBytes(dir.filePath(name), journal));
        RecoveryData data;
        data.generation = 1;
        const JournalReplay replay = replayJournals(dir.path(), data, database);
        QCOMPARE(replay.applied, applied);
        QCOMPARE(replay.stoppedEarly, applied < 3 || damage == QLatin1String("tail"));
        for (int record = 1; record <= 3; ++record)
            QCOMPARE(database.cell(1, record) == "new", record <= applied);
    }

    void headerAndDatabaseReadBack()
    {
        const RecoveryOrigin origin = someOrigin();
        const RecoveryReading reading = parseRecovery(recoveryBytes("first", origin));
        QVERIFY2(reading.problem.isEmpty(), qPrintable(reading.problem));
        QCOMPARE(reading.data.origin, origin);
        QVERIFY(qAbs(reading.data.written.secsTo(QDateTime::currentDateTimeUtc())) < 60);
        QCOMPARE(markOf(recoveryBytes("first", origin)), QByteArray("first"));
    }

    // Files written before the checksum and the formats are read as they were: whole, with the
    // desktop's formats.
    void firstVersionStillReads()
    {
        const RecoveryReading reading = parseRecovery(firstVersionBytes("old"));
        QVERIFY2(reading.problem.isEmpty(), qPrintable(reading.problem));
        QCOMPARE(reading.data.origin.path, QStringLiteral("/home/anna/Kunden.pdb"));
        QCOMPARE(reading.data.formats, QString());
        QCOMPARE(markOf(firstVersionBytes("old")), QByteArray("old"));
    }

    void formatsReadBack_data()
    {
        QTest::addColumn<QString>("formats");
        QTest::newRow("desktop") << QString();
        QTest::newRow("German") << QStringLiteral("de_DE");
        QTest::newRow("odd name") << QStringLiteral("x y\n%z");
    }
    void formatsReadBack()
    {
        QFETCH(QString, formats);
        RecoverySnapshot snapshot = takeRecoverySnapshot(databaseOf("f"), 1, {}, formats);
        RecoveryData data;
        QVERIFY(recoveryDataOf(snapshot, data));
        QCOMPARE(parseRecovery(recoveryFileBytes(data)).data.formats, formats);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("database.recovery"));
        QVERIFY(writeRecoverySnapshot(path, snapshot));
        QCOMPARE(readRecoveryFile(path).data.formats, formats);
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
        // What is inside the header's bounds but not as written: only the checksum tells.
        QByteArray recordList = whole;
        recordList[headerEnd + 78 + 2] = '\x7f';
        recordList[headerEnd + 78 + 3] = '\x01';
        QTest::newRow("two bytes of the record list overwritten") << recordList;
        QByteArray path = whole;
        path[path.indexOf("Kunden") + 1] = 'a';
        QTest::newRow("a letter of the path changed") << path;
        const qsizetype trailer = whole.lastIndexOf("checksum: ");
        QTest::newRow("checksum line missing") << whole.left(trailer);
        QTest::newRow("checksum line cut") << whole.chopped(3);
        QByteArray digit = whole;
        digit[trailer + 12] = digit[trailer + 12] == 'f' ? 'e' : 'f';
        QTest::newRow("checksum digit changed") << digit;
        QTest::newRow("first version cut short") << firstVersionBytes("old").chopped(1);
        QTest::newRow("first version, a byte too many") << firstVersionBytes("old") + 'x';
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
        QCOMPARE(file, recoveryFileBytes(data));
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
