// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "core/model/pdb_reader.h"
#include "core/model/recovery_snapshot.h"
#include "core/platform/recovery_settings.h"
#include "core/platform/recovery_store.h"
#include "core/platform/settings.h"
#include "gui/dialogs/recovery_dialog.h"
#include "gui/grid/database_document.h"
#include "gui/window/main_window.h"
#include "gui/window/recovery_offer.h"
#include "gui/window/recovery_writer.h"
#include "main_window_fixture.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>

using namespace kribed;
using namespace kribed::test;

namespace {

QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

Database loaded(const QString &path)
{
    Database database;
    ScriptedPrompter quiet;
    if (loadDatabaseFile(path, database, quiet, OpenAccess::ReadOnly) != LoadResult::Loaded)
        qWarning("cannot load %s", qPrintable(path));
    return database;
}

} // namespace

class TestRecoveryOffer
    : public QObject
    , private MainWindowFixture
{
    Q_OBJECT

private:
    QString mFile; // the user's file the left changes belong to
    QString mRoot; // the recovery folder
    std::unique_ptr<RecoveryOffer> mOffer;

    // Changes a program left behind when it was killed: the user's file with "left change" in
    // its first cell, in a slot of the given name without a lock.
    QString leaveChanges(const QString &slotName, const RecoveryOrigin &origin,
                         const QString &formats = QString())
    {
        Database database = loaded(mFile);
        database.setCell(1, 1, "left change");
        RecoverySnapshot snapshot = takeRecoverySnapshot(database, 2, origin, formats);
        const QString folder = mRoot + u'/' + slotName;
        if (!QDir().mkpath(folder)
            || !writeRecoverySnapshot(folder + QStringLiteral("/database.recovery"), snapshot))
            qFatal("cannot leave the changes");
        return folder + QStringLiteral("/database.recovery");
    }

    QString leaveBytes(const QString &slotName, const QByteArray &bytes)
    {
        const QString folder = mRoot + u'/' + slotName;
        QDir().mkpath(folder);
        const QString path = folder + QStringLiteral("/database.recovery");
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot leave the bytes");
        return path;
    }

    RecoveryDialog &offerDialog()
    {
        mOffer = std::make_unique<RecoveryOffer>(*mWindow, mWindow->recoveryWriter(), mRoot);
        mOffer->open();
        return mOffer->dialog();
    }

    void expectDiscardQuestion(Answer answer, const QString &name = QStringLiteral("Kunden.pdb"))
    {
        mPrompter->expect(QStringLiteral("Recovery"),
                          QStringLiteral("Discard the unsaved changes to %1? They cannot be "
                                         "brought back.")
                              .arg(name),
                          Icon::Warning, Buttons::YesNo, answer);
    }

private Q_SLOTS:
    void initTestCase() { initFixture(); }
    void init()
    {
        startTest();
        mRoot = mTemp->filePath(QStringLiteral("recovery"));
        mFile = writeFile(QStringLiteral("Kunden.pdb"), kunden(2, 3));
    }
    void cleanup()
    {
        mOffer.reset();
        endTest();
    }

    void nothingLeftNothingOffered()
    {
        RecoveryOffer offer(*mWindow, mWindow->recoveryWriter(), mRoot);
        QVERIFY(offer.isEmpty());
    }

    // Another program that runs keeps its data to itself, as does this one.
    void dataOfARunningProgramIsNotOffered()
    {
        std::unique_ptr<RecoverySlot> live = RecoverySlot::create(mRoot);
        QVERIFY(
            writeRecoverySnapshot(live->dataPath(), takeRecoverySnapshot(loaded(mFile), 1, {})));
        RecoveryOffer offer(*mWindow, mWindow->recoveryWriter(), mRoot);
        QVERIFY(offer.isEmpty());
        live.reset(); // unlocked, as at the end of that program: still there, but not live
        RecoveryOffer later(*mWindow, mWindow->recoveryWriter(), mRoot);
        QVERIFY(!later.isEmpty());
    }

    void rowsTellFileFolderTimeAndState_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("changes");
        QTest::newRow("file as it was") << "none"
                                        << "Unchanged since"
                                        << "Records changed: 1";
        QTest::newRow("file changed since") << "change"
                                            << "Changed since"
                                            << "Records changed: 2";
        QTest::newRow("file removed since") << "remove"
                                            << "No longer there"
                                            << "Records: 3";
        QTest::newRow("a new database's name, never saved") << "new"
                                                            << "Never saved"
                                                            << "Records: 3";
    }
    void rowsTellFileFolderTimeAndState()
    {
        QFETCH(QString, change);
        QFETCH(QString, state);
        QFETCH(QString, changes);
        RecoveryOrigin origin = RecoveryOrigin::of(mFile);
        if (change == QLatin1String("new"))
            origin = RecoveryOrigin{mFile, -1, QDateTime()}; // a name without a file, as New gives
        leaveChanges(QStringLiteral("a"), origin);
        if (change == QLatin1String("new"))
            QVERIFY(QFile::remove(mFile));
        if (change == QLatin1String("change"))
            writeFile(QStringLiteral("Kunden.pdb"), kunden(2, 4));
        else if (change == QLatin1String("remove"))
            QVERIFY(QFile::remove(mFile));
        RecoveryDialog &dialog = offerDialog();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Recovery"));
        QCOMPARE(dialog.entryCount(), 1);
        const QStringList texts = dialog.rowTexts(0);
        QCOMPARE(texts.value(0), QStringLiteral("Kunden.pdb"));
        QCOMPARE(texts.value(1), QDir::toNativeSeparators(mTemp->path()));
        QVERIFY(!texts.value(2).isEmpty());
        QCOMPARE(texts.value(3), state);
        QCOMPARE(texts.value(4), changes);
        QVERIFY(dialog.findChild<QLabel *>(QStringLiteral("explanationLabel"))
                    ->text()
                    .contains(QStringLiteral("The undo history is not recovered")));
        QTest::keyClick(&dialog, Qt::Key_Escape);
    }

    // Two sets of changes to one file, seconds apart: the rows say which is which.
    void twoSetsOfOneFileAreToldApart()
    {
        leaveChanges(QStringLiteral("a"), RecoveryOrigin::of(mFile));
        QTest::qWait(1100);
        Database more = loaded(mFile);
        more.setCell(1, 1, "x");
        more.setCell(1, 2, "y");
        const QString folder = mRoot + QStringLiteral("/b");
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(writeRecoverySnapshot(folder + QStringLiteral("/database.recovery"),
                                      takeRecoverySnapshot(more, 1, RecoveryOrigin::of(mFile))));
        RecoveryDialog &dialog = offerDialog();
        QCOMPARE(dialog.entryCount(), 2);
        QVERIFY2(dialog.rowTexts(0) != dialog.rowTexts(1),
                 qPrintable(dialog.rowTexts(0).join(u'|')));
        QVERIFY(dialog.rowTexts(0).value(2) != dialog.rowTexts(1).value(2));
        QCOMPARE(dialog.rowTexts(1).value(4), QStringLiteral("Records changed: 2"));
        QTest::keyClick(&dialog, Qt::Key_Escape);
    }

    // The desktop starts `kribed FILE` again after a crash: the offer comes first, and the file
    // named is never opened over what was recovered; any question that could lose the recovered
    // changes keeps them on Return.
    void recoveryStartWithAFileArgument_data()
    {
        QTest::addColumn<bool>("left");       // changes were left behind
        QTest::addColumn<bool>("recover");    // Return (Recover), else Escape (Later)
        QTest::addColumn<QString>("named");   // the file on the command line
        QTest::addColumn<QByteArray>("cell"); // the first cell afterwards
        QTest::addColumn<bool>("modified");
        QTest::addColumn<bool>("asked"); // the unsaved-changes question came (answered by Return)

        QTest::newRow("nothing left: the file opens")
            << false << false << "Kunden.pdb" << QByteArray("11") << false << false;
        QTest::newRow("recovered, the same file")
            << true << true << "Kunden.pdb" << QByteArray("left change") << true << false;
        QTest::newRow("recovered, the same file through a link")
            << true << true << "Link.pdb" << QByteArray("left change") << true << false;
        QTest::newRow("recovered, another file: Return keeps the changes")
            << true << true << "Other.pdb" << QByteArray("left change") << true << true;
        QTest::newRow("recovered, no file named")
            << true << true << "" << QByteArray("left change") << true << false;
        QTest::newRow("later: the file opens, the changes wait")
            << true << false << "Kunden.pdb" << QByteArray("11") << false << false;
    }
    void recoveryStartWithAFileArgument()
    {
        QFETCH(bool, left);
        QFETCH(bool, recover);
        QFETCH(QString, named);
        QFETCH(QByteArray, cell);
        QFETCH(bool, modified);
        QFETCH(bool, asked);
        QVERIFY(QFile::link(mFile, mTemp->filePath(QStringLiteral("Link.pdb"))));
        writeFile(QStringLiteral("Other.pdb"), kunden(1, 1, "Other"));
        const QString data =
            left ? leaveChanges(QStringLiteral("a"), RecoveryOrigin::of(mFile)) : QString();
        if (asked) {
            // Return on the real box takes its default: what the script answers here.
            mPrompter->expect(QStringLiteral("Information"), DiscardQuestion, Icon::Warning,
                              Buttons::YesNo, Answer::No);
        }
        mOffer = std::make_unique<RecoveryOffer>(*mWindow, mWindow->recoveryWriter(), mRoot);
        // As the command line gives it: absolute.
        offerThenOpen(*mOffer, mWindow->commandGroups().get<FileCommands>(),
                      named.isEmpty() ? named : mTemp->filePath(named));
        if (left) {
            QTRY_VERIFY(mOffer->dialog().isVisible());
            QTest::keyClick(mOffer->dialog().list, recover ? Qt::Key_Return : Qt::Key_Escape);
        }
        QTest::qWait(50);
        QTRY_VERIFY(mWindow->isDatabaseOpen() || named.isEmpty());
        QCOMPARE(windowDatabase().cell(1, 1), cell);
        QCOMPARE(windowDatabase().isModified(), modified);
        QCOMPARE(windowDatabase().filePath(), mFile);
        if (asked)
            QVERIFY(mPrompter->shown().last().cautiousDefault);
        verifyScripts();
        if (left && !recover)
            QVERIFY(QFileInfo::exists(data)); // kept for the next start
    }

    // The regional formats chosen for the database come back with it, and stay in the data this
    // program writes for it.
    void recoveredDatabaseKeepsItsFormats_data()
    {
        QTest::addColumn<QString>("formats");
        QTest::newRow("the desktop's") << QString();
        QTest::newRow("German") << QStringLiteral("de_DE");
    }
    void recoveredDatabaseKeepsItsFormats()
    {
        QFETCH(QString, formats);
        leaveChanges(QStringLiteral("a"), RecoveryOrigin::of(mFile), formats);
        offerDialog().recoverButton->click();
        QCOMPARE(windowDocument().formatsChoice().localeName, formats);
        QCOMPARE(windowDocument().regional().locale().name(),
                 formats.isEmpty() ? windowDocument().desktopRegional().locale().name() : formats);
        RecoveryWriter &writer = mWindow->recoveryWriter();
        QTRY_VERIFY(!writer.filePath().isEmpty());
        writer.waitForWrite();
        QCOMPARE(readRecoveryFile(writer.filePath()).data.formats, formats);
    }

    // Save of a recovered database over a file that changed since its changes were made asks
    // first, and Return keeps the file.
    void saveOverAChangedFileAsks_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("answer"); // -1: no question
        QTest::addColumn<bool>("saved");
        QTest::newRow("file as it was: no question") << "none" << -1 << true;
        QTest::newRow("changed since, No keeps it") << "change" << int(Answer::No) << false;
        QTest::newRow("changed since, Yes replaces it") << "change" << int(Answer::Yes) << true;
        QTest::newRow("removed since: no question") << "remove" << -1 << true;
    }
    void saveOverAChangedFileAsks()
    {
        QFETCH(QString, change);
        QFETCH(int, answer);
        QFETCH(bool, saved);
        leaveChanges(QStringLiteral("a"), RecoveryOrigin::of(mFile));
        if (change == QLatin1String("change"))
            writeFile(QStringLiteral("Kunden.pdb"), kunden(2, 4));
        else if (change == QLatin1String("remove"))
            QVERIFY(QFile::remove(mFile));
        offerDialog().recoverButton->click();
        if (answer >= 0) {
            mPrompter->expect(QStringLiteral("Confirm"),
                              QDir::toNativeSeparators(mFile)
                                  + QStringLiteral(" was changed on disk after the recovered "
                                                   "changes were made.*"),
                              Icon::Warning, Buttons::YesNo, Answer(answer));
        }
        mWindow->commandGroups().get<FileCommands>().save();
        verifyScripts();
        if (answer >= 0)
            QVERIFY(mPrompter->shown().last().cautiousDefault);
        QCOMPARE(windowDatabase().isModified(), !saved);
        QCOMPARE(loaded(mFile).cell(1, 1), QByteArray(saved ? "left change" : "11"));
        if (change == QLatin1String("change")) {
            const int records =
                saved ? loaded(mTemp->filePath(QStringLiteral("Kunden.pd_"))).recordCount()
                      : loaded(mFile).recordCount();
            QCOMPARE(records, 4); // the changed file is kept, as the file or as its backup
        }
    }

    // After Recover the grid has the keyboard, as after opening a file: arrows and typing work
    // at once, without a click into the table.
    void recoveredGridHasTheKeyboard()
    {
        leaveChanges(QStringLiteral("a"), RecoveryOrigin::of(mFile));
        showWindow();
        RecoveryDialog &dialog = offerDialog();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.activateWindow();
        QTRY_VERIFY(dialog.list->hasFocus());
        QTest::keyClick(dialog.list, Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
        QVERIFY(mWindow->isDatabaseOpen());
        QTRY_VERIFY(mWindow->isActiveWindow());
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(mWindow->grid()));
    }

    // Until this program has written its own data (recovery off here), the left data stays.
    void recoveredDataStaysUntilReplaced()
    {
        std::unique_ptr<QSettings> store = openSettingsStore();
        writeRecoveryInterval(*store, 0);
        store.reset();
        makeWindow();
        const QString left = leaveChanges(QStringLiteral("a"), RecoveryOrigin::of(mFile));
        offerDialog().recoverButton->click();
        QTest::qWait(300);
        QVERIFY(QFileInfo::exists(left));
        mPrompter->expect(QStringLiteral("Information"), DiscardQuestion, Icon::Warning,
                          Buttons::YesNo, Answer::Yes);
        mWindow->commandGroups().get<FileCommands>().closeDatabase();
        QTRY_VERIFY(!QFileInfo::exists(left));
    }

    void saveAsWritesElsewhereAndRemovesTheData()
    {
        const QString left = leaveChanges(QStringLiteral("a"), RecoveryOrigin::of(mFile));
        RecoveryDialog &dialog = offerDialog();
        const QString target = mTemp->filePath(QStringLiteral("Rescued.pdb"));
        mDialogs->expectSave(QStringLiteral("Save Kribo database"), target);
        QCOMPARE(dialog.saveAsButton->text(), QStringLiteral("Save as..."));
        dialog.saveAsButton->click();
        QCOMPARE(loaded(target).cell(1, 1), QByteArray("left change"));
        QCOMPARE(loaded(mFile).cell(1, 1), QByteArray("11")); // the own file untouched
        QVERIFY(!QFileInfo::exists(left));
        QVERIFY(!dialog.isVisible()); // nothing left to offer
        QVERIFY(!mWindow->isDatabaseOpen());
        QCOMPARE(mDialogs->requests().value(0).proposedName, QStringLiteral("Kunden"));
    }

    void saveAsCancelledKeepsEverything()
    {
        const QString left = leaveChanges(QStringLiteral("a"), RecoveryOrigin::of(mFile));
        RecoveryDialog &dialog = offerDialog();
        mDialogs->expectSave(QStringLiteral("Save Kribo database"), QString());
        dialog.saveAsButton->click();
        QVERIFY(QFileInfo::exists(left));
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.entryCount(), 1);
        QTest::keyClick(&dialog, Qt::Key_Escape);
    }

    void discardAsksFirst_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("yes removes") << int(Answer::Yes);
        QTest::newRow("no keeps") << int(Answer::No);
    }
    void discardAsksFirst()
    {
        QFETCH(int, answer);
        const QString left = leaveChanges(QStringLiteral("a"), RecoveryOrigin::of(mFile));
        RecoveryDialog &dialog = offerDialog();
        expectDiscardQuestion(Answer(answer));
        QCOMPARE(dialog.discardButton->text(), QStringLiteral("Discard"));
        dialog.discardButton->click();
        const bool removed = Answer(answer) == Answer::Yes;
        QCOMPARE(QFileInfo::exists(left), !removed);
        QCOMPARE(dialog.isVisible(), !removed);
        if (removed)
            QCOMPARE(entriesOf(mRoot), QStringList());
        else
            QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!mWindow->isDatabaseOpen());
    }

    // Later (Escape) keeps every set for the next start, and lets it go for other programs.
    void laterKeepsAllForTheNextStart()
    {
        const QString first = leaveChanges(QStringLiteral("a"), RecoveryOrigin::of(mFile));
        const QString second = leaveChanges(QStringLiteral("b"), RecoveryOrigin::of(mFile));
        RecoveryDialog &dialog = offerDialog();
        QCOMPARE(dialog.entryCount(), 2);
        QCOMPARE(dialog.laterButton->text(), QStringLiteral("Later"));
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QVERIFY(QFileInfo::exists(first) && QFileInfo::exists(second));
        QVERIFY(!mWindow->isDatabaseOpen());
        RecoveryOffer next(*mWindow, mWindow->recoveryWriter(), mRoot);
        QCOMPARE(next.dialog().entryCount(), 2);
    }

    void damagedDataCanOnlyBeDiscarded_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        Database database;
        ScriptedPrompter quiet;
        QVERIFY(readRecoveredDatabase(kunden(2, 3), QString(), database, quiet)
                == LoadResult::Loaded);
        RecoverySnapshot snapshot = takeRecoverySnapshot(database, 1, {});
        RecoveryData data;
        QVERIFY(recoveryDataOf(snapshot, data));
        const QByteArray whole = recoveryFileBytes(data);
        QTest::newRow("cut short") << whole.chopped(100);
        QTest::newRow("not recovery data") << QByteArray("no header at all");
        QByteArray recordList = whole;
        recordList[whole.indexOf("\n\n") + 2 + 78 + 1] = '\x55';
        recordList[whole.indexOf("\n\n") + 2 + 78 + 2] = '\x55';
        QTest::newRow("two bytes of the record list overwritten") << recordList;
        data.database = QByteArray(300, 'g');
        QTest::newRow("not a database") << recoveryFileBytes(data);
    }
    void damagedDataCanOnlyBeDiscarded()
    {
        QFETCH(QByteArray, bytes);
        const QString left = leaveBytes(QStringLiteral("a"), bytes);
        RecoveryDialog &dialog = offerDialog();
        QCOMPARE(dialog.entryCount(), 1);
        QVERIFY2(dialog.rowTexts(0).value(3).startsWith(QStringLiteral("Damaged")),
                 qPrintable(dialog.rowTexts(0).value(3)));
        QVERIFY(!dialog.recoverButton->isEnabled());
        QVERIFY(!dialog.saveAsButton->isEnabled());
        QVERIFY(dialog.discardButton->isEnabled());
        QTest::keyClick(dialog.list, Qt::Key_Return);
        QVERIFY(dialog.isVisible());
        QVERIFY(!mWindow->isDatabaseOpen());
        QVERIFY(QFileInfo::exists(left)); // never removed unasked
        expectDiscardQuestion(Answer::Yes, QStringLiteral("a database that cannot be read"));
        dialog.discardButton->click();
        QVERIFY(!QFileInfo::exists(left));
    }

    // Keyboard only: Tab reaches the buttons, Space presses the focused one.
    void buttonsAreReachedByKeyboard()
    {
        leaveChanges(QStringLiteral("a"), RecoveryOrigin::of(mFile));
        RecoveryDialog &dialog = offerDialog();
        showWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.activateWindow();
        QTRY_VERIFY(dialog.list->hasFocus());
        QWidget *laterFocused = nullptr;
        for (int step = 0; step < 6 && !laterFocused; ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            if (dialog.laterButton->hasFocus())
                laterFocused = dialog.laterButton;
        }
        QVERIFY(laterFocused);
        QTest::keyClick(laterFocused, Qt::Key_Space);
        QVERIFY(!dialog.isVisible());
    }
};

QTEST_MAIN(TestRecoveryOffer)
#include "tst_recovery_offer.moc"
