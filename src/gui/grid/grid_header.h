// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QColor>
#include <QHeaderView>

namespace kribed {

// A header of the grid drawn as the program draws its fixed cells: a button-face cell with black
// text, or the highlight colour for the cell of the current row or column.
class GridHeader : public QHeaderView
{
    Q_OBJECT

public:
    explicit GridHeader(Qt::Orientation orientation, QWidget *parent = nullptr);

    static QColor highlightColor() { return QColor(10, 144, 160); }

    // The section (model index) drawn highlighted, -1 for none.
    int highlightedSection() const { return mHighlighted; }
    void setHighlightedSection(int section);

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;

private:
    int mHighlighted = -1;
};

} // namespace kribed
