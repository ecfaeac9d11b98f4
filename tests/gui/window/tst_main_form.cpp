// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "core/model/regional.h"
#include "core/platform/settings.h"
#include "core/platform/user_list.h"
#include "gui/grid/database_document.h"
#include "gui/window/main_form.h"
#include "main_form_fixture.h"
#include "pdb_builder.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QToolBar>

#include <memory>

using namespace kribed;
using namespace kribed::test;

namespace {

const QString DiscardQuestion = QStringLiteral(
    "You have not saved the changes to this file and you will lose the changes if you close this "
    "file. Are sure that you want to close this file?");

QByteArray kunden(int fields, int records, const QByteArray &name = "Kunden")
{
    PdbBuilder builder;
    builder.name(name);
    for (int field = 1; field <= fields; ++field)
        builder.field("Feld" + QByteArray::number(field));
    for (int record = 1; record <= records; ++record) {
        QList<QByteArray> values;
        for (int field = 1; field <= fields; ++field)
            values << QByteArray::number(record * 10 + field);
        builder.record(values);
    }
    builder.dates(3'800'000'000u);
    return builder.build();
}

} // namespace

class TestMainForm
    : public QObject
    , private MainFormFixture
{
    Q_OBJECT

private:
    QString Panel(int index) const { return mForm->StatusPanel(index)->text(); }

    void TypeInto(int field, int record, const QString &text)
    {
        QAbstractItemModel *model = mForm->Grid()->model();
        QVERIFY(model->setData(model->index(record - 1, field - 1), text));
    }

private Q_SLOTS:
    void initTestCase() { InitTestCase(); }

    void init() { StartTest(); }
    void cleanup() { EndTest(); }

    void startsWithoutDatabase()
    {
        QVERIFY(mForm->Grid()->isHidden());
        QVERIFY(mForm->statusBar()->isHidden());
        mForm->Timer1Timer();
        QCOMPARE(mForm->windowTitle(), QStringLiteral("Kribed PRO"));
        for (const char *name : {"New1", "Open1", "Import1", "Exit1", "Readme1", "About1"})
            QVERIFY2(Enabled(name), name);
        for (const char *name :
             {"Close1",       "Save1",        "Saveas1",        "Install1",      "Append1",
              "Export1",      "Print1",       "Edit1",          "Properties1",   "CutCell1",
              "CopyCell1",    "PasteCell1",   "CutRow1",        "CopyRow1",      "PasteRow1",
              "FontSetting1", "Find1",        "Findnext1",      "Autosizing1",   "Filter1",
              "Sortnormal1",  "SortReverse1", "ColSum1",        "RowSum1",       "Delete_Row1",
              "InsertRow1",   "AppendRow1",   "Delete_Column1", "InsertColumn1", "AppendColumn1"})
            QVERIFY2(!Enabled(name), name);
        // An empty list shows no entries and no separator above them.
        for (const char *name : {"N1", "F1", "F2", "F3", "F4", "F5"})
            QVERIFY2(!mForm->Action(QString::fromLatin1(name))->isVisible(), name);
    }

    void menusToolBarAndContextMenuInOrder_data()
    {
        QTest::addColumn<QString>("container");
        QTest::addColumn<QStringList>("entries");
        const auto list = [](std::initializer_list<const char *> names) {
            QStringList entries;
            for (const char *name : names)
                entries << QString::fromLatin1(name);
            return entries;
        };
        QTest::newRow("File menu")
            << "FileMenu"
            << list({"New1", "Open1",   "Close1",  "-",       "Save1", "Saveas1", "Install1",
                     "-",    "Import1", "Append1", "Export1", "-",     "Print1",  "N1",
                     "F1",   "F2",      "F3",      "F4",      "F5",    "N13",     "Exit1"});
        QTest::newRow("Edit menu")
            << "EditMenu"
            << list({"Edit1", "Properties1", "-", "CutCell1", "CopyCell1", "PasteCell1", "-",
                     "CutRow1", "CopyRow1", "PasteRow1", "-", "FontSetting1"});
        QTest::newRow("Tools menu")
            << "ToolsMenu"
            << list({"Find1", "Findnext1", "-", "Autosizing1", "Filter1", "-", "Sortnormal1",
                     "SortReverse1", "-", "ColSum1", "RowSum1", "-", "Delete_Row1", "InsertRow1",
                     "AppendRow1", "-", "Delete_Column1", "InsertColumn1", "AppendColumn1"});
        QTest::newRow("Help menu") << "HelpMenu" << list({"Readme1", "-", "About1"});
        QTest::newRow("context menu")
            << "PopupMenu1"
            << list({"Edit2", "Properties2", "-", "CutCell2", "CopyCell2", "PasteCell2", "-",
                     "CutRow2", "CopyRow2", "PasteRow2", "-", "Delete_Row2", "InsertRow2",
                     "AppendRow2"});
        QTest::newRow("tool bar") << "ToolBar1"
                                  << list({"New3",          "Open3",          "Save3",
                                           "Install3",      "Print2",         "Import3",
                                           "Export3",       "Edit3",          "CutCell3",
                                           "CopyCell3",     "PasteCell3",     "Properties3",
                                           "FontSetting3",  "Find3",          "Autosizing3",
                                           "Filter3",       "Sortnormal3",    "SortReverse3",
                                           "ColSum3",       "RowSum3",        "AppendRow3",
                                           "InsertRow3",    "Delete_Row3",    "AppendColumn3",
                                           "InsertColumn3", "Delete_Column3", "Readme3"});
    }

    void menusToolBarAndContextMenuInOrder()
    {
        QFETCH(QString, container);
        QFETCH(QStringList, entries);
        QWidget *widget = mForm->findChild<QWidget *>(container);
        QVERIFY(widget);
        QStringList actual;
        for (QAction *action : widget->actions()) {
            if (auto *toolBar = qobject_cast<QToolBar *>(widget))
                actual << toolBar->widgetForAction(action)->objectName();
            else
                actual << (action->isSeparator() && action->objectName().isEmpty()
                               ? QStringLiteral("-")
                               : action->objectName());
        }
        QCOMPARE(actual, entries);
    }

    void commandCaptionsShortcutsAndHints_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("hint");
        QTest::newRow("Open") << "Open1"
                              << "&Open..." << QKeySequence(Qt::CTRL | Qt::Key_O) << "Open";
        QTest::newRow("Save") << "Save1"
                              << "S&ave" << QKeySequence(Qt::CTRL | Qt::Key_S) << "Save";
        QTest::newRow("Install") << "Install1"
                                 << "&Install" << QKeySequence(Qt::CTRL | Qt::Key_I)
                                 << "Install database for hotsync";
        QTest::newRow("Exit") << "Exit1"
                              << "E&xit" << QKeySequence(Qt::ALT | Qt::Key_F4) << "Exit";
        QTest::newRow("Cut cell hint starts blank")
            << "CutCell1"
            << "Cut cell" << QKeySequence(Qt::Key_F9) << " Cut cell";
        QTest::newRow("Filter") << "Filter1"
                                << "&Enable filter" << QKeySequence(Qt::CTRL | Qt::Key_E)
                                << "Filter records";
        QTest::newRow("Delete row")
            << "Delete_Row1"
            << "&Delete Row" << QKeySequence(Qt::CTRL | Qt::Key_Delete) << "Delete row";
        QTest::newRow("Append row")
            << "AppendRow1"
            << "&Append Row" << QKeySequence(Qt::ALT | Qt::Key_Insert) << "Append row";
        QTest::newRow("Read me") << "Readme1"
                                 << "&Read me..." << QKeySequence(Qt::Key_F1) << "Read me!";
        QTest::newRow("context Cut row") << "CutRow2"
                                         << "C&ut row" << QKeySequence(Qt::Key_F5) << "Cut row";
        QTest::newRow("context Append row")
            << "AppendRow2"
            << "&Append row" << QKeySequence(Qt::SHIFT | Qt::Key_Insert) << "Append row";
    }

