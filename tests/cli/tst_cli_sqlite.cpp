// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
//
// kribed-cli's exchange with SQLite databases: export --type sqlite, import --type sqlite --table.
#include "cli_test_helpers.h"
#include "../core/exchange/sqlite_test_helpers.h"

#include <QFileInfo>

#include <sqlite3.h>

using namespace kribed::test;
using namespace Qt::Literals::StringLiterals;

class TestCliSqlite : public CliTestCase
{
    Q_OBJECT

private Q_SLOTS:
    void init() { setUpFolder(); }

    void exportWritesTypedTable();
    void exportTellsOfKeptTexts();
    void exportReplacesWithBackup();
    void exportToMissingFolderFails();
    void roundTripGivesTheSameDatabase();
    void importChoosesTheTable_data();
    void importChoosesTheTable();
    void importOfDamagedFileFails();
    void importAsksBeforeLosingCharacters_data();
    void importAsksBeforeLosingCharacters();
    void usageErrors_data();
    void usageErrors();
};

void TestCliSqlite::exportWritesTypedTable()
{
    const QString out = pathOf(u"out.sqlite"_s);
    const CliRun run = runCli({u"export"_s, u"--type"_s, u"sqlite"_s, pathOf(u"Stock.pdb"_s), out});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, "Wrote " + out.toUtf8() + '\n');
    QCOMPARE(run.err, QString());
    QCOMPARE(queryRows(out, "SELECT rowid, Name, Age FROM Stock"),
             (QStringList{u"integer:1 | text:Ann | integer:30"_s,
                          u"integer:2 | text:Bob | integer:41"_s}));
}

void TestCliSqlite::exportTellsOfKeptTexts()
{
    const QByteArray bytes = PdbBuilder()
                                 .name("Stock")
                                 .field("Name")
                                 .field("Age", 0x0008, 40)
                                 .record({"Ann", "30"})
                                 .record({"Bob", "forty"})
                                 .build();
    writeTestFile(u"Words.pdb"_s, bytes);
    const CliRun run = runCli(
        {u"export"_s, u"--type"_s, u"sqlite"_s, pathOf(u"Words.pdb"_s), pathOf(u"w.sqlite"_s)});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, u"Export: 1 cell did not convert to its field's type and was kept as "
                      "text:\nAge, record 2: forty\n"_s);
}

void TestCliSqlite::exportReplacesWithBackup()
{
    writeTestFile(u"out.sqlite"_s, "previous");
    const CliRun run = runCli({u"export"_s, u"--type"_s, u"sqlite"_s, pathOf(u"Stock.pdb"_s),
                               pathOf(u"out.sqlite"_s)});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(readAll(pathOf(u"out.sqlit_"_s)), QByteArray("previous"));
    QCOMPARE(queryRows(pathOf(u"out.sqlite"_s), "SELECT count(*) FROM Stock"),
             QStringList{u"integer:2"_s});
}

void TestCliSqlite::exportToMissingFolderFails()
{
    const CliRun run = runCli({u"export"_s, u"--type"_s, u"sqlite"_s, pathOf(u"Stock.pdb"_s),
                               pathOf(u"missing/out.sqlite"_s)});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(u"Error: There was an error in saving the file."_s),
             qPrintable(run.err));
}

// Exported under de_DE and imported again, the database dumps as it did, but for its file and
// the filter field, which every save writes as 0.
void TestCliSqlite::roundTripGivesTheSameDatabase()
{
    const QString sqlite = pathOf(u"rich.sqlite"_s);
    writeTestFile(u"Rich.pdb"_s, richFile(Layout::KriboPro));
    QCOMPARE(runCli({u"export"_s, u"--type"_s, u"sqlite"_s, u"--locale"_s, u"de_DE"_s,
                     pathOf(u"Rich.pdb"_s), sqlite})
                 .exitCode,
             0);
    const CliRun run = runCli({u"import"_s, u"--type"_s, u"sqlite"_s, u"--locale"_s, u"de_DE"_s,
                               sqlite, pathOf(u"Back.pdb"_s)});
    QCOMPARE(run.exitCode, 0);
    QJsonObject before = dumpJson(pathOf(u"Rich.pdb"_s));
    QJsonObject after = dumpJson(pathOf(u"Back.pdb"_s));
    for (const QString &key : {u"path"_s, u"modified"_s, u"extras"_s, u"appInfo"_s, u"filterField"_s}) {
        before.remove(key);
        after.remove(key);
    }
    QCOMPARE(after, before);
}

void TestCliSqlite::importChoosesTheTable_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("firstName"); // field 1 of the database written; empty: none
    QTest::newRow("the named table") << QStringList{u"--table"_s, u"b"_s} << 0 << u"y"_s;
    QTest::newRow("a view") << QStringList{u"--table"_s, u"v"_s} << 0 << u"x"_s;
    QTest::newRow("no such table") << QStringList{u"--table"_s, u"c"_s} << 1 << QString();
    QTest::newRow("several tables, none named") << QStringList() << 1 << QString();
}

