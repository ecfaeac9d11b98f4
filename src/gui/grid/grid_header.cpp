// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/grid/grid_header.h"

#include <QEvent>
#include <QPainter>

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

bool GridHeader::viewportEvent(QEvent *event)
{
    const bool activation =
        event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate;
    if (activation && palette().isEqual(QPalette::Active, QPalette::Inactive))
        return QAbstractScrollArea::viewportEvent(event);
    return QHeaderView::viewportEvent(event);
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
    painter->drawText(rect.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                      text);
    painter->restore();
}

} // namespace kribed
