// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/print_layout.h"
#include "core/model/field_type.h"
#include "core/model/regional.h"
#include "core/platform/project_address.h"
#include "test_regional.h"

#include <QtTest>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

using namespace kribed;
using kribed::test::testRegional;

namespace {

// Every character as wide as a tenth of the font's height, at least 10: the record font
// (height -28 here) gives 20 per character, so "0000_" is 100 wide.
int measureText(const PrintFont &font, const QString &text)
{
    const int perCharacter =
        font.height == -28 ? 20 : (font.height == print::HeadingHeight ? 30 : 10);
    return int(text.size()) * perCharacter;
}

Database makeDatabase(int fields, int records, int columnPixels)
{
    Database database;
    database.setShape(fields, records);
    database.setName("Stock");
    for (int k = 1; k <= fields; ++k) {
        database.setFieldName(k, "F" + QByteArray::number(k));
        database.setColumnWidth(k, columnPixels);
        for (int r = 1; r <= records; ++r)
            database.setCell(k, r, "r" + QByteArray::number(r) + "c" + QByteArray::number(k));
    }
    return database;
}

const PrintItem *itemAt(const PrintPage &page, int x, int y)
{
    for (const PrintItem &item : page.items) {
        if (item.x == x && item.y == y)
            return &item;
    }
    return nullptr;
}

QString textAt(const PrintPage &page, int x, int y)
{
    const PrintItem *item = itemAt(page, x, y);
    return item ? item->text : QStringLiteral("<none>");
}

// The record numbers printed on a page, each with its line.
QList<QPair<QString, int>> recordLines(const PrintPage &page)
{
    QList<QPair<QString, int>> lines;
    for (const PrintItem &item : page.items) {
        if (item.x == print::LeftMargin && item.y >= print::FirstRecordY && item.font.height == -28)
            lines.append({item.text, item.y});
    }
    return lines;
}

// A measure that adds up uneven fractional advances, as the printer font measure does, except for
// characters from U+0590 on, which make it measure the whole text another way.
double advanceOf(const PrintFont &font, QChar c)
{
    return (c.unicode() % 7) * 1.37 + 3.1 + (font.bold ? 0.55 : 0);
}

bool standsAlone(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x0590; });
}

int addingMeasure(const PrintFont &font, const QString &text)
{
    if (!standsAlone(text))
        return int(text.size()) * 9 - (text.size() > 3 ? 4 : 0);
    double width = 0;
    for (const QChar c : text)
        width += advanceOf(font, c);
    return int(std::ceil(width));
}

bool addingAdvances(const PrintFont &font, QStringView text, std::vector<double> &advances)
{
    if (!standsAlone(text))
        return false;
    advances.clear();
    for (const QChar c : text)
        advances.push_back(advanceOf(font, c));
    return true;
}

} // namespace

class TestPrintLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cellText_data();
    void cellText();
    void cuttingByAdvancesAsByMeasuring();
    void widthsAndFonts();
    void onePageWithFooter();
    void pageOrderTwoByTwo();
    void hiddenRowsLeaveGaps();
    void narrowAndWideColumns();
    void pagesTheSinkDoesNotKeep();
    void fitToWidth_data();
    void fitToWidth();
    void valuesStandAsInTheGrid();
};

void TestPrintLayout::cellText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("printed");

    // 10 per character in the footer font used here; 20 of each column are kept free.
    QTest::newRow("fits exactly") << "abcdefgh" << 100 << "abcdefgh";
    QTest::newRow("one too many is cut with dots") << "abcdefgh" << 99 << "abcde..";
    QTest::newRow("cut to the room left") << "abcdefgh" << 90 << "abcde..";
    QTest::newRow("only dots fit") << "abcdefgh" << 40 << "..";
    QTest::newRow("even the dots are too wide") << "abcdefgh" << 21 << "..";
    QTest::newRow("width of 0 prints everything") << "abcdefgh" << 0 << "abcdefgh";
    QTest::newRow("empty text in a tiny column") << "" << 10 << "..";
    QTest::newRow("empty text in a normal column") << "" << 50 << "";
}

void TestPrintLayout::cellText()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QString, printed);
    QCOMPARE(printCellText(text, width, footerFont(), measureText), printed);
}

