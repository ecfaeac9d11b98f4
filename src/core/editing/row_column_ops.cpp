// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/row_column_ops.h"

#include <QCoreApplication>

#include "core/editing/auto_size.h"
#include "core/editing/edit_messages.h"
#include "core/editing/new_record_value.h"
#include "core/editing/row_clipboard.h"
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/limits.h"

namespace kribed {

namespace {

QByteArray newFieldName(int field)
{
    return QByteArrayLiteral("Field ") + QByteArray::number(field);
}

// Gives the column position a fresh definition: String, no popup items.
void resetDefinition(Database &database, int field)
{
    database.setFieldType(field, StringType);
    database.popupList(field).clear();
}

} // namespace

EditResult appendRow(Database &database, RowClipboard &clipboard, Prompter &prompter,
                     const QDateTime &now, const Regional &regional,
                     const ShapeAnnouncer &announcer)
{
    if (database.recordCount() >= MaxRecords) {
        reportRefusal(prompter,
                      QCoreApplication::translate("RowColumnOps",
                                                  "You mustn't have more than 9999 rows in Kribo"));
        return {};
    }
    database.setModified();
    clearRowClipboard(clipboard);
    // The new row is in place and empty while its values are made, so it counts as 0 in an
    // auto-increment scan and the next number is never below the increment amount.
    EditResult result;
    result.applied = true;
    result.insertedRecord = database.recordCount() + 1;
    result.currentRecord = result.insertedRecord;
    result.currentField = 1;
    announce(announcer, result, [&] {
        database.insertRecord(result.insertedRecord);
        database.recordAt(result.insertedRecord) = newRecordValues(database, now, regional);
    });
    return result;
}

EditResult insertRow(Database &database, RowClipboard &clipboard, int record, Prompter &prompter,
                     const QDateTime &now, const Regional &regional,
                     const ShapeAnnouncer &announcer)
{
    if (database.recordCount() >= MaxRecords) {
        reportRefusal(prompter,
                      QCoreApplication::translate(
                          "RowColumnOps", "You mustn't have more than 9999 rows in Kribo."));
        return {};
    }
    database.setModified();
    clearRowClipboard(clipboard);
    // The values are made before the row goes in, so an auto-increment scan sees every existing
    // value and no empty cell.
    Database::Record values = newRecordValues(database, now, regional);
    EditResult result;
    result.applied = true;
    result.insertedRecord = record;
    announce(announcer, result, [&] { database.insertRecord(record, std::move(values)); });
    return result;
}

EditResult deleteRow(Database &database, RowClipboard &clipboard, int record, Prompter &prompter,
                     bool expertMode, const ShapeAnnouncer &announcer)
{
    if (database.recordCount() <= 1) {
        reportRefusal(prompter, QCoreApplication::translate("RowColumnOps",
                                                            "You mustn't delete the first row!"));
        return {};
    }
    if (!confirmOperation(
            prompter, expertMode,
            QCoreApplication::translate("RowColumnOps", "Do you want to delete the selected row?")))
        return {};
    database.setModified();
    clearRowClipboard(clipboard);
    EditResult result;
    result.applied = true;
    result.removedRecord = record;
    result.currentRecord = std::min(record, database.recordCount() - 1);
    announce(announcer, result, [&] { database.takeRecord(record); });
    return result;
}

EditResult appendColumn(Database &database, Prompter &prompter, const ShapeAnnouncer &announcer)
{
    if (database.fieldCount() >= MaxFields) {
        reportRefusal(prompter,
                      QCoreApplication::translate(
                          "RowColumnOps", "You mustn't have more than 50 columns in Kribo!"));
        return {};
    }
    database.setModified();
    const int field = database.fieldCount() + 1;
    EditResult result;
    result.applied = true;
    result.insertedField = field;
    result.currentRecord = 1;
    result.currentField = field;
    announce(announcer, result, [&] {
        database.insertField(field, newFieldName(field), NewColumnPixelWidth);
        resetDefinition(database, field);
    });
    return result;
}

EditResult insertColumn(Database &database, int field, Prompter &prompter,
                        const ShapeAnnouncer &announcer)
{
    if (database.fieldCount() >= MaxFields) {
        reportRefusal(prompter,
                      QCoreApplication::translate(
                          "RowColumnOps", "You mustn't have more than 50 columns in Kribo!"));
        return {};
    }
    database.setModified();
    EditResult result;
    result.applied = true;
    result.insertedField = field;
    announce(announcer, result, [&] {
        database.insertField(field, newFieldName(field), NewColumnPixelWidth);
        // The definitions of the columns from here on move one place to the right with them.
        for (int position = database.fieldCount(); position > field; --position) {
            database.setFieldType(position, database.fieldType(position - 1));
            database.popupList(position) = database.popupList(position - 1);
        }
        resetDefinition(database, field);
    });
    return result;
}

EditResult deleteColumn(Database &database, int field, Prompter &prompter, bool expertMode,
                        AutoWidths &autoWidths, const ShapeAnnouncer &announcer)
{
    if (database.fieldCount() <= 1) {
        reportRefusal(prompter, QCoreApplication::translate(
                                    "RowColumnOps", "You mustn't delete the first column!"));
        return {};
    }
    if (!confirmOperation(prompter, expertMode,
                          QCoreApplication::translate(
                              "RowColumnOps", "Do you want to delete the selected column?")))
        return {};
    database.setModified();
    EditResult result;
    result.applied = true;
    result.removedField = field;
    result.currentField = std::min(field, database.fieldCount() - 1);
    announce(announcer, result, [&] {
        // The definitions after the column move one place to the left. The position the last
        // one leaves is beyond the fields now: it gets what such a position holds after a load,
        // so the database saves to the same bytes before and after it is opened again (the
        // type codes of every position are saved).
        const int last = database.fieldCount();
        for (int position = field; position < last; ++position) {
            database.setFieldType(position, database.fieldType(position + 1));
            database.popupList(position) = database.popupList(position + 1);
        }
        resetDefinition(database, last);
        database.removeField(field);
        autoWidths.removeSlot(field);
    });
    return result;
}

void renumberRows(Database &database)
{
    database.setModified();
}

EditResult moveRow(Database &database, int from, int to)
{
    if (from < 1 || to < 1 || from > database.recordCount() || to > database.recordCount())
        return {};
    database.moveRecord(from, to);
    renumberRows(database);
    EditResult result;
    result.applied = true;
    result.currentRecord = to;
    return result;
}

} // namespace kribed
