// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "editing_fixture.h"

#include "core/editing/header_hints.h"
#include "core/editing/record_filter.h"
#include "core/model/field_type.h"
#include "core/model/regional.h"
#include "test_regional.h"

#include <QtTest>

using namespace kribed;
using namespace kribed::test;

namespace {

// The regional rules the running test chose; every operation under test is handed them.
Regional &regional()
{
    static Regional chosen = kribed::test::testRegional();
    return chosen;
}

// '.' for a shown record, 'x' for a hidden one.
QByteArray visibilityOf(const Database &database)
{
    QByteArray marks;
    for (int record = 1; record <= database.recordCount(); ++record)
        marks += database.isHidden(record) ? 'x' : '.';
    return marks;
}

} // namespace

class TestFilterAndHints : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void filter_data();
    void filter();
    void switchingOffShowsEveryRecord();
    void hints_data();
    void hints();
    void decimalCommaAverages();
};

void TestFilterAndHints::init()
{
    regional() = Regional(QLocale(QStringLiteral("en_US")));
}

void TestFilterAndHints::filter_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("field");
    QTest::addColumn<bool>("mustBeginWith");
    QTest::addColumn<bool>("exclude");
    QTest::addColumn<QList<QByteArray>>("rows");
    QTest::addColumn<QByteArray>("visibility");

    const QList<QByteArray> names{"Meier|x", "y|Schmeichel", "abc|def", "MEI|"};
    QTest::newRow("mei in all fields")
        << QByteArray("mei") << 0 << false << false << names << QByteArray("..x.");
    QTest::newRow("mei at the start only")
        << QByteArray("mei") << 0 << true << false << names << QByteArray(".xx.");
    QTest::newRow("capitals in the filter text fold too")
        << QByteArray("MeI") << 0 << false << false << names << QByteArray("..x.");
    QTest::newRow("exclude on field 2")
        << QByteArray("mei") << 2 << false << true << QList<QByteArray>{"mei|x", "x|Meier", "x|y"}
        << QByteArray(".x.");
    QTest::newRow("include on field 1 ignores field 2")
        << QByteArray("mei") << 1 << false << false << QList<QByteArray>{"x|Meier", "Omei|y"}
        << QByteArray("x.");
    QTest::newRow("letters outside a to z compared exactly")
        << QByteArray("\xe4") << 0 << false << false
        << QList<QByteArray>{"\xc4pfel|", "\xe4pfel|", "apfel|"} << QByteArray("x.x");
    QTest::newRow("empty text hides nothing")
        << QByteArray() << 0 << false << false << names << QByteArray("....");
    QTest::newRow("text longer than every cell")
        << QByteArray("meiers") << 0 << false << false << names << QByteArray("xxxx");
    QTest::newRow("filter field beyond the fields reads all fields")
        << QByteArray("def") << 7 << false << false << names << QByteArray("xx.x");
    QTest::newRow("match at the very end of a cell")
        << QByteArray("hel") << 0 << false << false << names << QByteArray("x.xx");
}

void TestFilterAndHints::filter()
{
    QFETCH(QByteArray, text);
    QFETCH(int, field);
    QFETCH(bool, mustBeginWith);
    QFETCH(bool, exclude);
    QFETCH(QList<QByteArray>, rows);
    QFETCH(QByteArray, visibility);

    Database database = makeDatabase({StringType, StringType}, rows);
    database.setFilterText(text);
    database.setFilterField(field);
    FilterOptions options;
    options.mustBeginWith = mustBeginWith;
    options.exclude = exclude;

    const int hidden = applyFilter(database, true, options);
    QVERIFY(database.filterOn());
    QCOMPARE(visibilityOf(database), visibility);
    QCOMPARE(hidden, int(visibility.count('x')));
    QVERIFY(!database.isModified());
}

