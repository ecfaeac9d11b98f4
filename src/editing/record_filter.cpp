// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "editing/record_filter.h"

#include "model/database.h"

namespace kribed {

namespace {

char Fold(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

bool CellMatches(QByteArrayView cell, QByteArrayView foldedText, bool mustBeginWith)
{
    if (foldedText.size() > cell.size())
        return false;
    const qsizetype lastStart = mustBeginWith ? 0 : cell.size() - foldedText.size();
    for (qsizetype start = 0; start <= lastStart; ++start) {
        qsizetype at = 0;
        while (at < foldedText.size() && Fold(cell[start + at]) == foldedText[at])
            ++at;
        if (at == foldedText.size())
            return true;
    }
    return false;
}

} // namespace

QByteArray FoldFilterText(QByteArrayView text)
{
    QByteArray folded(text.size(), Qt::Uninitialized);
    for (qsizetype at = 0; at < text.size(); ++at)
        folded[at] = Fold(text[at]);
    return folded;
}

bool RecordMatchesFilter(const Database &database, int record, QByteArrayView foldedText,
                         int field, bool mustBeginWith)
{
    // A filter field that names no existing field (a file's stored choice, or a column deleted
    // since) is taken as all fields rather than read beside the record.
    const bool oneField = field >= 1 && field <= database.FieldCount();
    const int first = oneField ? field : 1;
    const int last = oneField ? field : database.FieldCount();
    for (int column = first; column <= last; ++column) {
        if (CellMatches(database.Cell(column, record), foldedText, mustBeginWith))
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
    const QByteArray folded = FoldFilterText(database.FilterText());
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
