// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/text_format.h"

#include "core/exchange/chunked_reading.h"
#include "core/exchange/encoding_detection.h"
#include "core/model/limits.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstring>
#include <utility>

namespace kribed {

namespace {

constexpr char Quote = '"';
constexpr char EndOfFile = 26; // Ctrl+Z

struct TypeRow
{
    TextType type;
    const char *name;
    char separator;
    const char *filterEntry;
    const char *pattern;
    const char *defaultExtension;
    const char *backupExtension;
};

constexpr TypeRow TypeRows[] = {
    {TextType::Comma, "comma", ',', QT_TRANSLATE_NOOP("TextFormat", "Comma Separator (*.CSV)"),
     "*.CSV", "CSV", ".CS_"},
    {TextType::Semicolon, "semicolon", ';',
     QT_TRANSLATE_NOOP("TextFormat", "Semicolon Separator (*.csv)"), "*.csv", "csv", ".cs_"},
    {TextType::Tab, "tab", '\t', QT_TRANSLATE_NOOP("TextFormat", "Tab Separator (*.TXT)"), "*.TXT",
     "TXT", ".TX_"},
    {TextType::CommaAny, "comma-any", ',', QT_TRANSLATE_NOOP("TextFormat", "Comma Separator (*.*)"),
     "*.*", "*.*", ""},
    {TextType::Csv, "csv", ',', QT_TRANSLATE_NOOP("TextFormat", "Standard CSV (*.csv)"), "*.csv",
     "csv", ".cs_"},
};

const TypeRow &rowOf(TextType type)
{
    return TypeRows[int(type) - 1];
}

QString filterEntry(const TypeRow &row)
{
    return QCoreApplication::translate("TextFormat", row.filterEntry) + u'|'
           + QLatin1String(row.pattern) + u'|';
}

QString filterText(int entries)
{
    QString text;
    for (int i = 0; i < entries; ++i)
        text += filterEntry(TypeRows[i]);
    return text;
}

// What a byte is compared with for the quote: one no byte equals when there is none, so that
// a NUL byte never starts a quoted value.
int quoteCode(char quote)
{
    return quote ? int(quote) : 1000;
}

} // namespace

std::optional<TextType> textTypeFromIndex(int filterIndex)
{
    if (filterIndex < 1 || filterIndex > 4)
        return std::nullopt;
    return TextType(filterIndex);
}

std::optional<TextType> textTypeFromName(const QString &name)
{
    for (const TypeRow &row : TypeRows) {
        if (name.compare(QLatin1String(row.name), Qt::CaseInsensitive) == 0)
            return row.type;
    }
    return std::nullopt;
}

QString textTypeName(TextType type)
{
    return QLatin1String(rowOf(type).name);
}

char separatorOf(TextType type)
{
    return rowOf(type).separator;
}

QByteArray exportQuoteOf(TextType type)
{
    return type == TextType::Tab ? QByteArray() : QByteArray(1, Quote);
}

QString defaultExtensionOf(TextType type)
{
    return QLatin1String(rowOf(type).defaultExtension);
}

QString backupExtensionOf(TextType type)
{
    return QLatin1String(rowOf(type).backupExtension);
}

QString textFilterEntry(TextType type)
{
    return filterEntry(rowOf(type));
}

bool isExportType(TextType type)
{
    return type == TextType::Comma || type == TextType::Semicolon || type == TextType::Tab
           || type == TextType::Csv;
}

QString importFilterText()
{
    return filterText(4);
}

QString exportFilterText()
{
    return filterText(3);
}

QString importFilterTextWithCsv()
{
    return filterText(4) + filterEntry(rowOf(TextType::Csv));
}

QString exportFilterTextWithCsv()
{
    return filterText(3) + filterEntry(rowOf(TextType::Csv));
}

std::optional<TextType> importTypeOfFilterIndex(int filterIndex)
{
    if (filterIndex < 1 || filterIndex > 5)
        return std::nullopt;
    return TextType(filterIndex);
}

std::optional<TextType> exportTypeOfFilterIndex(int filterIndex)
{
    if (filterIndex < 1 || filterIndex > 4)
        return std::nullopt;
    return filterIndex == 4 ? TextType::Csv : TextType(filterIndex);
}

int exportFilterIndexOf(TextType type)
{
    return type == TextType::Csv ? 4 : int(type);
}

// Line reading ----------------------------------------------------------------------------------

LinePieceReader::LinePieceReader(PieceHandler piece, LineEndHandler lineEnd)
    : mPiece(std::move(piece))
    , mLineEnd(std::move(lineEnd))
{
}

void LinePieceReader::feed(QByteArrayView bytes)
{
    const char *p = bytes.data();
    const char *const end = p + bytes.size();
    while (p < end && !mStopped) {
        if (mAfterCr) {
            mAfterCr = false;
            if (*p == '\n') {
                ++p;
                continue;
            }
        }
        const auto *cr = static_cast<const char *>(std::memchr(p, '\r', size_t(end - p)));
        const char *lineEnd = cr ? cr : end;
        const auto *eof = static_cast<const char *>(std::memchr(p, EndOfFile, size_t(lineEnd - p)));
        const char *q = eof ? eof : lineEnd;
        if (q > p) {
            mPiece(QByteArrayView(p, q - p));
            mInLine = true;
        }
        if (q == end)
            return;
        if (*q == EndOfFile) {
            finish();
            mStopped = true;
            return;
        }
        endLine();
        mAfterCr = true;
        p = q + 1;
    }
}

void LinePieceReader::finish()
{
    if (!mStopped && mInLine)
        endLine();
}

void LinePieceReader::endLine()
{
    mInLine = false;
    if (!mLineEnd())
        mStopped = true;
}

bool readLinePieces(QIODevice &device, const LinePieceReader::PieceHandler &piece,
                    const LinePieceReader::LineEndHandler &lineEnd)
{
    LinePieceReader reader(piece, lineEnd);
    return feedInChunks(device, reader);
}

// Line splitting --------------------------------------------------------------------------------

FieldSplitter::FieldSplitter(char separator, char quote, qsizetype keep, Visitor visitor)
    : mSeparator(separator)
    , mQuote(quoteCode(quote))
    , mKeep(keep)
    , mVisitor(std::move(visitor))
{
}

void FieldSplitter::keep(const char *data, qsizetype size)
{
    const qsizetype room = std::max<qsizetype>(0, mKeep - qsizetype(mField.size()));
    mField.append(data, size_t(std::min(size, room)));
    mLonger = mLonger || size > room;
}

void FieldSplitter::feed(QByteArrayView piece)
{
    const char *p = piece.data();
    const char *const end = p + piece.size();
    while (p < end) {
        const char *q = p;
        while (q < end && *q != mSeparator && *q != mQuote)
            ++q;
        keep(p, q - p);
        if (q == end)
            return;
        if (*q == mQuote) {
            mQuoted = !mQuoted;
            // Each field loses its first two quotes, wherever they stand.
            if (mStripped < 2)
                ++mStripped;
            else
                keep(q, 1);
        } else if (mQuoted) {
            keep(q, 1);
        } else {
            endField();
        }
        p = q + 1;
    }
}

void FieldSplitter::endField()
{
    mVisitor(++mFields, QByteArrayView(mField.data(), qsizetype(mField.size())), mLonger);
    mField.clear(); // keeps its room for the next field
    mLonger = false;
    mStripped = 0;
}

int FieldSplitter::endLine()
{
    // One separator stands behind the line: the last field ends there, unless it opened a quote
    // that never closed, which drops it.
    if (!mQuoted)
        endField();
    const int fields = mFields;
    mFields = 0;
    mQuoted = false;
    mField.clear();
    mLonger = false;
    mStripped = 0;
    return fields;
}

int visitFields(QByteArrayView line, char separator, const FieldVisitor &visitor, char quote)
{
    FieldSplitter splitter(
        separator, quote, line.size(),
        [&visitor](int field, QByteArrayView value, bool) { visitor(field, value.toByteArray()); });
    splitter.feed(line);
    return splitter.endLine();
}

QList<QByteArray> splitLine(QByteArrayView line, char separator, char quote)
{
    QList<QByteArray> fields;
    visitFields(
        line, separator, [&fields](int, QByteArray &&value) { fields.append(std::move(value)); },
        quote);
    return fields;
}

int countSeparators(QByteArrayView line, char separator, bool *endsQuoted, char quote)
{
    const int quoteByte = quoteCode(quote);
    int count = 0;
    bool quoted = false;
    for (const char c : line) {
        if (c == quoteByte)
            quoted = !quoted;
        else if (c == separator && !quoted)
            ++count;
    }
    if (endsQuoted)
        *endsQuoted = quoted;
    return count;
}

// Format check ----------------------------------------------------------------------------------

qint64 longestRecordLine()
{
    // Each value may stand between two quotes the reading takes away.
    return qint64(MaxFields) * (MaxValueBytes + 2) + MaxFields - 1;
}

FormatChecker::FormatChecker(char separator, char quote)
    : mSeparator(separator)
    , mQuote(quoteCode(quote))
{
}

void FormatChecker::addLine(QByteArrayView line)
{
    feed(line);
    endLine();
}

void FormatChecker::feed(QByteArrayView piece)
{
    for (const char c : piece) {
        if (c == mQuote)
            mQuoted = !mQuoted;
        else if (c == mSeparator && !mQuoted)
            ++mCount;
        else if (c == '\n')
            ++mResult.lineFeeds;
    }
    mLineBytes += piece.size();
}

void FormatChecker::endLine()
{
    if (mQuoted || (mResult.lines > 0 && mCount != mResult.max))
        mResult.suspicious = true;
    mResult.max = std::max(mResult.max, mCount);
    ++mResult.lines;
    mResult.bytes += mLineBytes;
    if (mLineBytes > mResult.longestLine) {
        mResult.longestLine = mLineBytes;
        mResult.longestLineNumber = mResult.lines;
    }
    if (mLineBytes > longestRecordLine())
        mResult.overlongBytes += mLineBytes;
    mCount = 0;
    mQuoted = false;
    mLineBytes = 0;
}

std::optional<FormatCheck> checkFormat(QIODevice &device, char separator, char quote,
                                       EncodingDetector *encoding)
{
    FormatChecker checker(separator, quote);
    LinePieceReader lines([&checker](QByteArrayView piece) { checker.feed(piece); },
                          [&checker] {
                              checker.endLine();
                              return true;
                          });
    // The lines and the encoding take each chunk as it is read: the text is read once for both.
    struct BothReaders
    {
        LinePieceReader &lines;
        EncodingDetector *encoding;
        void feed(QByteArrayView bytes)
        {
            lines.feed(bytes);
            if (encoding && !encoding->stopped())
                encoding->feed(bytes);
        }
        void finish() { lines.finish(); }
        bool stopped() const { return lines.stopped(); }
    } both{lines, encoding};
    if (!feedInChunks(device, both))
        return std::nullopt;
    return checker.result();
}

namespace {

bool doubtfulFile(const FormatCheck &check)
{
    return check.suspicious || check.max < 1 || check.lines < 2 || check.lines > 10000;
}

} // namespace

bool importAsksFormatQuestion(const FormatCheck &check)
{
    // A database holds at most 50 fields: more than 49 separators would lose fields.
    return doubtfulFile(check) || check.max > 49;
}

bool appendAsksFormatQuestion(const FormatCheck &check)
{
    return doubtfulFile(check) || check.max > 52;
}

QString openErrorText()
{
    return QCoreApplication::translate(
        "TextFormat",
        "There was an error opening the file. This may caused by an invalid filename or path, or "
        "the file may be in use by another application.");
}

QString saveErrorText()
{
    return QCoreApplication::translate(
        "TextFormat",
        "There was an error in saving the file. This may be caused by an invalid filename or a "
        "full or write protected disk.");
}

QString formatQuestionText()
{
    return QCoreApplication::translate(
        "TextFormat", "If there is an incorrect import format please try  to change the file "
                      "type in the import dialog.\nContinue?");
}

} // namespace kribed
