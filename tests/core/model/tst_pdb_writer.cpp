// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/pdb_reader.h"
#include "core/model/pdb_writer.h"
#include "pdb_builder.h"
#include "scripted_prompter.h"

#include <QBuffer>
#include <QtTest>

#include <algorithm>

using namespace kribed;
using kribed::test::PdbBuilder;
using kribed::test::ScriptedPrompter;

namespace {

const QDateTime SaveTime(QDate(2024, 5, 6), QTime(7, 8, 9));
constexpr quint32 SaveSeconds = 1714975689; // 2024-05-06 07:08:09 counted from 1970-01-01 01:00

void expectTooMuchPopups(ScriptedPrompter &prompter)
{
    prompter.expect(QStringLiteral("Kribed-pro"), QStringLiteral("Too much popups!"), Icon::None,
                    Buttons::Ok, Answer::Ok);
}

bool loadBytes(const QByteArray &file, Database &database, Prompter &prompter)
{
    QBuffer buffer;
    buffer.setData(file);
    buffer.open(QIODevice::ReadOnly);
    return readDatabase(buffer, QStringLiteral("/data/Test.pdb"), database, prompter)
           == LoadResult::Loaded;
}

QByteArray writeToBytes(Database &database, int currentColumn, Prompter &prompter)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!writeDatabase(buffer, database, currentColumn, SaveTime, prompter))
        return QByteArrayLiteral("write failed");
    return buffer.data();
}

// Names the first differing byte, so a failed comparison says where the files part.
QString differenceOf(const QByteArray &actual, const QByteArray &expected)
{
    const qsizetype common = qMin(actual.size(), expected.size());
    for (qsizetype i = 0; i < common; ++i) {
        if (actual.at(i) != expected.at(i)) {
            return QStringLiteral("byte %1: got 0x%2, expected 0x%3")
                .arg(i)
                .arg(uchar(actual.at(i)), 2, 16, QLatin1Char('0'))
                .arg(uchar(expected.at(i)), 2, 16, QLatin1Char('0'));
        }
    }
    if (actual.size() != expected.size())
        return QStringLiteral("size %1, expected %2").arg(actual.size()).arg(expected.size());
    return QString();
}

#define COMPARE_FILES(actual, expected) \
    do { \
        const QString difference = differenceOf((actual), (expected)); \
        QVERIFY2(difference.isEmpty(), qPrintable(difference)); \
    } while (false)

PdbBuilder saved(PdbBuilder builder, int currentColumn)
{
    return builder.dates(SaveSeconds).blockWord(1256, quint16(currentColumn + 1));
}

} // namespace

class TestPdbWriter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTrip_data();
    void roundTrip();
    void moreRecordsThanTheEditorAdds();
    void storedValues_data();
    void storedValues();
    void modelValuesInTheHeaderAndBlock();
    void popupAreaLimit_data();
    void popupAreaLimit();
    void announcedLengthIsTheFile_data();
    void announcedLengthIsTheFile();
    void nothingOfTheFileAfterAStoppedAnnouncement();
    void refusedDatabaseIsNotAnnounced();
};

