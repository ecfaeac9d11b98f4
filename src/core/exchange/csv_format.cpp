// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/csv_format.h"

#include "core/exchange/chunked_reading.h"

#include <QVarLengthArray>

#include <algorithm>
#include <cstring>

namespace kribed {

namespace {

constexpr char Quote = '"';
constexpr char Mark[] = "\xEF\xBB\xBF";
constexpr int MarkSize = 3;

} // namespace

std::optional<CsvEncoding> csvEncodingFromName(const QString &name)
{
    if (name.compare(QLatin1String("utf-8"), Qt::CaseInsensitive) == 0
        || name.compare(QLatin1String("utf8"), Qt::CaseInsensitive) == 0)
        return CsvEncoding::Utf8;
    if (name.compare(QLatin1String("codepage"), Qt::CaseInsensitive) == 0)
        return CsvEncoding::CodePage;
    return std::nullopt;
}

QString csvEncodingName(CsvEncoding encoding)
{
    return encoding == CsvEncoding::Utf8 ? QStringLiteral("utf-8") : QStringLiteral("codepage");
}

QByteArrayView utf8ByteOrderMark()
{
    return QByteArrayView(Mark, MarkSize);
}

// Reading -----------------------------------------------------------------------------------------

CsvReader::CsvReader(char separator, RecordHandler handler, char quote)
    : mSeparator(separator)
    // No byte equals a code above 255: without a quote, a NUL byte is an ordinary one.
    , mQuote(quote ? int(quote) : 1000)
    , mHandler(std::move(handler))
{
}

void CsvReader::setLimits(int fields, Overflow overflow, qsizetype bytes, qint64 records)
{
    mFieldLimit = std::max(1, fields);
    mOverflow = overflow;
    mByteLimit = bytes;
    mRecordLimit = records;
}

void CsvReader::feed(QByteArrayView bytes)
{
    const char *p = bytes.data();
    const char *const end = p + bytes.size();
    if (!mStarted)
        p = takeMark(p, end);
    while (p < end && !mStopped)
        p = step(p, end);
}

const char *CsvReader::takeMark(const char *p, const char *end)
{
    while (p < end && mMarkBytes < MarkSize && *p == Mark[mMarkBytes]) {
        ++mMarkBytes;
        ++p;
    }
    if (mMarkBytes == MarkSize) {
        mSawMark = true;
        mStarted = true;
    } else if (p < end || end == nullptr) {
        // Not a mark after all: its bytes so far are the text's first.
        mStarted = true;
        const char *m = Mark;
        while (m < Mark + mMarkBytes && !mStopped)
            m = step(m, Mark + mMarkBytes);
    }
    return p;
}

void CsvReader::finish()
{
    if (!mStarted)
        takeMark(nullptr, nullptr);
    if (mStopped || !mInRecord)
        return;
    if (mState == State::Quoted || mState == State::QuotedAfterCr)
        mRecord.endsQuoted = true;
    endField();
    endRecord();
}

const char *CsvReader::step(const char *p, const char *end)
{
    switch (mState) {
    case State::FieldStart:
        mInRecord = true;
        if (*p == mQuote) {
            mState = State::Quoted;
            return p + 1;
        }
        mState = State::Unquoted;
        return p;
    case State::Unquoted: {
        const char *q = p;
        while (q < end && *q != mSeparator && *q != '\r' && *q != '\n' && *q != mQuote)
            ++q;
        keep(p, q - p);
        if (q == end)
            return q;
        if (*q == mQuote) {
            mRecord.strayQuote = true;
            keep(char(mQuote));
            return q + 1;
        }
        endField();
        if (*q == mSeparator) {
            mState = State::FieldStart;
        } else {
            endRecord();
            mState = *q == '\r' ? State::AfterCr : State::FieldStart;
        }
        return q + 1;
    }
    case State::Quoted: {
        const char *q = p;
        while (q < end && *q != mQuote && *q != '\r' && *q != '\n')
            ++q;
        keep(p, q - p);
        if (q == end)
            return q;
        if (*q == mQuote) {
            mState = State::QuoteSeen;
        } else {
            // Every line break inside a value is CR LF, as the cells of a loaded file have them.
            keep("\r\n", 2);
            mState = *q == '\r' ? State::QuotedAfterCr : State::Quoted;
        }
        return q + 1;
    }
    case State::QuotedAfterCr: mState = State::Quoted; return *p == '\n' ? p + 1 : p;
    case State::QuoteSeen:
        if (*p == mQuote) {
            keep(char(mQuote));
            mState = State::Quoted;
            return p + 1;
        }
        // The value ends here, or text follows its closing quote and is kept as it stands.
        if (*p != mSeparator && *p != '\r' && *p != '\n')
            mRecord.strayQuote = true;
        mState = State::Unquoted;
        return p;
    case State::AfterCr: mState = State::FieldStart; return *p == '\n' ? p + 1 : p;
    }
    return end;
}

void CsvReader::keep(const char *data, qsizetype size)
{
    if (mRecords >= mRecordLimit)
        return;
    if (mOverflow == Overflow::Drop && mRecord.fieldCount >= mFieldLimit)
        return;
    const qsizetype room = mByteLimit + 1 - mField.size();
    if (room > 0)
        mField.append(data, std::min(room, size));
}

void CsvReader::endField()
{
    if (mRecords < mRecordLimit) {
        if (mRecord.fields.size() < mFieldLimit)
            mRecord.fields.append(std::move(mField));
        else if (mOverflow == Overflow::IntoLast)
            mRecord.fields.last() = std::move(mField);
    }
    ++mRecord.fieldCount;
    mField = QByteArray();
}

void CsvReader::endRecord()
{
    ++mRecords;
    const qsizetype fields = mRecord.fields.size();
    if (!mHandler(mRecord))
        mStopped = true;
    mRecord = CsvRecord();
    // Records of a file mostly have as many fields as the one before.
    mRecord.fields.reserve(fields);
    mInRecord = false;
}

bool readCsv(QIODevice &device, CsvReader &reader)
{
    return feedInChunks(device, reader);
}

// Writing -----------------------------------------------------------------------------------------

namespace {

// Whether the value must stand in quotes; `high` collects its bytes' high bits on the way, so
// that one pass over each value serves both questions.
bool needsQuotes(QByteArrayView value, char separator, uchar &high)
{
    if (value.isEmpty())
        return false;
    // No early exit, so that the compiler can test many bytes at once.
    uchar all = 0;
    int special = 0;
    for (const char c : value) {
        all |= uchar(c);
        special |= (c == separator) | (c == Quote) | (c == '\r') | (c == '\n');
    }
    high |= all & 0x80;
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    return special != 0 || blank(value.front()) || blank(value.back());
}

} // namespace

bool csvNeedsQuotes(QByteArrayView value, char separator)
{
    uchar high = 0;
    return needsQuotes(value, separator, high);
}

bool appendCsvRecord(QByteArray &out, const QList<QByteArray> &values, char separator,
                     bool firstOfFile, bool onlyAscii)
{
    return appendCsvRecord(out, CsvValues(values.cbegin(), values.cend()), separator, firstOfFile,
                           onlyAscii);
}

bool appendCsvRecord(QByteArray &out, const CsvValues &values, char separator, bool firstOfFile,
                     bool onlyAscii)
{
    const qsizetype count = values.size();
    if (count == 1 && values.front().isEmpty()) {
        out += "\"\"\r\n";
        return true;
    }
    // Which values are quoted, and the line's length, first; then one pass of copies into room
    // made once.
    QVarLengthArray<bool, 64> quoted(count);
    qsizetype length = 2 + (count > 0 ? count - 1 : 0);
    uchar high = 0;
    for (qsizetype i = 0; i < count; ++i) {
        const QByteArrayView value = values.at(i);
        quoted[i] = needsQuotes(value, separator, high)
                    || (firstOfFile && i == 0 && value.startsWith(utf8ByteOrderMark()));
        length += value.size() + (quoted[i] ? 2 + value.count(Quote) : 0);
    }
    if (onlyAscii && high != 0)
        return false;
    const qsizetype start = out.size();
    out.resize(start + length);
    char *p = out.data() + start;
    for (qsizetype i = 0; i < count; ++i) {
        if (i > 0)
            *p++ = separator;
        const QByteArrayView value = values.at(i);
        if (!quoted[i]) {
            // An empty value may have no data at all: memcpy must not be handed a null pointer.
            if (!value.isEmpty())
                std::memcpy(p, value.constData(), size_t(value.size()));
            p += value.size();
            continue;
        }
        *p++ = Quote;
        for (const char c : value) {
            *p++ = c;
            if (c == Quote)
                *p++ = Quote;
        }
        *p++ = Quote;
    }
    *p++ = '\r';
    *p++ = '\n';
    return true;
}

} // namespace kribed
