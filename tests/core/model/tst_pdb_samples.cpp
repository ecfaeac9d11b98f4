// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
//
// The demo databases in examples/ and the reader's fuzz seeds in fuzz/corpus/pdb_reader/ are made
// here. The test checks that the committed files are exactly what the program makes now and that
// the demo databases open; run it with KRIBED_WRITE_SAMPLES=1 to write the files afresh.
#include "core/editing/sums.h"
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/pdb_reader.h"
#include "core/model/pdb_writer.h"
#include "core/model/regional.h"
#include "pdb_builder.h"
#include "scripted_prompter.h"

#include <QBuffer>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace kribed;
using kribed::test::PdbBuilder;
using kribed::test::ScriptedPrompter;

namespace {

const QDateTime SampleTime(QDate(2026, 3, 14), QTime(9, 26, 53));

QString sourcePath(const QString &relative)
{
    return QStringLiteral(KRIBED_SOURCE_DIR "/") + relative;
}

QByteArray written(Database &database, int currentColumn)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ScriptedPrompter prompter;
    if (!writeDatabase(buffer, database, currentColumn, SampleTime, prompter))
        return QByteArray();
    return buffer.data();
}

void addField(Database &database, const QByteArray &name, int type, int units)
{
    const int field = database.fieldCount() + 1;
    database.insertField(field, name, database.unitsToPixels(units));
    database.setFieldType(field, type);
}

// Customers: text, a popup list, dates, a Boolean, numbers, and a value with a line break.
QByteArray kunden()
{
    Database database;
    database.setShape(0, 0);
    addField(database, "Kundennr", AutoIncrementIntegerType, 40);
    addField(database, "Name", StringType, 90);
    addField(database, "Ort", StringType, 70);
    addField(database, "Status", NormalPopupType, 50);
    addField(database, "Interessen", MultiplePopupType, 80);
    addField(database, "Kunde seit", NormalDateType, 50);
    addField(database, "Stammkunde", BooleanType, 30);
    addField(database, "Umsatz", FloatType, 50);
    addField(database, "Notiz", StringType, 100);
    addField(database, "Geaendert", ModificationDateType, 50);
    database.popupList(4) = {"Neu", "Aktiv", "Ruhend"};
    database.popupList(5) = {"Wein", "Kaese", "Brot", "Obst"};

    const QList<QList<QByteArray>> rows = {
        {"Anna Albers", "Bremen", "Aktiv", "Wein Kaese", "12.03.2019", "1", "1520,50"},
        {"Bernd Bauer", "Hamburg", "Neu", "Brot", "02.11.2025", "0", "89,90"},
        {"Clara Christ", "Kiel", "Aktiv", "Obst Brot", "23.06.2017", "1", "3410,00"},
        {"Dieter Dahl", "Luebeck", "Ruhend", "", "14.01.2015", "0", "0"},
        {"Eva Engel", "Bremen", "Aktiv", "Kaese", "30.09.2020", "1", "980,25"},
        {"Frank Falk", "Oldenburg", "Neu", "Wein", "05.01.2026", "0", "45,00"},
        {"Gesa Grote", "Hamburg", "Aktiv", "Wein Brot Obst", "17.04.2018", "1", "2211,75"},
        {"Hans Haller", "Kiel", "Ruhend", "Brot", "08.08.2016", "0", "120,00"},
        {"Ines Ihle", "Bremen", "Aktiv", "Obst", "21.02.2021", "1", "760,40"},
        {"Jan Jansen", "Emden", "Neu", "Kaese Wein", "11.12.2025", "0", "310,00"},
        {"Karin Kruse", "Hamburg", "Aktiv", "Wein", "03.05.2014", "1", "5120,10"},
        {"Lars Lange", "Cuxhaven", "Aktiv", "Brot Kaese", "19.10.2019", "1", "1433,00"},
        {"Maja Meyer", "Bremen", "Ruhend", "", "27.07.2013", "0", "15,00"},
        {"Nils Noack", "Kiel", "Aktiv", "Obst Wein", "09.03.2022", "1", "640,80"},
        {"Olga Ott", "Luebeck", "Neu", "Kaese", "14.02.2026", "0", "72,30"},
        {"Paul Peters", "Hamburg", "Aktiv", "Wein Kaese Brot", "01.09.2012", "1", "8890,00"},
        {"Rita Roth", "Oldenburg", "Aktiv", "Obst", "16.11.2018", "1", "1104,60"},
        {"Sven Sander", "Bremen", "Ruhend", "Brot", "22.05.2015", "0", "230,00"},
        {"Tina Thiel", "Emden", "Aktiv", "Wein Obst", "05.06.2023", "1", "905,15"},
        {"Uwe Ulrich", "Kiel", "Neu", "", "28.02.2026", "0", "0"},
    };
    for (int i = 0; i < rows.size(); ++i) {
        QList<QByteArray> record{QByteArray::number(i + 1)};
        record += rows.at(i);
        record += i % 4 == 0 ? QByteArray("Liefert selbst ab.\r\nBitte anrufen.") : QByteArray();
        record += QByteArray("10.03.2026");
        database.insertRecord(i + 1, record);
    }
    database.setName("Kunden");
    database.setSecondarySortField(3);
    database.setFilterText("Bremen");
    database.setFilterField(3);
    return written(database, 2);
}

