// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/text_exchange.h"
#include "core/model/database.h"
#include "core/model/regional.h"
#include "durability.h"
#include "scripted_prompter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kribed;
using kribed::test::ScriptedPrompter;
namespace durability = kribed::test;

using Lines = QList<QByteArray>;
using Grid = QList<Lines>; // row 0 the field names, then the records

namespace {

void fill(Database &database, const Grid &grid)
{
    const int fields = int(grid[0].size());
    database.setShape(fields, int(grid.size()) - 1);
    for (int field = 1; field <= fields; ++field)
        database.setFieldName(field, grid[0][field - 1]);
    for (int record = 1; record < grid.size(); ++record) {
        for (int field = 1; field <= fields; ++field)
            database.setCell(field, record, grid[record][field - 1]);
    }
}

Grid gridOf(const Database &database)
{
    Grid grid;
    Lines names;
    for (int field = 1; field <= database.fieldCount(); ++field)
        names.append(database.fieldName(field));
    grid.append(names);
    for (const Database::Record &record : database.records())
        grid.append(Lines(record.begin(), record.end()));
    return grid;
}

QByteArray exported(const Database &database, TextType type)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !writeText(buffer, type, database))
        return "write failed";
    return bytes;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("missing");
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

void expectSaveError(ScriptedPrompter &prompter)
{
    prompter.expect(QStringLiteral("Error"), saveErrorText(), Icon::Error, Buttons::Ok, Answer::Ok);
}

const Grid People{{"Name", "Age"}, {"Ann", "30"}, {"Bob", "41"}};

} // namespace

class TestTextExport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void exportedBytes_data();
    void exportedBytes();
    void filterHidesRecords();
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
    void exportThenImportGivesTheSameDatabase_data();
    void exportThenImportGivesTheSameDatabase();
    void libreOfficeReadsAndWrites_data();
    void libreOfficeReadsAndWrites();
};

void TestTextExport::initTestCase()
{
    setCurrentRegional(Regional(QLocale(QStringLiteral("en_US"))));
}

void TestTextExport::exportedBytes_data()
{
    QTest::addColumn<Grid>("grid");
    QTest::addColumn<int>("type");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("comma, quoted values")
        << People << int(TextType::Comma)
        << QByteArray("\"Name\",\"Age\"\r\n\"Ann\",\"30\"\r\n\"Bob\",\"41\"\r\n");
    QTest::newRow("semicolon, quoted values")
        << People << int(TextType::Semicolon)
        << QByteArray("\"Name\";\"Age\"\r\n\"Ann\";\"30\"\r\n\"Bob\";\"41\"\r\n");
    QTest::newRow("tab, bare values")
        << People << int(TextType::Tab) << QByteArray("Name\tAge\r\nAnn\t30\r\nBob\t41\r\n");
    QTest::newRow("empty cells give two quotes")
        << Grid{{"a", "b"}, {"", ""}} << int(TextType::Comma)
        << QByteArray("\"a\",\"b\"\r\n\"\",\"\"\r\n");
    QTest::newRow("empty cells give nothing in tab text")
        << Grid{{"a", "b"}, {"", ""}} << int(TextType::Tab) << QByteArray("a\tb\r\n\t\r\n");
    QTest::newRow("one field has no separator")
        << Grid{{"only"}, {"x"}} << int(TextType::Semicolon) << QByteArray("\"only\"\r\n\"x\"\r\n");
    QTest::newRow("cell texts are not escaped")
        << Grid{{"q", "r"}, {"a\"b", "c,d;e"}} << int(TextType::Comma)
        << QByteArray("\"q\",\"r\"\r\n\"a\"b\",\"c,d;e\"\r\n");
    QTest::newRow("a line break stays in its cell")
        << Grid{{"n"}, {"a\r\nb"}} << int(TextType::Comma) << QByteArray("\"n\"\r\n\"a\r\nb\"\r\n");
    QTest::newRow("a tab in tab text is written as it is")
        << Grid{{"n", "m"}, {"a\tb", "c"}} << int(TextType::Tab)
        << QByteArray("n\tm\r\na\tb\tc\r\n");
    QTest::newRow("bytes above 127 pass unchanged")
        << Grid{{"\xe4"}, {"\xff\x80"}} << int(TextType::Tab) << QByteArray("\xe4\r\n\xff\x80\r\n");
}

