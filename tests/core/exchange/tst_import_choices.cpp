// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/encoding_detection.h"
#include "core/exchange/import_choices.h"
#include "core/exchange/import_findings.h"
#include "core/exchange/text_exchange.h"
#include "core/model/database.h"
#include "core/model/pdb_writer.h"
#include "core/model/regional.h"
#include "core/platform/prompter.h"
#include "test_regional.h"

#include <QBuffer>
#include <QtTest>

using namespace kribed;

using Grid = QList<QByteArrayList>; // row 0 the field names

namespace {

// Answers OK to everything and keeps what it was asked.
class OkPrompter : public Prompter
{
public:
    Answer ask(const Message &message) override
    {
        shown << message.caption + u'|' + message.text;
        return Answer::Ok;
    }
    Answer askWithCheckBox(const Message &message, CheckBox &) override { return ask(message); }
    QStringList shown;
};

QByteArray fileBytes(Database &database)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    OkPrompter prompter;
    writeDatabase(buffer, database, 1, QDateTime(QDate(2024, 1, 1), QTime(12, 0)), prompter);
    return buffer.data();
}

ImportPlan readPlan(const QByteArray &text, TextType type, const Regional &regional)
{
    QBuffer buffer;
    buffer.setData(text);
    buffer.open(QIODevice::ReadOnly);
    return readTextImport(buffer, type, regional);
}

Grid gridOf(const Database &database)
{
    Grid grid{{}};
    for (int field = 1; field <= database.fieldCount(); ++field)
        grid[0].append(database.fieldName(field));
    for (int record = 1; record <= database.recordCount(); ++record) {
        QByteArrayList row;
        for (int field = 1; field <= database.fieldCount(); ++field)
            row.append(database.recordAt(record).value(field - 1));
        grid.append(row);
    }
    return grid;
}

} // namespace

class ImportChoicesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void untouchedChoicesGiveTheImportAsItWas_data();
    void untouchedChoicesGiveTheImportAsItWas();
    void choicesShapeTheImport_data();
    void choicesShapeTheImport();
    void chosenTypesCountWhatDoesNotFit();
    void appendMapsColumnsToFields_data();
    void appendMapsColumnsToFields();
    void findingsNameWhatIsWrong_data();
    void findingsNameWhatIsWrong();
};

void ImportChoicesTest::untouchedChoicesGiveTheImportAsItWas_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QByteArray>("text");
    const int comma = int(TextType::Comma);
    QTest::newRow("comma") << comma << QByteArray("a,b\r\n1,2\r\n3,4\r\n");
    QTest::newRow("semicolon, decimal comma")
        << int(TextType::Semicolon) << QByteArray("Konto;Betrag\r\n01067;1,50\r\n");
    QTest::newRow("suspicious asks") << comma << QByteArray("a,b\r\n1,2,3\r\n\r\n");
    QTest::newRow("empty file") << comma << QByteArray();
    QTest::newRow("quotes") << comma << QByteArray("\"x,y\",\"a\"\"b\"\r\n1,2\r\n");
    QTest::newRow("single quotes are text") << comma << QByteArray("'x,y',b\r\n'1',2\r\n");
    QTest::newRow("53 fields") << comma << QByteArray(52, ',') + "\r\n" + QByteArray(52, ',');
    QTest::newRow("tab") << int(TextType::Tab) << QByteArray("a\tb\r\n1\t2");
    QTest::newRow("standard CSV with mark and breaks")
        << int(TextType::Csv) << QByteArray("\xEF\xBB\xBFn,m\n\"l1\nl2\",\xC3\xA4\n");
    QTest::newRow("too long value")
        << comma << QByteArray("a,b\r\n") + QByteArray(4100, 'x') + ",1\r\n";
    // Bytes that are no UTF-8 are read in the code page, as they stand.
    QTest::newRow("Latin-1 letters") << int(TextType::Semicolon)
                                     << QByteArray("Ort;Stra\xDF"
                                                   "e\r\nK\xF6ln;\xC3\r\n");
    QTest::newRow("Latin-1 after valid UTF-8") << comma << QByteArray("J\xC3\xBCrgen,K\xF6ln\r\n");
}

