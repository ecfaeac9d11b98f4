// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/stamp.h"

#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/regional.h"

namespace kribed {

bool StampRow(Database &database, int record, const QDateTime &now)
{
    bool stamped = false;
    for (int field = 1; field <= database.FieldCount(); ++field) {
        const int type = database.FieldType(field);
        if (type == ModificationDateType) {
            database.SetCell(field, record, CurrentRegional().DateText(now.date()));
            stamped = true;
        } else if (type == ModificationTimeType) {
            database.SetCell(field, record, CurrentRegional().TimeText(now.time()));
            stamped = true;
        }
    }
    return stamped;
}

} // namespace kribed
