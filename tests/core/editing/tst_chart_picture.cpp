// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "editing_fixture.h"

#include "core/editing/chart_picture.h"
#include "core/model/field_type.h"
#include "core/model/regional.h"

#include <QtTest>

using namespace kribed;
using namespace kribed::test;
using namespace Qt::Literals::StringLiterals;

// What each kind of chart takes from the choices, and the reason when it has nothing to draw.
class TestChartPicture : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pictures_data();
    void pictures();
    void choicesAsText_data();
    void choicesAsText();
};

void TestChartPicture::pictures_data()
{
    QTest::addColumn<QString>("choices");
    // "reason" or "categories=values|records per category ... !not plotted"
    QTest::addColumn<QString>("expected");

    QTest::newRow("stacked bars: one category per record with a value")
        << u"kind=stacked;x=1;y=3,4"_s << u"Bonn,Kiel,Bonn,Ulm=10,20,0,5|1;2;3;4 !1"_s;
    QTest::newRow("counts per town, the most frequent first")
        << u"kind=counts;x=1"_s << u"Bonn,Kiel,Ulm=2,1,1|1 3;2;4 !0"_s;
    QTest::newRow("histogram of a date field in German formats")
        << u"kind=histogram;y=2;bins=2"_s
        << u"01.01.2020 – 01.07.2021,01.07.2021 – 31.12.2022=2,2|1 3;2 4 !0"_s;
    QTest::newRow("grouped sums per year") << u"kind=grouped;group=2;period=year;value=3;"
                                              u"aggregate=sum"_s
                                           << u"2020,2021,2022=10,20,5|1;2 3;4 !1"_s;
    QTest::newRow("a text field for Y")
        << u"kind=line;y=1"_s << u"Choose a number, date or time field for Y."_s;
    QTest::newRow("a histogram of a field with no number")
        << u"kind=histogram;y=5"_s << u"“F5” holds no value of its type."_s;
    QTest::newRow("a sum without a number field")
        << u"kind=grouped;group=1;aggregate=sum"_s << u"Choose a number field for the figures."_s;
    QTest::newRow("counts without a field")
        << u"kind=counts;x=0"_s << u"Choose a field for X to count its values."_s;
}

void TestChartPicture::pictures()
{
    QFETCH(QString, choices);
    QFETCH(QString, expected);
    const Database database =
        makeDatabase({StringType, NormalDateType, FloatType, NormalIntegerType, FloatType},
                     {"Bonn|01.01.2020|10|1|x", "Kiel|31.12.2021|20||y", "Bonn|01.07.2021|abc|2|",
                      "Ulm|31.12.2022|5|3|"});
    const ChartPicture picture =
        buildChartPicture(database, Regional(QLocale(u"de_DE"_s)), ChartChoices::fromText(choices));
    if (picture.isEmpty()) {
        QCOMPARE(picture.reason, expected);
        return;
    }
    QStringList values;
    for (const double value : picture.bars.sets.front().values)
        values << QString::number(value);
    QStringList records;
    for (const QVector<int> &category : picture.bars.records) {
        QStringList numbers;
        for (const int record : category)
            numbers << QString::number(record);
        records << numbers.join(u' ');
    }
    QCOMPARE(u"%1=%2|%3 !%4"_s
                 .arg(picture.bars.categories.join(u','), values.join(u','), records.join(u';'))
                 .arg(picture.notPlotted),
             expected);
}

void TestChartPicture::choicesAsText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    const QString defaults = u"kind=line;x=0;y=;logx=0;logy=0;bins=0;group=0;period=;value=0;"
                             u"aggregate=count"_s;
    QTest::newRow("empty") << QString() << defaults;
    QTest::newRow("kept as written")
        << u"kind=grouped;x=3;y=2,5R;logx=1;logy=1;bins=12;group=4;period=quarter;value=5;"
           u"aggregate=max"_s
        << u"kind=grouped;x=3;y=2,5R;logx=1;logy=1;bins=12;group=4;period=quarter;value=5;"
           u"aggregate=max"_s;
    QTest::newRow("damaged entries fall back, fields beyond 50 are dropped")
        << u"kind=pie;x=99;y=0,51,7,R,x;bins=100000;period=decade;junk"_s
        << u"kind=line;x=0;y=7;logx=0;logy=0;bins=500;group=0;period=;value=0;aggregate=count"_s;
}

void TestChartPicture::choicesAsText()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(ChartChoices::fromText(text).toText(), expected);
}

QTEST_GUILESS_MAIN(TestChartPicture)
#include "tst_chart_picture.moc"
