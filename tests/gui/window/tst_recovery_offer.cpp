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
    QString leaveChanges(const QString &slotName, const RecoveryOrigin &origin)
    {
        Database database = loaded(mFile);
        database.setCell(1, 1, "left change");
        RecoverySnapshot snapshot = takeRecoverySnapshot(database, 2, origin);
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
        QTest::newRow("file as it was") << "none"
                                        << "Unchanged since";
        QTest::newRow("file changed since") << "change"
                                            << "Changed since";
        QTest::newRow("file removed since") << "remove"
                                            << "No longer there";
    }
    void rowsTellFileFolderTimeAndState()
    {
        QFETCH(QString, change);
        QFETCH(QString, state);
        leaveChanges(QStringLiteral("a"), RecoveryOrigin::of(mFile));
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
        QVERIFY(dialog.findChild<QLabel *>(QStringLiteral("explanationLabel"))
                    ->text()
                    .contains(QStringLiteral("The undo history is not recovered")));
        QTest::keyClick(&dialog, Qt::Key_Escape);
    }

    // Return recovers: the changes open as a changed database of the user's file; the left data
    // goes once this program has its own, and Save writes the file with the usual backup.
    void returnRecoversIntoTheOwnFile()
    {
        const QString left = leaveChanges(QStringLiteral("a"), RecoveryOrigin::of(mFile));
        RecoveryDialog &dialog = offerDialog();
        QSignalSpy finished(mOffer.get(), &RecoveryOffer::finished);
        QCOMPARE(dialog.recoverButton->text(), QStringLiteral("Recover"));
        QVERIFY(dialog.recoverButton->isDefault());
        QTest::keyClick(dialog.list, Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(finished.count(), 1);
        QVERIFY(mWindow->isDatabaseOpen());
        const Database &database = windowDatabase();
        QVERIFY(database.isModified());
        QCOMPARE(database.filePath(), mFile);
        QCOMPARE(database.cell(1, 1), QByteArray("left change"));
        QCOMPARE(database.cell(2, 3), QByteArray("32"));
        QCOMPARE(windowDocument().history().stack().count(), 0); // a new history

        RecoveryWriter &writer = mWindow->recoveryWriter();
        QTRY_VERIFY(!writer.filePath().isEmpty());
        writer.waitForWrite();
        QTRY_VERIFY(!QFileInfo::exists(left));

        mWindow->fileCommands().save();
        QVERIFY(!windowDatabase().isModified());
        QCOMPARE(loaded(mFile).cell(1, 1), QByteArray("left change"));
        QCOMPARE(loaded(mTemp->filePath(QStringLiteral("Kunden.pd_"))).cell(1, 1),
                 QByteArray("11"));
        QTRY_VERIFY(writer.filePath().isEmpty());
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
        mWindow->fileCommands().closeDatabase();
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
        const QByteArray whole =
            recoveryHeader(data.origin, data.written, data.database.size()) + data.database;
        QTest::newRow("cut short") << whole.chopped(100);
        QTest::newRow("not recovery data") << QByteArray("no header at all");
        const QByteArray garbage(300, 'g');
        QTest::newRow("not a database")
            << recoveryHeader(data.origin, data.written, garbage.size()) + garbage;
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
