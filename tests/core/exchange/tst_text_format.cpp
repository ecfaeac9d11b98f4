// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/text_format.h"

#include <QBuffer>
#include <QtTest>

#include <algorithm>
#include <utility>

using namespace kribed;

using Lines = QList<QByteArray>;

namespace {

// The lines of a text fed in pieces of `pieceSize` bytes (all at once when 0), each line joined
// from the pieces it was handed over in.
Lines readInPieces(const QByteArray &text, qsizetype pieceSize)
{
    Lines lines;
    QByteArray line;
    LinePieceReader reader([&line](QByteArrayView piece) { line.append(piece); },
                           [&lines, &line] {
                               lines.append(std::exchange(line, QByteArray()));
                               return true;
                           });
    const qsizetype step = pieceSize > 0 ? pieceSize : std::max<qsizetype>(1, text.size());
    for (qsizetype at = 0; at < text.size(); at += step)
        reader.feed(QByteArrayView(text).sliced(at, std::min(step, text.size() - at)));
    reader.finish();
    return lines;
}

QByteArray joinCrLf(const Lines &lines)
{
    QByteArray text;
    for (const QByteArray &line : lines)
        text += line + "\r\n";
    return text;
}

QByteArray fieldsLine(int fields)
{
    QByteArray line;
    for (int i = 1; i <= fields; ++i)
        line += (i > 1 ? "," : "") + QByteArray::number(i);
    return line;
}

} // namespace

class TestTextFormat : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lineReading_data();
    void lineReading();
    void lineReadingStops();
    void splitLine_data();
    void splitLine();
    void formatCheck_data();
    void formatCheck();
    void textTypes();
};

void TestTextFormat::lineReading_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<Lines>("lines");

    QTest::newRow("carriage return ends a line") << QByteArray("a\rb") << Lines{"a", "b"};
    QTest::newRow("line feed after carriage return belongs to the line end")
        << QByteArray("a\r\nb\r\n") << Lines{"a", "b"};
    QTest::newRow("lone line feeds are ordinary characters")
        << QByteArray("a,b\nc,d\n") << Lines{"a,b\nc,d\n"};
    QTest::newRow("line feed before carriage return stays in the line")
        << QByteArray("a\n\rb") << Lines{"a\n", "b"};
    QTest::newRow("second line feed after CR LF starts the next line")
        << QByteArray("a\r\n\nb") << Lines{"a", "\nb"};
    QTest::newRow("final line end adds no empty line") << QByteArray("a\r\n") << Lines{"a"};
    QTest::newRow("two line ends at the end make an empty line")
        << QByteArray("a\r\n\r\n") << Lines{"a", ""};
    QTest::newRow("blank line among lines") << QByteArray("a\r\n\r\nb") << Lines{"a", "", "b"};
    QTest::newRow("empty text has no line") << QByteArray() << Lines{};
    QTest::newRow("a lone carriage return is one empty line") << QByteArray("\r") << Lines{""};
    QTest::newRow("Ctrl+Z ends the text") << QByteArray("a\r\nb\x1a\r\nc") << Lines{"a", "b"};
    QTest::newRow("Ctrl+Z after a line end adds no line") << QByteArray("a\r\n\x1a"
                                                                        "b")
                                                          << Lines{"a"};
    QTest::newRow("Ctrl+Z first means an empty file") << QByteArray("\x1a"
                                                                    "a\r\n")
                                                      << Lines{};
    QTest::newRow("NUL bytes are kept")
        << QByteArray("a\0b\r\n", 5) << Lines{QByteArray("a\0b", 3)};
    QTest::newRow("long line crosses the read chunks")
        << QByteArray(200000, 'x') + "\r\ny" << Lines{QByteArray(200000, 'x'), "y"};
}

void TestTextFormat::lineReading()
{
    QFETCH(QByteArray, text);
    QFETCH(Lines, lines);

    QCOMPARE(readInPieces(text, 0), lines);
    // Every byte its own piece: a CR LF is always split across two pieces.
    QCOMPARE(readInPieces(text, 1), lines);

    QBuffer buffer(&text);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    Lines fromDevice;
    QByteArray line;
    QVERIFY(readLinePieces(
        buffer, [&line](QByteArrayView piece) { line.append(piece); },
        [&fromDevice, &line] {
            fromDevice.append(std::exchange(line, QByteArray()));
            return true;
        }));
    QCOMPARE(fromDevice, lines);
}

