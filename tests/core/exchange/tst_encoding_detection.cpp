// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/encoding_detection.h"
#include "core/exchange/import_findings.h"
#include "core/exchange/import_plan.h"
#include "core/exchange/text_exchange.h"
#include "core/model/database.h"
#include "test_regional.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtTest>

using namespace kribed;

using Grid = QList<QByteArrayList>; // row 0 the field names (import), or the records (append)

class TestEncodingDetection : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decidesByTheBytes_data();
    void decidesByTheBytes();
    void decidesInPieces();
    void describedTypesReadUtf8_data();
    void describedTypesReadUtf8();
};

void TestEncodingDetection::decidesByTheBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("complete"); // the whole file, not only its start
    QTest::addColumn<bool>("utf8");
    QTest::addColumn<int>("reason");

    const int mark = int(EncodingReason::ByteOrderMark);
    const int valid = int(EncodingReason::Utf8Bytes);
    const int ascii = int(EncodingReason::AsciiOnly);
    const int invalid = int(EncodingReason::NotUtf8);
    QTest::newRow("mark") << QByteArray("\xEF\xBB\xBFName\r\n") << true << true << mark;
    QTest::newRow("mark, then no UTF-8")
        << QByteArray("\xEF\xBB\xBFK\xF6ln") << true << true << mark;
    QTest::newRow("mark alone") << QByteArray("\xEF\xBB\xBF") << true << true << mark;
    QTest::newRow("mark not at the start") << QByteArray("a\xEF\xBB\xBF") << true << true << valid;
    QTest::newRow("no mark, two bytes") << QByteArray("J\xC3\xBCrgen") << true << true << valid;
    QTest::newRow("no mark, three and four bytes")
        << QByteArray("\xE2\x82\xAC 5,\xF0\x9F\x98\x80") << true << true << valid;
    QTest::newRow("pure ASCII") << QByteArray("Name,Ort\r\nAnn,Kiel\r\n") << true << false << ascii;
    QTest::newRow("empty") << QByteArray() << true << false << ascii;
    QTest::newRow("NUL bytes are ASCII") << QByteArray("a\0b", 3) << true << false << ascii;
    QTest::newRow("Latin-1 letter") << QByteArray("K\xF6ln") << true << false << invalid;
    QTest::newRow("Latin-1 pair that looks like a lead")
        << QByteArray("\xC3\x28") << true << false << invalid;
    QTest::newRow("valid first, Latin-1 later")
        << QByteArray("J\xC3\xBCrgen;K\xF6ln") << true << false << invalid;
    QTest::newRow("cut at the end of a start: not judged")
        << QByteArray("K\xC3\xB6ln \xE2\x82") << false << true << valid;
    QTest::newRow("cut at the end of a start, nothing else")
        << QByteArray("Koeln \xC3") << false << false << ascii;
    QTest::newRow("cut at the end of the whole file")
        << QByteArray("K\xC3\xB6ln \xE2\x82") << true << false << invalid;
    QTest::newRow("continuation without a lead") << QByteArray("a\x80") << true << false << invalid;
    QTest::newRow("overlong slash C0 AF") << QByteArray("\xC0\xAF") << true << false << invalid;
    QTest::newRow("overlong C1") << QByteArray("\xC1\xBF") << true << false << invalid;
    QTest::newRow("overlong E0 80 AF") << QByteArray("\xE0\x80\xAF") << true << false << invalid;
    QTest::newRow("overlong F0 8F") << QByteArray("\xF0\x8F\xBF\xBF") << true << false << invalid;
    QTest::newRow("surrogate ED A0 80") << QByteArray("\xED\xA0\x80") << true << false << invalid;
    QTest::newRow("past U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << true << false << invalid;
    QTest::newRow("F5 lead") << QByteArray("\xF5\x80\x80\x80") << true << false << invalid;
    QTest::newRow("lead cut by ASCII") << QByteArray("\xE2\x82x") << true << false << invalid;
    QTest::newRow("highest code point") << QByteArray("\xF4\x8F\xBF\xBF") << true << true << valid;
}

void TestEncodingDetection::decidesByTheBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, complete);
    const DetectedEncoding detected = detectEncoding(bytes, complete);
    QFETCH(bool, utf8);
    QCOMPARE(detected.encoding, utf8 ? CsvEncoding::Utf8 : CsvEncoding::CodePage);
    QTEST(int(detected.reason), "reason");

    // Text read byte by byte tells the same in the import's and the append's own first pass.
    if (!complete)
        return;
    Database target;
    target.setShape(2, 0);
    for (const bool append : {false, true}) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        const ImportPlan plan =
            append ? readTextAppend(buffer, TextType::Comma, target, test::testRegional())
                   : readTextImport(buffer, TextType::Comma, test::testRegional());
        QVERIFY(plan.bytesEncoding && *plan.bytesEncoding == detected);
    }
}

