// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/sqlite_exchange.h"
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/limits.h"
#include "core/model/regional.h"
#include "durability.h"
#include "export_save_case.h"
#include "literal_texts.h"
#include "scripted_prompter.h"
#include "sqlite_test_helpers.h"
#include "test_regional.h"
#include "text_export_helpers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace kribed;
using namespace kribed::test;
namespace durability = kribed::test;

namespace {

Regional german(const QByteArray &codePage = "windows-1252")
{
    return Regional(QLocale(QStringLiteral("de_DE")), codePage);
}

// Exports and hands back the file's path; empty when the export did not report Done.
QString exportInto(const QTemporaryDir &folder, const Database &database, const Regional &regional,
                   ScriptedPrompter &prompter, SqliteExportReport *report = nullptr)
{
    const QString path = folder.filePath(QStringLiteral("out.sqlite"));
    return exportSqliteFile(path, database, prompter, regional, report) == ExchangeResult::Done
               ? path
               : QString();
}

} // namespace

class TestSqliteExport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cellsByType_data();
    void cellsByType();
    void columnsAreDeclaredByType();
    void readByPython();
    void textsFromCodePages_data();
    void textsFromCodePages();
    void longestValueWhole();
    void columnNamesAreDistinct();
    void sideTablesKeepTheDatabase();
    void hiddenRecordsAreLeftOut();
    void keptTextsAreTold();
    void replacedFileBecomesBackup();
    void backupName_data();
    void backupName();
    void readOnlyFolderFails();
    void failedCallsLeaveTheFiles_data();
    void failedCallsLeaveTheFiles();
};

void TestSqliteExport::cellsByType_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QByteArray>("cell");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("stored"); // as queryRows shows it
    QTest::addColumn<bool>("kept");      // kept as text

    const QString de = QStringLiteral("de_DE");
    const QString us = QStringLiteral("en_US");
    QTest::newRow("string") << int(StringType) << QByteArray("Ann") << us << QString::fromUtf8("text:Ann") << false;
    QTest::newRow("empty string is NULL") << int(StringType) << QByteArray() << us << QString::fromUtf8("null") << false;
    QTest::newRow("digits in a string stay text")
        << int(StringType) << QByteArray("0042") << us << QString::fromUtf8("text:0042") << false;
    QTest::newRow("boolean checked") << int(BooleanType) << QByteArray("1") << us << QString::fromUtf8("integer:1") << false;
    QTest::newRow("boolean unchecked") << int(BooleanType) << QByteArray("0") << us << QString::fromUtf8("integer:0") << false;
    QTest::newRow("boolean other text") << int(BooleanType) << QByteArray("yes") << us << QString::fromUtf8("text:yes") << true;
    QTest::newRow("empty boolean is NULL") << int(BooleanType) << QByteArray() << us << QString::fromUtf8("null") << false;
    QTest::newRow("integer") << int(NormalIntegerType) << QByteArray("-1520") << us << QString::fromUtf8("integer:-1520") << false;
    QTest::newRow("largest integer") << int(NormalIntegerType) << QByteArray("9223372036854775807")
                                     << us << QString::fromUtf8("integer:9223372036854775807") << false;
    QTest::newRow("integer past 64 bits")
        << int(NormalIntegerType) << QByteArray("9223372036854775808") << us << QString::fromUtf8("text:9223372036854775808") << true;
    QTest::newRow("auto-increment") << int(AutoIncrementIntegerType) << QByteArray("7") << us << QString::fromUtf8("integer:7") << false;
    QTest::newRow("integer with a letter") << int(NormalIntegerType) << QByteArray("12a") << us << QString::fromUtf8("text:12a") << true;
    QTest::newRow("float de") << int(FloatType) << QByteArray("1520,50") << de << QString::fromUtf8("real:1520.5") << false;
    QTest::newRow("float us") << int(FloatType) << QByteArray("1520.50") << us << QString::fromUtf8("real:1520.5") << false;
    QTest::newRow("float exponent") << int(FloatType) << QByteArray("1,5E-7") << de << QString::fromUtf8("real:1.5e-07") << false;
    QTest::newRow("grouped float")
        << int(FloatType) << QByteArray("1.234.567,89") << de << QString::fromUtf8("real:1234567.89") << false;
    QTest::newRow("grouped integer")
        << int(NormalIntegerType) << QByteArray("-1.500") << de << QString::fromUtf8("integer:-1500") << false;
    QTest::newRow("grouped integer us")
        << int(AutoIncrementIntegerType) << QByteArray("12,345,678") << us << QString::fromUtf8("integer:12345678") << false;
    QTest::newRow("misplaced group separator")
        << int(FloatType) << QByteArray("1.52,50") << de << QString::fromUtf8("text:1.52,50") << true;
    QTest::newRow("date de") << int(NormalDateType) << QByteArray("12.03.2019") << de << QString::fromUtf8("text:2019-03-12") << false;
    QTest::newRow("date us") << int(CreationDateType) << QByteArray("3/12/2019") << us << QString::fromUtf8("text:2019-03-12") << false;
    QTest::newRow("date of another locale") << int(ModificationDateType) << QByteArray("12.03.2019")
                                            << us << QString::fromUtf8("text:12.03.2019") << true;
    QTest::newRow("date de without zeros is none") << int(NormalDateType) << QByteArray("1.3.2019") << de << QString::fromUtf8("text:1.3.2019") << true;
    QTest::newRow("date de with blanks") << int(NormalDateType) << QByteArray(" 12.03.2019 ") << de << QString::fromUtf8("text:2019-03-12") << false;
    QTest::newRow("date de two-digit year") << int(NormalDateType) << QByteArray("12.03.19") << de << QString::fromUtf8("text:1919-03-12") << false;
    QTest::newRow("date us zero-padded") << int(NormalDateType) << QByteArray("03/02/2019") << us << QString::fromUtf8("text:2019-03-02") << false;
    QTest::newRow("no such day") << int(NormalDateType) << QByteArray("31.02.2019") << de << QString::fromUtf8("text:31.02.2019") << true;
    QTest::newRow("time de") << int(NormalTimeType) << QByteArray("08:05:09") << de << QString::fromUtf8("text:08:05:09") << false;
    QTest::newRow("time us") << int(ModificationTimeType) << QByteArray("8:05:09 PM") << us << QString::fromUtf8("text:20:05:09") << false;
    QTest::newRow("time that is none") << int(CreationTimeType) << QByteArray("noon") << de << QString::fromUtf8("text:noon") << true;
    QTest::newRow("popup") << int(NormalPopupType) << QByteArray("Rot") << de << QString::fromUtf8("text:Rot") << false;
    QTest::newRow("multiple popup") << int(MultiplePopupType) << QByteArray("Rot Blau") << de << QString::fromUtf8("text:Rot Blau") << false;
}

