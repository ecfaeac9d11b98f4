// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "core/model/pdb_reader.h"
#include "core/model/pdb_writer.h"
#include "pdb_builder.h"
#include "scripted_prompter.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kribed;
using kribed::test::PdbBuilder;
using kribed::test::ScriptedPrompter;

// The files a save leaves behind: the names it chooses, the one backup it keeps, and the
// previous files it leaves as they were when the save fails.

namespace {

const QDateTime SaveTime(QDate(2024, 5, 6), QTime(7, 8, 9));

const QString SaveErrorText = QStringLiteral(
    "There was an error in saving the file. This may be caused by an invalid filename or a full "
    "or write protected disk.");

void expectSaveError(ScriptedPrompter &prompter)
{
    prompter.expect(QStringLiteral("Save error"), SaveErrorText, Icon::Error, Buttons::Ok,
                    Answer::Ok);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("missing");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// The folder's files, names joined by blanks.
QString entries(const QString &path)
{
    return QDir(path)
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name)
        .join(u' ');
}

} // namespace

class TestPdbSaveFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fileNames_data();
    void fileNames();
    void saveKeepsOneBackup();
    void saveAsTakesTheNewName();
    void copyLeavesPathAndFlag();
    void failedWriteLeavesPreviousFiles_data();
    void failedWriteLeavesPreviousFiles();
    void uncreatableFileChangesNothing();
    void listWithAHeaderItemIsNotSaved();
};

void TestPdbSaveFiles::fileNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("pdb");
    QTest::addColumn<QString>("backup");

    QTest::newRow("extension replaced")
        << QStringLiteral("/d/Copy.txt") << QStringLiteral("/d/Copy.pdb")
        << QStringLiteral("/d/Copy.pd_");
    QTest::newRow("extension added") << QStringLiteral("/d/Copy") << QStringLiteral("/d/Copy.pdb")
                                     << QStringLiteral("/d/Copy.pd_");
    QTest::newRow("only the last extension")
        << QStringLiteral("/d/a.b.txt") << QStringLiteral("/d/a.b.pdb")
        << QStringLiteral("/d/a.b.pd_");
    QTest::newRow("dot in a folder is no extension")
        << QStringLiteral("/d.x/Copy") << QStringLiteral("/d.x/Copy.pdb")
        << QStringLiteral("/d.x/Copy.pd_");
    QTest::newRow(".pdb stays") << QStringLiteral("/d/Stock.pdb") << QStringLiteral("/d/Stock.pdb")
                                << QStringLiteral("/d/Stock.pd_");
}

void TestPdbSaveFiles::fileNames()
{
    QFETCH(QString, name);
    QFETCH(QString, pdb);
    QFETCH(QString, backup);
    QCOMPARE(pdbFileName(name), pdb);
    QCOMPARE(backupFileName(name), backup);
}

void TestPdbSaveFiles::saveKeepsOneBackup()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Stock.pdb"));
    const QByteArray original = PdbBuilder().field("A").record({"first"}).build();
    writeFile(path, original);
    writeFile(dir.filePath(QStringLiteral("Stock.pd_")), "older backup");

    Database database;
    ScriptedPrompter prompter;
    QCOMPARE(loadDatabaseFile(path, database, prompter), LoadResult::Loaded);
    database.setModified();
    QVERIFY(saveDatabase(database, SaveMode::OwnFile, QString(), 1, prompter));
    QCOMPARE(readFile(dir.filePath(QStringLiteral("Stock.pd_"))), original);
    const QByteArray firstSave = readFile(path);
    QVERIFY(firstSave != original);
    QVERIFY(!database.isModified());
    QCOMPARE(database.filePath(), path);
    QVERIFY(qAbs(database.modificationTime().secsTo(QDateTime::currentDateTime())) < 60);

    database.setCell(1, 1, "second");
    database.setModified();
    QVERIFY(saveDatabase(database, SaveMode::OwnFile, QString(), 1, prompter));
    QCOMPARE(readFile(dir.filePath(QStringLiteral("Stock.pd_"))), firstSave);
    Database reloaded;
    QCOMPARE(loadDatabaseFile(path, reloaded, prompter), LoadResult::Loaded);
    QCOMPARE(reloaded.cell(1, 1), QByteArray("second"));
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(entries(dir.path()), QStringLiteral("Stock.pd_ Stock.pdb"));
}

void TestPdbSaveFiles::saveAsTakesTheNewName()
{
    QTemporaryDir dir;
    Database database;
    database.setShape(1, 1);
    database.setFilePath(dir.filePath(QStringLiteral("Old.pdb")));
    database.setModified();
    ScriptedPrompter prompter;
    const QString copy = pdbFileName(dir.filePath(QStringLiteral("Copy.txt")));
    QVERIFY(saveDatabase(database, SaveMode::ChosenName, copy, 1, prompter));
    QCOMPARE(database.filePath(), dir.filePath(QStringLiteral("Copy.pdb")));
    QVERIFY(!database.isModified());
    QCOMPARE(entries(dir.path()), QStringLiteral("Copy.pdb"));

    QVERIFY(saveDatabase(database, SaveMode::ChosenName, copy, 1, prompter));
    QCOMPARE(entries(dir.path()), QStringLiteral("Copy.pd_ Copy.pdb"));
    KRIBED_VERIFY_PROMPTER(prompter);
}

