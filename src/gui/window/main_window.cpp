// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/window/main_window.h"

#include "core/model/database.h"
#include "core/model/regional.h"
#include "core/platform/recovery_settings.h"
#include "core/platform/recovery_store.h"
#include "core/platform/user_list.h"
#include "core/status/status_texts.h"
#include "gui/commands/command_groups.h"
#include "gui/commands/command_support.h"
#include "gui/grid/database_document.h"
#include "gui/grid/edit_history.h"
#include "gui/grid/grid_header.h"
#include "gui/window/accessible_names.h"
#include "gui/window/menu_builder.h"
#include "gui/window/recovery_writer.h"
#include "gui/window/status_panel_widths.h"
#include "gui/window/tool_icons.h"
#include "gui/window/window_placement.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>
#include <QVBoxLayout>

#include <algorithm>

namespace kribed {

namespace {

const char *const PanelNames[StatusPanelCount] = {
    "statusPanelRecord", "statusPanelField",    "statusPanelAutoSizing", "statusPanelFilter",
    "statusPanelRowSum", "statusPanelModified", "statusPanelFile"};

} // namespace

MainWindow::MainWindow(Prompter &prompter, FileDialogs &dialogs, UserList &users, QWidget *parent)
    : QMainWindow(parent)
    , mPrompter(prompter)
    , mFileDialogs(dialogs)
    , mUsers(users)
    , mDocument(new DatabaseDocument(Regional(), this))
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(defaultWindowTitle());
    resize(689, 422);
    // The new-database dialog, made with the commands, needs the settings of the start; the
    // commands work on the grid.
    readSettings();
    buildGrid();
    mGroups = std::make_unique<CommandGroups>(*this, this);
    connectGrid();
    buildMenus();
    buildToolBar();
    buildGridMenu();
    buildStatusBar();
    placePanels();
    nameWindowBarsForScreenReaders(*this);

    mTimer = new QTimer(this);
    mTimer->setObjectName(QStringLiteral("statusTimer"));
    mTimer->setInterval(100);
    connect(mTimer, &QTimer::timeout, this, &MainWindow::updateStatus);
    followChangesAtOnce();

    setDatabaseOpen(false);
    applyDisplayFont();
    mTimer->start();
    // Told once for each change that pushed older ones out, without a box: nothing is lost, but
    // the user should not count on undoing them.
    connect(&mDocument->history(), &EditHistory::oldestStepsDropped, this, [this] {
        statusBar()->showMessage(
            tr("The undo memory is full: the oldest changes can no longer be undone."), 15000);
    });
    // The font follows the view state: the Font command and its undo and redo.
    connect(mDocument, &DatabaseDocument::viewStateChanged, this, &MainWindow::showViewStateFont);
    makeRecoveryWriter();
}

MainWindow::~MainWindow() = default;

void MainWindow::makeRecoveryWriter()
{
    const int seconds = readRecoveryInterval(*openSettingsStore());
    mRecovery = std::make_unique<RecoveryWriter>(
        *mDocument, [this] { return currentField(); }, defaultRecoveryRoot(),
        std::chrono::seconds(seconds));
    // Told once, without a box: the user goes on working and the next write tries again.
    connect(mRecovery.get(), &RecoveryWriter::writeFailed, this,
            [this](const QString &message) { statusBar()->showMessage(message, 15000); });
}

CommandPlacements MainWindow::commandPlacements() const
{
    return mGroups->placements();
}

void MainWindow::buildMenus()
{
    menuBar()->setObjectName(QStringLiteral("menuBar"));
    const CommandPlacements placements = commandPlacements();
    // The toggles' check boxes stay readable on a dark palette.
    QStyle *checks = readableMenuCheckStyle(this);
    const struct
    {
        MenuId id;
        QString caption;
        const char *name;
    } menus[] = {{MenuId::File, tr("&File"), "menuFile"},
                 {MenuId::Edit, tr("&Edit"), "menuEdit"},
                 {MenuId::Tools, tr("&Tools"), "menuTools"},
                 {MenuId::Help, tr("&Help"), "menuHelp"}};
    for (const auto &menu : menus) {
        QMenu *entries = menuBar()->addMenu(menu.caption);
        entries->setObjectName(QString::fromLatin1(menu.name));
        fillMenu(*entries, placements, menu.id);
        entries->setStyle(checks);
    }
}

void MainWindow::buildToolBar()
{
    mToolBar = addToolBar(tr("Tools"));
    mToolBar->setObjectName(QStringLiteral("toolBar"));
    mToolBar->setMovable(false);
    mToolBar->setIconSize(QSize(16, 16));
    fillToolBar(*mToolBar, commandPlacements());
}

