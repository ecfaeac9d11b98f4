// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/sqlite_exchange.h"
#include "core/exchange/text_exchange.h"
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/limits.h"
#include "core/model/regional.h"
#include "core/platform/prompter.h"
#include "literal_texts.h"
#include "scripted_prompter.h"
#include "sqlite_test_helpers.h"
#include "test_regional.h"
#include "text_export_helpers.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sqlite3.h>

using namespace kribed;
using namespace kribed::test;

namespace {

Regional german()
{
    return Regional(QLocale(QStringLiteral("de_DE")));
}

// Runs the statements on a new or existing file; false when SQLite refused one.
bool runSql(const QString &path, const QByteArray &sql)
{
    sqlite3 *connection = nullptr;
    const bool done = sqlite3_open(QFile::encodeName(path).constData(), &connection) == SQLITE_OK
                      && sqlite3_exec(connection, sql.constData(), nullptr, nullptr, nullptr)
                             == SQLITE_OK;
    sqlite3_close(connection);
    return done;
}

// Answers every message with OK: for the export that makes a file to import.
class OkPrompter : public Prompter
{
public:
    Answer ask(const Message &) override { return Answer::Ok; }
};

// What an import that fails must leave: the database as it was.
Database untouched()
{
    Database database;
    database.setName("Alt");
    fill(database, People);
    return database;
}

const QString ReadError = QStringLiteral(
    "The file is no SQLite database that can be read: it is damaged or encrypted.");

} // namespace

class TestSqliteImport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTrip_data();
    void roundTrip();
    void roundTripOfAwkwardValues_data();
    void roundTripOfAwkwardValues();
    void roundTripKeepsTheDatabase();
    void foreignTable_data();
    void foreignTable();
    void emptyTableGivesOneRecord();
    void limits_data();
    void limits();
    void longValuesAreCut();
    void rowsOfUnevenTexts();
    void unreadableFiles_data();
    void unreadableFiles();
    void lockedFile();
    void tablesOfAFile();
};

void TestSqliteImport::roundTrip_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QByteArray>("cell");
    QTest::addColumn<QByteArray>("back"); // the cell after export and import under de_DE

    QTest::newRow("string") << int(StringType) << QByteArray("Ä \"q\" ; x") << QByteArray("Ä \"q\" ; x");
    QTest::newRow("string of digits") << int(StringType) << QByteArray("007") << QByteArray("007");
    QTest::newRow("line break") << int(StringType) << QByteArray("a\r\nb") << QByteArray("a\r\nb");
    QTest::newRow("empty") << int(StringType) << QByteArray() << QByteArray();
    QTest::newRow("boolean 1") << int(BooleanType) << QByteArray("1") << QByteArray("1");
    QTest::newRow("boolean 0") << int(BooleanType) << QByteArray("0") << QByteArray("0");
    QTest::newRow("boolean other") << int(BooleanType) << QByteArray("ja") << QByteArray("ja");
    QTest::newRow("integer") << int(NormalIntegerType) << QByteArray("-42") << QByteArray("-42");
    QTest::newRow("auto-increment") << int(AutoIncrementIntegerType) << QByteArray("12") << QByteArray("12");
    QTest::newRow("integer kept as text") << int(NormalIntegerType) << QByteArray("zwölf") << QByteArray("zwölf");
    QTest::newRow("float") << int(FloatType) << QByteArray("1520,5") << QByteArray("1520,5");
    QTest::newRow("float in its general form") << int(FloatType) << QByteArray("1520,50") << QByteArray("1520,5");
    QTest::newRow("float kept as text") << int(FloatType) << QByteArray("viel") << QByteArray("viel");
    QTest::newRow("date") << int(NormalDateType) << QByteArray("12.03.2019") << QByteArray("12.03.2019");
    QTest::newRow("modification date") << int(ModificationDateType) << QByteArray("01.01.2000") << QByteArray("01.01.2000");
    QTest::newRow("date kept as text") << int(CreationDateType) << QByteArray("bald") << QByteArray("bald");
    QTest::newRow("time") << int(NormalTimeType) << QByteArray("08:05:09") << QByteArray("08:05:09");
    QTest::newRow("time kept as text") << int(CreationTimeType) << QByteArray("mittags") << QByteArray("mittags");
    QTest::newRow("popup") << int(NormalPopupType) << QByteArray("Rot") << QByteArray("Rot");
    QTest::newRow("multiple popup") << int(MultiplePopupType) << QByteArray("Rot Blau") << QByteArray("Rot Blau");
}

