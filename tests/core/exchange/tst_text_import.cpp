// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/text_exchange.h"
#include "core/model/database.h"
#include "core/model/regional.h"
#include "failing_buffer.h"
#include "scripted_prompter.h"
#include "table_database.h"
#include "test_regional.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace kribed;
using kribed::test::databaseTable;
using kribed::test::FailingBuffer;
using kribed::test::ScriptedPrompter;
using kribed::test::testRegional;

using Lines = QList<QByteArray>;
using Grid = QList<Lines>; // row 0 the field names, then the records

namespace {

QByteArray joinCrLf(const Lines &lines)
{
    QByteArray text;
    for (const QByteArray &line : lines)
        text += line + "\r\n";
    return text;
}

QByteArray numberedLine(int fields, const QByteArray &prefix = "v")
{
    QByteArray line;
    for (int i = 1; i <= fields; ++i)
        line += (i > 1 ? "," : "") + prefix + QByteArray::number(i);
    return line;
}

// A database that an import must replace (or, cancelled, leave alone): two fields, one record,
// a popup item, a filter, sort fields and a kept app-info byte.
void fillOld(Database &database)
{
    database.setShape(2, 1);
    database.setFieldName(1, "Old");
    database.setFieldName(2, "Older");
    database.setCell(1, 1, "keep");
    database.setFieldType(1, 8);
    database.popupList(1) = {"item"};
    database.setFilterText("flt");
    database.setFilterField(2);
    database.setSecondarySortField(2);
    database.setTertiarySortField(1);
    database.setIncrementAmount(5);
    database.appInfoImage().bytes()[1400] = 'k';
    database.setName("Old");
    database.setFilePath(QStringLiteral("/old/Old.pdb"));
    database.clearModified();
}

void expectFormatQuestion(ScriptedPrompter &prompter, Answer answer)
{
    prompter.expect(QStringLiteral("Information"), formatQuestionText(), Icon::Warning,
                    Buttons::OkCancel, answer);
}

void expectOpenError(ScriptedPrompter &prompter)
{
    prompter.expect(QStringLiteral("Error"), openErrorText(), Icon::Error, Buttons::Ok, Answer::Ok);
}

} // namespace

class TestTextImport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void importShapes_data();
    void importShapes();
    void importReplacesDefinitions();
    void importCancelledLeavesDatabase();
    void importReadErrorLeavesDatabase_data();
    void importReadErrorLeavesDatabase();
    void importStopsAt10000Rows();
    void importFileNamesTheDatabase_data();
    void importFileNamesTheDatabase();
    void importFileThatCannotBeOpened();
    void append_data();
    void append();
    void appendStopsAtRowLimit_data();
    void appendStopsAtRowLimit();
    void appendReadErrorKeepsAddedRecords();
    void longValuesAreCut_data();
    void longValuesAreCut();
};

