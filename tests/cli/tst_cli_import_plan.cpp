// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
//
// kribed-cli import and append with --detect-types, --types and --plan.
#include "cli_test_helpers.h"

#include <QFileInfo>

using namespace kribed::test;
using namespace Qt::Literals::StringLiterals;

namespace {

const QByteArray BankCsv = "Buchungstag;PLZ;Umsatz;Art\r\n"
                           "05.03.2024;01067;-12,50;Karte\r\n"
                           "06.03.2024;10115;1.234,00;Karte\r\n"
                           "2023-02-29;80331;7,5;Karte\r\n"
                           "07.03.2024;20095;0,99;Bar\r\n"
                           "08.03.2024;20095;3,00;Karte\r\n"
                           "09.03.2024;20095;1,00;Bar\r\n";

} // namespace

class TestCliImportPlan : public CliTestCase
{
    Q_OBJECT

private Q_SLOTS:
    void init() { setUpFolder(); }

    void typesOfTheWrittenDatabase_data();
    void typesOfTheWrittenDatabase();
    void planWritesNothing();
    void appendPlanCountsWhatDoesNotFitTheFields();
    void planNamesTheEncoding_data();
    void planNamesTheEncoding();
    void badTypesAreUsageErrors_data();
    void badTypesAreUsageErrors();
    void helpNamesTheOptions();
};

void TestCliImportPlan::typesOfTheWrittenDatabase_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QJsonArray>("types"); // the written fields' type names
    QTest::newRow("as the described import")
        << QStringList() << texts({"String", "String", "String", "String"});
    QTest::newRow("detected") << QStringList{u"--detect-types"_s}
                              << texts({"Normal Date", "String", "Float", "Normal PopUp"});
    QTest::newRow("named over detected")
        << QStringList{u"--detect-types"_s, u"--types"_s, u"Art=String,1=Normal Integer"_s}
        << texts({"Normal Integer", "String", "Float", "String"});
    QTest::newRow("short names, any case")
        << QStringList{u"--types"_s, u"Umsatz=float,PLZ=integer"_s}
        << texts({"String", "Normal Integer", "Float", "String"});
}

void TestCliImportPlan::typesOfTheWrittenDatabase()
{
    QFETCH(QStringList, options);
    writeTestFile(u"bank.csv"_s, BankCsv);
    const CliRun run = runCli(
        QStringList{u"import"_s, u"--yes"_s, u"--type"_s, u"semicolon"_s, u"--locale"_s, u"de_DE"_s}
        + options + QStringList{u"bank.csv"_s, u"bank.pdb"_s});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const CliRun dump = runCli({u"dump"_s, u"bank.pdb"_s});
    const QJsonArray fields = QJsonDocument::fromJson(dump.out).object()[u"fields"_s].toArray();
    QJsonArray types;
    for (const QJsonValue &field : fields)
        types.append(field.toObject()[u"typeName"_s]);
    QTEST(types, "types");
    const QJsonArray records = QJsonDocument::fromJson(dump.out).object()[u"records"_s].toArray();
    // Values that do not fit stay as their text.
    QCOMPARE(records[2].toArray()[0].toString(), u"2023-02-29"_s);
    QCOMPARE(records[0].toArray()[1].toString(), u"01067"_s);
}

void TestCliImportPlan::planWritesNothing()
{
    writeTestFile(u"bank.csv"_s, BankCsv);
    const CliRun run = runCli({u"import"_s, u"--type"_s, u"semicolon"_s, u"--locale"_s, u"de_DE"_s,
                               u"--detect-types"_s, u"--plan"_s, u"bank.csv"_s});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY(!QFileInfo::exists(pathOf(u"bank.pdb"_s)));
    const QJsonObject plan = QJsonDocument::fromJson(run.out).object();
    QCOMPARE(plan[u"kind"_s].toString(), u"import"_s);
    QCOMPARE(plan[u"records"_s].toInt(), 6);
    QVERIFY(plan[u"importable"_s].toBool());
    const QJsonArray columns = plan[u"columns"_s].toArray();
    QCOMPARE(columns.size(), 4);
    const QJsonObject date = columns[0].toObject();
    QCOMPARE(date[u"type"_s].toString(), u"Normal Date"_s);
    QCOMPARE(date[u"doNotFit"_s].toInt(), 1);
    QCOMPARE(date[u"doNotFitRecords"_s].toArray(), QJsonArray{3});
    const QJsonObject postcode = columns[1].toObject();
    QCOMPARE(postcode[u"keptAsText"_s].toString(), u"leading-zero"_s);
    QCOMPARE(postcode[u"keptExample"_s].toString(), u"01067"_s);

    // A file with a line too many fields and a duplicate name: said, still nothing written.
    writeTestFile(u"wide.csv"_s, "a,a\r\n" + QByteArray(59, ',') + "\r\n");
    const CliRun wide = runCli({u"import"_s, u"--plan"_s, u"wide.csv"_s, u"wide.pdb"_s});
    QCOMPARE(wide.exitCode, 0);
    QVERIFY(!QFileInfo::exists(pathOf(u"wide.pdb"_s)));
    const QJsonObject widePlan = QJsonDocument::fromJson(wide.out).object();
    QCOMPARE(widePlan[u"questions"_s].toArray(), QJsonArray{FormatQuestion});
    QCOMPARE(widePlan[u"limits"_s].toArray().size(), 1);
    QVERIFY(widePlan[u"warnings"_s].toArray().contains(u"Fields 1 and 2 are both named \"a\"."_s));
}

