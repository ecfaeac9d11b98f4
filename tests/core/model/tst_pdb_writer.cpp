// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/pdb_reader.h"
#include "core/model/pdb_writer.h"
#include "pdb_builder.h"
#include "scripted_prompter.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kribed;
using kribed::test::PdbBuilder;
using kribed::test::ScriptedPrompter;

namespace {

const QDateTime SaveTime(QDate(2024, 5, 6), QTime(7, 8, 9));
constexpr quint32 SaveSeconds = 1714975689; // 2024-05-06 07:08:09 counted from 1970-01-01 01:00

const QString SaveErrorText = QStringLiteral(
    "There was an error in saving the file. This may be caused by an invalid filename or a full "
    "or write protected disk.");

void ExpectSaveError(ScriptedPrompter &prompter)
{
    prompter.Expect(QStringLiteral("Save error"), SaveErrorText, Icon::Error, Buttons::Ok,
                    Answer::Ok);
}

void ExpectTooMuchPopups(ScriptedPrompter &prompter)
{
    prompter.Expect(QStringLiteral("Kribed-pro"), QStringLiteral("Too much popups!"), Icon::None,
                    Buttons::Ok, Answer::Ok);
}

bool LoadBytes(const QByteArray &file, Database &database, Prompter &prompter)
{
    QBuffer buffer;
    buffer.setData(file);
    buffer.open(QIODevice::ReadOnly);
    return ReadDatabase(buffer, QStringLiteral("/data/Test.pdb"), database, prompter)
           == LoadResult::Loaded;
}

QByteArray Write(Database &database, int currentColumn, Prompter &prompter)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!WriteDatabase(buffer, database, currentColumn, SaveTime, prompter))
        return QByteArrayLiteral("write failed");
    return buffer.data();
}

// Names the first differing byte, so a failed comparison says where the files part.
QString Difference(const QByteArray &actual, const QByteArray &expected)
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

#define COMPARE_FILES(actual, expected)                                                      \
    do {                                                                                     \
        const QString difference = Difference((actual), (expected));                         \
        QVERIFY2(difference.isEmpty(), qPrintable(difference));                              \
    } while (false)

QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("missing");
}

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// The folder's files, names joined by blanks.
QString Entries(const QString &path)
{
    return QDir(path)
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name)
        .join(u' ');
}

PdbBuilder Saved(PdbBuilder builder, int currentColumn)
{
    return builder.Dates(SaveSeconds).BlockWord(1256, quint16(currentColumn + 1));
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
    void fileNames_data();
    void fileNames();
    void saveKeepsOneBackup();
    void saveAsTakesTheNewName();
    void copyLeavesPathAndFlag();
    void failedWriteLeavesPreviousFiles_data();
    void failedWriteLeavesPreviousFiles();
    void uncreatableFileChangesNothing();
    void listWithAHeaderItemIsNotSaved();
};

