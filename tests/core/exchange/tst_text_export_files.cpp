// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/text_exchange.h"
#include "core/model/database.h"
#include "core/model/regional.h"
#include "durability.h"
#include "export_save_case.h"
#include "scripted_prompter.h"
#include "test_regional.h"
#include "text_export_helpers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kribed;
using kribed::test::testRegional;
using namespace kribed::test;
namespace durability = kribed::test;

// The files an export leaves: the backup it keeps, and the text file, its backup and the folder
// as they were when the export is refused, fails or is killed.

namespace {

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

void expectSaveError(ScriptedPrompter &prompter)
{
    prompter.expect(QStringLiteral("Error"), saveErrorText(), Icon::Error, Buttons::Ok, Answer::Ok);
}

} // namespace

class TestTextExportFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void backupName_data();
    void backupName();
    void exportKeepsBackup_data();
    void exportKeepsBackup();
    void exportOntoItsBackupName();
    void exportRefused_data();
    void exportRefused();
    void failedWriteKeepsFileAndBackup();
    void failedCallsLeaveTheFiles_data();
    void failedCallsLeaveTheFiles();
    void killsLeaveWholeFiles();
    void exportsThroughLinks_data();
    void exportsThroughLinks();
    void keepsOwnerGroupAndMode();
};

void TestTextExportFiles::backupName_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("backup");

    QTest::newRow("comma") << QStringLiteral("/d/x.CSV") << int(TextType::Comma)
                           << QStringLiteral("/d/x.CS_");
    QTest::newRow("semicolon") << QStringLiteral("/d/x.csv") << int(TextType::Semicolon)
                               << QStringLiteral("/d/x.cs_");
    QTest::newRow("tab") << QStringLiteral("/d/x.TXT") << int(TextType::Tab)
                         << QStringLiteral("/d/x.TX_");
    QTest::newRow("the type decides, not the extension")
        << QStringLiteral("/d/x.txt") << int(TextType::Comma) << QStringLiteral("/d/x.CS_");
    QTest::newRow("only the last extension is replaced")
        << QStringLiteral("/d/a.b.csv") << int(TextType::Semicolon) << QStringLiteral("/d/a.b.cs_");
    QTest::newRow("a name without extension gets one")
        << QStringLiteral("/d.e/x") << int(TextType::Comma) << QStringLiteral("/d.e/x.CS_");
    QTest::newRow("relative name")
        << QStringLiteral("x.csv") << int(TextType::Semicolon) << QStringLiteral("x.cs_");
}

void TestTextExportFiles::backupName()
{
    QFETCH(QString, path);
    QFETCH(int, type);
    QFETCH(QString, backup);
    QCOMPARE(textBackupFileName(path, TextType(type)), backup);
}

void TestTextExportFiles::exportKeepsBackup_data()
{
    QTest::addColumn<bool>("previousFile");
    QTest::addColumn<bool>("olderBackup");

    QTest::newRow("previous file becomes the backup, older backup goes") << true << true;
    QTest::newRow("previous file becomes the backup") << true << false;
    QTest::newRow("no previous file, the older backup is deleted") << false << true;
    QTest::newRow("new file only") << false << false;
}

void TestTextExportFiles::exportKeepsBackup()
{
    QFETCH(bool, previousFile);
    QFETCH(bool, olderBackup);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("x.csv"));
    const QString backup = folder.filePath(QStringLiteral("x.cs_"));
    if (previousFile)
        QVERIFY(writeFile(path, "previous"));
    if (olderBackup)
        QVERIFY(writeFile(backup, "older"));

    Database database;
    fill(database, People);
    ScriptedPrompter prompter;
    QCOMPARE(exportTextFile(path, TextType::Semicolon, database, prompter, testRegional()),
             ExchangeResult::Done);
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(readFile(path), exported(database, TextType::Semicolon));
    QStringList expected{QStringLiteral("x.csv")};
    if (previousFile) {
        QCOMPARE(readFile(backup), QByteArray("previous"));
        expected.prepend(QStringLiteral("x.cs_"));
    }
    QCOMPARE(filesIn(folder.path()), expected);

    // A second export makes the first one the backup.
    const QByteArray first = readFile(path);
    fill(database, {{"n"}, {"2"}});
    QCOMPARE(exportTextFile(path, TextType::Semicolon, database, prompter, testRegional()),
             ExchangeResult::Done);
    QCOMPARE(readFile(backup), first);
    QCOMPARE(readFile(path), QByteArray("\"n\"\r\n\"2\"\r\n"));
}

