// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
//
// Which offered locale reads a database's number, date and time cells clearly better than the
// desktop's formats, from a bounded sample; the names and readings the dialog and the bar show.
#include "core/editing/formats_check.h"
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/regional.h"
#include "table_database.h"

#include <QTest>

using namespace kribed;
using namespace kribed::test;

namespace {

Regional rulesOf(const char *name)
{
    return Regional(QLocale(QString::fromLatin1(name)));
}

// `count` records; the columns' texts repeat `values` and the fields get `types`.
Database typedDatabase(const QList<int> &types, const QList<QByteArrayList> &values, int count)
{
    QList<QByteArrayList> table{{}};
    for (int field = 1; field <= types.size(); ++field)
        table[0] << QByteArray("Field") + QByteArray::number(field);
    for (int record = 0; record < count; ++record)
        table << values[record % values.size()];
    Database database = tableDatabase(table);
    for (int field = 1; field <= types.size(); ++field)
        database.setFieldType(field, types[field - 1]);
    return database;
}

} // namespace

class TestFormatsCheck : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void suggestion_data()
    {
        QTest::addColumn<QByteArray>("desktop");
        QTest::addColumn<QList<int>>("types");
        QTest::addColumn<QList<QByteArrayList>>("values");
        QTest::addColumn<QString>("suggested"); // empty: no suggestion
        QTest::addColumn<QStringList>("examples");

        const QList<int> floatAndDate{FloatType, NormalDateType};
        QTest::newRow("German amounts and dates on a US desktop")
            << QByteArray("en_US") << floatAndDate
            << QList<QByteArrayList>{{"1520,50", "12.03.2019"}, {"0", "02.11.2025"}}
            << QStringLiteral("de_DE")
            << QStringList{QStringLiteral("1520,50"), QStringLiteral("12.03.2019")};
        QTest::newRow("grouped German amounts on a US desktop")
            << QByteArray("en_US") << QList<int>{FloatType}
            << QList<QByteArrayList>{{"1.731,07"}, {"1.234.567,89"}} << QStringLiteral("de_DE")
            << QStringList{QStringLiteral("1.731,07")};
        QTest::newRow("the same file on a German desktop")
            << QByteArray("de_DE") << floatAndDate
            << QList<QByteArrayList>{{"1520,50", "12.03.2019"}} << QString() << QStringList();
        QTest::newRow("US amounts and dates on a US desktop")
            << QByteArray("en_US") << floatAndDate << QList<QByteArrayList>{{"1.5", "3/14/2026"}}
            << QString() << QStringList();
        QTest::newRow("US dates on a German desktop")
            << QByteArray("de_DE") << QList<int>{NormalDateType}
            << QList<QByteArrayList>{{"3/14/2026"}} << QStringLiteral("en_US")
            << QStringList{QStringLiteral("3/14/2026")};
        QTest::newRow("day first with a decimal point: British, not French")
            << QByteArray("en_US") << floatAndDate << QList<QByteArrayList>{{"2.5", "31/12/2019"}}
            << QStringLiteral("en_GB") << QStringList{QStringLiteral("31/12/2019")};
        QTest::newRow("24-hour times on a US desktop")
            << QByteArray("en_US") << QList<int>{ModificationTimeType}
            << QList<QByteArrayList>{{"14:30:00"}} << QStringLiteral("en_GB")
            << QStringList{QStringLiteral("14:30:00")};
        QTest::newRow("decimal commas alone: the first locale with a comma")
            << QByteArray("en_US") << QList<int>{FloatType} << QList<QByteArrayList>{{"3,25"}}
            << QStringLiteral("de_DE") << QStringList{QStringLiteral("3,25")};
        QTest::newRow("integers read everywhere")
            << QByteArray("en_US") << QList<int>{NormalIntegerType, AutoIncrementIntegerType}
            << QList<QByteArrayList>{{"12", "1"}} << QString() << QStringList();
        QTest::newRow("texts in date fields read nowhere")
            << QByteArray("en_US") << QList<int>{CreationDateType}
            << QList<QByteArrayList>{{"Text 1 of field 7"}} << QString() << QStringList();
        QTest::newRow("string fields are not looked at")
            << QByteArray("en_US") << QList<int>{StringType}
            << QList<QByteArrayList>{{"12.03.2019"}} << QString() << QStringList();
        // 19 US amounts and one German one: one cell in twenty is no reason.
        QTest::newRow("a stray comma is not clearly better")
            << QByteArray("en_US") << QList<int>{FloatType}
            << QList<QByteArrayList>{{"1,5"},  {"2.5"},  {"3.5"},  {"4.5"},  {"5.5"},
                                     {"6.5"},  {"7.5"},  {"8.5"},  {"9.5"},  {"10.5"},
                                     {"11.5"}, {"12.5"}, {"13.5"}, {"14.5"}, {"15.5"},
                                     {"16.5"}, {"17.5"}, {"18.5"}, {"19.5"}, {"20.5"}}
            << QString() << QStringList();
    }

    void suggestion()
    {
        QFETCH(QByteArray, desktop);
        QFETCH(QList<int>, types);
        QFETCH(QList<QByteArrayList>, values);
        QFETCH(QString, suggested);
        QFETCH(QStringList, examples);

        const Database database = typedDatabase(types, values, 20);
        const std::optional<FormatsSuggestion> suggestion =
            suggestFormats(database, rulesOf(desktop.constData()));
        QCOMPARE(suggestion.has_value(), !suggested.isEmpty());
        if (!suggestion)
            return;
        QCOMPARE(suggestion->locale.name(), suggested);
        QCOMPARE(suggestion->examples, examples);
        QCOMPARE(suggestion->sampled, 20 * int(types.size()));
        QCOMPARE(suggestion->readUnderSuggested, suggestion->sampled);
        QVERIFY(suggestion->readUnderDesktop < suggestion->sampled);
    }

    void sampleIsBounded_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("perKind");
        QTest::addColumn<int>("recordLimit");
        QTest::addColumn<int>("expected");

        QTest::newRow("stops at the count per kind") << 9999 << 32 << 1000 << 32 * 3;
        QTest::newRow("a small file gives all it has") << 5 << 32 << 1000 << 5 * 4;
        QTest::newRow("stops at the record limit") << 9999 << 5000 << 100 << 100 * 4;
    }

    void sampleIsBounded()
    {
        QFETCH(int, records);
        QFETCH(int, perKind);
        QFETCH(int, recordLimit);
        QFETCH(int, expected);

        // Two number fields, a date and a time field, and a string field that never counts.
        Database database = typedDatabase(
            {NormalIntegerType, FloatType, NormalDateType, NormalTimeType, StringType},
            {{"1", "2.5", "3/14/2026", "1:00:00 PM", "x"}}, records);
        const QList<FormatCell> sample = sampleFormatCells(database, perKind, recordLimit);
        int numbers = 0;
        for (const FormatCell &cell : sample) {
            QVERIFY(cell.record <= recordLimit);
            QVERIFY(cell.field != 5);
            numbers += cell.kind == FormatKind::Number ? 1 : 0;
        }
        // Numbers come from two fields, so they fill their count first.
        QCOMPARE(numbers, std::min(perKind, 2 * std::min(records, recordLimit)));
        QCOMPARE(sample.size(), expected);
    }

    void blankCellsAreNotSampled()
    {
        const Database database = typedDatabase({FloatType}, {{""}, {"   "}, {"1,5"}, {""}}, 8);
        const QList<FormatCell> sample = sampleFormatCells(database);
        QCOMPARE(sample.size(), 2);
        QCOMPARE(sample[0].record, 3);
        QCOMPARE(sample[1].record, 7);
        // Two of two cells is enough for a suggestion: the blanks do not dilute it.
        QVERIFY(suggestFormats(database, rulesOf("en_US")).has_value());
    }

    void cellReadings_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("locale");
        QTest::addColumn<QString>("reading"); // empty: does not read

        QTest::newRow("German amount, German rules")
            << int(FloatType) << QByteArray("1520,50") << QByteArray("de_DE")
            << QStringLiteral("1520,5");
        QTest::newRow("grouped German amount, German rules")
            << int(FloatType) << QByteArray("1.234.567,89") << QByteArray("de_DE")
            << QStringLiteral("1234567,89");
        QTest::newRow("German amount, US rules")
            << int(FloatType) << QByteArray("1520,50") << QByteArray("en_US") << QString();
        QTest::newRow("German date, German rules")
            << int(NormalDateType) << QByteArray("12.03.2019") << QByteArray("de_DE")
            << QStringLiteral("12 March 2019");
        QTest::newRow("German date, French rules")
            << int(NormalDateType) << QByteArray("12.03.2019") << QByteArray("fr_FR") << QString();
        QTest::newRow("US date, US rules") << int(CreationDateType) << QByteArray("3/4/2019")
                                           << QByteArray("en_US") << QStringLiteral("4 March 2019");
        QTest::newRow("US date, British rules: no 14th month")
            << int(CreationDateType) << QByteArray("3/14/2019") << QByteArray("en_GB") << QString();
        QTest::newRow("afternoon, US rules") << int(NormalTimeType) << QByteArray("2:30:00 PM")
                                             << QByteArray("en_US") << QStringLiteral("14:30:00");
    }

    void cellReadings()
    {
        QFETCH(int, type);
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, locale);
        QFETCH(QString, reading);

        const Database database = typedDatabase({StringType, type}, {{"", text}}, 3);
        const FormatKind kind = isNumberType(type) ? FormatKind::Number
                                : isDateType(type) ? FormatKind::Date
                                                   : FormatKind::Time;
        const std::optional<FormatCell> first = firstCellOfKind(database, kind);
        QVERIFY(first);
        QCOMPARE(first->field, 2);
        QCOMPARE(first->record, 1);
        const std::optional<QString> read =
            cellReading(database, *first, rulesOf(locale.constData()), QLocale(QLocale::English));
        QCOMPARE(read.value_or(QString()), reading);
        QCOMPARE(cellReads(database, *first, rulesOf(locale.constData())), !reading.isEmpty());
    }

    void firstNumberPrefersFloats()
    {
        const Database database =
            typedDatabase({AutoIncrementIntegerType, FloatType}, {{"1", ""}, {"2", "3,5"}}, 4);
        const std::optional<FormatCell> first = firstCellOfKind(database, FormatKind::Number);
        QVERIFY(first);
        QCOMPARE(first->field, 2);
        QCOMPARE(first->record, 2);
        // Without a Float cell the integers are the numbers there are.
        const Database whole = typedDatabase({AutoIncrementIntegerType, FloatType}, {{"1", ""}}, 3);
        QCOMPARE(firstCellOfKind(whole, FormatKind::Number)->field, 1);
    }

    // The quick test never refuses a text the rules read, for any offered locale.
    void quickTestRefusesOnlyWhatCannotRead_data()
    {
        QTest::addColumn<QByteArray>("text");
        for (const char *text :
             {"12.03.2019", "3/14/2026", "31/12/2019", "2019-03-12", "12-03-2019", "2019/3/12",
              "19. 3. 12.", "12.3.2019", " 12.03.2019 ", "14:30:00", "2:30:00 PM", "14.30.00",
              "14:30", "Text 12 of field 7", "12,03,2019", "12 Mar 2019", "1520,50"})
            QTest::newRow(text) << QByteArray(text);
    }

    void quickTestRefusesOnlyWhatCannotRead()
    {
        QFETCH(QByteArray, text);
        const Database database =
            typedDatabase({NormalDateType, NormalTimeType}, {{text, text}}, 1);
        int refused = 0;
        for (const QLocale &locale : offeredFormatLocales()) {
            const Regional regional(locale);
            for (const FormatCell &cell :
                 {FormatCell{FormatKind::Date, 1, 1}, FormatCell{FormatKind::Time, 2, 1}}) {
                if (!mayReadAs(cell.kind, text, regional)) {
                    ++refused;
                    QVERIFY2(!cellReads(database, cell, regional), qPrintable(locale.name()));
                }
            }
        }
        // Texts with letters are refused by every number-only format.
        if (text.startsWith("Text"))
            QVERIFY(refused > 20);
    }

    void noCellOfAKind()
    {
        const Database database = typedDatabase({StringType, FloatType}, {{"12.03.2019", " "}}, 4);
        QVERIFY(!firstCellOfKind(database, FormatKind::Date));
        QVERIFY(!firstCellOfKind(database, FormatKind::Number));
    }

    void offeredLocalesAndTheirNames_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("name");

        QTest::newRow("en_US") << QStringLiteral("en_US") << QStringLiteral("English");
        QTest::newRow("en_GB") << QStringLiteral("en_GB")
                               << QStringLiteral("English (United Kingdom)");
        QTest::newRow("de_DE") << QStringLiteral("de_DE") << QStringLiteral("German");
        QTest::newRow("de_CH") << QStringLiteral("de_CH") << QStringLiteral("German (Switzerland)");
        QTest::newRow("pt_BR") << QStringLiteral("pt_BR") << QStringLiteral("Portuguese");
        QTest::newRow("zh_CN") << QStringLiteral("zh_CN") << QStringLiteral("Chinese");
        QTest::newRow("zh_TW") << QStringLiteral("zh_TW") << QStringLiteral("Chinese (Taiwan)");
        for (const char *other : {"fr_FR", "it_IT", "es_ES", "nl_NL", "sv_SE", "fi_FI", "pl_PL",
                                  "cs_CZ", "ru_RU", "ja_JP", "ko_KR"})
            QTest::newRow(other) << QString::fromLatin1(other) << QString();
    }

    void offeredLocalesAndTheirNames()
    {
        QFETCH(QString, locale);
        QFETCH(QString, name);

        bool offered = false;
        for (const QLocale &each : offeredFormatLocales())
            offered = offered || each.name() == locale;
        QVERIFY(offered);
        // The others are their language's main country: the language alone names them.
        if (name.isEmpty())
            QVERIFY(!formatsName(QLocale(locale)).contains(u'('));
        else
            QCOMPARE(formatsName(QLocale(locale)), name);
    }
};

QTEST_MAIN(TestFormatsCheck)
#include "tst_formats_check.moc"
