// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

// What a text file's own bytes say about its encoding, before it is read: a file that starts
// with the UTF-8 byte order mark, or whose bytes are valid UTF-8 with at least one character
// beyond ASCII, is UTF-8; every other one is read in the code page, byte by byte, as the
// separated-text types always read.

#include "core/exchange/csv_format.h"

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace kribed {

// Why the encoding was chosen.
enum class EncodingReason {
    ByteOrderMark, // UTF-8: the text starts with the byte order mark
    Utf8Bytes,     // UTF-8: valid UTF-8 with at least one multibyte character
    AsciiOnly,     // the code page: nothing beyond ASCII (both read it the same)
    NotUtf8,       // the code page: a byte sequence that is no UTF-8
};

struct DetectedEncoding
{
    CsvEncoding encoding = CsvEncoding::CodePage;
    EncodingReason reason = EncodingReason::AsciiOnly;
    bool operator==(const DetectedEncoding &other) const
    {
        return encoding == other.encoding && reason == other.reason;
    }
};

// Checks bytes for UTF-8 piece by piece: a character may be split between two pieces. Strict:
// overlong forms, surrogates and code points past U+10FFFF are no UTF-8.
class EncodingDetector
{
public:
    void feed(QByteArrayView bytes);
    // `complete`: the bytes fed are the whole text, so a character cut at their end is a fault;
    // otherwise they are its start and the cut character may go on beyond them.
    DetectedEncoding result(bool complete) const;
    // True once the bytes are known to be no UTF-8: further ones change nothing.
    bool stopped() const { return mInvalid; }
    void finish() {}

private:
    bool acceptsContinuation(uchar byte) const;
    void take(uchar byte);

    qint64 mSeen = 0;
    int mMarkBytes = 0;      // bytes of the byte order mark at the start so far
    bool mMarked = false;    // the whole mark stood at the start
    bool mMultibyte = false; // a complete character beyond ASCII was seen
    bool mInvalid = false;
    int mPending = 0; // continuation bytes the current character still needs
    uchar mLead = 0;  // its first byte, while its second is awaited
    bool mSecond = false;
};

// The decision for bytes (see EncodingDetector::result for `complete`).
DetectedEncoding detectEncoding(QByteArrayView bytes, bool complete = true);
// The decision for a whole file, read in pieces; none when it cannot be read.
std::optional<DetectedEncoding> detectFileEncoding(const QString &path);

// The kribed-cli and JSON names: "utf-8" or "codepage", and "byte-order-mark", "utf-8-bytes",
// "ascii-only" or "not-utf-8".
QString encodingReasonName(EncodingReason reason);

} // namespace kribed
