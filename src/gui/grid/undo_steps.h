// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/editing/column_filter.h"
#include "core/model/database.h"
#include "core/model/limits.h"

#include <QByteArray>
#include <QList>
#include <QVector>

#include <array>
#include <functional>

// The undo steps of the history (edit_history.h), and the rule they all keep: record after.
//
// - A change is made first and recorded after. A recorder (recorded_edits.h) notes what it needs
//   of the state before (the records it may touch, the widths, the settings), runs the change
//   through the document inside an EditHistory::Recording, and only then builds the step from the
//   state before and the state after and pushes it. The push does not run the step: the stack's
//   first redo() of a step is skipped, because its change is already made.
// - A step keeps the before and after of exactly what it changed, nothing more: apply() turns the
//   state before into the state after, revert() the state after into the state before. Neither
//   checks the database: each holds only on the database as the steps around it left it. That is
//   why any change of cells or shape that does not come through a recorder ends the history
//   (EditHistory::noteChange), and why loading, New, Import and Close start a new one.
// - apply() and revert() go through the document's helpers like any change, so the model signals
//   are exact; the history runs them inside a Recording, so they do not end it.
// - A step may take in more of its own change while the user goes on (the widths of one border
//   drag, the row sums after an edit in place: mergeWith and WidthsStep::extend), only while it
//   is the newest step, nothing was undone after it, and it is not the saved state.
// - `place` is where the current cell goes after the step is applied or reverted; marksChanged()
//   says whether the step counts for the modified mark.

namespace kribed {

class DatabaseDocument;

// Where a change happened, as field and record numbers; 0 leaves the current cell's coordinate as
// it is.
struct CellPlace
{
    int field = 0;
    int record = 0;
};

// The ids by which the history's stack merges a step into the newest one (QUndoCommand::id()).
enum StepId {
    NoMerge = -1,
    CellsStepId = 1,
};

// One change of the open database as the history keeps it: what it takes to make the change again
// and to take it back, and nothing more. Texts are implicitly shared, so holding a cell costs a
// reference, not a copy. apply and revert go through the document's model-signal helpers, so the
// grid and its persistent indexes follow.
class UndoStep
{
public:
    virtual ~UndoStep() = default;
    virtual void apply(DatabaseDocument &document) = 0;
    virtual void revert(DatabaseDocument &document) = 0;
    // What the step holds in memory, its texts counted in full.
    virtual qsizetype bytes() const = 0;
    // Whether the change makes the database count as changed (a sort and automatic widths do not).
    virtual bool marksChanged() const { return true; }
    // A step whose id is not NoMerge may take in a later step of the same id (mergeWith true);
    // the stack asks only while the newest step is not the saved state.
    virtual int id() const { return NoMerge; }
    virtual bool mergeWith(const UndoStep & /*later*/) { return false; }
    CellPlace place;
};

// The field types and popup lists of all 50 positions, which column operations shift.
struct FieldDefinitions
{
    std::array<int, MaxFields> types{};
    std::array<QList<QByteArray>, MaxFields> popupLists;

    static FieldDefinitions of(const Database &database);
    void restore(Database &database) const;
    qsizetype bytes() const;
    bool operator==(const FieldDefinitions &other) const
    {
        return types == other.types && popupLists == other.popupLists;
    }
};

// Cells changed in place, kept as whole records before and after: a record is implicitly shared,
// so each changed record costs two references and its place table, whatever number of its cells
// changed (a whole-table Delete holds no copy of a text, empty or not).
class CellsStep : public UndoStep
{
public:
    struct Change
    {
        int record;
        int firstField; // the changed cells lie between these fields
        int lastField;
        Database::Record before;
        Database::Record after;
    };
    explicit CellsStep(QVector<Change> changes);
    void apply(DatabaseDocument &document) override { write(document, true); }
    void revert(DatabaseDocument &document) override { write(document, false); }
    qsizetype bytes() const override;
    const QVector<Change> &changes() const { return mChanges; }
    // Takes in a later change of cells (the row sums that follow an edit): one step for both.
    void extend(const CellsStep &later);
    // A follow-up (the row sums after an edit) joins the newest step when that is a change of
    // cells that is not the saved state; any other change of cells is a step of its own.
    void setFollowUp(bool followUp) { mFollowUp = followUp; }
    int id() const override { return CellsStepId; }
    bool mergeWith(const UndoStep &later) override;

private:
    void write(DatabaseDocument &document, bool after);
    QVector<Change> mChanges;
    bool mFollowUp = false;
};

// Whole records that appeared (appended, inserted) or went away (deleted) at one place.
class RecordsStep : public UndoStep
{
public:
    RecordsStep(bool inserted, int first, QVector<Database::Record> records, QVector<char> hidden);
    void apply(DatabaseDocument &document) override;
    void revert(DatabaseDocument &document) override;
    qsizetype bytes() const override;

private:
    void insert(DatabaseDocument &document);
    void remove(DatabaseDocument &document);
    bool mInserted;
    int mFirst;
    QVector<Database::Record> mRecords;
    QVector<char> mHidden;
};

// One whole field that appeared or went away: its name, texts, width and the definitions of all
// positions before and after.
class FieldStep : public UndoStep
{
public:
    struct Column
    {
        QByteArray name;
        int width = 0;
        QVector<QByteArray> texts;
    };
    FieldStep(bool inserted, int field, Column column, FieldDefinitions before,
              FieldDefinitions after);
    void apply(DatabaseDocument &document) override;
    void revert(DatabaseDocument &document) override;
    qsizetype bytes() const override;

