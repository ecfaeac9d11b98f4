// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/print/print_preview.h"

#include "gui/print/print_renderer.h"

#include <QApplication>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace kribed {

std::unique_ptr<QPrintPreviewDialog> makePrintPreview(const Database &database,
                                                      const Regional &regional,
                                                      const QFont &displayFont, QPrinter &printer,
                                                      QWidget *parent)
{
    auto dialog = std::make_unique<QPrintPreviewDialog>(&printer, parent);
    dialog->setWindowTitle(QObject::tr("Print preview"));
    QObject::connect(dialog.get(), &QPrintPreviewDialog::paintRequested, dialog.get(),
                     [&database, regional, displayFont](QPrinter *target) {
                         // The largest database fills some 1800 pages: the hourglass while
                         // they are drawn.
                         QApplication::setOverrideCursor(Qt::WaitCursor);
                         // The preview shows one document; printed from there, the pages go
                         // out as one job too (the same pages in the same order).
                         PrintRenderer renderer(displayFont, regional);
                         renderer.printAsOneDocument(database, *target);
                         QApplication::restoreOverrideCursor();
                     });
    return dialog;
}

void showPrintPreview(const Database &database, const Regional &regional, const QFont &displayFont,
                      QWidget *parent)
{
    QPrinter printer(QPrinter::HighResolution);
    const std::unique_ptr<QPrintPreviewDialog> dialog =
        makePrintPreview(database, regional, displayFont, printer, parent);
    dialog->exec();
}

} // namespace kribed