void TestTextExport::exportedBytes()
{
    QFETCH(Grid, grid);
    QFETCH(int, type);
    QFETCH(QByteArray, bytes);

    Database database;
    fill(database, grid);
    QCOMPARE(exported(database, TextType(type)), bytes);
}

void TestTextExport::filterHidesRecords()
{
    Database database;
    fill(database, {{"n"}, {"1"}, {"2"}, {"3"}, {"4"}});
    database.setHidden(1, true);
    database.setHidden(3, true);
    QCOMPARE(exported(database, TextType::Tab), QByteArray("n\r\n2\r\n4\r\n"));
    database.setHidden(2, true);
    database.setHidden(4, true);
    QCOMPARE(exported(database, TextType::Tab), QByteArray("n\r\n"));
}

void TestTextExport::backupName_data()
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

void TestTextExport::backupName()
{
    QFETCH(QString, path);
    QFETCH(int, type);
    QFETCH(QString, backup);
    QCOMPARE(textBackupFileName(path, TextType(type)), backup);
}

void TestTextExport::exportKeepsBackup_data()
{
    QTest::addColumn<bool>("previousFile");
    QTest::addColumn<bool>("olderBackup");

    QTest::newRow("previous file becomes the backup, older backup goes") << true << true;
    QTest::newRow("previous file becomes the backup") << true << false;
    QTest::newRow("no previous file, the older backup is deleted") << false << true;
    QTest::newRow("new file only") << false << false;
}

void TestTextExport::exportKeepsBackup()
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
    QCOMPARE(exportTextFile(path, TextType::Semicolon, database, prompter), ExchangeResult::Done);
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
    QCOMPARE(exportTextFile(path, TextType::Semicolon, database, prompter), ExchangeResult::Done);
    QCOMPARE(readFile(backup), first);
    QCOMPARE(readFile(path), QByteArray("\"n\"\r\n\"2\"\r\n"));
}

void TestTextExport::exportOntoItsBackupName()
{
    // A file already named like its backup is simply replaced: no step deletes it first.
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("x.CS_"));
    QVERIFY(writeFile(path, "previous"));
    Database database;
    fill(database, People);
    ScriptedPrompter prompter;
    QCOMPARE(exportTextFile(path, TextType::Comma, database, prompter), ExchangeResult::Done);
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(readFile(path), exported(database, TextType::Comma));
    QCOMPARE(filesIn(folder.path()), QStringList{QStringLiteral("x.CS_")});
}

void TestTextExport::exportRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("type");

    QTest::newRow("folder that does not exist")
        << QStringLiteral("no/such/x.csv") << int(TextType::Comma);
    QTest::newRow("comma-any is no export type")
        << QStringLiteral("x.csv") << int(TextType::CommaAny);
}

void TestTextExport::exportRefused()
{
    QFETCH(QString, name);
    QFETCH(int, type);

    QTemporaryDir folder;
    QVERIFY(writeFile(folder.filePath(QStringLiteral("x.csv")), "previous"));
    Database database;
    fill(database, People);
    ScriptedPrompter prompter;
    expectSaveError(prompter);
    QCOMPARE(exportTextFile(folder.filePath(name), TextType(type), database, prompter),
             ExchangeResult::Failed);
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(filesIn(folder.path()), QStringList{QStringLiteral("x.csv")});
    QCOMPARE(readFile(folder.filePath(QStringLiteral("x.csv"))), QByteArray("previous"));
}

void TestTextExport::failedWriteKeepsFileAndBackup()
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
        const ExchangeResult result = exportTextFile(path, TextType::Tab, database, prompter);
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

