// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QFont>

#include <memory>

class QPrintPreviewDialog;
class QPrinter;
class QWidget;

namespace kribed {

class Database;
class Regional;

// The print setup's choices beside the printer's: every column fitted to the page's width, the
// field names on every page. The program keeps them in its settings.
struct PrintChoices
{
    bool fitToPageWidth = false;
    bool repeatFieldNames = true;
};

// The print preview: the pages exactly as Print lays them out on `printer` (same renderer, same
// page labels), all in one scrollable document. The dialog draws the database when it needs the
// pages, so the database must outlive it. With `choices` its tool bar has a check box for each,
// which changes them and shows the pages again at once; they must outlive the dialog too.
std::unique_ptr<QPrintPreviewDialog> makePrintPreview(const Database &database,
                                                      const Regional &regional,
                                                      const QFont &displayFont, QPrinter &printer,
                                                      QWidget *parent = nullptr,
                                                      PrintChoices *choices = nullptr);

// File > "Print preview...": shows the preview for the default printer, modal over `parent`;
// the choices come back as the user left them.
void showPrintPreview(const Database &database, const Regional &regional, const QFont &displayFont,
                      QWidget *parent, PrintChoices &choices);

} // namespace kribed
