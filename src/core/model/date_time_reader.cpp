// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/date_time_reader.h"

#include "core/model/regional.h"
#include "core/platform/code_page.h"

#include <algorithm>

namespace kribed {

DateTimeReader::DateTimeReader(const Regional &regional)
    : mRegional(regional)
    , mDates(regional)
    , mTimes(regional)
    , mAsciiCodePage(keepsAscii(regional.codePage()))
    , mDateNeeds(
          needsOf({regional.shortDateFormat(), regional.locale().dateFormat(QLocale::ShortFormat)}))
    , mTimeNeeds(
          needsOf({regional.longTimeFormat(), regional.locale().timeFormat(QLocale::ShortFormat)}))
{
}

std::optional<QList<DateTimeReader::Needs>> DateTimeReader::needsOf(const QStringList &formats)
{
    QList<Needs> all;
    for (const QString &format : formats) {
        Needs needs;
        for (const QChar c : format) {
            if (c.unicode() > 127)
                return std::nullopt;
            // Day, month, year, hour, minute, second and millisecond numbers; the names of days
            // and months and the AM/PM marker are letters.
            needs.digit = needs.digit || QByteArrayView("dMyhHmsz").contains(char(c.unicode()));
            // Quoted letters and blanks are left out: Qt may be lenient about blanks. Brackets
            // are left out too: the time-zone part "(t)" is dropped from a format read with.
            if (!c.isLetterOrNumber() && !c.isSpace()
                && !QByteArrayView("'()[]").contains(char(c.unicode()))
                && !needs.marks.contains(char(c.unicode())))
                needs.marks += char(c.unicode());
        }
        all.append(needs);
    }
    return all;
}

bool DateTimeReader::mayBe(QByteArrayView text, const std::optional<QList<Needs>> &needs) const
{
    // A text beyond ASCII may hold the locale's own digits or blanks; Qt's parser decides.
    if (!needs || !mAsciiCodePage
        || std::any_of(text.begin(), text.end(), [](char c) { return uchar(c) >= 0x80; }))
        return true;
    const bool digit =
        std::any_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    return std::any_of(needs->cbegin(), needs->cend(), [text, digit](const Needs &format) {
        return (digit || !format.digit)
               && std::all_of(format.marks.cbegin(), format.marks.cend(),
                              [text](char mark) { return text.contains(mark); });
    });
}

std::optional<QDate> DateTimeReader::readDate(QByteArrayView text) const
{
    if (std::optional<QDate> date = mDates.readDate(text))
        return date;
    if (!mayBe(text, mDateNeeds))
        return std::nullopt;
    return mRegional.readDate(text);
}

std::optional<QTime> DateTimeReader::readTime(QByteArrayView text) const
{
    if (std::optional<QTime> time = mTimes.readTime(text))
        return time;
    if (!mayBe(text, mTimeNeeds))
        return std::nullopt;
    return mRegional.readTime(text);
}

} // namespace kribed
