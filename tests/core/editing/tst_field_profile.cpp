// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "editing_fixture.h"

#include "core/editing/field_profile.h"
#include "core/model/field_type.h"
#include "core/model/regional.h"

#include <QtTest>

#include <cmath>

using namespace kribed;
using namespace kribed::test;
using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray countsText(const QVector<ValueCount> &counts)
{
    QByteArrayList parts;
    for (const ValueCount &value : counts)
        parts << value.text + '=' + QByteArray::number(value.count);
    return parts.join(';');
}

QByteArray numberText(const std::optional<long double> &value)
{
    return value ? generalNumberText(*value, '.') : "none"_ba;
}

} // namespace

class TestFieldProfile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void profile_data();
    void profile();
    void statisticsAsFieldStatistics_data();
    void statisticsAsFieldStatistics();
};

void TestFieldProfile::profile_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QList<QByteArray>>("cells");
    QTest::addColumn<int>("limit");
    // "empty distinct min..max !unreadable [unreadable values] top values"
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("German numbers: extremes of what reads, the rest counted apart")
        << int(FloatType) << QList<QByteArray>{"1.234,5", "-2", "", "abc", "-2", "1,5e3", "abc"}
        << 50 << "1 5 -2..1500 !2 [abc=2] -2=2;abc=2;=1;1,5e3=1;1.234,5=1"_ba;
    QTest::newRow("the limit keeps the most frequent")
        << int(NormalIntegerType) << QList<QByteArray>{"3", "1", "3", "2"} << 1
        << "0 3 1..3 !0 [] 3=2"_ba;
    QTest::newRow("dates: no number extremes, unreadable dates counted")
        << int(NormalDateType) << QList<QByteArray>{"01.02.2024", "2024-02-01", ""} << 50
        << "1 3 none..none !1 [2024-02-01=1] =1;01.02.2024=1;2024-02-01=1"_ba;
    QTest::newRow("Booleans read only as 0 and 1")
        << int(BooleanType) << QList<QByteArray>{"1", "0", "yes", "1"} << 50
        << "0 3 none..none !1 [yes=1] 1=2;0=1;yes=1"_ba;
    QTest::newRow("9999 identical values")
        << int(FloatType) << QList<QByteArray>(9999, "7") << 50 << "0 1 7..7 !0 [] 7=9999"_ba;
    QTest::newRow("texts alike in their first eight bytes are told apart")
        << int(StringType)
        << QList<QByteArray>{"abcdefgh", "abcdefgh1", "abcdefgh2", "abcdefgh1", "", "abcdefg"} << 50
        << "1 5 none..none !0 [] abcdefgh1=2;=1;abcdefg=1;abcdefgh=1;abcdefgh2=1"_ba;
    QTest::newRow("no records") << int(FloatType) << QList<QByteArray>{} << 50
                                << "0 0 none..none !0 [] "_ba;
}

void TestFieldProfile::profile()
{
    QFETCH(int, type);
    QFETCH(QList<QByteArray>, cells);
    QFETCH(int, limit);
    QFETCH(QByteArray, expected);

    Database database = makeDatabase({type}, cells);
    // Hidden records count too: the profile is of the whole field.
    if (database.recordCount() > 1)
        database.setHidden(1, true);
    const FieldProfile profile = fieldProfile(database, 1, Regional(QLocale(u"de_DE"_s)), limit);
    QCOMPARE(profile.empty + profile.statistics.filled, database.recordCount());
    const QByteArray text =
        QByteArray::number(profile.empty) + ' ' + QByteArray::number(profile.distinct) + ' '
        + numberText(profile.minimum) + ".." + numberText(profile.maximum) + " !"
        + QByteArray::number(profile.unreadable) + " [" + countsText(profile.unreadableValues)
        + "] " + countsText(profile.mostFrequent);
    QCOMPARE(text, expected);
    QCOMPARE(fieldProfile(database, 2, Regional(), limit).distinct, 0);
}

void TestFieldProfile::statisticsAsFieldStatistics_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QList<QByteArray>>("cells");

    QTest::newRow("numbers, a total that rounds in record order")
        << int(FloatType)
        << QList<QByteArray>{"0,1", "1e300", "0,1", "-1e300", "", "x", "1,5e3", "0,1"};
    QTest::newRow("numbers too large to be finite")
        << int(FloatType) << QList<QByteArray>{"1e5000", "-1e5000", "2"};
    QTest::newRow("dates: own form, other forms, notes")
        << int(NormalDateType)
        << QList<QByteArray>{"01.02.2024", "1.2.2024", "01.02.24",   "",
                             "31.12.1899", "soon",     "01.02.2024", " 03.03.2023 "};
    QTest::newRow("times: own form, short form, notes")
        << int(NormalTimeType)
        << QList<QByteArray>{"23:59:59", "00:00:00", "9:05", "12:30", "", "later", "24:00:00"};
    QTest::newRow("Booleans: empty counts as checked")
        << int(BooleanType) << QList<QByteArray>{"1", "0", "", "yes", "0"};
    QTest::newRow("texts") << int(StringType) << QList<QByteArray>{"a", "", "a", "b"};
}

// The profile's single pass gives what fieldStatistics gives.
void TestFieldProfile::statisticsAsFieldStatistics()
{
    QFETCH(int, type);
    QFETCH(QList<QByteArray>, cells);
    const Database database = makeDatabase({type}, cells);
    const Regional regional(QLocale(u"de_DE"_s));
    const FieldStatistics expected = fieldStatistics(database, 1, regional);
    const FieldStatistics got = fieldProfile(database, 1, regional).statistics;
    QCOMPARE(got.kind, expected.kind);
    QCOMPARE(got.filled, expected.filled);
    QCOMPARE(got.checked, expected.checked);
    QCOMPARE(got.unchecked, expected.unchecked);
    QCOMPARE(got.numberTotals.numbers, expected.numberTotals.numbers);
    // Bit for bit: the same additions in the same order.
    const long double total = got.numberTotals.total;
    const long double expectedTotal = expected.numberTotals.total;
    QVERIFY(total == expectedTotal || (std::isnan(total) && std::isnan(expectedTotal)));
    QCOMPARE(got.readable, expected.readable);
    QCOMPARE(got.earliestDate, expected.earliestDate);
    QCOMPARE(got.latestDate, expected.latestDate);
    QCOMPARE(got.earliestTime, expected.earliestTime);
    QCOMPARE(got.latestTime, expected.latestTime);
}

QTEST_GUILESS_MAIN(TestFieldProfile)
#include "tst_field_profile.moc"
