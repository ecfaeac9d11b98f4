// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "demo_window_fixture.h"
#include "gui/commands/tools_commands.h"
#include "gui/window/main_window.h"

#include <QAction>
#include <QLabel>
#include <QTest>
#include <QToolButton>

using namespace kribed;
using namespace kribed::test;

// Editing as the window shows it, on the demo database: the toggles in the status bar, the menu
// and the tool bar, a column dragged in the grid.
class TestMainWindowEditing
    : public QObject
    , private DemoWindowFixture
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { initFixture(); }

    void init() { startDemoTest(); }
    void cleanup() { endDemoTest(); }

    void eachToggleShowsOnlyItself_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("letters"); // status panels 2, 3 and 4

        QTest::newRow("auto sizing") << "actionAutoSizing"
                                     << "A||";
        QTest::newRow("filter") << "actionFilter"
                                << "|F|";
        QTest::newRow("row sum") << "actionRowSum"
                                 << "||S";
    }

    // One toggle on, the others off: its own letter, menu check mark and pressed button only.
    void eachToggleShowsOnlyItself()
    {
        QFETCH(QString, command);
        QFETCH(QString, letters);
        // A sum field keeps row-sum mode on.
        setUpWindowDatabase([](Database &database) {
            database.setFieldName(3, "Number&");
            database.setModified();
        });
        windowAction(command)->trigger();
        mWindow->updateStatus();
        QCOMPARE(QStringList({mWindow->statusPanel(2)->text(), mWindow->statusPanel(3)->text(),
                              mWindow->statusPanel(4)->text()})
                     .join(u'|'),
                 letters);
        for (const char *name : {"actionAutoSizing", "actionFilter", "actionRowSum"}) {
            const QString toggle = QString::fromLatin1(name);
            QAction *action = windowAction(toggle);
            QCOMPARE(action->isChecked(), toggle == command);
            // The menu draws a check mark only for an action whose icon it does not show.
            QVERIFY2(action->isCheckable() && !action->isIconVisibleInMenu(), qPrintable(toggle));
            QString buttonName = toggle;
            buttonName.replace(QStringLiteral("action"), QStringLiteral("toolButton"));
            auto *button = mWindow->findChild<QToolButton *>(buttonName);
            QVERIFY(button);
            QVERIFY(!button->icon().isNull());
            QCOMPARE(button->isChecked(), toggle == command);
        }
        windowAction(command)->trigger();
        mWindow->updateStatus();
        QCOMPARE(mWindow->statusPanel(2)->text() + mWindow->statusPanel(3)->text()
                     + mWindow->statusPanel(4)->text(),
                 QString());
    }

    void draggedColumnKeepsItsDefinition()
    {
        mWindow->fieldMoved(3, 1);
        QCOMPARE(windowDatabase().fieldName(1), QByteArray("Number"));
        QCOMPARE(windowDatabase().fieldType(1), int(AutoIncrementIntegerType));
        QCOMPARE(windowDatabase().fieldType(2), int(StringType));
        QCOMPARE(windowDatabase().fieldType(3), int(ModificationDateType));
        QVERIFY(mWindow->headerHint(1).startsWith(
            QStringLiteral("Auto-increment Integer\nTotal: 10\nAverage: 2.5\nWidth: ")));
        QCOMPARE(mWindow->recordCountHint(), QStringLiteral("4 Records"));
    }
};

QTEST_MAIN(TestMainWindowEditing)
#include "tst_main_window_editing.moc"
