// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "core/model/regional.h"
#include "gui/print/print_preview.h"
#include "gui/print/print_renderer.h"
#include "test_regional.h"

#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

using namespace kribed;
using kribed::test::testRegional;

class TestPrintPreview : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The preview shows every page Print produces: row blocks and column blocks alike.
    void previewHasThePrintedPages_data()
    {
        QTest::addColumn<int>("fields");
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("pages");
        QTest::newRow("one page") << 3 << 10 << 1;
        QTest::newRow("two by two") << 4 << 60 << 4;
        QTest::newRow("one wide column per page, three row blocks") << 3 << 120 << 9;
    }

    void previewHasThePrintedPages()
    {
        QFETCH(int, fields);
        QFETCH(int, records);
        QFETCH(int, pages);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(11);

        Database database;
        database.setShape(fields, records);
        database.setName("Inventory");
        for (int k = 1; k <= fields; ++k) {
            database.setFieldName(k, "Field" + QByteArray::number(k));
            // Two 250-pixel columns share an A4 page; three of 500 pixels need a page each.
            database.setColumnWidth(k, pages == 9 ? 500 : (fields == 3 ? 60 : 250));
            for (int r = 1; r <= records; ++r)
                database.setCell(k, r, "R" + QByteArray::number(r));
        }
        const auto setUp = [](QPrinter &printer) {
            printer.setPageSize(QPageSize(QPageSize::A4));
            printer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        };

        QTemporaryDir folder;
        QPrinter paper(QPrinter::HighResolution);
        paper.setOutputFileName(folder.filePath(QStringLiteral("printed.pdf")));
        setUp(paper);
        QCOMPARE(PrintRenderer(font, testRegional()).print(database, paper), pages);

        QPrinter screen(QPrinter::HighResolution);
        setUp(screen);
        const auto dialog = makePrintPreview(database, testRegional(), font, screen);
        auto *preview = dialog->findChild<QPrintPreviewWidget *>();
        QVERIFY(preview);
        preview->updatePreview();
        QCOMPARE(preview->pageCount(), pages);
    }
};

QTEST_MAIN(TestPrintPreview)
#include "tst_print_preview.moc"
