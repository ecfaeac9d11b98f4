// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/window/main_form.h"

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
    "Close1",         "Save1",         "Saveas1",      "Append1",     "Export1",    "Print1",
    "Edit1",          "Properties1",   "CutCell1",     "CopyCell1",   "CutRow1",    "CopyRow1",
    "FontSetting1",   "Find1",         "Findnext1",    "Autosizing1", "Filter1",    "Sortnormal1",
    "SortReverse1",   "ColSum1",       "RowSum1",      "Delete_Row1", "InsertRow1", "AppendRow1",
    "Delete_Column1", "InsertColumn1", "AppendColumn1"};

constexpr int PanelWidths[StatusPanelCount] = {90, 65, 18, 18, 18, 75, 1000};

bool ClipboardHoldsText()
{
    const QClipboard *clipboard = QGuiApplication::clipboard();
    return clipboard && !clipboard->text().isEmpty();
}

} // namespace

TMainForm::TMainForm(Prompter &prompter, FileDialogs &dialogs, UserList &users, QWidget *parent)
    : QMainWindow(parent)
    , mPrompter(prompter)
    , mDialogs(dialogs)
    , mUsers(users)
    , mDocument(new DatabaseDocument(this))
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(defaultWindowTitle());
    resize(689, 422);
    BuildActions();
    BuildMenus();
    BuildToolBar();
    BuildGrid();
    BuildGridMenu();
    BuildStatusBar();

    mTimer = new QTimer(this);
    mTimer->setObjectName(QStringLiteral("Timer1"));
    mTimer->setInterval(100);
    connect(mTimer, &QTimer::timeout, this, &TMainForm::Timer1Timer);

    FormCreate();
    mTimer->start();
    qApp->installEventFilter(this);
}

TMainForm::~TMainForm() = default;

QAction *TMainForm::AddAction(const QString &name, const QString &caption,
                              const QKeySequence &shortcut, const QString &hint,
                              void (TMainForm::*handler)())
{
    auto *action = new QAction(caption, this);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    action->setToolTip(hint.isEmpty() ? QString(caption).remove(u'&') : hint);
    action->setIcon(ToolIcon(name));
    if (handler)
        connect(action, &QAction::triggered, this, handler);
    mActions.insert(name, action);
    return action;
}

