// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "editing_fixture.h"
#include "scripted_prompter.h"

#include "core/editing/auto_size.h"
#include "core/editing/cell_clipboard.h"
#include "core/editing/new_record_value.h"
#include "core/editing/row_clipboard.h"
#include "core/editing/row_column_ops.h"
#include "core/editing/stamp.h"
#include "core/model/field_type.h"
#include "core/model/regional.h"
#include "test_regional.h"

#include <QtTest>

#include <functional>

using namespace kribed;
using kribed::test::testRegional;
using namespace kribed::test;

namespace {

const QByteArray Today = QByteArrayLiteral("3/14/2026");
const QByteArray Now = QByteArrayLiteral("9:26:53 AM");

QString yes()
{
    return QStringLiteral("Confirm");
}

} // namespace

class TestRowOps : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void leadingInteger_data();
    void leadingInteger();
    void autoIncrementValue_data();
    void autoIncrementValue();
    void appendRowFillsCreationStamps();
    void insertRowAtTop();
    void refusalsChangeNothing_data();
    void refusalsChangeNothing();
    void confirmations_data();
    void confirmations();
    void cutRowThenPasteRow();
    void pasteRowEnabled_data();
    void pasteRowEnabled();
    void copyRowAloneMarksModified();
    void cutCell_data();
    void cutCell();
    void pasteCellStampsAfterThePaste_data();
    void pasteCellStampsAfterThePaste();
    void stampRowTouchesOnlyModificationCells();
    void draggingARowRenumbers();
    void announcerWrapsOnlyTheShapeChange_data();
    void announcerWrapsOnlyTheShapeChange();
};

void TestRowOps::initTestCase()
{
    // The stamps below are written in these forms; a different regional rule would make every
    // comparison meaningless.
    QCOMPARE(testRegional().dateText(fixedNow().date()), Today);
    QCOMPARE(testRegional().timeText(fixedNow().time()), Now);
}

void TestRowOps::leadingInteger_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<qint64>("value");

    QTest::newRow("plain") << QByteArray("42") << qint64(42);
    QTest::newRow("leading blanks skipped") << QByteArray("   7") << qint64(7);
    QTest::newRow("digits before a letter") << QByteArray("12abc") << qint64(12);
    QTest::newRow("decimal stops at the separator") << QByteArray("3.9") << qint64(3);
    QTest::newRow("negative") << QByteArray("-15x") << qint64(-15);
    QTest::newRow("plus sign") << QByteArray("+6") << qint64(6);
    QTest::newRow("empty is zero") << QByteArray("") << qint64(0);
    QTest::newRow("sign alone is zero") << QByteArray("-") << qint64(0);
    QTest::newRow("letters first is zero") << QByteArray("x12") << qint64(0);
    QTest::newRow("blank after sign stops") << QByteArray("- 5") << qint64(0);
    QTest::newRow("largest 64-bit value")
        << QByteArray("9223372036854775807") << std::numeric_limits<qint64>::max();
    QTest::newRow("smallest 64-bit value")
        << QByteArray("-9223372036854775808") << std::numeric_limits<qint64>::min();
    QTest::newRow("overflowing digit ends the reading")
        << QByteArray("99999999999999999999") << qint64(999999999999999999);
    QTest::newRow("nineteen nines end before the range does")
        << QByteArray("9999999999999999999") << qint64(999999999999999999);
    QTest::newRow("eighteen digits, negative")
        << QByteArray("-999999999999999999 ") << qint64(-999999999999999999);
}

void TestRowOps::leadingInteger()
{
    QFETCH(QByteArray, text);
    QFETCH(qint64, value);
    QCOMPARE(kribed::leadingInteger(text), value);
}

