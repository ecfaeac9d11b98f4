// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "gui/commands/exchange_commands.h"
#include "gui/commands/file_commands.h"
#include "gui/dialogs/welcome_panel.h"
#include "gui/window/main_window.h"
#include "main_window_fixture.h"

#include <QAction>
#include <QLabel>
#include <QMimeData>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <QUrl>

using namespace kribed;
using namespace kribed::test;

// The editor as the desktop starts it: files named on the command line or dropped on the window,
// and the welcome panel while no database is open.
class TestDesktopWindow
    : public QObject
    , private MainWindowFixture
{
    Q_OBJECT

    void dropOnWindow(const QString &path)
    {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(20, 60), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(mWindow.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(20, 60), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(mWindow.get(), &drop);
        QVERIFY(drop.isAccepted());
        QTest::qWait(20);
    }

    void changeSomething()
    {
        QAbstractItemModel *model = mWindow->grid()->model();
        QVERIFY(model->setData(model->index(0, 0), QStringLiteral("changed")));
        QVERIFY(windowDatabase().isModified());
    }

private Q_SLOTS:
    void initTestCase() { initFixture(); }
    void init() { startTest(); }
    void cleanup() { endTest(); }

    // A file named on the command line opens as one chosen in the open dialog: the same
    // messages and the same recent-file entry; a missing file gives the open error and no entry.
    void commandLineOpen_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("opened");
        QTest::addColumn<bool>("listed");
        QTest::newRow("good file") << database("Kunden") << QString() << QString() << true << true;
        QTest::newRow("damaged file")
            << QByteArray(40, 'x') << QStringLiteral("Information")
            << QStringLiteral("It's not a Kribo database.") << false << true;
        QTest::newRow("missing file")
            << QByteArray() << QStringLiteral("Error")
            << QStringLiteral("There was an error opening the file.*") << false << false;
    }

    void commandLineOpen()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, caption);
        QFETCH(QString, message);
        QFETCH(bool, opened);
        QFETCH(bool, listed);
        const QString path = bytes.isEmpty() ? mTemp->filePath(QStringLiteral("Gone.pdb"))
                                             : writeFile(QStringLiteral("Named.pdb"), bytes);
        if (!message.isEmpty())
            mPrompter->expect(caption, message, Icon::Error, Buttons::Ok, Answer::Ok);
        mWindow->commandGroups().get<FileCommands>().openNamedDatabase(path);
        QCOMPARE(mWindow->isDatabaseOpen(), opened);
        if (opened)
            QCOMPARE(windowDatabase().name(), QByteArray("Kunden"));
        QCOMPARE(mWindow->commandGroups().get<FileCommands>().recentFiles().path(0),
                 listed ? path : QString());
        QCOMPARE(mWindow->commandGroups().get<FileCommands>().actionRecentFiles[0]->isVisible(),
                 listed);
    }

    // Unsaved changes are asked about first; keeping them keeps the database and the list.
    void namedFileAsksAboutChanges()
    {
        openThroughDialog(writeFile(QStringLiteral("First.pdb"), database("First")));
        changeSomething();
        const QString second = writeFile(QStringLiteral("Second.pdb"), database("Second"));
        mPrompter->expect(QStringLiteral("Information"), DiscardQuestion, Icon::Warning,
                          Buttons::YesNo, Answer::No);
        mWindow->commandGroups().get<FileCommands>().openNamedDatabase(second);
        QCOMPARE(windowDatabase().name(), QByteArray("First"));
        QCOMPARE(mWindow->commandGroups().get<FileCommands>().recentFiles().path(1), QString());
        mPrompter->expect(QStringLiteral("Information"), DiscardQuestion, Icon::Warning,
                          Buttons::YesNo, Answer::Yes);
        mWindow->commandGroups().get<FileCommands>().openNamedDatabase(second);
        QCOMPARE(windowDatabase().name(), QByteArray("Second"));
        QCOMPARE(mWindow->commandGroups().get<FileCommands>().recentFiles().path(0), second);
    }

    // A dropped database opens after the unsaved-changes question; a dropped text file goes to
    // the import, whose dialog proposes that file.
    void droppedFiles()
    {
        openThroughDialog(writeFile(QStringLiteral("First.pdb"), database("First")));
        changeSomething();
        const QString second = writeFile(QStringLiteral("Second.pdb"), database("Second"));
        mPrompter->expect(QStringLiteral("Information"), DiscardQuestion, Icon::Warning,
                          Buttons::YesNo, Answer::Yes);
        dropOnWindow(second);
        QCOMPARE(windowDatabase().name(), QByteArray("Second"));
        QCOMPARE(mWindow->commandGroups().get<FileCommands>().recentFiles().path(0), second);

        const QString text = writeFile(QStringLiteral("Liste.csv"), "Name,Ort\r\nA,B\r\n");
        mDialogs->expectOpen(QStringLiteral("Import"), text);
        dropOnWindow(text);
        QCOMPARE(mDialogs->requests().last().proposedName, QStringLiteral("Liste.csv"));
        QCOMPARE(mDialogs->requests().last().initialFolder, mTemp->path());
        QCOMPARE(windowDatabase().name(), QByteArray("Liste"));
        QCOMPARE(windowDatabase().fieldCount(), 2);
    }

    // While no database is open, the welcome panel stands where the grid goes: its buttons run
    // New, Open and Import, its links open the recent files.
    void welcomePanel()
    {
        auto *welcome = mWindow->findChild<WelcomePanel *>();
        QVERIFY(welcome);
        QVERIFY(!welcome->isHidden());
        const QList<QToolButton *> buttons = welcome->findChildren<QToolButton *>();
        QCOMPARE(buttons.size(), 3);
        QCOMPARE(buttons[0]->defaultAction(),
                 mWindow->commandGroups().get<FileCommands>().actionOpen);
        QCOMPARE(buttons[1]->defaultAction(),
                 mWindow->commandGroups().get<FileCommands>().actionNew);
        QCOMPARE(buttons[2]->defaultAction(),
                 mWindow->commandGroups().get<ExchangeCommands>().actionImport);

        const QString first = writeFile(QStringLiteral("First.pdb"), database("First"));
        const QString second = writeFile(QStringLiteral("Second.pdb"), database("Second"));
        openThroughDialog(first);
        QVERIFY(welcome->isHidden());
        openThroughDialog(second);
        mWindow->commandGroups().get<FileCommands>().closeDatabase();
        QVERIFY(!welcome->isHidden());
        auto *links = welcome->findChild<QLabel *>(QStringLiteral("RecentLinks"));
        QVERIFY(links->text().contains(QStringLiteral("First")));
        // The second link is the older file.
        Q_EMIT welcome->recentFileChosen(1);
        QCOMPARE(windowDatabase().name(), QByteArray("First"));
    }
};

QTEST_MAIN(TestDesktopWindow)
#include "tst_desktop_window.moc"
