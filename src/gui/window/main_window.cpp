// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/window/main_window.h"

#include "core/model/database.h"
#include "core/model/regional.h"
#include "core/platform/user_list.h"
#include "core/status/status_texts.h"
#include "gui/grid/database_document.h"
#include "gui/grid/grid_header.h"
#include "gui/window/tool_icons.h"

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
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace kribed {

namespace {

// The commands enabled exactly while a database is open.
const char *const OpenOnlyCommands[] = {
    "actionClose",        "actionSave",         "actionSaveAs",      "actionAppend",
    "actionExport",       "actionPrint",        "actionEditCell",    "actionProperties",
    "actionCutCell",      "actionCopyCell",     "actionCutRow",      "actionCopyRow",
    "actionFont",         "actionFind",         "actionFindNext",    "actionAutoSizing",
    "actionFilter",       "actionSortNormal",   "actionSortReverse", "actionColumnSum",
    "actionRowSum",       "actionDeleteRow",    "actionInsertRow",   "actionAppendRow",
    "actionDeleteColumn", "actionInsertColumn", "actionAppendColumn"};

constexpr int PanelWidths[StatusPanelCount] = {90, 65, 18, 18, 18, 75, 1000};
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
    , mDialogs(dialogs)
    , mUsers(users)
    , mDocument(new DatabaseDocument(this))
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(defaultWindowTitle());
    resize(689, 422);
    buildActions();
    buildMenus();
    buildToolBar();
    buildGrid();
    buildGridMenu();
    buildStatusBar();

    mTimer = new QTimer(this);
    mTimer->setObjectName(QStringLiteral("statusTimer"));
    mTimer->setInterval(100);
    connect(mTimer, &QTimer::timeout, this, &MainWindow::updateStatus);

    readSettings();
    mTimer->start();
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow() = default;

QAction *MainWindow::makeAction(const QString &name, const QString &caption,
                                const QKeySequence &shortcut, const QString &hint,
                                void (MainWindow::*handler)())
{
    auto *action = new QAction(caption, this);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    action->setToolTip(hint.isEmpty() ? QString(caption).remove(u'&') : hint);
    action->setIcon(toolIcon(name));
    if (handler)
        connect(action, &QAction::triggered, this, handler);
    mActions.insert(name, action);
    return action;
}

void MainWindow::buildActions()
{
    using K = QKeySequence;
    using M = MainWindow;
    makeAction(QStringLiteral("actionNew"), QStringLiteral("&New..."), {}, QStringLiteral("New"),
               &M::newDatabase);
    makeAction(QStringLiteral("actionOpen"), QStringLiteral("&Open..."), K(Qt::CTRL | Qt::Key_O),
               QStringLiteral("Open"), &M::openDatabase);
    makeAction(QStringLiteral("actionClose"), QStringLiteral("&Close"), {}, {}, &M::closeDatabase);
    makeAction(QStringLiteral("actionSave"), QStringLiteral("S&ave"), K(Qt::CTRL | Qt::Key_S),
               QStringLiteral("Save"), &M::save);
    makeAction(QStringLiteral("actionSaveAs"), QStringLiteral("Save as..."), {}, {}, &M::saveAs);
    makeAction(QStringLiteral("actionInstall"), QStringLiteral("&Install"), K(Qt::CTRL | Qt::Key_I),
               QStringLiteral("Install database for hotsync"), &M::install);
    makeAction(QStringLiteral("actionImport"), QStringLiteral("I&mport..."), {},
               QStringLiteral("Import"), &M::importText);
    makeAction(QStringLiteral("actionAppend"), QStringLiteral("Appen&d..."), {}, {},
               &M::appendText);
    makeAction(QStringLiteral("actionExport"), QStringLiteral("&Export..."), {},
               QStringLiteral("Export"), &M::exportText);
    makeAction(QStringLiteral("actionPrint"), QStringLiteral("&Print..."), {},
               QStringLiteral("Print"), &M::print);
    for (int slot = 0; slot < RecentFileCount; ++slot) {
        QAction *entry = makeAction(QStringLiteral("actionRecentFile%1").arg(slot + 1), QString(),
                                    {}, {}, nullptr);
        entry->setIcon({});
        connect(entry, &QAction::triggered, this, [this, slot] { openRecentFile(slot); });
    }
    makeAction(QStringLiteral("actionExit"), QStringLiteral("E&xit"), K(Qt::ALT | Qt::Key_F4), {},
               &M::exit);

    makeAction(QStringLiteral("actionEditCell"), QStringLiteral("&Edit cell..."), K(Qt::Key_F2),
               QStringLiteral("Edit cell"), &M::editCell);
    makeAction(QStringLiteral("actionProperties"), QStringLiteral("Pr&operties..."), K(Qt::Key_F3),
               QStringLiteral("Properties"), &M::editProperties);
    makeAction(QStringLiteral("actionCutCell"), QStringLiteral("Cut cell"), K(Qt::Key_F9),
               QStringLiteral(" Cut cell"), &M::cutCell);
    makeAction(QStringLiteral("actionCopyCell"), QStringLiteral("Copy cell"), K(Qt::Key_F10),
               QStringLiteral("Copy cell"), &M::copyCell);
    makeAction(QStringLiteral("actionPasteCell"), QStringLiteral("Paste cell"), K(Qt::Key_F11),
               QStringLiteral("Paste cell"), &M::pasteCell);
    makeAction(QStringLiteral("actionCutRow"), QStringLiteral("Cut row"), K(Qt::Key_F5), {},
               &M::cutRow);
    makeAction(QStringLiteral("actionCopyRow"), QStringLiteral("Copy row"), K(Qt::Key_F6), {},
               &M::copyRow);
    makeAction(QStringLiteral("actionPasteRow"), QStringLiteral("Paste row"), K(Qt::Key_F7), {},
               &M::pasteRow);
    makeAction(QStringLiteral("actionFont"), QStringLiteral("&Font..."), {},
               QStringLiteral("Font setting"), &M::chooseDisplayFont);

    makeAction(QStringLiteral("actionFind"), QStringLiteral("&Find..."), K(Qt::CTRL | Qt::Key_F),
               QStringLiteral("Find"), &M::find);
    makeAction(QStringLiteral("actionFindNext"), QStringLiteral("F&ind next"), K(Qt::Key_F4), {},
               &M::findNext);
    makeAction(QStringLiteral("actionAutoSizing"), QStringLiteral("&Auto sizing"),
               K(Qt::CTRL | Qt::Key_A), QStringLiteral("Auto sizing"), &M::toggleAutoSizing)
        ->setCheckable(true);
    makeAction(QStringLiteral("actionFilter"), QStringLiteral("&Enable filter"),
               K(Qt::CTRL | Qt::Key_E), QStringLiteral("Filter records"), &M::toggleFilter)
        ->setCheckable(true);
    makeAction(QStringLiteral("actionSortNormal"), QStringLiteral("Sort &normal"),
               K(Qt::CTRL | Qt::Key_N), QStringLiteral("Sort normal"), &M::sortNormal);
    makeAction(QStringLiteral("actionSortReverse"), QStringLiteral("Sort &reverse"),
               K(Qt::CTRL | Qt::Key_R), QStringLiteral("Sort reverse"), &M::sortReverse);
    makeAction(QStringLiteral("actionColumnSum"), QStringLiteral("Column S&um"),
               K(Qt::CTRL | Qt::Key_U), QStringLiteral("Column sum"), &M::columnSum);
    makeAction(QStringLiteral("actionRowSum"), QStringLiteral("&Row Sum"), K(Qt::CTRL | Qt::Key_W),
               QStringLiteral("Row sum"), &M::toggleRowSum)
        ->setCheckable(true);
    makeAction(QStringLiteral("actionDeleteRow"), QStringLiteral("&Delete Row"),
               K(Qt::CTRL | Qt::Key_Delete), QStringLiteral("Delete row"), &M::deleteRow);
    makeAction(QStringLiteral("actionInsertRow"), QStringLiteral("&Insert Row"),
               K(Qt::CTRL | Qt::Key_Insert), QStringLiteral("Insert row"), &M::insertRow);
    makeAction(QStringLiteral("actionAppendRow"), QStringLiteral("&Append Row"),
               K(Qt::ALT | Qt::Key_Insert), QStringLiteral("Append row"), &M::appendRow);
    makeAction(QStringLiteral("actionDeleteColumn"), QStringLiteral("Dele&te Column"), {},
               QStringLiteral("Delete column"), &M::deleteColumn);
    makeAction(QStringLiteral("actionInsertColumn"), QStringLiteral("I&nsert Column"), {},
               QStringLiteral("Insert column"), &M::insertColumn);
    makeAction(QStringLiteral("actionAppendColumn"), QStringLiteral("A&ppend Column"), {},
               QStringLiteral("Append column"), &M::appendColumn);

    // The three toggles show their state as a check mark in the menu: an icon there would take
    // the check mark's place. The tool bar shows the icon, pressed while the state is on.
    for (const char *toggle : {"actionAutoSizing", "actionFilter", "actionRowSum"})
        mActions.value(QString::fromLatin1(toggle))->setIconVisibleInMenu(false);

    makeAction(QStringLiteral("actionReadme"), QStringLiteral("&Read me..."), K(Qt::Key_F1),
               QStringLiteral("Read me!"), &M::showReadme);
    makeAction(QStringLiteral("actionAbout"), QStringLiteral("&About..."), {}, {}, &M::showAbout);

    // The context menu's own entries run the same handlers.
    struct GridEntry
    {
        const char *name;
        const char *caption;
        QKeySequence key;
        void (M::*handler)();
    };
    const GridEntry gridEntries[] = {
        {"contextEditCell", "&Edit cell", {}, &M::editCell},
        {"contextProperties", "Pr&operties", {}, &M::editProperties},
        {"contextCutCell", "Cu&t cell", K(Qt::Key_F9), &M::cutCell},
        {"contextCopyCell", "&Copy cell", K(Qt::Key_F10), &M::copyCell},
        {"contextPasteCell", "&Paste cell", K(Qt::Key_F11), &M::pasteCell},
        {"contextCutRow", "C&ut row", K(Qt::Key_F5), &M::cutRow},
        {"contextCopyRow", "Cop&y row", K(Qt::Key_F6), &M::copyRow},
        {"contextPasteRow", "Pa&ste row", K(Qt::Key_F7), &M::pasteRow},
        {"contextDeleteRow", "&Delete row", K(Qt::CTRL | Qt::Key_Delete), &M::deleteRow},
        {"contextInsertRow", "&Insert row", K(Qt::CTRL | Qt::Key_Insert), &M::insertRow},
        // The entry carries no action of its own in the original layout; it appends a row like
        // its main-menu twin.
        {"contextAppendRow", "&Append row", K(Qt::SHIFT | Qt::Key_Insert), &M::appendRow},
    };
    for (const GridEntry &entry : gridEntries) {
        QAction *action =
            makeAction(QString::fromLatin1(entry.name), QString::fromLatin1(entry.caption),
                       entry.key, {}, entry.handler);
        // Only live while the context menu is open, so they never clash with the main menu's keys.
        action->setShortcutContext(Qt::WidgetShortcut);
        action->setIcon({});
    }
}

void MainWindow::buildMenus()
{
    menuBar()->setObjectName(QStringLiteral("menuBar"));
    const auto add = [this](QMenu *menu, const char *name) {
        menu->addAction(mActions.value(QString::fromLatin1(name)));
    };
    const auto separator = [](QMenu *menu, const char *name = nullptr) {
        QAction *line = menu->addSeparator();
        if (name)
            line->setObjectName(QString::fromLatin1(name));
        return line;
    };

    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("menuFile"));
    add(file, "actionNew");
    add(file, "actionOpen");
    add(file, "actionClose");
    separator(file);
    add(file, "actionSave");
    add(file, "actionSaveAs");
    add(file, "actionInstall");
    separator(file);
    add(file, "actionImport");
    add(file, "actionAppend");
    add(file, "actionExport");
    separator(file);
    add(file, "actionPrint");
    mActions.insert(QStringLiteral("separatorRecentFiles"),
                    separator(file, "separatorRecentFiles"));
    for (int slot = 1; slot <= RecentFileCount; ++slot)
        file->addAction(mActions.value(QStringLiteral("actionRecentFile%1").arg(slot)));
    mActions.insert(QStringLiteral("separatorExit"), separator(file, "separatorExit"));
    add(file, "actionExit");

    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("menuEdit"));
    add(edit, "actionEditCell");
    add(edit, "actionProperties");
    separator(edit);
    add(edit, "actionCutCell");
    add(edit, "actionCopyCell");
    add(edit, "actionPasteCell");
    separator(edit);
    add(edit, "actionCutRow");
    add(edit, "actionCopyRow");
    add(edit, "actionPasteRow");
    separator(edit);
    add(edit, "actionFont");

    QMenu *tools = menuBar()->addMenu(QStringLiteral("&Tools"));
    tools->setObjectName(QStringLiteral("menuTools"));
    add(tools, "actionFind");
    add(tools, "actionFindNext");
    separator(tools);
    add(tools, "actionAutoSizing");
    add(tools, "actionFilter");
    separator(tools);
    add(tools, "actionSortNormal");
    add(tools, "actionSortReverse");
    separator(tools);
    add(tools, "actionColumnSum");
    add(tools, "actionRowSum");
    separator(tools);
    add(tools, "actionDeleteRow");
    add(tools, "actionInsertRow");
    add(tools, "actionAppendRow");
    separator(tools);
    add(tools, "actionDeleteColumn");
    add(tools, "actionInsertColumn");
    add(tools, "actionAppendColumn");

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("menuHelp"));
    add(help, "actionReadme");
    separator(help);
    add(help, "actionAbout");
}

