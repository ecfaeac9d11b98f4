// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/csv_format.h"

#include <QBuffer>
#include <QtTest>

#include <cstring>
#include <memory>

using namespace kribed;

using Fields = QList<QByteArray>;
using Records = QList<Fields>;

Q_DECLARE_METATYPE(Records)

namespace {

struct ReadResult
{
    Records records;
    bool mark = false;
    bool endsQuoted = false;
    bool strayQuote = false;
};

// Feeds the text in pieces of `piece` bytes (all at once for 0).
ReadResult readInPieces(const QByteArray &text, qsizetype piece)
{
    ReadResult result;
    CsvReader reader(',', [&result](CsvRecord &record) {
        result.records.append(record.fields);
        result.endsQuoted = result.endsQuoted || record.endsQuoted;
        result.strayQuote = result.strayQuote || record.strayQuote;
        if (record.fieldCount != record.fields.size())
            result.records.append({"field count differs"});
        return true;
    });
    if (piece == 0) {
        reader.feed(text);
    } else {
        for (qsizetype at = 0; at < text.size(); at += piece)
            reader.feed(QByteArrayView(text.constData() + at, qMin(piece, text.size() - at)));
    }
    reader.finish();
    result.mark = reader.sawByteOrderMark();
    return result;
}

} // namespace

class TestCsvFormat : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void reading_data();
    void reading();
    void readingLimits();
    void readingDevices_data();
    void readingDevices();
    void writing_data();
    void writing();
    void encodingNames();
};

void TestCsvFormat::reading_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<Records>("records");
    QTest::addColumn<bool>("mark");
    QTest::addColumn<bool>("flagged"); // a stray quote or a text that ends quoted

    QTest::newRow("plain fields, CR LF")
        << QByteArray("a,b,c\r\nd,e,f\r\n") << Records{{"a", "b", "c"}, {"d", "e", "f"}} << false
        << false;
    QTest::newRow("LF line ends") << QByteArray("a,b\nc,d\n") << Records{{"a", "b"}, {"c", "d"}}
                                  << false << false;
    QTest::newRow("CR line ends, no end after the last")
        << QByteArray("a,b\rc,d") << Records{{"a", "b"}, {"c", "d"}} << false << false;
    QTest::newRow("mixed line ends")
        << QByteArray("a\r\nb\nc\rd\n") << Records{{"a"}, {"b"}, {"c"}, {"d"}} << false << false;
    QTest::newRow("LF CR is two line ends")
        << QByteArray("a\n\rb") << Records{{"a"}, {""}, {"b"}} << false << false;
    QTest::newRow("empty line is one empty field")
        << QByteArray("a\r\n\r\nb\r\n") << Records{{"a"}, {""}, {"b"}} << false << false;
    QTest::newRow("empty text has no record") << QByteArray() << Records{} << false << false;
    QTest::newRow("empty fields") << QByteArray(",,\r\n") << Records{{"", "", ""}} << false
                                  << false;
    QTest::newRow("quoted comma stays in one field")
        << QByteArray("\"a,b\",c") << Records{{"a,b", "c"}} << false << false;
    QTest::newRow("doubled quote is one quote")
        << QByteArray("\"say \"\"hi\"\"\",x") << Records{{"say \"hi\"", "x"}} << false << false;
    QTest::newRow("only a doubled quote")
        << QByteArray("\"\"\"\"") << Records{{"\""}} << false << false;
    QTest::newRow("empty quoted field")
        << QByteArray("\"\",a\r\n\"\"") << Records{{"", "a"}, {""}} << false << false;
    QTest::newRow("quoted line breaks become CR LF")
        << QByteArray("\"1\n2\r3\r\n4\n\r5\",x\r\n") << Records{{"1\r\n2\r\n3\r\n4\r\n\r\n5", "x"}}
        << false << false;
    QTest::newRow("blanks, tabs and control bytes kept")
        << QByteArray(" a ,\tb\t,\x1a\x01\x7f") << Records{{" a ", "\tb\t", "\x1a\x01\x7f"}}
        << false << false;
    QTest::newRow("Ctrl+Z does not end the text")
        << QByteArray("a\x1a\r\nb") << Records{{"a\x1a"}, {"b"}} << false << false;
    QTest::newRow("bytes above 127 pass unchanged")
        << QByteArray("\xe4\xf6,\"\xff\"") << Records{{"\xe4\xf6", "\xff"}} << false << false;
    QTest::newRow("byte-order mark skipped")
        << QByteArray("\xEF\xBB\xBFName,x\r\n") << Records{{"Name", "x"}} << true << false;
    QTest::newRow("byte-order mark before a quote")
        << QByteArray("\xEF\xBB\xBF\"a\"") << Records{{"a"}} << true << false;
    QTest::newRow("byte-order mark alone")
        << QByteArray("\xEF\xBB\xBF") << Records{} << true << false;
    QTest::newRow("part of a mark is text")
        << QByteArray("\xEF\xBB,b") << Records{{"\xEF\xBB", "b"}} << false << false;
    QTest::newRow("part of a mark at the end is text")
        << QByteArray("\xEF") << Records{{"\xEF"}} << false << false;
    QTest::newRow("mark past the start is text")
        << QByteArray("a\r\n\xEF\xBB\xBF") << Records{{"a"}, {"\xEF\xBB\xBF"}} << false << false;
    QTest::newRow("quote inside an unquoted field kept")
        << QByteArray("5'10\",x") << Records{{"5'10\"", "x"}} << false << true;
    QTest::newRow("text after a closing quote kept")
        << QByteArray("\"ab\"c\"d,x") << Records{{"abc\"d", "x"}} << false << true;
    QTest::newRow("unclosed quote keeps the rest of the text")
        << QByteArray("a,\"b,c\r\nd") << Records{{"a", "b,c\r\nd"}} << false << true;
    QTest::newRow("closing quote at the very end")
        << QByteArray("a,\"b\"") << Records{{"a", "b"}} << false << false;
}

