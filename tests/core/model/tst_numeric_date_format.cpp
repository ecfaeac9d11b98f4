// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/numeric_date_format.h"
#include "core/model/regional.h"

#include <QtTest>

using namespace kribed;

namespace {

// What Qt's parser makes of the text, as YYYY-MM-DD; empty when it reads no date.
QByteArray slowIso(const Regional &regional, QByteArrayView text)
{
    const std::optional<QDate> date = regional.readDate(text);
    return date ? date->toString(QStringLiteral("yyyy-MM-dd")).toLatin1() : QByteArray();
}

// The fast reading, empty when the text is left to Qt's parser. The reading as a date (the sort's)
// must take the same texts and give the same day as the reading as text (the export's).
QByteArray fastIso(const NumericDateFormat &format, QByteArrayView text)
{
    char iso[10];
    const QByteArray read = format.readIso(text, iso) ? QByteArray(iso, sizeof iso) : QByteArray();
    const std::optional<QDate> date = format.readDate(text);
    const QByteArray dateIso = date ? date->toString(Qt::ISODate).toLatin1() : QByteArray();
    return dateIso == read ? read : QByteArrayLiteral("readings differ");
}

} // namespace

class TestNumericDateFormat : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void ownTextsReadAsQtReadsThem_data();
    void ownTextsReadAsQtReadsThem();
    void otherTextsAreLeftToQt_data();
    void otherTextsAreLeftToQt();
};

void TestNumericDateFormat::ownTextsReadAsQtReadsThem_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QByteArray>("codePage");
    QTest::addColumn<bool>("usable");

    const QByteArray western = "windows-1252";
    QTest::newRow("US month first, no zeros") << QStringLiteral("en_US") << western << true;
    QTest::newRow("German with dots") << QStringLiteral("de_DE") << western << true;
    QTest::newRow("British with slashes") << QStringLiteral("en_GB") << western << true;
    QTest::newRow("Dutch with dashes") << QStringLiteral("nl_NL") << western << true;
    QTest::newRow("Finnish without zeros") << QStringLiteral("fi_FI") << western << true;
    QTest::newRow("Japanese year first") << QStringLiteral("ja_JP") << western << true;
    QTest::newRow("Hungarian dots and blanks") << QStringLiteral("hu_HU") << western << true;
    QTest::newRow("Korean dots and blanks") << QStringLiteral("ko_KR") << western << true;
    QTest::newRow("Chinese year first") << QStringLiteral("zh_CN") << western << true;
    QTest::newRow("ISO") << QStringLiteral("sv_SE") << western << true;
    QTest::newRow("code page without ASCII")
        << QStringLiteral("de_DE") << QByteArray("UTF-16") << false;
}

// Every day of a leap-year span and the ends of the year range, in each format as the program
// writes it, is read as Qt's parser reads it.
void TestNumericDateFormat::ownTextsReadAsQtReadsThem()
{
    QFETCH(QString, locale);
    QFETCH(QByteArray, codePage);
    QFETCH(bool, usable);
    const Regional regional{QLocale(locale), codePage};
    const NumericDateFormat format(regional);
    QCOMPARE(format.isUsable(), usable);
    QList<QDate> days = {QDate(1000, 1, 1), QDate(1900, 2, 28), QDate(2100, 3, 1),
                         QDate(9999, 12, 31)};
    for (QDate day(1999, 12, 1); day < QDate(2001, 2, 1); day = day.addDays(1))
        days.append(day);
    for (const QDate &day : std::as_const(days)) {
        const QByteArray text = regional.dateText(day);
        const QByteArray expected = usable ? day.toString(Qt::ISODate).toLatin1() : QByteArray();
        QCOMPARE(fastIso(format, text), expected);
        if (usable)
            QCOMPARE(slowIso(regional, text), expected);
    }
}

