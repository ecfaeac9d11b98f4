// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/import_choices.h"

#include "core/model/database.h"
#include "core/model/limits.h"
#include "core/model/regional.h"

#include <QCoreApplication>

#include <algorithm>

namespace kribed {

namespace {

QByteArrayView trimmedView(QByteArrayView value)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!value.isEmpty() && blank(value.front()))
        value = value.sliced(1);
    while (!value.isEmpty() && blank(value.back()))
        value.chop(1);
    return value;
}

void trimRow(Record &row)
{
    for (qsizetype i = 0; i < row.size(); ++i) {
        const QByteArrayView value = row.view(i);
        const QByteArrayView trimmed = trimmedView(value);
        if (trimmed.size() != value.size())
            row.replace(i, trimmed.toByteArray());
    }
}

// Drops the lines before the start line; the cut places follow their rows.
void startAt(ImportPlan &plan, int startLine)
{
    QVector<Record> &rows = plan.table.rows;
    const int drop = std::clamp(startLine - 1, 0, int(rows.size()));
    if (drop == 0)
        return;
    rows.erase(rows.begin(), rows.begin() + drop);
    QList<PlanCell> places;
    for (const PlanCell &place : std::as_const(plan.cutPlaces)) {
        if (place.row >= drop)
            places.append({place.row - drop, place.field});
    }
    plan.cutPlaces = places;
    plan.shape.rows = std::max<qint64>(0, plan.shape.rows - drop);
}

// Names "Field 1" ... take row 0; the first line read becomes a record.
void nameFields(ImportPlan &plan)
{
    QVector<Record> &rows = plan.table.rows;
    Record names(plan.table.fields);
    for (int field = 1; field <= plan.table.fields; ++field)
        names.replace(field - 1, generatedFieldName(field));
    rows.prepend(names);
    if (rows.size() > MaxRecords + 1)
        rows.removeLast();
    for (PlanCell &place : plan.cutPlaces)
        ++place.row;
}

// The distinct values of a field, first met first, as long as the popup lists keep within their
// bytes (`budget` is what all lists may still take).
QList<QByteArray> popupItemsOf(const QVector<Record> &rows, int field, int &budget)
{
    QList<QByteArray> items;
    for (int row = 1; row < rows.size(); ++row) {
        if (field >= rows[row].size())
            continue;
        const QByteArrayView value = rows[row].view(field);
        if (value.isEmpty() || items.contains(value))
            continue;
        if (value.size() + 1 > budget)
            break;
        budget -= int(value.size()) + 1;
        items.append(value.toByteArray());
    }
    return items;
}

void planFields(ImportPlan &plan, const ImportChoices &choices)
{
    const QVector<Record> &rows = plan.table.rows;
    plan.fields.resize(plan.table.fields);
    int budget = MaxPopupAreaBytes;
    for (int field = 0; field < plan.table.fields; ++field) {
        const ColumnChoice column = choices.column(field);
        PlannedField &planned = plan.fields[field];
        if (column.type)
            planned.type = *column.type;
        if (column.widthUnits > 0)
            planned.widthUnits = column.widthUnits;
        if (isPopupType(planned.type))
            planned.popupItems = popupItemsOf(rows, field, budget);
        if (!column.name.isEmpty())
            plan.table.rows[0].replace(field, column.name);
    }
}

// Leaves out the skipped columns; false when none is left.
bool dropSkipped(ImportPlan &plan, const ImportChoices &choices)
{
    QList<int> kept;
    for (int field = 0; field < plan.table.fields; ++field) {
        if (!choices.column(field).skip)
            kept.append(field);
    }
    if (kept.size() == plan.table.fields)
        return true;
    if (kept.isEmpty())
        return false;
    QList<QByteArray> cells(kept.size());
    for (Record &row : plan.table.rows) {
        for (int i = 0; i < kept.size(); ++i)
            cells[i] = row.value(kept[i]);
        row = Record(cells);
    }
    QList<PlannedField> fields;
    for (const int field : std::as_const(kept))
        fields.append(plan.fields.value(field));
    plan.fields = fields;
    QList<PlanCell> places;
    for (const PlanCell &place : std::as_const(plan.cutPlaces)) {
        const qsizetype at = kept.indexOf(place.field - 1);
        if (at >= 0)
            places.append({place.row, int(at) + 1});
    }
    plan.cutPlaces = places;
    plan.table.fields = int(kept.size());
    return true;
}

} // namespace

