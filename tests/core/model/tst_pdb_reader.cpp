// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/pdb_reader.h"
#include "pdb_builder.h"
#include "pdb_read_helpers.h"
#include "scripted_prompter.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace kribed;
using namespace kribed::test;

namespace {

const QString NotKribo = QStringLiteral("It's not a Kribo database.");

void expectQuestion(ScriptedPrompter &prompter, const QString &what, Answer answer)
{
    prompter.expect(QStringLiteral("Warning"),
                    QStringLiteral("There is a unknown %1. This may cause %2 problems.\nPlease "
                                   "contact instantly the developer by email:  ")
                            .arg(what, what == QLatin1String("fieldtype")
                                           ? QStringLiteral("serious")
                                           : QStringLiteral("same"))
                        + supportAddress(),
                    Icon::Warning, Buttons::RetryCancel, answer);
}

// A file whose record list runs past its end while every entry read points inside the file: the
// block's words are all small and the file is longer than any of them.
QByteArray recordListPastEnd()
{
    return PdbBuilder()
        .field("", 0x0001, 0)
        .blockBytes(1154, QByteArray(100, '\0'))
        .blockWord(1254, 0)
        .extras(QByteArray(70000, '\0'))
        .noEndMarker()
        .claimRecordCount(65535)
        .build();
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

    const PdbBuilder oneField = PdbBuilder().field("A").record({"x"});
    QTest::newRow("header shorter than 78 bytes")
        << oneField.build().left(77) << false << QString() << NotKribo;
    QTest::newRow("empty file") << QByteArray() << false << QString() << NotKribo;
    QTest::newRow("type is not a Kribo type")
        << PdbBuilder(oneField).type("DATA").build() << false << QString() << NotKribo;
    QTest::newRow("negative app-info offset")
        << PdbBuilder(oneField).claimAppInfoOffset(0x80000000u).build() << false << QString()
        << QStringLiteral("Error: Seek KRStruc");
    QTest::newRow("app-info offset past the end")
        << PdbBuilder(oneField).claimAppInfoOffset(1000000).build() << false << QString()
        << QStringLiteral("Error: Size KRStruc");
    QTest::newRow("app-info block short") << PdbBuilder(oneField).cutBlock(1701).build() << false
                                          << QString() << QStringLiteral("Error: Size KRStruc");
    QTest::newRow("Kribo 3 block short")
        << PdbBuilder(PdbBuilder::Layout::Kribo3).field("A").cutBlock(563).build() << true
        << QString() << QStringLiteral("Error: Size KRStruc");
    QTest::newRow("unknown version declined")
        << PdbBuilder(oneField).blockWord(1152, 577).build() << false
        << QStringLiteral("database version") << QStringLiteral("Error: Version");
    QTest::newRow("unknown field type declined")
        << PdbBuilder().field("A").field("B", 0x0777).record({"x", "y"}).build() << false
        << QStringLiteral("fieldtype") << QStringLiteral("Error: Seek Fieldtype");
    QTest::newRow("record list runs past the end")
        << recordListPastEnd() << false << QString() << QStringLiteral("Error: Record Ptr");
    QTest::newRow("51 fields") << PdbBuilder(oneField).claimFieldCount(51).build() << false
                               << QString() << NotKribo;
    QTest::newRow("65535 fields") << PdbBuilder(oneField).claimFieldCount(65535).build() << false
                                  << QString() << NotKribo;
    QTest::newRow("no fields") << PdbBuilder(oneField).claimFieldCount(0).build() << false
                               << QString() << NotKribo;
    QTest::newRow("Kribo 3 with 21 fields")
        << PdbBuilder(PdbBuilder::Layout::Kribo3).field("A").claimFieldCount(21).build() << true
        << QString() << NotKribo;

    // Records that start inside other records' line breaks: every start needs its own CR LF
    // copy, far more than the file.
    PdbBuilder inside = PdbBuilder().field("A").record({QByteArray(3000, '\n')});
    for (int i = 1; i < 400; ++i)
        inside.record({"x"});
    inside.build();
    for (int i = 1; i < 400; ++i)
        inside.claimRecordOffset(i, quint32(inside.recordOffsets().at(0) + 2 + i));
    QTest::newRow("copies beyond the file's size")
        << inside.build() << false << QString() << QStringLiteral("Error: Read Record string");
}

void TestPdbReader::refusedFiles()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, kribo3);
    QFETCH(QString, question);
    QFETCH(QString, error);

    ScriptedPrompter prompter;
    if (kribo3)
        expectConversion(prompter);
    if (!question.isEmpty())
        expectQuestion(prompter, question, Answer::Cancel);
    prompter.expect(QStringLiteral("Information"), error, Icon::Error, Buttons::Ok, Answer::Ok);

    Database database;
    QCOMPARE(load(file, database, prompter), LoadResult::Aborted);
    KRIBED_VERIFY_PROMPTER(prompter);
}

