// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/grid/grid_cell_delegate.h"

#include "core/model/field_type.h"
#include "gui/grid/grid_model.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QStaticText>

#include <algorithm>
#include <limits>
#include <optional>

using namespace Qt::Literals::StringLiterals;

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

const QStyle *styleOf(const QStyleOptionViewItem &option)
{
    return option.widget ? option.widget->style() : QApplication::style();
}

// The text's colour group as the style draws the selection.
QPalette::ColorGroup colorGroup(const QStyleOptionViewItem &option)
{
    if (!(option.state & QStyle::State_Enabled))
        return QPalette::Disabled;
    return option.state & QStyle::State_Active ? QPalette::Normal : QPalette::Inactive;
}

// The Boolean texts a check box stands for; any other text is shown as it is.
std::optional<bool> checkState(const QModelIndex &index, const QString &text)
{
    if (index.data(GridModel::FieldTypeRole).toInt() != BooleanType)
        return std::nullopt;
    if (text == u"1")
        return true;
    if (text == u"0")
        return false;
    return std::nullopt;
}

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

// A cell the style would draw nothing for: neither selected nor current nor under the mouse, no
// background, check box, icon or text of its own, in a style that draws the item views' cells
// the common way (the styles that come with the toolkit on this platform). Most cells of a grid
// are such cells, and asking the style for each of them is a good part of painting a screenful.
bool styleDrawsNothing(const QStyle *style, const QStyleOptionViewItem &cell)
{
    const QStyle::State drawn = QStyle::State_Selected | QStyle::State_HasFocus
                                | QStyle::State_MouseOver | QStyle::State_Editing;
    const QStyleOptionViewItem::ViewItemFeatures own =
        QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDecoration;
    if ((cell.state & drawn) || (cell.features & own) || !cell.text.isEmpty()
        || cell.backgroundBrush.style() != Qt::NoBrush)
        return false;
    // A style sheet or a proxy has a class of its own and is always asked.
    const char *name = style->metaObject()->className();
    return qstrcmp(name, "QFusionStyle") == 0 || qstrcmp(name, "QWindowsStyle") == 0;
}

} // namespace

QRect GridCellDelegate::checkBoxRect(const QStyleOptionViewItem &option)
{
    const QStyle *style = styleOf(option);
    const QSize size(style->pixelMetric(QStyle::PM_IndicatorWidth, &option, option.widget),
                     style->pixelMetric(QStyle::PM_IndicatorHeight, &option, option.widget));
    return QStyle::alignedRect(option.direction, Qt::AlignCenter, size, option.rect);
}

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
    // The model's own text: the option's has its line breaks made line separators.
    const QString text = index.data(Qt::DisplayRole).toString();
    // The style draws the background, the selection and the focus frame; the rest is drawn here.
    cell.text.clear();
    const QStyle *style = styleOf(option);
    if (mBackgroundsThroughStyle || !styleDrawsNothing(style, cell))
        style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, option.widget);
    if (const std::optional<bool> checked = checkState(index, text))
        paintCheckBox(painter, cell, *checked);
    else
        paintText(painter, cell, text, index.data(GridModel::UnreadableRole).toBool());
}

void GridCellDelegate::paintCheckBox(QPainter *painter, const QStyleOptionViewItem &cell,
                                     bool checked) const
{
    const QRect place = checkBoxRect(cell);
    const QStyle::State looks = QStyle::State_Enabled | QStyle::State_Active
                                | QStyle::State_Selected | QStyle::State_MouseOver;
    const QStyle::State state =
        (cell.state & looks) | (checked ? QStyle::State_On : QStyle::State_Off);
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    // A screen full of check boxes draws a few pictures again and again: each is drawn by the
    // style once and copied after, so that check boxes paint no slower than texts.
    const QString key = QStringLiteral("%1/%2/%3x%4/%5/%6")
                            .arg(uint(state))
                            .arg(cell.palette.cacheKey())
                            .arg(place.width())
                            .arg(place.height())
                            .arg(ratio)
                            .arg(quintptr(styleOf(cell)));
    auto found = mCheckBoxes.constFind(key);
    if (found == mCheckBoxes.cend()) {
        QPixmap picture(place.size() * ratio);
        picture.setDevicePixelRatio(ratio);
        picture.fill(Qt::transparent);
        QPainter drawing(&picture);
        QStyleOptionViewItem box = cell;
        box.rect = QRect(QPoint(), place.size());
        box.state = state;
        box.checkState = checked ? Qt::Checked : Qt::Unchecked;
        styleOf(cell)->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &box, &drawing,
                                     cell.widget);
        drawing.end();
        // Palettes and styles change seldom; a handful of pictures is all a grid needs.
        if (mCheckBoxes.size() > 64)
            mCheckBoxes.clear();
        found = mCheckBoxes.insert(key, picture);
    }
    painter->drawPixmap(place.topLeft(), *found);
}