void TestPdbWriter::roundTrip_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("currentColumn");
    QTest::addColumn<int>("questions"); // unknown-type questions, answered with Retry
    QTest::addColumn<bool>("kribo3");
    QTest::addColumn<QByteArray>("expected");

    const PdbBuilder two = PdbBuilder()
                               .Name("Kunden")
                               .Field("Name", 0x0001, 80)
                               .Field("Paid", 0x0002, 20)
                               .Record({"Anna", "1"})
                               .Record({"Bert", ""});
    QTest::newRow("two fields, two records")
        << PdbBuilder(two).Dates(5).Build() << 1 << 0 << false << Saved(two, 1).Build();

    QTest::newRow("zero records come back as one empty record")
        << PdbBuilder().Field("A").Field("B").Build() << 2 << 0 << false
        << Saved(PdbBuilder().Field("A").Field("B").Record({"", ""}), 2).Build();

    PdbBuilder fifty;
    QList<QByteArray> values;
    for (int field = 1; field <= 50; ++field) {
        fifty.Field("Field " + QByteArray::number(field), field % 2 ? 0x0040 : 0x0051);
        values.append("v" + QByteArray::number(field));
    }
    fifty.Record(values)
        .Popup(1, {"one", "two"})
        .Popup(26, {"z"})
        .Popup(27, {"A item"})
        .Popup(50, {"X1", "X2", "X3"});
    QTest::newRow("popups on fields 1, 26, 27 and 50")
        << fifty.Build() << 50 << 0 << false << Saved(fifty, 50).Build();

    const PdbBuilder extras = PdbBuilder(two).Extras(QByteArray("\x01\x00xyz\xff", 6));
    QTest::newRow("extras kept byte for byte")
        << extras.Build() << 1 << 0 << false << Saved(extras, 1).Build();
    QTest::newRow("without end marker the extras are dropped")
        << PdbBuilder(two).Extras("lost").NoEndMarker().Build() << 1 << 0 << false
        << Saved(two, 1).Build();

    const QList<quint16> codes{0x0001, 0x0002, 0x0004, 0x0041, 0x0049, 0x0020, 0x0042,
                               0x0050, 0x0040, 0x0051, 0x0008, 0x0043, 0x0010};
    PdbBuilder types;
    QList<QByteArray> typeValues;
    for (const quint16 code : codes) {
        types.Field("T" + QByteArray::number(code, 16), code);
        typeValues.append(QByteArray::number(code));
    }
    types.Record(typeValues);
    QTest::newRow("all 13 types") << types.Build() << 13 << 0 << false << Saved(types, 13).Build();

    QTest::newRow("flag bits beyond the four kept")
        << PdbBuilder(two).BlockWord(1298, 0xffcc).Build() << 1 << 0 << false
        << Saved(PdbBuilder(two).BlockWord(1298, 0xffcc), 1).Build();
    QTest::newRow("all flag bits set")
        << PdbBuilder(two).BlockWord(1298, 0xffff).Build() << 1 << 0 << false
        << Saved(PdbBuilder(two).BlockWord(1298, 0xffff), 1).Build();
    QTest::newRow("further width 0 written as 90")
        << PdbBuilder(two).BlockWord(1254, 0).Build() << 1 << 0 << false << Saved(two, 1).Build();
    QTest::newRow("further width kept")
        << PdbBuilder(two).BlockWord(1254, 1234).Build() << 1 << 0 << false
        << Saved(PdbBuilder(two).BlockWord(1254, 1234), 1).Build();
    QTest::newRow("field-number word above m written as 1")
        << PdbBuilder(two).BlockWord(1300, 3).Build() << 1 << 0 << false << Saved(two, 1).Build();
    QTest::newRow("field-number word up to m kept")
        << PdbBuilder(two).BlockWord(1300, 2).Build() << 1 << 0 << false
        << Saved(PdbBuilder(two).BlockWord(1300, 2), 1).Build();

    QByteArray pattern(400, '\0');
    for (int i = 0; i < pattern.size(); ++i)
        pattern[i] = char(i * 7 + 3);
    QTest::newRow("bytes 1302 to 1701 kept")
        << PdbBuilder(two).BlockBytes(1302, pattern).Build() << 1 << 0 << false
        << Saved(PdbBuilder(two).BlockBytes(1302, pattern), 1).Build();

    QTest::newRow("filter field, word 1262 and text 1266 written empty")
        << PdbBuilder(two)
               .BlockWord(1262, 7)
               .BlockWord(1264, 2)
               .BlockBytes(1266, "text")
               .BlockBytes(1282, "flt")
               .BlockWord(1258, 2)
               .BlockWord(1260, 1)
               .Build()
        << 1 << 0 << false
        << Saved(PdbBuilder(two).BlockBytes(1282, "flt").BlockWord(1258, 2).BlockWord(1260, 1), 1)
               .Build();

    QTest::newRow("name slots above m kept, type slots above m from the type table")
        << PdbBuilder(two).BlockBytes(21 * 7, "old name").BlockWord(1050 + 2 * 9, 0x0002).Build()
        << 1 << 0 << false << Saved(PdbBuilder(two).BlockBytes(21 * 7, "old name"), 1).Build();

    QTest::newRow("width word 0 comes back as the units of 10 pixels")
        << PdbBuilder().Field("A", 1, 0).Build() << 1 << 0 << false
        << Saved(PdbBuilder().Field("A", 1, 7).Record({""}), 1).Build();

    const PdbBuilder lines = PdbBuilder().Field("A").Record({"a\nb"}).Record({"end\n"});
    QTest::newRow("LF comes back as LF") << lines.Build() << 1 << 0 << false
                                         << Saved(lines, 1).Build();

    QTest::newRow("32-character header name saved as 31")
        << PdbBuilder(two).Name(QByteArray(32, 'n')).Build() << 1 << 0 << false
        << Saved(PdbBuilder(two).Name(QByteArray(31, 'n')), 1).Build();

    QTest::newRow("unknown type codes saved as String")
        << PdbBuilder().Field("A", 0x0777).Field("B", 0x0000).Record({"1", "2"}).Build() << 1 << 2
        << false << Saved(PdbBuilder().Field("A").Field("B").Record({"1", "2"}), 1).Build();

    const PdbBuilder kribo3 = PdbBuilder(PdbBuilder::Layout::Kribo3)
                                  .Name("Stock")
                                  .Field("Item", 0x0001, 60)
                                  .Field("Count", 0x0008, 30)
                                  .BlockWord(504, 77)
                                  .BlockWord(508, 2)
                                  .BlockBytes(532, "Bo")
                                  .BlockWord(548, 0x0033)
                                  .BlockWord(550, 2)
                                  .Popup(1, {"Bolt", "Nut"})
                                  .Record({"Bolt", "5"});
    QTest::newRow("Kribo 3 saved in the Kribo pro layout")
        << kribo3.Build() << 2 << 0 << true
        << Saved(PdbBuilder()
                     .Name("Stock_p")
                     .Field("Item", 0x0001, 60)
                     .Field("Count", 0x0008, 30)
                     .BlockWord(1254, 77)
                     .BlockWord(1258, 2)
                     .BlockBytes(1282, "Bo")
                     .BlockWord(1300, 2)
                     .Popup(1, {"Bolt", "Nut"})
                     .Record({"Bolt", "5"}),
                 2)
               .Build();
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
        prompter.Expect(QStringLiteral("Information"), QStringLiteral("This database created*"),
                        Icon::Warning, Buttons::Ok, Answer::Ok);
    }
    for (int i = 0; i < questions; ++i) {
        prompter.Expect(QStringLiteral("Warning"), QStringLiteral("There is a unknown fieldtype*"),
                        Icon::Warning, Buttons::RetryCancel, Answer::Retry);
    }
    Database database;
    QVERIFY(LoadBytes(input, database, prompter));
    const QByteArray saved = Write(database, currentColumn, prompter);
    KRIBED_VERIFY_PROMPTER(prompter);
    COMPARE_FILES(saved, expected);

    // What the program wrote, it reads back and writes again unchanged.
    Database again;
    ScriptedPrompter quiet;
    QVERIFY(LoadBytes(saved, again, quiet));
    COMPARE_FILES(Write(again, currentColumn, quiet), expected);
    KRIBED_VERIFY_PROMPTER(quiet);
}