void ImportChoicesTest::untouchedChoicesGiveTheImportAsItWas()
{
    QFETCH(int, type);
    QFETCH(QByteArray, text);
    const Regional regional = test::testRegional();

    Database described;
    OkPrompter describedPrompter;
    QBuffer buffer(&text);
    buffer.open(QIODevice::ReadOnly);
    QCOMPARE(importText(buffer, TextType(type), described, describedPrompter, regional),
             ExchangeResult::Done);

    // Every column listed with its defaults, as the preview hands them over untouched, the text
    // read in the encoding its bytes tell.
    ImportChoices choices;
    choices.columns.resize(60);
    const DetectedEncoding detected = detectEncoding(text);
    QBuffer previewed(&text);
    previewed.open(QIODevice::ReadOnly);
    ImportPlan plan = readTextImport(
        previewed, TextType(type), regional, detected.encoding, 0, DoubleQuote,
        detected.encoding == CsvEncoding::Utf8 ? TextBytes::Utf8 : TextBytes::AsTheyStand);
    applyImportChoices(plan, choices, regional);
    Database result;
    OkPrompter previewedPrompter;
    QCOMPARE(carryOutImport(std::move(plan), result, previewedPrompter), ExchangeResult::Done);

    QCOMPARE(previewedPrompter.shown, describedPrompter.shown);
    QCOMPARE(fileBytes(result), fileBytes(described));
}

void ImportChoicesTest::choicesShapeTheImport_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("startLine");
    QTest::addColumn<bool>("firstLineNames");
    QTest::addColumn<bool>("trim");
    QTest::addColumn<QList<int>>("skipped");
    QTest::addColumn<QByteArrayList>("names");
    QTest::addColumn<Grid>("grid");
    QTest::addColumn<int>("type");
    QTest::addColumn<char>("quote");

    const int comma = int(TextType::Comma);
    const int csv = int(TextType::Csv);
    const QByteArray text = "title line\r\nA,B,C\r\n 1 ,x,2\r\n";
    QTest::newRow("start at line 2")
        << text << 2 << true << false << QList<int>() << QByteArrayList()
        << Grid{{"A", "B", "C"}, {" 1 ", "x", "2"}} << comma << DoubleQuote;
    QTest::newRow("trim") << text << 2 << true << true << QList<int>() << QByteArrayList()
                          << Grid{{"A", "B", "C"}, {"1", "x", "2"}} << comma << DoubleQuote;
    QTest::newRow("skip the middle column")
        << text << 2 << true << false << QList<int>{1} << QByteArrayList()
        << Grid{{"A", "C"}, {" 1 ", "2"}} << comma << DoubleQuote;
    QTest::newRow("names given, one kept")
        << text << 2 << true << false << QList<int>() << QByteArrayList{"First", "", "Third"}
        << Grid{{"First", "B", "Third"}, {" 1 ", "x", "2"}} << comma << DoubleQuote;
    QTest::newRow("no name line: generated names, every line a record")
        << QByteArray("1,2\r\n3,4\r\n") << 1 << false << false << QList<int>() << QByteArrayList()
        << Grid{{"Field 1", "Field 2"}, {"1", "2"}, {"3", "4"}} << comma << DoubleQuote;
    QTest::newRow("start past the end keeps an empty record")
        << QByteArray("a,b\r\n") << 5 << true << false << QList<int>() << QByteArrayList()
        << Grid{{"", ""}, {"", ""}} << comma << DoubleQuote;
    const QByteArray quoted = "n,m,o\r\n'x,y',\"q\",'it''s'\r\n";
    QTest::newRow("single quotes hold the separator, double ones are text")
        << quoted << 1 << true << false << QList<int>() << QByteArrayList()
        << Grid{{"n", "m", "o"}, {"x,y", "\"q\"", "it's'"}} << comma << '\'';
    QTest::newRow("standard CSV in single quotes: a doubled one is one")
        << quoted << 1 << true << false << QList<int>() << QByteArrayList()
        << Grid{{"n", "m", "o"}, {"x,y", "\"q\"", "it's"}} << csv << '\'';
    QTest::newRow("no quote: every quote stands as it is")
        << QByteArray("n,m,o\r\n\"x,y\",2\r\n") << 1 << true << false << QList<int>()
        << QByteArrayList() << Grid{{"n", "m", "o"}, {"\"x", "y\"", "2"}} << comma << char(0);
    QTest::newRow("standard CSV without a quote: a line break ends the record")
        << QByteArray("n,m\r\n\"a\r\nb\",c\r\n") << 1 << true << false << QList<int>()
        << QByteArrayList() << Grid{{"n", "m"}, {"\"a", ""}, {"b\"", "c"}} << csv << char(0);
}

