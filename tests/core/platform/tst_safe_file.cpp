// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/platform/safe_file.h"
#include "durability.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kribed;
using namespace kribed::test;

namespace {

const QByteArray Older = QByteArrayLiteral("older backup");
const QByteArray Previous = QByteArrayLiteral("previous file");

// New content of a few write calls, so a sweep fails writes in the middle too.
QByteArray newContent(qsizetype size = 200 * 1024)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char('a' + i % 23);
    return bytes;
}

bool writeInChunks(QIODevice &device, const QByteArray &bytes)
{
    constexpr qsizetype Chunk = 64 * 1024;
    for (qsizetype at = 0; at < bytes.size(); at += Chunk) {
        const QByteArray piece = bytes.mid(at, Chunk);
        if (device.write(piece) != piece.size())
            return false;
    }
    return true;
}

bool saveFile(const QString &path, const QString &backup, const QByteArray &bytes,
              QString *error = nullptr)
{
    return safeWriteFile(
        path, backup, [&bytes](QIODevice &device) { return writeInChunks(device, bytes); }, error);
}

void clearFolder(const QString &folder)
{
    QDir dir(folder);
    dir.removeRecursively();
    QDir().mkpath(folder);
}

int indexOf(const QStringList &log, const QString &line, int from = 0)
{
    for (int i = from; i < log.size(); ++i) {
        if (log.at(i) == line)
            return i;
    }
    return -1;
}

} // namespace

class TestSafeFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void everyFailedCallFails_data();
    void everyFailedCallFails();
    void failedProducerLeavesNothing();
    void syncsDataBeforeAndFoldersAfter();
    void links_data();
    void links();
    void refusesWhatIsNoRegularFile_data();
    void refusesWhatIsNoRegularFile();
    void longNames_data();
    void longNames();
    void keepsOwnerGroupAndMode();
    void killsLeaveWholeFiles_data();
    void killsLeaveWholeFiles();
    void fullDisk();

private:
    QString path(const QString &name) const { return mDir->filePath(name); }
    std::unique_ptr<QTemporaryDir> mDir;
};

void TestSafeFile::init()
{
    mDir = std::make_unique<QTemporaryDir>();
    QVERIFY(mDir->isValid());
}

void TestSafeFile::everyFailedCallFails_data()
{
    QTest::addColumn<bool>("hadFile");
    QTest::addColumn<bool>("hadBackup");
    QTest::addColumn<bool>("keepsBackup");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("error");
    struct Situation
    {
        const char *name;
        bool hadFile, hadBackup, keepsBackup;
    };
    const Situation situations[] = {
        {"replace, older backup", true, true, true},
        {"replace, first backup", true, false, true},
        {"replace without backup", true, false, false},
        {"new file", false, false, true},
        {"new file, older backup goes", false, true, true},
    };
    for (const Situation &situation : situations) {
        for (CallKind kind : allCallKinds()) {
            for (int error : injectedErrors()) {
                QTest::addRow("%s, %s, errno %d", situation.name, qPrintable(callKindName(kind)),
                              error)
                    << situation.hadFile << situation.hadBackup << situation.keepsBackup
                    << int(kind) << error;
            }
        }
    }
}

// The nth call of each kind fails, for every n: the write fails, and the file, its backup and
// the folder are exactly as before.
void TestSafeFile::everyFailedCallFails()
{
    QFETCH(bool, hadFile);
    QFETCH(bool, hadBackup);
    QFETCH(bool, keepsBackup);
    QFETCH(int, kind);
    QFETCH(int, error);

    const QString folder = path(QStringLiteral("data"));
    const QString target = folder + QStringLiteral("/Stock.pdb");
    const QString backup = keepsBackup ? folder + QStringLiteral("/Stock.pd_") : QString();
    const QByteArray content = newContent();
    SaveCase saveCase;
    saveCase.folder = folder;
    saveCase.setUp = [&] {
        clearFolder(folder);
        if (hadFile)
            writeBytes(target, Previous);
        if (hadBackup)
            writeBytes(folder + QStringLiteral("/Stock.pd_"), Older);
    };
    saveCase.run = [&] { return saveFile(target, backup, content); };
    long calls = 0;
    const QString problem = sweepFaults(saveCase, CallKind(kind), error, &calls);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));

    // The sweep met every step there is: the data is written in pieces and synced, the folder
    // synced, the new name given by a rename.
    if (CallKind(kind) == CallKind::Write)
        QVERIFY(calls >= 4);
    if (CallKind(kind) == CallKind::Sync)
        QVERIFY(calls >= (hadFile && keepsBackup ? 3 : 2));
    if (CallKind(kind) == CallKind::Rename)
        QCOMPARE(calls, hadFile && keepsBackup ? 2L : 1L);
    if (CallKind(kind) == CallKind::Link && hadFile)
        QVERIFY(calls >= 2);
    QCOMPARE(readBytes(target), content);
    if (keepsBackup)
        QCOMPARE(readBytes(backup), hadFile ? Previous : QByteArrayLiteral("missing"));
}