ColumnChoice ImportChoices::column(int index) const
{
    return columns.value(index);
}

bool ImportChoices::leavesPlanAsRead(ImportPlan::Kind kind) const
{
    const bool columnsAsRead = std::all_of(columns.cbegin(), columns.cend(), [](const auto &c) {
        return !c.skip && !c.type && c.name.isEmpty() && c.widthUnits == 0 && !c.target;
    });
    const bool names = kind == ImportPlan::Kind::Import ? firstLineNames : !skipFirstLine;
    return names && startLine <= 1 && !trim && columnsAsRead;
}

QByteArray generatedFieldName(int field)
{
    return "Field " + QByteArray::number(field);
}

void applyImportChoices(ImportPlan &plan, const ImportChoices &choices, const Regional &regional)
{
    if (plan.failure == PlanFailure::Unreadable || plan.failure == PlanFailure::Cancelled
        || choices.leavesPlanAsRead(ImportPlan::Kind::Import))
        return;
    startAt(plan, choices.startLine);
    if (!choices.firstLineNames)
        nameFields(plan);
    QVector<Record> &rows = plan.table.rows;
    while (rows.size() < 2)
        rows.append(Record(plan.table.fields));
    if (choices.trim) {
        for (Record &row : rows)
            trimRow(row);
    }
    planFields(plan, choices);
    if (!dropSkipped(plan, choices)) {
        plan.fail(PlanFailure::Unreadable,
                  {QCoreApplication::translate("ImportChoices", "Error"),
                   QCoreApplication::translate("ImportChoices", "Every column is skipped."),
                   Icon::Error, Buttons::Ok});
        return;
    }
    QList<int> types;
    for (const PlannedField &field : std::as_const(plan.fields))
        types.append(field.type);
    if (const std::optional<Message> notice = misfitsNotice(countMisfits(plan, types, regional)))
        plan.notices.append(*notice);
}

QList<int> appendTargets(int columns, const ImportChoices &choices, const Database &target)
{
    QList<int> targets;
    for (int column = 0; column < columns; ++column) {
        const ColumnChoice choice = choices.column(column);
        int field = choice.target.value_or(column + 1);
        if (choice.skip || field < 0 || field > target.fieldCount())
            field = 0;
        targets.append(field);
    }
    return targets;
}

QVector<Record> appendRecords(const ImportedTable &file, const ImportChoices &choices,
                              const Database &target, qint64 limit)
{
    const QList<int> targets = appendTargets(file.fields, choices, target);
    const int first = std::max(0, choices.startLine - 1) + (choices.skipFirstLine ? 1 : 0);
    QVector<Record> records;
    for (int row = first; row < file.rows.size() && records.size() < limit; ++row) {
        Record record(target.fieldCount());
        for (int column = 0; column < targets.size(); ++column) {
            if (targets[column] == 0 || column >= file.rows[row].size())
                continue;
            const QByteArrayView value = file.rows[row].view(column);
            record.replace(targets[column] - 1,
                           (choices.trim ? trimmedView(value) : value).toByteArray());
        }
        records.append(std::move(record));
    }
    return records;
}

int countMisfits(const ImportPlan &plan, const QList<int> &types, const Regional &regional)
{
    const int firstRow = plan.kind == ImportPlan::Kind::Import ? 1 : 0;
    int count = 0;
    for (int field = 0; field < types.size(); ++field) {
        const int type = types[field];
        if (type == StringType || isPopupType(type))
            continue;
        for (int row = firstRow; row < plan.table.rows.size(); ++row) {
            const Record &record = plan.table.rows[row];
            count += field < record.size() && !fitsDetectedType(record.view(field), type, regional);
        }
    }
    return count;
}

std::optional<Message> misfitsNotice(int count)
{
    if (count == 0)
        return std::nullopt;
    const QString text =
        count == 1 ? QCoreApplication::translate(
            "ImportChoices", "1 value does not fit its field's type and was imported as its text.")
                   : QCoreApplication::translate("ImportChoices",
                                                 "%1 values do not fit their field's type and "
                                                 "were imported as their text.")
                         .arg(count);
    return Message{QCoreApplication::translate("ImportChoices", "Information"), text,
                   Icon::Information, Buttons::Ok};
}

} // namespace kribed
