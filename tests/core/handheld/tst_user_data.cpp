// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/handheld/user_data.h"
#include "core/model/regional.h"
#include "durability.h"
#include "handheld_fixture.h"
#include "scripted_prompter.h"
#include "test_regional.h"

#include <QBuffer>
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

using namespace kribed;
using kribed::test::testRegional;
using namespace kribed::test;
using namespace Qt::Literals::StringLiterals;

namespace {

QString describe(const QList<UserEntry> &users)
{
    QStringList parts;
    for (const UserEntry &user : users)
        parts << QStringLiteral("%1:%2:%3").arg(user.id).arg(user.name, user.folder);
    return parts.join(u'|');
}

QList<UserEntry> parse(QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return readUsersDat(buffer, testRegional());
}

const FixtureUser Anna{3, "Anna", "AnnaK"};
const FixtureUser Bert{258, "Bert M", "Bert M"};
const FixtureUser Cleo{65535, "Cleo", "C"};

} // namespace

class TestUserData : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void usersDat_data();
    void usersDat();
    void cutShortAtEveryByte();
    void registry_data();
    void registry();
    void longValuesAreCut();
    void lookupsOutsideTheList();
    void prepareInstallFolder();
    void prepareWithoutHotSyncKey();
    void prepareWhenKeysVanished();
    void prepareWithoutUsers();
    void iniValuesAsWritten_data();
    void iniValuesAsWritten();
    void flagChangesOnlyItsKey_data();
    void flagChangesOnlyItsKey();
    void flagWriteFailures_data();
    void flagWriteFailures();
    void flagThroughLink();

private:
    // Writes an INI of the organisation with the given values ("Group/Key" -> value).
    void writeIni(const QString &organisation, const QVariantMap &values);
    QString dataFolder(const QByteArray &usersDat);
    // Writes the primary organisation's INI as the given bytes ("@data" stands for `data`).
    QString writeRawIni(QByteArray bytes, const QString &data);

    std::unique_ptr<QTemporaryDir> mDir;
};

void TestUserData::writeIni(const QString &organisation, const QVariantMap &values)
{
    QVERIFY(writeHandheldIni(mDir->path(), organisation, values));
}

QString TestUserData::dataFolder(const QByteArray &usersDat)
{
    const QString folder = mDir->filePath(QStringLiteral("Palm"));
    if (!writeUsersDat(folder, usersDat))
        qFatal("cannot write users.dat");
    return folder;
}

QString TestUserData::writeRawIni(QByteArray bytes, const QString &data)
{
    const QString file =
        HandheldRegistry(mDir->path()).iniFile(HandheldRegistry::primaryOrganisation());
    QDir().mkpath(QFileInfo(file).path());
    bytes.replace("@data", data.toUtf8());
    if (!writeBytes(file, bytes))
        qFatal("cannot write the INI");
    return file;
}