void TestTextImport::importShapes_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("asks");
    QTest::addColumn<Grid>("grid");

    QTest::newRow("names and records")
        << QByteArray("Name,Age\r\nAnn,30\r\nBob,41\r\n") << int(TextType::Comma) << false
        << Grid{{"Name", "Age"}, {"Ann", "30"}, {"Bob", "41"}};
    QTest::newRow("quoted fields lose their quotes")
        << QByteArray("\"N\",\"A,B\"\r\n\"x\",\"a\"\"b\"\r\n") << int(TextType::Comma) << false
        << Grid{{"N", "A,B"}, {"x", "a\"b\""}};
    QTest::newRow("semicolon text") << QByteArray("a;b\r\n1,5;2\r\n") << int(TextType::Semicolon)
                                    << false << Grid{{"a", "b"}, {"1,5", "2"}};
    QTest::newRow("tab text") << QByteArray("a\tb\r\n1\t2\r\n") << int(TextType::Tab) << false
                              << Grid{{"a", "b"}, {"1", "2"}};
    QTest::newRow("comma-any reads commas")
        << QByteArray("a,b\r\n1,2\r\n") << int(TextType::CommaAny) << false
        << Grid{{"a", "b"}, {"1", "2"}};
    QTest::newRow("comma file read as semicolon gives one field")
        << QByteArray("\"a\",\"b\"\r\n\"1\",\"2\"\r\n") << int(TextType::Semicolon) << true
        << Grid{{"a,\"b\""}, {"1,\"2\""}};
    QTest::newRow("single line of names gives one empty record")
        << QByteArray("a,b,c\r\n") << int(TextType::Comma) << true
        << Grid{{"a", "b", "c"}, {"", "", ""}};
    QTest::newRow("empty file gives one field and one empty record")
        << QByteArray() << int(TextType::Comma) << true << Grid{{""}, {""}};
    QTest::newRow("blank line gives an empty record")
        << QByteArray("a,b\r\n\r\n1,2\r\n") << int(TextType::Comma) << true
        << Grid{{"a", "b"}, {"", ""}, {"1", "2"}};
    QTest::newRow("line feeds only make one line")
        << QByteArray("a,b\nc,d\n") << int(TextType::Comma) << true
        << Grid{{"a", "b\nc", "d\n"}, {"", "", ""}};
    QTest::newRow("empty line at the end becomes an empty last record")
        << QByteArray("a,b\r\n1,2\r\n\r\n") << int(TextType::Comma) << true
        << Grid{{"a", "b"}, {"1", "2"}, {"", ""}};
    QTest::newRow("unclosed quote drops the rest of its line")
        << QByteArray("a,b,c\r\n1,\"2,3\r\n") << int(TextType::Comma) << true
        << Grid{{"a", "b", "c"}, {"1", "", ""}};
    QTest::newRow("shorter line leaves cells empty")
        << QByteArray("a,b,c\r\n1,2\r\n") << int(TextType::Comma) << true
        << Grid{{"a", "b", "c"}, {"1", "2", ""}};
    QTest::newRow("longer line puts its last field in the last column")
        << QByteArray("a,b\r\n1,2,3,4\r\n") << int(TextType::Comma) << true
        << Grid{{"a", "b", "", ""}, {"1", "2", "3", "4"}};
    QTest::newRow("Ctrl+Z ends the records")
        << QByteArray("a,b\r\n1,2\r\n\x1a"
                      "3,4\r\n")
        << int(TextType::Comma) << false << Grid{{"a", "b"}, {"1", "2"}};

    // 53 fields: 50 columns, the last one holding each line's 53rd field.
    Lines names;
    Lines values;
    for (int i = 1; i <= 49; ++i) {
        names.append("n" + QByteArray::number(i));
        values.append("v" + QByteArray::number(i));
    }
    names.append("n53");
    values.append("v53");
    QTest::newRow("53 fields ask and keep the 53rd in field 50")
        << joinCrLf({numberedLine(53, "n"), numberedLine(53, "v")}) << int(TextType::Comma) << true
        << Grid{names, values};
}

void TestTextImport::importShapes()
{
    QFETCH(QByteArray, text);
    QFETCH(int, type);
    QFETCH(bool, asks);
    QFETCH(Grid, grid);

    ScriptedPrompter prompter;
    if (asks)
        expectFormatQuestion(prompter, Answer::Ok);
    Database database;
    fillOld(database);
    QBuffer buffer(&text);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QCOMPARE(importText(buffer, TextType(type), database, prompter, testRegional()),
             ExchangeResult::Done);
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(databaseTable(database), grid);
    for (int field = 1; field <= database.fieldCount(); ++field) {
        QCOMPARE(database.fieldType(field), 0);
        QCOMPARE(database.columnWidth(field), 90);
    }
    QVERIFY(database.isModified());
}

