// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/find.h"

#include <QCoreApplication>

#include "core/editing/text_match.h"

namespace kribed {

bool findMatches(QByteArrayView cellText, QByteArrayView foldedSearch, bool mustBegin)
{
    // An empty string is found nowhere.
    return !foldedSearch.isEmpty() && matchesFolded(cellText, foldedSearch, mustBegin);
}

std::optional<GridCell> searchNext(const Database &database, FindState &state,
                                   const FindSettings &settings, int currentRow, Prompter &prompter)
{
    const int lastRow = database.recordCount();
    const int lastColumn = database.fieldCount();
    const QByteArray search = foldAToZ(settings.text);
    const auto inSearchedColumns = [&](int column) {
        return settings.field <= 0 || column == settings.field;
    };

    if (!state.findActive) {
        state.findRow = settings.fromStart ? 0 : currentRow;
        state.findCol = lastColumn; // the next step moves to the following row
    }
    for (;;) {
        if (state.findCol >= lastColumn) {
            if (state.findRow >= lastRow)
                break;
            ++state.findRow;
            state.findCol = 0;
            continue;
        }
        ++state.findCol;
        if (!inSearchedColumns(state.findCol))
            continue;
        // Rows deleted since the last match leave findRow below the table: nothing to read.
        if (state.findRow < 1 || state.findRow > lastRow)
            continue;
        if (findMatches(database.cellView(state.findCol, state.findRow), search,
                        settings.mustBegin)) {
            state.findActive = true;
            return GridCell{state.findCol, state.findRow};
        }
    }

    state.findActive = false;
    prompter.ask(Message{QCoreApplication::translate("Find", "Find error"),
                         QCoreApplication::translate("Find", "Search text not found."), Icon::None,
                         Buttons::Ok});
    return std::nullopt;
}

} // namespace kribed
