// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "core/model/recovery_snapshot.h"
#include "core/platform/recovery_settings.h"
#include "core/platform/recovery_store.h"
#include "core/platform/settings.h"
#include "gui/dialogs/new_database_dialog.h"
#include "gui/grid/database_document.h"
#include "gui/window/main_window.h"
#include "gui/window/recovery_writer.h"
#include "main_window_fixture.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>

using namespace kribed;
using namespace kribed::test;

namespace {

// The database a recovery file holds; no database when it does not read whole.
std::optional<Database> recoveredFrom(const QString &path, RecoveryOrigin *origin = nullptr)
{
    const RecoveryReading reading = readRecoveryFile(path);
    if (!reading.problem.isEmpty())
        return std::nullopt;
    if (origin)
        *origin = reading.data.origin;
    Database database;
    ScriptedPrompter quiet;
    if (readRecoveredDatabase(reading.data.database, reading.data.origin.path, database, quiet)
        != LoadResult::Loaded)
        return std::nullopt;
    RecoveryData data = reading.data;
    replayJournals(QFileInfo(path).absolutePath(), data, database);
    return database;
}

bool sameCells(const Database &a, const Database &b)
{
    if (a.fieldCount() != b.fieldCount() || a.recordCount() != b.recordCount()) {
        qWarning("%d x %d against %d x %d", a.fieldCount(), a.recordCount(), b.fieldCount(),
                 b.recordCount());
        return false;
    }
    for (int record = 1; record <= a.recordCount(); ++record) {
        for (int field = 1; field <= a.fieldCount(); ++field) {
            if (a.cell(field, record) != b.cell(field, record)) {
                qWarning("field %d of record %d: %s against %s", field, record,
                         a.cell(field, record).constData(), b.cell(field, record).constData());
                return false;
            }
        }
    }
    return true;
}

QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

class TestRecoveryWriter
    : public QObject
    , private MainWindowFixture
{
    Q_OBJECT

private:
    QString mOpened;

    RecoveryWriter &writer() { return mWindow->recoveryWriter(); }

    void startWithInterval(int seconds)
    {
        makeTemp();
        clearStore();
        writeRecoveryInterval(*openSettingsStore(), seconds);
        makeWindow();
        QVERIFY(QDir(defaultRecoveryRoot()).removeRecursively());
    }

    void openKunden()
    {
        mOpened = writeFile(QStringLiteral("Kunden.pdb"), kunden(2, 3));
        openBytes(QStringLiteral("Kunden.pdb"), kunden(2, 3));
    }

    // A change typed into the grid and the recovery write it brings.
    QString typeAndWaitForWrite(const QString &text)
    {
        typeInto(1, 1, text);
        if (!QTest::qWaitFor([this] { return !writer().filePath().isEmpty(); }, 5000))
            return QString();
        writer().waitForWrite();
        return writer().filePath();
    }

    void newDatabaseThroughDialog()
    {
        mWindow->commandGroups().get<FileCommands>().newDatabase();
        auto *form = mWindow->findChild<NewDatabaseDialog *>();
        QVERIFY(form && form->isVisible());
        form->findChild<QComboBox *>(QStringLiteral("columnsCombo"))
            ->setEditText(QStringLiteral("2"));
        form->findChild<QComboBox *>(QStringLiteral("rowsCombo"))->setEditText(QStringLiteral("2"));
        QTest::mouseClick(form->findChild<QPushButton *>(QStringLiteral("okButton")),
                          Qt::LeftButton);
    }

private Q_SLOTS:
    void initTestCase() { initFixture(); }
    void init() { startWithInterval(DefaultRecoveryInterval); }
    void cleanup() { endTest(); }

    void intervalSettingReadsAsWritten_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("missing") << QString() << 60;
        QTest::newRow("off") << "0" << 0;
        QTest::newRow("ten seconds") << "10" << 10;
        QTest::newRow("negative reads as the default") << "-5" << 60;
        QTest::newRow("not a number") << "soon" << 60;
    }
    void intervalSettingReadsAsWritten()
    {
        QFETCH(QString, stored);
        QFETCH(int, expected);
        std::unique_ptr<QSettings> store = openSettingsStore();
        store->clear();
        if (!stored.isNull())
            store->setValue(QStringLiteral("Recovery/Interval"), stored);
        QCOMPARE(readRecoveryInterval(*store), expected);
    }