// Builds a demo of the row-sum marks from its field names and records: the fields from the second
// to the sum field are Normal Integer, the others String.
QByteArray sumDemo(const QByteArray &name, const QList<QByteArray> &names,
                   const QList<QList<QByteArray>> &rows, int sumField)
{
    Database database;
    database.setShape(0, 0);
    for (int field = 1; field <= names.size(); ++field) {
        const bool number = field > 1 && field <= sumField;
        addField(database, names.at(field - 1), number ? NormalIntegerType : StringType,
                 field == 1 || !number ? 70 : 60);
    }
    for (int i = 0; i < rows.size(); ++i)
        database.insertRecord(i + 1, rows.at(i));
    database.setName(name);
    return written(database, sumField);
}

// Pieces in stock: loose ones count once, a box holds 12 and a pallet 480; the note right of
// the sum field takes no part.
QByteArray sumDemo1()
{
    return sumDemo("SumDemo1", {"Item", "Loose", "Boxes #12", "Pallets #480", "Pieces &", "Note"},
                   {{"Bolt M6", "35", "14", "2", "1163", "shelf 3"},
                    {"Nut M6", "7", "40", "1", "967", "shelf 3"},
                    {"Washer M8", "0", "25", "3", "1740", ""},
                    {"Screw 4x40", "112", "8", "0", "208", "order more"},
                    {"Anchor S8", "3", "", "", "3", ""},
                    {"Hinge", "11", "2", "", "35", "shelf 7"}},
                   5);
}

// A household book: the income less rent, food and the rest, each marked with the factor -1.
QByteArray sumDemo2()
{
    return sumDemo("SumDemo2",
                   {"Month", "Income", "Rent #-1", "Food #-1", "Other #-1", "Balance &"},
                   {{"January", "2400", "850", "410", "260", "880"},
                    {"February", "2400", "850", "385", "120", "1045"},
                    {"March", "2550", "850", "430", "615", "655"},
                    {"April", "2400", "850", "398", "90", "1062"},
                    {"May", "2400", "850", "445", "1210", "-105"},
                    {"June", "3600", "850", "420", "300", "2030"}},
                   6);
}

// Stock in the Kribo 3 layout, which the program reads and converts but never writes: its bytes
// come from the fixture builder.
QByteArray stock()
{
    PdbBuilder builder(PdbBuilder::Layout::Kribo3);
    builder.name("Stock")
        .dates(1700000000)
        .field("Item", 0x0001, 80)
        .field("Size", 0x0040, 40)
        .field("Count", 0x0008, 40)
        .field("Price", 0x0010, 40)
        .field("Checked", 0x0004, 50)
        .blockWord(508, 1)
        .popup(2, {"M4", "M5", "M6", "M8"});
    const QList<QList<QByteArray>> rows = {
        {"Bolt", "M6", "120", "0.12", "3/2/2026"},
        {"Nut", "M6", "340", "0.04", "3/2/2026"},
        {"Washer", "M8", "75", "0.03", "2/27/2026"},
        {"Screw", "M4", "500", "0.05", "2/27/2026"},
        {"Anchor", "M8", "40", "0.35", "2/20/2026"},
        {"Bracket", "", "12", "2.10", "2/20/2026"},
        {"Hinge", "", "8", "3.75", "2/14/2026"},
        {"Threaded rod", "M5", "20", "1.40", "2/14/2026"},
    };
    for (const QList<QByteArray> &row : rows)
        builder.record(row);
    return builder.build();
}

