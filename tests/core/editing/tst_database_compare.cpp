// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "editing_fixture.h"
#include "pdb_builder.h"
#include "test_regional.h"

#include "core/editing/comparison_report.h"
#include "core/editing/database_compare.h"
#include "core/editing/record_alignment.h"
#include "core/model/field_type.h"
#include "core/model/pdb_reader.h"
#include "core/platform/prompter.h"

#include <QBuffer>
#include <QtTest>

using namespace kribed;
using namespace kribed::test;
using namespace Qt::Literals::StringLiterals;

namespace {

// "!" when the key field asked for is missing, then each compared record as "=o:n", "~o:n(F2,F3)", "+n" or "-o", joined by blanks.
QByteArray recordsText(const DatabaseComparison &comparison, const Database &newer)
{
    QByteArrayList parts;
    if (comparison.keyMissing)
        parts.append("!");
    for (const RecordComparison &record : comparison.records) {
        const QByteArray places =
            QByteArray::number(record.olderRecord) + ':' + QByteArray::number(record.newerRecord);
        switch (record.state) {
        case RecordState::Same: parts.append('=' + places); break;
        case RecordState::Added: parts.append('+' + QByteArray::number(record.newerRecord)); break;
        case RecordState::Removed:
            parts.append('-' + QByteArray::number(record.olderRecord));
            break;
        case RecordState::Changed: {
            QByteArrayList names;
            for (int pair : record.changedPairs)
                names.append(newer.fieldName(comparison.fields.at(pair).newerField));
            parts.append('~' + places + '(' + names.join(',') + ')');
        }
        }
    }
    return parts.join(' ');
}

// Each definition difference as "key:field:old>new", joined by "; ".
QString definitionsText(const DatabaseComparison &comparison, const Database &older,
                        const Database &newer)
{
    QStringList parts;
    const Regional regional = testRegional();
    for (const DefinitionDifference &difference : comparison.definitions)
        parts.append(definitionChangeKey(difference.change) + u':'
                     + pairName(comparison, difference.pair, older, newer, regional) + u':'
                     + difference.olderText + u'>' + difference.newerText);
    for (const SettingDifference &difference : comparison.settings)
        parts.append(difference.setting + u':' + difference.olderText + u'>'
                     + difference.newerText);
    return parts.join(u"; "_s);
}

class AnswerOk : public Prompter
{
public:
    Answer ask(const Message &) override { return Answer::Ok; }
};

Database readFile(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    Database database;
    AnswerOk prompter;
    if (readDatabase(buffer, u"/data/Version.pdb"_s, database, prompter) != LoadResult::Loaded)
        qFatal("fixture not read");
    return database;
}

} // namespace

class TestDatabaseCompare : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void records_data();
    void records();
    void definitions_data();
    void definitions();
    void layouts_data();
    void layouts();
    void report_data();
    void report();
    void longAlignment();
};