void TestUserData::usersDat_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("users");

    QTest::newRow("empty file") << QByteArray() << QString();
    QTest::newRow("no users") << usersDatBytes(0, {}) << QString();
    QTest::newRow("count 0 ignores a record") << usersDatBytes(0, {Anna}) << QString();
    QTest::newRow("one user") << usersDatBytes(1, {Anna}) << QStringLiteral("3:Anna:AnnaK");
    QTest::newRow("two users, id low byte first")
        << usersDatBytes(2, {Anna, Bert}) << QStringLiteral("3:Anna:AnnaK|258:Bert M:Bert M");
    QTest::newRow("three users") << usersDatBytes(3, {Anna, Bert, Cleo})
                                 << QStringLiteral("3:Anna:AnnaK|258:Bert M:Bert M|65535:Cleo:C");
    QTest::newRow("marker right after the record")
        << usersDatBytes(2, {Anna, Bert}, QByteArray())
        << QStringLiteral("3:Anna:AnnaK|258:Bert M:Bert M");
    QTest::newRow("lone 0x80 and 0x01 before the marker")
        << usersDatBytes(2, {Anna, Bert}, QByteArray("\x80\x01\x02\x80", 4))
        << QStringLiteral("3:Anna:AnnaK|258:Bert M:Bert M");

    // 0x01 0x01 0x80: the second 0x01 is taken along by the first, so the 0x80 is no marker
    // and the second record starts only after the real marker further on.
    QByteArray swallowed = recordBytes(Anna) + QByteArray("\x01\x01\x80", 3) + recordBytes(Cleo)
                           + QByteArray("\x01\x80", 2) + recordBytes(Bert);
    swallowed.prepend(QByteArray(12, '\0')).prepend('\x02');
    QTest::newRow("0x01 0x01 0x80 is no marker")
        << swallowed << QStringLiteral("3:Anna:AnnaK|258:Bert M:Bert M");

    // In a run of 0x01 bytes the pairs start at its first byte: an odd run ends in a marker.
    for (int run = 3; run <= 4; ++run) {
        QByteArray bytes = recordBytes(Anna) + QByteArray(run, '\x01') + '\x80'
                           + (run % 2 ? QByteArray() : recordBytes(Cleo) + "\x01\x80")
                           + recordBytes(Bert);
        bytes.prepend(QByteArray(12, '\0')).prepend('\x02');
        QTest::addRow("%d times 0x01 before 0x80", run)
            << bytes << QStringLiteral("3:Anna:AnnaK|258:Bert M:Bert M");
    }

    // The uninterpreted byte is not part of the scan: a 0x01 there does not pair with 0x80.
    QByteArray tailByte =
        recordBytes(Anna, '\x01') + QByteArray("\x80\x01\x80", 3) + recordBytes(Bert);
    tailByte.prepend(QByteArray(12, '\0')).prepend('\x02');
    QTest::newRow("uninterpreted 0x01 starts no marker")
        << tailByte << QStringLiteral("3:Anna:AnnaK|258:Bert M:Bert M");

    QTest::newRow("count above the records in the file")
        << usersDatBytes(5, {Anna, Bert}) << QStringLiteral("3:Anna:AnnaK|258:Bert M:Bert M");
    QTest::newRow("no marker after the first record")
        << usersDatBytes(1, {Anna}).replace(0, 1, "\x02") + QByteArray("\x00\x01\x01\x01", 4)
        << QStringLiteral("3:Anna:AnnaK");
    QTest::newRow("empty name and folder")
        << usersDatBytes(1, {{7, "", ""}}) << QStringLiteral("7::");
    QTest::newRow("40-character name and folder cut to 31")
        << usersDatBytes(2, {{1, QByteArray(40, 'n'), QByteArray(40, 'f')}, Anna})
        << QStringLiteral("1:%1:%2|3:Anna:AnnaK").arg(QString(31, u'n'), QString(31, u'f'));
    QTest::newRow("names in the Western code page")
        << usersDatBytes(1, {{9, "M\xfcller", "M\xfcller"}})
        << QStringLiteral("9:M\u00fcller:M\u00fcller");
}

void TestUserData::usersDat()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, users);
    QCOMPARE(describe(parse(bytes)), users);
}

void TestUserData::cutShortAtEveryByte()
{
    const QByteArray whole = usersDatBytes(2, {Anna, Bert});
    // Each record is complete once its folder name is: the uninterpreted byte after it is not
    // needed.
    const int firstComplete = 13 + recordBytes(Anna).size() - 1;
    const int secondComplete = whole.size() - 1;
    const QList<UserEntry> all = parse(whole);
    QCOMPARE(all.size(), 2);

    for (int length = 0; length <= whole.size(); ++length) {
        const QList<UserEntry> users = parse(whole.left(length));
        const int expected = length >= secondComplete ? 2 : length >= firstComplete ? 1 : 0;
        QVERIFY2(users.size() == expected, qPrintable(QStringLiteral("cut at %1").arg(length)));
        QCOMPARE(describe(users), describe(all.mid(0, expected)));
    }
}

