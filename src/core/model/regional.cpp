// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/regional.h"

#include "core/platform/code_page.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace kribed {

namespace {

// Replaces a lone "yy" (not part of "yyyy") by "yyyy"; quoted literals stay as they are.
QString widenYear(const QString &format)
{
    QString result;
    bool quoted = false;
    for (int i = 0; i < format.size();) {
        const QChar c = format.at(i);
        if (c == u'\'') {
            quoted = !quoted;
            result += c;
            ++i;
            continue;
        }
        if (!quoted && c == u'y') {
            int run = 0;
            while (i + run < format.size() && format.at(i + run) == u'y')
                ++run;
            result += run == 2 ? QStringLiteral("yyyy") : QString(run, u'y');
            i += run;
            continue;
        }
        result += c;
        ++i;
    }
    return result;
}

// Drops the time-zone letter 't' (outside quotes) and the blank before it, and the brackets some
// locales put around the zone ("H:mm:ss (t)", "h:mm:ss [t]"), which would stand empty in every
// time written.
QString withoutTimeZone(const QString &format)
{
    QString result;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted && c == u't')
            continue;
        result += c;
    }
    for (const QLatin1String empty : {QLatin1String("()"), QLatin1String("[]")})
        result.remove(empty);
    return result.trimmed();
}

