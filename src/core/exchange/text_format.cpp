// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/text_format.h"

#include <QIODevice>

#include <algorithm>
#include <cstring>

namespace kribed {

namespace {

constexpr char Quote = '"';
constexpr char EndOfFile = 26; // Ctrl+Z
constexpr qint64 ReadChunk = 1 << 16;

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
    {TextType::Comma, "comma", ',', "Comma Separator (*.CSV)", "*.CSV", "CSV", ".CS_"},
    {TextType::Semicolon, "semicolon", ';', "Semicolon Separator (*.csv)", "*.csv", "csv", ".cs_"},
    {TextType::Tab, "tab", '\t', "Tab Separator (*.TXT)", "*.TXT", "TXT", ".TX_"},
    {TextType::CommaAny, "comma-any", ',', "Comma Separator (*.*)", "*.*", "*.*", ""},
};

const TypeRow &RowOf(TextType type)
{
    return TypeRows[int(type) - 1];
}

QString FilterText(int entries)
{
    QString text;
    for (int i = 0; i < entries; ++i) {
        text += QLatin1String(TypeRows[i].filterEntry) + u'|' + QLatin1String(TypeRows[i].pattern)
            + u'|';
    }
    return text;
}

// Removes the first double quote, then the first one of what is left.
void StripTwoQuotes(QByteArray &field)
{
    for (int pass = 0; pass < 2; ++pass) {
        const qsizetype at = field.indexOf(Quote);
        if (at < 0)
            return;
        field.remove(at, 1);
    }
}

} // namespace

std::optional<TextType> TextTypeFromIndex(int filterIndex)
{
    if (filterIndex < 1 || filterIndex > 4)
        return std::nullopt;
    return TextType(filterIndex);
}

std::optional<TextType> TextTypeFromName(const QString &name)
{
    for (const TypeRow &row : TypeRows) {
        if (name.compare(QLatin1String(row.name), Qt::CaseInsensitive) == 0)
            return row.type;
    }
    return std::nullopt;
}

QString TextTypeName(TextType type)
{
    return QLatin1String(RowOf(type).name);
}

char SeparatorOf(TextType type)
{
    return RowOf(type).separator;
}

QByteArray ExportQuoteOf(TextType type)
{
    return type == TextType::Tab ? QByteArray() : QByteArray(1, Quote);
}

QString DefaultExtensionOf(TextType type)
{
    return QLatin1String(RowOf(type).defaultExtension);
}

QString BackupExtensionOf(TextType type)
{
    return QLatin1String(RowOf(type).backupExtension);
}

bool IsExportType(TextType type)
{
    return type == TextType::Comma || type == TextType::Semicolon || type == TextType::Tab;
}

QString ImportFilterText()
{
    return FilterText(4);
}

QString ExportFilterText()
{
    return FilterText(3);
}

// Line reading ----------------------------------------------------------------------------------

LineReader::LineReader(LineHandler handler) : mHandler(std::move(handler)) {}

void LineReader::Feed(QByteArrayView bytes)
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
        const char *q = p;
        while (q < end && *q != '\r' && *q != EndOfFile)
            ++q;
        if (q < end && *q == '\r' && !mInLine) {
            // The whole line lies in this piece: hand it over without copying.
            DeliverView(p, q - p);
            mAfterCr = true;
            p = q + 1;
            continue;
        }
        if (q > p) {
            mLine.append(p, q - p);
            mInLine = true;
        }
        if (q == end)
            return;
        if (*q == EndOfFile) {
            Finish();
            mStopped = true;
            return;
        }
        Deliver();
        mAfterCr = true;
        p = q + 1;
    }
}

void LineReader::Finish()
{
    if (!mStopped && mInLine)
        Deliver();
}

void LineReader::DeliverView(const char *data, qsizetype size)
{
    if (!mHandler(QByteArrayView(data, size)))
        mStopped = true;
}

void LineReader::Deliver()
{
    const bool goOn = mHandler(mLine);
    mLine.clear();
    mInLine = false;
    if (!goOn)
        mStopped = true;
}

bool ReadLines(QIODevice &device, const LineReader::LineHandler &handler)
{
    LineReader reader(handler);
    QByteArray chunk(ReadChunk, Qt::Uninitialized);
    while (!reader.Stopped()) {
        const qint64 got = device.read(chunk.data(), ReadChunk);
        if (got < 0)
            return false;
        if (got == 0)
            break;
        reader.Feed(QByteArrayView(chunk.constData(), got));
    }
    reader.Finish();
    return true;
}

// Line splitting --------------------------------------------------------------------------------

int VisitFields(QByteArrayView line, char separator, const FieldVisitor &visitor)
{
    // One separator stands behind the line: a field ends at every separator outside a quote,
    // and what follows the last one can only be an unclosed quote, which is dropped.
    int fields = 0;
    bool quoted = false;
    qsizetype start = 0;
    const qsizetype size = line.size();
    const char *data = line.data();
    for (qsizetype i = 0; i <= size; ++i) {
        const char c = i < size ? data[i] : separator;
        if (c == Quote) {
            quoted = !quoted;
        } else if (c == separator && !quoted) {
            QByteArray field(data + start, i - start);
            StripTwoQuotes(field);
            visitor(++fields, std::move(field));
            start = i + 1;
        }
    }
    return fields;
}

QList<QByteArray> SplitLine(QByteArrayView line, char separator)
{
    QList<QByteArray> fields;
    VisitFields(line, separator,
                [&fields](int, QByteArray &&value) { fields.append(std::move(value)); });
    return fields;
}

int CountSeparators(QByteArrayView line, char separator, bool *endsQuoted)
{
    int count = 0;
    bool quoted = false;
    for (const char c : line) {
        if (c == Quote)
            quoted = !quoted;
        else if (c == separator && !quoted)
            ++count;
    }
    if (endsQuoted)
        *endsQuoted = quoted;
    return count;
}

// Format check ----------------------------------------------------------------------------------

void FormatChecker::AddLine(QByteArrayView line)
{
    bool endsQuoted = false;
    const int count = CountSeparators(line, mSeparator, &endsQuoted);
    if (endsQuoted || (mResult.lines > 0 && count != mResult.max))
        mResult.suspicious = true;
    mResult.max = std::max(mResult.max, count);
    ++mResult.lines;
}

std::optional<FormatCheck> CheckFormat(QIODevice &device, char separator)
{
    FormatChecker checker(separator);
    const bool read = ReadLines(device, [&checker](QByteArrayView line) {
        checker.AddLine(line);
        return true;
    });
    if (!read)
        return std::nullopt;
    return checker.Result();
}

namespace {

bool DoubtfulFile(const FormatCheck &check)
{
    return check.suspicious || check.max < 1 || check.lines < 2 || check.lines > 10000;
}

} // namespace

bool ImportAsksFormatQuestion(const FormatCheck &check)
{
    // A database holds at most 50 fields: more than 49 separators would lose fields.
    return DoubtfulFile(check) || check.max > 49;
}

bool AppendAsksFormatQuestion(const FormatCheck &check)
{
    return DoubtfulFile(check) || check.max > 52;
}

QString OpenErrorText()
{
    return QStringLiteral(
        "There was an error opening the file. This may caused by an invalid filename or path, or "
        "the file may be in use by another application.");
}

QString SaveErrorText()
{
    return QStringLiteral(
        "There was an error in saving the file. This may be caused by an invalid filename or a "
        "full or write protected disk.");
}

QString FormatQuestionText()
{
    return QStringLiteral("If there is an incorrect import format please try  to change the file "
                          "type in the import dialog.\nContinue?");
}

} // namespace kribed
