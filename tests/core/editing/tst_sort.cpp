// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/sort.h"
#include "core/model/field_type.h"
#include "core/model/regional.h"
#include "table_database.h"
#include "test_regional.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace kribed;
using kribed::test::columnCells;

namespace {

// The regional rules the running test chose; every operation under test is handed them.
Regional &regional()
{
    static Regional chosen = kribed::test::testRegional();
    return chosen;
}

void useLocale(const QString &name)
{
    regional() = Regional(QLocale(name));
}

QByteArray date(int y, int m, int d)
{
    return regional().dateText(QDate(y, m, d));
}

QByteArray time(int h, int m, int s)
{
    return regional().timeText(QTime(h, m, s));
}

// One column per list; every list holds the column's cells from record 1 on.
Database makeDatabase(const QList<int> &types, const QList<QByteArrayList> &columns)
{
    Database database;
    database.setShape(int(columns.size()), int(columns.first().size()));
    for (int k = 1; k <= database.fieldCount(); ++k) {
        database.setFieldType(k, types[k - 1]);
        for (int r = 1; r <= database.recordCount(); ++r)
            database.setCell(k, r, columns[k - 1][r - 1]);
    }
    return database;
}

// The sort written out plainly: keys read from the table at every comparison, rows exchanged
// in place.
class ReferenceSort
{
public:
    ReferenceSort(Database &database, const SortSpec &spec)
        : mDatabase(database)
        , mSpec(spec)
    {
    }

    void sort(int lo, int hi)
    {
        int i = lo;
        int j = hi;
        const QByteArrayList pivot = keys((lo + hi) / 2);
        if (j > i) {
            do {
                while (less(keys(i), pivot))
                    ++i;
                while (less(pivot, keys(j)))
                    --j;
                if (j >= i) {
                    std::swap(mDatabase.recordAt(i), mDatabase.recordAt(j));
                    ++i;
                    --j;
                }
            } while (j > i);
        }
        if (j > lo)
            sort(lo, j);
        if (i < hi)
            sort(i, hi);
    }

private:
    QByteArray text(int column, int row) const
    {
        return column >= 1 && column <= mDatabase.fieldCount() ? mDatabase.cell(column, row)
                                                               : QByteArray();
    }
    int type(int column) const
    {
        return column >= 1 && column <= mDatabase.fieldCount() ? mDatabase.fieldType(column)
                                                               : int(StringType);
    }
    QByteArrayList keys(int row) const
    {
        return {text(mSpec.primary, row), text(mSpec.secondary, row), text(mSpec.tertiary, row)};
    }
    bool less(const QByteArrayList &a, const QByteArrayList &b) const
    {
        return keyLess({kribed::compareKey(a[0], b[0], type(mSpec.primary), regional()),
                        kribed::compareKey(a[1], b[1], type(mSpec.secondary), regional()),
                        kribed::compareKey(a[2], b[2], type(mSpec.tertiary), regional())},
                       mSpec);
    }

    Database &mDatabase;
    SortSpec mSpec;
};

} // namespace

class TestSort : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void compareKey_data();
    void compareKey();
    void oneColumn_data();
    void oneColumn();
    void secondaryAndTertiary_data();
    void secondaryAndTertiary();
    void movesWholeRecordsOnly();
    void sameAsPlainQuicksort_data();
    void sameAsPlainQuicksort();
    void datesWrittenOtherwise_data();
    void datesWrittenOtherwise();
    void timesAsTheRegionalReadingSays_data();
    void timesAsTheRegionalReadingSays();
};