void TestPdbSaveFiles::copyLeavesPathAndFlag()
{
    QTemporaryDir dir;
    Database database;
    database.setShape(1, 1);
    database.setCell(1, 1, "v");
    database.setFilePath(dir.filePath(QStringLiteral("Own.pdb")));
    database.setModified();
    const QString target = dir.filePath(QStringLiteral("install.pdb"));
    ScriptedPrompter prompter;
    QVERIFY(saveDatabase(database, SaveMode::Copy, target, 1, prompter));
    QVERIFY(saveDatabase(database, SaveMode::Copy, target, 1, prompter));
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(entries(dir.path()), QStringLiteral("install.pdb"));
    QCOMPARE(database.filePath(), dir.filePath(QStringLiteral("Own.pdb")));
    QVERIFY(database.isModified());
    QVERIFY(qAbs(database.modificationTime().secsTo(QDateTime::currentDateTime())) < 60);

    Database copy;
    QCOMPARE(loadDatabaseFile(target, copy, prompter), LoadResult::Loaded);
    QCOMPARE(copy.cell(1, 1), QByteArray("v"));
}

// The save runs in a child whose files may not grow past a few kilobytes, so the write fails for
// real; the parent then finds the previous file and its backup as they were.
void TestPdbSaveFiles::failedWriteLeavesPreviousFiles_data()
{
    QTest::addColumn<int>("records");
    // A small file fails only when the last buffered bytes go out; a large one while writing.
    QTest::newRow("fails at the last flush") << 50;
    QTest::newRow("fails while writing") << 1000;
}

void TestPdbSaveFiles::failedWriteLeavesPreviousFiles()
{
    QFETCH(int, records);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Stock.pdb"));
    const QByteArray original = PdbBuilder().field("A").record({"small"}).build();
    writeFile(path, original);
    writeFile(dir.filePath(QStringLiteral("Stock.pd_")), "older backup");

    Database database;
    ScriptedPrompter loader;
    QCOMPARE(loadDatabaseFile(path, database, loader), LoadResult::Loaded);
    for (int record = 2; record <= records; ++record)
        database.insertRecord(record, {QByteArray(200, 'x')});
    database.setModified();

    const pid_t child = fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{8192, 8192};
        setrlimit(RLIMIT_FSIZE, &limit);
        ScriptedPrompter prompter;
        expectSaveError(prompter);
        const bool saved = saveDatabase(database, SaveMode::OwnFile, QString(), 1, prompter);
        const bool sound = !saved && prompter.failures().isEmpty() && database.isModified()
                           && database.filePath() == path;
        _exit(sound ? 0 : 1);
    }
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY(WIFEXITED(status));
    QCOMPARE(WEXITSTATUS(status), 0);
    QCOMPARE(readFile(path), original);
    QCOMPARE(readFile(dir.filePath(QStringLiteral("Stock.pd_"))), QByteArray("older backup"));
    QCOMPARE(entries(dir.path()), QStringLiteral("Stock.pd_ Stock.pdb"));
}

void TestPdbSaveFiles::uncreatableFileChangesNothing()
{
    QTemporaryDir dir;
    Database database;
    database.setShape(1, 1);
    database.setFilePath(dir.filePath(QStringLiteral("Own.pdb")));
    database.setModified();
    ScriptedPrompter prompter;
    expectSaveError(prompter);
    expectSaveError(prompter);
    QVERIFY(!saveDatabase(database, SaveMode::ChosenName,
                          dir.filePath(QStringLiteral("missing/New.pdb")), 1, prompter));
    // A folder where the file should be.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Folder.pdb")));
    QVERIFY(!saveDatabase(database, SaveMode::ChosenName,
                          dir.filePath(QStringLiteral("Folder.pdb")), 1, prompter));
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(database.filePath(), dir.filePath(QStringLiteral("Own.pdb")));
    QVERIFY(database.isModified());
    QCOMPARE(entries(dir.path()), QStringLiteral("Folder.pdb"));
}

// "popups" as an item would split the list on the next load (field 19 opens there): the save is
// refused and the file on disk stays as it was.
void TestPdbSaveFiles::listWithAHeaderItemIsNotSaved()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Own.pdb"));
    writeFile(path, "previous");
    Database database;
    database.setShape(20, 1);
    database.setFilePath(path);
    database.popupList(2) = {"Red", "Blue", "Green", "popups"};
    database.setModified();

    ScriptedPrompter prompter;
    expectSaveError(prompter);
    QVERIFY(!saveDatabase(database, SaveMode::OwnFile, QString(), 1, prompter));
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(readFile(path), QByteArray("previous"));
    QCOMPARE(entries(dir.path()), QStringLiteral("Own.pdb"));
    QVERIFY(database.isModified());

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(!writeDatabase(buffer, database, 1, SaveTime, prompter));
    QCOMPARE(buffer.data(), QByteArray());
}

QTEST_GUILESS_MAIN(TestPdbSaveFiles)
#include "tst_pdb_save_files.moc"