// A file may hold more than 9999 records; a save writes every one of them back.
void TestPdbWriter::moreRecordsThanTheEditorAdds()
{
    PdbBuilder builder;
    builder.Field("N").Field("Text");
    for (int i = 1; i <= 10001; ++i)
        builder.Record({QByteArray::number(i), "line\n" + QByteArray::number(i)});
    const QByteArray input = Saved(builder, 1).Build();

    Database database;
    ScriptedPrompter prompter;
    QVERIFY(LoadBytes(input, database, prompter));
    QCOMPARE(database.RecordCount(), 10001);
    COMPARE_FILES(Write(database, 1, prompter), input);
    KRIBED_VERIFY_PROMPTER(prompter);
}

void TestPdbWriter::storedValues_data()
{
    QTest::addColumn<QByteArray>("cell");
    QTest::addColumn<QByteArray>("stored");

    QTest::newRow("empty value is the length word 1 and a NUL") << QByteArray() << QByteArray();
    QTest::newRow("CR LF becomes LF") << QByteArray("a\r\nb") << QByteArray("a\nb");
    QTest::newRow("TAB kept") << QByteArray("a\tb") << QByteArray("a\tb");
    QTest::newRow("other control bytes and NUL dropped")
        << QByteArray("\x01" "a\x1f\0b\x7f\x80", 7) << QByteArray("ab\x7f\x80");
    QTest::newRow("5000 characters cut to 4000")
        << QByteArray(5000, 'x') << QByteArray(4000, 'x');
    QTest::newRow("the cut counts stored bytes only")
        << QByteArray(10, '\r') + QByteArray(3999, 'y') + "z!" << QByteArray(3999, 'y') + 'z';
}

