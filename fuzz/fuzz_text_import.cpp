// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/csv_format.h"
#include "core/exchange/text_exchange.h"
#include "core/model/database.h"
#include "core/model/regional.h"
#include "core/platform/prompter.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

using namespace kribed;

namespace {

// Answers OK to every question, so the whole import and append run.
class AgreeingPrompter : public Prompter
{
public:
    Answer ask(const Message &) override { return Answer::Ok; }
};

void check(bool condition)
{
    if (!condition)
        std::abort();
}

using Table = QList<QList<QByteArray>>;

Table tableOf(const Database &database)
{
    Table table;
    QList<QByteArray> names;
    for (int field = 1; field <= database.fieldCount(); ++field)
        names.append(database.fieldName(field));
    table.append(names);
    for (const Database::Record &record : database.records())
        table.append(record.toList());
    return table;
}

// Standard CSV: the reader agrees with itself over any cut of the text into pieces, and what an
// import made comes back cell for cell through export and import, in either encoding.
void checkCsv(QByteArray &text, CsvEncoding encoding)
{
    QList<QList<QByteArray>> whole;
    QList<QList<QByteArray>> pieces;
    const auto collect = [](QList<QList<QByteArray>> &into) {
        return [&into](CsvRecord &record) {
            check(record.fieldCount == record.fields.size());
            into.append(record.fields);
            return true;
        };
    };
    CsvReader wholeReader(',', collect(whole));
    wholeReader.feed(text);
    wholeReader.finish();
    CsvReader pieceReader(',', collect(pieces));
    for (qsizetype at = 0; at < text.size(); at += 7)
        pieceReader.feed(
            QByteArrayView(text.constData() + at, qMin<qsizetype>(7, text.size() - at)));
    pieceReader.finish();
    check(whole == pieces);

    AgreeingPrompter prompter;
    Database database;
    QBuffer buffer(&text);
    buffer.open(QIODevice::ReadOnly);
    check(importText(buffer, TextType::Csv, database, prompter, encoding) == ExchangeResult::Done);
    for (const CsvEncoding back : {CsvEncoding::CodePage, CsvEncoding::Utf8}) {
        QByteArray exported;
        QBuffer out(&exported);
        out.open(QIODevice::WriteOnly);
        check(writeText(out, TextType::Csv, database, back));
        out.close();
        out.open(QIODevice::ReadOnly);
        Database again;
        check(importText(out, TextType::Csv, again, prompter, back) == ExchangeResult::Done);
        // Bytes the code page cannot read become '?' on the way through UTF-8.
        if (back == CsvEncoding::CodePage || currentRegional().codePage() == "windows-1252")
            check(tableOf(again) == tableOf(database));
    }
}

} // namespace

// The first byte picks the text type (and for standard CSV the encoding and the code page); the
// rest is the file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const TextType type = TextType(1 + data[0] % 5);
    QByteArray text(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    if (type == TextType::Csv) {
        const bool utf8 = (data[0] / 5) % 2 == 0;
        setCurrentRegional(
            Regional(QLocale::c(), (data[0] / 10) % 2 ? "Shift_JIS" : "windows-1252"));
        checkCsv(text, utf8 ? CsvEncoding::Utf8 : CsvEncoding::CodePage);
    }
    const char separator = separatorOf(type);

    // Line reading, splitting and the format check must agree with each other.
    FormatChecker checker(separator);
    qint64 lines = 0;
    QBuffer lineBuffer(&text);
    lineBuffer.open(QIODevice::ReadOnly);
    readLines(lineBuffer, [&](QByteArrayView line) {
        check(!line.contains('\r') && !line.contains('\x1a'));
        checker.addLine(line);
        bool endsQuoted = false;
        const int separators = countSeparators(line, separator, &endsQuoted);
        const int fields = int(splitLine(line, separator).size());
        check(fields == (endsQuoted ? separators : separators + 1));
        ++lines;
        return true;
    });
    check(checker.result().lines == lines);

    AgreeingPrompter prompter;
    Database database;
    QBuffer buffer(&text);
    buffer.open(QIODevice::ReadOnly);
    check(importText(buffer, type, database, prompter) == ExchangeResult::Done);
    check(database.fieldCount() >= 1 && database.fieldCount() <= MaxFields);
    check(database.recordCount() >= 1 && database.recordCount() <= MaxRecords);

    // Appending the same text to what it made stays within the append's limit.
    buffer.seek(0);
    const int before = database.recordCount();
    check(appendText(buffer, type, database, prompter) == ExchangeResult::Done);
    check(database.recordCount() >= before && database.recordCount() <= MaxRecords);
    return 0;
}