void TMainForm::BuildActions()
{
    using K = QKeySequence;
    using M = TMainForm;
    AddAction(QStringLiteral("New1"), QStringLiteral("&New..."), {}, QStringLiteral("New"),
              &M::New1Click);
    AddAction(QStringLiteral("Open1"), QStringLiteral("&Open..."), K(Qt::CTRL | Qt::Key_O),
              QStringLiteral("Open"), &M::Open1Click);
    AddAction(QStringLiteral("Close1"), QStringLiteral("&Close"), {}, {}, &M::Close1Click);
    AddAction(QStringLiteral("Save1"), QStringLiteral("S&ave"), K(Qt::CTRL | Qt::Key_S),
              QStringLiteral("Save"), &M::Save1Click);
    AddAction(QStringLiteral("Saveas1"), QStringLiteral("Save as..."), {}, {}, &M::Saveas1Click);
    AddAction(QStringLiteral("Install1"), QStringLiteral("&Install"), K(Qt::CTRL | Qt::Key_I),
              QStringLiteral("Install database for hotsync"), &M::Install1Click);
    AddAction(QStringLiteral("Import1"), QStringLiteral("I&mport..."), {}, QStringLiteral("Import"),
              &M::Import1Click);
    AddAction(QStringLiteral("Append1"), QStringLiteral("Appen&d..."), {}, {}, &M::Append1Click);
    AddAction(QStringLiteral("Export1"), QStringLiteral("&Export..."), {}, QStringLiteral("Export"),
              &M::Export1Click);
    AddAction(QStringLiteral("Print1"), QStringLiteral("&Print..."), {}, QStringLiteral("Print"),
              &M::Print1Click);
    void (M::*recent[RecentFileCount])() = {&M::F1Click, &M::F2Click, &M::F3Click, &M::F4Click,
                                            &M::F5Click};
    for (int slot = 0; slot < RecentFileCount; ++slot)
        AddAction(QStringLiteral("F%1").arg(slot + 1), QString(), {}, {}, recent[slot])
            ->setIcon({});
    AddAction(QStringLiteral("Exit1"), QStringLiteral("E&xit"), K(Qt::ALT | Qt::Key_F4), {},
              &M::Exit1Click);

    AddAction(QStringLiteral("Edit1"), QStringLiteral("&Edit cell..."), K(Qt::Key_F2),
              QStringLiteral("Edit cell"), &M::Edit1Click);
    AddAction(QStringLiteral("Properties1"), QStringLiteral("Pr&operties..."), K(Qt::Key_F3),
              QStringLiteral("Properties"), &M::Properties1Click);
    AddAction(QStringLiteral("CutCell1"), QStringLiteral("Cut cell"), K(Qt::Key_F9),
              QStringLiteral(" Cut cell"), &M::CutCell1Click);
    AddAction(QStringLiteral("CopyCell1"), QStringLiteral("Copy cell"), K(Qt::Key_F10),
              QStringLiteral("Copy cell"), &M::CopyCell1Click);
    AddAction(QStringLiteral("PasteCell1"), QStringLiteral("Paste cell"), K(Qt::Key_F11),
              QStringLiteral("Paste cell"), &M::PasteCell1Click);
    AddAction(QStringLiteral("CutRow1"), QStringLiteral("Cut row"), K(Qt::Key_F5), {},
              &M::CutRow1Click);
    AddAction(QStringLiteral("CopyRow1"), QStringLiteral("Copy row"), K(Qt::Key_F6), {},
              &M::CopyRow1Click);
    AddAction(QStringLiteral("PasteRow1"), QStringLiteral("Paste row"), K(Qt::Key_F7), {},
              &M::PasteRow1Click);
    AddAction(QStringLiteral("FontSetting1"), QStringLiteral("&Font..."), {},
              QStringLiteral("Font setting"), &M::FontSetting1Click);

    AddAction(QStringLiteral("Find1"), QStringLiteral("&Find..."), K(Qt::CTRL | Qt::Key_F),
              QStringLiteral("Find"), &M::Find1Click);
    AddAction(QStringLiteral("Findnext1"), QStringLiteral("F&ind next"), K(Qt::Key_F4), {},
              &M::Findnext1Click);
    AddAction(QStringLiteral("Autosizing1"), QStringLiteral("&Auto sizing"),
              K(Qt::CTRL | Qt::Key_A), QStringLiteral("Auto sizing"), &M::Autosizing1Click)
        ->setCheckable(true);
    AddAction(QStringLiteral("Filter1"), QStringLiteral("&Enable filter"), K(Qt::CTRL | Qt::Key_E),
              QStringLiteral("Filter records"), &M::Filter1Click)
        ->setCheckable(true);
    AddAction(QStringLiteral("Sortnormal1"), QStringLiteral("Sort &normal"),
              K(Qt::CTRL | Qt::Key_N), QStringLiteral("Sort normal"), &M::Sortnormal1Click);
    AddAction(QStringLiteral("SortReverse1"), QStringLiteral("Sort &reverse"),
              K(Qt::CTRL | Qt::Key_R), QStringLiteral("Sort reverse"), &M::SortReverse1Click);
    AddAction(QStringLiteral("ColSum1"), QStringLiteral("Column S&um"), K(Qt::CTRL | Qt::Key_U),
              QStringLiteral("Column sum"), &M::ColSum1Click);
    AddAction(QStringLiteral("RowSum1"), QStringLiteral("&Row Sum"), K(Qt::CTRL | Qt::Key_W),
              QStringLiteral("Row sum"), &M::RowSum1Click)
        ->setCheckable(true);
    AddAction(QStringLiteral("Delete_Row1"), QStringLiteral("&Delete Row"),
              K(Qt::CTRL | Qt::Key_Delete), QStringLiteral("Delete row"), &M::Delete_Row1Click);
    AddAction(QStringLiteral("InsertRow1"), QStringLiteral("&Insert Row"),
              K(Qt::CTRL | Qt::Key_Insert), QStringLiteral("Insert row"), &M::InsertRow1Click);
    AddAction(QStringLiteral("AppendRow1"), QStringLiteral("&Append Row"),
              K(Qt::ALT | Qt::Key_Insert), QStringLiteral("Append row"), &M::AppendRow1Click);
    AddAction(QStringLiteral("Delete_Column1"), QStringLiteral("Dele&te Column"), {},
              QStringLiteral("Delete column"), &M::Delete_Column1Click);
    AddAction(QStringLiteral("InsertColumn1"), QStringLiteral("I&nsert Column"), {},
              QStringLiteral("Insert column"), &M::InsertColumn1Click);
    AddAction(QStringLiteral("AppendColumn1"), QStringLiteral("A&ppend Column"), {},
              QStringLiteral("Append column"), &M::AppendColumn1Click);

    // The three toggles show their state as a check mark in the menu: an icon there would take
    // the check mark's place. The tool bar shows the icon, pressed while the state is on.
    for (const char *toggle : {"Autosizing1", "Filter1", "RowSum1"})
        mActions.value(QString::fromLatin1(toggle))->setIconVisibleInMenu(false);

    AddAction(QStringLiteral("Readme1"), QStringLiteral("&Read me..."), K(Qt::Key_F1),
              QStringLiteral("Read me!"), &M::Readme1Click);
    AddAction(QStringLiteral("About1"), QStringLiteral("&About..."), {}, {}, &M::About1Click);

    // The context menu's own entries run the same handlers.
    struct GridEntry
    {
        const char *name;
        const char *caption;
        QKeySequence key;
        void (M::*handler)();
    };
    const GridEntry gridEntries[] = {
        {"Edit2", "&Edit cell", {}, &M::Edit1Click},
        {"Properties2", "Pr&operties", {}, &M::Properties1Click},
        {"CutCell2", "Cu&t cell", K(Qt::Key_F9), &M::CutCell1Click},
        {"CopyCell2", "&Copy cell", K(Qt::Key_F10), &M::CopyCell1Click},
        {"PasteCell2", "&Paste cell", K(Qt::Key_F11), &M::PasteCell1Click},
        {"CutRow2", "C&ut row", K(Qt::Key_F5), &M::CutRow1Click},
        {"CopyRow2", "Cop&y row", K(Qt::Key_F6), &M::CopyRow1Click},
        {"PasteRow2", "Pa&ste row", K(Qt::Key_F7), &M::PasteRow1Click},
        {"Delete_Row2", "&Delete row", K(Qt::CTRL | Qt::Key_Delete), &M::Delete_Row1Click},
        {"InsertRow2", "&Insert row", K(Qt::CTRL | Qt::Key_Insert), &M::InsertRow1Click},
        // The entry carries no action of its own in the original layout; it appends a row like
        // its main-menu twin.
        {"AppendRow2", "&Append row", K(Qt::SHIFT | Qt::Key_Insert), &M::AppendRow1Click},
    };
    for (const GridEntry &entry : gridEntries) {
        QAction *action =
            AddAction(QString::fromLatin1(entry.name), QString::fromLatin1(entry.caption),
                      entry.key, {}, entry.handler);
        // Only live while the context menu is open, so they never clash with the main menu's keys.
        action->setShortcutContext(Qt::WidgetShortcut);
        action->setIcon({});
    }
}