void TestTextExport::failedCallsLeaveTheFiles_data()
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
void TestTextExport::failedCallsLeaveTheFiles()
{
    QFETCH(int, kind);
    QFETCH(int, error);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("x.csv"));
    const Database database = longList();
    ScriptedPrompter prompter;
    durability::SaveCase saveCase;
    saveCase.folder = folder.path();
    saveCase.setUp = [&] {
        QDir(folder.path()).removeRecursively();
        QDir().mkpath(folder.path());
        writeFile(path, "previous");
        writeFile(folder.filePath(QStringLiteral("x.cs_")), "older");
        prompter = ScriptedPrompter();
    };
    saveCase.run = [&] {
        return exportTextFile(path, TextType::Semicolon, database, prompter)
               == ExchangeResult::Done;
    };
    saveCase.afterRun = [&](bool succeeded) {
        const qsizetype told = prompter.shown().size();
        if (succeeded ? told != 0
                      : told != 1 || prompter.shown().at(0).text != saveErrorText()
                            || prompter.shown().at(0).caption != QLatin1String("Error"))
            return QStringLiteral("%1 messages").arg(told);
        return QString();
    };
    const QString problem = durability::sweepFaults(saveCase, durability::CallKind(kind), error);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    QCOMPARE(readFile(path), exported(database, TextType::Semicolon));
    QCOMPARE(readFile(folder.filePath(QStringLiteral("x.cs_"))), QByteArray("previous"));
}

// Killed at each of its file calls and at random moments, an export leaves the previous or the
// new text whole, and a whole backup.
void TestTextExport::killsLeaveWholeFiles()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("x.CSV"));
    const Database database = longList();
    const QByteArray text = exported(database, TextType::Comma);
    durability::SaveCase saveCase;
    saveCase.folder = folder.path();
    saveCase.setUp = [&] {
        QDir(folder.path()).removeRecursively();
        QDir().mkpath(folder.path());
        writeFile(path, "previous");
        writeFile(folder.filePath(QStringLiteral("x.CS_")), "older");
    };
    saveCase.run = [&] {
        ScriptedPrompter prompter;
        return exportTextFile(path, TextType::Comma, database, prompter) == ExchangeResult::Done;
    };
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

void TestTextExport::exportsThroughLinks_data()
{
    QTest::addColumn<QString>("target"); // what the chosen name x.TXT is
    QTest::newRow("link to a text in another folder") << QStringLiteral("link");
    QTest::newRow("dangling link") << QStringLiteral("dangling");
    QTest::newRow("FIFO") << QStringLiteral("fifo");
}

// Through a link the link's file is written and the link stays; the backup beside the chosen name
// is a regular file with the previous text. A dangling link or a FIFO is refused.
void TestTextExport::exportsThroughLinks()
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
    QCOMPARE(exportTextFile(path, TextType::Tab, database, prompter),
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
void TestTextExport::keepsOwnerGroupAndMode()
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
    QCOMPARE(exportTextFile(path, TextType::Tab, database, prompter), ExchangeResult::Done);
    struct stat status = {};
    QCOMPARE(::stat(native.constData(), &status), 0);
    QCOMPARE(readFile(path), exported(database, TextType::Tab));
    QCOMPARE(status.st_mode & 07777, mode_t(0620));
    if (!root)
        QSKIP("owner and group can only be given away by root");
    QCOMPARE(status.st_uid, uid_t(2345));
    QCOMPARE(status.st_gid, gid_t(5432));
}

void TestTextExport::exportThenImportGivesTheSameDatabase_data()
{
    QTest::addColumn<int>("type");
    QTest::newRow("comma") << int(TextType::Comma);
    QTest::newRow("semicolon") << int(TextType::Semicolon);
    QTest::newRow("tab") << int(TextType::Tab);
}

