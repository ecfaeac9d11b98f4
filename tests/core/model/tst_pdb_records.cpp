// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "core/model/pdb_reader.h"
#include "pdb_builder.h"
#include "pdb_read_helpers.h"
#include "scripted_prompter.h"

#include <QSet>
#include <QtTest>

using namespace kribed;
using namespace kribed::test;

// The records a file holds: how far its record list is followed, that every record is read
// however the entries share the bytes, and what damaged records give.

namespace {

QByteArray manyRecords(int count)
{
    PdbBuilder builder;
    builder.field("N");
    for (int i = 0; i < count; ++i)
        builder.record({QByteArray::number(i)});
    return builder.build();
}

} // namespace

class TestPdbRecords : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void recordList_data();
    void recordList();
    void everyRecordIsRead_data();
    void everyRecordIsRead();
    void damagedRecords_data();
    void damagedRecords();
};

void TestPdbRecords::recordList_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("records");

    PdbBuilder ten = PdbBuilder().field("A");
    for (int i = 1; i <= 10; ++i)
        ten.record({QByteArray::number(i)});
    QTest::newRow("entry 4 past the end keeps 4 records")
        << PdbBuilder(ten).claimRecordOffset(4, 0x7fffffff).build() << 4;
    QTest::newRow("entry 0 at the very end keeps none")
        << PdbBuilder(ten).claimRecordOffset(0, quint32(ten.build().size())).build() << 0;
    QTest::newRow("highest offset counts as past the end")
        << PdbBuilder(ten).claimRecordOffset(9, 0xffffffff).build() << 9;
    QTest::newRow("zero records") << PdbBuilder().field("A").field("B").build() << 0;
}

void TestPdbRecords::recordList()
{
    QFETCH(QByteArray, file);
    QFETCH(int, records);

    Database database;
    ScriptedPrompter prompter;
    QCOMPARE(load(file, database, prompter), LoadResult::Loaded);
    KRIBED_VERIFY_PROMPTER(prompter);
    // No record is shown as one empty record.
    QCOMPARE(database.recordCount(), qMax(records, 1));
    for (int record = 1; record <= records; ++record)
        QCOMPARE(database.cell(1, record), QByteArray::number(record));
    if (records == 0) {
        for (const QByteArray &cell : database.recordAt(1))
            QVERIFY(cell.isEmpty());
    }
}

// Records whose offsets overlap or repeat share the file's bytes: the texts of cells that do not
// share memory add up to no more than twice the file.
void TestPdbRecords::everyRecordIsRead_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("kribo3");
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("lastRecord");
    QTest::addColumn<QList<QByteArray>>("lastCells");

    QTest::newRow("10000 records")
        << manyRecords(10000) << false << 10000 << 10000 << QList<QByteArray>{"9999"};

    // A Kribo 3 file whose records hold one text for three fields: each record's cells run on
    // into the texts of the records after it.
    PdbBuilder kribo3(PdbBuilder::Layout::Kribo3);
    kribo3.field("A").field("B").field("C");
    for (int i = 1; i <= 300; ++i)
        kribo3.rawRecord("text " + QByteArray::number(i) + '\0');
    QTest::newRow("Kribo 3, fewer texts than fields, 300 records")
        << kribo3.build() << true << 300 << 299 << QList<QByteArray>{"text 299", "text 300", ""};

    const auto repeated = [](const QByteArray &value) {
        PdbBuilder builder = PdbBuilder().field("A").field("B").record({value, value});
        for (int i = 1; i < 2000; ++i)
            builder.record({"x", "y"});
        builder.build();
        for (int i = 1; i < 2000; ++i)
            builder.claimRecordOffset(i, quint32(builder.recordOffsets().at(0)));
        return builder.build();
    };
    QTest::newRow("2000 entries point at one record of 3000-byte values")
        << repeated(QByteArray(3000, 'v')) << false << 2000 << 2000
        << QList<QByteArray>{QByteArray(3000, 'v'), QByteArray(3000, 'v')};
    QTest::newRow("the same with line breaks")
        << repeated(QByteArray(1500, 'v') + '\n' + QByteArray(1499, 'w')) << false << 2000 << 2000
        << QList<QByteArray>(2, QByteArray(1500, 'v') + "\r\n" + QByteArray(1499, 'w'));
}

void TestPdbRecords::everyRecordIsRead()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, kribo3);
    QFETCH(int, records);
    QFETCH(int, lastRecord);
    QFETCH(QList<QByteArray>, lastCells);

    Database database;
    ScriptedPrompter prompter;
    if (kribo3)
        expectConversion(prompter);
    QCOMPARE(load(file, database, prompter), LoadResult::Loaded);
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(database.recordCount(), records);
    QCOMPARE(row(database, lastRecord), lastCells);

    QSet<const char *> seen;
    qint64 ownBytes = 0;
    for (const Database::Record &row : database.records()) {
        for (const QByteArray &cell : row) {
            if (!cell.isEmpty() && !seen.contains(cell.constData())) {
                seen.insert(cell.constData());
                ownBytes += cell.size();
            }
        }
    }
    QVERIFY2(ownBytes <= 2 * file.size(), qPrintable(QString::number(ownBytes)));
}

void TestPdbRecords::damagedRecords_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QList<QByteArray>>("cells");

    QTest::newRow("length words are not trusted") << QByteArray("\xff\xff\x00\x00\x12\x34"
                                                                "ab\0cd\0ef\0",
                                                                15)
                                                  << QList<QByteArray>{"ab", "cd", "ef"};
    QTest::newRow("last text without NUL ends at the file's end")
        << QByteArray("\0\0\0\0\0\0"
                      "ab\0cd",
                      11)
        << QList<QByteArray>{"ab", "cd", ""};
    QTest::newRow("record shorter than its length words")
        << QByteArray("\0\x02\0", 3) << QList<QByteArray>{"", "", ""};
    QTest::newRow("LF becomes CR LF, a lone CR stays")
        << QByteArray("\0\0\0\0\0\0"
                      "\n\0\r\0x\n\n\0",
                      14)
        << QList<QByteArray>{"\r\n", "\r", "x\r\n\r\n"};
}

void TestPdbRecords::damagedRecords()
{
    QFETCH(QByteArray, record);
    QFETCH(QList<QByteArray>, cells);

    const QByteArray file = PdbBuilder().field("A").field("B").field("C").rawRecord(record).build();
    Database database;
    ScriptedPrompter prompter;
    QCOMPARE(load(file, database, prompter), LoadResult::Loaded);
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(row(database, 1), cells);
}

QTEST_GUILESS_MAIN(TestPdbRecords)
#include "tst_pdb_records.moc"