void TestTextImport::importReplacesDefinitions()
{
    ScriptedPrompter prompter;
    Database database;
    fillOld(database);
    database.setFilterOn(true);
    database.setHidden(1, true);
    QByteArray text("a,b\r\n1,2\r\n");
    QBuffer buffer(&text);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QCOMPARE(importText(buffer, TextType::Comma, database, prompter, testRegional()),
             ExchangeResult::Done);
    KRIBED_VERIFY_PROMPTER(prompter);

    QVERIFY(database.popupList(1).isEmpty());
    QCOMPARE(database.filterText(), QByteArray());
    QCOMPARE(database.filterField(), 0);
    QCOMPARE(database.secondarySortField(), 0);
    QCOMPARE(database.tertiarySortField(), 0);
    QCOMPARE(database.incrementAmount(), 1);
    QVERIFY(!database.filterOn());
    QCOMPARE(database.rowHeight(1), ShownRowHeight);
    AppInfo reset;
    QCOMPARE(database.appInfoImage().bytes(), reset.bytes());
}

void TestTextImport::importCancelledLeavesDatabase()
{
    ScriptedPrompter prompter;
    expectFormatQuestion(prompter, Answer::Cancel);
    Database database;
    fillOld(database);
    const Grid before = databaseTable(database);
    QByteArray text("a,b,c\r\n1,2\r\n");
    QBuffer buffer(&text);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QCOMPARE(importText(buffer, TextType::Comma, database, prompter, testRegional()),
             ExchangeResult::Cancelled);
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(databaseTable(database), before);
    QCOMPARE(database.popupList(1), Lines{"item"});
    QVERIFY(!database.isModified());
}

void TestTextImport::importReadErrorLeavesDatabase_data()
{
    QTest::addColumn<qint64>("failAt");
    const QByteArray text = joinCrLf(Lines(3000, "aaaa,bbbb,cccc"));
    QTest::newRow("during the format check") << qint64(text.size() / 2);
    QTest::newRow("while the records are read") << qint64(text.size() + text.size() / 2);
}

void TestTextImport::importReadErrorLeavesDatabase()
{
    QFETCH(qint64, failAt);
    QByteArray text = joinCrLf(Lines(3000, "aaaa,bbbb,cccc"));
    ScriptedPrompter prompter;
    expectOpenError(prompter);
    Database database;
    fillOld(database);
    const Grid before = databaseTable(database);
    FailingBuffer buffer(&text, failAt, FailingBuffer::AllReads);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QCOMPARE(importText(buffer, TextType::Comma, database, prompter, testRegional()),
             ExchangeResult::Failed);
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(databaseTable(database), before);
    QCOMPARE(database.name(), QByteArray("Old"));
    QVERIFY(!database.isModified());
}

void TestTextImport::importStopsAt10000Rows()
{
    Lines lines{"name,value"};
    for (int i = 1; i <= 10000; ++i)
        lines.append("r" + QByteArray::number(i) + ",x");
    QByteArray text = joinCrLf(lines);
    ScriptedPrompter prompter;
    expectFormatQuestion(prompter, Answer::Ok);
    Database database;
    QBuffer buffer(&text);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QCOMPARE(importText(buffer, TextType::Comma, database, prompter, testRegional()),
             ExchangeResult::Done);
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(database.recordCount(), MaxRecords);
    QCOMPARE(database.cell(1, MaxRecords), QByteArray("r9999"));
}

void TestTextImport::importFileNamesTheDatabase_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QString>("pdbName");

    QTest::newRow("base name and .pdb beside it")
        << QStringLiteral("data.csv") << QByteArray("data") << QStringLiteral("data.pdb");
    QTest::newRow("only the last extension goes")
        << QStringLiteral("a.b.txt") << QByteArray("a.b") << QStringLiteral("a.b.pdb");
    QTest::newRow("no extension") << QStringLiteral("plain") << QByteArray("plain")
                                  << QStringLiteral("plain.pdb");
    QTest::newRow("forbidden characters in the name become underscores")
        << QStringLiteral("a:b|c.csv") << QByteArray("a_b_c") << QStringLiteral("a:b|c.pdb");
}