void TestPrintLayout::cuttingByAdvancesAsByMeasuring()
{
    // Every cut must be the one measuring each try gives, for every text and width.
    const QStringList texts{u""_s,
                            u"a"_s,
                            u".."_s,
                            u"Kunde Nr. 17"_s,
                            u"wwwwwwwwwww"_s,
                            u"iiiiii"_s,
                            u"\u05d0\u05d1abc"_s,
                            u"mixed \u05d0 x"_s,
                            u"caf\u00e9 au lait, s'il vous pla\u00eet"_s};
    const PrintFont fonts[] = {PrintFont{-28, false, true}, PrintFont{60, true, true}};
    for (const PrintFont &font : fonts) {
        for (const QString &text : texts) {
            for (int width = 0; width <= 140; ++width) {
                QCOMPARE(printCellText(text, width, font, addingMeasure, addingAdvances),
                         printCellText(text, width, font, addingMeasure));
            }
        }
    }
    Database database = makeDatabase(6, 40, 22);
    database.setCell(2, 3, "\xe9t\xe9 et hiver");
    const PrintSetup setup{1200, 1000, -28};
    const QList<PrintPage> measured = printPages(database, testRegional(), setup, addingMeasure);
    QList<PrintPage> cut;
    printDatabase(database, testRegional(), setup, addingMeasure, addingAdvances,
                  [&](const PrintPage &page) { cut.append(page); });
    QCOMPARE(cut.size(), measured.size());
    for (qsizetype i = 0; i < cut.size(); ++i) {
        QCOMPARE(cut[i].items.size(), measured[i].items.size());
        for (qsizetype j = 0; j < cut[i].items.size(); ++j)
            QCOMPARE(cut[i].items[j].text, measured[i].items[j].text);
    }
}

void TestPrintLayout::widthsAndFonts()
{
    Database database = makeDatabase(2, 1, 7);
    const PrintSetup setup{2000, 2800, recordFontHeight(-11)};
    QCOMPARE(setup.recordFontHeight, -28);
    QCOMPARE(recordFontHeight(13), 32); // 32.5 to the even neighbour
    QCOMPARE(recordFontHeight(15), 38); // 37.5 to the even neighbour
    QCOMPARE(recordFontHeight(-13), -32);
    QCOMPARE(printColumnWidth(database, 0, setup, measureText), 100);
    QCOMPARE(printColumnWidth(database, 1, setup, measureText), 20); // 7 px: 20.3 cut to 20
    database.setColumnWidth(2, 64);
    QCOMPARE(printColumnWidth(database, 2, setup, measureText), 185); // 185.6 cut to 185
}

void TestPrintLayout::onePageWithFooter()
{
    const Database database = makeDatabase(3, 10, 64);
    const QList<PrintPage> pages =
        printPages(database, testRegional(), PrintSetup{2000, 2800, -28}, measureText);
    QCOMPARE(pages.size(), 1);
    const PrintPage &page = pages.first();
    QCOMPARE(page.jobTitle, QStringLiteral("Kribed - Page 1.1"));
    QVERIFY(page.last);
    QCOMPARE(textAt(page, 200, 50), QStringLiteral("Stock"));
    QCOMPARE(textAt(page, 1500, 50), QStringLiteral("Page 1.1"));
    QVERIFY(itemAt(page, 200, 50)->font.bold);
    QCOMPARE(textAt(page, 300, 150), QStringLiteral("F1"));
    QCOMPARE(textAt(page, 300 + 185, 150), QStringLiteral("F2"));
    QCOMPARE(textAt(page, 300 + 2 * 185, 200 + 9 * 50), QStringLiteral("r10c3"));
    QCOMPARE(textAt(page, 200, 200 + 9 * 50), QStringLiteral("0010"));
    // The corner cell is not printed: nothing at the left margin on the field-name line.
    QVERIFY(!itemAt(page, 200, 150));
    const PrintItem *footer = itemAt(page, 200, 200 + 10 * 50);
    QVERIFY(footer);
    QVERIFY(footer->text.startsWith(QStringLiteral("Kribed PRO ")));
    // The project's own address, never a placeholder.
    QVERIFY(footer->text.endsWith(u'[' + projectWebAddress() + u']'));
    QVERIFY(projectWebAddress().startsWith(QStringLiteral("https://")));
    QVERIFY2(!footer->text.contains(QStringLiteral("example")), qPrintable(footer->text));
    QCOMPARE(footer->font, footerFont());
}

