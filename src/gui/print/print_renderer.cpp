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
bool standsAlone(QChar c)
{
    const char16_t u = c.unicode();
    return u >= 0x20 && u < 0x0590 && !(u >= 0x0300 && u < 0x0370);
}

int fontKey(const PrintFont &font)
{
    return font.height * 4 + (font.bold ? 2 : 0) + (font.displayStyle ? 1 : 0);
}

} // namespace

PrintRenderer::PrintRenderer(const QFont &displayFont)
    : mDisplayFont(displayFont)
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

const QFont &PrintRenderer::cachedFont(const PrintFont &font) const
{
    const int key = fontKey(font);
    auto found = mFonts.constFind(key);
    if (found == mFonts.constEnd())
        found = mFonts.insert(key, printerFont(font));
    return *found;
}

const QFontMetricsF &PrintRenderer::cachedMetrics(const PrintFont &font) const
{
    const int key = fontKey(font);
    auto found = mMetrics.constFind(key);
    if (found == mMetrics.constEnd())
        found = mMetrics.insert(key, std::make_shared<QFontMetricsF>(cachedFont(font)));
    return **found;
}

int PrintRenderer::textWidth(const PrintFont &font, const QString &text) const
{
    // Every cell is measured a few times while it is cut to its column; the advances of single
    // characters are looked up once per font.
    const QFontMetricsF &metrics = cachedMetrics(font);
    QHash<char16_t, qreal> &advances = mAdvances[fontKey(font)];
    qreal width = 0;
    for (const QChar c : text) {
        if (!standsAlone(c))
            return int(std::ceil(metrics.horizontalAdvance(text)));
        auto found = advances.constFind(c.unicode());
        if (found == advances.constEnd())
            found = advances.insert(c.unicode(), metrics.horizontalAdvance(c));
        width += *found;
    }
    return int(std::ceil(width));
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
    const auto measure = [this](const PrintFont &font, const QString &text) {
        return textWidth(font, text);
    };
    QPainter painter;
    int pages = 0;
    bool failed = false;

    if (toFile) {
        printer.setDocName(QStringLiteral("Kribed - ") + currentRegional().toText(database.name()));
        if (!painter.begin(&printer))
            return 0;
        useTenthsOfMillimetres(painter, printer);
    }
    printDatabase(database, setup, measure, [&](const PrintPage &page) {
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
