// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/column_definition.h"

#include "core/editing/auto_size.h"
#include "core/model/database.h"
#include "core/model/limits.h"

#include <utility>

namespace kribed {

void moveColumnDefinition(Database &database, int from, int to, AutoWidths &autoWidths)
{
    if (from < 1 || to < 1 || from > MaxFields || to > MaxFields || from == to)
        return;
    const int movedType = database.fieldType(from);
    QList<QByteArray> movedList = std::move(database.popupList(from));
    const int step = to < from ? -1 : 1;
    for (int position = from; position != to; position += step) {
        database.setFieldType(position, database.fieldType(position + step));
        database.popupList(position) = std::move(database.popupList(position + step));
    }
    database.setFieldType(to, movedType);
    database.popupList(to) = std::move(movedList);
    autoWidths.moveSlot(from, to);
}

EditResult moveColumn(Database &database, int from, int to, AutoWidths &autoWidths)
{
    if (from < 1 || to < 1 || from > database.fieldCount() || to > database.fieldCount())
        return {};
    database.moveField(from, to);
    moveColumnDefinition(database, from, to, autoWidths);
    database.setModified();
    EditResult result;
    result.applied = true;
    result.currentField = to;
    return result;
}

} // namespace kribed
