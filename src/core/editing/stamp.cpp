// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/stamp.h"

#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/regional.h"

namespace kribed {

bool stampRow(Database &database, int record, const QDateTime &now, const Regional &regional)
{
    bool stamped = false;
    for (int field = 1; field <= database.fieldCount(); ++field) {
        const int type = database.fieldType(field);
        if (type == ModificationDateType) {
            database.setCell(field, record, regional.dateText(now.date()));
            stamped = true;
        } else if (type == ModificationTimeType) {
            database.setCell(field, record, regional.timeText(now.time()));
            stamped = true;
        }
    }
    return stamped;
}

} // namespace kribed