void TestDatabaseCompare::records_data()
{
    QTest::addColumn<QList<int>>("types");
    QTest::addColumn<QList<QByteArray>>("older");
    QTest::addColumn<QList<QByteArray>>("newer");
    QTest::addColumn<int>("matching"); // RecordMatching; Field means the field "F1"
    QTest::addColumn<bool>("ignoreStamps");
    QTest::addColumn<QByteArray>("expected");

    const QList<int> text3{StringType, StringType, StringType};
    const QList<int> autoKey{AutoIncrementIntegerType, StringType, StringType};
    const QList<int> stamped{StringType, ModificationDateType, ModificationTimeType};
    const int automatic = int(RecordMatching::Automatic);
    const int byF1 = int(RecordMatching::Field);
    const int content = int(RecordMatching::Content);
    const QList<QByteArray> abcd{"a|1|x", "b|2|x", "c|3|x", "d|4|x"};
    const QByteArray long1 = "a|" + QByteArray(4000, 'v') + "|x";
    const QByteArray long2 = "a|" + QByteArray(3999, 'v') + "w|x";

    QTest::newRow("content: an insertion leaves later records the same")
        << text3 << abcd << QList<QByteArray>{"a|1|x", "b|2|x", "n|9|y", "c|3|x", "d|4|x"}
        << automatic << true << "=1:1 =2:2 +3 =3:4 =4:5"_ba;
    QTest::newRow("content: a deletion")
        << text3 << abcd << QList<QByteArray>{"a|1|x", "c|3|x", "d|4|x"} << automatic << true
        << "=1:1 -2 =3:2 =4:3"_ba;
    QTest::newRow("content: a record agreeing in most cells is changed, one that does not is not")
        << text3 << abcd << QList<QByteArray>{"a|1|x", "b|5|x", "q|7|z", "d|4|x"} << content << true
        << "=1:1 ~2:2(F2) -3 +3 =4:4"_ba;
    QTest::newRow("content: a changed record after an insertion at the same place")
        << text3 << abcd << QList<QByteArray>{"a|1|x", "n|9|y", "b|5|x", "c|3|x", "d|4|x"}
        << content << true << "=1:1 +2 ~2:3(F2) =3:4 =4:5"_ba;
    QTest::newRow("content: a moved record is removed where it was and added where it is")
        << text3 << abcd << QList<QByteArray>{"d|4|x", "a|1|x", "b|2|x", "c|3|x"} << content << true
        << "+1 =1:2 =2:3 =3:4 -4"_ba;
    QTest::newRow("content: empty versions")
        << text3 << QList<QByteArray>{} << QList<QByteArray>{"a|1|x"} << content << true << "+1"_ba;
    QTest::newRow("auto-increment key: moves, a change, an insertion and a deletion")
        << autoKey << QList<QByteArray>{"1|a|x", "2|b|x", "3|c|x", "4|d|x"}
        << QList<QByteArray>{"3|c|x", "1|a|y", "5|e|x", "2|b|x"} << automatic << true
        << "=3:1 ~1:2(F3) +3 =2:4 -4"_ba;
    QTest::newRow("auto-increment field ignored when content is asked for")
        << autoKey << QList<QByteArray>{"1|a|x", "2|b|x"} << QList<QByteArray>{"2|b|x", "1|a|x"}
        << content << true << "-1 =2:1 +2"_ba;
    QTest::newRow("chosen key: a repeated key aligns its records by content")
        << text3 << QList<QByteArray>{"1|a|x", "1|b|x", "2|c|x"}
        << QList<QByteArray>{"1|a|z", "1|b|x", "2|c|x"} << byF1 << true << "~1:1(F3) =2:2 =3:3"_ba;
    QTest::newRow("chosen key: empty keys never pair unrelated records")
        << text3 << QList<QByteArray>{"|a|x", "|b|x", "3|c|x"} << QList<QByteArray>{"|b|x", "3|c|y"}
        << byF1 << true << "-1 =2:1 ~3:2(F3)"_ba;
    QTest::newRow("chosen key: a key on one side only")
        << text3 << QList<QByteArray>{"1|a|x"} << QList<QByteArray>{"2|a|x"} << byF1 << true
        << "-1 +1"_ba;
    QTest::newRow("stamps ignored")
        << stamped << QList<QByteArray>{"a|1/1/2020|10:00:00 AM"}
        << QList<QByteArray>{"a|2/2/2021|11:00:00 AM"} << byF1 << true << "=1:1"_ba;
    QTest::newRow("stamps counted")
        << stamped << QList<QByteArray>{"a|1/1/2020|10:00:00 AM"}
        << QList<QByteArray>{"a|2/2/2021|11:00:00 AM"} << byF1 << false << "~1:1(F2,F3)"_ba;
    QTest::newRow("stamps ignored in the content alignment too")
        << stamped << QList<QByteArray>{"a|d1|t1", "b|d1|t1"}
        << QList<QByteArray>{"a|d2|t2", "b|d1|t1"} << content << true << "=1:1 =2:2"_ba;
    QTest::newRow("stamps counted, but never steering the alignment")
        << stamped << QList<QByteArray>{"a|d1|t1", "b|d1|t1"}
        << QList<QByteArray>{"a|d2|t2", "b|d1|t1"} << content << false << "~1:1(F2,F3) =2:2"_ba;
    QTest::newRow("a 4000-byte value differing in its last byte")
        << text3 << QList<QByteArray>{long1, "b|2|x"} << QList<QByteArray>{long2, "b|2|x"}
        << content << true << "~1:1(F2) =2:2"_ba;
    QTest::newRow("a 4000-byte value the same")
        << text3 << QList<QByteArray>{long1} << QList<QByteArray>{long1} << content << true
        << "=1:1"_ba;
}

void TestDatabaseCompare::records()
{
    QFETCH(QList<int>, types);
    QFETCH(QList<QByteArray>, older);
    QFETCH(QList<QByteArray>, newer);
    QFETCH(int, matching);
    QFETCH(bool, ignoreStamps);
    QFETCH(QByteArray, expected);

    const Database a = makeDatabase(types, older);
    const Database b = makeDatabase(types, newer);
    const CompareOptions options{RecordMatching(matching), "F1", ignoreStamps};
    const DatabaseComparison comparison = compareDatabases(a, b, options, testRegional());
    QCOMPARE(recordsText(comparison, b), expected);
    QCOMPARE(comparison.added, int(expected.count('+')));
    QCOMPARE(comparison.removed, int(expected.count(" -") + expected.startsWith('-')));
    QCOMPARE(comparison.changed, int(expected.count('~')));
}

