// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "editing_fixture.h"
#include "scripted_prompter.h"

#include "core/editing/auto_size.h"
#include "core/editing/column_definition.h"
#include "core/editing/row_clipboard.h"
#include "core/editing/row_column_ops.h"
#include "core/model/field_type.h"
#include "core/model/pdb_reader.h"
#include "core/model/pdb_writer.h"

#include <QBuffer>
#include <QtTest>

using namespace kribed;
using namespace kribed::test;

namespace {

// Gives field k the popup list {"Fk item"} so every definition can be told apart from its name.
void giveEachFieldItsList(Database &database)
{
    for (int field = 1; field <= database.fieldCount(); ++field)
        database.popupList(field) = {database.fieldName(field) + " item"};
}

// "name:type:width:popup" for every field, to see that a column's parts stay together.
QByteArray definitionsOf(const Database &database)
{
    QList<QByteArray> parts;
    for (int field = 1; field <= database.fieldCount(); ++field) {
        parts << database.fieldName(field) + ':' + QByteArray::number(database.fieldType(field))
                     + ':' + QByteArray::number(database.columnWidth(field)) + ':'
                     + database.popupList(field).join(',');
    }
    return parts.join(' ');
}

// Each text is as wide as its length in pixels times 7.
int sevenPerByte(QByteArrayView text)
{
    return int(text.size()) * 7;
}

} // namespace

class TestColumnOps : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void insertColumnBeforeTwo();
    void appendColumnStartsFresh();
    void deleteColumn_data();
    void deleteColumn();
    void deletedColumnSavesAsAfterReload_data();
    void deletedColumnSavesAsAfterReload();
    void dragColumn_data();
    void dragColumn();
    void autoWidthsOnAndOffRestoreExactly();
    void autoWidthMeasures_data();
    void autoWidthMeasures();
    void autoWidthsOffWhenOffChangesNothing();
    void autoWidthsOnTwiceKeepsTheLatestWidths();
    void remainingColumnsGetTheirOwnWidthsBack_data();
    void remainingColumnsGetTheirOwnWidthsBack();
};

void TestColumnOps::insertColumnBeforeTwo()
{
    Database database =
        makeDatabase({BooleanType, NormalPopupType, FloatType}, {"1|red|1.5", "0|blue|2"});
    giveEachFieldItsList(database);
    RowClipboard clipboard;
    clipboard.fill(database, 1);
    ScriptedPrompter prompter;

    const EditResult result = insertColumn(database, 2, prompter);
    QCOMPARE(result.insertedField, 2);
    QCOMPARE(result.currentField, 0); // stays, now on the new column
    QCOMPARE(definitionsOf(database),
             QByteArray("F1:1:41:F1 item Field 2:0:90: F2:8:42:F2 item F3:12:43:F3 item"));
    QCOMPARE(allRows(database), QByteArray("1||red|1.5/0||blue|2"));
    QVERIFY(database.isModified());
    QVERIFY(clipboard.pasteRowEnabled());
    KRIBED_VERIFY_PROMPTER(prompter);
}

void TestColumnOps::appendColumnStartsFresh()
{
    Database database = makeDatabase({StringType, StringType}, {"a|b"});
    // Position 3 still holds the definition of a column deleted earlier.
    database.setFieldType(3, MultiplePopupType);
    database.popupList(3) = {"old"};
    ScriptedPrompter prompter;

    const EditResult result = appendColumn(database, prompter);
    QCOMPARE(result.insertedField, 3);
    QCOMPARE(result.currentField, 3);
    QCOMPARE(result.currentRecord, 1);
    QCOMPARE(database.fieldName(3), QByteArray("Field 3"));
    QCOMPARE(database.fieldType(3), int(StringType));
    QVERIFY(database.popupList(3).isEmpty());
    QCOMPARE(database.columnWidth(3), 90);
    QCOMPARE(database.columnWidth(2), 42);
    QCOMPARE(rowText(database, 1), QByteArray("a|b|"));
    KRIBED_VERIFY_PROMPTER(prompter);
}

