// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/model/numeric_date_format.h"
#include "core/model/quick_time_format.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QList>
#include <QTime>

#include <optional>

namespace kribed {

class Regional;

// Reads dates and times as Regional::readDate and readTime read them, giving the same answer
// for every text, but without Qt's parser where it is not needed: the texts the regional formats
// write themselves are read by NumericDateFormat and QuickTimeFormat, and a text that cannot be
// a date or time under any format tried (no digit, or a separator of each format missing) is
// refused at once. Qt's parser costs some microseconds a text, most of all on texts it refuses,
// which is what a column of notes typed into a date field holds.
class DateTimeReader
{
public:
    explicit DateTimeReader(const Regional &regional);

    std::optional<QDate> readDate(QByteArrayView text) const;
    std::optional<QTime> readTime(QByteArrayView text) const;

private:
    // What a text must hold to be read with one format.
    struct Needs
    {
        bool digit = false; // the format has a number
        QByteArray marks;   // its separators, each of which the text must hold
    };
    // None when a format holds something beyond ASCII: every text may be read then.
    static std::optional<QList<Needs>> needsOf(const QStringList &formats);
    bool mayBe(QByteArrayView text, const std::optional<QList<Needs>> &needs) const;

    const Regional &mRegional;
    NumericDateFormat mDates;
    QuickTimeFormat mTimes;
    bool mAsciiCodePage;
    std::optional<QList<Needs>> mDateNeeds, mTimeNeeds;
};

} // namespace kribed
