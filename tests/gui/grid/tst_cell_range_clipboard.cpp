// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/field_type.h"
#include "core/model/regional.h"
#include "gui/grid/cell_range_clipboard.h"
#include "gui/grid/database_document.h"
#include "gui/grid/document_door_p.h"
#include "scripted_prompter.h"
#include "test_regional.h"

#include <QItemSelectionModel>
#include <QMimeData>
#include <QTableView>
#include <QTest>

using namespace kribed;
using kribed::test::ScriptedPrompter;

namespace {

// The regional rules the running test chose; every operation under test is handed them.
Regional &regional()
{
    static Regional chosen = kribed::test::testRegional();
    return chosen;
}

const QDateTime Now(QDate(2026, 3, 14), QTime(9, 26, 53));

void fill(Database &database)
{
    database.setShape(3, 4);
    for (int field = 1; field <= 3; ++field) {
        database.setFieldName(field, "F" + QByteArray::number(field));
        for (int record = 1; record <= 4; ++record)
            database.setCell(field, record, QByteArray::number(field * 10 + record));
    }
}

} // namespace

class TestCellRangeClipboard : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { regional() = kribed::test::testRegional(); }

    // A copied block pasted back elsewhere is the same bytes, even a byte the display code page
    // cannot show and cells holding tabs and line breaks; the paste is one undo step.
    void copyAndPasteBack()
    {
        DatabaseDocument document(regional());
        DocumentDoor(document).resetWith([](Database &database) {
            fill(database);
            database.setCell(1, 1, "a\x81z");
            database.setCell(2, 1, "tab\there");
            database.setCell(1, 2, "two\r\nlines");
        });
        const Database &database = document.database();
        const std::unique_ptr<QMimeData> mime = rangeMimeData(database, {1, 1, 2, 2}, regional());
        QCOMPARE(mime->text(),
                 QString::fromUtf8("a\xc2\x81z\t\"tab\there\"\n\"two\r\nlines\"\t22\n"));
        const CellBlock block = cellsOfMimeData(*mime, regional());
        ScriptedPrompter prompter;
        QVERIFY(pasteCells(document, 2, 3, block, Now, prompter));
        QCOMPARE(database.cell(2, 3), QByteArray("a\x81z"));
        QCOMPARE(database.cell(3, 3), QByteArray("tab\there"));
        QCOMPARE(database.cell(2, 4), QByteArray("two\r\nlines"));
        QCOMPARE(database.cell(3, 4), QByteArray("22"));
        QCOMPARE(document.history().stack().count(), 1);
        document.history().stack().undo();
        QCOMPARE(database.cell(2, 3), QByteArray("23"));
        QCOMPARE(database.cell(3, 4), QByteArray("34"));
        // Without room (two rows from the last record) nothing is pasted and nothing is kept.
        prompter.expect(QStringLiteral("Information"),
                        QStringLiteral("The pasted cells do not fit*"), Icon::Error, Buttons::Ok,
                        Answer::Ok);
        QVERIFY(!pasteCells(document, 1, 4, block, Now, prompter));
        KRIBED_VERIFY_PROMPTER(prompter);
        QCOMPARE(database.cell(1, 4), QByteArray("14"));
        QVERIFY(!document.history().stack().canUndo());
    }

    // Text from other programs: a spreadsheet's block, one cell's text with its quotes kept and
    // the spreadsheet's final line break dropped.
    void foreignText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<CellBlock>("block");
        QTest::newRow("spreadsheet block")
            << QStringLiteral("1\t2\r\n3\t4\r\n") << CellBlock{{"1", "2"}, {"3", "4"}};
        QTest::newRow("one cell with quotes")
            << QStringLiteral("\"quoted\" word") << CellBlock{{"\"quoted\" word"}};
        QTest::newRow("one cell and a line break") << QStringLiteral("abc\n") << CellBlock{{"abc"}};
    }
    void foreignText()
    {
        QFETCH(QString, text);
        QFETCH(CellBlock, block);
        QMimeData mime;
        mime.setText(text);
        QCOMPARE(cellsOfMimeData(mime, regional()), block);
    }

    // Ctrl+C on one cell that holds a line break or a tab: pasted back from another program's
    // plain text it is the one cell again, not a block over the cells below.
    void singleCellCopiedAsOneCell_data()
    {
        QTest::addColumn<QByteArray>("cell");
        QTest::addColumn<QString>("text");
        QTest::newRow("line break")
            << QByteArray("line\r\nbreak") << QStringLiteral("\"line\r\nbreak\"");
        QTest::newRow("tab") << QByteArray("a\tb") << QStringLiteral("\"a\tb\"");
        QTest::newRow("plain text as it is") << QByteArray("\"a\" b") << QStringLiteral("\"a\" b");
    }
    void singleCellCopiedAsOneCell()
    {
        QFETCH(QByteArray, cell);
        QFETCH(QString, text);
        Database database;
        fill(database);
        database.setCell(2, 2, cell);
        const std::unique_ptr<QMimeData> copied = rangeMimeData(database, {2, 2, 2, 2}, regional());
        QCOMPARE(copied->text(), text);
        QMimeData foreign;
        foreign.setText(copied->text());
        QCOMPARE(cellsOfMimeData(foreign, regional()), CellBlock{{cell}});
        // A range that shows one cell, the others hidden by the filter, is copied as that cell.
        database.setHidden(1, true);
        database.setHidden(3, true);
        QCOMPARE(rangeMimeData(database, {2, 1, 2, 3}, regional())->text(), text);
    }

    // The count of cells and of numbers stand apart; sum and average only when there is a
    // number.
    // The selected block is bounded by the cells that can be selected: rows the filter hides at
    // a rectangle's edges are no part of it; without any selected cell it is the current cell.
    void selectedRangeBounds_data()
    {
        QTest::addColumn<QList<QRect>>("rectangles"); // x: field, y: record
        QTest::addColumn<QList<int>>("hidden");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("one rectangle") << QList<QRect>{QRect(QPoint(2, 2), QPoint(3, 3))}
                                       << QList<int>{} << QRect(QPoint(2, 2), QPoint(3, 3));
        QTest::newRow("hidden edge rows left out")
            << QList<QRect>{QRect(QPoint(1, 1), QPoint(3, 4))} << QList<int>{1, 4}
            << QRect(QPoint(1, 2), QPoint(3, 3));
        QTest::newRow("hidden row inside kept")
            << QList<QRect>{QRect(QPoint(1, 1), QPoint(2, 3))} << QList<int>{2}
            << QRect(QPoint(1, 1), QPoint(2, 3));
        QTest::newRow("two rectangles")
            << QList<QRect>{QRect(QPoint(3, 1), QPoint(3, 1)), QRect(QPoint(1, 3), QPoint(2, 4))}
            << QList<int>{} << QRect(QPoint(1, 1), QPoint(3, 4));
        QTest::newRow("a rectangle of hidden rows only")
            << QList<QRect>{QRect(QPoint(1, 1), QPoint(1, 2)), QRect(QPoint(2, 4), QPoint(2, 4))}
            << QList<int>{1, 2} << QRect(QPoint(2, 4), QPoint(2, 4));
        QTest::newRow("nothing selectable: the current cell")
            << QList<QRect>{QRect(QPoint(1, 3), QPoint(3, 4))} << QList<int>{3, 4}
            << QRect(QPoint(2, 2), QPoint(2, 2));
    }

    void selectedRangeBounds()
    {
        QFETCH(QList<QRect>, rectangles);
        QFETCH(QList<int>, hidden);
        QFETCH(QRect, expected);
        DatabaseDocument document(regional());
        DocumentDoor(document).resetWith([&](Database &database) {
            fill(database);
            for (const int record : hidden)
                database.setHidden(record, true);
        });
        QTableView grid;
        grid.setModel(&document.model());
        const QAbstractItemModel &model = document.model();
        QItemSelectionModel &selection = *grid.selectionModel();
        selection.setCurrentIndex(model.index(1, 1), QItemSelectionModel::NoUpdate);
        QItemSelection chosen;
        for (const QRect &r : rectangles)
            chosen.select(model.index(r.top() - 1, r.left() - 1),
                          model.index(r.bottom() - 1, r.right() - 1));
        selection.select(chosen, QItemSelectionModel::Select);
        const std::optional<CellRange> range = selectedRange(grid);
        QVERIFY(range);
        QCOMPARE(QRect(QPoint(range->firstField, range->firstRecord),
                       QPoint(range->lastField, range->lastRecord)),
                 expected);
    }

    void statisticsText_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QByteArrayList>("cells"); // cells (1, 1), (1, 2), (2, 1), (2, 2)
        QTest::addColumn<QList<int>>("hidden");
        QTest::addColumn<QString>("text");
        QTest::newRow("decimal comma")
            << QStringLiteral("de_DE") << QByteArrayList{"1,5", "2", "x", "1.5"} << QList<int>{}
            << QStringLiteral("Count: 4  Numbers: 2  Sum: 3,5  Average: 1,75");
        QTest::newRow("no number: no sum, no average")
            << QStringLiteral("en_US") << QByteArrayList{"a", "", "1,5", "x"} << QList<int>{}
            << QStringLiteral("Count: 4  Numbers: 0");
        QTest::newRow("numbers that add up to nothing")
            << QStringLiteral("en_US") << QByteArrayList{"0", "b", "c", "d"} << QList<int>{}
            << QStringLiteral("Count: 4  Numbers: 1  Sum: 0  Average: 0");
        QTest::newRow("hidden record not counted")
            << QStringLiteral("en_US") << QByteArrayList{"1", "2", "3", "4"} << QList<int>{2}
            << QStringLiteral("Count: 2  Numbers: 2  Sum: 4  Average: 2");
        QTest::newRow("one shown cell is no selection")
            << QStringLiteral("en_US") << QByteArrayList{"1", "2", "3", "4"} << QList<int>{1}
            << QString();
    }
    void statisticsText()
    {
        QFETCH(QString, locale);
        QFETCH(QByteArrayList, cells);
        QFETCH(QList<int>, hidden);
        QFETCH(QString, text);
        regional() = Regional(QLocale(locale));
        Database database;
        fill(database);
        database.setCell(1, 1, cells[0]);
        database.setCell(1, 2, cells[1]);
        database.setCell(2, 1, cells[2]);
        database.setCell(2, 2, cells[3]);
        for (const int record : hidden)
            database.setHidden(record, true);
        // Rows 1 and 2 of fields 1 and 2, or field 1 alone where one cell is left.
        const CellRange range = text.isEmpty() ? CellRange{1, 1, 1, 2} : CellRange{1, 1, 2, 2};
        QCOMPARE(rangeStatisticsText(database, range, regional()), text);
        QCOMPARE(rangeStatisticsText(database, {1, 1, 1, 1}, regional()), QString());
    }
};

QTEST_MAIN(TestCellRangeClipboard)
#include "tst_cell_range_clipboard.moc"
