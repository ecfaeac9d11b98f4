// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/pdb_format.h"

#include "core/model/limits.h"

namespace kribed::pdb {

namespace {

constexpr qint64 SecondsPerDay = 86400;

// The dates are plain wall-clock arithmetic, as the handheld keeps them: no time zone and no
// daylight-saving step enters.
QDate epochDate()
{
    return QDate(1970, 1, 1);
}
constexpr qint64 EpochSecondOfDay = 3600;

} // namespace

QByteArray popupHeader(int field)
{
    const char letter = field <= 26 ? char('a' + field - 1) : char('A' + field - 27);
    return QByteArrayLiteral("popup") + letter;
}

int popupHeaderField(const QByteArray &text)
{
    if (text.size() != 6 || !text.startsWith("popup"))
        return 0;
    const int code = uchar(text.at(5));
    // Any sixth character counts: lower-case letters from 'a', every other character from 'A' - 26.
    const int field = code >= 'a' && code <= 'z' ? code - 96 : code - 38;
    return field >= 1 && field <= MaxFields ? field : 0;
}

QDateTime dateFromFile(qint32 seconds)
{
    const qint64 total = EpochSecondOfDay + qint64(seconds);
    qint64 days = total / SecondsPerDay;
    qint64 rest = total % SecondsPerDay;
    if (rest < 0) {
        rest += SecondsPerDay;
        --days;
    }
    return QDateTime(epochDate().addDays(days), QTime(0, 0).addSecs(int(rest)));
}

qint32 dateToFile(const QDateTime &time)
{
    const qint64 days = epochDate().daysTo(time.date());
    const qint64 seconds =
        days * SecondsPerDay + time.time().msecsSinceStartOfDay() / 1000 - EpochSecondOfDay;
    return qint32(qBound(qint64(INT32_MIN), seconds, qint64(INT32_MAX)));
}

} // namespace kribed::pdb
