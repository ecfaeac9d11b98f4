// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "gui/chart/chart_canvas.h"
#include "gui/commands/chart_commands.h"
#include "gui/commands/chart_panel.h"
#include "gui/commands/profile_panel.h"
#include "gui/grid/database_document.h"
#include "gui/window/main_window.h"
#include "main_window_fixture.h"
#include "pdb_builder.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDockWidget>
#include <QItemSelectionModel>
#include <QPrinter>
#include <QProcess>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <QWheelEvent>

using namespace kribed;
using namespace kribed::test;
using namespace Qt::Literals::StringLiterals;

// Tools > Chart and Tools > Field profile, through the main window.
class TestChartCommands
    : public QObject
    , private MainWindowFixture
{
    Q_OBJECT

private:
    ChartCommands &charts() { return mWindow->commandGroups().get<ChartCommands>(); }
    ChartPanel &panel() { return charts().chartPanel(); }
    ChartCanvas &canvas() { return panel().canvas(); }
    QTreeWidget *yList() { return panel().findChild<QTreeWidget *>(u"chartY"_s); }

    // Towns and amounts (US formats); record 3's amount does not read as a number.
    void openAmounts()
    {
        openTable({{"Town", "Amount", "Paid"},
                   {"Bonn", "10", "3"},
                   {"Kiel", "20", "1"},
                   {"Bonn", "abc", "2"},
                   {"Ulm", "5", "4"}});
        setUpWindowDatabase([](Database &database) {
            database.setFieldType(2, FloatType);
            database.setFieldType(3, NormalIntegerType);
        });
        charts().actionChart->trigger();
        charts().redrawNow();
    }
    // Checks Y field `row` of the list (the number fields in their order).
    void checkY(int row)
    {
        yList()->topLevelItem(row)->setCheckState(0, Qt::Checked);
        charts().redrawNow();
    }

private Q_SLOTS:
    void initTestCase() { initFixture(); }
    void init() { startTest(true); }
    void cleanup() { endTest(); }

    void dockFollowsItsAction()
    {
        openAmounts();
        auto *dock = qobject_cast<QDockWidget *>(panel().parentWidget());
        QVERIFY(dock);
        QCOMPARE(dock->objectName(), u"chartPanelDock"_s);
        QVERIFY(dock->isVisible());
        QCOMPARE(charts().actionChart->shortcut(), QKeySequence(u"Ctrl+Shift+G"_s));
        QCOMPARE(charts().actionFieldProfile->shortcut(), QKeySequence(u"Ctrl+Shift+P"_s));
        charts().actionChart->trigger();
        QVERIFY(!dock->isVisible());
    }

    void yChangeRedrawsAndUndoRedraws()
    {
        openAmounts();
        QVERIFY(canvas().picture().isEmpty());
        checkY(0);
        QCOMPARE(canvas().picture().pointCount(), 3);
        // The English plural form comes from the catalogue the program installs.
        QVERIFY(panel().statusText().startsWith(u"1 value"_s));
        checkY(1);
        QCOMPARE(canvas().picture().pointCount(), 7);

        // An edit and its undo each draw the chart again.
        typeInto(2, 3, u"7"_s);
        QCoreApplication::processEvents();
        QCOMPARE(canvas().picture().pointCount(), 8);
        QCOMPARE(panel().statusText(), QString());
        windowAction(u"actionUndo"_s)->trigger();
        QCoreApplication::processEvents();
        QCOMPARE(canvas().picture().pointCount(), 7);
    }

    void clickSelectsAndSelectionMarks()
    {
        openAmounts();
        checkY(0);
        QTableView &grid = *mWindow->findChild<QTableView *>();
        const std::optional<QPoint> place = canvas().placeOf(2);
        QVERIFY(place);
        QTest::mouseClick(&canvas().view(), Qt::LeftButton, {}, *place);
        QVERIFY(grid.selectionModel()->isRowSelected(1, QModelIndex()));
        QVERIFY(!grid.selectionModel()->isRowSelected(0, QModelIndex()));
        QCOMPARE(canvas().highlightedCount(), 1);

        // A grid selection of records 1, 3 and 4 marks the two of them that have a point.
        grid.selectionModel()->select(
            QItemSelection(grid.model()->index(2, 0), grid.model()->index(3, 2)),
            QItemSelectionModel::ClearAndSelect);
        grid.selectionModel()->select(grid.model()->index(0, 0), QItemSelectionModel::Select);
        QCOMPARE(canvas().highlightedCount(), 2);
    }

    void profileValueFiltersAsOneStep()
    {
        openAmounts();
        charts().actionFieldProfile->trigger();
        mWindow->setCurrentCell(1, 1);
        charts().redrawNow();
        QTableWidget &values = charts().profilePanel().values();
        QCOMPARE(values.rowCount(), 3);
        QCOMPARE(values.item(0, 0)->text(), u"Bonn"_s);
        QCOMPARE(values.item(0, 1)->text(), u"2"_s);
        QVERIFY(charts().profilePanel().figuresText().contains(u"distinct values: 3"_s));

        Q_EMIT values.itemActivated(values.item(0, 1));
        const Database &database = windowDatabase();
        QVERIFY(database.filterOn());
        QCOMPARE(database.isHidden(2), true);
        QCOMPARE(database.isHidden(3), false);
        windowAction(u"actionUndo"_s)->trigger();
        QCOMPARE(windowDatabase().filterOn(), false);
        QCOMPARE(windowDatabase().isHidden(2), false);
    }

    void choicesKeptPerFile()
    {
        const QByteArray file = PdbBuilder()
                                    .name("Amounts")
                                    .field("Town", 0x0001, 60)
                                    .field("Amount", 0x0010, 40)
                                    .record({"Bonn", "1"})
                                    .build();
        openBytes(u"Amounts.pdb"_s, file);
        charts().actionChart->trigger();
        charts().redrawNow();
        checkY(0);
        panel().findChild<QComboBox *>(u"chartKind"_s)->setCurrentIndex(int(ChartKind::Scatter));
        windowAction(u"actionClose"_s)->trigger();
        QCOMPARE(panel().choices().yFields.size(), 1); // closing forgets nothing
        openThroughDialog(mTemp->filePath(u"Amounts.pdb"_s));
        charts().redrawNow();
        QCOMPARE(panel().choices().toText(),
                 u"kind=scatter;x=0;y=2;logx=0;logy=0;bins=0;group=1;period=;value=0;"
                 u"aggregate=count"_s);
        QCOMPARE(canvas().picture().pointCount(), 1);
    }

    void everyControlReachedByTab()
    {
        openAmounts();
        charts().actionFieldProfile->trigger();
        QWidget *first = panel().findChild<QComboBox *>(u"chartKind"_s);
        QSet<QString> reached;
        QWidget *widget = first;
        for (int step = 0; step < 200; ++step) {
            reached.insert(widget->objectName());
            widget = widget->nextInFocusChain();
            // As Tab goes: past hidden, disabled and unfocusable widgets.
            while (widget != first
                   && (!widget->isVisibleTo(mWindow.get()) || !widget->isEnabled()
                       || !(widget->focusPolicy() & Qt::TabFocus)))
                widget = widget->nextInFocusChain();
            if (widget == first)
                break;
        }
        for (const QString &name :
             {u"chartX"_s, u"chartY"_s, u"chartView"_s, u"profileSearch"_s, u"profileValues"_s})
            QVERIFY2(reached.contains(name), qPrintable(name));
    }

    void groupedFiguresAndTheirTable()
    {
        openAmounts();
        auto *kind = panel().findChild<QComboBox *>(u"chartKind"_s);
        kind->setCurrentIndex(int(ChartKind::Grouped));
        panel().findChild<QComboBox *>(u"chartAggregate"_s)->setCurrentIndex(int(Aggregate::Sum));
        auto *value = panel().findChild<QComboBox *>(u"chartValue"_s);
        value->setCurrentIndex(value->findText(u"Paid"_s));
        charts().redrawNow();
        QCOMPARE(panel().tableText(windowDocument().regional()),
                 u"Town\tRecords\tSum of Paid\nBonn\t2\t5\nKiel\t1\t1\nUlm\t1\t4\n"_s);
    }

    // Tools > Print chart: one page whose text holds the chart's labels and values.
    void printsTheChartOnOnePage()
    {
        openAmounts();
        checkY(0);
        QVERIFY(charts().actionPrintChart->isEnabled());
        QTemporaryDir folder;
        const QString path = folder.filePath(u"chart.pdf"_s);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        QVERIFY(charts().printChart(printer));
        QProcess text;
        text.start(u"pdftotext"_s, {u"-layout"_s, path, u"-"_s});
        QVERIFY(text.waitForFinished(30000));
        const QString printed = QString::fromUtf8(text.readAllStandardOutput());
        QCOMPARE(printed.count(u'\f'), 1);
        QVERIFY2(printed.contains(u"Amount"_s) && printed.contains(u"20"_s), qPrintable(printed));
    }

    // The wheel and + zoom in, - out, an arrow key or a Shift drag pans, 0 shows all again.
    void zoomAndPanChangeTheAxesAndResetRestores()
    {
        openAmounts();
        checkY(0);
        QWidget &viewport = canvas().view();
        QWidget &view = *viewport.parentWidget();
        const QRectF whole = canvas().shownRange();
        QVERIFY(whole.width() > 0 && whole.height() > 0);
        const QPoint middle = viewport.rect().center();
        QWheelEvent wheel(middle, viewport.mapToGlobal(middle), QPoint(), QPoint(0, 120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&viewport, &wheel);
        const QRectF zoomed = canvas().shownRange();
        QVERIFY2(zoomed.width() < whole.width() * 0.9 && zoomed.height() < whole.height() * 0.9,
                 qPrintable(u"%1 of %2"_s.arg(zoomed.width()).arg(whole.width())));
        QTest::keyClick(&view, Qt::Key_Plus);
        QVERIFY(canvas().shownRange().width() < zoomed.width() * 0.9);
        QTest::keyClick(&view, Qt::Key_Minus);
        QVERIFY(qAbs(canvas().shownRange().width() - zoomed.width()) < zoomed.width() * 0.01);

        QTest::keyClick(&view, Qt::Key_Right);
        QVERIFY(canvas().shownRange().left() > zoomed.left());
        const QRectF before = canvas().shownRange();
        QTest::mousePress(&viewport, Qt::LeftButton, Qt::ShiftModifier, middle);
        QTest::mouseMove(&viewport, middle + QPoint(40, 0));
        QTest::mouseRelease(&viewport, Qt::LeftButton, Qt::ShiftModifier, middle + QPoint(40, 0));
        QVERIFY(canvas().shownRange().left() < before.left());
        // Panning picked nothing.
        QVERIFY(mWindow->findChild<QTableView *>()->selectionModel()->selectedRows().isEmpty());

        QTest::keyClick(&view, Qt::Key_0);
        const QRectF reset = canvas().shownRange();
        QVERIFY(qAbs(reset.left() - whole.left()) < 1e-9
                && qAbs(reset.right() - whole.right()) < 1e-9);
        QVERIFY(qAbs(reset.top() - whole.top()) < 1e-9
                && qAbs(reset.bottom() - whole.bottom()) < 1e-9);
    }
};

QTEST_MAIN(TestChartCommands)
#include "tst_chart_commands.moc"