void TestSafeFile::failedProducerLeavesNothing()
{
    const QString target = path(QStringLiteral("Stock.pdb"));
    writeBytes(target, Previous);
    writeBytes(path(QStringLiteral("Stock.pd_")), Older);
    const FolderState before = stateOf(mDir->path());
    QVERIFY(!safeWriteFile(target, path(QStringLiteral("Stock.pd_")), [](QIODevice &device) {
        device.write("half a file");
        return false;
    }));
    const QString difference = stateDifference(stateOf(mDir->path()), before);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

// The data reaches the disk before it takes the name, and the backup's and the new file's names
// reach it before "saved" is reported.
void TestSafeFile::syncsDataBeforeAndFoldersAfter()
{
    const QString folder = QDir(mDir->path()).canonicalPath();
    const QString target = folder + QStringLiteral("/Stock.pdb");
    writeBytes(target, Previous);
    QStringList log;
    {
        FaultScope scope(folder);
        QVERIFY(saveFile(target, folder + QStringLiteral("/Stock.pd_"), newContent()));
        log = FaultScope::log();
    }
    const int lastWrite = int(log.lastIndexOf(QRegularExpression(QStringLiteral("^write .*"))));
    const int dataSync =
        int(log.indexOf(QRegularExpression(QStringLiteral("^sync .+/.+")), lastWrite));
    const int backupRename =
        indexOf(log, QStringLiteral("rename ") + folder + QStringLiteral("/Stock.pd_"));
    const int backupSync = indexOf(log, QStringLiteral("sync ") + folder, backupRename);
    const int commit = indexOf(log, QStringLiteral("rename ") + target);
    const int folderSync = indexOf(log, QStringLiteral("sync ") + folder, commit);
    const QString trace = log.join(u'\n');
    QVERIFY2(lastWrite >= 0 && dataSync > lastWrite && dataSync < backupRename, qPrintable(trace));
    QVERIFY2(backupRename >= 0 && backupSync > backupRename && backupSync < commit,
             qPrintable(trace));
    QVERIFY2(commit >= 0 && folderSync > commit, qPrintable(trace));
}

void TestSafeFile::links_data()
{
    QTest::addColumn<QString>("linkText"); // relative to the folder "links"; @ is the data folder
    QTest::addColumn<bool>("chain");       // a link to a link to the file
    QTest::newRow("relative link") << QStringLiteral("../real/Stock.pdb") << false;
    QTest::newRow("absolute link") << QStringLiteral("@/real/Stock.pdb") << false;
    QTest::newRow("link to a link") << QStringLiteral("../real/Stock.pdb") << true;
    QTest::newRow("dangling link") << QStringLiteral("../real/Gone.pdb") << false;
}

// The link's final target is written and the link stays; the backup is a regular file beside the
// name that was given, holding the previous bytes.
void TestSafeFile::links()
{
    QFETCH(QString, linkText);
    QFETCH(bool, chain);
    QVERIFY(QDir(mDir->path()).mkpath(QStringLiteral("real")));
    QVERIFY(QDir(mDir->path()).mkpath(QStringLiteral("links")));
    const QString real = path(QStringLiteral("real/Stock.pdb"));
    const QString link = path(QStringLiteral("links/Stock.pdb"));
    writeBytes(real, Previous);
    linkText.replace(u'@', mDir->path());
    if (chain) {
        QVERIFY(QFile::link(linkText, path(QStringLiteral("links/Middle.pdb"))));
        linkText = QStringLiteral("Middle.pdb");
    }
    QVERIFY(QFile::link(linkText, link));
    const QString backup = path(QStringLiteral("links/Stock.pd_"));
    const bool dangling = linkText.contains(QStringLiteral("Gone"));
    const FolderState linksBefore = stateOf(path(QStringLiteral("links")));
    const FolderState realBefore = stateOf(path(QStringLiteral("real")));

    QString error;
    const QByteArray content = newContent(1000);
    QCOMPARE(saveFile(link, backup, content, &error), !dangling);
    if (dangling) {
        QVERIFY2(stateDifference(stateOf(path(QStringLiteral("links"))), linksBefore).isEmpty(),
                 qPrintable(stateDifference(stateOf(path(QStringLiteral("links"))), linksBefore)));
        QVERIFY(stateDifference(stateOf(path(QStringLiteral("real"))), realBefore).isEmpty());
        return;
    }
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(readBytes(real), content);
    FolderState links = stateOf(path(QStringLiteral("links")));
    QCOMPARE(links.value(QStringLiteral("Stock.pdb")),
             linksBefore.value(QStringLiteral("Stock.pdb")));
    QCOMPARE(links.value(QStringLiteral("Stock.pd_")), "file:" + Previous);
    QCOMPARE(links.size(), linksBefore.size() + 1);
    QCOMPARE(stateOf(path(QStringLiteral("real"))).keys(),
             QStringList{QStringLiteral("Stock.pdb")});

    // The next save moves the generations on; the first backup is no link to the file either.
    QVERIFY(saveFile(link, backup, Previous));
    QCOMPARE(readBytes(real), Previous);
    QCOMPARE(stateOf(path(QStringLiteral("links"))).value(QStringLiteral("Stock.pd_")),
             "file:" + content);
}

void TestSafeFile::refusesWhatIsNoRegularFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("FIFO") << QStringLiteral("fifo");
    QTest::newRow("folder") << QStringLiteral("folder");
    QTest::newRow("link to a device") << QStringLiteral("device");
    QTest::newRow("link to a folder") << QStringLiteral("linked folder");
}

