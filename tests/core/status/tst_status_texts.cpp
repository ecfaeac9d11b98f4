// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "literal_texts.h"
#include "core/model/database.h"
#include "core/model/regional.h"
#include "core/platform/code_page.h"
#include "core/platform/recent_files.h"
#include "core/status/status_texts.h"
#include "core/platform/user_list.h"

#include <QTest>

using namespace kribed;
using kribed::test::Texts;

namespace {

RecentFiles::Slots MakeSlots(const QStringList &paths)
{
    RecentFiles::Slots slots;
    for (int i = 0; i < paths.size() && i < RecentFileCount; ++i)
        slots[i] = paths[i];
    return slots;
}

class FixedUsers : public UserList
{
public:
    FixedUsers(QStringList folders, QString desktop)
        : mFolders(std::move(folders)), mDesktop(std::move(desktop)) {}
    int Count() const override { return int(mFolders.size()); }
    int LastUserIndex() const override { return 0; }
    QString UserName(int index) const override { return mFolders.value(index); }
    QString UserFolder(int index) const override { return mFolders.value(index); }
    QString DesktopDataFolder() const override { return mDesktop; }

private:
    QStringList mFolders;
    QString mDesktop;
};

} // namespace

class TestStatusTexts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        SetCurrentRegional(Regional(QLocale(QStringLiteral("en_US"))));
    }

    void addRecentFile_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("added");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<bool>("changed");
        const QStringList five = Texts({"/e.pdb", "/d.pdb", "/c.pdb", "/b.pdb", "/a.pdb"});
        QTest::newRow("first file into an empty list")
            << QStringList{} << "/a.pdb" << Texts({"/a.pdb", "", "", "", ""}) << true;
        QTest::newRow("file already at place 3 keeps the order")
            << five << "/c.pdb" << five << false;
        QTest::newRow("sixth file drops the oldest")
            << five << "/f.pdb" << Texts({"/f.pdb", "/e.pdb", "/d.pdb", "/c.pdb", "/b.pdb"}) << true;
        QTest::newRow("letter case makes a different file")
            << Texts({"/data/Kunden.pdb"}) << "/data/kunden.pdb"
            << Texts({"/data/kunden.pdb", "/data/Kunden.pdb", "", "", ""}) << true;
        QTest::newRow("empty first slot is pushed down like any other")
            << Texts({"", "/b.pdb"}) << "/n.pdb" << Texts({"/n.pdb", "", "/b.pdb", "", ""}) << true;
    }

    void addRecentFile()
    {
        QFETCH(QStringList, before);
        QFETCH(QString, added);
        QFETCH(QStringList, after);
        QFETCH(bool, changed);
        RecentFiles recent(MakeSlots(before));
        QCOMPARE(recent.Add(added), changed);
        QStringList actual;
        for (const QString &path : recent.All())
            actual << path;
        QCOMPARE(actual, after);
    }

    void menuCaption_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("caption");
        QTest::newRow("folder and extension dropped") << "/home/u/Kunden.pdb" << 0 << "&1  Kunden";
        QTest::newRow("only the last extension dropped") << "/x/Adr.2023.pdb" << 2 << "&3  Adr.2023";
        QTest::newRow("windows folder separators") << "C:\\Palm\\Smith J\\Lager.PDB" << 4 << "&5  Lager";
        QTest::newRow("no extension") << "/x/Notes" << 1 << "&2  Notes";
        QTest::newRow("ampersand shown, not an access key") << "/x/A&B.pdb" << 0 << "&1  A&&B";
    }

    void menuCaption()
    {
        QFETCH(QString, path);
        QFETCH(int, slot);
        QFETCH(QString, caption);
        RecentFiles::Slots slots;
        slots[slot] = path;
        QCOMPARE(RecentFiles(slots).MenuCaption(slot), caption);
    }

    void statusPanels()
    {
        Database database;
        database.SetShape(5, 120);
        database.SetName("Kunden");
        database.SetFilePath(QStringLiteral("/data/Kunden.pdb"));
        database.SetModificationTime(QDateTime(QDate(2024, 3, 9), QTime(14, 5)));
        StatusPanels panels = StatusPanelTexts(database, 2, 3, {}, CurrentRegional());
        QCOMPARE(panels[0], QStringLiteral("R3 of 120"));
        QCOMPARE(panels[1], QStringLiteral("C2 of 5"));
        QCOMPARE(panels[2] + panels[3] + panels[4], QString());
        QCOMPARE(panels[5], QStringLiteral("3/9/2024"));
        QCOMPARE(panels[6], QStringLiteral("/data/Kunden.pdb "));

        database.SetModified();
        panels = StatusPanelTexts(database, 5, 120, {true, true, true}, CurrentRegional());
        QCOMPARE(panels[2] + panels[3] + panels[4], QStringLiteral("AFS"));
        QCOMPARE(panels[6], QStringLiteral("/data/Kunden.pdb +"));
        QCOMPARE(WindowCaption(database, CurrentRegional()), QStringLiteral("Kunden - Kribed PRO"));
        database.SetName({});
        QCOMPARE(WindowCaption(database, CurrentRegional()), QStringLiteral("Kribed PRO"));
    }

    void codePageOfCharSet_data()
    {
        QTest::addColumn<int>("charSet");
        QTest::addColumn<QByteArray>("codePage");
        QTest::newRow("ANSI") << 0 << QByteArray("windows-1252");
        QTest::newRow("default") << 1 << QByteArray("windows-1252");
        QTest::newRow("eastern europe") << 238 << QByteArray("windows-1250");
        QTest::newRow("cyrillic") << 204 << QByteArray("windows-1251");
        QTest::newRow("japanese") << 128 << QByteArray("Shift_JIS");
        QTest::newRow("thai") << 222 << QByteArray("windows-874");
        QTest::newRow("symbol set falls back") << 2 << QByteArray("windows-1252");
    }

    void codePageOfCharSet()
    {
        QFETCH(int, charSet);
        QFETCH(QByteArray, codePage);
        QCOMPARE(CodePageForCharSet(charSet), codePage);
    }

    void encodeWithQuestionMarks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("codePage");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("all held") << QString::fromUtf8("Müller €") << QByteArray("windows-1252")
                                  << QByteArray("M\xfcller \x80");
        QTest::newRow("cyrillic letter in western page")
            << QString::fromUtf8("aЖb") << QByteArray("windows-1252") << QByteArray("a?b");
        QTest::newRow("character beyond 16 bits is one mark")
            << QString::fromUtf8("x😀y") << QByteArray("windows-1252") << QByteArray("x?y");
        QTest::newRow("double-byte page marks with '?' too")
            << QString::fromUtf8("aЖ€") << QByteArray("Shift_JIS") << QByteArray("a\x84\x47?");
        QTest::newRow("cyrillic page") << QString::fromUtf8("Жä") << QByteArray("windows-1251")
                                       << QByteArray("\xc6?");
    }

    void encodeWithQuestionMarks()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, codePage);
        QFETCH(QByteArray, bytes);
        QCOMPARE(EncodeOrQuestionMark(text, codePage), bytes);
    }

    void startingFolder_data()
    {
        QTest::addColumn<bool>("initialDir");
        QTest::addColumn<QStringList>("folders");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("folder");
        QTest::newRow("selected user's backup folder")
            << true << Texts({"Smith J"}) << 0 << "/palm/Smith J/backup";
        QTest::newRow("setting off") << false << Texts({"Smith J"}) << 0 << "";
        QTest::newRow("no user known") << true << QStringList{} << 0 << "";
        QTest::newRow("user without folder name") << true << Texts({""}) << 0 << "";
        QTest::newRow("second user") << true << Texts({"A", "B"}) << 1 << "/palm/B/backup";
    }

    void startingFolder()
    {
        QFETCH(bool, initialDir);
        QFETCH(QStringList, folders);
        QFETCH(int, selected);
        QFETCH(QString, folder);
        const FixedUsers users(folders, QStringLiteral("/palm"));
        QCOMPARE(StartingFolder(initialDir, users, selected), folder);
    }
};

QTEST_GUILESS_MAIN(TestStatusTexts)
#include "tst_status_texts.moc"
