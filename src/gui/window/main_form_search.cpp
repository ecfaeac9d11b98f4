// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
// The main window's search commands: find, column and row sums, sorting, printing.
#include "gui/window/main_form.h"

#include "core/editing/find.h"
#include "core/editing/sort.h"
#include "core/editing/sums.h"
#include "core/model/regional.h"
#include "gui/dialogs/file_dialogs.h"
#include "gui/dialogs/find_form.h"
#include "gui/dialogs/properties_form.h"
#include "gui/grid/database_document.h"
#include "gui/print/print_renderer.h"

#include <QApplication>
#include <QLineEdit>
#include <QPrinter>

namespace kribed {

// The find dialog, made once and kept with the window (so it keeps its texts and the search
// position for the whole run).
TFindForm &FindForm(TMainForm &window)
{
    auto *form = window.findChild<TFindForm *>(QString(), Qt::FindDirectChildrenOnly);
    if (!form) {
        form = new TFindForm(&window);
        if (auto *edit = form->findChild<QLineEdit *>(QStringLiteral("E_Find")))
            edit->setFont(window.DisplayFont());
    }
    return *form;
}

namespace {

QStringList FieldNames(const Database &database)
{
    QStringList names;
    for (int k = 1; k <= database.fieldCount(); ++k)
        names << currentRegional().toText(database.fieldName(k));
    return names;
}

void RunSearch(TMainForm &window, TFindForm &form)
{
    const std::optional<GridCell> found =
        searchNext(window.Document().Data(), form.State(), form.Settings(), window.CurrentRecord(),
                   window.ask());
    if (found)
        window.SetCurrentCell(found->column, found->row);
}

// Shows the hourglass for as long as it lives.
struct WaitCursor
{
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

void SortCommand(TMainForm &window, int direction)
{
    window.rowSumOff();
    const Database &database = window.Document().Data();
    SortSpec spec;
    spec.direction = direction;
    spec.primary = window.CurrentField();
    spec.secondary = database.secondarySortField();
    spec.tertiary = database.tertiarySortField();
    // The reverse flags are settings of the properties dialog for the run.
    if (const auto *properties = window.findChild<TPropertiesForm *>()) {
        spec.secondaryReverse = properties->Choices().secondaryReverse;
        spec.tertiaryReverse = properties->Choices().tertiaryReverse;
    }
    const int field = window.CurrentField();
    const int record = window.CurrentRecord();
    {
        const WaitCursor wait;
        window.Document().ReorderRecords([&](Database &data) {
            QVector<int> oldOfNew = sortRows(data, spec);
            for (int &old : oldOfNew)
                --old;
            return oldOfNew;
        });
    }
    // The hidden rows stayed in their places: the filter picks its records again.
    if (window.IsFilterOn())
        window.applyFilter(true);
    // The current cell stays where it was, whatever record is there now.
    window.SetCurrentCell(field, record);
}

} // namespace

void TMainForm::Find1Click()
{
    TFindForm &form = FindForm(*this);
    form.State().findActive = false;
    form.FormShow(FieldNames(mDocument->Data()), CurrentRecord());
    if (form.exec() == QDialog::Accepted)
        RunSearch(*this, form);
}

void TMainForm::Findnext1Click()
{
    TFindForm &form = FindForm(*this);
    if (form.State().findActive)
        RunSearch(*this, form);
    else
        Find1Click();
}

void TMainForm::ColSum1Click()
{
    rowSumOff();
    const int field = CurrentField();
    const int record = CurrentRecord();
    mDocument->ChangeCells(field, record, field, record,
                           [&](Database &database) { return columnSum(database, field, record); });
}

void TMainForm::RowSum1Click()
{
    SetRowSumState(!mRowSumOn);
    if (mRowSumOn)
        computeRowSums();
}

// Row-sum mode off: the check mark and the tool button follow SetRowSumState.
void TMainForm::rowSumOff()
{
    SetRowSumState(false);
}

// Fills the sum field of every record while row-sum mode is on; without a single sum field only
// the current cell, and the mode goes off again.
void TMainForm::computeRowSums()
{
    RowSumState state;
    state.rowSumMode = mRowSumOn;
    const RowSumOutcome outcome =
        kribed::computeRowSums(mDocument->Data(), state, CurrentField(), CurrentRecord());
    if (outcome.column > 0) {
        mDocument->ChangeCells(outcome.column, outcome.firstRow, outcome.column, outcome.lastRow,
                               [](Database &) {});
    }
    if (!state.rowSumMode)
        rowSumOff();
}

void TMainForm::Sortnormal1Click()
{
    SortCommand(*this, 1);
}

void TMainForm::SortReverse1Click()
{
    SortCommand(*this, -1);
}

void TMainForm::Print1Click()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!mDialogs.ChoosePrinter(printer, 0))
        return;
    const WaitCursor wait;
    PrintRenderer(mDisplayFont).Print(mDocument->Data(), printer);
}

} // namespace kribed
