// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
// The main window's editing commands: cell editor, row and column operations, the row and cell
// clipboards, automatic column widths, and the grid's editing hooks.
#include "gui/window/main_window.h"

#include "core/editing/auto_size.h"
#include "core/editing/cell_clipboard.h"
#include "core/editing/column_definition.h"
#include "core/editing/header_hints.h"
#include "core/editing/record_filter.h"
#include "core/editing/row_clipboard.h"
#include "core/editing/row_column_ops.h"
#include "core/model/regional.h"
#include "core/platform/code_page.h"
#include "gui/dialogs/cell_editor_dialog.h"
#include "gui/dialogs/properties_dialog.h"
#include "gui/grid/database_document.h"
#include "gui/grid/display_text_width.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QGuiApplication>
#include <QHeaderView>
#include <QTableView>

namespace kribed {

namespace {

// What the editing commands keep between commands: the row buffer and the widths that automatic
// sizing restores. One per window, living as its child.
class EditingState : public QObject
{
public:
    explicit EditingState(QObject *parent)
        : QObject(parent)
    {
        setObjectName(name());
    }
    static QString name() { return QStringLiteral("EditingState"); }
    RowClipboard rowClipboard;
    AutoWidths autoWidths;
};

EditingState &stateOf(MainWindow &window)
{
    // Found by its name: the class has no meta-object of its own to tell it from other children.
    if (QObject *state =
            window.findChild<QObject *>(EditingState::name(), Qt::FindDirectChildrenOnly))
        return *static_cast<EditingState *>(state);
    return *new EditingState(&window);
}

struct WaitCursor
{
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

// The grid hears of a new or removed row or column while it happens, and of nothing else.
ShapeAnnouncer gridAnnouncer(DatabaseDocument &document)
{
    return [&document](const EditResult &plan, const std::function<void()> &change) {
        const auto run = [&change](Database &) { change(); };
        if (plan.insertedRecord)
            document.insertRecords(plan.insertedRecord, 1, run);
        else if (plan.removedRecord)
            document.removeRecords(plan.removedRecord, 1, run);
        else if (plan.insertedField)
            document.insertFields(plan.insertedField, 1, run);
        else if (plan.removedField)
            document.removeFields(plan.removedField, 1, run);
        else
            change();
    };
}

// The cells of one whole row changed in place (texts and stamps).
template<class F> decltype(auto) changeRow(DatabaseDocument &document, int record, F &&change)
{
    return document.changeCells(1, record, document.database().fieldCount(), record,
                                std::forward<F>(change));
}

bool hasCell(const Database &database, int field, int record)
{
    return field >= 1 && field <= database.fieldCount() && record >= 1
           && record <= database.recordCount();
}

} // namespace

// The dialog is made once, as a child of the main window, and kept for the run.
CellEditorDialog *cellEditorOf(MainWindow &window)
{
    if (auto *form = window.findChild<CellEditorDialog *>())
        return form;
    auto *form = new CellEditorDialog(&window);
    QObject::connect(form, &QDialog::accepted, &window, [&window, form] {
        DatabaseDocument &document = window.document();
        if (!form->changedText() || !hasCell(document.database(), form->field(), form->record()))
            return;
        changeRow(document, form->record(), [form](Database &database) {
            return form->apply(database, QDateTime::currentDateTime());
        });
    });
    return form;
}

void MainWindow::editCell()
{
    const Database &database = mDocument->database();
    if (!isDatabaseOpen() || !hasCell(database, currentField(), currentRecord()))
        return;
    CellEditorDialog *form = cellEditorOf(*this);
    form->prepare(database, currentField(), currentRecord(), mDisplayFont);
    // Modal over the main window; OK's change reaches the database through `accepted`.
    form->open();
}

void MainWindow::cutCell()
{
    const int field = currentField();
    const int record = currentRecord();
    if (!isDatabaseOpen() || !hasCell(mDocument->database(), field, record))
        return;
    QByteArray text;
    changeRow(*mDocument, record, [&](Database &database) {
        return kribed::cutCell(database, field, record, QDateTime::currentDateTime(), &text);
    });
    QGuiApplication::clipboard()->setText(currentRegional().toText(text));
}

void MainWindow::copyCell()
{
    if (!isDatabaseOpen() || !hasCell(mDocument->database(), currentField(), currentRecord()))
        return;
    QGuiApplication::clipboard()->setText(currentRegional().toText(
        kribed::copyCell(mDocument->database(), currentField(), currentRecord())));
}

void MainWindow::pasteCell()
{
    const int field = currentField();
    const int record = currentRecord();
    if (!isDatabaseOpen() || !hasCell(mDocument->database(), field, record))
        return;
    // The clipboard's text as it is, line breaks and tabs included, in the display code page.
    const QByteArray text =
        encodeOrQuestionMark(QGuiApplication::clipboard()->text(), currentRegional().codePage());
    changeRow(*mDocument, record, [&](Database &database) {
        return kribed::pasteCell(database, field, record, text, QDateTime::currentDateTime());
    });
}

void MainWindow::cutRow()
{
    if (!isDatabaseOpen())
        return;
    rowSumOff();
    applyFilter(false);
    EditingState &state = stateOf(*this);
    const int record = currentRecord();
    const EditResult result = changeRow(*mDocument, record, [&](Database &database) {
        return kribed::cutRow(database, state.rowClipboard, record, mPrompter,
                              mSettings.expertMode);
    });
    if (result.applied) {
        action(QStringLiteral("actionPasteRow"))->setEnabled(true);
        action(QStringLiteral("contextPasteRow"))->setEnabled(true);
    }
}

void MainWindow::copyRow()
{
    if (!isDatabaseOpen())
        return;
    rowSumOff();
    applyFilter(false);
    kribed::copyRow(mDocument->database(), stateOf(*this).rowClipboard, currentRecord());
    action(QStringLiteral("actionPasteRow"))->setEnabled(true);
    action(QStringLiteral("contextPasteRow"))->setEnabled(true);
}

void MainWindow::pasteRow()
{
    EditingState &state = stateOf(*this);
    if (!isDatabaseOpen() || !state.rowClipboard.pasteRowEnabled())
        return;
    rowSumOff();
    applyFilter(false);
    const int record = currentRecord();
    changeRow(*mDocument, record, [&](Database &database) {
        return kribed::pasteRow(database, state.rowClipboard, record, mPrompter,
                                mSettings.expertMode);
    });
}

namespace {

// After a row or column operation: the current cell where the operation leaves it.
void followCurrentCell(MainWindow &window, const EditResult &result)
{
    if (!result.applied)
        return;
    const int field = result.currentField ? result.currentField : window.currentField();
    const int record = result.currentRecord ? result.currentRecord : window.currentRecord();
    window.setCurrentCell(field, record);
}

} // namespace

void MainWindow::deleteRow()
{
    if (!isDatabaseOpen())
        return;
    rowSumOff();
    applyFilter(false);
    EditingState &state = stateOf(*this);
    const WaitCursor wait;
    const EditResult result =
        kribed::deleteRow(mDocument->database(), state.rowClipboard, currentRecord(), mPrompter,
                          mSettings.expertMode, gridAnnouncer(*mDocument));
    if (result.applied)
        clearRowClipboard();
    followCurrentCell(*this, result);
}

void MainWindow::insertRow()
{
    if (!isDatabaseOpen())
        return;
    rowSumOff();
    applyFilter(false);
    const int field = currentField();
    const int record = currentRecord();
    const WaitCursor wait;
    const EditResult result =
        kribed::insertRow(mDocument->database(), stateOf(*this).rowClipboard, record, mPrompter,
                          QDateTime::currentDateTime(), gridAnnouncer(*mDocument));
    if (result.applied) {
        clearRowClipboard();
        // The current cell stays in its place, which now holds the new record.
        setCurrentCell(field, record);
    }
}

void MainWindow::appendRow()
{
    if (!isDatabaseOpen())
        return;
    rowSumOff();
    applyFilter(false);
    const WaitCursor wait;
    const EditResult result =
        kribed::appendRow(mDocument->database(), stateOf(*this).rowClipboard, mPrompter,
                          QDateTime::currentDateTime(), gridAnnouncer(*mDocument));
    if (result.applied)
        clearRowClipboard();
    followCurrentCell(*this, result);
}

void MainWindow::deleteColumn()
{
    if (!isDatabaseOpen())
        return;
    rowSumOff();
    applyFilter(false);
    const WaitCursor wait;
    const EditResult result =
        kribed::deleteColumn(mDocument->database(), currentField(), mPrompter, mSettings.expertMode,
                             stateOf(*this).autoWidths, gridAnnouncer(*mDocument));
    followCurrentCell(*this, result);
}

void MainWindow::insertColumn()
{
    if (!isDatabaseOpen())
        return;
    rowSumOff();
    applyFilter(false);
    autoSizeColumns(false);
    const int field = currentField();
    const int record = currentRecord();
    const WaitCursor wait;
    const EditResult result =
        kribed::insertColumn(mDocument->database(), field, mPrompter, gridAnnouncer(*mDocument));
    if (result.applied)
        setCurrentCell(field, record);
}

void MainWindow::appendColumn()
{
    if (!isDatabaseOpen())
        return;
    rowSumOff();
    applyFilter(false);
    autoSizeColumns(false);
    const WaitCursor wait;
    const EditResult result =
        kribed::appendColumn(mDocument->database(), mPrompter, gridAnnouncer(*mDocument));
    followCurrentCell(*this, result);
}

void MainWindow::toggleAutoSizing()
{
    autoSizeColumns(!mAutoSizing);
}

// Switches automatic widths on or off: record the state with SetAutoSizingState and put the
// widths into the database through the document (NotifyColumnWidthsChanged).
void MainWindow::autoSizeColumns(bool on)
{
    AutoWidths &autoWidths = stateOf(*this).autoWidths;
    // The window's state rules: marked off without restoring (a new database), nothing comes back.
    if (!mAutoSizing)
        autoWidths.resetWithoutRestoring();
    kribed::autoSizeColumns(mDocument->database(), autoWidths, on,
                            displayTextMeasure(mDisplayFont, currentRegional().codePage()));
    setAutoSizingState(on);
    mDocument->notifyColumnWidthsChanged();
}

void MainWindow::fitColumn(int field)
{
    const Database &database = mDocument->database();
    if (field < 1 || field > database.fieldCount())
        return;
    const int width = autoColumnWidth(
        database, field, displayTextMeasure(mDisplayFont, currentRegional().codePage()));
    // The header reports the new width as a dragged border does (columnResized).
    mGrid->horizontalHeader()->resizeSection(field - 1, width);
}

// Empties the row clipboard; both Paste row entries go off.
void MainWindow::clearRowClipboard()
{
    kribed::clearRowClipboard(stateOf(*this).rowClipboard);
    action(QStringLiteral("actionPasteRow"))->setEnabled(false);
    action(QStringLiteral("contextPasteRow"))->setEnabled(false);
}

// Called by applyFilter with the filter on and a filter text: every record is shown at this point;
// mark the records the filter leaves out hidden in the database (the grid follows).
void MainWindow::applyRecordFilter()
{
    // The field and the match options are the properties dialog's, as it was last left, whatever
    // database has been loaded since (before its list was ever filled: all fields).
    FilterOptions options;
    if (const auto *properties = findChild<PropertiesDialog *>())
        options = properties->filterChoices();
    kribed::applyFilter(mDocument->database(), true, options);
}

QString MainWindow::headerHint(int field) const
{
    const Database &database = mDocument->database();
    if (field < 0 || field > database.fieldCount())
        return {};
    return headerHintText(database, field);
}

QString MainWindow::recordCountHint() const
{
    return recordCountHintText(mDocument->database());
}

// The grid has already moved the field's name, cells and pixel width (Database::moveField); the
// field type, the popup list and the remembered automatic width follow here.
void MainWindow::moveColumnDefinitionOf(int from, int to)
{
    moveColumnDefinition(mDocument->database(), from, to, stateOf(*this).autoWidths);
}

} // namespace kribed
