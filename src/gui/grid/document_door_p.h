// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

// Private to gui/grid: the document's own methods, the recorders (recorded_edits.cpp) and the
// undo steps include this header; nothing outside the folder may (scripts/check-layers), so
// every change from outside goes through a recorder, which keeps a step, or a named method of
// DatabaseDocument. Tests of the folder use it to set up a database.

#include "gui/grid/database_document.h"
#include "gui/grid/grid_places.h"

#include <QAbstractItemModel>

#include <utility>

namespace kribed {

// The raw changes of the open database: each hands its change the database itself and wraps it
// in exactly the model signals for what changed. None keeps a step: a change of cells or shape
// outside a recording ends the history (EditHistory::noteChange). After each the database's own
// modified flag shows the history's mark again, whatever the core operation set.
class DocumentDoor
{
public:
    explicit DocumentDoor(DatabaseDocument &document)
        : d(document)
    {
    }

    // Anything, as a load, New, Import and Close do: the model is reset around the change, and a
    // new history starts, unchanged or counted as changed (`changed`).
    template<class F> decltype(auto) resetWith(F &&change, bool changed = false);
    // The cells of fields first..last of records first..last change (text only, no shape).
    template<class F>
    decltype(auto) changeCells(int firstField, int firstRecord, int lastField, int lastRecord,
                               F &&change);
    // `change` inserts exactly `count` records before record `first` (first = count + 1 appends).
    template<class F> decltype(auto) insertRecords(int first, int count, F &&change);
    // `change` removes records first..first + count - 1.
    template<class F> decltype(auto) removeRecords(int first, int count, F &&change);
    template<class F> decltype(auto) insertFields(int first, int count, F &&change);
    template<class F> decltype(auto) removeFields(int first, int count, F &&change);
    // `change` puts the records in a new order and returns, for each new place (0-based), the
    // record's old place (0-based): selections and the current cell move with their records.
    template<class F> void reorderRecords(F &&change);
    // `change` changes what no cell shows: database values, field names, widths, definitions,
    // which rows are hidden. The grid hears of names, widths and hidden rows afterwards.
    template<class F> decltype(auto) changeSettings(F &&change);
    // `change` changes what the grid does not show: field types and popup lists moving with
    // their fields, the app-info image.
    template<class F> decltype(auto) changeUnseen(F &&change);
    // A row or column operation of the core (`operation(database, announce)`), which announces
    // its change through `announce`, which the recorders make.
    template<class F>
    decltype(auto) runShapeOperation(const ShapeAnnouncer &announce, F &&operation);
    // Whole-row and whole-column drags.
    void moveRecord(int from, int to) { d.moveRecord(from, to); }
    void moveField(int from, int to) { d.moveField(from, to); }

private:
    // Declared after the model's guards, so it runs before their signals.
    struct MarkShown
    {
        ~MarkShown() { document.showMark(); }
        DatabaseDocument &document;
    };

