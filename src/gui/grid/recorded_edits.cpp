// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/grid/recorded_edits.h"

#include "gui/grid/document_door_p.h"

#include <memory>

namespace kribed {

namespace {

// Keeps what changed in the settings since `before` was taken as one step. A change of shape
// since `before` is no change of settings: no step could take it back, and the history ends.
void pushSettingsChange(DatabaseDocument &document, const QString &text, SettingsSnapshot before,
                        bool marksChanged, ColumnFilters filtersBefore)
{
    SettingsSnapshot after = SettingsSnapshot::of(document.database());
    if (after.fieldNames.size() != before.fieldNames.size()
        || after.hidden.size() != before.hidden.size()) {
        document.history().endAfterUnrecordedChange();
        return;
    }
    if (!(after == before)) {
        auto step =
            std::make_unique<SettingsStep>(std::move(before), std::move(after), marksChanged);
        step->keepColumnFilters(std::move(filtersBefore), document.viewState().columnFilters);
        document.history().push(text, std::move(step));
    }
}

} // namespace

CellRecorder::CellRecorder(DatabaseDocument &document, QString text, int firstRecord,
                           int lastRecord, bool followUp)
    : mDocument(document)
    , mText(std::move(text))
    , mFirstRecord(firstRecord)
    , mLastRecord(lastRecord)
    , mFields(document.database().fieldCount())
    , mFollowUp(followUp)
    , mRecording(document.history())
{
    // Each record is shared, not copied: only the records the change writes to part ways.
    const Database &database = document.database();
    const int last = std::min(lastRecord, database.recordCount());
    for (int record = std::max(1, firstRecord); record <= last; ++record)
        mBefore.append(database.recordAt(record));
}

void CellRecorder::change(const std::function<void(Database &)> &change)
{
    // The core operations set the database's own flag when they change something; one that
    // says so while no cell differs (a cell pasted over the same text) still counts as a change.
    bool said = false;
    DocumentDoor(mDocument).changeCells(1, mFirstRecord, mFields, mLastRecord,
                                        [&](Database &database) {
                                            database.clearModified();
                                            change(database);
                                            said = database.isModified();
                                        });
    mSaidChanged = mSaidChanged || said;
}

CellRecorder::~CellRecorder()
{
    const Database &database = mDocument.database();
    EditHistory &history = mDocument.history();
    if (database.fieldCount() != mFields
        || database.recordCount() < mFirstRecord + mBefore.size() - 1) {
        // Not a change of cells after all: no step can take it back.
        history.endAfterUnrecordedChange();
        return;
    }
    QVector<CellsStep::Change> changes;
    for (int i = 0; i < mBefore.size(); ++i) {
        const int record = mFirstRecord + i;
        const Database::Record &before = mBefore[i];
        const Database::Record &after = database.recordAt(record);
        if (before.isSharedWith(after))
            continue;
        // Only the first and the last changed field matter: looked for from either end, so a
        // record changed in its first and last cells costs two comparisons, not one per field.
        const auto differs = [&](int field) {
            return before.view(field - 1) != after.view(field - 1);
        };
        int firstField = 1;
        while (firstField <= mFields && !differs(firstField))
            ++firstField;
        if (firstField > mFields)
            continue;
        int lastField = mFields;
        while (lastField > firstField && !differs(lastField))
            --lastField;
        changes.append({record, firstField, lastField, before, after});
    }
    if (changes.isEmpty()) {
        if (mSaidChanged && !mDocument.isModified())
            mDocument.markChanged();
        return;
    }
    auto step = std::make_unique<CellsStep>(std::move(changes));
    if (mPlace.field > 0 || mPlace.record > 0)
        step->place = mPlace;
    // A follow-up joins the newest step through the stack's merge (CellsStep::mergeWith), which
    // the stack refuses when that step is the saved state.
    step->setFollowUp(mFollowUp && history.lastCellsStep());
    history.push(mText, std::move(step));
}

ShapeAnnouncer recordingAnnouncer(DatabaseDocument &document, const QString &text)
{
    return [&document, text](const EditResult &plan, const std::function<void()> &change) {
        EditHistory &history = document.history();
        const Database &database = document.database();
        const auto run = [&change](Database &) { change(); };
        const FieldDefinitions before = FieldDefinitions::of(database);
        std::unique_ptr<UndoStep> step;
        {
            const EditHistory::Recording recording(history);
            DocumentDoor door(document);
            if (plan.insertedRecord) {
                door.insertRecords(plan.insertedRecord, 1, run);
                step = std::make_unique<RecordsStep>(
                    true, plan.insertedRecord,
                    QVector<Database::Record>{database.recordAt(plan.insertedRecord)},
                    QVector<char>{char(database.isHidden(plan.insertedRecord))});
            } else if (plan.removedRecord) {
                const Database::Record record = database.recordAt(plan.removedRecord);
                const char hidden = char(database.isHidden(plan.removedRecord));
                door.removeRecords(plan.removedRecord, 1, run);
                step = std::make_unique<RecordsStep>(false, plan.removedRecord,
                                                     QVector<Database::Record>{record},
                                                     QVector<char>{hidden});
            } else if (plan.insertedField) {
                const AppInfo image = database.appInfoImage();
                const int unusedPosition = database.fieldCount() + 1;
                door.insertFields(plan.insertedField, 1, run);
                auto fieldStep = std::make_unique<FieldStep>(
                    true, plan.insertedField, FieldStep::columnOf(database, plan.insertedField),
                    before, FieldDefinitions::of(database));
                fieldStep->keepUnusedSlot(image, unusedPosition);
                step = std::move(fieldStep);
            } else if (plan.removedField) {
                FieldStep::Column column = FieldStep::columnOf(database, plan.removedField);
                const FieldFilter filter = document.viewState().columnFilters.of(plan.removedField);
                door.removeFields(plan.removedField, 1, run);
                auto fieldStep =
                    std::make_unique<FieldStep>(false, plan.removedField, std::move(column), before,
                                                FieldDefinitions::of(database));
                fieldStep->keepColumnFilter(filter);
                step = std::move(fieldStep);
            }
        }
        if (step) {
            if (plan.currentField || plan.currentRecord)
                step->place = {plan.currentField, plan.currentRecord};
            history.push(text, std::move(step));
        } else {
            recordCells(document, text, 1, database.recordCount(), run);
        }
    };
}

void runRecordedShapeOperation(
    DatabaseDocument &document, const QString &text,
    const std::function<void(Database &, const ShapeAnnouncer &)> &operation)
{
    // The announcer is made before the operation runs (see recordingAnnouncer).
    const ShapeAnnouncer announce = recordingAnnouncer(document, text);
    DocumentDoor(document).runShapeOperation(announce, operation);
}

void recordRecordOrder(DatabaseDocument &document, const QString &text,
                       const std::function<QVector<int>(Database &)> &change)
{
    QVector<int> oldOfNew;
    {
        const EditHistory::Recording recording(document.history());
        DocumentDoor(document).reorderRecords([&](Database &database) {
            oldOfNew = change(database);
            return oldOfNew;
        });
    }
    pushRecordOrder(document, text, std::move(oldOfNew));
}

void pushRecordOrder(DatabaseDocument &document, const QString &text, QVector<int> oldOfNew)
{
    bool moved = false;
    for (int place = 0; place < oldOfNew.size() && !moved; ++place)
        moved = oldOfNew[place] != place;
    if (moved)
        document.history().push(text, std::make_unique<RecordOrderStep>(std::move(oldOfNew)));
}

void recordRecordMove(DatabaseDocument &document, const QString &text, int from, int to)
{
    if (from == to)
        return;
    {
        const EditHistory::Recording recording(document.history());
        DocumentDoor(document).moveRecord(from, to);
    }
    document.history().push(text, std::make_unique<RecordMoveStep>(from, to));
}

void recordFieldMove(DatabaseDocument &document, const QString &text, int from, int to,
                     const std::function<void(Database &)> &moveDefinitions)
{
    if (from == to)
        return;
    const FieldDefinitions before = FieldDefinitions::of(document.database());
    {
        const EditHistory::Recording recording(document.history());
        DocumentDoor door(document);
        door.moveField(from, to);
        door.changeUnseen(moveDefinitions);
    }
    document.history().push(text, std::make_unique<FieldMoveStep>(
                                      from, to, before, FieldDefinitions::of(document.database())));
}

void recordWidths(DatabaseDocument &document, const QString &text, bool marksChanged,
                  const std::function<void()> &change)
{
    QVector<int> before = WidthsStep::widthsOf(document.database());
    {
        const EditHistory::Recording recording(document.history());
        change();
    }
    QVector<int> after = WidthsStep::widthsOf(document.database());
    if (after != before) {
        document.history().push(
            text, std::make_unique<WidthsStep>(std::move(before), std::move(after), marksChanged));
    }
}

void recordSettings(DatabaseDocument &document, const QString &text,
                    const std::function<void(Database &)> &change)
{
    SettingsSnapshot before = SettingsSnapshot::of(document.database());
    ColumnFilters filters = document.viewState().columnFilters;
    {
        const EditHistory::Recording recording(document.history());
        DocumentDoor(document).changeSettings(change);
    }
    pushSettingsChange(document, text, std::move(before), true, std::move(filters));
}

SettingsRecording::SettingsRecording(DatabaseDocument &document)
    : mDocument(document)
    , mBefore(SettingsSnapshot::of(document.database()))
    , mFiltersBefore(document.viewState().columnFilters)
{
}

void SettingsRecording::take(const SettingsSnapshot &snapshot, const std::function<void()> &follow)
{
    mTaken = true;
    const EditHistory::Recording recording(mDocument.history());
    DocumentDoor(mDocument).changeSettings(
        [&snapshot](Database &database) { snapshot.restore(database); });
    if (follow)
        follow();
}

void SettingsRecording::finish(const QString &text)
{
    pushSettingsChange(mDocument, text, std::move(mBefore), mTaken, std::move(mFiltersBefore));
    // OK counts as a change even when it left every setting as it was.
    if (mTaken && !mDocument.isModified())
        mDocument.markChanged();
}

void recordInsertedRecords(DatabaseDocument &document, const QString &text, int first, int count,
                           const std::function<void(Database &)> &change)
{
    if (count <= 0)
        return;
    {
        const EditHistory::Recording recording(document.history());
        DocumentDoor(document).insertRecords(first, count, change);
    }
    const Database &database = document.database();
    QVector<Database::Record> records;
    QVector<char> hidden;
    for (int record = first; record < first + count; ++record) {
        records.append(database.recordAt(record));
        hidden.append(char(database.isHidden(record)));
    }
    auto step = std::make_unique<RecordsStep>(true, first, std::move(records), std::move(hidden));
    document.history().push(text, std::move(step));
}

} // namespace kribed
