// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/editing/chart_data.h"
#include "core/model/numeric_date_format.h"
#include "core/model/regional.h"

#include <QByteArrayView>

#include <cmath>
#include <optional>

namespace kribed {

// Days from the Julian day number to 1970-01-01.
constexpr qint64 UnixEpochJulianDay = 2440588;
constexpr double MillisecondsPerDay = 86400000.0;

inline double dateAxisValue(const QDate &date)
{
    return double(date.toJulianDay() - UnixEpochJulianDay) * MillisecondsPerDay;
}

// Reads many cells of one kind: the date format's quick reading is prepared once, and Qt's
// parser only sees the texts it refuses.
class AxisReader
{
public:
    AxisReader(AxisKind kind, const Regional &regional)
        : mKind(kind)
        , mRegional(regional)
        , mQuickDates(regional)
    {
    }

    std::optional<double> read(QByteArrayView text) const
    {
        if (text.isEmpty())
            return std::nullopt;
        switch (mKind) {
        case AxisKind::Number: {
            const std::optional<double> number = mRegional.readDouble(text);
            return number && std::isfinite(*number) ? number : std::nullopt;
        }
        case AxisKind::Date:
            if (const std::optional<QDate> date = readDate(text))
                return dateAxisValue(*date);
            return std::nullopt;
        case AxisKind::Time:
            if (const std::optional<QTime> time = mRegional.readTime(text))
                return double(time->msecsSinceStartOfDay());
            return std::nullopt;
        case AxisKind::Category: break;
        }
        return std::nullopt;
    }

    std::optional<QDate> readDate(QByteArrayView text) const
    {
        if (mQuickDates.isUsable()) {
            if (std::optional<QDate> date = mQuickDates.readDate(text))
                return date;
        }
        return mRegional.readDate(text);
    }

private:
    AxisKind mKind;
    const Regional &mRegional;
    NumericDateFormat mQuickDates;
};

} // namespace kribed
