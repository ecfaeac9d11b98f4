// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/commands/compare_commands.h"

#include "core/editing/comparison_report.h"
#include "core/editing/edit_messages.h"
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/limits.h"
#include "core/model/pdb_reader.h"
#include "core/model/pdb_writer.h"
#include "core/platform/prompter.h"
#include "core/platform/safe_file.h"
#include "gui/commands/command_support.h"
#include "gui/commands/compare_panel.h"
#include "gui/commands/wait_cursor.h"
#include "gui/commands/workspace.h"
#include "gui/dialogs/file_dialogs.h"
#include "gui/grid/database_document.h"
#include "gui/grid/record_changes.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QIODevice>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>

#include <algorithm>
#include <set>

namespace kribed {

namespace {

// The "Match records by" entries before the fields.
enum MatchEntry { AutomaticEntry, ContentEntry, FirstFieldEntry };

// The open version's record with the other version's cells of the given pairs, stamped first as
// an edit stamps it, so a stamp taken from the other version stays.
Database::Record takenRecord(const DatabaseComparison &comparison, const RecordComparison &record,
                             const Database &older, const Database &newer,
                             const QVector<int> &pairs, const Regional &regional,
                             const QDateTime &now)
{
    Database::Record cells = newer.recordAt(record.newerRecord);
    for (int field = 1; field <= newer.fieldCount(); ++field) {
        if (newer.fieldType(field) == ModificationDateType)
            cells.replace(field - 1, regional.dateText(now.date()));
        else if (newer.fieldType(field) == ModificationTimeType)
            cells.replace(field - 1, regional.timeText(now.time()));
    }
    for (int pair : pairs) {
        const FieldPair &fields = comparison.fields.at(pair);
        cells.replace(fields.newerField - 1, older.cell(fields.olderField, record.olderRecord));
    }
    return cells;
}

// A removed record as it was, in the open version's fields (those it lacks stay empty).
Database::Record restoredRecord(const DatabaseComparison &comparison, int olderRecord,
                                const Database &older, const Database &newer)
{
    Database::Record cells(newer.fieldCount());
    for (const FieldPair &fields : comparison.fields) {
        if (fields.matched())
            cells.replace(fields.newerField - 1, older.cell(fields.olderField, olderRecord));
    }
    return cells;
}

} // namespace

CompareCommands::CompareCommands(Workspace &workspace, QObject *parent)
    : QObject(parent)
    , actionCompareWithBackup(
          makeCommandAction(this, "actionCompareWithBackup", tr("Compare with &backup"), {},
                            tr("Compare the database with the backup its last save kept")))
    , actionCompareWithFile(makeCommandAction(this, "actionCompareWithFile",
                                              tr("Compare with &file..."), {},
                                              tr("Compare the database with another file")))
    , actionComparison(makeCommandAction(this, "actionComparison", tr("Co&mparison")))
    , actionNextChange(makeCommandAction(this, "actionNextChange", tr("Ne&xt change"),
                                         QKeySequence(Qt::Key_F8),
                                         tr("Go to the next difference of the comparison")))
    , actionPreviousChange(makeCommandAction(this, "actionPreviousChange", tr("Pre&vious change"),
                                             QKeySequence(Qt::SHIFT | Qt::Key_F8),
                                             tr("Go to the previous difference of the comparison")))
    , mWorkspace(workspace)
    , mPanel(new ComparePanel(mModel, workspace.mainWindow()))
{
    actionComparison->setCheckable(true);
    mRefreshTimer.setSingleShot(true);
    mRefreshTimer.setInterval(0);
    // Hidden, the comparison waits until it is shown again (or a command needs it).
    connect(&mRefreshTimer, &QTimer::timeout, this, [this] {
        if (mPanel->isVisible())
            refreshComparison();
    });
    connect(actionComparison, &QAction::toggled, this, [this](bool shown) {
        if (shown)
            refreshIfStale();
    });
    connect(actionCompareWithBackup, &QAction::triggered, this,
            &CompareCommands::compareWithBackup);
    connect(actionCompareWithFile, &QAction::triggered, this, &CompareCommands::compareWithFile);
    connect(actionNextChange, &QAction::triggered, this, [this] { goToChange(true); });
    connect(actionPreviousChange, &QAction::triggered, this, [this] { goToChange(false); });
    connect(mPanel->take, &QPushButton::clicked, this, &CompareCommands::takeCurrent);
    connect(mPanel->takeAll, &QPushButton::clicked, this, &CompareCommands::takeSelected);
    connect(mPanel->exportReport, &QPushButton::clicked, this, &CompareCommands::exportReport);
    connect(mPanel->show, &QComboBox::currentIndexChanged, this,
            [this](int index) { mModel.setChangesOnly(index == 1); });
    connect(mPanel->matchBy, &QComboBox::activated, this, &CompareCommands::refreshComparison);
    connect(mPanel->ignoreStamps, &QCheckBox::toggled, this, &CompareCommands::refreshComparison);

    // Every change of the open database, an undo and a redo included, reaches the grid's model.
    DatabaseDocument &document = workspace.document();
    GridModel &grid = document.model();
    connect(&grid, &QAbstractItemModel::rowsInserted, this, &CompareCommands::scheduleRefresh);
    connect(&grid, &QAbstractItemModel::rowsRemoved, this, &CompareCommands::scheduleRefresh);
    connect(&grid, &QAbstractItemModel::rowsMoved, this, &CompareCommands::scheduleRefresh);
    connect(&grid, &QAbstractItemModel::columnsInserted, this, &CompareCommands::scheduleRefresh);
    connect(&grid, &QAbstractItemModel::columnsRemoved, this, &CompareCommands::scheduleRefresh);
    connect(&grid, &QAbstractItemModel::columnsMoved, this, &CompareCommands::scheduleRefresh);
    connect(&grid, &QAbstractItemModel::dataChanged, this, &CompareCommands::scheduleRefresh);
    connect(&grid, &QAbstractItemModel::headerDataChanged, this, &CompareCommands::scheduleRefresh);
    connect(&grid, &QAbstractItemModel::layoutChanged, this, &CompareCommands::scheduleRefresh);
    connect(&document.history(), &EditHistory::stepRun, this, &CompareCommands::scheduleRefresh);
    connect(&document, &DatabaseDocument::regionalChanged, this, &CompareCommands::scheduleRefresh);
    // Another database in the window: the other version belonged to the one before.
    connect(&document, &DatabaseDocument::replaced, this, &CompareCommands::dropComparison);
    connect(&document, &DatabaseDocument::saved, this, &CompareCommands::followSave);
    setDatabaseOpen(false);
}

CompareCommands::~CompareCommands() = default;

CommandPlacements CompareCommands::placements() const
{
    return {{actionCompareWithBackup, MenuId::File, 330, true},
            {actionCompareWithFile, MenuId::File, 340},
            {actionComparison, MenuId::Tools, 850, true},
            {actionNextChange, MenuId::Tools, 860},
            {actionPreviousChange, MenuId::Tools, 870}};
}

CommandPanels CompareCommands::panels() const
{
    return {{mPanel, PanelPlace::Dock, 200, Qt::BottomDockWidgetArea, actionComparison}};
}

void CompareCommands::setDatabaseOpen(bool open)
{
    actionCompareWithFile->setEnabled(open);
    actionComparison->setEnabled(open);
    if (!open) {
        dropComparison();
        actionComparison->setChecked(false);
    }
    refresh();
}

void CompareCommands::refresh()
{
    const QString path = mWorkspace.document().database().filePath();
    actionCompareWithBackup->setEnabled(mWorkspace.isDatabaseOpen() && !path.isEmpty()
                                        && QFileInfo(backupFileName(path)).isFile());
    const bool comparing = mOther != nullptr;
    actionNextChange->setEnabled(comparing);
    actionPreviousChange->setEnabled(comparing);
    for (QWidget *widget :
         {static_cast<QWidget *>(mPanel->take), static_cast<QWidget *>(mPanel->takeAll),
          static_cast<QWidget *>(mPanel->exportReport)})
        widget->setEnabled(comparing);
}

// A save made a new backup: a comparison with the backup goes on with the new one, so that it
// shows what changed since the file now kept there.
void CompareCommands::followSave()
{
    refresh();
    const QString backup = backupFileName(mWorkspace.document().database().filePath());
    if (mOther && mComparingBackup && QFileInfo(backup).isFile())
        compareWith(backup);
}

void CompareCommands::compareWithBackup()
{
    const QString path = mWorkspace.document().database().filePath();
    if (mWorkspace.isDatabaseOpen() && !path.isEmpty())
        compareWith(backupFileName(path));
}

void CompareCommands::compareWithFile()
{
    if (!mWorkspace.isDatabaseOpen())
        return;
    FileRequest request;
    request.title = tr("Compare with file");
    request.filter = tr("Kribo database (*.pdb)|*.pdb|Backup (*.pd_)|*.pd_|All Files (*.*)|*.*");
    request.defaultSuffix = QStringLiteral("pdb");
    request.initialFolder = QFileInfo(mWorkspace.document().database().filePath()).absolutePath();
    if (const std::optional<FileChoice> choice = mWorkspace.fileDialogs().openFile(request))
        compareWith(choice->path);
}

bool CompareCommands::compareWith(const QString &path)
{
    auto other = std::make_unique<Database>();
    {
        WaitCursor wait;
        if (loadDatabaseFile(path, *other, mWorkspace.prompter(), OpenAccess::ReadOnly)
            != LoadResult::Loaded)
            return false;
    }
    // The model refers to the database it shows until it shows the next.
    mModel.clear();
    mOther = std::move(other);
    mOtherPath = path;
    mComparingBackup =
        QFileInfo(path) == QFileInfo(backupFileName(mWorkspace.document().database().filePath()));
    fillMatchChoices();
    refreshComparison();
    actionComparison->setChecked(true);
    refresh();
    return true;
}

void CompareCommands::fillMatchChoices()
{
    QComboBox *match = mPanel->matchBy;
    const QString kept =
        match->currentIndex() >= FirstFieldEntry ? match->currentText() : QString();
    const int keptEntry = std::min(match->currentIndex(), int(FirstFieldEntry));
    match->clear();
    match->addItems({tr("Automatic"), tr("Whole record")});
    const Database &open = mWorkspace.document().database();
    for (int field = 1; field <= open.fieldCount(); ++field)
        match->addItem(mWorkspace.document().regional().toText(open.fieldName(field)));
    const int found = kept.isEmpty() ? -1 : match->findText(kept);
    match->setCurrentIndex(found >= 0 ? found : std::max(0, keptEntry == 1 ? 1 : 0));
}

CompareOptions CompareCommands::options() const
{
    CompareOptions options;
    options.ignoreStamps = mPanel->ignoreStamps->isChecked();
    const int entry = mPanel->matchBy->currentIndex();
    if (entry == ContentEntry) {
        options.matching = RecordMatching::Content;
    } else if (entry >= FirstFieldEntry) {
        options.matching = RecordMatching::Field;
        options.keyField = mWorkspace.document().regional().toBytes(mPanel->matchBy->currentText());
    }
    return options;
}

void CompareCommands::scheduleRefresh()
{
    if (!mOther)
        return;
    mStale = true;
    mRefreshTimer.start();
}

void CompareCommands::refreshIfStale()
{
    if (mStale)
        refreshComparison();
}

void CompareCommands::refreshComparison()
{
    mRefreshTimer.stop();
    mStale = false;
    if (!mOther)
        return;
    const DatabaseDocument &document = mWorkspace.document();
    // The current row stays on the same compared record where it can.
    const QModelIndex current = mPanel->view->currentIndex();
    const int row = current.row();
    const DatabaseComparison comparison =
        compareDatabases(*mOther, document.database(), options(), document.regional());
    mModel.show(comparison, *mOther, document.database(), document.regional());
    if (row >= 0 && row < mModel.rowCount())
        mPanel->view->setCurrentIndex(mModel.index(row, std::max(0, current.column())));
    QString summary = comparisonSummary(comparison);
    if (comparison.keyMissing)
        summary += tr(" (no such field in both versions: matched by content)");
    mPanel->summary->setText(
        tr("Compared with %1: %2").arg(QFileInfo(mOtherPath).fileName(), summary));
    showDefinitions();
}

void CompareCommands::showDefinitions()
{
    const DatabaseComparison &comparison = mModel.comparison();
    const DatabaseDocument &document = mWorkspace.document();
    mPanel->definitions->clear();
    for (const DefinitionDifference &difference : comparison.definitions) {
        const QString field = pairName(comparison, difference.pair, *mOther, document.database(),
                                       document.regional());
        mPanel->definitions->addItem(tr("%1 \"%2\": %3 \u2192 %4")
                                         .arg(definitionChangeName(difference.change), field,
                                              difference.olderText, difference.newerText));
    }
    for (const SettingDifference &difference : comparison.settings)
        mPanel->definitions->addItem(
            tr("Setting %1: %2 \u2192 %3")
                .arg(difference.setting, difference.olderText, difference.newerText));
    mPanel->fitToComparison();
}

void CompareCommands::dropComparison()
{
    mRefreshTimer.stop();
    mStale = false;
    mModel.clear();
    mOther.reset();
    mOtherPath.clear();
    mComparingBackup = false;
    mPanel->summary->clear();
    mPanel->definitions->clear();
    mPanel->definitions->hide();
    refresh();
}

void CompareCommands::goToChange(bool forward)
{
    if (!mOther)
        return;
    refreshIfStale();
    QTableView *view = mPanel->view;
    const int from = view->currentIndex().isValid() ? view->currentIndex().row() : -1;
    const int row =
        mModel.nextChange(forward ? from : (from < 0 ? mModel.rowCount() : from), forward);
    actionComparison->setChecked(true);
    if (row < 0)
        return;
    const RecordComparison *record = mModel.recordAt(row);
    const int pair = record->changedPairs.isEmpty() ? -1 : record->changedPairs.first();
    view->setCurrentIndex(mModel.index(row, ComparisonModel::columnOfPair(pair)));
    view->scrollTo(view->currentIndex());
    // The open database's grid follows to the record, where the open version has it.
    const int field = pair >= 0 ? mModel.comparison().fields.at(pair).newerField : 0;
    if (record->newerRecord > 0)
        mWorkspace.setCurrentCell(std::max(1, field), record->newerRecord);
}

void CompareCommands::takeCurrent()
{
    refreshIfStale();
    const QModelIndex current = mPanel->view->currentIndex();
    if (!current.isValid())
        return;
    takeRecords({current.row()}, ComparisonModel::pairOfColumn(current.column()));
}

void CompareCommands::takeSelected()
{
    refreshIfStale();
    std::set<int> rows;
    for (const QModelIndex &index : mPanel->view->selectionModel()->selectedIndexes())
        rows.insert(index.row());
    // Without a selection of several records, every difference.
    if (rows.size() <= 1) {
        rows.clear();
        for (int row = 0; row < mModel.rowCount(); ++row)
            rows.insert(row);
    }
    takeRecords(QVector<int>(rows.begin(), rows.end()), -1);
}

// The changes that give the open version the other's records of the rows (only the cell of
// `onlyPair` where it is a changed cell), run from the last place up so no place moves before
// its turn.
void CompareCommands::takeRecords(const QVector<int> &rows, int onlyPair)
{
    if (!mOther)
        return;
    DatabaseDocument &document = mWorkspace.document();
    const Database &open = document.database();
    const DatabaseComparison &comparison = mModel.comparison();
    const QDateTime now = QDateTime::currentDateTime();
    struct Planned
    {
        RecordChange change;
        int order; // the row, for inserts at one place
    };
    QVector<Planned> planned;
    for (int row : rows) {
        const RecordComparison *record = mModel.recordAt(row);
        if (!record || record->state == RecordState::Same)
            continue;
        if (record->state == RecordState::Added) {
            planned.append({{RecordChange::Remove, record->newerRecord, {}}, row});
        } else if (record->state == RecordState::Changed) {
            const bool oneCell = record->changedPairs.contains(onlyPair);
            const QVector<int> pairs = oneCell ? QVector<int>{onlyPair} : record->changedPairs;
            planned.append(
                {{RecordChange::Replace, record->newerRecord,
                  takenRecord(comparison, *record, *mOther, open, pairs, document.regional(), now)},
                 row});
        } else {
            // After the nearest record before it that the open version has.
            int before = 0;
            const int index = int(record - comparison.records.constData());
            for (int i = index - 1; i >= 0 && before == 0; --i)
                before = comparison.records.at(i).newerRecord;
            planned.append({{RecordChange::Insert, before + 1,
                             restoredRecord(comparison, record->olderRecord, *mOther, open)},
                            row});
        }
    }
    if (planned.isEmpty())
        return;
    // The records a file can hold: a take that would pass them is refused whole.
    int count = open.recordCount();
    for (const Planned &entry : planned)
        count += entry.change.kind == RecordChange::Insert   ? 1
                 : entry.change.kind == RecordChange::Remove ? -1
                                                             : 0;
    if (count > MaxRecords) {
        reportRefusal(mWorkspace.prompter(),
                      QCoreApplication::translate("RowColumnOps",
                                                  "You mustn't have more than 9999 rows in Kribo"));
        return;
    }
    // From the last place up; at one place a replace or removal before the inserts, and the
    // inserts last row first, so they stand in the rows' order.
    std::sort(planned.begin(), planned.end(), [](const Planned &a, const Planned &b) {
        if (a.change.record != b.change.record)
            return a.change.record > b.change.record;
        const bool aInserts = a.change.kind == RecordChange::Insert;
        const bool bInserts = b.change.kind == RecordChange::Insert;
        if (aInserts != bInserts)
            return !aInserts;
        return a.order > b.order;
    });
    QVector<RecordChange> changes;
    for (const Planned &entry : planned)
        changes.append(entry.change);
    leaveModes(mWorkspace);
    recordRecordChanges(document, tr("Take from other version"), changes);
    refreshComparison();
}

void CompareCommands::exportReport()
{
    if (!mOther)
        return;
    refreshIfStale();
    FileRequest request;
    request.title = tr("Export comparison");
    request.filter = tr("CSV report (*.csv)|*.csv|All Files (*.*)|*.*");
    request.defaultSuffix = QStringLiteral("csv");
    request.askBeforeOverwrite = true;
    const std::optional<FileChoice> choice = mWorkspace.fileDialogs().saveFile(request);
    if (!choice)
        return;
    const DatabaseDocument &document = mWorkspace.document();
    const QByteArray csv =
        comparisonCsv(mModel.comparison(), *mOther, document.database(), document.regional());
    const bool written = safeWriteFile(choice->path, QString(), [&csv](QIODevice &device) {
        return device.write(csv) == csv.size();
    });
    if (!written)
        mWorkspace.prompter().ask({tr("Information"),
                                   tr("The report could not be written to %1.").arg(choice->path),
                                   Icon::Error, Buttons::Ok});
}

} // namespace kribed