void TestTextImport::importFileNamesTheDatabase()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, name);
    QFETCH(QString, pdbName);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(fileName);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("a,b\r\n1,2\r\n");
    file.flush();
    const QDateTime written(QDate(2019, 5, 17), QTime(8, 30, 12));
    QVERIFY(file.setFileTime(written, QFileDevice::FileModificationTime));
    file.close();

    ScriptedPrompter prompter;
    Database database;
    fillOld(database);
    QCOMPARE(importTextFile(path, TextType::Comma, database, prompter, testRegional()),
             ExchangeResult::Done);
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(database.name(), name);
    QCOMPARE(database.filePath(), folder.filePath(pdbName));
    QCOMPARE(database.modificationTime(), written);
    QCOMPARE(database.cell(2, 1), QByteArray("2"));
}

void TestTextImport::importFileThatCannotBeOpened()
{
    QTemporaryDir folder;
    ScriptedPrompter prompter;
    expectOpenError(prompter);
    Database database;
    fillOld(database);
    QCOMPARE(importTextFile(folder.filePath(QStringLiteral("missing.csv")), TextType::Comma,
                            database, prompter, testRegional()),
             ExchangeResult::Failed);
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(database.name(), QByteArray("Old"));
    QCOMPARE(database.cell(1, 1), QByteArray("keep"));
}

void TestTextImport::append_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("formatQuestion");
    QTest::addColumn<bool>("fitQuestion");
    QTest::addColumn<int>("cancelAt"); // 0 answers OK throughout, 1 or 2 cancels that question
    QTest::addColumn<Grid>("added");

    // The database holds fields a, b, c and three records.
    QTest::newRow("lines that fit ask nothing")
        << QByteArray("1,2,3\r\n4,5,6\r\n") << false << false << 0
        << Grid{{"1", "2", "3"}, {"4", "5", "6"}};
    QTest::newRow("the first line is a record too")
        << QByteArray("a,b,c\r\n1,2,3\r\n") << false << false << 0
        << Grid{{"a", "b", "c"}, {"1", "2", "3"}};
    QTest::newRow("a field fewer leaves the last cell empty")
        << QByteArray("1,2\r\n4,5\r\n") << false << false << 0
        << Grid{{"1", "2", ""}, {"4", "5", ""}};
    QTest::newRow("a field more asks and drops it")
        << QByteArray("1,2,3,x\r\n4,5,6,y\r\n") << false << true << 0
        << Grid{{"1", "2", "3"}, {"4", "5", "6"}};
    QTest::newRow("fit question cancelled adds nothing")
        << QByteArray("1,2,3,x\r\n4,5,6,y\r\n") << false << true << 2 << Grid{};
    QTest::newRow("unclosed quote asks and drops the text from the quote")
        << QByteArray("1,2,3\r\n4,\"5,6\r\n") << true << false << 0
        << Grid{{"1", "2", "3"}, {"4", "", ""}};
    QTest::newRow("format question cancelled adds nothing")
        << QByteArray("1,2,3\r\n") << true << false << 1 << Grid{};
    QTest::newRow("53 fields bring both questions")
        << joinCrLf({numberedLine(53), numberedLine(53)}) << false << true << 0
        << Grid{{"v1", "v2", "v3"}, {"v1", "v2", "v3"}};
    QTest::newRow("empty file asks and adds nothing")
        << QByteArray() << true << false << 0 << Grid{};
}

void TestTextImport::append()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, formatQuestion);
    QFETCH(bool, fitQuestion);
    QFETCH(int, cancelAt);
    QFETCH(Grid, added);

    Database database;
    database.setShape(3, 3);
    database.setFieldName(1, "a");
    database.setFieldName(2, "b");
    database.setFieldName(3, "c");
    database.setCell(1, 3, "last");
    database.setFieldType(3, 11);
    const Grid before = databaseTable(database);

    ScriptedPrompter prompter;
    if (formatQuestion)
        expectFormatQuestion(prompter, cancelAt == 1 ? Answer::Cancel : Answer::Ok);
    if (fitQuestion) {
        prompter.expect(QStringLiteral("Information"), fitQuestionText(), Icon::Warning,
                        Buttons::OkCancel, cancelAt == 2 ? Answer::Cancel : Answer::Ok);
    }
    QBuffer buffer(&text);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    const ExchangeResult result =
        appendText(buffer, TextType::Comma, database, prompter, testRegional());
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(result, cancelAt ? ExchangeResult::Cancelled : ExchangeResult::Done);
    QCOMPARE(databaseTable(database), before + added);
    QCOMPARE(database.isModified(), cancelAt == 0);
    QCOMPARE(database.fieldType(3), 11);
}

