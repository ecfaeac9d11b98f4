// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/grid/grid_header.h"

#include <QEvent>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>
#include <QStyle>
#include <QStyleOptionButton>
#include <QToolTip>

#include <algorithm>
#include <cmath>

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
    // Only the two sections whose look changes are repainted, not the whole header.
    const int old = mHighlighted;
    mHighlighted = section;
    for (const int changed : {old, section}) {
        if (changed >= 0 && changed < count())
            updateSection(changed);
    }
}

namespace {

// The relative luminance and contrast ratio of the web's accessibility rules.
double luminance(const QColor &color)
{
    const auto channel = [](double value) {
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(color.redF()) + 0.7152 * channel(color.greenF())
           + 0.0722 * channel(color.blueF());
}

double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace

QColor GridHeader::highlightTextColor(const QPalette &palette)
{
    const QColor highlight = highlightColor();
    const QColor own = palette.color(QPalette::HighlightedText);
    if (contrast(own, highlight) >= 3.0)
        return own;
    return contrast(Qt::black, highlight) >= contrast(Qt::white, highlight) ? QColor(Qt::black)
                                                                            : QColor(Qt::white);
}

void GridHeader::fitRecordNumbers()
{
    mFitsRecordNumbers = true;
    refitRecordNumbers();
}

void GridHeader::refitRecordNumbers()
{
    if (!mFitsRecordNumbers)
        return;
    const int records = model() ? model()->rowCount() : 0;
    const int digits = std::max(4, int(QString::number(records).size()));
    setFixedWidth(fontMetrics().horizontalAdvance(QString(digits, u'0')) + 6);
}

void GridHeader::setModel(QAbstractItemModel *newModel)
{
    if (newModel == model())
        return;
    QAbstractItemModel *old = model();
    QHeaderView::setModel(newModel);
    if (old) {
        disconnect(old, &QAbstractItemModel::rowsInserted, this, &GridHeader::refitRecordNumbers);
        disconnect(old, &QAbstractItemModel::rowsRemoved, this, &GridHeader::refitRecordNumbers);
        disconnect(old, &QAbstractItemModel::modelReset, this, &GridHeader::refitRecordNumbers);
    }
    if (newModel) {
        for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
            connect(newModel, signal, this, &GridHeader::refitRecordNumbers);
        connect(newModel, &QAbstractItemModel::modelReset, this, &GridHeader::refitRecordNumbers);
    }
    refitRecordNumbers();
}

void GridHeader::changeEvent(QEvent *event)
{
    QHeaderView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        refitRecordNumbers();
}

void GridHeader::setFilterButtons(bool on)
{
    if (on == mFilterButtons)
        return;
    mFilterButtons = on;
    viewport()->update();
}

void GridHeader::setFilterMarks(const QHash<int, QString> &marks)
{
    if (marks == mFilterMarks)
        return;
    mFilterMarks = marks;
    viewport()->update();
}

QRect GridHeader::filterButtonRect(int logicalIndex) const
{
    if (!mFilterButtons || orientation() != Qt::Horizontal || logicalIndex < 0)
        return {};
    const int left = sectionViewportPosition(logicalIndex);
    const int width = sectionSize(logicalIndex);
    const int side = std::min(height() - 4, 16);
    if (width < side + 4 || isSectionHidden(logicalIndex))
        return {};
    return QRect(left + width - side - 2, (height() - side) / 2, side, side);
}

void GridHeader::mousePressEvent(QMouseEvent *event)
{
    const int section = logicalIndexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && section >= 0
        && filterButtonRect(section).contains(event->position().toPoint())) {
        Q_EMIT filterButtonClicked(section);
        event->accept();
        return;
    }
    QHeaderView::mousePressEvent(event);
}

bool GridHeader::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::ToolTip && !mFilterMarks.isEmpty()) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const int section = logicalIndexAt(help->pos());
        if (mFilterMarks.contains(section)) {
            const QString hint =
                model() ? model()->headerData(section, orientation(), Qt::ToolTipRole).toString()
                        : QString();
            const QString mark = tr("Filter: %1").arg(mFilterMarks.value(section));
            QToolTip::showText(help->globalPos(),
                               hint.isEmpty() ? mark : hint + QLatin1Char('\n') + mark, this);
            return true;
        }
    }
    const bool activation =
        event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate;
    if (activation && palette().isEqual(QPalette::Active, QPalette::Inactive))
        return QAbstractScrollArea::viewportEvent(event);
    return QHeaderView::viewportEvent(event);
}

void GridHeader::paintFilterButton(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    const QRect button = filterButtonRect(logicalIndex)
                             .translated(rect.left() - sectionViewportPosition(logicalIndex), 0);
    if (!button.isValid())
        return;
    // An active filter shows as a button pressed in with a funnel; an idle one as an arrow.
    const bool active = mFilterMarks.contains(logicalIndex);
    QStyleOptionButton option;
    option.initFrom(this);
    option.rect = button;
    option.state |= active ? QStyle::State_Sunken : QStyle::State_Raised;
    painter->setClipRect(rect);
    style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &option, painter, this);
    const QPointF c = QRectF(button).center();
    const qreal r = button.width() / 4.0;
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(active ? highlightColor() : palette().color(QPalette::ButtonText));
    if (active) {
        const QPolygonF funnel{
            {c.x() - r * 1.4, c.y() - r},       {c.x() + r * 1.4, c.y() - r},
            {c.x() + r * 0.3, c.y() + r * 0.2}, {c.x() + r * 0.3, c.y() + r * 1.3},
            {c.x() - r * 0.3, c.y() + r * 1.3}, {c.x() - r * 0.3, c.y() + r * 0.2}};
        painter->drawPolygon(funnel);
    } else {
        painter->drawPolygon(QPolygonF{
            {c.x() - r, c.y() - r / 2}, {c.x() + r, c.y() - r / 2}, {c.x(), c.y() + r / 2}});
    }
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
    // The text follows the palette, so field names and record numbers stay readable on a dark one.
    painter->setPen(current ? highlightTextColor(palette())
                            : palette().color(QPalette::ButtonText));
    painter->setFont(font());
    const QString text =
        model() ? model()->headerData(logicalIndex, orientation()).toString() : QString();
    painter->setClipRect(inner);
    QRect textRect = rect.adjusted(2, 2, 0, 0);
    QString shown = text;
    // With a filter button at its end, a narrow field's name ends short of the button with an
    // ellipsis instead of running under it.
    const QRect button = filterButtonRect(logicalIndex);
    if (button.isValid()) {
        textRect.setRight(rect.left() + (button.left() - sectionViewportPosition(logicalIndex))
                          - 2);
        shown = painter->fontMetrics().elidedText(text, Qt::ElideRight, textRect.width());
    }
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, shown);
    paintFilterButton(painter, rect, logicalIndex);
    painter->restore();
}

} // namespace kribed
