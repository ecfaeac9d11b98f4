// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/auto_size.h"
#include "core/editing/cell_clipboard.h"
#include "core/editing/cell_range.h"
#include "core/editing/column_definition.h"
#include "core/editing/record_filter.h"
#include "core/editing/row_clipboard.h"
#include "core/editing/row_column_ops.h"
#include "core/editing/sort.h"
#include "core/editing/sums.h"
#include "core/exchange/text_exchange.h"
#include "core/model/field_type.h"
#include "core/model/pdb_writer.h"
#include "core/model/properties_edit.h"
#include "core/model/regional.h"
#include "gui/grid/database_document.h"
#include "gui/grid/document_door_p.h"
#include "gui/grid/recorded_edits.h"
#include "history_checks.h"
#include "scripted_prompter.h"
#include "test_regional.h"

#include <QAbstractItemModelTester>
#include <QBuffer>
#include <QSignalSpy>
#include <QTest>

using namespace kribed;
using kribed::test::ScriptedPrompter;
using kribed::test::testRegional;

namespace {

const QDateTime Now(QDate(2026, 3, 14), QTime(9, 26, 53));

// Everything a change could touch: the saved file's bytes, and what the file does not hold
// (hidden rows, the filter switch, the whole definition tables, widths in pixels).
struct Image
{
    QByteArray file;
    QVector<Database::Record> records;
    SettingsSnapshot settings;
    bool operator==(const Image &other) const
    {
        return file == other.file && records == other.records && settings == other.settings;
    }
};

Image imageOf(const Database &database)
{
    Database copy = database;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ScriptedPrompter prompter;
    writeDatabase(buffer, copy, 1, Now, prompter);
    return {buffer.data(), database.records(), SettingsSnapshot::of(database)};
}

// Four fields (String, Modification Date, Normal PopUp with a list, Float) and five records.
void fill(Database &database)
{
    database.setShape(4, 5);
    const QList<int> types{StringType, ModificationDateType, NormalPopupType, FloatType};
    for (int field = 1; field <= 4; ++field) {
        database.setFieldName(field, "F" + QByteArray::number(field));
        database.setFieldType(field, types[field - 1]);
        database.setColumnWidth(field, 50 + field);
    }
    database.setFieldName(4, "Sum &");
    database.popupList(3) = {"red", "blue"};
    database.popupList(7) = {"beyond the fields"};
    // Records 2 and 4 hold numbers left of the sum field.
    const char *names[] = {"Meier", "12", "Zorn", "7", "Kunz"};
    for (int record = 1; record <= 5; ++record) {
        database.setCell(1, record, names[record - 1]);
        database.setCell(2, record, "1/1/2020");
        database.setCell(3, record, record % 2 ? "red" : "blue");
        database.setCell(4, record, QByteArray::number(record * 1.5));
    }
    database.setName("Names");
    database.setFilePath(QStringLiteral("/nowhere/names.pdb"));
    database.setHidden(2, true);
}

enum Kind {
    InPlaceEdit,
    CellEditor,
    CutCell,
    PasteCell,
    CutRow,
    PasteBlock,
    ClearRange,
    AppendRow,
    InsertRow,
    DeleteRow,
    AppendColumn,
    InsertColumn,
    DeleteColumn,
    ColumnDrag,
    RowDrag,
    Sort,
    ColumnSum,
    RowSums,
    Properties,
    WidthDrag,
    AutoSizingOn,
    TextAppend
};

} // namespace

class TestEditHistory : public QObject
{
    Q_OBJECT

private:
    DatabaseDocument *mDocument = nullptr;
    EditHistory &history() { return mDocument->history(); }
    QUndoStack &stack() { return mDocument->history().stack(); }
    const Database &data() { return mDocument->database(); }

    void edit(int field, int record, const QByteArray &text)
    {
        mDocument->model().setData(mDocument->model().index(record - 1, field - 1),
                                   QString::fromLatin1(text));
    }