void MainWindow::buildToolBar()
{
    mToolBar = addToolBar(QStringLiteral("Tools"));
    mToolBar->setObjectName(QStringLiteral("toolBar"));
    mToolBar->setMovable(false);
    mToolBar->setIconSize(QSize(16, 16));
    const char *const buttons[] = {
        "actionNew",          "actionOpen",         "actionSave",       "actionInstall",
        "actionPrint",        "actionImport",       "actionExport",     "actionEditCell",
        "actionCutCell",      "actionCopyCell",     "actionPasteCell",  "actionProperties",
        "actionFont",         "actionFind",         "actionAutoSizing", "actionFilter",
        "actionSortNormal",   "actionSortReverse",  "actionColumnSum",  "actionRowSum",
        "actionAppendRow",    "actionInsertRow",    "actionDeleteRow",  "actionAppendColumn",
        "actionInsertColumn", "actionDeleteColumn", "actionReadme"};
    for (const char *name : buttons) {
        QAction *action = mActions.value(QString::fromLatin1(name));
        mToolBar->addAction(action);
        QWidget *button = mToolBar->widgetForAction(action);
        // actionNew's button is toolButtonNew.
        button->setObjectName(QString::fromLatin1(name).replace(QStringLiteral("action"),
                                                                QStringLiteral("toolButton")));
        button->setFixedSize(25, 23);
        if (auto *toolButton = qobject_cast<QToolButton *>(button))
            toolButton->setAutoRaise(true);
    }
}