void TestRowOps::autoIncrementValue_data()
{
    QTest::addColumn<QList<QByteArray>>("values");
    QTest::addColumn<int>("increment");
    QTest::addColumn<int>("insertAt"); // 0 appends
    QTest::addColumn<QByteArray>("expected");

    const QList<QByteArray> mixed{"3", "7", "5"};
    const QList<QByteArray> negative{"-3", "-7", "-5"};
    QTest::newRow("append after 3 7 5") << mixed << 1 << 0 << QByteArray("8");
    QTest::newRow("append with amount 10") << mixed << 10 << 0 << QByteArray("17");
    QTest::newRow("append after negatives gives the amount")
        << negative << 4 << 0 << QByteArray("4");
    QTest::newRow("insert sees every value") << mixed << 1 << 1 << QByteArray("8");
    QTest::newRow("insert at the largest value's row") << mixed << 1 << 2 << QByteArray("8");
    QTest::newRow("insert after negatives stays negative")
        << negative << 1 << 1 << QByteArray("-2");
    QTest::newRow("prefixes and blanks are read")
        << QList<QByteArray>{"  12abc", "x99", "11.9"} << 1 << 0 << QByteArray("13");
    QTest::newRow("empty cells count as zero")
        << QList<QByteArray>{"", "-4", ""} << 2 << 3 << QByteArray("2");
    QTest::newRow("largest value does not wrap round")
        << QList<QByteArray>{"9223372036854775807"} << 1 << 0 << QByteArray("9223372036854775807");
}

void TestRowOps::autoIncrementValue()
{
    QFETCH(QList<QByteArray>, values);
    QFETCH(int, increment);
    QFETCH(int, insertAt);
    QFETCH(QByteArray, expected);

    Database database = makeDatabase({StringType, AutoIncrementIntegerType}, values);
    for (int record = 1; record <= values.size(); ++record)
        database.setCell(2, record, values[record - 1]);
    database.setIncrementAmount(increment);
    RowClipboard clipboard;
    ScriptedPrompter prompter;

    const EditResult result =
        insertAt == 0
            ? appendRow(database, clipboard, prompter, fixedNow(), testRegional())
            : insertRow(database, clipboard, insertAt, prompter, fixedNow(), testRegional());
    QVERIFY(result.applied);
    const int newRecord = insertAt == 0 ? int(values.size()) + 1 : insertAt;
    QCOMPARE(result.insertedRecord, newRecord);
    QCOMPARE(database.cell(2, newRecord), expected);
    QCOMPARE(database.cell(1, newRecord), QByteArray());
    KRIBED_VERIFY_PROMPTER(prompter);
}

void TestRowOps::appendRowFillsCreationStamps()
{
    Database database = makeDatabase({CreationDateType, CreationTimeType, ModificationDateType,
                                      ModificationTimeType, StringType},
                                     {"d|t|m|n|a"});
    RowClipboard clipboard;
    clipboard.fill(database, 1);
    ScriptedPrompter prompter;

    const EditResult result = appendRow(database, clipboard, prompter, fixedNow(), testRegional());
    QCOMPARE(rowText(database, 2), Today + '|' + Now + "|||");
    QCOMPARE(rowText(database, 1), QByteArray("d|t|m|n|a"));
    QCOMPARE(result.currentRecord, 2);
    QCOMPARE(result.currentField, 1);
    QVERIFY(database.isModified());
    QVERIFY(!clipboard.pasteRowEnabled());
    KRIBED_VERIFY_PROMPTER(prompter);
}

void TestRowOps::insertRowAtTop()
{
    Database database =
        makeDatabase({StringType, CreationDateType, CreationTimeType, ModificationDateType,
                      ModificationTimeType},
                     {"a|1/1/2000|1:00:00 AM|1/2/2000|2:00:00 AM", "b||||", "c||||"});
    database.setHidden(3, true);
    RowClipboard clipboard;
    ScriptedPrompter prompter;

    const EditResult result =
        insertRow(database, clipboard, 1, prompter, fixedNow(), testRegional());
    QCOMPARE(result.insertedRecord, 1);
    QCOMPARE(result.currentRecord, 0); // the current cell stays, now on the new record
    QCOMPARE(allRows(database), "|" + Today + '|' + Now + "||"
                                    + "/a|1/1/2000|1:00:00 AM|1/2/2000|2:00:00 AM/b||||/c||||");
    QCOMPARE(recordNumberText(database.recordCount()), QStringLiteral("0004"));
    // Visibility travels with the records.
    QVERIFY(!database.isHidden(1));
    QVERIFY(database.isHidden(4));
    KRIBED_VERIFY_PROMPTER(prompter);
}

