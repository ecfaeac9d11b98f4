// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "editing_fixture.h"

#include "core/editing/column_filter.h"
#include "core/editing/record_filter.h"
#include "core/editing/value_counts.h"
#include "core/model/field_type.h"
#include "core/model/pdb_writer.h"
#include "core/model/regional.h"
#include "scripted_prompter.h"
#include "test_regional.h"

#include <QBuffer>
#include <QtTest>

using namespace kribed;
using namespace kribed::test;
using namespace Qt::Literals::StringLiterals;

using Conditions = QList<ColumnCondition>;
Q_DECLARE_METATYPE(ColumnCondition)

namespace {

Regional regionalOf(const QString &locale)
{
    return Regional(QLocale(locale), "windows-1252");
}

// The records shown, 1-based, as "1,3".
QByteArray shownRecords(const QVector<char> &passes)
{
    QByteArrayList shown;
    for (int index = 0; index < passes.size(); ++index) {
        if (passes[index])
            shown << QByteArray::number(index + 1);
    }
    return shown.join(',');
}

// Cells written with a placeholder: "@d:2026-03-14" is that date and "@t:14:05" that time in
// the regional formats, so one row holds under both locales.
QByteArray cellText(const QByteArray &cell, const Regional &regional)
{
    if (cell.startsWith("@d:"))
        return regional.dateText(QDate::fromString(QString::fromLatin1(cell.mid(3)), Qt::ISODate));
    if (cell.startsWith("@t:"))
        return regional.timeText(QTime::fromString(QString::fromLatin1(cell.mid(3)), u"HH:mm"));
    return cell;
}

QString valueText(const QString &value, const Regional &regional)
{
    return regional.toText(cellText(value.toLatin1(), regional));
}

Database oneField(int type, const QList<QByteArray> &cells, const Regional &regional)
{
    Database database = makeDatabase({type}, {});
    database.setShape(1, int(cells.size()));
    for (int record = 1; record <= cells.size(); ++record)
        database.setCell(1, record, cellText(cells[record - 1], regional));
    return database;
}

ColumnCondition condition(ColumnTest test, const QString &value = {}, const QString &second = {})
{
    return {test, value, second};
}

} // namespace

class TestColumnFilter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void conditions_data();
    void conditions();
    void joins_data();
    void joins();
    void errors_data();
    void errors();
    void onTopOfRecordFilter_data();
    void onTopOfRecordFilter();
    void valueListCountsOverOtherConditions();
    void lastingText();
    void fieldsMoving();
    void saveWritesSameBytes();
};

