// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QList>

#include <optional>

namespace kribed {

class Regional;

// Reads the dates of a short date format made of numbers and separators only ("dd.MM.yyyy",
// "M/d/yyyy", "yyyy/MM/dd") without Qt's date parser, which costs a sort or an export more than
// everything else a date cell needs. Only a text exactly as the format writes it is read here,
// which Qt's parser reads as the same date; every other text is left to Regional::readDate.
class NumericDateFormat
{
public:
    explicit NumericDateFormat(const Regional &regional);

    // False when the format has names, quotes, a two-digit year or numbers without a separator
    // between them, or the code page does not write ASCII as itself: then nothing is read.
    bool isUsable() const { return !mParts.isEmpty(); }

    // Writes the date as YYYY-MM-DD (10 characters, no NUL) and returns true when the text is the
    // format's own text of a date with a four-digit year from 1000 on.
    bool readIso(QByteArrayView text, char *iso) const;
    // The same reading as a date; none where readIso refuses the text.
    std::optional<QDate> readDate(QByteArrayView text) const;

private:
    struct Part
    {
        char field = 0;     // 'd', 'M' or 'y'; 0 for a separator
        int digits = 0;     // 1: one or two digits without a leading zero; else exactly this many
        QByteArray literal; // the separator
    };

    bool parse(const QString &format);
    // Day, month and year of the format's own text of a valid date.
    bool readFields(QByteArrayView text, int (&values)[3]) const;

    QList<Part> mParts;
};

} // namespace kribed
