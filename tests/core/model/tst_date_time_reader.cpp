// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/date_time_reader.h"
#include "core/model/regional.h"

#include <QtTest>

using namespace kribed;

namespace {

// Texts near dates and times: the formats' own texts, texts a parser might be lenient about, and
// the notes users type into date and time fields.
QList<QByteArray> trickyTexts(const Regional &regional)
{
    QList<QByteArray> texts = {"",
                               " ",
                               "12",
                               "2024",
                               "1.2.",
                               "1.2.2024",
                               "01.02.2024",
                               " 01.02.2024 ",
                               "01.02.24",
                               "01022024",
                               "01/02/2024",
                               "2/1/2024",
                               "2/1/24",
                               "2024-02-01",
                               "2024/02/01",
                               "2024.02.01",
                               "2024. 02. 01.",
                               "1. Februar 2024",
                               "Feb 1, 2024",
                               "29.02.2023",
                               "31/04/2024",
                               "0.0.0",
                               "12:30",
                               "12.30",
                               "1230",
                               "12:30 PM",
                               "12:30:00 pm",
                               "12:30:00 AM",
                               "0:00",
                               "00:00:00",
                               "24:00",
                               "23:59:59",
                               "9:05:07",
                               "09:05:07",
                               "9:5:7",
                               "12:30:00\t",
                               "(12:30)",
                               "12h30",
                               "12 h 30",
                               "1,5",
                               "-3",
                               "Text 12 of field 3",
                               "soon",
                               "\xe4.\xf6.2024",
                               "12:30:00 \xa0",
                               "01.02.2024x",
                               "12:30:00x",
                               "::",
                               "..",
                               "//"};
    for (const QDate &day : {QDate(1000, 1, 1), QDate(1999, 12, 31), QDate(2000, 2, 29),
                             QDate(2024, 7, 4), QDate(9999, 12, 31)})
        texts << regional.dateText(day)
              << regional.toBytes(regional.locale().toString(day, QLocale::ShortFormat));
    for (const QTime &time : {QTime(0, 0), QTime(0, 30, 5), QTime(9, 5, 7), QTime(12, 0),
                              QTime(12, 59, 59), QTime(23, 59, 59)})
        texts << regional.timeText(time)
              << regional.toBytes(regional.locale().toString(time, QLocale::ShortFormat));
    return texts;
}

QByteArray shown(const std::optional<QDate> &date)
{
    return date ? date->toString(Qt::ISODate).toLatin1() : QByteArrayLiteral("none");
}

QByteArray shown(const std::optional<QTime> &time)
{
    return time ? time->toString(Qt::ISODate).toLatin1() : QByteArrayLiteral("none");
}

} // namespace

class TestDateTimeReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsAsRegionalReads_data();
    void readsAsRegionalReads();
};

void TestDateTimeReader::readsAsRegionalReads_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QByteArray>("codePage");
    const QByteArray western = "windows-1252";
    for (const char *name : {"de_DE", "en_US", "en_GB", "fr_FR", "nl_NL", "fi_FI", "hu_HU", "ko_KR",
                             "ja_JP", "zh_CN", "sv_SE", "en_AU", "ar_EG", "fa_IR"})
        QTest::newRow(name) << QString::fromLatin1(name) << western;
    QTest::newRow("code page without ASCII") << QStringLiteral("de_DE") << QByteArray("UTF-16");
    QTest::newRow("Japanese code page") << QStringLiteral("ja_JP") << QByteArray("Shift_JIS");
}

// Every text gives the same date and the same time, or none, both ways.
void TestDateTimeReader::readsAsRegionalReads()
{
    QFETCH(QString, locale);
    QFETCH(QByteArray, codePage);
    const Regional regional{QLocale(locale), codePage};
    const DateTimeReader reader(regional);
    for (const QByteArray &text : trickyTexts(regional)) {
        const QByteArray what = locale.toLatin1() + ": \"" + text + '"';
        QCOMPARE(shown(reader.readDate(text)) + ' ' + what,
                 shown(regional.readDate(text)) + ' ' + what);
        QCOMPARE(shown(reader.readTime(text)) + ' ' + what,
                 shown(regional.readTime(text)) + ' ' + what);
    }
}

QTEST_GUILESS_MAIN(TestDateTimeReader)
#include "tst_date_time_reader.moc"
