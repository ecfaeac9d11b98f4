// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
//
// Standard CSV: the reader agrees with itself over any cut of the text into pieces, and what an
// import made comes back cell for cell through export and import, in either encoding. The first
// byte picks the import's encoding (bit 0: the code page, else UTF-8) and the code page (bit 1:
// Shift_JIS, else windows-1252); the rest is the file. The import and append of the same text
// through every text type are fuzz_text_import's.
#include "core/exchange/csv_format.h"
#include "core/exchange/text_exchange.h"
#include "core/model/database.h"
#include "core/model/regional.h"
#include "core/platform/prompter.h"

#include "text_fuzz_support.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

using namespace kribed;
using namespace kribed::fuzz;

namespace {

// The field names and every record's texts, compared where they stand (no copies: the round trip
// runs on every input).
bool sameTable(const Database &a, const Database &b)
{
    if (a.fieldCount() != b.fieldCount() || a.recordCount() != b.recordCount())
        return false;
    for (int field = 1; field <= a.fieldCount(); ++field) {
        if (a.fieldName(field) != b.fieldName(field))
            return false;
    }
    const QVector<Database::Record> &left = a.records();
    const QVector<Database::Record> &right = b.records();
    for (qsizetype record = 0; record < left.size(); ++record) {
        const Database::Record &one = left.at(record);
        const Database::Record &other = right.at(record);
        if (one.size() != other.size())
            return false;
        for (qsizetype i = 0; i < one.size(); ++i) {
            if (one.view(i) != other.view(i))
                return false;
        }
    }
    return true;
}

// The records of the text read whole, then read again in pieces of 7 bytes, each compared as it
// comes with the one read whole.
void checkPiecewiseReading(const QByteArray &text)
{
    QList<QList<QByteArray>> whole;
    CsvReader wholeReader(',', [&whole](CsvRecord &record) {
        check(record.fieldCount == record.fields.size());
        whole.append(std::move(record.fields));
        return true;
    });
    wholeReader.feed(text);
    wholeReader.finish();
    qsizetype next = 0;
    CsvReader pieceReader(',', [&](CsvRecord &record) {
        check(record.fieldCount == record.fields.size());
        check(next < whole.size() && record.fields == whole.at(next));
        ++next;
        return true;
    });
    for (qsizetype at = 0; at < text.size(); at += 7)
        pieceReader.feed(
            QByteArrayView(text.constData() + at, qMin<qsizetype>(7, text.size() - at)));
    pieceReader.finish();
    check(next == whole.size());
}

void checkRoundTrip(QByteArray &text, CsvEncoding encoding, const Regional &regional)
{
    AgreeingPrompter prompter;
    Database database;
    QBuffer buffer(&text);
    buffer.open(QIODevice::ReadOnly);
    check(importText(buffer, TextType::Csv, database, prompter, regional, encoding)
          == ExchangeResult::Done);
    for (const CsvEncoding back : {CsvEncoding::CodePage, CsvEncoding::Utf8}) {
        QByteArray exported;
        QBuffer out(&exported);
        out.open(QIODevice::WriteOnly);
        check(writeText(out, TextType::Csv, database, regional, back));
        out.close();
        out.open(QIODevice::ReadOnly);
        Database again;
        check(importText(out, TextType::Csv, again, prompter, regional, back)
              == ExchangeResult::Done);
        // Bytes the code page cannot read become '?' on the way through UTF-8.
        if (back == CsvEncoding::CodePage || regional.codePage() == "windows-1252")
            check(sameTable(again, database));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const bool codePage = data[0] & 1;
    const Regional &regional = regionalFor(data[0] & 2);
    QByteArray text(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    checkPiecewiseReading(text);
    checkRoundTrip(text, codePage ? CsvEncoding::CodePage : CsvEncoding::Utf8, regional);
    return 0;
}