bool isBlank(char c)
{
    return c == ' ';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isAscii(QByteArrayView bytes)
{
    for (const char c : bytes) {
        if (uchar(c) >= 0x80)
            return false;
    }
    return true;
}

bool isAscii(QStringView text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

// One converter pair per code page and thread, reset before each use so that every conversion
// starts as a fresh converter would; opening a converter by name costs far more than a short text.
struct Converters
{
    explicit Converters(const QByteArray &name)
        : codePage(name)
        , decoder(name.constData())
        , encoder(name.constData(), QStringConverter::Flag::Default)
    {
        asciiIdentity = decoder.isValid() && encoder.isValid() && keepsAscii(name);
    }

    QByteArray codePage;
    QStringDecoder decoder;
    QStringEncoder encoder;
    bool asciiIdentity = false;
};

Converters &convertersFor(const QByteArray &codePage)
{
    thread_local std::unique_ptr<Converters> cached;
    if (!cached || cached->codePage != codePage)
        cached = std::make_unique<Converters>(codePage);
    return *cached;
}

} // namespace

Regional::Regional(const QLocale &locale, const QByteArray &codePage)
    : mLocale(locale)
    , mCodePage(codePage)
    , mCollator(locale)
{
    mLocaleShortDateFormat = locale.dateFormat(QLocale::ShortFormat);
    mShortDateFormat = widenYear(mLocaleShortDateFormat);
    mLongTimeFormat = withoutTimeZone(locale.timeFormat(QLocale::LongFormat));
    const QString decimal = locale.decimalPoint();
    if (decimal.size() == 1 && decimal.at(0).unicode() < 0x80)
        mDecimalSeparator = char(decimal.at(0).unicode());
    mCollator.setCaseSensitivity(Qt::CaseSensitive);
}

void Regional::setCodePage(const QByteArray &codePage)
{
    mCodePage = codePage;
}

QString Regional::toText(QByteArrayView bytes) const
{
    Converters &converters = convertersFor(mCodePage);
    if (!converters.decoder.isValid() || (converters.asciiIdentity && isAscii(bytes)))
        return QString::fromLatin1(bytes);
    converters.decoder.resetState();
    return converters.decoder.decode(bytes);
}

QByteArray Regional::toBytes(const QString &text) const
{
    Converters &converters = convertersFor(mCodePage);
    if (!converters.encoder.isValid())
        return text.toLatin1();
    QByteArray bytes;
    if (converters.asciiIdentity && isAscii(QStringView(text))) {
        bytes = text.toLatin1();
    } else {
        converters.encoder.resetState();
        bytes = converters.encoder.encode(text);
    }
    // The converter marks a character the code page cannot hold with the control byte SUB; the
    // program enters '?' instead. A SUB typed on purpose is a control character the file drops.
    bytes.replace('\x1a', '?');
    return bytes;
}

QByteArray Regional::dateText(const QDate &date) const
{
    return toBytes(mLocale.toString(date, mShortDateFormat));
}

QByteArray Regional::timeText(const QTime &time) const
{
    return toBytes(mLocale.toString(time, mLongTimeFormat));
}

std::optional<QDate> Regional::readDate(QByteArrayView text) const
{
    const QString value = toText(text).trimmed();
    if (value.isEmpty())
        return std::nullopt;
    for (const QString &format : {mShortDateFormat, mLocaleShortDateFormat}) {
        const QDate date = mLocale.toDate(value, format);
        if (date.isValid())
            return date;
    }
    return std::nullopt;
}

std::optional<QTime> Regional::readTime(QByteArrayView text) const
{
    const QString value = toText(text).trimmed();
    if (value.isEmpty())
        return std::nullopt;
    const QString formats[] = {mLongTimeFormat,
                               withoutTimeZone(mLocale.timeFormat(QLocale::ShortFormat))};
    for (const QString &format : formats) {
        const QTime time = mLocale.toTime(value, format);
        if (time.isValid())
            return time;
    }
    return std::nullopt;
}

std::optional<long double> Regional::readNumber(QByteArrayView text) const
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isBlank(text[i]))
        ++i;
    const qsizetype numberStart = i;
    const bool negative = i < n && text[i] == '-';
    if (i < n && (text[i] == '+' || text[i] == '-'))
        ++i;
    int digits = 0;
    int fractionDigits = 0;
    bool separatorSeen = false;
    quint64 mantissa = 0;
    for (; i < n; ++i) {
        const char c = text[i];
        if (isDigit(c)) {
            if (digits < 19)
                mantissa = mantissa * 10 + quint64(c - '0');
            ++digits;
            fractionDigits += separatorSeen ? 1 : 0;
        } else if (c == mDecimalSeparator && !separatorSeen) {
            separatorSeen = true;
        } else {
            break;
        }
    }
    if (digits == 0)
        return std::nullopt;
    bool hasExponent = false;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        hasExponent = true;
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-'))
            ++i;
        int exponentDigits = 0;
        while (i < n && isDigit(text[i])) {
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return std::nullopt;
    }
    const qsizetype numberEnd = i;
    while (i < n && isBlank(text[i]))
        ++i;
    if (i != n)
        return std::nullopt;

    // Up to 19 digits without an exponent are exact in an integer, and one division by an exact
    // power of ten rounds correctly: the same value strtold gives, without its cost.
    if (!hasExponent && digits <= 19) {
        long double scale = 1;
        for (int k = 0; k < fractionDigits; ++k)
            scale *= 10;
        const long double value = (long double)mantissa / scale;
        return negative ? -value : value;
    }

    // from_chars reads the C form whatever the process locale is; it takes no '+'.
    QByteArray plain = text.sliced(numberStart, numberEnd - numberStart).toByteArray();
    if (plain.startsWith('+'))
        plain.remove(0, 1);
    if (mDecimalSeparator != '.')
        plain.replace(mDecimalSeparator, '.');
    long double value = 0;
    const auto [end, error] =
        std::from_chars(plain.constData(), plain.constData() + plain.size(), value);
    if (error != std::errc() || end != plain.constData() + plain.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QByteArray Regional::numberText(long double value) const
{
    return generalNumberText(value, mDecimalSeparator);
}

int Regional::compare(QByteArrayView a, QByteArrayView b) const
{
    return mCollator.compare(toText(a), toText(b));
}

QByteArray generalNumberText(long double value, char decimalSeparator)
{
    if (!std::isfinite(value))
        return value != value ? QByteArrayLiteral("NAN")
                              : (value < 0 ? QByteArrayLiteral("-INF") : QByteArrayLiteral("INF"));
    if (value == 0)
        return QByteArrayLiteral("0");

    // 15 significant digits, then the decimal exponent of the rounded value.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14Le", value);
    const QByteArray scientific(buffer);
    const qsizetype ePos = scientific.indexOf('e');
    const int exponent = scientific.mid(ePos + 1).toInt();
    const bool negative = scientific.startsWith('-');
    QByteArray digits = scientific.left(ePos);
    digits.remove(0, negative ? 1 : 0);
    digits.remove(1, 1); // the point after the first digit
    while (digits.size() > 1 && digits.endsWith('0'))
        digits.chop(1);

    QByteArray result = negative ? QByteArrayLiteral("-") : QByteArray();
    if (exponent >= 15 || exponent < -5) {
        result += digits.at(0);
        if (digits.size() > 1) {
            result += decimalSeparator;
            result += digits.mid(1);
        }
        result += 'E';
        result += QByteArray::number(exponent);
    } else if (exponent < 0) {
        result += '0';
        result += decimalSeparator;
        result += QByteArray(-exponent - 1, '0');
        result += digits;
    } else if (digits.size() <= exponent + 1) {
        result += digits;
        result += QByteArray(exponent + 1 - digits.size(), '0');
    } else {
        result += digits.left(exponent + 1);
        result += decimalSeparator;
        result += digits.mid(exponent + 1);
    }
    return result;
}

} // namespace kribed