void TestRowOps::refusalsChangeNothing_data()
{
    QTest::addColumn<int>("fields");
    QTest::addColumn<int>("records");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("message");

    QTest::newRow("append row at 9999 rows") << 2 << MaxRecords << "append row"
                                             << "You mustn't have more than 9999 rows in Kribo";
    QTest::newRow("insert row at 9999 rows, with a full stop")
        << 2 << MaxRecords << "insert row"
        << "You mustn't have more than 9999 rows in Kribo.";
    // A file may hold more records than the editor adds; it still adds none.
    QTest::newRow("append row beyond 9999 rows") << 2 << MaxRecords + 1 << "append row"
                                                 << "You mustn't have more than 9999 rows in Kribo";
    QTest::newRow("insert row beyond 9999 rows")
        << 2 << MaxRecords + 1 << "insert row"
        << "You mustn't have more than 9999 rows in Kribo.";
    QTest::newRow("delete the only row") << 2 << 1 << "delete row"
                                         << "You mustn't delete the first row!";
    QTest::newRow("append column at 50 columns")
        << MaxFields << 2 << "append column"
        << "You mustn't have more than 50 columns in Kribo!";
    QTest::newRow("insert column at 50 columns")
        << MaxFields << 2 << "insert column"
        << "You mustn't have more than 50 columns in Kribo!";
    QTest::newRow("delete the only column") << 1 << 2 << "delete column"
                                            << "You mustn't delete the first column!";
}

void TestRowOps::refusalsChangeNothing()
{
    QFETCH(int, fields);
    QFETCH(int, records);
    QFETCH(QString, operation);
    QFETCH(QString, message);

    Database database;
    database.setShape(fields, records);
    database.setCell(1, 1, "kept");
    const Database before = database;
    RowClipboard clipboard;
    clipboard.fill(database, 1);
    AutoWidths autoWidths;
    ScriptedPrompter prompter;
    prompter.expect(QStringLiteral("Information"), message, Icon::Error, Buttons::Ok, Answer::Ok);

    const QMap<QString, std::function<EditResult()>> operations{
        {QStringLiteral("append row"),
         [&] { return appendRow(database, clipboard, prompter, fixedNow(), testRegional()); }},
        {QStringLiteral("insert row"),
         [&] { return insertRow(database, clipboard, 1, prompter, fixedNow(), testRegional()); }},
        {QStringLiteral("delete row"),
         [&] { return deleteRow(database, clipboard, 1, prompter, true); }},
        {QStringLiteral("append column"), [&] { return appendColumn(database, prompter); }},
        {QStringLiteral("insert column"), [&] { return insertColumn(database, 1, prompter); }},
        {QStringLiteral("delete column"),
         [&] { return deleteColumn(database, 1, prompter, true, autoWidths); }},
    };
    QVERIFY(!operations.value(operation)().applied);
    KRIBED_VERIFY_PROMPTER(prompter);
    QVERIFY(!database.isModified());
    QCOMPARE(database.fieldCount(), before.fieldCount());
    QCOMPARE(database.recordCount(), before.recordCount());
    QCOMPARE(database.records(), before.records());
    QVERIFY(clipboard.pasteRowEnabled());
}

void TestRowOps::confirmations_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<bool>("expertMode");
    QTest::addColumn<int>("answer"); // Answer; ignored in expert mode
    QTest::addColumn<QString>("question");
    QTest::addColumn<QByteArray>("rowsAfter");

    const QString deleteQuestion = QStringLiteral("Do you want to delete the selected row?");
    const QString cutQuestion = QStringLiteral("Do you want to cut the selected row?");
    const QString pasteQuestion = QStringLiteral("Do you want to paste the selected row?");
    QTest::newRow("delete row, yes")
        << "delete" << false << int(Answer::Yes) << deleteQuestion << QByteArray("a|1/c|3");
    QTest::newRow("delete row, no")
        << "delete" << false << int(Answer::No) << deleteQuestion << QByteArray("a|1/b|2/c|3");
    QTest::newRow("delete row in expert mode deletes at once")
        << "delete" << true << 0 << QString() << QByteArray("a|1/c|3");
    QTest::newRow("cut row, no") << "cut" << false << int(Answer::No) << cutQuestion
                                 << QByteArray("a|1/b|2/c|3");
    QTest::newRow("cut row in expert mode")
        << "cut" << true << 0 << QString() << QByteArray("a|1/|/c|3");
    QTest::newRow("paste row, no")
        << "paste" << false << int(Answer::No) << pasteQuestion << QByteArray("a|1/b|2/c|3");
    QTest::newRow("paste row, yes")
        << "paste" << false << int(Answer::Yes) << pasteQuestion << QByteArray("a|1/a|1/c|3");
}