void TestColumnFilter::conditions_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("type");
    QTest::addColumn<QList<QByteArray>>("cells");
    QTest::addColumn<ColumnCondition>("condition");
    QTest::addColumn<QByteArray>("shown");
    QTest::addColumn<int>("unreadable");

    const QList<QByteArray> towns{"Bremen", "bremen", "Hamburg", "", "Bremerhaven"};
    const QList<QByteArray> dates{"@d:2026-03-14", "@d:2025-12-01", "", "2025-12-31x",
                                  "@d:2026-01-01"};
    const QList<QByteArray> times{"@t:09:30", "@t:14:05", "", "noon", "@t:12:00"};
    for (const QString &locale : {u"en_US"_s, u"de_DE"_s}) {
        const auto row = [&locale](const char *name) {
            return &QTest::newRow(qPrintable(locale + u": "_s + QLatin1String(name)));
        };
        const bool german = locale == u"de_DE";
        const QList<QByteArray> numbers =
            german ? QList<QByteArray>{"1.200,50", "999", "abc", "", "1000", "1,200.50"}
                   : QList<QByteArray>{"1,200.50", "999", "abc", "", "1000", "1.200,50"};
        const QString big = german ? u"1200,5"_s : u"1200.5"_s;

        *row("text equals without regard to case")
            << locale << int(StringType) << towns << condition(ColumnTest::Equals, u"BREMEN"_s)
            << "1,2"_ba << 0;
        *row("text does not equal")
            << locale << int(StringType) << towns << condition(ColumnTest::NotEquals, u"bremen"_s)
            << "3,4,5"_ba << 0;
        *row("text contains") << locale << int(StringType) << towns
                              << condition(ColumnTest::Contains, u"EM"_s) << "1,2,5"_ba << 0;
        *row("text does not contain, empty cells too")
            << locale << int(StringType) << towns << condition(ColumnTest::NotContains, u"em"_s)
            << "3,4"_ba << 0;
        *row("text begins with") << locale << int(StringType) << towns
                                 << condition(ColumnTest::BeginsWith, u"brem"_s) << "1,2,5"_ba << 0;
        *row("text ends with") << locale << int(StringType) << towns
                               << condition(ColumnTest::EndsWith, u"EN"_s) << "1,2,5"_ba << 0;
        *row("text ends with a text longer than the cell")
            << locale << int(StringType) << towns << condition(ColumnTest::EndsWith, u"xBremen"_s)
            << ""_ba << 0;
        *row("regular expression, as written")
            << locale << int(StringType) << towns << condition(ColumnTest::Matches, u"^B.*n$"_s)
            << "1,5"_ba << 0;
        *row("empty") << locale << int(StringType) << towns << condition(ColumnTest::Empty)
                      << "4"_ba << 0;
        *row("not empty") << locale << int(StringType) << towns << condition(ColumnTest::NotEmpty)
                          << "1,2,3,5"_ba << 0;

        *row("number greater: the other locale's text and letters do not read")
            << locale << int(FloatType) << numbers << condition(ColumnTest::Greater, u"1000"_s)
            << "1"_ba << 2;
        *row("number equals reads the value, not the text")
            << locale << int(FloatType) << numbers << condition(ColumnTest::Equals, big) << "1"_ba
            << 2;
        *row("number does not equal: an empty cell is not equal")
            << locale << int(FloatType) << numbers << condition(ColumnTest::NotEquals, u"1000"_s)
            << "1,2,4"_ba << 2;
        *row("number less") << locale << int(NormalIntegerType) << numbers
                            << condition(ColumnTest::Less, u"1000"_s) << "2"_ba << 2;
        *row("number at most") << locale << int(FloatType) << numbers
                               << condition(ColumnTest::LessOrEqual, u"1000"_s) << "2,5"_ba << 2;
        *row("number at least") << locale << int(FloatType) << numbers
                                << condition(ColumnTest::GreaterOrEqual, u"1000"_s) << "1,5"_ba
                                << 2;
        *row("number between, ends swapped and included")
            << locale << int(FloatType) << numbers
            << condition(ColumnTest::Between, u"1000"_s, u"999"_s) << "2,5"_ba << 2;
        *row("top 2") << locale << int(FloatType) << numbers << condition(ColumnTest::Top, u"2"_s)
                      << "1,5"_ba << 2;
        *row("bottom 1") << locale << int(FloatType) << numbers
                         << condition(ColumnTest::Bottom, u"1"_s) << "2"_ba << 2;
        *row("top more than there are values")
            << locale << int(FloatType) << numbers << condition(ColumnTest::Top, u"50"_s)
            << "1,2,5"_ba << 2;
        *row("a text test on a number field reads no number")
            << locale << int(FloatType) << numbers << condition(ColumnTest::Contains, u"9"_s)
            << "2"_ba << 0;

        *row("date before") << locale << int(NormalDateType) << dates
                            << condition(ColumnTest::Less,
                                         valueText(u"@d:2026-01-01"_s, regionalOf(locale)))
                            << "2"_ba << 1;
        *row("date between") << locale << int(NormalDateType) << dates
                             << condition(ColumnTest::Between,
                                          valueText(u"@d:2026-01-01"_s, regionalOf(locale)),
                                          valueText(u"@d:2026-12-31"_s, regionalOf(locale)))
                             << "1,5"_ba << 1;
        *row("latest date") << locale << int(NormalDateType) << dates
                            << condition(ColumnTest::Top, u"1"_s) << "1"_ba << 1;
        *row("time after") << locale << int(NormalTimeType) << times
                           << condition(ColumnTest::Greater,
                                        valueText(u"@t:12:00"_s, regionalOf(locale)))
                           << "2"_ba << 1;
        *row("time equals") << locale << int(NormalTimeType) << times
                            << condition(ColumnTest::Equals,
                                         valueText(u"@t:12:00"_s, regionalOf(locale)))
                            << "5"_ba << 1;

        const QList<QByteArray> flags{"1", "0", "", "yes", "1"};
        *row("checked") << locale << int(BooleanType) << flags << condition(ColumnTest::Checked)
                        << "1,5"_ba << 1;
        *row("unchecked: 0 or empty") << locale << int(BooleanType) << flags
                                      << condition(ColumnTest::Unchecked) << "2,3"_ba << 1;
        *row("a Boolean's emptiness reads no flag")
            << locale << int(BooleanType) << flags << condition(ColumnTest::NotEmpty)
            << "1,2,4,5"_ba << 0;
    }
}