void TestUserData::registry_data()
{
    QTest::addColumn<QStringList>("organisations");
    QTest::addColumn<QVariantMap>("values");
    QTest::addColumn<bool>("writeUsers");
    QTest::addColumn<bool>("message");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("lastUser");

    const QString usr = HandheldRegistry::primaryOrganisation();
    const QString palm = HandheldRegistry::fallbackOrganisation();
    const QVariantMap withPath{
        {QStringLiteral("Core/Path"), QStringLiteral("@data")},
        {QStringLiteral("Preferences/LastUserName"), QStringLiteral("Bert M")}};

    QTest::newRow("no key: message, no users")
        << QStringList() << QVariantMap() << true << true << 0 << 0;
    QTest::newRow("U.S. Robotics key") << QStringList{usr} << withPath << true << false << 2 << 1;
    QTest::newRow("Palm Computing key when the first is missing")
        << QStringList{palm} << withPath << true << false << 2 << 1;
    QTest::newRow("no Path value: no users, no message")
        << QStringList{usr}
        << QVariantMap{{QStringLiteral("Preferences/LastUserName"), QStringLiteral("Anna")}} << true
        << false << 0 << 0;
    QTest::newRow("missing users.dat: no users, no message")
        << QStringList{usr} << withPath << false << false << 0 << 0;
    QTest::newRow("no LastUserName: the first user")
        << QStringList{usr} << QVariantMap{{QStringLiteral("Core/Path"), QStringLiteral("@data")}}
        << true << false << 2 << 0;
    QTest::newRow("last user name compared case-sensitively")
        << QStringList{usr}
        << QVariantMap{{QStringLiteral("Core/Path"), QStringLiteral("@data")},
                       {QStringLiteral("Preferences/LastUserName"), QStringLiteral("bert m")}}
        << true << false << 2 << 0;
}

void TestUserData::registry()
{
    QFETCH(QStringList, organisations);
    QFETCH(QVariantMap, values);
    QFETCH(bool, writeUsers);
    QFETCH(bool, message);
    QFETCH(int, count);
    QFETCH(int, lastUser);

    mDir = std::make_unique<QTemporaryDir>();
    const QString data = writeUsers ? dataFolder(usersDatBytes(2, {Anna, Bert}))
                                    : mDir->filePath(QStringLiteral("Palm"));
    for (auto it = values.begin(); it != values.end(); ++it) {
        if (it.value() == QStringLiteral("@data"))
            it.value() = data;
    }
    for (const QString &organisation : organisations)
        writeIni(organisation, values);

    ScriptedPrompter prompter;
    if (message)
        prompter.expect(QStringLiteral("Kribed"),
                        QStringLiteral("The Desktop software for the Palm Computing(R) Platform is "
                                       "not correctly installed.\nNevertheless you can use Kribed "
                                       "without problems."),
                        Icon::Error, Buttons::Ok, Answer::Ok);
    const UserData users(prompter, testRegional(), HandheldRegistry(mDir->path()));
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(users.count(), count);
    QCOMPARE(users.lastUserIndex(), lastUser);
    if (count > 0) {
        QCOMPARE(users.desktopDataFolder(), data);
        QCOMPARE(users.backupFolder(lastUser),
                 data + u'/' + users.folderName(lastUser) + QStringLiteral("/backup"));
    }
}

void TestUserData::longValuesAreCut()
{
    mDir = std::make_unique<QTemporaryDir>();
    const QByteArray longName(40, 'L');
    const QString data =
        dataFolder(usersDatBytes(3, {Anna, {5, longName, "Long"}, {6, longName, "Later"}}));
    // A 300-character Path keeps its first 255 characters; the user list is then not found.
    writeIni(HandheldRegistry::primaryOrganisation(),
             {{QStringLiteral("Core/Path"), data},
              {QStringLiteral("Preferences/LastUserName"), QString::fromLatin1(longName)}});
    writeIni(HandheldRegistry::fallbackOrganisation(),
             {{QStringLiteral("Core/Path"), QString(300, u'p')}});

    ScriptedPrompter prompter;
    const UserData users(prompter, testRegional(), HandheldRegistry(mDir->path()));
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(users.lastUserName().size(), MaxUserTextLength);
    // Both long names are cut alike and still match; the later one wins.
    QCOMPARE(users.lastUserIndex(), 2);
    QCOMPARE(users.folderName(2), QStringLiteral("Later"));

    QFile::remove(HandheldRegistry(mDir->path()).iniFile(HandheldRegistry::primaryOrganisation()));
    const UserData fallback(prompter, testRegional(), HandheldRegistry(mDir->path()));
    QCOMPARE(fallback.desktopDataFolder(), QString(MaxDesktopFolderLength, u'p'));
    QCOMPARE(fallback.count(), 0);
}

