// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
//
// Save, Save as and the install copy under failing calls, kills, links and odd targets: the
// database file and its ".pd_" backup are never lost.
#include "durability.h"
#include "core/model/database.h"
#include "core/model/pdb_reader.h"
#include "core/model/pdb_writer.h"
#include "pdb_builder.h"
#include "scripted_prompter.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace kribed;
using namespace kribed::test;

namespace {

const QByteArray Older = QByteArrayLiteral("older backup");

const Message SaveErrorMessage{
    QStringLiteral("Save error"),
    QStringLiteral("There was an error in saving the file. This may be caused by an invalid "
                   "filename or a full or write protected disk."),
    Icon::Error, Buttons::Ok};

// The file on disk before the save: one record.
QByteArray PreviousFile()
{
    return PdbBuilder().Name("Stock").Field("Name").Record({"before"}).Build();
}

// Whether the bytes are a whole saved database with the given records.
bool IsSavedDatabase(const QByteArray &bytes, int records)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    Database database;
    ScriptedPrompter prompter;
    return ReadDatabase(buffer, QStringLiteral("/x/Stock.pdb"), database, prompter)
               == LoadResult::Loaded
           && database.RecordCount() == records && database.Cell(1, records) == "last"
           && prompter.Shown().isEmpty();
}

// The database being saved: many records, so the writer hands over several pieces.
Database Edited(const QString &path, int records)
{
    Database database;
    ScriptedPrompter prompter;
    if (LoadDatabaseFile(path, database, prompter) != LoadResult::Loaded)
        qFatal("the previous file does not load");
    for (int record = 2; record <= records; ++record)
        database.InsertRecord(record, {QByteArray(100, char('a' + record % 26))});
    database.SetCell(1, records, "last");
    database.SetModified();
    return database;
}

QString Shown(const ScriptedPrompter &prompter)
{
    QStringList texts;
    for (const Message &message : prompter.Shown())
        texts.append(message.caption);
    return texts.join(u',');
}

} // namespace

class TestPdbSaveDurability : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void failedCallsLeaveTheFiles_data();
    void failedCallsLeaveTheFiles();
    void killsLeaveWholeFiles();
    void savesThroughLinks_data();
    void savesThroughLinks();
    void refusesAFifo();
    void longName();
    void keepsOwnerGroupAndMode();

private:
    QString Path(const QString &name) const { return mDir->filePath(name); }
    std::unique_ptr<QTemporaryDir> mDir;
};

void TestPdbSaveDurability::init()
{
    mDir = std::make_unique<QTemporaryDir>();
    QVERIFY(mDir->isValid());
}

void TestPdbSaveDurability::failedCallsLeaveTheFiles_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("error");
    const std::pair<const char *, SaveMode> modes[] = {
        {"Save", SaveMode::OwnFile}, {"Save as", SaveMode::ChosenName}, {"copy", SaveMode::Copy}};
    for (const auto &[name, mode] : modes) {
        for (CallKind kind : AllCallKinds()) {
            for (int error : InjectedErrors()) {
                QTest::addRow("%s, %s, errno %d", name, qPrintable(CallKindName(kind)), error)
                    << int(mode) << int(kind) << error;
            }
        }
    }
}

