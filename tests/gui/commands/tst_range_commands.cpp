// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/regional.h"
#include "gui/commands/range_commands.h"
#include "gui/grid/cell_range_clipboard.h"
#include "gui/grid/database_document.h"
#include "gui/grid/document_door_p.h"
#include "scripted_prompter.h"
#include "test_regional.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMainWindow>
#include <QTableView>
#include <QTest>

using namespace kribed;
using kribed::test::ScriptedPrompter;
using kribed::test::testRegional;

// The range commands driven by real keys in a grid over the document.
class TestRangeCommands : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QMainWindow> mWindow;
    DatabaseDocument *mDocument = nullptr;
    QTableView *mGrid = nullptr;
    RangeCommands *mCommands = nullptr;
    ScriptedPrompter mPrompter;

    QByteArray cell(int field, int record) { return mDocument->database().cell(field, record); }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(mGrid, key, modifiers);
    }
    void goTo(int field, int record)
    {
        mGrid->setCurrentIndex(mDocument->model().index(record - 1, field - 1));
    }
    // Hides the records as the filter does: in the database, then the grid hears of it.
    void hide(const QList<int> &records)
    {
        DocumentDoor(*mDocument).changeSettings([&](Database &database) {
            for (const int record : records) {
                database.setHidden(record, true);
                mGrid->setRowHidden(record - 1, true);
            }
        });
    }
    QByteArray column(int field)
    {
        QByteArrayList cells;
        for (int record = 1; record <= mDocument->database().recordCount(); ++record)
            cells << cell(field, record);
        return cells.join('|');
    }

