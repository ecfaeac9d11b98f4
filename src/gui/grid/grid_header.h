// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QColor>
#include <QHash>
#include <QHeaderView>

namespace kribed {

// A header of the grid drawn as the program draws its fixed cells: a button-face cell with the
// palette's button text, or the highlight colour for the cell of the current row or column.
class GridHeader : public QHeaderView
{
    Q_OBJECT

public:
    explicit GridHeader(Qt::Orientation orientation, QWidget *parent = nullptr);

    static QColor highlightColor() { return QColor(10, 144, 160); }

    // The section (model index) drawn highlighted, -1 for none.
    int highlightedSection() const { return mHighlighted; }
    void setHighlightedSection(int section);

    // The text colour on the highlight: the palette's highlighted text where it reads well on the
    // highlight colour, else black or white, whichever contrasts more.
    static QColor highlightTextColor(const QPalette &palette);

    // The record-number column: from now on the header is as wide as the widest record number
    // ("0000", five zeros past 9999 records) in its font, plus 6 pixels, following the model's
    // rows and the font.
    void fitRecordNumbers();

    void setModel(QAbstractItemModel *model) override;

    // Column filters: while on, each field's section (not the record numbers') has a drop-down
    // button at its right; a press on it is `filterButtonClicked`. The sections in `marks` have
    // an active filter: their button is drawn pressed in, and their tooltip adds the text.
    void setFilterButtons(bool on);
    bool hasFilterButtons() const { return mFilterButtons; }
    void setFilterMarks(const QHash<int, QString> &marks);
    const QHash<int, QString> &filterMarks() const { return mFilterMarks; }
    // Where the section's button is, in viewport coordinates.
    QRect filterButtonRect(int logicalIndex) const;

Q_SIGNALS:
    void filterButtonClicked(int logicalIndex);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;
    // The window losing or regaining the keyboard repaints the header only where the palette
    // differs between an active and an inactive window.
    bool viewportEvent(QEvent *event) override;
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;

private:
    void refitRecordNumbers();
    void paintFilterButton(QPainter *painter, const QRect &rect, int logicalIndex) const;

    int mHighlighted = -1;
    bool mFitsRecordNumbers = false;
    bool mFilterButtons = false;
    QHash<int, QString> mFilterMarks;
};

} // namespace kribed
