// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "core/model/record.h"
#include "pdb_builder.h"
#include "pdb_read_helpers.h"
#include "scripted_prompter.h"

#include <QtTest>

#include <functional>

using namespace kribed;
using namespace kribed::test;

// A record's cells live in one shared buffer: copies stay apart once one of them changes, a
// change never touches the bytes other records share, and the buffer stays near the size of what
// the record holds.

namespace {

using Change = std::function<void(Record &)>;

QList<QByteArray> texts(const Record &record)
{
    QList<QByteArray> list;
    for (const QByteArray &cell : record)
        list.append(cell);
    return list;
}

// Records 1..3 of a file: "a1 b1", "a\nb" (a text the reader copies), "a3" and a last text
// that runs to the end of the file without a NUL.
QByteArray threeRecords()
{
    return PdbBuilder()
        .field("A")
        .field("B")
        .record({"a1", "b1"})
        .record({"a\nb", "b2"})
        .rawRecord(QByteArray(4, '\0') + QByteArrayLiteral("a3") + '\0' + QByteArrayLiteral("end"))
        .build();
}

bool endsInNul(const QByteArray &cell)
{
    return cell.constData()[cell.size()] == '\0';
}

} // namespace

Q_DECLARE_METATYPE(Change)
Q_DECLARE_METATYPE(kribed::Record)

class TestRecord : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void copyThenChange_data();
    void copyThenChange();
    void changeLoadedRecord();
    void cellsEndInNul();
    void equality_data();
    void equality();
    void manyAppends();
    void manyReplaces();
};

void TestRecord::copyThenChange_data()
{
    QTest::addColumn<QList<QByteArray>>("before");
    QTest::addColumn<Change>("change");
    QTest::addColumn<QList<QByteArray>>("after");

    const QList<QByteArray> abc{"alpha", "", "gamma"};
    QTest::newRow("replace") << abc << Change([](Record &r) { r.replace(1, "beta"); })
                             << QList<QByteArray>{"alpha", "beta", "gamma"};
    QTest::newRow("replace with empty")
        << abc << Change([](Record &r) { r.replace(0, ""); }) << QList<QByteArray>{"", "", "gamma"};
    QTest::newRow("replace with its own other cell")
        << abc << Change([](Record &r) { r.replace(1, r.view(2)); })
        << QList<QByteArray>{"alpha", "gamma", "gamma"};
    QTest::newRow("replace then append its own cell") << abc << Change([](Record &r) {
        r.replace(1, "beta");
        r.append(r.view(1));
    }) << QList<QByteArray>{"alpha", "beta", "gamma", "beta"};
    QTest::newRow("append") << abc << Change([](Record &r) { r.append("delta"); })
                            << QList<QByteArray>{"alpha", "", "gamma", "delta"};
    QTest::newRow("insert") << abc << Change([](Record &r) { r.insert(0, "zero"); })
                            << QList<QByteArray>{"zero", "alpha", "", "gamma"};
    QTest::newRow("remove") << abc << Change([](Record &r) { r.removeAt(0); })
                            << QList<QByteArray>{"", "gamma"};
    QTest::newRow("shrink then grow") << abc << Change([](Record &r) {
        r.resize(1);
        r.resize(3);
    }) << QList<QByteArray>{"alpha", "", ""};
    QTest::newRow("move") << abc << Change([](Record &r) { r.move(2, 0); })
                          << QList<QByteArray>{"gamma", "alpha", ""};
    QTest::newRow("reserve then append") << abc << Change([](Record &r) {
        r.reserve(8, 64);
        r.append("delta");
    }) << QList<QByteArray>{"alpha", "", "gamma", "delta"};
    QTest::newRow("reserve too little, then replace with its own cell")
        << abc << Change([](Record &r) {
               r.reserve(3, 1);
               r.replace(1, r.view(0));
               r.append(r.view(2));
           })
        << QList<QByteArray>{"alpha", "alpha", "gamma", "gamma"};
}

// A copy (an undo step, a clipboard) keeps what the record held, whichever of the two changes,
// and a cell taken before the change keeps its text.
void TestRecord::copyThenChange()
{
    QFETCH(QList<QByteArray>, before);
    QFETCH(Change, change);
    QFETCH(QList<QByteArray>, after);

    for (const bool changeCopy : {false, true}) {
        Record original(before);
        Record copy = original;
        const QByteArray taken = original.at(0);
        change(changeCopy ? copy : original);
        QCOMPARE(texts(changeCopy ? copy : original), after);
        QCOMPARE(texts(changeCopy ? original : copy), before);
        QCOMPARE(taken, before.first());
        // A second change of the now separate record leaves the other alone too.
        (changeCopy ? copy : original).replace(0, "again");
        QCOMPARE(texts(changeCopy ? original : copy), before);
    }
}

