// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
//
// kribed-cli's writing commands under failing calls (the fault shim put in front of the tool),
// kills, links and a full disk: a failure is exit status 1 without a "Wrote" line, and the files
// are never lost.
#include "core/platform/safe_file.h"
#include "durability.h"
#include "pdb_builder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kribed::test;

namespace {

struct CliRun
{
    int exitCode = -1;
    bool killed = false;
    QByteArray out;
};

// The database every command works on: many records, so the files take several writes.
QByteArray Database(int records)
{
    PdbBuilder builder;
    builder.name("Stock").field("Name").field("Colour", 0x0040).popup(2, {"Red", "Blue"});
    for (int record = 0; record < records; ++record)
        builder.record({"name " + QByteArray::number(record), "Red"});
    return builder.build();
}

QByteArray text(int lines)
{
    QByteArray text;
    for (int line = 0; line < lines; ++line)
        text += "\"added " + QByteArray::number(line) + "\",\"Blue\"\r\n";
    return text;
}

// One command: the files it starts from, its arguments, and the file it writes with its backup.
struct Command
{
    QString name;
    QStringList arguments; // relative to the folder
    QString target;
    QString backup;
};

Command commandNamed(const QString &name)
{
    if (name == QLatin1String("resave"))
        return {name,
                {name, QStringLiteral("Stock.pdb"), QStringLiteral("Copy.pdb")},
                QStringLiteral("Copy.pdb"),
                QString()};
    if (name == QLatin1String("append"))
        return {
            name,
            {QStringLiteral("--yes"), name, QStringLiteral("Stock.pdb"), QStringLiteral("add.CSV")},
            QStringLiteral("Stock.pdb"),
            QStringLiteral("Stock.pd_")};
    if (name == QLatin1String("export-sqlite"))
        return {name,
                {QStringLiteral("export"), QStringLiteral("--type"), QStringLiteral("sqlite"),
                 QStringLiteral("Stock.pdb"), QStringLiteral("out.sqlite")},
                QStringLiteral("out.sqlite"),
                QStringLiteral("out.sqlit_")};
    return {name,
            {name, QStringLiteral("Stock.pdb"), QStringLiteral("out.CSV")},
            QStringLiteral("out.CSV"),
            QStringLiteral("out.CS_")};
}

// A saved database carries the time of its save in the header; the rest must match.
QByteArray withoutDates(QByteArray file)
{
    const int dates = file.startsWith("file:") ? 5 + 36 : 36;
    if (file.size() >= dates + 8)
        file.replace(dates, 8, QByteArray(8, '\0'));
    return file;
}

} // namespace

class TestCliDurable : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void failedCallsFailTheCommand_data();
    void failedCallsFailTheCommand();
    void killedCommandsLeaveWholeFiles_data();
    void killedCommandsLeaveWholeFiles();
    void throughLinks_data();
    void throughLinks();
    void exportOntoAFullDisk_data();
    void exportOntoAFullDisk();

private:
    QString folder() const { return mDir->filePath(QStringLiteral("data")); }
    QString pathOf(const QString &name) const { return folder() + u'/' + name; }
    void setUp(int records = 2000);
    CliRun runCli(const QStringList &arguments, const QProcessEnvironment &environment,
                  qint64 killAfterMicros = -1);

    std::unique_ptr<QTemporaryDir> mDir;
};

void TestCliDurable::init()
{
    mDir = std::make_unique<QTemporaryDir>();
    QVERIFY(mDir->isValid());
}

void TestCliDurable::setUp(int records)
{
    QDir(folder()).removeRecursively();
    QDir().mkpath(folder());
    writeBytes(pathOf(QStringLiteral("Stock.pdb")), Database(records));
    writeBytes(pathOf(QStringLiteral("Stock.pd_")), "older database");
    writeBytes(pathOf(QStringLiteral("Copy.pdb")), "previous copy");
    writeBytes(pathOf(QStringLiteral("add.CSV")), text(records));
    writeBytes(pathOf(QStringLiteral("out.CSV")), "previous text");
    writeBytes(pathOf(QStringLiteral("out.CS_")), "older text");
}

