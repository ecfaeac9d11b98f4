// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/type_detection.h"
#include "core/model/regional.h"
#include "core/model/typed_reading.h"
#include "test_regional.h"

#include <QtTest>

using namespace kribed;

namespace {

Regional german()
{
    return Regional(QLocale(QStringLiteral("de_DE")), "windows-1252");
}

// The column's values, one per row from row 1 (row 0 the name).
QVector<Record> column(const QByteArrayList &values)
{
    QVector<Record> rows{Record{"Name"}};
    for (const QByteArray &value : values)
        rows.append(Record{value});
    return rows;
}

QByteArrayList repeated(const QByteArrayList &values, int times)
{
    QByteArrayList all;
    for (int i = 0; i < times; ++i)
        all += values;
    return all;
}

} // namespace

class TypeDetectionTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void detectsType_data();
    void detectsType();
    void namesMisfitRowsAndStopsAtTheirLimit();
    void quickTimesAreTimes_data();
    void quickTimesAreTimes();
    void fitsAsTheGridMarks_data();
    void fitsAsTheGridMarks();
    void timeZoneLeavesNoMarks_data();
    void timeZoneLeavesNoMarks();
};

void TypeDetectionTest::detectsType_data()
{
    QTest::addColumn<bool>("isGerman");
    QTest::addColumn<QByteArrayList>("values");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("misfits");
    QTest::addColumn<int>("kept");

    const int no = int(KeptAsText::No);
    const auto ten = [](const QByteArray &value) { return QByteArrayList(10, value); };
    QTest::newRow("integers") << false << QByteArrayList{"1", "-20", "300", ""}
                              << int(NormalIntegerType) << 0 << no;
    QTest::newRow("float point") << false << QByteArrayList{"1.5", "2", "-3.25"} << int(FloatType)
                                 << 0 << no;
    QTest::newRow("float comma under German")
        << true << QByteArrayList{"1,5", "1.234,50", "-0,25"} << int(FloatType) << 0 << no;
    // Under German formats "1.5" is no number (a group of one digit): the decimal comma decides.
    QTest::newRow("decimal point under German is no number")
        << true << QByteArrayList{"1.5", "2.25", "3.75"} << int(StringType) << 0 << no;
    QTest::newRow("booleans") << false << QByteArrayList{"1", "0", "0", "1"} << int(BooleanType)
                              << 0 << no;
    QTest::newRow("only ones count") << false << ten("1") << int(NormalIntegerType) << 0 << no;
    QTest::newRow("US dates") << false << QByteArrayList{"3/5/2024", "12/31/1999"}
                              << int(NormalDateType) << 0 << no;
    QTest::newRow("German dates, one impossible")
        << true << ten("05.03.2024") + QByteArrayList{"29.02.2023"} << int(NormalDateType) << 1
        << no;
    QTest::newRow("ISO date under German formats does not fit")
        << true << ten("05.03.2024") + QByteArrayList{"2023-02-29"} << int(NormalDateType) << 1
        << no;
    QTest::newRow("times") << false << QByteArrayList{"1:30:00 PM", "9:05:10 AM"}
                           << int(NormalTimeType) << 0 << no;
    QTest::newRow("German times") << true << QByteArrayList{"13:05:00", "08:00:00", "23:59:59"}
                                  << int(NormalTimeType) << 0 << no;
    QTest::newRow("short US times read the full way")
        << false << QByteArrayList{"1:30 PM", "9:05 AM"} << int(NormalTimeType) << 0 << no;
    QTest::newRow("hours past the day are no times")
        << true << QByteArrayList{"25:00:00", "24:10:00", "13:00:00", "12:00:00"} << int(StringType)
        << 0 << no;
    QTest::newRow("postcodes with leading zero stay text")
        << true << QByteArrayList{"10115", "01067", "80331"} << int(StringType) << 0
        << int(KeptAsText::LeadingZero);
    QTest::newRow("zero and zero point five are no leading zeros")
        << true << QByteArrayList{"0", "0,5", "-0,25"} << int(FloatType) << 0 << no;
    QTest::newRow("too many digits stay text")
        << false << QByteArrayList{"1", "1234567890123456"} << int(StringType) << 0
        << int(KeptAsText::TooManyDigits);
    QTest::newRow("fifteen digits are a number")
        << false << QByteArrayList{"123456789012345", "1"} << int(NormalIntegerType) << 0 << no;
    QTest::newRow("mixed: one text in ten numbers")
        << false << ten("7") + QByteArrayList{"n/a"} << int(NormalIntegerType) << 1 << no;
    QTest::newRow("one odd value among four")
        << false << QByteArrayList{"1", "2", "x", "3"} << int(NormalIntegerType) << 1 << no;
    QTest::newRow("one odd value among three stays String")
        << false << QByteArrayList{"1", "x", "3"} << int(StringType) << 0 << no;
    QTest::newRow("mixed: half text stays String")
        << false << QByteArrayList{"1", "a", "2", "b"} << int(StringType) << 0 << no;
    QTest::newRow("integers and floats make Float")
        << false << QByteArrayList{"1", "2", "2.5"} << int(FloatType) << 0 << no;
    QTest::newRow("popup by repetition")
        << false << repeated({"red", "green", "blue"}, 3) << int(NormalPopupType) << 0 << no;
    QTest::newRow("distinct texts are no popup")
        << false << QByteArrayList{"red", "green", "blue", "red"} << int(StringType) << 0 << no;
    QTest::newRow("too many items are no popup")
        << false << repeated({"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m"}, 5)
        << int(StringType) << 0 << no;
    QTest::newRow("wide items are no popup")
        << false << repeated({QByteArray(1300, 'x'), QByteArray(1300, 'y')}, 4) << int(StringType)
        << 0 << no;
    QTest::newRow("empty column") << false << QByteArrayList{"", ""} << int(StringType) << 0 << no;
}