void TestTextImport::appendStopsAtRowLimit_data()
{
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("fitQuestion");
    QTest::addColumn<int>("recordsAfter");

    QTest::newRow("9990 records and 20 lines fill up to 9998") << 9990 << 20 << true << 9998;
    QTest::newRow("9990 records and 8 lines fit exactly") << 9990 << 8 << false << 9998;
    QTest::newRow("9998 records take nothing more") << 9998 << 2 << true << 9998;
    QTest::newRow("9999 records take nothing more") << 9999 << 2 << true << 9999;
}

void TestTextImport::appendStopsAtRowLimit()
{
    QFETCH(int, records);
    QFETCH(int, lines);
    QFETCH(bool, fitQuestion);
    QFETCH(int, recordsAfter);

    Database database;
    database.setShape(2, records);
    Lines fileLines;
    for (int i = 1; i <= lines; ++i)
        fileLines.append("line" + QByteArray::number(i) + ",x");
    QByteArray text = joinCrLf(fileLines);
    ScriptedPrompter prompter;
    if (fitQuestion) {
        prompter.expect(QStringLiteral("Information"), fitQuestionText(), Icon::Warning,
                        Buttons::OkCancel, Answer::Ok);
    }
    QBuffer buffer(&text);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QCOMPARE(appendText(buffer, TextType::Comma, database, prompter, testRegional()),
             ExchangeResult::Done);
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(database.recordCount(), recordsAfter);
    if (recordsAfter > records)
        QCOMPARE(database.cell(1, recordsAfter),
                 "line" + QByteArray::number(recordsAfter - records));
    QVERIFY(database.isModified());
}

void TestTextImport::appendReadErrorKeepsAddedRecords()
{
    // 64 KiB into the second reading some records are in: they stay, and count as a change.
    QByteArray text = joinCrLf(Lines(8000, "aaaa,bbbb"));
    ScriptedPrompter prompter;
    expectOpenError(prompter);
    Database database;
    database.setShape(2, 1);
    FailingBuffer buffer(&text, text.size() + 70000, FailingBuffer::AllReads);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QCOMPARE(appendText(buffer, TextType::Comma, database, prompter, testRegional()),
             ExchangeResult::Failed);
    KRIBED_VERIFY_PROMPTER(prompter);
    QVERIFY(database.recordCount() > 1);
    QVERIFY(database.recordCount() < 8001);
    QCOMPARE(database.cell(2, database.recordCount()), QByteArray("bbbb"));
    QVERIFY(database.isModified());
}