CliRun TestCliDurable::runCli(const QStringList &arguments, const QProcessEnvironment &environment,
                              qint64 killAfterMicros)
{
    QProcess process;
    process.setWorkingDirectory(folder());
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(KRIBED_CLI_PATH), arguments);
    CliRun run;
    if (!process.waitForStarted())
        return run;
    if (killAfterMicros >= 0) {
        QThread::usleep(quint64(killAfterMicros));
        process.kill();
    }
    process.waitForFinished(60000);
    run.killed = process.exitStatus() != QProcess::NormalExit;
    run.exitCode = run.killed ? -1 : process.exitCode();
    run.out = process.readAllStandardOutput();
    return run;
}

void TestCliDurable::failedCallsFailTheCommand_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("error");
    for (const char *command : {"resave", "append", "export", "export-sqlite"}) {
        for (CallKind kind : allCallKinds()) {
            for (int error : injectedErrors())
                QTest::addRow("%s, %s, errno %d", command, qPrintable(callKindName(kind)), error)
                    << QString::fromLatin1(command) << int(kind) << error;
        }
    }
}

// The nth call of a kind fails, for every n the command makes: exit status 1, no "Wrote" line,
// and the folder exactly as it was.
void TestCliDurable::failedCallsFailTheCommand()
{
    QFETCH(QString, command);
    QFETCH(int, kind);
    QFETCH(int, error);
    const Command cli = commandNamed(command);
    const QString counts = mDir->filePath(QStringLiteral("counts"));

    setUp();
    QProcessEnvironment environment = faultEnvironment(folder());
    environment.insert(QStringLiteral("KRIBED_FAULT_COUNTS"), counts);
    const CliRun whole = runCli(cli.arguments, environment);
    QCOMPARE(whole.exitCode, 0);
    long calls = 0;
    for (const QByteArray &line : readBytes(counts).split('\n')) {
        if (line.startsWith(callKindName(CallKind(kind)).toLatin1() + ' '))
            calls = line.mid(line.indexOf(' ') + 1).toLong();
    }
    if (CallKind(kind) == CallKind::Write || CallKind(kind) == CallKind::Sync
        || CallKind(kind) == CallKind::Rename)
        QVERIFY(calls > 0);

    environment.remove(QStringLiteral("KRIBED_FAULT_COUNTS"));
    environment.insert(QStringLiteral("KRIBED_FAULT_KIND"), callKindName(CallKind(kind)));
    environment.insert(QStringLiteral("KRIBED_FAULT_ERRNO"), QString::number(error));
    for (long nth = 1; nth <= calls; ++nth) {
        setUp();
        const FolderState before = stateOf(folder());
        environment.insert(QStringLiteral("KRIBED_FAULT_NTH"), QString::number(nth));
        const CliRun run = runCli(cli.arguments, environment);
        const QString where = QStringLiteral("call %1 of %2: ").arg(nth).arg(calls);
        QVERIFY2(run.exitCode == 1,
                 qPrintable(where + QStringLiteral("exit %1").arg(run.exitCode)));
        QVERIFY2(!run.out.contains("Wrote"), qPrintable(where + QString::fromUtf8(run.out)));
        const QString difference = stateDifference(stateOf(folder()), before);
        QVERIFY2(difference.isEmpty(), qPrintable(where + difference));
    }
}

void TestCliDurable::killedCommandsLeaveWholeFiles_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("append") << QStringLiteral("append");
    QTest::newRow("export") << QStringLiteral("export");
}