void GridCellDelegate::paintText(QPainter *painter, const QStyleOptionViewItem &cell,
                                 const QString &text, bool unreadable) const
{
    const QRect area = cell.rect.adjusted(TextMargin, TextMargin, 0, 0);
    if (area.width() <= 0 || area.height() <= 0)
        return;
    const QFontMetrics metrics(cell.font);
    VisiblePart visible = visiblePart(text, area.size(), metrics);
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    QRect textArea = area;
    if (cell.displayAlignment & Qt::AlignRight) {
        // Right only while every line fits: a cut number would otherwise lose its first digits.
        const QRect right = area.adjusted(0, 0, -TextMargin, 0);
        bool fits = true;
        for (const QStringView line : QStringView(visible.text).split(u'\n'))
            fits = fits && metrics.horizontalAdvance(line.toString()) <= right.width();
        if (fits) {
            alignment = Qt::AlignRight | Qt::AlignTop;
            textArea = right;
        }
    }
    // Only what reaches into the cell is laid out: text layout is most of a grid's painting. A
    // text at the right fits its cell whole.
    const bool leftToRight =
        cell.direction == Qt::LeftToRight && painter->layoutDirection() == Qt::LeftToRight;
    if (leftToRight && (alignment & Qt::AlignLeft))
        visible.text = reachingLines(visible.text, area.width(), cell.font);
    const bool selected = cell.state & QStyle::State_Selected;
    painter->save();
    painter->setClipRect(cell.rect);
    painter->setFont(cell.font);
    const QColor ink =
        cell.palette.color(colorGroup(cell), selected ? QPalette::HighlightedText : QPalette::Text);
    painter->setPen(ink);
    // Tabs are spaced to their stops only by the text drawn in a rectangle, and a text at the
    // right is placed by its width.
    if (visible.text.contains(u'\t') || (alignment & Qt::AlignRight))
        painter->drawText(textArea, alignment, visible.text);
    else
        painter->drawStaticText(textArea.topLeft(), laidOut(visible.text, cell.font));
    painter->setRenderHint(QPainter::Antialiasing, false);
    if (visible.more) {
        // A small triangle in the bottom right corner, pointing at the lines below.
        const QPoint corner = cell.rect.bottomRight();
        const QPoint mark[] = {corner, corner - QPoint(MoreMarkSize - 1, 0),
                               corner - QPoint(0, MoreMarkSize - 1)};
        painter->setBrush(ink);
        painter->drawPolygon(mark, 3);
    }
    if (unreadable) {
        // A red triangle in the top left corner, as spreadsheets mark a cell with a remark.
        const QPoint corner = cell.rect.topLeft();
        const QPoint mark[] = {corner, corner + QPoint(UnreadableMarkSize - 1, 0),
                               corner + QPoint(0, UnreadableMarkSize - 1)};
        const QColor red(220, 40, 40);
        painter->setPen(red);
        painter->setBrush(red);
        painter->drawPolygon(mark, 3);
    }
    painter->restore();
}

bool GridCellDelegate::editorEvent(QEvent *event, QAbstractItemModel *model,
                                   const QStyleOptionViewItem &option, const QModelIndex &index)
{
    if (!model || !(index.flags() & Qt::ItemIsEditable)
        || index.data(GridModel::FieldTypeRole).toInt() != BooleanType)
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    const QString text = index.data(Qt::EditRole).toString();
    const std::optional<bool> checked = checkState(index, text);
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool plainSpace = key->key() == Qt::Key_Space
                                && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        // An empty Boolean is checked by Space; any other text is typed over as before.
        if (!plainSpace || (!checked && !text.isEmpty()))
            return false;
        model->setData(index, checked.value_or(false) ? u"0"_s : u"1"_s, Qt::EditRole);
        return true;
    }
    const bool release = event->type() == QEvent::MouseButtonRelease;
    if ((release || event->type() == QEvent::MouseButtonDblClick) && checked) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton
            || !checkBoxRect(option).contains(mouse->position().toPoint()))
            return false;
        if (release)
            model->setData(index, *checked ? u"0"_s : u"1"_s, Qt::EditRole);
        return true;
    }
    return false;
}

} // namespace kribed