void TestPdbWriter::storedValues()
{
    QFETCH(QByteArray, cell);
    QFETCH(QByteArray, stored);

    Database database;
    database.SetShape(1, 1);
    database.SetCell(1, 1, cell);
    ScriptedPrompter prompter;
    const QByteArray file = Write(database, 1, prompter);
    const quint32 offset = ReadLong(file.constData() + 78);
    QByteArray record;
    record.append(char((stored.size() + 1) >> 8)).append(char((stored.size() + 1) & 0xff));
    record.append(stored).append('\0');
    COMPARE_FILES(file.mid(offset), record);
}

void TestPdbWriter::modelValuesInTheHeaderAndBlock()
{
    Database database;
    database.SetShape(3, 2);
    database.SetName(QByteArray(40, 'd'));
    database.SetFieldName(2, "A field name of 25 chars");
    database.SetFilterText("0123456789abcdef");
    database.SetSecondarySortField(3);
    database.SetTertiarySortField(1);
    database.SetFilterField(2);
    database.Flags().isPrivate = true;
    database.Flags().kriboFilter = true;
    ScriptedPrompter prompter;
    const QByteArray file = Write(database, 3, prompter);

    QCOMPARE(file.left(32), QByteArray(31, 'd') + '\0');
    QCOMPARE(ReadWord(file.constData() + 32), quint16(0x0008));
    QCOMPARE(ReadLong(file.constData() + 36), SaveSeconds);
    QCOMPARE(ReadLong(file.constData() + 40), SaveSeconds);
    QCOMPARE(ReadLong(file.constData() + 52), quint32(80 + 8 * 2));
    QCOMPARE(file.mid(60, 8), QByteArray("KrDbKrbo"));
    QCOMPARE(ReadWord(file.constData() + 76), quint16(2));
    QCOMPARE(database.ModificationTime(), SaveTime);

    const QByteArray block = file.mid(96, AppInfo::Size);
    QCOMPARE(block.mid(21, 21), QByteArray("A field name of 25 c") + '\0');
    QCOMPARE(ReadWord(block.constData() + 1150), quint16(3));
    QCOMPARE(ReadWord(block.constData() + 1256), quint16(4));
    QCOMPARE(ReadWord(block.constData() + 1258), quint16(3));
    QCOMPARE(ReadWord(block.constData() + 1260), quint16(1));
    QCOMPARE(ReadWord(block.constData() + 1264), quint16(0));
    QCOMPARE(block.mid(1282, 16), QByteArray("0123456789abcde") + '\0');
    QCOMPARE(ReadWord(block.constData() + 1298), quint16(0x0030));
    // No popup items: four zero bytes, no extras, the end marker, then the records.
    QCOMPARE(file.mid(96 + AppInfo::Size, 17), QByteArray(4, '\0') + QByteArray("EndKriboData", 13));
    QCOMPARE(ReadLong(file.constData() + 78), quint32(96 + AppInfo::Size + 17));
    QCOMPARE(ReadLong(file.constData() + 86), quint32(96 + AppInfo::Size + 17 + 6 + 3));
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
        << QByteArray("popupa\0", 7) + before + '\0' + '\0'
        << QList<QList<QByteArray>>{{before}};
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
    database.SetShape(2, 1);
    for (int field = 1; field <= lists.size(); ++field)
        database.PopupList(field) = lists.at(field - 1);
    ScriptedPrompter prompter;
    if (tooMuch)
        ExpectTooMuchPopups(prompter);
    const QByteArray file = Write(database, 1, prompter);
    KRIBED_VERIFY_PROMPTER(prompter);
    const int areaStart = 80 + 8 + AppInfo::Size;
    COMPARE_FILES(file.mid(areaStart, area.size() + 13), area + QByteArray("EndKriboData", 13));

    // Reading it back gives what fitted, and a second save neither shrinks nor grows the file.
    Database again;
    ScriptedPrompter quiet;
    QVERIFY(LoadBytes(file, again, quiet));
    for (int field = 1; field <= reloaded.size(); ++field)
        QCOMPARE(again.PopupList(field), reloaded.at(field - 1));
    QCOMPARE(again.ExtrasLength(), 0);
    // An item cut at the end fills the area again; an item left out leaves room.
    if (tooMuch && area.size() > MaxPopupAreaBytes)
        ExpectTooMuchPopups(quiet);
    COMPARE_FILES(Write(again, 1, quiet), file);
    KRIBED_VERIFY_PROMPTER(quiet);
}

