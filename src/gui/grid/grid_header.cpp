// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/grid/grid_header.h"

#include <QPainter>

namespace kribed {

GridHeader::GridHeader(Qt::Orientation orientation, QWidget *parent)
    : QHeaderView(orientation, parent)
{
    setSectionsClickable(false);
    setHighlightSections(false);
    setSortIndicatorShown(false);
}

void GridHeader::setHighlightedSection(int section)
{
    if (section == mHighlighted)
        return;
    mHighlighted = section;
    viewport()->update();
}

void GridHeader::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    if (!rect.isValid())
        return;
    painter->save();
    painter->fillRect(rect, palette().color(QPalette::Base));
    const QRect inner = rect.adjusted(1, 1, 0, 0);
    const bool current = logicalIndex == mHighlighted;
    painter->fillRect(inner, current ? highlightColor() : palette().color(QPalette::Button));
    painter->setPen(current ? palette().color(QPalette::HighlightedText) : QColor(Qt::black));
    painter->setFont(font());
    const QString text =
        model() ? model()->headerData(logicalIndex, orientation()).toString() : QString();
    painter->setClipRect(inner);
    painter->drawText(rect.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                      text);
    painter->restore();
}

} // namespace kribed
