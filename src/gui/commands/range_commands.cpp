// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/commands/range_commands.h"

#include "core/editing/unheld_characters.h"
#include "core/model/regional.h"
#include "gui/commands/tools_commands.h"
#include "gui/commands/workspace.h"
#include "gui/grid/cell_range_clipboard.h"
#include "gui/grid/database_document.h"
#include "gui/grid/grid_places.h"

#include <algorithm>

#include <QAction>
#include <QClipboard>
#include <QDateTime>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMimeData>
#include <QTableView>

namespace kribed {

namespace {

QAction *makeAction(QObject *parent, const char *name, const QString &text,
                    const QList<QKeySequence> &keys)
{
    auto *action = new QAction(text, parent);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcuts(keys);
    action->setEnabled(false);
    return action;
}

// About ten milliseconds of counting: a selection up to this many cells shows its statistics at
// once, a larger one is counted this many cells at a time between events.
constexpr int cellsCountedAtOnce = 10000;

} // namespace

RangeCommands::RangeCommands(Workspace &workspace, ToolsCommands &tools, QObject *parent)
    : RangeCommands(workspace.document(), workspace.gridView(), workspace.prompter(),
                    workspace.mainWindow())
{
    setParent(parent);
    connect(this, &RangeCommands::cellsChanged, &tools, &ToolsCommands::operandsChanged);
}

RangeCommands::RangeCommands(DatabaseDocument &document, QTableView &grid, Prompter &prompter,
                             QWidget *parent)
    : QObject(parent)
    , mDocument(document)
    , mGrid(grid)
    , mPrompter(prompter)
    , mStatistics(new QLabel(parent))
{
    QUndoStack &stack = document.history().stack();
    mUndo = stack.createUndoAction(this, tr("Undo"));
    mUndo->setObjectName(QStringLiteral("actionUndo"));
    mUndo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z)});
    mRedo = stack.createRedoAction(this, tr("Redo"));
    mRedo->setObjectName(QStringLiteral("actionRedo"));
    mRedo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    mCopy = makeAction(this, "actionCopyCells", tr("Copy"), {QKeySequence(Qt::CTRL | Qt::Key_C)});
    mCut = makeAction(this, "actionCutCells", tr("Cut"), {QKeySequence(Qt::CTRL | Qt::Key_X)});
    mPaste =
        makeAction(this, "actionPasteCells", tr("Paste"), {QKeySequence(Qt::CTRL | Qt::Key_V)});
    mClear =
        makeAction(this, "actionClearCells", tr("Clear cells"), {QKeySequence(Qt::Key_Delete)});
    mStatistics->setObjectName(QStringLiteral("selectionStatistics"));
    connect(mCopy, &QAction::triggered, this, &RangeCommands::copyCells);
    connect(mCut, &QAction::triggered, this, &RangeCommands::cutCells);
    connect(mPaste, &QAction::triggered, this, &RangeCommands::pasteCells);
    connect(mClear, &QAction::triggered, this, &RangeCommands::clearCells);

    connect(&document.history(), &EditHistory::changeShown, this, &RangeCommands::showChange);
    // The statistics follow the selection and the texts under it.
    const auto follow = [this] {
        if (QItemSelectionModel *selection = mGrid.selectionModel()) {
            connect(selection, &QItemSelectionModel::selectionChanged, this,
                    &RangeCommands::updateStatistics, Qt::UniqueConnection);
        }
    };
    follow();
    connect(&document.model(), &QAbstractItemModel::modelReset, this, follow);
    connect(&document.model(), &QAbstractItemModel::dataChanged, this,
            &RangeCommands::updateStatistics);
    // Other formats read the same texts as other numbers.
    connect(&document, &DatabaseDocument::regionalChanged, this, &RangeCommands::updateStatistics);
    connect(&document, &DatabaseDocument::rowVisibilityChanged, this, [this] {
        keepCurrentCellShown();
        updateStatistics();
    });
    mSlices.setInterval(0);
    connect(&mSlices, &QTimer::timeout, this, &RangeCommands::countSlice);
    const QAbstractItemModel &model = document.model();
    connect(&model, &QAbstractItemModel::rowsInserted, this, &RangeCommands::recountPending);
    connect(&model, &QAbstractItemModel::rowsRemoved, this, &RangeCommands::recountPending);
    connect(&model, &QAbstractItemModel::layoutChanged, this, &RangeCommands::recountPending);
    connect(&model, &QAbstractItemModel::modelReset, this, &RangeCommands::recountPending);
}

CommandPlacements RangeCommands::placements() const
{
    return {
        {mUndo, MenuId::Edit, 100}, {mRedo, MenuId::Edit, 110},  {mCut, MenuId::Edit, 400, true},
        {mCopy, MenuId::Edit, 410}, {mPaste, MenuId::Edit, 420}, {mClear, MenuId::Edit, 430},
    };
}

CommandPanels RangeCommands::panels() const
{
    return {{mStatistics, PanelPlace::StatusBar, 100}};
}

void RangeCommands::setDatabaseOpen(bool open)
{
    for (QAction *action : {mCopy, mCut, mPaste, mClear})
        action->setEnabled(open);
    // Without an open database there is nothing to take back, even when a failed load left the
    // last database's texts behind.
    if (!open)
        mDocument.history().clear();
    updateStatistics();
}