void TestCliSqlite::importChoosesTheTable()
{
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    QFETCH(QString, firstName);
    const QString path = pathOf(u"two.db"_s);
    sqlite3 *connection = nullptr;
    QCOMPARE(sqlite3_open(QFile::encodeName(path).constData(), &connection), SQLITE_OK);
    QCOMPARE(sqlite3_exec(connection,
                          "CREATE TABLE a (x); CREATE TABLE b (y INTEGER); INSERT INTO b VALUES (7);"
                          "CREATE VIEW v AS SELECT x FROM a",
                          nullptr, nullptr, nullptr),
             SQLITE_OK);
    sqlite3_close(connection);
    const QString out = pathOf(u"out.pdb"_s);
    const CliRun run =
        runCli(QStringList{u"import"_s, u"--type"_s, u"sqlite"_s} + options + QStringList{path, out});
    QCOMPARE(run.exitCode, exitCode);
    if (firstName.isEmpty()) {
        QVERIFY(!QFile::exists(out));
        QVERIFY(!run.err.isEmpty());
        if (options.isEmpty())
            QCOMPARE(run.err, u"kribed-cli: choose a table with --table: a, b, v\n"_s);
        return;
    }
    const QJsonObject dump = dumpJson(out);
    QCOMPARE(dump.value(u"fields"_s).toArray().at(0).toObject().value(u"name"_s).toString(),
             firstName);
}

void TestCliSqlite::importOfDamagedFileFails()
{
    writeTestFile(u"bad.db"_s, QByteArray("SQLite format 3") + '\0' + QByteArray(5000, 'x'));
    const CliRun run = runCli({u"import"_s, u"--type"_s, u"sqlite"_s, u"--table"_s, u"t"_s,
                               pathOf(u"bad.db"_s), pathOf(u"out.pdb"_s)});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.err, u"Error: The file is no SQLite database that can be read: it is damaged or "
                      "encrypted.\n"_s);
    QVERIFY(!QFile::exists(pathOf(u"out.pdb"_s)));
}

void TestCliSqlite::importAsksBeforeLosingCharacters_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("without --yes") << QStringList() << 1;
    QTest::newRow("with --yes") << QStringList{u"--yes"_s} << 0;
}

// Characters the code page cannot hold, and bytes that are no UTF-8, become "?" only when the
// question is answered: without --yes nothing is written and the exit status says so.
void TestCliSqlite::importAsksBeforeLosingCharacters()
{
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    const QString path = pathOf(u"greek.db"_s);
    sqlite3 *connection = nullptr;
    QCOMPARE(sqlite3_open(QFile::encodeName(path).constData(), &connection), SQLITE_OK);
    QCOMPARE(sqlite3_exec(connection,
                          "CREATE TABLE t (Wort TEXT); INSERT INTO t VALUES ('Ωmega'), "
                          "(CAST(x'41ff' AS TEXT))",
                          nullptr, nullptr, nullptr),
             SQLITE_OK);
    sqlite3_close(connection);
    const QString out = pathOf(u"out.pdb"_s);
    const CliRun run = runCli(QStringList{u"import"_s, u"--type"_s, u"sqlite"_s} + options
                              + QStringList{path, out});
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.err.contains(u"1 character cannot be held by the code page windows-1252 and "
                              "will become \"?\": Ω (U+03A9)"_s),
             qPrintable(run.err));
    QVERIFY2(run.err.contains(u"1 byte of the text is not UTF-8"_s), qPrintable(run.err));
    QCOMPARE(QFile::exists(out), exitCode == 0);
    if (exitCode == 0)
        QCOMPARE(dumpJson(out).value(u"records"_s).toArray().at(0).toArray().at(0).toString(),
                 u"?mega"_s);
}

void TestCliSqlite::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("error");
    QTest::newRow("--table without sqlite")
        << QStringList{u"import"_s, u"--table"_s, u"t"_s, u"a.csv"_s, u"b.pdb"_s}
        << u"--table is for --type sqlite only."_s;
    QTest::newRow("--table for export")
        << QStringList{u"export"_s, u"--type"_s, u"sqlite"_s, u"--table"_s, u"t"_s, u"a.pdb"_s,
                       u"b.sqlite"_s}
        << u"option --table is not used by export."_s;
    QTest::newRow("append of SQLite")
        << QStringList{u"append"_s, u"--type"_s, u"sqlite"_s, u"a.pdb"_s, u"b.db"_s}
        << u"append reads separated text, not 'sqlite'."_s;
    QTest::newRow("--encoding with sqlite")
        << QStringList{u"export"_s, u"--type"_s, u"sqlite"_s, u"--encoding"_s, u"utf-8"_s,
                       u"a.pdb"_s, u"b.sqlite"_s}
        << u"--encoding is for --type csv, and for import and append of text."_s;
}

void TestCliSqlite::usageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, error);
    const CliRun run = runCli(arguments);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.startsWith(u"kribed-cli: "_s + error), qPrintable(run.err));
}

QTEST_MAIN(TestCliSqlite)
#include "tst_cli_sqlite.moc"
