// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/record_filter.h"

#include "core/editing/text_match.h"
#include "core/model/database.h"

namespace kribed {

bool RecordMatchesFilter(const Database &database, int record, QByteArrayView foldedText,
                         int field, bool mustBeginWith)
{
    // A filter field that names no existing field (a file's stored choice, or a column deleted
    // since) is taken as all fields rather than read beside the record.
    const bool oneField = field >= 1 && field <= database.FieldCount();
    const int first = oneField ? field : 1;
    const int last = oneField ? field : database.FieldCount();
    for (int column = first; column <= last; ++column) {
        if (MatchesFolded(database.Cell(column, record), foldedText, mustBeginWith))
            return true;
    }
    return false;
}

int ApplyFilter(Database &database, bool on, const FilterOptions &options)
{
    database.SetFilterOn(on);
    database.ShowAllRecords();
    if (!on || database.FilterText().isEmpty())
        return 0;
    const QByteArray folded = FoldAToZ(database.FilterText());
    const int field = options.field >= 0 ? options.field : database.FilterField();
    int hidden = 0;
    for (int record = 1; record <= database.RecordCount(); ++record) {
        const bool matches =
            RecordMatchesFilter(database, record, folded, field, options.mustBeginWith);
        if (matches == options.exclude) {
            database.SetHidden(record, true);
            ++hidden;
        }
    }
    return hidden;
}

} // namespace kribed
