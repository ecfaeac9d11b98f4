// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/window/main_window.h"

#include "core/model/database.h"
#include "core/model/regional.h"
#include "core/platform/user_list.h"
#include "core/status/status_texts.h"
#include "gui/commands/command_support.h"
#include "gui/commands/edit_commands.h"
#include "gui/commands/exchange_commands.h"
#include "gui/commands/file_commands.h"
#include "gui/commands/help_commands.h"
#include "gui/commands/properties_commands.h"
#include "gui/commands/row_column_commands.h"
#include "gui/commands/tools_commands.h"
#include "gui/grid/database_document.h"
#include "gui/grid/grid_header.h"
#include "gui/grid/range_commands.h"
#include "gui/window/file_drop.h"
#include "gui/window/status_panel_widths.h"
#include "gui/window/tool_icons.h"
#include "gui/window/welcome_panel.h"
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
#include <QToolButton>

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

// A menu separator with a name of its own.
QAction *namedSeparator(QMenu *menu, const char *name)
{
    QAction *line = menu->addSeparator();
    line->setObjectName(QString::fromLatin1(name));
    return line;
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
    buildMenus();
    buildToolBar();
    buildGrid();
    buildGridMenu();
    buildStatusBar();
    addRangeCommands();

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
}

MainWindow::~MainWindow() = default;

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
    mTools->setPropertiesDialog(&mProperties->dialog());
}

void MainWindow::buildMenus()
{
    menuBar()->setObjectName(QStringLiteral("menuBar"));
    // Each entry of the main menus shows its tool-bar picture, if it has one.
    const auto add = [](QMenu *menu, std::initializer_list<QAction *> actions) {
        for (QAction *action : actions) {
            if (!action) {
                menu->addSeparator();
                continue;
            }
            if (action->icon().isNull())
                action->setIcon(toolIcon(action->objectName()));
            menu->addAction(action);
        }
    };
    const FileCommands &f = *mFile;
    const ExchangeCommands &x = *mExchange;
    const EditCommands &e = *mEdit;
    const ToolsCommands &t = *mTools;
    const RowColumnCommands &r = *mRowColumn;

    QMenu *file = menuBar()->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("menuFile"));
    add(file, {f.actionNew, f.actionOpen, f.actionClose, nullptr, f.actionSave, f.actionSaveAs,
               f.actionInstall, nullptr, x.actionImport, x.actionAppend, x.actionExport, nullptr,
               f.actionPrint, f.actionPrintPreview, f.separatorRecentFiles});
    for (QAction *entry : f.actionRecentFiles)
        file->addAction(entry);
    namedSeparator(file, "separatorExit");
    add(file, {f.actionExit});

    QMenu *edit = menuBar()->addMenu(tr("&Edit"));
    edit->setObjectName(QStringLiteral("menuEdit"));
    add(edit, {e.actionEditCell, mProperties->actionProperties, nullptr, e.actionCutCell,
               e.actionCopyCell, e.actionPasteCell, nullptr, e.actionCutRow, e.actionCopyRow,
               e.actionPasteRow, nullptr, e.actionFont});

    QMenu *tools = menuBar()->addMenu(tr("&Tools"));
    tools->setObjectName(QStringLiteral("menuTools"));
    add(tools, {t.actionFind, t.actionFindNext, nullptr, t.actionAutoSizing, t.actionFilter,
                nullptr, t.actionSortNormal, t.actionSortReverse, nullptr, t.actionColumnSum,
                t.actionRowSum, nullptr, r.actionDeleteRow, r.actionInsertRow, r.actionAppendRow,
                nullptr, r.actionDeleteColumn, r.actionInsertColumn, r.actionAppendColumn});

    QMenu *help = menuBar()->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("menuHelp"));
    add(help, {mHelp->actionReadme, nullptr, mHelp->actionAbout});

    // The toggles' check boxes stay readable on a dark palette.
    QStyle *checks = readableMenuCheckStyle(this);
    for (QMenu *menu : {file, edit, tools, help})
        menu->setStyle(checks);
}

