// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/grid/grid_cell_delegate.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace kribed {

QString GridCellDelegate::visiblePart(const QString &text, const QSize &size, int lineSpacing)
{
    const int lines = size.height() / std::max(1, lineSpacing) + 1;
    // Every character that shows is at least a pixel wide; twice the width leaves room for the
    // marks that combine with the letter before them.
    const qsizetype characters = 2 * qsizetype(std::max(0, size.width())) + 16;
    QString visible;
    qsizetype start = 0;
    for (int line = 0; line < lines && start <= text.size(); ++line) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = text.size();
        if (line > 0)
            visible += u'\n';
        qsizetype length = std::min(end - start, characters);
        // Never half a character outside the basic plane.
        if (length > 0 && length < end - start && text.at(start + length - 1).isHighSurrogate())
            --length;
        visible += QStringView(text).mid(start, length);
        start = end + 1;
    }
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
    const QString text = visiblePart(index.data(Qt::DisplayRole).toString(), area.size(),
                                     QFontMetrics(cell.font).lineSpacing());
    QPalette::ColorGroup group = QPalette::Disabled;
    if (option.state & QStyle::State_Enabled)
        group = option.state & QStyle::State_Active ? QPalette::Normal : QPalette::Inactive;
    const bool selected = option.state & QStyle::State_Selected;
    painter->save();
    painter->setClipRect(option.rect);
    painter->setFont(cell.font);
    painter->setPen(
        option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(area, Qt::AlignLeft | Qt::AlignTop, text);
    painter->restore();
}

} // namespace kribed
