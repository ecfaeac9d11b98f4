// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
//
// SQLite files that try the import: views without end, values of gigabytes, views SQLite cannot
// run, odd column names and side tables no export of ours wrote.
#include "core/exchange/sqlite_exchange.h"
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/limits.h"
#include "core/model/pdb_writer.h"
#include "core/model/regional.h"
#include "core/platform/prompter.h"
#include "scripted_prompter.h"
#include "text_export_helpers.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sqlite3.h>

using namespace kribed;
using namespace kribed::test;

namespace {

const Regional &german()
{
    static const Regional regional(QLocale(QStringLiteral("de_DE")));
    return regional;
}

bool runSql(const QString &path, const QByteArray &sql)
{
    sqlite3 *connection = nullptr;
    const bool done =
        sqlite3_open(QFile::encodeName(path).constData(), &connection) == SQLITE_OK
        && sqlite3_exec(connection, sql.constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(connection);
    return done;
}

// A table t of the numbers 1 to 200 in column x.
const QByteArray Numbers = "CREATE TABLE t (x INTEGER);"
                           "WITH RECURSIVE n(v) AS (SELECT 1 UNION ALL SELECT v + 1 FROM n "
                           "WHERE v < 200) INSERT INTO t SELECT v FROM n;";

Database untouched()
{
    Database database;
    database.setName("Alt");
    fill(database, People);
    return database;
}

// A file of our export with a popup list of field 1.
QString exported(const QTemporaryDir &folder)
{
    const QString path = folder.filePath(QStringLiteral("ex.sqlite"));
    Database original;
    original.setName("Ex");
    fill(original, {{"Farbe", "Nr"}, {"Rot", "1"}});
    original.setFieldType(1, NormalPopupType);
    original.popupList(1) = {"Rot", "Blau", "Gr\xfcn"};
    ScriptedPrompter prompter;
    return exportSqliteFile(path, original, prompter, german()) == ExchangeResult::Done ? path
                                                                                        : QString();
}

} // namespace

class TestSqliteImportHostile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void viewsAreNeverCounted_data();
    void viewsAreNeverCounted();
    void slowReadingCanBeCancelled();
    void longValuesAreNeverMadeWhole_data();
    void longValuesAreNeverMadeWhole();
    void errorsNameTheirCause_data();
    void errorsNameTheirCause();
    void columnNamesBecomeDistinctFieldNames();
    void brokenPopupItemsAreLeftOut_data();
    void brokenPopupItemsAreLeftOut();
    void widthsAreClamped_data();
    void widthsAreClamped();
};

void TestSqliteImportHostile::viewsAreNeverCounted_data()
{
    QTest::addColumn<QByteArray>("view");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QByteArray>("last"); // the last record's first cell; empty: cancelled

    const QByteArray endless = "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n) "
                               "SELECT x FROM n";
    QTest::newRow("endless view, OK") << endless << 1 << int(Answer::Ok) << QByteArray("9999");
    QTest::newRow("endless view, Cancel") << endless << 1 << int(Answer::Cancel) << QByteArray();
    QTest::newRow("cross join of 200 rows four times")
        << QByteArray("SELECT a.x AS a, b.x AS b, c.x AS c, d.x AS d FROM t a, t b, t c, t d") << 4
        << int(Answer::Ok) << QByteArray("1");
}