// Killed right before each of its file calls, and at 25 random moments, the command leaves the
// previous or the new file and a whole backup; the next run clears what the kill left.
void TestCliDurable::killedCommandsLeaveWholeFiles()
{
    QFETCH(QString, command);
    const Command cli = commandNamed(command);
    setUp(1500);
    const QByteArray previousTarget = readBytes(pathOf(cli.target));
    const QByteArray previousBackup = readBytes(pathOf(cli.backup));
    QProcessEnvironment environment = faultEnvironment(folder());
    const QString counts = mDir->filePath(QStringLiteral("counts"));
    environment.insert(QStringLiteral("KRIBED_FAULT_COUNTS"), counts);
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(runCli(cli.arguments, environment).exitCode, 0);
    const qint64 micros = timer.nsecsElapsed() / 1000;
    const QByteArray newTarget = readBytes(pathOf(cli.target));
    long total = 0;
    for (const QByteArray &line : readBytes(counts).split('\n'))
        total += line.mid(line.indexOf(' ') + 1).toLong();
    environment.remove(QStringLiteral("KRIBED_FAULT_COUNTS"));

    QRandomGenerator random(4711);
    const int randomRuns = 25;
    for (long run = 1; run <= total + randomRuns; ++run) {
        setUp(1500);
        const bool atStep = run <= total;
        if (atStep)
            environment.insert(QStringLiteral("KRIBED_FAULT_KILL"), QString::number(run));
        else
            environment.remove(QStringLiteral("KRIBED_FAULT_KILL"));
        const CliRun killed =
            runCli(cli.arguments, environment, atStep ? -1 : qint64(random.bounded(micros + 1)));
        const QString where = atStep
                                  ? QStringLiteral("killed before call %1: ").arg(run)
                                  : QStringLiteral("killed at random moment %1: ").arg(run - total);
        QVERIFY2(!atStep || killed.killed, qPrintable(where + QStringLiteral("not killed")));
        const FolderState state = stateOf(folder());
        const QByteArray target = state.value(cli.target);
        const QByteArray backup = state.value(cli.backup);
        QVERIFY2(target == "file:" + previousTarget
                     || withoutDates(target) == "file:" + withoutDates(newTarget),
                 qPrintable(where + cli.target + QStringLiteral(" is incomplete")));
        QVERIFY2(backup == "file:" + previousBackup || backup == "file:" + previousTarget,
                 qPrintable(where + cli.backup + QStringLiteral(" is incomplete")));
        QStringList expected{QStringLiteral("Copy.pdb"),  QStringLiteral("Stock.pd_"),
                             QStringLiteral("Stock.pdb"), QStringLiteral("add.CSV"),
                             QStringLiteral("out.CSV"),   QStringLiteral("out.CS_")};
        expected.sort();
        const QStringList names = state.keys();
        for (const QString &name : names) {
            QVERIFY2(expected.contains(name) || name.startsWith(kribed::safeWriteLeftoverPrefix()),
                     qPrintable(where + QStringLiteral("left behind: ") + name));
        }
        // The next run clears what the kill left.
        if (names == expected)
            continue;
        environment.remove(QStringLiteral("KRIBED_FAULT_KILL"));
        QCOMPARE(runCli(cli.arguments, environment).exitCode, 0);
        QVERIFY2(stateOf(folder()).keys() == expected,
                 qPrintable(where + names.join(u' ') + QStringLiteral(" -> ")
                            + stateOf(folder()).keys().join(u' ')));
    }
}

void TestCliDurable::throughLinks_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("append") << QStringLiteral("append");
    QTest::newRow("export") << QStringLiteral("export");
}

