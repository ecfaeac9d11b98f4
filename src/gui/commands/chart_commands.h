// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/platform/file_memory.h"
#include "gui/commands/command_group.h"

#include <QObject>
#include <QTimer>

class QAction;
class QPrinter;

namespace kribed {

class ChartPanel;
class ProfilePanel;
class Workspace;

// Tools > Chart and Tools > Field profile: two docks beside the grid. The chart shows the shown
// records in the grid's order and is drawn again after every change, undo, redo and filter
// change; a click or a drag over it selects records in the grid, and the grid's selection is
// marked in it. Its choices are remembered per file. The profile shows the current field's
// figures; a double-click on a value filters the records by it, as one undo step.
class ChartCommands
    : public QObject
    , public CommandGroup
{
    Q_OBJECT

public:
    ChartCommands(Workspace &workspace, QObject *parent = nullptr);

    QAction *const actionChart;
    QAction *const actionFieldProfile;
    QAction *const actionSaveChart;
    QAction *const actionCopyChart;
    QAction *const actionPrintChart;

    CommandPlacements placements() const override;
    CommandPanels panels() const override;
    void setDatabaseOpen(bool open) override;
    void refresh() override;

    ChartPanel &chartPanel() { return *mChart; }
    ProfilePanel &profilePanel() { return *mProfile; }
    // Draws the chart and the profile now, as the next turn of the event loop would.
    void redrawNow();
    // Filters the records by the current field's value, as a double-click in the profile does.
    void filterByValue(const QByteArray &value);
    // Prints the chart as shown on one page of the chosen printer (File > Print chart after the
    // printer dialog); false, with the reason told, when it could not be printed.
    bool printChart(QPrinter &printer);

private:
    void scheduleRedraw();
    void updateFields();
    void redrawChart();
    void redrawProfile();
    void choicesChanged();
    void recallChoices();
    void selectRecords(const QVector<int> &records);
    void highlightSelection();
    void saveChart();
    void copyChart();
    void choosePrinterAndPrint();
    void copyTable();

    Workspace &mWorkspace;
    ChartPanel *mChart;
    ProfilePanel *mProfile;
    QTimer mRedraw;
    FileMemory mMemory{QStringLiteral("ChartChoices"), QStringLiteral("choices")};
    int mProfileField = 0;
    bool mSelecting = false;
};

} // namespace kribed
