// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/model/database.h"
#include "core/platform/prompter.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace kribed {

// What the find dialog holds: the search string (cell bytes), the field (0 = all fields), and
// its two check boxes.
struct FindSettings
{
    QByteArray text;
    int field = 0;
    bool mustBegin = false; // "Field must begin with String"
    bool fromStart = false; // "Find from the start"
};

// The search position kept for the whole run. While findActive is set, the next search goes on
// in the column after (findCol, findRow).
struct FindState
{
    bool findActive = false;
    int findRow = 0;
    int findCol = 0;
};

// A cell in grid coordinates: column 1..m, row 1..n.
struct GridCell
{
    int column = 0;
    int row = 0;
    bool operator==(const GridCell &other) const
    {
        return column == other.column && row == other.row;
    }
};

// Whether one cell's text matches the already folded search string.
bool findMatches(QByteArrayView cellText, QByteArrayView foldedSearch, bool mustBegin);

// Looks for the next matching cell, row by row from the top and left to right within a row,
// starting below currentRow (or at row 1 with "Find from the start") or after the last match.
// Returns the cell to make current, or none after telling "Search text not found.".
std::optional<GridCell> searchNext(const Database &database, FindState &state,
                                   const FindSettings &settings, int currentRow,
                                   Prompter &prompter);

} // namespace kribed