void TestSort::compareKey_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("type");
    QTest::addColumn<QByteArray>("a");
    QTest::addColumn<QByteArray>("b");
    QTest::addColumn<int>("result");

    QTest::newRow("float numeric")
        << "en_US" << int(FloatType) << QByteArray("9") << QByteArray("10") << -1;
    QTest::newRow("string by collation")
        << "en_US" << int(StringType) << QByteArray("9") << QByteArray("10") << 1;
    QTest::newRow("collation puts a before B")
        << "en_US" << int(StringType) << QByteArray("a") << QByteArray("B") << -1;
    QTest::newRow("collation is case-sensitive")
        << "en_US" << int(NormalPopupType) << QByteArray("a") << QByteArray("A") << -1;
    QTest::newRow("no number counts as 0")
        << "en_US" << int(NormalIntegerType) << QByteArray("x") << QByteArray("0") << 0;
    QTest::newRow("no number is above negatives")
        << "en_US" << int(AutoIncrementIntegerType) << QByteArray("") << QByteArray("-1") << 1;
    QTest::newRow("German decimal comma")
        << "de_DE" << int(FloatType) << QByteArray("1,5") << QByteArray("1,25") << 1;
    QTest::newRow("German grouped amounts by value")
        << "de_DE" << int(FloatType) << QByteArray("1.731,07") << QByteArray("999,5") << 1;
    QTest::newRow("US grouped integers by value")
        << "en_US" << int(NormalIntegerType) << QByteArray("1,500") << QByteArray("20") << 1;
    QTest::newRow("misplaced group separator is no number")
        << "de_DE" << int(FloatType) << QByteArray("1.73,07") << QByteArray("0") << 0;
    QTest::newRow("point is no number in German")
        << "de_DE" << int(FloatType) << QByteArray("1.5") << QByteArray("0") << 0;
    QTest::newRow("no date counts as 30 December 1899")
        << "en_US" << int(NormalDateType) << QByteArray("soon") << QByteArray("12/30/1899") << 0;
    QTest::newRow("dates before 1899 come before no date")
        << "en_US" << int(CreationDateType) << QByteArray("1/1/1850") << QByteArray("") << -1;
    QTest::newRow("dates by date, not by text")
        << "en_US" << int(ModificationDateType) << QByteArray("10/5/2005") << QByteArray("2/1/2005")
        << 1;
    QTest::newRow("German dates") << "de_DE" << int(NormalDateType) << QByteArray("01.03.2021")
                                  << QByteArray("15.02.2021") << 1;
    QTest::newRow("times by time") << "en_US" << int(NormalTimeType) << QByteArray("10:00:00 AM")
                                   << QByteArray("9:00:00 PM") << -1;
    QTest::newRow("no time counts as midnight")
        << "de_DE" << int(CreationTimeType) << QByteArray("later") << QByteArray("00:00:00") << 0;
    QTest::newRow("two empty texts are equal")
        << "en_US" << int(StringType) << QByteArray() << QByteArray() << 0;
}

void TestSort::compareKey()
{
    QFETCH(QString, locale);
    QFETCH(int, type);
    QFETCH(QByteArray, a);
    QFETCH(QByteArray, b);
    QFETCH(int, result);

    useLocale(locale);
    QCOMPARE(kribed::compareKey(a, b, type, regional()), result);
    QCOMPARE(kribed::compareKey(b, a, type, regional()), -result);
}