void ImportChoicesTest::choicesShapeTheImport()
{
    QFETCH(QByteArray, text);
    QFETCH(QList<int>, skipped);
    QFETCH(QByteArrayList, names);
    const Regional regional = test::testRegional();
    ImportChoices choices;
    QFETCH(int, startLine);
    choices.startLine = startLine;
    QFETCH(bool, firstLineNames);
    choices.firstLineNames = firstLineNames;
    QFETCH(bool, trim);
    choices.trim = trim;
    choices.columns.resize(3);
    for (const int column : skipped)
        choices.columns[column].skip = true;
    for (int i = 0; i < names.size(); ++i)
        choices.columns[i].name = names[i];

    QFETCH(int, type);
    QFETCH(char, quote);
    QBuffer buffer(&text);
    buffer.open(QIODevice::ReadOnly);
    ImportPlan plan = readTextImport(buffer, TextType(type), regional, CsvEncoding::Utf8, 0, quote);
    applyImportChoices(plan, choices, regional);
    Database database;
    OkPrompter prompter;
    QCOMPARE(carryOutImport(std::move(plan), database, prompter), ExchangeResult::Done);
    QTEST(gridOf(database), "grid");
}

void ImportChoicesTest::chosenTypesCountWhatDoesNotFit()
{
    const Regional regional = test::testRegional();
    ImportChoices choices;
    choices.columns.resize(3);
    choices.columns[0].type = FloatType;
    choices.columns[1].type = NormalPopupType;
    choices.columns[2].type = NormalDateType;
    choices.columns[2].widthUnits = 40;
    ImportPlan plan =
        readPlan("Sum,Colour,Day\r\n1.5,red,3/5/2024\r\nabc,blue,2/29/2023\r\n2,red,\r\n",
                 TextType::Comma, regional);
    applyImportChoices(plan, choices, regional);
    Database database;
    OkPrompter prompter;
    QCOMPARE(carryOutImport(std::move(plan), database, prompter), ExchangeResult::Done);
    // Kept as their text, counted once at the end.
    QCOMPARE(database.recordAt(2).value(0), QByteArray("abc"));
    QCOMPARE(database.recordAt(2).value(2), QByteArray("2/29/2023"));
    QCOMPARE(prompter.shown,
             QStringList{QStringLiteral("Information|2 values do not fit their field's type "
                                        "and were imported as their text.")});
    QCOMPARE(database.fieldType(1), int(FloatType));
    QCOMPARE(database.fieldType(2), int(NormalPopupType));
    QCOMPARE(database.popupList(2), QByteArrayList({"red", "blue"}));
    QCOMPARE(database.fieldType(3), int(NormalDateType));
    QCOMPARE(database.columnWidth(3), database.unitsToPixels(40));
}

void ImportChoicesTest::appendMapsColumnsToFields_data()
{
    QTest::addColumn<bool>("skipFirstLine");
    QTest::addColumn<QList<int>>("targets"); // -1: by position
    QTest::addColumn<Grid>("records");
    QTest::newRow("by position, the first line a record")
        << false << QList<int>{-1, -1, -1} << Grid{{"n", "m"}, {"1", "2"}};
    QTest::newRow("names line left out, columns swapped")
        << true << QList<int>{2, 1, -1} << Grid{{"2", "1"}};
    QTest::newRow("a column to no field") << true << QList<int>{0, 1, -1} << Grid{{"2", ""}};
    QTest::newRow("a target past the fields fills nothing")
        << true << QList<int>{7, -1, -1} << Grid{{"", "2"}};
}

