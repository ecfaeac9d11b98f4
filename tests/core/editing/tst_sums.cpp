// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/sums.h"
#include "core/model/regional.h"
#include "table_database.h"
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

void useLocale(const QString &name)
{
    regional() = Regional(QLocale(name));
}

} // namespace

class TestSums : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void columnSum_data();
    void columnSum();
    void fieldFactor_data();
    void fieldFactor();
    void rowSumFillsSumField();
    void rowSumOneShot_data();
    void rowSumOneShot();
};

void TestSums::columnSum_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QByteArrayList>("above");
    QTest::addColumn<bool>("written");
    QTest::addColumn<QByteArray>("result");

    QTest::newRow("numbers added, empty text and letters skipped")
        << "en_US" << QByteArrayList{"1.5", "", "x", "2"} << true << QByteArray("3.5");
    QTest::newRow("comma separator in German")
        << "de_DE" << QByteArrayList{"1,5", "", "x", "2"} << true << QByteArray("3,5");
    QTest::newRow("grouped thousands are numbers")
        << "en_US" << QByteArrayList{"1,234.5", "1,000,000", "1"} << true
        << QByteArray("1001235.5");
    QTest::newRow("German grouped amounts")
        << "de_DE" << QByteArrayList{"1.731,07", "-1.234.567,89", "2.000"} << true
        << QByteArray("-1230836,82");
    QTest::newRow("misplaced group separators are no numbers")
        << "en_US" << QByteArrayList{"1,23.5", "1,2345", "12,34,567", "0,123", "1"} << true
        << QByteArray("1");
    QTest::newRow("nothing above reads: cell kept")
        << "en_US" << QByteArrayList{"x", "", "1,5"} << false << QByteArray("old");
    QTest::newRow("row 1 has nothing above")
        << "en_US" << QByteArrayList{} << false << QByteArray("old");
    QTest::newRow("a zero counts as found")
        << "en_US" << QByteArrayList{"0", "y"} << true << QByteArray("0");
    QTest::newRow("fifteen digits, exponents, signs")
        << "en_US" << QByteArrayList{"0.1", "0.2", "-1e-1", " +2E0 "} << true << QByteArray("2.2");
    QTest::newRow("large totals in exponent form")
        << "en_US" << QByteArrayList{"1e20", "1e20"} << true << QByteArray("2E20");
}

void TestSums::columnSum()
{
    QFETCH(QString, locale);
    QFETCH(QByteArrayList, above);
    QFETCH(bool, written);
    QFETCH(QByteArray, result);

    useLocale(locale);
    QList<QByteArrayList> table{{"n", "other"}};
    for (const QByteArray &cell : above)
        table.append(QByteArrayList{cell, "7"});
    table.append(QByteArrayList{"old", "7"});
    Database database = tableDatabase(table);
    database.setHidden(1, true); // hidden rows count as well

    const int row = database.recordCount();
    QCOMPARE(kribed::columnSum(database, 1, row, regional()), written);
    QCOMPARE(database.cell(1, row), result);
    QCOMPARE(database.isModified(), written);
    QCOMPARE(database.cell(2, row), QByteArray("7"));
}

void TestSums::fieldFactor_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<double>("factor");

    QTest::newRow("no hash") << "en_US" << QByteArray("Qty") << 1.0;
    QTest::newRow("decimal factor") << "en_US" << QByteArray("Price #1.20") << 1.2;
    QTest::newRow("German comma factor") << "de_DE" << QByteArray("Preis #1,5") << 1.5;
    QTest::newRow("point is no separator in German") << "de_DE" << QByteArray("Preis #1.5") << 1.0;
    QTest::newRow("unit after the number does not read")
        << "en_US" << QByteArray("Price #1.20 EUR") << 1.0;
    QTest::newRow("first hash counts") << "en_US" << QByteArray("a#2#3") << 1.0;
    QTest::newRow("lower-case exponent") << "en_US" << QByteArray("x#2e1") << 20.0;
    QTest::newRow("blanks around the number") << "en_US" << QByteArray("x # -3 ") << -3.0;
    QTest::newRow("a 21st character is cut off")
        << "en_US" << QByteArray("#" + QByteArray(20, '0') + "5") << 0.0;
    QTest::newRow("what follows the 20th character is ignored")
        << "en_US" << QByteArray("#" + QByteArray(19, '0') + "5x") << 5.0;
}

void TestSums::fieldFactor()
{
    QFETCH(QString, locale);
    QFETCH(QByteArray, name);
    QFETCH(double, factor);

    useLocale(locale);
    QCOMPARE(double(kribed::fieldFactor(name, regional())), factor);
}

void TestSums::rowSumFillsSumField()
{
    useLocale(QStringLiteral("en_US"));
    Database database = tableDatabase({
        {"Qty", "Price #2", "Total &", "Note"},
        {"3", "1.5", "", "9"},
        {"2", "x", "old", "9"},
        {"", "", "keep", "9"},
        {"1", "0.25", "", "9"},
    });
    RowSumState state;
    state.rowSumMode = true;
    const RowSumOutcome outcome = computeRowSums(database, state, 4, 2, regional());
    QVERIFY(state.rowSumMode);
    QCOMPARE(outcome.column, 3);
    QCOMPARE(columnCells(database, 3), (QByteArrayList{"6", "2", "keep", "1.5"}));
    QCOMPARE(columnCells(database, 4), (QByteArrayList{"9", "9", "9", "9"}));
    QVERIFY(database.isModified());

    // An edit of a price in the grid computes every record again.
    database.setCell(2, 2, "10");
    computeRowSums(database, state, 2, 2, regional());
    QCOMPARE(columnCells(database, 3), (QByteArrayList{"6", "22", "keep", "1.5"}));
}

void TestSums::rowSumOneShot_data()
{
    QTest::addColumn<QByteArrayList>("names");
    QTest::addColumn<int>("column");
    QTest::addColumn<QByteArray>("result");

    QTest::newRow("two sum fields: the current cell only, other & left out")
        << QByteArrayList{"a", "b & c", "c #3", "d &"} << 4 << QByteArray("7");
    QTest::newRow("no sum field: the current cell with factors")
        << QByteArrayList{"a #-1", "b", "c #3", "d"} << 4 << QByteArray("10");
    QTest::newRow("first column has nothing to its left")
        << QByteArrayList{"a", "b", "c", "d"} << 1 << QByteArray("1");
}

void TestSums::rowSumOneShot()
{
    QFETCH(QByteArrayList, names);
    QFETCH(int, column);
    QFETCH(QByteArray, result);

    useLocale(QStringLiteral("en_US"));
    Database database = tableDatabase({names, {"1", "5", "2", "old"}, {"1", "1", "1", "1"}});
    RowSumState state;
    state.rowSumMode = true;
    computeRowSums(database, state, column, 1, regional());
    QVERIFY(!state.rowSumMode);
    QCOMPARE(database.cell(column, 1), result);
    QCOMPARE(database.recordAt(2), (Database::Record{"1", "1", "1", "1"}));
    QCOMPARE(database.isModified(), column != 1);
}

QTEST_GUILESS_MAIN(TestSums)
#include "tst_sums.moc"
