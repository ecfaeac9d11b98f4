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

// The user's regional rules: date and time texts, the decimal separator, text order. Cells are
// bytes, so every conversion between a cell and a date, time or collated text goes through the code
// page held here (the GUI sets the display font's code page; the default is windows-1252).
class Regional
{
public:
    explicit Regional(const QLocale &locale = QLocale(), const QByteArray &codePage = "windows-1252");

    const QLocale &Locale() const { return mLocale; }
    const QByteArray &CodePage() const { return mCodePage; }
    void SetCodePage(const QByteArray &codePage);

    // The short date format with a two-digit year widened to four digits.
    const QString &ShortDateFormat() const { return mShortDateFormat; }
    // The long time format without the time-zone letter.
    const QString &LongTimeFormat() const { return mLongTimeFormat; }
    char DecimalSeparator() const { return mDecimalSeparator; }

    QByteArray DateText(const QDate &date) const;
    QByteArray TimeText(const QTime &time) const;
    std::optional<QDate> ReadDate(QByteArrayView text) const;
    std::optional<QTime> ReadTime(QByteArrayView text) const;

    // The strict number rule: blanks, sign, digits with at most one regional decimal separator,
    // an optional exponent, blanks; nothing else (no thousands separators).
    std::optional<long double> ReadNumber(QByteArrayView text) const;
    // The general form with up to 15 significant digits and the regional decimal separator.
    QByteArray NumberText(long double value) const;

    // Case-sensitive regional order of two cell texts: <0, 0, >0.
    int Compare(QByteArrayView a, QByteArrayView b) const;
    const QCollator &Collator() const { return mCollator; }

    QString ToText(QByteArrayView bytes) const;
    QByteArray ToBytes(const QString &text) const;

private:
    QLocale mLocale;
    QByteArray mCodePage;
    QString mShortDateFormat;
    QString mLongTimeFormat;
    QString mLocaleShortDateFormat;
    char mDecimalSeparator = '.';
    QCollator mCollator;
};

// The rules in force for the whole program. Tests replace them with a fixed locale.
const Regional &CurrentRegional();
void SetCurrentRegional(const Regional &regional);

// The general decimal form of a number with up to 15 significant digits, exponent form for very
// large or small values ("1E20", "1.5E-7"), with the given decimal separator.
QByteArray GeneralNumberText(long double value, char decimalSeparator);

} // namespace kribed
