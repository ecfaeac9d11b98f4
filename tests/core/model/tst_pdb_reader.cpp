// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/pdb_reader.h"
#include "pdb_builder.h"
#include "scripted_prompter.h"

#include <QBuffer>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

using namespace kribed;
using kribed::test::PdbBuilder;
using kribed::test::ScriptedPrompter;

namespace {

const QString NotKribo = QStringLiteral("It's not a Kribo database.");
const QString Conversion = QStringLiteral(
    "This database created by Kribo 3 will be converted into the Kribo pro format. \n"
    "Please note, that the changes don't come up in Kribo 3.");

LoadResult Load(const QByteArray &file, Database &database, Prompter &prompter,
                const QString &path = QStringLiteral("/data/Test.pdb"))
{
    QBuffer buffer;
    buffer.setData(file);
    buffer.open(QIODevice::ReadOnly);
    return ReadDatabase(buffer, path, database, prompter);
}

void ExpectConversion(ScriptedPrompter &prompter)
{
    prompter.Expect(QStringLiteral("Information"), Conversion, Icon::Warning, Buttons::Ok,
                    Answer::Ok);
}

void ExpectQuestion(ScriptedPrompter &prompter, const QString &what, Answer answer)
{
    prompter.Expect(QStringLiteral("Warning"),
                    QStringLiteral("There is a unknown %1. This may cause %2 problems.\nPlease "
                                   "contact instantly the developer by email:  ")
                            .arg(what, what == QLatin1String("fieldtype") ? QStringLiteral("serious")
                                                                           : QStringLiteral("same"))
                        + SupportAddress(),
                    Icon::Warning, Buttons::RetryCancel, answer);
}

QList<QByteArray> Row(const Database &database, int record)
{
    return database.RecordAt(record);
}

// A file whose record list runs past its end while every entry read points inside the file: the
// block's words are all small and the file is longer than any of them.
QByteArray RecordListPastEnd()
{
    return PdbBuilder()
        .Field("", 0x0001, 0)
        .BlockBytes(1154, QByteArray(100, '\0'))
        .BlockWord(1254, 0)
        .Extras(QByteArray(70000, '\0'))
        .NoEndMarker()
        .ClaimRecordCount(65535)
        .Build();
}

QByteArray ManyRecords(int count)
{
    PdbBuilder builder;
    builder.Field("N");
    for (int i = 0; i < count; ++i)
        builder.Record({QByteArray::number(i)});
    return builder.Build();
}

} // namespace

class TestPdbReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void refusedFiles_data();
    void refusedFiles();
    void openErrorKeepsTheDatabase();
    void kriboProValues();
    void kribo3Conversion_data();
    void kribo3Conversion();
    void recordList_data();
    void recordList();
    void everyRecordIsRead_data();
    void everyRecordIsRead();
    void damagedRecords_data();
    void damagedRecords();
    void columnWidths_data();
    void columnWidths();
    void unknownTypeAfterRetryIsString();
    void popupArea_data();
    void popupArea();
    void modificationTime_data();
    void modificationTime();
};

