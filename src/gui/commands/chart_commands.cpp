// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/commands/chart_commands.h"

#include "core/editing/chart_picture.h"
#include "core/editing/field_profile.h"
#include "core/model/database.h"
#include "core/platform/prompter.h"
#include "core/platform/settings.h"
#include "gui/chart/chart_canvas.h"
#include "gui/commands/chart_panel.h"
#include "gui/commands/command_support.h"
#include "gui/commands/profile_panel.h"
#include "gui/commands/workspace.h"
#include "gui/dialogs/file_dialogs.h"
#include "gui/grid/database_document.h"
#include "gui/grid/grid_places.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QPrinter>
#include <QSettings>
#include <QTableView>

namespace kribed {

ChartCommands::ChartCommands(Workspace &workspace, QObject *parent)
    : QObject(parent)
    , actionChart(makeCommandAction(this, "actionChart", tr("C&hart"),
                                    QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_G),
                                    tr("Shows the chart of the shown records beside the grid")))
    , actionFieldProfile(
          makeCommandAction(this, "actionFieldProfile", tr("Field pr&ofile"),
                            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P),
                            tr("Shows the current field's values and figures beside the grid")))
    , actionSaveChart(makeCommandAction(this, "actionSaveChart", tr("Sa&ve chart as..."), {},
                                        tr("Writes the chart as a PNG, SVG or PDF file")))
    , actionCopyChart(makeCommandAction(this, "actionCopyChart", tr("Cop&y chart as image"), {},
                                        tr("Puts the chart on the clipboard as a picture")))
    , actionPrintChart(makeCommandAction(this, "actionPrintChart", tr("Print c&hart..."), {},
                                         tr("Prints the chart on one page")))
    , mWorkspace(workspace)
    , mChart(new ChartPanel(workspace.mainWindow()))
    , mProfile(new ProfilePanel(workspace.mainWindow()))
{
    actionChart->setCheckable(true);
    actionFieldProfile->setCheckable(true);
    for (QAction *action :
         {actionChart, actionFieldProfile, actionSaveChart, actionCopyChart, actionPrintChart})
        action->setEnabled(false);
    mRedraw.setSingleShot(true);
    mRedraw.setInterval(0);
    connect(&mRedraw, &QTimer::timeout, this, &ChartCommands::redrawNow);
    connect(actionChart, &QAction::toggled, this, &ChartCommands::scheduleRedraw);
    connect(actionFieldProfile, &QAction::toggled, this, &ChartCommands::scheduleRedraw);
    connect(actionSaveChart, &QAction::triggered, this, &ChartCommands::saveChart);
    connect(actionCopyChart, &QAction::triggered, this, &ChartCommands::copyChart);
    connect(actionPrintChart, &QAction::triggered, this, &ChartCommands::choosePrinterAndPrint);
    connect(mChart, &ChartPanel::choicesChanged, this, &ChartCommands::choicesChanged);
    connect(mChart, &ChartPanel::copyTableRequested, this, &ChartCommands::copyTable);
    connect(&mChart->canvas(), &ChartCanvas::recordsPicked, this, &ChartCommands::selectRecords);
    connect(mProfile, &ProfilePanel::valueChosen, this, &ChartCommands::filterByValue);

    // Every change reaches the grid's model: edits, undo and redo, sorts, rows and columns.
    DatabaseDocument &document = workspace.document();
    QAbstractItemModel *model = &document.model();
    const auto redraw = [this] { scheduleRedraw(); };
    connect(model, &QAbstractItemModel::dataChanged, this, redraw);
    connect(model, &QAbstractItemModel::modelReset, this, redraw);
    connect(model, &QAbstractItemModel::layoutChanged, this, redraw);
    connect(model, &QAbstractItemModel::rowsInserted, this, redraw);
    connect(model, &QAbstractItemModel::rowsRemoved, this, redraw);
    connect(model, &QAbstractItemModel::rowsMoved, this, redraw);
    connect(model, &QAbstractItemModel::columnsInserted, this, redraw);
    connect(model, &QAbstractItemModel::columnsRemoved, this, redraw);
    connect(model, &QAbstractItemModel::columnsMoved, this, redraw);
    connect(model, &QAbstractItemModel::headerDataChanged, this, redraw);
    connect(&document, &DatabaseDocument::rowVisibilityChanged, this, redraw);
    connect(&document, &DatabaseDocument::regionalChanged, this, redraw);
    connect(&document, &DatabaseDocument::loaded, this, &ChartCommands::recallChoices);
    connect(&document, &DatabaseDocument::replaced, this, redraw);
    connect(workspace.gridView().selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ChartCommands::highlightSelection);
}

