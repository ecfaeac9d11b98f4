// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/model/database.h"
#include "core/model/pdb_reader.h"
#include "core/model/pdb_writer.h"
#include "core/model/regional.h"
#include "gui/grid/edit_history.h"
#include "gui/grid/grid_model.h"

#include <QDateTime>
#include <QObject>

#include <functional>
#include <type_traits>
#include <utility>

namespace kribed {

class Prompter;

// Owns the one open database and the grid's model over it. Every change of the database enters
// here: each method calls the core operation and emits exactly the model signals for what changed,
// so the grid and any later undo stack see one door.
//
// Reading is free through database(). Changing goes through setCell and friends, or through the
// generic helpers below, which wrap a change of the database in the matching model signals.
// The helpers leave the modified flag to the change itself (a refused operation changes nothing,
// not even the flag); setCell, setFieldName and the moves set it.
class DatabaseDocument : public QObject
{
    Q_OBJECT

public:
    explicit DatabaseDocument(const Regional &regional, QObject *parent = nullptr);

    Database &database() { return mDatabase; }
    const Database &database() const { return mDatabase; }
    GridModel &model() { return mModel; }
    // The undo history of the open database. A change of cells or shape that does not come
    // through it (recorded_edits.h) ends it, and so do loading, New, Import and Close.
    EditHistory &history() { return mHistory; }

    // The regional rules of the open database: date and time texts, the decimal separator, text
    // order, and the code page its cells are read and typed in. Every core operation on the
    // database that needs them takes them from here.
    const Regional &regional() const { return mRegional; }
    void setRegional(const Regional &regional);
    // The cells are read in another code page (the display font's character set changed).
    void setCodePage(const QByteArray &codePage);

    // Reads the file into a copy of the database (so the tables that live for the whole run keep
    // their state). A file that cannot be opened changes nothing; otherwise `beforeReplace` runs
    // (the window leaves its database-open state), and a loaded file replaces the database with
    // the record filter off and the modified flag clear.
    LoadResult load(const QString &path, Prompter &prompter,
                    const std::function<void()> &beforeReplace = {});
    // saveDatabase on the open database; a saved database is unmodified.
    bool save(SaveMode mode, const QString &fileName, int currentColumn, Prompter &prompter);
    // Drops the open database: no records, no fields, no name or path, unmodified.
    void close();

    void setCell(int field, int record, const QByteArray &value);
    // A value typed into the grid: the record is stamped first and the text stored after, so a
    // text typed into a Modification Date or Time cell stays (storeEditedText). Returns whether
    // anything changed.
    bool storeTypedText(int field, int record, const QByteArray &value, const QDateTime &now);
    void setFieldName(int field, const QByteArray &name);
    void setModified();
    void clearModified();
    // A column's width in pixels as the user dragged it; sets the modified flag. While the same
    // drag of the same border goes on (`continuesDrag`), its widths are one undo step.
    void setColumnWidth(int field, int pixels, bool continuesDrag = false);
    // Whole-row and whole-column drags; both set the modified flag.
    void moveRecord(int from, int to);
    void moveField(int from, int to);

    // Anything: the model is reset around the change.
    template<class F> decltype(auto) resetWith(F &&change);
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

    // For changes of widths, hidden rows or field names made directly on database().
    void notifyColumnWidthsChanged() { Q_EMIT columnWidthsChanged(); }
    void notifyRowVisibilityChanged() { Q_EMIT rowVisibilityChanged(); }
    void notifyFieldNamesChanged();

Q_SIGNALS:
    // The view takes column widths and hidden rows from the database on these.
    void columnWidthsChanged();
    void rowVisibilityChanged();
    void replaced();
    // The regional rules or their code page changed: every shown text may read differently.
    void regionalChanged();

private:
    struct ResetGuard;
    struct ShapeGuard;
    // Takes a width of a drag that goes on into the drag's step; false when there is none.
    bool extendColumnDrag(int field, int pixels);
    void remapPersistentRows(const QVector<int> &oldOfNew);

    Database mDatabase;
    GridModel mModel;
    EditHistory mHistory;
    Regional mRegional;
};

// The model's begin/end pairs, closed even when the change returns early.
struct DatabaseDocument::ResetGuard
{
    explicit ResetGuard(DatabaseDocument &document)
        : mDocument(document)
    {
        mDocument.mModel.beginResetModel();
    }
    ~ResetGuard()
    {
        mDocument.mModel.endResetModel();
        Q_EMIT mDocument.columnWidthsChanged();
        Q_EMIT mDocument.rowVisibilityChanged();
        Q_EMIT mDocument.replaced();
    }
    DatabaseDocument &mDocument;
};

template<class F> decltype(auto) DatabaseDocument::resetWith(F &&change)
{
    mHistory.clear();
    ResetGuard guard(*this);
    return std::forward<F>(change)(mDatabase);
}

template<class F>
decltype(auto) DatabaseDocument::changeCells(int firstField, int firstRecord, int lastField,
                                             int lastRecord, F &&change)
{
    mHistory.noteChange();
    struct Guard
    {
        GridModel &model;
        QModelIndex from, to;
        ~Guard() { Q_EMIT model.dataChanged(from, to, {Qt::DisplayRole, Qt::EditRole}); }
    } guard{mModel, mModel.index(firstRecord - 1, firstField - 1),
            mModel.index(lastRecord - 1, lastField - 1)};
    return std::forward<F>(change)(mDatabase);
}

template<class F> decltype(auto) DatabaseDocument::insertRecords(int first, int count, F &&change)
{
    mHistory.noteChange();
    struct Guard
    {
        DatabaseDocument &document;
        ~Guard()
        {
            document.mModel.endInsertRows();
            Q_EMIT document.rowVisibilityChanged();
        }
    };
    mModel.beginInsertRows({}, first - 1, first + count - 2);
    Guard guard{*this};
    return std::forward<F>(change)(mDatabase);
}

template<class F> decltype(auto) DatabaseDocument::removeRecords(int first, int count, F &&change)
{
    mHistory.noteChange();
    struct Guard
    {
        GridModel &model;
        ~Guard() { model.endRemoveRows(); }
    };
    mModel.beginRemoveRows({}, first - 1, first + count - 2);
    Guard guard{mModel};
    return std::forward<F>(change)(mDatabase);
}

template<class F> decltype(auto) DatabaseDocument::insertFields(int first, int count, F &&change)
{
    mHistory.noteChange();
    struct Guard
    {
        DatabaseDocument &document;
        ~Guard()
        {
            document.mModel.endInsertColumns();
            Q_EMIT document.columnWidthsChanged();
        }
    };
    mModel.beginInsertColumns({}, first - 1, first + count - 2);
    Guard guard{*this};
    return std::forward<F>(change)(mDatabase);
}

template<class F> decltype(auto) DatabaseDocument::removeFields(int first, int count, F &&change)
{
    mHistory.noteChange();
    struct Guard
    {
        DatabaseDocument &document;
        ~Guard()
        {
            document.mModel.endRemoveColumns();
            Q_EMIT document.columnWidthsChanged();
        }
    };
    mModel.beginRemoveColumns({}, first - 1, first + count - 2);
    Guard guard{*this};
    return std::forward<F>(change)(mDatabase);
}

template<class F> void DatabaseDocument::reorderRecords(F &&change)
{
    mHistory.noteChange();
    Q_EMIT mModel.layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QVector<int> oldOfNew = std::forward<F>(change)(mDatabase);
    remapPersistentRows(oldOfNew);
    Q_EMIT mModel.layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    Q_EMIT rowVisibilityChanged();
}

} // namespace kribed
