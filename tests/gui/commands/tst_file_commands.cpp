// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/platform/settings.h"
#include "core/platform/user_list.h"
#include "gui/commands/file_commands.h"
#include "gui/commands/tools_commands.h"
#include "gui/dialogs/new_database_dialog.h"
#include "gui/grid/database_document.h"
#include "gui/window/main_window.h"
#include "handheld_window_fixture.h"
#include "named_child.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTableView>
#include <QTest>

#include <memory>

using namespace kribed;
using namespace kribed::test;

namespace {

const QString SavedReadyText = QStringLiteral("The Database is saved and ready for synchronizing.");
const QString ReadyText = QStringLiteral("The Database is ready for synchronizing.");

} // namespace

// The file commands as the window runs them: New, Open and the recent files, Save and Save as,
// install with the database folders, print.
class TestFileCommands
    : public QObject
    , private HandheldWindowFixture
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
        mWindow->commandGroups().get<FileCommands>().closeDatabase();
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
        mWindow->commandGroups().get<FileCommands>().saveAs();
        const FileRequest request = mDialogs->requests().constLast();
        QCOMPARE(request.initialFolder, QFileInfo(path).absolutePath());
        QCOMPARE(request.proposedName, QStringLiteral("Kunden"));
        QCOMPARE(request.filter, QStringLiteral("Kribo database (*.pdb)|*.pdb"));
        QCOMPARE(windowDatabase().filePath(), mTemp->filePath(QStringLiteral("Copy.pdb")));
        QVERIFY(QFile::exists(windowDatabase().filePath()));
        QVERIFY(!QFile::exists(chosen));
        QVERIFY(!windowDatabase().isModified());
        // Save as never touches the recent list.
        QCOMPARE(mWindow->commandGroups().get<FileCommands>().recentFiles().path(0), path);
        QVERIFY(mWindow->commandGroups().get<FileCommands>().recentFiles().path(1).isEmpty());
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
        mWindow->commandGroups().get<FileCommands>().saveAs();
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
        mWindow->commandGroups().get<ToolsCommands>().setAutoSizingState(true);
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
        saveAs ? mWindow->commandGroups().get<FileCommands>().saveAs()
               : mWindow->commandGroups().get<FileCommands>().save();
        QCOMPARE(windowDatabase().isModified(), !saved);
        QCOMPARE(QFile::exists(mTemp->filePath(QStringLiteral("Kunden.pd_"))), saved);
        // Automatic widths are on again after the command.
        QVERIFY(mWindow->commandGroups().get<ToolsCommands>().isAutoSizing());
    }

    void cancelledOrFailedOpenKeepsTheDatabase()
    {
        openThroughDialog(writeFile(QStringLiteral("A.pdb"), kunden(2, 3, "A")));
        mDialogs->expectOpen(QStringLiteral("Open Kribo database"), QString());
        mWindow->commandGroups().get<FileCommands>().openDatabase();
        QCOMPARE(windowDatabase().name(), QByteArray("A"));
        // A recent entry whose file is gone ends in the reader's open error, nothing else.
        const QString gone = mTemp->filePath(QStringLiteral("Gone.pdb"));
        openThroughDialog(writeFile(QStringLiteral("Gone.pdb"), kunden(1, 1, "Gone")));
        QFile::remove(gone);
        openThroughDialog(mTemp->filePath(QStringLiteral("A.pdb")));
        mPrompter->expect(QStringLiteral("Error"),
                          QStringLiteral("There was an error opening the file.*"), Icon::Error,
                          Buttons::Ok, Answer::Ok);
        mWindow->commandGroups().get<FileCommands>().openRecentFile(0);
        QCOMPARE(windowDatabase().name(), QByteArray("A"));
        QVERIFY(mWindow->isDatabaseOpen());
    }

    void damagedFileLeavesNoDatabaseOpen()
    {
        openThroughDialog(writeFile(QStringLiteral("A.pdb"), kunden(2, 3, "A")));
        const QString damaged = writeFile(QStringLiteral("Damaged.pdb"), QByteArray(40, 'x'));
        mPrompter->expect(QStringLiteral("Information"),
                          QStringLiteral("It's not a Kribo database."), Icon::Error, Buttons::Ok,
                          Answer::Ok);
        openThroughDialog(damaged);
        QVERIFY(!mWindow->isDatabaseOpen());
        QVERIFY(mWindow->grid()->isHidden());
        QCOMPARE(mWindow->grid()->model()->rowCount(), 0);
        mWindow->updateStatus();
        QCOMPARE(mWindow->windowTitle(), QStringLiteral("Kribed PRO"));
        // The file chosen in the dialog is in the list all the same.
        QCOMPARE(mWindow->commandGroups().get<FileCommands>().recentFiles().path(0), damaged);
    }

    void recentFilesFollowTheOpenDialogOnly()
    {
        QStringList paths;
        for (const char *name : {"One", "Two", "Three", "Four", "Five", "Six"})
            paths << writeFile(QString::fromLatin1(name) + QStringLiteral(".pdb"),
                               kunden(1, 1, name));
        for (int i = 0; i < 5; ++i)
            openThroughDialog(paths[i]);
        // Five, Four, Three, Two, One. Opening Three again keeps the order.
        openThroughDialog(paths[2]);
        QCOMPARE(mWindow->commandGroups().get<FileCommands>().recentFiles().path(2), paths[2]);
        QCOMPARE(windowAction(QStringLiteral("actionRecentFile1"))->text(),
                 QStringLiteral("&1  Five"));
        // A recent entry opens without a dialog and changes nothing in the list.
        mWindow->commandGroups().get<FileCommands>().openRecentFile(4);
        QCOMPARE(windowDatabase().name(), QByteArray("One"));
        QCOMPARE(mWindow->commandGroups().get<FileCommands>().recentFiles().path(4), paths[0]);
        // The sixth file drops the oldest.
        openThroughDialog(paths[5]);
        QCOMPARE(windowAction(QStringLiteral("actionRecentFile1"))->text(),
                 QStringLiteral("&1  Six"));
        QCOMPARE(windowAction(QStringLiteral("actionRecentFile5"))->text(),
                 QStringLiteral("&5  Two"));
        QVERIFY(windowAction(QStringLiteral("separatorRecentFiles"))->isVisible());
    }

    void stringPreselectedOnlyWithBackupFolder_data()
    {
        QTest::addColumn<bool>("withUser");
        QTest::addColumn<bool>("initialDir");
        QTest::addColumn<int>("selected");
        QTest::newRow("user with folder and initial folder on") << true << true << 0;
        QTest::newRow("initial folder off") << true << false << -1;
        QTest::newRow("no handheld user") << false << true << -1;
    }

    void stringPreselectedOnlyWithBackupFolder()
    {
        QFETCH(bool, withUser);
        QFETCH(bool, initialDir);
        QFETCH(int, selected);
        {
            std::unique_ptr<QSettings> store = openSettingsStore();
            store->setValue(QStringLiteral("Settings/InitialDir"),
                            initialDir ? QStringLiteral("1") : QStringLiteral("0"));
            store->sync();
        }
        if (withUser)
            makeWindow(mOneUser);
        else
            makeWindow();
        QCOMPARE(mWindow->settings().initialDir, initialDir);
        NewDatabaseDialog *form = &mWindow->commandGroups().get<FileCommands>().newDatabaseDialog();
        QCOMPARE(child<QComboBox>(form, "fieldTypeCombo")->currentIndex(), selected);
        QCOMPARE(&mWindow->commandGroups().get<FileCommands>().newDatabaseDialog(), form);
        mWindow.reset(); // before `user` goes
    }

    void refusedInputKeepsDialogOpen_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("long name")
            << QStringLiteral("nameEdit") << QString(31, u'n')
            << QStringLiteral("Please use 1 - 30 characters for the database name.");
        QTest::newRow("pasted letters in the rows")
            << QStringLiteral("rowsCombo") << QStringLiteral("ab")
            << QStringLiteral("Please use a numerical value.");
        QTest::newRow("width 301") << QStringLiteral("fieldWidthCombo") << QStringLiteral("301")
                                   << QStringLiteral("Please use 1 - 300 for the field width.");
    }

    void refusedInputKeepsDialogOpen()
    {
        QFETCH(QString, control);
        QFETCH(QString, text);
        QFETCH(QString, message);
        mWindow->commandGroups().get<FileCommands>().newDatabase();
        NewDatabaseDialog *form = mWindow->findChild<NewDatabaseDialog *>();
        QVERIFY(form->isVisible());
        if (auto *edit = form->findChild<QLineEdit *>(control);
            edit && control == QStringLiteral("nameEdit"))
            edit->setText(text);
        else
            form->findChild<QComboBox *>(control)->setEditText(text);
        mPrompter->expect(QStringLiteral("Error"), message, Icon::Error, Buttons::Ok, Answer::Ok);
        QTest::mouseClick(child<QPushButton>(form, "okButton"), Qt::LeftButton);
        QVERIFY(form->isVisible());
        QVERIFY(!mWindow->isDatabaseOpen());
        // The user's input stays for another try.
        const QString shown = control == QStringLiteral("nameEdit")
                                  ? child<QLineEdit>(form, "nameEdit")->text()
                                  : form->findChild<QComboBox *>(control)->currentText();
        QCOMPARE(shown, text);
        QTest::mouseClick(child<QPushButton>(form, "cancelButton"), Qt::LeftButton);
        QVERIFY(!form->isVisible());

        // Opened again, the name has the focus whichever control had it last.
        form->findChild<QComboBox *>(QStringLiteral("rowsCombo"))->setFocus();
        mWindow->commandGroups().get<FileCommands>().newDatabase();
        QVERIFY(form->isVisible());
        QCOMPARE(form->focusWidget(), child<QLineEdit>(form, "nameEdit"));
        form->reject();
    }

    void newReplacesTheDatabase()
    {
        createThroughDialog(QStringLiteral("3"), QStringLiteral("2"), BooleanType);
        QVERIFY(mWindow->isDatabaseOpen());
        QVERIFY(!mWindow->grid()->isHidden());
        const Database &database = windowDatabase();
        QCOMPARE(database.fieldCount(), 3);
        QCOMPARE(database.recordCount(), 2);
        QCOMPARE(database.fieldName(3), QByteArray("Field 3"));
        QCOMPARE(database.fieldType(2), int(BooleanType));
        QCOMPARE(database.name(), QByteArray("New"));
        QVERIFY(!database.isModified());
        QCOMPARE(mWindow->grid()->model()->rowCount(), 2);
        QCOMPARE(mWindow->grid()->model()->columnCount(), 3);
        NewDatabaseDialog *form = mWindow->findChild<NewDatabaseDialog *>();
        QCOMPARE(child<QLineEdit>(form, "nameEdit")->text(), QStringLiteral("New"));
        // The other values stay for the next use.
        QCOMPARE(child<QComboBox>(form, "columnsCombo")->currentText(), QStringLiteral("3"));

        // A changed database asks first; keeping the changes stops New.
        setUpWindowCell(1, 1, "x");
        mPrompter->expect(QStringLiteral("Information"), QStringLiteral("You have not saved*"),
                          Icon::Warning, Buttons::YesNo, Answer::No);
        mWindow->commandGroups().get<FileCommands>().newDatabase();
        QVERIFY(!form->isVisible());
        QCOMPARE(windowDatabase().cell(1, 1), QByteArray("x"));
    }

    void installCommand_data()
    {
        QTest::addColumn<bool>("saveAtInstall");
        QTest::addColumn<bool>("expertMode");
        QTest::addColumn<QString>("told");

        QTest::newRow("save at install") << true << false << SavedReadyText;
        QTest::newRow("copy only") << false << false << ReadyText;
        QTest::newRow("expert mode: nothing told") << true << true << QString();
    }

    void installCommand()
    {
        QFETCH(bool, saveAtInstall);
        QFETCH(bool, expertMode);
        QFETCH(QString, told);

        makeWindow(true);
        QAction *install = windowAction(QStringLiteral("actionInstall"));
        QVERIFY(install->isEnabled());
        QCOMPARE(install->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_I));
        mWindow->settings().saveAtInstall = saveAtInstall;
        mWindow->settings().expertMode = expertMode;
        setUpWindowCell(1, 1, "Maier");
        mWindow->document().markChanged();

        if (!told.isEmpty())
            mPrompter->expect(QStringLiteral("Kribed-pro"), told, Icon::None, Buttons::Ok,
                              Answer::Ok);
        install->trigger();
        KRIBED_VERIFY_PROMPTER(*mPrompter);

        // The Desktop's last user, the second one, without any choice in the dialog.
        QVERIFY(QFileInfo::exists(mData + QStringLiteral("/Bert M/Install/Kunden.pdb")));
        QCOMPARE(installFlag(QStringLiteral("Install258")), QStringLiteral("1"));
        QCOMPARE(installFlag(QStringLiteral("Install3")), QStringLiteral("0"));
        QCOMPARE(windowDatabase().isModified(), !saveAtInstall);
        QCOMPARE(windowDatabase().filePath(), mOwnFile);
        QCOMPARE(QFileInfo::exists(mTemp->filePath(QStringLiteral("Kunden.pd_"))), saveAtInstall);
        QFile own(mOwnFile);
        QVERIFY(own.open(QIODevice::ReadOnly));
        QCOMPARE(own.readAll() == kunden(), !saveAtInstall);
    }

    void installWithAutoSizing()
    {
        makeWindow(true);
        mWindow->commandGroups().get<ToolsCommands>().autoSizeColumns(true);
        QVERIFY(mWindow->commandGroups().get<ToolsCommands>().isAutoSizing());
        mPrompter->expect(QStringLiteral("Information"),
                          QStringLiteral("The column width is changed by auto-width*"),
                          Icon::Warning, Buttons::YesNoCancel, Answer::Cancel);
        mWindow->commandGroups().get<FileCommands>().install();
        KRIBED_VERIFY_PROMPTER(*mPrompter);
        // Cancel stops the copy but keeps the folder and the flag, and auto sizing stays on.
        QVERIFY(mWindow->commandGroups().get<ToolsCommands>().isAutoSizing());
        QVERIFY(QFileInfo(mData + QStringLiteral("/Bert M/Install")).isDir());
        QVERIFY(!QFileInfo::exists(mData + QStringLiteral("/Bert M/Install/Kunden.pdb")));
        QCOMPARE(installFlag(QStringLiteral("Install258")), QStringLiteral("1"));

        mPrompter->expect(QStringLiteral("Information"),
                          QStringLiteral("The column width is changed by auto-width*"),
                          Icon::Warning, Buttons::YesNoCancel, Answer::Yes);
        mPrompter->expect(QStringLiteral("Kribed-pro"), SavedReadyText, Icon::None, Buttons::Ok,
                          Answer::Ok);
        mWindow->commandGroups().get<FileCommands>().install();
        QVERIFY(QFileInfo::exists(mData + QStringLiteral("/Bert M/Install/Kunden.pdb")));
        QVERIFY(mWindow->commandGroups().get<ToolsCommands>().isAutoSizing());
    }

    void installDisabledWithoutUsers()
    {
        makeWindow(false);
        QCOMPARE(mUsers->count(), 0);
        QVERIFY(!windowAction(QStringLiteral("actionInstall"))->isEnabled());
        mWindow->commandGroups().get<FileCommands>().install();
        QVERIFY(!QFileInfo::exists(mData + QStringLiteral("/Install")));
    }

    void printCancelledPrintsNothing()
    {
        openTable({{"a"}, {"1"}});
        mDialogs->expectPrint(false);
        mWindow->commandGroups().get<FileCommands>().print();
        QVERIFY(!windowDatabase().isModified());
    }

    void printPreviewCommand()
    {
        QAction *preview = mWindow->commandGroups().get<FileCommands>().actionPrintPreview;
        QVERIFY(preview);
        QCOMPARE(preview->text(), QStringLiteral("Print preview..."));
        QVERIFY(!preview->isEnabled());
        openThroughDialog(writeFile(QStringLiteral("First.pdb"), database("First")));
        QVERIFY(preview->isEnabled());
    }
};

QTEST_MAIN(TestFileCommands)
#include "tst_file_commands.moc"
