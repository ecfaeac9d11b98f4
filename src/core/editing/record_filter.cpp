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

QVector<char> recordsFilterShows(const Database &database, bool on, const FilterOptions &options)
{
    QVector<char> shown(database.recordCount(), 1);
    if (!on || database.filterText().isEmpty())
        return shown;
    const QByteArray folded = foldAToZ(database.filterText());
    const int field = options.field >= 0 ? options.field : database.filterField();
    for (int record = 1; record <= database.recordCount(); ++record) {
        const bool matches =
            recordMatchesFilter(database, record, folded, field, options.mustBeginWith);
        shown[record - 1] = matches != options.exclude;
    }
    return shown;
}

int applyFilter(Database &database, bool on, const FilterOptions &options)
{
    database.setFilterOn(on);
    database.showAllRecords();
    const QVector<char> shown = recordsFilterShows(database, on, options);
    int hidden = 0;
    for (int record = 1; record <= database.recordCount(); ++record) {
        if (!shown[record - 1]) {
            database.setHidden(record, true);
            ++hidden;
        }
    }
    return hidden;
}

} // namespace kribed
