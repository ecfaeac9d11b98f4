// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/print/print_preview.h"

#include "gui/print/print_renderer.h"

#include <QApplication>
#include <QCheckBox>
#include <QMainWindow>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QToolBar>

namespace kribed {

namespace {

// Qt offers no accessor for the preview dialog's tool bar and page view: it makes a main window
// of its own as its child, with the tool bar its child and the page view its central widget.
template<class Part> Part *childOf(QObject *parent)
{
    for (QObject *child : parent ? parent->children() : QObjectList()) {
        if (auto *part = qobject_cast<Part *>(child))
            return part;
    }
    return nullptr;
}

QToolBar *toolBarOf(QPrintPreviewDialog &dialog)
{
    return childOf<QToolBar>(childOf<QMainWindow>(&dialog));
}

QPrintPreviewWidget *pagesOf(QPrintPreviewDialog &dialog)
{
    QMainWindow *window = childOf<QMainWindow>(&dialog);
    return window ? qobject_cast<QPrintPreviewWidget *>(window->centralWidget()) : nullptr;
}

// A check box in the preview's tool bar for one of the choices; a change shows the pages again.
void addChoice(QPrintPreviewDialog &dialog, const QString &text, const char *name, bool &choice)
{
    QToolBar *toolBar = toolBarOf(dialog);
    QPrintPreviewWidget *preview = pagesOf(dialog);
    if (!toolBar || !preview)
        return;
    auto *box = new QCheckBox(text, toolBar);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(choice);
    toolBar->addWidget(box);
    QObject::connect(box, &QCheckBox::toggled, preview, [&choice, preview](bool on) {
        choice = on;
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
    if (choices) {
        if (QToolBar *toolBar = toolBarOf(*dialog))
            toolBar->addSeparator();
        addChoice(*dialog, QCoreApplication::translate("kribed::PrintPreview", "Fit to page width"),
                  "fitToPageWidth", choices->fitToPageWidth);
        addChoice(*dialog,
                  QCoreApplication::translate("kribed::PrintPreview",
                                              "Repeat the field names on every page"),
                  "repeatFieldNames", choices->repeatFieldNames);
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