    void make(Kind kind)
    {
        const Database &database = data();
        ScriptedPrompter prompter;
        RowClipboard rowClipboard;
        AutoWidths autoWidths;
        const auto cells = [&](int first, int last, auto change) {
            recordCells(*mDocument, QStringLiteral("Change"), first, last, change);
        };
        const auto shape = [&](auto operation) {
            recordShapeOperation(*mDocument, QStringLiteral("Change"), operation);
        };
        switch (kind) {
        case InPlaceEdit: edit(1, 3, "Zoe"); break;
        case CellEditor:
            cells(4, 4, [](Database &d) {
                return storeEditedText(d, 3, 4, "green", Now, testRegional());
            });
            break;
        case CutCell:
            cells(2, 2, [](Database &d) { return cutCell(d, 1, 2, Now, testRegional(), nullptr); });
            break;
        case PasteCell:
            cells(5, 5,
                  [](Database &d) { return pasteCell(d, 4, 5, "a\tb", Now, testRegional()); });
            break;
        case CutRow:
            cells(3, 3, [&](Database &d) { return cutRow(d, rowClipboard, 3, prompter, true); });
            break;
        case PasteBlock:
            // Record 2 is hidden: the block's rows go into the shown records 3 and 4.
            cells(2, 4, [&](Database &d) {
                return pasteCellBlock(d, 3, 2, {{"x", "1"}, {"y", "2"}}, Now, testRegional(),
                                      prompter);
            });
            break;
        case ClearRange:
            cells(1, 5, [](Database &d) {
                return clearCellRange(d, {1, 1, 1, 5}, Now, testRegional());
            });
            break;
        case AppendRow:
            shape([&](Database &d, const ShapeAnnouncer &a) {
                return appendRow(d, rowClipboard, prompter, Now, testRegional(), a);
            });
            break;
        case InsertRow:
            shape([&](Database &d, const ShapeAnnouncer &a) {
                return insertRow(d, rowClipboard, 2, prompter, Now, testRegional(), a);
            });
            break;
        case DeleteRow:
            // The hidden record goes and comes back hidden.
            shape([&](Database &d, const ShapeAnnouncer &a) {
                return deleteRow(d, rowClipboard, 2, prompter, true, a);
            });
            break;
        case AppendColumn:
            shape(
                [&](Database &d, const ShapeAnnouncer &a) { return appendColumn(d, prompter, a); });
            break;
        case InsertColumn:
            shape([&](Database &d, const ShapeAnnouncer &a) {
                return insertColumn(d, 2, prompter, a);
            });
            break;
        case DeleteColumn:
            // The popup field goes: the definitions after it shift left.
            shape([&](Database &d, const ShapeAnnouncer &a) {
                return deleteColumn(d, 3, prompter, true, autoWidths, a);
            });
            break;
        case ColumnDrag:
            recordFieldMove(*mDocument, {}, 4, 1,
                            [&](Database &d) { moveColumnDefinition(d, 4, 1, autoWidths); });
            break;
        case RowDrag: recordRecordMove(*mDocument, {}, 5, 2); break;
        case Sort:
            recordRecordOrder(*mDocument, {}, [](Database &d) {
                SortSpec spec;
                QVector<int> oldOfNew = sortRows(d, spec, testRegional());
                for (int &old : oldOfNew)
                    --old;
                return oldOfNew;
            });
            break;
        case ColumnSum:
            cells(5, 5, [](Database &d) { return columnSum(d, 4, 5, testRegional()); });
            break;
        case RowSums:
            cells(1, 5, [](Database &d) {
                RowSumState state;
                return computeRowSums(d, state, 1, 1, testRegional());
            });
            break;
        case Properties:
            recordSettings(*mDocument, {}, [&](Database &database) {
                PropertiesEdit edit;
                edit.settings.name = "Renamed";
                edit.settings.flags.readOnly = true;
                edit.fieldName = "Colour";
                edit.typeIndex = StringType; // the popup list goes
                edit.widthText = QStringLiteral("100");
                edit.settings.increment = 3;
                edit.settings.filterText = "mei";
                edit.settings.filterOn = true;
                edit.settings.secondarySort = 2;
                applyProperties(database, 3, edit);
                applyFilter(database, true, {});
                database.setModified();
            });
            break;
        case WidthDrag: mDocument->setColumnWidth(2, 120); break;
        case AutoSizingOn:
            recordWidths(*mDocument, {}, false, [&] {
                mDocument->sizeColumnsAutomatically(
                    autoWidths, true, [](QByteArrayView text) { return int(text.size()) * 7; });
            });
            break;
        case TextAppend: {
            const int before = database.recordCount();
            Database appended = database;
            QBuffer text;
            text.setData("One;1/1/2021;red;2\r\nTwo;x;blue;3\r\n");
            text.open(QIODevice::ReadOnly);
            appendText(text, TextType::Semicolon, appended, prompter, testRegional());
            recordInsertedRecords(*mDocument, {}, before + 1, appended.recordCount() - before,
                                  [&](Database &d) { d = std::move(appended); });
            break;
        }
        }
        KRIBED_VERIFY_PROMPTER(prompter);
    }

private Q_SLOTS:
    void init()
    {
        mDocument = new DatabaseDocument(testRegional(), this);
        new QAbstractItemModelTester(
            &mDocument->model(), QAbstractItemModelTester::FailureReportingMode::QtTest, mDocument);
        DocumentDoor(*mDocument).resetWith([](Database &database) { fill(database); });
        test::failOnHistoryEnded();
    }
    void cleanup()
    {
        delete mDocument;
        mDocument = nullptr;
    }

