// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "core/model/regional.h"
#include "gui/print/print_preview.h"
#include "gui/print/print_renderer.h"
#include "test_regional.h"

#include <QCheckBox>
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

    // The preview's check boxes change the choices and the pages at once: fitted, a database of
    // three wide columns is one page across instead of three.
    void fitToPageWidthInThePreview()
    {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(11);
        Database database;
        database.setShape(3, 120);
        for (int k = 1; k <= 3; ++k) {
            database.setFieldName(k, "Field" + QByteArray::number(k));
            database.setColumnWidth(k, 500);
            for (int r = 1; r <= 120; ++r)
                database.setCell(k, r, "R" + QByteArray::number(r));
        }
        QPrinter screen(QPrinter::HighResolution);
        screen.setPageSize(QPageSize(QPageSize::A4));
        screen.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        PrintChoices choices;
        const auto dialog =
            makePrintPreview(database, testRegional(), font, screen, nullptr, &choices);
        auto *preview = dialog->findChild<QPrintPreviewWidget *>();
        auto *fit = dialog->findChild<QCheckBox *>(QStringLiteral("fitToPageWidth"));
        auto *repeat = dialog->findChild<QCheckBox *>(QStringLiteral("repeatFieldNames"));
        QVERIFY(preview && fit && repeat);
        QVERIFY(!fit->isChecked() && repeat->isChecked());
        preview->updatePreview();
        QCOMPARE(preview->pageCount(), 9);

        fit->setChecked(true);
        QVERIFY(choices.fitToPageWidth);
        PrintRenderer renderer(font, testRegional());
        renderer.setFitToPageWidth(true);
        int fitted = 0;
        renderer.layOut(database, renderer.printSetup(screen), [&](const PrintPage &page) {
            QCOMPARE(page.columnBlock, 1);
            ++fitted;
        });
        QVERIFY2(fitted >= 1 && fitted <= 3, qPrintable(QString::number(fitted)));
        QCOMPARE(preview->pageCount(), fitted);

        repeat->setChecked(false);
        QVERIFY(!choices.repeatFieldNames);
        QVERIFY(preview->pageCount() <= fitted);
    }
};

QTEST_MAIN(TestPrintPreview)
#include "tst_print_preview.moc"