void TestCsvFormat::reading()
{
    QFETCH(QByteArray, text);
    QFETCH(Records, records);
    QFETCH(bool, mark);
    QFETCH(bool, flagged);

    // Pieces of every size: a state (a CR before its LF, a quote before its twin, part of the
    // mark) may be cut at any byte when the text arrives in chunks.
    for (qsizetype piece = 0; piece <= qMax<qsizetype>(text.size(), 1); ++piece) {
        const ReadResult result = readInPieces(text, piece);
        const QByteArray context = "pieces of " + QByteArray::number(piece);
        QVERIFY2(result.records == records, context.constData());
        QVERIFY2(result.mark == mark, context.constData());
        QVERIFY2((result.endsQuoted || result.strayQuote) == flagged, context.constData());
    }

    // The device form reads the same.
    QByteArray copy = text;
    QBuffer buffer(&copy);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    Records fromDevice;
    CsvReader reader(',', [&fromDevice](CsvRecord &record) {
        fromDevice.append(record.fields);
        return true;
    });
    QVERIFY(readCsv(buffer, reader));
    QCOMPARE(fromDevice, records);
}

// A device's bytes reach the reader whole whatever its size beside the read buffer, from where
// the device stands, and from a device that cannot tell its size.
void TestCsvFormat::readingDevices_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("start");
    QTest::addColumn<bool>("sequential");
    const int chunk = 1 << 16;
    QTest::newRow("one byte") << 1 << 0 << false;
    QTest::newRow("a byte under a chunk") << chunk - 1 << 0 << false;
    QTest::newRow("one chunk") << chunk << 0 << false;
    QTest::newRow("a byte over a chunk") << chunk + 1 << 0 << false;
    QTest::newRow("several chunks") << 3 * chunk + 17 << 0 << false;
    QTest::newRow("opened past its start") << chunk + 5 << 1000 << false;
    QTest::newRow("sequential device") << 2 * chunk + 3 << 0 << true;
}

void TestCsvFormat::readingDevices()
{
    QFETCH(int, size);
    QFETCH(int, start);
    QFETCH(bool, sequential);
    // One record per line of "n,xxxx": the last line is cut where the size ends.
    QByteArray text;
    for (int line = 0; text.size() < size; ++line)
        text += QByteArray::number(line) + ",value of line " + QByteArray::number(line) + "\r\n";
    text.truncate(size);
    const QByteArray expected = text.mid(start);

    // Hands out its bytes once, as a pipe does, and cannot tell its size.
    class Pipe : public QIODevice
    {
    public:
        explicit Pipe(QByteArray bytes)
            : mBytes(std::move(bytes))
        {
        }
        bool isSequential() const override { return true; }

    protected:
        qint64 readData(char *data, qint64 max) override
        {
            const qint64 got = qMin(max, qint64(mBytes.size() - mAt));
            std::memcpy(data, mBytes.constData() + mAt, size_t(got));
            mAt += got;
            return got;
        }
        qint64 writeData(const char *, qint64) override { return -1; }

    private:
        QByteArray mBytes;
        qsizetype mAt = 0;
    };
    QByteArray copy = text;
    std::unique_ptr<QIODevice> device;
    if (sequential)
        device = std::make_unique<Pipe>(text);
    else
        device = std::make_unique<QBuffer>(&copy);
    QVERIFY(device->open(QIODevice::ReadOnly));
    if (start > 0)
        QVERIFY(device->seek(start));
    Records fromDevice;
    CsvReader reader(',', [&fromDevice](CsvRecord &record) {
        fromDevice.append(record.fields);
        return true;
    });
    QVERIFY(readCsv(*device, reader));
    QCOMPARE(fromDevice, readInPieces(expected, 0).records);
}