void TestPdbReader::refusedFiles_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("kribo3");
    QTest::addColumn<QString>("question"); // answered with Cancel
    QTest::addColumn<QString>("error");

    const PdbBuilder oneField = PdbBuilder().Field("A").Record({"x"});
    QTest::newRow("header shorter than 78 bytes")
        << oneField.Build().left(77) << false << QString() << NotKribo;
    QTest::newRow("empty file") << QByteArray() << false << QString() << NotKribo;
    QTest::newRow("type is not a Kribo type")
        << PdbBuilder(oneField).Type("DATA").Build() << false << QString() << NotKribo;
    QTest::newRow("negative app-info offset")
        << PdbBuilder(oneField).ClaimAppInfoOffset(0x80000000u).Build() << false << QString()
        << QStringLiteral("Error: Seek KRStruc");
    QTest::newRow("app-info offset past the end")
        << PdbBuilder(oneField).ClaimAppInfoOffset(1000000).Build() << false << QString()
        << QStringLiteral("Error: Size KRStruc");
    QTest::newRow("app-info block short")
        << PdbBuilder(oneField).CutBlock(1701).Build() << false << QString()
        << QStringLiteral("Error: Size KRStruc");
    QTest::newRow("Kribo 3 block short")
        << PdbBuilder(PdbBuilder::Layout::Kribo3).Field("A").CutBlock(563).Build() << true
        << QString() << QStringLiteral("Error: Size KRStruc");
    QTest::newRow("unknown version declined")
        << PdbBuilder(oneField).BlockWord(1152, 577).Build() << false << QStringLiteral("database version")
        << QStringLiteral("Error: Version");
    QTest::newRow("unknown field type declined")
        << PdbBuilder().Field("A").Field("B", 0x0777).Record({"x", "y"}).Build() << false
        << QStringLiteral("fieldtype") << QStringLiteral("Error: Seek Fieldtype");
    QTest::newRow("record list runs past the end")
        << RecordListPastEnd() << false << QString() << QStringLiteral("Error: Record Ptr");
    QTest::newRow("51 fields") << PdbBuilder(oneField).ClaimFieldCount(51).Build() << false
                               << QString() << NotKribo;
    QTest::newRow("65535 fields") << PdbBuilder(oneField).ClaimFieldCount(65535).Build() << false
                                  << QString() << NotKribo;
    QTest::newRow("no fields") << PdbBuilder(oneField).ClaimFieldCount(0).Build() << false
                               << QString() << NotKribo;
    QTest::newRow("Kribo 3 with 21 fields")
        << PdbBuilder(PdbBuilder::Layout::Kribo3).Field("A").ClaimFieldCount(21).Build() << true
        << QString() << NotKribo;

    // Records that start inside other records' line breaks: every start needs its own CR LF
    // copy, far more than the file.
    PdbBuilder inside = PdbBuilder().Field("A").Record({QByteArray(3000, '\n')});
    for (int i = 1; i < 400; ++i)
        inside.Record({"x"});
    inside.Build();
    for (int i = 1; i < 400; ++i)
        inside.ClaimRecordOffset(i, quint32(inside.RecordOffsets().at(0) + 2 + i));
    QTest::newRow("copies beyond the file's size")
        << inside.Build() << false << QString() << QStringLiteral("Error: Read Record string");
}

void TestPdbReader::refusedFiles()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, kribo3);
    QFETCH(QString, question);
    QFETCH(QString, error);

    ScriptedPrompter prompter;
    if (kribo3)
        ExpectConversion(prompter);
    if (!question.isEmpty())
        ExpectQuestion(prompter, question, Answer::Cancel);
    prompter.Expect(QStringLiteral("Information"), error, Icon::Error, Buttons::Ok, Answer::Ok);

    Database database;
    QCOMPARE(Load(file, database, prompter), LoadResult::Aborted);
    KRIBED_VERIFY_PROMPTER(prompter);
}

void TestPdbReader::openErrorKeepsTheDatabase()
{
    QTemporaryDir dir;
    Database database;
    ScriptedPrompter quiet;
    QCOMPARE(Load(PdbBuilder().Name("Kept").Field("A").Record({"v"}).Build(), database, quiet),
             LoadResult::Loaded);

    const QString openError = QStringLiteral(
        "There was an error opening the file. This may caused by an invalid filename or path, or "
        "the file may be in use by another application.");
    for (const QString &path : {dir.filePath(QStringLiteral("missing.pdb")), dir.path()}) {
        ScriptedPrompter prompter;
        prompter.Expect(QStringLiteral("Error"), openError, Icon::Error, Buttons::Ok, Answer::Ok);
        QCOMPARE(LoadDatabaseFile(path, database, prompter), LoadResult::NotOpened);
        KRIBED_VERIFY_PROMPTER(prompter);
        QCOMPARE(database.Name(), QByteArray("Kept"));
        QCOMPARE(database.Cell(1, 1), QByteArray("v"));
    }
    // Opening for reading and writing must not make the missing file.
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("missing.pdb"))));
}