// Values longer than a record can store are cut to 4000 bytes as they are read, and the user is
// told once how many of the values the database received were cut.
void TestTextImport::longValuesAreCut_data()
{
    QTest::addColumn<bool>("append"); // to a database of fields a and b, else an import
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("question"); // answered OK
    QTest::addColumn<int>("cut");
    QTest::addColumn<Lines>("last"); // the last record

    const QByteArray cutValue(4000, 'y');
    const QByteArray huge(5 * 1024 * 1024, 'y');
    QTest::newRow("4000 bytes stay, 4001 are cut")
        << false << joinCrLf({"A,B", QByteArray(4000, 'y') + ',' + QByteArray(4001, 'y')})
        << QString() << 1 << Lines{cutValue, cutValue};
    QTest::newRow("a 5 MB value") << false << joinCrLf({"A,B", "x," + huge}) << QString() << 1
                                  << Lines{"x", cutValue};
    // The file drops the control byte, so the value is 4000 bytes there.
    const QByteArray withControl = QByteArray(3999, 'y') + '\x01' + 'y';
    QTest::newRow("a control byte the file drops takes no room")
        << false << joinCrLf({"A,B", "x," + withControl}) << QString() << 0
        << Lines{"x", withControl};
    QTest::newRow("quotes go before the cut: 4000 bytes in quotes stay")
        << false << joinCrLf({"A,B", "x,\"" + cutValue + '"'}) << QString() << 0
        << Lines{"x", cutValue};
    QTest::newRow("two values in two lines") << false << joinCrLf({"A,B", huge + ",x", "x," + huge})
                                             << QString() << 2 << Lines{"x", cutValue};
    QTest::newRow("long field names are values too")
        << false << joinCrLf({"A," + huge, "x,y"}) << QString() << 1 << Lines{"x", "y"};

    // 53 fields: fields 50 to 53 share the last column, which keeps the 53rd.
    Lines fields;
    for (int i = 1; i <= 53; ++i)
        fields.append("v");
    Lines kept = fields.mid(0, 50);
    fields[50] = huge;
    QTest::newRow("a cut value that the last column does not keep is not counted")
        << false << joinCrLf({numberedLine(53, "n"), fields.join(',')}) << formatQuestionText() << 0
        << kept;
    fields[52] = huge;
    kept[49] = cutValue;
    QTest::newRow("the value the last column keeps is counted")
        << false << joinCrLf({numberedLine(53, "n"), fields.join(',')}) << formatQuestionText() << 1
        << kept;

    // Lines of megabytes are read in pieces: what they hold must come out as from a short one.
    QTest::newRow("the first two quotes far behind the kept bytes")
        << false << joinCrLf({"A,B", "x," + huge + "\"q\""}) << QString() << 1
        << Lines{"x", cutValue};
    const QByteArray commas = QByteArray("a,").repeated(100000);
    QTest::newRow("a quoted value of separators over many pieces")
        << false << joinCrLf({"A,B", "x,\"" + commas + "\"", "y,z"}) << QString() << 1
        << Lines{"y", "z"};
    QTest::newRow("a 3 MB line of fields: the last column keeps the last")
        << false << joinCrLf({"A,B", QByteArray("1,").repeated(1500000) + "end"})
        << formatQuestionText() << 0 << Lines(49, "1") + Lines{"end"};
    QTest::newRow("append: a 5 MB value")
        << true << joinCrLf({"x,y", "x," + huge}) << QString() << 1 << Lines{"x", cutValue};
    QTest::newRow("append: a dropped field is not counted")
        << true << joinCrLf({"x,y," + huge, "x,y,z"}) << fitQuestionText() << 0 << Lines{"x", "y"};
}

void TestTextImport::longValuesAreCut()
{
    QFETCH(bool, append);
    QFETCH(QByteArray, text);
    QFETCH(QString, question);
    QFETCH(int, cut);
    QFETCH(Lines, last);

    ScriptedPrompter prompter;
    if (!question.isEmpty()) {
        prompter.expect(QStringLiteral("Information"), question, Icon::Warning, Buttons::OkCancel,
                        Answer::Ok);
    }
    if (cut > 0) {
        const QString message =
            cut == 1 ? QStringLiteral("1 value was longer than 4000 characters and has been cut "
                                      "to its first 4000 characters.")
                     : QStringLiteral("%1 values were longer than 4000 characters and have been "
                                      "cut to their first 4000 characters.")
                           .arg(cut);
        prompter.expect(QStringLiteral("Information"), message, Icon::Warning, Buttons::Ok,
                        Answer::Ok);
    }
    Database database;
    database.setShape(2, 1);
    database.setFieldName(1, "a");
    database.setFieldName(2, "b");
    QBuffer buffer(&text);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    const ExchangeResult result =
        append ? appendText(buffer, TextType::Comma, database, prompter, testRegional())
               : importText(buffer, TextType::Comma, database, prompter, testRegional());
    QCOMPARE(result, ExchangeResult::Done);
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(database.recordAt(database.recordCount()), last);
    for (int field = 1; field <= database.fieldCount(); ++field)
        QVERIFY(database.fieldName(field).size() <= 4000);
}

QTEST_GUILESS_MAIN(TestTextImport)
#include "tst_text_import.moc"
