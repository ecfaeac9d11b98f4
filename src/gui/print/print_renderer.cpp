// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/print/print_renderer.h"

#include "core/model/database.h"
#include "core/model/regional.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

#include <cmath>

namespace kribed {

namespace {

constexpr double TenthsPerInch = 254.0;

// Characters that take their width alone, whatever stands beside them: with kerning off, texts
// of these are as wide as the sum of their characters.
constexpr char16_t AloneEnd = 0x0590;

bool standsAlone(char16_t u)
{
    return u >= 0x20 && u < AloneEnd && !(u >= 0x0300 && u < 0x0370);
}

int fontKey(const PrintFont &font)
{
    return font.height * 4 + (font.bold ? 2 : 0) + (font.displayStyle ? 1 : 0);
}

} // namespace

PrintRenderer::PrintRenderer(const QFont &displayFont, const Regional &regional)
    : mDisplayFont(displayFont)
    , mRegional(regional)
{
}

QFont PrintRenderer::printerFont(const PrintFont &font) const
{
    QFont printed = font.displayStyle ? mDisplayFont : QFont(mDisplayFont.family());
    if (font.bold)
        printed.setBold(true);
    // A negative height is the character height, which is what a pixel size gives; a positive
    // one is the whole line height, of which the characters take their share.
    int pixels = std::abs(font.height);
    if (font.height > 0) {
        QFont probe = printed;
        probe.setPixelSize(100);
        const qreal line = QFontMetricsF(probe).height();
        if (line > 0)
            pixels = int(std::lround(font.height * 100 / line));
    }
    printed.setPixelSize(qMax(1, pixels));
    printed.setHintingPreference(QFont::PreferNoHinting);
    // Texts print as wide as they were measured: character by character, as the cells were cut.
    printed.setKerning(false);
    return printed;
}

struct PrintRenderer::MeasuredFont
{
    explicit MeasuredFont(const QFont &printerFont)
        : font(printerFont)
        , metrics(printerFont)
    {
    }

    // The advance of a character that stands alone, measured the first time it is asked for.
    double advance(char16_t u)
    {
        double &found = advances[u];
        if (found < 0)
            found = metrics.horizontalAdvance(QChar(u));
        return found;
    }

    QFont font;
    QFontMetricsF metrics;
    std::vector<double> advances = std::vector<double>(AloneEnd, -1.0); // -1: not measured yet
};

PrintRenderer::MeasuredFont &PrintRenderer::measured(const PrintFont &font) const
{
    const int key = fontKey(font);
    if (mLast && key == mLastKey)
        return *mLast;
    auto found = mFonts.constFind(key);
    if (found == mFonts.constEnd())
        found = mFonts.insert(key, std::make_shared<MeasuredFont>(printerFont(font)));
    mLastKey = key;
    mLast = found->get();
    return *mLast;
}

const QFont &PrintRenderer::cachedFont(const PrintFont &font) const
{
    return measured(font).font;
}

const QFontMetricsF &PrintRenderer::cachedMetrics(const PrintFont &font) const
{
    return measured(font).metrics;
}

int PrintRenderer::textWidth(const PrintFont &font, const QString &text) const
{
    // Every cell is measured a few times while it is cut to its column: a text of characters that
    // stand alone is the sum of their advances, added up in order (as the layout's running sums
    // are), else it is measured whole.
    MeasuredFont &measuredFont = measured(font);
    double width = 0;
    for (const QChar c : text) {
        if (!standsAlone(c.unicode()))
            return int(std::ceil(measuredFont.metrics.horizontalAdvance(text)));
        width += measuredFont.advance(c.unicode());
    }
    return int(std::ceil(width));
}

bool PrintRenderer::characterAdvances(const PrintFont &font, QStringView text,
                                      std::vector<double> &advances) const
{
    MeasuredFont &measuredFont = measured(font);
    advances.resize(std::size_t(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (!standsAlone(u))
            return false;
        advances[std::size_t(i)] = measuredFont.advance(u);
    }
    return true;
}

void PrintRenderer::layOut(const Database &database, const PrintSetup &setup,
                           const PrintSink &sink) const
{
    const PrintMeasure measure = [this](const PrintFont &font, const QString &text) {
        return textWidth(font, text);
    };
    const PrintAdvances advances = [this](const PrintFont &font, QStringView text,
                                          std::vector<double> &each) {
        return characterAdvances(font, text, each);
    };
    printDatabase(database, mRegional, setup, measure, advances, sink);
}

PrintSetup PrintRenderer::printSetup(const QPrinter &printer) const
{
    const QRectF printable = printer.pageLayout().paintRect(QPageLayout::Millimeter);
    PrintSetup setup;
    // The printable size in whole millimetres, as printers report it, in tenths.
    setup.printableWidth = int(std::floor(printable.width() + 1e-6)) * 10;
    setup.printableHeight = int(std::floor(printable.height() + 1e-6)) * 10;
    // The display font's pixel height as a character height.
    setup.recordFontHeight = recordFontHeight(-QFontInfo(mDisplayFont).pixelSize());
    setup.fitToPageWidth = mFitToPageWidth;
    setup.repeatFieldNames = mRepeatFieldNames;
    return setup;
}

void PrintRenderer::useTenthsOfMillimetres(QPainter &painter, const QPrinter &printer)
{
    const double scaleX = printer.logicalDpiX() / TenthsPerInch;
    const double scaleY = printer.logicalDpiY() / TenthsPerInch;
    painter.setTransform(QTransform::fromScale(scaleX, scaleY));
    painter.setPen(Qt::black);
    painter.setBackgroundMode(Qt::TransparentMode);
}

void PrintRenderer::drawPage(QPainter &painter, const PrintPage &page) const
{
    for (const PrintItem &item : page.items) {
        painter.setFont(cachedFont(item.font));
        // The layout places a text's top-left corner; the painter writes on the baseline.
        const qreal ascent = cachedMetrics(item.font).ascent();
        painter.drawText(QPointF(item.x, item.y + ascent), item.text);
    }
}

int PrintRenderer::print(const Database &database, QPrinter &printer)
{
    return render(database, printer, !printer.outputFileName().isEmpty());
}

int PrintRenderer::printAsOneDocument(const Database &database, QPrinter &printer)
{
    return render(database, printer, true);
}

int PrintRenderer::render(const Database &database, QPrinter &printer, bool toFile)
{
    const PrintSetup setup = printSetup(printer);
    QPainter painter;
    int pages = 0;
    bool failed = false;

    if (toFile) {
        printer.setDocName(QStringLiteral("Kribed - ") + mRegional.toText(database.name()));
        if (!painter.begin(&printer))
            return 0;
        useTenthsOfMillimetres(painter, printer);
    }
    layOut(database, setup, [&](const PrintPage &page) {
        if (failed)
            return;
        if (toFile) {
            if (pages > 0 && !printer.newPage()) {
                failed = true;
                return;
            }
        } else {
            printer.setDocName(page.jobTitle);
            if (!painter.begin(&printer)) {
                failed = true;
                return;
            }
            useTenthsOfMillimetres(painter, printer);
        }
        drawPage(painter, page);
        if (!toFile)
            painter.end();
        ++pages;
    });
    if (toFile)
        painter.end();
    return failed && pages == 0 ? 0 : pages;
}

} // namespace kribed
