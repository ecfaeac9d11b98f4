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
#include <limits>
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
    takeDigitGrouping();
}

void Regional::setCodePage(const QByteArray &codePage)
{
    mCodePage = codePage;
    takeDigitGrouping();
}

// The locale's group separator as the code page holds it, and the sizes of its groups as the
// locale writes a large number ("1,23,45,67,890" in India). A locale that writes numbers without
// grouping (the C locale) has none, and neither has one whose separator the code page lacks
// and users could not type.
void Regional::takeDigitGrouping()
{
    mGrouping = {};
    const QString separator = mLocale.groupSeparator();
    if ((mLocale.numberOptions() & QLocale::OmitGroupSeparator) || separator.size() != 1)
        return;
    const QStringList groups = mLocale.toString(qlonglong(1234567890)).split(separator);
    const bool plainDigits = std::all_of(groups.begin(), groups.end(), [](const QString &group) {
        return !group.isEmpty() && isAscii(QStringView(group))
               && std::all_of(group.begin(), group.end(), [](QChar c) { return c.isDigit(); });
    });
    if (groups.size() < 2 || !plainDigits)
        return;
    const auto usable = [this](char c) {
        return c != 0 && c != '?' && !isDigit(c) && c != '+' && c != '-' && c != 'e' && c != 'E'
               && c != mDecimalSeparator;
    };
    const QByteArray bytes = toBytes(separator);
    const char own = bytes.size() == 1 && usable(bytes.at(0)) ? bytes.at(0) : 0;
    const QChar shown = separator.at(0);
    const char typed = shown.isSpace() ? ' ' : shown == QChar(0x2019) ? '\'' : 0;
    mGrouping.separator = own;
    mGrouping.alternative = usable(typed) && typed != own ? typed : 0;
    mGrouping.primary = int(groups.last().size());
    mGrouping.secondary =
        groups.size() > 2 ? int(groups.at(groups.size() - 2).size()) : mGrouping.primary;
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

namespace {

// Where a text's number stands and what its digits are, when the whole text reads as one.
struct ScannedNumber
{
    qsizetype start = 0; // the sign or first digit
    qsizetype end = 0;   // after the last digit of the number or its exponent
    bool negative = false;
    bool hasExponent = false;
    int digits = 0;
    int fractionDigits = 0;
    quint64 mantissa = 0; // the first 19 digits
};

// Whether the group just ended by a group separator stands in a valid place: the first group
// holds one to `secondary` digits and does not start with a zero, every later one `secondary`.
bool groupFits(QByteArrayView text, qsizetype digitsStart, int groupDigits, int groups,
               const DigitGrouping &grouping)
{
    if (groups > 0)
        return groupDigits == grouping.secondary;
    return groupDigits >= 1 && groupDigits <= grouping.secondary && text[digitsStart] != '0';
}

std::optional<ScannedNumber> scanNumber(QByteArrayView text, char decimalSeparator,
                                        const DigitGrouping &grouping)
{
    ScannedNumber number;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isBlank(text[i]))
        ++i;
    number.start = i;
    number.negative = i < n && text[i] == '-';
    if (i < n && (text[i] == '+' || text[i] == '-'))
        ++i;
    bool separatorSeen = false;
    const qsizetype digitsStart = i;
    int groupDigits = 0; // digits since the last group separator
    int groups = 0;      // group separators passed
    for (; i < n; ++i) {
        const char c = text[i];
        if (isDigit(c)) {
            if (number.digits < 19)
                number.mantissa = number.mantissa * 10 + quint64(c - '0');
            ++number.digits;
            number.fractionDigits += separatorSeen ? 1 : 0;
            groupDigits += separatorSeen ? 0 : 1;
        } else if (c == decimalSeparator && !separatorSeen) {
            separatorSeen = true;
            if (groups > 0 && groupDigits != grouping.primary)
                return std::nullopt;
        } else if (!separatorSeen && grouping.isSeparator(c) && i + 1 < n && isDigit(text[i + 1])) {
            if (!groupFits(text, digitsStart, groupDigits, groups, grouping))
                return std::nullopt;
            ++groups;
            groupDigits = 0;
        } else {
            break;
        }
    }
    if (number.digits == 0 || (!separatorSeen && groups > 0 && groupDigits != grouping.primary))
        return std::nullopt;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        number.hasExponent = true;
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
    number.end = i;
    while (i < n && isBlank(text[i]))
        ++i;
    if (i != n)
        return std::nullopt;
    return number;
}

// The number in the C form from_chars reads whatever the process locale is: no '+', a point.
QByteArray plainNumber(QByteArrayView text, const ScannedNumber &number, char decimalSeparator,
                       const DigitGrouping &grouping)
{
    QByteArray plain;
    plain.reserve(number.end - number.start);
    for (qsizetype i = number.start; i < number.end; ++i) {
        const char c = text[i];
        if (c == decimalSeparator)
            plain += '.';
        else if ((c != '+' || i != number.start) && !grouping.isSeparator(c))
            plain += c;
    }
    return plain;
}

// The power of ten of a plain number's first significant digit ("0.05e3": 1), for telling an
// overflow from an underflow.
qint64 decimalOrder(const QByteArray &plain)
{
    qint64 integerDigits = 0;
    qint64 leadingZeros = 0; // after the point, before the first significant digit
    bool point = false;
    bool significant = false;
    qsizetype i = plain.startsWith('-') ? 1 : 0;
    for (; i < plain.size() && plain[i] != 'e' && plain[i] != 'E'; ++i) {
        const char c = plain[i];
        if (c == '.') {
            point = true;
        } else if (!significant && c == '0') {
            leadingZeros += point ? 1 : 0;
        } else {
            significant = true;
            integerDigits += point ? 0 : 1;
        }
    }
    if (!significant)
        return std::numeric_limits<qint64>::min();
    qint64 exponent = 0;
    const bool negative = i + 1 < plain.size() && plain[i + 1] == '-';
    for (++i; i < plain.size(); ++i) {
        if (isDigit(plain[i]) && exponent < 1000000000)
            exponent = exponent * 10 + (plain[i] - '0');
    }
    exponent = negative ? -exponent : exponent;
    return (integerDigits > 0 ? integerDigits - 1 : -(leadingZeros + 1)) + exponent;
}

template<typename Value> Value powerOfTen(int exponent)
{
    Value scale = 1;
    for (int k = 0; k < exponent; ++k)
        scale *= 10;
    return scale;
}

} // namespace

