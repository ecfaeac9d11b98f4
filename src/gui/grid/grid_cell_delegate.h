// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QStyledItemDelegate>

namespace kribed {

// Draws a data cell as the grid always has: its text at the top left, 2 pixels in from the cell's
// corner, on as many lines as its line breaks make, cut off at the cell's edges and never
// shortened with an ellipsis. An automatic column width (widest text + 5 pixels) thus shows the
// widest text whole. Only the part of a text that can show is laid out, so no value, however
// long, makes painting slow.
class GridCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The space between the cell's top left corner and its text, both ways.
    static constexpr int TextMargin = 2;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

    // The lines of a cell's text that a rectangle of this size can show, each cut after as many
    // characters as could reach its right edge.
    static QString visiblePart(const QString &text, const QSize &size, int lineSpacing);
};

} // namespace kribed