void TestPdbWriter::roundTrip_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("currentColumn");
    QTest::addColumn<int>("questions"); // unknown-type questions, answered with Retry
    QTest::addColumn<bool>("kribo3");
    QTest::addColumn<QByteArray>("expected");

    const PdbBuilder two = PdbBuilder()
                               .name("Kunden")
                               .field("Name", 0x0001, 80)
                               .field("Paid", 0x0002, 20)
                               .record({"Anna", "1"})
                               .record({"Bert", ""});
    QTest::newRow("two fields, two records")
        << PdbBuilder(two).dates(5).build() << 1 << 0 << false << saved(two, 1).build();

    QTest::newRow("zero records come back as one empty record")
        << PdbBuilder().field("A").field("B").build() << 2 << 0 << false
        << saved(PdbBuilder().field("A").field("B").record({"", ""}), 2).build();

    PdbBuilder fifty;
    QList<QByteArray> values;
    for (int field = 1; field <= 50; ++field) {
        fifty.field("Field " + QByteArray::number(field), field % 2 ? 0x0040 : 0x0051);
        values.append("v" + QByteArray::number(field));
    }
    fifty.record(values)
        .popup(1, {"one", "two"})
        .popup(26, {"z"})
        .popup(27, {"A item"})
        .popup(50, {"X1", "X2", "X3"});
    QTest::newRow("popups on fields 1, 26, 27 and 50")
        << fifty.build() << 50 << 0 << false << saved(fifty, 50).build();

    const PdbBuilder extras = PdbBuilder(two).extras(QByteArray("\x01\x00xyz\xff", 6));
    QTest::newRow("extras kept byte for byte")
        << extras.build() << 1 << 0 << false << saved(extras, 1).build();
    QTest::newRow("without end marker the extras are dropped")
        << PdbBuilder(two).extras("lost").noEndMarker().build() << 1 << 0 << false
        << saved(two, 1).build();

    const QList<quint16> codes{0x0001, 0x0002, 0x0004, 0x0041, 0x0049, 0x0020, 0x0042,
                               0x0050, 0x0040, 0x0051, 0x0008, 0x0043, 0x0010};
    PdbBuilder types;
    QList<QByteArray> typeValues;
    for (const quint16 code : codes) {
        types.field("T" + QByteArray::number(code, 16), code);
        typeValues.append(QByteArray::number(code));
    }
    types.record(typeValues);
    QTest::newRow("all 13 types") << types.build() << 13 << 0 << false << saved(types, 13).build();

    QTest::newRow("flag bits beyond the four kept")
        << PdbBuilder(two).blockWord(1298, 0xffcc).build() << 1 << 0 << false
        << saved(PdbBuilder(two).blockWord(1298, 0xffcc), 1).build();
    QTest::newRow("all flag bits set")
        << PdbBuilder(two).blockWord(1298, 0xffff).build() << 1 << 0 << false
        << saved(PdbBuilder(two).blockWord(1298, 0xffff), 1).build();
    QTest::newRow("further width 0 written as 90")
        << PdbBuilder(two).blockWord(1254, 0).build() << 1 << 0 << false << saved(two, 1).build();
    QTest::newRow("further width kept")
        << PdbBuilder(two).blockWord(1254, 1234).build() << 1 << 0 << false
        << saved(PdbBuilder(two).blockWord(1254, 1234), 1).build();
    QTest::newRow("field-number word above m written as 1")
        << PdbBuilder(two).blockWord(1300, 3).build() << 1 << 0 << false << saved(two, 1).build();
    QTest::newRow("field-number word up to m kept")
        << PdbBuilder(two).blockWord(1300, 2).build() << 1 << 0 << false
        << saved(PdbBuilder(two).blockWord(1300, 2), 1).build();

    QByteArray pattern(400, '\0');
    for (int i = 0; i < pattern.size(); ++i)
        pattern[i] = char(i * 7 + 3);
    QTest::newRow("bytes 1302 to 1701 kept")
        << PdbBuilder(two).blockBytes(1302, pattern).build() << 1 << 0 << false
        << saved(PdbBuilder(two).blockBytes(1302, pattern), 1).build();

    QTest::newRow("filter field, word 1262 and text 1266 written empty")
        << PdbBuilder(two)
               .blockWord(1262, 7)
               .blockWord(1264, 2)
               .blockBytes(1266, "text")
               .blockBytes(1282, "flt")
               .blockWord(1258, 2)
               .blockWord(1260, 1)
               .build()
        << 1 << 0 << false
        << saved(PdbBuilder(two).blockBytes(1282, "flt").blockWord(1258, 2).blockWord(1260, 1), 1)
               .build();

    QTest::newRow("name slots above m kept, type slots above m from the type table")
        << PdbBuilder(two).blockBytes(21 * 7, "old name").blockWord(1050 + 2 * 9, 0x0002).build()
        << 1 << 0 << false << saved(PdbBuilder(two).blockBytes(21 * 7, "old name"), 1).build();

    QTest::newRow("width word 0 comes back as the units of 10 pixels")
        << PdbBuilder().field("A", 1, 0).build() << 1 << 0 << false
        << saved(PdbBuilder().field("A", 1, 7).record({""}), 1).build();

    const PdbBuilder lines = PdbBuilder().field("A").record({"a\nb"}).record({"end\n"});
    QTest::newRow("LF comes back as LF")
        << lines.build() << 1 << 0 << false << saved(lines, 1).build();

    QTest::newRow("32-character header name saved as 31")
        << PdbBuilder(two).name(QByteArray(32, 'n')).build() << 1 << 0 << false
        << saved(PdbBuilder(two).name(QByteArray(31, 'n')), 1).build();

    QTest::newRow("unknown type codes saved as String")
        << PdbBuilder().field("A", 0x0777).field("B", 0x0000).record({"1", "2"}).build() << 1 << 2
        << false << saved(PdbBuilder().field("A").field("B").record({"1", "2"}), 1).build();

    const PdbBuilder kribo3 = PdbBuilder(PdbBuilder::Layout::Kribo3)
                                  .name("Stock")
                                  .field("Item", 0x0001, 60)
                                  .field("Count", 0x0008, 30)
                                  .blockWord(504, 77)
                                  .blockWord(508, 2)
                                  .blockBytes(532, "Bo")
                                  .blockWord(548, 0x0033)
                                  .blockWord(550, 2)
                                  .popup(1, {"Bolt", "Nut"})
                                  .record({"Bolt", "5"});
    QTest::newRow("Kribo 3 saved in the Kribo pro layout") << kribo3.build() << 2 << 0 << true
                                                           << saved(PdbBuilder()
                                                                        .name("Stock_p")
                                                                        .field("Item", 0x0001, 60)
                                                                        .field("Count", 0x0008, 30)
                                                                        .blockWord(1254, 77)
                                                                        .blockWord(1258, 2)
                                                                        .blockBytes(1282, "Bo")
                                                                        .blockWord(1300, 2)
                                                                        .popup(1, {"Bolt", "Nut"})
                                                                        .record({"Bolt", "5"}),
                                                                    2)
                                                                  .build();
}

