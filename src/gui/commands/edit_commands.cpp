// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/commands/edit_commands.h"

#include "core/editing/cell_clipboard.h"
#include "core/editing/unheld_characters.h"
#include "core/model/regional.h"
#include "core/platform/code_page.h"
#include "core/platform/settings.h"
#include "gui/commands/command_support.h"
#include "gui/commands/workspace.h"
#include "gui/dialogs/file_dialogs.h"
#include "gui/grid/database_document.h"
#include "gui/grid/recorded_edits.h"
#include "gui/grid/view_state_step.h"

#include <QAction>
#include <QClipboard>
#include <QDateTime>
#include <QGuiApplication>
#include <QTableView>

namespace kribed {

EditCommands::EditCommands(Workspace &workspace, QObject *parent)
    : QObject(parent)
    , actionEditCell(makeCommandAction(this, "actionEditCell", tr("&Edit cell..."),
                                       QKeySequence(Qt::Key_F2), tr("Edit cell")))
    , actionCutCell(makeCommandAction(this, "actionCutCell", tr("Cut cell"),
                                      QKeySequence(Qt::Key_F9), tr(" Cut cell")))
    , actionCopyCell(makeCommandAction(this, "actionCopyCell", tr("Copy cell"),
                                       QKeySequence(Qt::Key_F10), tr("Copy cell")))
    , actionPasteCell(makeCommandAction(this, "actionPasteCell", tr("Paste cell"),
                                        QKeySequence(Qt::Key_F11), tr("Paste cell")))
    , actionCutRow(makeCommandAction(this, "actionCutRow", tr("Cut row"), QKeySequence(Qt::Key_F5)))
    , actionCopyRow(
          makeCommandAction(this, "actionCopyRow", tr("Copy row"), QKeySequence(Qt::Key_F6)))
    , actionPasteRow(
          makeCommandAction(this, "actionPasteRow", tr("Paste row"), QKeySequence(Qt::Key_F7)))
    , actionFont(makeCommandAction(this, "actionFont", tr("&Font..."), {}, tr("Font setting")))
    , contextEditCell(makeContextAction(this, "contextEditCell", tr("&Edit cell")))
    , contextCutCell(
          makeContextAction(this, "contextCutCell", tr("Cu&t cell"), QKeySequence(Qt::Key_F9)))
    , contextCopyCell(
          makeContextAction(this, "contextCopyCell", tr("&Copy cell"), QKeySequence(Qt::Key_F10)))
    , contextPasteCell(
          makeContextAction(this, "contextPasteCell", tr("&Paste cell"), QKeySequence(Qt::Key_F11)))
    , contextCutRow(
          makeContextAction(this, "contextCutRow", tr("C&ut row"), QKeySequence(Qt::Key_F5)))
    , contextCopyRow(
          makeContextAction(this, "contextCopyRow", tr("Cop&y row"), QKeySequence(Qt::Key_F6)))
    , contextPasteRow(
          makeContextAction(this, "contextPasteRow", tr("Pa&ste row"), QKeySequence(Qt::Key_F7)))
    , mWorkspace(workspace)
    , mCellEditor(workspace.mainWindow())
{
    mCellEditor.setPrompter(&workspace.prompter());
    const auto bind = [this](QAction *action, void (EditCommands::*handler)()) {
        connect(action, &QAction::triggered, this, handler);
    };
    bind(actionEditCell, &EditCommands::editCell);
    bind(actionCutCell, &EditCommands::cutCell);
    bind(actionCopyCell, &EditCommands::copyCell);
    bind(actionPasteCell, &EditCommands::pasteCell);
    bind(actionCutRow, &EditCommands::cutRow);
    bind(actionCopyRow, &EditCommands::copyRow);
    bind(actionPasteRow, &EditCommands::pasteRow);
    bind(actionFont, &EditCommands::chooseDisplayFont);
    bind(contextEditCell, &EditCommands::editCell);
    bind(contextCutCell, &EditCommands::cutCell);
    bind(contextCopyCell, &EditCommands::copyCell);
    bind(contextPasteCell, &EditCommands::pasteCell);
    bind(contextCutRow, &EditCommands::cutRow);
    bind(contextCopyRow, &EditCommands::copyRow);
    bind(contextPasteRow, &EditCommands::pasteRow);
    // Modal over the main window; OK's change reaches the database through `accepted`.
    connect(&mCellEditor, &QDialog::accepted, this, &EditCommands::storeEditedCell);
    // A double-click on a cell edits it.
    QTableView &grid = workspace.gridView();
    connect(&grid, &QAbstractItemView::doubleClicked, this, [this, &grid] {
        if (grid.currentIndex().isValid())
            editCell();
    });
}

CommandPlacements EditCommands::placements() const
{
    return {
        {actionEditCell, MenuId::Edit, 200, true, 80, "document-edit"},
        {actionCutCell, MenuId::Edit, 300, true, 90, "edit-cut"},
        {actionCopyCell, MenuId::Edit, 310, false, 100, "edit-copy"},
        {actionPasteCell, MenuId::Edit, 320, false, 110, "edit-paste"},
        {actionCutRow, MenuId::Edit, 500, true},
        {actionCopyRow, MenuId::Edit, 510},
        {actionPasteRow, MenuId::Edit, 520},
        {actionFont, MenuId::Edit, 600, true, 130, "preferences-desktop-font"},
        {contextEditCell, MenuId::GridContext, 100},
        {contextCutCell, MenuId::GridContext, 200, true},
        {contextCopyCell, MenuId::GridContext, 210},
        {contextPasteCell, MenuId::GridContext, 220},
        {contextCutRow, MenuId::GridContext, 300, true},
        {contextCopyRow, MenuId::GridContext, 310},
        {contextPasteRow, MenuId::GridContext, 320},
    };
}

namespace {

bool hasCell(const Database &database, int field, int record)
{
    return field >= 1 && field <= database.fieldCount() && record >= 1
           && record <= database.recordCount();
}

// The cells of one whole row changed in place (texts and stamps), kept as one undo step.
template<class F>
decltype(auto) changeRow(DatabaseDocument &document, const QString &what, int record, F &&change)
{
    return recordCells(document, what, record, record, std::forward<F>(change));
}

bool clipboardHoldsText()
{
    const QClipboard *clipboard = QGuiApplication::clipboard();
    return clipboard && !clipboard->text().isEmpty();
}

} // namespace

void EditCommands::setDatabaseOpen(bool open)
{
    if (!open)
        clearRowClipboard();
    for (QAction *action :
         {actionEditCell, actionCutCell, actionCopyCell, actionCutRow, actionCopyRow, actionFont})
        action->setEnabled(open);
    actionPasteCell->setEnabled(open && clipboardHoldsText());
    actionPasteRow->setEnabled(false);
}

void EditCommands::refresh()
{
    actionPasteCell->setEnabled(clipboardHoldsText());
}

bool EditCommands::hasCurrentCell() const
{
    return mWorkspace.isDatabaseOpen()
           && hasCell(mWorkspace.document().database(), mWorkspace.currentField(),
                      mWorkspace.currentRecord());
}

void EditCommands::editCell()
{
    if (!hasCurrentCell())
        return;
    mCellEditor.prepare(mWorkspace.document().database(), mWorkspace.currentField(),
                        mWorkspace.currentRecord(), mWorkspace.displayFont(),
                        mWorkspace.document().regional());
    mCellEditor.open();
}

void EditCommands::storeEditedCell()
{
    DatabaseDocument &document = mWorkspace.document();
    if (!mCellEditor.changedText()
        || !hasCell(document.database(), mCellEditor.field(), mCellEditor.record()))
        return;
    changeRow(document, tr("Edit cell"), mCellEditor.record(), [this](Database &database) {
        return mCellEditor.apply(database, QDateTime::currentDateTime());
    });
}

void EditCommands::cutCell()
{
    if (!hasCurrentCell())
        return;
    const int field = mWorkspace.currentField();
    const int record = mWorkspace.currentRecord();
    const Regional &regional = mWorkspace.document().regional();
    QByteArray text;
    changeRow(mWorkspace.document(), tr("Cut cell"), record, [&](Database &database) {
        return kribed::cutCell(database, field, record, QDateTime::currentDateTime(), regional,
                               &text);
    });
    QGuiApplication::clipboard()->setText(regional.toText(text));
}

void EditCommands::copyCell()
{
    if (!hasCurrentCell())
        return;
    QGuiApplication::clipboard()->setText(mWorkspace.document().regional().toText(kribed::copyCell(
        mWorkspace.document().database(), mWorkspace.currentField(), mWorkspace.currentRecord())));
}

void EditCommands::pasteCell()
{
    if (!hasCurrentCell())
        return;
    const int field = mWorkspace.currentField();
    const int record = mWorkspace.currentRecord();
    // The clipboard's text as it is, line breaks and tabs included, in the display code page.
    const QString pasted = QGuiApplication::clipboard()->text();
    const Regional &regional = mWorkspace.document().regional();
    warnOfUnheldCharacters(mWorkspace.prompter(), pasted, regional);
    const QByteArray text = encodeOrQuestionMark(pasted, regional.codePage());
    changeRow(mWorkspace.document(), tr("Paste cell"), record, [&](Database &database) {
        return kribed::pasteCell(database, field, record, text, QDateTime::currentDateTime(),
                                 regional);
    });
}

void EditCommands::cutRow()
{
    if (!mWorkspace.isDatabaseOpen())
        return;
    leaveModes(mWorkspace);
    const int record = mWorkspace.currentRecord();
    const EditResult result =
        changeRow(mWorkspace.document(), tr("Cut row"), record, [&](Database &database) {
            return kribed::cutRow(database, mRowClipboard, record, mWorkspace.prompter(),
                                  mWorkspace.settings().expertMode);
        });
    if (result.applied)
        enablePasteRow(true);
}

void EditCommands::copyRow()
{
    if (!mWorkspace.isDatabaseOpen())
        return;
    leaveModes(mWorkspace);
    mWorkspace.document().copyRow(mRowClipboard, mWorkspace.currentRecord());
    enablePasteRow(true);
}

void EditCommands::pasteRow()
{
    if (!mWorkspace.isDatabaseOpen() || !mRowClipboard.pasteRowEnabled())
        return;
    leaveModes(mWorkspace);
    const int record = mWorkspace.currentRecord();
    changeRow(mWorkspace.document(), tr("Paste row"), record, [&](Database &database) {
        return kribed::pasteRow(database, mRowClipboard, record, mWorkspace.prompter(),
                                mWorkspace.settings().expertMode);
    });
}

void EditCommands::clearRowClipboard()
{
    kribed::clearRowClipboard(mRowClipboard);
    enablePasteRow(false);
}

void EditCommands::enablePasteRow(bool enabled)
{
    actionPasteRow->setEnabled(enabled);
    contextPasteRow->setEnabled(enabled);
}

void EditCommands::chooseDisplayFont()
{
    const QFont current = mWorkspace.displayFont();
    const Settings &settings = mWorkspace.settings();
    const std::optional<DisplayFontChoice> chosen = mWorkspace.fileDialogs().chooseFont(
        {current.family(), settings.font.charSet, current.pointSize()});
    if (!chosen)
        return;
    // The dialog chooses face and size only; the style stays as it was.
    QFont font(chosen->family);
    font.setPointSize(std::min(chosen->pointSize > 0 ? chosen->pointSize : 8, 10));
    font.setBold(current.bold());
    font.setItalic(current.italic());
    font.setUnderline(current.underline());
    font.setStrikeOut(current.strikeOut());
    // The script's character set number picks the code page the cells are shown and typed in.
    // The window shows the font of the view state; every column keeps its width in units, and
    // undo gives back the old font together with the widths it showed the units in.
    DatabaseDocument &document = mWorkspace.document();
    ViewState state = document.viewState();
    state.displayFont = font.toString();
    state.fontCharSet = chosen->charSet;
    recordDisplayFont(document, tr("Font"), state);
}

} // namespace kribed
