// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/sqlite_values.h"

#include "core/exchange/csv_exchange.h"
#include "core/exchange/sqlite_support.h"
#include "core/exchange/text_reading.h"
#include "core/model/field_type.h"
#include "core/model/limits.h"
#include "core/model/regional.h"
#include "core/platform/prompter.h"

#include <QCoreApplication>
#include <QDate>
#include <QStringList>
#include <QTime>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace kribed {

namespace {

constexpr char16_t Replacement = 0xFFFD;
// The UTF-8 bytes of a text read before it becomes a cell: a character of the code page takes at
// most four, so a longer text is cut whatever it holds, and no text is copied whole.
constexpr int KeptTextBytes = 4 * (MaxValueBytes + 1);
// The longest BLOB whose X'...' form a cell can hold.
constexpr int LongestShownBlob = (MaxValueBytes - 3) / 2;

// The bytes up to `limit`, not inside a UTF-8 character: back to the start of the one split.
QByteArrayView utf8Prefix(QByteArrayView bytes, qsizetype limit)
{
    if (bytes.size() <= limit)
        return bytes;
    qsizetype end = limit;
    while (end > 0 && (uchar(bytes.at(end)) & 0xC0) == 0x80)
        --end;
    return bytes.first(end);
}

// The bytes cut to `maxBytes` without splitting a character of the code page.
QByteArray cutToBytes(QByteArray bytes, CodePageConverter &converter, int maxBytes)
{
    if (bytes.size() <= maxBytes)
        return bytes;
    if (converter.isSingleByte())
        return bytes.left(maxBytes);
    QString text;
    converter.decode(bytes, text);
    // Every character takes at least one byte: no more than maxBytes of them can fit.
    for (qsizetype length = std::min<qsizetype>(text.size(), maxBytes); length > 0; --length) {
        const QByteArray cut = converter.encode(QStringView(text).left(length));
        if (cut.size() <= maxBytes)
            return cut;
    }
    return {};
}

} // namespace

QByteArray shortestNumberText(double value, char decimalSeparator)
{
    if (!std::isfinite(value))
        return generalNumberText(value, decimalSeparator);
    if (value == 0)
        return std::signbit(value) ? QByteArrayLiteral("-0") : QByteArrayLiteral("0");
    // The shortest digits that read back as the value, as "d.ddde+XX"; then the program's layout.
    char buffer[40];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    const QByteArray scientific(buffer, result.ptr - buffer);
    const qsizetype ePos = scientific.indexOf('e');
    const int exponent = scientific.mid(ePos + 1).toInt();
    const bool negative = scientific.startsWith('-');
    QByteArray digits = scientific.left(ePos).mid(negative ? 1 : 0);
    digits.replace(".", "");

    QByteArray text = negative ? QByteArrayLiteral("-") : QByteArray();
    if (exponent >= 15 || exponent < -5) {
        text += digits.at(0);
        if (digits.size() > 1)
            text += decimalSeparator + digits.mid(1);
        text += 'E' + QByteArray::number(exponent);
    } else if (exponent < 0) {
        text += '0' + QByteArray(1, decimalSeparator) + QByteArray(-exponent - 1, '0') + digits;
    } else if (digits.size() <= exponent + 1) {
        text += digits + QByteArray(exponent + 1 - digits.size(), '0');
    } else {
        text += digits.left(exponent + 1) + decimalSeparator + digits.mid(exponent + 1);
    }
    return text;
}

QByteArray blobText(QByteArrayView bytes)
{
    return "X'" + QByteArray(bytes.data(), bytes.size()).toHex().toUpper() + '\'';
}

SqliteCellMaker::SqliteCellMaker(const Regional &regional)
    : mRegional(regional)
    , mConverter(CodePageConverter::shared(regional.codePage()))
{
}

QByteArray SqliteCellMaker::cell(sqlite3_stmt *row, int column, int typeIndex, int record)
{
    switch (sqlite3_column_type(row, column)) {
    case SQLITE_NULL: return {};
    case SQLITE_INTEGER: return QByteArray::number(sqlite3_column_int64(row, column));
    case SQLITE_FLOAT:
        return shortestNumberText(sqlite3_column_double(row, column), mRegional.decimalSeparator());
    case SQLITE_BLOB: {
        // The size of a zero-filled BLOB is known without making it: one too long for a cell is
        // never read.
        const int size = sqlite3_column_bytes(row, column);
        if (size > LongestShownBlob) {
            ++mLongBlobs;
            return {};
        }
        ++mBlobs;
        const auto *data = static_cast<const char *>(sqlite3_column_blob(row, column));
        return blobText(QByteArrayView(data, data ? size : 0));
    }
    default: break;
    }
    const auto *data = reinterpret_cast<const char *>(sqlite3_column_text(row, column));
    const QByteArrayView whole(data, data ? sqlite3_column_bytes(row, column) : 0);
    const QByteArrayView utf8 = utf8Prefix(whole, KeptTextBytes);
    if (isDateType(typeIndex) || isTimeType(typeIndex)) {
        const QString text = QString::fromUtf8(utf8);
        if (isDateType(typeIndex)) {
            const QDate date = QDate::fromString(text, IsoDateFormat);
            if (date.isValid())
                return mRegional.dateText(date);
        } else if (const QTime time = QTime::fromString(text, IsoTimeFormat); time.isValid()) {
            return mRegional.timeText(time);
        }
    }
    QByteArray value = fromUtf8(utf8, record);
    mCut += cutToStoredSize(value) || utf8.size() < whole.size();
    return value;
}