void TMainForm::BuildMenus()
{
    menuBar()->setObjectName(QStringLiteral("MainMenu1"));
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
    file->setObjectName(QStringLiteral("FileMenu"));
    add(file, "New1");
    add(file, "Open1");
    add(file, "Close1");
    separator(file);
    add(file, "Save1");
    add(file, "Saveas1");
    add(file, "Install1");
    separator(file);
    add(file, "Import1");
    add(file, "Append1");
    add(file, "Export1");
    separator(file);
    add(file, "Print1");
    mActions.insert(QStringLiteral("N1"), separator(file, "N1"));
    for (int slot = 1; slot <= RecentFileCount; ++slot)
        file->addAction(mActions.value(QStringLiteral("F%1").arg(slot)));
    mActions.insert(QStringLiteral("N13"), separator(file, "N13"));
    add(file, "Exit1");

    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("EditMenu"));
    add(edit, "Edit1");
    add(edit, "Properties1");
    separator(edit);
    add(edit, "CutCell1");
    add(edit, "CopyCell1");
    add(edit, "PasteCell1");
    separator(edit);
    add(edit, "CutRow1");
    add(edit, "CopyRow1");
    add(edit, "PasteRow1");
    separator(edit);
    add(edit, "FontSetting1");

    QMenu *tools = menuBar()->addMenu(QStringLiteral("&Tools"));
    tools->setObjectName(QStringLiteral("ToolsMenu"));
    add(tools, "Find1");
    add(tools, "Findnext1");
    separator(tools);
    add(tools, "Autosizing1");
    add(tools, "Filter1");
    separator(tools);
    add(tools, "Sortnormal1");
    add(tools, "SortReverse1");
    separator(tools);
    add(tools, "ColSum1");
    add(tools, "RowSum1");
    separator(tools);
    add(tools, "Delete_Row1");
    add(tools, "InsertRow1");
    add(tools, "AppendRow1");
    separator(tools);
    add(tools, "Delete_Column1");
    add(tools, "InsertColumn1");
    add(tools, "AppendColumn1");

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("HelpMenu"));
    add(help, "Readme1");
    separator(help);
    add(help, "About1");
}