void TestRowOps::confirmations()
{
    QFETCH(QString, operation);
    QFETCH(bool, expertMode);
    QFETCH(int, answer);
    QFETCH(QString, question);
    QFETCH(QByteArray, rowsAfter);

    Database database = makeDatabase({StringType, StringType}, {"a|1", "b|2", "c|3"});
    RowClipboard clipboard;
    clipboard.fill(database, 1);
    ScriptedPrompter prompter;
    if (!expertMode)
        prompter.expect(yes(), question, Icon::Question, Buttons::YesNo, Answer(answer));

    EditResult result;
    if (operation == QLatin1String("delete"))
        result = deleteRow(database, clipboard, 2, prompter, expertMode);
    else if (operation == QLatin1String("cut"))
        result = cutRow(database, clipboard, 2, prompter, expertMode);
    else
        result = pasteRow(database, clipboard, 2, prompter, expertMode);

    KRIBED_VERIFY_PROMPTER(prompter);
    const bool declined = !expertMode && Answer(answer) == Answer::No;
    QCOMPARE(result.applied, !declined);
    QCOMPARE(database.isModified(), !declined);
    QCOMPARE(allRows(database), rowsAfter);
    // Only a delete that went through empties the row clipboard.
    QCOMPARE(clipboard.pasteRowEnabled(), declined || operation != QLatin1String("delete"));
}

void TestRowOps::cutRowThenPasteRow()
{
    Database database = makeDatabase({StringType, ModificationDateType, StringType},
                                     {"a|1/1/2000|x", "b||y", "c||z"});
    RowClipboard clipboard;
    ScriptedPrompter prompter;
    QVERIFY(!clipboard.pasteRowEnabled());

    QCOMPARE(cutRow(database, clipboard, 1, prompter, true).changedRecord, 1);
    QVERIFY(clipboard.pasteRowEnabled());
    const EditResult pasted = pasteRow(database, clipboard, 3, prompter, true);
    QCOMPARE(pasted.changedRecord, 3);
    // No stamp on whole-row moves: the modification date travels as it was.
    QCOMPARE(allRows(database), QByteArray("||/b||y/a|1/1/2000|x"));
    // The buffer keeps its texts for another paste.
    pasteRow(database, clipboard, 2, prompter, true);
    QCOMPARE(rowText(database, 2), QByteArray("a|1/1/2000|x"));
    KRIBED_VERIFY_PROMPTER(prompter);
}

void TestRowOps::pasteRowEnabled_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<bool>("enabledAfter");

    QTest::newRow("append row disables") << "append row" << false;
    QTest::newRow("insert row disables") << "insert row" << false;
    QTest::newRow("delete row disables") << "delete row" << false;
    QTest::newRow("append column keeps") << "append column" << true;
    QTest::newRow("delete column keeps") << "delete column" << true;
    QTest::newRow("paste cell keeps") << "paste cell" << true;
}

void TestRowOps::pasteRowEnabled()
{
    QFETCH(QString, operation);
    QFETCH(bool, enabledAfter);

    Database database = makeDatabase({StringType, StringType}, {"a|1", "b|2"});
    RowClipboard clipboard;
    copyRow(database, clipboard, 1);
    AutoWidths autoWidths;
    ScriptedPrompter prompter;

    if (operation == QLatin1String("append row"))
        appendRow(database, clipboard, prompter, fixedNow(), testRegional());
    else if (operation == QLatin1String("insert row"))
        insertRow(database, clipboard, 1, prompter, fixedNow(), testRegional());
    else if (operation == QLatin1String("delete row"))
        deleteRow(database, clipboard, 1, prompter, true);
    else if (operation == QLatin1String("append column"))
        appendColumn(database, prompter);
    else if (operation == QLatin1String("delete column"))
        deleteColumn(database, 1, prompter, true, autoWidths);
    else
        pasteCell(database, 1, 1, "p", fixedNow(), testRegional());

    QCOMPARE(clipboard.pasteRowEnabled(), enabledAfter);
    if (!enabledAfter) {
        QCOMPARE(clipboard.slot(1), QByteArray());
        QVERIFY(!pasteRow(database, clipboard, 1, prompter, true).applied);
    }
    KRIBED_VERIFY_PROMPTER(prompter);
}