void RangeCommands::copyCells()
{
    const std::optional<CellRange> range = selectedRange(mGrid);
    if (!range || !range->fits(mDocument.database()))
        return;
    QGuiApplication::clipboard()->setMimeData(
        rangeMimeData(mDocument.database(), *range, mDocument.regional()).release());
}

void RangeCommands::cutCells()
{
    const std::optional<CellRange> range = selectedRange(mGrid);
    if (!range || !range->fits(mDocument.database()))
        return;
    copyCells();
    if (kribed::clearCells(mDocument, *range, tr("Cut"), QDateTime::currentDateTime()))
        Q_EMIT cellsChanged();
}

void RangeCommands::pasteCells()
{
    const QModelIndex current = mGrid.currentIndex();
    const QMimeData *mime = QGuiApplication::clipboard()->mimeData();
    if (!current.isValid() || !mime)
        return;
    const CellBlock block = cellsOfMimeData(*mime, mDocument.regional());
    if (block.isEmpty())
        return;
    // Text from other programs goes through the code page; the program's own block is bytes.
    if (!mime->hasFormat(cellBlockMimeType()))
        warnOfUnheldCharacters(mPrompter, mime->text(), mDocument.regional());
    if (kribed::pasteCells(mDocument, fieldOf(current), recordOf(current), block,
                           QDateTime::currentDateTime(), mPrompter))
        Q_EMIT cellsChanged();
}

void RangeCommands::clearCells()
{
    const std::optional<CellRange> range = selectedRange(mGrid);
    if (range
        && kribed::clearCells(mDocument, *range, tr("Clear cells"), QDateTime::currentDateTime()))
        Q_EMIT cellsChanged();
}

void RangeCommands::updateStatistics()
{
    mSlices.stop();
    mCountingRecords.clear();
    const std::optional<CellRange> range = selectedRange(mGrid);
    const Database &database = mDocument.database();
    if (!range || range->isSingleCell() || !range->fits(database)) {
        mStatistics->setText(QString());
        return;
    }
    mCounting = *range;
    mCountingRecords = shownRecords(database, *range);
    mCountedRecords = 0;
    mCounted = RangeStatistics();
    const qint64 cells = qint64(mCountingRecords.size()) * range->width();
    if (cells <= cellsCountedAtOnce) {
        countSlice();
        return;
    }
    mStatistics->setText(rangeCountText(cells));
    mSlices.start();
}

// Counts the next rows of the selection; the last slice shows the figures.
void RangeCommands::countSlice()
{
    const Database &database = mDocument.database();
    if (!mCounting.fits(database)) {
        updateStatistics();
        return;
    }
    const int total = int(mCountingRecords.size());
    const int rows = std::max(1, cellsCountedAtOnce / mCounting.width());
    const int to = int(std::min<qint64>(total, qint64(mCountedRecords) + rows));
    addRangeStatistics(mCounted, database, mCounting, mDocument.regional(), mCountingRecords,
                       mCountedRecords, to);
    mCountedRecords = to;
    if (mCountedRecords < total)
        return;
    mSlices.stop();
    mCountingRecords.clear();
    mStatistics->setText(rangeStatisticsText(mCounted, mDocument.regional()));
}

void RangeCommands::recountPending()
{
    if (mSlices.isActive())
        updateStatistics();
}

// After an undo or redo the current cell goes where the change happened, or to the shown record
// nearest to it.
void RangeCommands::showChange(int field, int record)
{
    const QModelIndex current = mGrid.currentIndex();
    const int column = field > 0 ? columnOfField(field) : std::max(0, current.column());
    const int row = record > 0 ? rowOfRecord(record) : std::max(0, current.row());
    const int shown =
        nearestShownRecord(recordOfRow(std::min(row, mDocument.model().rowCount() - 1)));
    const QModelIndex target = mDocument.model().index(
        rowOfRecord(shown), std::min(column, mDocument.model().columnCount() - 1));
    if (target.isValid())
        mGrid.setCurrentIndex(target);
}

void RangeCommands::keepCurrentCellShown()
{
    const QModelIndex current = mGrid.currentIndex();
    if (!current.isValid() || !mDocument.database().isHidden(recordOf(current)))
        return;
    const int shown = nearestShownRecord(recordOf(current));
    if (shown > 0) {
        mGrid.setCurrentIndex(mDocument.model().index(rowOfRecord(shown), current.column()));
    } else if (QItemSelectionModel *selection = mGrid.selectionModel()) {
        // Nothing is shown: no cell is current, so typing goes nowhere.
        selection->clearSelection();
        selection->clearCurrentIndex();
    }
}

int RangeCommands::nearestShownRecord(int record) const
{
    const Database &database = mDocument.database();
    const int count = database.recordCount();
    if (record < 1 || record > count)
        return 0;
    for (int distance = 0; distance < count; ++distance) {
        if (record + distance <= count && !database.isHidden(record + distance))
            return record + distance;
        if (record - distance >= 1 && !database.isHidden(record - distance))
            return record - distance;
    }
    return 0;
}

} // namespace kribed
