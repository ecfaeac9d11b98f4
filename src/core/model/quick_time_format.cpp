// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/quick_time_format.h"

#include "core/model/regional.h"
#include "core/platform/code_page.h"

#include <algorithm>

namespace kribed {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

QuickTimeFormat::QuickTimeFormat(const Regional &regional)
    : mAm(regional.locale().amText().toLatin1())
    , mPm(regional.locale().pmText().toLatin1())
{
    const bool ascii = regional.locale().amText() == QString::fromLatin1(mAm)
                       && regional.locale().pmText() == QString::fromLatin1(mPm);
    if (!ascii || !keepsAscii(regional.codePage()) || !parse(regional.longTimeFormat()))
        mParts.clear();
}

bool QuickTimeFormat::parse(const QString &format)
{
    bool marker = false;
    for (qsizetype i = 0; i < format.size();) {
        const char16_t c = format.at(i).unicode();
        qsizetype run = 1;
        while (i + run < format.size() && format.at(i + run) == c)
            ++run;
        if (c == u'h' || c == u'H' || c == u'm' || c == u's') {
            if (run > 2 || (!mParts.isEmpty() && mParts.last().field))
                return false;
            mParts.append(Part{char(c), int(run), {}});
        } else if ((c == u'A' || c == u'a') && !marker) {
            // "AP", "ap", "A" or "a": the marker, as the locale writes it in upper case.
            if (c == u'a' || (i + run < format.size() && format.at(i + run) == u'p'))
                return false;
            run += i + run < format.size() && format.at(i + run) == u'P';
            marker = true;
            mParts.append(Part{'A', 0, {}});
        } else if (c >= 0x80 || c == u'\'' || QChar::isLetterOrNumber(c)) {
            return false;
        } else {
            if (mParts.isEmpty() || mParts.last().field)
                mParts.append(Part{});
            mParts.last().literal += QByteArray(run, char(c));
        }
        i += run;
    }
    // A 12-hour clock needs its marker, and the marker a 12-hour clock.
    const bool twelve = std::any_of(mParts.cbegin(), mParts.cend(),
                                    [](const Part &part) { return part.field == 'h'; });
    return twelve == marker && !mParts.isEmpty();
}

bool QuickTimeFormat::readNumber(QByteArrayView text, qsizetype &at, const Part &part,
                                 int &value) const
{
    int digits = 0;
    value = 0;
    while (at < text.size() && digits < 2 && isDigit(text[at])) {
        value = value * 10 + (text[at++] - '0');
        ++digits;
    }
    if (part.digits == 2)
        return digits == 2;
    return digits == 1 || (digits == 2 && text[at - 2] != '0');
}

std::optional<QTime> QuickTimeFormat::readTime(QByteArrayView text) const
{
    if (mParts.isEmpty())
        return std::nullopt;
    qsizetype at = 0;
    int values[3] = {-1, 0, 0}; // hour, minute, second
    bool afternoon = false;
    for (const Part &part : mParts) {
        if (part.field == 0) {
            if (!text.sliced(at).startsWith(part.literal))
                return std::nullopt;
            at += part.literal.size();
        } else if (part.field == 'A') {
            const QByteArrayView rest = text.sliced(at);
            afternoon = !rest.startsWith(mAm);
            const QByteArray &marker = afternoon ? mPm : mAm;
            if (marker.isEmpty() || !rest.startsWith(marker))
                return std::nullopt;
            at += marker.size();
        } else {
            int value = 0;
            if (!readNumber(text, at, part, value))
                return std::nullopt;
            const int highest = part.field == 'h' ? 12 : part.field == 'H' ? 23 : 59;
            if (value > highest || (part.field == 'h' && value == 0))
                return std::nullopt;
            values[part.field == 'm' ? 1 : part.field == 's' ? 2 : 0] = value;
        }
    }
    if (at != text.size() || values[0] < 0)
        return std::nullopt;
    const bool twelveHour = std::any_of(mParts.cbegin(), mParts.cend(),
                                        [](const Part &part) { return part.field == 'h'; });
    // "12:30 AM" is half past midnight, "12:30 PM" half past noon.
    if (twelveHour)
        values[0] = values[0] % 12 + (afternoon ? 12 : 0);
    return QTime(values[0], values[1], values[2]);
}

} // namespace kribed
