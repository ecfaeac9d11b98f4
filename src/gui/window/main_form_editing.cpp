// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
// The main window's editing commands: cell editor, row and column operations, the row and cell
// clipboards, automatic column widths, and the grid's editing hooks.
#include "gui/window/main_form.h"

#include "core/editing/auto_size.h"
#include "core/editing/cell_clipboard.h"
#include "core/editing/column_definition.h"
#include "core/editing/header_hints.h"
#include "core/editing/record_filter.h"
#include "core/editing/row_clipboard.h"
#include "core/editing/row_column_ops.h"
#include "core/model/regional.h"
#include "core/platform/code_page.h"
#include "gui/dialogs/bank_form.h"
#include "gui/dialogs/properties_form.h"
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

EditingState &stateOf(TMainForm &window)
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
ShapeAnnouncer GridAnnouncer(DatabaseDocument &document)
{
    return [&document](const EditResult &plan, const std::function<void()> &change) {
        const auto run = [&change](Database &) { change(); };
        if (plan.insertedRecord)
            document.InsertRecords(plan.insertedRecord, 1, run);
        else if (plan.removedRecord)
            document.RemoveRecords(plan.removedRecord, 1, run);
        else if (plan.insertedField)
            document.InsertFields(plan.insertedField, 1, run);
        else if (plan.removedField)
            document.RemoveFields(plan.removedField, 1, run);
        else
            change();
    };
}

// The cells of one whole row changed in place (texts and stamps).
template<class F> decltype(auto) ChangeRow(DatabaseDocument &document, int record, F &&change)
{
    return document.ChangeCells(1, record, document.Data().fieldCount(), record,
                                std::forward<F>(change));
}

bool HasCell(const Database &database, int field, int record)
{
    return field >= 1 && field <= database.fieldCount() && record >= 1
           && record <= database.recordCount();
}

} // namespace

// The dialog is made once, as a child of the main window, and kept for the run.
TBankForm *BankFormOf(TMainForm &window)
{
    if (auto *form = window.findChild<TBankForm *>())
        return form;
    auto *form = new TBankForm(&window);
    QObject::connect(form, &QDialog::accepted, &window, [&window, form] {
        DatabaseDocument &document = window.Document();
        if (!form->ChangedText() || !HasCell(document.Data(), form->Field(), form->Record()))
            return;
        ChangeRow(document, form->Record(), [form](Database &database) {
            return form->Apply(database, QDateTime::currentDateTime());
        });
    });
    return form;
}

void TMainForm::Edit1Click()
{
    const Database &database = mDocument->Data();
    if (!IsDatabaseOpen() || !HasCell(database, CurrentField(), CurrentRecord()))
        return;
    TBankForm *form = BankFormOf(*this);
    form->FormShow(database, CurrentField(), CurrentRecord(), mDisplayFont);
    // Modal over the main window; OK's change reaches the database through `accepted`.
    form->open();
}

void TMainForm::CutCell1Click()
{
    const int field = CurrentField();
    const int record = CurrentRecord();
    if (!IsDatabaseOpen() || !HasCell(mDocument->Data(), field, record))
        return;
    QByteArray text;
    ChangeRow(*mDocument, record, [&](Database &database) {
        return cutCell(database, field, record, QDateTime::currentDateTime(), &text);
    });
    QGuiApplication::clipboard()->setText(currentRegional().toText(text));
}

void TMainForm::CopyCell1Click()
{
    if (!IsDatabaseOpen() || !HasCell(mDocument->Data(), CurrentField(), CurrentRecord()))
        return;
    QGuiApplication::clipboard()->setText(
        currentRegional().toText(copyCell(mDocument->Data(), CurrentField(), CurrentRecord())));
}

