// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
// What the window repaints as the current cell moves: the header highlight and the status panels
// follow at once, and only the cells and header sections that change are painted again.
#include "gui/grid/grid_header.h"
#include "gui/window/main_window.h"
#include "main_window_fixture.h"

#include <QLabel>
#include <QPaintEvent>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

using namespace kribed;
using namespace kribed::test;

namespace {

// Gathers the regions a widget paints.
class PaintWatch : public QObject
{
public:
    explicit PaintWatch(QWidget *widget)
        : QObject(widget)
    {
        widget->installEventFilter(this);
    }
    QRegion painted;
    int paints = 0;
    int timers = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            painted += static_cast<QPaintEvent *>(event)->region();
            ++paints;
        } else if (event->type() == QEvent::Timer) {
            ++timers;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

class TestWindowFrames
    : public QObject
    , private MainWindowFixture
{
    Q_OBJECT

private:
    QTableView *grid() { return mWindow->grid(); }
    GridHeader *columns() { return static_cast<GridHeader *>(grid()->horizontalHeader()); }
    GridHeader *rows() { return static_cast<GridHeader *>(grid()->verticalHeader()); }

    // Every update asked for so far painted.
    static void settle()
    {
        for (int round = 0; round < 3; ++round)
            QCoreApplication::processEvents();
    }

    // A header section's rectangle in its viewport.
    static QRect sectionRect(const QHeaderView *header, int section)
    {
        const int start = header->sectionViewportPosition(section);
        const int size = header->sectionSize(section);
        const QRect all = header->viewport()->rect();
        return header->orientation() == Qt::Horizontal
                   ? QRect(start, all.top(), size, all.height())
                   : QRect(all.left(), start, all.width(), size);
    }

private Q_SLOTS:
    void initTestCase() { initFixture(); }

    void init()
    {
        startTest(true);
        if (QTest::currentTestFailed())
            return;
        QList<QByteArrayList> table{{"A", "B", "C", "D"}};
        for (int record = 1; record <= 8; ++record) {
            QByteArrayList values;
            for (int field = 1; field <= 4; ++field)
                values << QByteArray::number(field) + '.' + QByteArray::number(record);
            table << values;
        }
        openTable(table);
        mWindow->setCurrentCell(1, 1);
        mWindow->updateStatus();
        settle();
    }

    void cleanup() { endTest(); }

    void followsTheCurrentCellAtOnce_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("record");
        const int none = Qt::NoModifier;
        QTest::newRow("Down") << int(Qt::Key_Down) << none << 1 << 2;
        QTest::newRow("Right") << int(Qt::Key_Right) << none << 2 << 1;
        QTest::newRow("Page Down") << int(Qt::Key_PageDown) << none << 1 << 8;
        QTest::newRow("Ctrl+End") << int(Qt::Key_End) << int(Qt::ControlModifier) << 4 << 8;
        // From the last cell back: the highlight leaves the last sections.
        QTest::newRow("Ctrl+Home") << int(Qt::Key_Home) << int(Qt::ControlModifier) << 1 << 1;
        // Set by a command, not a key.
        QTest::newRow("set") << 0 << none << 3 << 6;
    }

    void followsTheCurrentCellAtOnce()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, field);
        QFETCH(int, record);
        if (key == Qt::Key_Home) {
            mWindow->setCurrentCell(4, 8);
            mWindow->updateStatus();
        }
        if (key != 0)
            QTest::keyClick(grid(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        else
            mWindow->setCurrentCell(field, record);
        QCOMPARE(mWindow->currentField(), field);
        QCOMPARE(mWindow->currentRecord(), record);
        // No status tick in between.
        QCOMPARE(columns()->highlightedSection(), field - 1);
        QCOMPARE(rows()->highlightedSection(), record - 1);
        QCOMPARE(panel(0), QStringLiteral("R%1 of 8").arg(record));
        QCOMPARE(panel(1), QStringLiteral("C%1 of 4").arg(field));
    }

    void paintsOnlyWhatChanged_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("record");
        QTest::newRow("down one") << 1 << 2;
        QTest::newRow("across and down") << 3 << 5;
        QTest::newRow("same column") << 1 << 7;
        QTest::newRow("same row") << 4 << 1;
    }