void TestPdbWriter::roundTrip()
{
    QFETCH(QByteArray, input);
    QFETCH(int, currentColumn);
    QFETCH(int, questions);
    QFETCH(bool, kribo3);
    QFETCH(QByteArray, expected);

    ScriptedPrompter prompter;
    if (kribo3) {
        prompter.expect(QStringLiteral("Information"), QStringLiteral("This database created*"),
                        Icon::Warning, Buttons::Ok, Answer::Ok);
    }
    for (int i = 0; i < questions; ++i) {
        prompter.expect(QStringLiteral("Warning"), QStringLiteral("There is a unknown fieldtype*"),
                        Icon::Warning, Buttons::RetryCancel, Answer::Retry);
    }
    Database database;
    QVERIFY(loadBytes(input, database, prompter));
    const QByteArray saved = writeToBytes(database, currentColumn, prompter);
    KRIBED_VERIFY_PROMPTER(prompter);
    COMPARE_FILES(saved, expected);

    // What the program wrote, it reads back and writes again unchanged.
    Database again;
    ScriptedPrompter quiet;
    QVERIFY(loadBytes(saved, again, quiet));
    COMPARE_FILES(writeToBytes(again, currentColumn, quiet), expected);
    KRIBED_VERIFY_PROMPTER(quiet);
}

// A file may hold more than 9999 records; a save writes every one of them back.
void TestPdbWriter::moreRecordsThanTheEditorAdds()
{
    PdbBuilder builder;
    builder.field("N").field("Text");
    for (int i = 1; i <= 10001; ++i)
        builder.record({QByteArray::number(i), "line\n" + QByteArray::number(i)});
    const QByteArray input = saved(builder, 1).build();

    Database database;
    ScriptedPrompter prompter;
    QVERIFY(loadBytes(input, database, prompter));
    QCOMPARE(database.recordCount(), 10001);
    COMPARE_FILES(writeToBytes(database, 1, prompter), input);
    KRIBED_VERIFY_PROMPTER(prompter);
}

