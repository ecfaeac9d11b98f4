// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/print/print_preview.h"

#include "gui/print/print_renderer.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QMainWindow>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>

namespace kribed {

namespace {

// Qt offers no accessor for the preview dialog's page view: it makes a main window of its own
// as its child, with the page view as its central widget.
QPrintPreviewWidget *pagesOf(QPrintPreviewDialog &dialog)
{
    for (QObject *child : dialog.children()) {
        if (auto *window = qobject_cast<QMainWindow *>(child))
            return qobject_cast<QPrintPreviewWidget *>(window->centralWidget());
    }
    return nullptr;
}

// A check box for one of the choices in a row under the pages (the tool bar folds its last
// entries away in a narrow window); a change shows the pages again.
void addChoice(QPrintPreviewDialog &dialog, QWidget &row, const QString &text, const char *name,
               bool &choice)
{
    QPrintPreviewWidget *preview = pagesOf(dialog);
    auto *box = new QCheckBox(text, &row);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(choice);
    row.layout()->addWidget(box);
    QObject::connect(box, &QCheckBox::toggled, &dialog, [&choice, preview](bool on) {
        choice = on;
        if (preview)
            preview->updatePreview();
    });
}

} // namespace

std::unique_ptr<QPrintPreviewDialog> makePrintPreview(const Database &database,
                                                      const Regional &regional,
                                                      const QFont &displayFont, QPrinter &printer,
                                                      QWidget *parent, PrintChoices *choices)
{
    auto dialog = std::make_unique<QPrintPreviewDialog>(&printer, parent);
    dialog->setWindowTitle(QObject::tr("Print preview"));
    if (choices && dialog->layout()) {
        auto *row = new QWidget(dialog.get());
        row->setObjectName(QStringLiteral("printChoices"));
        auto *rowLayout = new QHBoxLayout(row);
        addChoice(*dialog, *row,
                  QCoreApplication::translate("kribed::PrintPreview", "Fit to page width"),
                  "fitToPageWidth", choices->fitToPageWidth);
        addChoice(*dialog, *row,
                  QCoreApplication::translate("kribed::PrintPreview",
                                              "Repeat the field names on every page"),
                  "repeatFieldNames", choices->repeatFieldNames);
        rowLayout->addStretch();
        dialog->layout()->addWidget(row);
    }
    QObject::connect(dialog.get(), &QPrintPreviewDialog::paintRequested, dialog.get(),
                     [&database, regional, displayFont, choices](QPrinter *target) {
                         // The largest database fills some 1800 pages: the hourglass while
                         // they are drawn.
                         QApplication::setOverrideCursor(Qt::WaitCursor);
                         // The preview shows one document; printed from there, the pages go
                         // out as one job too (the same pages in the same order).
                         PrintRenderer renderer(displayFont, regional);
                         if (choices) {
                             renderer.setFitToPageWidth(choices->fitToPageWidth);
                             renderer.setRepeatFieldNames(choices->repeatFieldNames);
                         }
                         renderer.printAsOneDocument(database, *target);
                         QApplication::restoreOverrideCursor();
                     });
    return dialog;
}

void showPrintPreview(const Database &database, const Regional &regional, const QFont &displayFont,
                      QWidget *parent, PrintChoices &choices)
{
    QPrinter printer(QPrinter::HighResolution);
    const std::unique_ptr<QPrintPreviewDialog> dialog =
        makePrintPreview(database, regional, displayFont, printer, parent, &choices);
    dialog->exec();
}

} // namespace kribed