    // Every kind of change is one step; undo gives back the whole database as it was, redo as the
    // change left it, and they can be repeated.
    void undoRedoEveryKind_data()
    {
        QTest::addColumn<int>("kind");
        const char *names[] = {"in-place edit",
                               "cell editor",
                               "cut cell",
                               "paste cell",
                               "cut row",
                               "paste block",
                               "clear range",
                               "append row",
                               "insert row",
                               "delete hidden row",
                               "append column",
                               "insert column",
                               "delete popup column",
                               "column drag",
                               "row drag",
                               "sort",
                               "column sum",
                               "row sums",
                               "properties",
                               "width drag",
                               "automatic widths",
                               "text append"};
        for (int kind = InPlaceEdit; kind <= TextAppend; ++kind)
            QTest::newRow(names[kind]) << kind;
    }
    void undoRedoEveryKind()
    {
        QFETCH(int, kind);
        const Image before = imageOf(data());
        make(Kind(kind));
        const Image after = imageOf(data());
        QVERIFY2(!(after == before), "the change changed nothing");
        QCOMPARE(stack().count(), 1);
        for (int round = 0; round < 2; ++round) {
            stack().undo();
            QVERIFY(imageOf(data()) == before);
            stack().redo();
            QVERIFY(imageOf(data()) == after);
        }
    }

    // A step holds what it changed: a cell edit holds no copy of the database.
    void cellEditHoldsLittle()
    {
        edit(1, 1, "Mayer");
        QVERIFY2(history().bytesHeld() < 1024, qPrintable(QString::number(history().bytesHeld())));
    }

    void modifiedMarkFollowsHistory()
    {
        QVERIFY(!data().isModified());
        edit(1, 1, "one");
        edit(1, 1, "two");
        QVERIFY(data().isModified());
        stack().undo();
        stack().undo();
        QVERIFY(!data().isModified());
        stack().redo();
        QVERIFY(data().isModified());
        history().markSaved(); // what a successful save does
        QVERIFY(!data().isModified());
        stack().undo();
        QVERIFY(data().isModified());
        stack().redo();
        QVERIFY(!data().isModified());
        // A sort alone does not make the database count as changed.
        recordRecordOrder(*mDocument, {}, [](Database &d) {
            QVector<int> oldOfNew = sortRows(d, SortSpec(), testRegional());
            for (int &old : oldOfNew)
                --old;
            return oldOfNew;
        });
        // (the second edit, undone, made room for it)
        QCOMPARE(stack().count(), 2);
        QVERIFY(!data().isModified());
    }

    // Copy row marks the database changed without a step: undoing back to the saved state keeps
    // that mark until the next save.
    void markFromOutsideTheHistoryStays()
    {
        RowClipboard clipboard;
        mDocument->copyRow(clipboard, 1);
        QVERIFY(data().isModified());
        edit(1, 1, "one");
        stack().undo();
        QVERIFY(data().isModified());
        history().markSaved();
        QVERIFY(!data().isModified());
    }

