// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
//
// Save, Save as and the install copy under failing calls, kills, links and odd targets: the
// database file and its ".pd_" backup are never lost.
#include "core/model/database.h"
#include "core/model/pdb_reader.h"
#include "core/model/pdb_writer.h"
#include "durability.h"
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
QByteArray previousFile()
{
    return PdbBuilder().name("Stock").field("Name").record({"before"}).build();
}

// Whether the bytes are a whole saved database with the given records.
bool isSavedDatabase(const QByteArray &bytes, int records)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    Database database;
    ScriptedPrompter prompter;
    return readDatabase(buffer, QStringLiteral("/x/Stock.pdb"), database, prompter)
               == LoadResult::Loaded
           && database.recordCount() == records && database.cell(1, records) == "last"
           && prompter.shown().isEmpty();
}

// The database being saved: many records, so the writer hands over several pieces.
Database edited(const QString &path, int records)
{
    Database database;
    ScriptedPrompter prompter;
    if (loadDatabaseFile(path, database, prompter) != LoadResult::Loaded)
        qFatal("the previous file does not load");
    for (int record = 2; record <= records; ++record)
        database.insertRecord(record, {QByteArray(100, char('a' + record % 26))});
    database.setCell(1, records, "last");
    database.setModified();
    return database;
}

QString shownTexts(const ScriptedPrompter &prompter)
{
    QStringList texts;
    for (const Message &message : prompter.shown())
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
    QString path(const QString &name) const { return mDir->filePath(name); }
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
        for (CallKind kind : allCallKinds()) {
            for (int error : injectedErrors()) {
                QTest::addRow("%s, %s, errno %d", name, qPrintable(callKindName(kind)), error)
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
    const QString folder = path(QStringLiteral("data"));
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
        writeBytes(own, previousFile());
        writeBytes(target, previousFile());
        writeBytes(backupFileName(target), Older);
        database = edited(own, 300);
        prompter = ScriptedPrompter();
    };
    saveCase.run = [&] { return saveDatabase(database, saveMode, target, 1, prompter); };
    saveCase.afterRun = [&](bool succeeded) -> QString {
        if (succeeded) {
            if (!prompter.shown().isEmpty())
                return QStringLiteral("told ") + shownTexts(prompter);
            return QString();
        }
        const QList<Message> &shown = prompter.shown();
        if (shown.size() != 1 || shown.at(0).caption != SaveErrorMessage.caption
            || shown.at(0).text != SaveErrorMessage.text)
            return QStringLiteral("told ") + shownTexts(prompter)
                   + QStringLiteral(" instead of one save error");
        if (!database.isModified() || database.filePath() != own)
            return QStringLiteral("the database took the failed save as done");
        return QString();
    };
    const QString problem = sweepFaults(saveCase, CallKind(kind), error);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    QVERIFY(isSavedDatabase(readBytes(target), 300));
    QCOMPARE(readBytes(backupFileName(target)),
             saveMode == SaveMode::Copy ? Older : previousFile());
}

// Killed at each of its file calls and at random moments, a save leaves the previous or the new
// database whole, and a whole backup.
void TestPdbSaveDurability::killsLeaveWholeFiles()
{
    const QString folder = path(QStringLiteral("data"));
    const QString own = folder + QStringLiteral("/Stock.pdb");
    Database database;
    SaveCase saveCase;
    saveCase.folder = folder;
    saveCase.setUp = [&] {
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        writeBytes(own, previousFile());
        writeBytes(folder + QStringLiteral("/Stock.pd_"), Older);
        database = edited(own, 3000);
    };
    saveCase.run = [&] {
        ScriptedPrompter prompter;
        return saveDatabase(database, SaveMode::OwnFile, QString(), 1, prompter);
    };
    KillCheck check;
    check.names = {QStringLiteral("Stock.pd_"), QStringLiteral("Stock.pdb")};
    check.valid = [](const QString &name, const QByteArray &bytes) {
        if (name == QLatin1String("Stock.pdb"))
            return bytes == previousFile() || isSavedDatabase(bytes, 3000);
        return bytes == Older || bytes == previousFile();
    };
    const QString problem = killAtEveryStep(saveCase, check, 10);
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
    const QString real = path(QStringLiteral("real/Stock.pdb"));
    const QString link = path(QStringLiteral("links/Stock.pdb"));
    writeBytes(real, previousFile());
    linkText.replace(u'@', mDir->path());
    if (chain) {
        QVERIFY(QFile::link(linkText, path(QStringLiteral("links/Middle.pdb"))));
        linkText = QStringLiteral("Middle.pdb");
    }
    QVERIFY(QFile::link(linkText, link));
    const bool dangling = linkText.contains(QStringLiteral("Gone"));
    Database database = edited(real, 5);
    database.setFilePath(link);
    const FolderState before = stateOf(path(QStringLiteral("links")));

    ScriptedPrompter prompter;
    if (dangling)
        prompter.expect(SaveErrorMessage.caption, SaveErrorMessage.text, Icon::Error, Buttons::Ok,
                        Answer::Ok);
    QCOMPARE(saveDatabase(database, SaveMode::OwnFile, QString(), 1, prompter), !dangling);
    KRIBED_VERIFY_PROMPTER(prompter);
    const FolderState after = stateOf(path(QStringLiteral("links")));
    if (dangling) {
        QVERIFY(stateDifference(after, before).isEmpty());
        QVERIFY(database.isModified());
        return;
    }
    QVERIFY(isSavedDatabase(readBytes(real), 5));
    QCOMPARE(after.value(QStringLiteral("Stock.pdb")), before.value(QStringLiteral("Stock.pdb")));
    QCOMPARE(after.value(QStringLiteral("Stock.pd_")), "file:" + previousFile());
    QCOMPARE(database.filePath(), link);
    QCOMPARE(QDir(path(QStringLiteral("real"))).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("Stock.pdb")});
}