CommandPlacements ChartCommands::placements() const
{
    return {{actionChart, MenuId::Tools, 900, true},
            {actionFieldProfile, MenuId::Tools, 910},
            {actionSaveChart, MenuId::File, 425},
            {actionCopyChart, MenuId::Tools, 930},
            {actionPrintChart, MenuId::File, 420}};
}

CommandPanels ChartCommands::panels() const
{
    return {{mChart, PanelPlace::Dock, 100, Qt::RightDockWidgetArea, actionChart},
            {mProfile, PanelPlace::Dock, 110, Qt::RightDockWidgetArea, actionFieldProfile}};
}

void ChartCommands::setDatabaseOpen(bool open)
{
    // Like every command, the docks' switches wait for a database; an open dock stays open.
    actionChart->setEnabled(open);
    actionFieldProfile->setEnabled(open);
    actionSaveChart->setEnabled(open);
    actionCopyChart->setEnabled(open);
    actionPrintChart->setEnabled(open);
    mChart->setEnabled(open);
    mProfile->setEnabled(open);
    if (open) {
        recallChoices();
    } else {
        mChart->showPicture(ChartPicture(), mWorkspace.document().regional());
        mProfile->clear();
        mProfileField = 0;
    }
}

void ChartCommands::refresh()
{
    // The profile follows the current field.
    if (actionFieldProfile->isChecked() && mWorkspace.currentField() != mProfileField)
        redrawProfile();
}

void ChartCommands::scheduleRedraw()
{
    mRedraw.start();
}

void ChartCommands::redrawNow()
{
    mRedraw.stop();
    if (!mWorkspace.isDatabaseOpen())
        return;
    if (actionChart->isChecked())
        redrawChart();
    if (actionFieldProfile->isChecked())
        redrawProfile();
}

void ChartCommands::updateFields()
{
    const DatabaseDocument &document = mWorkspace.document();
    const Database &database = document.database();
    QStringList names;
    QVector<int> types;
    for (int field = 1; field <= database.fieldCount(); ++field) {
        names << document.regional().toText(database.fieldName(field));
        types << database.fieldType(field);
    }
    mChart->setFields(names, types);
}

void ChartCommands::redrawChart()
{
    const DatabaseDocument &document = mWorkspace.document();
    const Database &database = document.database();
    updateFields();
    mChart->showPicture(buildChartPicture(database, document.regional(), mChart->choices()),
                        document.regional());
    highlightSelection();
}

void ChartCommands::redrawProfile()
{
    const DatabaseDocument &document = mWorkspace.document();
    const Database &database = document.database();
    mProfileField = mWorkspace.currentField();
    if (mProfileField < 1 || mProfileField > database.fieldCount()) {
        mProfile->clear();
        return;
    }
    mProfile->showProfile(document.regional().toText(database.fieldName(mProfileField)),
                          fieldProfile(database, mProfileField, document.regional()),
                          document.regional());
}

void ChartCommands::choicesChanged()
{
    const QString path = mWorkspace.document().database().filePath();
    if (mWorkspace.isDatabaseOpen() && !path.isEmpty())
        mMemory.keep(*openSettingsStore(), path, mChart->choices().toText());
    scheduleRedraw();
}