void ImportChoicesTest::appendMapsColumnsToFields()
{
    QFETCH(bool, skipFirstLine);
    QFETCH(QList<int>, targets);
    Database target;
    target.setShape(2, 1);
    ImportedTable file;
    file.fields = 3;
    file.rows = {Record{"n", "m", "o"}, Record{"1", "2", "3"}};
    ImportChoices choices;
    choices.skipFirstLine = skipFirstLine;
    choices.columns.resize(3);
    for (int i = 0; i < targets.size(); ++i) {
        if (targets[i] >= 0)
            choices.columns[i].target = targets[i];
    }
    const QVector<Record> records = appendRecords(file, choices, target, 10);
    Grid grid;
    for (const Record &record : records)
        grid.append({record.value(0), record.value(1)});
    QTEST(grid, "records");
    QCOMPARE(appendRecords(file, choices, target, 1).size(), 1);
}

void ImportChoicesTest::findingsNameWhatIsWrong_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("fileStart");
    QTest::addColumn<QString>("line"); // a line the findings hold, in part
    QTest::addColumn<bool>("importable");
    QByteArray tooMany = "a,b\r\n";
    for (int i = 0; i < 10001; ++i)
        tooMany += "1,2\r\n";
    QTest::newRow("empty") << QByteArray() << QByteArray() << "The file is empty." << false;
    QTest::newRow("binary") << QByteArray("a\0b,c\r\n1,2", 10) << QByteArray("a\0b", 3)
                            << "NUL bytes" << false;
    QTest::newRow("duplicate names as written")
        << QByteArray("ABCDEFGHIJKLMNOPQRSTx,ABCDEFGHIJKLMNOPQRSTy\r\n1,2\r\n") << QByteArray()
        << "Fields 1 and 2 are both named \"ABCDEFGHIJKLMNOPQRST\"." << true;
    QTest::newRow("many duplicate names: five named, the rest counted")
        << QByteArray("a,").repeated(49) + "a\r\n1\r\n"
        << QByteArray() << "44 more problem(s) with field names." << true;
    QTest::newRow("long name cut")
        << QByteArray("ABCDEFGHIJKLMNOPQRSTUVW,b\r\n1,2\r\n") << QByteArray()
        << "The name of field 1 is cut to \"ABCDEFGHIJKLMNOPQRST\"." << true;
    QTest::newRow("empty name") << QByteArray(",b\r\n1,2\r\n") << QByteArray()
                                << "Field 1 has no name." << true;
    QTest::newRow("records over the limit")
        << tooMany << QByteArray() << "after the 9999th are left out." << true;
    QTest::newRow("too many fields")
        << QByteArray(59, ',') + "\r\n"
        << QByteArray() << "Lines hold up to 60 fields, a database at most 50" << true;
    QTest::newRow("long value") << QByteArray("a\r\n") + QByteArray(4001, 'x') << QByteArray()
                                << "longer than 4000 bytes" << true;
    // A line longer than a record: said; most of the file in it leaves nothing to import.
    QByteArray shortLines;
    for (int i = 0; i < 40000; ++i)
        shortLines += "1234567890,2\r\n";
    QTest::newRow("a line longer than a record")
        << QByteArray("a,b\r\n") + QByteArray(300000, 'x') + ",1\r\n" + shortLines << QByteArray()
        << "Line 2 is 0.3 MB long" << true;
    QTest::newRow("most of the file in one line")
        << QByteArray("a,b\r\n") + QByteArray("xy,").repeated(1000000) << QByteArray()
        << "Most of the file would be lost" << false;
    QTest::newRow("line feeds alone")
        << QByteArray("a,b\n1,2\n3,4\n") << QByteArray() << "line feeds alone" << true;
    // A character cut at the end of the bytes looked at still reads as UTF-8.
    QTest::newRow("UTF-8 read byte by byte")
        << QByteArray("N\r\nK\xC3\xB6ln\r\n") << QByteArray("N\r\nK\xC3\xB6ln \xC3")
        << "looks like UTF-8" << true;
}

void ImportChoicesTest::findingsNameWhatIsWrong()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, fileStart);
    QFETCH(QString, line);
    const ImportPlan plan = readPlan(text, TextType::Comma, test::testRegional());
    const ImportFindings findings = findingsOf(plan, fileStart, false);
    const QString all = (findings.limits + findings.problems).join(u'\n');
    QVERIFY2(all.contains(line), qPrintable(all));
    QTEST(findings.importable, "importable");
}

QTEST_GUILESS_MAIN(ImportChoicesTest)
#include "tst_import_choices.moc"