void TestColumnOps::deleteColumn_data()
{
    QTest::addColumn<bool>("expertMode");
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("field");
    QTest::addColumn<QByteArray>("definitions");
    QTest::addColumn<int>("currentField");

    const QByteArray all("F1:1:41:F1 item F2:8:42:F2 item F3:12:43:F3 item");
    QTest::newRow("no keeps everything") << false << int(Answer::No) << 2 << all << 0;
    QTest::newRow("yes on the middle column")
        << false << int(Answer::Yes) << 2 << QByteArray("F1:1:41:F1 item F3:12:43:F3 item") << 2;
    QTest::newRow("expert mode on the last column moves the current cell left")
        << true << 0 << 3 << QByteArray("F1:1:41:F1 item F2:8:42:F2 item") << 2;
}

void TestColumnOps::deleteColumn()
{
    QFETCH(bool, expertMode);
    QFETCH(int, answer);
    QFETCH(int, field);
    QFETCH(QByteArray, definitions);
    QFETCH(int, currentField);

    Database database = makeDatabase({BooleanType, NormalPopupType, FloatType}, {"1|red|1.5"});
    giveEachFieldItsList(database);
    AutoWidths autoWidths;
    ScriptedPrompter prompter;
    if (!expertMode) {
        prompter.expect(QStringLiteral("Confirm"),
                        QStringLiteral("Do you want to delete the selected column?"),
                        Icon::Question, Buttons::YesNo, Answer(answer));
    }
    const EditResult result =
        kribed::deleteColumn(database, field, prompter, expertMode, autoWidths);
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(definitionsOf(database), definitions);
    QCOMPARE(result.applied, database.isModified());
    QCOMPARE(result.removedField, result.applied ? field : 0);
    QCOMPARE(result.currentField, currentField);
}

void TestColumnOps::deletedColumnSavesAsAfterReload_data()
{
    QTest::addColumn<int>("field");
    QTest::newRow("first column") << 1;
    QTest::newRow("middle column") << 2;
    QTest::newRow("last column") << 3;
}

// The state after Delete Column saves to the same bytes as the same state opened again from its
// file: nothing of the deleted field lingers beyond the last one.
void TestColumnOps::deletedColumnSavesAsAfterReload()
{
    QFETCH(int, field);
    const QDateTime saveTime(QDate(2026, 12, 9), QTime(10, 0));
    const auto save = [&](Database &database) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        ScriptedPrompter prompter;
        return writeDatabase(buffer, database, 1, saveTime, prompter) ? buffer.data()
                                                                      : QByteArray("failed");
    };
    Database database = makeDatabase({BooleanType, NormalPopupType, FloatType}, {"1|red|1.5"});
    giveEachFieldItsList(database);
    AutoWidths autoWidths;
    ScriptedPrompter prompter;
    QVERIFY(kribed::deleteColumn(database, field, prompter, true, autoWidths).applied);
    const QByteArray saved = save(database);

    QBuffer file;
    file.setData(saved);
    file.open(QIODevice::ReadOnly);
    Database reloaded;
    QCOMPARE(readDatabase(file, QStringLiteral("/data/Test.pdb"), reloaded, prompter),
             LoadResult::Loaded);
    QCOMPARE(save(reloaded).toHex(), saved.toHex());
    QCOMPARE(save(database).toHex(), saved.toHex());
    KRIBED_VERIFY_PROMPTER(prompter);
}

void TestColumnOps::dragColumn_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QByteArray>("order");

    QTest::newRow("column 4 to position 2") << 4 << 2 << QByteArray("F1 F4 F2 F3 F5");
    QTest::newRow("column 2 to position 4") << 2 << 4 << QByteArray("F1 F3 F4 F2 F5");
    QTest::newRow("first to last") << 1 << 5 << QByteArray("F2 F3 F4 F5 F1");
    QTest::newRow("last to first") << 5 << 1 << QByteArray("F5 F1 F2 F3 F4");
    QTest::newRow("neighbours") << 3 << 4 << QByteArray("F1 F2 F4 F3 F5");
}