void MainWindow::buildGridMenu()
{
    mGridMenu = new QMenu(this);
    mGridMenu->setObjectName(QStringLiteral("gridContextMenu"));
    const auto add = [this](const char *name) {
        mGridMenu->addAction(mActions.value(QString::fromLatin1(name)));
    };
    add("contextEditCell");
    add("contextProperties");
    mGridMenu->addSeparator();
    add("contextCutCell");
    add("contextCopyCell");
    add("contextPasteCell");
    mGridMenu->addSeparator();
    add("contextCutRow");
    add("contextCopyRow");
    add("contextPasteRow");
    mGridMenu->addSeparator();
    add("contextDeleteRow");
    add("contextInsertRow");
    add("contextAppendRow");
    // The header cells belong to the grid: the same menu opens on them.
    // Scroll areas report the position within their viewport.
    for (QAbstractScrollArea *part :
         {static_cast<QAbstractScrollArea *>(mGrid),
          static_cast<QAbstractScrollArea *>(mGrid->horizontalHeader()),
          static_cast<QAbstractScrollArea *>(mGrid->verticalHeader())}) {
        part->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(part, &QWidget::customContextMenuRequested, this,
                [this, part](const QPoint &position) {
                    showGridMenu(part->viewport()->mapToGlobal(position));
                });
    }
}

