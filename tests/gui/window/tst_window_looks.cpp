// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/grid/grid_header.h"
#include "gui/window/editor_start.h"
#include "gui/window/status_panel_widths.h"
#include "gui/window/tool_icons.h"
#include "gui/window/window_placement.h"
#include "main_window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>

using namespace kribed;

Q_DECLARE_METATYPE(kribed::Placement)

namespace {

// Pixels of an area whose colour is within a small distance of `color`.
int pixelsNear(const QImage &image, const QRect &area, const QColor &color)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (qAbs(pixel.red() - color.red()) + qAbs(pixel.green() - color.green())
                    + qAbs(pixel.blue() - color.blue())
                < 60)
                ++count;
        }
    }
    return count;
}

} // namespace

class TestWindowLooks
    : public QObject
    , private test::MainWindowFixture
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { initFixture(); }

    void startGeometry_data()
    {
        QTest::addColumn<Placement>("stored");
        QTest::addColumn<QList<QRect>>("screens");
        QTest::addColumn<QRect>("expected");

        const QRect full(0, 0, 1920, 1040);
        const QRect scaled(0, 0, 1440, 860); // a 2880x1800 screen at scale 2, panel below
        const QRect right(1920, 0, 1280, 1000);
        QTest::newRow("first start: 70% centred")
            << Placement() << QList<QRect>{full} << QRect(288, 156, 1344, 728);
        QTest::newRow("maximised at scale 1, back at scale 2")
            << Placement{0, 0, 2560, 1762} << QList<QRect>{scaled} << scaled;
        QTest::newRow("fits: kept as stored")
            << Placement{100, 80, 800, 600} << QList<QRect>{full} << QRect(100, 80, 800, 600);
        QTest::newRow("only left stored: small window there")
            << Placement{100, 30, 30, 30} << QList<QRect>{full} << QRect(100, 30, 30, 30);
        QTest::newRow("over the right screen's edge: pulled inside it")
            << Placement{2900, -50, 900, 700} << QList<QRect>{full, right}
            << QRect(2300, 0, 900, 700);
        QTest::newRow("monitor gone: onto the primary screen")
            << Placement{5000, 200, 800, 600} << QList<QRect>{full} << QRect(1120, 200, 800, 600);
        QTest::newRow("nonsense size: at least one pixel")
            << Placement{10, 10, -40, 0} << QList<QRect>{full} << QRect(10, 10, 1, 1);
    }

    void startGeometry()
    {
        QFETCH(Placement, stored);
        QFETCH(QList<QRect>, screens);
        QFETCH(QRect, expected);
        QCOMPARE(startWindowGeometry(stored, screens), expected);
    }

    // Every panel shows the widest text it can hold without cutting it, whatever the font and
    // date format, and never shrinks below its classic width.
    void statusPanelsFitTheirWidestTexts_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("dateFormat");
        QTest::addColumn<int>("pointSize");
        QTest::newRow("en_GB, short month names, large font")
            << QStringLiteral("en_GB") << QStringLiteral("dd MMM yyyy") << 14;
        QTest::newRow("de_DE, full month names")
            << QStringLiteral("de_DE") << QStringLiteral("d. MMMM yyyy") << 9;
        QTest::newRow("en_US numeric")
            << QStringLiteral("en_US") << QStringLiteral("M/d/yyyy") << 8;
    }

    void statusPanelsFitTheirWidestTexts()
    {
        QFETCH(QString, locale);
        QFETCH(QString, dateFormat);
        QFETCH(int, pointSize);
        QFont font;
        font.setPointSize(pointSize);
        std::array<QLabel *, StatusPanelCount> panels{};
        std::vector<std::unique_ptr<QLabel>> owned;
        for (QLabel *&panel : panels) {
            owned.push_back(std::make_unique<QLabel>());
            panel = owned.back().get();
            panel->setFrameShape(QFrame::Panel);
            panel->setFrameShadow(QFrame::Sunken);
            panel->setFont(font);
        }
        const QLocale regional(locale);
        fitStatusPanels(panels, regional, dateFormat);

        const QStringList positions{QStringLiteral("R9999 of 9999"),
                                    QStringLiteral("R12000 of 12000"),
                                    QStringLiteral("R88888 of 88888")};
        for (const QString &text : positions) {
            panels[0]->setText(text);
            QVERIFY2(panels[0]->width() >= panels[0]->sizeHint().width(), qPrintable(text));
        }
        panels[1]->setText(QStringLiteral("C50 of 50"));
        QVERIFY(panels[1]->width() >= panels[1]->sizeHint().width());
        for (int month = 1; month <= 12; ++month) {
            const QString date = regional.toString(QDate(2026, month, 28), dateFormat);
            panels[5]->setText(date);
            QVERIFY2(panels[5]->width() >= panels[5]->sizeHint().width(), qPrintable(date));
        }
        const int classic[] = {90, 65, 18, 18, 18, 75};
        for (int index = 0; index < 6; ++index)
            QVERIFY(panels[index]->width() >= classic[index]);
    }

    // Field names and record numbers take the palette's button text, so they stay readable on
    // a dark palette; the current row's and column's cells keep their colour with a text that
    // stands out on it.
    void headerTextFollowsThePalette()
    {
        QStandardItemModel model(3, 3);
        model.setHorizontalHeaderLabels(
            {QStringLiteral("WWWW"), QStringLiteral("MMMM"), QStringLiteral("HHHH")});
        QTableView view;
        auto *header = new GridHeader(Qt::Horizontal, &view);
        view.setHorizontalHeader(header);
        view.setModel(&model);
        view.setPalette(darkCheckPalette());
        header->setPalette(darkCheckPalette());
        header->setHighlightedSection(2);
        view.resize(400, 200);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));

        const QImage image = header->grab().toImage();
        const int dpr = int(image.devicePixelRatio());
        const auto section = [&](int index) {
            return QRect(header->sectionViewportPosition(index) * dpr, 0,
                         header->sectionSize(index) * dpr, image.height());
        };
        const QColor text = darkCheckPalette().color(QPalette::ButtonText);
        QVERIFY(pixelsNear(image, section(0), text) > 10);
        QCOMPARE(pixelsNear(image, section(0), Qt::black), 0);
        QVERIFY(pixelsNear(image, section(2), GridHeader::highlightColor()) > 100);
        QVERIFY(pixelsNear(image, section(2), GridHeader::highlightTextColor(darkCheckPalette()))
                > 10);
    }

    // The check boxes of the Tools menu's toggles stand out from the menu on a dark palette,
    // unchecked ones too, as the style would draw them dark on dark.
    void menuCheckBoxesReadableOnADarkPalette_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("checked");
        QTest::newRow("Auto sizing, off") << QStringLiteral("actionAutoSizing") << false;
        QTest::newRow("Enable filter, off") << QStringLiteral("actionFilter") << false;
        QTest::newRow("Row Sum, off") << QStringLiteral("actionRowSum") << false;
        QTest::newRow("Auto sizing, on") << QStringLiteral("actionAutoSizing") << true;
    }

    void menuCheckBoxesReadableOnADarkPalette()
    {
        QFETCH(QString, command);
        QFETCH(bool, checked);
        const QPalette light = QApplication::palette();
        QApplication::setStyle(QStringLiteral("Fusion"));
        QApplication::setPalette(darkCheckPalette());
        startTest(true);
        openBytes(QStringLiteral("Kunden.pdb"), test::kunden(3, 3));
        auto *action = mWindow->findChild<QAction *>(command);
        QVERIFY(action && action->isEnabled());
        action->setChecked(checked);
        auto *tools = mWindow->findChild<QMenu *>(QStringLiteral("menuTools"));
        tools->popup(mWindow->mapToGlobal(QPoint(20, 20)));
        QVERIFY(QTest::qWaitForWindowExposed(tools));

        const QImage image = tools->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const int dpr = int(image.devicePixelRatio());
        const QRect item = tools->actionGeometry(action);
        // The box sits at the left of the entry, before its text.
        const QRect box(item.left() * dpr, item.top() * dpr, item.height() * dpr,
                        item.height() * dpr);
        const QColor menu = image.pixelColor(box.topLeft() + QPoint(1, 1));
        int standing = 0; // pixels that stand out from the menu
        for (int y = box.top(); y <= box.bottom(); ++y) {
            for (int x = box.left(); x <= box.right(); ++x) {
                const QColor pixel = image.pixelColor(x, y);
                standing += qAbs(pixel.red() - menu.red()) + qAbs(pixel.green() - menu.green())
                                + qAbs(pixel.blue() - menu.blue())
                            > 120;
            }
        }
        tools->hide();
        endTest();
        QApplication::setPalette(light);
        QVERIFY2(standing >= 20, qPrintable(QString::number(standing)));
    }

    void highlightTextContrasts_data()
    {
        QTest::addColumn<QColor>("highlightedText");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("white is kept") << QColor(Qt::white) << QColor(Qt::white);
        QTest::newRow("black is kept") << QColor(Qt::black) << QColor(Qt::black);
        QTest::newRow("a colour like the highlight gives way")
            << QColor(30, 160, 170) << QColor(Qt::black);
    }

    void highlightTextContrasts()
    {
        QFETCH(QColor, highlightedText);
        QFETCH(QColor, expected);
        QPalette palette;
        palette.setColor(QPalette::HighlightedText, highlightedText);
        QCOMPARE(GridHeader::highlightTextColor(palette), expected);
    }

    // Five-digit record numbers are not cut: the column widens past 9999 records and narrows
    // again, and follows the font.
    void recordNumberColumnFitsFiveDigits()
    {
        QStandardItemModel model(9999, 1);
        QTableView view;
        auto *header = new GridHeader(Qt::Vertical, &view);
        view.setVerticalHeader(header);
        view.setModel(&model);
        header->fitRecordNumbers();
        const auto zeros = [header](int count) {
            return header->fontMetrics().horizontalAdvance(QString(count, u'0')) + 6;
        };
        QCOMPARE(header->width(), zeros(4));
        model.insertRows(0, 2);
        QCOMPARE(header->width(), zeros(5));
        QVERIFY(header->width()
                >= header->fontMetrics().horizontalAdvance(QStringLiteral("10001")) + 2);
        model.removeRows(0, 2);
        QCOMPARE(header->width(), zeros(4));
        QFont larger = header->font();
        larger.setPointSize(larger.pointSize() * 2);
        header->setFont(larger);
        QCOMPARE(header->width(), zeros(4));
    }

    // The bundled pictures draw their text-coloured shapes in the palette's text colour: on a
    // dark palette light, never the dark grey they are drawn in.
    void bundledIconsFollowThePalette()
    {
        for (const QString &name :
             {QStringLiteral("document-open"), QStringLiteral("edit-table-delete-row"),
              QStringLiteral("kribed-row-sum")}) {
            const QIcon dark = bundledIcon(name, darkCheckPalette());
            QVERIFY2(!dark.isNull(), qPrintable(name));
            const QImage image = dark.pixmap(QSize(22, 22)).toImage();
            const QRect all = image.rect();
            QVERIFY2(pixelsNear(image, all, darkCheckPalette().color(QPalette::WindowText)) > 5,
                     qPrintable(name));
            QCOMPARE(pixelsNear(image, all, QColor(0x23, 0x26, 0x29)), 0);
        }
        QVERIFY(bundledIcon(QStringLiteral("no-such-icon"), darkCheckPalette()).isNull());
    }
};

QTEST_MAIN(TestWindowLooks)
#include "tst_window_looks.moc"