void TestUserData::lookupsOutsideTheList()
{
    mDir = std::make_unique<QTemporaryDir>();
    const QString data = dataFolder(usersDatBytes(1, {Anna}));
    writeIni(HandheldRegistry::primaryOrganisation(), {{QStringLiteral("Core/Path"), data}});
    ScriptedPrompter prompter;
    const UserData users(prompter, testRegional(), HandheldRegistry(mDir->path()));
    for (int index : {-1, 1, 255}) {
        QCOMPARE(users.userId(index), quint16(0));
        QVERIFY(users.userName(index).isEmpty());
        QVERIFY(users.folderName(index).isEmpty());
    }
    QCOMPARE(users.userId(0), quint16(3));
}

void TestUserData::prepareInstallFolder()
{
    mDir = std::make_unique<QTemporaryDir>();
    const QString data = dataFolder(usersDatBytes(2, {Anna, Bert}));
    writeIni(HandheldRegistry::primaryOrganisation(),
             {{QStringLiteral("Core/Path"), data},
              {QStringLiteral("Preferences/LastUserName"), QStringLiteral("Bert M")},
              {QStringLiteral("HotSync Manager/Install3"), 0}});
    ScriptedPrompter prompter;
    const UserData users(prompter, testRegional(), HandheldRegistry(mDir->path()));

    const std::optional<QString> folder =
        users.prepareInstallFolder(users.lastUserIndex(), prompter);
    KRIBED_VERIFY_PROMPTER(prompter);
    QVERIFY(folder);
    QCOMPARE(*folder, data + QStringLiteral("/Bert M/Install"));
    QVERIFY(QFileInfo(*folder).isDir());

    // An existing folder is fine, and the flag is raised again.
    QVERIFY(users.prepareInstallFolder(users.lastUserIndex(), prompter));

    QSettings ini(HandheldRegistry(mDir->path()).iniFile(HandheldRegistry::primaryOrganisation()),
                  QSettings::IniFormat);
    QCOMPARE(ini.value(QStringLiteral("HotSync Manager/Install258")).toInt(), 1);
    QCOMPARE(ini.value(QStringLiteral("HotSync Manager/Install3")).toInt(), 0);
    QCOMPARE(ini.value(QStringLiteral("Core/Path")).toString(), data);
}

void TestUserData::prepareWithoutHotSyncKey()
{
    mDir = std::make_unique<QTemporaryDir>();
    const QString data = dataFolder(usersDatBytes(1, {Anna}));
    writeIni(HandheldRegistry::primaryOrganisation(), {{QStringLiteral("Core/Path"), data}});
    ScriptedPrompter prompter;
    const UserData users(prompter, testRegional(), HandheldRegistry(mDir->path()));
    QVERIFY(!users.prepareInstallFolder(0, prompter));
    KRIBED_VERIFY_PROMPTER(prompter);
    QSettings ini(HandheldRegistry(mDir->path()).iniFile(HandheldRegistry::primaryOrganisation()),
                  QSettings::IniFormat);
    QVERIFY(!ini.contains(QStringLiteral("HotSync Manager/Install3")));
}