void MainWindow::showGridMenu(const QPoint &globalPosition)
{
    mGridMenu->popup(globalPosition);
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
            panel->setFixedWidth(PanelWidths[index]);
            statusBar()->addWidget(panel);
        } else {
            panel->setMinimumWidth(20);
            statusBar()->addWidget(panel, 1);
        }
        mPanels[index] = panel;
    }
}

void MainWindow::readSettings()
{
    setDatabaseOpen(false);
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
    mRecent = RecentFiles(mSettings.recentFiles);
    refreshRecentMenu();
    mSelectedUser = mUsers.lastUserIndex();
    // The first database dialog of a run starts in the selected user's backup folder.
    setDatabaseDialogFolder(startingFolder(mSettings.initialDir, mUsers, mSelectedUser));
    applyDisplayFont();
}

void MainWindow::placeWindow()
{
    const Placement &place = mSettings.placement;
    if (place.left != Placement::NoPlacement) {
        const QRect stored(place.left, place.top, place.width, place.height);
        // A rectangle stored on a monitor that is gone would leave the window out of reach: it
        // is used as stored only while some screen shows part of it.
        const QList<QScreen *> screens = QGuiApplication::screens();
        const bool reachable =
            screens.isEmpty()
            || std::any_of(screens.begin(), screens.end(), [&stored](const QScreen *screen) {
                   return screen->availableGeometry().intersects(stored);
               });
        setGeometry(stored);
        if (reachable)
            return;
    }
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
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
    mSettings.recentFiles = mRecent.all();
    std::unique_ptr<QSettings> store = openSettingsStore();
    kribed::writeSettings(*store, mSettings);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (confirmDiscardChanges()) {
        event->ignore();
        return;
    }
    writeSettings();
    event->accept();
    // The read-me window is not modal: it goes with the main window.
    if (mReadmeWindow)
        mReadmeWindow->close();
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    setWindowTitle(defaultWindowTitle());
    applyDisplayFont();
}