void TestPdbReader::kriboProValues()
{
    const QByteArray file = PdbBuilder()
                                .Name("Kunden")
                                .Creator("Othr")
                                .Field("Name")
                                .Field("Paid", 0x0002)
                                .Field("Note", 0x0001)
                                .BlockWord(1258, 2)
                                .BlockWord(1260, 3)
                                .BlockWord(1264, 1)
                                .BlockBytes(1282, QByteArray("Ann\0junk", 8))
                                .BlockWord(1298, 0x0033)
                                .Record({"Anna", "1", "a\nb\n"})
                                .Record({"Bert", "0", ""})
                                .Build();
    Database database;
    database.SetIncrementAmount(7);
    database.SetModified();
    database.SetFilterOn(true);
    ScriptedPrompter prompter;
    QCOMPARE(Load(file, database, prompter), LoadResult::Loaded);
    KRIBED_VERIFY_PROMPTER(prompter);

    QCOMPARE(database.Name(), QByteArray("Kunden"));
    QCOMPARE(database.FilePath(), QStringLiteral("/data/Test.pdb"));
    QCOMPARE(database.FieldCount(), 3);
    QCOMPARE(database.FieldName(2), QByteArray("Paid"));
    QCOMPARE(database.FieldType(2), int(BooleanType));
    QCOMPARE(Row(database, 1), (QList<QByteArray>{"Anna", "1", "a\r\nb\r\n"}));
    QCOMPARE(Row(database, 2), (QList<QByteArray>{"Bert", "0", ""}));
    QCOMPARE(database.SecondarySortField(), 2);
    QCOMPARE(database.TertiarySortField(), 3);
    QCOMPARE(database.FilterField(), 1);
    QCOMPARE(database.FilterText(), QByteArray("Ann"));
    QVERIFY(database.Flags().autoLock && database.Flags().readOnly && database.Flags().isPrivate
            && database.Flags().kriboFilter);
    QCOMPARE(database.IncrementAmount(), 1);
    QVERIFY(!database.IsModified());
    QVERIFY(!database.FilterOn());
}

void TestPdbReader::kribo3Conversion_data()
{
    QTest::addColumn<quint16>("version");
    QTest::addColumn<QList<QByteArray>>("popups");

    QTest::newRow("version 452 reads popups") << quint16(452) << QList<QByteArray>{"Red", "Blue"};
    QTest::newRow("version 451 has none") << quint16(451) << QList<QByteArray>{};
}

