// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/regional.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QtTest>

using namespace Qt::StringLiterals;

using namespace kribed;

class TestRegional : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readNumber_data();
    void readNumber();
    void numberText_data();
    void numberText();
    void dateAndTimeFormats();
    void timesWithoutZoneLeaveNoBrackets_data();
    void timesWithoutZoneLeaveNoBrackets();
    void conversionsLikeFreshConverters_data();
    void conversionsLikeFreshConverters();
    void widthConversions_data();
    void widthConversions();
    void typeTableBothWays();
};

void TestRegional::readNumber_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("reads");
    QTest::addColumn<double>("value");

    QTest::newRow("plain integer") << "en_US" << QByteArray("42") << true << 42.0;
    QTest::newRow("blanks and sign around") << "en_US" << QByteArray("  -1.5  ") << true << -1.5;
    QTest::newRow("exponent with sign") << "en_US" << QByteArray("2.5e-1") << true << 0.25;
    QTest::newRow("capital exponent") << "en_US" << QByteArray("1E3") << true << 1000.0;
    QTest::newRow("leading separator") << "en_US" << QByteArray(".5") << true << 0.5;
    QTest::newRow("trailing separator") << "en_US" << QByteArray("5.") << true << 5.0;
    QTest::newRow("comma in de_DE") << "de_DE" << QByteArray("1,5") << true << 1.5;
    QTest::newRow("exponent in de_DE") << "de_DE" << QByteArray("+1,5e2") << true << 150.0;
    QTest::newRow("twenty digits")
        << "en_US" << QByteArray("12345678901234567890") << true << 12345678901234567890.0;
    QTest::newRow("many fraction digits")
        << "en_US" << QByteArray("0.1000000000000000000001") << true << 0.1;
    QTest::newRow("point is not the separator in de_DE")
        << "de_DE" << QByteArray("1.5") << false << 0.0;
    QTest::newRow("grouped thousands") << "en_US" << QByteArray("1,000") << true << 1000.0;
    QTest::newRow("group of two refused") << "en_US" << QByteArray("1,00") << false << 0.0;
    QTest::newRow("two separators refused") << "en_US" << QByteArray("1.2.3") << false << 0.0;
    QTest::newRow("empty text") << "en_US" << QByteArray("") << false << 0.0;
    QTest::newRow("only blanks") << "en_US" << QByteArray("   ") << false << 0.0;
    QTest::newRow("letters") << "en_US" << QByteArray("x") << false << 0.0;
    QTest::newRow("exponent without digits") << "en_US" << QByteArray("1e") << false << 0.0;
    QTest::newRow("sign alone") << "en_US" << QByteArray("-") << false << 0.0;
    QTest::newRow("tab is not a blank") << "en_US" << QByteArray("\t1") << false << 0.0;
    QTest::newRow("inner blank") << "en_US" << QByteArray("1 2") << false << 0.0;
}

void TestRegional::readNumber()
{
    QFETCH(QString, locale);
    QFETCH(QByteArray, text);
    QFETCH(bool, reads);
    QFETCH(double, value);

    const Regional regional{QLocale(locale)};
    const std::optional<long double> number = regional.readNumber(text);
    QCOMPARE(number.has_value(), reads);
    if (reads)
        QCOMPARE(double(*number), value);
    // The fast path and the general reading agree wherever both apply.
    if (reads && !text.contains('e') && !text.contains('E'))
        QCOMPARE(double(*number), double(*regional.readNumber(text.trimmed() + "e0")));
}

void TestRegional::numberText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<char>("separator");
    QTest::addColumn<QByteArray>("text");

    QTest::newRow("zero") << 0.0 << '.' << QByteArray("0");
    QTest::newRow("whole number") << 3.0 << '.' << QByteArray("3");
    QTest::newRow("decimal comma") << 3.5 << ',' << QByteArray("3,5");
    QTest::newRow("average") << 1.75 << '.' << QByteArray("1.75");
    QTest::newRow("negative") << -0.25 << '.' << QByteArray("-0.25");
    QTest::newRow("15 digits kept") << 123456789012345.0 << '.' << QByteArray("123456789012345");
    QTest::newRow("16 digits in exponent form")
        << 1234567890123456.0 << '.' << QByteArray("1.23456789012346E15");
    QTest::newRow("large") << 1e20 << '.' << QByteArray("1E20");
    QTest::newRow("small fixed") << 0.00001 << '.' << QByteArray("0.00001");
    QTest::newRow("smaller in exponent form") << 1.5e-7 << ',' << QByteArray("1,5E-7");
    QTest::newRow("binary fraction rounded") << 0.1 + 0.2 << '.' << QByteArray("0.3");
    QTest::newRow("rounding carries") << 999999999999999.9 << '.' << QByteArray("1E15");
}

void TestRegional::numberText()
{
    QFETCH(double, value);
    QFETCH(char, separator);
    QFETCH(QByteArray, text);
    QCOMPARE(generalNumberText(value, separator), text);
}

void TestRegional::timesWithoutZoneLeaveNoBrackets_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QByteArray>("text");
    // Spain writes the zone in round brackets, Taiwan in square ones: both go with the zone.
    QTest::newRow("es_ES") << QStringLiteral("es_ES") << QByteArray("14:05:07");
    QTest::newRow("de_DE") << QStringLiteral("de_DE") << QByteArray("14:05:07");
    QTest::newRow("en_US") << QStringLiteral("en_US") << QByteArray("2:05:07 PM");
}

