// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/grid/grid_cell_delegate.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QStaticText>

#include <algorithm>
#include <limits>

namespace kribed {

GridCellDelegate::VisiblePart GridCellDelegate::visiblePart(const QString &text, const QSize &size,
                                                            const QFontMetrics &metrics)
{
    // Line n (from 0) reaches from n line spacings down to one line height below that.
    const int spacing = std::max(1, metrics.lineSpacing());
    const int height = std::max(1, metrics.height());
    const int lines = size.height() < height ? 1 : (size.height() - height) / spacing + 1;
    // Every character that shows is at least a pixel wide; twice the width leaves room for the
    // marks that combine with the letter before them.
    const qsizetype characters = 2 * qsizetype(std::max(0, size.width())) + 16;
    VisiblePart visible;
    qsizetype start = 0;
    for (int line = 0; line < lines && start <= text.size(); ++line) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = text.size();
        if (line > 0)
            visible.text += u'\n';
        qsizetype length = std::min(end - start, characters);
        // Never half a character outside the basic plane.
        if (length > 0 && length < end - start && text.at(start + length - 1).isHighSurrogate())
            --length;
        visible.text += QStringView(text).mid(start, length);
        start = end + 1;
    }
    visible.more = start <= text.size();
    return visible;
}

namespace {

// Characters that can put the ones after them left of the ones before: a line holding any is
// drawn whole, as its visible part depends on all of it.
bool mayRunRightToLeft(QStringView line)
{
    for (const QChar c : line) {
        if (c.unicode() < 0x0590)
            continue;
        switch (c.direction()) {
        case QChar::DirR:
        case QChar::DirAL:
        case QChar::DirRLE:
        case QChar::DirRLO:
        case QChar::DirRLI:
        case QChar::DirFSI: return true;
        default: break;
        }
    }
    return false;
}

} // namespace

int GridCellDelegate::advance(QChar character) const
{
    // A surrogate's advance is not its own: counted as none, which keeps more of the text.
    if (character.isSurrogate())
        return 0;
    if (mAdvances.empty())
        mAdvances.assign(0x10000, -1);
    qint16 &known = mAdvances[character.unicode()];
    if (known < 0)
        known = qint16(std::clamp(QFontMetrics(mAdvancesFont).horizontalAdvance(character), 0,
                                  int(std::numeric_limits<qint16>::max())));
    return known;
}

qsizetype GridCellDelegate::reachingLength(QStringView line, int width, const QFont &font) const
{
    // Spacing the font adds is not in the characters' advances.
    if (font.letterSpacing() != 0 || font.wordSpacing() != 0 || mayRunRightToLeft(line))
        return line.size();
    if (font != mAdvancesFont) {
        mAdvancesFont = font;
        mAdvances.clear();
    }
    int x = 0;
    qsizetype past = 0;
    while (past < line.size() && x <= width)
        x += advance(line[past++]);
    if (x <= width)
        return line.size();
    // Kerning and ligatures can draw the characters closer than their advances: a margin of
    // characters beyond the edge, and never a letter without the marks that sit on it.
    qsizetype end = std::min(line.size(), past + 8 + past / 4);
    while (end < line.size() && (line[end].isMark() || line[end].isLowSurrogate()))
        ++end;
    return end;
}

QString GridCellDelegate::reachingLines(const QString &lines, int width, const QFont &font) const
{
    QString reaching;
    qsizetype start = 0;
    while (start <= lines.size()) {
        qsizetype end = lines.indexOf(u'\n', start);
        if (end < 0)
            end = lines.size();
        const QStringView line = QStringView(lines).mid(start, end - start);
        if (start > 0)
            reaching += u'\n';
        reaching += line.first(reachingLength(line, width, font));
        start = end + 1;
    }
    return reaching;
}

const QStaticText &GridCellDelegate::laidOut(const QString &text, const QFont &font) const
{
    if (font != mLaidOutFont || mLaidOut.size() >= MaxLaidOutTexts) {
        mLaidOut.clear();
        mLaidOutFont = font;
    }
    auto found = mLaidOut.find(text);
    if (found == mLaidOut.end()) {
        QStaticText laid(text);
        laid.setTextFormat(Qt::PlainText);
        laid.prepare(QTransform(), font);
        found = mLaidOut.insert(text, laid);
    }
    return *found;
}

void GridCellDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                             const QModelIndex &index) const
{
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    // The style draws the background, the selection and the focus frame; the text is drawn here.
    cell.text.clear();
    const QWidget *widget = option.widget;
    const QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);

    const QRect area = option.rect.adjusted(TextMargin, TextMargin, 0, 0);
    if (area.width() <= 0 || area.height() <= 0)
        return;
    // The model's text, not the option's, in which line breaks are no longer '\n'.
    VisiblePart visible =
        visiblePart(index.data(Qt::DisplayRole).toString(), area.size(), QFontMetrics(cell.font));
    // Only what reaches into the cell is laid out: text layout is most of a grid's painting.
    if (option.direction == Qt::LeftToRight && painter->layoutDirection() == Qt::LeftToRight)
        visible.text = reachingLines(visible.text, area.width(), cell.font);
    QPalette::ColorGroup group = QPalette::Disabled;
    if (option.state & QStyle::State_Enabled)
        group = option.state & QStyle::State_Active ? QPalette::Normal : QPalette::Inactive;
    const bool selected = option.state & QStyle::State_Selected;
    painter->save();
    painter->setClipRect(option.rect);
    painter->setFont(cell.font);
    const QColor ink =
        option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);
    painter->setPen(ink);
    // Tabs are spaced to their stops only by the text drawn in a rectangle.
    if (visible.text.contains(u'\t'))
        painter->drawText(area, Qt::AlignLeft | Qt::AlignTop, visible.text);
    else
        painter->drawStaticText(area.topLeft(), laidOut(visible.text, cell.font));
    if (visible.more) {
        // A small triangle in the bottom right corner, pointing at the lines below.
        const QPoint corner = option.rect.bottomRight();
        const QPoint mark[] = {corner, corner - QPoint(MoreMarkSize - 1, 0),
                               corner - QPoint(0, MoreMarkSize - 1)};
        painter->setBrush(ink);
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->drawPolygon(mark, 3);
    }
    painter->restore();
}

} // namespace kribed
