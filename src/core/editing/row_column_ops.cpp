// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/row_column_ops.h"

#include "core/editing/auto_size.h"
#include "core/editing/edit_messages.h"
#include "core/editing/new_record_value.h"
#include "core/editing/row_clipboard.h"
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/limits.h"

namespace kribed {

namespace {

QByteArray NewFieldName(int field)
{
    return QByteArrayLiteral("Field ") + QByteArray::number(field);
}

// Gives the column position a fresh definition: String, no popup items.
void ResetDefinition(Database &database, int field)
{
    database.SetFieldType(field, StringType);
    database.PopupList(field).clear();
}

} // namespace

EditResult AppendRow(Database &database, RowClipboard &clipboard, Prompter &prompter,
                     const QDateTime &now, const ShapeAnnouncer &announcer)
{
    if (database.RecordCount() >= MaxRecords) {
        ReportRefusal(prompter, QStringLiteral("You mustn't have more than 9999 rows in Kribo"));
        return {};
    }
    database.SetModified();
    ClearRowClipboard(clipboard);
    // The new row is in place and empty while its values are made, so it counts as 0 in an
    // auto-increment scan and the next number is never below the increment amount.
    EditResult result;
    result.applied = true;
    result.insertedRecord = database.RecordCount() + 1;
    result.currentRecord = result.insertedRecord;
    result.currentField = 1;
    Announce(announcer, result, [&] {
        database.InsertRecord(result.insertedRecord);
        database.RecordAt(result.insertedRecord) = NewRecordValues(database, now);
    });
    return result;
}

EditResult InsertRow(Database &database, RowClipboard &clipboard, int record, Prompter &prompter,
                     const QDateTime &now, const ShapeAnnouncer &announcer)
{
    if (database.RecordCount() >= MaxRecords) {
        ReportRefusal(prompter, QStringLiteral("You mustn't have more than 9999 rows in Kribo."));
        return {};
    }
    database.SetModified();
    ClearRowClipboard(clipboard);
    // The values are made before the row goes in, so an auto-increment scan sees every existing
    // value and no empty cell.
    Database::Record values = NewRecordValues(database, now);
    EditResult result;
    result.applied = true;
    result.insertedRecord = record;
    Announce(announcer, result, [&] { database.InsertRecord(record, std::move(values)); });
    return result;
}

EditResult DeleteRow(Database &database, RowClipboard &clipboard, int record, Prompter &prompter,
                     bool expertMode, const ShapeAnnouncer &announcer)
{
    if (database.RecordCount() <= 1) {
        ReportRefusal(prompter, QStringLiteral("You mustn't delete the first row!"));
        return {};
    }
    if (!ConfirmOperation(prompter, expertMode,
                          QStringLiteral("Do you want to delete the selected row?")))
        return {};
    database.SetModified();
    ClearRowClipboard(clipboard);
    EditResult result;
    result.applied = true;
    result.removedRecord = record;
    result.currentRecord = std::min(record, database.RecordCount() - 1);
    Announce(announcer, result, [&] { database.TakeRecord(record); });
    return result;
}

EditResult AppendColumn(Database &database, Prompter &prompter, const ShapeAnnouncer &announcer)
{
    if (database.FieldCount() >= MaxFields) {
        ReportRefusal(prompter, QStringLiteral("You mustn't have more than 50 columns in Kribo!"));
        return {};
    }
    database.SetModified();
    const int field = database.FieldCount() + 1;
    EditResult result;
    result.applied = true;
    result.insertedField = field;
    result.currentRecord = 1;
    result.currentField = field;
    Announce(announcer, result, [&] {
        database.InsertField(field, NewFieldName(field), NewColumnPixelWidth);
        ResetDefinition(database, field);
    });
    return result;
}

EditResult InsertColumn(Database &database, int field, Prompter &prompter,
                        const ShapeAnnouncer &announcer)
{
    if (database.FieldCount() >= MaxFields) {
        ReportRefusal(prompter, QStringLiteral("You mustn't have more than 50 columns in Kribo!"));
        return {};
    }
    database.SetModified();
    EditResult result;
    result.applied = true;
    result.insertedField = field;
    Announce(announcer, result, [&] {
        database.InsertField(field, NewFieldName(field), NewColumnPixelWidth);
        // The definitions of the columns from here on move one place to the right with them.
        for (int position = database.FieldCount(); position > field; --position) {
            database.SetFieldType(position, database.FieldType(position - 1));
            database.PopupList(position) = database.PopupList(position - 1);
        }
        ResetDefinition(database, field);
    });
    return result;
}

EditResult DeleteColumn(Database &database, int field, Prompter &prompter, bool expertMode,
                        AutoWidths &autoWidths, const ShapeAnnouncer &announcer)
{
    if (database.FieldCount() <= 1) {
        ReportRefusal(prompter, QStringLiteral("You mustn't delete the first column!"));
        return {};
    }
    if (!ConfirmOperation(prompter, expertMode,
                          QStringLiteral("Do you want to delete the selected column?")))
        return {};
    database.SetModified();
    EditResult result;
    result.applied = true;
    result.removedField = field;
    result.currentField = std::min(field, database.FieldCount() - 1);
    Announce(announcer, result, [&] {
        // The definitions after the column move one place to the left; the last position keeps
        // its own, as a position beyond the fields always has.
        for (int position = field; position < database.FieldCount(); ++position) {
            database.SetFieldType(position, database.FieldType(position + 1));
            database.PopupList(position) = database.PopupList(position + 1);
        }
        database.RemoveField(field);
        autoWidths.RemoveSlot(field);
    });
    return result;
}

void RenumberRows(Database &database)
{
    database.SetModified();
}

EditResult MoveRow(Database &database, int from, int to)
{
    if (from < 1 || to < 1 || from > database.RecordCount() || to > database.RecordCount())
        return {};
    database.MoveRecord(from, to);
    RenumberRows(database);
    EditResult result;
    result.applied = true;
    result.currentRecord = to;
    return result;
}

} // namespace kribed
