// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "core/platform/settings.h"
#include "core/platform/user_list.h"
#include "gui/grid/database_document.h"
#include "gui/window/main_window.h"
#include "main_window_fixture.h"

#include <QAbstractItemModel>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QSettings>
#include <QTableView>
#include <QTest>

using namespace kribed;
using namespace kribed::test;

// The file commands as the window runs them: install, the database folders, Save and Save as.
class TestFileCommands
    : public QObject
    , private MainWindowFixture
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { initFixture(); }

    void init() { startTest(); }
    void cleanup() { endTest(); }

    void installNeedsAHandheldUser()
    {
        makeWindow(mOneUser);
        QCOMPARE(mWindow->selectedUser(), 0);
        openThroughDialog(writeFile(QStringLiteral("Kunden.pdb"), kunden(2, 2)));
        // The first open dialog of the run starts in the user's backup folder, later ones do not.
        QCOMPARE(mDialogs->requests().constFirst().initialFolder,
                 QStringLiteral("/palm/Smith J/backup"));
        openThroughDialog(mTemp->filePath(QStringLiteral("Kunden.pdb")));
        QCOMPARE(mDialogs->requests().constLast().initialFolder, QString());
        QVERIFY(enabled("actionInstall"));
        mWindow->fileCommands().closeDatabase();
        QVERIFY(!enabled("actionInstall"));
    }

    void backupFolderNotUsedWithTheSettingOff()
    {
        openSettingsStore()->setValue(QStringLiteral("Settings/InitialDir"), QStringLiteral("0"));
        makeWindow(mOneUser);
        openThroughDialog(writeFile(QStringLiteral("Kunden.pdb"), kunden(2, 2)));
        QCOMPARE(mDialogs->requests().constFirst().initialFolder, QString());
    }

    void saveAsUsesTheDatabaseFolderAndPdbName()
    {
        const QString path = writeFile(QStringLiteral("Kunden.pdb"), kunden(2, 2));
        openThroughDialog(path);
        typeInto(1, 1, QStringLiteral("x"));
        const QString chosen = mTemp->filePath(QStringLiteral("Copy.txt"));
        mDialogs->expectSave(QStringLiteral("Save Kribo database"), chosen);
        mWindow->fileCommands().saveAs();
        const FileRequest request = mDialogs->requests().constLast();
        QCOMPARE(request.initialFolder, QFileInfo(path).absolutePath());
        QCOMPARE(request.proposedName, QStringLiteral("Kunden"));
        QCOMPARE(request.filter, QStringLiteral("Kribo database (*.pdb)|*.pdb"));
        QCOMPARE(windowDatabase().filePath(), mTemp->filePath(QStringLiteral("Copy.pdb")));
        QVERIFY(QFile::exists(windowDatabase().filePath()));
        QVERIFY(!QFile::exists(chosen));
        QVERIFY(!windowDatabase().isModified());
        // Save as never touches the recent list.
        QCOMPARE(mWindow->fileCommands().recentFiles().path(0), path);
        QVERIFY(mWindow->fileCommands().recentFiles().path(1).isEmpty());
    }

    void failedSaveKeepsTheChanges()
    {
        const QString path = writeFile(QStringLiteral("Kunden.pdb"), kunden(2, 2));
        openThroughDialog(path);
        typeInto(1, 1, QStringLiteral("x"));
        mDialogs->expectSave(QStringLiteral("Save Kribo database"),
                             mTemp->filePath(QStringLiteral("no such folder/Copy.pdb")));
        mPrompter->expect(QStringLiteral("Save error"),
                          QStringLiteral("There was an error in saving*"), Icon::Error, Buttons::Ok,
                          Answer::Ok);
        mWindow->fileCommands().saveAs();
        QVERIFY(windowDatabase().isModified());
        mWindow->updateStatus();
        QVERIFY(panel(6).endsWith(QStringLiteral(" +")));
    }

    void autoWidthQuestionBeforeSaving_data()
    {
        QTest::addColumn<bool>("saveAs");
        QTest::addColumn<bool>("expert");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("saved");
        QTest::newRow("Save, Cancel saves nothing")
            << false << false << int(Answer::Cancel) << false;
        QTest::newRow("Save, Yes saves") << false << false << int(Answer::Yes) << true;
        QTest::newRow("Save, No saves") << false << false << int(Answer::No) << true;
        QTest::newRow("Save as asks its own words") << true << false << int(Answer::No) << true;
        QTest::newRow("expert mode saves without asking") << false << true << -1 << true;
    }

    void autoWidthQuestionBeforeSaving()
    {
        QFETCH(bool, saveAs);
        QFETCH(bool, expert);
        QFETCH(int, answer);
        QFETCH(bool, saved);
        const QString path = writeFile(QStringLiteral("Kunden.pdb"), kunden(2, 2));
        openThroughDialog(path);
        typeInto(1, 1, QStringLiteral("x"));
        mWindow->settings().expertMode = expert;
        mWindow->toolsCommands().setAutoSizingState(true);
        if (answer >= 0) {
            mPrompter->expect(
                QStringLiteral("Information"),
                QStringLiteral(
                    "The column width is changed by auto-width and could be unsuitable "
                    "%1.\rDo you prefer to save the file with the prevouis width settings?")
                    .arg(saveAs ? QStringLiteral("for the handheld display")
                                : QStringLiteral("for your handheld display")),
                Icon::Warning, Buttons::YesNoCancel, Answer(answer));
        }
        if (saveAs && saved)
            mDialogs->expectSave(QStringLiteral("Save Kribo database"), path);
        saveAs ? mWindow->fileCommands().saveAs() : mWindow->fileCommands().save();
        QCOMPARE(windowDatabase().isModified(), !saved);
        QCOMPARE(QFile::exists(mTemp->filePath(QStringLiteral("Kunden.pd_"))), saved);
        // Automatic widths are on again after the command.
        QVERIFY(mWindow->toolsCommands().isAutoSizing());
    }
};

QTEST_MAIN(TestFileCommands)
#include "tst_file_commands.moc"
