// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

// Standard CSV, as spreadsheets and most programs write it: a field in double quotes may hold the
// separator, line breaks and doubled quotes; records end at CR LF, LF or CR.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QVarLengthArray>

#include <functional>
#include <optional>

class QIODevice;

namespace kribed {

// The encoding of a CSV file: UTF-8, or the code page the database's texts are in (no
// conversion at all).
enum class CsvEncoding {
    Utf8,
    CodePage,
};

// "utf-8" (also "utf8") or "codepage", case-insensitive; none for anything else.
std::optional<CsvEncoding> csvEncodingFromName(const QString &name);
QString csvEncodingName(CsvEncoding encoding);

constexpr char CsvSeparator = ',';

// The bytes a UTF-8 file may start with to say what it is.
QByteArrayView utf8ByteOrderMark();

// One record as read: each field's bytes as the file holds them, its quotes taken away, each line
// break inside quotes made CR LF.
struct CsvRecord
{
    QList<QByteArray> fields; // only while the reader keeps fields, see CsvReader
    int fieldCount = 0;       // every field of the record, kept or not
    bool endsQuoted = false;  // the text ended inside a quoted field
    bool strayQuote = false;  // a quote inside an unquoted field, or text after a closing quote
};

// Cuts standard CSV into records, piece by piece, as a small state machine. A leading UTF-8
// byte-order mark is skipped. A quote inside an unquoted field, or text right after a closing
// quote, is kept as it stands (and flagged). A line end after the last record makes no further
// record; an empty line is a record of one empty field. Ctrl+Z is an ordinary byte.
class CsvReader
{
public:
    // Called once per record; returning false stops the reading. The record may be moved from.
    using RecordHandler = std::function<bool(CsvRecord &record)>;

    // What happens to the fields past the kept number: the last kept one takes each in turn (so
    // it ends up with the record's last field), or they are dropped.
    enum class Overflow { IntoLast, Drop };

    // `quote` stands in for the double quote; 0: no value is quoted.
    CsvReader(char separator, RecordHandler handler, char quote = '"');

    // At most `fields` fields are kept per record, each cut to `bytes` bytes plus one (so that a
    // longer value can be told from one that fits). Records past `records` are counted only.
    void setLimits(int fields, Overflow overflow, qsizetype bytes, qint64 records);

    void feed(QByteArrayView bytes);
    // Hands over the last record when the text did not end with a line end.
    void finish();
    bool stopped() const { return mStopped; }
    // Whether the text began with a UTF-8 byte-order mark.
    bool sawByteOrderMark() const { return mSawMark; }

private:
    enum class State { FieldStart, Unquoted, Quoted, QuotedAfterCr, QuoteSeen, AfterCr };

    const char *takeMark(const char *p, const char *end);
    const char *step(const char *p, const char *end);
    void keep(const char *data, qsizetype size);
    void keep(char c) { keep(&c, 1); }
    void endField();
    void endRecord();

    char mSeparator;
    int mQuote;
    RecordHandler mHandler;
    int mFieldLimit = 1 << 30;
    Overflow mOverflow = Overflow::Drop;
    qsizetype mByteLimit = qsizetype(1) << 40;
    qint64 mRecordLimit = qint64(1) << 62;

    State mState = State::FieldStart;
    int mMarkBytes = 0; // bytes of the byte-order mark seen at the start so far
    bool mStarted = false;
    bool mSawMark = false;
    bool mInRecord = false;
    bool mStopped = false;
    qint64 mRecords = 0;
    QByteArray mField;
    CsvRecord mRecord;
};

// Reads the device from its current position to its end (or until the handler stops). False on a
// read error. `reader` gets every byte; its limits are the caller's.
bool readCsv(QIODevice &device, CsvReader &reader);

// Whether a value must stand in quotes: it holds the separator, a quote, CR or LF, or begins or
// ends with a blank or a tab (which other programs may trim).
bool csvNeedsQuotes(QByteArrayView value, char separator);

// Appends one record: the values joined by the separator, each quoted where it needs it with its
// quotes doubled, CR LF at the end. A record of a single empty value is written as "" so that
// readers that skip empty lines keep it. `firstOfFile` quotes a first value that would read as a
// byte-order mark. With `onlyAscii`, a record that holds a byte above 127 is not appended and
// the result is false (it needs converting first).
bool appendCsvRecord(QByteArray &out, const QList<QByteArray> &values, char separator,
                     bool firstOfFile = false, bool onlyAscii = false);
// The values of one record as views of bytes held elsewhere (an export writes a record's cells
// where they stand, without a copy of each).
using CsvValues = QVarLengthArray<QByteArrayView, 64>;
bool appendCsvRecord(QByteArray &out, const CsvValues &values, char separator,
                     bool firstOfFile = false, bool onlyAscii = false);

} // namespace kribed
