// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/encoding_detection.h"

#include "core/exchange/chunked_reading.h"
#include "core/platform/checked_file.h"

#include <cstring>

namespace kribed {

namespace {

// How many continuation bytes follow a lead byte; -1 for a byte no character starts with
// (a continuation byte, the overlong leads C0 and C1, and F5 to FF, past U+10FFFF).
int continuationsAfter(uchar lead)
{
    if (lead < 0x80)
        return 0;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 1;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 2;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 3;
    return -1;
}

} // namespace

// The second byte of a character is narrower after some leads: E0 and F0 would be overlong
// forms, ED a surrogate, F4 past U+10FFFF.
bool EncodingDetector::acceptsContinuation(uchar byte) const
{
    if ((byte & 0xC0) != 0x80)
        return false;
    if (!mSecond)
        return true;
    switch (mLead) {
    case 0xE0: return byte >= 0xA0;
    case 0xED: return byte <= 0x9F;
    case 0xF0: return byte >= 0x90;
    case 0xF4: return byte <= 0x8F;
    default: return true;
    }
}

void EncodingDetector::feed(QByteArrayView bytes)
{
    const char *p = bytes.data();
    const char *const end = p + bytes.size();
    while (p < end && !mInvalid) {
        if (mPending == 0 && mSeen >= utf8ByteOrderMark().size()) {
            // Past the mark, runs of ASCII are passed over eight bytes at a time.
            const char *q = p;
            quint64 word = 0;
            while (end - q >= 8 && (std::memcpy(&word, q, 8), (word & 0x8080808080808080ULL) == 0))
                q += 8;
            while (q < end && uchar(*q) < 0x80)
                ++q;
            mSeen += q - p;
            p = q;
            if (p == end)
                return;
        }
        take(uchar(*p++));
    }
}

void EncodingDetector::take(uchar byte)
{
    const QByteArrayView mark = utf8ByteOrderMark();
    if (mSeen++ == mMarkBytes && mMarkBytes < mark.size() && char(byte) == mark[mMarkBytes])
        mMarked = ++mMarkBytes == mark.size();
    if (mPending > 0) {
        if (!acceptsContinuation(byte)) {
            mInvalid = true;
            return;
        }
        mSecond = false;
        if (--mPending == 0)
            mMultibyte = true;
        return;
    }
    const int continuations = continuationsAfter(byte);
    if (continuations < 0) {
        mInvalid = true;
        return;
    }
    mPending = continuations;
    mLead = byte;
    mSecond = continuations > 0;
}

DetectedEncoding EncodingDetector::result(bool complete) const
{
    if (mMarked)
        return {CsvEncoding::Utf8, EncodingReason::ByteOrderMark};
    if (mInvalid || (complete && mPending > 0))
        return {CsvEncoding::CodePage, EncodingReason::NotUtf8};
    if (mMultibyte)
        return {CsvEncoding::Utf8, EncodingReason::Utf8Bytes};
    return {CsvEncoding::CodePage, EncodingReason::AsciiOnly};
}

DetectedEncoding detectEncoding(QByteArrayView bytes, bool complete)
{
    EncodingDetector detector;
    detector.feed(bytes);
    return detector.result(complete);
}

std::optional<DetectedEncoding> detectFileEncoding(const QString &path)
{
    CheckedFile file(path);
    if (!file.openForReading())
        return std::nullopt;
    EncodingDetector detector;
    if (!feedInChunks(file, detector))
        return std::nullopt;
    return detector.result(true);
}

QString encodingReasonName(EncodingReason reason)
{
    switch (reason) {
    case EncodingReason::ByteOrderMark: return QStringLiteral("byte-order-mark");
    case EncodingReason::Utf8Bytes: return QStringLiteral("utf-8-bytes");
    case EncodingReason::AsciiOnly: return QStringLiteral("ascii-only");
    case EncodingReason::NotUtf8: return QStringLiteral("not-utf-8");
    }
    return QString();
}

} // namespace kribed
