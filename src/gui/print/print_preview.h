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

// The print preview: the pages exactly as Print lays them out on `printer` (same renderer, same
// page labels), all in one scrollable document. The dialog draws the database when it needs the
// pages, so the database must outlive it.
std::unique_ptr<QPrintPreviewDialog> makePrintPreview(const Database &database,
                                                      const Regional &regional,
                                                      const QFont &displayFont, QPrinter &printer,
                                                      QWidget *parent = nullptr);

// File > "Print preview...": shows the preview for the default printer, modal over `parent`.
void showPrintPreview(const Database &database, const Regional &regional, const QFont &displayFont,
                      QWidget *parent);

} // namespace kribed