void TestSort::oneColumn_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("direction");
    QTest::addColumn<QByteArrayList>("cells");
    QTest::addColumn<QByteArrayList>("sorted");

    useLocale(QStringLiteral("en_US"));
    QTest::newRow("float numeric")
        << "en_US" << int(FloatType) << 1 << QByteArrayList{"10", "9", "100"}
        << QByteArrayList{"9", "10", "100"};
    QTest::newRow("string by text")
        << "en_US" << int(StringType) << 1 << QByteArrayList{"10", "9", "100"}
        << QByteArrayList{"10", "100", "9"};
    QTest::newRow("float reverse")
        << "en_US" << int(FloatType) << -1 << QByteArrayList{"10", "9", "100"}
        << QByteArrayList{"100", "10", "9"};
    QTest::newRow("US dates, no date first")
        << "en_US" << int(NormalDateType) << 1
        << QByteArrayList{date(2021, 3, 1), "no date", date(1999, 12, 31), date(2021, 2, 15),
                          date(2005, 10, 5)}
        << QByteArrayList{"no date", date(1999, 12, 31), date(2005, 10, 5), date(2021, 2, 15),
                          date(2021, 3, 1)};
    QTest::newRow("US times") << "en_US" << int(ModificationTimeType) << 1
                              << QByteArrayList{time(21, 0, 0), time(9, 0, 0), time(10, 30, 5)}
                              << QByteArrayList{time(9, 0, 0), time(10, 30, 5), time(21, 0, 0)};
    useLocale(QStringLiteral("de_DE"));
    QTest::newRow("German dates, no date first")
        << "de_DE" << int(CreationDateType) << 1
        << QByteArrayList{date(2021, 3, 1), date(1999, 12, 31), "", date(2021, 2, 15),
                          date(2005, 10, 5)}
        << QByteArrayList{"", date(1999, 12, 31), date(2005, 10, 5), date(2021, 2, 15),
                          date(2021, 3, 1)};
    QTest::newRow("German dates reverse, no date last")
        << "de_DE" << int(CreationDateType) << -1
        << QByteArrayList{date(2021, 3, 1), date(1999, 12, 31), "", date(2021, 2, 15)}
        << QByteArrayList{date(2021, 3, 1), date(2021, 2, 15), date(1999, 12, 31), ""};
}

void TestSort::oneColumn()
{
    QFETCH(QString, locale);
    QFETCH(int, type);
    QFETCH(int, direction);
    QFETCH(QByteArrayList, cells);
    QFETCH(QByteArrayList, sorted);

    useLocale(locale);
    Database database = makeDatabase({type}, {cells});
    sortRows(database, SortSpec{direction, 1, 0, 0, false, false}, regional());
    QCOMPARE(columnCells(database, 1), sorted);
}

void TestSort::secondaryAndTertiary_data()
{
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("secondary");
    QTest::addColumn<int>("tertiary");
    QTest::addColumn<bool>("secondaryReverse");
    QTest::addColumn<bool>("tertiaryReverse");
    QTest::addColumn<QByteArrayList>("ids");

    // records (key, number, text, id): a 3 p 1 / b 1 q 2 / a 1 q 3 / b 2 p 4 / a 1 r 5
    QTest::newRow("normal, secondary and tertiary ascending")
        << 1 << 2 << 3 << false << false << QByteArrayList{"3", "5", "1", "2", "4"};
    QTest::newRow("reverse with reversed secondary sorts it ascending")
        << -1 << 2 << 3 << true << false << QByteArrayList{"2", "4", "5", "3", "1"};
    QTest::newRow("normal with reversed secondary")
        << 1 << 2 << 3 << true << false << QByteArrayList{"1", "3", "5", "4", "2"};
    QTest::newRow("tertiary reversed against the primary direction")
        << 1 << 2 << 3 << false << true << QByteArrayList{"5", "3", "1", "2", "4"};
    QTest::newRow("tertiary alone decides ties of the primary")
        << 1 << 0 << 3 << false << false << QByteArrayList{"1", "3", "5", "4", "2"};
    QTest::newRow("sort fields past the last column never decide, equal keys move")
        << 1 << 9 << 12 << true << true << QByteArrayList{"3", "5", "1", "2", "4"};
}

void TestSort::secondaryAndTertiary()
{
    QFETCH(int, direction);
    QFETCH(int, secondary);
    QFETCH(int, tertiary);
    QFETCH(bool, secondaryReverse);
    QFETCH(bool, tertiaryReverse);
    QFETCH(QByteArrayList, ids);

    useLocale(QStringLiteral("en_US"));
    Database database =
        makeDatabase({StringType, FloatType, StringType, StringType}, {{"a", "b", "a", "b", "a"},
                                                                       {"3", "1", "1", "2", "1"},
                                                                       {"p", "q", "q", "p", "r"},
                                                                       {"1", "2", "3", "4", "5"}});
    const SortSpec spec{direction, 1, secondary, tertiary, secondaryReverse, tertiaryReverse};
    Database reference = database;
    ReferenceSort(reference, spec).sort(1, reference.recordCount());
    sortRows(database, spec, regional());
    QCOMPARE(columnCells(database, 4), ids);
    QCOMPARE(database.records(), reference.records());
}

