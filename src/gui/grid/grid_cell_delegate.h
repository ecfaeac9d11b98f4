// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QFont>
#include <QHash>
#include <QPixmap>
#include <QStaticText>
#include <QStyledItemDelegate>

#include <vector>

class QFontMetrics;

namespace kribed {

// Draws a data cell as the grid always has: its text at the top left, 2 pixels in from the cell's
// corner, on as many lines as its line breaks make, cut off at the cell's right edge and never
// shortened with an ellipsis. An automatic column width (widest text + 5 pixels) thus shows the
// widest text whole. Only whole lines are drawn: a cell whose lines go on below the last one its
// row can show gets a small mark in its bottom right corner instead, so the user knows to open
// it. Only the part of a text that can show is laid out, so no value, however long, makes
// painting slow.
//
// Numbers, dates and times stand at the right, 2 pixels in from the right edge, as long as they
// fit; a text wider than its cell starts at the left, so that its first digits always show. A
// Boolean cell holding "1" or "0" is a check box in the cell's middle, which a click on it or
// Space toggles (any other text in a Boolean cell is shown and edited as text). A cell whose text
// does not read as its field's type gets a small mark in its top left corner.
class GridCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The space between the cell's top left corner and its text, both ways.
    static constexpr int TextMargin = 2;
    // The width and height of the mark of a cell that holds more lines than it shows.
    static constexpr int MoreMarkSize = 5;
    // The width and height of the mark of a text that does not read as its field's type.
    static constexpr int UnreadableMarkSize = 6;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;

    // Every cell's background through the style, as a check that the direct way of a plain cell
    // paints the same pixels; off in the program.
    void setBackgroundsThroughStyle(bool always) { mBackgroundsThroughStyle = always; }

    // Where a Boolean cell's check box is drawn.
    static QRect checkBoxRect(const QStyleOptionViewItem &option);

    struct VisiblePart
    {
        QString text;      // the lines shown, each cut after as many characters as reach the edge
        bool more = false; // further lines follow the last one shown
    };
    // The whole lines of a cell's text that a rectangle of this size can show in this font (at
    // least the first, even where the font is taller than the rectangle).
    static VisiblePart visiblePart(const QString &text, const QSize &size,
                                   const QFontMetrics &metrics);

private:
    void paintCheckBox(QPainter *painter, const QStyleOptionViewItem &cell, bool checked) const;
    void paintText(QPainter *painter, const QStyleOptionViewItem &cell, const QString &text,
                   bool unreadable) const;

    bool mBackgroundsThroughStyle = false;
    // The check boxes as the style draws them, by their looks.
    mutable QHash<QString, QPixmap> mCheckBoxes;
    // The characters of a line that can reach into `width` pixels, and some beyond for what
    // shaping joins across the edge; the whole line where its characters may be reordered.
    qsizetype reachingLength(QStringView line, int width, const QFont &font) const;
    QString reachingLines(const QString &lines, int width, const QFont &font) const;
    int advance(QChar character) const;

    // Each character's advance in the font last painted with, measured once (-1: not yet).
    mutable QFont mAdvancesFont;
    mutable std::vector<qint16> mAdvances;

    // The texts shown lately, laid out once: a page scrolled back to or rows moved by one paint
    // without laying out their texts again.
    const QStaticText &laidOut(const QString &text, const QFont &font) const;
    static constexpr int MaxLaidOutTexts = 2048;
    mutable QFont mLaidOutFont;
    mutable QHash<QString, QStaticText> mLaidOut;
};

} // namespace kribed