bool MainWindow::isDatabaseOpen() const
{
    return mActions.value(QStringLiteral("actionSave"))->isEnabled();
}

void MainWindow::setDatabaseOpen(bool open)
{
    if (!open) {
        setCurrentCell(1, 1);
        mDocument->close();
        setAutoSizingState(false);
        autoSizeColumns(false);
        clearRowClipboard();
    }
    applyFilter(false);
    rowSumOff();

    mGrid->setVisible(open);
    statusBar()->setVisible(open);
    mEmptyPanel->setVisible(!open);
    if (open)
        mGrid->setFocus();

    for (const char *name : OpenOnlyCommands)
        mActions.value(QString::fromLatin1(name))->setEnabled(open);
    mActions.value(QStringLiteral("actionInstall"))->setEnabled(open && mUsers.count() > 0);
    mActions.value(QStringLiteral("actionPasteCell"))->setEnabled(open && clipboardHoldsText());
    mActions.value(QStringLiteral("actionPasteRow"))->setEnabled(false);
}

void MainWindow::setAutoSizingState(bool on)
{
    mAutoSizing = on;
    mActions.value(QStringLiteral("actionAutoSizing"))->setChecked(on);
}

void MainWindow::setRowSumState(bool on)
{
    mRowSumOn = on;
    mActions.value(QStringLiteral("actionRowSum"))->setChecked(on);
}

void MainWindow::updateStatus()
{
    const Database &database = mDocument->database();
    setWindowTitle(windowCaption(database, currentRegional()));
    // A database without a name keeps the bare title, but its status bar still follows it: the
    // panels must never go on showing the path and modified mark of the database before.
    if (!isDatabaseOpen())
        return;
    const StatusPanels texts =
        statusPanelTexts(database, currentField(), currentRecord(),
                         {mAutoSizing, mFilterOn, mRowSumOn}, currentRegional());
    for (int index = 0; index < StatusPanelCount; ++index)
        mPanels[index]->setText(texts[index]);

    mActions.value(QStringLiteral("actionPasteCell"))->setEnabled(clipboardHoldsText());

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

// Recent files ----------------------------------------------------------------------------------

void MainWindow::addRecentFile(const QString &path)
{
    if (mRecent.add(path))
        refreshRecentMenu();
}

void MainWindow::refreshRecentMenu()
{
    for (int slot = 0; slot < RecentFileCount; ++slot) {
        QAction *entry = mActions.value(QStringLiteral("actionRecentFile%1").arg(slot + 1));
        entry->setVisible(mRecent.isFilled(slot));
        entry->setText(mRecent.isFilled(slot) ? mRecent.menuCaption(slot) : QString());
    }
    mActions.value(QStringLiteral("separatorRecentFiles"))->setVisible(mRecent.isFilled(0));
}

void MainWindow::openRecentFile(int slot)
{
    // Only the newest entry first leaves the row sum and filter modes.
    if (slot == 0) {
        rowSumOff();
        applyFilter(false);
    }
    openDatabaseFile(mRecent.path(slot));
}

} // namespace kribed
