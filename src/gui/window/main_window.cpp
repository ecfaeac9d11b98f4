// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/window/main_window.h"

#include "core/model/database.h"
#include "core/model/regional.h"
#include "core/platform/recovery_settings.h"
#include "core/platform/recovery_store.h"
#include "core/platform/user_list.h"
#include "core/status/status_texts.h"
#include "gui/commands/command_support.h"
#include "gui/commands/edit_commands.h"
#include "gui/commands/exchange_commands.h"
#include "gui/commands/file_commands.h"
#include "gui/commands/file_drop.h"
#include "gui/commands/help_commands.h"
#include "gui/commands/navigation_commands.h"
#include "gui/commands/properties_commands.h"
#include "gui/commands/range_commands.h"
#include "gui/commands/regional_commands.h"
#include "gui/commands/replace_commands.h"
#include "gui/commands/row_column_commands.h"
#include "gui/commands/tools_commands.h"
#include "gui/dialogs/welcome_panel.h"
#include "gui/grid/database_document.h"
#include "gui/grid/grid_header.h"
#include "gui/window/accessible_names.h"
#include "gui/window/menu_builder.h"
#include "gui/window/recovery_writer.h"
#include "gui/window/status_panel_widths.h"
#include "gui/window/tool_icons.h"
#include "gui/window/window_placement.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
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

#include <algorithm>

namespace kribed {

namespace {

const char *const PanelNames[StatusPanelCount] = {
    "statusPanelRecord", "statusPanelField",    "statusPanelAutoSizing", "statusPanelFilter",
    "statusPanelRowSum", "statusPanelModified", "statusPanelFile"};

bool clipboardHoldsText()
{
    const QClipboard *clipboard = QGuiApplication::clipboard();
    return clipboard && !clipboard->text().isEmpty();
}

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
    // The new-database dialog, made with the commands, needs the settings of the start.
    readSettings();
    makeCommands();
    buildGrid();
    // The range commands work on the grid.
    mRange = std::make_unique<RangeCommands>(*this, this);
    buildMenus();
    buildToolBar();
    buildGridMenu();
    buildStatusBar();
    connectRangeCommands();
    nameWindowBarsForScreenReaders(*this);

    mTimer = new QTimer(this);
    mTimer->setObjectName(QStringLiteral("statusTimer"));
    mTimer->setInterval(100);
    connect(mTimer, &QTimer::timeout, this, &MainWindow::updateStatus);