    static Column columnOf(const Database &database, int field);

    // Before a field is added: the app-info slots of the position that is unused now and in use
    // afterwards, which a save in between fills and taking the field back has to empty again.
    void keepUnusedSlot(const AppInfo &image, int position);
    // Before a field is removed: its column filter, which goes with it and comes back with it.
    void keepColumnFilter(const FieldFilter &filter) { mFilter = filter; }

private:
    void insert(DatabaseDocument &document, const FieldDefinitions &definitions);
    void remove(DatabaseDocument &document, const FieldDefinitions &definitions);
    bool mInserted;
    int mField;
    Column mColumn;
    FieldDefinitions mBefore;
    FieldDefinitions mAfter;
    int mSlotPosition = 0;
    QByteArray mNameSlot;
    quint16 mWidthSlot = 0;
    FieldFilter mFilter;
};

// The records put in a new order by a sort: for each new place the old place (from 0). Rows shown
// or hidden stay with their places, as the sort leaves them.
class RecordOrderStep : public UndoStep
{
public:
    explicit RecordOrderStep(QVector<int> oldOfNew);
    void apply(DatabaseDocument &document) override { reorder(document, mOldOfNew); }
    void revert(DatabaseDocument &document) override;
    qsizetype bytes() const override;
    bool marksChanged() const override { return false; }

private:
    static void reorder(DatabaseDocument &document, const QVector<int> &oldOfNew);
    QVector<int> mOldOfNew;
};

// A record dragged from one place to another.
class RecordMoveStep : public UndoStep
{
public:
    RecordMoveStep(int from, int to);
    void apply(DatabaseDocument &document) override;
    void revert(DatabaseDocument &document) override;
    qsizetype bytes() const override { return sizeof(*this); }

private:
    int mFrom;
    int mTo;
};

// A field dragged from one place to another, with its type and popup list.
class FieldMoveStep : public UndoStep
{
public:
    FieldMoveStep(int from, int to, FieldDefinitions before, FieldDefinitions after);
    void apply(DatabaseDocument &document) override;
    void revert(DatabaseDocument &document) override;
    qsizetype bytes() const override;

private:
    int mFrom;
    int mTo;
    FieldDefinitions mBefore;
    FieldDefinitions mAfter;
};

// Column widths in pixels, all fields before and after.
class WidthsStep : public UndoStep
{
public:
    WidthsStep(QVector<int> before, QVector<int> after, bool marksChanged);
    void apply(DatabaseDocument &document) override;
    void revert(DatabaseDocument &document) override;
    qsizetype bytes() const override;
    bool marksChanged() const override { return mMarksChanged; }
    static QVector<int> widthsOf(const Database &database);
    // The same change went on (a border still being dragged): these are the widths after it.
    void extend(QVector<int> after) { mAfter = std::move(after); }

private:
    QVector<int> mBefore;
    QVector<int> mAfter;
    bool mMarksChanged;
};

// Everything the properties dialog's OK may change apart from cells: the database's settings,
// field names, widths, definitions, and which rows the filter hides.
struct SettingsSnapshot
{
    DatabaseSettings settings;
    QVector<QByteArray> fieldNames;
    QVector<int> widths;
    QVector<char> hidden;
    FieldDefinitions definitions;

    static SettingsSnapshot of(const Database &database);
    void restore(Database &database) const;
    qsizetype bytes() const;
    bool operator==(const SettingsSnapshot &other) const;
};

class SettingsStep : public UndoStep
{
public:
    SettingsStep(SettingsSnapshot before, SettingsSnapshot after, bool marksChanged = true);
    void apply(DatabaseDocument &document) override { write(document, mAfter, mFiltersAfter); }
    void revert(DatabaseDocument &document) override { write(document, mBefore, mFiltersBefore); }
    // The column filters before and after: a field given another type loses its filter in the
    // same step.
    void keepColumnFilters(ColumnFilters before, ColumnFilters after);
    qsizetype bytes() const override;
    bool marksChanged() const override { return mMarksChanged; }

private:
    void write(DatabaseDocument &document, const SettingsSnapshot &settings,
               const ColumnFilters &filters);
    SettingsSnapshot mBefore;
    SettingsSnapshot mAfter;
    ColumnFilters mFiltersBefore;
    ColumnFilters mFiltersAfter;
    bool mMarksChanged;
};

} // namespace kribed