// Each cell is stored as its field's type, read in the regional formats, or kept as its text.
void TestSqliteExport::cellsByType()
{
    QFETCH(int, type);
    QFETCH(QByteArray, cell);
    QFETCH(QString, locale);
    QFETCH(QString, stored);
    QFETCH(bool, kept);
    QTemporaryDir folder;
    Database database;
    database.setName("Kunden");
    fill(database, {{"Wert"}, {cell}});
    database.setFieldType(1, type);
    ScriptedPrompter prompter;
    if (kept)
        prompter.expect(QStringLiteral("Export"), QStringLiteral("1 cell did not convert*"),
                        Icon::Information, Buttons::Ok, Answer::Ok);
    SqliteExportReport report;
    const QString path =
        exportInto(folder, database, Regional(QLocale(locale)), prompter, &report);
    QVERIFY(!path.isEmpty());
    QCOMPARE(queryRows(path, "SELECT Wert FROM Kunden"), QStringList{stored});
    QCOMPARE(report.keptAsText, kept ? 1 : 0);
    QVERIFY2(prompter.failures().isEmpty(), qPrintable(prompter.failures()));
}

void TestSqliteExport::columnsAreDeclaredByType()
{
    QTemporaryDir folder;
    Database database;
    database.setName("Alle");
    Lines names;
    for (int type = 0; type < FieldTypeCount; ++type)
        names.append("f" + QByteArray::number(type));
    fill(database, {names});
    for (int type = 0; type < FieldTypeCount; ++type)
        database.setFieldType(type + 1, type);
    ScriptedPrompter prompter;
    const QString path = exportInto(folder, database, testRegional(), prompter);
    QVERIFY(!path.isEmpty());
    QCOMPARE(queryRows(path, "SELECT name, type FROM pragma_table_info('Alle') ORDER BY cid"),
             texts({
                 "text:f0 | text:TEXT",     "text:f1 | text:INTEGER",  "text:f2 | text:TEXT",
                 "text:f3 | text:TEXT",     "text:f4 | text:TEXT",     "text:f5 | text:TEXT",
                 "text:f6 | text:TEXT",     "text:f7 | text:TEXT",     "text:f8 | text:TEXT",
                 "text:f9 | text:TEXT",     "text:f10 | text:INTEGER", "text:f11 | text:INTEGER",
                 "text:f12 | text:REAL",
             }));
}