// A view may never end, or have billions of rows: the import reads the rows a database holds and
// one more, and asks without counting the rest.
void TestSqliteImportHostile::viewsAreNeverCounted()
{
    QFETCH(QByteArray, view);
    QFETCH(int, columns);
    QFETCH(int, answer);
    QFETCH(QByteArray, last);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("v.db"));
    QVERIFY(runSql(path, Numbers + "CREATE VIEW v AS " + view));
    Database database = untouched();
    ScriptedPrompter prompter;
    prompter.expect(QStringLiteral("Information"),
                    QStringLiteral("The view has %1 columns and more than 9999 rows; a database "
                                   "holds at most 50 fields and 9999 records.\rImport the first "
                                   "ones?")
                        .arg(columns),
                    Icon::Warning, Buttons::OkCancel, Answer(answer));
    QElapsedTimer timer;
    timer.start();
    const ExchangeResult result =
        importSqliteFile(path, QStringLiteral("v"), database, prompter, german());
    QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
    KRIBED_VERIFY_PROMPTER(prompter);
    if (last.isEmpty()) {
        QCOMPARE(result, ExchangeResult::Cancelled);
        QCOMPARE(database.name(), QByteArray("Alt"));
        return;
    }
    QCOMPARE(result, ExchangeResult::Done);
    QCOMPARE(database.fieldCount(), columns);
    QCOMPARE(database.recordCount(), MaxRecords);
    QCOMPARE(database.cell(1, MaxRecords), last);
}

// A view that sorts millions of rows before its first one: the progress is asked while SQLite
// works, and a No stops the reading at once and changes nothing.
void TestSqliteImportHostile::slowReadingCanBeCancelled()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("slow.db"));
    QVERIFY(runSql(path, Numbers
                             + "CREATE VIEW slow AS SELECT a.x * b.x - c.x AS y FROM t a, t b, t c "
                               "ORDER BY y"));
    Database database = untouched();
    ScriptedPrompter prompter;
    int asked = 0;
    const SqliteProgress progress = [&](int records) {
        if (records != 0)
            return true;
        return ++asked < 3;
    };
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(importSqliteFile(path, QStringLiteral("slow"), database, prompter, german(), progress),
             ExchangeResult::Cancelled);
    QVERIFY2(timer.elapsed() < 2000, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(asked, 3);
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(database.name(), QByteArray("Alt"));

    // Told that all is well, the same progress lets a small table be read whole.
    QVERIFY(runSql(path, "CREATE TABLE small (a); INSERT INTO small VALUES (1), (2)"));
    QCOMPARE(importSqliteFile(path, QStringLiteral("small"), database, prompter, german(),
                              [](int) { return true; }),
             ExchangeResult::Done);
    QCOMPARE(database.recordCount(), 2);
}

void TestSqliteImportHostile::longValuesAreNeverMadeWhole_data()
{
    QTest::addColumn<QByteArray>("value"); // SQL
    QTest::addColumn<QString>("message");
    QTest::addColumn<QByteArray>("cell"); // empty with an Error message: not imported

    const QString tooLong =
        QStringLiteral("\"v\" holds a value longer than 16 MB, which cannot be read.");
    QTest::newRow("zero-filled BLOB of a gigabyte")
        << QByteArray("zeroblob(999999999)") << tooLong << QByteArray();
    // printf('%.999999999c') alone takes SQLite half a minute, whatever the limit: a text that
    // grows past the limit is refused as soon as it does.
    QTest::newRow("text of a gigabyte")
        << QByteArray("replace(printf('%.1000c', 'x'), 'x', printf('%.1000000c', 'y'))") << tooLong
        << QByteArray();
    QTest::newRow("zero-filled BLOB of 10 MB")
        << QByteArray("zeroblob(10000000)")
        << QStringLiteral("1 value was binary data (BLOB) of more than 1998 bytes*")
        << QByteArray();
    QTest::newRow("text of 10 MB")
        << QByteArray("printf('%.10000000c', 'x')")
        << QStringLiteral("1 value was longer than 4000 bytes and has been cut to its first 4000 "
                          "bytes.")
        << QByteArray(MaxValueBytes, 'x');
}