QMap<QString, QByteArray> seedFiles()
{
    const PdbBuilder small = PdbBuilder()
                                 .name("Seed")
                                 .field("Name")
                                 .field("Kind", 0x0040)
                                 .field("Tags", 0x0051)
                                 .popup(2, {"a", "b"})
                                 .popup(3, {"x", "y", "z"})
                                 .extras("extra bytes")
                                 .record({"one", "a", "x y"})
                                 .record({"two\nlines", "b", ""});
    QMap<QString, QByteArray> seeds;
    seeds.insert(QStringLiteral("valid_small.pdb"), small.build());
    seeds.insert(QStringLiteral("valid_kribo3.pdb"), stock());
    seeds.insert(QStringLiteral("zero_records.pdb"), PdbBuilder().field("A").field("B").build());
    seeds.insert(QStringLiteral("no_end_marker.pdb"), PdbBuilder(small).noEndMarker().build());
    seeds.insert(QStringLiteral("list_past_end.pdb"),
                 PdbBuilder(small).claimRecordCount(9).build());
    seeds.insert(QStringLiteral("offset_past_end.pdb"),
                 PdbBuilder(small).claimRecordOffset(1, 0x00ffffff).build());
    seeds.insert(QStringLiteral("short_block.pdb"), PdbBuilder(small).cutBlock(900).build());
    seeds.insert(QStringLiteral("bad_version.pdb"), PdbBuilder(small).blockWord(1152, 9).build());
    seeds.insert(QStringLiteral("unknown_type.pdb"),
                 PdbBuilder().field("A", 0x0777).record({"v"}).build());
    seeds.insert(QStringLiteral("many_fields.pdb"), PdbBuilder(small).claimFieldCount(51).build());
    seeds.insert(
        QStringLiteral("popup_past_data.pdb"),
        PdbBuilder().field("A").rawPopupArea(QByteArray("popupa\0open", 11)).noEndMarker().build());
    seeds.insert(
        QStringLiteral("record_without_nul.pdb"),
        PdbBuilder().field("A").field("B").rawRecord(QByteArray("\0\0\0\0abc", 7)).build());
    QByteArray full("popupa\0", 7);
    full += QByteArray(2492, 'f') + '\0' + '\0';
    seeds.insert(QStringLiteral("full_popup_area.pdb"),
                 PdbBuilder().field("A").rawPopupArea(full).record({"v"}).build());
    PdbBuilder overlap = PdbBuilder().field("A").record({QByteArray(600, 'o')});
    for (int i = 0; i < 12; ++i)
        overlap.record({"r"});
    overlap.build();
    for (int i = 1; i <= 12; ++i)
        overlap.claimRecordOffset(i, quint32(overlap.recordOffsets().at(0)));
    seeds.insert(QStringLiteral("overlapping_records.pdb"), overlap.build());
    return seeds;
}

} // namespace

class TestPdbSamples : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void committedFiles_data();
    void committedFiles();
    void examplesOpen_data();
    void examplesOpen();
    void sumDemosAddUp_data();
    void sumDemosAddUp();
    void examplesAreInstalled();
};

void TestPdbSamples::committedFiles_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("examples/Kunden.pdb") << QStringLiteral("examples/Kunden.pdb") << kunden();
    QTest::newRow("examples/Stock.pdb") << QStringLiteral("examples/Stock.pdb") << stock();
    QTest::newRow("examples/SumDemo1.pdb") << QStringLiteral("examples/SumDemo1.pdb") << sumDemo1();
    QTest::newRow("examples/SumDemo2.pdb") << QStringLiteral("examples/SumDemo2.pdb") << sumDemo2();
    const QMap<QString, QByteArray> seeds = seedFiles();
    for (auto it = seeds.cbegin(); it != seeds.cend(); ++it) {
        const QString path = QStringLiteral("fuzz/corpus/pdb_reader/") + it.key();
        QTest::newRow(qPrintable(path)) << path << it.value();
    }
}

void TestPdbSamples::committedFiles()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, bytes);

    QVERIFY(!bytes.isEmpty());
    QVERIFY2(bytes.size() < 8192, "samples stay small");
    QFile file(sourcePath(path));
    if (qEnvironmentVariableIsSet("KRIBED_WRITE_SAMPLES")) {
        QVERIFY(QDir().mkpath(QFileInfo(file).path()));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
        return;
    }
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
    QVERIFY2(file.readAll() == bytes, "the committed file is not what the program makes now");
}

