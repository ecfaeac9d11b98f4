// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "core/model/regional.h"
#include "core/platform/settings.h"
#include "core/platform/user_list.h"
#include "gui/commands/edit_commands.h"
#include "gui/commands/exchange_commands.h"
#include "gui/commands/file_commands.h"
#include "gui/commands/help_commands.h"
#include "gui/commands/navigation_commands.h"
#include "gui/commands/properties_commands.h"
#include "gui/commands/range_commands.h"
#include "gui/commands/regional_commands.h"
#include "gui/commands/replace_commands.h"
#include "gui/commands/row_column_commands.h"
#include "gui/commands/tools_commands.h"
#include "gui/grid/database_document.h"
#include "gui/window/main_window.h"
#include "gui/window/menu_builder.h"
#include "gui/window/tool_icons.h"
#include "main_window_fixture.h"
#include "pdb_builder.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QDockWidget>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMultiMap>
#include <QScreen>
#include <QSet>
#include <QSettings>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QToolBar>

#include <algorithm>
#include <memory>
#include <utility>

using namespace kribed;
using namespace kribed::test;

class TestMainWindow
    : public QObject
    , private MainWindowFixture
{
    Q_OBJECT

    static constexpr int ToolBar = -1;

    // A menu's entries by object name ("-" for a line without a name), a tool bar's buttons.
    QStringList shownEntries(const QString &container) const
    {
        QStringList shown;
        const QWidget *widget = mWindow->findChild<QWidget *>(container);
        if (!widget)
            return {QStringLiteral("no ") + container};
        for (QAction *action : widget->actions()) {
            if (auto *toolBar = qobject_cast<const QToolBar *>(widget))
                shown << toolBar->widgetForAction(action)->objectName();
            else
                shown << (action->isSeparator() && action->objectName().isEmpty()
                              ? QStringLiteral("-")
                              : action->objectName());
        }
        return shown;
    }

private Q_SLOTS:
    void initTestCase() { initFixture(); }

    void init() { startTest(); }
    void cleanup() { endTest(); }

    void startsWithoutDatabase()
    {
        QVERIFY(mWindow->grid()->isHidden());
        QVERIFY(mWindow->statusBar()->isHidden());
        mWindow->updateStatus();
        QCOMPARE(mWindow->windowTitle(), QStringLiteral("Kribed PRO"));
        // Only these commands work without a database; every other placed one waits for it. The
        // context menu opens on the grid alone, which is hidden; the recent files follow below.
        const QStringList withoutDatabase{
            QStringLiteral("actionNew"),    QStringLiteral("actionOpen"),
            QStringLiteral("actionImport"), QStringLiteral("actionExit"),
            QStringLiteral("actionReadme"), QStringLiteral("actionAbout")};
        const auto &recentFiles = mWindow->commandGroups().get<FileCommands>().actionRecentFiles;
        QStringList checked;
        for (const CommandPlacement &entry : mWindow->commandPlacements()) {
            if (entry.menu == MenuId::GridContext || entry.action->isSeparator()
                || std::find(recentFiles.begin(), recentFiles.end(), entry.action)
                       != recentFiles.end())
                continue;
            const QString name = entry.action->objectName();
            QVERIFY2(entry.action->isEnabled() == withoutDatabase.contains(name),
                     qPrintable(name
                                + (entry.action->isEnabled() ? QStringLiteral(" enabled")
                                                             : QStringLiteral(" disabled"))));
            checked << name;
        }
        // A renamed command must not leave its exception behind unnoticed.
        for (const QString &name : withoutDatabase)
            QVERIFY2(checked.contains(name), qPrintable(name));
        // An empty list shows no entries and no separator above them.
        for (const char *name : {"separatorRecentFiles", "actionRecentFile1", "actionRecentFile2",
                                 "actionRecentFile3", "actionRecentFile4", "actionRecentFile5"})
            QVERIFY2(!windowAction(QString::fromLatin1(name))->isVisible(), name);
    }

    // The Edit menu as users know it, written out by hand: five command classes place their
    // actions in it, so a wrong number in any of their tables shows here.
    void editMenuInTheOrderUsersKnow()
    {
        QStringList entries;
        for (const char *name : {"actionUndo",
                                 "actionRedo",
                                 "actionUndoHistory",
                                 "-",
                                 "actionEditCell",
                                 "actionProperties",
                                 "-",
                                 "actionCutCell",
                                 "actionCopyCell",
                                 "actionPasteCell",
                                 "-",
                                 "actionCutCells",
                                 "actionCopyCells",
                                 "actionPasteCells",
                                 "actionClearCells",
                                 "actionSelectAll",
                                 "-",
                                 "actionFillDown",
                                 "actionFillSeries",
                                 "-",
                                 "actionCutRow",
                                 "actionCopyRow",
                                 "actionPasteRow",
                                 "-",
                                 "actionFont",
                                 "-",
                                 "actionReplace",
                                 "actionGoToRecord",
                                 "actionNextUnreadable"})
            entries << QString::fromLatin1(name);
        QCOMPARE(shownEntries(QStringLiteral("menuEdit")), entries);
    }

    void menusToolBarAndContextMenuFollowThePlacements_data()
    {
        QTest::addColumn<QString>("container");
        QTest::addColumn<int>("menu");
        QTest::newRow("File menu") << "menuFile" << int(MenuId::File);
        QTest::newRow("Edit menu") << "menuEdit" << int(MenuId::Edit);
        QTest::newRow("Tools menu") << "menuTools" << int(MenuId::Tools);
        QTest::newRow("Help menu") << "menuHelp" << int(MenuId::Help);
        QTest::newRow("context menu") << "gridContextMenu" << int(MenuId::GridContext);
        QTest::newRow("tool bar") << "toolBar" << ToolBar;
    }

    void menusToolBarAndContextMenuFollowThePlacements()
    {
        QFETCH(QString, container);
        QFETCH(int, menu);
        QMultiMap<int, CommandPlacement> byPlace;
        for (const CommandPlacement &entry : mWindow->commandPlacements()) {
            if (menu == ToolBar && entry.toolBarSlot != NoToolBarSlot)
                byPlace.insert(entry.toolBarSlot, entry);
            else if (menu != ToolBar && int(entry.menu) == menu)
                byPlace.insert(entry.order, entry);
        }
        QVERIFY(byPlace.size() >= 2);
        QStringList expected;
        for (const CommandPlacement &entry : std::as_const(byPlace)) {
            QString name = entry.action->objectName();
            if (menu == ToolBar)
                name.replace(QStringLiteral("action"), QStringLiteral("toolButton"));
            else if (entry.separatorBefore && !expected.isEmpty())
                expected << QStringLiteral("-");
            expected << name;
        }
        QCOMPARE(shownEntries(container), expected);
    }

    // Two entries on one place would stand in an order nobody chose; an action placed twice, a
    // command nobody placed or a picture name without a picture is a slip in a table.
    void placementsAreUnambiguousAndComplete()
    {
        const CommandPlacements all = mWindow->commandPlacements();
        QSet<QPair<int, int>> places;
        QSet<int> slots;
        QSet<QAction *> placed;
        for (const CommandPlacement &entry : all) {
            const QString name = entry.action->objectName();
            QVERIFY2(!name.isEmpty(), "an action without a name");
            QVERIFY2(!places.contains({int(entry.menu), entry.order}), qPrintable(name));
            places.insert({int(entry.menu), entry.order});
            QVERIFY2(!placed.contains(entry.action), qPrintable(name));
            placed.insert(entry.action);
            if (entry.toolBarSlot != NoToolBarSlot) {
                QVERIFY2(!slots.contains(entry.toolBarSlot), qPrintable(name));
                slots.insert(entry.toolBarSlot);
                QVERIFY2(entry.iconName, qPrintable(name));
            }
            if (entry.iconName) {
                const QString icon = QString::fromLatin1(entry.iconName);
                QVERIFY2(!bundledIcon(icon, QPalette()).isNull(), qPrintable(icon));
            }
        }
        for (QObject *commands : std::initializer_list<QObject *>{
                 &mWindow->commandGroups().get<FileCommands>(),
                 &mWindow->commandGroups().get<ExchangeCommands>(),
                 &mWindow->commandGroups().get<EditCommands>(),
                 &mWindow->commandGroups().get<PropertiesCommands>(),
                 &mWindow->commandGroups().get<ToolsCommands>(),
                 &mWindow->commandGroups().get<RowColumnCommands>(),
                 &mWindow->commandGroups().get<HelpCommands>(),
                 &mWindow->commandGroups().get<RangeCommands>(),
                 &mWindow->commandGroups().get<ReplaceCommands>(),
                 &mWindow->commandGroups().get<RegionalCommands>(),
                 &mWindow->commandGroups().get<NavigationCommands>()}) {
            for (QAction *action :
                 commands->findChildren<QAction *>(QString(), Qt::FindDirectChildrenOnly))
                QVERIFY2(placed.contains(action), qPrintable(action->objectName()));
        }
        // A command without a tool button shows no picture in its menu either.
        QVERIFY(windowAction(QStringLiteral("actionClose"))->icon().isNull());
        QVERIFY(!windowAction(QStringLiteral("actionOpen"))->icon().isNull());
    }

    // Each group's panels stand where it put them: the bars above the grid in their order, the
    // fields in the status bar after its panels.
    void panelsStandInTheirPlaces_data()
    {
        QTest::addColumn<QString>("panel");
        QTest::addColumn<bool>("inStatusBar");
        QTest::addColumn<int>("index");
        QTest::newRow("welcome") << QStringLiteral("WelcomePanel") << false << 0;
        QTest::newRow("formats bar") << QStringLiteral("formatsSuggestionBar") << false << 1;
        QTest::newRow("filter bar") << QStringLiteral("filterBar") << false << 2;
        QTest::newRow("the grid last") << QStringLiteral("grid") << false << 3;
        QTest::newRow("statistics") << QStringLiteral("selectionStatistics") << true << 7;
        QTest::newRow("formats name") << QStringLiteral("statusPanelFormats") << true << 8;
    }

    void panelsStandInTheirPlaces()
    {
        QFETCH(QString, panel);
        QFETCH(bool, inStatusBar);
        QFETCH(int, index);
        auto *widget = mWindow->findChild<QWidget *>(panel);
        QVERIFY(widget);
        QWidget *place =
            inStatusBar ? static_cast<QWidget *>(mWindow->statusBar()) : mWindow->centralWidget();
        QCOMPARE(widget->parentWidget(), place);
        if (!inStatusBar) {
            QCOMPARE(place->layout()->indexOf(widget), index);
            return;
        }
        // The status bar lays its fields out in the order they came, which its children keep.
        QWidgetList fields;
        for (QObject *child : place->children()) {
            const QString name = child->objectName();
            if (child->isWidgetType()
                && (name.startsWith(u"statusPanel") || name == u"selectionStatistics"))
                fields << static_cast<QWidget *>(child);
        }
        QCOMPARE(fields.indexOf(widget), index);
    }

    // A group's dock panel: named after its widget, in its area, shown while its action is
    // checked; closing the dock unchecks the action.
    void dockPanelFollowsItsAction()
    {
        QMainWindow window;
        auto *notes = new QLabel(&window);
        notes->setObjectName(QStringLiteral("notesPanel"));
        notes->setWindowTitle(QStringLiteral("Notes"));
        QAction shown;
        shown.setCheckable(true);
        placeInDock(window, {notes, PanelPlace::Dock, 100, Qt::LeftDockWidgetArea, &shown});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *dock = qobject_cast<QDockWidget *>(notes->parentWidget());
        QVERIFY(dock);
        QCOMPARE(dock->objectName(), QStringLiteral("notesPanelDock"));
        QCOMPARE(dock->windowTitle(), QStringLiteral("Notes"));
        QCOMPARE(window.dockWidgetArea(dock), Qt::LeftDockWidgetArea);
        QVERIFY(!dock->isVisible());
        shown.setChecked(true);
        QVERIFY(dock->isVisible());
        dock->close();
        QVERIFY(!shown.isChecked());
    }

    void commandCaptionsShortcutsAndHints_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("hint");
        QTest::newRow("Open") << "actionOpen"
                              << "&Open..." << QKeySequence(Qt::CTRL | Qt::Key_O) << "Open";
        QTest::newRow("Save") << "actionSave"
                              << "S&ave" << QKeySequence(Qt::CTRL | Qt::Key_S) << "Save";
        QTest::newRow("Install") << "actionInstall"
                                 << "&Install" << QKeySequence(Qt::CTRL | Qt::Key_I)
                                 << "Install database for hotsync";
        QTest::newRow("Exit") << "actionExit"
                              << "E&xit" << QKeySequence(Qt::ALT | Qt::Key_F4) << "Exit";
        QTest::newRow("Cut cell hint starts blank")
            << "actionCutCell"
            << "Cut cell" << QKeySequence(Qt::Key_F9) << " Cut cell";
        QTest::newRow("Filter") << "actionFilter"
                                << "&Enable filter" << QKeySequence(Qt::CTRL | Qt::Key_E)
                                << "Filter records";
        QTest::newRow("Delete row")
            << "actionDeleteRow"
            << "&Delete Row" << QKeySequence(Qt::CTRL | Qt::Key_Delete) << "Delete row";
        QTest::newRow("Append row")
            << "actionAppendRow"
            << "&Append Row" << QKeySequence(Qt::ALT | Qt::Key_Insert) << "Append row";
        QTest::newRow("Read me") << "actionReadme"
                                 << "&Read me..." << QKeySequence(Qt::Key_F1) << "Read me!";
        QTest::newRow("context Cut row") << "contextCutRow"
                                         << "C&ut row" << QKeySequence(Qt::Key_F5) << "Cut row";
        QTest::newRow("context Append row")
            << "contextAppendRow"
            << "&Append row" << QKeySequence(Qt::SHIFT | Qt::Key_Insert) << "Append row";
    }

    void commandCaptionsShortcutsAndHints()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QKeySequence, keys);
        QFETCH(QString, hint);
        QAction *action = windowAction(name);
        QVERIFY(action);
        QCOMPARE(action->text(), caption);
        QCOMPARE(action->shortcut(), keys);
        QCOMPARE(action->toolTip(), hint);
    }

    void loadedDatabaseInCaptionAndStatusBar()
    {
        const QString path = writeFile(QStringLiteral("Kunden.pdb"), kunden(5, 120));
        openThroughDialog(path);
        QVERIFY(mWindow->isDatabaseOpen());
        QVERIFY(!mWindow->grid()->isHidden());
        QVERIFY(!mWindow->statusBar()->isHidden());
        QVERIFY(!enabled("actionInstall")); // no handheld user known
        QVERIFY(!enabled("actionPasteRow"));

        mWindow->setCurrentCell(2, 3);
        mWindow->updateStatus();
        QCOMPARE(mWindow->windowTitle(), QStringLiteral("Kunden - Kribed PRO"));
        QCOMPARE(panel(0), QStringLiteral("R3 of 120"));
        QCOMPARE(panel(1), QStringLiteral("C2 of 5"));
        QCOMPARE(panel(5), QLocale(QStringLiteral("en_US"))
                               .toString(windowDatabase().modificationTime().date(),
                                         QStringLiteral("M/d/yyyy")));
        QVERIFY(!panel(5).isEmpty());
        QCOMPARE(panel(6), path + u' ');

        typeInto(2, 3, QStringLiteral("changed"));
        mWindow->updateStatus();
        QCOMPARE(panel(6), path + QStringLiteral(" +"));

        mWindow->commandGroups().get<FileCommands>().save();
        mWindow->updateStatus();
        QCOMPARE(panel(6), path + u' ');
        // The saved file reads back with the change; the file before is the backup.
        Database reread;
        ScriptedPrompter quiet;
        QCOMPARE(loadDatabaseFile(path, reread, quiet), LoadResult::Loaded);
        QCOMPARE(reread.cell(2, 3), QByteArray("changed"));
        // The backup and the saved file, and nothing left behind from writing.
        QCOMPARE(QDir(mTemp->path()).entryList(QDir::Files, QDir::Name),
                 QStringList({QStringLiteral("Kunden.pd_"), QStringLiteral("Kunden.pdb")}));
        Database backup;
        QCOMPARE(loadDatabaseFile(mTemp->filePath(QStringLiteral("Kunden.pd_")), backup, quiet,
                                  OpenAccess::ReadOnly),
                 LoadResult::Loaded);
        QCOMPARE(backup.cell(2, 3), QByteArray("32"));
    }

    void databaseWithoutNameKeepsBareTitleButFreshPanels()
    {
        openThroughDialog(writeFile(QStringLiteral("First.pdb"), kunden(2, 2, "First")));
        mWindow->updateStatus();
        const QString second = writeFile(QStringLiteral("Nameless.pdb"), kunden(3, 4, ""));
        openThroughDialog(second);
        mWindow->updateStatus();
        QCOMPARE(mWindow->windowTitle(), QStringLiteral("Kribed PRO"));
        QCOMPARE(panel(1), QStringLiteral("C1 of 3"));
        QCOMPARE(panel(6), second + u' ');
    }

    void discardQuestionOnEveryRoad_data()
    {
        QTest::addColumn<QString>("road");
        QTest::addColumn<bool>("agree");
        for (const char *road :
             {"Open", "Close", "Recent entry", "Closing the window", "New", "Import"}) {
            QTest::addRow("%s, keep the changes", road) << QString::fromLatin1(road) << false;
            QTest::addRow("%s, lose the changes", road) << QString::fromLatin1(road) << true;
        }
    }

    void discardQuestionOnEveryRoad()
    {
        QFETCH(QString, road);
        QFETCH(bool, agree);
        const QString first = writeFile(QStringLiteral("A.pdb"), kunden(2, 3, "A"));
        const QString other = writeFile(QStringLiteral("B.pdb"), kunden(4, 2, "B"));
        openThroughDialog(other);
        openThroughDialog(first); // the list is now A, B
        typeInto(1, 1, QStringLiteral("edit"));

        mPrompter->expect(QStringLiteral("Information"), DiscardQuestion, Icon::Warning,
                          Buttons::YesNo, agree ? Answer::Yes : Answer::No);
        bool closed = false;
        if (road == QLatin1String("Open")) {
            if (agree)
                mDialogs->expectOpen(QStringLiteral("Open Kribo database"), other);
            mWindow->commandGroups().get<FileCommands>().openDatabase();
        } else if (road == QLatin1String("Close")) {
            mWindow->commandGroups().get<FileCommands>().closeDatabase();
        } else if (road == QLatin1String("Recent entry")) {
            mWindow->commandGroups().get<FileCommands>().openRecentFile(1);
        } else if (road == QLatin1String("New")) {
            mWindow->commandGroups().get<FileCommands>().newDatabase();
        } else if (road == QLatin1String("Import")) {
            // Agreeing leads to the import's file dialog; cancelling it keeps the database.
            if (agree)
                mDialogs->expectOpen(QStringLiteral("Import"), QString());
            mWindow->commandGroups().get<ExchangeCommands>().importText();
        } else {
            mWindow->show();
            closed = mWindow->close();
        }

        QDialog *newDialog = nullptr;
        for (QDialog *dialog : mWindow->findChildren<QDialog *>()) {
            if (dialog->windowTitle() == QLatin1String("New Database"))
                newDialog = dialog;
        }
        QCOMPARE(newDialog && newDialog->isVisible(), road == QLatin1String("New") && agree);
        if (newDialog)
            newDialog->reject();

        if (!agree || road == QLatin1String("New") || road == QLatin1String("Import")) {
            QVERIFY(!closed);
            // A refused close writes nothing back.
            QVERIFY(!openSettingsStore()->contains(QStringLiteral("Settings/InitialDir")));
            // The database stays as it was until something replaces it.
            QVERIFY(mWindow->isDatabaseOpen());
            QCOMPARE(windowDatabase().name(), QByteArray("A"));
            QCOMPARE(windowDatabase().cell(1, 1), QByteArray("edit"));
            QVERIFY(windowDatabase().isModified());
        } else if (road == QLatin1String("Close")) {
            QVERIFY(!mWindow->isDatabaseOpen());
            QVERIFY(windowDatabase().name().isEmpty());
            QVERIFY(!windowDatabase().isModified());
        } else if (road == QLatin1String("Closing the window")) {
            QVERIFY(closed);
        } else {
            QCOMPARE(windowDatabase().name(), QByteArray("B"));
            QVERIFY(!windowDatabase().isModified());
        }
        // Nothing was saved on any road.
        Database onDisk;
        ScriptedPrompter quiet;
        QCOMPARE(loadDatabaseFile(first, onDisk, quiet), LoadResult::Loaded);
        QCOMPARE(onDisk.cell(1, 1), QByteArray("11"));
    }

    void unchangedDatabaseIsDroppedWithoutQuestion()
    {
        openThroughDialog(writeFile(QStringLiteral("A.pdb"), kunden(2, 3, "A")));
        openThroughDialog(writeFile(QStringLiteral("B.pdb"), kunden(2, 3, "B")));
        QCOMPARE(windowDatabase().name(), QByteArray("B"));
        mDialogs->expectOpen(QStringLiteral("Import"), QString());
        mWindow->commandGroups().get<ExchangeCommands>().importText();
        mWindow->commandGroups().get<FileCommands>().newDatabase();
        for (QDialog *dialog : mWindow->findChildren<QDialog *>()) {
            if (dialog->windowTitle() == QLatin1String("New Database")) {
                QVERIFY(dialog->isVisible());
                dialog->reject();
            }
        }
        mWindow->commandGroups().get<FileCommands>().closeDatabase();
        QVERIFY(!mWindow->isDatabaseOpen());
        QVERIFY(mWindow->grid()->isHidden());
        mWindow->show();
        QVERIFY(mWindow->close());
    }

    void settingsWrittenAtCloseAndReadAtStart()
    {
        const QString path = writeFile(QStringLiteral("Kunden.pdb"), kunden(2, 2));
        openThroughDialog(path);
        mWindow->settings().expertMode = true;
        mWindow->setGeometry(40, 50, 600, 400);
        mWindow->show();
        QVERIFY(mWindow->close());
        {
            std::unique_ptr<QSettings> store = openSettingsStore();
            QCOMPARE(store->value(QStringLiteral("Settings/ExpertMode")).toString(),
                     QStringLiteral("1"));
            QCOMPARE(store->value(QStringLiteral("Files/File1")).toString(), path);
            QCOMPARE(store->value(QStringLiteral("FormPos/Width")).toString(),
                     QStringLiteral("600"));
            // Slot 1 emptied, slot 2 filled, as only the store itself can have it.
            store->setValue(QStringLiteral("Files/File1"), QString());
            store->setValue(QStringLiteral("Files/File2"), path);
        }
        makeWindow();
        QVERIFY(mWindow->settings().expertMode);
        QCOMPARE(mWindow->geometry().left(), 40);
        QVERIFY(!windowAction(QStringLiteral("actionRecentFile1"))->isVisible());
        QVERIFY(windowAction(QStringLiteral("actionRecentFile2"))->isVisible());
        QVERIFY(!windowAction(QStringLiteral("separatorRecentFiles"))->isVisible());
    }

    void storedPlacement_data()
    {
        QTest::addColumn<int>("left");
        QTest::addColumn<bool>("onlyLeft");
        QTest::addColumn<bool>("asStored");
        QTest::newRow("left edge alone: top 30, size 30 by 30") << 120 << true << true;
        QTest::newRow("whole rectangle on the screen") << 60 << false << true;
        QTest::newRow("rectangle on no screen is centred") << -50000 << false << false;
    }

    void storedPlacement()
    {
        QFETCH(int, left);
        QFETCH(bool, onlyLeft);
        QFETCH(bool, asStored);
        {
            std::unique_ptr<QSettings> store = openSettingsStore();
            store->setValue(QStringLiteral("FormPos/Left"), QString::number(left));
            if (!onlyLeft) {
                store->setValue(QStringLiteral("FormPos/Top"), QStringLiteral("40"));
                store->setValue(QStringLiteral("FormPos/Width"), QStringLiteral("500"));
                store->setValue(QStringLiteral("FormPos/Height"), QStringLiteral("300"));
            }
        }
        makeWindow();
        const QRect frame = mWindow->geometry();
        if (onlyLeft) {
            QCOMPARE(frame, QRect(left, 30, 30, 30));
        } else if (asStored) {
            QCOMPARE(frame, QRect(left, 40, 500, 300));
        } else {
            QCOMPARE(frame.size(), QSize(500, 300));
            QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().intersects(frame));
        }
    }

    void storedFont_data()
    {
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("style");
        QTest::addColumn<int>("points");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");
        QTest::newRow("stored size and bold italic") << "9"
                                                     << "3" << 9 << true << true;
        QTest::newRow("size not a number") << "big"
                                           << "0" << 8 << false << false;
        QTest::newRow("size below one point") << "-4"
                                              << "2" << 8 << false << true;
    }

    void storedFont()
    {
        QFETCH(QString, size);
        QFETCH(QString, style);
        QFETCH(int, points);
        QFETCH(bool, bold);
        QFETCH(bool, italic);
        {
            std::unique_ptr<QSettings> store = openSettingsStore();
            store->setValue(QStringLiteral("Font/Size"), size);
            store->setValue(QStringLiteral("Font/Style"), style);
        }
        makeWindow();
        QCOMPARE(mWindow->displayFont().pointSize(), points);
        QCOMPARE(mWindow->displayFont().bold(), bold);
        QCOMPARE(mWindow->displayFont().italic(), italic);
        QCOMPARE(mWindow->grid()->font(), mWindow->displayFont());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
