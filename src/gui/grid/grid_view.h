// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QList>
#include <QTableView>

namespace kribed {

// The grid's table view. A changed column width repaints the cells from that column on once:
// the plain table view instead polls on every turn of the event loop for as long as the mouse
// button stays down on a header border, which keeps a core busy while the user holds still.
//
// The keys of spreadsheets beside the table view's own: Ctrl+Up and Ctrl+Down go to the first and
// last shown record, Shift with Ctrl and a moving key (Home, End, the arrows) extends the
// selection as Shift alone does, Shift+Space selects the current record and Ctrl+Space the
// current field.
class GridView : public QTableView
{
    Q_OBJECT

public:
    explicit GridView(QWidget *parent = nullptr);

    // Takes the header as setHorizontalHeader does, with the repaint above.
    void setColumnHeader(QHeaderView *header);
    void setModel(QAbstractItemModel *model) override;

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event) const override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    // The window losing or regaining the keyboard (a dialog opens or closes) repaints only what
    // looks different then: everything where the palette differs between an active and an
    // inactive window, else only the current cell's focus frame and the view's own frame.
    bool viewportEvent(QEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    void columnWidthChanged(int column);
    // Records or fields inserted or removed, or column widths changed: the cells and scroll bars
    // are laid out again before the window next paints, so that the change shows in one frame.
    // The table view waits for a timer, which runs only after the headers have painted once
    // without the cells; a changed width follows in the same way (many widths once).
    enum class Layout { Cells, ScrollBars };
    void layOutBeforeNextPaint(Layout wanted);

    bool mLayoutPosted = false;
    bool mCellsWanted = false;
    bool mGeometriesWanted = false;
    QList<QMetaObject::Connection> mModelConnections;

    // While a border is dragged the scroll bars wait for the release, so that the cells under
    // the pointer do not shift as the grid's width changes.
    bool mHeaderPressed = false;
    bool mGeometryWaits = false;
};

} // namespace kribed