// No value longer than a cell holds is copied whole: SQLite makes none over 16 MB, the size of a
// BLOB is asked before it is read, and a text is read no further than a cell can hold.
void TestSqliteImportHostile::longValuesAreNeverMadeWhole()
{
    QFETCH(QByteArray, value);
    QFETCH(QString, message);
    QFETCH(QByteArray, cell);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("big.db"));
    QVERIFY(runSql(path, "CREATE VIEW v AS SELECT 'a' AS a, " + value + " AS b"));
    const bool refused = message.startsWith(u'"');
    Database database = untouched();
    ScriptedPrompter prompter;
    prompter.expect(refused ? QStringLiteral("Error") : QStringLiteral("Information"), message,
                    refused ? Icon::Error : (cell.isEmpty() ? Icon::Information : Icon::Warning),
                    Buttons::Ok, Answer::Ok);
    QElapsedTimer timer;
    timer.start();
    const ExchangeResult result =
        importSqliteFile(path, QStringLiteral("v"), database, prompter, german());
    QVERIFY2(timer.elapsed() < 3000, qPrintable(QString::number(timer.elapsed())));
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(result, refused ? ExchangeResult::Failed : ExchangeResult::Done);
    QCOMPARE(database.name(), refused ? QByteArray("Alt") : QByteArray("big"));
    if (!refused)
        QCOMPARE(database.cell(2, 1), cell);
}

void TestSqliteImportHostile::errorsNameTheirCause_data()
{
    QTest::addColumn<QByteArray>("sql");
    QTest::addColumn<QString>("message");
    QTest::newRow("view over a dropped table")
        << QByteArray("CREATE TABLE t (a); CREATE VIEW v AS SELECT a FROM t; DROP TABLE t")
        << QStringLiteral("SQLite cannot read the table or view \"v\": no such table: main.t");
    QTest::newRow("view of a function SQLite lacks")
        << QByteArray("CREATE TABLE t (a); CREATE VIEW v AS SELECT a FROM t;"
                      "PRAGMA writable_schema = ON;"
                      "UPDATE sqlite_master SET sql = 'CREATE VIEW v AS SELECT nosuch(a) FROM t' "
                      "WHERE name = 'v'")
        << QStringLiteral("SQLite cannot read the table or view \"v\": no such function: nosuch");
    QTest::newRow("view that fails while it runs")
        << QByteArray("CREATE VIEW v AS SELECT json('{') AS a")
        << QStringLiteral("SQLite cannot read the table or view \"v\": malformed JSON");
}

void TestSqliteImportHostile::errorsNameTheirCause()
{
    QFETCH(QByteArray, sql);
    QFETCH(QString, message);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("e.db"));
    QVERIFY(runSql(path, sql));
    Database database = untouched();
    ScriptedPrompter prompter;
    prompter.expect(QStringLiteral("Error"), message, Icon::Error, Buttons::Ok, Answer::Ok);
    QCOMPARE(importSqliteFile(path, QStringLiteral("v"), database, prompter, german()),
             ExchangeResult::Failed);
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(database.name(), QByteArray("Alt"));
}

// Field names hold 20 characters: a longer column name is cut first and then made distinct, and
// an empty one gets a name.
void TestSqliteImportHostile::columnNamesBecomeDistinctFieldNames()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("n.db"));
    QVERIFY(runSql(path,
                   "CREATE TABLE t (\"Spaltenname_sehr_lang_1\", \"Spaltenname_sehr_lang_2\", "
                   "\"\", \"field 3\", \"Straße mit Hausnummer\")"));
    Database database;
    ScriptedPrompter prompter;
    QCOMPARE(importSqliteFile(path, QStringLiteral("t"), database, prompter, german()),
             ExchangeResult::Done);
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(database.fieldCount(), 5);
    const QList<QByteArray> names = {database.fieldName(1), database.fieldName(2),
                                     database.fieldName(3), database.fieldName(4),
                                     database.fieldName(5)};
    QCOMPARE(names, (QList<QByteArray>{"Spaltenname_sehr_lan", "Spaltenname_sehr (2)", "Field 3",
                                       "field 3 (2)",
                                       "Stra\xdf"
                                       "e mit Hausnumme"}));
}