void TestRowOps::copyRowAloneMarksModified()
{
    Database database = makeDatabase({StringType, StringType}, {"a|1", "b|2"});
    RowClipboard clipboard;
    clipboard.fill(makeDatabase({StringType, StringType, StringType}, {"x|y|z"}), 1);

    copyRow(database, clipboard, 2);
    QVERIFY(database.isModified());
    QCOMPARE(allRows(database), QByteArray("a|1/b|2"));
    QCOMPARE(clipboard.slot(1), QByteArray("b"));
    QCOMPARE(clipboard.slot(2), QByteArray("2"));
    // A slot beyond the copied row's fields holds nothing from an earlier copy.
    QCOMPARE(clipboard.slot(3), QByteArray());
}

void TestRowOps::cutCell_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QByteArray>("cutText");
    QTest::addColumn<QByteArray>("rowAfter");

    QTest::newRow("modification date cell ends empty")
        << 2 << QByteArray("1/1/2000") << QByteArray("a||" + Now);
    QTest::newRow("modification time cell ends empty")
        << 3 << QByteArray("1:00:00 AM") << QByteArray("a|" + Today + '|');
    QTest::newRow("text cell stamps the row")
        << 1 << QByteArray("a") << QByteArray('|' + Today + '|' + Now);
}

void TestRowOps::cutCell()
{
    QFETCH(int, field);
    QFETCH(QByteArray, cutText);
    QFETCH(QByteArray, rowAfter);

    Database database = makeDatabase({StringType, ModificationDateType, ModificationTimeType},
                                     {"a|1/1/2000|1:00:00 AM", "b|1/1/2000|1:00:00 AM"});
    QByteArray clipboardText;
    const EditResult result =
        kribed::cutCell(database, field, 1, fixedNow(), testRegional(), &clipboardText);
    QCOMPARE(clipboardText, cutText);
    QCOMPARE(rowText(database, 1), rowAfter);
    QCOMPARE(rowText(database, 2), QByteArray("b|1/1/2000|1:00:00 AM"));
    QCOMPARE(result.changedRecord, 1);
    QVERIFY(database.isModified());
}

void TestRowOps::pasteCellStampsAfterThePaste_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("rowAfter");

    QTest::newRow("text cell keeps line breaks and tabs")
        << 1 << QByteArray("x\r\ny\tz") << QByteArray("x\r\ny\tz|" + Today + '|' + Now);
    QTest::newRow("empty clipboard empties the cell")
        << 1 << QByteArray() << QByteArray('|' + Today + '|' + Now);
    QTest::newRow("modification date cell shows the stamp")
        << 2 << QByteArray("pasted") << QByteArray("a|" + Today + '|' + Now);
}

void TestRowOps::pasteCellStampsAfterThePaste()
{
    QFETCH(int, field);
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, rowAfter);

    Database database = makeDatabase({StringType, ModificationDateType, ModificationTimeType},
                                     {"a|1/1/2000|1:00:00 AM"});
    QCOMPARE(pasteCell(database, field, 1, text, fixedNow(), testRegional()).changedRecord, 1);
    QCOMPARE(rowText(database, 1), rowAfter);
    QVERIFY(database.isModified());
}

void TestRowOps::stampRowTouchesOnlyModificationCells()
{
    Database database = makeDatabase({ModificationTimeType, CreationDateType, StringType,
                                      ModificationDateType, ModificationDateType},
                                     {"t|c|s|d|e", "t|c|s|d|e"});
    QVERIFY(stampRow(database, 2, fixedNow(), testRegional()));
    QCOMPARE(rowText(database, 2), Now + "|c|s|" + Today + '|' + Today);
    QCOMPARE(rowText(database, 1), QByteArray("t|c|s|d|e"));
    // Stamping itself is no change of its own: the caller marks the database.
    QVERIFY(!database.isModified());

    Database plain = makeDatabase({StringType, CreationTimeType}, {"s|c"});
    QVERIFY(!stampRow(plain, 1, fixedNow(), testRegional()));
    QCOMPARE(rowText(plain, 1), QByteArray("s|c"));
}