void TestPdbReader::openErrorKeepsTheDatabase()
{
    QTemporaryDir dir;
    Database database;
    ScriptedPrompter quiet;
    QCOMPARE(load(PdbBuilder().name("Kept").field("A").record({"v"}).build(), database, quiet),
             LoadResult::Loaded);

    const QString openError = QStringLiteral(
        "There was an error opening the file. This may caused by an invalid filename or path, or "
        "the file may be in use by another application.");
    for (const QString &path : {dir.filePath(QStringLiteral("missing.pdb")), dir.path()}) {
        ScriptedPrompter prompter;
        prompter.expect(QStringLiteral("Error"), openError, Icon::Error, Buttons::Ok, Answer::Ok);
        QCOMPARE(loadDatabaseFile(path, database, prompter), LoadResult::NotOpened);
        KRIBED_VERIFY_PROMPTER(prompter);
        QCOMPARE(database.name(), QByteArray("Kept"));
        QCOMPARE(database.cell(1, 1), QByteArray("v"));
    }
    // Opening for reading and writing must not make the missing file.
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("missing.pdb"))));
}

void TestPdbReader::kriboProValues()
{
    const QByteArray file = PdbBuilder()
                                .name("Kunden")
                                .creator("Othr")
                                .field("Name")
                                .field("Paid", 0x0002)
                                .field("Note", 0x0001)
                                .blockWord(1258, 2)
                                .blockWord(1260, 3)
                                .blockWord(1264, 1)
                                .blockBytes(1282, QByteArray("Ann\0junk", 8))
                                .blockWord(1298, 0x0033)
                                .record({"Anna", "1", "a\nb\n"})
                                .record({"Bert", "0", ""})
                                .build();
    Database database;
    database.setIncrementAmount(7);
    database.setModified();
    database.setFilterOn(true);
    ScriptedPrompter prompter;
    QCOMPARE(load(file, database, prompter), LoadResult::Loaded);
    KRIBED_VERIFY_PROMPTER(prompter);

    QCOMPARE(database.name(), QByteArray("Kunden"));
    QCOMPARE(database.filePath(), QStringLiteral("/data/Test.pdb"));
    QCOMPARE(database.fieldCount(), 3);
    QCOMPARE(database.fieldName(2), QByteArray("Paid"));
    QCOMPARE(database.fieldType(2), int(BooleanType));
    QCOMPARE(row(database, 1), (QList<QByteArray>{"Anna", "1", "a\r\nb\r\n"}));
    QCOMPARE(row(database, 2), (QList<QByteArray>{"Bert", "0", ""}));
    QCOMPARE(database.secondarySortField(), 2);
    QCOMPARE(database.tertiarySortField(), 3);
    QCOMPARE(database.filterField(), 1);
    QCOMPARE(database.filterText(), QByteArray("Ann"));
    QVERIFY(database.flags().autoLock && database.flags().readOnly && database.flags().isPrivate
            && database.flags().kriboFilter);
    QCOMPARE(database.incrementAmount(), 1);
    QVERIFY(!database.isModified());
    QVERIFY(!database.filterOn());
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
                                .name("Stock")
                                .field("Item")
                                .field("Colour", 0x0040, 60)
                                .field("Odd", 0x0777)
                                .blockWord(462, version)
                                .blockWord(504, 77)
                                .blockWord(508, 2)
                                .blockWord(514, 3)
                                .blockBytes(532, "Bolt")
                                .blockWord(548, 0x0033)
                                .blockWord(550, 2)
                                .popup(2, {"Red", "Blue"})
                                .record({"Bolt", "Red", "q\n"})
                                .build();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Stock.pdb"));
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(file);
    out.close();

    Database database;
    database.setFieldType(3, FloatType); // the previous database's type must not carry over
    ScriptedPrompter prompter;
    expectConversion(prompter);
    QCOMPARE(loadDatabaseFile(path, database, prompter), LoadResult::Loaded);
    KRIBED_VERIFY_PROMPTER(prompter);

    QCOMPARE(database.filePath(), dir.filePath(QStringLiteral("Stock_p.pdb")));
    QCOMPARE(database.name(), QByteArray("Stock_p"));
    QVERIFY(!QFile::exists(database.filePath()));
    QFile in(path);
    QVERIFY(in.open(QIODevice::ReadOnly));
    QCOMPARE(in.readAll(), file);

    QCOMPARE(row(database, 1), (QList<QByteArray>{"Bolt", "Red", "q\r\n"}));
    QCOMPARE(database.fieldType(2), int(NormalPopupType));
    QCOMPARE(database.fieldType(3), int(StringType));
    QCOMPARE(database.columnWidth(2), 90);
    QCOMPARE(database.popupList(2), popups);
    QCOMPARE(database.secondarySortField(), 2);
    QCOMPARE(database.filterField(), 3);
    QCOMPARE(database.filterText(), QByteArray("Bolt"));
    QVERIFY(!database.flags().autoLock && !database.flags().readOnly && !database.flags().isPrivate
            && !database.flags().kriboFilter);
    QCOMPARE(database.extrasLength(), 0);

    const AppInfo &image = database.appInfoImage();
    QCOMPARE(image.word(AppInfo::VersionOffset), quint16(576));
    QCOMPARE(image.word(AppInfo::FurtherWidthOffset), quint16(77));
    QCOMPARE(image.word(AppInfo::FieldNumberOffset), quint16(2));
    QCOMPARE(image.word(AppInfo::FlagsOffset), quint16(0));
    QCOMPARE(image.fieldName(2), QByteArray("Colour"));
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
    database.setWidthScale(scale);
    ScriptedPrompter prompter;
    QCOMPARE(load(PdbBuilder().field("A", 1, units).build(), database, prompter),
             LoadResult::Loaded);
    QCOMPARE(database.columnWidth(1), pixels);
}

