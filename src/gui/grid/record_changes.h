// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/model/database.h"

#include <QString>
#include <QVector>

namespace kribed {

class DatabaseDocument;

// One change of a whole record of the open database: its cells replaced, a record inserted
// before `record`, or the record removed.
struct RecordChange
{
    enum Kind { Replace, Insert, Remove };
    Kind kind = Replace;
    int record = 0;
    Database::Record cells; // Replace and Insert: the record's new cells, one per field
};

// Runs the changes in order on the open database (each place counted after the changes before
// it) and keeps them as one undo step of that name; undo takes them back in the reverse order.
// Inserted records are shown. Nothing happens for no changes.
void recordRecordChanges(DatabaseDocument &document, const QString &text,
                         const QVector<RecordChange> &changes);

} // namespace kribed