void TestTextFormat::lineReadingStops()
{
    // The handler's stop holds for the rest of the text, the unfinished last line included.
    Lines lines;
    QByteArray line;
    LinePieceReader reader([&line](QByteArrayView piece) { line.append(piece); },
                           [&lines, &line] {
                               lines.append(std::exchange(line, QByteArray()));
                               return lines.size() < 2;
                           });
    reader.feed("a\rb\rc\rd");
    reader.finish();
    QVERIFY(reader.stopped());
    QCOMPARE(lines, (Lines{"a", "b"}));
}

void TestTextFormat::splitLine_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<char>("separator");
    QTest::addColumn<Lines>("fields");

    QTest::newRow("plain fields") << QByteArray("a,b,c") << ',' << Lines{"a", "b", "c"};
    QTest::newRow("empty line is one empty field") << QByteArray() << ',' << Lines{""};
    QTest::newRow("separator at the end gives an empty last field")
        << QByteArray("a,") << ',' << Lines{"a", ""};
    QTest::newRow("adjacent separators give empty fields")
        << QByteArray(",,") << ',' << Lines{"", "", ""};
    QTest::newRow("quoted comma stays in one field")
        << QByteArray("\"a,b\",c") << ',' << Lines{"a,b", "c"};
    QTest::newRow("surrounding quotes are removed") << QByteArray("\"ab\"") << ',' << Lines{"ab"};
    QTest::newRow("only two quotes are removed")
        << QByteArray("\"a\"\"b\"") << ',' << Lines{"a\"b\""};
    QTest::newRow("quotes are removed wherever they stand")
        << QByteArray("a\"b\"c") << ',' << Lines{"abc"};
    QTest::newRow("quote in the middle switches the state")
        << QByteArray("a\"b,c\"d,e") << ',' << Lines{"ab,cd", "e"};
    QTest::newRow("empty quoted field") << QByteArray("\"\",x") << ',' << Lines{"", "x"};
    QTest::newRow("four quotes leave two") << QByteArray("\"\"\"\"") << ',' << Lines{"\"\""};
    QTest::newRow("unclosed quote drops the rest of the line")
        << QByteArray("a,\"b,c") << ',' << Lines{"a"};
    QTest::newRow("unclosed quote in the first field drops everything")
        << QByteArray("\"abc,d") << ',' << Lines{};
    QTest::newRow("third quote reopens and is dropped")
        << QByteArray("x,\"\"\"") << ',' << Lines{"x"};
    QTest::newRow("semicolon text keeps commas") << QByteArray("a,b;c") << ';' << Lines{"a,b", "c"};
    QTest::newRow("comma file read as semicolon loses two quotes")
        << QByteArray("\"a\",\"b\"") << ';' << Lines{"a,\"b\""};
    QTest::newRow("tab separator") << QByteArray("a\tb") << '\t' << Lines{"a", "b"};
    QTest::newRow("quoted tab stays in the field")
        << QByteArray("\"a\tb\"\tc") << '\t' << Lines{"a\tb", "c"};
    QTest::newRow("line feed stays in the field")
        << QByteArray("a\nb,c") << ',' << Lines{"a\nb", "c"};
    QTest::newRow("bytes above 127 pass unchanged")
        << QByteArray("\xe4\xf6,\xff") << ',' << Lines{"\xe4\xf6", "\xff"};
}

void TestTextFormat::splitLine()
{
    QFETCH(QByteArray, line);
    QFETCH(char, separator);
    QFETCH(Lines, fields);

    QCOMPARE(kribed::splitLine(line, separator), fields);
    // The visitor numbers the same fields from 1.
    int expectedNumber = 0;
    const int count = visitFields(line, separator, [&](int field, QByteArray &&value) {
        QCOMPARE(field, ++expectedNumber);
        QCOMPARE(value, fields.value(field - 1));
    });
    QCOMPARE(count, fields.size());
}