// Every failed call of a save is a "Save error", once; the file, its backup and the folder stay
// as they were, and so do the database's path and modified flag.
void TestPdbSaveDurability::failedCallsLeaveTheFiles()
{
    QFETCH(int, mode);
    QFETCH(int, kind);
    QFETCH(int, error);
    const SaveMode saveMode = SaveMode(mode);
    const QString folder = Path(QStringLiteral("data"));
    const QString own = folder + QStringLiteral("/Stock.pdb");
    // Save as writes over another database that has a backup; the copy over a previous copy.
    const QString target =
        saveMode == SaveMode::OwnFile ? own : folder + QStringLiteral("/Other.pdb");
    Database database;
    ScriptedPrompter prompter;
    SaveCase saveCase;
    saveCase.folder = folder;
    saveCase.setUp = [&] {
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        WriteBytes(own, PreviousFile());
        WriteBytes(target, PreviousFile());
        WriteBytes(BackupFileName(target), Older);
        database = Edited(own, 300);
        prompter = ScriptedPrompter();
    };
    saveCase.run = [&] { return SaveDatabase(database, saveMode, target, 1, prompter); };
    saveCase.afterRun = [&](bool succeeded) -> QString {
        if (succeeded) {
            if (!prompter.Shown().isEmpty())
                return QStringLiteral("told ") + Shown(prompter);
            return QString();
        }
        const QList<Message> &shown = prompter.Shown();
        if (shown.size() != 1 || shown.at(0).caption != SaveErrorMessage.caption
            || shown.at(0).text != SaveErrorMessage.text)
            return QStringLiteral("told ") + Shown(prompter)
                   + QStringLiteral(" instead of one save error");
        if (!database.IsModified() || database.FilePath() != own)
            return QStringLiteral("the database took the failed save as done");
        return QString();
    };
    const QString problem = SweepFaults(saveCase, CallKind(kind), error);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    QVERIFY(IsSavedDatabase(ReadBytes(target), 300));
    QCOMPARE(ReadBytes(BackupFileName(target)),
             saveMode == SaveMode::Copy ? Older : PreviousFile());
}

// Killed at each of its file calls and at random moments, a save leaves the previous or the new
// database whole, and a whole backup.
void TestPdbSaveDurability::killsLeaveWholeFiles()
{
    const QString folder = Path(QStringLiteral("data"));
    const QString own = folder + QStringLiteral("/Stock.pdb");
    Database database;
    SaveCase saveCase;
    saveCase.folder = folder;
    saveCase.setUp = [&] {
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        WriteBytes(own, PreviousFile());
        WriteBytes(folder + QStringLiteral("/Stock.pd_"), Older);
        database = Edited(own, 3000);
    };
    saveCase.run = [&] {
        ScriptedPrompter prompter;
        return SaveDatabase(database, SaveMode::OwnFile, QString(), 1, prompter);
    };
    KillCheck check;
    check.names = {QStringLiteral("Stock.pd_"), QStringLiteral("Stock.pdb")};
    check.valid = [](const QString &name, const QByteArray &bytes) {
        if (name == QLatin1String("Stock.pdb"))
            return bytes == PreviousFile() || IsSavedDatabase(bytes, 3000);
        return bytes == Older || bytes == PreviousFile();
    };
    const QString problem = KillAtEveryStep(saveCase, check, 10);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
}

void TestPdbSaveDurability::savesThroughLinks_data()
{
    QTest::addColumn<QString>("linkText");
    QTest::addColumn<bool>("chain");
    QTest::newRow("relative link") << QStringLiteral("../real/Stock.pdb") << false;
    QTest::newRow("absolute link") << QStringLiteral("@/real/Stock.pdb") << false;
    QTest::newRow("link to a link") << QStringLiteral("../real/Stock.pdb") << true;
    QTest::newRow("dangling link") << QStringLiteral("../real/Gone.pdb") << false;
}

// Save through a link writes the link's file and keeps the link; the ".pd_" beside the link is a
// regular file with the previous bytes, so the previous version survives.
void TestPdbSaveDurability::savesThroughLinks()
{
    QFETCH(QString, linkText);
    QFETCH(bool, chain);
    QVERIFY(QDir(mDir->path()).mkpath(QStringLiteral("real")));
    QVERIFY(QDir(mDir->path()).mkpath(QStringLiteral("links")));
    const QString real = Path(QStringLiteral("real/Stock.pdb"));
    const QString link = Path(QStringLiteral("links/Stock.pdb"));
    WriteBytes(real, PreviousFile());
    linkText.replace(u'@', mDir->path());
    if (chain) {
        QVERIFY(QFile::link(linkText, Path(QStringLiteral("links/Middle.pdb"))));
        linkText = QStringLiteral("Middle.pdb");
    }
    QVERIFY(QFile::link(linkText, link));
    const bool dangling = linkText.contains(QStringLiteral("Gone"));
    Database database = Edited(real, 5);
    database.SetFilePath(link);
    const FolderState before = StateOf(Path(QStringLiteral("links")));

    ScriptedPrompter prompter;
    if (dangling)
        prompter.Expect(SaveErrorMessage.caption, SaveErrorMessage.text, Icon::Error, Buttons::Ok,
                        Answer::Ok);
    QCOMPARE(SaveDatabase(database, SaveMode::OwnFile, QString(), 1, prompter), !dangling);
    KRIBED_VERIFY_PROMPTER(prompter);
    const FolderState after = StateOf(Path(QStringLiteral("links")));
    if (dangling) {
        QVERIFY(StateDifference(after, before).isEmpty());
        QVERIFY(database.IsModified());
        return;
    }
    QVERIFY(IsSavedDatabase(ReadBytes(real), 5));
    QCOMPARE(after.value(QStringLiteral("Stock.pdb")), before.value(QStringLiteral("Stock.pdb")));
    QCOMPARE(after.value(QStringLiteral("Stock.pd_")), "file:" + PreviousFile());
    QCOMPARE(database.FilePath(), link);
    QCOMPARE(QDir(Path(QStringLiteral("real"))).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("Stock.pdb")});
}