// Another program sees the same: Python's sqlite3 module reads the types, the NULLs, a kept text
// and the side tables.
void TestSqliteExport::readByPython()
{
    QTemporaryDir folder;
    Database database;
    database.setName("Kunden");
    fill(database, {{"Name", "Umsatz", "Seit", "Aktiv"},
                    {"Ann", "1520,50", "12.03.2019", "1"},
                    {"", "viel", "", "0"}});
    database.setFieldType(2, FloatType);
    database.setFieldType(3, NormalDateType);
    database.setFieldType(4, BooleanType);
    database.popupList(1) = {"Ann", "Bob"};
    ScriptedPrompter prompter;
    prompter.expect(QStringLiteral("Export"), QStringLiteral("1 cell did not convert*"),
                    Icon::Information, Buttons::Ok, Answer::Ok);
    const QString path = exportInto(folder, database, german(), prompter);
    QVERIFY(!path.isEmpty());
    const QString script = QStringLiteral(
        "import sqlite3, sys\n"
        "c = sqlite3.connect(sys.argv[1])\n"
        "for row in c.execute('SELECT rowid, typeof(Name), Name, typeof(Umsatz), Umsatz, Seit, "
        "Aktiv FROM Kunden'): print(row)\n"
        "print(c.execute('SELECT sum(Umsatz) FROM Kunden WHERE typeof(Umsatz) = \"real\"')"
        ".fetchone())\n"
        "for row in c.execute('SELECT position, name, type_name, width FROM kribo_fields'): "
        "print(row)\n"
        "print(list(c.execute('SELECT * FROM kribo_popup_items')))\n"
        "print(c.execute(\"SELECT value FROM kribo_database WHERE key = 'name'\").fetchone())\n");
    QCOMPARE(runPython(script, path),
             QStringLiteral("(1, 'text', 'Ann', 'real', 1520.5, '2019-03-12', 1)\n"
                            "(2, 'null', None, 'text', 'viel', None, 0)\n"
                            "(1520.5,)\n"
                            "(1, 'Name', 'String', 90)\n"
                            "(2, 'Umsatz', 'Float', 90)\n"
                            "(3, 'Seit', 'Normal Date', 90)\n"
                            "(4, 'Aktiv', 'Boolean', 90)\n"
                            "[(1, 1, 'Ann'), (1, 2, 'Bob')]\n"
                            "('Kunden',)\n"));
}

void TestSqliteExport::textsFromCodePages_data()
{
    QTest::addColumn<QByteArray>("codePage");
    QTest::addColumn<QByteArray>("cell");
    QTest::addColumn<QString>("text");
    QTest::newRow("western") << QByteArray("windows-1252") << QByteArray("M\xfcller \x80")
                             << QStringLiteral("Müller €");
    QTest::newRow("cyrillic") << QByteArray("windows-1251") << QByteArray("\xcc\xee\xf1\xea\xe2\xe0")
                              << QStringLiteral("Москва");
    QTest::newRow("japanese") << QByteArray("Shift_JIS") << QByteArray("\x93\x8c\x8b\x9e")
                              << QStringLiteral("東京");
}

// Texts become UTF-8 from the code page: cells, field names, popup items and the table's name.
void TestSqliteExport::textsFromCodePages()
{
    QFETCH(QByteArray, codePage);
    QFETCH(QByteArray, cell);
    QFETCH(QString, text);
    QTemporaryDir folder;
    Database database;
    database.setName(cell);
    fill(database, {{cell}, {cell}});
    database.popupList(1) = {cell};
    ScriptedPrompter prompter;
    const QString path = exportInto(folder, database, german(codePage), prompter);
    QVERIFY(!path.isEmpty());
    const QByteArray table = QStringLiteral("\"%1\"").arg(text).toUtf8();
    QCOMPARE(queryRows(path, "SELECT * FROM " + table), QStringList{QStringLiteral("text:") + text});
    QCOMPARE(queryRows(path, "SELECT name, column_name FROM kribo_fields"),
             QStringList{QStringLiteral("text:%1 | text:%1").arg(text)});
    QCOMPARE(queryRows(path, "SELECT text FROM kribo_popup_items"), QStringList{QStringLiteral("text:") + text});
}