void TestNumericDateFormat::otherTextsAreLeftToQt_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("iso"); // empty: not read here

    const QString de = QStringLiteral("de_DE");
    const QString us = QStringLiteral("en_US");
    QTest::newRow("own form") << de << QByteArray("01.02.2019") << QByteArray("2019-02-01");
    QTest::newRow("leap day") << de << QByteArray("29.02.2000") << QByteArray("2000-02-29");
    QTest::newRow("no leap day in 1900") << de << QByteArray("29.02.1900") << QByteArray();
    QTest::newRow("no such day") << de << QByteArray("31.04.2019") << QByteArray();
    QTest::newRow("month 13") << de << QByteArray("01.13.2019") << QByteArray();
    QTest::newRow("day 0") << de << QByteArray("00.02.2019") << QByteArray();
    QTest::newRow("zeros left out") << de << QByteArray("1.2.2019") << QByteArray();
    QTest::newRow("two-digit year") << de << QByteArray("01.02.19") << QByteArray();
    QTest::newRow("five-digit year") << de << QByteArray("01.02.20190") << QByteArray();
    QTest::newRow("year before 1000") << de << QByteArray("01.02.0999") << QByteArray();
    QTest::newRow("leading blank") << de << QByteArray(" 01.02.2019") << QByteArray();
    QTest::newRow("trailing text") << de << QByteArray("01.02.2019x") << QByteArray();
    QTest::newRow("other separator") << de << QByteArray("01/02/2019") << QByteArray();
    QTest::newRow("cut short") << de << QByteArray("01.02.") << QByteArray();
    QTest::newRow("empty") << de << QByteArray() << QByteArray();
    QTest::newRow("US own form") << us << QByteArray("2/1/2019") << QByteArray("2019-02-01");
    QTest::newRow("US two-digit day") << us << QByteArray("12/31/2019") << QByteArray("2019-12-31");
    QTest::newRow("US zero-padded") << us << QByteArray("02/01/2019") << QByteArray();
    QTest::newRow("US three-digit day") << us << QByteArray("2/123/2019") << QByteArray();
    QTest::newRow("US day first") << us << QByteArray("31/12/2019") << QByteArray();
    QTest::newRow("US separator doubled") << us << QByteArray("2//1/2019") << QByteArray();
    QTest::newRow("non-ASCII digits") << us << QByteArray("\xd9\xa2/1/2019") << QByteArray();
    QTest::newRow("US day 0") << us << QByteArray("2/0/2019") << QByteArray();
    QTest::newRow("US two-digit year") << us << QByteArray("2/1/19") << QByteArray();
    const QString pl = QStringLiteral("pl_PL");
    QTest::newRow("Polish day without zero")
        << pl << QByteArray("1.03.2021") << QByteArray("2021-03-01");
    QTest::newRow("Polish day zero-padded") << pl << QByteArray("01.03.2021") << QByteArray();
    QTest::newRow("Polish month without zero") << pl << QByteArray("1.3.2021") << QByteArray();
    const QString sv = QStringLiteral("sv_SE");
    QTest::newRow("year first") << sv << QByteArray("2021-03-01") << QByteArray("2021-03-01");
    QTest::newRow("year first, zeros left out") << sv << QByteArray("2021-3-1") << QByteArray();
    QTest::newRow("year first, two-digit year") << sv << QByteArray("21-03-01") << QByteArray();
}

// A text not in the format's own form is not read here, so Qt's parser decides as before; what is
// read agrees with it.
void TestNumericDateFormat::otherTextsAreLeftToQt()
{
    QFETCH(QString, locale);
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, iso);
    const Regional regional{QLocale(locale)};
    const NumericDateFormat format(regional);
    QCOMPARE(fastIso(format, text), iso);
    if (!iso.isEmpty())
        QCOMPARE(slowIso(regional, text), iso);
}

QTEST_GUILESS_MAIN(TestNumericDateFormat)
#include "tst_numeric_date_format.moc"