void TestPdbReader::kribo3Conversion()
{
    QFETCH(quint16, version);
    QFETCH(QList<QByteArray>, popups);

    const QByteArray file = PdbBuilder(PdbBuilder::Layout::Kribo3)
                                .Name("Stock")
                                .Field("Item")
                                .Field("Colour", 0x0040, 60)
                                .Field("Odd", 0x0777)
                                .BlockWord(462, version)
                                .BlockWord(504, 77)
                                .BlockWord(508, 2)
                                .BlockWord(514, 3)
                                .BlockBytes(532, "Bolt")
                                .BlockWord(548, 0x0033)
                                .BlockWord(550, 2)
                                .Popup(2, {"Red", "Blue"})
                                .Record({"Bolt", "Red", "q\n"})
                                .Build();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Stock.pdb"));
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(file);
    out.close();

    Database database;
    database.SetFieldType(3, FloatType); // the previous database's type must not carry over
    ScriptedPrompter prompter;
    ExpectConversion(prompter);
    QCOMPARE(LoadDatabaseFile(path, database, prompter), LoadResult::Loaded);
    KRIBED_VERIFY_PROMPTER(prompter);

    QCOMPARE(database.FilePath(), dir.filePath(QStringLiteral("Stock_p.pdb")));
    QCOMPARE(database.Name(), QByteArray("Stock_p"));
    QVERIFY(!QFile::exists(database.FilePath()));
    QFile in(path);
    QVERIFY(in.open(QIODevice::ReadOnly));
    QCOMPARE(in.readAll(), file);

    QCOMPARE(Row(database, 1), (QList<QByteArray>{"Bolt", "Red", "q\r\n"}));
    QCOMPARE(database.FieldType(2), int(NormalPopupType));
    QCOMPARE(database.FieldType(3), int(StringType));
    QCOMPARE(database.ColumnWidth(2), 90);
    QCOMPARE(database.PopupList(2), popups);
    QCOMPARE(database.SecondarySortField(), 2);
    QCOMPARE(database.FilterField(), 3);
    QCOMPARE(database.FilterText(), QByteArray("Bolt"));
    QVERIFY(!database.Flags().autoLock && !database.Flags().readOnly
            && !database.Flags().isPrivate && !database.Flags().kriboFilter);
    QCOMPARE(database.ExtrasLength(), 0);

    const AppInfo &image = database.AppInfoImage();
    QCOMPARE(image.Word(AppInfo::VersionOffset), quint16(576));
    QCOMPARE(image.Word(AppInfo::FurtherWidthOffset), quint16(77));
    QCOMPARE(image.Word(AppInfo::FieldNumberOffset), quint16(2));
    QCOMPARE(image.Word(AppInfo::FlagsOffset), quint16(0));
    QCOMPARE(image.FieldName(2), QByteArray("Colour"));
}

void TestPdbReader::recordList_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("records");

    PdbBuilder ten = PdbBuilder().Field("A");
    for (int i = 1; i <= 10; ++i)
        ten.Record({QByteArray::number(i)});
    QTest::newRow("entry 4 past the end keeps 4 records")
        << PdbBuilder(ten).ClaimRecordOffset(4, 0x7fffffff).Build() << 4;
    QTest::newRow("entry 0 at the very end keeps none")
        << PdbBuilder(ten).ClaimRecordOffset(0, quint32(ten.Build().size())).Build() << 0;
    QTest::newRow("highest offset counts as past the end")
        << PdbBuilder(ten).ClaimRecordOffset(9, 0xffffffff).Build() << 9;
    QTest::newRow("zero records") << PdbBuilder().Field("A").Field("B").Build() << 0;
}

void TestPdbReader::recordList()
{
    QFETCH(QByteArray, file);
    QFETCH(int, records);

    Database database;
    ScriptedPrompter prompter;
    QCOMPARE(Load(file, database, prompter), LoadResult::Loaded);
    KRIBED_VERIFY_PROMPTER(prompter);
    // No record is shown as one empty record.
    QCOMPARE(database.RecordCount(), qMax(records, 1));
    for (int record = 1; record <= records; ++record)
        QCOMPARE(database.Cell(1, record), QByteArray::number(record));
    if (records == 0) {
        for (const QByteArray &cell : database.RecordAt(1))
            QVERIFY(cell.isEmpty());
    }
}

