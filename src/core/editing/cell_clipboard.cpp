// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/cell_clipboard.h"

#include "core/editing/stamp.h"
#include "core/model/database.h"

namespace kribed {

EditResult cutCell(Database &database, int field, int record, const QDateTime &now,
                   const Regional &regional, QByteArray *cutText)
{
    if (cutText)
        *cutText = database.cell(field, record);
    stampRow(database, record, now, regional);
    database.setCell(field, record, QByteArray());
    database.setModified();
    return rowChangedInPlace(record, field);
}

QByteArray copyCell(const Database &database, int field, int record)
{
    return database.cell(field, record);
}

EditResult pasteCell(Database &database, int field, int record, const QByteArray &text,
                     const QDateTime &now, const Regional &regional)
{
    database.setCell(field, record, text);
    stampRow(database, record, now, regional);
    database.setModified();
    return rowChangedInPlace(record, field);
}

EditResult storeEditedText(Database &database, int field, int record, const QByteArray &text,
                           const QDateTime &now, const Regional &regional)
{
    if (database.cell(field, record) == text)
        return {};
    database.setModified();
    stampRow(database, record, now, regional);
    database.setCell(field, record, text);
    return rowChangedInPlace(record, field);
}

} // namespace kribed