void TestSafeFile::refusesWhatIsNoRegularFile()
{
    QFETCH(QString, kind);
    const QString target = path(QStringLiteral("Stock.pdb"));
    if (kind == QLatin1String("fifo"))
        QCOMPARE(::mkfifo(QFile::encodeName(target).constData(), 0644), 0);
    else if (kind == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(target));
    else if (kind == QLatin1String("device"))
        QVERIFY(QFile::link(QStringLiteral("/dev/null"), target));
    else
        QVERIFY(QDir().mkpath(path(QStringLiteral("sub")))
                && QFile::link(QStringLiteral("sub"), target));
    writeBytes(path(QStringLiteral("Stock.pd_")), Older);
    const FolderState before = stateOf(mDir->path());
    QString error;
    QVERIFY(!saveFile(target, path(QStringLiteral("Stock.pd_")), newContent(100), &error));
    QVERIFY(!error.isEmpty());
    const QString difference = stateDifference(stateOf(mDir->path()), before);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void TestSafeFile::longNames_data()
{
    QTest::addColumn<int>("length");
    QTest::newRow("250 bytes") << 250;
    QTest::newRow("255 bytes") << 255;
}

// A name at the system's limit is written again and again, and its backup beside it.
void TestSafeFile::longNames()
{
    QFETCH(int, length);
    const QString stem(length - 4, u'n');
    const QString target = path(stem + QStringLiteral(".pdb"));
    const QString backup = path(stem + QStringLiteral(".pd_"));
    QVERIFY(saveFile(target, backup, Previous));
    QVERIFY(saveFile(target, backup, newContent(10)));
    QVERIFY(saveFile(target, backup, Older));
    QCOMPARE(readBytes(target), Older);
    QCOMPARE(readBytes(backup), newContent(10));
    QCOMPARE(stateOf(mDir->path()).size(), 2);
}

void TestSafeFile::keepsOwnerGroupAndMode()
{
    const QString target = path(QStringLiteral("Stock.pdb"));
    const QByteArray native = QFile::encodeName(target);
    writeBytes(target, Previous);
    QCOMPARE(::chmod(native.constData(), 0640), 0);
    const bool root = ::geteuid() == 0;
    if (root)
        QCOMPARE(::chown(native.constData(), 1234, 4321), 0);
    QVERIFY(saveFile(target, path(QStringLiteral("Stock.pd_")), newContent(10)));
    struct stat status = {};
    QCOMPARE(::stat(native.constData(), &status), 0);
    QCOMPARE(status.st_mode & 07777, mode_t(0640));
    if (!root)
        QSKIP("owner and group can only be given away by root");
    QCOMPARE(status.st_uid, uid_t(1234));
    QCOMPARE(status.st_gid, gid_t(4321));
}

void TestSafeFile::killsLeaveWholeFiles_data()
{
    QTest::addColumn<bool>("keepsBackup");
    QTest::newRow("with backup") << true;
    QTest::newRow("without backup") << false;
}

// Killed right before each of its file calls and at 50 random moments, the write leaves the
// previous or the new file, a whole backup, and only names that the next write clears.
void TestSafeFile::killsLeaveWholeFiles()
{
    QFETCH(bool, keepsBackup);
    const QString folder = path(QStringLiteral("data"));
    const QString target = folder + QStringLiteral("/Stock.pdb");
    const QString backup = folder + QStringLiteral("/Stock.pd_");
    const QByteArray content = newContent(1024 * 1024);
    SaveCase saveCase;
    saveCase.folder = folder;
    saveCase.setUp = [&] {
        clearFolder(folder);
        writeBytes(target, Previous);
        writeBytes(backup, Older);
    };
    saveCase.run = [&] { return saveFile(target, keepsBackup ? backup : QString(), content); };
    KillCheck check;
    check.names = {QStringLiteral("Stock.pdb"), QStringLiteral("Stock.pd_")};
    check.valid = [&](const QString &name, const QByteArray &bytes) {
        if (name == QLatin1String("Stock.pdb"))
            return bytes == Previous || bytes == content;
        return keepsBackup ? bytes == Older || bytes == Previous : bytes == Older;
    };
    const QString problem = killAtEveryStep(saveCase, check, 50);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
}

// A real full disk: a small file system fills while the new file is written. It is mounted in a
// mount namespace of a child, where the system allows that.
void TestSafeFile::fullDisk()
{
    const QString folder = path(QStringLiteral("small"));
    QVERIFY(QDir().mkpath(folder));
    int pipeEnds[2];
    QCOMPARE(::pipe(pipeEnds), 0);
    const pid_t child = ::fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        ::close(pipeEnds[0]);
        const QByteArray native = QFile::encodeName(folder);
        QString report;
        if (::unshare(CLONE_NEWNS) != 0
            || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
            || ::mount("tmpfs", native.constData(), "tmpfs", 0, "size=256k") != 0) {
            report = QStringLiteral("skip: ") + QString::fromLocal8Bit(std::strerror(errno));
        } else {
            const QString target = folder + QStringLiteral("/Stock.pdb");
            const QString backup = folder + QStringLiteral("/Stock.pd_");
            const QByteArray previous = newContent(100 * 1024);
            writeBytes(target, previous);
            writeBytes(backup, Older);
            const FolderState before = stateOf(folder);
            QString error;
            if (saveFile(target, backup, newContent(200 * 1024), &error))
                report = QStringLiteral("the write into a full disk succeeded");
            else if (!error.contains(QString::fromLocal8Bit(std::strerror(ENOSPC))))
                report = QStringLiteral("failed for another reason: ") + error;
            else
                report = stateDifference(stateOf(folder), before);
            // What fits is still written.
            if (report.isEmpty() && !saveFile(target, backup, newContent(50 * 1024)))
                report = QStringLiteral("a write that fits failed");
        }
        const QByteArray bytes = report.toUtf8();
        (void)::write(pipeEnds[1], bytes.constData(), size_t(bytes.size()));
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    QByteArray report;
    char buffer[512];
    ssize_t got = 0;
    while ((got = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0)
        report.append(buffer, got);
    ::close(pipeEnds[0]);
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    if (report.startsWith("skip: "))
        QSKIP(qPrintable(QStringLiteral("a small tmpfs cannot be mounted here (%1)")
                             .arg(QString::fromUtf8(report.mid(6)))));
    QVERIFY2(report.isEmpty(), report.constData());
}

QTEST_GUILESS_MAIN(TestSafeFile)
#include "tst_safe_file.moc"