void TestSqliteImportHostile::brokenPopupItemsAreLeftOut_data()
{
    QTest::addColumn<QByteArray>("items"); // SQL: what replaces the items 2 and 3
    QTest::addColumn<QString>("message");
    QTest::addColumn<QList<QByteArray>>("list");

    const QString header = QStringLiteral("\"popupa\" can't be a popup entry: Kribo would take "
                                          "it for the start of a popup list.");
    QTest::newRow("a header") << QByteArray("'popupa', 'Gelb'")
                              << header + QStringLiteral("\rThe popup entry has been left out.")
                              << QList<QByteArray>{"Rot", "Gelb"};
    QTest::newRow("a header of field 27")
        << QByteArray("'Gelb', 'popupA'")
        << QString(header).replace(QStringLiteral("popupa"), QStringLiteral("popupA"))
               + QStringLiteral("\rThe popup entry has been left out.")
        << QList<QByteArray>{"Rot", "Gelb"};
    QTest::newRow("empty and NULL")
        << QByteArray("'', NULL")
        << QStringLiteral("2 popup entries were empty or held a NUL character: they would end "
                          "the popup lists when the database is read.\rThe popup entries have "
                          "been left out.")
        << QList<QByteArray>{"Rot"};
    QTest::newRow("a NUL and a header")
        << QByteArray("'a' || char(0) || 'popupb', 'popupb'")
        << QString(header).replace(QStringLiteral("popupa"), QStringLiteral("popupb"))
               + QStringLiteral("\r1 popup entry was empty or held a NUL character: it would end "
                                "the popup lists when the database is read.\rThe popup entries "
                                "have been left out.")
        << QList<QByteArray>{"Rot"};
}

// An item that reads as the header of a popup list would split the lists when the saved file is
// read, an empty one would end them: such items are left out and told of, and the database saves
// with every other item.
void TestSqliteImportHostile::brokenPopupItemsAreLeftOut()
{
    QFETCH(QByteArray, items);
    QFETCH(QString, message);
    QFETCH(QList<QByteArray>, list);
    QTemporaryDir folder;
    const QString path = exported(folder);
    QVERIFY(!path.isEmpty());
    QVERIFY(runSql(path, "UPDATE kribo_popup_items SET text = " + items.left(items.indexOf(", "))
                             + " WHERE item_position = 2; UPDATE kribo_popup_items SET text = "
                             + items.mid(items.indexOf(", ") + 2) + " WHERE item_position = 3"));
    Database database;
    ScriptedPrompter prompter;
    prompter.expect(QStringLiteral("Information"), message, Icon::Warning, Buttons::Ok, Answer::Ok);
    QCOMPARE(importSqliteFile(path, QStringLiteral("Ex"), database, prompter, german()),
             ExchangeResult::Done);
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(database.popupList(1), list);
    QBuffer file;
    file.open(QIODevice::WriteOnly);
    QVERIFY(writeDatabase(file, database, 1, QDateTime::currentDateTime(), prompter));
    KRIBED_VERIFY_PROMPTER(prompter);
}

void TestSqliteImportHostile::widthsAreClamped_data()
{
    QTest::addColumn<QByteArray>("width");
    QTest::addColumn<int>("units");
    QTest::newRow("largest int") << QByteArray("2147483647") << MaxFieldWidthUnits;
    QTest::newRow("beyond 32 bits") << QByteArray("99999999999") << MaxFieldWidthUnits;
    QTest::newRow("301") << QByteArray("301") << MaxFieldWidthUnits;
    QTest::newRow("300") << QByteArray("300") << 300;
    QTest::newRow("1") << QByteArray("1") << 1;
}

// kribo_fields may say anything: a width beyond what a field can have becomes the widest one.
void TestSqliteImportHostile::widthsAreClamped()
{
    QFETCH(QByteArray, width);
    QFETCH(int, units);
    QTemporaryDir folder;
    const QString path = exported(folder);
    QVERIFY(!path.isEmpty());
    QVERIFY(runSql(path, "UPDATE kribo_fields SET width = " + width + " WHERE position = 1"));
    Database database;
    ScriptedPrompter prompter;
    QCOMPARE(importSqliteFile(path, QStringLiteral("Ex"), database, prompter, german()),
             ExchangeResult::Done);
    QCOMPARE(database.widthUnits(1), units);
}

QTEST_GUILESS_MAIN(TestSqliteImportHostile)
#include "tst_sqlite_import_hostile.moc"
