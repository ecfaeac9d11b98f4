// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "gui/commands/filter_bar.h"
#include "gui/commands/navigation_commands.h"
#include "gui/dialogs/go_to_record_dialog.h"
#include "gui/dialogs/properties_dialog.h"
#include "gui/grid/database_document.h"
#include "gui/grid/document_door_p.h"
#include "gui/window/main_window.h"
#include "history_checks.h"
#include "main_window_fixture.h"
#include "table_database.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

using namespace kribed;
using namespace kribed::test;

// Edit > Go to record and Tools > Filter bar, through the main window.
class TestNavigationCommands
    : public QObject
    , private MainWindowFixture
{
    Q_OBJECT

private:
    NavigationCommands &navigation() { return mWindow->commandGroups().get<NavigationCommands>(); }
    GoToRecordDialog &goTo() { return navigation().goToRecordDialog(); }
    QLineEdit *recordNumber()
    {
        return goTo().findChild<QLineEdit *>(QStringLiteral("recordNumberEdit"));
    }
    FilterBar *bar() { return mWindow->commandGroups().get<NavigationCommands>().filterBar(); }
    template<class Widget> Widget *barPart(const char *name)
    {
        return bar()->findChild<Widget *>(QString::fromLatin1(name));
    }
    QLineEdit *barText() { return barPart<QLineEdit>("filterBarText"); }
    QComboBox *barField() { return barPart<QComboBox>("filterBarField"); }
    QCheckBox *barMustBegin() { return barPart<QCheckBox>("filterBarMustBegin"); }
    QCheckBox *barOn() { return barPart<QCheckBox>("filterBarOn"); }
    QString barCount() { return barPart<QLabel>("filterBarCount")->text(); }
    PropertiesDialog &properties()
    {
        return mWindow->commandGroups().get<PropertiesCommands>().dialog();
    }
    template<class Widget> Widget *tabPart(const char *name)
    {
        return properties().findChild<Widget *>(QString::fromLatin1(name));
    }

    // Names in field 1, towns in field 2; record 3 holds "mei" only inside a word.
    void openPeople()
    {
        DocumentDoor(mWindow->document()).resetWith([](Database &database) {
            fillFromTable(database, {{"Name", "Town"},
                                     {"Meier", "Bonn"},
                                     {"Schulz", "Meissen"},
                                     {"Schmeichel", "Ulm"},
                                     {"Brandt", "Hof"}});
            database.setName("People");
            database.clearModified();
        });
        mWindow->setDatabaseOpen(true);
    }

    QByteArrayList shownNames()
    {
        QByteArrayList names;
        for (int record = 1; record <= windowDatabase().recordCount(); ++record) {
            if (!windowDatabase().isHidden(record))
                names << windowDatabase().cell(1, record);
        }
        return names;
    }

    // Types into the bar's text box as a user does and lets the pause run out.
    void typeIntoBar(const QString &text)
    {
        barText()->clear();
        QTest::keyClicks(barText(), text);
        bar()->applyTypedText();
    }

    void showBar() { windowAction(QStringLiteral("actionFilterBar"))->trigger(); }

private Q_SLOTS:
    void initTestCase() { initFixture(); }
    void init()
    {
        failOnHistoryEnded();
        startTest();
    }
    void cleanup() { endTest(); }

    void commandsAreInTheirMenus()
    {
        QAction *goToRecord = windowAction(QStringLiteral("actionGoToRecord"));
        QAction *filterBar = windowAction(QStringLiteral("actionFilterBar"));
        QCOMPARE(goToRecord->text(), QStringLiteral("&Go to record..."));
        QCOMPARE(goToRecord->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_G));
        QCOMPARE(filterBar->text(), QStringLiteral("Filter &bar"));
        QCOMPARE(filterBar->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L));
        QVERIFY(filterBar->isCheckable());
        QVERIFY(!goToRecord->isEnabled());
        QVERIFY(!filterBar->isEnabled());
        openPeople();
        QVERIFY(goToRecord->isEnabled());
        QVERIFY(filterBar->isEnabled());
        // No other command of the window answers either key.
        for (QAction *action : mWindow->findChildren<QAction *>()) {
            if (action != goToRecord && action != filterBar) {
                QVERIFY2(action->shortcut() != goToRecord->shortcut(),
                         qPrintable(action->objectName()));
                QVERIFY2(action->shortcut() != filterBar->shortcut(),
                         qPrintable(action->objectName()));
            }
        }
    }

    void goToRecord_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("refusal"); // empty: the record becomes the current one
        QTest::addColumn<int>("record");      // where the current row is afterwards

        QTest::newRow("a number") << "4"
                                  << "" << 4;
        QTest::newRow("the last record") << "5"
                                         << "" << 5;
        QTest::newRow("letters and signs are not taken") << "-x2+"
                                                         << "" << 2;
        QTest::newRow("zero") << "0"
                              << "Please use a record number from 1 to 5." << 1;
        QTest::newRow("beyond the last record") << "6"
                                                << "Please use a record number from 1 to 5." << 1;
        QTest::newRow("nothing") << ""
                                 << "Please use a record number from 1 to 5." << 1;
        QTest::newRow("hidden by the filter") << "3"
                                              << "Record 3 is hidden by the record filter." << 1;
    }

    void goToRecord()
    {
        QFETCH(QString, typed);
        QFETCH(QString, refusal);
        QFETCH(int, record);
        DocumentDoor(mWindow->document()).resetWith([](Database &database) {
            fillFromTable(database,
                          {{"a", "b"}, {"1", "x"}, {"2", "y"}, {"3", "z"}, {"4", "w"}, {"5", "v"}});
        });
        mWindow->setDatabaseOpen(true);
        DocumentDoor(mWindow->document()).changeSettings([](Database &database) {
            database.setHidden(3, true);
        });
        mWindow->setCurrentCell(2, 1);

        windowAction(QStringLiteral("actionGoToRecord"))->trigger();
        QVERIFY(goTo().isVisible());
        QCOMPARE(goTo().windowTitle(), QStringLiteral("Go to record"));
        QCOMPARE(recordNumber()->text(), QStringLiteral("1")); // the current record, to type over
        QVERIFY(recordNumber()->hasSelectedText());
        recordNumber()->clear();
        QTest::keyClicks(recordNumber(), typed);
        if (!refusal.isEmpty())
            mPrompter->expect(QStringLiteral("Go to record"), refusal, Icon::Warning, Buttons::Ok,
                              Answer::Ok);
        QTest::keyClick(recordNumber(), Qt::Key_Return);

        // A refused number leaves the dialog open with what was typed.
        QCOMPARE(goTo().isVisible(), !refusal.isEmpty());
        QCOMPARE(mWindow->currentRecord(), record);
        QCOMPARE(mWindow->currentField(), 2);
        QVERIFY(!windowDatabase().isModified());
        if (goTo().isVisible())
            goTo().reject();
    }

    void goToRecordCancelledStays()
    {
        openPeople();
        mWindow->setCurrentCell(1, 2);
        navigation().goToRecord();
        recordNumber()->setText(QStringLiteral("4"));
        QTest::keyClick(recordNumber(), Qt::Key_Escape);
        QVERIFY(!goTo().isVisible());
        QCOMPARE(mWindow->currentRecord(), 2);
    }

    void barShowsWithItsMenuEntry()
    {
        QVERIFY(bar()->isHidden());
        openPeople();
        QVERIFY(bar()->isHidden());
        showBar();
        QVERIFY(!bar()->isHidden());
        QVERIFY(windowAction(QStringLiteral("actionFilterBar"))->isChecked());
        QCOMPARE(barField()->count(), 3);
        QCOMPARE(barField()->itemText(0), QStringLiteral("All Fields"));
        QCOMPARE(barField()->itemText(2), QStringLiteral("Town"));
        QCOMPARE(barMustBegin()->text(), QStringLiteral("Field must begin with String"));
        // Closing the database takes the bar away; the next database brings it back.
        mWindow->setDatabaseOpen(false);
        QVERIFY(bar()->isHidden());
        openPeople();
        QVERIFY(!bar()->isHidden());
        showBar();
        QVERIFY(bar()->isHidden());
    }

    void typingRunsTheFilterAfterAPause()
    {
        openPeople();
        showBar();
        QTest::keyClicks(barText(), QStringLiteral("mei"));
        // Nothing runs while the user may still type.
        QVERIFY(!mWindow->commandGroups().get<ToolsCommands>().isFilterOn());
        QCOMPARE(windowDatabase().filterText(), QByteArray());
        QTRY_VERIFY(mWindow->commandGroups().get<ToolsCommands>().isFilterOn());
        QCOMPARE(windowDatabase().filterText(), QByteArray("mei"));
        QCOMPARE(shownNames(), (QByteArrayList{"Meier", "Schulz", "Schmeichel"}));
        QVERIFY(windowAction(QStringLiteral("actionFilter"))->isChecked());
        QVERIFY(barOn()->isChecked());
        QCOMPARE(barCount(), QStringLiteral("3 of 4 records shown"));
        QCOMPARE(mWindow->document().history().stack().count(), 1);
        QVERIFY(windowDatabase().isModified());
    }

    void barChanges_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<bool>("mustBegin");
        QTest::addColumn<QByteArrayList>("shown");
        QTest::addColumn<QString>("count");

        QTest::newRow("all fields") << 0 << false << QByteArrayList{"Meier", "Schulz", "Schmeichel"}
                                    << "3 of 4 records shown";
        QTest::newRow("all fields, must begin")
            << 0 << true << QByteArrayList{"Meier", "Schulz"} << "2 of 4 records shown";
        QTest::newRow("names only")
            << 1 << false << QByteArrayList{"Meier", "Schmeichel"} << "2 of 4 records shown";
        QTest::newRow("towns only, must begin")
            << 2 << true << QByteArrayList{"Schulz"} << "1 of 4 records shown";
    }

    // The field and the match option chosen in the bar filter as the Filter tab's do, each an
    // undo step that gives the rows and the choice back.
    void barChanges()
    {
        QFETCH(int, field);
        QFETCH(bool, mustBegin);
        QFETCH(QByteArrayList, shown);
        QFETCH(QString, count);
        openPeople();
        showBar();
        typeIntoBar(QStringLiteral("MEI"));
        const int steps = mWindow->document().history().stack().count();
        if (field != 0) {
            barField()->setCurrentIndex(field);
            Q_EMIT barField()->activated(field);
        }
        if (mustBegin)
            barMustBegin()->click();
        QCOMPARE(shownNames(), shown);
        QCOMPARE(barCount(), count);
        QCOMPARE(mWindow->document().history().stack().count(),
                 steps + (field != 0 ? 1 : 0) + (mustBegin ? 1 : 0));

        while (mWindow->document().history().stack().index() > steps)
            mWindow->document().history().stack().undo();
        QCOMPARE(shownNames(), (QByteArrayList{"Meier", "Schulz", "Schmeichel"}));
        QCOMPARE(barField()->currentIndex(), 0);
        QVERIFY(!barMustBegin()->isChecked());
        QVERIFY(!mWindow->document().viewState().filter.first().mustBeginWith);
        QCOMPARE(mWindow->document().viewState().filter.first().field, 0);
        QCOMPARE(barCount(), QStringLiteral("3 of 4 records shown"));
    }

    void undoOfTypingSwitchesTheFilterOffAgain()
    {
        openPeople();
        showBar();
        typeIntoBar(QStringLiteral("hof"));
        QCOMPARE(shownNames(), QByteArrayList{"Brandt"});
        mWindow->document().history().stack().undo();
        QCOMPARE(shownNames().size(), 4);
        QVERIFY(!mWindow->commandGroups().get<ToolsCommands>().isFilterOn());
        QVERIFY(!windowAction(QStringLiteral("actionFilter"))->isChecked());
        QCOMPARE(windowDatabase().filterText(), QByteArray());
        QCOMPARE(barText()->text(), QString());
        QVERIFY(!barOn()->isChecked());
        QCOMPARE(barCount(), QString());
        QVERIFY(!windowDatabase().isModified());
        mWindow->document().history().stack().redo();
        QCOMPARE(shownNames(), QByteArrayList{"Brandt"});
        QCOMPARE(barText()->text(), QStringLiteral("hof"));
        QCOMPARE(barCount(), QStringLiteral("1 of 4 records shown"));
    }

    // The switch is Enable filter: no step of its own, the check mark and the bar follow each
    // other.
    void switchAndEnableFilterAreOne()
    {
        openPeople();
        showBar();
        typeIntoBar(QStringLiteral("u"));
        const int steps = mWindow->document().history().stack().count();
        barOn()->click();
        QVERIFY(!mWindow->commandGroups().get<ToolsCommands>().isFilterOn());
        QVERIFY(!windowAction(QStringLiteral("actionFilter"))->isChecked());
        QCOMPARE(shownNames().size(), 4);
        QCOMPARE(barCount(), QString());
        windowAction(QStringLiteral("actionFilter"))->trigger(); // Ctrl+E
        QVERIFY(barOn()->isChecked());
        QCOMPARE(shownNames(), (QByteArrayList{"Schulz", "Schmeichel"}));
        QCOMPARE(barCount(), QStringLiteral("2 of 4 records shown"));
        windowAction(QStringLiteral("actionFilter"))->trigger();
        QVERIFY(!barOn()->isChecked());
        QCOMPARE(mWindow->document().history().stack().count(), steps);
    }

    // The bar and the Filter tab are two views of one filter.
    void barAndFilterTabShowTheSameSettings()
    {
        openPeople();
        showBar();
        typeIntoBar(QStringLiteral("bonn"));
        barField()->setCurrentIndex(2);
        Q_EMIT barField()->activated(2);
        barMustBegin()->click();

        mWindow->commandGroups().get<PropertiesCommands>().editProperties();
        QCOMPARE(tabPart<QComboBox>("filterFieldCombo")->currentIndex(), 2);
        QCOMPARE(tabPart<QLineEdit>("filterEdit")->text(), QStringLiteral("bonn"));
        QVERIFY(tabPart<QCheckBox>("filterMustBeginCheckBox")->isChecked());
        QVERIFY(tabPart<QCheckBox>("filterOnCheckBox")->isChecked());

        // And back: what OK takes from the tab shows in the bar.
        tabPart<QComboBox>("filterFieldCombo")->setCurrentIndex(1);
        tabPart<QLineEdit>("filterEdit")->setText(QStringLiteral("sch"));
        tabPart<QCheckBox>("filterMustBeginCheckBox")->setChecked(false);
        tabPart<QRadioButton>("excludeFilterRadio")->setChecked(true);
        properties().okClicked();
        QVERIFY(!properties().isVisible());
        QCOMPARE(barField()->currentIndex(), 1);
        QCOMPARE(barText()->text(), QStringLiteral("sch"));
        QVERIFY(!barMustBegin()->isChecked());
        QVERIFY(barOn()->isChecked());
        QCOMPARE(shownNames(), (QByteArrayList{"Meier", "Brandt"}));
        QCOMPARE(barCount(), QStringLiteral("2 of 4 records shown"));

        // The tab's switch off, and the bar's choices stay those of the tab (EXCLUDE too).
        mWindow->commandGroups().get<PropertiesCommands>().editProperties();
        tabPart<QCheckBox>("filterOnCheckBox")->setChecked(false);
        properties().okClicked();
        QVERIFY(!barOn()->isChecked());
        QCOMPARE(barCount(), QString());
        typeIntoBar(QStringLiteral("meier"));
        QVERIFY(mWindow->document().viewState().filter.first().exclude);
        QCOMPARE(shownNames(), (QByteArrayList{"Schulz", "Schmeichel", "Brandt"}));
    }

    // A cancelled properties dialog keeps its controls as left, and the filter reads them there:
    // the bar shows what the next Ctrl+E runs with.
    void cancelledTabChoicesShowInTheBar()
    {
        openPeople();
        showBar();
        mWindow->commandGroups().get<PropertiesCommands>().editProperties();
        tabPart<QCheckBox>("filterMustBeginCheckBox")->setChecked(true);
        properties().reject();
        QVERIFY(barMustBegin()->isChecked());
    }

    void shortcutFocusesTheBarAndEscapeReturnsToTheGrid()
    {
        showWindow();
        QApplication::setActiveWindow(mWindow.get());
        QVERIFY(QTest::qWaitForWindowActive(mWindow.get()));
        openPeople();
        QTRY_VERIFY(mWindow->grid()->hasFocus());
        QTest::keySequence(mWindow->grid(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L));
        QVERIFY(bar()->isVisible());
        QTRY_VERIFY(barText()->hasFocus());
        QTest::keyClicks(barText(), QStringLiteral("ulm"));
        QTest::keyClick(barText(), Qt::Key_Escape);
        // The text typed just before is not lost on the way back.
        QCOMPARE(shownNames(), QByteArrayList{"Schmeichel"});
        QTRY_VERIFY(mWindow->grid()->hasFocus());
        QCOMPARE(mWindow->currentRecord(), 3);
        QTest::keySequence(mWindow->grid(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L));
        QVERIFY(bar()->isHidden());
    }

    void returnRunsTheFilterAtOnce()
    {
        openPeople();
        showBar();
        QTest::keyClicks(barText(), QStringLiteral("brandt"));
        QTest::keyClick(barText(), Qt::Key_Return);
        QCOMPARE(shownNames(), QByteArrayList{"Brandt"});
        // The pause that was running ends in nothing more.
        const int steps = mWindow->document().history().stack().count();
        QTest::qWait(FilterBar::TypingPause + 100);
        QCOMPARE(mWindow->document().history().stack().count(), steps);
    }

    void barFollowsLoadedFields()
    {
        openPeople();
        showBar();
        openBytes(QStringLiteral("Kunden.pdb"), kunden(3, 2));
        QCOMPARE(barField()->count(), 4);
        QCOMPARE(barField()->itemText(3), QStringLiteral("Feld3"));
        QVERIFY(!barOn()->isChecked());
        QCOMPARE(barCount(), QString());
    }
};

QTEST_MAIN(TestNavigationCommands)
#include "tst_navigation_commands.moc"
