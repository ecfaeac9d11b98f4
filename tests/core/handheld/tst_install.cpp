// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/handheld/desktop_ini.h"
#include "core/handheld/install.h"
#include "core/handheld/user_data.h"
#include "core/model/database.h"
#include "core/model/regional.h"
#include "handheld_fixture.h"
#include "scripted_prompter.h"
#include "test_regional.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace kribed;
using kribed::test::testRegional;
using namespace kribed::test;

namespace {

const QString ReadyText = QStringLiteral("The Database is ready for synchronizing.");
const QString SavedReadyText = QStringLiteral("The Database is saved and ready for synchronizing.");
const QString AutoWidthText =
    QStringLiteral("The column width is changed by auto-width and could be unsuitable for the "
                   "handheld display.\nDo you want to save the file with the prevouis width "
                   "settings?");
const QByteArray OldOwnFile("the file as it was before the install");

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestInstall : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void targetPath_data();
    void targetPath();
    void install_data();
    void install();
    void installsForTheLastUser();
    void failedCopyTellsNothingMore();

private:
    QString iniFile() const
    {
        return HandheldRegistry(mDir->path()).iniFile(HandheldRegistry::primaryOrganisation());
    }

    std::unique_ptr<QTemporaryDir> mDir;
    QString mData;
    Database mDatabase;
};

// Two users, Bert being the last one; an open, modified database in Kunden.PDB.
void TestInstall::init()
{
    mDir = std::make_unique<QTemporaryDir>();
    mData = mDir->filePath(QStringLiteral("Palm"));
    QVERIFY(
        writeUsersDat(mData, usersDatBytes(2, {{3, "Anna", "AnnaK"}, {258, "Bert M", "Bert M"}})));
    QVERIFY(
        writeHandheldIni(mDir->path(), HandheldRegistry::primaryOrganisation(),
                         {{QStringLiteral("Core/Path"), mData},
                          {QStringLiteral("Preferences/LastUserName"), QStringLiteral("Bert M")},
                          {QStringLiteral("HotSync Manager/Install3"), 0}}));

    mDatabase = Database();
    mDatabase.resetAppInfo();
    mDatabase.setShape(2, 2);
    mDatabase.setName("Kunden");
    mDatabase.setFieldName(1, "Name");
    mDatabase.setFieldName(2, "Ort");
    mDatabase.setCell(1, 1, "Meier");
    mDatabase.setCell(2, 2, "Bonn");
    const QString ownFile = mDir->filePath(QStringLiteral("Kunden.PDB"));
    QFile own(ownFile);
    QVERIFY(own.open(QIODevice::WriteOnly));
    own.write(OldOwnFile);
    own.close();
    mDatabase.setFilePath(ownFile);
    mDatabase.setModified();
}

void TestInstall::targetPath_data()
{
    QTest::addColumn<QString>("databasePath");
    QTest::addColumn<QString>("target");

    QTest::newRow("upper-case extension") << "/d/Kunden.PDB"
                                          << "/i/Kunden.pdb";
    QTest::newRow("other extension") << "/d/Kunden.txt"
                                     << "/i/Kunden.pdb";
    QTest::newRow("no extension") << "/d/Kunden"
                                  << "/i/Kunden.pdb";
    QTest::newRow("only the last extension") << "/d/Kunden.2024.pdb"
                                             << "/i/Kunden.2024.pdb";
    QTest::newRow("dotted folder") << "/d.x/Kunden"
                                   << "/i/Kunden.pdb";
}

void TestInstall::targetPath()
{
    QFETCH(QString, databasePath);
    QFETCH(QString, target);
    QCOMPARE(installTargetPath(QStringLiteral("/i"), databasePath), target);
}

void TestInstall::install_data()
{
    QTest::addColumn<bool>("saveAtInstall");
    QTest::addColumn<bool>("expertMode");
    QTest::addColumn<bool>("autoSizing");
    QTest::addColumn<int>("autoWidthAnswer"); // -1: not asked
    QTest::addColumn<QString>("told");
    QTest::addColumn<bool>("copied");
    QTest::addColumn<QList<bool>>("autoSizingCalls");

    const int notAsked = -1;
    QTest::newRow("save at install: saved, copied, told")
        << true << false << false << notAsked << SavedReadyText << true << QList<bool>();
    QTest::newRow("copy only: own file and modified flag untouched")
        << false << false << false << notAsked << ReadyText << true << QList<bool>();
    QTest::newRow("expert mode: no question, no message")
        << true << true << true << notAsked << QString() << true << QList<bool>{true};
    QTest::newRow("auto width Yes restores the widths, then sizes again")
        << false << false << true << int(Answer::Yes) << ReadyText << true
        << QList<bool>{false, true};
    QTest::newRow("auto width No keeps the automatic widths")
        << false << false << true << int(Answer::No) << ReadyText << true << QList<bool>{true};
    QTest::newRow("auto width Cancel stops after the flag")
        << true << false << true << int(Answer::Cancel) << QString() << false << QList<bool>();
}

