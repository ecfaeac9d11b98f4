// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QTime>

#include <optional>

namespace kribed {

class Regional;

// Reads the times of a long time format made of hours, minutes, seconds, an AM/PM marker and
// separators ("h:mm:ss AP", "HH:mm:ss") without Qt's parser; only a text exactly as the format
// writes it is read, every other one is left to Regional::readTime.
class QuickTimeFormat
{
public:
    explicit QuickTimeFormat(const Regional &regional);
    bool reads(QByteArrayView text) const { return readTime(text).has_value(); }
    // The time of the format's own text; none where the text is left to Regional::readTime.
    std::optional<QTime> readTime(QByteArrayView text) const;

private:
    struct Part
    {
        char field = 0; // 'h' (12-hour), 'H', 'm', 's', 'A' (the marker); 0 for a separator
        int digits = 0; // 1: one or two digits without a leading zero; 2: exactly two
        QByteArray literal;
    };
    bool parse(const QString &format);
    bool readNumber(QByteArrayView text, qsizetype &at, const Part &part, int &value) const;

    QList<Part> mParts;
    QByteArray mAm;
    QByteArray mPm;
};

} // namespace kribed