void TestPdbWriter::storedValues_data()
{
    QTest::addColumn<QByteArray>("cell");
    QTest::addColumn<QByteArray>("stored");

    QTest::newRow("empty value is the length word 1 and a NUL") << QByteArray() << QByteArray();
    QTest::newRow("CR LF becomes LF") << QByteArray("a\r\nb") << QByteArray("a\nb");
    QTest::newRow("TAB kept") << QByteArray("a\tb") << QByteArray("a\tb");
    QTest::newRow("other control bytes and NUL dropped") << QByteArray("\x01"
                                                                       "a\x1f\0b\x7f\x80",
                                                                       7)
                                                         << QByteArray("ab\x7f\x80");
    QTest::newRow("5000 characters cut to 4000") << QByteArray(5000, 'x') << QByteArray(4000, 'x');
    QTest::newRow("the cut counts stored bytes only")
        << QByteArray(10, '\r') + QByteArray(3999, 'y') + "z!" << QByteArray(3999, 'y') + 'z';

    // Every byte value once: the control bytes but TAB and LF go, everything from 0x20 up stays.
    QByteArray everyByte;
    QByteArray everyStored;
    for (int value = 0; value < 256; ++value) {
        everyByte.append(char(value));
        if (value >= 0x20 || value == '\t' || value == '\n')
            everyStored.append(char(value));
    }
    QTest::newRow("every byte value") << everyByte << everyStored;
    const auto backwards = [](QByteArray bytes) {
        std::reverse(bytes.begin(), bytes.end());
        return bytes;
    };
    QTest::newRow("every byte value backwards") << backwards(everyByte) << backwards(everyStored);
    // Clean cells are looked at in words of eight bytes: a control byte at any place in a word,
    // in a cell whose end is no whole word, must still be found.
    for (int at = 0; at < 19; ++at) {
        const QByteArray clean = QByteArray("\x20~\x7f\x80\xff") + QByteArray(14, 'c');
        QTest::newRow(qPrintable(QStringLiteral("control byte at %1 of 20").arg(at)))
            << clean.left(at) + '\x1f' + clean.mid(at) << clean;
        QTest::newRow(qPrintable(QStringLiteral("CR at %1 of 20").arg(at)))
            << clean.left(at) + '\r' + clean.mid(at) << clean;
    }
    QTest::newRow("LF and TAB in a word, control byte after them")
        << QByteArray("abcdefg\nhijklm\tn\x01o") << QByteArray("abcdefg\nhijklm\tno");
    QTest::newRow("cut at 4000 with a control byte just beyond")
        << QByteArray(4000, 'w') + '\x02' + "tail" << QByteArray(4000, 'w');
    QTest::newRow("control byte at 3999 of 4001")
        << QByteArray(3999, 'k') + '\x03' + "mn" << QByteArray(3999, 'k') + 'm';
}

void TestPdbWriter::storedValues()
{
    QFETCH(QByteArray, cell);
    QFETCH(QByteArray, stored);

    Database database;
    database.setShape(1, 1);
    database.setCell(1, 1, cell);
    ScriptedPrompter prompter;
    const QByteArray file = writeToBytes(database, 1, prompter);
    const quint32 offset = readLong(file.constData() + 78);
    QByteArray record;
    record.append(char((stored.size() + 1) >> 8)).append(char((stored.size() + 1) & 0xff));
    record.append(stored).append('\0');
    COMPARE_FILES(file.mid(offset), record);
}