// A FIFO under the chosen name is refused, not replaced by a file nor moved to the backup name.
void TestPdbSaveDurability::refusesAFifo()
{
    const QString target = Path(QStringLiteral("Pipe.pdb"));
    QCOMPARE(::mkfifo(QFile::encodeName(target).constData(), 0644), 0);
    Database database;
    database.SetShape(1, 1);
    database.SetFilePath(Path(QStringLiteral("Own.pdb")));
    const FolderState before = StateOf(mDir->path());
    ScriptedPrompter prompter;
    prompter.Expect(SaveErrorMessage.caption, SaveErrorMessage.text, Icon::Error, Buttons::Ok,
                    Answer::Ok);
    QVERIFY(!SaveDatabase(database, SaveMode::ChosenName, target, 1, prompter));
    KRIBED_VERIFY_PROMPTER(prompter);
    QVERIFY(StateDifference(StateOf(mDir->path()), before).isEmpty());
}

// A file whose name is 250 bytes long is saved again and again, with its backup.
void TestPdbSaveDurability::longName()
{
    const QString own = Path(QString(246, u'k') + QStringLiteral(".pdb"));
    WriteBytes(own, PreviousFile());
    Database database = Edited(own, 2);
    ScriptedPrompter prompter;
    QVERIFY(SaveDatabase(database, SaveMode::OwnFile, QString(), 1, prompter));
    database.SetModified();
    QVERIFY(SaveDatabase(database, SaveMode::OwnFile, QString(), 1, prompter));
    KRIBED_VERIFY_PROMPTER(prompter);
    QVERIFY(IsSavedDatabase(ReadBytes(own), 2));
    QVERIFY(IsSavedDatabase(ReadBytes(BackupFileName(own)), 2));
    QCOMPARE(StateOf(mDir->path()).size(), 2);
}

// The saved file keeps the mode, and the owner and group where the process may give them.
void TestPdbSaveDurability::keepsOwnerGroupAndMode()
{
    const QString own = Path(QStringLiteral("Stock.pdb"));
    const QByteArray native = QFile::encodeName(own);
    WriteBytes(own, PreviousFile());
    QCOMPARE(::chmod(native.constData(), 0604), 0);
    const bool root = ::geteuid() == 0;
    if (root)
        QCOMPARE(::chown(native.constData(), 2345, 5432), 0);
    Database database = Edited(own, 2);
    ScriptedPrompter prompter;
    QVERIFY(SaveDatabase(database, SaveMode::OwnFile, QString(), 1, prompter));
    struct stat status = {};
    QCOMPARE(::stat(native.constData(), &status), 0);
    QVERIFY(IsSavedDatabase(ReadBytes(own), 2));
    QCOMPARE(status.st_mode & 07777, mode_t(0604));
    if (!root)
        QSKIP("owner and group can only be given away by root");
    QCOMPARE(status.st_uid, uid_t(2345));
    QCOMPARE(status.st_gid, gid_t(5432));
}

QTEST_GUILESS_MAIN(TestPdbSaveDurability)
#include "tst_pdb_save_durability.moc"