void TestRowOps::draggingARowRenumbers()
{
    Database database = makeDatabase({StringType}, {"r1", "r2", "r3", "r4", "r5"});
    database.setHidden(5, true);
    const EditResult result = moveRow(database, 5, 2);
    QVERIFY(result.applied);
    QCOMPARE(allRows(database), QByteArray("r1/r5/r2/r3/r4"));
    QVERIFY(database.isHidden(2));
    QVERIFY(database.isModified());
    QVERIFY(!moveRow(database, 6, 1).applied);
}

void TestRowOps::announcerWrapsOnlyTheShapeChange_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("fields");
    QTest::addColumn<bool>("answerYes");
    QTest::addColumn<QString>("planned"); // "rows +3" etc.; empty: no change announced

    QTest::newRow("append row") << "append row" << 3 << 2 << true << "record +4";
    QTest::newRow("insert row") << "insert row" << 3 << 2 << true << "record +2";
    QTest::newRow("insert row refused at the limit")
        << "insert row" << MaxRecords << 1 << true << "";
    QTest::newRow("delete row") << "delete row" << 3 << 2 << true << "record -2";
    QTest::newRow("delete row declined") << "delete row" << 3 << 2 << false << "";
    QTest::newRow("append column") << "append column" << 2 << 3 << true << "field +4";
    QTest::newRow("insert column") << "insert column" << 2 << 3 << true << "field +2";
    QTest::newRow("delete column") << "delete column" << 2 << 3 << true << "field -2";
    QTest::newRow("delete column declined") << "delete column" << 2 << 3 << false << "";
    QTest::newRow("delete the only column") << "delete column" << 2 << 1 << true << "";
}

void TestRowOps::announcerWrapsOnlyTheShapeChange()
{
    QFETCH(QString, operation);
    QFETCH(int, records);
    QFETCH(int, fields);
    QFETCH(bool, answerYes);
    QFETCH(QString, planned);

    Database database;
    database.setShape(fields, records);
    RowClipboard clipboard;
    AutoWidths autoWidths;
    // Whatever is asked gets the row's answer; the messages themselves are checked elsewhere.
    struct Answering : Prompter
    {
        bool yes;
        Answer ask(const Message &message) override
        {
            return message.buttons == Buttons::Ok ? Answer::Ok : yes ? Answer::Yes : Answer::No;
        }
    } prompter;
    prompter.yes = answerYes;

    QStringList announced;
    const auto shape = [&] { return qMakePair(database.recordCount(), database.fieldCount()); };
    const ShapeAnnouncer announcer = [&](const EditResult &plan,
                                         const std::function<void()> &change) {
        const auto before = shape();
        change();
        const auto after = shape();
        QString text;
        if (plan.insertedRecord)
            text = QStringLiteral("record +%1").arg(plan.insertedRecord);
        else if (plan.removedRecord)
            text = QStringLiteral("record -%1").arg(plan.removedRecord);
        else if (plan.insertedField)
            text = QStringLiteral("field +%1").arg(plan.insertedField);
        else if (plan.removedField)
            text = QStringLiteral("field -%1").arg(plan.removedField);
        // The change happens inside the announcement, by exactly one row or column.
        const int delta = (after.first - before.first) + (after.second - before.second);
        announced << text + (qAbs(delta) == 1 ? QString() : QStringLiteral(" (shape unchanged)"));
    };

    if (operation == QLatin1String("append row"))
        appendRow(database, clipboard, prompter, fixedNow(), testRegional(), announcer);
    else if (operation == QLatin1String("insert row"))
        insertRow(database, clipboard, 2, prompter, fixedNow(), testRegional(), announcer);
    else if (operation == QLatin1String("delete row"))
        deleteRow(database, clipboard, 2, prompter, false, announcer);
    else if (operation == QLatin1String("append column"))
        appendColumn(database, prompter, announcer);
    else if (operation == QLatin1String("insert column"))
        insertColumn(database, 2, prompter, announcer);
    else
        deleteColumn(database, 2, prompter, false, autoWidths, announcer);

    QCOMPARE(announced, planned.isEmpty() ? QStringList() : QStringList{planned});
}

QTEST_GUILESS_MAIN(TestRowOps)
#include "tst_row_ops.moc"
