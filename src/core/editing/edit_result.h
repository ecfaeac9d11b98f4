// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <functional>

namespace kribed {

// What an editing operation did to the database, so that the grid can announce exactly that.
// Record and field numbers count from 1; 0 means "none".
struct EditResult
{
    bool applied = false;   // false: refused or declined, nothing changed (not even the flag)
    int insertedRecord = 0; // a new row at this place; the rows from here on moved down
    int removedRecord = 0;  // the row that was here is gone; the rows below moved up
    int insertedField = 0;  // a new column at this place; the columns from here on moved right
    int removedField = 0;   // the column that was here is gone; the columns after moved left
    int changedRecord = 0;  // cells of this row changed in place
    int currentRecord = 0;  // the current cell afterwards; 0 where it stays as it was
    int currentField = 0;
};

// The cells of one row changed in place; the current cell moves to that row, into currentField
// (0: the current column stays).
inline EditResult rowChangedInPlace(int record, int currentField)
{
    EditResult result;
    result.applied = true;
    result.changedRecord = record;
    result.currentRecord = record;
    result.currentField = currentField;
    return result;
}

// Runs the moment an operation changes the database's shape, after its questions and limits: the
// grid wraps `change` in its begin and end signals for what `planned` names (insertedRecord,
// removedRecord, insertedField or removedField). Without one the change simply runs.
using ShapeAnnouncer =
    std::function<void(const EditResult &planned, const std::function<void()> &change)>;

// Runs `change` through the announcer, or directly when there is none.
inline void announce(const ShapeAnnouncer &announcer, const EditResult &planned,
                     const std::function<void()> &change)
{
    if (announcer)
        announcer(planned, change);
    else
        change();
}

} // namespace kribed
