// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/cell_clipboard.h"

#include "core/editing/stamp.h"
#include "core/model/database.h"

namespace kribed {

EditResult CutCell(Database &database, int field, int record, const QDateTime &now,
                   QByteArray *cutText)
{
    if (cutText)
        *cutText = database.Cell(field, record);
    StampRow(database, record, now);
    database.SetCell(field, record, QByteArray());
    database.SetModified();
    return RowChangedInPlace(record, field);
}

QByteArray CopyCell(const Database &database, int field, int record)
{
    return database.Cell(field, record);
}

EditResult PasteCell(Database &database, int field, int record, const QByteArray &text,
                     const QDateTime &now)
{
    database.SetCell(field, record, text);
    StampRow(database, record, now);
    database.SetModified();
    return RowChangedInPlace(record, field);
}

EditResult StoreEditedText(Database &database, int field, int record, const QByteArray &text,
                           const QDateTime &now)
{
    if (database.Cell(field, record) == text)
        return {};
    database.SetModified();
    StampRow(database, record, now);
    database.SetCell(field, record, text);
    return RowChangedInPlace(record, field);
}

} // namespace kribed