void TestPdbWriter::modelValuesInTheHeaderAndBlock()
{
    Database database;
    database.setShape(3, 2);
    database.setName(QByteArray(40, 'd'));
    database.setFieldName(2, "A field name of 25 chars");
    database.setFilterText("0123456789abcdef");
    database.setSecondarySortField(3);
    database.setTertiarySortField(1);
    database.setFilterField(2);
    database.flags().isPrivate = true;
    database.flags().kriboFilter = true;
    ScriptedPrompter prompter;
    const QByteArray file = writeToBytes(database, 3, prompter);

    QCOMPARE(file.left(32), QByteArray(31, 'd') + '\0');
    QCOMPARE(readWord(file.constData() + 32), quint16(0x0008));
    QCOMPARE(readLong(file.constData() + 36), SaveSeconds);
    QCOMPARE(readLong(file.constData() + 40), SaveSeconds);
    QCOMPARE(readLong(file.constData() + 52), quint32(80 + 8 * 2));
    QCOMPARE(file.mid(60, 8), QByteArray("KrDbKrbo"));
    QCOMPARE(readWord(file.constData() + 76), quint16(2));
    QCOMPARE(database.modificationTime(), SaveTime);

    const QByteArray block = file.mid(96, AppInfo::Size);
    QCOMPARE(block.mid(21, 21), QByteArray("A field name of 25 c") + '\0');
    QCOMPARE(readWord(block.constData() + 1150), quint16(3));
    QCOMPARE(readWord(block.constData() + 1256), quint16(4));
    QCOMPARE(readWord(block.constData() + 1258), quint16(3));
    QCOMPARE(readWord(block.constData() + 1260), quint16(1));
    QCOMPARE(readWord(block.constData() + 1264), quint16(0));
    QCOMPARE(block.mid(1282, 16), QByteArray("0123456789abcde") + '\0');
    QCOMPARE(readWord(block.constData() + 1298), quint16(0x0030));
    // No popup items: four zero bytes, no extras, the end marker, then the records.
    QCOMPARE(file.mid(96 + AppInfo::Size, 17),
             QByteArray(4, '\0') + QByteArray("EndKriboData", 13));
    QCOMPARE(readLong(file.constData() + 78), quint32(96 + AppInfo::Size + 17));
    QCOMPARE(readLong(file.constData() + 86), quint32(96 + AppInfo::Size + 17 + 6 + 3));
}

void TestPdbWriter::popupAreaLimit_data()
{
    QTest::addColumn<QList<QList<QByteArray>>>("lists"); // fields 1, 2, ...
    QTest::addColumn<bool>("tooMuch");
    QTest::addColumn<QByteArray>("area");
    QTest::addColumn<QList<QList<QByteArray>>>("reloaded");

    const QByteArray fits(2492, 'f'); // "popupa", NUL, item, NUL: exactly 2500 bytes
    QTest::newRow("exactly full") << QList<QList<QByteArray>>{{fits}} << false
                                  << QByteArray("popupa\0", 7) + fits + '\0' + '\0'
                                  << QList<QList<QByteArray>>{{fits}};
    const QByteArray tooLong(3000, 't');
    QTest::newRow("one item too long is cut")
        << QList<QList<QByteArray>>{{tooLong}} << true
        << QByteArray("popupa\0", 7) + tooLong.left(2493) + '\0'
        << QList<QList<QByteArray>>{{tooLong.left(2493)}};
    QList<QByteArray> many;
    for (int i = 0; i < 400; ++i)
        many.append("item" + QByteArray::number(i));
    QByteArray manyArea("popupa\0", 7);
    QList<QByteArray> manyKept;
    for (const QByteArray &item : many) {
        if (manyArea.size() + item.size() + 1 > 2500)
            break;
        manyArea += item + '\0';
        manyKept.append(item);
    }
    const int room = 2500 - int(manyArea.size());
    manyKept.append(many.at(manyKept.size()).left(room));
    manyArea += many.at(manyKept.size() - 1).left(room) + '\0';
    // Six bytes are left for an item beginning "popups": cut there it would open field 19's
    // list, so it is left out.
    const QByteArray before(2486, 'b');
    QTest::newRow("an item cut to a header is left out")
        << QList<QList<QByteArray>>{{before, "popupsXYZ"}} << true
        << QByteArray("popupa\0", 7) + before + '\0' + '\0' << QList<QList<QByteArray>>{{before}};
    QTest::newRow("many items and a second list: one message")
        << QList<QList<QByteArray>>{many, {"lost"}} << true << manyArea
        << QList<QList<QByteArray>>{manyKept, {}};
}