void MainWindow::buildToolBar()
{
    mToolBar = addToolBar(tr("Tools"));
    mToolBar->setObjectName(QStringLiteral("toolBar"));
    mToolBar->setMovable(false);
    mToolBar->setIconSize(QSize(16, 16));
    const FileCommands &f = *mFile;
    const ExchangeCommands &x = *mExchange;
    const EditCommands &e = *mEdit;
    const ToolsCommands &t = *mTools;
    const RowColumnCommands &r = *mRowColumn;
    for (QAction *action :
         {f.actionNew,          f.actionOpen,         f.actionSave,
          f.actionInstall,      f.actionPrint,        x.actionImport,
          x.actionExport,       e.actionEditCell,     e.actionCutCell,
          e.actionCopyCell,     e.actionPasteCell,    mProperties->actionProperties,
          e.actionFont,         t.actionFind,         t.actionAutoSizing,
          t.actionFilter,       t.actionSortNormal,   t.actionSortReverse,
          t.actionColumnSum,    t.actionRowSum,       r.actionAppendRow,
          r.actionInsertRow,    r.actionDeleteRow,    r.actionAppendColumn,
          r.actionInsertColumn, r.actionDeleteColumn, mHelp->actionReadme}) {
        mToolBar->addAction(action);
        QWidget *button = mToolBar->widgetForAction(action);
        // actionNew's button is toolButtonNew.
        button->setObjectName(
            action->objectName().replace(QStringLiteral("action"), QStringLiteral("toolButton")));
        button->setFixedSize(25, 23);
        if (auto *toolButton = qobject_cast<QToolButton *>(button))
            toolButton->setAutoRaise(true);
    }
}

void MainWindow::buildGridMenu()
{
    mGridMenu = new QMenu(this);
    mGridMenu->setObjectName(QStringLiteral("gridContextMenu"));
    const EditCommands &e = *mEdit;
    const RowColumnCommands &r = *mRowColumn;
    for (QAction *action : std::initializer_list<QAction *>{
             e.contextEditCell, mProperties->contextProperties, nullptr, e.contextCutCell,
             e.contextCopyCell, e.contextPasteCell, nullptr, e.contextCutRow, e.contextCopyRow,
             e.contextPasteRow, nullptr, r.contextDeleteRow, r.contextInsertRow,
             r.contextAppendRow}) {
        if (action)
            mGridMenu->addAction(action);
        else
            mGridMenu->addSeparator();
    }
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

// Undo and redo at the top of the Edit menu, the range commands after the cell commands, and the
// selection's statistics in the status bar; the keys desktop users expect beside the described
// ones.
void MainWindow::addRangeCommands()
{
    mRange = std::make_unique<RangeCommands>(*mDocument, *mGrid, mPrompter, this);
    mRange->undoAction()->setObjectName(QStringLiteral("actionUndo"));
    mRange->redoAction()->setObjectName(QStringLiteral("actionRedo"));
    mRange->copyAction()->setObjectName(QStringLiteral("actionCopyCells"));
    mRange->cutAction()->setObjectName(QStringLiteral("actionCutCells"));
    mRange->pasteAction()->setObjectName(QStringLiteral("actionPasteCells"));
    mRange->clearAction()->setObjectName(QStringLiteral("actionClearCells"));
    auto *edit = menuBar()->findChild<QMenu *>(QStringLiteral("menuEdit"));
    QAction *first = edit->actions().value(0);
    edit->insertActions(first, {mRange->undoAction(), mRange->redoAction()});
    edit->insertSeparator(first);
    QAction *afterCells = edit->insertSeparator(mEdit->actionCutRow);
    edit->insertActions(afterCells, {mRange->cutAction(), mRange->copyAction(),
                                     mRange->pasteAction(), mRange->clearAction()});
    mRange->statisticsLabel()->setObjectName(QStringLiteral("selectionStatistics"));
    statusBar()->addPermanentWidget(mRange->statisticsLabel());
    // A paste or clearing changes operands of the row sums as typing does.
    connect(mRange.get(), &RangeCommands::cellsChanged, mTools.get(),
            &ToolsCommands::operandsChanged);

    mFile->actionExit->setShortcuts(
        {QKeySequence(Qt::ALT | Qt::Key_F4), QKeySequence(Qt::CTRL | Qt::Key_Q)});
    mFile->actionPrint->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    mFile->actionSaveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));

    // After an undo or redo the record filter shows exactly the records it keeps, and the
    // toggles show the database's filter switch.
    connect(&mDocument->history(), &EditHistory::stepRun, this,
            [this] { mTools->applyFilter(mDocument->database().filterOn()); });
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
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (confirmDiscardChanges(*this)) {
        event->ignore();
        return;
    }
    writeSettings();
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
}

void MainWindow::updateStatus()
{
    const Database &database = mDocument->database();
    setWindowTitle(windowCaption(database, mDocument->regional()));
    // A database without a name keeps the bare title, but its status bar still follows it: the
    // panels must never go on showing the path and modified mark of the database before.
    if (!isDatabaseOpen())
        return;
    const StatusPanels texts =
        statusPanelTexts(database, currentField(), currentRecord(),
                         {mTools->isAutoSizing(), mTools->isFilterOn(), mTools->isRowSumOn()},
                         mDocument->regional());
    for (int index = 0; index < StatusPanelCount; ++index)
        mPanels[index]->setText(texts[index]);

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
