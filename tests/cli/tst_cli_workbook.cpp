// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
//
// kribed-cli export --type xlsx: the workbook in the regional formats --locale names, the cells
// kept as text on standard error, the failures.
#include "cli_test_helpers.h"

#include <QFileInfo>

using namespace kribed::test;
using namespace Qt::Literals::StringLiterals;

namespace {

QString kunden()
{
    return QStringLiteral(KRIBED_SOURCE_DIR "/examples/Kunden.pdb");
}

// Row 2 of the first sheet as openpyxl reads it: "type:value" per cell, joined by blanks.
QString secondRow(const QString &path)
{
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import sys, openpyxl\n"
                                 "ws = openpyxl.load_workbook(sys.argv[1]).worksheets[0]\n"
                                 "print(ws.title, ' '.join('%s:%s' % (c.data_type, c.value) "
                                 "for c in ws[2][5:8]))"),
                  path});
    if (!python.waitForFinished(60000) || python.exitCode() != 0)
        return QString::fromUtf8(python.readAllStandardError());
    return QString::fromUtf8(python.readAllStandardOutput()).trimmed();
}

} // namespace

class TestCliWorkbook : public CliTestCase
{
    Q_OBJECT

private Q_SLOTS:
    void init() { setUpFolder(); }

    void exportInLocale_data();
    void exportInLocale();
    void failedExportIsExitOne();
    void usageErrors_data();
    void usageErrors();
};

void TestCliWorkbook::exportInLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("row");     // "Kunde seit", "Stammkunde", "Umsatz" of record 1
    QTest::addColumn<QString>("message"); // on standard error; empty: none
    QTest::newRow("the database's formats")
        << u"de_DE"_s << u"Kunden d:2019-03-12 00:00:00 b:True n:1520.5"_s << QString();
    // Read in US formats the German dates and numbers do not convert: they stay texts.
    QTest::newRow("other formats")
        << u"en_US"_s << u"Kunden s:12.03.2019 b:True s:1520,50"_s
        << u"Export: 58 cells did not read as their field's type and were kept as text:\n"
           "Kunde seit, record 0001: \"12.03.2019\"\n"_s;
}

void TestCliWorkbook::exportInLocale()
{
    QFETCH(QString, locale);
    QFETCH(QString, row);
    QFETCH(QString, message);
    const QString out = pathOf(u"Kunden.xlsx"_s);
    const CliRun run =
        runCli({u"export"_s, kunden(), out, u"--type"_s, u"xlsx"_s, u"--locale"_s, locale});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, "Wrote " + QFileInfo(out).absoluteFilePath().toUtf8() + '\n');
    if (message.isEmpty())
        QCOMPARE(run.err, QString());
    else
        QVERIFY2(run.err.startsWith(message), qPrintable(run.err));
    QCOMPARE(secondRow(out), row);
}

void TestCliWorkbook::failedExportIsExitOne()
{
    const QString out = pathOf(u"gone/Kunden.xlsx"_s);
    const CliRun run = runCli({u"export"_s, kunden(), out, u"--type"_s, u"XLSX"_s});
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.out.isEmpty());
    QVERIFY2(run.err.contains(u"There was an error in saving the file."_s), qPrintable(run.err));
    QVERIFY(!QFileInfo::exists(out));
}

void TestCliWorkbook::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("import of a workbook")
        << QStringList{u"import"_s, u"a.xlsx"_s, u"b.pdb"_s, u"--type"_s, u"xlsx"_s}
        << u"--type is comma"_s;
    QTest::newRow("append of a workbook")
        << QStringList{u"append"_s, kunden(), u"b.xlsx"_s, u"--type"_s, u"xlsx"_s}
        << u"(for export) xlsx, not 'xlsx'"_s;
    QTest::newRow("table of a workbook")
        << QStringList{u"export"_s, kunden(),     u"b.xlsx"_s, u"--type"_s,
                       u"xlsx"_s,   u"--table"_s, u"Kunden"_s}
        << u"--table is not used by export"_s;
    QTest::newRow("encoding of a workbook")
        << QStringList{u"export"_s, kunden(),        u"b.xlsx"_s, u"--type"_s,
                       u"xlsx"_s,   u"--encoding"_s, u"utf-8"_s}
        << u"--encoding is for --type csv, and for import and append of text"_s;
    QTest::newRow("workbook over its database")
        << QStringList{u"export"_s, kunden(), kunden(), u"--type"_s, u"xlsx"_s}
        << u"must not be the database itself"_s;
}

void TestCliWorkbook::usageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    const CliRun run = runCli(arguments);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QVERIFY(!QFileInfo::exists(pathOf(u"b.xlsx"_s)));
}

QTEST_MAIN(TestCliWorkbook)
#include "tst_cli_workbook.moc"
