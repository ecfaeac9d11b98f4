// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/column_definition.h"

#include "core/editing/auto_size.h"
#include "core/model/database.h"
#include "core/model/limits.h"

#include <utility>

namespace kribed {

void MoveColumnDefinition(Database &database, int from, int to, AutoWidths &autoWidths)
{
    if (from < 1 || to < 1 || from > MaxFields || to > MaxFields || from == to)
        return;
    const int movedType = database.FieldType(from);
    QList<QByteArray> movedList = std::move(database.PopupList(from));
    const int step = to < from ? -1 : 1;
    for (int position = from; position != to; position += step) {
        database.SetFieldType(position, database.FieldType(position + step));
        database.PopupList(position) = std::move(database.PopupList(position + step));
    }
    database.SetFieldType(to, movedType);
    database.PopupList(to) = std::move(movedList);
    autoWidths.MoveSlot(from, to);

}

EditResult MoveColumn(Database &database, int from, int to, AutoWidths &autoWidths)
{
    if (from < 1 || to < 1 || from > database.FieldCount() || to > database.FieldCount())
        return {};
    database.MoveField(from, to);
    MoveColumnDefinition(database, from, to, autoWidths);
    database.SetModified();
    EditResult result;
    result.applied = true;
    result.currentField = to;
    return result;
}

} // namespace kribed