void TestCliImportPlan::appendPlanCountsWhatDoesNotFitTheFields()
{
    writeTestFile(u"more.CSV"_s, "Cy,x\r\nDee,52\r\n");
    const QByteArray before = readAll(pathOf(u"Stock.pdb"_s));
    const CliRun run = runCli({u"append"_s, u"--plan"_s, u"Stock.pdb"_s, u"more.CSV"_s});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(readAll(pathOf(u"Stock.pdb"_s)), before);
    const QJsonObject plan = QJsonDocument::fromJson(run.out).object();
    QCOMPARE(plan[u"kind"_s].toString(), u"append"_s);
    QCOMPARE(plan[u"records"_s].toInt(), 2);
    const QJsonObject age = plan[u"columns"_s].toArray()[1].toObject();
    QCOMPARE(age[u"name"_s].toString(), u"Age"_s);
    QCOMPARE(age[u"type"_s].toString(), u"Normal Integer"_s);
    QCOMPARE(age[u"doNotFit"_s].toInt(), 1);
    QCOMPARE(age[u"doNotFitRecords"_s].toArray(), QJsonArray{1});
}

void TestCliImportPlan::planNamesTheEncoding_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QJsonObject>("encoding");
    QTest::addColumn<QString>("firstName"); // as the shell's reading takes it, unchanged
    const QByteArray utf8 = "Stra\xC3\x9F"
                            "e,Ort\r\nx,y\r\n";
    QTest::newRow("UTF-8 as comma text: still read byte by byte")
        << QStringList() << utf8
        << QJsonObject{{u"read"_s, u"codepage"_s},
                       {u"detected"_s, u"utf-8"_s},
                       {u"reason"_s, u"utf-8-bytes"_s}}
        << u"Stra\u00C3\u0178e"_s;
    QTest::newRow("standard CSV with a mark: UTF-8 whatever --encoding says")
        << QStringList{u"--type"_s, u"csv"_s, u"--encoding"_s, u"codepage"_s}
        << QByteArray("\xEF\xBB\xBF") + utf8
        << QJsonObject{{u"read"_s, u"utf-8"_s},
                       {u"detected"_s, u"utf-8"_s},
                       {u"reason"_s, u"byte-order-mark"_s}}
        << u"Stra\u00DFe"_s;
    QTest::newRow("standard CSV in the code page")
        << QStringList{u"--type"_s, u"csv"_s, u"--encoding"_s, u"codepage"_s} << utf8
        << QJsonObject{{u"read"_s, u"codepage"_s},
                       {u"detected"_s, u"utf-8"_s},
                       {u"reason"_s, u"utf-8-bytes"_s}}
        << u"Stra\u00C3\u0178e"_s;
    QTest::newRow("Latin-1") << QStringList()
                             << QByteArray("Stra\xDF"
                                           "e,Ort\r\nx,y\r\n")
                             << QJsonObject{{u"read"_s, u"codepage"_s},
                                            {u"detected"_s, u"codepage"_s},
                                            {u"reason"_s, u"not-utf-8"_s}}
                             << u"Stra\u00DFe"_s;
}

void TestCliImportPlan::planNamesTheEncoding()
{
    QFETCH(QStringList, options);
    QFETCH(QByteArray, bytes);
    writeTestFile(u"names.csv"_s, bytes);
    const CliRun run =
        runCli(QStringList{u"import"_s, u"--plan"_s} + options + QStringList{u"names.csv"_s});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const QJsonObject plan = QJsonDocument::fromJson(run.out).object();
    QTEST(plan[u"encoding"_s].toObject(), "encoding");
    QTEST(plan[u"columns"_s].toArray()[0].toObject()[u"name"_s].toString(), "firstName");
}

void TestCliImportPlan::badTypesAreUsageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("unknown field")
        << QStringList{u"import"_s, u"--types"_s, u"Nope=Float"_s, u"bank.csv"_s, u"x.pdb"_s};
    QTest::newRow("unknown type") << QStringList{u"import"_s, u"--types"_s, u"PLZ=Money"_s,
                                                 u"bank.csv"_s, u"x.pdb"_s};
    QTest::newRow("column past the last")
        << QStringList{u"import"_s, u"--types"_s, u"9=Float"_s, u"bank.csv"_s, u"x.pdb"_s};
    QTest::newRow("types are the import's")
        << QStringList{u"append"_s, u"--types"_s, u"1=Float"_s, u"Stock.pdb"_s, u"bank.csv"_s};
}

void TestCliImportPlan::badTypesAreUsageErrors()
{
    QFETCH(QStringList, arguments);
    writeTestFile(u"bank.csv"_s, BankCsv);
    const QByteArray before = readAll(pathOf(u"Stock.pdb"_s));
    const CliRun run = runCli(QStringList{u"--type"_s, u"semicolon"_s} + arguments);
    QCOMPARE(run.exitCode, 2);
    QVERIFY(!run.err.isEmpty());
    QVERIFY(!QFileInfo::exists(pathOf(u"x.pdb"_s)));
    QCOMPARE(readAll(pathOf(u"Stock.pdb"_s)), before);
}

void TestCliImportPlan::helpNamesTheOptions()
{
    const CliRun help = runCli({u"--help"_s});
    for (const char *option : {"--detect-types", "--types <LIST>", "--plan"})
        QVERIFY2(help.out.contains(option), option);
}

QTEST_GUILESS_MAIN(TestCliImportPlan)
#include "tst_cli_import_plan.moc"