// A loaded record shares the file's bytes with its neighbours; changing one of its cells gives it
// a buffer of its own, the size of its own texts and not of the file.
void TestRecord::changeLoadedRecord()
{
    const QByteArray file = threeRecords();
    for (int changed = 1; changed <= 3; ++changed) {
        Database database;
        ScriptedPrompter prompter;
        QCOMPARE(load(file, database, prompter), LoadResult::Loaded);
        const QList<QList<QByteArray>> loaded{row(database, 1), row(database, 2), row(database, 3)};
        QCOMPARE(loaded.at(1), (QList<QByteArray>{"a\r\nb", "b2"}));
        QCOMPARE(loaded.at(2), (QList<QByteArray>{"a3", "end"}));
        const Record undoCopy = database.recordAt(changed);

        database.setCell(2, changed, "new");
        for (int record = 1; record <= 3; ++record) {
            QList<QByteArray> expected = loaded.at(record - 1);
            if (record == changed)
                expected[1] = "new";
            QCOMPARE(row(database, record), expected);
        }
        QCOMPARE(texts(undoCopy), loaded.at(changed - 1));
        QVERIFY2(database.recordAt(changed).bufferSize() < 32,
                 qPrintable(QString::number(database.recordAt(changed).bufferSize())));
        database.recordAt(changed) = undoCopy;
        QCOMPARE(row(database, changed), loaded.at(changed - 1));
    }
}

// Code reads a cell's constData() as a terminated string, wherever the cell's bytes came from.
void TestRecord::cellsEndInNul()
{
    Database database;
    ScriptedPrompter prompter;
    QCOMPARE(load(threeRecords(), database, prompter), LoadResult::Loaded);
    QList<Record> records{database.recordAt(1), database.recordAt(2), database.recordAt(3),
                          Record{"built", "", "x"}};
    Record changed = records.last();
    changed.replace(0, "longer than before");
    changed.replace(2, "y");
    changed.append("z");
    records.append(changed);
    for (const Record &record : std::as_const(records)) {
        for (const QByteArray &cell : record)
            QVERIFY2(endsInNul(cell), cell.constData());
    }
}

void TestRecord::equality_data()
{
    QTest::addColumn<Record>("a");
    QTest::addColumn<Record>("b");
    QTest::addColumn<bool>("equal");

    QTest::newRow("empty cells against no texts") << Record(2) << Record{"", ""} << true;
    QTest::newRow("an empty cell counts") << Record(2) << Record(3) << false;
    QTest::newRow("same texts, other buffers") << Record{"a", "b"} << Record{"a", "b"} << true;
    QTest::newRow("text against empty") << Record{"a", ""} << Record{"a"} << false;
    QTest::newRow("texts that run together") << Record{"ab", "c"} << Record{"a", "bc"} << false;
}

void TestRecord::equality()
{
    QFETCH(Record, a);
    QFETCH(Record, b);
    QFETCH(bool, equal);

    QCOMPARE(a == b, equal);
    QCOMPARE(b == a, equal);
    QCOMPARE(a != b, !equal);
}

// Cells added one at a time (an import builds records this way) cost each about their own bytes;
// copying the record at each step would take minutes here.
void TestRecord::manyAppends()
{
    constexpr int Cells = 200000;
    Record record;
    for (int i = 0; i < Cells; ++i)
        record.append(QByteArray::number(i));
    QCOMPARE(record.size(), Cells);
    for (int i = 0; i < Cells; i += 997)
        QCOMPARE(record.at(i), QByteArray::number(i));
    QVERIFY(record.bufferSize() <= 2 * 7 * Cells);
}

// Editing one cell over and over must not pile up the replaced texts.
void TestRecord::manyReplaces()
{
    Record record{"first", "second", "third"};
    for (int i = 0; i < 100000; ++i)
        record.replace(1, QByteArray(i % 50 + 1, 'x'));
    QCOMPARE(texts(record), (QList<QByteArray>{"first", QByteArray(50, 'x'), "third"}));
    QVERIFY2(record.bufferSize() < 1024, qPrintable(QString::number(record.bufferSize())));
}

QTEST_GUILESS_MAIN(TestRecord)
#include "tst_record.moc"
