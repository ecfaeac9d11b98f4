// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "editing_fixture.h"
#include "test_regional.h"

#include "core/editing/fill.h"
#include "core/model/field_type.h"
#include "core/model/regional.h"

#include <QtTest>

using namespace kribed;
using namespace kribed::test;
using namespace Qt::Literals::StringLiterals;

// Fields: 1 String, 2 Float, 3 Normal Date (US or German formats), 4 Modification Date.
static Database sample(const QList<QByteArray> &rows, const QList<int> &hidden)
{
    Database database =
        makeDatabase({StringType, FloatType, NormalDateType, ModificationDateType}, rows);
    for (const int record : hidden)
        database.setHidden(record, true);
    return database;
}

class TestFill : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fill_data();
    void fill();
    void refusedSeries_data();
    void refusedSeries();
};

void TestFill::fill_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QList<QByteArray>>("rows");
    QTest::addColumn<QList<int>>("hidden");
    QTest::addColumn<CellRange>("range");
    QTest::addColumn<int>("kind"); // 0 fill down, 1 constant, 2 series
    QTest::addColumn<QByteArray>("start");
    QTest::addColumn<QByteArray>("step");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<int>("leavingType");

    const QList<QByteArray> four{"a|1.5|1/2/2024|", "b|2|x|", "c||1/3/2024|", "d|7|1/4/2024|"};
    const QString us = u"en_US"_s;
    const QString de = u"de_DE"_s;
    const QByteArray stamp = "3/14/2026";
    QTest::newRow("fill down two fields; changed records stamped, the top one not")
        << us << four << QList<int>{} << CellRange{1, 1, 2, 3} << 0 << ""_ba
        << ""_ba
        << "a|1.5|1/2/2024|/a|1.5|x|" + stamp + "/a|1.5|1/3/2024|" + stamp + "/d|7|1/4/2024|" << 0;
    QTest::newRow("fill down passes over hidden records and leaves them alone")
        << us << four << QList<int>{1, 3} << CellRange{1, 1, 1, 4} << 0 << ""_ba
        << ""_ba
        << "a|1.5|1/2/2024|/b|2|x|/c||1/3/2024|/b|7|1/4/2024|" + stamp << 0;
    QTest::newRow("fill down of one record takes the shown record above it")
        << us << four << QList<int>{2} << CellRange{2, 3, 2, 3} << 0 << ""_ba
        << ""_ba
        << "a|1.5|1/2/2024|/b|2|x|/c|1.5|1/3/2024|" + stamp + "/d|7|1/4/2024|" << 0;
    QTest::newRow("fill down of the first record has nothing to take")
        << us << four << QList<int>{} << CellRange{1, 1, 2, 1} << 0 << ""_ba
        << ""_ba
        << "a|1.5|1/2/2024|/b|2|x|/c||1/3/2024|/d|7|1/4/2024|"_ba << 0;
    QTest::newRow("an equal text changes nothing and stamps nothing")
        << us << QList<QByteArray>{"a|", "a|"} << QList<int>{} << CellRange{1, 1, 1, 2} << 0
        << ""_ba
        << ""_ba
        << "a|||/a|||"_ba << 0;
    QTest::newRow("constant in a number field: every cell that read before is counted")
        << us << four << QList<int>{} << CellRange{2, 1, 2, 4} << 1 << "abc"_ba
        << ""_ba
        << "a|abc|1/2/2024|" + stamp + "/b|abc|x|" + stamp + "/c|abc|1/3/2024|" + stamp
               + "/d|abc|1/4/2024|" + stamp
        << 4;
    QTest::newRow("number series, each value from the start (no creeping rounding)")
        << us << four << QList<int>{} << CellRange{2, 1, 2, 4} << 2 << "0.1"_ba
        << "0.1"_ba
        << "a|0.1|1/2/2024|" + stamp + "/b|0.2|x|" + stamp + "/c|0.3|1/3/2024|" + stamp
               + "/d|0.4|1/4/2024|" + stamp
        << 0;
    QTest::newRow("number series over shown records only, negative step")
        << us << four << QList<int>{2} << CellRange{2, 1, 2, 4} << 2 << "10"_ba
        << "-2.5"_ba
        << "a|10|1/2/2024|" + stamp + "/b|2|x|/c|7.5|1/3/2024|" + stamp + "/d|5|1/4/2024|" + stamp
        << 0;
    QTest::newRow("German number series with decimal commas")
        << de << QList<QByteArray>{"a||", "b||", "c||"} << QList<int>{} << CellRange{2, 1, 2, 3}
        << 2 << "1,5"_ba
        << "0,25"_ba
        << "a|1,5||14.03.2026/b|1,75||14.03.2026/c|2||14.03.2026"_ba << 0;
    QTest::newRow("German date series across a month's end, weekly")
        << de << QList<QByteArray>{"a||", "b||", "c||"} << QList<int>{} << CellRange{3, 1, 3, 3}
        << 2 << "24.02.2024"_ba
        << "7"_ba
        << "a||24.02.2024|14.03.2026/b||02.03.2024|14.03.2026/c||09.03.2024|14.03.2026"_ba << 0;
    QTest::newRow("a date filled into a Modification Date cell stays")
        << us << QList<QByteArray>{"a|||", "b|||"} << QList<int>{} << CellRange{4, 1, 4, 2} << 1
        << "1/1/2000"_ba
        << ""_ba
        << "a|||1/1/2000/b|||1/1/2000"_ba << 0;
}

