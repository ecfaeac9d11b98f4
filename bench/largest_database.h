// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/model/database.h"
#include "core/model/field_type.h"

#include <QByteArray>

namespace kribed::bench {

// A database of `fields` x `records` (the largest is 50 x 9999): named fields, every fifth an
// automatic number, every seventh a creation date, the others texts like "Text 12 of field 3".
inline Database largestDatabase(int fields, int records)
{
    Database database;
    database.setShape(fields, records);
    for (int field = 1; field <= fields; ++field) {
        database.setFieldName(field, QByteArrayLiteral("Field ") + QByteArray::number(field));
        database.setFieldType(field, field % 5 == 0   ? AutoIncrementIntegerType
                                     : field % 7 == 0 ? CreationDateType
                                                      : StringType);
        for (int record = 1; record <= records; ++record) {
            database.setCell(
                field, record,
                field % 5 == 0 ? QByteArray::number(record)
                               : QByteArrayLiteral("Text ") + QByteArray::number(record)
                                     + QByteArrayLiteral(" of field ") + QByteArray::number(field));
        }
    }
    return database;
}

} // namespace kribed::bench
