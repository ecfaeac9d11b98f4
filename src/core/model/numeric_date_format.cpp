// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/numeric_date_format.h"
#include "core/model/regional.h"
#include "core/platform/code_page.h"

#include <QDate>

#include <cstring>

namespace kribed {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

void writeDigits(char *to, int value, int count)
{
    for (int i = count - 1; i >= 0; --i, value /= 10)
        to[i] = char('0' + value % 10);
}

} // namespace

NumericDateFormat::NumericDateFormat(const Regional &regional)
{
    if (!keepsAscii(regional.codePage()) || !parse(regional.shortDateFormat()))
        mParts.clear();
}

bool NumericDateFormat::parse(const QString &format)
{
    QByteArray seen;
    for (qsizetype i = 0; i < format.size();) {
        const char16_t c = format.at(i).unicode();
        qsizetype run = 1;
        while (i + run < format.size() && format.at(i + run) == c)
            ++run;
        if (c == u'd' || c == u'M' || c == u'y') {
            const bool fits = c == u'y' ? run == 4 : run <= 2;
            // Two numbers side by side could not be told apart; each field is written once.
            if (!fits || seen.contains(char(c)) || (!mParts.isEmpty() && mParts.last().field))
                return false;
            seen += char(c);
            mParts.append(Part{char(c), c == u'y' ? 4 : int(run), {}});
        } else if (c >= 0x80 || c == u'\'' || isDigit(char(c)) || QChar::isLetter(c)) {
            return false;
        } else {
            if (mParts.isEmpty() || mParts.last().field)
                mParts.append(Part{});
            mParts.last().literal += QByteArray(run, char(c));
        }
        i += run;
    }
    return seen.size() == 3;
}

bool NumericDateFormat::readIso(QByteArrayView text, char *iso) const
{
    int values[3] = {}; // day, month, year
    if (!readFields(text, values))
        return false;
    writeDigits(iso, values[2], 4);
    iso[4] = '-';
    writeDigits(iso + 5, values[1], 2);
    iso[7] = '-';
    writeDigits(iso + 8, values[0], 2);
    return true;
}

std::optional<QDate> NumericDateFormat::readDate(QByteArrayView text) const
{
    int values[3] = {}; // day, month, year
    if (!readFields(text, values))
        return std::nullopt;
    return QDate(values[2], values[1], values[0]);
}

bool NumericDateFormat::readFields(QByteArrayView text, int (&values)[3]) const
{
    if (mParts.isEmpty())
        return false;
    qsizetype at = 0;
    for (const Part &part : mParts) {
        if (!part.field) {
            const qsizetype length = part.literal.size();
            if (text.size() - at < length
                || std::memcmp(text.data() + at, part.literal.constData(), size_t(length)) != 0)
                return false;
            at += part.literal.size();
            continue;
        }
        qsizetype count = 0;
        while (at + count < text.size() && count < part.digits + 1 && isDigit(text[at + count]))
            ++count;
        // The format's own text: "d" gives 1..9 or 10..31, "dd" 01..31, "yyyy" 1000..9999.
        const bool plain =
            part.digits == 1 ? (count == 1 || count == 2) && text[at] != '0' : count == part.digits;
        if (!plain || (part.field == 'y' && text[at] == '0'))
            return false;
        int value = 0;
        for (qsizetype k = 0; k < count; ++k)
            value = value * 10 + (text[at + k] - '0');
        values[part.field == 'd' ? 0 : part.field == 'M' ? 1 : 2] = value;
        at += count;
    }
    return at == text.size() && QDate::isValid(values[2], values[1], values[0]);
}

} // namespace kribed