void TestUserData::prepareWhenKeysVanished()
{
    mDir = std::make_unique<QTemporaryDir>();
    const QString data = dataFolder(usersDatBytes(1, {Anna}));
    writeIni(HandheldRegistry::primaryOrganisation(),
             {{QStringLiteral("Core/Path"), data}, {QStringLiteral("HotSync Manager/x"), 1}});
    ScriptedPrompter prompter;
    const UserData users(prompter, testRegional(), HandheldRegistry(mDir->path()));
    QVERIFY(QFile::remove(
        HandheldRegistry(mDir->path()).iniFile(HandheldRegistry::primaryOrganisation())));

    prompter.expect(QStringLiteral("Kribed"),
                    QStringLiteral("The Pilot DeskTop Software is not Correctly Installed"),
                    Icon::Error, Buttons::Ok, Answer::Ok);
    QVERIFY(!users.prepareInstallFolder(0, prompter));
    KRIBED_VERIFY_PROMPTER(prompter);
}

void TestUserData::prepareWithoutUsers()
{
    mDir = std::make_unique<QTemporaryDir>();
    const QString data = dataFolder(usersDatBytes(0, {}));
    writeIni(HandheldRegistry::primaryOrganisation(),
             {{QStringLiteral("Core/Path"), data}, {QStringLiteral("HotSync Manager/x"), 1}});
    ScriptedPrompter prompter;
    const UserData users(prompter, testRegional(), HandheldRegistry(mDir->path()));
    QVERIFY(!users.prepareInstallFolder(0, prompter));
    KRIBED_VERIFY_PROMPTER(prompter);
    QVERIFY(!QFileInfo::exists(data + QStringLiteral("//Install")));
    QSettings ini(HandheldRegistry(mDir->path()).iniFile(HandheldRegistry::primaryOrganisation()),
                  QSettings::IniFormat);
    QVERIFY(!ini.contains(QStringLiteral("HotSync Manager/Install0")));
}

void TestUserData::iniValuesAsWritten_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("dataFolder");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("lastUser");
    const QByteArray core = "[Core]\nPath=@data\n";
    QTest::newRow("comma in the last user name") << core + "[Preferences]\nLastUserName=Smith,J\n"
                                                 << u"Palm"_s << 3 << 2;
    QTest::newRow("comma in the path") << core + "[Preferences]\nLastUserName=Bert M\n"
                                       << u"Palm,Desk"_s << 3 << 1;
    QTest::newRow("backslash in the last user name") << core + "[Preferences]\nLastUserName=A\\B\n"
                                                     << u"Palm"_s << 4 << 3;
    QTest::newRow("quoted value") << core + "[Preferences]\nLastUserName=\"Smith,J\"\n"
                                  << u"Palm"_s << 3 << 2;
    QTest::newRow("CR LF, comments, blanks around the equals sign")
        << QByteArray("; desktop settings\r\n[Core]\r\nPath = @data \r\n\r\n[Preferences]\r\n"
                      "# last one\r\nLastUserName = Bert M\r\n")
        << u"Palm"_s << 3 << 1;
    QTest::newRow("group name as Qt writes it") << core
                                                       + "[Preferences]\nLastUserName=Smith,J\n"
                                                         "[HotSync%20Manager]\nInstall3=0\n"
                                                << u"Palm"_s << 3 << 2;
}

// The desktop software's values are read as they stand: a comma is part of a name or path.
void TestUserData::iniValuesAsWritten()
{
    QFETCH(QByteArray, ini);
    QFETCH(QString, dataFolder);
    QFETCH(int, count);
    QFETCH(int, lastUser);
    mDir = std::make_unique<QTemporaryDir>();
    const QString data = mDir->filePath(dataFolder);
    const QList<FixtureUser> written{Anna, Bert, {7, "Smith,J", "SmithJ"}, {9, "A\\B", "AB"}};
    QVERIFY(writeUsersDat(data, usersDatBytes(count, written)));
    writeRawIni(ini, data);
    ScriptedPrompter prompter;
    const UserData users(prompter, testRegional(), HandheldRegistry(mDir->path()));
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(users.desktopDataFolder(), data);
    QCOMPARE(users.count(), count);
    QCOMPARE(users.lastUserIndex(), lastUser);
}

