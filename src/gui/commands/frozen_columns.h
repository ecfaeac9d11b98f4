// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QObject>

class QModelIndex;
class QTableView;

namespace kribed {

class GridHeader;

// The first fields of the grid kept in place while it scrolls right: a second view over the same
// model and selection lies on the grid's left edge and shows only those fields, with the rows,
// heights and vertical scrolling of the grid. The record numbers stay anyway (the row header).
class FrozenColumns : public QObject
{
    Q_OBJECT

public:
    explicit FrozenColumns(QTableView &grid, QObject *parent = nullptr);

    // Keeps fields 1..count in place; 0 lets every field scroll again.
    void freeze(int count);
    int count() const { return mCount; }
    QTableView *overlay() const { return mOverlay; }
    GridHeader *overlayHeader() const { return mHeader; }
    // Rows hidden or shown in the grid since: the same in the overlay.
    void followRows();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void placeOverlay();
    int frozenWidth() const;
    // The current cell moved: scrolls it out from under the overlay.
    void uncoverCurrent(const QModelIndex &current);
    void followColumns();

    QTableView &mGrid;
    QTableView *mOverlay;
    GridHeader *mHeader;
    int mCount = 0;
};

} // namespace kribed