void TestColumnOps::dragColumn()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QByteArray, order);

    Database database = makeDatabase(
        {StringType, BooleanType, NormalPopupType, MultiplePopupType, FloatType}, {"s|b|p|m|f"});
    giveEachFieldItsList(database);
    // Each name with its own type, width, list and cell, as they must stay after the drag.
    QHash<QByteArray, QByteArray> belongs;
    for (int field = 1; field <= 5; ++field) {
        belongs.insert(database.fieldName(field),
                       QByteArray::number(database.fieldType(field)) + ':'
                           + QByteArray::number(database.columnWidth(field)) + ':'
                           + database.popupList(field).join(',') + ':' + database.cell(field, 1));
    }
    AutoWidths autoWidths;
    QVERIFY(moveColumn(database, from, to, autoWidths).applied);
    QList<QByteArray> names;
    for (int field = 1; field <= 5; ++field) {
        names << database.fieldName(field);
        QCOMPARE(QByteArray::number(database.fieldType(field)) + ':'
                     + QByteArray::number(database.columnWidth(field)) + ':'
                     + database.popupList(field).join(',') + ':' + database.cell(field, 1),
                 belongs.value(database.fieldName(field)));
    }
    QCOMPARE(names.join(' '), order);
    QVERIFY(database.isModified());
}

void TestColumnOps::autoWidthsOnAndOffRestoreExactly()
{
    Database database =
        makeDatabase({StringType, StringType, StringType}, {"short\r\na much longer second line|x|",
                                                            "mid\r\nanother very long line|yy|"});
    database.setColumnWidth(1, 133);
    database.setColumnWidth(2, 17);
    database.setColumnWidth(3, 250);
    AutoWidths autoWidths;

    autoSizeColumns(database, autoWidths, true, sevenPerByte);
    QVERIFY(autoWidths.isOn());
    // The widest first line is "short" (5 bytes), the field name "F1" is shorter.
    QCOMPARE(database.columnWidth(1), 5 * 7 + 5);
    QCOMPARE(database.columnWidth(2), 2 * 7 + 5);
    QCOMPARE(database.columnWidth(3), 2 * 7 + 5);

    autoSizeColumns(database, autoWidths, false, sevenPerByte);
    QVERIFY(!autoWidths.isOn());
    QCOMPARE(database.columnWidth(1), 133);
    QCOMPARE(database.columnWidth(2), 17);
    QCOMPARE(database.columnWidth(3), 250);
}

void TestColumnOps::autoWidthMeasures_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QList<QByteArray>>("cells");
    QTest::addColumn<bool>("hideLongest");
    QTest::addColumn<int>("width");
    // Texts measured: none after one that makes the column as wide as it can get.
    QTest::addColumn<int>("measured");

    QTest::newRow("empty column is 5 wide")
        << QByteArray() << QList<QByteArray>{"", ""} << false << 5 << 0;
    QTest::newRow("field name counts")
        << QByteArray("a long field name") << QList<QByteArray>{"x"} << false << 17 * 7 + 5 << 2;
    QTest::newRow("hidden rows count")
        << QByteArray() << QList<QByteArray>{"ab", "abcdef"} << true << 6 * 7 + 5 << 2;
    QTest::newRow("at most 300 pixels")
        << QByteArray() << QList<QByteArray>{QByteArray(60, 'w')} << false << 300 << 1;
    QTest::newRow("just under the limit")
        << QByteArray() << QList<QByteArray>{QByteArray(42, 'w')} << false << 299 << 1;
    QTest::newRow("text before the first carriage return only")
        << QByteArray() << QList<QByteArray>{"abc\rdefghijk\rlmnopqrstuvw"} << false << 3 * 7 + 5
        << 1;
    QTest::newRow("line feed alone is no line end")
        << QByteArray() << QList<QByteArray>{"abc\ndefg"} << false << 8 * 7 + 5 << 1;
    QTest::newRow("a wide text later still counts")
        << QByteArray("F")
        << QList<QByteArray>{"ab", QByteArray(41, 'w'), "abc", QByteArray(42, 'w')} << false << 299
        << 5;
    QTest::newRow("nothing measured after the widest possible")
        << QByteArray() << QList<QByteArray>{"ab", QByteArray(43, 'w'), QByteArray(60, 'w'), "x"}
        << false << 300 << 2;
    QTest::newRow("a wide field name is enough")
        << QByteArray(50, 'N') << QList<QByteArray>{"ab", "abc"} << false << 300 << 1;
}