void TestUserData::flagChangesOnlyItsKey_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    const QByteArray top = "; kept as it is\r\n[Core]\r\nPath=@data\r\nWinPath=C:\\Palm\\x\r\n\r\n";
    QTest::newRow("value replaced, blanks and CR LF kept")
        << top + "[HotSync Manager]\r\nInstall3 = 0 \r\nOther=a,b\r\n"
        << top + "[HotSync Manager]\r\nInstall3 = 1 \r\nOther=a,b\r\n";
    QTest::newRow("key added at the end of its group")
        << QByteArray("[HotSync Manager]\nInstall9=1\n\n; users\n[Preferences]\nLastUserName=Anna\n"
                      "[Core]\nPath=@data\n")
        << QByteArray("[HotSync Manager]\nInstall9=1\nInstall3=1\n\n; users\n[Preferences]\n"
                      "LastUserName=Anna\n[Core]\nPath=@data\n");
    QTest::newRow("group at the end without a line break")
        << QByteArray("[Core]\nPath=@data\n[HotSync%20Manager]")
        << QByteArray("[Core]\nPath=@data\n[HotSync%20Manager]\nInstall3=1\n");
}

// Raising the install flag changes that one value; comments, order and every other value stay
// byte for byte.
void TestUserData::flagChangesOnlyItsKey()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    mDir = std::make_unique<QTemporaryDir>();
    const QString data = dataFolder(usersDatBytes(1, {Anna}));
    const QString ini = writeRawIni(before, data);
    after.replace("@data", data.toUtf8());
    ScriptedPrompter prompter;
    const UserData users(prompter, testRegional(), HandheldRegistry(mDir->path()));
    QVERIFY(users.prepareInstallFolder(0, prompter));
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(readBytes(ini), after);
    QCOMPARE(stateOf(QFileInfo(ini).path()).size(), 1);
}

void TestUserData::flagWriteFailures_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("error");
    for (CallKind kind : allCallKinds()) {
        for (int error : injectedErrors())
            QTest::addRow("%s, errno %d", qPrintable(callKindName(kind)), error)
                << int(kind) << error;
    }
}

// Any failed call while the flag is raised fails the preparation, without a message, and leaves
// the settings file as it was.
void TestUserData::flagWriteFailures()
{
    QFETCH(int, kind);
    QFETCH(int, error);
    mDir = std::make_unique<QTemporaryDir>();
    const QString data = dataFolder(usersDatBytes(1, {Anna}));
    const QByteArray before = "[Core]\nPath=@data\n[HotSync Manager]\nInstall3=0\n";
    const QString ini = writeRawIni(before, data);
    ScriptedPrompter prompter;
    const UserData users(prompter, testRegional(), HandheldRegistry(mDir->path()));
    SaveCase flagCase;
    flagCase.folder = QFileInfo(ini).path();
    flagCase.setUp = [&] { writeRawIni(before, data); };
    flagCase.run = [&] { return users.prepareInstallFolder(0, prompter).has_value(); };
    flagCase.afterRun = [&](bool) { return prompter.failures(); };
    const QString problem = sweepFaults(flagCase, CallKind(kind), error);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    QVERIFY(readBytes(ini).endsWith("Install3=1\n"));
}

// A settings file reached through a link is changed where it lies; the link stays.
void TestUserData::flagThroughLink()
{
    mDir = std::make_unique<QTemporaryDir>();
    const QString data = dataFolder(usersDatBytes(1, {Anna}));
    const QString ini = writeRawIni("[Core]\nPath=@data\n[HotSync Manager]\n", data);
    const QString real = mDir->filePath(QStringLiteral("real.ini"));
    QVERIFY(QFile::rename(ini, real));
    QVERIFY(QFile::link(real, ini));
    ScriptedPrompter prompter;
    const UserData users(prompter, testRegional(), HandheldRegistry(mDir->path()));
    QVERIFY(users.prepareInstallFolder(0, prompter));
    QCOMPARE(QFileInfo(ini).symLinkTarget(), real);
    QVERIFY(readBytes(real).endsWith("[HotSync Manager]\nInstall3=1\n"));
}

QTEST_GUILESS_MAIN(TestUserData)
#include "tst_user_data.moc"