void TestPdbSamples::examplesOpen_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("kribo3");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<int>("fields");
    QTest::addColumn<int>("records");

    QTest::newRow("Kunden") << QStringLiteral("examples/Kunden.pdb") << false
                            << QByteArray("Kunden") << 10 << 20;
    QTest::newRow("Stock") << QStringLiteral("examples/Stock.pdb") << true << QByteArray("Stock_p")
                           << 5 << 8;
}

void TestPdbSamples::examplesOpen()
{
    QFETCH(QString, path);
    QFETCH(bool, kribo3);
    QFETCH(QByteArray, name);
    QFETCH(int, fields);
    QFETCH(int, records);

    ScriptedPrompter prompter;
    if (kribo3) {
        prompter.expect(QStringLiteral("Information"), QStringLiteral("This database created*"),
                        Icon::Warning, Buttons::Ok, Answer::Ok);
    }
    Database database;
    QCOMPARE(loadDatabaseFile(sourcePath(path), database, prompter, OpenAccess::ReadOnly),
             LoadResult::Loaded);
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(database.name(), name);
    QCOMPARE(database.fieldCount(), fields);
    QCOMPARE(database.recordCount(), records);
    QVERIFY(!database.popupList(kribo3 ? 2 : 4).isEmpty());
}

// Row Sum over a demo fills its sum field in every record with the totals the file holds, whatever
// the decimal separator.
void TestPdbSamples::sumDemosAddUp_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("sumField");

    for (const QString &locale : {QStringLiteral("en_US"), QStringLiteral("de_DE")}) {
        QTest::addRow("SumDemo1, %s", qPrintable(locale))
            << QStringLiteral("examples/SumDemo1.pdb") << locale << 5;
        QTest::addRow("SumDemo2, %s", qPrintable(locale))
            << QStringLiteral("examples/SumDemo2.pdb") << locale << 6;
    }
}

void TestPdbSamples::sumDemosAddUp()
{
    QFETCH(QString, path);
    QFETCH(QString, locale);
    QFETCH(int, sumField);

    const Regional regional{QLocale(locale)};
    ScriptedPrompter prompter;
    Database database;
    QCOMPARE(loadDatabaseFile(sourcePath(path), database, prompter, OpenAccess::ReadOnly),
             LoadResult::Loaded);
    QList<QByteArray> stored;
    for (int record = 1; record <= database.recordCount(); ++record) {
        stored.append(database.cell(sumField, record));
        database.setCell(sumField, record, QByteArray());
    }
    RowSumState state;
    const RowSumOutcome outcome = computeRowSums(database, state, 1, 1, regional);
    QCOMPARE(outcome.column, sumField);
    QCOMPARE(outcome.lastRow, database.recordCount());
    for (int record = 1; record <= database.recordCount(); ++record)
        QCOMPARE(database.cell(sumField, record), stored.at(record - 1));
    KRIBED_VERIFY_PROMPTER(prompter);
}

// The install puts every demo database into the folder the read-me names.
void TestPdbSamples::examplesAreInstalled()
{
    QTemporaryDir prefix;
    QProcess install;
    install.start(QStringLiteral(KRIBED_CMAKE_COMMAND),
                  {QStringLiteral("--install"), QStringLiteral(KRIBED_BINARY_DIR),
                   QStringLiteral("--prefix"), prefix.path(), QStringLiteral("--component"),
                   QStringLiteral("examples")});
    QVERIFY(install.waitForFinished(60000));
    QCOMPARE(install.exitCode(), 0);
    QCOMPARE(QStringLiteral(KRIBED_EXAMPLES_INSTALL_DIR), QStringLiteral("share/kribed/examples"));
    for (const QString &name : {QStringLiteral("Kunden.pdb"), QStringLiteral("Stock.pdb"),
                                QStringLiteral("SumDemo1.pdb"), QStringLiteral("SumDemo2.pdb")}) {
        QFile installed(prefix.filePath(QStringLiteral(KRIBED_EXAMPLES_INSTALL_DIR "/") + name));
        QFile source(sourcePath(QStringLiteral("examples/") + name));
        QVERIFY2(installed.open(QIODevice::ReadOnly), qPrintable(name));
        QVERIFY(source.open(QIODevice::ReadOnly));
        QCOMPARE(installed.readAll(), source.readAll());
    }
}

QTEST_GUILESS_MAIN(TestPdbSamples)
#include "tst_pdb_samples.moc"