    // A change that bypasses the history ends it, so no step is undone on a database it was not
    // made on, and says so (the tests fail on that warning); loading or a new database ends it
    // without a word.
    void changeOutsideTheHistoryEndsIt()
    {
        edit(1, 1, "one");
        QCOMPARE(stack().count(), 1);
#ifdef KRIBED_HISTORY_CHECKS
        QTest::ignoreMessage(QtWarningMsg, test::historyEndedWarning());
#endif
        DocumentDoor(*mDocument).removeRecords(1, 1, [](Database &d) { d.takeRecord(1); });
        QCOMPARE(stack().count(), 0);
        QVERIFY(!stack().canUndo());
        edit(1, 1, "two");
        DocumentDoor(*mDocument).resetWith([](Database &d) { fill(d); });
        QVERIFY(!stack().canUndo());
    }

    // The oldest steps go first when the budget is spent; the newest always stays, and the saved
    // state is found again after the stack was built anew.
    void byteBudget()
    {
        const QByteArray big(100000, 'x');
        for (int i = 0; i < 5; ++i)
            edit(1, 1, big + QByteArray::number(i));
        history().markSaved();
        edit(1, 1, "small");
        history().setByteBudget(350000);
        // Each big step holds two texts of 100000 bytes: two steps fit beside the small one.
        QVERIFY(history().bytesHeld() <= 350000);
        QCOMPARE(stack().count(), 2);
        QCOMPARE(stack().index(), 2);
        stack().undo();
        QVERIFY(!data().isModified());
        QCOMPARE(data().cell(1, 1), big + "4");
        stack().undo();
        QCOMPARE(data().cell(1, 1), big + "3");
        QVERIFY(!stack().canUndo());
        history().setByteBudget(10);
        // Steps that were undone are never dropped from the front.
        QCOMPARE(stack().count(), 2);
        stack().redo();
        stack().redo();
        QCOMPARE(data().cell(1, 1), QByteArray("small"));
        history().setByteBudget(10);
        QCOMPARE(stack().count(), 1);
    }

    // Undo and redo put the current cell where the change happened.
    void placeOfTheChange()
    {
        QSignalSpy shown(&history(), &EditHistory::changeShown);
        edit(3, 4, "green");
        stack().undo();
        QCOMPARE(shown.takeLast(), (QVariantList{3, 4}));
        RowClipboard clipboard;
        ScriptedPrompter prompter;
        recordShapeOperation(*mDocument, {}, [&](Database &d, const ShapeAnnouncer &announce) {
            return deleteRow(d, clipboard, 5, prompter, true, announce);
        });
        stack().undo();
        QCOMPARE(shown.takeLast().at(1).toInt(), 4);
    }

    // A step spans the first to the last field that changed, whichever changed between them: its
    // undo repaints that span and goes to its first field.
    void stepSpansChangedFields_data()
    {
        QTest::addColumn<QList<int>>("fields"); // changed in record 3
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::newRow("the first field") << QList<int>{1} << 1 << 1;
        QTest::newRow("the last field") << QList<int>{4} << 4 << 4;
        QTest::newRow("two in the middle") << QList<int>{2, 3} << 2 << 3;
        QTest::newRow("both ends, the middle the same") << QList<int>{1, 4} << 1 << 4;
        QTest::newRow("texts written again as they were") << QList<int>{} << 0 << 0;
    }
    void stepSpansChangedFields()
    {
        QFETCH(QList<int>, fields);
        QFETCH(int, first);
        QFETCH(int, last);
        recordCells(*mDocument, QStringLiteral("Change"), 1, 5, [](Database &d) {
            for (int field = 1; field <= 4; ++field)
                d.setCell(field, 3, d.cell(field, 3));
        });
        QCOMPARE(stack().count(), 0);
        recordCells(*mDocument, QStringLiteral("Change"), 1, 5, [&](Database &d) {
            for (int field = 1; field <= 4; ++field)
                d.setCell(field, 3, fields.contains(field) ? "new" : d.cell(field, 3));
        });
        QCOMPARE(stack().count(), first > 0 ? 1 : 0);
        if (first == 0)
            return;
        QSignalSpy repainted(&mDocument->model(), &QAbstractItemModel::dataChanged);
        QSignalSpy shown(&history(), &EditHistory::changeShown);
        stack().undo();
        QCOMPARE(repainted.size(), 1);
        QCOMPARE(repainted[0][0].toModelIndex().column(), first - 1);
        QCOMPARE(repainted[0][1].toModelIndex().column(), last - 1);
        QCOMPARE(shown.takeLast(), (QVariantList{first, 3}));
        for (int field = 1; field <= 4; ++field)
            QVERIFY(data().cell(field, 3) != "new");
    }