void TMainForm::PasteCell1Click()
{
    const int field = CurrentField();
    const int record = CurrentRecord();
    if (!IsDatabaseOpen() || !HasCell(mDocument->Data(), field, record))
        return;
    // The clipboard's text as it is, line breaks and tabs included, in the display code page.
    const QByteArray text =
        encodeOrQuestionMark(QGuiApplication::clipboard()->text(), currentRegional().codePage());
    ChangeRow(*mDocument, record, [&](Database &database) {
        return pasteCell(database, field, record, text, QDateTime::currentDateTime());
    });
}

void TMainForm::CutRow1Click()
{
    if (!IsDatabaseOpen())
        return;
    rowSumOff();
    applyFilter(false);
    EditingState &state = stateOf(*this);
    const int record = CurrentRecord();
    const EditResult result = ChangeRow(*mDocument, record, [&](Database &database) {
        return cutRow(database, state.rowClipboard, record, mPrompter, mSettings.expertMode);
    });
    if (result.applied) {
        Action(QStringLiteral("PasteRow1"))->setEnabled(true);
        Action(QStringLiteral("PasteRow2"))->setEnabled(true);
    }
}

void TMainForm::CopyRow1Click()
{
    if (!IsDatabaseOpen())
        return;
    rowSumOff();
    applyFilter(false);
    copyRow(mDocument->Data(), stateOf(*this).rowClipboard, CurrentRecord());
    Action(QStringLiteral("PasteRow1"))->setEnabled(true);
    Action(QStringLiteral("PasteRow2"))->setEnabled(true);
}

void TMainForm::PasteRow1Click()
{
    EditingState &state = stateOf(*this);
    if (!IsDatabaseOpen() || !state.rowClipboard.pasteRowEnabled())
        return;
    rowSumOff();
    applyFilter(false);
    const int record = CurrentRecord();
    ChangeRow(*mDocument, record, [&](Database &database) {
        return pasteRow(database, state.rowClipboard, record, mPrompter, mSettings.expertMode);
    });
}

namespace {

// After a row or column operation: the current cell where the operation leaves it.
void FollowCurrentCell(TMainForm &window, const EditResult &result)
{
    if (!result.applied)
        return;
    const int field = result.currentField ? result.currentField : window.CurrentField();
    const int record = result.currentRecord ? result.currentRecord : window.CurrentRecord();
    window.SetCurrentCell(field, record);
}

} // namespace

void TMainForm::Delete_Row1Click()
{
    if (!IsDatabaseOpen())
        return;
    rowSumOff();
    applyFilter(false);
    EditingState &state = stateOf(*this);
    const WaitCursor wait;
    const EditResult result = deleteRow(mDocument->Data(), state.rowClipboard, CurrentRecord(),
                                        mPrompter, mSettings.expertMode, GridAnnouncer(*mDocument));
    if (result.applied)
        clearRowClipboard();
    FollowCurrentCell(*this, result);
}

void TMainForm::InsertRow1Click()
{
    if (!IsDatabaseOpen())
        return;
    rowSumOff();
    applyFilter(false);
    const int field = CurrentField();
    const int record = CurrentRecord();
    const WaitCursor wait;
    const EditResult result =
        insertRow(mDocument->Data(), stateOf(*this).rowClipboard, record, mPrompter,
                  QDateTime::currentDateTime(), GridAnnouncer(*mDocument));
    if (result.applied) {
        clearRowClipboard();
        // The current cell stays in its place, which now holds the new record.
        SetCurrentCell(field, record);
    }
}

void TMainForm::AppendRow1Click()
{
    if (!IsDatabaseOpen())
        return;
    rowSumOff();
    applyFilter(false);
    const WaitCursor wait;
    const EditResult result = appendRow(mDocument->Data(), stateOf(*this).rowClipboard, mPrompter,
                                        QDateTime::currentDateTime(), GridAnnouncer(*mDocument));
    if (result.applied)
        clearRowClipboard();
    FollowCurrentCell(*this, result);
}