void SqliteCellMaker::appendCell(Record &cells, sqlite3_stmt *row, int column, int typeIndex,
                                 int record)
{
    if (sqlite3_column_type(row, column) == SQLITE_TEXT && !isDateType(typeIndex)
        && !isTimeType(typeIndex) && mConverter.keepsAscii()) {
        const auto *data = reinterpret_cast<const char *>(sqlite3_column_text(row, column));
        const QByteArrayView text(data, data ? sqlite3_column_bytes(row, column) : 0);
        if (text.size() <= MaxValueBytes && isAsciiBytes(text)) {
            cells.append(text);
            return;
        }
    }
    cells.append(cell(row, column, typeIndex, record));
}

QByteArray SqliteCellMaker::text(const QByteArray &utf8, int record, int maxBytes)
{
    return cutToBytes(fromUtf8(utf8Prefix(utf8, KeptTextBytes), record), mConverter, maxBytes);
}

QByteArray SqliteCellMaker::fromUtf8(QByteArrayView utf8, int record)
{
    if (isAsciiBytes(utf8) && mConverter.keepsAscii())
        return utf8.toByteArray();
    const QString text = QString::fromUtf8(utf8);
    int notUtf8 = 0;
    if (text.toUtf8() != utf8) {
        // Each piece that is no UTF-8 reads as U+FFFD; a U+FFFD written in the text itself comes
        // back as it was and is not counted.
        const qsizetype written = utf8.count("\xEF\xBF\xBD");
        notUtf8 = int(text.count(QChar(Replacement)) - written);
    }
    QString unheld;
    QByteArray bytes = mConverter.encode(text, &unheld);
    if (notUtf8 > 0)
        unheld.remove(QChar(Replacement));
    mLosses.add(record, unheld, notUtf8);
    return bytes;
}

std::optional<Message> lossQuestion(const LossReport &losses, const QByteArray &codePage)
{
    if (losses.isEmpty())
        return std::nullopt;
    return Message{QCoreApplication::translate("SqliteImport", "Warning"),
                   importLossQuestionText(losses, codePage), Icon::Warning, Buttons::OkCancel};
}

std::optional<Message> cutBytesNotice(int count)
{
    if (count == 0)
        return std::nullopt;
    const QString text =
        count == 1
            ? QCoreApplication::translate("SqliteImport",
                                          "1 value was longer than 4000 bytes and has been cut to "
                                          "its first 4000 bytes.")
            : QCoreApplication::translate("SqliteImport",
                                          "%1 values were longer than 4000 bytes and have been "
                                          "cut to their first 4000 bytes.")
                  .arg(count);
    return Message{QCoreApplication::translate("SqliteImport", "Information"), text, Icon::Warning,
                   Buttons::Ok};
}

std::optional<Message> blobsNotice(int shown, int leftEmpty)
{
    QStringList lines;
    if (shown == 1)
        lines.append(QCoreApplication::translate(
            "SqliteImport", "1 value was binary data (BLOB) and has been imported as "
                            "hexadecimal text X'...', as SQLite shows it."));
    else if (shown > 1)
        lines.append(QCoreApplication::translate(
                         "SqliteImport", "%1 values were binary data (BLOB) and have been "
                                         "imported as hexadecimal text X'...', as SQLite shows "
                                         "them.")
                         .arg(shown));
    if (leftEmpty == 1)
        lines.append(QCoreApplication::translate(
                         "SqliteImport", "1 value was binary data (BLOB) of more than %1 bytes, "
                                         "more than a value can hold as text, and has been left "
                                         "empty.")
                         .arg(LongestShownBlob));
    else if (leftEmpty > 1)
        lines.append(QCoreApplication::translate(
                         "SqliteImport", "%1 values were binary data (BLOB) of more than %2 "
                                         "bytes, more than a value can hold as text, and have "
                                         "been left empty.")
                         .arg(leftEmpty)
                         .arg(LongestShownBlob));
    if (lines.isEmpty())
        return std::nullopt;
    return Message{QCoreApplication::translate("SqliteImport", "Information"), lines.join(u'\r'),
                   Icon::Information, Buttons::Ok};
}

} // namespace kribed