std::optional<long double> Regional::readNumber(QByteArrayView text) const
{
    const std::optional<ScannedNumber> number = scanNumber(text, mDecimalSeparator, mGrouping);
    if (!number)
        return std::nullopt;
    // Up to 19 digits are exact in the 64-bit mantissa, and so is every power of ten up to 10^19:
    // one division rounds correctly, the value strtold gives without its cost.
    if (!number->hasExponent && number->digits <= 19) {
        const long double value =
            (long double)number->mantissa / powerOfTen<long double>(number->fractionDigits);
        return number->negative ? -value : value;
    }
    const QByteArray plain = plainNumber(text, *number, mDecimalSeparator, mGrouping);
    long double value = 0;
    const auto [end, error] =
        std::from_chars(plain.constData(), plain.constData() + plain.size(), value);
    if (error != std::errc() || end != plain.constData() + plain.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<double> Regional::readDouble(QByteArrayView text) const
{
    const std::optional<ScannedNumber> number = scanNumber(text, mDecimalSeparator, mGrouping);
    if (!number)
        return std::nullopt;
    // Up to 15 digits are exact in a double, and so is every power of ten up to 10^15: one
    // division rounds correctly. Rounding the extended reading again would not: it can land on
    // the neighbour of the nearest double.
    if (!number->hasExponent && number->digits <= 15) {
        const double value = double(number->mantissa) / powerOfTen<double>(number->fractionDigits);
        return number->negative ? -value : value;
    }
    const QByteArray plain = plainNumber(text, *number, mDecimalSeparator, mGrouping);
    double value = 0;
    const char *const last = plain.constData() + plain.size();
    const auto [end, error] = std::from_chars(plain.constData(), last, value);
    if (end != last)
        return std::nullopt;
    if (error == std::errc::result_out_of_range) {
        // Too small for a double: the nearest one is zero. Too large: none.
        if (decimalOrder(plain) >= 0)
            return std::nullopt;
        return number->negative ? -0.0 : 0.0;
    }
    if (error != std::errc() || !std::isfinite(value))
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
