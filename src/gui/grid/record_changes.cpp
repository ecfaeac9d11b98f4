// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/grid/record_changes.h"

#include "gui/grid/document_door_p.h"
#include "gui/grid/edit_history.h"
#include "gui/grid/undo_steps.h"

#include <memory>
#include <vector>

namespace kribed {

namespace {

// Steps made one after another, kept as one: changes at several places that the user made with
// one command.
class StepSequence : public UndoStep
{
public:
    explicit StepSequence(std::vector<std::unique_ptr<UndoStep>> steps)
        : mSteps(std::move(steps))
    {
        place = mSteps.front()->place;
    }
    void apply(DatabaseDocument &document) override
    {
        for (const auto &step : mSteps)
            step->apply(document);
    }
    void revert(DatabaseDocument &document) override
    {
        for (auto step = mSteps.rbegin(); step != mSteps.rend(); ++step)
            (*step)->revert(document);
    }
    qsizetype bytes() const override
    {
        qsizetype bytes = sizeof(*this);
        for (const auto &step : mSteps)
            bytes += step->bytes();
        return bytes;
    }

private:
    std::vector<std::unique_ptr<UndoStep>> mSteps;
};

std::unique_ptr<UndoStep> makeChange(DatabaseDocument &document, const RecordChange &change)
{
    const Database &database = document.database();
    DocumentDoor door(document);
    const int record = change.record;
    switch (change.kind) {
    case RecordChange::Replace: {
        const Database::Record before = database.recordAt(record);
        door.changeCells(1, record, database.fieldCount(), record,
                         [&](Database &changed) { changed.recordAt(record) = change.cells; });
        return std::make_unique<CellsStep>(
            QVector<CellsStep::Change>{{record, 1, database.fieldCount(), before, change.cells}});
    }
    case RecordChange::Insert:
        door.insertRecords(record, 1,
                           [&](Database &changed) { changed.insertRecord(record, change.cells); });
        return std::make_unique<RecordsStep>(true, record, QVector<Database::Record>{change.cells},
                                             QVector<char>{0});
    case RecordChange::Remove: {
        const Database::Record before = database.recordAt(record);
        const char hidden = char(database.isHidden(record));
        door.removeRecords(record, 1, [&](Database &changed) { changed.takeRecord(record); });
        return std::make_unique<RecordsStep>(false, record, QVector<Database::Record>{before},
                                             QVector<char>{hidden});
    }
    }
    return {};
}

} // namespace

void recordRecordChanges(DatabaseDocument &document, const QString &text,
                         const QVector<RecordChange> &changes)
{
    if (changes.isEmpty())
        return;
    std::vector<std::unique_ptr<UndoStep>> steps;
    {
        const EditHistory::Recording recording(document.history());
        for (const RecordChange &change : changes)
            steps.push_back(makeChange(document, change));
    }
    document.history().push(text, std::make_unique<StepSequence>(std::move(steps)));
}

} // namespace kribed