void TestPdbWriter::fileNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("pdb");
    QTest::addColumn<QString>("backup");

    QTest::newRow("extension replaced") << QStringLiteral("/d/Copy.txt") << QStringLiteral("/d/Copy.pdb") << QStringLiteral("/d/Copy.pd_");
    QTest::newRow("extension added") << QStringLiteral("/d/Copy") << QStringLiteral("/d/Copy.pdb") << QStringLiteral("/d/Copy.pd_");
    QTest::newRow("only the last extension") << QStringLiteral("/d/a.b.txt") << QStringLiteral("/d/a.b.pdb") << QStringLiteral("/d/a.b.pd_");
    QTest::newRow("dot in a folder is no extension") << QStringLiteral("/d.x/Copy") << QStringLiteral("/d.x/Copy.pdb")
                                                     << QStringLiteral("/d.x/Copy.pd_");
    QTest::newRow(".pdb stays") << QStringLiteral("/d/Stock.pdb") << QStringLiteral("/d/Stock.pdb") << QStringLiteral("/d/Stock.pd_");
}

void TestPdbWriter::fileNames()
{
    QFETCH(QString, name);
    QFETCH(QString, pdb);
    QFETCH(QString, backup);
    QCOMPARE(PdbFileName(name), pdb);
    QCOMPARE(BackupFileName(name), backup);
}

void TestPdbWriter::saveKeepsOneBackup()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Stock.pdb"));
    const QByteArray original = PdbBuilder().Field("A").Record({"first"}).Build();
    WriteFile(path, original);
    WriteFile(dir.filePath(QStringLiteral("Stock.pd_")), "older backup");

    Database database;
    ScriptedPrompter prompter;
    QCOMPARE(LoadDatabaseFile(path, database, prompter), LoadResult::Loaded);
    database.SetModified();
    QVERIFY(SaveDatabase(database, SaveMode::OwnFile, QString(), 1, prompter));
    QCOMPARE(ReadFile(dir.filePath(QStringLiteral("Stock.pd_"))), original);
    const QByteArray firstSave = ReadFile(path);
    QVERIFY(firstSave != original);
    QVERIFY(!database.IsModified());
    QCOMPARE(database.FilePath(), path);
    QVERIFY(qAbs(database.ModificationTime().secsTo(QDateTime::currentDateTime())) < 60);

    database.SetCell(1, 1, "second");
    database.SetModified();
    QVERIFY(SaveDatabase(database, SaveMode::OwnFile, QString(), 1, prompter));
    QCOMPARE(ReadFile(dir.filePath(QStringLiteral("Stock.pd_"))), firstSave);
    Database reloaded;
    QCOMPARE(LoadDatabaseFile(path, reloaded, prompter), LoadResult::Loaded);
    QCOMPARE(reloaded.Cell(1, 1), QByteArray("second"));
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(Entries(dir.path()), QStringLiteral("Stock.pd_ Stock.pdb"));
}

void TestPdbWriter::saveAsTakesTheNewName()
{
    QTemporaryDir dir;
    Database database;
    database.SetShape(1, 1);
    database.SetFilePath(dir.filePath(QStringLiteral("Old.pdb")));
    database.SetModified();
    ScriptedPrompter prompter;
    const QString copy = PdbFileName(dir.filePath(QStringLiteral("Copy.txt")));
    QVERIFY(SaveDatabase(database, SaveMode::ChosenName, copy, 1, prompter));
    QCOMPARE(database.FilePath(), dir.filePath(QStringLiteral("Copy.pdb")));
    QVERIFY(!database.IsModified());
    QCOMPARE(Entries(dir.path()), QStringLiteral("Copy.pdb"));

    QVERIFY(SaveDatabase(database, SaveMode::ChosenName, copy, 1, prompter));
    QCOMPARE(Entries(dir.path()), QStringLiteral("Copy.pd_ Copy.pdb"));
    KRIBED_VERIFY_PROMPTER(prompter);
}

void TestPdbWriter::copyLeavesPathAndFlag()
{
    QTemporaryDir dir;
    Database database;
    database.SetShape(1, 1);
    database.SetCell(1, 1, "v");
    database.SetFilePath(dir.filePath(QStringLiteral("Own.pdb")));
    database.SetModified();
    const QString target = dir.filePath(QStringLiteral("install.pdb"));
    ScriptedPrompter prompter;
    QVERIFY(SaveDatabase(database, SaveMode::Copy, target, 1, prompter));
    QVERIFY(SaveDatabase(database, SaveMode::Copy, target, 1, prompter));
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(Entries(dir.path()), QStringLiteral("install.pdb"));
    QCOMPARE(database.FilePath(), dir.filePath(QStringLiteral("Own.pdb")));
    QVERIFY(database.IsModified());
    QVERIFY(qAbs(database.ModificationTime().secsTo(QDateTime::currentDateTime())) < 60);

    Database copy;
    QCOMPARE(LoadDatabaseFile(target, copy, prompter), LoadResult::Loaded);
    QCOMPARE(copy.Cell(1, 1), QByteArray("v"));
}

