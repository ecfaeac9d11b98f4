// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/model/database.h"

#include <QList>
#include <QString>

#include <functional>
#include <vector>

namespace kribed {

class Regional;

// A printer font: the display font's face in a given height (0.1 mm; a negative height is the
// character height, as fonts are given on screen), bold or not, with or without the display
// font's own style (italic, underline, weight).
struct PrintFont
{
    int height = 0;
    bool bold = false;
    bool displayStyle = true;
    bool operator==(const PrintFont &other) const
    {
        return height == other.height && bold == other.bold && displayStyle == other.displayStyle;
    }
};

// One text on a page, its top-left corner at (x, y) in 0.1 mm from the printable area's corner.
struct PrintItem
{
    int x = 0;
    int y = 0;
    PrintFont font;
    QString text;
};

struct PrintPage
{
    int rowBlock = 1;
    int columnBlock = 1;
    QString jobTitle;  // "Kribed - Page 1.2"
    QString label;     // "Page 1.2"
    bool last = false; // the footer is on this page
    int firstRecord = 0;
    int lastRecord = 0; // the records this page's row block covers, hidden ones included
    int firstColumn = 0;
    int lastColumn = 0;
    QList<PrintItem> items;
};

// What the printer and the display font give the layout.
struct PrintSetup
{
    int printableWidth = 0;     // 0.1 mm
    int printableHeight = 0;    // 0.1 mm
    int recordFontHeight = -28; // 0.1 mm; see recordFontHeight
    // The columns scaled down so that every column fits across the page, the record font and
    // the line pitch with them but the font never below 6 pt (narrow columns then cut their
    // texts): a wide database goes on pages down, not across.
    bool fitToPageWidth = false;
    // The field names on every page; without, only on the pages of the first block of rows, and
    // the records of the others start a line higher.
    bool repeatFieldNames = true;
};

// The printed width of a text in a font, in 0.1 mm.
using PrintMeasure = std::function<int(const PrintFont &, const QString &)>;
using PrintSink = std::function<void(const PrintPage &)>;

// Optional beside the measure: the advance of each character of a text in a font (0.1 mm), for a
// text whose measured width is exactly those advances added up in order and rounded up; false for
// any other text, which is then measured whole. With it a text is cut by running sums instead of
// being measured again at every try.
using PrintAdvances = std::function<bool(const PrintFont &, QStringView, std::vector<double> &)>;

namespace print {
constexpr int LeftMargin = 200;
constexpr int LabelX = 1500;
constexpr int HeadingY = 50;
constexpr int FieldNameY = 150;
constexpr int FirstRecordY = 200;
constexpr int LinePitch = 50;
constexpr int BottomReserve = 150;
constexpr int CellPadding = 20;
constexpr int HeadingHeight = 60;
constexpr int FooterHeight = 20;
// The smallest record font a page fitted to its width takes: 6 pt, rounded up to whole tenths.
constexpr int SmallestFittedFontHeight = 22;
} // namespace print

// The record font's height for a display font of the given pixel height: x 2.5, an exact half
// rounded to the even neighbour; the sign (character or cell height) is kept.
int recordFontHeight(int displayPixelHeight);

PrintFont headingFont();
PrintFont recordFont(const PrintSetup &setup);
PrintFont footerFont();

// "Kribed PRO <version> by <maker> [<address>]".
QString printFooterText();

// The printed width of grid column k: column 0 as wide as "0000_" in the record font, a data
// column 0.29 mm for every screen pixel.
int printColumnWidth(const Database &database, int column, const PrintSetup &setup,
                     const PrintMeasure &measure);

// The text as printed into a column of the given width: when it is wider than width - 20 it is
// cut and ends in "..", down to ".." alone; a width of 0 leaves it whole.
QString printCellText(const QString &text, int width, const PrintFont &font,
                      const PrintMeasure &measure);
// The same, cutting by the characters' advances where the text has them.
QString printCellText(const QString &text, int width, const PrintFont &font,
                      const PrintMeasure &measure, const PrintAdvances &advances);

// The factor the columns are scaled by on a page fitted to its width: 1 when the page is not
// fitted or the columns fit as they are.
double printWidthFactor(const Database &database, const PrintSetup &setup,
                        const PrintMeasure &measure);

// Lays out the whole database page by page: for each block of rows every block of columns, in
// that order, each page handed to the sink as soon as it is complete. Hidden rows are left out.
// Numbers, dates and times stand at the right of their columns, as in the grid.
// Cells and names are decoded in the code page of `regional`.
void printDatabase(const Database &database, const Regional &regional, const PrintSetup &setup,
                   const PrintMeasure &measure, const PrintSink &sink);
void printDatabase(const Database &database, const Regional &regional, const PrintSetup &setup,
                   const PrintMeasure &measure, const PrintAdvances &advances,
                   const PrintSink &sink);

// The same, collected.
QList<PrintPage> printPages(const Database &database, const Regional &regional,
                            const PrintSetup &setup, const PrintMeasure &measure);

} // namespace kribed