void TestDatabaseCompare::definitions_data()
{
    QTest::addColumn<QByteArrayList>("olderNames");
    QTest::addColumn<QList<int>>("olderTypes");
    QTest::addColumn<QByteArray>("olderRow");
    QTest::addColumn<QByteArrayList>("newerNames");
    QTest::addColumn<QList<int>>("newerTypes");
    QTest::addColumn<QByteArray>("newerRow");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QByteArray>("records");

    const QList<int> s2{StringType, StringType};
    const QList<int> s3{StringType, StringType, StringType};
    QTest::newRow("same") << QByteArrayList{"A", "B"} << s2 << "1|2"_ba << QByteArrayList{"A", "B"}
                          << s2 << "1|2"_ba << QString() << "=1:1"_ba;
    QTest::newRow("rename: matched by position, cells still compared")
        << QByteArrayList{"Name", "City"} << s2 << "1|2"_ba << QByteArrayList{"Name", "Town"} << s2
        << "1|3"_ba << u"name:Town:City>Town"_s << "~1:1(Town)"_ba;
    QTest::newRow("retype: the texts are compared")
        << QByteArrayList{"A", "B"} << QList<int>{StringType, NormalIntegerType} << "1|2"_ba
        << QByteArrayList{"A", "B"} << QList<int>{StringType, FloatType} << "1|2.0"_ba
        << u"type:B:Normal Integer>Float"_s << "~1:1(B)"_ba;
    QTest::newRow("reorder: only the field that left its place moved, cells follow names")
        << QByteArrayList{"A", "B", "C"} << s3 << "1|2|3"_ba << QByteArrayList{"C", "A", "B"} << s3
        << "3|1|2"_ba << u"position:C:3>1"_s << "=1:1"_ba;
    QTest::newRow("a field inserted moves nothing")
        << QByteArrayList{"A", "B"} << s2 << "1|2"_ba << QByteArrayList{"A", "X", "B"} << s3
        << "1|9|2"_ba << u"added:X:>X"_s << "=1:1"_ba;
    QTest::newRow("a field removed")
        << QByteArrayList{"A", "B", "C"} << s3 << "1|2|3"_ba << QByteArrayList{"A", "C"} << s2
        << "1|3"_ba << u"removed:B:B>"_s << "=1:1"_ba;
    QTest::newRow("repeated names pair in order")
        << QByteArrayList{"A", "A"} << s2 << "1|2"_ba << QByteArrayList{"A", "A"} << s2 << "1|3"_ba
        << QString() << "~1:1(A)"_ba;
}

void TestDatabaseCompare::definitions()
{
    QFETCH(QByteArrayList, olderNames);
    QFETCH(QList<int>, olderTypes);
    QFETCH(QByteArray, olderRow);
    QFETCH(QByteArrayList, newerNames);
    QFETCH(QList<int>, newerTypes);
    QFETCH(QByteArray, newerRow);
    QFETCH(QString, expected);
    QFETCH(QByteArray, records);

    Database a = makeDatabase(olderTypes, {olderRow});
    Database b = makeDatabase(newerTypes, {newerRow});
    for (int field = 1; field <= a.fieldCount(); ++field)
        a.setFieldName(field, olderNames.at(field - 1));
    for (int field = 1; field <= b.fieldCount(); ++field) {
        b.setFieldName(field, newerNames.at(field - 1));
        // Widths follow the names, so only a real change of width shows.
        const int olderField = int(olderNames.indexOf(newerNames.at(field - 1))) + 1;
        b.setColumnWidth(field, a.columnWidth(olderField > 0 ? olderField : field));
    }
    const DatabaseComparison comparison =
        compareDatabases(a, b, {RecordMatching::Content, {}, true}, testRegional());
    QCOMPARE(definitionsText(comparison, a, b), expected);
    QCOMPARE(recordsText(comparison, b), records);
}

void TestDatabaseCompare::layouts_data()
{
    QTest::addColumn<bool>("olderKribo3");
    QTest::addColumn<bool>("newerKribo3");
    QTest::addColumn<QByteArray>("changedCity");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("both current layout") << false << false << "Ulm"_ba
                                         << "=1:1 ~2:2(City)"_ba;
    QTest::newRow("older in the old layout") << true << false << "Ulm"_ba
                                             << "=1:1 ~2:2(City)"_ba;
    QTest::newRow("both old layout, the same") << true << true << "Bonn"_ba
                                               << "=1:1 =2:2"_ba;
}