void TestPdbWriter::popupAreaLimit()
{
    using Lists = QList<QList<QByteArray>>;
    QFETCH(Lists, lists);
    QFETCH(bool, tooMuch);
    QFETCH(QByteArray, area);
    QFETCH(Lists, reloaded);

    Database database;
    database.setShape(2, 1);
    for (int field = 1; field <= lists.size(); ++field)
        database.popupList(field) = lists.at(field - 1);
    ScriptedPrompter prompter;
    if (tooMuch)
        expectTooMuchPopups(prompter);
    const QByteArray file = writeToBytes(database, 1, prompter);
    KRIBED_VERIFY_PROMPTER(prompter);
    const int areaStart = 80 + 8 + AppInfo::Size;
    COMPARE_FILES(file.mid(areaStart, area.size() + 13), area + QByteArray("EndKriboData", 13));

    // Reading it back gives what fitted, and a second save neither shrinks nor grows the file.
    Database again;
    ScriptedPrompter quiet;
    QVERIFY(loadBytes(file, again, quiet));
    for (int field = 1; field <= reloaded.size(); ++field)
        QCOMPARE(again.popupList(field), reloaded.at(field - 1));
    QCOMPARE(again.extrasLength(), 0);
    // An item cut at the end fills the area again; an item left out leaves room.
    if (tooMuch && area.size() > MaxPopupAreaBytes)
        expectTooMuchPopups(quiet);
    COMPARE_FILES(writeToBytes(again, 1, quiet), file);
    KRIBED_VERIFY_PROMPTER(quiet);
}

// A header ahead of the file says how long the file is: the length announced must be the file's,
// whatever makes its values shorter than the cells, and the file after the header the save's.
void TestPdbWriter::announcedLengthIsTheFile_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QList<QByteArray>>("cells"); // put into field 1, records 1, 2, ...

    const PdbBuilder two =
        PdbBuilder().name("Kunden").field("Name").field("Ort").record({"Anna", "Bonn"});
    QTest::newRow("plain cells") << two.build() << QList<QByteArray>{"Bert", "Carla"};
    QTest::newRow("no records") << PdbBuilder().field("A").build() << QList<QByteArray>{};
    QTest::newRow("CR LF, control bytes and a NUL")
        << two.build() << QList<QByteArray>{QByteArray("a\r\nb"), QByteArray("\x01x\0y\x1f", 5)};
    QTest::newRow("a cell beyond the longest value")
        << two.build() << QList<QByteArray>{QByteArray(4100, 'v') + "\r\n"};
    QTest::newRow("popups and extras")
        << PdbBuilder(two).popup(1, {"one", "two"}).extras(QByteArray("\x01\x00z", 3)).build()
        << QList<QByteArray>{"one"};
}

void TestPdbWriter::announcedLengthIsTheFile()
{
    QFETCH(QByteArray, input);
    QFETCH(QList<QByteArray>, cells);

    Database database;
    ScriptedPrompter prompter;
    QVERIFY(loadBytes(input, database, prompter));
    for (int record = 1; record <= cells.size(); ++record) {
        if (record > database.recordCount())
            database.setShape(database.fieldCount(), record);
        database.setCell(1, record, cells.at(record - 1));
    }
    Database copy = database;
    const QByteArray saved = writeToBytes(copy, 2, prompter);

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QList<qint64> announced;
    QVERIFY(writeDatabase(buffer, database, 2, SaveTime, prompter, [&](qint64 fileBytes) {
        announced.append(fileBytes);
        return buffer.write("HEAD") == 4;
    }));
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(announced, QList<qint64>{saved.size()});
    QVERIFY(buffer.data().startsWith("HEAD"));
    COMPARE_FILES(buffer.data().mid(4), saved);
}

void TestPdbWriter::nothingOfTheFileAfterAStoppedAnnouncement()
{
    Database database;
    database.setShape(2, 3);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ScriptedPrompter prompter;
    QVERIFY(!writeDatabase(buffer, database, 1, SaveTime, prompter, [&](qint64) {
        buffer.write("part");
        return false;
    }));
    QCOMPARE(buffer.data(), QByteArray("part"));
}

// A list item that would read as a list header refuses the whole write: no header may announce a
// file that never comes.
void TestPdbWriter::refusedDatabaseIsNotAnnounced()
{
    Database database;
    database.setShape(2, 1);
    database.popupList(1) = {"fine", "popupb"};
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ScriptedPrompter prompter;
    bool announced = false;
    QVERIFY(!writeDatabase(buffer, database, 1, SaveTime, prompter, [&](qint64) {
        announced = true;
        return true;
    }));
    QVERIFY(!announced);
    QVERIFY(buffer.data().isEmpty());
}

QTEST_GUILESS_MAIN(TestPdbWriter)
#include "tst_pdb_writer.moc"