// Our export read back: the same texts, the numbers, dates and times in the regional formats,
// the field's type and width.
void TestSqliteImport::roundTrip()
{
    QFETCH(int, type);
    QFETCH(QByteArray, cell);
    QFETCH(QByteArray, back);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("rund.sqlite"));
    Database original;
    original.setName("Rund");
    fill(original, {{"Wert", "Nr"}, {cell, "1"}});
    original.setFieldType(1, type);
    original.setColumnWidth(1, original.unitsToPixels(77));
    OkPrompter quiet;
    QCOMPARE(exportSqliteFile(path, original, quiet, german()), ExchangeResult::Done);

    Database database;
    ScriptedPrompter prompter;
    QCOMPARE(importSqliteFile(path, QStringLiteral("Rund"), database, prompter, german()),
             ExchangeResult::Done);
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(database.fieldCount(), 2);
    QCOMPARE(database.recordCount(), 1);
    QCOMPARE(database.cell(1, 1), back);
    QCOMPARE(database.fieldType(1), type);
    QCOMPARE(database.widthUnits(1), 77);
    QCOMPARE(database.name(), QByteArray("Rund"));
    QVERIFY(database.isModified());
}

void TestSqliteImport::roundTripOfAwkwardValues_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QByteArray>("cell");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("stored"); // as another program reads it from the file
    QTest::addColumn<bool>("kept");      // told of as kept as text
    QTest::addColumn<QByteArray>("back");

    const QString de = QStringLiteral("de_DE");
    const QString us = QStringLiteral("en_US");
    QTest::newRow("integer with leading zeros") << int(NormalIntegerType) << QByteArray("007") << us << QStringLiteral("text:007") << true << QByteArray("007");
    QTest::newRow("misplaced grouping under de_DE") << int(NormalIntegerType) << QByteArray("1.50") << de << QStringLiteral("text:1.50") << true << QByteArray("1.50");
    QTest::newRow("grouped 1.500 under de_DE is a number") << int(NormalIntegerType) << QByteArray("1.500") << de << QStringLiteral("integer:1500") << false << QByteArray("1500");
    QTest::newRow("float with a point under de_DE") << int(FloatType) << QByteArray("1.5") << de << QStringLiteral("text:1.5") << true << QByteArray("1.5");
    QTest::newRow("20-digit integer") << int(NormalIntegerType) << QByteArray("12345678901234567890") << us << QStringLiteral("text:12345678901234567890") << true << QByteArray("12345678901234567890");
    QTest::newRow("negative 20-digit integer") << int(AutoIncrementIntegerType) << QByteArray("-98765432109876543210") << us << QStringLiteral("text:-98765432109876543210") << true << QByteArray("-98765432109876543210");
    QTest::newRow("largest integer") << int(NormalIntegerType) << QByteArray("9223372036854775807") << us << QStringLiteral("integer:9223372036854775807") << false << QByteArray("9223372036854775807");
    QTest::newRow("2^53 + 1") << int(NormalIntegerType) << QByteArray("9007199254740993") << us << QStringLiteral("integer:9007199254740993") << false << QByteArray("9007199254740993");
    QTest::newRow("integer with blanks") << int(NormalIntegerType) << QByteArray(" 12 ") << us << QStringLiteral("text: 12 ") << true << QByteArray(" 12 ");
    QTest::newRow("Boolean 2") << int(BooleanType) << QByteArray("2") << us << QStringLiteral("text:2") << true << QByteArray("2");
    QTest::newRow("Boolean 1") << int(BooleanType) << QByteArray("1") << us << QStringLiteral("integer:1") << false << QByteArray("1");
    QTest::newRow("pi") << int(FloatType) << QByteArray("3.141592653589793") << us << QStringLiteral("real:3.14159265358979") << false << QByteArray("3.141592653589793");
    QTest::newRow("pi under de_DE") << int(FloatType) << QByteArray("3,141592653589793") << de << QStringLiteral("real:3.14159265358979") << false << QByteArray("3,141592653589793");
    QTest::newRow("0.1") << int(FloatType) << QByteArray("0,1") << de << QStringLiteral("real:0.1") << false << QByteArray("0,1");
    QTest::newRow("1e300") << int(FloatType) << QByteArray("1e300") << us << QStringLiteral("real:1.0e+300") << false << QByteArray("1E300");
    QTest::newRow("beyond a double") << int(FloatType) << QByteArray("1e400") << us << QStringLiteral("text:1e400") << true << QByteArray("1e400");
    QTest::newRow("below the smallest double") << int(FloatType) << QByteArray("1e-400") << us << QStringLiteral("text:1e-400") << true << QByteArray("1e-400");
    QTest::newRow("-0 is the number 0") << int(FloatType) << QByteArray("-0") << us << QStringLiteral("real:0.0") << false << QByteArray("0");
    QTest::newRow("empty") << int(FloatType) << QByteArray() << us << QStringLiteral("null") << false << QByteArray();
    QTest::newRow("line breaks") << int(StringType) << QByteArray("a\r\nb\r\n") << us << QStringLiteral("text:a\r\nb\r\n") << false << QByteArray("a\r\nb\r\n");
    QTest::newRow("code-page characters") << int(StringType) << QByteArray("M\xfcller \x80 \xe9") << de << QStringLiteral("text:Müller € é") << false << QByteArray("M\xfcller \x80 \xe9");
    QTest::newRow("code-page characters kept in a number field") << int(FloatType) << QByteArray("\xbd \x80") << de << QStringLiteral("text:½ €") << true << QByteArray("\xbd \x80");
}

