// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/grid/grid_view.h"

#include <QEvent>
#include <QFocusEvent>
#include <QHeaderView>

namespace kribed {

GridView::GridView(QWidget *parent)
    : QTableView(parent)
{
    mGeometryUpdate.setSingleShot(true);
    mGeometryUpdate.setInterval(0);
    connect(&mGeometryUpdate, &QTimer::timeout, this, [this] { updateGeometries(); });
}

void GridView::setColumnHeader(QHeaderView *header)
{
    setHorizontalHeader(header);
    // The view's own handling is connected by name or by pointer depending on the Qt release.
    disconnect(header, SIGNAL(sectionResized(int, int, int)), this,
               SLOT(columnResized(int, int, int)));
    disconnect(header, &QHeaderView::sectionResized, this, &GridView::columnResized);
    connect(header, &QHeaderView::sectionResized, this,
            [this](int column, int, int) { columnWidthChanged(column); });
    header->viewport()->installEventFilter(this);
}

bool GridView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == horizontalHeader()->viewport()) {
        if (event->type() == QEvent::MouseButtonPress
            || event->type() == QEvent::MouseButtonDblClick) {
            mHeaderPressed = true;
        } else if (event->type() == QEvent::MouseButtonRelease) {
            mHeaderPressed = false;
            if (mGeometryWaits) {
                mGeometryWaits = false;
                mGeometryUpdate.start();
            }
        }
    }
    return QTableView::eventFilter(watched, event);
}

bool GridView::viewportEvent(QEvent *event)
{
    const bool activation =
        event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate;
    // The table view repaints every cell here, which a large grid makes a visible wait.
    if (activation && palette().isEqual(QPalette::Active, QPalette::Inactive))
        return QAbstractScrollArea::viewportEvent(event);
    return QTableView::viewportEvent(event);
}

void GridView::focusOutEvent(QFocusEvent *event)
{
    if (event->reason() != Qt::ActiveWindowFocusReason
        || !palette().isEqual(QPalette::Active, QPalette::Inactive)) {
        QTableView::focusOutEvent(event);
        return;
    }
    update(currentIndex());
    const int frame = frameWidth();
    update(QRegion(rect()) - QRegion(rect().adjusted(frame, frame, -frame, -frame)));
}

void GridView::focusInEvent(QFocusEvent *event)
{
    const QModelIndex current = currentIndex();
    if (event->reason() != Qt::ActiveWindowFocusReason || !current.isValid()
        || !palette().isEqual(QPalette::Active, QPalette::Inactive)) {
        QTableView::focusInEvent(event);
        return;
    }
    // What the item view does besides repainting every cell.
    setAttribute(Qt::WA_InputMethodEnabled, current.flags().testFlag(Qt::ItemIsEditable));
    update(current);
    const int frame = frameWidth();
    update(QRegion(rect()) - QRegion(rect().adjusted(frame, frame, -frame, -frame)));
}

void GridView::columnWidthChanged(int column)
{
    // Every cell from the column's left edge on moves or changes.
    const QRect all = viewport()->rect();
    const int left = columnViewportPosition(column);
    if (isRightToLeft())
        viewport()->update(QRect(all.left(), all.top(), left + columnWidth(column), all.height()));
    else
        viewport()->update(QRect(left, all.top(), all.right() - left + 1, all.height()));
    updateEditorGeometries();
    if (mHeaderPressed)
        mGeometryWaits = true;
    else
        mGeometryUpdate.start();
}

} // namespace kribed