// The file the user names is a link into another folder: the link's file is written, the link
// stays, and the backup beside the link holds the previous bytes as a regular file.
void TestCliDurable::throughLinks()
{
    QFETCH(QString, command);
    const Command cli = commandNamed(command);
    setUp(10);
    QFile::remove(pathOf(cli.backup));
    const QString real = mDir->filePath(QStringLiteral("real"));
    QVERIFY(QDir().mkpath(real));
    QVERIFY(QFile::rename(pathOf(cli.target), real + u'/' + cli.target));
    QVERIFY(QFile::link(QStringLiteral("../real/") + cli.target, pathOf(cli.target)));
    const QByteArray previous = readBytes(real + u'/' + cli.target);

    const CliRun run = runCli(cli.arguments, QProcessEnvironment::systemEnvironment());
    QCOMPARE(run.exitCode, 0);
    const FolderState state = stateOf(folder());
    QCOMPARE(state.value(cli.target), "link:../real/" + cli.target.toUtf8());
    QCOMPARE(state.value(cli.backup), "file:" + previous);
    QVERIFY(readBytes(real + u'/' + cli.target) != previous);
    QCOMPARE(QDir(real).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{cli.target});
}

void TestCliDurable::exportOntoAFullDisk_data()
{
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("textPages"); // the room for the text; 0: half the text
    // 4000 records make about 76 KB of text: the export's first piece of 64 KB fits into 17
    // pages, the last piece does not.
    QTest::newRow("fills during the last write") << 4000 << 17;
    QTest::newRow("fills half way") << 9000 << 0;
}

// A disk that fills while the export writes: exit status 1, no "Wrote", the previous text and its
// backup as they were. A small tmpfs is mounted in a mount namespace of a child, where the system
// allows that.
void TestCliDurable::exportOntoAFullDisk()
{
    QFETCH(int, records);
    QFETCH(int, textPages);
    setUp(records);
    QCOMPARE(runCli(commandNamed(QStringLiteral("export")).arguments,
                    QProcessEnvironment::systemEnvironment())
                 .exitCode,
             0);
    constexpr qint64 Page = 4096;
    const qint64 size = readBytes(pathOf(QStringLiteral("out.CSV"))).size();
    QVERIFY(size > textPages * Page);
    const qint64 pages = textPages > 0 ? textPages : size / Page / 2;
    // Two more pages hold the previous text and its backup.
    const QByteArray options = "size=" + QByteArray::number((pages + 2) * Page);
    const QString small = mDir->filePath(QStringLiteral("small"));
    QVERIFY(QDir().mkpath(small));
    const QByteArray cli = QByteArrayLiteral(KRIBED_CLI_PATH);
    const QByteArray database = QFile::encodeName(pathOf(QStringLiteral("Stock.pdb")));
    const QByteArray out = QFile::encodeName(small + QStringLiteral("/out.CSV"));
    const QByteArray log = QFile::encodeName(mDir->filePath(QStringLiteral("stdout")));
    const pid_t child = ::fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        if (::unshare(CLONE_NEWNS) != 0
            || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
            || ::mount("tmpfs", QFile::encodeName(small).constData(), "tmpfs", 0,
                       options.constData())
                   != 0)
            ::_exit(77);
        writeBytes(small + QStringLiteral("/out.CSV"), "previous text");
        writeBytes(small + QStringLiteral("/out.CS_"), "older text");
        const FolderState before = stateOf(small);
        const pid_t tool = ::fork();
        if (tool == 0) {
            const int output = ::open(log.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            ::dup2(output, 1);
            ::dup2(output, 2);
            ::execl(cli.constData(), cli.constData(), "export", database.constData(),
                    out.constData(), static_cast<char *>(nullptr));
            ::_exit(99);
        }
        int status = 0;
        ::waitpid(tool, &status, 0);
        const bool failed = WIFEXITED(status) && WEXITSTATUS(status) == 1;
        ::_exit(failed && stateDifference(stateOf(small), before).isEmpty() ? 0 : 1);
    }
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    QVERIFY(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77)
        QSKIP("a small tmpfs cannot be mounted here (no mount namespace)");
    QVERIFY2(!readBytes(QString::fromLocal8Bit(log)).contains("Wrote"),
             readBytes(QString::fromLocal8Bit(log)).constData());
    QCOMPARE(WEXITSTATUS(status), 0);
}

QTEST_GUILESS_MAIN(TestCliDurable)
#include "tst_cli_durable.moc"