// A cell reaches the file as its type's value or, when it is none, as exactly its text: SQLite's
// column affinity must not turn it into a number. Read back, every value is the cell it was (a
// number in its shortest form).
void TestSqliteImport::roundTripOfAwkwardValues()
{
    QFETCH(int, type);
    QFETCH(QByteArray, cell);
    QFETCH(QString, locale);
    QFETCH(QString, stored);
    QFETCH(bool, kept);
    QFETCH(QByteArray, back);
    const Regional regional{QLocale(locale)};
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("werte.sqlite"));
    Database original;
    original.setName("Werte");
    fill(original, {{"Wert", "Zahl"}, {cell, "5"}, {"", "7"}});
    original.setFieldType(1, type);
    original.setFieldType(2, FloatType);
    ScriptedPrompter exporting;
    if (kept)
        exporting.expect(QStringLiteral("Export"), QStringLiteral("1 cell did not convert*"),
                         Icon::Information, Buttons::Ok, Answer::Ok);
    QCOMPARE(exportSqliteFile(path, original, exporting, regional), ExchangeResult::Done);
    KRIBED_VERIFY_PROMPTER(exporting);
    QCOMPARE(queryRows(path, "SELECT Wert FROM Werte WHERE rowid = 1"), QStringList{stored});
    // The numbers beside it stay numbers any SQLite program sums.
    QCOMPARE(queryRows(path, "SELECT sum(Zahl), typeof(Zahl) FROM Werte"),
             QStringList{QStringLiteral("real:12.0 | text:real")});

    Database database;
    ScriptedPrompter importing;
    QCOMPARE(importSqliteFile(path, QStringLiteral("Werte"), database, importing, regional),
             ExchangeResult::Done);
    KRIBED_VERIFY_PROMPTER(importing);
    QCOMPARE(database.cell(1, 1), back);
    QCOMPARE(database.fieldType(1), type);
}