// Records whose offsets overlap or repeat share the file's bytes: the texts of cells that do not
// share memory add up to no more than twice the file.
void TestPdbReader::everyRecordIsRead_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("kribo3");
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("lastRecord");
    QTest::addColumn<QList<QByteArray>>("lastCells");

    QTest::newRow("10000 records") << ManyRecords(10000) << false << 10000 << 10000
                                   << QList<QByteArray>{"9999"};

    // A Kribo 3 file whose records hold one text for three fields: each record's cells run on
    // into the texts of the records after it.
    PdbBuilder kribo3(PdbBuilder::Layout::Kribo3);
    kribo3.Field("A").Field("B").Field("C");
    for (int i = 1; i <= 300; ++i)
        kribo3.RawRecord("text " + QByteArray::number(i) + '\0');
    QTest::newRow("Kribo 3, fewer texts than fields, 300 records")
        << kribo3.Build() << true << 300 << 299 << QList<QByteArray>{"text 299", "text 300", ""};

    const auto repeated = [](const QByteArray &value) {
        PdbBuilder builder = PdbBuilder().Field("A").Field("B").Record({value, value});
        for (int i = 1; i < 2000; ++i)
            builder.Record({"x", "y"});
        builder.Build();
        for (int i = 1; i < 2000; ++i)
            builder.ClaimRecordOffset(i, quint32(builder.RecordOffsets().at(0)));
        return builder.Build();
    };
    QTest::newRow("2000 entries point at one record of 3000-byte values")
        << repeated(QByteArray(3000, 'v')) << false << 2000 << 2000
        << QList<QByteArray>{QByteArray(3000, 'v'), QByteArray(3000, 'v')};
    QTest::newRow("the same with line breaks")
        << repeated(QByteArray(1500, 'v') + '\n' + QByteArray(1499, 'w')) << false << 2000 << 2000
        << QList<QByteArray>(2, QByteArray(1500, 'v') + "\r\n" + QByteArray(1499, 'w'));
}

void TestPdbReader::everyRecordIsRead()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, kribo3);
    QFETCH(int, records);
    QFETCH(int, lastRecord);
    QFETCH(QList<QByteArray>, lastCells);

    Database database;
    ScriptedPrompter prompter;
    if (kribo3)
        ExpectConversion(prompter);
    QCOMPARE(Load(file, database, prompter), LoadResult::Loaded);
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(database.RecordCount(), records);
    QCOMPARE(Row(database, lastRecord), lastCells);

    QSet<const char *> seen;
    qint64 ownBytes = 0;
    for (const Database::Record &row : database.Records()) {
        for (const QByteArray &cell : row) {
            if (!cell.isEmpty() && !seen.contains(cell.constData())) {
                seen.insert(cell.constData());
                ownBytes += cell.size();
            }
        }
    }
    QVERIFY2(ownBytes <= 2 * file.size(), qPrintable(QString::number(ownBytes)));
}

void TestPdbReader::damagedRecords_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QList<QByteArray>>("cells");

    QTest::newRow("length words are not trusted")
        << QByteArray("\xff\xff\x00\x00\x12\x34" "ab\0cd\0ef\0", 15)
        << QList<QByteArray>{"ab", "cd", "ef"};
    QTest::newRow("last text without NUL ends at the file's end")
        << QByteArray("\0\0\0\0\0\0" "ab\0cd", 11) << QList<QByteArray>{"ab", "cd", ""};
    QTest::newRow("record shorter than its length words")
        << QByteArray("\0\x02\0", 3) << QList<QByteArray>{"", "", ""};
    QTest::newRow("LF becomes CR LF, a lone CR stays") << QByteArray("\0\0\0\0\0\0" "\n\0\r\0x\n\n\0", 14)
                                                  << QList<QByteArray>{"\r\n", "\r", "x\r\n\r\n"};
}

void TestPdbReader::damagedRecords()
{
    QFETCH(QByteArray, record);
    QFETCH(QList<QByteArray>, cells);

    const QByteArray file =
        PdbBuilder().Field("A").Field("B").Field("C").RawRecord(record).Build();
    Database database;
    ScriptedPrompter prompter;
    QCOMPARE(Load(file, database, prompter), LoadResult::Loaded);
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(Row(database, 1), cells);
}