void TestPrintLayout::pageOrderTwoByTwo()
{
    // Two 290-wide columns fit beside the numbers in 1000; five lines fit above 410.
    const Database database = makeDatabase(4, 10, 100);
    const QList<PrintPage> pages =
        printPages(database, testRegional(), PrintSetup{1000, 560, -28}, measureText);
    QStringList titles;
    for (const PrintPage &page : pages)
        titles << page.jobTitle;
    QCOMPARE(
        titles,
        (QStringList{QStringLiteral("Kribed - Page 1.1"), QStringLiteral("Kribed - Page 1.2"),
                     QStringLiteral("Kribed - Page 2.1"), QStringLiteral("Kribed - Page 2.2")}));
    QCOMPARE(recordLines(pages[0]), recordLines(pages[1]));
    QCOMPARE(recordLines(pages[0]).first(), qMakePair(QStringLiteral("0001"), 200));
    QCOMPARE(recordLines(pages[0]).last(), qMakePair(QStringLiteral("0005"), 400));
    QCOMPARE(recordLines(pages[2]).first(), qMakePair(QStringLiteral("0006"), 200));
    QCOMPARE(recordLines(pages[3]), recordLines(pages[2]));
    QCOMPARE(textAt(pages[1], 300, 150), QStringLiteral("F3"));
    QCOMPARE(textAt(pages[3], 300 + 290, 400), QStringLiteral("r10c4"));
    QCOMPARE(textAt(pages[1], 1500, 50), QStringLiteral("Page 1.2"));
    for (int p = 0; p < 3; ++p)
        QVERIFY2(!pages[p].last && !itemAt(pages[p], 200, 450), qPrintable(pages[p].label));
    QVERIFY(pages[3].last);
    QCOMPARE(itemAt(pages[3], 200, 450)->font, footerFont());
}

void TestPrintLayout::hiddenRowsLeaveGaps()
{
    Database database = makeDatabase(2, 8, 50);
    for (int r : {1, 3, 4, 8})
        database.setHidden(r, true);
    const QList<PrintPage> pages =
        printPages(database, testRegional(), PrintSetup{2000, 2800, -28}, measureText);
    QCOMPARE(pages.size(), 1);
    // A hidden first row leaves its line empty; the other hidden rows take no line.
    using Line = QPair<QString, int>;
    QCOMPARE(recordLines(pages[0]), (QList<Line>{{QStringLiteral("0002"), 250},
                                                 {QStringLiteral("0005"), 300},
                                                 {QStringLiteral("0006"), 350},
                                                 {QStringLiteral("0007"), 400}}));
    QCOMPARE(textAt(pages[0], 300, 300), QStringLiteral("r5c1"));
    // The last record is hidden: the footer still follows the last printed line.
    QVERIFY(itemAt(pages[0], 200, 450));
    QCOMPARE(itemAt(pages[0], 200, 450)->font, footerFont());
}

void TestPrintLayout::narrowAndWideColumns()
{
    Database database = makeDatabase(3, 2, 3); // 8 wide on paper: room for nothing but ".."
    database.setColumnWidth(2, 1000);          // 2900 wide, more than the paper
    const QList<PrintPage> pages =
        printPages(database, testRegional(), PrintSetup{2000, 2800, -28}, measureText);
    QCOMPARE(pages.size(), 3);
    QCOMPARE(textAt(pages[0], 300, 200), QStringLiteral(".."));
    QCOMPARE(textAt(pages[1], 300, 200), QStringLiteral("r1c2")); // alone on its page
    QVERIFY(!itemAt(pages[1], 300 + 2900, 200));
    QCOMPARE(pages[2].jobTitle, QStringLiteral("Kribed - Page 1.3"));
    QVERIFY(pages[2].last);
}

void TestPrintLayout::pagesTheSinkDoesNotKeep()
{
    // Each page is written into the items of the page before once the sink has let it go; a
    // sink that only looks must see what a sink that keeps every page sees.
    Database database = makeDatabase(5, 45, 22);
    for (int r = 1; r <= 45; ++r)
        database.setCell(1 + r % 5, r, QByteArray(r % 9 * 3, 'w'));
    for (int r : {7, 8, 30})
        database.setHidden(r, true);
    // Three columns on the first page of a row block, two on the second.
    const PrintSetup setup{450, 1000, -28};
    const auto line = [](const PrintItem &item) {
        return QString::number(item.x) + u' ' + QString::number(item.y) + u' '
               + QString::number(item.font.height) + u' '
               + QString(item.text.constData(), item.text.size());
    };
    QList<PrintPage> kept;
    printDatabase(database, testRegional(), setup, addingMeasure, addingAdvances,
                  [&](const PrintPage &page) { kept.append(page); });
    QStringList expected;
    QSet<qsizetype> itemCounts;
    for (const PrintPage &page : std::as_const(kept)) {
        itemCounts.insert(page.items.size());
        for (const PrintItem &item : page.items)
            expected.append(line(item));
    }
    QVERIFY(itemCounts.size() > 2);
    QStringList seen;
    printDatabase(database, testRegional(), setup, addingMeasure, addingAdvances,
                  [&](const PrintPage &page) {
                      for (const PrintItem &item : page.items)
                          seen.append(line(item));
                  });
    QCOMPARE(seen, expected);
}