void ChartCommands::recallChoices()
{
    const QString path = mWorkspace.document().database().filePath();
    ChartChoices choices;
    if (!path.isEmpty()) {
        if (const std::optional<QString> kept = mMemory.recall(*openSettingsStore(), path))
            choices = ChartChoices::fromText(*kept);
    }
    updateFields();
    mChart->setChoices(choices);
    scheduleRedraw();
}

void ChartCommands::selectRecords(const QVector<int> &records)
{
    QTableView &grid = mWorkspace.gridView();
    QAbstractItemModel *model = grid.model();
    if (!model || records.isEmpty() || model->columnCount() == 0)
        return;
    QItemSelection selection;
    for (const int record : records) {
        const int row = rowOfRecord(record);
        selection.select(model->index(row, 0), model->index(row, model->columnCount() - 1));
    }
    mWorkspace.setCurrentCell(std::max(1, mWorkspace.currentField()), records.front());
    grid.selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void ChartCommands::highlightSelection()
{
    if (!actionChart->isChecked())
        return;
    QSet<int> records;
    for (const QItemSelectionRange &range : mWorkspace.gridView().selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row)
            records.insert(recordOfRow(row));
    }
    mChart->canvas().setHighlighted(records);
}

void ChartCommands::filterByValue(const QByteArray &value)
{
    DatabaseDocument &document = mWorkspace.document();
    if (!mWorkspace.isDatabaseOpen() || value.isEmpty() || mProfileField < 1)
        return;
    ViewState state = document.viewState();
    FilterCondition &condition = state.filter.first();
    condition.text = value;
    condition.field = mProfileField;
    condition.mustBeginWith = true;
    condition.exclude = false;
    state.storedFilterField = mProfileField;
    const bool switches = !state.filterOn;
    state.filterOn = true;
    document.changeViewState(state, tr("Filter by value"));
    if (!switches)
        document.showFilteredRecords();
}

void ChartCommands::saveChart()
{
    FileRequest request;
    request.title = tr("Save chart as");
    request.filter = tr("PNG image (*.png)|*.png|SVG drawing (*.svg)|*.svg|PDF document "
                        "(*.pdf)|*.pdf|");
    request.defaultSuffix = QStringLiteral("png");
    request.proposedName =
        QFileInfo(mWorkspace.document().database().filePath()).completeBaseName();
    request.askBeforeOverwrite = true;
    request.suffixFromFilter = true;
    std::optional<FileChoice> choice = mWorkspace.fileDialogs().saveFile(request);
    if (!choice)
        return;
    choice->path = fileNameForFilter(choice->path, request.filter, choice->filterIndex);
    const QSize size = mChart->canvas().size().expandedTo(QSize(640, 480));
    if (!ChartCanvas::save(mChart->canvas().picture(), mWorkspace.document().regional(),
                           choice->path, size)) {
        mWorkspace.prompter().ask(Message{tr("Save chart as"),
                                          tr("%1 could not be written.").arg(choice->path),
                                          Icon::Error, Buttons::Ok});
    }
}

void ChartCommands::copyChart()
{
    QApplication::clipboard()->setImage(mChart->canvas().image());
}

void ChartCommands::choosePrinterAndPrint()
{
    QPrinter printer(QPrinter::HighResolution);
    if (mWorkspace.fileDialogs().choosePrinter(printer, 1))
        printChart(printer);
}

bool ChartCommands::printChart(QPrinter &printer)
{
    // The chart of the dock's choices, drawn anew (the dock may be closed), in the dock's
    // proportions.
    const DatabaseDocument &document = mWorkspace.document();
    const ChartPicture picture =
        buildChartPicture(document.database(), document.regional(), mChart->choices());
    const QSize size = mChart->canvas().size().expandedTo(QSize(640, 480));
    if (ChartCanvas::print(picture, document.regional(), printer, size))
        return true;
    mWorkspace.prompter().ask(Message{tr("Print chart"), tr("The chart could not be printed."),
                                      Icon::Error, Buttons::Ok});
    return false;
}

void ChartCommands::copyTable()
{
    QApplication::clipboard()->setText(mChart->tableText(mWorkspace.document().regional()));
}

} // namespace kribed