void TestColumnFilter::conditions()
{
    QFETCH(QString, locale);
    QFETCH(int, type);
    QFETCH(QList<QByteArray>, cells);
    QFETCH(ColumnCondition, condition);
    QFETCH(QByteArray, shown);
    QFETCH(int, unreadable);

    const Regional regional = regionalOf(locale);
    const Database database = oneField(type, cells, regional);
    QCOMPARE(columnConditionError(condition, type, regional), QString());
    ColumnFilters filters;
    filters.set({1, false, {}, {condition}, false});
    const ColumnFilterResult result = runColumnFilters(database, filters, regional);
    QCOMPARE(shownRecords(result.passes), shown);
    QCOMPARE(result.unreadable.value(0), unreadable);
    QCOMPARE(result.shown, shown.isEmpty() ? 0 : int(shown.count(',')) + 1);
}

void TestColumnFilter::joins_data()
{
    QTest::addColumn<QList<FieldFilter>>("filters");
    QTest::addColumn<QByteArray>("shown");

    // Town | turnover | regular
    const ColumnCondition bremen = condition(ColumnTest::Equals, u"Bremen"_s);
    const ColumnCondition hamburg = condition(ColumnTest::Equals, u"Hamburg"_s);
    const ColumnCondition over1000 = condition(ColumnTest::Greater, u"1000"_s);
    const ColumnCondition checked = condition(ColumnTest::Checked);
    QTest::newRow("two conditions joined by OR")
        << QList<FieldFilter>{{1, false, {}, {bremen, hamburg}, true}} << "1,2,3,5"_ba;
    QTest::newRow("two conditions joined by AND")
        << QList<FieldFilter>{{1, false, {}, {bremen, hamburg}, false}} << ""_ba;
    QTest::newRow("fields joined by AND: the whole question")
        << QList<FieldFilter>{{1, false, {}, {bremen, hamburg}, true},
                              {2, false, {}, {over1000}, false},
                              {3, false, {}, {checked}, false}}
        << "1,5"_ba;
    QTest::newRow("a value list keeps exact texts; the empty text is empty cells")
        << QList<FieldFilter>{{1, true, {"Hamburg", ""}, {}, false}} << "3,4,5"_ba;
    QTest::newRow("a value list and a condition both hold")
        << QList<FieldFilter>{{1, true, {"Hamburg", ""}, {condition(ColumnTest::NotEmpty)}, false}}
        << "3,5"_ba;
    QTest::newRow("an empty value list shows nothing")
        << QList<FieldFilter>{{1, true, {}, {}, false}} << ""_ba;
    QTest::newRow("a field the database lacks matches nothing")
        << QList<FieldFilter>{{7, false, {}, {bremen}, false}} << ""_ba;
    QTest::newRow("a condition that cannot run matches nothing")
        << QList<FieldFilter>{{2, false, {}, {condition(ColumnTest::Greater, u"x"_s)}, true}}
        << ""_ba;
}

void TestColumnFilter::joins()
{
    QFETCH(QList<FieldFilter>, filters);
    QFETCH(QByteArray, shown);

    const Database database = makeDatabase(
        {StringType, FloatType, BooleanType},
        {"Bremen|1500|1", "bremen|200|1", "Hamburg|5000|0", "|3000|1", "Hamburg|1001|1"});
    ColumnFilters all;
    all.fields = QVector<FieldFilter>(filters.begin(), filters.end());
    const Regional regional = testRegional();
    QCOMPARE(shownRecords(runColumnFilters(database, all, regional).passes), shown);
}

