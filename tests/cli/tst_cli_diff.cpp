// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
//
// kribed-cli diff: the listing, JSON and CSV, and the exit statuses of diff and cmp.
#include "cli_test_helpers.h"

using namespace kribed;
using namespace kribed::test;
using namespace Qt::Literals::StringLiterals;

namespace {

// Id (auto-increment), Name, Changed (modification date), popup Colour.
PdbBuilder people(Layout layout = Layout::KriboPro)
{
    return PdbBuilder(layout)
        .name("People")
        .field("Id", 0x0043, 20)
        .field("Name", 0x0001, 60)
        .field("Changed", 0x0049, 40)
        .field("Colour", 0x0040, 30)
        .popup(4, {"Red", "Blue"});
}

QByteArray older(Layout layout = Layout::KriboPro)
{
    return people(layout)
        .record({"1", "Ann", "1/2/2020", "Red"})
        .record({"2", "Bob", "1/2/2020", "Blue"})
        .record({"3", "Cy", "1/2/2020", "Red"})
        .build();
}

// Bob's colour changed and stamped, Cy's stamp alone changed, Ann removed, Dee added.
QByteArray newer()
{
    return people()
        .record({"2", "Bob", "3/4/2021", "Red"})
        .record({"3", "Cy", "3/4/2021", "Red"})
        .record({"4", "D\xE9\x65", "3/4/2021", "Blue"})
        .build();
}

} // namespace

class TestCliDiff : public CliTestCase
{
    Q_OBJECT

private Q_SLOTS:
    void init() { setUpFolder(); }

    void listing_data();
    void listing();
    void jsonAndCsv();
    void exitStatuses_data();
    void exitStatuses();
};

void TestCliDiff::listing_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("expected");

    const QString head = u"--- Old.pd_\n+++ New.pdb\n"_s;
    QTest::newRow("stamps ignored, keyed by the auto-increment field")
        << QStringList{}
        << head
               + u"Records matched by field \"Id\", stamps ignored\n"
                 "Records:\n"
                 "- 1 key \"1\": \"1\" | \"Ann\" | \"1/2/2020\" | \"Red\"\n"
                 "~ 2 -> 1 key \"2\"\n"
                 "    Colour: \"Blue\" -> \"Red\"\n"
                 "+ 3 key \"4\": \"4\" | \"D\u00E9e\" | \"3/4/2021\" | \"Blue\"\n"
                 "1 added, 1 removed, 1 changed in 1 field\n"_s;
    QTest::newRow("stamps counted")
        << QStringList{u"--no-ignore-stamps"_s}
        << head
               + u"Records matched by field \"Id\", stamps counted\n"
                 "Records:\n"
                 "- 1 key \"1\": \"1\" | \"Ann\" | \"1/2/2020\" | \"Red\"\n"
                 "~ 2 -> 1 key \"2\"\n"
                 "    Changed: \"1/2/2020\" -> \"3/4/2021\"\n"
                 "    Colour: \"Blue\" -> \"Red\"\n"
                 "~ 3 -> 2 key \"3\"\n"
                 "    Changed: \"1/2/2020\" -> \"3/4/2021\"\n"
                 "+ 3 key \"4\": \"4\" | \"D\u00E9e\" | \"3/4/2021\" | \"Blue\"\n"
                 "1 added, 1 removed, 2 changed in 2 fields\n"_s;
    QTest::newRow("by another field, the old layout (converted, so renamed) beside the current")
        << QStringList{u"--key"_s, u"Name"_s}
        << head
               + u"Records matched by field \"Name\", stamps ignored\n"
                 "Settings:\n"
                 "  name: \"People_p\" -> \"People\"\n"
                 "Records:\n"
                 "- 1 key \"Ann\": \"1\" | \"Ann\" | \"1/2/2020\" | \"Red\"\n"
                 "~ 2 -> 1 key \"Bob\"\n"
                 "    Colour: \"Blue\" -> \"Red\"\n"
                 "+ 3 key \"D\u00E9e\": \"4\" | \"D\u00E9e\" | \"3/4/2021\" | \"Blue\"\n"
                 "1 added, 1 removed, 1 changed in 1 field\n"_s;
}