    // The widths of one border drag are one step; a new drag, another column or a save ends it.
    void borderDragSteps_data()
    {
        QTest::addColumn<int>("secondField");
        QTest::addColumn<bool>("continues");
        QTest::addColumn<bool>("savedBetween");
        QTest::addColumn<int>("steps");
        QTest::newRow("the same drag goes on") << 2 << true << false << 1;
        QTest::newRow("a new drag") << 2 << false << false << 2;
        QTest::newRow("another column") << 3 << true << false << 2;
        QTest::newRow("saved during the drag") << 2 << true << true << 2;
    }
    void borderDragSteps()
    {
        QFETCH(int, secondField);
        QFETCH(bool, continues);
        QFETCH(bool, savedBetween);
        QFETCH(int, steps);
        const Image before = imageOf(data());
        mDocument->setColumnWidth(2, 100);
        if (savedBetween)
            history().markSaved();
        const Image between = imageOf(data());
        mDocument->setColumnWidth(secondField, 110, continues);
        QCOMPARE(data().columnWidth(secondField), 110);
        QCOMPARE(stack().count(), steps);
        QVERIFY(data().isModified());
        if (steps == 2) {
            stack().undo();
            QVERIFY(imageOf(data()) == between);
            QCOMPARE(data().isModified(), !savedBetween);
        }
        stack().undo();
        QVERIFY(!stack().canUndo());
        QVERIFY(imageOf(data()) == before);
        QCOMPARE(data().isModified(), savedBetween);
        stack().redo();
        QCOMPARE(data().columnWidth(2), steps == 1 ? 110 : 100);
    }

    // Redo of an in-place edit with row sums on is one step: the edit and the sums it caused.
    void followUpJoinsTheStep()
    {
        edit(4, 1, "10");
        {
            CellRecorder recorder(*mDocument, {}, 1, 5, true);
            DocumentDoor(*mDocument).changeCells(1, 1, 4, 5, [](Database &d) {
                d.setCell(1, 1, "joined");
            });
        }
        QCOMPARE(stack().count(), 1);
        stack().undo();
        QCOMPARE(data().cell(1, 1), QByteArray("Meier"));
        QCOMPARE(data().cell(4, 1), QByteArray("1.5"));
    }

    // A follow-up never changes a step that is no longer the newest in effect or that is the
    // saved state: the saved state would hold texts the file does not.
    void followUpOnItsOwn_data()
    {
        QTest::addColumn<bool>("saved");
        QTest::addColumn<bool>("undone");
        QTest::newRow("newest step, unsaved: joins it") << false << false;
        QTest::newRow("newest step is the saved state") << true << false;
        QTest::newRow("newest step was undone") << false << true;
    }
    void followUpOnItsOwn()
    {
        QFETCH(bool, saved);
        QFETCH(bool, undone);
        edit(4, 1, "10");
        edit(4, 2, "20");
        if (saved)
            history().markSaved();
        if (undone)
            stack().undo();
        const int before = stack().index();
        {
            CellRecorder recorder(*mDocument, {}, 1, 5, true);
            DocumentDoor(*mDocument).changeCells(1, 1, 4, 5, [](Database &d) {
                d.setCell(1, 1, "sum");
            });
        }
        const bool joins = !saved && !undone;
        QCOMPARE(stack().index(), joins ? before : before + 1);
        QVERIFY(data().isModified());
        stack().undo();
        QCOMPARE(data().cell(1, 1), QByteArray("Meier"));
        // Undoing the follow-up alone gives back the saved state exactly.
        QCOMPARE(data().isModified(), !saved);
        QCOMPARE(data().cell(4, 2), QByteArray(joins || undone ? "3" : "20"));
    }
};

QTEST_MAIN(TestEditHistory)
#include "tst_edit_history.moc"
