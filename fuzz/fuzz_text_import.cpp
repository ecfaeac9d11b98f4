// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/import_plan.h"
#include "core/exchange/text_exchange.h"
#include "core/exchange/text_format.h"
#include "core/model/database.h"
#include "core/model/regional.h"
#include "core/platform/prompter.h"

#include "text_fuzz_support.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>
#include <utility>

using namespace kribed;
using namespace kribed::fuzz;

namespace {

// The lines of the text as a device reads them, each joined from its pieces.
QList<QByteArray> wholeLines(QByteArray &text)
{
    QList<QByteArray> lines;
    QByteArray line;
    QBuffer buffer(&text);
    buffer.open(QIODevice::ReadOnly);
    readLinePieces(
        buffer, [&line](QByteArrayView piece) { line.append(piece); },
        [&lines, &line] {
            lines.append(std::exchange(line, QByteArray()));
            return true;
        });
    return lines;
}

// The fields of the lines read a few bytes at a time, as a long line is: a line end, a quote or a
// separator may fall at any piece's edge.
QList<QList<QByteArray>> linesInPieces(const QByteArray &text, char separator, qsizetype pieceSize)
{
    QList<QList<QByteArray>> lines;
    QList<QByteArray> fields;
    FieldSplitter splitter(separator, DoubleQuote, text.size() + 1,
                           [&fields](int, QByteArrayView value, bool longer) {
                               check(!longer);
                               fields.append(value.toByteArray());
                           });
    LinePieceReader reader([&splitter](QByteArrayView piece) { splitter.feed(piece); },
                           [&] {
                               check(splitter.endLine() == fields.size());
                               lines.append(fields);
                               fields.clear();
                               return true;
                           });
    for (qsizetype at = 0; at < text.size() && !reader.stopped(); at += pieceSize)
        reader.feed(QByteArrayView(text).sliced(at, std::min(pieceSize, text.size() - at)));
    reader.finish();
    return lines;
}

} // namespace

// The first byte picks the text type (and for standard CSV the encoding and the code page); the
// rest is the file.
// Standard CSV's piecewise reading and its export-import round trip are fuzz_csv_round_trip's.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const TextType type = TextType(1 + data[0] % 5);
    QByteArray text(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const CsvEncoding encoding = (data[0] / 5) % 2 ? CsvEncoding::CodePage : CsvEncoding::Utf8;
    // The code page matters to standard CSV only.
    const Regional &regional = regionalFor((data[0] / 10) % 2);
    const char separator = separatorOf(type);

    // Line reading, splitting and the format check must agree with each other.
    FormatChecker checker(separator);
    const QList<QByteArray> lines = wholeLines(text);
    QList<QList<QByteArray>> splitLines;
    for (const QByteArray &line : lines) {
        check(!line.contains('\r') && !line.contains('\x1a'));
        checker.addLine(line);
        bool endsQuoted = false;
        const int separators = countSeparators(line, separator, &endsQuoted);
        const int fields = int(splitLine(line, separator).size());
        check(fields == (endsQuoted ? separators : separators + 1));
        splitLines.append(splitLine(line, separator));
    }
    check(checker.result().lines == lines.size());
    check(linesInPieces(text, separator, 1 + (data[0] / 20) % 7) == splitLines);

    // Read as UTF-8 into the code page, as a preview may choose for any type: every question
    // answered OK, the result keeps the limits.
    if (type != TextType::Csv) {
        QBuffer utf8Buffer(&text);
        utf8Buffer.open(QIODevice::ReadOnly);
        Database converted;
        AgreeingPrompter agreeing;
        ImportPlan plan =
            readTextImport(utf8Buffer, type, regional, encoding, 0, DoubleQuote, TextBytes::Utf8);
        if (plan.failure == PlanFailure::None) {
            check(carryOutImport(std::move(plan), converted, agreeing) == ExchangeResult::Done);
            check(converted.fieldCount() >= 1 && converted.fieldCount() <= MaxFields);
            check(converted.recordCount() >= 1 && converted.recordCount() <= MaxRecords);
        }
    }

    AgreeingPrompter prompter;
    Database database;
    QBuffer buffer(&text);
    buffer.open(QIODevice::ReadOnly);
    check(importText(buffer, type, database, prompter, regional, encoding) == ExchangeResult::Done);
    check(database.fieldCount() >= 1 && database.fieldCount() <= MaxFields);
    check(database.recordCount() >= 1 && database.recordCount() <= MaxRecords);

    // Appending the same text to what it made stays within the append's limit.
    buffer.seek(0);
    const int before = database.recordCount();
    check(appendText(buffer, type, database, prompter, regional, encoding) == ExchangeResult::Done);
    check(database.recordCount() >= before && database.recordCount() <= MaxRecords);
    return 0;
}