void TestSqliteExport::longestValueWhole()
{
    QTemporaryDir folder;
    Database database;
    database.setName("Lang");
    const QByteArray value = QByteArray(MaxValueBytes - 1, 'x') + '\xe4';
    fill(database, {{"Text"}, {value}});
    ScriptedPrompter prompter;
    const QString path = exportInto(folder, database, testRegional(), prompter);
    QCOMPARE(queryRows(path, "SELECT length(Text), length(CAST(Text AS BLOB)), substr(Text, -2) "
                             "FROM Lang"),
             QStringList{QStringLiteral("integer:4000 | integer:4001 | text:xä")});
}

// Quotes and blanks survive as they are; an empty name or one already taken (in any case)
// becomes a name of its own, and kribo_fields keeps the field's real one.
void TestSqliteExport::columnNamesAreDistinct()
{
    QTemporaryDir folder;
    Database database;
    database.setName("Say \"hi\"; DROP");
    fill(database, {{"Kunde \"A\" ", "", "kunde \"a\" ", "Field 2", "x", "Field 7", "Field 7"}});
    ScriptedPrompter prompter;
    const QString path = exportInto(folder, database, testRegional(), prompter);
    QVERIFY(!path.isEmpty());
    QCOMPARE(queryRows(path, "SELECT name FROM pragma_table_info('Say \"hi\"; DROP') ORDER BY cid"),
             texts({"text:Kunde \"A\" ", "text:Field 2", "text:Field 3", "text:Field 4",
                          "text:x", "text:Field 7", "text:Field 7 (2)"}));
    QCOMPARE(queryRows(path, "SELECT name FROM kribo_fields ORDER BY position"),
             texts({"text:Kunde \"A\" ", "text:", "text:kunde \"a\" ", "text:Field 2",
                          "text:x", "text:Field 7", "text:Field 7"}));
}

void TestSqliteExport::sideTablesKeepTheDatabase()
{
    QTemporaryDir folder;
    Database database;
    database.setName("kribo_fields"); // a name the side tables have: the records go elsewhere
    fill(database, {{"A", "B"}, {"1", "2"}});
    database.setFieldType(2, NormalPopupType);
    database.popupList(2) = {"x", "y", "z"};
    database.setColumnWidth(1, database.unitsToPixels(55));
    database.setSecondarySortField(2);
    database.setTertiarySortField(1);
    database.setFilterField(2);
    database.setFilterText("y");
    database.flags() = {true, false, true, false};
    database.setIncrementAmount(5);
    ScriptedPrompter prompter;
    const QString path = exportInto(folder, database, testRegional(), prompter);
    QVERIFY(!path.isEmpty());
    QCOMPARE(queryRows(path, "SELECT * FROM \"kribo_fields records\""),
             texts({"text:1 | text:2"}));
    QCOMPARE(queryRows(path, "SELECT position, type, type_name, width FROM kribo_fields"),
             texts({"integer:1 | integer:0 | text:String | integer:55",
                          "integer:2 | integer:8 | text:Normal PopUp | integer:90"}));
    QCOMPARE(queryRows(path, "SELECT * FROM kribo_popup_items"),
             texts({"integer:2 | integer:1 | text:x", "integer:2 | integer:2 | text:y",
                          "integer:2 | integer:3 | text:z"}));
    QCOMPARE(queryRows(path, "SELECT key, value FROM kribo_database WHERE key NOT IN "
                             "('code_page', 'locale') ORDER BY key"),
             texts({"text:auto_lock | integer:0", "text:filter_field | integer:2",
                          "text:filter_text | text:y", "text:increment_amount | integer:5",
                          "text:kribo_filter | integer:0", "text:name | text:kribo_fields",
                          "text:private | integer:1", "text:read_only | integer:1",
                          "text:records_table | text:kribo_fields records",
                          "text:secondary_sort_field | integer:2",
                          "text:tertiary_sort_field | integer:1"}));
}

// As every export: the records the filter hides are left out, the others keep their order.
void TestSqliteExport::hiddenRecordsAreLeftOut()
{
    QTemporaryDir folder;
    Database database;
    database.setName("T");
    fill(database, {{"A"}, {"c"}, {"b"}, {"a"}});
    database.setHidden(2, true);
    ScriptedPrompter prompter;
    const QString path = exportInto(folder, database, testRegional(), prompter);
    QCOMPARE(queryRows(path, "SELECT rowid, A FROM T"),
             texts({"integer:1 | text:c", "integer:2 | text:a"}));
}

