// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/grid/grid_view.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>

#include <utility>

namespace kribed {

GridView::GridView(QWidget *parent)
    : QTableView(parent)
{
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

void GridView::setModel(QAbstractItemModel *model)
{
    for (const QMetaObject::Connection &connection : std::as_const(mModelConnections))
        disconnect(connection);
    mModelConnections.clear();
    QTableView::setModel(model);
    if (!model)
        return;
    // Connected after the view's and the headers' own handling, which asks for the layout.
    for (const auto signal :
         {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved,
          &QAbstractItemModel::columnsInserted, &QAbstractItemModel::columnsRemoved})
        mModelConnections.append(
            connect(model, signal, this, [this] { layOutBeforeNextPaint(Layout::Cells); }));
}

void GridView::layOutBeforeNextPaint(Layout wanted)
{
    if (wanted == Layout::Cells)
        mCellsWanted = true;
    else
        mGeometriesWanted = true;
    if (mLayoutPosted)
        return;
    mLayoutPosted = true;
    // A posted call of normal priority comes before the window's repaint, which is posted at a
    // low one; many changes in a row are laid out once.
    QMetaObject::invokeMethod(
        this,
        [this] {
            mLayoutPosted = false;
            const bool geometries = std::exchange(mGeometriesWanted, false);
            if (std::exchange(mCellsWanted, false))
                executeDelayedItemsLayout();
            if (geometries)
                updateGeometries();
            // The scroll area shows or hides its scroll bars in a call of its own posted now,
            // which would come after the repaint and paint them a second time.
            QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
        },
        Qt::QueuedConnection);
}

QModelIndex GridView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex current = currentIndex();
    const bool toEnd = action == MoveUp || action == MoveDown;
    if (!(modifiers & Qt::ControlModifier) || !toEnd || !current.isValid() || !model())
        return QTableView::moveCursor(action, modifiers);
    // The first or last record the filter shows, in the current field.
    const int rows = model()->rowCount();
    const int step = action == MoveUp ? 1 : -1;
    for (int row = action == MoveUp ? 0 : rows - 1; row >= 0 && row < rows; row += step) {
        const QModelIndex target = model()->index(row, current.column());
        if (!isRowHidden(row) && (target.flags() & Qt::ItemIsEnabled))
            return target;
    }
    return current;
}

QItemSelectionModel::SelectionFlags GridView::selectionCommand(const QModelIndex &index,
                                                               const QEvent *event) const
{
    // The table view leaves the selection alone while Ctrl is held with a moving key; with Shift
    // as well it extends the selection from its anchor, as spreadsheets do.
    if (event && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<const QKeyEvent *>(event);
        const Qt::KeyboardModifiers both = Qt::ControlModifier | Qt::ShiftModifier;
        const bool moving = key->key() == Qt::Key_Home || key->key() == Qt::Key_End
                            || key->key() == Qt::Key_Up || key->key() == Qt::Key_Down
                            || key->key() == Qt::Key_Left || key->key() == Qt::Key_Right;
        if (moving && (key->modifiers() & both) == both)
            return QItemSelectionModel::SelectCurrent;
    }
    return QTableView::selectionCommand(index, event);
}

void GridView::keyPressEvent(QKeyEvent *event)
{
    const QModelIndex current = currentIndex();
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_Space && current.isValid()
        && (modifiers == Qt::ShiftModifier || modifiers == Qt::ControlModifier)) {
        // The current cell stays where it is, so that the next arrow goes on from there.
        const bool record = modifiers == Qt::ShiftModifier;
        const QModelIndex first =
            model()->index(record ? current.row() : 0, record ? 0 : current.column());
        const QModelIndex last =
            model()->index(record ? current.row() : model()->rowCount() - 1,
                           record ? model()->columnCount() - 1 : current.column());
        selectionModel()->select(QItemSelection(first, last), QItemSelectionModel::ClearAndSelect);
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
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
                layOutBeforeNextPaint(Layout::ScrollBars);
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
        layOutBeforeNextPaint(Layout::ScrollBars);
}

} // namespace kribed