    void firstChangeIsWrittenWithItsFile()
    {
        openKunden();
        QVERIFY(entriesOf(defaultRecoveryRoot()).isEmpty()); // nothing before a change
        const QString path = typeAndWaitForWrite(QStringLiteral("first change"));
        QVERIFY(!path.isEmpty());
        QVERIFY(path.startsWith(defaultRecoveryRoot()));
        RecoveryOrigin origin;
        const std::optional<Database> recovered = recoveredFrom(path, &origin);
        QVERIFY(recovered);
        QCOMPARE(recovered->cell(1, 1), QByteArray("first change"));
        QCOMPARE(recovered->cell(2, 3), QByteArray("32"));
        QCOMPARE(origin, RecoveryOrigin::of(mOpened));
        QCOMPARE(origin.size, kunden(2, 3).size());
        // The user's file and its folder are left alone.
        QCOMPARE(entriesOf(mTemp->path()), QStringList{QStringLiteral("Kunden.pdb")});
    }

    // Saved before any change (Ctrl+S on an unchanged database): the changes after it belong to
    // the file as that save left it, or a recovery would call the file changed since.
    void changesBelongToTheFileAsLastSaved()
    {
        openKunden();
        QTest::qWait(1100); // a save in the same second could leave the same time
        mWindow->commandGroups().get<FileCommands>().save();
        const RecoveryOrigin saved = RecoveryOrigin::of(mOpened);
        const QString path = typeAndWaitForWrite(QStringLiteral("after the save"));
        RecoveryOrigin origin;
        QVERIFY(recoveredFrom(path, &origin));
        QCOMPARE(origin, saved);
        QCOMPARE(originState(origin), OriginState::Unchanged);
    }

    void dataGoesWithTheChanges_data()
    {
        QTest::addColumn<QString>("action");
        QTest::newRow("save") << "save";
        QTest::newRow("close, discarding") << "close";
        QTest::newRow("new") << "new";
        QTest::newRow("open of another file") << "open";
        QTest::newRow("exit, discarding") << "exit";
        QTest::newRow("undo to the saved state") << "undo";
    }
    void dataGoesWithTheChanges()
    {
        QFETCH(QString, action);
        openKunden();
        const QString path = typeAndWaitForWrite(QStringLiteral("gone soon"));
        QVERIFY(QFileInfo::exists(path));
        if (action == QLatin1String("save")) {
            mWindow->commandGroups().get<FileCommands>().save();
        } else if (action == QLatin1String("undo")) {
            windowAction(QStringLiteral("actionUndo"))->trigger();
        } else {
            mPrompter->expect(QStringLiteral("Information"), DiscardQuestion, Icon::Warning,
                              Buttons::YesNo, Answer::Yes);
            if (action == QLatin1String("close")) {
                mWindow->commandGroups().get<FileCommands>().closeDatabase();
            } else if (action == QLatin1String("new")) {
                newDatabaseThroughDialog();
            } else if (action == QLatin1String("open")) {
                openThroughDialog(writeFile(QStringLiteral("Other.pdb"), kunden(1, 1, "Other")));
            } else {
                QVERIFY(mWindow->close());
            }
        }
        if (action != QLatin1String("exit"))
            QVERIFY(!windowDatabase().isModified());
        QTRY_VERIFY(!QFileInfo::exists(path));
        QCOMPARE(entriesOf(defaultRecoveryRoot()), QStringList());
        QVERIFY(writer().filePath().isEmpty());
    }

