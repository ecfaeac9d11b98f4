// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/row_clipboard.h"

#include <QCoreApplication>

#include "core/editing/edit_messages.h"
#include "core/model/database.h"

namespace kribed {

void RowClipboard::fill(const Database &database, int record)
{
    for (int field = 1; field <= MaxFields; ++field) {
        mSlots[field - 1] =
            field <= database.fieldCount() ? database.cell(field, record) : QByteArray();
    }
    mFilled = true;
}

void RowClipboard::clear()
{
    for (QByteArray &slot : mSlots)
        slot.clear();
    mFilled = false;
}

void clearRowClipboard(RowClipboard &clipboard)
{
    clipboard.clear();
}

EditResult cutRow(Database &database, RowClipboard &clipboard, int record, Prompter &prompter,
                  bool expertMode)
{
    if (!confirmOperation(
            prompter, expertMode,
            QCoreApplication::translate("RowClipboard", "Do you want to cut the selected row?")))
        return {};
    database.setModified();
    clipboard.fill(database, record);
    for (int field = 1; field <= database.fieldCount(); ++field)
        database.setCell(field, record, QByteArray());
    return rowChangedInPlace(record, 0);
}

EditResult copyRow(Database &database, RowClipboard &clipboard, int record)
{
    // Copying alone counts as a change of the database, as it always has.
    database.setModified();
    clipboard.fill(database, record);
    EditResult result;
    result.applied = true;
    result.currentRecord = record;
    return result;
}

EditResult pasteRow(Database &database, const RowClipboard &clipboard, int record,
                    Prompter &prompter, bool expertMode)
{
    if (!clipboard.isFilled())
        return {};
    if (!confirmOperation(
            prompter, expertMode,
            QCoreApplication::translate("RowClipboard", "Do you want to paste the selected row?")))
        return {};
    database.setModified();
    for (int field = 1; field <= database.fieldCount(); ++field)
        database.setCell(field, record, clipboard.slot(field));
    return rowChangedInPlace(record, 0);
}

} // namespace kribed