// A FIFO under the chosen name is refused, not replaced by a file nor moved to the backup name.
void TestPdbSaveDurability::refusesAFifo()
{
    const QString target = path(QStringLiteral("Pipe.pdb"));
    QCOMPARE(::mkfifo(QFile::encodeName(target).constData(), 0644), 0);
    Database database;
    database.setShape(1, 1);
    database.setFilePath(path(QStringLiteral("Own.pdb")));
    const FolderState before = stateOf(mDir->path());
    ScriptedPrompter prompter;
    prompter.expect(SaveErrorMessage.caption, SaveErrorMessage.text, Icon::Error, Buttons::Ok,
                    Answer::Ok);
    QVERIFY(!saveDatabase(database, SaveMode::ChosenName, target, 1, prompter));
    KRIBED_VERIFY_PROMPTER(prompter);
    QVERIFY(stateDifference(stateOf(mDir->path()), before).isEmpty());
}

// A file whose name is 250 bytes long is saved again and again, with its backup.
void TestPdbSaveDurability::longName()
{
    const QString own = path(QString(246, u'k') + QStringLiteral(".pdb"));
    writeBytes(own, previousFile());
    Database database = edited(own, 2);
    ScriptedPrompter prompter;
    QVERIFY(saveDatabase(database, SaveMode::OwnFile, QString(), 1, prompter));
    database.setModified();
    QVERIFY(saveDatabase(database, SaveMode::OwnFile, QString(), 1, prompter));
    KRIBED_VERIFY_PROMPTER(prompter);
    QVERIFY(isSavedDatabase(readBytes(own), 2));
    QVERIFY(isSavedDatabase(readBytes(backupFileName(own)), 2));
    QCOMPARE(stateOf(mDir->path()).size(), 2);
}

// The saved file keeps the mode, and the owner and group where the process may give them.
void TestPdbSaveDurability::keepsOwnerGroupAndMode()
{
    const QString own = path(QStringLiteral("Stock.pdb"));
    const QByteArray native = QFile::encodeName(own);
    writeBytes(own, previousFile());
    QCOMPARE(::chmod(native.constData(), 0604), 0);
    const bool root = ::geteuid() == 0;
    if (root)
        QCOMPARE(::chown(native.constData(), 2345, 5432), 0);
    Database database = edited(own, 2);
    ScriptedPrompter prompter;
    QVERIFY(saveDatabase(database, SaveMode::OwnFile, QString(), 1, prompter));
    struct stat status = {};
    QCOMPARE(::stat(native.constData(), &status), 0);
    QVERIFY(isSavedDatabase(readBytes(own), 2));
    QCOMPARE(status.st_mode & 07777, mode_t(0604));
    if (!root)
        QSKIP("owner and group can only be given away by root");
    QCOMPARE(status.st_uid, uid_t(2345));
    QCOMPARE(status.st_gid, gid_t(5432));
}

QTEST_GUILESS_MAIN(TestPdbSaveDurability)
#include "tst_pdb_save_durability.moc"