void MainWindow::buildGridMenu()
{
    mGridMenu = new QMenu(this);
    mGridMenu->setObjectName(QStringLiteral("gridContextMenu"));
    fillMenu(*mGridMenu, commandPlacements(), MenuId::GridContext);
    // The header cells belong to the grid: the same menu opens on them.
    // Scroll areas report the position within their viewport.
    for (QAbstractScrollArea *part :
         {static_cast<QAbstractScrollArea *>(mGrid),
          static_cast<QAbstractScrollArea *>(mGrid->horizontalHeader()),
          static_cast<QAbstractScrollArea *>(mGrid->verticalHeader())}) {
        part->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(part, &QWidget::customContextMenuRequested, this,
                [this, part](const QPoint &position) {
                    mGridMenu->popup(part->viewport()->mapToGlobal(position));
                });
    }
}

void MainWindow::buildStatusBar()
{
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    statusBar()->setSizeGripEnabled(true);
    for (int index = 0; index < StatusPanelCount; ++index) {
        auto *panel = new QLabel(statusBar());
        panel->setObjectName(QString::fromLatin1(PanelNames[index]));
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        if (index + 1 < StatusPanelCount) {
            statusBar()->addWidget(panel);
        } else {
            panel->setMinimumWidth(20);
            statusBar()->addWidget(panel, 1);
        }
        mPanels[index] = panel;
    }
    const auto fitPanels = [this] {
        const Regional &regional = mDocument->regional();
        fitStatusPanels(mPanels, regional.locale(), regional.shortDateFormat());
    };
    fitPanels();
    connect(mDocument, &DatabaseDocument::regionalChanged, this, fitPanels);
}

void MainWindow::placePanels()
{
    // Above the grid, in the order of their panels' numbers; the grid is the layout's last.
    auto *layout = static_cast<QVBoxLayout *>(centralWidget()->layout());
    int row = 0;
    for (const CommandPanel &panel : mGroups->panels(PanelPlace::AboveGrid))
        layout->insertWidget(row++, panel.widget);
    for (const CommandPanel &panel : mGroups->panels(PanelPlace::StatusBar))
        statusBar()->addPermanentWidget(panel.widget);
    for (const CommandPanel &panel : mGroups->panels(PanelPlace::Dock))
        placeInDock(*this, panel);
}

// Settings --------------------------------------------------------------------------------------

void MainWindow::readSettings()
{
    std::unique_ptr<QSettings> store = openSettingsStore();
    mSettings = kribed::readSettings(*store);
    store.reset();

    QFont font(mSettings.font.name);
    font.setPointSize(mSettings.font.size > 0 ? mSettings.font.size : 8);
    font.setBold(mSettings.font.style & 1);
    font.setItalic(mSettings.font.style & 2);
    font.setUnderline(mSettings.font.style & 4);
    font.setStrikeOut(mSettings.font.style & 8);
    mDisplayFont = font;

    placeWindow();
    mSelectedUser = mUsers.lastUserIndex();
}

void MainWindow::placeWindow()
{
    // The primary screen first: a first start, or a window on no screen, goes there.
    QList<QRect> areas;
    if (const QScreen *primary = QGuiApplication::primaryScreen())
        areas << primary->availableGeometry();
    for (const QScreen *screen : QGuiApplication::screens()) {
        if (screen != QGuiApplication::primaryScreen())
            areas << screen->availableGeometry();
    }
    const QRect frame = startWindowGeometry(mSettings.placement, areas);
    if (frame.isValid())
        setGeometry(frame);
}

void MainWindow::writeSettings()
{
    mSettings.font.name = mDisplayFont.family();
    mSettings.font.size = mDisplayFont.pointSize();
    mSettings.font.style = (mDisplayFont.bold() ? 1 : 0) | (mDisplayFont.italic() ? 2 : 0)
                           | (mDisplayFont.underline() ? 4 : 0)
                           | (mDisplayFont.strikeOut() ? 8 : 0);
    const QRect frame = geometry();
    mSettings.placement = {frame.left(), frame.top(), frame.width(), frame.height()};
    std::unique_ptr<QSettings> store = openSettingsStore();
    kribed::writeSettings(*store, mSettings);
    writeRecoveryInterval(*store, int(mRecovery->interval().count() / 1000));
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (confirmDiscardChanges(*this)) {
        event->ignore();
        return;
    }
    // The groups put what the next run needs into the settings first.
    for (CommandGroup *group : mGroups->all())
        group->windowClosing();
    writeSettings();
    // A clean exit: nothing unsaved is left to recover.
    mRecovery->finish();
    event->accept();
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    setWindowTitle(defaultWindowTitle());
    applyDisplayFont();
}

