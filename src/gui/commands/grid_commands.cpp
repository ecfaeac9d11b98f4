// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/commands/grid_commands.h"

#include "core/editing/unheld_characters.h"
#include "core/model/field_type.h"
#include "core/model/typed_reading.h"
#include "core/platform/code_page.h"
#include "core/platform/prompter.h"
#include "gui/commands/command_support.h"
#include "gui/commands/tools_commands.h"
#include "gui/commands/wait_cursor.h"
#include "gui/commands/workspace.h"
#include "gui/grid/cell_range_clipboard.h"
#include "gui/grid/database_document.h"
#include "gui/grid/recorded_edits.h"

#include <QAction>
#include <QTableView>
#include <QUndoView>

namespace kribed {

GridCommands::GridCommands(Workspace &workspace, ToolsCommands &tools, QObject *parent)
    : QObject(parent)
    , actionSelectAll(makeCommandAction(this, "actionSelectAll", tr("Select &all"),
                                        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A)))
    , actionFillDown(makeCommandAction(this, "actionFillDown", tr("Fill &down"),
                                       QKeySequence(Qt::CTRL | Qt::Key_D),
                                       tr("Copies the top cell into the selected cells below")))
    , actionFillSeries(makeCommandAction(this, "actionFillSeries", tr("Fill &series...")))
    , actionNextUnreadable(makeCommandAction(this, "actionNextUnreadable",
                                             tr("&Next unreadable value"),
                                             QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_U)))
    , actionUndoHistory(makeCommandAction(this, "actionUndoHistory", tr("Undo &history"),
                                          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_H)))
    , mWorkspace(workspace)
    , mDialog(workspace.mainWindow())
    , mUndoView(new QUndoView(&workspace.document().history().stack(), workspace.mainWindow()))
{
    actionUndoHistory->setCheckable(true);
    mUndoView->setObjectName(QStringLiteral("undoHistory"));
    mUndoView->setWindowTitle(tr("Undo history"));
    mUndoView->setEmptyLabel(tr("<as opened>"));
    connect(actionSelectAll, &QAction::triggered, this, &GridCommands::selectAll);
    connect(actionFillDown, &QAction::triggered, this, &GridCommands::fillDown);
    connect(actionFillSeries, &QAction::triggered, this, &GridCommands::fillSeries);
    connect(actionNextUnreadable, &QAction::triggered, this, &GridCommands::goToNextUnreadable);
    connect(this, &GridCommands::cellsChanged, &tools, &ToolsCommands::operandsChanged);
    // The marks of unreadable values follow the formats in force, which change no cell.
    connect(&workspace.document(), &DatabaseDocument::regionalChanged, this,
            [this] { mWorkspace.gridView().viewport()->update(); });
}

CommandPlacements GridCommands::placements() const
{
    return {
        {actionUndoHistory, MenuId::Edit, 120},    {actionSelectAll, MenuId::Edit, 440},
        {actionFillDown, MenuId::Edit, 450, true}, {actionFillSeries, MenuId::Edit, 460},
        {actionNextUnreadable, MenuId::Edit, 720},
    };
}

CommandPanels GridCommands::panels() const
{
    return {{mUndoView, PanelPlace::Dock, 100, Qt::RightDockWidgetArea, actionUndoHistory}};
}

void GridCommands::setDatabaseOpen(bool open)
{
    for (QAction *action : {actionSelectAll, actionFillDown, actionFillSeries, actionNextUnreadable,
                            actionUndoHistory})
        action->setEnabled(open);
}

void GridCommands::displayFontChanged(const QFont &font)
{
    mDialog.setDisplayFont(font);
}

void GridCommands::selectAll()
{
    mWorkspace.gridView().selectAll();
}

bool GridCommands::fillDown()
{
    const std::optional<CellRange> range = selectedRange(mWorkspace.gridView());
    if (!range || !range->fits(mWorkspace.document().database()))
        return false;
    return applyRecorded(fillDownTexts(mWorkspace.document().database(), *range), tr("Fill down"));
}

void GridCommands::fillSeries()
{
    mDialog.setDisplayFont(mWorkspace.displayFont());
    mDialog.prepare(mWorkspace.document().regional());
    if (mDialog.exec() == QDialog::Accepted)
        fillSeriesWith(mDialog.isConstant(), mDialog.start(), mDialog.step());
}

bool GridCommands::fillSeriesWith(bool constant, const QString &start, const QString &step)
{
    DatabaseDocument &document = mWorkspace.document();
    const std::optional<CellRange> range = selectedRange(mWorkspace.gridView());
    if (!range || !range->fits(document.database()))
        return false;
    // The value is typed text: the same warning of characters the code page lacks.
    warnOfUnheldCharacters(mWorkspace.prompter(), start, document.regional());
    const QByteArray &codePage = document.regional().codePage();
    const SeriesTexts series =
        seriesTexts(document.database(), *range,
                    SeriesSpec{constant, encodeOrQuestionMark(start, codePage),
                               encodeOrQuestionMark(step, codePage)},
                    document.regional());
    if (!series.error.isEmpty()) {
        mWorkspace.prompter().ask(
            Message{tr("Fill series"), series.error, Icon::Warning, Buttons::Ok});
        return false;
    }
    return applyRecorded(series.fill, tr("Fill series"));
}

bool GridCommands::applyRecorded(const FillTexts &fill, const QString &text)
{
    DatabaseDocument &document = mWorkspace.document();
    if (fill.isEmpty())
        return false;
    WaitCursor wait;
    if (const int cells = countCellsLeavingType(document.database(), fill, document.regional())) {
        const Message question{
            text,
            tr("%n cell(s) will no longer read as their field's type (a date, time, number or "
               "Boolean).\rFill anyway?",
               nullptr, cells),
            Icon::Warning, Buttons::OkCancel};
        if (mWorkspace.prompter().ask(question) != Answer::Ok)
            return false;
    }
    const QDateTime now = QDateTime::currentDateTime();
    const bool changed = recordCells(
        document, text, fill.records.front(), fill.records.back(),
        [&](Database &database) { return applyFill(database, fill, now, document.regional()); },
        {fill.range.firstField, fill.records.front()});
    if (changed)
        Q_EMIT cellsChanged();
    return changed;
}

bool GridCommands::goToNextUnreadable()
{
    const DatabaseDocument &document = mWorkspace.document();
    const Database &database = document.database();
    const int fields = database.fieldCount();
    const int records = database.recordCount();
    const int start = (mWorkspace.currentRecord() - 1) * fields + mWorkspace.currentField() - 1;
    const qint64 cells = qint64(fields) * records;
    // Fields whose every text reads as their type are passed over without reading.
    QVector<bool> typed(fields + 1, false);
    for (int field = 1; field <= fields; ++field)
        typed[field] =
            isDateType(database.fieldType(field)) || isTimeType(database.fieldType(field))
            || isNumberType(database.fieldType(field)) || database.fieldType(field) == BooleanType;
    for (qint64 offset = 1; offset <= cells; ++offset) {
        const qint64 at = (start + offset) % cells;
        const int record = int(at / fields) + 1;
        const int field = int(at % fields) + 1;
        if (typed[field] && !database.isHidden(record)
            && !readsAsFieldType(database.cellView(field, record), database.fieldType(field),
                                 document.regional())) {
            mWorkspace.setCurrentCell(field, record);
            return true;
        }
    }
    mWorkspace.prompter().ask(Message{tr("Next unreadable value"),
                                      tr("Every shown value reads as its field's type."),
                                      Icon::Information, Buttons::Ok});
    return false;
}

} // namespace kribed