    setDatabaseOpen(false);
    // The first database dialog of a run starts in the selected user's backup folder.
    mFile->start(startingFolder(mSettings.initialDir, mUsers, mSelectedUser),
                 mSettings.recentFiles);
    applyDisplayFont();
    mTimer->start();
    auto *drops = new FileDropFilter(this);
    connect(drops, &FileDropFilter::databaseDropped, mFile.get(), &FileCommands::openNamedDatabase);
    connect(drops, &FileDropFilter::textFileDropped, mExchange.get(),
            &ExchangeCommands::importProposedText);
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

Modes &MainWindow::modes()
{
    return *mTools;
}

void MainWindow::makeCommands()
{
    mHelp = std::make_unique<HelpCommands>(*this, this);
    mEdit = std::make_unique<EditCommands>(*this, this);
    mFile = std::make_unique<FileCommands>(*this, this);
    mTools = std::make_unique<ToolsCommands>(*this, this);
    mProperties = std::make_unique<PropertiesCommands>(*this, this);
    mExchange = std::make_unique<ExchangeCommands>(*this, this);
    mRowColumn = std::make_unique<RowColumnCommands>(*this, *mEdit, this);
    mReplace = std::make_unique<ReplaceCommands>(*this, this);
    mFormats = std::make_unique<RegionalCommands>(*this, this);
    mTools->setPropertiesDialog(&mProperties->dialog());
    mNavigation = std::make_unique<NavigationCommands>(*this, this);
    mNavigation->setPropertiesDialog(&mProperties->dialog());
}

CommandPlacements MainWindow::commandPlacements() const
{
    CommandPlacements all;
    all << mFile->placements() << mExchange->placements() << mEdit->placements()
        << mProperties->placements() << mTools->placements() << mRowColumn->placements()
        << mHelp->placements() << mRange->placements() << mReplace->placements()
        << mFormats->placements() << mNavigation->placements();
    return all;
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

// The selection's statistics in the status bar; the range commands' changes reach the row sums
// and the record filter.
void MainWindow::connectRangeCommands()
{
    statusBar()->addPermanentWidget(mRange->statisticsLabel());
    statusBar()->addPermanentWidget(mFormats->formatsLabel());
    // A paste or clearing changes operands of the row sums as typing does.
    connect(mRange.get(), &RangeCommands::cellsChanged, mTools.get(),
            &ToolsCommands::operandsChanged);
    connect(mReplace.get(), &ReplaceCommands::cellsChanged, mTools.get(),
            &ToolsCommands::operandsChanged);

    // After an undo or redo the record filter shows exactly the records it keeps, and the
    // toggles show the database's filter switch.
    connect(&mDocument->history(), &EditHistory::stepRun, this,
            [this] { mTools->applyFilter(mDocument->database().filterOn()); });
    // Told once for each change that pushed older ones out, without a box: nothing is lost, but
    // the user should not count on undoing them.
    connect(&mDocument->history(), &EditHistory::oldestStepsDropped, this, [this] {
        statusBar()->showMessage(
            tr("The undo memory is full: the oldest changes can no longer be undone."), 15000);
    });
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
    mSettings.recentFiles = mFile->recentFiles().all();
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
    writeSettings();
    // A clean exit: nothing unsaved is left to recover.
    mRecovery->finish();
    event->accept();
    // The read-me window is not modal: it goes with the main window.
    mHelp->readmeWindow().close();
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
        mTools->dropAutoSizing();
        mEdit->clearRowClipboard();
    }
    mTools->applyFilter(false);
    mTools->rowSumOff();

    mGrid->setVisible(open);
    statusBar()->setVisible(open);
    mWelcome->setVisible(!open);
    if (open)
        mGrid->setFocus();

    mDatabaseOpen = open;
    mFile->setDatabaseOpen(open);
    mExchange->setDatabaseOpen(open);
    mEdit->setDatabaseOpen(open);
    mProperties->setDatabaseOpen(open);
    mTools->setDatabaseOpen(open);
    mRowColumn->setDatabaseOpen(open);
    mRange->setDatabaseOpen(open);
    mReplace->setDatabaseOpen(open);
    mFormats->setDatabaseOpen(open);
    mNavigation->setDatabaseOpen(open);
}

void MainWindow::updateStatus()
{
    const Database &database = mDocument->database();
    setWindowTitle(windowCaption(database, mDocument->regional()));
    // A database without a name keeps the bare title, but its status bar still follows it: the
    // panels must never go on showing the path and modified mark of the database before.
    if (!isDatabaseOpen())
        return;
    const ToggleStates toggles{mTools->isAutoSizing(), mTools->isFilterOn(), mTools->isRowSumOn()};
    const Regional &regional = mDocument->regional();
    const StatusPanels texts =
        statusPanelTexts(database, currentField(), currentRecord(), toggles, regional);
    for (int index = 0; index < StatusPanelCount; ++index)
        mPanels[index]->setText(texts[index]);
    nameForScreenReaders(
        *mGrid, regional.toText(database.name()), recordCountHint(), mPanels,
        spokenStatusPanelTexts(database, currentField(), currentRecord(), toggles, regional));

    mEdit->actionPasteCell->setEnabled(clipboardHoldsText());

    const int row = currentRecord();
    const int column = currentField();
    if (row != mLastRow || column != mLastColumn) {
        mLastRow = row;
        mLastColumn = column;
        mRowHeader->setHighlightedSection(row - 1);
        mColumnHeader->setHighlightedSection(column - 1);
        mGrid->viewport()->update();
    }
}

} // namespace kribed
