// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/record_filter.h"

#include "core/editing/text_match.h"
#include "core/model/database.h"

namespace kribed {

bool recordMatchesFilter(const Database &database, int record, QByteArrayView foldedText, int field,
                         bool mustBeginWith)
{
    // A filter field that names no existing field (a file's stored choice, or a column deleted
    // since) is taken as all fields rather than read beside the record.
    const bool oneField = field >= 1 && field <= database.fieldCount();
    const int first = oneField ? field : 1;
    const int last = oneField ? field : database.fieldCount();
    for (int column = first; column <= last; ++column) {
        if (matchesFolded(database.cellView(column, record), foldedText, mustBeginWith))
            return true;
    }
    return false;
}

int applyFilter(Database &database, bool on, const FilterOptions &options)
{
    database.setFilterOn(on);
    database.showAllRecords();
    if (!on || database.filterText().isEmpty())
        return 0;
    const QByteArray folded = foldAToZ(database.filterText());
    const int field = options.field >= 0 ? options.field : database.filterField();
    int hidden = 0;
    for (int record = 1; record <= database.recordCount(); ++record) {
        const bool matches =
            recordMatchesFilter(database, record, folded, field, options.mustBeginWith);
        if (matches == options.exclude) {
            database.setHidden(record, true);
            ++hidden;
        }
    }
    return hidden;
}

} // namespace kribed
