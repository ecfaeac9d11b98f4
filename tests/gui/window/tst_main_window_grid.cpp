// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "core/model/limits.h"
#include "core/model/regional.h"
#include "core/platform/settings.h"
#include "core/platform/user_list.h"
#include "gui/commands/edit_commands.h"
#include "gui/commands/file_commands.h"
#include "gui/commands/help_commands.h"
#include "gui/commands/properties_commands.h"
#include "gui/commands/range_commands.h"
#include "gui/dialogs/properties_dialog.h"
#include "gui/grid/database_document.h"
#include "gui/grid/grid_header.h"
#include "gui/window/main_window.h"
#include "main_window_fixture.h"
#include "pdb_builder.h"
#include "test_regional.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSettings>
#include <QStringDecoder>
#include <QTableView>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using namespace kribed;
using kribed::test::testRegional;
using namespace kribed::test;

class TestMainWindowGrid
    : public QObject
    , private MainWindowFixture
{
    Q_OBJECT

private:
    QTableView *grid() { return mWindow->grid(); }
    GridHeader *columns() { return static_cast<GridHeader *>(grid()->horizontalHeader()); }
    GridHeader *rows() { return static_cast<GridHeader *>(grid()->verticalHeader()); }
    QString cell(int field, int record)
    {
        return grid()->model()->index(record - 1, field - 1).data().toString();
    }

    // Opens a built file in place of the demo.
    void openBuilt(const PdbBuilder &builder)
    {
        const QByteArray bytes = builder.build();
        mWindow->document().history().markSaved();
        openBytes(QStringLiteral("Built.pdb"), bytes);
    }

    // Opens a database of three fields 20, 40 and 60 units wide and six records "f.r".
    void openDemo(quint16 thirdWidth = 60)
    {
        PdbBuilder builder;
        builder.name("Demo")
            .field("A", 0x0001, 20)
            .field("B", 0x0001, 40)
            .field("C", 0x0001, thirdWidth);
        for (int record = 1; record <= 6; ++record) {
            QList<QByteArray> values;
            for (int field = 1; field <= 3; ++field)
                values << QByteArray::number(field) + '.' + QByteArray::number(record);
            builder.record(values);
        }
        openBytes(QStringLiteral("Demo.pdb"), builder.build());
    }

private Q_SLOTS:
    void initTestCase() { initFixture(); }

    void init()
    {
        startTest(true);
        if (!QTest::currentTestFailed())
            openDemo();
    }

    void cleanup() { endTest(); }

    void headerHighlightFollowsTheCurrentCell()
    {
        mWindow->setCurrentCell(2, 5);
        mWindow->updateStatus();
        QCOMPARE(columns()->highlightedSection(), 1);
        QCOMPARE(rows()->highlightedSection(), 4);

        // The highlighted header cell is painted in the highlight colour, the others are not.
        const QImage image = columns()->grab().toImage();
        const auto pixelOf = [&](int section) {
            const int right =
                columns()->sectionViewportPosition(section) + columns()->sectionSize(section);
            return image.pixelColor(right - 3, columns()->height() - 3);
        };
        QCOMPARE(pixelOf(1), GridHeader::highlightColor());
        QVERIFY(pixelOf(0) != GridHeader::highlightColor());
        QVERIFY(pixelOf(2) != GridHeader::highlightColor());

        QTest::keyClick(grid(), Qt::Key_Down);
        QTest::keyClick(grid(), Qt::Key_Right);
        mWindow->updateStatus();
        QCOMPARE(columns()->highlightedSection(), 2);
        QCOMPARE(rows()->highlightedSection(), 5);
    }

    void widthsComeFromTheDatabaseAndSnapAt300Units()
    {
        for (int field = 1; field <= 3; ++field)
            QCOMPARE(columns()->sectionSize(field - 1), windowDatabase().columnWidth(field));
        QCOMPARE(windowDatabase().widthUnits(2), 40);
        QVERIFY(!windowDatabase().isModified());

        const int largest = windowDatabase().unitsToPixels(MaxFieldWidthUnits);
        columns()->resizeSection(1, largest + 200);
        QCOMPARE(columns()->sectionSize(1), largest);
        QCOMPARE(windowDatabase().columnWidth(2), largest);
        QVERIFY(windowDatabase().isModified());

        windowDocument().history().markSaved();
        columns()->resizeSection(0, 70);
        QCOMPARE(windowDatabase().columnWidth(1), 70);
        QVERIFY(windowDatabase().isModified());
    }

    void tooWideFieldInAFileIsShownAt300Units()
    {
        mWindow->commandGroups().get<FileCommands>().closeDatabase();
        openDemo(500);
        const int largest = windowDatabase().unitsToPixels(MaxFieldWidthUnits);
        QCOMPARE(columns()->sectionSize(2), largest);
        QCOMPARE(windowDatabase().widthUnits(3), MaxFieldWidthUnits);
        QVERIFY(!windowDatabase().isModified());
    }

    void draggingARowRenumbersAndMarksModified()
    {
        mWindow->setCurrentCell(1, 5);
        rows()->moveSection(4, 1); // record 5 above record 2
        QCOMPARE(cell(1, 2), QStringLiteral("1.5"));
        QCOMPARE(cell(1, 3), QStringLiteral("1.2"));
        QCOMPARE(cell(1, 6), QStringLiteral("1.6"));
        QVERIFY(windowDatabase().isModified());
        for (int place = 0; place < 6; ++place) {
            QCOMPARE(rows()->logicalIndex(place), place);
            QCOMPARE(grid()->model()->headerData(place, Qt::Vertical).toString(),
                     QStringLiteral("%1").arg(place + 1, 4, 10, QLatin1Char('0')));
        }
        // The current cell moved with its record.
        QCOMPARE(mWindow->currentRecord(), 2);
    }

    void draggingAColumnMovesItWholeAndEndsRowSums()
    {
        mWindow->commandGroups().get<ToolsCommands>().setRowSumState(true);
        const int widthOfC = windowDatabase().columnWidth(3);
        columns()->moveSection(2, 0); // field 3 to the first place
        QCOMPARE(grid()->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("C"));
        QCOMPARE(cell(1, 4), QStringLiteral("3.4"));
        QCOMPARE(cell(2, 4), QStringLiteral("1.4"));
        QCOMPARE(windowDatabase().columnWidth(1), widthOfC);
        QCOMPARE(columns()->sectionSize(0), widthOfC);
        QCOMPARE(columns()->logicalIndex(0), 0);
        QVERIFY(!mWindow->commandGroups().get<ToolsCommands>().isRowSumOn());
        QVERIFY(!windowAction(QStringLiteral("actionRowSum"))->isChecked());
        QVERIFY(windowDatabase().isModified());
    }

    void typingIntoACellEditsInPlace()
    {
        mWindow->setCurrentCell(2, 3);
        QApplication::setActiveWindow(mWindow.get());
        grid()->setFocus();
        // The first key opens the editor with itself as its text; the rest go to the editor.
        QTest::keyClick(grid(), Qt::Key_X);
        auto *editor = grid()->viewport()->findChild<QLineEdit *>();
        QVERIFY(editor);
        QTest::keyClick(editor, Qt::Key_Y);
        QCOMPARE(editor->text(), QStringLiteral("xy"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(cell(2, 3), QStringLiteral("xy"));
        QCOMPARE(windowDatabase().cell(2, 3), QByteArray("xy"));
        QVERIFY(windowDatabase().isModified());
        mWindow->updateStatus();
        QVERIFY(mWindow->statusPanel(6)->text().endsWith(QStringLiteral(" +")));
    }

    void gridHasNoClipboardOrDeleteKeysOfItsOwn_data()
    {
        QTest::addColumn<QKeySequence>("keys");
        QTest::newRow("copy") << QKeySequence(QKeySequence::Copy);
        QTest::newRow("cut") << QKeySequence(QKeySequence::Cut);
        QTest::newRow("paste") << QKeySequence(QKeySequence::Paste);
        QTest::newRow("delete") << QKeySequence(Qt::Key_Delete);
    }

    // The keys work only through the window's range commands (tst_main_window_undo): with those
    // switched off, the grid itself copies, pastes and deletes nothing.
    void gridHasNoClipboardOrDeleteKeysOfItsOwn()
    {
        QFETCH(QKeySequence, keys);
        QApplication::clipboard()->setText(QStringLiteral("outside"));
        mWindow->setCurrentCell(1, 1);
        RangeCommands &range = mWindow->commandGroups().get<RangeCommands>();
        for (QAction *action :
             {range.copyAction(), range.cutAction(), range.pasteAction(), range.clearAction()})
            action->setEnabled(false);
        QTest::keySequence(grid(), keys);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("outside"));
        QCOMPARE(cell(1, 1), QStringLiteral("1.1"));
        QVERIFY(!windowDatabase().isModified());
    }

    void contextMenuOnCellsAndHeaders_data()
    {
        QTest::addColumn<int>("part");
        QTest::newRow("data cell") << 0;
        QTest::newRow("field name") << 1;
        QTest::newRow("record number") << 2;
    }

    void contextMenuOnCellsAndHeaders()
    {
        QFETCH(int, part);
        QAbstractScrollArea *area = part == 0   ? static_cast<QAbstractScrollArea *>(grid())
                                    : part == 1 ? static_cast<QAbstractScrollArea *>(columns())
                                                : static_cast<QAbstractScrollArea *>(rows());
        QMenu *menu = mWindow->gridMenu();
        QVERIFY(!menu->isVisible());
        Q_EMIT area->customContextMenuRequested(QPoint(5, 5));
        QVERIFY(menu->isVisible());
        menu->hide();
    }

    void pasteCellFollowsTheClipboardWithinATick()
    {
        QApplication::clipboard()->clear();
        mWindow->updateStatus();
        QVERIFY(!windowAction(QStringLiteral("actionPasteCell"))->isEnabled());
        QApplication::clipboard()->setText(QStringLiteral("from elsewhere"));
        mWindow->updateStatus();
        QVERIFY(windowAction(QStringLiteral("actionPasteCell"))->isEnabled());
        // The context menu's entry is never disabled.
        QApplication::clipboard()->clear();
        mWindow->updateStatus();
        QVERIFY(windowAction(QStringLiteral("contextPasteCell"))->isEnabled());
        mWindow->commandGroups().get<FileCommands>().closeDatabase();
        QApplication::clipboard()->setText(QStringLiteral("again"));
        mWindow->updateStatus();
        QVERIFY(!windowAction(QStringLiteral("actionPasteCell"))->isEnabled());
    }

    void hiddenRowsFollowTheDatabaseAndFilterOffShowsAll()
    {
        setUpWindowDatabase([](Database &database) {
            database.setHidden(2, true);
            database.setHidden(5, true);
        });
        QVERIFY(grid()->isRowHidden(1));
        QVERIFY(grid()->isRowHidden(4));
        QVERIFY(!grid()->isRowHidden(0));

        mWindow->commandGroups().get<ToolsCommands>().applyFilter(false);
        for (int row = 0; row < 6; ++row)
            QVERIFY(!grid()->isRowHidden(row));
        QCOMPARE(rows()->sectionSize(1), ShownRowHeight);
        QVERIFY(!windowAction(QStringLiteral("actionFilter"))->isChecked());

        // An empty filter text hides nothing, yet the filter reads on.
        mWindow->commandGroups().get<ToolsCommands>().toggleFilter();
        QVERIFY(mWindow->commandGroups().get<ToolsCommands>().isFilterOn());
        QVERIFY(windowAction(QStringLiteral("actionFilter"))->isChecked());
        mWindow->updateStatus();
        QCOMPARE(mWindow->statusPanel(3)->text(), QStringLiteral("F"));
        for (int row = 0; row < 6; ++row)
            QVERIFY(!grid()->isRowHidden(row));
        QVERIFY(!windowDatabase().isModified());
    }

    // Rows are hidden and shown in one go; each keeps its height, hidden rows take no space, and
    // the row header still repaints afterwards.
    void hidingManyRowsKeepsSizesAndRepaints_data()
    {
        QTest::addColumn<QList<int>>("hidden");
        QTest::newRow("none") << QList<int>{};
        QTest::newRow("first") << QList<int>{1};
        QTest::newRow("middle") << QList<int>{3, 4};
        QTest::newRow("last") << QList<int>{6};
        QTest::newRow("all") << QList<int>{1, 2, 3, 4, 5, 6};
    }

    void hidingManyRowsKeepsSizesAndRepaints()
    {
        QFETCH(QList<int>, hidden);
        setUpWindowDatabase([&](Database &database) {
            for (int record : hidden)
                database.setHidden(record, true);
        });
        int shownHeight = 0;
        for (int row = 0; row < 6; ++row) {
            const bool hide = hidden.contains(row + 1);
            QCOMPARE(grid()->isRowHidden(row), hide);
            if (!hide) {
                QCOMPARE(rows()->sectionSize(row), ShownRowHeight);
                QCOMPARE(rows()->sectionPosition(row), shownHeight);
                shownHeight += ShownRowHeight;
            }
        }
        QCOMPARE(rows()->length(), shownHeight);
        QVERIFY(rows()->updatesEnabled());
        mWindow->commandGroups().get<ToolsCommands>().applyFilter(false);
        QCOMPARE(rows()->length(), 6 * ShownRowHeight);
        QCOMPARE(rows()->sectionSize(5), ShownRowHeight);
        QVERIFY(rows()->updatesEnabled());
    }

    void filterHidesRowsInTheGrid_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("field");
        QTest::addColumn<QList<int>>("shown");
        QTest::newRow("mei in any field") << QByteArray("mei") << 0 << QList<int>{1, 2};
        QTest::newRow("upper case text matches too") << QByteArray("MEI") << 0 << QList<int>{1, 2};
        QTest::newRow("only in field 2") << QByteArray("mei") << 2 << QList<int>{2};
        QTest::newRow("letters beyond a to z compared exactly")
            << QByteArray("\xe4") << 0 << QList<int>{4};
        QTest::newRow("empty text hides nothing") << QByteArray() << 0 << QList<int>{1, 2, 3, 4};
    }

    void filterHidesRowsInTheGrid()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, field);
        QFETCH(QList<int>, shown);
        PdbBuilder builder;
        builder.name("People").field("Name").field("Town");
        builder.record({"Meier", "Bonn"}).record({"Kurz", "Schmeichel"});
        builder.record({"Lange", "Ulm"})
            .record({"\xe4rger", "\xc4"
                                 "ach"});
        openBuilt(builder);
        setUpWindowDatabase([&](Database &database) {
            database.setFilterText(text);
            database.setFilterField(field);
        });
        // The field searched is the properties dialog's as left, which shows the file's when
        // prepared.
        PropertiesDialog &properties = mWindow->commandGroups().get<PropertiesCommands>().dialog();
        properties.prepare(windowDatabase(), 1, properties.choices());
        properties.reject();
        mWindow->commandGroups().get<ToolsCommands>().toggleFilter();
        QList<int> visible;
        for (int row = 0; row < 4; ++row) {
            if (!grid()->isRowHidden(row))
                visible << row + 1;
        }
        QCOMPARE(visible, shown);
        QVERIFY(mWindow->commandGroups().get<ToolsCommands>().isFilterOn());
        // Off again: every record shown at the shown height.
        mWindow->commandGroups().get<ToolsCommands>().toggleFilter();
        for (int row = 0; row < 4; ++row) {
            QVERIFY(!grid()->isRowHidden(row));
            QCOMPARE(rows()->sectionSize(row), ShownRowHeight);
        }
        QVERIFY(!windowDatabase().isModified());
    }

    // Once the properties dialog exists (the program makes it at start), the field searched is
    // its list's choice, not the filter field the file brought: an unfilled list means all.
    void filterSearchesTheDialogsFieldNotTheFiles()
    {
        PdbBuilder builder;
        builder.name("People").field("Name").field("Town");
        builder.record({"Meier", "Bonn"}).record({"Kurz", "Schmeichel"}).record({"Lange", "Ulm"});
        openBuilt(builder);
        setUpWindowDatabase([](Database &database) {
            database.setFilterText("mei");
            database.setFilterField(2);
        });
        mWindow->commandGroups().get<ToolsCommands>().toggleFilter();
        QVERIFY(!grid()->isRowHidden(0));
        QVERIFY(!grid()->isRowHidden(1));
        QVERIFY(grid()->isRowHidden(2));
        QCOMPARE(windowDatabase().filterField(), 2);
    }

    // Types the text into the cell as the user does: the first key opens the grid's editor.
    void typeIntoCell(int field, int record, const QString &text)
    {
        mWindow->setCurrentCell(field, record);
        QApplication::setActiveWindow(mWindow.get());
        grid()->setFocus();
        QTest::keyClick(grid(), text.at(0).toLatin1());
        auto *editor = grid()->viewport()->findChild<QLineEdit *>();
        QVERIFY(editor);
        QTest::keyClicks(editor, text.mid(1));
        QTest::keyClick(editor, Qt::Key_Return);
    }

    void typedTextStaysInTheEditedCell_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("sumName"); // field 3's name once row sums are on
        QTest::addColumn<QByteArray>("record2"); // D: today's date, *: stamped with the time
        QTest::addColumn<bool>("rowSumOn");

        QTest::newRow("a price updates the sum field")
            << 2 << "10" << QByteArray("Total&") << QByteArray("3|10|23|D|*") << true;
        QTest::newRow("a typed modification date stays")
            << 4 << "1/1/1999" << QByteArray("Total&") << QByteArray("3|4|11|1/1/1999|*") << true;
        QTest::newRow("a typed modification time stays")
            << 5 << "1:02:03 AM" << QByteArray("Total&") << QByteArray("3|4|11|D|1:02:03 AM")
            << true;
        // The sum field renamed in Properties while the mode is on: the one-shot sum of the cells
        // left of the price would land in the price itself.
        QTest::newRow("no single sum field: the mode goes off, the price stays")
            << 2 << "5" << QByteArray("Total") << QByteArray("3|5|11|D|*") << false;
    }

    void typedTextStaysInTheEditedCell()
    {
        QFETCH(int, field);
        QFETCH(QString, typed);
        QFETCH(QByteArray, sumName);
        QFETCH(QByteArray, record2);
        QFETCH(bool, rowSumOn);
        PdbBuilder builder;
        builder.name("Stamps")
            .field("Qty")
            .field("Price #2")
            .field("Total&")
            .field("Changed", 0x0049)
            .field("At", 0x0050);
        builder.record({"1", "2", "", "", ""}).record({"3", "4", "", "1/1/2000", ""});
        openBuilt(builder);
        mWindow->setCurrentCell(1, 1);
        mWindow->commandGroups().get<ToolsCommands>().toggleRowSum();
        QVERIFY(mWindow->commandGroups().get<ToolsCommands>().isRowSumOn());
        QCOMPARE(windowDatabase().recordAt(2).toList().join('|'), QByteArray("3|4|11|1/1/2000|"));
        setUpWindowDatabase([&](Database &database) {
            database.setFieldName(3, sumName);
            database.setModified();
        });
        mWindow->document().history().markSaved();

        typeIntoCell(field, 2, typed);
        QTRY_VERIFY(windowDatabase().isModified());
        const QByteArrayList expected = record2.split('|');
        for (int k = 1; k <= 5; ++k) {
            const QByteArray &cell = windowDatabase().cell(k, 2);
            if (expected[k - 1] == "D")
                QCOMPARE(cell, testRegional().dateText(QDate::currentDate()));
            else if (expected[k - 1] == "*")
                QVERIFY2(!cell.isEmpty(), "the record's Modification Time is stamped");
            else
                QCOMPARE(cell, expected[k - 1]);
        }
        QCOMPARE(mWindow->commandGroups().get<ToolsCommands>().isRowSumOn(), rowSumOn);
        QCOMPARE(windowAction(QStringLiteral("actionRowSum"))->isChecked(), rowSumOn);
        // The other record is not stamped and keeps its total.
        QCOMPARE(windowDatabase().recordAt(1).toList().join('|'), QByteArray("1|2|5||"));
        QCOMPARE(cell(field, 2), typed);
    }

    // Ctrl+E hides the current record: the current cell moves to the nearest shown record (the
    // one below on a tie) and typing goes there; with none shown typing changes nothing, not
    // even through the first letters of a hidden record's text.
    void typingAfterTheFilterHidTheCurrentRecord_data()
    {
        QTest::addColumn<QByteArray>("filter");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to"); // 0: none shown
        QTest::addColumn<QString>("typed");
        QTest::newRow("first record hidden") << QByteArray("b") << 1 << 2 << "ZZZ";
        QTest::newRow("tie: the record below") << QByteArray("a") << 2 << 3 << "ZZZ";
        QTest::newRow("last record hidden: nearest above") << QByteArray("a") << 5 << 3 << "ZZZ";
        QTest::newRow("shown record stays current") << QByteArray("b") << 4 << 4 << "ZZZ";
        QTest::newRow("none shown") << QByteArray("zzz") << 1 << 0 << "ZZZ";
        QTest::newRow("none shown, a hidden record's first letter")
            << QByteArray("zzz") << 3 << 0 << "bbZ";
    }
    void typingAfterTheFilterHidTheCurrentRecord()
    {
        QFETCH(QByteArray, filter);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QString, typed);
        PdbBuilder builder;
        builder.name("Letters").field("Name").field("No");
        for (const char *name : {"a1", "b2", "a3", "b4", "c5"})
            builder.record({name, "n"});
        openBuilt(builder);
        const QVector<Database::Record> loaded = windowDatabase().records();
        setUpWindowDatabase([&](Database &database) { database.setFilterText(filter); });
        mWindow->setCurrentCell(1, from);
        QApplication::setActiveWindow(mWindow.get());
        grid()->setFocus();
        QTest::keySequence(grid(), QKeySequence(Qt::CTRL | Qt::Key_E));
        QVERIFY(mWindow->commandGroups().get<ToolsCommands>().isFilterOn());

        QTest::keyClick(grid(), typed.at(0).toLatin1());
        if (auto *editor = grid()->viewport()->findChild<QLineEdit *>()) {
            QTest::keyClicks(editor, typed.mid(1));
            QTest::keyClick(editor, Qt::Key_Return);
        } else {
            QTest::keyClicks(grid(), typed.mid(1));
            QTest::keyClick(grid(), Qt::Key_Return);
        }
        QVector<Database::Record> expected = loaded;
        if (to > 0) {
            QTRY_COMPARE(windowDatabase().cell(1, to), typed.toLatin1());
            expected[to - 1] = windowDatabase().recordAt(to);
        } else {
            QVERIFY(!grid()->currentIndex().isValid());
            QVERIFY(!windowDatabase().isModified());
        }
        QCOMPARE(windowDatabase().records(), expected);
    }

    // Row sums on: a block paste, Delete and Ctrl+X into an operand recompute the sum field within
    // the same undo step, which one Ctrl+Z takes back whole.
    void rowSumsFollowTheRangeCommands_data()
    {
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<int>("field");
        QTest::addColumn<QByteArray>("record2");
        QTest::newRow("block paste")
            << QKeySequence(Qt::CTRL | Qt::Key_V) << 1 << QByteArray("100|200|500");
        QTest::newRow("delete") << QKeySequence(Qt::Key_Delete) << 2 << QByteArray("3||3");
        QTest::newRow("cut") << QKeySequence(Qt::CTRL | Qt::Key_X) << 1 << QByteArray("|4|8");
    }
    void rowSumsFollowTheRangeCommands()
    {
        QFETCH(QKeySequence, keys);
        QFETCH(int, field);
        QFETCH(QByteArray, record2);
        PdbBuilder builder;
        builder.name("Sums").field("Qty").field("Price #2").field("Total&");
        builder.record({"1", "2", ""}).record({"3", "4", ""});
        openBuilt(builder);
        mWindow->commandGroups().get<ToolsCommands>().toggleRowSum();
        QCOMPARE(windowDatabase().recordAt(2).toList().join('|'), QByteArray("3|4|11"));
        const int steps = mWindow->document().history().stack().count();
        QApplication::clipboard()->setText(QStringLiteral("100\t200"));
        mWindow->setCurrentCell(field, 2);
        QApplication::setActiveWindow(mWindow.get());
        grid()->setFocus();
        QTest::keySequence(grid(), keys);
        QCOMPARE(windowDatabase().recordAt(2).toList().join('|'), record2);
        QCOMPARE(windowDatabase().recordAt(1).toList().join('|'), QByteArray("1|2|5"));
        QVERIFY(mWindow->commandGroups().get<ToolsCommands>().isRowSumOn());
        QCOMPARE(mWindow->document().history().stack().count(), steps + 1);
        QTest::keySequence(grid(), QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(windowDatabase().recordAt(2).toList().join('|'), QByteArray("3|4|11"));
    }

    void headerHintsThroughTheGrid()
    {
        PdbBuilder builder;
        builder.name("Hints").field("Paid", 0x0002, 40).field("Amount", 0x0010, 30);
        for (const char *paid : {"1", "1", "1", "0", "0", "0", "0", "0", "", ""})
            builder.record({paid, "1.5"});
        openBuilt(builder);
        QAbstractItemModel *model = grid()->model();
        QCOMPARE(model->headerData(0, Qt::Horizontal, Qt::ToolTipRole).toString(),
                 QStringLiteral("Boolean\nChecked: 5   Unchecked: 5\nWidth: 40"));
        QCOMPARE(model->headerData(1, Qt::Horizontal, Qt::ToolTipRole).toString(),
                 QStringLiteral("Float\nTotal: 15\nAverage: 1.5\nWidth: 30"));
        QCOMPARE(mWindow->recordCountHint(), QStringLiteral("10 Records"));
        // A dragged column's hint goes with it.
        columns()->moveSection(1, 0);
        QVERIFY(model->headerData(0, Qt::Horizontal, Qt::ToolTipRole)
                    .toString()
                    .startsWith(QStringLiteral("Float")));
    }

    void fontCommandKeepsWidthUnits_data()
    {
        QTest::addColumn<int>("chosenSize");
        QTest::addColumn<int>("shownSize");
        QTest::newRow("larger font") << 10 << 10;
        QTest::newRow("size above 10 is brought down") << 20 << 10;
        QTest::newRow("smaller font") << 6 << 6;
    }

    void fontCommandKeepsWidthUnits()
    {
        QFETCH(int, chosenSize);
        QFETCH(int, shownSize);
        QList<int> units;
        for (int field = 1; field <= 3; ++field)
            units << windowDatabase().widthUnits(field);
        const double oldScale = windowDatabase().widthScale();
        QFont chosen(mWindow->displayFont().family());
        chosen.setPointSize(chosenSize);
        mDialogs->expectFont(chosen);
        mWindow->commandGroups().get<EditCommands>().chooseDisplayFont();
        QCOMPARE(mDialogs->lastMaxPointSize(), 10);
        QCOMPARE(mWindow->displayFont().pointSize(), shownSize);

        const int zeros =
            QFontMetrics(mWindow->displayFont()).horizontalAdvance(QStringLiteral("0000"));
        QCOMPARE(rows()->width(), zeros + 6);
        QCOMPARE(windowDatabase().widthScale(), zeros / (56.0 / 3.0));
        if (shownSize != 8)
            QVERIFY(windowDatabase().widthScale() != oldScale);
        for (int field = 1; field <= 3; ++field) {
            QCOMPARE(windowDatabase().widthUnits(field), units[field - 1]);
            QCOMPARE(columns()->sectionSize(field - 1), windowDatabase().columnWidth(field));
        }
    }

    void dialogControlsTakeTheDisplayFont_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QStringList>("fonted");
        QTest::addColumn<QString>("unfonted");
        QTest::newRow("properties")
            << u"properties"_s
            << QStringList{u"nameEdit"_s,         u"fieldNameEdit"_s,      u"newEntryEdit"_s,
                           u"popupList"_s,        u"filterFieldCombo"_s,   u"filterEdit"_s,
                           u"primarySortLabel"_s, u"secondarySortCombo"_s, u"tertiarySortCombo"_s,
                           u"userCombo"_s}
            << u"okButton"_s;
        QTest::newRow("new database")
            << u"new database"_s << QStringList{u"nameEdit"_s} << u"okButton"_s;
        QTest::newRow("read me") << u"read me"_s << QStringList{u"guideTextEdit"_s} << QString();
        QTest::newRow("cell editor")
            << u"cell editor"_s << QStringList{u"cellTextEdit"_s, u"popupCombo"_s} << u"okButton"_s;
    }

    void dialogControlsTakeTheDisplayFont()
    {
        QFETCH(QString, dialog);
        QFETCH(QStringList, fonted);
        QFETCH(QString, unfonted);
        QFont chosen(mWindow->displayFont().family());
        chosen.setPointSize(7);
        mDialogs->expectFont(chosen);
        mWindow->commandGroups().get<EditCommands>().chooseDisplayFont();
        QCOMPARE(grid()->font(), mWindow->displayFont());
        // Each dialog takes the font for the controls that show cell texts when its command
        // opens it; its other controls keep their own.
        if (dialog == u"properties")
            mWindow->commandGroups().get<PropertiesCommands>().editProperties();
        else if (dialog == u"new database")
            mWindow->commandGroups().get<FileCommands>().newDatabase();
        else if (dialog == u"read me")
            mWindow->commandGroups().get<HelpCommands>().showReadme();
        else
            mWindow->commandGroups().get<EditCommands>().editCell();
        QDialog *shown = nullptr;
        for (QDialog *candidate : mWindow->findChildren<QDialog *>()) {
            if (candidate->isVisible())
                shown = candidate;
        }
        QVERIFY(shown);
        for (const QString &name : fonted) {
            const auto *control = shown->findChild<QWidget *>(name);
            QVERIFY2(control, qPrintable(name));
            QVERIFY2(control->font() == mWindow->displayFont(), qPrintable(name));
        }
        if (!unfonted.isEmpty()) {
            const auto *other = shown->findChild<QWidget *>(unfonted);
            QVERIFY(other);
            QVERIFY(other->font() != mWindow->displayFont());
        }
        shown->reject();
    }

    void fontCommandChoosesTheScript_data()
    {
        QTest::addColumn<int>("charSet");
        QTest::addColumn<QByteArray>("cell");
        QTest::addColumn<QString>("shown");
        QTest::newRow("Cyrillic") << 204 << QByteArray("\x80\xEE\xF0\x90\xE5")
                                  << QStringLiteral("\u0402\u043e\u0440\u0452\u0435");
        QTest::newRow("Greek") << 161 << QByteArray("\xD9\xEC\xDD\xE3\xE1")
                               << QStringLiteral("\u03a9\u03bc\u03ad\u03b3\u03b1");
        QTest::newRow("Central European")
            << 238 << QByteArray("\xA3\xF3\x64\x9F") << QStringLiteral("\u0141\u00f3d\u017a");
    }

    void fontCommandChoosesTheScript()
    {
        QFETCH(int, charSet);
        QFETCH(QByteArray, cell);
        QFETCH(QString, shown);
        setUpWindowCell(1, 1, cell);
        QFont chosen(mWindow->displayFont().family());
        chosen.setPointSize(8);
        mDialogs->expectFont(chosen, charSet);
        mWindow->commandGroups().get<EditCommands>().chooseDisplayFont();
        QCOMPARE(mDialogs->lastCharSetPreset(), 1);
        QCOMPARE(mWindow->settings().font.charSet, charSet);
        QCOMPARE(grid()->model()->index(0, 0).data().toString(), shown);
        // Typed back in the same script, the cell keeps its bytes and nothing is warned of.
        QVERIFY(grid()->model()->setData(grid()->model()->index(1, 0), shown, Qt::EditRole));
        QCOMPARE(windowDatabase().cell(1, 2), cell);

        // The next Font command starts at the stored script; Western shows the bytes as
        // windows-1252 again.
        mDialogs->expectFont(chosen, 0);
        mWindow->commandGroups().get<EditCommands>().chooseDisplayFont();
        QCOMPARE(mDialogs->lastCharSetPreset(), charSet);
        QStringDecoder western("windows-1252");
        QCOMPARE(grid()->model()->index(0, 0).data().toString(), QString(western(cell)));
    }

    void cancelledFontChangesNothing()
    {
        const QFont before = mWindow->displayFont();
        const int width = windowDatabase().columnWidth(2);
        mDialogs->expectFontCancel();
        mWindow->commandGroups().get<EditCommands>().chooseDisplayFont();
        QCOMPARE(mWindow->displayFont(), before);
        QCOMPARE(windowDatabase().columnWidth(2), width);
    }
};

QTEST_MAIN(TestMainWindowGrid)
#include "tst_main_window_grid.moc"
