// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "gui/dialogs/cell_editor_dialog.h"
#include "gui/grid/database_document.h"
#include "gui/grid/grid_cell_delegate.h"
#include "gui/window/main_window.h"
#include "main_window_fixture.h"
#include "pdb_builder.h"

#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPainter>
#include <QScopeGuard>
#include <QStyle>
#include <QStyleFactory>
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

    // The mark's corner of a cell's picture, painted as in the expected one.
    static void hideMark(QImage &shown, const QImage &expected)
    {
        const int size = GridCellDelegate::MoreMarkSize;
        for (int y = shown.height() - size; y < shown.height(); ++y) {
            for (int x = shown.width() - size; x < shown.width(); ++x)
                shown.setPixelColor(x, y, expected.pixelColor(x, y));
        }
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
        QTest::addColumn<int>("lines");        // the lines it shows (-1: all)

        QTest::newRow("the widest name after Auto sizing")
            << 1 << QByteArray("v") << 2 << true << -1;
        QTest::newRow("the widest note after Auto sizing")
            << 2 << QByteArray("v896 and more") << 3 << true << -1;
        QTest::newRow("two lines, sized to the first, the first shown")
            << 2 << QByteArray("wide first\r\nsecond") << 3 << true << 1;
        QTest::newRow("the longest value a file keeps, cut at the edge")
            << 2 << QByteArray(4000, 'w') << 3 << false << -1;
    }

    void cellTextDrawnAtTheTopLeftNeverElided()
    {
        QFETCH(int, field);
        QFETCH(QByteArray, value);
        QFETCH(int, record);
        QFETCH(bool, fits);
        QFETCH(int, lines);
        openPeople(value);
        mWindow->commandGroups().get<ToolsCommands>().toggleAutoSizing();
        const QModelIndex index = grid()->model()->index(record - 1, field - 1);
        const QRect cell = grid()->visualRect(index);
        QImage shown =
            grid()->viewport()->grab(cell).toImage().convertToFormat(QImage::Format_RGB32);
        const QImage expected = Expected(
            index.data().toString().section(u'\n', 0, lines < 0 ? -1 : lines - 1), cell.size(), 40);
        if (lines >= 0) // the mark of the lines not shown is looked at below
            hideMark(shown, expected);
        QCOMPARE(shown, expected.copy(QRect(QPoint(), cell.size())));
        // With the automatic width (text + 5 pixels) nothing of the text lies beyond the cell.
        const QImage beyond = expected.copy(cell.width(), 0, 40, cell.height());
        const QImage empty = Expected(QString(), QSize(0, cell.height()), 40);
        QCOMPARE(beyond == empty, fits);
    }

    // Only whole lines are drawn in a 22-pixel row; a cell whose lines go on below gets a mark
    // in its bottom right corner, one whose single line runs past the right edge does not.
    void cellWithMoreLinesThanItsRowShows_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QString>("shownText");
        QTest::addColumn<bool>("marked");

        QTest::newRow("one line: no mark") << QByteArray("Eva") << QStringLiteral("Eva") << false;
        QTest::newRow("two lines: the first whole, marked")
            << QByteArray("first\r\n\xc5\xc5||\xc9\xc9") << QStringLiteral("first") << true;
        QTest::newRow("three lines: marked")
            << QByteArray("a\r\n\xc5|\r\n\xc5|") << QStringLiteral("a") << true;
        QTest::newRow("a line break at the end: marked")
            << QByteArray("first\r\n") << QStringLiteral("first") << true;
        QTest::newRow("a long line cut at the right edge: no mark")
            << QByteArray(4000, 'w') << QString(4000, u'w') << false;
        // Only the characters that reach into the cell are laid out: the pairs a font draws
        // closer together, ligatures and tabs still show as the whole line would.
        QTest::newRow("kerned pairs beyond the edge")
            << QByteArray("AVAWATYAVoWaTe.").repeated(20)
            << QStringLiteral("AVAWATYAVoWaTe.").repeated(20) << false;
        QTest::newRow("ligatures and tabs beyond the edge")
            << QByteArray("ffi fl\tffl\t").repeated(30)
            << QStringLiteral("ffi fl\tffl\t").repeated(30) << false;
        QTest::newRow("a long first line of two: marked")
            << QByteArray("w").repeated(300) + "\r\nnext" << QString(300, u'w') << true;
    }

    void cellWithMoreLinesThanItsRowShows()
    {
        QFETCH(QByteArray, value);
        QFETCH(QString, shownText);
        QFETCH(bool, marked);
        openPeople(value);
        QCOMPARE(grid()->rowHeight(2), 22);
        const QModelIndex index = grid()->model()->index(2, 1);
        const QRect cell = grid()->visualRect(index);
        QImage shown =
            grid()->viewport()->grab(cell).toImage().convertToFormat(QImage::Format_RGB32);
        const QImage expected = Expected(shownText, cell.size(), 0);
        const int size = GridCellDelegate::MoreMarkSize;
        const QRect corner(cell.width() - size, cell.height() - size, size, size);
        const QColor ink = grid()->palette().color(QPalette::Text);
        int inkInCorner = 0;
        for (int y = corner.top(); y <= corner.bottom(); ++y) {
            for (int x = corner.left(); x <= corner.right(); ++x)
                inkInCorner += shown.pixelColor(x, y) == ink;
        }
        QCOMPARE(inkInCorner > 0, marked);
        if (marked) {
            QVERIFY(inkInCorner >= size);
            hideMark(shown, expected);
        }
        // Nothing of a line below the last whole one.
        QCOMPARE(shown, expected);
    }

    // Cells the style would draw nothing for are painted without it: the grid must look the same,
    // pixel for pixel, as when every cell goes through the style. The grid holds plain, selected,
    // current, marked (unreadable), Boolean, right-aligned, too wide and several-line cells.
    void plainCellsPaintAsThroughTheStyle_data()
    {
        QTest::addColumn<QString>("style");
        QTest::addColumn<Qt::LayoutDirection>("direction");
        QTest::addColumn<bool>("focused");

        for (const QString &style : QStyleFactory::keys()) {
            QTest::addRow("%s", qPrintable(style)) << style << Qt::LeftToRight << true;
            QTest::addRow("%s, right to left", qPrintable(style))
                << style << Qt::RightToLeft << true;
            QTest::addRow("%s, grid without the keyboard", qPrintable(style))
                << style << Qt::LeftToRight << false;
        }
    }

    void plainCellsPaintAsThroughTheStyle()
    {
        QFETCH(QString, style);
        QFETCH(Qt::LayoutDirection, direction);
        QFETCH(bool, focused);
        const QString before = QApplication::style()->name();
        const auto restore = qScopeGuard([&] {
            QApplication::setStyle(before);
            QApplication::setLayoutDirection(Qt::LeftToRight);
        });
        QApplication::setStyle(style);
        QApplication::setLayoutDirection(direction);
        PdbBuilder builder;
        builder.name("Looks").field("Name").field("Amount", 0x0008, 30).field("Paid", 0x0002, 30);
        builder.field("Note", 0x0001, 25);
        builder.record({"Anna", "12", "1", "short"});
        builder.record({"Bernd", "x7", "0", QByteArray(300, 'w')});
        builder.record({"Eva", "123456789012345678901234567890", "maybe", "two\r\nlines"});
        builder.record({"", "", "", "\xe9t\xe9"}).record({"Ida", "-4", "1", "x"});
        openBytes(QStringLiteral("Looks.pdb"), builder.build());
        auto *delegate = qobject_cast<GridCellDelegate *>(grid()->itemDelegate());
        QVERIFY(delegate);
        QAbstractItemModel *model = grid()->model();
        grid()->selectionModel()->select(QItemSelection(model->index(1, 1), model->index(2, 2)),
                                         QItemSelectionModel::ClearAndSelect);
        grid()->selectionModel()->setCurrentIndex(model->index(3, 3),
                                                  QItemSelectionModel::NoUpdate);
        if (focused) {
            QApplication::setActiveWindow(mWindow.get());
            grid()->setFocus();
            QVERIFY(grid()->hasFocus());
        }
        const QImage direct = grid()->grab().toImage();
        delegate->setBackgroundsThroughStyle(true);
        const QImage throughStyle = grid()->grab().toImage();
        delegate->setBackgroundsThroughStyle(false);
        QCOMPARE(direct, throughStyle);
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
        mWindow->commandGroups().get<ToolsCommands>().toggleAutoSizing();
        const int fitted = windowDatabase().columnWidth(2);
        mWindow->commandGroups().get<ToolsCommands>().toggleAutoSizing();
        QCOMPARE(windowDatabase().columnWidth(2), before);
        QVERIFY(fitted != before);
        windowDocument().history().markSaved();

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