private Q_SLOTS:
    void init()
    {
        mPrompter = ScriptedPrompter();
        mWindow = std::make_unique<QMainWindow>();
        mDocument = new DatabaseDocument(testRegional(), mWindow.get());
        DocumentDoor(*mDocument).resetWith([](Database &database) {
            database.setShape(3, 4);
            for (int field = 1; field <= 3; ++field) {
                for (int record = 1; record <= 4; ++record)
                    database.setCell(field, record, QByteArray::number(field * 10 + record));
            }
        });
        mGrid = new QTableView(mWindow.get());
        mGrid->setModel(&mDocument->model());
        mGrid->setSelectionMode(QAbstractItemView::ContiguousSelection);
        mWindow->setCentralWidget(mGrid);
        mCommands = new RangeCommands(*mDocument, *mGrid, mPrompter, mWindow.get());
        for (QAction *action :
             {mCommands->undoAction(), mCommands->redoAction(), mCommands->copyAction(),
              mCommands->cutAction(), mCommands->pasteAction(), mCommands->clearAction()})
            mWindow->addAction(action);
        mCommands->setDatabaseOpen(true);
        mWindow->show();
        QVERIFY(QTest::qWaitForWindowActive(mWindow.get()));
        mGrid->setFocus();
        goTo(1, 1);
    }
    void cleanup()
    {
        KRIBED_VERIFY_PROMPTER(mPrompter);
        mWindow.reset();
    }

    void copyPasteUndoRedoByKeys()
    {
        key(Qt::Key_Right, Qt::ShiftModifier);
        key(Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(mCommands->statisticsLabel()->text(),
                 QStringLiteral("Count: 4  Numbers: 4  Sum: 66  Average: 16.5"));
        key(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("11\t21\n12\t22\n"));
        goTo(2, 3);
        key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(cell(2, 3) + cell(3, 3) + cell(2, 4) + cell(3, 4), QByteArray("11211222"));
        QVERIFY(mCommands->undoAction()->isEnabled());
        QCOMPARE(mCommands->undoAction()->text(), QStringLiteral("Undo Paste"));
        goTo(1, 1);
        key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(cell(2, 3) + cell(3, 4), QByteArray("2334"));
        // The current cell went back to where the paste happened.
        QCOMPARE(mGrid->currentIndex(), mDocument->model().index(2, 1));
        QVERIFY(!mCommands->undoAction()->isEnabled());
        key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(cell(3, 4), QByteArray("22"));
        key(Qt::Key_Z, Qt::ControlModifier);
        key(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(cell(3, 4), QByteArray("22"));
        // A block without room is refused whole.
        mPrompter.expect(QStringLiteral("Information"),
                         QStringLiteral("The pasted cells do not fit*"), Icon::Error, Buttons::Ok,
                         Answer::Ok);
        goTo(3, 1);
        key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(cell(3, 1), QByteArray("31"));
        QCOMPARE(mDocument->history().stack().count(), 1);
    }

    // Records 2 and 3 hidden, as a filter leaves them: Shift+Down from record 1 selects the two
    // shown cells of field 1, and each command acts on those alone.
    void rangeCommandsUnderTheFilter_data()
    {
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("clipboard"); // before the keys, and after them
        QTest::addColumn<QString>("copied");
        QTest::addColumn<QByteArray>("field1");
        QTest::addColumn<QString>("statistics");
        const QString before = QStringLiteral("before");
        const QString all = QStringLiteral("Count: 2  Numbers: 2  Sum: 25  Average: 12.5");
        QTest::newRow("copy") << QKeySequence(Qt::CTRL | Qt::Key_C) << before
                              << QStringLiteral("11\n14\n") << QByteArray("11|12|13|14") << all;
        QTest::newRow("cut") << QKeySequence(Qt::CTRL | Qt::Key_X) << before
                             << QStringLiteral("11\n14\n") << QByteArray("|12|13|")
                             << QStringLiteral("Count: 2  Numbers: 0");
        QTest::newRow("delete") << QKeySequence(Qt::Key_Delete) << before << before
                                << QByteArray("|12|13|") << QStringLiteral("Count: 2  Numbers: 0");
        // From the current cell alone: the second line goes into the next shown record.
        QTest::newRow("paste two lines")
            << QKeySequence(Qt::CTRL | Qt::Key_V) << QStringLiteral("a\nb\n")
            << QStringLiteral("a\nb\n") << QByteArray("a|12|13|b") << QString();
        QTest::newRow("statistics only")
            << QKeySequence() << before << before << QByteArray("11|12|13|14") << all;
    }
    void rangeCommandsUnderTheFilter()
    {
        QFETCH(QKeySequence, keys);
        QFETCH(QString, clipboard);
        QFETCH(QString, copied);
        QFETCH(QByteArray, field1);
        QFETCH(QString, statistics);
        hide({2, 3});
        QGuiApplication::clipboard()->setText(clipboard);
        if (!statistics.isEmpty()) {
            key(Qt::Key_Down, Qt::ShiftModifier);
            QCOMPARE(mGrid->currentIndex().row(), 3);
        }
        if (!keys.isEmpty())
            QTest::keySequence(mGrid, keys);
        QCOMPARE(QGuiApplication::clipboard()->text(), copied);
        QCOMPARE(column(1), field1);
        QCOMPARE(mCommands->statisticsLabel()->text(), statistics);
        // One step takes it back whole.
        if (field1 != "11|12|13|14") {
            key(Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(column(1), QByteArray("11|12|13|14"));
        }
    }

    // The current cell leaves a record that becomes hidden for the nearest shown one, below on a
    // tie; with none shown no cell is current and the statistics are empty.
    void currentCellLeavesHiddenRecords_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<QList<int>>("hidden");
        QTest::addColumn<int>("to"); // 0: no cell is current
        QTest::newRow("shown record stays current") << 2 << QList<int>{1, 3} << 2;
        QTest::newRow("first hidden: the next shown") << 1 << QList<int>{1, 2} << 3;
        QTest::newRow("last hidden: the one above") << 4 << QList<int>{3, 4} << 2;
        QTest::newRow("tie: the one below") << 2 << QList<int>{2} << 3;
        QTest::newRow("nearer above") << 3 << QList<int>{2, 3, 4} << 1;
        QTest::newRow("none shown") << 2 << QList<int>{1, 2, 3, 4} << 0;
    }
    void currentCellLeavesHiddenRecords()
    {
        QFETCH(int, from);
        QFETCH(QList<int>, hidden);
        QFETCH(int, to);
        goTo(2, from);
        key(Qt::Key_Right, Qt::ShiftModifier);
        hide(hidden);
        const QModelIndex current = mGrid->currentIndex();
        if (to == 0) {
            QVERIFY(!current.isValid());
            QCOMPARE(mCommands->statisticsLabel()->text(), QString());
            return;
        }
        // Shift+Right took the current cell to field 3; it keeps its field.
        QCOMPARE(current.row() + 1, to);
        QCOMPARE(current.column() + 1, 3);
    }

    // Undo of a change in a record hidden since: the change is taken back, and the current cell
    // goes to the shown record nearest to it, not into the hidden one.
    void undoInAHiddenRecordLeavesTheCurrentCellShown()
    {
        goTo(1, 2);
        key(Qt::Key_Delete);
        QCOMPARE(cell(1, 2), QByteArray());
        hide({2});
        key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(cell(1, 2), QByteArray("12"));
        QCOMPARE(mGrid->currentIndex(), mDocument->model().index(2, 0));
    }

    void pastedBlockNamesCharactersTheCodePageLacks()
    {
        QGuiApplication::clipboard()->setText(QStringLiteral("a\u0402\tb\nc\td\u2713\n"));
        mPrompter.expect(
            QStringLiteral("Warning"),
            QStringLiteral("The code page windows-1252 of the display font cannot hold these "
                           "characters; each is stored as \"?\": \u0402 (U+0402), "
                           "\u2713 (U+2713)"),
            Icon::Warning, Buttons::Ok, Answer::Ok);
        key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(cell(1, 1) + cell(2, 1) + cell(1, 2) + cell(2, 2), QByteArray("a?bcd?"));
    }

    void deleteAndCutByKeys()
    {
        key(Qt::Key_Down, Qt::ShiftModifier);
        key(Qt::Key_Delete);
        QCOMPARE(cell(1, 1) + cell(1, 2) + cell(1, 3), QByteArray("13"));
        goTo(3, 4);
        key(Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(cell(3, 4), QByteArray());
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("34"));
        key(Qt::Key_Z, Qt::ControlModifier);
        key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(cell(1, 1) + cell(1, 2) + cell(3, 4), QByteArray("111234"));
        QVERIFY(!mDocument->database().isModified());
    }

    // A large selection shows its count at once and its figures once counted between events,
    // the same as counting at once; a selection changed meanwhile never shows the old figures.
    void largeSelectionCountedBetweenEvents_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("lastField");
        QTest::addColumn<int>("switchAfter"); // slices before the selection changes; -1: never
        QTest::addColumn<int>("hiddenEvery"); // 0: nothing hidden
        QTest::newRow("whole database") << 6000 << 5 << -1 << 0;
        QTest::newRow("one column, a few slices") << 30001 << 1 << -1 << 0;
        QTest::newRow("filtered rows") << 8000 << 5 << -1 << 3;
        QTest::newRow("changed after the first slice") << 6000 << 5 << 1 << 0;
        QTest::newRow("changed just before the end") << 6000 << 5 << 2 << 0;
        QTest::newRow("changed to a small selection") << 6000 << 5 << 0 << 0;
    }
    void largeSelectionCountedBetweenEvents()
    {
        QFETCH(int, records);
        QFETCH(int, lastField);
        QFETCH(int, switchAfter);
        QFETCH(int, hiddenEvery);
        DocumentDoor(*mDocument).resetWith([&](Database &database) {
            database.setShape(5, records);
            for (int record = 1; record <= records; ++record) {
                for (int field = 1; field <= 5; ++field) {
                    // Numbers with fractions, a text and an empty cell in every record.
                    const QByteArray text = field == 4 ? QByteArray("x")
                                            : field == 5
                                                ? QByteArray()
                                                : QByteArray::number(record * field) + ".25";
                    database.setCell(field, record, text);
                }
                database.setHidden(record, hiddenEvery > 0 && record % hiddenEvery == 0);
            }
        });
        const auto select = [&](int toRecord, int toField) {
            mGrid->selectionModel()->select(
                QItemSelection(mDocument->model().index(0, 0),
                               mDocument->model().index(toRecord - 1, toField - 1)),
                QItemSelectionModel::ClearAndSelect);
        };
        const auto expected = [&](int toRecord, int toField) {
            return rangeStatisticsText(mDocument->database(), {1, 1, toField, toRecord},
                                       mDocument->regional());
        };
        QLabel *label = mCommands->statisticsLabel();
        select(records, lastField);
        const QString first = expected(records, lastField);
        const int shown = records - (hiddenEvery > 0 ? records / hiddenEvery : 0);
        QCOMPARE(label->text(), rangeCountText(qint64(shown) * lastField));
        QVERIFY(mCommands->statisticsPending());
        QString last = first;
        if (switchAfter >= 0) {
            for (int slice = 0; slice < switchAfter; ++slice) {
                QCoreApplication::processEvents();
                QVERIFY(label->text() != first);
            }
            // Half the records, or a small selection counted at once.
            last = switchAfter == 0 ? expected(2, 2) : expected(records / 2, lastField);
            QVERIFY(last != first);
            if (switchAfter == 0)
                select(2, 2);
            else
                select(records / 2, lastField);
            while (mCommands->statisticsPending()) {
                QCOMPARE_NE(label->text(), first);
                QCoreApplication::processEvents();
            }
        }
        QTRY_VERIFY(!mCommands->statisticsPending());
        QCOMPARE(label->text(), last);
        QVERIFY(last.contains(u"Sum: "));
        // Nothing later brings back the first selection's figures.
        QTest::qWait(20);
        QCOMPARE(label->text(), last);
    }
};

QTEST_MAIN(TestRangeCommands)
#include "tst_range_commands.moc"