void TestTextExportFiles::exportOntoItsBackupName()
{
    // A file already named like its backup is simply replaced: no step deletes it first.
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("x.CS_"));
    QVERIFY(writeFile(path, "previous"));
    Database database;
    fill(database, People);
    ScriptedPrompter prompter;
    QCOMPARE(exportTextFile(path, TextType::Comma, database, prompter, testRegional()),
             ExchangeResult::Done);
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(readFile(path), exported(database, TextType::Comma));
    QCOMPARE(filesIn(folder.path()), QStringList{QStringLiteral("x.CS_")});
}

void TestTextExportFiles::exportRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("type");

    QTest::newRow("folder that does not exist")
        << QStringLiteral("no/such/x.csv") << int(TextType::Comma);
    QTest::newRow("comma-any is no export type")
        << QStringLiteral("x.csv") << int(TextType::CommaAny);
}

void TestTextExportFiles::exportRefused()
{
    QFETCH(QString, name);
    QFETCH(int, type);

    QTemporaryDir folder;
    QVERIFY(writeFile(folder.filePath(QStringLiteral("x.csv")), "previous"));
    Database database;
    fill(database, People);
    ScriptedPrompter prompter;
    expectSaveError(prompter);
    QCOMPARE(
        exportTextFile(folder.filePath(name), TextType(type), database, prompter, testRegional()),
        ExchangeResult::Failed);
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(filesIn(folder.path()), QStringList{QStringLiteral("x.csv")});
    QCOMPARE(readFile(folder.filePath(QStringLiteral("x.csv"))), QByteArray("previous"));
}

void TestTextExportFiles::failedWriteKeepsFileAndBackup()
{
    // A child process may write no file past 4 KiB: the export's write fails for real.
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("x.TXT"));
    const QString backup = folder.filePath(QStringLiteral("x.TX_"));
    QVERIFY(writeFile(path, "previous"));
    QVERIFY(writeFile(backup, "older"));
    Database database;
    fill(database, {{"name", "value"}});
    for (int record = 1; record <= 2000; ++record)
        database.insertRecord(record, {"record " + QByteArray::number(record), "some value"});

    const pid_t child = fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        ScriptedPrompter prompter;
        expectSaveError(prompter);
        const ExchangeResult result =
            exportTextFile(path, TextType::Tab, database, prompter, testRegional());
        _exit(result == ExchangeResult::Failed && prompter.failures().isEmpty() ? 0 : 1);
    }
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY(WIFEXITED(status));
    QCOMPARE(WEXITSTATUS(status), 0);
    QCOMPARE(readFile(path), QByteArray("previous"));
    QCOMPARE(readFile(backup), QByteArray("older"));
    QCOMPARE(filesIn(folder.path()),
             (QStringList{QStringLiteral("x.TXT"), QStringLiteral("x.TX_")}));
}

namespace {

// 2000 records: the export hands over several pieces.
Database longList()
{
    Database database;
    fill(database, {{"name", "value"}});
    for (int record = 1; record <= 2000; ++record)
        database.insertRecord(record, {"record " + QByteArray::number(record), "some value"});
    return database;
}

} // namespace

void TestTextExportFiles::failedCallsLeaveTheFiles_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("error");
    for (durability::CallKind kind : durability::allCallKinds()) {
        for (int error : durability::injectedErrors()) {
            QTest::addRow("%s, errno %d", qPrintable(durability::callKindName(kind)), error)
                << int(kind) << error;
        }
    }
}

// Every failed call of an export shows the export's save error once and leaves the text file, its
// backup and the folder as they were.
void TestTextExportFiles::failedCallsLeaveTheFiles()
{
    QFETCH(int, kind);
    QFETCH(int, error);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("x.csv"));
    const Database database = longList();
    ScriptedPrompter prompter;
    const durability::SaveCase saveCase = durability::exportOverPrevious(
        path, folder.filePath(QStringLiteral("x.cs_")), prompter, [&] {
            return exportTextFile(path, TextType::Semicolon, database, prompter, testRegional())
                   == ExchangeResult::Done;
        });
    const QString problem = durability::sweepFaults(saveCase, durability::CallKind(kind), error);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    QCOMPARE(readFile(path), exported(database, TextType::Semicolon));
    QCOMPARE(readFile(folder.filePath(QStringLiteral("x.cs_"))), QByteArray("previous"));
}