    DatabaseDocument &d;
};

template<class F> decltype(auto) DocumentDoor::resetWith(F &&change, bool changed)
{
    struct Guard
    {
        DatabaseDocument &document;
        ~Guard()
        {
            document.showMark();
            document.mModel.endResetModel();
            Q_EMIT document.columnWidthsChanged();
            Q_EMIT document.rowVisibilityChanged();
            Q_EMIT document.replaced();
        }
    };
    d.mHistory.restart(changed);
    d.mRecovered.reset();
    d.mModel.beginResetModel();
    const Guard guard{d};
    return std::forward<F>(change)(d.mDatabase);
}

template<class F>
decltype(auto) DocumentDoor::changeCells(int firstField, int firstRecord, int lastField,
                                         int lastRecord, F &&change)
{
    d.mHistory.noteChange();
    struct Guard
    {
        GridModel &model;
        QModelIndex from, to;
        ~Guard() { Q_EMIT model.dataChanged(from, to, {Qt::DisplayRole, Qt::EditRole}); }
    } guard{d.mModel, d.mModel.index(rowOfRecord(firstRecord), columnOfField(firstField)),
            d.mModel.index(rowOfRecord(lastRecord), columnOfField(lastField))};
    const MarkShown mark{d};
    return std::forward<F>(change)(d.mDatabase);
}

template<class F> decltype(auto) DocumentDoor::insertRecords(int first, int count, F &&change)
{
    d.mHistory.noteChange();
    struct Guard
    {
        DatabaseDocument &document;
        ~Guard()
        {
            document.mModel.endInsertRows();
            Q_EMIT document.rowVisibilityChanged();
        }
    };
    d.mModel.beginInsertRows({}, rowOfRecord(first), rowOfRecord(first + count - 1));
    const Guard guard{d};
    const MarkShown mark{d};
    return std::forward<F>(change)(d.mDatabase);
}

template<class F> decltype(auto) DocumentDoor::removeRecords(int first, int count, F &&change)
{
    d.mHistory.noteChange();
    struct Guard
    {
        GridModel &model;
        ~Guard() { model.endRemoveRows(); }
    };
    d.mModel.beginRemoveRows({}, rowOfRecord(first), rowOfRecord(first + count - 1));
    const Guard guard{d.mModel};
    const MarkShown mark{d};
    return std::forward<F>(change)(d.mDatabase);
}

template<class F> decltype(auto) DocumentDoor::insertFields(int first, int count, F &&change)
{
    d.mHistory.noteChange();
    struct Guard
    {
        DatabaseDocument &document;
        int first, count;
        ~Guard()
        {
            document.mModel.endInsertColumns();
            Q_EMIT document.columnWidthsChanged();
            document.followFields([this](ColumnFilters &f) { f.shiftFields(first, count); });
        }
    };
    d.mModel.beginInsertColumns({}, columnOfField(first), columnOfField(first + count - 1));
    const Guard guard{d, first, count};
    const MarkShown mark{d};
    return std::forward<F>(change)(d.mDatabase);
}

template<class F> decltype(auto) DocumentDoor::removeFields(int first, int count, F &&change)
{
    d.mHistory.noteChange();
    struct Guard
    {
        DatabaseDocument &document;
        int first, count;
        ~Guard()
        {
            document.mModel.endRemoveColumns();
            Q_EMIT document.columnWidthsChanged();
            document.followFields([this](ColumnFilters &f) { f.shiftFields(first, -count); });
        }
    };
    d.mModel.beginRemoveColumns({}, columnOfField(first), columnOfField(first + count - 1));
    const Guard guard{d, first, count};
    const MarkShown mark{d};
    return std::forward<F>(change)(d.mDatabase);
}

template<class F> decltype(auto) DocumentDoor::changeSettings(F &&change)
{
    struct Guard
    {
        DatabaseDocument &document;
        QVector<int> types;
        ~Guard()
        {
            document.notifyFieldNamesChanged();
            Q_EMIT document.columnWidthsChanged();
            Q_EMIT document.rowVisibilityChanged();
            document.dropFiltersOfRetypedFields(types);
        }
    };
    const Guard guard{d, d.fieldTypes()};
    const MarkShown mark{d};
    return std::forward<F>(change)(d.mDatabase);
}

template<class F> decltype(auto) DocumentDoor::changeUnseen(F &&change)
{
    const MarkShown mark{d};
    return std::forward<F>(change)(d.mDatabase);
}

template<class F>
decltype(auto) DocumentDoor::runShapeOperation(const ShapeAnnouncer &announce, F &&operation)
{
    const MarkShown mark{d};
    return std::forward<F>(operation)(d.mDatabase, announce);
}

template<class F> void DocumentDoor::reorderRecords(F &&change)
{
    d.mHistory.noteChange();
    Q_EMIT d.mModel.layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    QVector<int> oldOfNew;
    {
        const MarkShown mark{d};
        oldOfNew = std::forward<F>(change)(d.mDatabase);
    }
    d.remapPersistentRows(oldOfNew);
    Q_EMIT d.mModel.layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    Q_EMIT d.rowVisibilityChanged();
}

} // namespace kribed
