// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/print_layout.h"
#include "core/model/regional.h"
#include "gui/print/print_renderer.h"

#include <QStringDecoder>
#include <QtTest>

#include <algorithm>

using namespace Qt::StringLiterals;

using namespace kribed;

namespace {

// Characters whose width the printer font measure takes from the whole text.
bool measuredWhole(QChar c)
{
    return c.unicode() >= 0x0590 || (c.unicode() >= 0x0300 && c.unicode() < 0x0370);
}

// A wide first column that never cuts, then columns from 3 pixels up, one more each: every
// text meets every room from ".." alone to whole.
Database makeDatabase(const QStringList &texts, const Regional &regional)
{
    constexpr int Fields = 50;
    constexpr int Records = 40;
    Database database;
    database.setShape(Fields, Records);
    database.setName("Scripts");
    database.setColumnWidth(1, 300);
    for (int k = 2; k <= Fields; ++k)
        database.setColumnWidth(k, k + 1);
    for (int k = 1; k <= Fields; ++k) {
        database.setFieldName(k, regional.toBytes(texts[k % texts.size()]));
        for (int r = 1; r <= Records; ++r)
            database.setCell(k, r, regional.toBytes(texts[(k + r) % texts.size()]));
    }
    return database;
}

} // namespace

class TestPrintRenderer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cutsAsMeasured_data();
    void cutsAsMeasured();

private:
    QFont mDisplayFont;
};

void TestPrintRenderer::init()
{
    mDisplayFont = QFont(QStringLiteral("DejaVu Sans"));
    mDisplayFont.setPixelSize(11);
}

void TestPrintRenderer::cutsAsMeasured_data()
{
    QTest::addColumn<QByteArray>("codePage");
    QTest::addColumn<QStringList>("texts");

    QTest::newRow("Western") << "windows-1252"_ba
                             << QStringList{u"Kunde Nr. 17"_s,
                                            u"AVATAR Wolf To."_s,
                                            u"wwwwwwwwwwww"_s,
                                            u"iiiiiiiiiiiiiiii"_s,
                                            u""_s,
                                            u".."_s,
                                            u"x"_s,
                                            u"caf\u00e9 au lait, s'il vous pla\u00eet"_s,
                                            u"\u20ac 12,50 \u00c4\u00d6\u00dc\u00df"_s};
    QTest::newRow("Hebrew") << "windows-1255"_ba
                            << QStringList{u"\u05e9\u05dc\u05d5\u05dd \u05e2\u05d5\u05dc\u05dd"_s,
                                           u"Nr. 5 \u05d0\u05d1\u05d2"_s,
                                           u"\u05d1\u05bc\u05b0\u05e8\u05b5\u05d0\u05e9\u05b4\u05c1"
                                           u"\u05d9\u05ea"_s,
                                           u"plain Latin text"_s, u"wide WWWW"_s};
    QTest::newRow("Vietnamese, combining marks")
        << "windows-1258"_ba
        << QStringList{u"Tie\u0301ng Vie\u0323t co\u0301 da\u0302\u0301u"_s,
                       u"Ha\u0300 No\u0323i"_s, u"Sa\u0300i Go\u0300n 1975"_s, u"ordinary cell"_s};
    QTest::newRow("Japanese") << "Shift_JIS"_ba
                              << QStringList{u"\u65e5\u672c\u8a9e\u306e\u30c6\u30ad\u30b9\u30c8"_s,
                                             u"ABC \u6771\u4eac 123"_s,
                                             u"\uff71\uff72\uff73 half-width kana"_s,
                                             u"Tokyo Station"_s};
}

void TestPrintRenderer::cutsAsMeasured()
{
    QFETCH(QByteArray, codePage);
    QFETCH(QStringList, texts);
    if (!QStringDecoder(codePage.constData()).isValid())
        QSKIP("this Qt has no converter for the code page");
    const Regional regional(QLocale(QStringLiteral("en_US")), codePage);
    const PrintRenderer renderer(mDisplayFont, regional);
    const PrintMeasure measure = [&](const PrintFont &font, const QString &text) {
        return renderer.textWidth(font, text);
    };
    const PrintAdvances advances = [&](const PrintFont &font, QStringView text,
                                       std::vector<double> &each) {
        return renderer.characterAdvances(font, text, each);
    };

    // Cut by running sums, every text meets every room as it does measured at each try.
    for (const PrintFont &font : {PrintFont{-28, false, true}, headingFont()}) {
        for (const QString &text : texts) {
            for (int width = 0; width <= 600; ++width) {
                QCOMPARE(printCellText(text, width, font, measure, advances),
                         printCellText(text, width, font, measure));
            }
        }
    }

    // The pages printing lays out are those of measuring alone, item for item.
    const Database database = makeDatabase(texts, regional);
    const PrintSetup setup{1900, 1000, -28};
    QList<PrintPage> printed;
    renderer.layOut(database, setup, [&](const PrintPage &page) { printed.append(page); });
    const QList<PrintPage> measured = printPages(database, regional, setup, measure);
    QCOMPARE(printed.size(), measured.size());
    int dotsAlone = 0;
    int cutByMeasuring = 0;
    for (qsizetype i = 0; i < printed.size(); ++i) {
        const PrintPage &a = printed[i];
        const PrintPage &b = measured[i];
        QCOMPARE(a.label, b.label);
        QCOMPARE(a.jobTitle, b.jobTitle);
        QCOMPARE(a.last, b.last);
        QCOMPARE(a.firstRecord, b.firstRecord);
        QCOMPARE(a.lastRecord, b.lastRecord);
        QCOMPARE(a.firstColumn, b.firstColumn);
        QCOMPARE(a.lastColumn, b.lastColumn);
        QCOMPARE(a.items.size(), b.items.size());
        for (qsizetype j = 0; j < a.items.size(); ++j) {
            const PrintItem &item = a.items[j];
            QCOMPARE(item.text, b.items[j].text);
            QCOMPARE(item.x, b.items[j].x);
            QCOMPARE(item.y, b.items[j].y);
            QVERIFY(item.font == b.items[j].font);
            dotsAlone += item.text == u".."_s;
            cutByMeasuring += item.text.endsWith(u".."_s)
                              && std::any_of(item.text.begin(), item.text.end(), measuredWhole);
        }
    }
    QVERIFY(dotsAlone > 0);
    QVERIFY(cutByMeasuring > 0);

    // The first column is wide enough for every text: each is the cell whole, decoded.
    const int firstColumnX = print::LeftMargin + printColumnWidth(database, 0, setup, measure);
    int whole = 0;
    for (const PrintItem &item : printed.first().items) {
        if (item.x != firstColumnX || item.y < print::FirstRecordY)
            continue;
        const int record = printed.first().firstRecord + (item.y - print::FirstRecordY) / 50;
        QCOMPARE(item.text, regional.toText(database.cell(1, record)));
        ++whole;
    }
    QCOMPARE(whole, printed.first().lastRecord - printed.first().firstRecord + 1);
}

QTEST_MAIN(TestPrintRenderer)
#include "tst_print_renderer.moc"