void TMainForm::BuildToolBar()
{
    mToolBar = addToolBar(QStringLiteral("Tools"));
    mToolBar->setObjectName(QStringLiteral("ToolBar1"));
    mToolBar->setMovable(false);
    mToolBar->setIconSize(QSize(16, 16));
    const char *const buttons[] = {
        "New1",           "Open1",       "Save1",        "Install1",      "Print1",
        "Import1",        "Export1",     "Edit1",        "CutCell1",      "CopyCell1",
        "PasteCell1",     "Properties1", "FontSetting1", "Find1",         "Autosizing1",
        "Filter1",        "Sortnormal1", "SortReverse1", "ColSum1",       "RowSum1",
        "AppendRow1",     "InsertRow1",  "Delete_Row1",  "AppendColumn1", "InsertColumn1",
        "Delete_Column1", "Readme1"};
    for (const char *name : buttons) {
        QAction *action = mActions.value(QString::fromLatin1(name));
        mToolBar->addAction(action);
        QWidget *button = mToolBar->widgetForAction(action);
        QString buttonName = QString::fromLatin1(name);
        buttonName.chop(1);
        button->setObjectName(buttonName + (buttonName == QStringLiteral("Print") ? u'2' : u'3'));
        button->setFixedSize(25, 23);
        if (auto *toolButton = qobject_cast<QToolButton *>(button))
            toolButton->setAutoRaise(true);
    }
}

void TMainForm::BuildGridMenu()
{
    mGridMenu = new QMenu(this);
    mGridMenu->setObjectName(QStringLiteral("PopupMenu1"));
    const auto add = [this](const char *name) {
        mGridMenu->addAction(mActions.value(QString::fromLatin1(name)));
    };
    add("Edit2");
    add("Properties2");
    mGridMenu->addSeparator();
    add("CutCell2");
    add("CopyCell2");
    add("PasteCell2");
    mGridMenu->addSeparator();
    add("CutRow2");
    add("CopyRow2");
    add("PasteRow2");
    mGridMenu->addSeparator();
    add("Delete_Row2");
    add("InsertRow2");
    add("AppendRow2");
    // The header cells belong to the grid: the same menu opens on them.
    // Scroll areas report the position within their viewport.
    for (QAbstractScrollArea *part :
         {static_cast<QAbstractScrollArea *>(mGrid),
          static_cast<QAbstractScrollArea *>(mGrid->horizontalHeader()),
          static_cast<QAbstractScrollArea *>(mGrid->verticalHeader())}) {
        part->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(part, &QWidget::customContextMenuRequested, this,
                [this, part](const QPoint &position) {
                    ShowGridMenu(part->viewport()->mapToGlobal(position));
                });
    }
}

void TMainForm::ShowGridMenu(const QPoint &globalPosition)
{
    mGridMenu->popup(globalPosition);
}