void TestPdbReader::unknownTypeAfterRetryIsString()
{
    Database database;
    database.setFieldType(2, FloatType);
    ScriptedPrompter prompter;
    expectQuestion(prompter, QStringLiteral("database version"), Answer::Retry);
    expectQuestion(prompter, QStringLiteral("fieldtype"), Answer::Retry);
    expectQuestion(prompter, QStringLiteral("fieldtype"), Answer::Retry);
    const QByteArray file = PdbBuilder()
                                .field("A", 0x0000)
                                .field("B", 0x0777)
                                .field("C", 0x0043)
                                .blockWord(1152, 1)
                                .record({"1", "2", "3"})
                                .build();
    QCOMPARE(load(file, database, prompter), LoadResult::Loaded);
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(database.fieldType(1), int(StringType));
    QCOMPARE(database.fieldType(2), int(StringType));
    QCOMPARE(database.fieldType(3), int(AutoIncrementIntegerType));
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
    QTest::newRow("no end marker: no extras") << 1 << QByteArray("\0\0\0\0ext", 7) << false
                                              << QMap<int, QList<QByteArray>>{} << QByteArray();
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
        builder.field("F" + QByteArray::number(field));
    builder.rawPopupArea(area);
    if (!endMarker)
        builder.noEndMarker();

    Database database;
    database.popupList(2).append("stale");
    ScriptedPrompter prompter;
    QCOMPARE(load(builder.build(), database, prompter), LoadResult::Loaded);
    KRIBED_VERIFY_PROMPTER(prompter);
    for (int field = 1; field <= MaxFields; ++field)
        QCOMPARE(database.popupList(field), lists.value(field));
    QCOMPARE(database.extras(), extras);
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
    QCOMPARE(load(PdbBuilder().field("A").dates(seconds).build(), database, prompter),
             LoadResult::Loaded);
    QCOMPARE(database.modificationTime(), time);
}

QTEST_GUILESS_MAIN(TestPdbReader)
#include "tst_pdb_reader.moc"