void TestEncodingDetection::decidesInPieces()
{
    // A character split between the pieces of a file read in chunks, and the mark too.
    const QByteArray text = QByteArray("\xEF\xBB\xBF") + QByteArray(70000, 'a') + "\xE2\x82\xAC";
    for (const qsizetype at : {qsizetype(1), qsizetype(2), text.size() - 2, text.size() - 1}) {
        EncodingDetector detector;
        detector.feed(QByteArrayView(text).first(at));
        detector.feed(QByteArrayView(text).sliced(at));
        QCOMPARE(detector.result(true).reason, EncodingReason::ByteOrderMark);
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("split.csv"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text.sliced(3)); // the euro sign stands across the reader's 64 KiB pieces
    file.close();
    QCOMPARE(detectFileEncoding(path),
             std::optional(DetectedEncoding{CsvEncoding::Utf8, EncodingReason::Utf8Bytes}));
    QCOMPARE(detectFileEncoding(dir.filePath(QStringLiteral("missing.csv"))), std::nullopt);
}

void TestEncodingDetection::describedTypesReadUtf8_data()
{
    QTest::addColumn<bool>("append");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<Grid>("grid");
    QTest::addColumn<int>("lostCharacters");
    QTest::addColumn<int>("notUtf8");
    QTest::addColumn<int>("cutValues");

    const QByteArray text = "\xEF\xBB\xBF\"Stra\xC3\x9F"
                            "e\",Ort\r\nJ\xC3\xBCrgen,\xC5\x81\xC3\xB3"
                            "d\xC5\xBA\r\n";
    const Grid imported{{"Stra\xDF"
                         "e",
                         "Ort"},
                        {"J\xFCrgen", "?\xF3"
                                      "d?"}};
    QTest::newRow("import: mark dropped, the page's letters kept, the others '?'")
        << false << text << imported << 2 << 0 << 0;
    QTest::newRow("append: the same, the first line a record")
        << true << text << imported << 2 << 0 << 0;
    QTest::newRow("bytes that are no UTF-8 become '?' and are counted")
        << false << QByteArray("a,b\r\nK\xF6ln,x\r\n") << Grid{{"a", "b"}, {"K?ln", "x"}} << 0 << 1
        << 0;
    // Cut at the cell's limit in the code page: 5000 bytes of UTF-8 that are 4000 there fit.
    const auto umlauts = [](int count) { return QByteArray(count, 'a').replace("a", "\xC3\xA4"); };
    QTest::newRow("long in UTF-8, fits in the code page")
        << false << QByteArray("a,b\r\n") + QByteArray(3000, 'x') + umlauts(1000) + ",1\r\n"
        << Grid{{"a", "b"}, {QByteArray(3000, 'x') + QByteArray(1000, '\xE4'), "1"}} << 0 << 0 << 0;
    QTest::newRow("too long in the code page is cut")
        << false << QByteArray("a,b\r\n") + QByteArray(3000, 'x') + umlauts(1500) + ",1\r\n"
        << Grid{{"a", "b"}, {QByteArray(3000, 'x') + QByteArray(1000, '\xE4'), "1"}} << 0 << 0 << 1;
}

void TestEncodingDetection::describedTypesReadUtf8()
{
    QFETCH(bool, append);
    QFETCH(QByteArray, text);
    QFETCH(Grid, grid);
    const Regional regional = test::testRegional();
    QBuffer buffer(&text);
    buffer.open(QIODevice::ReadOnly);
    Database target;
    target.setShape(2, 0);
    const ImportPlan plan =
        append ? readTextAppend(buffer, TextType::Comma, target, regional, CsvEncoding::Utf8, 0,
                                DoubleQuote, TextBytes::Utf8)
               : readTextImport(buffer, TextType::Comma, regional, CsvEncoding::Utf8, 0,
                                DoubleQuote, TextBytes::Utf8);
    Grid read;
    for (const Record &row : plan.table.rows) {
        QByteArrayList values;
        for (int field = 0; field < row.size(); ++field)
            values.append(row.value(field));
        read.append(values);
    }
    QCOMPARE(read, grid);
    QVERIFY(!plan.bytesEncoding); // read as UTF-8, not byte by byte
    QTEST(plan.losses.characterCount(), "lostCharacters");
    QTEST(plan.losses.byteCount(), "notUtf8");
    QTEST(plan.cutValues, "cutValues");

    // Nothing is lost silently: the loss question comes after the others, and the findings
    // count the values.
    const bool lost = !plan.losses.isEmpty();
    QCOMPARE(!plan.questions.isEmpty() && plan.questions.last().text.contains(u"Continue?")
                 && plan.questions.last().caption == QStringLiteral("Warning"),
             lost);
    const QString problems = findingsOf(plan, text, true).problems.join(u'\n');
    QFETCH(int, lostCharacters);
    QCOMPARE(problems.contains(u"cannot be held by the code page"), lostCharacters > 0);
    QFETCH(int, notUtf8);
    QCOMPARE(problems.contains(u"not in the chosen encoding"), notUtf8 > 0);
}

QTEST_GUILESS_MAIN(TestEncodingDetection)
#include "tst_encoding_detection.moc"
