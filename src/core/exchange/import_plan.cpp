// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/import_plan.h"

#include "core/model/limits.h"

#include <QCoreApplication>

#include <algorithm>

namespace kribed {

Message openErrorMessage()
{
    return {QCoreApplication::translate("TextReading", "Error"), openErrorText(), Icon::Error,
            Buttons::Ok};
}

Message goOnQuestion(const QString &text)
{
    return {QCoreApplication::translate("TextReading", "Information"), text, Icon::Warning,
            Buttons::OkCancel};
}

std::optional<Message> cutValuesNotice(int count)
{
    if (count == 0)
        return std::nullopt;
    const QString text =
        count == 1
            ? QCoreApplication::translate(
                "TextReading", "1 value was longer than 4000 characters and has been cut to "
                               "its first 4000 characters.")
            : QCoreApplication::translate(
                  "TextReading", "%1 values were longer than 4000 characters and have been cut "
                                 "to their first 4000 characters.")
                  .arg(count);
    return Message{QCoreApplication::translate("TextReading", "Information"), text, Icon::Warning,
                   Buttons::Ok};
}

void noteCutPlace(QList<PlanCell> &places, int row, int field)
{
    if (places.size() < NamedCutPlaces)
        places.append({row, field});
}

bool askImportQuestions(const ImportPlan &plan, Prompter &prompter)
{
    return std::all_of(
        plan.questions.cbegin(), plan.questions.cend(),
        [&prompter](const Message &question) { return prompter.ask(question) == Answer::Ok; });
}

void applyImportPlan(ImportPlan &&plan, Database &database)
{
    replaceWithImported(database, plan.table);
    for (int field = 1; field <= std::min(database.fieldCount(), int(plan.fields.size()));
         ++field) {
        PlannedField &planned = plan.fields[field - 1];
        database.setFieldType(field, planned.type);
        // Any width in the file becomes one a field can have.
        if (planned.widthUnits > 0)
            database.setColumnWidth(
                field, database.unitsToPixels(std::min(planned.widthUnits, MaxFieldWidthUnits)));
        database.popupList(field) = std::move(planned.popupItems);
    }
    if (const std::optional<PlannedSettings> &settings = plan.settings) {
        database.setSecondarySortField(settings->secondarySortField);
        database.setTertiarySortField(settings->tertiarySortField);
        database.setFilterField(settings->filterField);
        database.setFilterText(settings->filterText);
        database.flags() = settings->flags;
        if (settings->incrementAmount > 0)
            database.setIncrementAmount(settings->incrementAmount);
    }
    if (const std::optional<PlannedOrigin> &origin = plan.origin) {
        database.setModificationTime(origin->modificationTime);
        database.setName(origin->name);
        database.setFilePath(origin->filePath);
    }
}

void applyAppendPlan(ImportPlan &&plan, Database &database)
{
    for (Database::Record &record : plan.table.rows)
        database.insertRecord(database.recordCount() + 1, std::move(record));
    plan.table.rows.clear();
}

namespace {

void tell(Prompter &prompter, const QList<Message> &notices)
{
    for (const Message &notice : notices)
        prompter.ask(notice);
}

} // namespace

ExchangeResult carryOutImport(ImportPlan &&plan, Database &database, Prompter &prompter)
{
    switch (plan.failure) {
    case PlanFailure::Cancelled: return ExchangeResult::Cancelled;
    case PlanFailure::Unreadable: prompter.ask(plan.error); return ExchangeResult::Failed;
    case PlanFailure::None:
    case PlanFailure::BrokenAfter: break;
    }
    if (!askImportQuestions(plan, prompter))
        return ExchangeResult::Cancelled;
    const bool complete = plan.failure == PlanFailure::None;
    const Message error = plan.error;
    const QList<Message> notices = plan.notices;
    if (plan.kind == ImportPlan::Kind::Import) {
        // An import takes a whole file or nothing.
        if (!complete) {
            prompter.ask(error);
            return ExchangeResult::Failed;
        }
        applyImportPlan(std::move(plan), database);
        tell(prompter, notices);
        return ExchangeResult::Done;
    }
    // Records appended before a read error stay, so the database has changed then too.
    const bool added = !plan.table.rows.isEmpty();
    applyAppendPlan(std::move(plan), database);
    if (complete || added)
        database.setModified();
    tell(prompter, notices);
    if (!complete) {
        prompter.ask(error);
        return ExchangeResult::Failed;
    }
    return ExchangeResult::Done;
}

} // namespace kribed