    void paintsOnlyWhatChanged()
    {
        QFETCH(int, field);
        QFETCH(int, record);
        const QModelIndex from = grid()->currentIndex();
        const QModelIndex to = grid()->model()->index(record - 1, field - 1);
        PaintWatch cells(grid()->viewport());
        PaintWatch columnHeader(columns()->viewport());
        PaintWatch rowHeader(rows()->viewport());

        mWindow->setCurrentCell(field, record);
        settle();
        // The status tick after the move finds nothing more to paint.
        mWindow->updateStatus();
        settle();

        // The cells left and entered, never the whole grid again.
        const QRegion changedCells = QRegion(grid()->visualRect(from)) + grid()->visualRect(to);
        QVERIFY(!cells.painted.isEmpty());
        QVERIFY(cells.painted.intersects(changedCells));
        QVERIFY(!(QRegion(grid()->viewport()->rect()) - cells.painted).isEmpty());
        // In each header only the section left and the one entered.
        const QRegion changedColumns =
            QRegion(sectionRect(columns(), from.column())) + sectionRect(columns(), to.column());
        QCOMPARE(columnHeader.painted - changedColumns, QRegion());
        QVERIFY(columnHeader.paints > 0 || from.column() == to.column());
        const QRegion changedRows =
            QRegion(sectionRect(rows(), from.row())) + sectionRect(rows(), to.row());
        QCOMPARE(rowHeader.painted - changedRows, QRegion());
        QVERIFY(rowHeader.paints > 0 || from.row() == to.row());
    }