void TestTextExport::exportThenImportGivesTheSameDatabase()
{
    QFETCH(int, type);
    // Separators inside quoted values survive the comma and semicolon types.
    Grid grid{{"Name", "Note", "Empty"}};
    for (int record = 1; record <= 50; ++record) {
        grid.append({"name " + QByteArray::number(record),
                     type == int(TextType::Tab) ? QByteArray("a,b;c") : QByteArray("x;y,z"),
                     QByteArray()});
    }
    Database exported;
    fill(exported, grid);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("round.csv"));
    ScriptedPrompter prompter;
    QCOMPARE(exportTextFile(path, TextType(type), exported, prompter), ExchangeResult::Done);
    Database imported;
    QCOMPARE(importTextFile(path, TextType(type), imported, prompter), ExchangeResult::Done);
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(gridOf(imported), grid);
}

void TestTextExport::libreOfficeReadsAndWrites_data()
{
    QTest::addColumn<int>("separatorCode");
    QTest::addColumn<int>("type");
    QTest::newRow("comma") << 44 << int(TextType::Comma);
    QTest::newRow("semicolon") << 59 << int(TextType::Semicolon);
    QTest::newRow("tab") << 9 << int(TextType::Tab);
}

void TestTextExport::libreOfficeReadsAndWrites()
{
    // Our comma export goes into LibreOffice Calc, and the text Calc writes comes back in.
    QFETCH(int, separatorCode);
    QFETCH(int, type);
    QString office = QStandardPaths::findExecutable(QStringLiteral("libreoffice"));
    if (office.isEmpty())
        office = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (office.isEmpty())
        QSKIP("LibreOffice is not installed");

    const Grid grid{{"Name", "City", "Note"},
                    {"Ann", "Oslo", "tall; quiet, kind"},
                    {"Bob", "", "short"},
                    {"Cy", "Rome", "x"}};
    Database database;
    fill(database, grid);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString exported = folder.filePath(QStringLiteral("ours.csv"));
    ScriptedPrompter prompter;
    QCOMPARE(exportTextFile(exported, TextType::Comma, database, prompter), ExchangeResult::Done);

    const QString outFolder = folder.filePath(QStringLiteral("out"));
    QVERIFY(QDir().mkpath(outFolder));
    QProcess process;
    process.setWorkingDirectory(folder.path());
    // All fields as text (column format 2), so no number or date is reinterpreted.
    const QString textColumns = QStringLiteral("1/2/2/2/3/2");
    process.start(office,
                  {QStringLiteral("-env:UserInstallation=file://")
                       + folder.filePath(QStringLiteral("profile")),
                   QStringLiteral("--headless"),
                   QStringLiteral("--infilter=CSV:44,34,76,1,") + textColumns,
                   QStringLiteral("--convert-to"),
                   QStringLiteral("csv:Text - txt - csv (StarCalc):%1,34,76,1").arg(separatorCode),
                   QStringLiteral("--outdir"), outFolder, exported});
    QVERIFY(process.waitForFinished(180000));
    QCOMPARE(process.exitCode(), 0);
    const QString theirs = QDir(outFolder).filePath(QStringLiteral("ours.csv"));
    QVERIFY2(QFile::exists(theirs), process.readAllStandardError().constData());

    // LibreOffice here ends its lines with a line feed alone, which is no line end in this
    // format: the whole file is one line, and the import asks before going on.
    const QByteArray text = readFile(theirs);
    QVERIFY(text.endsWith('\n') && !text.contains('\r'));
    Database imported;
    fill(imported, {{"untouched"}, {"x"}});
    prompter.expect(QStringLiteral("Information"), formatQuestionText(), Icon::Warning,
                    Buttons::OkCancel, Answer::Cancel);
    QCOMPARE(importTextFile(theirs, TextType(type), imported, prompter), ExchangeResult::Cancelled);
    QCOMPARE(imported.fieldName(1), QByteArray("untouched"));

    // With the line ends it writes on Windows the same text imports as our database.
    QByteArray windowsText = text;
    windowsText.replace("\n", "\r\n");
    const QString windowsFile = folder.filePath(QStringLiteral("theirs.csv"));
    QVERIFY(writeFile(windowsFile, windowsText));
    QCOMPARE(importTextFile(windowsFile, TextType(type), imported, prompter), ExchangeResult::Done);
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(gridOf(imported), grid);
}

QTEST_GUILESS_MAIN(TestTextExport)
#include "tst_text_export.moc"
