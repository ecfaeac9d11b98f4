// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/grid/recorded_edits.h"

#include <memory>

namespace kribed {

CellRecorder::CellRecorder(DatabaseDocument &document, QString text, int firstRecord,
                           int lastRecord, bool followUp)
    : mDocument(document)
    , mText(std::move(text))
    , mFirstRecord(firstRecord)
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

CellRecorder::~CellRecorder()
{
    const Database &database = mDocument.database();
    EditHistory &history = mDocument.history();
    if (database.fieldCount() != mFields
        || database.recordCount() < mFirstRecord + mBefore.size() - 1) {
        // Not a change of cells after all: no step can take it back.
        history.clear();
        return;
    }
    QVector<CellsStep::Change> changes;
    for (int i = 0; i < mBefore.size(); ++i) {
        const int record = mFirstRecord + i;
        const Database::Record &before = mBefore[i];
        const Database::Record &after = database.recordAt(record);
        if (before.isSharedWith(after))
            continue;
        int firstField = 0;
        int lastField = 0;
        for (int field = 1; field <= mFields; ++field) {
            if (before.view(field - 1) != after.view(field - 1)) {
                firstField = firstField == 0 ? field : firstField;
                lastField = field;
            }
        }
        if (firstField > 0)
            changes.append({record, firstField, lastField, before, after});
    }
    if (changes.isEmpty())
        return;
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
    // Made before the operation runs, which marks the database changed before it announces.
    document.history().noteOutsideMark();
    return [&document, text](const EditResult &plan, const std::function<void()> &change) {
        EditHistory &history = document.history();
        const Database &database = document.database();
        const auto run = [&change](Database &) { change(); };
        const FieldDefinitions before = FieldDefinitions::of(database);
        std::unique_ptr<UndoStep> step;
        {
            // The operation has marked the database changed by now: what was marked before it
            // was noted when the announcer was made.
            const EditHistory::Recording recording(history, false);
            if (plan.insertedRecord) {
                document.insertRecords(plan.insertedRecord, 1, run);
                step = std::make_unique<RecordsStep>(
                    true, plan.insertedRecord,
                    QVector<Database::Record>{database.recordAt(plan.insertedRecord)},
                    QVector<char>{char(database.isHidden(plan.insertedRecord))});
            } else if (plan.removedRecord) {
                const Database::Record record = database.recordAt(plan.removedRecord);
                const char hidden = char(database.isHidden(plan.removedRecord));
                document.removeRecords(plan.removedRecord, 1, run);
                step = std::make_unique<RecordsStep>(false, plan.removedRecord,
                                                     QVector<Database::Record>{record},
                                                     QVector<char>{hidden});
            } else if (plan.insertedField) {
                const AppInfo image = database.appInfoImage();
                const int unusedPosition = database.fieldCount() + 1;
                document.insertFields(plan.insertedField, 1, run);
                auto fieldStep = std::make_unique<FieldStep>(
                    true, plan.insertedField, FieldStep::columnOf(database, plan.insertedField),
                    before, FieldDefinitions::of(database));
                fieldStep->keepUnusedSlot(image, unusedPosition);
                step = std::move(fieldStep);
            } else if (plan.removedField) {
                FieldStep::Column column = FieldStep::columnOf(database, plan.removedField);
                document.removeFields(plan.removedField, 1, run);
                step = std::make_unique<FieldStep>(false, plan.removedField, std::move(column),
                                                   before, FieldDefinitions::of(database));
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
        document.moveRecord(from, to);
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
        document.moveField(from, to);
        document.changeUnseen(moveDefinitions);
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
    DatabaseSettings before = DatabaseSettings::of(document.database());
    {
        const EditHistory::Recording recording(document.history());
        document.changeSettings(change);
    }
    pushSettingsChange(document, text, std::move(before), true);
}

void pushSettingsChange(DatabaseDocument &document, const QString &text, DatabaseSettings before,
                        bool marksChanged)
{
    DatabaseSettings after = DatabaseSettings::of(document.database());
    if (after.fieldNames.size() != before.fieldNames.size()
        || after.hidden.size() != before.hidden.size()) {
        document.history().clear();
        return;
    }
    if (!(after == before)) {
        document.history().push(text, std::make_unique<SettingsStep>(
                                          std::move(before), std::move(after), marksChanged));
    }
}

void recordInsertedRecords(DatabaseDocument &document, const QString &text, int first, int count,
                           const std::function<void(Database &)> &change)
{
    if (count <= 0)
        return;
    {
        const EditHistory::Recording recording(document.history());
        document.insertRecords(first, count, change);
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
