// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/commands/frozen_columns.h"

#include "gui/grid/grid_header.h"

#include <QEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QScrollBar>
#include <QTableView>

namespace kribed {

FrozenColumns::FrozenColumns(QTableView &grid, QObject *parent)
    : QObject(parent)
    , mGrid(grid)
    , mOverlay(new QTableView(&grid))
    , mHeader(new GridHeader(Qt::Horizontal, mOverlay))
{
    mOverlay->setObjectName(QStringLiteral("frozenColumns"));
    mOverlay->setHorizontalHeader(mHeader);
    mOverlay->setFocusPolicy(Qt::NoFocus);
    mOverlay->verticalHeader()->hide();
    mOverlay->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mOverlay->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mOverlay->setVerticalScrollMode(grid.verticalScrollMode());
    mOverlay->setFrameShape(QFrame::NoFrame);
    mOverlay->hide();
    grid.viewport()->stackUnder(mOverlay);
    grid.installEventFilter(this);

    // Scrolling either view scrolls the other; the frozen fields never scroll sideways.
    connect(mOverlay->verticalScrollBar(), &QAbstractSlider::valueChanged, grid.verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(grid.verticalScrollBar(), &QAbstractSlider::valueChanged, mOverlay->verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(grid.horizontalHeader(), &QHeaderView::sectionResized, this,
            &FrozenColumns::followColumns);
    connect(grid.verticalHeader(), &QHeaderView::sectionResized, this,
            [this](int row, int, int size) {
                if (mCount > 0)
                    mOverlay->setRowHeight(row, size);
            });
}

void FrozenColumns::freeze(int count)
{
    mCount = std::max(0, count);
    if (mCount == 0) {
        mOverlay->hide();
        return;
    }
    if (mOverlay->model() != mGrid.model()) {
        mOverlay->setModel(mGrid.model());
        mOverlay->setItemDelegate(mGrid.itemDelegate());
        connect(mGrid.model(), &QAbstractItemModel::columnsInserted, this,
                &FrozenColumns::followColumns);
        connect(mGrid.model(), &QAbstractItemModel::columnsRemoved, this,
                &FrozenColumns::followColumns);
        connect(mGrid.model(), &QAbstractItemModel::modelReset, this, &FrozenColumns::followRows);
    }
    if (mOverlay->selectionModel() != mGrid.selectionModel()) {
        mOverlay->setSelectionModel(mGrid.selectionModel());
        connect(mGrid.selectionModel(), &QItemSelectionModel::currentChanged, this,
                &FrozenColumns::uncoverCurrent);
    }
    mOverlay->setFont(mGrid.font());
    mOverlay->setPalette(mGrid.palette());
    mOverlay->verticalHeader()->setDefaultSectionSize(mGrid.verticalHeader()->defaultSectionSize());
    followRows();
    followColumns();
    mOverlay->show();
    mOverlay->raise();
}

void FrozenColumns::followRows()
{
    if (mCount == 0 || !mGrid.model())
        return;
    // Rows the filters hide are hidden in both views, so the rows stay side by side.
    for (int row = 0; row < mGrid.model()->rowCount(); ++row) {
        if (mOverlay->isRowHidden(row) != mGrid.isRowHidden(row))
            mOverlay->setRowHidden(row, mGrid.isRowHidden(row));
    }
    mOverlay->verticalScrollBar()->setValue(mGrid.verticalScrollBar()->value());
}

void FrozenColumns::followColumns()
{
    if (mCount == 0 || !mGrid.model())
        return;
    for (int column = 0; column < mGrid.model()->columnCount(); ++column) {
        mOverlay->setColumnHidden(column, column >= mCount);
        if (column < mCount)
            mOverlay->setColumnWidth(column, mGrid.columnWidth(column));
    }
    mHeader->setFixedHeight(mGrid.horizontalHeader()->height());
    placeOverlay();
}

int FrozenColumns::frozenWidth() const
{
    int width = 0;
    for (int column = 0; column < mCount && column < mGrid.model()->columnCount(); ++column)
        width += mGrid.columnWidth(column);
    return width;
}

void FrozenColumns::uncoverCurrent(const QModelIndex &current)
{
    // The grid scrolled the cell into its viewport, which the overlay partly covers: it goes on
    // scrolling left until the cell starts right of the frozen fields.
    if (mCount == 0 || !current.isValid() || current.column() < mCount)
        return;
    const int edge = frozenWidth();
    QScrollBar *bar = mGrid.horizontalScrollBar();
    const bool perPixel = mGrid.horizontalScrollMode() == QAbstractItemView::ScrollPerPixel;
    while (mGrid.columnViewportPosition(current.column()) < edge && bar->value() > bar->minimum()) {
        const int before = bar->value();
        const int covered = edge - mGrid.columnViewportPosition(current.column());
        bar->setValue(perPixel ? before - covered : before - 1);
        if (bar->value() == before)
            break;
    }
}

void FrozenColumns::placeOverlay()
{
    const int width = frozenWidth();
    const int frame = mGrid.frameWidth();
    mOverlay->setGeometry(mGrid.verticalHeader()->width() + frame, frame, width,
                          mGrid.viewport()->height() + mGrid.horizontalHeader()->height());
}

bool FrozenColumns::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &mGrid && mCount > 0
        && (event->type() == QEvent::Resize || event->type() == QEvent::LayoutRequest))
        placeOverlay();
    return QObject::eventFilter(watched, event);
}

} // namespace kribed