void TestRegional::timesWithoutZoneLeaveNoBrackets()
{
    QFETCH(QString, locale);
    QFETCH(QByteArray, text);
    const Regional regional{QLocale(locale)};
    const QTime time(14, 5, 7);
    QCOMPARE(regional.timeText(time), text);
    QCOMPARE(regional.readTime(text), std::optional<QTime>(time));
}

void TestRegional::dateAndTimeFormats()
{
    const Regional us{QLocale(QStringLiteral("en_US"))};
    QVERIFY(us.shortDateFormat().contains(QStringLiteral("yyyy")));
    QVERIFY(!us.longTimeFormat().contains(u't'));
    const Regional taiwan{QLocale(QStringLiteral("zh_TW"))};
    QVERIFY(!taiwan.longTimeFormat().contains(u'['));
    const QDate date(2024, 3, 9);
    QCOMPARE(us.readDate(us.dateText(date)), std::optional<QDate>(date));

    const Regional de{QLocale(QStringLiteral("de_DE"))};
    QCOMPARE(de.dateText(date), QByteArray("09.03.2024"));
    QCOMPARE(de.readDate("09.03.2024"), std::optional<QDate>(date));
    QCOMPARE(de.readDate("31.02.2024"), std::nullopt);
    const QTime time(13, 5, 7);
    QCOMPARE(de.timeText(time), QByteArray("13:05:07"));
    QCOMPARE(de.readTime(de.timeText(time)), std::optional<QTime>(time));
    QCOMPARE(de.readTime("kein"), std::nullopt);

    // A character the code page cannot hold is entered as '?'.
    QCOMPARE(de.toBytes(QStringLiteral("a\u20ac\u4e2db")), QByteArray("a\x80?b"));
    const Regional greek{QLocale(QStringLiteral("el_GR")), "windows-1253"};
    QCOMPARE(greek.toBytes(QStringLiteral("\u03b1\u00e9")), QByteArray("\xe1?"));
}

void TestRegional::conversionsLikeFreshConverters_data()
{
    QTest::addColumn<QByteArray>("codePage");
    QTest::addColumn<QByteArrayList>("texts");

    // Each text must convert as it would on its own, whatever was converted before it: a half
    // character at the end of one text never joins the next, and ASCII stays ASCII.
    QTest::newRow("Shift_JIS") << QByteArray("Shift_JIS")
                               << QByteArrayList{"\x82",     "\xa0", "abc\x82", "\xa0xyz",
                                                 "\x82\xa0", "\\~",  "\x1a",    ""};
    QTest::newRow("windows-1252") << QByteArray("windows-1252")
                                  << QByteArrayList{"caf\xe9", "\x80\x81", "plain", "\x1a", ""};
    QTest::newRow("UTF-16, not ASCII-compatible")
        << QByteArray("UTF-16LE") << QByteArrayList{"a\0b\0"_ba, "ab", "a", "\x3d\xd8"};
}

void TestRegional::conversionsLikeFreshConverters()
{
    QFETCH(QByteArray, codePage);
    QFETCH(QByteArrayList, texts);

    const Regional regional{QLocale(QStringLiteral("en_US")), codePage};
    const Regional other{QLocale(QStringLiteral("ru_RU")), "windows-1251"};
    for (int round = 0; round < 2; ++round) {
        for (const QByteArray &bytes : texts) {
            QStringDecoder decoder(codePage.constData());
            const QString fresh = decoder.decode(bytes);
            QCOMPARE(regional.toText(bytes), fresh);
            QStringEncoder encoder(codePage.constData());
            QByteArray encoded = encoder.encode(fresh);
            encoded.replace('\x1a', '?');
            QCOMPARE(regional.toBytes(fresh), encoded);
        }
        // Another code page in between must not leave its converter behind.
        QCOMPARE(other.toText("\xe0"), QStringLiteral("\u0430"));
        QCOMPARE(other.toBytes(QStringLiteral("\u0430")), QByteArray("\xe0"));
    }
}

void TestRegional::widthConversions_data()
{
    QTest::addColumn<double>("scale");
    QTest::addColumn<int>("units");
    QTest::addColumn<int>("pixels");

    QTest::newRow("plain") << 1.5 << 90 << 135;
    QTest::newRow("half rounds down to even") << 1.5 << 1 << 2;
    QTest::newRow("half rounds up to even") << 1.5 << 3 << 4;
    QTest::newRow("another half to even") << 0.5 << 5 << 2;
    QTest::newRow("zero") << 1.5 << 0 << 0;
}

void TestRegional::widthConversions()
{
    QFETCH(double, scale);
    QFETCH(int, units);
    QFETCH(int, pixels);
    QCOMPARE(unitsToPixels(units, scale), pixels);
    // The smallest units reaching the pixel width come back.
    const int back = pixelsToUnits(pixels, scale);
    QVERIFY(unitsToPixels(back, scale) >= pixels);
    QVERIFY(back == 0 || unitsToPixels(back - 1, scale) < pixels);
    QVERIFY(back <= units);
}

void TestRegional::typeTableBothWays()
{
    for (int index = 0; index < FieldTypeCount; ++index)
        QCOMPARE(typeIndex(typeCode(index)), std::optional<int>(index));
    QCOMPARE(typeIndex(0x0003), std::nullopt);
    QCOMPARE(typeCode(ModificationTimeType), quint16(0x0050));
    QCOMPARE(typeName(ModificationTimeType), QStringLiteral("Modification Time "));
    QCOMPARE(recordNumberText(7), QStringLiteral("0007"));
    QCOMPARE(recordNumberText(9999), QStringLiteral("9999"));
}

QTEST_GUILESS_MAIN(TestRegional)
#include "tst_regional.moc"
