// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/model/database.h"
#include "core/model/field_type.h"

#include "core/model/limits.h"

#include <QByteArray>
#include <QRandomGenerator>

#include <iterator>

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

// The largest database as a real address or stock list holds it: texts of about 70 bytes made of
// words, many of them distinct; the last field is named as a row sum's ("Total&").
inline Database wordsDatabase()
{
    static const char *const words[] = {
        "alder",  "basalt",  "cobalt",  "dahlia",  "ember",    "fennel",  "garnet", "harbor",
        "indigo", "juniper", "kestrel", "lantern", "meadow",   "nutmeg",  "orchid", "pepper",
        "quartz", "raven",   "saffron", "thistle", "umber",    "violet",  "willow", "yarrow",
        "zephyr", "street",  "order",   "invoice", "delivery", "account", "balance"};
    QRandomGenerator random(43);
    Database database;
    database.setShape(MaxFields, MaxRecords);
    for (int field = 1; field < MaxFields; ++field)
        database.setFieldName(field, QByteArrayLiteral("Field ") + QByteArray::number(field));
    database.setFieldName(MaxFields, QByteArrayLiteral("Total&"));
    for (int record = 1; record <= MaxRecords; ++record) {
        for (int field = 1; field <= MaxFields; ++field) {
            QByteArray text = QByteArray::number(record) + '-' + QByteArray::number(field);
            while (text.size() < 64)
                text += QByteArray(" ") + words[random.bounded(int(std::size(words)))];
            database.setCell(field, record, text);
        }
    }
    return database;
}

} // namespace kribed::bench