void TestPrintLayout::fitToWidth_data()
{
    QTest::addColumn<int>("fields");
    QTest::addColumn<bool>("fit");
    QTest::addColumn<bool>("repeat");
    QTest::addColumn<QString>("pages");
    QTest::addColumn<int>("fontHeight");
    QTest::addColumn<int>("firstLineOfSecondBlock");

    // Ten records of 290-wide columns on a page of 1000 x 560: five lines fit as laid out.
    QTest::newRow("not fitted: pages across")
        << 4 << false << true << u"1.1 1.2 2.1 2.2"_s << -28 << 200;
    QTest::newRow("fitted: one page across, the font stops at 6 pt")
        << 4 << true << true << u"1.1 2.1"_s << -22 << 189;
    QTest::newRow("fitted without repeated names: the next block starts a line higher")
        << 4 << true << false << u"1.1 2.1"_s << -22 << 150;
    QTest::newRow("twenty fields: still one page across at 6 pt")
        << 20 << true << true << u"1.1 2.1"_s << -22 << 189;
    QTest::newRow("a little too wide: the font shrinks only as far as the columns")
        << 3 << true << true << u"1.1 2.1"_s << -23 << 190;
    QTest::newRow("fitting already: nothing scaled")
        << 2 << true << true << u"1.1 2.1"_s << -28 << 200;
}

void TestPrintLayout::fitToWidth()
{
    QFETCH(int, fields);
    QFETCH(bool, fit);
    QFETCH(bool, repeat);
    QFETCH(QString, pages);
    QFETCH(int, fontHeight);
    QFETCH(int, firstLineOfSecondBlock);

    const Database database = makeDatabase(fields, 10, 100);
    PrintSetup setup{1000, 560, -28};
    setup.fitToPageWidth = fit;
    setup.repeatFieldNames = repeat;
    const QList<PrintPage> laidOut = printPages(database, testRegional(), setup, measureText);
    QStringList labels;
    for (const PrintPage &page : laidOut) {
        labels << page.label.mid(5);
        // A fitted page holds every column.
        if (fit)
            QCOMPARE(page.lastColumn, fields);
    }
    QCOMPARE(labels.join(u' '), pages);
    const PrintPage &second = *std::find_if(laidOut.cbegin(), laidOut.cend(),
                                            [](const PrintPage &p) { return p.rowBlock == 2; });
    // The first record number of the page, whatever the font.
    const PrintItem *firstNumber = nullptr;
    for (const PrintItem &item : second.items) {
        const bool number = item.text.size() == 4 && item.text.at(0).isDigit();
        if (item.x == print::LeftMargin && number && (!firstNumber || item.y < firstNumber->y))
            firstNumber = &item;
    }
    QVERIFY(firstNumber);
    QCOMPARE(firstNumber->y, firstLineOfSecondBlock);
    QCOMPARE(firstNumber->font.height, fontHeight);
    // The names stand on the second block's page only when repeated: a line without a record
    // number at the left.
    const bool named =
        !itemAt(second, print::LeftMargin, print::FieldNameY)
        && std::any_of(second.items.cbegin(), second.items.cend(),
                       [](const PrintItem &item) { return item.y == print::FieldNameY; });
    QCOMPARE(named, repeat);
}

void TestPrintLayout::valuesStandAsInTheGrid()
{
    Database database = makeDatabase(3, 1, 64); // 185 wide on paper, numbers 100
    database.setFieldType(2, FloatType);
    database.setFieldType(3, NormalDateType);
    database.setCell(2, 1, "12.5");
    database.setCell(3, 1, "");
    const QList<PrintPage> pages =
        printPages(database, testRegional(), PrintSetup{2000, 2800, -28}, measureText);
    QCOMPARE(pages.size(), 1);
    // Texts at the left, numbers ending 20 short of their column's right edge, names at the left.
    QCOMPARE(textAt(pages[0], 300, 200), u"r1c1"_s);
    QCOMPARE(textAt(pages[0], 300 + 185 + 185 - 20 - 80, 200), u"12.5"_s);
    QCOMPARE(textAt(pages[0], 300 + 185, 150), u"F2"_s);
    QCOMPARE(textAt(pages[0], 300 + 2 * 185, 200), u""_s);
}

QTEST_GUILESS_MAIN(TestPrintLayout)
#include "tst_print_layout.moc"
