// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/editing/database_compare.h"
#include "gui/commands/command_group.h"
#include "gui/grid/comparison_model.h"

#include <QObject>
#include <QTimer>

#include <memory>

class QAction;

namespace kribed {

class ComparePanel;
class Database;
class Workspace;

// File > Compare with backup and Compare with file...: the open database beside another version
// of it (its ".pd_" backup or any file, read as Open reads, never written), in a dock that
// follows every change of the open database; F8 and Shift+F8 go to the next and previous
// difference, and the panel's buttons take the other version's values back, one undo step each.
class CompareCommands
    : public QObject
    , public CommandGroup
{
    Q_OBJECT

public:
    CompareCommands(Workspace &workspace, QObject *parent);
    ~CompareCommands() override;

    QAction *const actionCompareWithBackup;
    QAction *const actionCompareWithFile;
    QAction *const actionComparison; // shows and hides the dock
    QAction *const actionNextChange;
    QAction *const actionPreviousChange;

    CommandPlacements placements() const override;
    CommandPanels panels() const override;
    void setDatabaseOpen(bool open) override;
    void refresh() override;

    ComparePanel &panel() { return *mPanel; }
    ComparisonModel &model() { return mModel; }
    // Compares the open database with the file at `path`; false when the file was not read (the
    // reader's message was shown, and the comparison shown before stays).
    bool compareWith(const QString &path);
    // The comparison follows the open database now rather than on the next turn of the loop.
    void refreshComparison();

private:
    void followSave();
    void compareWithBackup();
    void compareWithFile();
    void goToChange(bool forward);
    void takeCurrent();
    void takeSelected();
    void exportReport();
    void dropComparison();
    void scheduleRefresh();
    void refreshIfStale();
    void fillMatchChoices();
    CompareOptions options() const;
    void showDefinitions();
    void takeRecords(const QVector<int> &rows, int onlyPair);

    Workspace &mWorkspace;
    ComparisonModel mModel;
    ComparePanel *const mPanel;
    std::unique_ptr<Database> mOther;
    QString mOtherPath;
    QTimer mRefreshTimer;
    bool mStale = false;
    bool mComparingBackup = false;
};

} // namespace kribed
