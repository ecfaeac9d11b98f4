// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/find.h"

#include "core/editing/text_match.h"

namespace kribed {

bool FindMatches(QByteArrayView cellText, QByteArrayView foldedSearch, bool mustBegin)
{
    // An empty string is found nowhere.
    return !foldedSearch.isEmpty() && MatchesFolded(cellText, foldedSearch, mustBegin);
}

std::optional<GridCell> SearchNext(const Database &database, FindState &state,
                                   const FindSettings &settings, int currentRow,
                                   Prompter &prompter)
{
    const int lastRow = database.RecordCount();
    const int lastColumn = database.FieldCount();
    const QByteArray search = FoldAToZ(settings.text);
    const auto inSearchedColumns = [&](int column) {
        return settings.field <= 0 || column == settings.field;
    };

    if (!state.FindActive) {
        state.FindRow = settings.fromStart ? 0 : currentRow;
        state.FindCol = lastColumn; // the next step moves to the following row
    }
    for (;;) {
        if (state.FindCol >= lastColumn) {
            if (state.FindRow >= lastRow)
                break;
            ++state.FindRow;
            state.FindCol = 0;
            continue;
        }
        ++state.FindCol;
        if (!inSearchedColumns(state.FindCol))
            continue;
        // Rows deleted since the last match leave FindRow below the table: nothing to read.
        if (state.FindRow < 1 || state.FindRow > lastRow)
            continue;
        if (FindMatches(database.Cell(state.FindCol, state.FindRow), search, settings.mustBegin)) {
            state.FindActive = true;
            return GridCell{state.FindCol, state.FindRow};
        }
    }

    state.FindActive = false;
    prompter.Ask(Message{QStringLiteral("Find error"), QStringLiteral("Search text not found."),
                         Icon::None, Buttons::Ok});
    return std::nullopt;
}

} // namespace kribed
