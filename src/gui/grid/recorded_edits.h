// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/editing/edit_result.h"
#include "gui/grid/database_document.h"
#include "gui/grid/edit_history.h"

#include <QString>

#include <functional>
#include <optional>
#include <type_traits>
#include <utility>

namespace kribed {

// Changes of the open database that the history keeps: each runs a change through the document's
// helpers (so the grid hears of it) and pushes one step holding only what the change did. A change
// that turns out to change nothing pushes nothing.

// Notes the texts of records first..last before a change of their cells, and afterwards keeps
// the cells that differ as one step (or adds them to the newest step, for a follow-up such as the
// row sums after an in-place edit).
class CellRecorder
{
public:
    CellRecorder(DatabaseDocument &document, QString text, int firstRecord, int lastRecord,
                 bool followUp = false);
    ~CellRecorder();
    CellRecorder(const CellRecorder &) = delete;
    CellRecorder &operator=(const CellRecorder &) = delete;
    // Where the current cell goes on undo and redo (the first changed cell when not given).
    void setPlace(int field, int record) { mPlace = {field, record}; }
    // Runs the change of the cells of the recorder's records.
    void change(const std::function<void(Database &)> &change);

private:
    DatabaseDocument &mDocument;
    QString mText;
    int mFirstRecord;
    int mLastRecord;
    int mFields;
    bool mFollowUp;
    bool mSaidChanged = false;
    CellPlace mPlace;
    QVector<Database::Record> mBefore;
    EditHistory::Recording mRecording;
};

namespace detail {

// Calls `change` through `run`, which hands it the database, and returns what `change` returned:
// the recorders run their changes through functions that are not templates.
template<class F, class Run> auto passResult(F &&change, Run &&run)
{
    using Result = std::invoke_result_t<F &, Database &>;
    if constexpr (std::is_void_v<Result>) {
        run([&change](Database &database) { change(database); });
    } else {
        std::optional<Result> result;
        run([&change, &result](Database &database) { result.emplace(change(database)); });
        return std::move(*result);
    }
}

} // namespace detail

// `change` changes cells of records first..last in place (texts and stamps, no new shape).
template<class F>
auto recordCells(DatabaseDocument &document, const QString &text, int firstRecord, int lastRecord,
                 F &&change, CellPlace place = {})
{
    CellRecorder recorder(document, text, firstRecord, lastRecord);
    if (place.field > 0 || place.record > 0)
        recorder.setPlace(place.field, place.record);
    return detail::passResult(change, [&recorder](const auto &run) { recorder.change(run); });
}

// As recordCells, for a change that follows the newest step (the row sums after an edit in
// place): its cells join that step when that is a change of cells, else they are a step of their
// own.
template<class F>
auto recordFollowUpCells(DatabaseDocument &document, const QString &text, int firstRecord,
                         int lastRecord, F &&change)
{
    CellRecorder recorder(document, text, firstRecord, lastRecord, true);
    return detail::passResult(change, [&recorder](const auto &run) { recorder.change(run); });
}

// The announcer for the row and column operations (append, insert, delete of rows and columns):
// the grid hears of the new or removed row or column, and the history keeps the row, or the
// column with its name, width and the definitions it shifted.
ShapeAnnouncer recordingAnnouncer(DatabaseDocument &document, const QString &text);

// Runs `operation` on the open database with recordingAnnouncer's announcer.
void runRecordedShapeOperation(
    DatabaseDocument &document, const QString &text,
    const std::function<void(Database &, const ShapeAnnouncer &)> &operation);

// A row or column operation of the core, `operation(Database &, const ShapeAnnouncer &)`, run on
// the open database with recordingAnnouncer's announcer.
template<class F>
auto recordShapeOperation(DatabaseDocument &document, const QString &text, F &&operation)
{
    using Result = std::invoke_result_t<F &, Database &, const ShapeAnnouncer &>;
    if constexpr (std::is_void_v<Result>) {
        runRecordedShapeOperation(document, text, operation);
    } else {
        std::optional<Result> result;
        runRecordedShapeOperation(document, text,
                                  [&](Database &database, const ShapeAnnouncer &announce) {
                                      result.emplace(operation(database, announce));
                                  });
        return std::move(*result);
    }
}

// Keeps a new order of the records (for each new place its old place, from 0) as one step.
void pushRecordOrder(DatabaseDocument &document, const QString &text, QVector<int> oldOfNew);

// `change` puts the records in a new order and returns for each new place its old place (from
// 0), as a sort does.
void recordRecordOrder(DatabaseDocument &document, const QString &text,
                       const std::function<QVector<int>(Database &)> &change);

// A record or a field dragged to another place; `moveDefinitions` carries the field's type and
// popup list after it (and whatever else follows a dragged field).
void recordRecordMove(DatabaseDocument &document, const QString &text, int from, int to);
void recordFieldMove(DatabaseDocument &document, const QString &text, int from, int to,
                     const std::function<void(Database &)> &moveDefinitions);

// `change` sets column widths through the document (setColumnWidths, sizeColumnsAutomatically).
// Automatic widths do not mark the database changed, a dragged border and the font do.
void recordWidths(DatabaseDocument &document, const QString &text, bool marksChanged,
                  const std::function<void()> &change);

// `change` may change database values, field names and widths, definitions, the filter and the
// rows it hides. One step for everything it changed, kept by pushSettingsChange.
void recordSettings(DatabaseDocument &document, const QString &text,
                    const std::function<void(Database &)> &change);

// The settings from the moment the properties dialog opens to the moment it closes: OK takes the
// settings the dialog left, and what changed in between is one step.
class SettingsRecording
{
public:
    explicit SettingsRecording(DatabaseDocument &document);
    // OK: the settings are taken and `follow` applies what follows from them (the record filter);
    // the database counts as changed even when nothing differs.
    void take(const SettingsSnapshot &snapshot, const std::function<void()> &follow);
    // Keeps what changed since the recording began as one step, none when nothing did. A change
    // of shape since then is no change of settings: no step could take it back, and the history
    // ends.
    void finish(const QString &text);

private:
    DatabaseDocument &mDocument;
    SettingsSnapshot mBefore;
    ColumnFilters mFiltersBefore;
    bool mTaken = false;
};

// `change` inserts exactly `count` records before record `first` (the append of a text file).
void recordInsertedRecords(DatabaseDocument &document, const QString &text, int first, int count,
                           const std::function<void(Database &)> &change);

} // namespace kribed
