// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/editing/print_layout.h"
#include "core/model/regional.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>

#include <memory>
#include <vector>

class QPainter;
class QPrinter;

namespace kribed {

class Database;

// Draws the laid-out pages on a printer in 0.1 mm units, in the display font. To a real printer
// every page is a print job of its own, titled with its page number; to a file (PDF) all pages
// go into the one document, in the same order, as separate jobs would each overwrite the file.
class PrintRenderer
{
public:
    // Texts are decoded with the regional rules given.
    PrintRenderer(const QFont &displayFont, const Regional &regional);

    // The user's choices of the print setup: fit every column to the page's width, repeat the
    // field names on every page.
    void setFitToPageWidth(bool fit) { mFitToPageWidth = fit; }
    void setRepeatFieldNames(bool repeat) { mRepeatFieldNames = repeat; }

    // Prints the whole database on the printer as it was set up; returns the number of pages,
    // or 0 when the printer could not be started.
    int print(const Database &database, QPrinter &printer);
    // The same pages as one document (for the print preview, which shows one document).
    int printAsOneDocument(const Database &database, QPrinter &printer);

    // The printer font of a layout font, and its text width in 0.1 mm.
    QFont printerFont(const PrintFont &font) const;
    int textWidth(const PrintFont &font, const QString &text) const;
    // The advance of each character of a text whose width is those advances added up (0.1 mm);
    // false for a text with a character whose width depends on its neighbours.
    bool characterAdvances(const PrintFont &font, QStringView text,
                           std::vector<double> &advances) const;

    // The pages exactly as print() draws them, measured and cut in the printer fonts.
    void layOut(const Database &database, const PrintSetup &setup, const PrintSink &sink) const;

    // The layout's page size and record font for this printer and display font.
    PrintSetup printSetup(const QPrinter &printer) const;

private:
    int render(const Database &database, QPrinter &printer, bool oneDocument);
    void drawPage(QPainter &painter, const PrintPage &page) const;
    static void useTenthsOfMillimetres(QPainter &painter, const QPrinter &printer);
    // The fonts of a page are few: each is made and measured once, and the advances of its
    // characters are looked up once each.
    struct MeasuredFont;
    MeasuredFont &measured(const PrintFont &font) const;
    const QFont &cachedFont(const PrintFont &font) const;
    const QFontMetricsF &cachedMetrics(const PrintFont &font) const;

    QFont mDisplayFont;
    Regional mRegional;
    bool mFitToPageWidth = false;
    bool mRepeatFieldNames = true;
    mutable QHash<int, std::shared_ptr<MeasuredFont>> mFonts;
    // Nearly every text of a print is in the record font: the last font used is at hand.
    mutable int mLastKey = 0;
    mutable MeasuredFont *mLast = nullptr;
};

} // namespace kribed
