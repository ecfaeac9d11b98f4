// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "editing_fixture.h"

#include "core/editing/field_statistics.h"
#include "core/model/field_type.h"
#include "core/model/regional.h"

#include <QtTest>

using namespace kribed;
using namespace kribed::test;
using namespace Qt::Literals::StringLiterals;

// The same cells read under several regional formats: what counts as a number, a date or a time
// follows the formats, so a German archive read with English formats finds almost nothing.
class TestFieldStatistics : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void statistics_data();
    void statistics();
    void extremesOfOneCell();
};

void TestFieldStatistics::statistics_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("type");
    QTest::addColumn<QList<QByteArray>>("cells");
    QTest::addColumn<int>("filled");
    QTest::addColumn<int>("counted"); // numbers, readable dates or times, checked Booleans
    QTest::addColumn<double>("total");
    QTest::addColumn<QString>("earliest"); // ISO date or time
    QTest::addColumn<QString>("latest");

    const QList<QByteArray> amounts{"1520,50", "0", "abc", "", "2,25"};
    QTest::newRow("de_DE: decimal commas are numbers")
        << u"de_DE"_s << int(FloatType) << amounts << 4 << 3 << 1522.75 << QString() << QString();
    QTest::newRow("en_US: only the plain zero is a number")
        << u"en_US"_s << int(FloatType) << amounts << 4 << 1 << 0.0 << QString() << QString();
    QTest::newRow("en_US: a decimal point and an exponent")
        << u"en_US"_s << int(NormalIntegerType) << QList<QByteArray>{" 1.5 ", "-2e1", "1,234.5"}
        << 3 << 3 << 1216.0 << QString() << QString();
    QTest::newRow("de_DE: grouped amounts, a misplaced group stays text")
        << u"de_DE"_s << int(FloatType) << QList<QByteArray>{"1.731,07", "1.73,07", "12.000"} << 3
        << 2 << 13731.07 << QString() << QString();

    const QList<QByteArray> dates{"12.03.2019", "01.01.2020", "3/14/2026", "", "31.02.2020"};
    QTest::newRow("de_DE: German dates, an impossible day skipped")
        << u"de_DE"_s << int(ModificationDateType) << dates << 4 << 2 << 0.0 << u"2019-03-12"_s
        << u"2020-01-01"_s;
    QTest::newRow("en_US: only the American date reads")
        << u"en_US"_s << int(NormalDateType) << dates << 4 << 1 << 0.0 << u"2026-03-14"_s
        << u"2026-03-14"_s;

    const QList<QByteArray> times{"14:05:00", "09:30:00", "2:05:00 PM", "noon"};
    QTest::newRow("de_DE: 24-hour times") << u"de_DE"_s << int(NormalTimeType) << times << 4 << 2
                                          << 0.0 << u"09:30:00"_s << u"14:05:00"_s;
    QTest::newRow("en_US: the time with PM") << u"en_US"_s << int(CreationTimeType) << times << 4
                                             << 1 << 0.0 << u"14:05:00"_s << u"14:05:00"_s;

    // Booleans and texts read the same under every format.
    for (const QString &locale : {u"de_DE"_s, u"en_US"_s}) {
        QTest::addRow("%s: Boolean, an empty cell is checked", qPrintable(locale))
            << locale << int(BooleanType) << QList<QByteArray>{"1", "0", "", "0"} << 3 << 2 << 0.0
            << QString() << QString();
        QTest::addRow("%s: a text field counts filled cells only", qPrintable(locale))
            << locale << int(StringType) << QList<QByteArray>{"1,5", "", "x"} << 2 << 0 << 0.0
            << QString() << QString();
    }
}

void TestFieldStatistics::statistics()
{
    QFETCH(QString, locale);
    QFETCH(int, type);
    QFETCH(QList<QByteArray>, cells);
    QFETCH(int, filled);
    QFETCH(int, counted);
    QFETCH(double, total);
    QFETCH(QString, earliest);
    QFETCH(QString, latest);

    Database database = makeDatabase({StringType, type}, {});
    database.setShape(2, int(cells.size()));
    database.setFieldType(2, type);
    for (int record = 1; record <= database.recordCount(); ++record)
        database.setCell(2, record, cells[record - 1]);
    // Hidden records count like any other, as in the column hint.
    database.setHidden(1, true);

    const Regional regional{QLocale(locale)};
    const FieldStatistics statistics = fieldStatistics(database, 2, regional);
    QCOMPARE(statistics.filled, filled);
    switch (statistics.kind) {
    case FieldKind::Boolean:
        QCOMPARE(statistics.checked, counted);
        QCOMPARE(statistics.unchecked, int(cells.size()) - counted);
        QCOMPARE(checkedCount(database, 2), counted);
        break;
    case FieldKind::Number:
        QCOMPARE(statistics.numberTotals.numbers, counted);
        QCOMPARE(double(statistics.numberTotals.total), total);
        QCOMPARE(numberTotals(database, 2, regional).numbers, counted);
        break;
    case FieldKind::Date:
        QCOMPARE(statistics.readable, counted);
        QCOMPARE(statistics.earliestDate.toString(Qt::ISODate), earliest);
        QCOMPARE(statistics.latestDate.toString(Qt::ISODate), latest);
        break;
    case FieldKind::Time:
        QCOMPARE(statistics.readable, counted);
        QCOMPARE(statistics.earliestTime.toString(Qt::ISODate), earliest);
        QCOMPARE(statistics.latestTime.toString(Qt::ISODate), latest);
        break;
    case FieldKind::Text:
        QCOMPARE(type, int(StringType));
        QCOMPARE(counted, 0);
        break;
    }
}

// A range of one value has it at both ends; a range of none has neither.
void TestFieldStatistics::extremesOfOneCell()
{
    const Regional regional{QLocale(u"de_DE"_s)};
    Database database = makeDatabase({NormalDateType}, {"x", "05.06.2007", ""});
    FieldStatistics statistics = fieldStatistics(database, 1, regional);
    QCOMPARE(statistics.readable, 1);
    QCOMPARE(statistics.earliestDate, QDate(2007, 6, 5));
    QCOMPARE(statistics.latestDate, QDate(2007, 6, 5));

    database.setCell(1, 2, "later");
    statistics = fieldStatistics(database, 1, regional);
    QCOMPARE(statistics.readable, 0);
    QVERIFY(!statistics.earliestDate.isValid() && !statistics.latestDate.isValid());
}

QTEST_GUILESS_MAIN(TestFieldStatistics)
#include "tst_field_statistics.moc"