void TestSqliteImport::roundTripKeepsTheDatabase()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("alles.db"));
    Database original;
    original.setName("Alles");
    fill(original, {{"", "Farbe", "farbe"}, {"a", "Rot", "x"}, {"b", "Blau", "y"}});
    original.setFieldType(2, NormalPopupType);
    original.popupList(2) = {"Rot", "Blau", "Grün"};
    original.setSecondarySortField(2);
    original.setTertiarySortField(3);
    original.setFilterField(2);
    original.setFilterText("Rot");
    original.flags() = {true, true, false, true};
    original.setIncrementAmount(3);
    ScriptedPrompter prompter;
    QCOMPARE(exportSqliteFile(path, original, prompter, german()), ExchangeResult::Done);

    Database database = untouched();
    QCOMPARE(importSqliteFile(path, QStringLiteral("Alles"), database, prompter, german()),
             ExchangeResult::Done);
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(database.fieldName(1), QByteArray());
    QCOMPARE(database.fieldName(3), QByteArray("farbe"));
    QCOMPARE(database.popupList(2), (QList<QByteArray>{"Rot", "Blau", "Grün"}));
    QVERIFY(database.popupList(1).isEmpty());
    QCOMPARE(database.cell(2, 2), QByteArray("Blau"));
    QCOMPARE(database.secondarySortField(), 2);
    QCOMPARE(database.tertiarySortField(), 3);
    QCOMPARE(database.filterField(), 2);
    QCOMPARE(database.filterText(), QByteArray("Rot"));
    QVERIFY(database.flags().isPrivate && database.flags().autoLock);
    QVERIFY(!database.flags().readOnly && database.flags().kriboFilter);
    QCOMPARE(database.incrementAmount(), 3);
    QVERIFY(!database.filterOn());
    QVERIFY(database.filePath().endsWith(QLatin1String("/alles.pdb")));
}

void TestSqliteImport::foreignTable_data()
{
    QTest::addColumn<QByteArray>("declared");
    QTest::addColumn<QByteArray>("value"); // SQL
    QTest::addColumn<int>("type");
    QTest::addColumn<QByteArray>("cell");
    QTest::addColumn<QString>("told"); // the caption and text of the message it gives, or empty

    const QString none;
    const QString loss = QStringLiteral("Warning|%1\nRecords: 1\nContinue?");
    QTest::newRow("integer") << QByteArray("INTEGER") << QByteArray("42") << int(NormalIntegerType) << QByteArray("42") << none;
    QTest::newRow("bigint") << QByteArray("BIGINT") << QByteArray("-7") << int(NormalIntegerType) << QByteArray("-7") << none;
    QTest::newRow("real") << QByteArray("REAL") << QByteArray("2.5") << int(FloatType) << QByteArray("2,5") << none;
    QTest::newRow("double") << QByteArray("DOUBLE PRECISION") << QByteArray("1e20") << int(FloatType) << QByteArray("1E20") << none;
    QTest::newRow("text") << QByteArray("TEXT") << QByteArray("'Köln'") << int(StringType) << QByteArray("K\xf6ln") << none;
    QTest::newRow("a character the code page lacks") << QByteArray("TEXT") << QByteArray("'Ω'") << int(StringType) << QByteArray("?") << loss.arg(QStringLiteral("1 character cannot be held by the code page windows-1252 and will become \"?\": Ω (U+03A9)"));
    QTest::newRow("null") << QByteArray("TEXT") << QByteArray("NULL") << int(StringType) << QByteArray() << none;
    QTest::newRow("no declared type") << QByteArray("") << QByteArray("3.25") << int(StringType) << QByteArray("3,25") << none;
    QTest::newRow("date as text") << QByteArray("DATE") << QByteArray("'2019-03-12'") << int(StringType) << QByteArray("2019-03-12") << none;
    QTest::newRow("blob") << QByteArray("BLOB") << QByteArray("x'414243'") << int(StringType) << QByteArray("X'414243'") << QStringLiteral("Information|1 value was binary data (BLOB) and has been imported as hexadecimal text X'...', as SQLite shows it.");

    QTest::newRow("empty blob") << QByteArray("BLOB") << QByteArray("x''") << int(StringType) << QByteArray("X''") << QStringLiteral("Information|1 value was binary data*");
    QTest::newRow("blob a cell can hold") << QByteArray("") << QByteArray("zeroblob(1998)") << int(StringType) << (QByteArray("X'") + QByteArray(3996, '0') + '\'') << QStringLiteral("Information|1 value was binary data*");
    QTest::newRow("blob too long for a cell") << QByteArray("") << QByteArray("zeroblob(1999)") << int(StringType) << QByteArray() << QStringLiteral("Information|1 value was binary data (BLOB) of more than 1998 bytes, more than a value can hold as text, and has been left empty.");
    QTest::newRow("bytes that are no UTF-8") << QByteArray("TEXT") << QByteArray("CAST(x'41ff42' AS TEXT)") << int(StringType) << QByteArray("A?B") << loss.arg(QStringLiteral("1 byte of the text is not UTF-8 and will become \"?\"."));
    QTest::newRow("real of 16 digits") << QByteArray("REAL") << QByteArray("3.141592653589793") << int(FloatType) << QByteArray("3,141592653589793") << none;
    QTest::newRow("real of 17 digits") << QByteArray("REAL") << QByteArray("0.30000000000000004") << int(FloatType) << QByteArray("0,30000000000000004") << none;
    QTest::newRow("largest double") << QByteArray("REAL") << QByteArray("1.7976931348623157e308") << int(FloatType) << QByteArray("1,7976931348623157E308") << none;
    QTest::newRow("small real") << QByteArray("REAL") << QByteArray("0.000012") << int(FloatType) << QByteArray("0,000012") << none;
    QTest::newRow("tiny real") << QByteArray("REAL") << QByteArray("5e-324") << int(FloatType) << QByteArray("5E-324") << none;
    QTest::newRow("real as a whole number") << QByteArray("REAL") << QByteArray("123456789012345") << int(FloatType) << QByteArray("123456789012345") << none;
    QTest::newRow("negative zero") << QByteArray("") << QByteArray("-0.0") << int(StringType) << QByteArray("-0") << none;
    QTest::newRow("largest integer") << QByteArray("INTEGER") << QByteArray("9223372036854775807") << int(NormalIntegerType) << QByteArray("9223372036854775807") << none;
    QTest::newRow("smallest integer") << QByteArray("INTEGER") << QByteArray("-9223372036854775808") << int(NormalIntegerType) << QByteArray("-9223372036854775808") << none;}