    void commandCaptionsShortcutsAndHints()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QKeySequence, keys);
        QFETCH(QString, hint);
        QAction *action = mForm->Action(name);
        QVERIFY(action);
        QCOMPARE(action->text(), caption);
        QCOMPARE(action->shortcut(), keys);
        QCOMPARE(action->toolTip(), hint);
    }

    void loadedDatabaseInCaptionAndStatusBar()
    {
        const QString path = writeFile(QStringLiteral("Kunden.pdb"), kunden(5, 120));
        OpenThroughDialog(path);
        QVERIFY(mForm->IsDatabaseOpen());
        QVERIFY(!mForm->Grid()->isHidden());
        QVERIFY(!mForm->statusBar()->isHidden());
        QVERIFY(!Enabled("Install1")); // no handheld user known
        QVERIFY(!Enabled("PasteRow1"));

        mForm->SetCurrentCell(2, 3);
        mForm->Timer1Timer();
        QCOMPARE(mForm->windowTitle(), QStringLiteral("Kunden - Kribed PRO"));
        QCOMPARE(Panel(0), QStringLiteral("R3 of 120"));
        QCOMPARE(Panel(1), QStringLiteral("C2 of 5"));
        QCOMPARE(Panel(5),
                 QLocale(QStringLiteral("en_US"))
                     .toString(Data().modificationTime().date(), QStringLiteral("M/d/yyyy")));
        QVERIFY(!Panel(5).isEmpty());
        QCOMPARE(Panel(6), path + u' ');

        TypeInto(2, 3, QStringLiteral("changed"));
        mForm->Timer1Timer();
        QCOMPARE(Panel(6), path + QStringLiteral(" +"));

        mForm->Save1Click();
        mForm->Timer1Timer();
        QCOMPARE(Panel(6), path + u' ');
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
        OpenThroughDialog(writeFile(QStringLiteral("First.pdb"), kunden(2, 2, "First")));
        mForm->Timer1Timer();
        const QString second = writeFile(QStringLiteral("Nameless.pdb"), kunden(3, 4, ""));
        OpenThroughDialog(second);
        mForm->Timer1Timer();
        QCOMPARE(mForm->windowTitle(), QStringLiteral("Kribed PRO"));
        QCOMPARE(Panel(1), QStringLiteral("C1 of 3"));
        QCOMPARE(Panel(6), second + u' ');
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
        OpenThroughDialog(other);
        OpenThroughDialog(first); // the list is now A, B
        TypeInto(1, 1, QStringLiteral("edit"));

        mPrompter->expect(QStringLiteral("Information"), DiscardQuestion, Icon::Warning,
                          Buttons::YesNo, agree ? Answer::Yes : Answer::No);
        bool closed = false;
        if (road == QLatin1String("Open")) {
            if (agree)
                mDialogs->ExpectOpen(QStringLiteral("Open Kribo database"), other);
            mForm->Open1Click();
        } else if (road == QLatin1String("Close")) {
            mForm->Close1Click();
        } else if (road == QLatin1String("Recent entry")) {
            mForm->F2Click();
        } else if (road == QLatin1String("New")) {
            mForm->New1Click();
        } else if (road == QLatin1String("Import")) {
            // Agreeing leads to the import's file dialog; cancelling it keeps the database.
            if (agree)
                mDialogs->ExpectOpen(QStringLiteral("Import"), QString());
            mForm->Import1Click();
        } else {
            mForm->show();
            closed = mForm->close();
        }

        QDialog *newDialog = nullptr;
        for (QDialog *dialog : mForm->findChildren<QDialog *>()) {
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
            QVERIFY(mForm->IsDatabaseOpen());
            QCOMPARE(Data().name(), QByteArray("A"));
            QCOMPARE(Data().cell(1, 1), QByteArray("edit"));
            QVERIFY(Data().isModified());
        } else if (road == QLatin1String("Close")) {
            QVERIFY(!mForm->IsDatabaseOpen());
            QVERIFY(Data().name().isEmpty());
            QVERIFY(!Data().isModified());
        } else if (road == QLatin1String("Closing the window")) {
            QVERIFY(closed);
        } else {
            QCOMPARE(Data().name(), QByteArray("B"));
            QVERIFY(!Data().isModified());
        }
        // Nothing was saved on any road.
        Database onDisk;
        ScriptedPrompter quiet;
        QCOMPARE(loadDatabaseFile(first, onDisk, quiet), LoadResult::Loaded);
        QCOMPARE(onDisk.cell(1, 1), QByteArray("11"));
    }

    void unchangedDatabaseIsDroppedWithoutQuestion()
    {
        OpenThroughDialog(writeFile(QStringLiteral("A.pdb"), kunden(2, 3, "A")));
        OpenThroughDialog(writeFile(QStringLiteral("B.pdb"), kunden(2, 3, "B")));
        QCOMPARE(Data().name(), QByteArray("B"));
        mDialogs->ExpectOpen(QStringLiteral("Import"), QString());
        mForm->Import1Click();
        mForm->New1Click();
        for (QDialog *dialog : mForm->findChildren<QDialog *>()) {
            if (dialog->windowTitle() == QLatin1String("New Database")) {
                QVERIFY(dialog->isVisible());
                dialog->reject();
            }
        }
        mForm->Close1Click();
        QVERIFY(!mForm->IsDatabaseOpen());
        QVERIFY(mForm->Grid()->isHidden());
        mForm->show();
        QVERIFY(mForm->close());
    }

    void cancelledOrFailedOpenKeepsTheDatabase()
    {
        OpenThroughDialog(writeFile(QStringLiteral("A.pdb"), kunden(2, 3, "A")));
        mDialogs->ExpectOpen(QStringLiteral("Open Kribo database"), QString());
        mForm->Open1Click();
        QCOMPARE(Data().name(), QByteArray("A"));
        // A recent entry whose file is gone ends in the reader's open error, nothing else.
        const QString gone = mTemp->filePath(QStringLiteral("Gone.pdb"));
        OpenThroughDialog(writeFile(QStringLiteral("Gone.pdb"), kunden(1, 1, "Gone")));
        QFile::remove(gone);
        OpenThroughDialog(mTemp->filePath(QStringLiteral("A.pdb")));
        mPrompter->expect(QStringLiteral("Error"),
                          QStringLiteral("There was an error opening the file.*"), Icon::Error,
                          Buttons::Ok, Answer::Ok);
        mForm->F1Click();
        QCOMPARE(Data().name(), QByteArray("A"));
        QVERIFY(mForm->IsDatabaseOpen());
    }

    void damagedFileLeavesNoDatabaseOpen()
    {
        OpenThroughDialog(writeFile(QStringLiteral("A.pdb"), kunden(2, 3, "A")));
        const QString damaged = writeFile(QStringLiteral("Damaged.pdb"), QByteArray(40, 'x'));
        mPrompter->expect(QStringLiteral("Information"),
                          QStringLiteral("It's not a Kribo database."), Icon::Error, Buttons::Ok,
                          Answer::Ok);
        OpenThroughDialog(damaged);
        QVERIFY(!mForm->IsDatabaseOpen());
        QVERIFY(mForm->Grid()->isHidden());
        QCOMPARE(mForm->Grid()->model()->rowCount(), 0);
        mForm->Timer1Timer();
        QCOMPARE(mForm->windowTitle(), QStringLiteral("Kribed PRO"));
        // The file chosen in the dialog is in the list all the same.
        QCOMPARE(mForm->Recent().path(0), damaged);
    }

    void recentFilesFollowTheOpenDialogOnly()
    {
        QStringList paths;
        for (const char *name : {"One", "Two", "Three", "Four", "Five", "Six"})
            paths << writeFile(QString::fromLatin1(name) + QStringLiteral(".pdb"),
                               kunden(1, 1, name));
        for (int i = 0; i < 5; ++i)
            OpenThroughDialog(paths[i]);
        // Five, Four, Three, Two, One. Opening Three again keeps the order.
        OpenThroughDialog(paths[2]);
        QCOMPARE(mForm->Recent().path(2), paths[2]);
        QCOMPARE(mForm->Action(QStringLiteral("F1"))->text(), QStringLiteral("&1  Five"));
        // A recent entry opens without a dialog and changes nothing in the list.
        mForm->F5Click();
        QCOMPARE(Data().name(), QByteArray("One"));
        QCOMPARE(mForm->Recent().path(4), paths[0]);
        // The sixth file drops the oldest.
        OpenThroughDialog(paths[5]);
        QCOMPARE(mForm->Action(QStringLiteral("F1"))->text(), QStringLiteral("&1  Six"));
        QCOMPARE(mForm->Action(QStringLiteral("F5"))->text(), QStringLiteral("&5  Two"));
        QVERIFY(mForm->Action(QStringLiteral("N1"))->isVisible());
    }

    void settingsWrittenAtCloseAndReadAtStart()
    {
        const QString path = writeFile(QStringLiteral("Kunden.pdb"), kunden(2, 2));
        OpenThroughDialog(path);
        mForm->AppSettings().expertMode = true;
        mForm->setGeometry(40, 50, 600, 400);
        mForm->show();
        QVERIFY(mForm->close());
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
        MakeForm();
        QVERIFY(mForm->AppSettings().expertMode);
        QCOMPARE(mForm->geometry().left(), 40);
        QVERIFY(!mForm->Action(QStringLiteral("F1"))->isVisible());
        QVERIFY(mForm->Action(QStringLiteral("F2"))->isVisible());
        QVERIFY(!mForm->Action(QStringLiteral("N1"))->isVisible());
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
        MakeForm();
        const QRect frame = mForm->geometry();
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
        MakeForm();
        QCOMPARE(mForm->DisplayFont().pointSize(), points);
        QCOMPARE(mForm->DisplayFont().bold(), bold);
        QCOMPARE(mForm->DisplayFont().italic(), italic);
        QCOMPARE(mForm->Grid()->font(), mForm->DisplayFont());
    }

    void installNeedsAHandheldUser()
    {
        MakeForm(mOneUser);
        QCOMPARE(mForm->SelectedUser(), 0);
        OpenThroughDialog(writeFile(QStringLiteral("Kunden.pdb"), kunden(2, 2)));
        // The first open dialog of the run starts in the user's backup folder, later ones do not.
        QCOMPARE(mDialogs->Requests().constFirst().initialFolder,
                 QStringLiteral("/palm/Smith J/backup"));
        OpenThroughDialog(mTemp->filePath(QStringLiteral("Kunden.pdb")));
        QCOMPARE(mDialogs->Requests().constLast().initialFolder, QString());
        QVERIFY(Enabled("Install1"));
        mForm->Close1Click();
        QVERIFY(!Enabled("Install1"));
    }

    void backupFolderNotUsedWithTheSettingOff()
    {
        openSettingsStore()->setValue(QStringLiteral("Settings/InitialDir"), QStringLiteral("0"));
        MakeForm(mOneUser);
        OpenThroughDialog(writeFile(QStringLiteral("Kunden.pdb"), kunden(2, 2)));
        QCOMPARE(mDialogs->Requests().constFirst().initialFolder, QString());
    }

    void saveAsUsesTheDatabaseFolderAndPdbName()
    {
        const QString path = writeFile(QStringLiteral("Kunden.pdb"), kunden(2, 2));
        OpenThroughDialog(path);
        TypeInto(1, 1, QStringLiteral("x"));
        const QString chosen = mTemp->filePath(QStringLiteral("Copy.txt"));
        mDialogs->ExpectSave(QStringLiteral("Save Kribo database"), chosen);
        mForm->Saveas1Click();
        const FileRequest request = mDialogs->Requests().constLast();
        QCOMPARE(request.initialFolder, QFileInfo(path).absolutePath());
        QCOMPARE(request.proposedName, QStringLiteral("Kunden"));
        QCOMPARE(request.filter, QStringLiteral("Kribo database (*.pdb)|*.pdb"));
        QCOMPARE(Data().filePath(), mTemp->filePath(QStringLiteral("Copy.pdb")));
        QVERIFY(QFile::exists(Data().filePath()));
        QVERIFY(!QFile::exists(chosen));
        QVERIFY(!Data().isModified());
        // Save as never touches the recent list.
        QCOMPARE(mForm->Recent().path(0), path);
        QVERIFY(mForm->Recent().path(1).isEmpty());
    }

    void failedSaveKeepsTheChanges()
    {
        const QString path = writeFile(QStringLiteral("Kunden.pdb"), kunden(2, 2));
        OpenThroughDialog(path);
        TypeInto(1, 1, QStringLiteral("x"));
        mDialogs->ExpectSave(QStringLiteral("Save Kribo database"),
                             mTemp->filePath(QStringLiteral("no such folder/Copy.pdb")));
        mPrompter->expect(QStringLiteral("Save error"),
                          QStringLiteral("There was an error in saving*"), Icon::Error, Buttons::Ok,
                          Answer::Ok);
        mForm->Saveas1Click();
        QVERIFY(Data().isModified());
        mForm->Timer1Timer();
        QVERIFY(Panel(6).endsWith(QStringLiteral(" +")));
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
        OpenThroughDialog(path);
        TypeInto(1, 1, QStringLiteral("x"));
        mForm->AppSettings().expertMode = expert;
        mForm->SetAutoSizingState(true);
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
            mDialogs->ExpectSave(QStringLiteral("Save Kribo database"), path);
        saveAs ? mForm->Saveas1Click() : mForm->Save1Click();
        QCOMPARE(Data().isModified(), !saved);
        QCOMPARE(QFile::exists(mTemp->filePath(QStringLiteral("Kunden.pd_"))), saved);
        // Automatic widths are on again after the command.
        QVERIFY(mForm->IsAutoSizing());
    }
};

QTEST_MAIN(TestMainForm)
#include "tst_main_form.moc"
