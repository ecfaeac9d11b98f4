// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "gui/dialogs/cell_editor_dialog.h"
#include "gui/grid/database_document.h"
#include "gui/window/main_window.h"
#include "main_window_fixture.h"
#include "pdb_builder.h"

#include <QHeaderView>
#include <QPainter>
#include <QTableView>
#include <QTest>

using namespace kribed;
using namespace kribed::test;

// How the grid draws its data cells and what a double-click on its column headers does, seen in
// the shown window.
class TestGridCells
    : public QObject
    , private MainWindowFixture
{
    Q_OBJECT

private:
    QTableView *grid() { return mWindow->grid(); }
    QHeaderView *columns() { return grid()->horizontalHeader(); }

    // Two fields: the names of four people, and one further value in record 3.
    void openPeople(const QByteArray &value)
    {
        PdbBuilder builder;
        builder.name("People").field("Name", 0x0001, 40).field("Note", 0x0001, 40);
        builder.record({"Anna", ""}).record({"Bernd Bauer-Schmidt", "x"}).record({"Eva", value});
        builder.record({"Ida", "y"});
        openBytes(QStringLiteral("People.pdb"), builder.build());
    }

    // The text as a cell of this size shows it: 2 pixels in from the top left corner, on the
    // grid's background, in a picture `extra` pixels wider than the cell.
    QImage Expected(const QString &text, const QSize &cell, int extra)
    {
        QPixmap picture(cell.width() + extra, cell.height());
        picture.fill(grid()->viewport()->palette().color(QPalette::Base));
        QPainter painter(&picture);
        painter.setFont(grid()->font());
        painter.setPen(grid()->palette().color(QPalette::Text));
        painter.drawText(QRect(QPoint(2, 2), picture.size()), Qt::AlignLeft | Qt::AlignTop, text);
        painter.end();
        return picture.toImage().convertToFormat(QImage::Format_RGB32);
    }

private Q_SLOTS:
    void initTestCase() { initFixture(); }
    void init() { startTest(true); }
    void cleanup() { endTest(); }

    void cellTextDrawnAtTheTopLeftNeverElided_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QByteArray>("value"); // record 3's value in field 2
        QTest::addColumn<int>("record");       // the cell looked at
        QTest::addColumn<bool>("fits");        // the whole text lies inside the cell

        QTest::newRow("the widest name after Auto sizing") << 1 << QByteArray("v") << 2 << true;
        QTest::newRow("the widest note after Auto sizing")
            << 2 << QByteArray("v896 and more") << 3 << true;
        QTest::newRow("two lines, sized to the first")
            << 2 << QByteArray("wide first\r\nsecond") << 3 << true;
        QTest::newRow("the longest value a file keeps, cut at the edge")
            << 2 << QByteArray(4000, 'w') << 3 << false;
    }

    void cellTextDrawnAtTheTopLeftNeverElided()
    {
        QFETCH(int, field);
        QFETCH(QByteArray, value);
        QFETCH(int, record);
        QFETCH(bool, fits);
        openPeople(value);
        mWindow->toolsCommands().toggleAutoSizing();
        const QModelIndex index = grid()->model()->index(record - 1, field - 1);
        const QRect cell = grid()->visualRect(index);
        const QImage shown =
            grid()->viewport()->grab(cell).toImage().convertToFormat(QImage::Format_RGB32);
        const QImage expected = Expected(index.data().toString(), cell.size(), 40);
        QCOMPARE(shown, expected.copy(QRect(QPoint(), cell.size())));
        // With the automatic width (text + 5 pixels) nothing of the text lies beyond the cell.
        const QImage beyond = expected.copy(cell.width(), 0, 40, cell.height());
        const QImage empty = Expected(QString(), QSize(0, cell.height()), 40);
        QCOMPARE(beyond == empty, fits);
    }

    void doubleClickOnAColumnHeader_data()
    {
        QTest::addColumn<bool>("onBorder"); // on the right border of field 2, else on its middle

        QTest::newRow("border: the column fits its texts") << true;
        QTest::newRow("header itself: nothing happens") << false;
    }

    void doubleClickOnAColumnHeader()
    {
        QFETCH(bool, onBorder);
        openPeople("v896 and more");
        const int before = windowDatabase().columnWidth(2);
        const int first = windowDatabase().columnWidth(1);
        // The width Auto sizing gives the column.
        mWindow->toolsCommands().toggleAutoSizing();
        const int fitted = windowDatabase().columnWidth(2);
        mWindow->toolsCommands().toggleAutoSizing();
        QCOMPARE(windowDatabase().columnWidth(2), before);
        QVERIFY(fitted != before);
        windowDatabase().clearModified();

        const int left = columns()->sectionViewportPosition(1);
        const int x = onBorder ? left + columns()->sectionSize(1) - 1 : left + before / 2;
        QTest::mouseDClick(columns()->viewport(), Qt::LeftButton, {},
                           QPoint(x, columns()->height() / 2));
        QCOMPARE(windowDatabase().columnWidth(2), onBorder ? fitted : before);
        QCOMPARE(columns()->sectionSize(1), windowDatabase().columnWidth(2));
        QCOMPARE(windowDatabase().isModified(), onBorder);
        QCOMPARE(windowDatabase().columnWidth(1), first);
        const auto *editor = mWindow->findChild<CellEditorDialog *>();
        QVERIFY(!editor || !editor->isVisible());
    }
};

QTEST_MAIN(TestGridCells)
#include "tst_grid_cells.moc"