void TestFilterAndHints::switchingOffShowsEveryRecord()
{
    Database database = makeDatabase({StringType}, {"a", "b", "c"});
    database.setFilterText("b");
    applyFilter(database, true, {});
    QCOMPARE(visibilityOf(database), QByteArray("x.x"));
    QCOMPARE(database.rowHeight(1), 0);

    QCOMPARE(applyFilter(database, false, {}), 0);
    QVERIFY(!database.filterOn());
    for (int record = 1; record <= database.recordCount(); ++record)
        QCOMPARE(database.rowHeight(record), 22);

    // Switching on again looks at the records as they are now.
    database.setCell(1, 3, "abc");
    applyFilter(database, true, {});
    QCOMPARE(visibilityOf(database), QByteArray("x.."));
}

void TestFilterAndHints::hints_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QList<QByteArray>>("cells");
    QTest::addColumn<QString>("typePart");

    QList<QByteArray> booleans;
    booleans << "1"
             << "1"
             << "1"
             << "0"
             << "0"
             << "0"
             << "0"
             << "0"
             << ""
             << "";
    QTest::newRow("Boolean 3 checked, 5 unchecked, 2 empty")
        << int(BooleanType) << booleans << "Boolean\nChecked: 5   Unchecked: 5";
    QTest::newRow("Boolean texts other than 0 are checked")
        << int(BooleanType) << QList<QByteArray>{"yes", "00", " 0"}
        << "Boolean\nChecked: 3   Unchecked: 0";
    QTest::newRow("no number: total 0 and no average")
        << int(FloatType) << QList<QByteArray>{"", "abc", "1,5"} << "Float\nTotal: 0";
    QTest::newRow("integers with an average")
        << int(NormalIntegerType) << QList<QByteArray>{"3", "x", "4", ""}
        << "Normal Integer\nTotal: 7\nAverage: 3.5";
    QTest::newRow("negative total")
        << int(AutoIncrementIntegerType) << QList<QByteArray>{"-2", "-4"}
        << "Auto-increment Integer\nTotal: -6\nAverage: -3";
    QTest::newRow("number type of a text column has no statistics")
        << int(StringType) << QList<QByteArray>{"1"} << "String";
    QTest::newRow("popup name as the grid spells it")
        << int(NormalPopupType) << QList<QByteArray>{"1"} << "Normal Popup";
    QTest::newRow("modification time without the trailing blank")
        << int(ModificationTimeType) << QList<QByteArray>{""} << "Modification Time";
    QTest::newRow("unknown type starts with the line break") << 13 << QList<QByteArray>{"1"} << "";
}

void TestFilterAndHints::hints()
{
    QFETCH(int, type);
    QFETCH(QList<QByteArray>, cells);
    QFETCH(QString, typePart);

    Database database = makeDatabase({StringType, type}, {});
    database.setShape(2, int(cells.size()));
    database.setFieldType(2, type);
    database.setWidthScale(1.5);
    database.setColumnWidth(2, database.unitsToPixels(61));
    for (int record = 1; record <= database.recordCount(); ++record)
        database.setCell(2, record, cells[record - 1]);
    // Hidden records count like any other.
    database.setHidden(1, true);

    QCOMPARE(headerHintText(database, 2, regional()), typePart + QStringLiteral("\nWidth: 61"));
    QCOMPARE(headerHintText(database, 0, regional()),
             QString::number(cells.size()) + QStringLiteral(" Records"));
}

void TestFilterAndHints::decimalCommaAverages()
{
    regional() = Regional(QLocale(QStringLiteral("de_DE")));
    Database database = makeDatabase({FloatType}, {"1,5", "2", "1.5"});
    database.setWidthScale(1.5);
    database.setColumnWidth(1, database.unitsToPixels(40));
    QCOMPARE(headerHintText(database, 1, regional()),
             QStringLiteral("Float\nTotal: 3,5\nAverage: 1,75\nWidth: 40"));
    QCOMPARE(recordCountHintText(database), QStringLiteral("3 Records"));
}

QTEST_GUILESS_MAIN(TestFilterAndHints)
#include "tst_filter_and_hints.moc"