// The save runs in a child whose files may not grow past a few kilobytes, so the write fails for
// real; the parent then finds the previous file and its backup as they were.
void TestPdbWriter::failedWriteLeavesPreviousFiles_data()
{
    QTest::addColumn<int>("records");
    // A small file fails only when the last buffered bytes go out; a large one while writing.
    QTest::newRow("fails at the last flush") << 50;
    QTest::newRow("fails while writing") << 1000;
}

void TestPdbWriter::failedWriteLeavesPreviousFiles()
{
    QFETCH(int, records);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Stock.pdb"));
    const QByteArray original = PdbBuilder().Field("A").Record({"small"}).Build();
    WriteFile(path, original);
    WriteFile(dir.filePath(QStringLiteral("Stock.pd_")), "older backup");

    Database database;
    ScriptedPrompter loader;
    QCOMPARE(LoadDatabaseFile(path, database, loader), LoadResult::Loaded);
    for (int record = 2; record <= records; ++record)
        database.InsertRecord(record, {QByteArray(200, 'x')});
    database.SetModified();

    const pid_t child = fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{8192, 8192};
        setrlimit(RLIMIT_FSIZE, &limit);
        ScriptedPrompter prompter;
        ExpectSaveError(prompter);
        const bool saved = SaveDatabase(database, SaveMode::OwnFile, QString(), 1, prompter);
        const bool sound = !saved && prompter.Failures().isEmpty() && database.IsModified()
                           && database.FilePath() == path;
        _exit(sound ? 0 : 1);
    }
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY(WIFEXITED(status));
    QCOMPARE(WEXITSTATUS(status), 0);
    QCOMPARE(ReadFile(path), original);
    QCOMPARE(ReadFile(dir.filePath(QStringLiteral("Stock.pd_"))), QByteArray("older backup"));
    QCOMPARE(Entries(dir.path()), QStringLiteral("Stock.pd_ Stock.pdb"));
}

void TestPdbWriter::uncreatableFileChangesNothing()
{
    QTemporaryDir dir;
    Database database;
    database.SetShape(1, 1);
    database.SetFilePath(dir.filePath(QStringLiteral("Own.pdb")));
    database.SetModified();
    ScriptedPrompter prompter;
    ExpectSaveError(prompter);
    ExpectSaveError(prompter);
    QVERIFY(!SaveDatabase(database, SaveMode::ChosenName,
                          dir.filePath(QStringLiteral("missing/New.pdb")), 1, prompter));
    // A folder where the file should be.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Folder.pdb")));
    QVERIFY(!SaveDatabase(database, SaveMode::ChosenName, dir.filePath(QStringLiteral("Folder.pdb")),
                          1, prompter));
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(database.FilePath(), dir.filePath(QStringLiteral("Own.pdb")));
    QVERIFY(database.IsModified());
    QCOMPARE(Entries(dir.path()), QStringLiteral("Folder.pdb"));
}

// "popups" as an item would split the list on the next load (field 19 opens there): the save is
// refused and the file on disk stays as it was.
void TestPdbWriter::listWithAHeaderItemIsNotSaved()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Own.pdb"));
    WriteFile(path, "previous");
    Database database;
    database.SetShape(20, 1);
    database.SetFilePath(path);
    database.PopupList(2) = {"Red", "Blue", "Green", "popups"};
    database.SetModified();

    ScriptedPrompter prompter;
    ExpectSaveError(prompter);
    QVERIFY(!SaveDatabase(database, SaveMode::OwnFile, QString(), 1, prompter));
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(ReadFile(path), QByteArray("previous"));
    QCOMPARE(Entries(dir.path()), QStringLiteral("Own.pdb"));
    QVERIFY(database.IsModified());

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(!WriteDatabase(buffer, database, 1, SaveTime, prompter));
    QCOMPARE(buffer.data(), QByteArray());
}

QTEST_GUILESS_MAIN(TestPdbWriter)
#include "tst_pdb_writer.moc"