void TestSort::movesWholeRecordsOnly()
{
    useLocale(QStringLiteral("en_US"));
    Database database = makeDatabase({FloatType, StringType}, {{"3", "1", "2"}, {"c", "a", "b"}});
    database.setHidden(1, true);
    const QVector<Database::Record> before = database.records();

    const QVector<int> order = sortRows(database, SortSpec{1, 1, 0, 0, false, false}, regional());
    QCOMPARE(order, (QVector<int>{2, 3, 1}));
    for (int p = 1; p <= database.recordCount(); ++p)
        QCOMPARE(database.recordAt(p), before[order[p - 1] - 1]);
    QCOMPARE(columnCells(database, 2), (QByteArrayList{"a", "b", "c"}));
    // The hidden state belongs to the position, and a sort is no change to save.
    QVERIFY(database.isHidden(1));
    QVERIFY(!database.isHidden(3));
    QVERIFY(!database.isModified());
}

void TestSort::sameAsPlainQuicksort_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("primary");
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("secondary");
    QTest::addColumn<bool>("secondaryReverse");

    QTest::newRow("numbers with many equal keys") << 1u << 300 << 1 << 1 << 0 << false;
    QTest::newRow("numbers reverse, text second") << 2u << 257 << 1 << -1 << 2 << false;
    QTest::newRow("text with few values") << 3u << 400 << 2 << 1 << 0 << false;
    QTest::newRow("dates, numbers second reversed") << 4u << 333 << 3 << 1 << 1 << true;
    QTest::newRow("dates reverse") << 5u << 200 << 3 << -1 << 2 << true;
    QTest::newRow("two records") << 6u << 2 << 1 << 1 << 0 << false;
    QTest::newRow("all keys equal") << 7u << 101 << 4 << 1 << 0 << false;
}

void TestSort::sameAsPlainQuicksort()
{
    QFETCH(quint32, seed);
    QFETCH(int, records);
    QFETCH(int, primary);
    QFETCH(int, direction);
    QFETCH(int, secondary);
    QFETCH(bool, secondaryReverse);

    useLocale(QStringLiteral("de_DE"));
    QRandomGenerator random(seed);
    const QByteArrayList numbers{"1", "2", "x", "", "1,0", "-3", "2e0", "10"};
    const QByteArrayList texts{"a", "B", "b", "A", "\xe4", "", "ab"};
    const QByteArrayList dates{date(2020, 1, 2), date(1999, 5, 6), "kein", "", date(2020, 1, 2)};
    QList<QByteArrayList> columns(5);
    for (int r = 0; r < records; ++r) {
        columns[0].append(numbers[random.bounded(int(numbers.size()))]);
        columns[1].append(texts[random.bounded(int(texts.size()))]);
        columns[2].append(dates[random.bounded(int(dates.size()))]);
        columns[3].append("same");
        columns[4].append(QByteArray::number(r + 1)); // tells equal-key records apart
    }
    Database database =
        makeDatabase({FloatType, StringType, NormalDateType, StringType, StringType}, columns);
    const SortSpec spec{direction, primary, secondary, 0, secondaryReverse, false};
    Database reference = database;
    ReferenceSort(reference, spec).sort(1, reference.recordCount());
    sortRows(database, spec, regional());
    QCOMPARE(columnCells(database, 5), columnCells(reference, 5));
}