void TestColumnOps::autoWidthMeasures()
{
    QFETCH(QByteArray, name);
    QFETCH(QList<QByteArray>, cells);
    QFETCH(bool, hideLongest);
    QFETCH(int, width);
    QFETCH(int, measured);

    Database database = makeDatabase({StringType}, cells);
    database.setFieldName(1, name);
    if (hideLongest)
        database.setHidden(int(cells.size()), true);
    AutoWidths autoWidths;
    int texts = 0;
    autoSizeColumns(database, autoWidths, true, [&texts](QByteArrayView text) {
        ++texts;
        return sevenPerByte(text);
    });
    QCOMPARE(database.columnWidth(1), width);
    QCOMPARE(texts, measured);
}

void TestColumnOps::autoWidthsOffWhenOffChangesNothing()
{
    Database database = makeDatabase({StringType, StringType}, {"abc|d"});
    AutoWidths autoWidths;
    autoSizeColumns(database, autoWidths, false, sevenPerByte);
    QCOMPARE(database.columnWidth(1), 41);
    QCOMPARE(database.columnWidth(2), 42);

    // A newly opened database is marked off without getting the old widths back.
    autoSizeColumns(database, autoWidths, true, sevenPerByte);
    autoWidths.resetWithoutRestoring();
    autoSizeColumns(database, autoWidths, false, sevenPerByte);
    QCOMPARE(database.columnWidth(1), 3 * 7 + 5);
}

void TestColumnOps::autoWidthsOnTwiceKeepsTheLatestWidths()
{
    Database database = makeDatabase({StringType}, {"abc"});
    AutoWidths autoWidths;
    autoSizeColumns(database, autoWidths, true, sevenPerByte);
    database.setCell(1, 1, "abcdefgh");
    autoSizeColumns(database, autoWidths, true, sevenPerByte);
    QCOMPARE(database.columnWidth(1), 8 * 7 + 5);
    autoSizeColumns(database, autoWidths, false, sevenPerByte);
    QCOMPARE(database.columnWidth(1), 3 * 7 + 5);
}

void TestColumnOps::remainingColumnsGetTheirOwnWidthsBack_data()
{
    QTest::addColumn<bool>("drag");

    QTest::newRow("after deleting a column") << false;
    QTest::newRow("after dragging a column") << true;
}

void TestColumnOps::remainingColumnsGetTheirOwnWidthsBack()
{
    QFETCH(bool, drag);

    Database database =
        makeDatabase({StringType, StringType, StringType, StringType}, {"a|bb|ccc|dddd"});
    AutoWidths autoWidths;
    autoSizeColumns(database, autoWidths, true, sevenPerByte);
    ScriptedPrompter prompter;
    if (drag)
        moveColumn(database, 1, 3, autoWidths);
    else
        kribed::deleteColumn(database, 2, prompter, true, autoWidths);
    autoSizeColumns(database, autoWidths, false, sevenPerByte);

    QList<QByteArray> widths;
    for (int field = 1; field <= database.fieldCount(); ++field)
        widths << database.fieldName(field) + '=' + QByteArray::number(database.columnWidth(field));
    QCOMPARE(widths.join(' '),
             drag ? QByteArray("F2=42 F3=43 F1=41 F4=44") : QByteArray("F1=41 F3=43 F4=44"));
}

QTEST_GUILESS_MAIN(TestColumnOps)
#include "tst_column_ops.moc"