// Another program's table: the declared type decides the field type, values become texts in the
// regional formats and the code page.
void TestSqliteImport::foreignTable()
{
    QFETCH(QByteArray, declared);
    QFETCH(QByteArray, value);
    QFETCH(int, type);
    QFETCH(QByteArray, cell);
    QFETCH(QString, told);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("fremd.db"));
    QVERIFY(runSql(path, "CREATE TABLE t (\"Spalte \"\"1\"\"\" " + declared + ");"
                         "INSERT INTO t VALUES (" + value + ")"));
    Database database;
    ScriptedPrompter prompter;
    if (!told.isEmpty()) {
        const QString caption = told.section(u'|', 0, 0);
        prompter.expect(caption, told.section(u'|', 1),
                        caption == QLatin1String("Warning") ? Icon::Warning : Icon::Information,
                        caption == QLatin1String("Warning") ? Buttons::OkCancel : Buttons::Ok,
                        Answer::Ok);
    }
    QCOMPARE(importSqliteFile(path, QStringLiteral("t"), database, prompter, german()),
             ExchangeResult::Done);
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(database.fieldName(1), QByteArray("Spalte \"1\""));
    QCOMPARE(database.fieldType(1), type);
    QCOMPARE(database.cell(1, 1), cell);
    QCOMPARE(database.name(), QByteArray("fremd"));
}

void TestSqliteImport::emptyTableGivesOneRecord()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("leer.db"));
    QVERIFY(runSql(path, "CREATE TABLE t (a, b); CREATE VIEW v AS SELECT b FROM t"));
    for (const QString &table : {QStringLiteral("t"), QStringLiteral("v")}) {
        Database database;
        ScriptedPrompter prompter;
        QCOMPARE(importSqliteFile(path, table, database, prompter, german()),
                 ExchangeResult::Done);
        QCOMPARE(database.recordCount(), 1);
        QCOMPARE(database.fieldName(database.fieldCount()), QByteArray("b"));
    }
}

void TestSqliteImport::limits_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("fields");  // after the import; 0: unchanged
    QTest::addColumn<int>("records");

    QTest::newRow("50 columns, 9999 rows") << 50 << 9999 << false << 0 << 50 << 9999;
    QTest::newRow("51 columns, OK") << 51 << 2 << true << int(Answer::Ok) << 50 << 2;
    QTest::newRow("10000 rows, OK") << 1 << 10000 << true << int(Answer::Ok) << 1 << 9999;
    QTest::newRow("10000 rows, Cancel") << 1 << 10000 << true << int(Answer::Cancel) << 0 << 0;
}