void TestColumnFilter::errors_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<ColumnCondition>("condition");
    QTest::addColumn<QString>("error"); // the start of the message; "" when it runs

    QTest::newRow("bad expression") << int(StringType) << condition(ColumnTest::Matches, u"(a"_s)
                                    << u"The regular expression is not valid"_s;
    QTest::newRow("number not read") << int(FloatType) << condition(ColumnTest::Less, u"1.2.3"_s)
                                     << u"\"1.2.3\" is not a number"_s;
    QTest::newRow("between's second end not read")
        << int(NormalIntegerType) << condition(ColumnTest::Between, u"1"_s, u"z"_s)
        << u"\"z\" is not a number"_s;
    QTest::newRow("date not read")
        << int(NormalDateType) << condition(ColumnTest::Equals, u"31.12.2025"_s)
        << u"\"31.12.2025\" is not a date"_s;
    QTest::newRow("order of texts") << int(StringType) << condition(ColumnTest::Less, u"b"_s)
                                    << u"Only numbers, dates and times"_s;
    QTest::newRow("top of no count") << int(FloatType) << condition(ColumnTest::Top, u"0"_s)
                                     << u"\"0\" is not a number of records"_s;
    QTest::newRow("checked text field")
        << int(StringType) << condition(ColumnTest::Checked) << u"Only Boolean fields"_s;
    QTest::newRow("text test on a date field runs")
        << int(NormalDateType) << condition(ColumnTest::Contains, u"x"_s) << QString();
    QTest::newRow("valid expression")
        << int(StringType) << condition(ColumnTest::Matches, u"a+"_s) << QString();
}

void TestColumnFilter::errors()
{
    QFETCH(int, type);
    QFETCH(ColumnCondition, condition);
    QFETCH(QString, error);

    const QString message = columnConditionError(condition, type, testRegional());
    QVERIFY2(error.isEmpty() ? message.isEmpty() : message.startsWith(error), qPrintable(message));
}

void TestColumnFilter::onTopOfRecordFilter_data()
{
    QTest::addColumn<bool>("filterOn");
    QTest::addColumn<bool>("exclude");
    QTest::addColumn<QByteArray>("shown");

    // The record filter looks for "a" in field 1; the column filter wants field 2 above 10.
    QTest::newRow("record filter off") << false << false << "2,3,4"_ba;
    QTest::newRow("record filter on") << true << false << "2,4"_ba;
    QTest::newRow("record filter excluding") << true << true << "3"_ba;
}

void TestColumnFilter::onTopOfRecordFilter()
{
    QFETCH(bool, filterOn);
    QFETCH(bool, exclude);
    QFETCH(QByteArray, shown);

    Database database = makeDatabase({StringType, NormalIntegerType},
                                     {"anna|5", "carla|20", "otto|30", "paula|40", "x|"});
    database.setFilterText("a");
    database.setFilterField(1);
    FilterOptions options;
    options.exclude = exclude;
    applyFilter(database, filterOn, options);
    ColumnFilters filters;
    filters.set({2, false, {}, {condition(ColumnTest::Greater, u"10"_s)}, false});
    applyColumnFilters(database, filters, testRegional());
    QVector<char> passes;
    for (int record = 1; record <= database.recordCount(); ++record)
        passes.append(database.isHidden(record) ? 0 : 1);
    QCOMPARE(shownRecords(passes), shown);
    // The record filter's own values stay as they were.
    QCOMPARE(database.filterText(), "a"_ba);
    QCOMPARE(database.filterOn(), filterOn);
}

void TestColumnFilter::valueListCountsOverOtherConditions()
{
    const Database database =
        makeDatabase({StringType, FloatType}, {"Bremen|1500", "Bremen|200", "Hamburg|5000", "|3000",
                                               "Hamburg|1001", "Kiel|abc"});
    ColumnFilters filters;
    filters.set({1, true, {"Bremen"}, {}, false});
    filters.set({2, false, {}, {condition(ColumnTest::Greater, u"1000"_s)}, false});
    const Regional regional = testRegional();
    // The town list counts over what the turnover leaves, its own choice aside.
    const ColumnFilterResult others = runColumnFilters(database, filters, regional, {}, 0);
    QVector<int> records;
    for (int index = 0; index < others.passes.size(); ++index) {
        if (others.passes[index])
            records << index + 1;
    }
    const QVector<ValueCount> counts =
        valueCounts(database, 1, records, regional, ValueOrder::ByText);
    const QVector<ValueCount> expected{{"", 1}, {"Bremen", 1}, {"Hamburg", 2}};
    QCOMPARE(counts, expected);
    QCOMPARE(others.unreadable.value(1), 1);
    QCOMPARE(shownRecords(runColumnFilters(database, filters, regional).passes), "1"_ba);
}