void TestSort::datesWrittenOtherwise_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QByteArrayList>("texts");

    // Texts near the form the program writes: each must sort as the regional reading says.
    QTest::newRow("US") << "en_US"
                        << QByteArrayList{"3/1/2021",  "03/01/2021", "3/1/21",     " 2/1/2021",
                                          "2/29/2021", "12/31/1999", "1/2/0999",   "13/1/2020",
                                          "1/1/2020x", "1//2020",    "11/11/2011", "2/1/2021 ",
                                          "1/15/2021"};
    QTest::newRow("German") << "de_DE" << QByteArrayList{"01.03.2021", "1.3.2021",   "01.03.21",
                                                         "31.12.1999", "29.02.2020", "29.02.2021",
                                                         "15.02.2021", "1.03.2021.", "00.01.2020",
                                                         "05.10.2005", "5.10.2005"};
    QTest::newRow("Polish day without zero")
        << "pl_PL" << QByteArrayList{"1.03.2021",  "01.03.2021", "15.02.2021",
                                     "31.12.1999", "3.3.2003",   "2.12.2002"};
    QTest::newRow("Swedish year first")
        << "sv_SE" << QByteArrayList{"2021-03-01", "2021-3-1",   "1999-12-31",
                                     "21-03-01",   "2020-02-29", "2005-10-05"};
}

void TestSort::datesWrittenOtherwise()
{
    QFETCH(QString, locale);
    QFETCH(QByteArrayList, texts);

    useLocale(locale);
    QByteArrayList ids;
    for (int i = 0; i < texts.size(); ++i)
        ids.append(QByteArray::number(i));
    Database database = makeDatabase({NormalDateType, StringType}, {texts, ids});
    for (const int direction : {1, -1}) {
        const SortSpec spec{direction, 1, 0, 0, false, false};
        Database reference = database;
        ReferenceSort(reference, spec).sort(1, reference.recordCount());
        Database sorted = database;
        sortRows(sorted, spec, regional());
        QCOMPARE(columnCells(sorted, 2), columnCells(reference, 2));
    }
}

void TestSort::timesAsTheRegionalReadingSays_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QByteArrayList>("otherTexts");

    // Beside the times the program writes, texts near that form: each must sort as the regional
    // reading says.
    QTest::newRow("US, 12 hours") << "en_US"
                                  << QByteArrayList{"12:00:00 AM", "12:00:00 PM", "0:10:00 AM",
                                                    "13:10:00 PM", "01:10:00 AM", "1:10:00 am",
                                                    "1:10:00 AM ", " 1:10:00 PM", "1:10:00PM",
                                                    "1:10 PM",     "1:5:00 PM",   "1:10:00 P",
                                                    "11:59:59 PM", "1:10:00 AMX", "x"};
    QTest::newRow("German, 24 hours")
        << "de_DE" << QByteArrayList{"24:00:00",  "7:05:09", "07:5:09", "23:59:60", "00:00:00",
                                     "07:05:09 ", "07:05",   "7:05",    "07.05.09", "17:05:09x"};
    QTest::newRow("Finnish") << "fi_FI" << QByteArrayList{"7.05.09", "07.05.09", "23.59.59"};
    QTest::newRow("Korean, AM/PM not ASCII") << "ko_KR" << QByteArrayList{"1:10:00", "x"};
}

void TestSort::timesAsTheRegionalReadingSays()
{
    QFETCH(QString, locale);
    QFETCH(QByteArrayList, otherTexts);

    useLocale(locale);
    QByteArrayList texts = otherTexts;
    for (int second = 0; second < 86400; second += 3607)
        texts.append(regional().timeText(QTime(0, 0).addSecs(second)));
    for (const int hour : {0, 11, 12, 13, 23})
        texts.append(time(hour, 0, 0));
    QByteArrayList ids;
    for (int i = 0; i < texts.size(); ++i)
        ids.append(QByteArray::number(i));
    Database database = makeDatabase({NormalTimeType, StringType}, {texts, ids});
    for (const int direction : {1, -1}) {
        const SortSpec spec{direction, 1, 0, 0, false, false};
        Database reference = database;
        ReferenceSort(reference, spec).sort(1, reference.recordCount());
        Database sorted = database;
        sortRows(sorted, spec, regional());
        QCOMPARE(columnCells(sorted, 2), columnCells(reference, 2));
    }
}

QTEST_GUILESS_MAIN(TestSort)
#include "tst_sort.moc"