// The open database -----------------------------------------------------------------------------

void MainWindow::setDatabaseOpen(bool open)
{
    if (!open) {
        setCurrentCell(1, 1);
        mDocument->close();
    }
    mGrid->setVisible(open);
    statusBar()->setVisible(open);
    if (open)
        mGrid->setFocus();

    mDatabaseOpen = open;
    for (CommandGroup *group : mGroups->all())
        group->setDatabaseOpen(open);
}

void MainWindow::updateStatus()
{
    const Database &database = mDocument->database();
    setWindowTitle(windowCaption(database, mDocument->regional()));
    // A database without a name keeps the bare title, but its status bar still follows it: the
    // panels must never go on showing the path and modified mark of the database before.
    if (!isDatabaseOpen())
        return;
    showStatusPanels();
    for (CommandGroup *group : mGroups->all())
        group->refresh();
    // The current cell's own signal moves the highlight at once (showCurrentCell); this catches
    // a current cell that moved without one, as after a reset of the model.
    followCurrentCellInHeaders();
}

void MainWindow::followChangesAtOnce()
{
    const auto soon = [this] { updateStatusSoon(); };
    const QAbstractItemModel *model = &mDocument->model();
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved,
                        &QAbstractItemModel::columnsInserted, &QAbstractItemModel::columnsRemoved})
        connect(model, signal, this, soon);
    connect(model, &QAbstractItemModel::rowsMoved, this, soon);
    connect(model, &QAbstractItemModel::columnsMoved, this, soon);
    connect(model, &QAbstractItemModel::dataChanged, this, soon);
    connect(model, &QAbstractItemModel::headerDataChanged, this, soon);
    connect(model, &QAbstractItemModel::layoutChanged, this, soon);
    connect(model, &QAbstractItemModel::modelReset, this, soon);
    for (auto signal :
         {&DatabaseDocument::columnWidthsChanged, &DatabaseDocument::rowVisibilityChanged,
          &DatabaseDocument::replaced, &DatabaseDocument::saved, &DatabaseDocument::regionalChanged,
          &DatabaseDocument::viewStateChanged})
        connect(mDocument, signal, this, soon);
    const QUndoStack *stack = &mDocument->history().stack();
    connect(stack, &QUndoStack::indexChanged, this, soon);
    connect(stack, &QUndoStack::cleanChanged, this, soon);
}

void MainWindow::updateStatusSoon()
{
    // Once after all the signals of one change, before the window paints it: a posted call runs
    // ahead of the repaint, which Qt posts at a lower priority.
    if (mStatusUpdatePending)
        return;
    mStatusUpdatePending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            mStatusUpdatePending = false;
            updateStatus();
        },
        Qt::QueuedConnection);
}

void MainWindow::showCurrentCell()
{
    if (!isDatabaseOpen())
        return;
    followCurrentCellInHeaders();
    showStatusPanels();
}

void MainWindow::followCurrentCellInHeaders()
{
    const int row = currentRecord();
    const int column = currentField();
    if (row == mLastRow && column == mLastColumn)
        return;
    mLastRow = row;
    mLastColumn = column;
    // Each header repaints only the section it leaves and the one it highlights; the grid
    // repaints the cells it leaves and enters itself.
    mRowHeader->setHighlightedSection(row - 1);
    mColumnHeader->setHighlightedSection(column - 1);
}

void MainWindow::showStatusPanels()
{
    const Database &database = mDocument->database();
    const ViewState view = mDocument->viewState();
    const ToggleStates toggles{view.autoSizing, view.filterOn, view.rowSumOn};
    const Regional &regional = mDocument->regional();
    const StatusPanels texts =
        statusPanelTexts(database, currentField(), currentRecord(), toggles, regional);
    // A label given its own text again would still lay out and repaint the status bar.
    for (int index = 0; index < StatusPanelCount; ++index) {
        if (mPanels[index]->text() != texts[index])
            mPanels[index]->setText(texts[index]);
    }
    nameForScreenReaders(
        *mGrid, regional.toText(database.name()), recordCountHint(), mPanels,
        spokenStatusPanelTexts(database, currentField(), currentRecord(), toggles, regional));
}

} // namespace kribed