void TestSqliteExport::keptTextsAreTold()
{
    QTemporaryDir folder;
    Database database;
    database.setName("T");
    Grid grid{{"Zahl"}};
    for (int record = 1; record <= 7; ++record)
        grid.append({"n" + QByteArray::number(record)});
    fill(database, grid);
    database.setFieldType(1, NormalIntegerType);
    ScriptedPrompter prompter;
    prompter.expect(QStringLiteral("Export"),
                    QStringLiteral("7 cells did not convert to their field's type and were kept "
                                   "as text:\rZahl, record 1: n1\rZahl, record 2: n2\r"
                                   "Zahl, record 3: n3\rZahl, record 4: n4\rZahl, record 5: n5\r..."),
                    Icon::Information, Buttons::Ok, Answer::Ok);
    QVERIFY(!exportInto(folder, database, testRegional(), prompter).isEmpty());
    QVERIFY2(prompter.failures().isEmpty(), qPrintable(prompter.failures()));
}

void TestSqliteExport::replacedFileBecomesBackup()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("out.sqlite"));
    QVERIFY(writeFile(path, "previous"));
    QVERIFY(writeFile(folder.filePath(QStringLiteral("out.sqlit_")), "older"));
    Database database;
    database.setName("T");
    fill(database, People);
    ScriptedPrompter prompter;
    QCOMPARE(exportSqliteFile(path, database, prompter, testRegional()), ExchangeResult::Done);
    QCOMPARE(readFile(folder.filePath(QStringLiteral("out.sqlit_"))), QByteArray("previous"));
    QCOMPARE(queryRows(path, "SELECT * FROM T"),
             texts({"text:Ann | text:30", "text:Bob | text:41"}));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
             texts({"out.sqlit_", "out.sqlite"}));
}

void TestSqliteExport::backupName_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("backup");
    QTest::newRow("sqlite") << QString::fromUtf8("/d/x.sqlite") << QString::fromUtf8("/d/x.sqlit_");
    QTest::newRow("db") << QString::fromUtf8("/d/x.db") << QString::fromUtf8("/d/x.d_");
    QTest::newRow("no extension") << QString::fromUtf8("/d.e/x") << QString::fromUtf8("/d.e/x.sqlit_");
    QTest::newRow("a dot at the end") << QString::fromUtf8("/d/x.") << QString::fromUtf8("/d/x..sqlit_");
}

void TestSqliteExport::backupName()
{
    QFETCH(QString, path);
    QFETCH(QString, backup);
    QCOMPARE(sqliteBackupFileName(path), backup);
}

void TestSqliteExport::readOnlyFolderFails()
{
    if (geteuid() == 0)
        QSKIP("root writes into read-only folders");
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("out.sqlite"));
    QVERIFY(writeFile(path, "previous"));
    QVERIFY(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
    Database database;
    fill(database, People);
    ScriptedPrompter prompter;
    prompter.expect(QStringLiteral("Error"), saveErrorText(), Icon::Error, Buttons::Ok, Answer::Ok);
    const ExchangeResult result = exportSqliteFile(path, database, prompter, testRegional());
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(result, ExchangeResult::Failed);
    QVERIFY2(prompter.failures().isEmpty(), qPrintable(prompter.failures()));
    QCOMPARE(readFile(path), QByteArray("previous"));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), texts({"out.sqlite"}));
}

void TestSqliteExport::failedCallsLeaveTheFiles_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("error");
    for (durability::CallKind kind : durability::allCallKinds())
        QTest::addRow("%s, full disk", qPrintable(durability::callKindName(kind)))
            << int(kind) << ENOSPC;
    QTest::addRow("write, I/O error") << int(durability::CallKind::Write) << EIO;
}

// A full disk at any file call: the save error once, the file and its backup as they were.
void TestSqliteExport::failedCallsLeaveTheFiles()
{
    QFETCH(int, kind);
    QFETCH(int, error);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("x.sqlite"));
    Database database;
    database.setName("T");
    Grid grid{{"name", "value"}};
    for (int record = 1; record <= 2000; ++record)
        grid.append({"record " + QByteArray::number(record), "some value"});
    fill(database, grid);
    ScriptedPrompter prompter;
    const durability::SaveCase saveCase = durability::exportOverPrevious(
        path, folder.filePath(QStringLiteral("x.sqlit_")), prompter, [&] {
            return exportSqliteFile(path, database, prompter, testRegional())
                   == ExchangeResult::Done;
        });
    const QString problem = durability::sweepFaults(saveCase, durability::CallKind(kind), error);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    QCOMPARE(queryRows(path, "SELECT count(*) FROM T"), texts({"integer:2000"}));
    QCOMPARE(readFile(folder.filePath(QStringLiteral("x.sqlit_"))), QByteArray("previous"));
}

QTEST_GUILESS_MAIN(TestSqliteExport)
#include "tst_sqlite_export.moc"