void TestCliDiff::listing()
{
    QFETCH(QStringList, options);
    QFETCH(QString, expected);

    // The backup of a save is read like any database, in either layout.
    const bool oldLayout = options.contains(u"Name"_s);
    writeTestFile(u"Old.pd_"_s, older(oldLayout ? Layout::Kribo3 : Layout::KriboPro));
    writeTestFile(u"New.pdb"_s, newer());
    const CliRun run = runCli(QStringList{u"diff"_s, u"Old.pd_"_s, u"New.pdb"_s} + options
                              + QStringList{u"--yes"_s});
    QCOMPARE(QString::fromUtf8(run.out), expected);
    QCOMPARE(run.exitCode, 1);
}

void TestCliDiff::jsonAndCsv()
{
    writeTestFile(u"A.pdb"_s, older());
    writeTestFile(u"B.pdb"_s, newer());
    const CliRun json = runCli({u"diff"_s, u"A.pdb"_s, u"B.pdb"_s, u"--json"_s});
    QCOMPARE(json.exitCode, 1);
    const QJsonObject object = QJsonDocument::fromJson(json.out).object();
    QCOMPARE(object.value(u"same"_s).toBool(true), false);
    QCOMPARE(object.value(u"matchedBy"_s).toString(), u"Id"_s);
    QCOMPARE(object.value(u"added"_s).toInt(), 1);
    const QJsonArray records = object.value(u"records"_s).toArray();
    QCOMPARE(records.size(), 3);
    const QJsonObject changed = records.at(1).toObject();
    QCOMPARE(changed.value(u"state"_s).toString(), u"changed"_s);
    QCOMPARE(changed.value(u"cells"_s).toArray(),
             (QJsonArray{QJsonObject{
                 {u"field"_s, u"Colour"_s}, {u"old"_s, u"Blue"_s}, {u"new"_s, u"Red"_s}}}));

    const CliRun csv = runCli({u"diff"_s, u"A.pdb"_s, u"B.pdb"_s, u"--csv"_s});
    QCOMPARE(csv.exitCode, 1);
    QCOMPARE(csv.out, "Key,Field,Old,New\r\n1,Id,1,\r\n1,Name,Ann,\r\n1,Changed,1/2/2020,\r\n"
                      "1,Colour,Red,\r\n2,Colour,Blue,Red\r\n4,Id,,4\r\n4,Name,,D\xC3\xA9\x65\r\n"
                      "4,Changed,,3/4/2021\r\n4,Colour,,Blue\r\n"_ba);
}

void TestCliDiff::exitStatuses_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("error"); // a part of standard error

    const QString a = u"A.pdb"_s;
    QTest::newRow("the same file") << QStringList{a, a} << 0 << QString();
    QTest::newRow("only stamps differ: the same")
        << QStringList{a, u"Stamped.pdb"_s} << 0 << QString();
    QTest::newRow("only stamps differ, counted")
        << QStringList{a, u"Stamped.pdb"_s, u"--no-ignore-stamps"_s} << 1 << QString();
    QTest::newRow("a missing file")
        << QStringList{a, u"None.pdb"_s} << 2 << u"None.pdb was not loaded."_s;
    QTest::newRow("a file of another kind")
        << QStringList{u"Foreign.pdb"_s, a} << 2 << u"Foreign.pdb was not loaded."_s;
    QTest::newRow("an unknown key field") << QStringList{a, a, u"--key"_s, u"Nope"_s} << 2
                                          << u"no field named 'Nope' in both databases."_s;
    QTest::newRow("both stamp options")
        << QStringList{a, a, u"--ignore-stamps"_s, u"--no-ignore-stamps"_s} << 2
        << u"exclude each other"_s;
    QTest::newRow("json and csv") << QStringList{a, a, u"--json"_s, u"--csv"_s} << 2
                                  << u"exclude each other"_s;
    QTest::newRow("one file") << QStringList{a} << 2 << u"diff takes 2 files"_s;
}

void TestCliDiff::exitStatuses()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, error);

    writeTestFile(u"A.pdb"_s, older());
    writeTestFile(u"Stamped.pdb"_s, people()
                                        .record({"1", "Ann", "9/9/2029", "Red"})
                                        .record({"2", "Bob", "1/2/2020", "Blue"})
                                        .record({"3", "Cy", "1/2/2020", "Red"})
                                        .build());
    writeTestFile(u"Foreign.pdb"_s, PdbBuilder().type("DATA").creator("abcd").build());
    const QByteArray before = readAll(pathOf(u"A.pdb"_s));
    const CliRun run = runCli(QStringList{u"diff"_s} + arguments);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.err.contains(error), qPrintable(run.err));
    QCOMPARE(readAll(pathOf(u"A.pdb"_s)), before);
}

QTEST_GUILESS_MAIN(TestCliDiff)
#include "tst_cli_diff.moc"