void TestFill::fill()
{
    QFETCH(QString, locale);
    QFETCH(QList<QByteArray>, rows);
    QFETCH(QList<int>, hidden);
    QFETCH(CellRange, range);
    QFETCH(int, kind);
    QFETCH(QByteArray, start);
    QFETCH(QByteArray, step);
    QFETCH(QByteArray, expected);
    QFETCH(int, leavingType);

    const Regional regional(QLocale(locale), "windows-1252");
    Database database = sample(rows, hidden);
    FillTexts fill;
    if (kind == 0) {
        fill = fillDownTexts(database, range);
    } else {
        const SeriesTexts series =
            seriesTexts(database, range, SeriesSpec{kind == 1, start, step}, regional);
        QCOMPARE(series.error, QString());
        fill = series.fill;
    }
    QCOMPARE(countCellsLeavingType(database, fill, regional), leavingType);
    const QByteArray before = allRows(database);
    const bool changed = applyFill(database, fill, fixedNow(), regional);
    QCOMPARE(allRows(database), expected);
    QCOMPARE(changed, expected != before);
    QCOMPARE(database.isModified(), changed);
}

void TestFill::refusedSeries_data()
{
    QTest::addColumn<QByteArray>("start");
    QTest::addColumn<QByteArray>("step");
    QTest::addColumn<QString>("error");

    QTest::newRow("text start") << "abc"_ba
                                << "1"_ba << u"neither as a number"_s;
    QTest::newRow("step no number") << "1"_ba
                                    << "x"_ba << u"The step is no number"_s;
    QTest::newRow("empty step") << "1"_ba
                                << ""_ba << u"The step is no number"_s;
    QTest::newRow("days in fractions") << "1/2/2024"_ba
                                       << "0.5"_ba << u"whole number of days"_s;
    QTest::newRow("past the calendar's end") << "12/31/9999"_ba
                                             << "1"_ba << u"leaves the calendar"_s;
    QTest::newRow("a huge step of days") << "1/2/2024"_ba
                                         << "1e300"_ba << u"whole number"_s;
}

void TestFill::refusedSeries()
{
    QFETCH(QByteArray, start);
    QFETCH(QByteArray, step);
    QFETCH(QString, error);

    const Database database = sample({"a|", "b|", "c|"}, {});
    const SeriesTexts series = seriesTexts(database, CellRange{2, 1, 2, 3},
                                           SeriesSpec{false, start, step}, testRegional());
    QVERIFY2(series.error.contains(error), qPrintable(series.error));
    QVERIFY(series.fill.isEmpty());
}

QTEST_GUILESS_MAIN(TestFill)
#include "tst_fill.moc"
