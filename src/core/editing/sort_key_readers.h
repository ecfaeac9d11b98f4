// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/model/numeric_date_format.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QTime>

#include <optional>
#include <vector>

namespace kribed {

class Regional;

// The numbers the sort compares for dates and times: days counted from 30 December 1899 (the zero
// of the program's dates) and the part of a day; a text that is not a date or time counts as 0.
long double dateKey(const std::optional<QDate> &date);
long double timeKey(const std::optional<QTime> &time);

// One part of a time format as the quick reader follows it.
struct FormatToken
{
    char field = 0; // 'd', 'M', 'y', 'h', 'H', 'm', 's' or 'a' (AM/PM); 0 for a separator
    int width = 0;  // digits written: 1 = without a leading zero
    char literal = 0;
};

// Reads dates quickly where the short date format is made of day, month and four-digit year
// numbers between fixed separators and the text is written exactly as the program writes dates
// (NumericDateFormat); every other text goes the regional way. Both ways give the same date for
// such a text.
class DateKeyReader
{
public:
    explicit DateKeyReader(const Regional &regional);

    long double value(QByteArrayView text) const;

private:
    const Regional &mRegional;
    NumericDateFormat mFormat;
};

// Reads times quickly where the long time format is made of hour, minute, second and AM/PM parts
// between fixed separators and the text is written exactly as the program writes times; every
// other text goes the regional way. Both ways give the same time for such a text.
class TimeKeyReader
{
public:
    explicit TimeKeyReader(const Regional &regional);

    long double value(QByteArrayView text) const;

private:
    bool parseFormat(const QLocale &locale, const QString &format);
    bool markersReadAsWritten() const;
    std::optional<QTime> fastRead(QByteArrayView text) const;

    const Regional &mRegional;
    std::vector<FormatToken> mTokens;
    QByteArray mMarkers[2]; // the AM and PM texts as written
    bool mUpper = true;
    bool mFast = false;
};

} // namespace kribed