void TestPdbReader::columnWidths_data()
{
    QTest::addColumn<double>("scale");
    QTest::addColumn<quint16>("units");
    QTest::addColumn<int>("pixels");

    QTest::newRow("width word 0 gets 10 pixels") << 1.5 << quint16(0) << 10;
    QTest::newRow("6 units at 1.5 are 9 pixels, made 10") << 1.5 << quint16(6) << 10;
    QTest::newRow("7 units at 1.5 round half to even") << 1.5 << quint16(7) << 10;
    QTest::newRow("9 units at 1.5 round half to even") << 1.5 << quint16(9) << 14;
    QTest::newRow("scale follows the database") << 2.0 << quint16(90) << 180;
    QTest::newRow("largest word") << 1.5 << quint16(65535) << 98302;
}

void TestPdbReader::columnWidths()
{
    QFETCH(double, scale);
    QFETCH(quint16, units);
    QFETCH(int, pixels);

    Database database;
    database.SetWidthScale(scale);
    ScriptedPrompter prompter;
    QCOMPARE(Load(PdbBuilder().Field("A", 1, units).Build(), database, prompter),
             LoadResult::Loaded);
    QCOMPARE(database.ColumnWidth(1), pixels);
}

void TestPdbReader::unknownTypeAfterRetryIsString()
{
    Database database;
    database.SetFieldType(2, FloatType);
    ScriptedPrompter prompter;
    ExpectQuestion(prompter, QStringLiteral("database version"), Answer::Retry);
    ExpectQuestion(prompter, QStringLiteral("fieldtype"), Answer::Retry);
    ExpectQuestion(prompter, QStringLiteral("fieldtype"), Answer::Retry);
    const QByteArray file = PdbBuilder()
                                .Field("A", 0x0000)
                                .Field("B", 0x0777)
                                .Field("C", 0x0043)
                                .BlockWord(1152, 1)
                                .Record({"1", "2", "3"})
                                .Build();
    QCOMPARE(Load(file, database, prompter), LoadResult::Loaded);
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(database.FieldType(1), int(StringType));
    QCOMPARE(database.FieldType(2), int(StringType));
    QCOMPARE(database.FieldType(3), int(AutoIncrementIntegerType));
}

void TestPdbReader::popupArea_data()
{
    QTest::addColumn<int>("fields");
    QTest::addColumn<QByteArray>("area");
    QTest::addColumn<bool>("endMarker");
    QTest::addColumn<QMap<int, QList<QByteArray>>>("lists");
    QTest::addColumn<QByteArray>("extras");

    const QByteArray example("popupa\0Red\0Blue\0popupc\0Small\0\0", 30);
    QTest::newRow("example with three fields")
        << 3 << example + "XY" << true
        << QMap<int, QList<QByteArray>>{{1, {"Red", "Blue"}}, {3, {"Small"}}} << QByteArray("XY");
    QTest::newRow("header for field 3 ends the area of two fields")
        << 2 << example << true << QMap<int, QList<QByteArray>>{{1, {"Red", "Blue"}}}
        << QByteArray("Small\0\0", 7);
    QTest::newRow("no items: four zero bytes, extras after them")
        << 1 << QByteArray(4, '\0') + "ext" << true << QMap<int, QList<QByteArray>>{}
        << QByteArray("ext");
    QTest::newRow("ordinary first text ends the area")
        << 1 << QByteArray("item\0popupa\0x\0\0", 15) << true << QMap<int, QList<QByteArray>>{}
        << QByteArray("popupa\0x\0\0", 10);
    QTest::newRow("no end marker: no extras")
        << 1 << QByteArray("\0\0\0\0ext", 7) << false << QMap<int, QList<QByteArray>>{}
        << QByteArray();
    QTest::newRow("popupA and popupX are fields 27 and 50")
        << 50 << QByteArray("popupA\0a\0popupX\0x\0\0", 19) << true
        << QMap<int, QList<QByteArray>>{{27, {"a"}}, {50, {"x"}}} << QByteArray();
    QTest::newRow("popupY and popup{ are ordinary items")
        << 50 << QByteArray("popupa\0popupY\0popup{\0popupz\0\0", 29) << true
        << QMap<int, QList<QByteArray>>{{1, {"popupY", "popup{"}}, {26, {}}} << QByteArray();
    QTest::newRow("five-letter and seven-letter texts are items")
        << 1 << QByteArray("popupa\0popup\0popupaa\0\0", 22) << true
        << QMap<int, QList<QByteArray>>{{1, {"popup", "popupaa"}}} << QByteArray();
    QTest::newRow("area running past the data ends there")
        << 1 << QByteArray("popupa\0last item", 16) << false
        << QMap<int, QList<QByteArray>>{{1, {"last item"}}} << QByteArray();
    QTest::newRow("no data after the block at all")
        << 1 << QByteArray() << false << QMap<int, QList<QByteArray>>{} << QByteArray();

    // An item that crosses the 2500th byte is the last one taken.
    QByteArray full("popupa\0", 7);
    full += QByteArray(2490, 'i') + '\0' + "crossing" + '\0' + "after" + '\0' + '\0';
    QTest::newRow("area stops at byte 2500")
        << 1 << full << true
        << QMap<int, QList<QByteArray>>{{1, {QByteArray(2490, 'i'), "crossing"}}}
        << QByteArray("after\0\0", 7);

    // An item whose NUL is the area's 2500th byte is the last one taken.
    QByteArray exact("popupa\0", 7);
    exact += QByteArray(2492, 'i') + '\0' + "after" + '\0' + '\0';
    QTest::newRow("item's NUL at byte 2500 ends the area")
        << 1 << exact << true << QMap<int, QList<QByteArray>>{{1, {QByteArray(2492, 'i')}}}
        << QByteArray("after\0\0", 7);
}