// A database holds 50 fields and 9999 records; a larger table asks before the first ones are
// taken, and Cancel changes nothing.
void TestSqliteImport::limits()
{
    QFETCH(int, columns);
    QFETCH(int, rows);
    QFETCH(bool, asked);
    QFETCH(int, answer);
    QFETCH(int, fields);
    QFETCH(int, records);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("gross.db"));
    QByteArray create = "CREATE TABLE t (";
    QByteArray select = "SELECT ";
    for (int column = 1; column <= columns; ++column) {
        create += (column > 1 ? ", c" : "c") + QByteArray::number(column);
        select += (column > 1 ? ", value + " : "value + ") + QByteArray::number(column);
    }
    QVERIFY(runSql(path, create + "); WITH RECURSIVE n(value) AS (SELECT 1 UNION ALL SELECT "
                                  "value + 1 FROM n WHERE value < "
                                  + QByteArray::number(rows) + ") INSERT INTO t " + select
                                  + " FROM n"));
    Database database = untouched();
    ScriptedPrompter prompter;
    if (asked)
        prompter.expect(QStringLiteral("Information"),
                        QStringLiteral("The table has %1 columns and %2 rows; a database holds "
                                       "at most 50 fields and 9999 records.\rImport the first "
                                       "ones?")
                            .arg(columns)
                            .arg(rows),
                        Icon::Warning, Buttons::OkCancel, Answer(answer));
    const ExchangeResult result =
        importSqliteFile(path, QStringLiteral("t"), database, prompter, german());
    KRIBED_VERIFY_PROMPTER(prompter);
    if (fields == 0) {
        QCOMPARE(result, ExchangeResult::Cancelled);
        QCOMPARE(database.name(), QByteArray("Alt"));
        QCOMPARE(database.recordCount(), 2);
        return;
    }
    QCOMPARE(result, ExchangeResult::Done);
    QCOMPARE(database.fieldCount(), fields);
    QCOMPARE(database.recordCount(), records);
    QCOMPARE(database.cell(fields, records), QByteArray::number(records + fields));
}

void TestSqliteImport::longValuesAreCut()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("lang.db"));
    QVERIFY(runSql(path, "CREATE TABLE t (a, b); INSERT INTO t VALUES (printf('%.4000c', 'x'), "
                         "printf('%.4001c', 'y')), (printf('%.5000c', 'z'), 'kurz')"));
    Database database;
    ScriptedPrompter prompter;
    prompter.expect(QStringLiteral("Information"),
                    QStringLiteral("2 values were longer than 4000 bytes and have been cut to "
                                   "their first 4000 bytes."),
                    Icon::Warning, Buttons::Ok, Answer::Ok);
    QCOMPARE(importSqliteFile(path, QStringLiteral("t"), database, prompter, german()),
             ExchangeResult::Done);
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(database.cell(1, 1), QByteArray(MaxValueBytes, 'x'));
    QCOMPARE(database.cell(2, 1), QByteArray(MaxValueBytes, 'y'));
    QCOMPARE(database.cell(1, 2).size(), MaxValueBytes);
}

// Plain texts are copied straight into the records, others made cells one by one: rows that mix
// them, each longer or shorter than the one before, keep every value.
void TestSqliteImport::rowsOfUnevenTexts()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("gemischt.db"));
    QVERIFY(runSql(path, "CREATE TABLE t (a TEXT, b, c);"
                         "INSERT INTO t VALUES ('kurz', 'K\xc3\xb6ln', NULL),"
                         "(printf('%.4000c', 'x'), 'a', x'41'),"
                         "('', 'Tab\there', 'Zeile' || char(13, 10) || 'Umbruch'),"
                         "(printf('%.4001c', 'y'), 7, 2.5),"
                         "('Ende', printf('%.3999c', 'z') || '\xc3\xa4', '')"));
    Database database;
    ScriptedPrompter prompter;
    prompter.expect(QStringLiteral("Information"), QStringLiteral("1 value was binary data*"),
                    Icon::Information, Buttons::Ok, Answer::Ok);
    prompter.expect(QStringLiteral("Information"),
                    QStringLiteral("1 value was longer than 4000 bytes and has been cut to its "
                                   "first 4000 bytes."),
                    Icon::Warning, Buttons::Ok, Answer::Ok);
    QCOMPARE(importSqliteFile(path, QStringLiteral("t"), database, prompter, german()),
             ExchangeResult::Done);
    KRIBED_VERIFY_PROMPTER(prompter);
    const QList<QByteArrayList> expected = {{"kurz", "K\xf6ln", ""},
                                            {QByteArray(MaxValueBytes, 'x'), "a", "X'41'"},
                                            {"", "Tab\there", "Zeile\r\nUmbruch"},
                                            {QByteArray(MaxValueBytes, 'y'), "7", "2,5"},
                                            {"Ende", QByteArray(3999, 'z') + '\xe4', ""}};
    QCOMPARE(database.recordCount(), int(expected.size()));
    for (int record = 1; record <= database.recordCount(); ++record)
        QCOMPARE(database.recordAt(record).toList(), expected.at(record - 1));
}

