// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "editing_fixture.h"

#include "core/editing/chart_data.h"
#include "core/editing/chart_groups.h"
#include "core/model/field_type.h"
#include "core/model/regional.h"

#include <QtTest>

#include <cmath>
#include <limits>

using namespace kribed;
using namespace kribed::test;
using namespace Qt::Literals::StringLiterals;

namespace {

// A value on its axis as a reader checks it: dates and times as ISO texts.
QString axisText(double value, AxisKind kind)
{
    switch (kind) {
    case AxisKind::Date:
        return QDate::fromJulianDay(qint64(std::floor(value / 86400000.0)) + 2440588)
            .toString(Qt::ISODate);
    case AxisKind::Time: return QTime::fromMSecsSinceStartOfDay(int(value)).toString(Qt::ISODate);
    case AxisKind::Number:
    case AxisKind::Category: break;
    }
    return QString::number(value, 'g', 17);
}

// "record:x:y" per point, series apart by '/', then "!n" for the values not plotted.
QString seriesText(const XyChart &chart, AxisKind yKind)
{
    QStringList series;
    for (const ChartSeries &one : chart.series) {
        QStringList points;
        for (const ChartPoint &point : one.points)
            points << u"%1:%2:%3"_s.arg(point.record)
                          .arg(axisText(point.x, chart.xKind), axisText(point.y, yKind));
        series << points.join(u' ') + u" !"_s + QString::number(one.notPlotted);
    }
    return series.join(u" / "_s);
}

Database databaseOf(const QList<int> &types, const QList<QByteArray> &rows,
                    const QList<int> &hidden = {})
{
    Database database = makeDatabase(types, rows);
    for (const int record : hidden)
        database.setHidden(record, true);
    return database;
}

} // namespace

class TestChartData : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void series_data();
    void series();
    void histogram_data();
    void histogram();
    void groups_data();
    void groups();
    void categoriesAndLabels();
};

void TestChartData::series_data()
{
    QTest::addColumn<QList<int>>("types");
    QTest::addColumn<QList<QByteArray>>("rows");
    QTest::addColumn<QList<int>>("hidden");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("xField");
    QTest::addColumn<QList<int>>("yFields");
    QTest::addColumn<QString>("expected");

    const QList<int> dateNumber{NormalDateType, FloatType, NormalIntegerType};
    QTest::newRow("German dates and numbers; empty left out silently, unreadable counted")
        << dateNumber
        << QList<QByteArray>{"01.02.2024|1.234,5|7", "|2|x", "31.12.1899|-0,25|", "2024-01-01|3|4"}
        << QList<int>{} << u"de_DE"_s << 1 << QList<int>{2, 3}
        << u"1:2024-02-01:1234.5 3:1899-12-31:-0.25 !2 / 1:2024-02-01:7 !2"_s;
    QTest::newRow("the same texts under US formats read differently")
        << dateNumber << QList<QByteArray>{"2/1/2024|1,234.5|7", "01.02.2024|2|3"} << QList<int>{}
        << u"en_US"_s << 1 << QList<int>{2} << u"1:2024-02-01:1234.5 !1"_s;
    QTest::newRow("record number axis, hidden records left out, grid order kept")
        << QList<int>{FloatType} << QList<QByteArray>{"5", "6", "7", "1e300", "-1e300"}
        << QList<int>{2} << u"en_US"_s << 0 << QList<int>{1}
        << u"1:1:5 3:3:7 4:4:1.0000000000000001e+300 5:5:-1.0000000000000001e+300 !0"_s;
    QTest::newRow("a text X gives categories in order of appearance")
        << QList<int>{StringType, NormalIntegerType}
        << QList<QByteArray>{"Köln|1", "Bonn|2", "Köln|3", "|4"} << QList<int>{} << u"en_US"_s << 1
        << QList<int>{2} << u"1:0:1 2:1:2 3:0:3 4:2:4 !0"_s;
    QTest::newRow("times on their axis, a popup Y has no values")
        << QList<int>{NormalTimeType, NormalPopupType, FloatType}
        << QList<QByteArray>{"14:05:09|a|1", "25:00:00|b|2"} << QList<int>{} << u"de_DE"_s << 1
        << QList<int>{3, 2} << u"1:14:05:09:1 !1 /  !2"_s;
    QTest::newRow("no value of its type: nothing drawn, every filled cell counted")
        << QList<int>{FloatType} << QList<QByteArray>{"abc", "", "1e999"} << QList<int>{}
        << u"en_US"_s << 0 << QList<int>{1} << u" !2"_s;
    QTest::newRow("unknown fields are skipped, one record")
        << QList<int>{FloatType} << QList<QByteArray>{"3"} << QList<int>{} << u"en_US"_s << 7
        << QList<int>{9, 1} << u"1:1:3 !0"_s;
}

