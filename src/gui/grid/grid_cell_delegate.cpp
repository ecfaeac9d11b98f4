// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/grid/grid_cell_delegate.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

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
    const VisiblePart visible =
        visiblePart(index.data(Qt::DisplayRole).toString(), area.size(), QFontMetrics(cell.font));
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
    painter->drawText(area, Qt::AlignLeft | Qt::AlignTop, visible.text);
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