void TypeDetectionTest::detectsType()
{
    QFETCH(bool, isGerman);
    QFETCH(QByteArrayList, values);
    const Regional regional = isGerman ? german() : test::testRegional();
    const QList<DetectedType> types = detectColumnTypes(column(values), 1, 1, regional);
    QCOMPARE(types.size(), 1);
    QTEST(types[0].type, "type");
    QTEST(types[0].misfits, "misfits");
    QTEST(int(types[0].kept), "kept");
    QCOMPARE(types[0].misfitRows.size(), types[0].misfits);
    if (types[0].type == NormalPopupType)
        QCOMPARE(types[0].popupItems, QByteArrayList({"red", "green", "blue"}));
    if (types[0].kept != KeptAsText::No)
        QVERIFY(!types[0].keptExample.isEmpty());
}

void TypeDetectionTest::namesMisfitRowsAndStopsAtTheirLimit()
{
    // 100 numbers, 10 texts at known rows: Integer with 10 misfits, their rows named.
    QByteArrayList values(100, "5");
    for (int i = 0; i < 10; ++i)
        values[i * 9] = "x";
    const QList<DetectedType> types = detectColumnTypes(column(values), 1, 1, test::testRegional());
    QCOMPARE(types[0].type, int(NormalIntegerType));
    QCOMPARE(types[0].misfits, 10);
    QCOMPARE(types[0].misfitRows.first(), 1);
    QCOMPARE(types[0].misfitRows.last(), 82);

    // More misfits than rows named: the count is whole, the list stops.
    QByteArrayList many(300, "5");
    for (int i = 0; i < 25; ++i)
        many[i] = "x";
    const QList<DetectedType> more = detectColumnTypes(column(many), 1, 1, test::testRegional());
    QCOMPARE(more[0].misfits, 25);
    QCOMPARE(more[0].misfitRows.size(), NamedMisfitRows);
}