void TestPdbReader::popupArea()
{
    QFETCH(int, fields);
    QFETCH(QByteArray, area);
    QFETCH(bool, endMarker);
    using Lists = QMap<int, QList<QByteArray>>;
    QFETCH(Lists, lists);
    QFETCH(QByteArray, extras);

    PdbBuilder builder;
    for (int field = 1; field <= fields; ++field)
        builder.Field("F" + QByteArray::number(field));
    builder.RawPopupArea(area);
    if (!endMarker)
        builder.NoEndMarker();

    Database database;
    database.PopupList(2).append("stale");
    ScriptedPrompter prompter;
    QCOMPARE(Load(builder.Build(), database, prompter), LoadResult::Loaded);
    KRIBED_VERIFY_PROMPTER(prompter);
    for (int field = 1; field <= MaxFields; ++field)
        QCOMPARE(database.PopupList(field), lists.value(field));
    QCOMPARE(database.Extras(), extras);
}

void TestPdbReader::modificationTime_data()
{
    QTest::addColumn<quint32>("seconds");
    QTest::addColumn<QDateTime>("time");

    QTest::newRow("zero is one o'clock on 1 January 1970")
        << 0u << QDateTime(QDate(1970, 1, 1), QTime(1, 0));
    QTest::newRow("a day and a second later")
        << 86401u << QDateTime(QDate(1970, 1, 2), QTime(1, 0, 1));
    QTest::newRow("negative seconds reach back before 1970")
        << 0xffff0000u << QDateTime(QDate(1969, 12, 31), QTime(6, 47, 44));
    QTest::newRow("a date in 2024") << 1714975689u << QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9));
}

void TestPdbReader::modificationTime()
{
    QFETCH(quint32, seconds);
    QFETCH(QDateTime, time);

    Database database;
    ScriptedPrompter prompter;
    QCOMPARE(Load(PdbBuilder().Field("A").Dates(seconds).Build(), database, prompter),
             LoadResult::Loaded);
    QCOMPARE(database.ModificationTime(), time);
}

QTEST_GUILESS_MAIN(TestPdbReader)
#include "tst_pdb_reader.moc"