void TMainForm::BuildStatusBar()
{
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->setSizeGripEnabled(true);
    for (int index = 0; index < StatusPanelCount; ++index) {
        auto *panel = new QLabel(statusBar());
        panel->setObjectName(QStringLiteral("Panel%1").arg(index));
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

void TMainForm::FormCreate()
{
    SetDatabaseOpen(false);
    std::unique_ptr<QSettings> store = openSettingsStore();
    mSettings = readSettings(*store);
    store.reset();

    QFont font(mSettings.font.name);
    font.setPointSize(mSettings.font.size > 0 ? mSettings.font.size : 8);
    font.setBold(mSettings.font.style & 1);
    font.setItalic(mSettings.font.style & 2);
    font.setUnderline(mSettings.font.style & 4);
    font.setStrikeOut(mSettings.font.style & 8);
    mDisplayFont = font;

    PlaceWindow();
    mRecent = RecentFiles(mSettings.recentFiles);
    RefreshRecentMenu();
    mSelectedUser = mUsers.lastUserIndex();
    // The first database dialog of a run starts in the selected user's backup folder.
    SetDatabaseDialogFolder(startingFolder(mSettings.initialDir, mUsers, mSelectedUser));
    ApplyDisplayFont();
}

void TMainForm::PlaceWindow()
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

void TMainForm::FormClose()
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
    writeSettings(*store, mSettings);
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    if (ConfirmDiscardChanges()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
    // The read-me window is not modal: it goes with the main window.
    if (mHelpForm)
        mHelpForm->close();
}

void TMainForm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    setWindowTitle(defaultWindowTitle());
    ApplyDisplayFont();
}

bool TMainForm::IsDatabaseOpen() const
{
    return mActions.value(QStringLiteral("Save1"))->isEnabled();
}

void TMainForm::SetDatabaseOpen(bool open)
{
    if (!open) {
        SetCurrentCell(1, 1);
        mDocument->Close();
        SetAutoSizingState(false);
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
    mActions.value(QStringLiteral("Install1"))->setEnabled(open && mUsers.count() > 0);
    mActions.value(QStringLiteral("PasteCell1"))->setEnabled(open && ClipboardHoldsText());
    mActions.value(QStringLiteral("PasteRow1"))->setEnabled(false);
}

void TMainForm::SetAutoSizingState(bool on)
{
    mAutoSizing = on;
    mActions.value(QStringLiteral("Autosizing1"))->setChecked(on);
}

void TMainForm::SetRowSumState(bool on)
{
    mRowSumOn = on;
    mActions.value(QStringLiteral("RowSum1"))->setChecked(on);
}

void TMainForm::Timer1Timer()
{
    const Database &database = mDocument->Data();
    setWindowTitle(windowCaption(database, currentRegional()));
    // A database without a name keeps the bare title, but its status bar still follows it: the
    // panels must never go on showing the path and modified mark of the database before.
    if (!IsDatabaseOpen())
        return;
    const StatusPanels texts =
        statusPanelTexts(database, CurrentField(), CurrentRecord(),
                         {mAutoSizing, mFilterOn, mRowSumOn}, currentRegional());
    for (int index = 0; index < StatusPanelCount; ++index)
        mPanels[index]->setText(texts[index]);

    mActions.value(QStringLiteral("PasteCell1"))->setEnabled(ClipboardHoldsText());

    const int row = CurrentRecord();
    const int column = CurrentField();
    if (row != mLastRow || column != mLastColumn) {
        mLastRow = row;
        mLastColumn = column;
        mRowHeader->SetHighlightedSection(row - 1);
        mColumnHeader->SetHighlightedSection(column - 1);
        mGrid->viewport()->update();
    }
}

// Recent files ----------------------------------------------------------------------------------

void TMainForm::AddRecentFile(const QString &path)
{
    if (mRecent.add(path))
        RefreshRecentMenu();
}

void TMainForm::RefreshRecentMenu()
{
    for (int slot = 0; slot < RecentFileCount; ++slot) {
        QAction *entry = mActions.value(QStringLiteral("F%1").arg(slot + 1));
        entry->setVisible(mRecent.isFilled(slot));
        entry->setText(mRecent.isFilled(slot) ? mRecent.menuCaption(slot) : QString());
    }
    mActions.value(QStringLiteral("N1"))->setVisible(mRecent.isFilled(0));
}

void TMainForm::OpenRecent(int slot)
{
    OpenDatabase(mRecent.path(slot));
}

void TMainForm::F1Click()
{
    rowSumOff();
    applyFilter(false);
    OpenRecent(0);
}

void TMainForm::F2Click()
{
    OpenRecent(1);
}
void TMainForm::F3Click()
{
    OpenRecent(2);
}
void TMainForm::F4Click()
{
    OpenRecent(3);
}
void TMainForm::F5Click()
{
    OpenRecent(4);
}

void TMainForm::Print2Click()
{
    Print1Click();
}

} // namespace kribed