void TMainForm::Delete_Column1Click()
{
    if (!IsDatabaseOpen())
        return;
    rowSumOff();
    applyFilter(false);
    const WaitCursor wait;
    const EditResult result =
        deleteColumn(mDocument->Data(), CurrentField(), mPrompter, mSettings.expertMode,
                     stateOf(*this).autoWidths, GridAnnouncer(*mDocument));
    FollowCurrentCell(*this, result);
}

void TMainForm::InsertColumn1Click()
{
    if (!IsDatabaseOpen())
        return;
    rowSumOff();
    applyFilter(false);
    autoSizeColumns(false);
    const int field = CurrentField();
    const int record = CurrentRecord();
    const WaitCursor wait;
    const EditResult result =
        insertColumn(mDocument->Data(), field, mPrompter, GridAnnouncer(*mDocument));
    if (result.applied)
        SetCurrentCell(field, record);
}

void TMainForm::AppendColumn1Click()
{
    if (!IsDatabaseOpen())
        return;
    rowSumOff();
    applyFilter(false);
    autoSizeColumns(false);
    const WaitCursor wait;
    const EditResult result = appendColumn(mDocument->Data(), mPrompter, GridAnnouncer(*mDocument));
    FollowCurrentCell(*this, result);
}

void TMainForm::Autosizing1Click()
{
    autoSizeColumns(!mAutoSizing);
}

// Switches automatic widths on or off: record the state with SetAutoSizingState and put the
// widths into the database through the document (NotifyColumnWidthsChanged).
void TMainForm::autoSizeColumns(bool on)
{
    AutoWidths &autoWidths = stateOf(*this).autoWidths;
    // The window's state rules: marked off without restoring (a new database), nothing comes back.
    if (!mAutoSizing)
        autoWidths.resetWithoutRestoring();
    kribed::autoSizeColumns(mDocument->Data(), autoWidths, on,
                            DisplayTextMeasure(mDisplayFont, currentRegional().codePage()));
    SetAutoSizingState(on);
    mDocument->NotifyColumnWidthsChanged();
}

void TMainForm::StringGridFitColumn(int field)
{
    const Database &database = mDocument->Data();
    if (field < 1 || field > database.fieldCount())
        return;
    const int width = autoColumnWidth(
        database, field, DisplayTextMeasure(mDisplayFont, currentRegional().codePage()));
    // The header reports the new width as a dragged border does (StringGridEndColumnSize).
    mGrid->horizontalHeader()->resizeSection(field - 1, width);
}

// Empties the row clipboard; both Paste row entries go off.
void TMainForm::clearRowClipboard()
{
    kribed::clearRowClipboard(stateOf(*this).rowClipboard);
    Action(QStringLiteral("PasteRow1"))->setEnabled(false);
    Action(QStringLiteral("PasteRow2"))->setEnabled(false);
}

// Called by applyFilter with the filter on and a filter text: every record is shown at this point;
// mark the records the filter leaves out hidden in the database (the grid follows).
void TMainForm::ApplyRecordFilter()
{
    // The field and the match options are the properties dialog's, as it was last left, whatever
    // database has been loaded since (before its list was ever filled: all fields).
    FilterOptions options;
    if (const auto *properties = findChild<TPropertiesForm *>())
        options = properties->FilterChoices();
    kribed::applyFilter(mDocument->Data(), true, options);
}

QString TMainForm::HeaderHint(int field) const
{
    const Database &database = mDocument->Data();
    if (field < 0 || field > database.fieldCount())
        return {};
    return headerHintText(database, field);
}

QString TMainForm::RecordCountHint() const
{
    return recordCountHintText(mDocument->Data());
}

// The grid has already moved the field's name, cells and pixel width (Database::moveField); the
// field type, the popup list and the remembered automatic width follow here.
void TMainForm::MoveColumnDefinitionOf(int from, int to)
{
    moveColumnDefinition(mDocument->Data(), from, to, stateOf(*this).autoWidths);
}

} // namespace kribed