    void columnBorderDrag_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("step");
        QTest::newRow("first wider") << 0 << 40;
        QTest::newRow("first narrower") << 0 << -20;
        QTest::newRow("third wider") << 2 << 300;
    }

    // While the button is held still after a drag nothing runs; what the drag changed was
    // repainted: the cells from the column on, and the scroll bar's reach.
    void columnBorderDrag()
    {
        QFETCH(int, column);
        QFETCH(int, step);
        QWidget *headerPort = columns()->viewport();
        const int width = columns()->sectionSize(column);
        const int scrollReach = grid()->horizontalScrollBar()->maximum();
        const QPoint border(columns()->sectionViewportPosition(column) + width - 1,
                            headerPort->height() / 2);
        PaintWatch cells(grid()->viewport());
        QTest::mousePress(headerPort, Qt::LeftButton, {}, border);
        QTest::mouseMove(headerPort, border + QPoint(step, 0));
        settle();
        QCOMPARE(columns()->sectionSize(column), width + step);

        const int left = grid()->columnViewportPosition(column);
        const QRect viewport = grid()->viewport()->rect();
        const QRect moved(left, 0, viewport.right() - left + 1, viewport.height());
        QCOMPARE(QRegion(moved) - cells.painted, QRegion());

        PaintWatch held(grid());
        QTest::qWait(300);
        QVERIFY2(held.timers < 5, qPrintable(QString::number(held.timers)));
        QTest::mouseRelease(headerPort, Qt::LeftButton, {}, border + QPoint(step, 0));
        settle();
        QCOMPARE(columns()->sectionSize(column), width + step);
        // The grid is wider than the window: the scroll bar reaches exactly as much further.
        QVERIFY(scrollReach > 0);
        QCOMPARE(grid()->horizontalScrollBar()->maximum(), std::max(0, scrollReach + step));
    }

    void windowLosesTheKeyboard_data()
    {
        QTest::addColumn<bool>("inactiveLooksDifferent");
        QTest::addColumn<bool>("regains"); // the keyboard comes back, as the dialog closes
        QTest::newRow("same look") << false << false;
        QTest::newRow("inactive selection grey") << true << false;
        QTest::newRow("same look, back") << false << true;
        QTest::newRow("inactive selection grey, back") << true << true;
    }

    // A dialog opening takes the keyboard from the window, and closing gives it back: the grid
    // repaints everything only where an inactive window looks different.
    void windowLosesTheKeyboard()
    {
        QFETCH(bool, inactiveLooksDifferent);
        QFETCH(bool, regains);
        QPalette palette = grid()->palette();
        palette.setColor(QPalette::Inactive, QPalette::Highlight,
                         inactiveLooksDifferent
                             ? QColor(Qt::gray)
                             : palette.color(QPalette::Active, QPalette::Highlight));
        grid()->setPalette(palette);
        grid()->setFocus();
        settle();
        const auto send = [this](QEvent::Type focus, QEvent::Type activation) {
            QFocusEvent change(focus, Qt::ActiveWindowFocusReason);
            QCoreApplication::sendEvent(grid(), &change);
            QEvent window(activation);
            for (QWidget *part : {grid()->viewport(), columns()->viewport(), rows()->viewport()})
                QCoreApplication::sendEvent(part, &window);
            settle();
        };
        if (regains)
            send(QEvent::FocusOut, QEvent::WindowDeactivate);
        PaintWatch cells(grid()->viewport());
        PaintWatch columnHeader(columns()->viewport());
        if (regains)
            send(QEvent::FocusIn, QEvent::WindowActivate);
        else
            send(QEvent::FocusOut, QEvent::WindowDeactivate);

        const QRegion everyCell(grid()->viewport()->rect());
        QCOMPARE((everyCell - cells.painted).isEmpty(), inactiveLooksDifferent);
        // The current cell loses or gets back its focus frame either way.
        QVERIFY(cells.painted.contains(grid()->visualRect(grid()->currentIndex())));
        QCOMPARE(columnHeader.painted.isEmpty(), !inactiveLooksDifferent);
    }

    void rowsAndColumnsChangeInOneFrame_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("undone"); // the change is taken back by undo
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("fields");
        QTest::newRow("delete row") << QStringLiteral("actionDeleteRow") << false << 99 << 30;
        QTest::newRow("its undo") << QStringLiteral("actionDeleteRow") << true << 100 << 30;
        QTest::newRow("insert row") << QStringLiteral("actionInsertRow") << false << 101 << 30;
        QTest::newRow("delete column")
            << QStringLiteral("actionDeleteColumn") << false << 100 << 29;
        QTest::newRow("insert column")
            << QStringLiteral("actionInsertColumn") << false << 100 << 31;
    }

    // The cells are laid out again before the window paints, so the headers, the cells and the
    // scroll bars show a change in the same frame, not the headers first and the cells after
    // the table view's layout timer.
    void rowsAndColumnsChangeInOneFrame()
    {
        QFETCH(QString, action);
        QFETCH(bool, undone);
        QFETCH(int, records);
        QFETCH(int, fields);
        // More records and fields than the window shows: both scroll bars are there.
        QList<QByteArrayList> table{{}};
        for (int field = 1; field <= 30; ++field)
            table[0] << "F" + QByteArray::number(field);
        for (int record = 1; record <= 100; ++record)
            table << QByteArrayList(30, "text " + QByteArray::number(record));
        openTable(table);
        mWindow->settings().expertMode = true; // the deletes ask nothing
        mWindow->setCurrentCell(1, 1);
        mWindow->updateStatus();
        settle();
        windowAction(action)->trigger();
        if (undone) {
            settle();
            mWindow->document().history().stack().undo();
        }
        PaintWatch cells(grid()->viewport());
        PaintWatch rowHeader(rows()->viewport());
        PaintWatch scrollBar(grid()->verticalScrollBar());
        PaintWatch otherBar(grid()->horizontalScrollBar());
        // The posted events alone, the window's repaint among them; no timer runs.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents();
        QCOMPARE(grid()->model()->rowCount(), records);
        QCOMPARE(grid()->model()->columnCount(), fields);
        // Every cell is painted already, in its new place.
        QCOMPARE(QRegion(grid()->viewport()->rect()) - cells.painted, QRegion());
        QVERIFY(rows()->updatesEnabled());
        // Nothing is left for a second frame.
        QVERIFY(grid()->verticalScrollBar()->isVisible());
        QVERIFY(grid()->horizontalScrollBar()->isVisible());
        const int paints = cells.paints + rowHeader.paints + scrollBar.paints + otherBar.paints;
        settle();
        QCOMPARE(cells.paints + rowHeader.paints + scrollBar.paints + otherBar.paints, paints);
        QCOMPARE(rows()->count(), records);
    }

    // A status tick while nothing changes paints nothing at all.
    void idleTicksPaintNothing()
    {
        PaintWatch window(mWindow.get());
        PaintWatch cells(grid()->viewport());
        PaintWatch columnHeader(columns()->viewport());
        for (int tick = 0; tick < 3; ++tick) {
            mWindow->updateStatus();
            settle();
        }
        QCOMPARE(cells.paints, 0);
        QCOMPARE(columnHeader.paints, 0);
        QCOMPARE(window.paints, 0);
    }
};

QTEST_MAIN(TestWindowFrames)
#include "tst_window_frames.moc"
