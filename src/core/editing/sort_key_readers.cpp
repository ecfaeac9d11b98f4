// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/sort_key_readers.h"

#include "core/model/regional.h"

namespace kribed {

namespace {

const qint64 DayZero = QDate(1899, 12, 30).toJulianDay();

// Splits a format into separators and runs of one letter. Each run goes to `readRun(letter, run,
// at)`, which adds its token and returns how many characters of the format it took, or 0 to
// refuse the format. Refused as well: characters beyond ASCII, quoted text, digits, and two
// numbers without a separator between them, where the split between them would be a guess.
template<typename ReadRun>
bool splitFormat(const QString &format, std::vector<FormatToken> &tokens, ReadRun readRun)
{
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format.at(i);
        if (c.unicode() >= 0x80 || c == u'\'' || c.isDigit())
            return false;
        if (!c.isLetter()) {
            tokens.push_back({0, 0, char(c.unicode())});
            ++i;
            continue;
        }
        if (!tokens.empty() && tokens.back().field != 0)
            return false;
        qsizetype run = 0;
        while (i + run < format.size() && format.at(i + run) == c)
            ++run;
        const qsizetype used = readRun(char(c.unicode()), run, i);
        if (used == 0)
            return false;
        i += used;
    }
    return true;
}

bool readSeparator(QByteArrayView text, qsizetype &i, const FormatToken &token)
{
    if (i >= text.size() || text[i] != token.literal)
        return false;
    ++i;
    return true;
}

// The number of a token, only in the form the program writes: no leading zero where it writes
// none, and every digit where it writes a fixed count.
std::optional<int> readNumber(QByteArrayView text, qsizetype &i, const FormatToken &token)
{
    const int maxDigits = token.width == 1 ? 2 : token.width;
    int digits = 0;
    int value = 0;
    while (digits < maxDigits && i < text.size() && text[i] >= '0' && text[i] <= '9') {
        value = value * 10 + (text[i] - '0');
        ++digits;
        ++i;
    }
    const int written = token.width == 1 ? (value >= 10 ? 2 : 1) : token.width;
    if (digits != written)
        return std::nullopt;
    return value;
}

bool isAsciiText(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x21 || c.unicode() >= 0x7f)
            return false;
    }
    return !text.isEmpty();
}

} // namespace

long double dateKey(const std::optional<QDate> &date)
{
    return date ? static_cast<long double>(date->toJulianDay() - DayZero) : 0;
}

long double timeKey(const std::optional<QTime> &time)
{
    return time ? static_cast<long double>(time->msecsSinceStartOfDay()) / 86400000.0L : 0;
}

DateKeyReader::DateKeyReader(const Regional &regional)
    : mRegional(regional)
    , mFormat(regional)
{
}

long double DateKeyReader::value(QByteArrayView text) const
{
    std::optional<QDate> date = mFormat.readDate(text);
    if (!date)
        date = mRegional.readDate(text);
    return dateKey(date);
}

TimeKeyReader::TimeKeyReader(const Regional &regional)
    : mRegional(regional)
{
    mFast = parseFormat(regional.locale(), regional.longTimeFormat());
}

long double TimeKeyReader::value(QByteArrayView text) const
{
    std::optional<QTime> time = mFast ? fastRead(text) : std::nullopt;
    if (!time)
        time = mRegional.readTime(text);
    return timeKey(time);
}

bool TimeKeyReader::parseFormat(const QLocale &locale, const QString &format)
{
    if (locale.zeroDigit() != QStringLiteral("0"))
        return false;
    int counts[128] = {};
    const bool split = splitFormat(format, mTokens, [&](char letter, qsizetype run, qsizetype at) {
        if (letter == 'A' || letter == 'a') {
            // "AP" writes the upper-case AM/PM text, "ap" the lower-case one.
            if (run != 1 || at + 1 >= format.size()
                || format.at(at + 1) != (letter == 'A' ? u'P' : u'p'))
                return qsizetype(0);
            mUpper = letter == 'A';
            mTokens.push_back({'a', 0, 0});
            ++counts[uchar('a')];
            return qsizetype(2);
        }
        if ((letter != 'h' && letter != 'H' && letter != 'm' && letter != 's') || run > 2)
            return qsizetype(0);
        mTokens.push_back({letter, int(run), 0});
        ++counts[uchar(letter)];
        return run;
    });
    if (!split)
        return false;
    const QString am = mUpper ? locale.amText().toUpper() : locale.amText().toLower();
    const QString pm = mUpper ? locale.pmText().toUpper() : locale.pmText().toLower();
    const bool twelveHours = counts[uchar('a')] == 1;
    if (twelveHours
        && (!isAsciiText(am) || !isAsciiText(pm) || am.startsWith(pm) || pm.startsWith(am)))
        return false;
    mMarkers[0] = am.toLatin1();
    mMarkers[1] = pm.toLatin1();
    if (!markersReadAsWritten())
        return false;
    // One hour (the 12-hour one with AM/PM), one minute, at most one second.
    return counts[uchar('a')] <= 1 && counts[uchar('m')] == 1 && counts[uchar('s')] <= 1
           && (twelveHours ? counts[uchar('h')] == 1 && counts[uchar('H')] == 0
                           : counts[uchar('h')] + counts[uchar('H')] == 1);
}

// The bytes the quick way compares must be the characters the code page makes of them.
bool TimeKeyReader::markersReadAsWritten() const
{
    QByteArray used = QByteArrayLiteral("0123456789") + mMarkers[0] + mMarkers[1];
    for (const FormatToken &token : mTokens)
        used += token.literal;
    for (const char byte : std::as_const(used)) {
        const QByteArrayView one(&byte, 1);
        if (byte != 0 && mRegional.toText(one) != QString::fromLatin1(one))
            return false;
    }
    return true;
}

std::optional<QTime> TimeKeyReader::fastRead(QByteArrayView text) const
{
    int hour = -1;
    int minute = 0;
    int second = 0;
    int half = -1; // 0 = AM, 1 = PM
    qsizetype i = 0;
    for (const FormatToken &token : mTokens) {
        if (token.field == 0) {
            if (!readSeparator(text, i, token))
                return std::nullopt;
            continue;
        }
        if (token.field == 'a') {
            const QByteArrayView rest = text.sliced(i);
            for (int which = 0; which < 2 && half < 0; ++which) {
                if (rest.startsWith(mMarkers[which])) {
                    half = which;
                    i += mMarkers[which].size();
                }
            }
            if (half < 0)
                return std::nullopt;
            continue;
        }
        const std::optional<int> value = readNumber(text, i, token);
        if (!value)
            return std::nullopt;
        (token.field == 'm' ? minute : (token.field == 's' ? second : hour)) = *value;
    }
    if (i != text.size())
        return std::nullopt;
    if (half >= 0) {
        if (hour < 1 || hour > 12)
            return std::nullopt;
        hour = hour % 12 + 12 * half;
    }
    const QTime time(hour, minute, second);
    if (!time.isValid())
        return std::nullopt;
    return time;
}

} // namespace kribed