void TestDatabaseCompare::layouts()
{
    QFETCH(bool, olderKribo3);
    QFETCH(bool, newerKribo3);
    QFETCH(QByteArray, changedCity);
    QFETCH(QByteArray, expected);

    auto file = [](bool kribo3, const QByteArray &city) {
        return PdbBuilder(kribo3 ? PdbBuilder::Layout::Kribo3 : PdbBuilder::Layout::KriboPro)
            .field("Name")
            .field("City")
            .popup(2, {"Bonn", "Ulm"})
            .record({"Anna", "Kiel"})
            .record({"Bert", city})
            .build();
    };
    const Database a = readFile(file(olderKribo3, "Bonn"));
    const Database b = readFile(file(newerKribo3, changedCity));
    const DatabaseComparison comparison =
        compareDatabases(a, b, {RecordMatching::Field, "Name", true}, testRegional());
    QCOMPARE(recordsText(comparison, b), expected);
    QCOMPARE(comparison.definitions.size(), 0);
}

void TestDatabaseCompare::report_data()
{
    QTest::addColumn<QByteArray>("codePage");
    QTest::addColumn<int>("matching");
    QTest::addColumn<QString>("expected");

    const int byF1 = int(RecordMatching::Field);
    const int content = int(RecordMatching::Content);
    QTest::newRow("keyed, western code page, quoting")
        << "windows-1252"_ba << byF1
        << u"Key,Field,Old,New\r\nk1,F2,\xC0,\"a,\"\"b\"\"\"\r\nk2,F1,k2,\r\nk3,F1,,k3\r\n"
           "k3,F2,,x\r\n"_s;
    QTest::newRow("by content, Cyrillic code page")
        << "windows-1251"_ba << content
        << u"Key,Field,Old,New\r\n1,F2,\x0410,\"a,\"\"b\"\"\"\r\n-2,F1,k2,\r\n+2,F1,,k3\r\n"
           "+2,F2,,x\r\n"_s;
}

void TestDatabaseCompare::report()
{
    QFETCH(QByteArray, codePage);
    QFETCH(int, matching);
    QFETCH(QString, expected);

    const QList<int> types{StringType, StringType, StringType};
    const Database a = makeDatabase(types, {"k1|\xC0|s", "k2||"});
    const Database b = makeDatabase(types, {"k1|a,\"b\"|s", "k3|x|"});
    const Regional regional = testRegional(codePage);
    const DatabaseComparison comparison =
        compareDatabases(a, b, {RecordMatching(matching), "F1", true}, regional);
    QCOMPARE(QString::fromUtf8(comparisonCsv(comparison, a, b, regional)), expected);
}

// The aligned pairs rise on both sides, pair equal elements and are as many as the longest
// common subsequence has, checked against the textbook table on random sequences; and a long
// sequence with scattered insertions keeps every old element.
void TestDatabaseCompare::longAlignment()
{
    QRandomGenerator random(40);
    for (int round = 0; round < 300; ++round) {
        QVector<size_t> a(random.bounded(25)), b(random.bounded(25));
        for (size_t &v : a)
            v = random.bounded(3);
        for (size_t &v : b)
            v = random.bounded(3);
        const QVector<AlignedPair> pairs = alignSequences(a, b, [](int, int) { return true; });
        QVector<QVector<int>> table(a.size() + 1, QVector<int>(b.size() + 1, 0));
        for (int i = int(a.size()) - 1; i >= 0; --i)
            for (int j = int(b.size()) - 1; j >= 0; --j)
                table[i][j] = a[i] == b[j] ? table[i + 1][j + 1] + 1
                                           : std::max(table[i + 1][j], table[i][j + 1]);
        QCOMPARE(pairs.size(), table[0][0]);
        for (int k = 0; k < pairs.size(); ++k) {
            QCOMPARE(a[pairs[k].older], b[pairs[k].newer]);
            if (k > 0)
                QVERIFY(pairs[k].older > pairs[k - 1].older && pairs[k].newer > pairs[k - 1].newer);
        }
    }
    QVector<size_t> older(9999), newer;
    std::iota(older.begin(), older.end(), 0);
    for (size_t v : older) {
        if (v % 200 == 7)
            newer.append(100000 + v);
        newer.append(v);
    }
    const QVector<AlignedPair> pairs = alignSequences(older, newer, [](int, int) { return true; });
    QCOMPARE(pairs.size(), 9999);
    QCOMPARE(pairs.last(), (AlignedPair{9998, 9998 + 50}));
    // A collision of hashes is no match.
    QVERIFY(alignSequences({1, 2}, {1, 2}, [](int o, int) { return o == 1; })
            == (QVector<AlignedPair>{{1, 1}}));
}

QTEST_GUILESS_MAIN(TestDatabaseCompare)
#include "tst_database_compare.moc"