void TestCsvFormat::readingLimits()
{
    // Three fields kept per record, values cut past 4 bytes (5 kept so a cut can be seen),
    // fields of records past the second only counted; the stop of the handler holds.
    const QByteArray text = "a,b,c,d,e\r\n123456,\"x\r\ny\",z\r\np,q\r\nlast,one\r\n";
    struct Case
    {
        CsvReader::Overflow overflow;
        Records kept;
    };
    const Case cases[] = {
        {CsvReader::Overflow::IntoLast, {{"a", "b", "e"}, {"12345", "x\r\ny", "z"}, {}, {}}},
        {CsvReader::Overflow::Drop, {{"a", "b", "c"}, {"12345", "x\r\ny", "z"}, {}, {}}},
    };
    for (const Case &test : cases) {
        Records kept;
        QList<int> counts;
        CsvReader reader(',', [&](CsvRecord &record) {
            kept.append(record.fields);
            counts.append(record.fieldCount);
            return true;
        });
        reader.setLimits(3, test.overflow, 4, 2);
        reader.feed(text);
        reader.finish();
        QCOMPARE(kept, test.kept);
        QCOMPARE(counts, (QList<int>{5, 3, 2, 2}));
    }

    Records seen;
    CsvReader stopping(',', [&seen](CsvRecord &record) {
        seen.append(record.fields);
        return seen.size() < 2;
    });
    stopping.feed("a\nb\nc\nd");
    stopping.finish();
    QVERIFY(stopping.stopped());
    QCOMPARE(seen, (Records{{"a"}, {"b"}}));
}

void TestCsvFormat::writing_data()
{
    QTest::addColumn<Fields>("values");
    QTest::addColumn<bool>("first");
    QTest::addColumn<QByteArray>("line");

    QTest::newRow("plain values bare")
        << Fields{"a", "b c", "1.5"} << false << QByteArray("a,b c,1.5\r\n");
    QTest::newRow("separator quoted") << Fields{"a,b", "c"} << false << QByteArray("\"a,b\",c\r\n");
    QTest::newRow("quotes doubled")
        << Fields{"say \"hi\""} << false << QByteArray("\"say \"\"hi\"\"\"\r\n");
    QTest::newRow("lone quote") << Fields{"\"", "x"} << false << QByteArray("\"\"\"\",x\r\n");
    QTest::newRow("CR LF quoted") << Fields{"1\r\n2", "x"} << false
                                  << QByteArray("\"1\r\n2\",x\r\n");
    QTest::newRow("lone LF quoted") << Fields{"1\n2"} << false << QByteArray("\"1\n2\"\r\n");
    QTest::newRow("lone CR quoted") << Fields{"1\r2"} << false << QByteArray("\"1\r2\"\r\n");
    QTest::newRow("leading blank quoted")
        << Fields{" a", "b"} << false << QByteArray("\" a\",b\r\n");
    QTest::newRow("trailing blank quoted") << Fields{"a "} << false << QByteArray("\"a \"\r\n");
    QTest::newRow("leading tab quoted") << Fields{"\ta"} << false << QByteArray("\"\ta\"\r\n");
    QTest::newRow("inner tab bare") << Fields{"a\tb"} << false << QByteArray("a\tb\r\n");
    QTest::newRow("Ctrl+Z and control bytes bare")
        << Fields{"a\x1a", "\x01"} << false << QByteArray("a\x1a,\x01\r\n");
    QTest::newRow("one empty value quoted") << Fields{""} << false << QByteArray("\"\"\r\n");
    QTest::newRow("two empty values bare") << Fields{"", ""} << false << QByteArray(",\r\n");
    QTest::newRow("mark-like first value of the file quoted")
        << Fields{"\xEF\xBB\xBFName", "x"} << true << QByteArray("\"\xEF\xBB\xBFName\",x\r\n");
    QTest::newRow("mark-like value further on bare")
        << Fields{"\xEF\xBB\xBFName"} << false << QByteArray("\xEF\xBB\xBFName\r\n");
}

void TestCsvFormat::writing()
{
    QFETCH(Fields, values);
    QFETCH(bool, first);
    QFETCH(QByteArray, line);

    QByteArray out = "before";
    appendCsvRecord(out, values, ',', first);
    QCOMPARE(out, "before" + line);

    // What is written reads back as the values, line breaks as CR LF (a value further on is
    // read after another record).
    ReadResult back = readInPieces(first ? line : "z\r\n" + line, 0);
    if (!first)
        back.records.removeFirst();
    Fields expected = values;
    for (QByteArray &value : expected) {
        value.replace("\r\n", "\n").replace('\r', '\n').replace("\n", "\r\n");
    }
    QCOMPARE(back.records, Records{expected});
    QVERIFY(!back.strayQuote && !back.endsQuoted);
}

void TestCsvFormat::encodingNames()
{
    QCOMPARE(csvEncodingFromName(QStringLiteral("UTF-8")), CsvEncoding::Utf8);
    QCOMPARE(csvEncodingFromName(QStringLiteral("utf8")), CsvEncoding::Utf8);
    QCOMPARE(csvEncodingFromName(QStringLiteral("CodePage")), CsvEncoding::CodePage);
    QCOMPARE(csvEncodingFromName(QStringLiteral("latin1")), std::nullopt);
    for (const CsvEncoding encoding : {CsvEncoding::Utf8, CsvEncoding::CodePage})
        QCOMPARE(csvEncodingFromName(csvEncodingName(encoding)), encoding);
}

QTEST_GUILESS_MAIN(TestCsvFormat)
#include "tst_csv_format.moc"