void TestChartData::series()
{
    QFETCH(QList<int>, types);
    QFETCH(QList<QByteArray>, rows);
    QFETCH(QList<int>, hidden);
    QFETCH(QString, locale);
    QFETCH(int, xField);
    QFETCH(QList<int>, yFields);
    QFETCH(QString, expected);

    const Database database = databaseOf(types, rows, hidden);
    const Regional regional{QLocale(locale)};
    const XyChart chart = buildXyChart(database, regional, xField, yFields);
    const AxisKind yKind = chart.series.isEmpty()
                               ? AxisKind::Number
                               : axisKindOf(database.fieldType(chart.series.front().field));
    QCOMPARE(seriesText(chart, yKind), expected);
}

void TestChartData::histogram_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QList<QByteArray>>("cells");
    QTest::addColumn<int>("binCount");
    QTest::addColumn<QString>("expected");

    QList<QByteArray> hundred;
    for (int i = 1; i <= 100; ++i)
        hundred << QByteArray::number(i);
    // Freedman-Diaconis: IQR 76 - 26 = 50, width 2*50/cbrt(100) = 21.5, 99/21.5 -> 5 bins.
    QTest::newRow("automatic bins") << int(FloatType) << hundred << 0
                                    << u"1..20.8=20 20.8..40.6=20 40.6..60.4=20 60.4..80.2=20 "
                                       u"80.2..100=20 !0"_s;
    QTest::newRow("a chosen count, the largest value in the last bin")
        << int(NormalIntegerType) << QList<QByteArray>{"0", "1", "2", "3", "4", "x", ""} << 2
        << u"0..2=2 2..4=3 !1"_s;
    QTest::newRow("identical values give one bin around them")
        << int(FloatType) << QList<QByteArray>(9999, "7") << 0 << u"6.5..7.5=9999 !0"_s;
    QTest::newRow("quartiles that coincide take Sturges's count")
        << int(FloatType) << QList<QByteArray>{"1", "1", "1", "1", "1", "1", "1", "9"} << 0
        << u"1..3=7 3..5=0 5..7=0 7..9=1 !0"_s;
    QTest::newRow("floats at the ends of the double range do not overflow")
        << int(FloatType) << QList<QByteArray>{"-1.7e308", "1.7e308"} << 2
        << u"-1.7e+308..0=1 0..1.7e+308=1 !0"_s;
    QTest::newRow("dates across centuries")
        << int(NormalDateType) << QList<QByteArray>{"1/1/1800", "1/1/2200", "7/4/1999"} << 2
        << u"1800-01-01..2000-01-01=2 2000-01-01..2200-01-01=1 !0"_s;
    QTest::newRow("no value of its type")
        << int(FloatType) << QList<QByteArray>{"a", "b"} << 0 << u"!2"_s;
    QTest::newRow("more bins asked than allowed")
        << int(FloatType) << QList<QByteArray>{"0", "1"} << 100000 << u"500 bins"_s;
}

void TestChartData::histogram()
{
    QFETCH(int, type);
    QFETCH(QList<QByteArray>, cells);
    QFETCH(int, binCount);
    QFETCH(QString, expected);

    QList<QByteArray> rows = cells;
    const Database database = databaseOf({type}, rows);
    const Histogram histogram =
        buildHistogram(database, Regional(QLocale(u"en_US"_s)), 1, binCount);
    int counted = 0;
    QStringList bins;
    for (int i = 0; i < histogram.bins.size(); ++i) {
        const HistogramBin &bin = histogram.bins[i];
        QCOMPARE(histogram.records[i].size(), bin.count);
        counted += bin.count;
        const auto text = [&histogram](double value) {
            return histogram.kind == AxisKind::Date ? axisText(value, AxisKind::Date)
                                                    : QString::number(value, 'g', 3);
        };
        bins << u"%1..%2=%3"_s.arg(text(bin.from), text(bin.to)).arg(bin.count);
    }
    QCOMPARE(counted, histogram.values);
    if (expected.endsWith(u" bins"_s))
        QCOMPARE(u"%1 bins"_s.arg(histogram.bins.size()), expected);
    else
        QCOMPARE((bins << u"!"_s + QString::number(histogram.notPlotted)).join(u' '), expected);
}