    // A later change writes again, and the file holds the newest state.
    void laterChangesAreWrittenToo()
    {
        openKunden();
        const QString first = typeAndWaitForWrite(QStringLiteral("one"));
        typeInto(2, 2, QStringLiteral("two"));
        writer().writeNow();
        writer().waitForWrite();
        const std::optional<Database> recovered = recoveredFrom(first);
        QVERIFY(recovered);
        QCOMPARE(recovered->cell(1, 1), QByteArray("one"));
        QCOMPARE(recovered->cell(2, 2), QByteArray("two"));
    }

    void copyRowMarksChangesWithoutAnyCellSignal()
    {
        openKunden();
        windowAction(QStringLiteral("actionCopyRow"))->trigger();
        QVERIFY(windowDatabase().isModified());
        QTRY_VERIFY(!writer().filePath().isEmpty());
    }

    // The first change brings a snapshot; typed values after it go to the journal at once (each
    // read back within a second), never as another snapshot, however long the typing goes on.
    void typedValuesReachTheJournalAtOnce()
    {
        startWithInterval(1);
        openKunden();
        QSignalSpy ended(&writer(), &RecoveryWriter::writeEnded);
        typeInto(1, 1, QStringLiteral("a"));
        QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 1, 900);
        const QString path = writer().filePath();
        QVERIFY(!path.isEmpty());
        for (const QString &value : {QStringLiteral("b"), QStringLiteral("c\r\nd"),
                                     QStringLiteral("\u00e4\u00f6\u00fc")}) {
            typeInto(2, 2, value);
            const QByteArray expected = windowDatabase().cell(2, 2);
            QTRY_VERIFY_WITH_TIMEOUT(
                recoveredFrom(path) && recoveredFrom(path)->cell(2, 2) == expected, 1000);
        }
        QTest::qWait(1500); // past the interval
        QCOMPARE(ended.count(), 1);
        QVERIFY(sameCells(*recoveredFrom(path), windowDatabase()));
    }

    // Rows, order and undo: after each, what the recovery data gives back is the window's
    // database, cell for cell; changes the journal cannot hold bring a snapshot.
    void recoveredStateFollowsEveryKindOfChange_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("snapshot");
        QTest::newRow("undo of a typed value") << "actionUndo" << false;
        QTest::newRow("append row") << "actionAppendRow" << true;
        QTest::newRow("sort") << "actionSortReverse" << true;
        QTest::newRow("append column") << "actionAppendColumn" << true;
    }
    void recoveredStateFollowsEveryKindOfChange()
    {
        QFETCH(QString, action);
        QFETCH(bool, snapshot);
        openKunden();
        QSignalSpy ended(&writer(), &RecoveryWriter::writeEnded);
        typeInto(1, 1, QStringLiteral("first"));
        QTRY_COMPARE(ended.count(), 1);
        typeInto(2, 3, QStringLiteral("second"));
        windowAction(action)->trigger();
        QVERIFY(windowDatabase().isModified());
        typeInto(1, 2, QStringLiteral("after"));
        writer().flushJournal();
        QTRY_COMPARE(ended.count(), snapshot ? 2 : 1);
        writer().waitForWrite();
        const std::optional<Database> recovered = recoveredFrom(writer().filePath());
        QVERIFY(recovered);
        QVERIFY(sameCells(*recovered, windowDatabase()));
    }

    // A change of rows waits for the user to pause before its snapshot (the window paints first,
    // a burst is one snapshot), at the latest until it has waited a while; either way the
    // recovery data then holds every change.
    void rowChangesAreWrittenOncePaused_data()
    {
        QTest::addColumn<int>("gap");
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("writtenDuring");
        QTest::newRow("a burst is one snapshot") << 40 << 3 << false;
        QTest::newRow("a long run is written on the way") << 100 << 14 << true;
    }
    void rowChangesAreWrittenOncePaused()
    {
        QFETCH(int, gap);
        QFETCH(int, rows);
        QFETCH(bool, writtenDuring);
        openKunden();
        QSignalSpy ended(&writer(), &RecoveryWriter::writeEnded);
        typeInto(1, 1, QStringLiteral("first"));
        QTRY_COMPARE(ended.count(), 1);
        for (int i = 0; i < rows; ++i) {
            windowAction(QStringLiteral("actionAppendRow"))->trigger();
            QTest::qWait(gap);
        }
        QCOMPARE(ended.count() > 1, writtenDuring);
        if (!writtenDuring) {
            QTRY_COMPARE(ended.count(), 2);
            QTest::qWait(400);
            QCOMPARE(ended.count(), 2);
        }
        writer().flushJournal();
        const int records = windowDatabase().recordCount();
        QTRY_VERIFY(recoveredFrom(writer().filePath())
                    && recoveredFrom(writer().filePath())->recordCount() == records);
        writer().waitForWrite();
        QVERIFY(sameCells(*recoveredFrom(writer().filePath()), windowDatabase()));
    }

    // An undo back to the saved state removes the data once the user pauses, not in the frame
    // that shows the undo; a change that comes first keeps it.
    void removalWaitsForAPause()
    {
        openKunden();
        const QString path = typeAndWaitForWrite(QStringLiteral("undone soon"));
        windowAction(QStringLiteral("actionUndo"))->trigger();
        QTest::qWait(50);
        QVERIFY(QFileInfo::exists(path));
        windowAction(QStringLiteral("actionRedo"))->trigger();
        QTest::qWait(1000);
        QVERIFY(QFileInfo::exists(path));
        writer().flushJournal();
        QCOMPARE(recoveredFrom(path)->cell(1, 1), QByteArray("undone soon"));
        windowAction(QStringLiteral("actionUndo"))->trigger();
        QTRY_VERIFY(!QFileInfo::exists(path));
        QVERIFY(writer().filePath().isEmpty());
    }

    void recoveryOffWritesNothing()
    {
        startWithInterval(0);
        openKunden();
        QVERIFY(!writer().isOn());
        typeInto(1, 1, QStringLiteral("not kept"));
        QTest::qWait(600);
        QVERIFY(writer().filePath().isEmpty());
        QVERIFY(entriesOf(defaultRecoveryRoot()).isEmpty());
    }

    void exitKeepsTheIntervalSetting()
    {
        startWithInterval(7);
        QVERIFY(mWindow->close());
        QCOMPARE(readRecoveryInterval(*openSettingsStore()), 7);
    }

    // No folder for the data: told once in the status bar, tried again, and written once the
    // folder can be made.
    void failedWriteIsToldOnceAndTriedAgain()
    {
        const QString root = defaultRecoveryRoot();
        QVERIFY(QDir().mkpath(QFileInfo(root).absolutePath()));
        QVERIFY(writeFile(QStringLiteral("blocker"), "x").size() > 0);
        QVERIFY(QFile::copy(mTemp->filePath(QStringLiteral("blocker")), root));
        openKunden();
        QSignalSpy failed(&writer(), &RecoveryWriter::writeFailed);
        QSignalSpy ended(&writer(), &RecoveryWriter::writeEnded);
        typeInto(1, 1, QStringLiteral("kept later"));
        QTRY_COMPARE(ended.count(), 1);
        QCOMPARE(ended.at(0).at(0).toBool(), false);
        QCOMPARE(failed.count(), 1);
        QVERIFY2(mWindow->statusBar()->currentMessage().contains(
                     QStringLiteral("could not be kept for recovery")),
                 qPrintable(mWindow->statusBar()->currentMessage()));
        writer().writeNow();
        QTRY_COMPARE(ended.count(), 2);
        QCOMPARE(failed.count(), 1); // not told again
        QVERIFY(QFile::remove(root));
        writer().writeNow();
        QTRY_COMPARE(ended.count(), 3);
        QVERIFY(ended.at(2).at(0).toBool());
        const std::optional<Database> recovered = recoveredFrom(writer().filePath());
        QVERIFY(recovered);
        QCOMPARE(recovered->cell(1, 1), QByteArray("kept later"));
    }
};

QTEST_MAIN(TestRecoveryWriter)
#include "tst_recovery_writer.moc"
