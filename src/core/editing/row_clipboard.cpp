// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/row_clipboard.h"

#include "core/editing/edit_messages.h"
#include "core/model/database.h"

namespace kribed {

void RowClipboard::Fill(const Database &database, int record)
{
    for (int field = 1; field <= MaxFields; ++field) {
        mSlots[field - 1] = field <= database.FieldCount() ? database.Cell(field, record)
                                                           : QByteArray();
    }
    mFilled = true;
}

void RowClipboard::Clear()
{
    for (QByteArray &slot : mSlots)
        slot.clear();
    mFilled = false;
}

void ClearRowClipboard(RowClipboard &clipboard)
{
    clipboard.Clear();
}

EditResult CutRow(Database &database, RowClipboard &clipboard, int record, Prompter &prompter,
                  bool expertMode)
{
    if (!ConfirmOperation(prompter, expertMode,
                          QStringLiteral("Do you want to cut the selected row?")))
        return {};
    database.SetModified();
    clipboard.Fill(database, record);
    for (int field = 1; field <= database.FieldCount(); ++field)
        database.SetCell(field, record, QByteArray());
    return RowChangedInPlace(record, 0);
}

EditResult CopyRow(Database &database, RowClipboard &clipboard, int record)
{
    // Copying alone counts as a change of the database, as it always has.
    database.SetModified();
    clipboard.Fill(database, record);
    EditResult result;
    result.applied = true;
    result.currentRecord = record;
    return result;
}

EditResult PasteRow(Database &database, const RowClipboard &clipboard, int record,
                    Prompter &prompter, bool expertMode)
{
    if (!clipboard.IsFilled())
        return {};
    if (!ConfirmOperation(prompter, expertMode,
                          QStringLiteral("Do you want to paste the selected row?")))
        return {};
    database.SetModified();
    for (int field = 1; field <= database.FieldCount(); ++field)
        database.SetCell(field, record, clipboard.Slot(field));
    return RowChangedInPlace(record, 0);
}

} // namespace kribed