void TestSqliteImport::unreadableFiles_data()
{
    QTest::addColumn<QByteArray>("bytes"); // empty: no file
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("message");

    QByteArray damaged("SQLite format 3");
    damaged += '\0' + QByteArray(4080, '\x5a');
    QTest::newRow("damaged") << damaged << QStringLiteral("t") << ReadError;
    QTest::newRow("encrypted or no database")
        << QByteArray(8192, '\x9c') << QStringLiteral("t") << ReadError;
    QTest::newRow("text file") << QByteArray("Name,Alter\r\n") << QStringLiteral("t") << ReadError;
    QTest::newRow("missing file") << QByteArray() << QStringLiteral("t") << openErrorText();
    QTest::newRow("no such table") << QByteArray("table") << QStringLiteral("u")
                                   << QStringLiteral("The SQLite database holds no table or view "
                                                     "named \"u\".");
}

// A file that cannot be read gets its message and changes nothing, the file included.
void TestSqliteImport::unreadableFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, table);
    QFETCH(QString, message);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("x.db"));
    if (bytes == "table")
        QVERIFY(runSql(path, "CREATE TABLE t (a)"));
    else if (!bytes.isEmpty())
        QVERIFY(writeFile(path, bytes));
    const QByteArray before = readFile(path);
    Database database = untouched();
    ScriptedPrompter prompter;
    prompter.expect(QStringLiteral("Error"), message, Icon::Error, Buttons::Ok, Answer::Ok);
    QCOMPARE(importSqliteFile(path, table, database, prompter, german()), ExchangeResult::Failed);
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(database.name(), QByteArray("Alt"));
    QCOMPARE(database.cell(1, 2), QByteArray("Bob"));
    QCOMPARE(readFile(path), before);
}

// Another program writing the file holds its lock: the import waits a moment, then says so.
void TestSqliteImport::lockedFile()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("x.db"));
    QVERIFY(runSql(path, "CREATE TABLE t (a); INSERT INTO t VALUES (1)"));
    sqlite3 *writer = nullptr;
    QCOMPARE(sqlite3_open(QFile::encodeName(path).constData(), &writer), SQLITE_OK);
    QCOMPARE(sqlite3_exec(writer, "BEGIN EXCLUSIVE; INSERT INTO t VALUES (2)", nullptr, nullptr,
                          nullptr),
             SQLITE_OK);
    Database database = untouched();
    ScriptedPrompter prompter;
    prompter.expect(QStringLiteral("Error"),
                    QStringLiteral("The SQLite database is locked by another program. Close it "
                                   "there and try again."),
                    Icon::Error, Buttons::Ok, Answer::Ok);
    const ExchangeResult result =
        importSqliteFile(path, QStringLiteral("t"), database, prompter, german());
    sqlite3_exec(writer, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(writer);
    QCOMPARE(result, ExchangeResult::Failed);
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(database.name(), QByteArray("Alt"));
}

void TestSqliteImport::tablesOfAFile()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("x.sqlite"));
    Database original;
    original.setName("Zeta");
    fill(original, People);
    ScriptedPrompter prompter;
    QCOMPARE(exportSqliteFile(path, original, prompter, german()), ExchangeResult::Done);
    QVERIFY(runSql(path, "CREATE VIEW alpha AS SELECT Name FROM Zeta"));
    const std::optional<SqliteTables> tables = readSqliteTables(path, prompter);
    QVERIFY(tables);
    QCOMPARE(tables->names, texts({"Zeta", "alpha", "kribo_database", "kribo_fields",
                                   "kribo_popup_items"}));
    QCOMPARE(tables->exported, QStringLiteral("Zeta"));
}

QTEST_GUILESS_MAIN(TestSqliteImport)
#include "tst_sqlite_import.moc"