void TestColumnFilter::lastingText()
{
    Database database = makeDatabase({StringType, FloatType, BooleanType}, {"a|1|1"});
    database.setFieldName(1, "Stadt \xfc"_ba);
    ColumnFilters filters;
    filters.set({1, true, {"Bremen", "", "M\xfcnster"_ba}, {}, false});
    filters.set({2,
                 false,
                 {},
                 {condition(ColumnTest::Between, u"1"_s, u"5"_s),
                  condition(ColumnTest::Matches, u"^\\d+$"_s)},
                 true});
    filters.set({3, false, {}, {condition(ColumnTest::Checked)}, false});
    const QString text = columnFiltersText(filters, database);
    QCOMPARE(columnFiltersFromText(text, database), filters);

    // A field renamed or gone since takes its filter with it; the others stay.
    database.setFieldName(2, "Umsatz");
    ColumnFilters renamed = filters;
    renamed.remove(2);
    QCOMPARE(columnFiltersFromText(text, database), renamed);
    database.removeField(3);
    ColumnFilters firstOnly;
    firstOnly.set(filters.of(1));
    QCOMPARE(columnFiltersFromText(text, database), firstOnly);
    QCOMPARE(columnFiltersFromText(u"not json"_s, database), ColumnFilters());
    QCOMPARE(columnFiltersText(ColumnFilters(), database), QString());

    const Regional regional = testRegional();
    QCOMPARE(describeFieldFilter(filters.of(2), regional), u"between 1 and 5 or matches ^\\d+$"_s);
    QCOMPARE(describeFieldFilter(filters.of(1), regional), u"one of: Bremen, (empty), Münster"_s);
}

void TestColumnFilter::fieldsMoving()
{
    ColumnFilters filters;
    for (int field : {2, 4, 6})
        filters.set({field, false, {}, {condition(ColumnTest::NotEmpty)}, false});
    const auto fields = [](const ColumnFilters &f) {
        QList<int> numbers;
        for (const FieldFilter &filter : f.fields)
            numbers << filter.field;
        return numbers;
    };
    ColumnFilters removed = filters;
    removed.shiftFields(4, -1);
    QCOMPARE(fields(removed), (QList<int>{2, 5}));
    ColumnFilters inserted = filters;
    inserted.shiftFields(4, 2);
    QCOMPARE(fields(inserted), (QList<int>{2, 6, 8}));
    ColumnFilters moved = filters;
    moved.moveField(6, 1);
    QCOMPARE(fields(moved), (QList<int>{1, 3, 5}));
    moved.moveField(1, 6);
    QCOMPARE(moved, filters);
}

void TestColumnFilter::saveWritesSameBytes()
{
    Database database = makeDatabase({StringType, FloatType},
                                     {"Bremen|1500", "Kiel|200", "Hamburg|5000", "Bremen|10"});
    database.setFilterText("e");
    applyFilter(database, true, {});
    const auto written = [](Database &db) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        ScriptedPrompter prompter;
        writeDatabase(buffer, db, 1, QDateTime(QDate(2026, 1, 2), QTime(3, 4)), prompter);
        return buffer.data();
    };
    const QByteArray without = written(database);
    ColumnFilters filters;
    filters.set({2, false, {}, {condition(ColumnTest::Greater, u"1000"_s)}, false});
    QCOMPARE(applyColumnFilters(database, filters, testRegional()), 2);
    QVERIFY(database.isHidden(4));
    QCOMPARE(written(database), without);
}

QTEST_GUILESS_MAIN(TestColumnFilter)
#include "tst_column_filter.moc"
