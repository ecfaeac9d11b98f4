// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "core/model/regional.h"
#include "core/platform/code_page.h"
#include "core/platform/recent_files.h"
#include "core/platform/user_list.h"
#include "core/status/status_texts.h"
#include "literal_texts.h"
#include "test_regional.h"

#include <QTest>

using namespace kribed;
using kribed::test::testRegional;
using kribed::test::texts;

namespace {

RecentFiles::Slots makeSlots(const QStringList &paths)
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
        : mFolders(std::move(folders))
        , mDesktop(std::move(desktop))
    {
    }
    int count() const override { return int(mFolders.size()); }
    int lastUserIndex() const override { return 0; }
    QString userName(int index) const override { return mFolders.value(index); }
    QString userFolder(int index) const override { return mFolders.value(index); }
    QString desktopDataFolder() const override { return mDesktop; }

private:
    QStringList mFolders;
    QString mDesktop;
};

} // namespace

// The texts the core makes for the window: the recent-file menu captions, the status panels and the
// caption, the code page of a font's character set, and the folder the file dialogs start in.
class TestStatusTexts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void addRecentFile_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("added");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<bool>("changed");
        const QStringList five = texts({"/e.pdb", "/d.pdb", "/c.pdb", "/b.pdb", "/a.pdb"});
        QTest::newRow("first file into an empty list")
            << QStringList{} << "/a.pdb" << texts({"/a.pdb", "", "", "", ""}) << true;
        QTest::newRow("file already at place 3 keeps the order")
            << five << "/c.pdb" << five << false;
        QTest::newRow("sixth file drops the oldest")
            << five << "/f.pdb" << texts({"/f.pdb", "/e.pdb", "/d.pdb", "/c.pdb", "/b.pdb"})
            << true;
        QTest::newRow("letter case makes a different file")
            << texts({"/data/Kunden.pdb"}) << "/data/kunden.pdb"
            << texts({"/data/kunden.pdb", "/data/Kunden.pdb", "", "", ""}) << true;
        QTest::newRow("empty first slot is pushed down like any other")
            << texts({"", "/b.pdb"}) << "/n.pdb" << texts({"/n.pdb", "", "/b.pdb", "", ""}) << true;
    }

    void addRecentFile()
    {
        QFETCH(QStringList, before);
        QFETCH(QString, added);
        QFETCH(QStringList, after);
        QFETCH(bool, changed);
        RecentFiles recent(makeSlots(before));
        QCOMPARE(recent.add(added), changed);
        QStringList actual;
        for (const QString &path : recent.all())
            actual << path;
        QCOMPARE(actual, after);
    }

    void menuCaption_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("caption");
        QTest::newRow("folder and extension dropped") << "/home/u/Kunden.pdb" << 0 << "&1  Kunden";
        QTest::newRow("only the last extension dropped")
            << "/x/Adr.2023.pdb" << 2 << "&3  Adr.2023";
        QTest::newRow("windows folder separators")
            << "C:\\Palm\\Smith J\\Lager.PDB" << 4 << "&5  Lager";
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
        QCOMPARE(RecentFiles(slots).menuCaption(slot), caption);
    }

    void statusPanels()
    {
        Database database;
        database.setShape(5, 120);
        database.setName("Kunden");
        database.setFilePath(QStringLiteral("/data/Kunden.pdb"));
        database.setModificationTime(QDateTime(QDate(2024, 3, 9), QTime(14, 5)));
        StatusPanels panels = statusPanelTexts(database, 2, 3, {}, testRegional());
        QCOMPARE(panels[0], QStringLiteral("R3 of 120"));
        QCOMPARE(panels[1], QStringLiteral("C2 of 5"));
        QCOMPARE(panels[2] + panels[3] + panels[4], QString());
        QCOMPARE(panels[5], QStringLiteral("3/9/2024"));
        QCOMPARE(panels[6], QStringLiteral("/data/Kunden.pdb "));

        database.setModified();
        panels = statusPanelTexts(database, 5, 120, {true, true, true}, testRegional());
        QCOMPARE(panels[2] + panels[3] + panels[4], QStringLiteral("AFS"));
        QCOMPARE(panels[6], QStringLiteral("/data/Kunden.pdb +"));
        QCOMPARE(windowCaption(database, testRegional()), QStringLiteral("Kunden - Kribed PRO"));
        database.setName({});
        QCOMPARE(windowCaption(database, testRegional()), QStringLiteral("Kribed PRO"));
    }

    void spokenStatusPanels_data()
    {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QDateTime>("time");
        QTest::addColumn<bool>("togglesOn");
        QTest::addColumn<QStringList>("spoken");
        const QDateTime march14(QDate(2026, 3, 14), QTime(9, 30));
        QTest::newRow("saved file, toggles off")
            << false << "/data/Stock.pdb" << march14 << false
            << texts({"Record 3 of 20", "Column 2 of 10", "Auto sizing off", "Filter off",
                      "Row sum off", "File date 3/14/2026", "/data/Stock.pdb"});
        QTest::newRow("changed file, toggles on")
            << true << "/data/Stock.pdb" << march14 << true
            << texts({"Record 3 of 20", "Column 2 of 10", "Auto sizing on", "Filter on",
                      "Row sum on", "File date 3/14/2026", "/data/Stock.pdb, changed"});
        QTest::newRow("new database: no date, no file")
            << true << "" << QDateTime() << false
            << texts({"Record 3 of 20", "Column 2 of 10", "Auto sizing off", "Filter off",
                      "Row sum off", "No file date", "Not saved to a file, changed"});
    }

    // What a screen reader says for each panel, where the panels show letters, a bare date and a
    // mark after the path.
    void spokenStatusPanels()
    {
        QFETCH(bool, modified);
        QFETCH(QString, path);
        QFETCH(QDateTime, time);
        QFETCH(bool, togglesOn);
        QFETCH(QStringList, spoken);
        Database database;
        database.setShape(10, 20);
        database.setFilePath(path);
        database.setModificationTime(time);
        if (modified)
            database.setModified();
        const StatusPanels panels = spokenStatusPanelTexts(
            database, 2, 3, {togglesOn, togglesOn, togglesOn}, testRegional());
        QCOMPARE(QStringList(panels.cbegin(), panels.cend()), spoken);
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
        QCOMPARE(codePageForCharSet(charSet), codePage);
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
        QTest::newRow("cyrillic page")
            << QString::fromUtf8("Жä") << QByteArray("windows-1251") << QByteArray("\xc6?");
    }

    void encodeWithQuestionMarks()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, codePage);
        QFETCH(QByteArray, bytes);
        QCOMPARE(encodeOrQuestionMark(text, codePage), bytes);
    }

    void startingFolder_data()
    {
        QTest::addColumn<bool>("initialDir");
        QTest::addColumn<QStringList>("folders");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("folder");
        QTest::newRow("selected user's backup folder")
            << true << texts({"Smith J"}) << 0 << "/palm/Smith J/backup";
        QTest::newRow("setting off") << false << texts({"Smith J"}) << 0 << "";
        QTest::newRow("no user known") << true << QStringList{} << 0 << "";
        QTest::newRow("user without folder name") << true << texts({""}) << 0 << "";
        QTest::newRow("second user") << true << texts({"A", "B"}) << 1 << "/palm/B/backup";
    }

    void startingFolder()
    {
        QFETCH(bool, initialDir);
        QFETCH(QStringList, folders);
        QFETCH(int, selected);
        QFETCH(QString, folder);
        const FixedUsers users(folders, QStringLiteral("/palm"));
        QCOMPARE(kribed::startingFolder(initialDir, users, selected), folder);
    }
};

QTEST_GUILESS_MAIN(TestStatusTexts)
#include "tst_status_texts.moc"