void TestTextFormat::formatCheck_data()
{
    QTest::addColumn<Lines>("lines");
    QTest::addColumn<char>("separator");
    QTest::addColumn<qint64>("lineCount");
    QTest::addColumn<int>("max");
    QTest::addColumn<bool>("suspicious");
    QTest::addColumn<bool>("importAsks");
    QTest::addColumn<bool>("appendAsks");

    const Lines three{"a,b,c", "d,e,f", "g,h,i"};
    QTest::newRow("consistent lines") << three << ',' << qint64(3) << 2 << false << false << false;
    QTest::newRow("a fourth field later is suspicious")
        << Lines{"a,b,c", "d,e,f,g"} << ',' << qint64(2) << 3 << true << true << true;
    QTest::newRow("a field fewer later is suspicious")
        << Lines{"a,b,c", "d,e"} << ',' << qint64(2) << 2 << true << true << true;
    QTest::newRow("compared with the largest count before")
        << Lines{"a,b,c,d", "e,f", "g,h"} << ',' << qint64(3) << 3 << true << true << true;
    QTest::newRow("blank line among records")
        << Lines{"a,b", "", "c,d"} << ',' << qint64(3) << 1 << true << true << true;
    QTest::newRow("line ending in a quote is suspicious")
        << Lines{"a,b", "c,\"d"} << ',' << qint64(2) << 1 << true << true << true;
    QTest::newRow("first line ending in a quote is suspicious")
        << Lines{"a,\"b", "c,d"} << ',' << qint64(2) << 1 << true << true << true;
    QTest::newRow("quoted separators are not counted")
        << Lines{"\"a,b\",c", "d,e"} << ',' << qint64(2) << 1 << false << false << false;
    QTest::newRow("single line asks")
        << Lines{"a,b"} << ',' << qint64(1) << 1 << false << true << true;
    QTest::newRow("no separator asks")
        << Lines{"a", "b"} << ',' << qint64(2) << 0 << false << true << true;
    QTest::newRow("comma file read as semicolon asks")
        << Lines{"a,b", "c,d"} << ';' << qint64(2) << 0 << false << true << true;
    QTest::newRow("empty file asks") << Lines{} << ',' << qint64(0) << -1 << false << true << true;
    QTest::newRow("50 fields pass") << Lines{fieldsLine(50), fieldsLine(50)} << ',' << qint64(2)
                                    << 49 << false << false << false;
    QTest::newRow("51 fields ask before the import drops one")
        << Lines{fieldsLine(51), fieldsLine(51)} << ',' << qint64(2) << 50 << false << true
        << false;
    QTest::newRow("53 fields ask before the import drops three")
        << Lines{fieldsLine(53), fieldsLine(53)} << ',' << qint64(2) << 52 << false << true
        << false;
    QTest::newRow("54 fields ask in both")
        << Lines{fieldsLine(54), fieldsLine(54)} << ',' << qint64(2) << 53 << false << true << true;
    QTest::newRow("10000 lines pass")
        << Lines(10000, "a,b") << ',' << qint64(10000) << 1 << false << false << false;
    QTest::newRow("10001 lines ask")
        << Lines(10001, "a,b") << ',' << qint64(10001) << 1 << false << true << true;
}

void TestTextFormat::formatCheck()
{
    QFETCH(Lines, lines);
    QFETCH(char, separator);
    QFETCH(qint64, lineCount);
    QFETCH(int, max);
    QFETCH(bool, suspicious);
    QFETCH(bool, importAsks);
    QFETCH(bool, appendAsks);

    QByteArray text = joinCrLf(lines);
    QBuffer buffer(&text);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    const std::optional<FormatCheck> check = checkFormat(buffer, separator);
    QVERIFY(check.has_value());
    QCOMPARE(check->lines, lineCount);
    QCOMPARE(check->max, max);
    QCOMPARE(check->suspicious, suspicious);
    QCOMPARE(importAsksFormatQuestion(*check), importAsks);
    QCOMPARE(appendAsksFormatQuestion(*check), appendAsks);
}

void TestTextFormat::textTypes()
{
    // The dialogs hand over a filter index; the texts are the program's own.
    QCOMPARE(importFilterText(),
             QStringLiteral("Comma Separator (*.CSV)|*.CSV|Semicolon Separator (*.csv)|*.csv|"
                            "Tab Separator (*.TXT)|*.TXT|Comma Separator (*.*)|*.*|"));
    QCOMPARE(exportFilterText(),
             QStringLiteral("Comma Separator (*.CSV)|*.CSV|Semicolon Separator (*.csv)|*.csv|"
                            "Tab Separator (*.TXT)|*.TXT|"));
    QVERIFY(!textTypeFromIndex(0));
    QVERIFY(!textTypeFromIndex(5));
    for (int index = 1; index <= 4; ++index) {
        const TextType type = *textTypeFromIndex(index);
        QCOMPARE(textTypeFromName(textTypeName(type).toUpper()), type);
    }
    QCOMPARE(separatorOf(TextType::CommaAny), ',');
    QVERIFY(!isExportType(TextType::CommaAny));
    QCOMPARE(exportQuoteOf(TextType::Tab), QByteArray());
}

QTEST_GUILESS_MAIN(TestTextFormat)
#include "tst_text_format.moc"
