// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "editing_fixture.h"
#include "scripted_prompter.h"

#include "core/editing/auto_size.h"
#include "core/editing/column_definition.h"
#include "core/editing/row_clipboard.h"
#include "core/editing/row_column_ops.h"
#include "core/model/field_type.h"

#include <QtTest>

using namespace kribed;
using namespace kribed::test;

namespace {

// Gives field k the popup list {"Fk item"} so every definition can be told apart from its name.
void GiveEachFieldItsList(Database &database)
{
    for (int field = 1; field <= database.FieldCount(); ++field)
        database.PopupList(field) = {database.FieldName(field) + " item"};
}

// "name:type:width:popup" for every field, to see that a column's parts stay together.
QByteArray Definitions(const Database &database)
{
    QList<QByteArray> parts;
    for (int field = 1; field <= database.FieldCount(); ++field) {
        parts << database.FieldName(field) + ':' + QByteArray::number(database.FieldType(field))
                + ':' + QByteArray::number(database.ColumnWidth(field)) + ':'
                + database.PopupList(field).join(',');
    }
    return parts.join(' ');
}

// Each text is as wide as its length in pixels times 7.
int SevenPerByte(QByteArrayView text)
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
    Database database = MakeDatabase({BooleanType, NormalPopupType, FloatType},
                                     {"1|red|1.5", "0|blue|2"});
    GiveEachFieldItsList(database);
    RowClipboard clipboard;
    clipboard.Fill(database, 1);
    ScriptedPrompter prompter;

    const EditResult result = InsertColumn(database, 2, prompter);
    QCOMPARE(result.insertedField, 2);
    QCOMPARE(result.currentField, 0); // stays, now on the new column
    QCOMPARE(Definitions(database),
             QByteArray("F1:1:41:F1 item Field 2:0:90: F2:8:42:F2 item F3:12:43:F3 item"));
    QCOMPARE(AllRows(database), QByteArray("1||red|1.5/0||blue|2"));
    QVERIFY(database.IsModified());
    QVERIFY(clipboard.PasteRowEnabled());
    KRIBED_VERIFY_PROMPTER(prompter);
}

void TestColumnOps::appendColumnStartsFresh()
{
    Database database = MakeDatabase({StringType, StringType}, {"a|b"});
    // Position 3 still holds the definition of a column deleted earlier.
    database.SetFieldType(3, MultiplePopupType);
    database.PopupList(3) = {"old"};
    ScriptedPrompter prompter;

    const EditResult result = AppendColumn(database, prompter);
    QCOMPARE(result.insertedField, 3);
    QCOMPARE(result.currentField, 3);
    QCOMPARE(result.currentRecord, 1);
    QCOMPARE(database.FieldName(3), QByteArray("Field 3"));
    QCOMPARE(database.FieldType(3), int(StringType));
    QVERIFY(database.PopupList(3).isEmpty());
    QCOMPARE(database.ColumnWidth(3), 90);
    QCOMPARE(database.ColumnWidth(2), 42);
    QCOMPARE(RowText(database, 1), QByteArray("a|b|"));
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

    Database database = MakeDatabase({BooleanType, NormalPopupType, FloatType}, {"1|red|1.5"});
    GiveEachFieldItsList(database);
    AutoWidths autoWidths;
    ScriptedPrompter prompter;
    if (!expertMode) {
        prompter.Expect(QStringLiteral("Confirm"),
                        QStringLiteral("Do you want to delete the selected column?"),
                        Icon::Question, Buttons::YesNo, Answer(answer));
    }
    const EditResult result = DeleteColumn(database, field, prompter, expertMode, autoWidths);
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(Definitions(database), definitions);
    QCOMPARE(result.applied, database.IsModified());
    QCOMPARE(result.removedField, result.applied ? field : 0);
    QCOMPARE(result.currentField, currentField);
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

    Database database = MakeDatabase({StringType, BooleanType, NormalPopupType, MultiplePopupType,
                                      FloatType},
                                     {"s|b|p|m|f"});
    GiveEachFieldItsList(database);
    // Each name with its own type, width, list and cell, as they must stay after the drag.
    QHash<QByteArray, QByteArray> belongs;
    for (int field = 1; field <= 5; ++field) {
        belongs.insert(database.FieldName(field),
                       QByteArray::number(database.FieldType(field)) + ':'
                           + QByteArray::number(database.ColumnWidth(field)) + ':'
                           + database.PopupList(field).join(',') + ':' + database.Cell(field, 1));
    }
    AutoWidths autoWidths;
    QVERIFY(MoveColumn(database, from, to, autoWidths).applied);
    QList<QByteArray> names;
    for (int field = 1; field <= 5; ++field) {
        names << database.FieldName(field);
        QCOMPARE(QByteArray::number(database.FieldType(field)) + ':'
                     + QByteArray::number(database.ColumnWidth(field)) + ':'
                     + database.PopupList(field).join(',') + ':' + database.Cell(field, 1),
                 belongs.value(database.FieldName(field)));
    }
    QCOMPARE(names.join(' '), order);
    QVERIFY(database.IsModified());
}

