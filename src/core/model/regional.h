// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QCollator>
#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

#include <optional>

namespace kribed {

// How a locale groups the digits before the decimal separator ("1.234.567,89"), as bytes of the
// code page: its group separator, and a plain form users type for it (a blank for a no-break
// space, an apostrophe for a typographic one). A zero byte is none.
struct DigitGrouping
{
    char separator = 0;
    char alternative = 0;
    int primary = 3;   // digits of the group before the decimal separator
    int secondary = 3; // digits of each group before that (2 in India)
    bool isSeparator(char c) const { return c != 0 && (c == separator || c == alternative); }
    bool operator==(const DigitGrouping &other) const
    {
        return separator == other.separator && alternative == other.alternative
               && primary == other.primary && secondary == other.secondary;
    }
};

// The user's regional rules: date and time texts, the decimal separator, text order. Cells are
// bytes, so every conversion between a cell and a date, time or collated text goes through the code
// page held here (the editor's document holds the rules of the open database, in the display
// font's code page; the default is windows-1252). Every operation that needs them is handed them.
class Regional
{
public:
    explicit Regional(const QLocale &locale = QLocale(),
                      const QByteArray &codePage = "windows-1252");

    const QLocale &locale() const { return mLocale; }
    const QByteArray &codePage() const { return mCodePage; }
    void setCodePage(const QByteArray &codePage);

    // The short date format with a two-digit year widened to four digits.
    const QString &shortDateFormat() const { return mShortDateFormat; }
    // The long time format without the time-zone letter.
    const QString &longTimeFormat() const { return mLongTimeFormat; }
    char decimalSeparator() const { return mDecimalSeparator; }

    QByteArray dateText(const QDate &date) const;
    QByteArray timeText(const QTime &time) const;
    std::optional<QDate> readDate(QByteArrayView text) const;
    std::optional<QTime> readTime(QByteArrayView text) const;

    const DigitGrouping &digitGrouping() const { return mGrouping; }

    // The strict number rule: blanks, sign, digits with at most one regional decimal separator,
    // an optional exponent, blanks; nothing else. The digits before the decimal separator may be
    // grouped by the locale's group separator where it stands in valid places only ("1.234,5"
    // and "12.345.678" in German; "1.23,4", "1234.567" and "0.123" are no numbers there).
    // The reading in extended precision, for sums.
    std::optional<long double> readNumber(QByteArrayView text) const;
    // The same reading as the double nearest to the text's value (what every text that becomes a
    // double takes); none for a text that reads but is too large for a double.
    std::optional<double> readDouble(QByteArrayView text) const;
    // The general form with up to 15 significant digits and the regional decimal separator.
    QByteArray numberText(long double value) const;

    // Case-sensitive regional order of two cell texts: <0, 0, >0.
    int compare(QByteArrayView a, QByteArrayView b) const;
    const QCollator &collator() const { return mCollator; }

    QString toText(QByteArrayView bytes) const;
    QByteArray toBytes(const QString &text) const;

private:
    void takeDigitGrouping();

    QLocale mLocale;
    QByteArray mCodePage;
    QString mShortDateFormat;
    QString mLongTimeFormat;
    QString mLocaleShortDateFormat;
    char mDecimalSeparator = '.';
    DigitGrouping mGrouping;
    QCollator mCollator;
};

// The general decimal form of a number with up to 15 significant digits, exponent form for very
// large or small values ("1E20", "1.5E-7"), with the given decimal separator.
QByteArray generalNumberText(long double value, char decimalSeparator);

} // namespace kribed