void TestChartData::groups_data()
{
    QTest::addColumn<QList<int>>("types");
    QTest::addColumn<QList<QByteArray>>("rows");
    QTest::addColumn<QString>("period");
    QTest::addColumn<int>("valueField");
    QTest::addColumn<QString>("aggregate");
    QTest::addColumn<QString>("expected");

    const QList<int> types{NormalDateType, StringType, FloatType};
    const QList<QByteArray> orders{"15.01.2024|Köln|10",   "20.02.2024|Bonn|1,5",
                                   "31.01.2024|Köln|x",    "01.04.2023|Aachen|-3",
                                   "kein Datum|Bonn|2",    "|Köln|5",
                                   "01.01.0900|Bonn|1e300"};
    QTest::newRow("sum per month, in time order, unreadable dates and values counted")
        << types << orders << u"month"_s << 3 << u"sum"_s
        << u"0900-01 1 1E300|2023-04 1 -3|2024-01 2 10|2024-02 1 1,5|!2"_s;
    QTest::newRow("average per quarter") << types << orders << u"quarter"_s << 3 << u"average"_s
                                         << u"0900 Q1 1 1E300|2023 Q2 1 -3|2024 Q1 3 5,75|!2"_s;
    QTest::newRow("records per year, no value field")
        << types << orders << u"year"_s << 0 << u"count"_s << u"0900 1 1|2023 1 1|2024 3 3|!1"_s;
    QTest::newRow("ISO weeks: 1 January 2021 is in week 53 of 2020")
        << types << QList<QByteArray>{"01.01.2021||1", "04.01.2021||2"} << u"week"_s << 3
        << u"max"_s << u"2020-W53 1 1|2021-W01 1 2|!0"_s;
    QTest::newRow("days in the regional format")
        << types << QList<QByteArray>{"02.01.2021||1", "02.01.2021||4"} << u"day"_s << 3 << u"min"_s
        << u"02.01.2021 2 1|!0"_s;
    QTest::newRow("minimum per town, regional order, the empty text first")
        << types << QList<QByteArray>{"|Zell|3", "||1", "|Aachen|x", "|Zell|-2", "|aal|5"} << u""_s
        << 3 << u"min"_s << u" 1 1|Aachen 1 0|aal 1 5|Zell 2 -2|!1"_s;
    QTest::newRow("values counted per town") << types << QList<QByteArray>{"|B|1", "|B|", "|A|2"}
                                             << u""_s << 3 << u"count"_s << u"A 1 1|B 2 1|!0"_s;
}

void TestChartData::groups()
{
    QFETCH(QList<int>, types);
    QFETCH(QList<QByteArray>, rows);
    QFETCH(QString, period);
    QFETCH(int, valueField);
    QFETCH(QString, aggregate);
    QFETCH(QString, expected);

    const Database database = databaseOf(types, rows);
    const Regional regional{QLocale(u"de_DE"_s)};
    GroupRequest request;
    request.keyField = period.isEmpty() ? 2 : 1;
    QVERIFY(period.isEmpty() || periodNamed(period, request.period));
    request.valueField = valueField;
    QVERIFY(aggregateNamed(aggregate, request.aggregate));
    const GroupedFigures figures = groupFigures(database, regional, request);
    QStringList rowsText;
    for (const GroupRow &row : figures.rows)
        rowsText << u"%1 %2 %3"_s.arg(row.label)
                        .arg(row.records.size())
                        .arg(QString::fromLatin1(regional.numberText(row.figure)));
    QCOMPARE((rowsText << u"!"_s + QString::number(figures.notPlotted)).join(u'|'), expected);
}

void TestChartData::categoriesAndLabels()
{
    // Counts follow the filter; a 4000-byte text is one category and its label is cut.
    const QByteArray longText(4000, 'x');
    Database database =
        databaseOf({StringType}, {"Bonn", longText, "Köln", "Bonn", "Köln", "Bonn"}, {5});
    const QVector<CategoryCount> counts =
        categoryCounts(database, Regional(QLocale(u"de_DE"_s)), 1);
    QCOMPARE(counts.size(), 3);
    QCOMPARE(counts[0].text, "Bonn"_ba);
    QCOMPARE(counts[0].count, 3);
    QCOMPARE(counts[2].text, longText);
    QCOMPARE(shortLabel(QString::fromLatin1(longText), 10), u"xxxxxxxxx…"_s);
    QCOMPARE(shortLabel(u"  two\nlines "_s), u"two lines"_s);

    // The table's text: tabs with regional numbers, or CSV with quoted labels and plain numbers.
    GroupedFigures figures;
    figures.rows.append(GroupRow{u"Köln, Nord"_s, {1, 2}, 2, 1234.5});
    const TableHeadings headings{u"Town"_s, u"Records"_s, u"Sum of \"Total\""_s};
    QCOMPARE(groupTable(figures, headings, Regional(QLocale(u"de_DE"_s)), TableForm::Tabs),
             u"Town\tRecords\tSum of \"Total\"\nKöln, Nord\t2\t1234,5\n"_s);
    QCOMPARE(groupTable(figures, headings, Regional(QLocale(u"de_DE"_s)), TableForm::Csv),
             u"Town,Records,\"Sum of \"\"Total\"\"\"\n\"Köln, Nord\",2,1234.5\n"_s);
}

QTEST_GUILESS_MAIN(TestChartData)
#include "tst_chart_data.moc"