void TestColumnOps::autoWidthsOnAndOffRestoreExactly()
{
    Database database = MakeDatabase({StringType, StringType, StringType},
                                     {"short\r\na much longer second line|x|",
                                      "mid\r\nanother very long line|yy|"});
    database.SetColumnWidth(1, 133);
    database.SetColumnWidth(2, 17);
    database.SetColumnWidth(3, 250);
    AutoWidths autoWidths;

    AutoSizeColumns(database, autoWidths, true, SevenPerByte);
    QVERIFY(autoWidths.IsOn());
    // The widest first line is "short" (5 bytes), the field name "F1" is shorter.
    QCOMPARE(database.ColumnWidth(1), 5 * 7 + 5);
    QCOMPARE(database.ColumnWidth(2), 2 * 7 + 5);
    QCOMPARE(database.ColumnWidth(3), 2 * 7 + 5);

    AutoSizeColumns(database, autoWidths, false, SevenPerByte);
    QVERIFY(!autoWidths.IsOn());
    QCOMPARE(database.ColumnWidth(1), 133);
    QCOMPARE(database.ColumnWidth(2), 17);
    QCOMPARE(database.ColumnWidth(3), 250);
}

void TestColumnOps::autoWidthMeasures_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QList<QByteArray>>("cells");
    QTest::addColumn<bool>("hideLongest");
    QTest::addColumn<int>("width");

    QTest::newRow("empty column is 5 wide") << QByteArray() << QList<QByteArray>{"", ""} << false
                                            << 5;
    QTest::newRow("field name counts") << QByteArray("a long field name")
                                       << QList<QByteArray>{"x"} << false << 17 * 7 + 5;
    QTest::newRow("hidden rows count") << QByteArray() << QList<QByteArray>{"ab", "abcdef"} << true
                                       << 6 * 7 + 5;
    QTest::newRow("at most 300 pixels") << QByteArray() << QList<QByteArray>{QByteArray(60, 'w')}
                                        << false << 300;
    QTest::newRow("just under the limit") << QByteArray() << QList<QByteArray>{QByteArray(42, 'w')}
                                          << false << 299;
    QTest::newRow("text before the first carriage return only")
        << QByteArray() << QList<QByteArray>{"abc\rdefghijk\rlmnopqrstuvw"} << false << 3 * 7 + 5;
    QTest::newRow("line feed alone is no line end")
        << QByteArray() << QList<QByteArray>{"abc\ndefg"} << false << 8 * 7 + 5;
}

void TestColumnOps::autoWidthMeasures()
{
    QFETCH(QByteArray, name);
    QFETCH(QList<QByteArray>, cells);
    QFETCH(bool, hideLongest);
    QFETCH(int, width);

    Database database = MakeDatabase({StringType}, cells);
    database.SetFieldName(1, name);
    if (hideLongest)
        database.SetHidden(int(cells.size()), true);
    AutoWidths autoWidths;
    AutoSizeColumns(database, autoWidths, true, SevenPerByte);
    QCOMPARE(database.ColumnWidth(1), width);
}

void TestColumnOps::autoWidthsOffWhenOffChangesNothing()
{
    Database database = MakeDatabase({StringType, StringType}, {"abc|d"});
    AutoWidths autoWidths;
    AutoSizeColumns(database, autoWidths, false, SevenPerByte);
    QCOMPARE(database.ColumnWidth(1), 41);
    QCOMPARE(database.ColumnWidth(2), 42);

    // A newly opened database is marked off without getting the old widths back.
    AutoSizeColumns(database, autoWidths, true, SevenPerByte);
    autoWidths.ResetWithoutRestoring();
    AutoSizeColumns(database, autoWidths, false, SevenPerByte);
    QCOMPARE(database.ColumnWidth(1), 3 * 7 + 5);
}

void TestColumnOps::autoWidthsOnTwiceKeepsTheLatestWidths()
{
    Database database = MakeDatabase({StringType}, {"abc"});
    AutoWidths autoWidths;
    AutoSizeColumns(database, autoWidths, true, SevenPerByte);
    database.SetCell(1, 1, "abcdefgh");
    AutoSizeColumns(database, autoWidths, true, SevenPerByte);
    QCOMPARE(database.ColumnWidth(1), 8 * 7 + 5);
    AutoSizeColumns(database, autoWidths, false, SevenPerByte);
    QCOMPARE(database.ColumnWidth(1), 3 * 7 + 5);
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

    Database database = MakeDatabase({StringType, StringType, StringType, StringType},
                                     {"a|bb|ccc|dddd"});
    AutoWidths autoWidths;
    AutoSizeColumns(database, autoWidths, true, SevenPerByte);
    ScriptedPrompter prompter;
    if (drag)
        MoveColumn(database, 1, 3, autoWidths);
    else
        DeleteColumn(database, 2, prompter, true, autoWidths);
    AutoSizeColumns(database, autoWidths, false, SevenPerByte);

    QList<QByteArray> widths;
    for (int field = 1; field <= database.FieldCount(); ++field)
        widths << database.FieldName(field) + '=' + QByteArray::number(database.ColumnWidth(field));
    QCOMPARE(widths.join(' '), drag ? QByteArray("F2=42 F3=43 F1=41 F4=44")
                                    : QByteArray("F1=41 F3=43 F4=44"));
}

QTEST_GUILESS_MAIN(TestColumnOps)
#include "tst_column_ops.moc"
