// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
// The main window's search commands: find, column and row sums, sorting, printing.
#include "gui/window/main_window.h"

#include "core/editing/find.h"
#include "core/editing/sort.h"
#include "core/editing/sums.h"
#include "core/model/regional.h"
#include "gui/dialogs/file_dialogs.h"
#include "gui/dialogs/find_dialog.h"
#include "gui/dialogs/properties_dialog.h"
#include "gui/grid/database_document.h"
#include "gui/print/print_renderer.h"

#include <QApplication>
#include <QLineEdit>
#include <QPrinter>

namespace kribed {

// The find dialog, made once and kept with the window (so it keeps its texts and the search
// position for the whole run).
FindDialog &findDialogOf(MainWindow &window)
{
    auto *form = window.findChild<FindDialog *>(QString(), Qt::FindDirectChildrenOnly);
    if (!form) {
        form = new FindDialog(&window);
        if (auto *edit = form->findChild<QLineEdit *>(QStringLiteral("findEdit")))
            edit->setFont(window.displayFont());
    }
    return *form;
}

namespace {

QStringList fieldNames(const Database &database)
{
    QStringList names;
    for (int k = 1; k <= database.fieldCount(); ++k)
        names << currentRegional().toText(database.fieldName(k));
    return names;
}

void runSearch(MainWindow &window, FindDialog &form)
{
    const std::optional<GridCell> found =
        searchNext(window.document().database(), form.state(), form.settings(),
                   window.currentRecord(), window.ask());
    if (found)
        window.setCurrentCell(found->column, found->row);
}

// Shows the hourglass for as long as it lives.
struct WaitCursor
{
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

void sortCommand(MainWindow &window, int direction)
{
    window.rowSumOff();
    const Database &database = window.document().database();
    SortSpec spec;
    spec.direction = direction;
    spec.primary = window.currentField();
    spec.secondary = database.secondarySortField();
    spec.tertiary = database.tertiarySortField();
    // The reverse flags are settings of the properties dialog for the run.
    if (const auto *properties = window.findChild<PropertiesDialog *>()) {
        spec.secondaryReverse = properties->choices().secondaryReverse;
        spec.tertiaryReverse = properties->choices().tertiaryReverse;
    }
    const int field = window.currentField();
    const int record = window.currentRecord();
    {
        const WaitCursor wait;
        window.document().reorderRecords([&](Database &data) {
            QVector<int> oldOfNew = sortRows(data, spec);
            for (int &old : oldOfNew)
                --old;
            return oldOfNew;
        });
    }
    // The hidden rows stayed in their places: the filter picks its records again.
    if (window.isFilterOn())
        window.applyFilter(true);
    // The current cell stays where it was, whatever record is there now.
    window.setCurrentCell(field, record);
}

} // namespace

void MainWindow::find()
{
    FindDialog &form = findDialogOf(*this);
    form.state().findActive = false;
    form.prepare(fieldNames(mDocument->database()), currentRecord());
    if (form.exec() == QDialog::Accepted)
        runSearch(*this, form);
}

void MainWindow::findNext()
{
    FindDialog &form = findDialogOf(*this);
    if (form.state().findActive)
        runSearch(*this, form);
    else
        find();
}

void MainWindow::columnSum()
{
    rowSumOff();
    const int field = currentField();
    const int record = currentRecord();
    mDocument->changeCells(field, record, field, record, [&](Database &database) {
        return kribed::columnSum(database, field, record);
    });
}

void MainWindow::toggleRowSum()
{
    setRowSumState(!mRowSumOn);
    if (mRowSumOn)
        computeRowSums();
}

// Row-sum mode off: the check mark and the tool button follow SetRowSumState.
void MainWindow::rowSumOff()
{
    setRowSumState(false);
}

// Fills the sum field of every record while row-sum mode is on; without a single sum field only
// the current cell, and the mode goes off again.
void MainWindow::computeRowSums()
{
    RowSumState state;
    state.rowSumMode = mRowSumOn;
    const RowSumOutcome outcome =
        kribed::computeRowSums(mDocument->database(), state, currentField(), currentRecord());
    if (outcome.column > 0) {
        mDocument->changeCells(outcome.column, outcome.firstRow, outcome.column, outcome.lastRow,
                               [](Database &) {});
    }
    if (!state.rowSumMode)
        rowSumOff();
}

void MainWindow::sortNormal()
{
    sortCommand(*this, 1);
}

void MainWindow::sortReverse()
{
    sortCommand(*this, -1);
}

void MainWindow::print()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!mDialogs.choosePrinter(printer, 0))
        return;
    const WaitCursor wait;
    PrintRenderer(mDisplayFont).print(mDocument->database(), printer);
}

} // namespace kribed
