// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "cli_test_helpers.h"

#include <QtTest>

using namespace kribed::test;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString KundenPath = QStringLiteral(KRIBED_SOURCE_DIR "/examples/Kunden.pdb");

} // namespace

// kribed-cli chart: pictures without a display, the grouped figures as CSV, and the refusals.
class TestCliChart : public CliTestCase
{
    Q_OBJECT

private Q_SLOTS:
    void init() { setUpFolder(); }

    void charts_data();
    void charts();
};

void TestCliChart::charts_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("fileStart"); // the start of --output's file; empty: none
    QTest::addColumn<QString>("text");         // in standard output, else in standard error

    QTest::newRow("dates and amounts as PNG")
        << QStringList{u"--x"_s,    u"Kunde seit"_s, u"--y"_s,
                       u"Umsatz"_s, u"--output"_s,   u"out.png"_s}
        << 0 << "\x89PNG"_ba << u"Wrote"_s;
    QTest::newRow("counts per town as SVG")
        << QStringList{u"--kind"_s,   u"counts"_s,  u"--x"_s,    u"Ort"_s,
                       u"--output"_s, u"out.svg"_s, u"--size"_s, u"400x300"_s}
        << 0 << "<?xml"_ba << u"Wrote"_s;
    QTest::newRow("histogram as PDF")
        << QStringList{u"--kind"_s, u"histogram"_s, u"--y"_s,      u"Umsatz"_s,
                       u"--bins"_s, u"4"_s,         u"--output"_s, u"out.pdf"_s}
        << 0 << "%PDF"_ba << u"Wrote"_s;
    QTest::newRow("turnover per year as CSV")
        << QStringList{u"--group-by"_s, u"Kunde seit:year"_s, u"--sum"_s,
                       u"Umsatz"_s,     u"--table"_s,         u"-"_s}
        << 0 << QByteArray()
        << u"Kunde seit,Records,Sum of Umsatz\n2012,1,8890\n2013,1,15\n2014,1,5120.1\n"_s;
    QTest::newRow("customers per town as CSV, quoted where needed")
        << QStringList{u"--group-by"_s, u"Ort"_s, u"--table"_s, u"-"_s} << 0 << QByteArray()
        << u"Ort,Records,Count\nBremen,5,5\n"_s;
    QTest::newRow("an unknown field")
        << QStringList{u"--y"_s, u"Nope"_s, u"--output"_s, u"out.png"_s} << 1 << QByteArray()
        << u"unknown field 'Nope'."_s;
    QTest::newRow("an unknown period")
        << QStringList{u"--group-by"_s, u"Kunde seit:decade"_s, u"--table"_s, u"-"_s} << 1
        << QByteArray() << u"unknown period 'decade'"_s;
    QTest::newRow("a text field has nothing to plot")
        << QStringList{u"--y"_s, u"Notiz"_s, u"--output"_s, u"out.png"_s} << 1 << QByteArray()
        << u"nothing to plot: Choose a number, date or time field for Y."_s;
    QTest::newRow("no output") << QStringList{u"--y"_s, u"Umsatz"_s} << 2 << QByteArray()
                               << u"chart needs --output"_s;
    QTest::newRow("an output of another kind")
        << QStringList{u"--y"_s, u"Umsatz"_s, u"--output"_s, u"out.jpg"_s} << 2 << QByteArray()
        << u"--output of chart ends in .svg, .png or .pdf."_s;
    QTest::newRow("-y still answers yes")
        << QStringList{u"-y"_s, u"--y"_s, u"Umsatz"_s, u"--output"_s, u"out.png"_s} << 0
        << "\x89PNG"_ba << u"Wrote"_s;
}

void TestCliChart::charts()
{
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, fileStart);
    QFETCH(QString, text);
    const int output = int(options.indexOf(u"--output"_s));
    if (output >= 0)
        options[output + 1] = mDir->filePath(options[output + 1]);
    const CliRun run =
        runCli(QStringList{u"chart"_s, KundenPath, u"--locale"_s, u"de_DE"_s} + options);
    QCOMPARE(run.exitCode, exitCode);
    const QString printed = QString::fromUtf8(run.out) + run.err;
    QVERIFY2(printed.contains(text), qPrintable(printed));
    if (!fileStart.isEmpty())
        QVERIFY(readAll(options[output + 1]).startsWith(fileStart));
    else if (output >= 0)
        QVERIFY(!QFile::exists(options[output + 1]));
}

QTEST_GUILESS_MAIN(TestCliChart)
#include "tst_cli_chart.moc"