void TypeDetectionTest::quickTimesAreTimes_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QByteArray>("codePage");
    // Formats with quoted literals, a time zone in brackets ("'Klock' H.mm:ss (t)"), letters
    // beyond ASCII.
    for (const char *name :
         {"en_US", "de_DE", "fr_FR", "en_GB", "en_AU", "nds_DE", "fr_CA", "hsb_DE", "bg_BG"})
        QTest::newRow(name) << QString::fromLatin1(
            name) << QByteArray(name == QByteArrayView("bg_BG") ? "windows-1251" : "windows-1252");
}

void TypeDetectionTest::quickTimesAreTimes()
{
    // The quick reading takes the format's own texts, and nothing the full reading refuses.
    QFETCH(QString, locale);
    QFETCH(QByteArray, codePage);
    const Regional regional{QLocale(locale), codePage};
    const QuickTimeFormat quick(regional);
    QByteArrayList written;
    for (const QTime time : {QTime(0, 0), QTime(9, 5, 7), QTime(12, 30), QTime(23, 59, 59)}) {
        const QByteArray text = regional.timeText(time);
        QVERIFY2(readsAsFieldType(text, NormalTimeType, regional), text.constData());
        if (locale == u"en_US" || locale == u"de_DE")
            QVERIFY2(quick.reads(text), text.constData());
        written.append(text);
    }
    // Times as the formats write them are detected as times.
    QCOMPARE(detectColumnTypes(column(written), 1, 1, regional).value(0).type, int(NormalTimeType));
    for (const char *text : {"0:30:00 PM", "13:00:00 PM", "24:00:00", "9:5:7", "09:05:07",
                             "9:05:07 AM", "12:60:00", "1:00:00", " 1:00:00 PM", "1:00:00 PMX"}) {
        if (quick.reads(text))
            QVERIFY2(readsAsFieldType(text, NormalTimeType, regional), text);
    }
}

void TypeDetectionTest::fitsAsTheGridMarks_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("fits");
    QTest::newRow("empty fits anything") << QByteArray() << int(FloatType) << true;
    QTest::newRow("fraction is no integer") << QByteArray("1.5") << int(NormalIntegerType) << false;
    QTest::newRow("exponent is no integer") << QByteArray("1E3") << int(NormalIntegerType) << false;
    QTest::newRow("whole integer") << QByteArray("-12") << int(NormalIntegerType) << true;
    QTest::newRow("text is no date") << QByteArray("soon") << int(NormalDateType) << false;
    QTest::newRow("impossible date") << QByteArray("2/29/2023") << int(NormalDateType) << false;
    QTest::newRow("anything is a String") << QByteArray("x") << int(StringType) << true;
}

void TypeDetectionTest::fitsAsTheGridMarks()
{
    QFETCH(QByteArray, value);
    QFETCH(int, type);
    QTEST(fitsDetectedType(value, type, test::testRegional()), "fits");
}

void TypeDetectionTest::timeZoneLeavesNoMarks_data()
{
    // A time is read with its format's time zone dropped: a bracket of the zone is never
    // written, and a text without it must still reach the reading.
    QTest::addColumn<QString>("format");
    QTest::addColumn<QByteArray>("marks");
    QTest::newRow("zone in round brackets") << QStringLiteral("H:mm:ss (t)") << QByteArray(":");
    QTest::newRow("zone in square brackets") << QStringLiteral("h:mm:ss AP [t]") << QByteArray(":");
    QTest::newRow("literal in quotes") << QStringLiteral("'Kl'. H.mm") << QByteArray(".");
    QTest::newRow("quoted letters") << QStringLiteral("HH 'h' mm") << QByteArray();
    QTest::newRow("date") << QStringLiteral("dd.MM.yyyy") << QByteArray(".");
    QTest::newRow("beyond ASCII: every text passes")
        << QStringLiteral("H:mm:ss '\u0447'.") << QByteArray();
}

void TypeDetectionTest::timeZoneLeavesNoMarks()
{
    QFETCH(QString, format);
    QTEST(separatorMarks({format}).value(0), "marks");
}

QTEST_GUILESS_MAIN(TypeDetectionTest)
#include "tst_type_detection.moc"
