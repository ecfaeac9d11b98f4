// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/editing/column_filter.h"
#include "gui/commands/command_group.h"

#include <QObject>
#include <QString>
#include <QVector>

class QAction;
class QLabel;

namespace kribed {

class ColumnFilterPopup;
class FrozenColumns;
class GridHeader;
class Workspace;

// Filters on single fields on top of the record filter: Tools > Column filters puts a drop-down
// button in each field's header (Alt+Down opens the current field's), whose popup sets the
// field's value list and conditions; Tools > Clear all filters. Each change is one undo step of
// the view state; the filters are remembered per file and come back when it opens again. The
// status bar tells how many records are shown while anything hides some.
class ColumnFilterCommands
    : public QObject
    , public CommandGroup
{
    Q_OBJECT

public:
    ColumnFilterCommands(Workspace &workspace, QObject *parent = nullptr);

    CommandPlacements placements() const override;
    CommandPanels panels() const override;
    void setDatabaseOpen(bool open) override;

    // Opens the popup of the field (1-based) below its header.
    void openFilterPopup(int field);
    ColumnFilterPopup *popup() const { return mPopup; }
    // The field's filter as given, one undo step; an inactive one removes it.
    void changeFieldFilter(const FieldFilter &filter);
    void clearAllFilters();
    // "N of M records shown", or empty while every record shows.
    QString shownText() const;

    // Keeps the fields left of the current cell in place while the grid scrolls right, or lets
    // them scroll again when some are kept (remembered per file).
    void freezeColumns();
    FrozenColumns &frozenColumns() const { return *mFrozen; }

    QAction *const actionColumnFilters;
    QAction *const actionClearFilters;
    QAction *const actionFreezeColumns;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void switchFilters(bool on);
    void follow();
    void databaseLoaded();
    void keepInMemory();
    void freeze(int fields);
    GridHeader *header() const;
    QVector<char> recordFilterShows() const;

    Workspace &mWorkspace;
    ColumnFilterPopup *mPopup;
    QLabel *mShown;
    FrozenColumns *mFrozen;
    // The file whose memory the filters are kept in: set once its filters are restored, so a
    // load does not overwrite the memory with the empty filters of the moment before.
    QString mMemoryPath;
    QString mKept;
};

} // namespace kribed
