// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/print_layout.h"
#include "core/model/regional.h"
#include "gui/print/print_renderer.h"
#include "test_regional.h"

#include <QFontInfo>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace kribed;
using kribed::test::testRegional;

namespace {

QString pageText(const QString &pdf, int page)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                   QString::number(page), QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QStringLiteral("<pdftotext failed>");
    return QString::fromUtf8(process.readAllStandardOutput());
}

int pageCount(const QString &pdf)
{
    // pdftotext writes a form feed after every page.
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return -1;
    return int(process.readAllStandardOutput().count('\f'));
}

// Four fields two of which fit across the page, and more records than one page holds.
Database twoByTwo(int records)
{
    Database database;
    database.setShape(4, records);
    database.setName("Inventory");
    for (int k = 1; k <= 4; ++k) {
        database.setFieldName(k, "Field" + QByteArray::number(k));
        database.setColumnWidth(k, 250);
        for (int r = 1; r <= records; ++r)
            database.setCell(k, r, "R" + QByteArray::number(r) + "C" + QByteArray::number(k));
    }
    return database;
}

} // namespace

class TestPrintPdf : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void printerFonts();
    void allPagesInOneFile();

private:
    QFont mDisplayFont;
};

void TestPrintPdf::initTestCase()
{
    mDisplayFont = QFont(QStringLiteral("DejaVu Sans"));
    mDisplayFont.setPixelSize(11);
    mDisplayFont.setItalic(true);
}

void TestPrintPdf::printerFonts()
{
    const PrintRenderer renderer(mDisplayFont, testRegional());
    QPrinter printer(QPrinter::HighResolution);
    QCOMPARE(renderer.printSetup(printer).recordFontHeight, -28);
    // The printable area counts in whole millimetres: 210 - 2 x 10.55 = 188.9 mm.
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(10.55, 10, 10.55, 10), QPageLayout::Millimeter);
    QCOMPARE(renderer.printSetup(printer).printableWidth, 1880);
    QCOMPARE(renderer.printSetup(printer).printableHeight, 2770);

    const QFont heading = renderer.printerFont(headingFont());
    QVERIFY(heading.bold());
    QVERIFY(heading.italic());
    // A positive height is the line height, characters and room above them together.
    QVERIFY2(qAbs(QFontMetricsF(heading).height() - print::HeadingHeight) <= 2,
             qPrintable(QString::number(QFontMetricsF(heading).height())));
    QVERIFY(heading.pixelSize() < print::HeadingHeight);
    const QFont footer = renderer.printerFont(footerFont());
    QVERIFY(!footer.bold() && !footer.italic());
    const QFont record = renderer.printerFont(PrintFont{-28, false, true});
    QCOMPARE(record.pixelSize(), 28);
    QVERIFY(!record.bold() && record.italic());
    // A longer text measures wider, and ".." fits where the text does not.
    const PrintFont recordFont{-28, false, true};
    QVERIFY(renderer.textWidth(recordFont, QStringLiteral("0000_"))
            > renderer.textWidth(recordFont, QStringLiteral("00")));
    QVERIFY(renderer.textWidth(recordFont, QStringLiteral("0000_")) > 20);
    // The quick measure agrees with the width the text is drawn in.
    const QFontMetricsF metrics(renderer.printerFont(recordFont));
    for (const QString &text :
         {QStringLiteral("AVATAR Wolf To."), QStringLiteral("office flow"),
          QStringLiteral("na\u00efve \u0436\u0443\u043a"), QStringLiteral("e\u0301t\u00e9")}) {
        const int drawn = int(std::ceil(metrics.horizontalAdvance(text)));
        QVERIFY2(qAbs(renderer.textWidth(recordFont, text) - drawn) <= 1, qPrintable(text));
    }
}

void TestPrintPdf::allPagesInOneFile()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString pdf = folder.filePath(QStringLiteral("inventory.pdf"));

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFileName(pdf);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    PrintRenderer renderer(mDisplayFont, testRegional());
    const PrintSetup setup = renderer.printSetup(printer);
    QCOMPARE(setup.printableWidth, 1900);
    QCOMPARE(setup.printableHeight, 2770);

    // 2620 is the lowest record line: 49 lines from 200 on, so 60 records make two row blocks.
    const Database database = twoByTwo(60);
    QCOMPARE(renderer.print(database, printer), 4);
    QCOMPARE(pageCount(pdf), 4);

    const QString page11 = pageText(pdf, 1);
    const QString page12 = pageText(pdf, 2);
    const QString page21 = pageText(pdf, 3);
    const QString page22 = pageText(pdf, 4);
    QVERIFY2(page11.contains(QStringLiteral("Page 1.1"))
                 && page11.contains(QStringLiteral("Inventory")),
             qPrintable(page11));
    QVERIFY(page11.contains(QStringLiteral("Field1")) && page11.contains(QStringLiteral("Field2")));
    QVERIFY(!page11.contains(QStringLiteral("Field3")));
    QVERIFY(page11.contains(QStringLiteral("R49C2")) && !page11.contains(QStringLiteral("R50C")));
    QVERIFY2(page12.contains(QStringLiteral("Page 1.2")) && page12.contains(QStringLiteral("R1C3")),
             qPrintable(page12));
    QVERIFY(page12.contains(QStringLiteral("0001")) && page12.contains(QStringLiteral("R49C4")));
    QVERIFY2(page21.contains(QStringLiteral("Page 2.1")) && page21.contains(QStringLiteral("0050")),
             qPrintable(page21));
    QVERIFY(page21.contains(QStringLiteral("R60C1")) && !page21.contains(QStringLiteral("R49C")));
    QVERIFY(page22.contains(QStringLiteral("Page 2.2"))
            && page22.contains(QStringLiteral("R60C4")));
    for (const QString &page : {page11, page12, page21})
        QVERIFY(!page.contains(QStringLiteral("Kribed PRO")));
    QVERIFY2(page22.contains(QStringLiteral("Kribed PRO")), qPrintable(page22));
}

QTEST_MAIN(TestPrintPdf)
#include "tst_print_pdf.moc"
