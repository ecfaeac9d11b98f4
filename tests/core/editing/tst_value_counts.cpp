// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "editing_fixture.h"

#include "core/editing/value_counts.h"
#include "core/model/field_type.h"
#include "core/model/regional.h"

#include <QtTest>

using namespace kribed;
using namespace kribed::test;
using namespace Qt::Literals::StringLiterals;

// Counts written as "text=count" joined by ';', to compare a whole list at a glance.
static QByteArray joined(const QVector<ValueCount> &counts)
{
    QByteArrayList parts;
    for (const ValueCount &value : counts)
        parts.append(value.text + '=' + QByteArray::number(value.count));
    return parts.join(';');
}

class TestValueCounts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void counts_data();
    void counts();
};

void TestValueCounts::counts_data()
{
    QTest::addColumn<QList<QByteArray>>("cells");
    QTest::addColumn<QList<int>>("hidden");
    QTest::addColumn<int>("records"); // 0: shown, 1: all, 2: the list {4, 1, 99, 4}
    QTest::addColumn<int>("order");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<int>("type");

    const QList<QByteArray> towns{"Bremen", "", "Hamburg", "Bremen", "bremen", "Aachen", ""};
    const int byCount = int(ValueOrder::ByCount);
    const int byText = int(ValueOrder::ByText);
    QTest::newRow("most frequent first, ties in regional order, the empty text a value")
        << towns << QList<int>{} << 1 << byCount << "=2;Bremen=2;Aachen=1;bremen=1;Hamburg=1"_ba
        << int(StringType);
    QTest::newRow("by text: empty first, then regional order (case apart)")
        << towns << QList<int>{} << 1 << byText << "=2;Aachen=1;bremen=1;Bremen=2;Hamburg=1"_ba
        << int(StringType);
    QTest::newRow("hidden records are left out of the shown ones")
        << towns << QList<int>{1, 2} << 0 << byCount << "=1;Aachen=1;bremen=1;Bremen=1;Hamburg=1"_ba
        << int(StringType);
    QTest::newRow("hidden records count when all are asked for")
        << towns << QList<int>{1, 2} << 1 << byCount << "=2;Bremen=2;Aachen=1;bremen=1;Hamburg=1"_ba
        << int(StringType);
    QTest::newRow("a list of records: repeats count again, numbers out of range skipped")
        << towns << QList<int>{} << 2 << byCount << "Bremen=3"_ba << int(StringType);
    QTest::newRow("no records") << QList<QByteArray>{} << QList<int>{} << 1 << byCount << ""_ba
                                << int(StringType);
    const int byValue = int(ValueOrder::ByValue);
    const QList<QByteArray> numbers{"10", "9,5", "", "1.000", "-2", "zehn", "9,5"};
    QTest::newRow("by value: numbers as numbers, unreadable texts last")
        << numbers << QList<int>{} << 1 << byValue << "=1;-2=1;9,5=2;10=1;1.000=1;zehn=1"_ba
        << int(FloatType);
    QTest::newRow("by value: the same texts in a text field by text")
        << numbers << QList<int>{} << 1 << byValue << "=1;-2=1;1.000=1;10=1;9,5=2;zehn=1"_ba
        << int(StringType);
    QTest::newRow("by value: dates by day, not by their text")
        << QList<QByteArray>{"02.01.2024", "31.12.2023", "15.06.2023", "30.02.2023"} << QList<int>{}
        << 1 << byValue << "15.06.2023=1;31.12.2023=1;02.01.2024=1;30.02.2023=1"_ba
        << int(NormalDateType);
    QTest::newRow("by value: times by the clock, unreadable ones last")
        << QList<QByteArray>{"10:00:00", "--:--", "09:30:00"} << QList<int>{} << 1 << byValue
        << "09:30:00=1;10:00:00=1;--:--=1"_ba << int(NormalTimeType);
}

void TestValueCounts::counts()
{
    QFETCH(QList<QByteArray>, cells);
    QFETCH(QList<int>, hidden);
    QFETCH(int, records);
    QFETCH(int, order);
    QFETCH(QByteArray, expected);
    QFETCH(int, type);

    Database database = makeDatabase({StringType, type}, {});
    database.setShape(2, int(cells.size()));
    for (int record = 1; record <= database.recordCount(); ++record)
        database.setCell(2, record, cells[record - 1]);
    for (const int record : hidden)
        database.setHidden(record, true);

    const Regional regional{QLocale(u"de_DE"_s)};
    const auto valueOrder = ValueOrder(order);
    const QVector<ValueCount> counts =
        records == 2
            ? valueCounts(database, 2, QVector<int>{4, 1, 99, 4}, regional, valueOrder)
            : valueCounts(database, 2, records == 0 ? CountedRecords::Shown : CountedRecords::All,
                          regional, valueOrder);
    QCOMPARE(joined(counts), expected);
    // A field that is not there counts nothing.
    QVERIFY(valueCounts(database, 3, CountedRecords::All, regional).isEmpty());
}

QTEST_GUILESS_MAIN(TestValueCounts)
#include "tst_value_counts.moc"