// Killed at each of its file calls and at random moments, an export leaves the previous or the
// new text whole, and a whole backup.
void TestTextExportFiles::killsLeaveWholeFiles()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("x.CSV"));
    const Database database = longList();
    const QByteArray text = exported(database, TextType::Comma);
    const durability::SaveCase saveCase =
        durability::exportOverPrevious(path, folder.filePath(QStringLiteral("x.CS_")), [&] {
            ScriptedPrompter prompter;
            return exportTextFile(path, TextType::Comma, database, prompter, testRegional())
                   == ExchangeResult::Done;
        });
    durability::KillCheck check;
    check.names = {QStringLiteral("x.CSV"), QStringLiteral("x.CS_")};
    check.valid = [&](const QString &name, const QByteArray &bytes) {
        if (name == QLatin1String("x.CSV"))
            return bytes == "previous" || bytes == text;
        return bytes == "older" || bytes == "previous";
    };
    const QString problem = durability::killAtEveryStep(saveCase, check, 10);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
}

void TestTextExportFiles::exportsThroughLinks_data()
{
    QTest::addColumn<QString>("target"); // what the chosen name x.TXT is
    QTest::newRow("link to a text in another folder") << QStringLiteral("link");
    QTest::newRow("dangling link") << QStringLiteral("dangling");
    QTest::newRow("FIFO") << QStringLiteral("fifo");
}

// Through a link the link's file is written and the link stays; the backup beside the chosen name
// is a regular file with the previous text. A dangling link or a FIFO is refused.
void TestTextExportFiles::exportsThroughLinks()
{
    QFETCH(QString, target);
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkpath(QStringLiteral("real")));
    const QString real = folder.filePath(QStringLiteral("real/x.TXT"));
    const QString path = folder.filePath(QStringLiteral("x.TXT"));
    if (target == QLatin1String("link")) {
        QVERIFY(writeFile(real, "previous"));
        QVERIFY(QFile::link(QStringLiteral("real/x.TXT"), path));
    } else if (target == QLatin1String("dangling")) {
        QVERIFY(QFile::link(QStringLiteral("real/gone.TXT"), path));
    } else {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    }
    const durability::FolderState before = durability::stateOf(folder.path());
    Database database;
    fill(database, People);
    ScriptedPrompter prompter;
    const bool refused = target != QLatin1String("link");
    if (refused)
        expectSaveError(prompter);
    QCOMPARE(exportTextFile(path, TextType::Tab, database, prompter, testRegional()),
             refused ? ExchangeResult::Failed : ExchangeResult::Done);
    KRIBED_VERIFY_PROMPTER(prompter);
    const durability::FolderState after = durability::stateOf(folder.path());
    if (refused) {
        QVERIFY(durability::stateDifference(after, before).isEmpty());
        return;
    }
    QCOMPARE(readFile(real), exported(database, TextType::Tab));
    QCOMPARE(after.value(QStringLiteral("x.TXT")), QByteArray("link:real/x.TXT"));
    QCOMPARE(after.value(QStringLiteral("x.TX_")), QByteArray("file:previous"));
    QCOMPARE(filesIn(folder.filePath(QStringLiteral("real"))),
             QStringList{QStringLiteral("x.TXT")});
}

// The new text keeps the previous file's mode, and its owner and group where the process may.
void TestTextExportFiles::keepsOwnerGroupAndMode()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("x.TXT"));
    const QByteArray native = QFile::encodeName(path);
    QVERIFY(writeFile(path, "previous"));
    QCOMPARE(::chmod(native.constData(), 0620), 0);
    const bool root = ::geteuid() == 0;
    if (root)
        QCOMPARE(::chown(native.constData(), 2345, 5432), 0);
    Database database;
    fill(database, People);
    ScriptedPrompter prompter;
    QCOMPARE(exportTextFile(path, TextType::Tab, database, prompter, testRegional()),
             ExchangeResult::Done);
    struct stat status = {};
    QCOMPARE(::stat(native.constData(), &status), 0);
    QCOMPARE(readFile(path), exported(database, TextType::Tab));
    QCOMPARE(status.st_mode & 07777, mode_t(0620));
    if (!root)
        QSKIP("owner and group can only be given away by root");
    QCOMPARE(status.st_uid, uid_t(2345));
    QCOMPARE(status.st_gid, gid_t(5432));
}

QTEST_GUILESS_MAIN(TestTextExportFiles)
#include "tst_text_export_files.moc"