void TestInstall::install()
{
    QFETCH(bool, saveAtInstall);
    QFETCH(bool, expertMode);
    QFETCH(bool, autoSizing);
    QFETCH(int, autoWidthAnswer);
    QFETCH(QString, told);
    QFETCH(bool, copied);
    QFETCH(QList<bool>, autoSizingCalls);

    ScriptedPrompter prompter;
    const UserData users(prompter, testRegional(), HandheldRegistry(mDir->path()));
    QCOMPARE(users.count(), 2);
    if (autoWidthAnswer >= 0)
        prompter.expect(QStringLiteral("Information"), AutoWidthText, Icon::Warning,
                        Buttons::YesNoCancel, Answer(autoWidthAnswer));
    if (!told.isEmpty())
        prompter.expect(QStringLiteral("Kribed-pro"), told, Icon::None, Buttons::Ok, Answer::Ok);

    QList<bool> calls;
    const AutoSizing sizing{autoSizing, [&calls](bool on) { calls.append(on); }};
    const bool result =
        installDatabase(mDatabase, users, 0, {saveAtInstall, expertMode}, sizing, 1, prompter);
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(result, copied);
    QCOMPARE(calls, autoSizingCalls);

    const QString ownFile = mDir->filePath(QStringLiteral("Kunden.PDB"));
    const QString target = mData + QStringLiteral("/AnnaK/Install/Kunden.pdb");
    QCOMPARE(QFileInfo::exists(target), copied);
    if (copied)
        QVERIFY(fileBytes(target).startsWith("Kunden\0"));
    const bool saved = copied && saveAtInstall;
    QCOMPARE(fileBytes(ownFile) == OldOwnFile, !saved);
    QCOMPARE(mDatabase.isModified(), !saved);
    QCOMPARE(mDatabase.filePath(), ownFile);

    // The folder and the flag are made before anything is asked, and stay after a Cancel.
    QVERIFY(QFileInfo(mData + QStringLiteral("/AnnaK/Install")).isDir());
    DesktopIni ini;
    QVERIFY(ini.load(iniFile()));
    const QString flag = ini.value(QStringLiteral("HotSync Manager"), QStringLiteral("Install3"))
                             .value_or(QString());
    QCOMPARE(flag, QStringLiteral("1"));
}

void TestInstall::installsForTheLastUser()
{
    ScriptedPrompter prompter;
    const UserData users(prompter, testRegional(), HandheldRegistry(mDir->path()));
    prompter.expect(QStringLiteral("Kribed-pro"), SavedReadyText, Icon::None, Buttons::Ok,
                    Answer::Ok);
    QVERIFY(installDatabase(mDatabase, users, users.lastUserIndex(), {}, {}, 1, prompter));
    KRIBED_VERIFY_PROMPTER(prompter);

    QVERIFY(QFileInfo::exists(mData + QStringLiteral("/Bert M/Install/Kunden.pdb")));
    QVERIFY(!QFileInfo::exists(mData + QStringLiteral("/AnnaK/Install")));
    QSettings ini(iniFile(), QSettings::IniFormat);
    QCOMPARE(ini.value(QStringLiteral("HotSync Manager/Install258")).toInt(), 1);
    QCOMPARE(ini.value(QStringLiteral("HotSync Manager/Install3")).toInt(), 0);
}

void TestInstall::failedCopyTellsNothingMore()
{
    // A file where the install folder belongs: the folder cannot be made and the copy fails.
    QDir().mkpath(mData + QStringLiteral("/AnnaK"));
    QFile blocker(mData + QStringLiteral("/AnnaK/Install"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    ScriptedPrompter prompter;
    const UserData users(prompter, testRegional(), HandheldRegistry(mDir->path()));
    prompter.expect(QStringLiteral("Save error"), QStringLiteral("There was an error in saving*"),
                    Icon::Error, Buttons::Ok, Answer::Ok);
    QVERIFY(!installDatabase(mDatabase, users, 0, {false, false}, {}, 1, prompter));
    KRIBED_VERIFY_PROMPTER(prompter);
    QVERIFY(mDatabase.isModified());
}

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
