// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "gui/grid/database_document.h"
#include "gui/grid/undo_steps.h"
#include "gui/window/main_window.h"
#include "main_window_fixture.h"
#include "pdb_builder.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTableView>
#include <QTest>

using namespace kribed;
using namespace kribed::test;

// Undo and redo in the main window, driven by the keys a user presses.
class TestMainWindowUndo
    : public QObject
    , private MainWindowFixture
{
    Q_OBJECT

private:
    QTableView *grid() { return mWindow->grid(); }
    QVector<Database::Record> records() { return windowDatabase().records(); }
    void keys(const QKeySequence &sequence) { QTest::keySequence(grid(), sequence); }

private Q_SLOTS:
    void initTestCase() { initFixture(); }

    void init()
    {
        startTest(true);
        if (QTest::currentTestFailed())
            return;
        // Three text fields, records "Cx|By|Az" in an order a sort changes.
        PdbBuilder builder;
        builder.name("Demo").field("A", 0x0001, 20).field("B", 0x0001, 40).field("C", 0x0001, 60);
        for (const char *first : {"delta", "alpha", "charlie", "bravo"})
            builder.record({first, "b", "c"});
        openBytes(QStringLiteral("Demo.pdb"), builder.build());
        QApplication::setActiveWindow(mWindow.get());
        grid()->setFocus();
    }

    void cleanup() { endTest(); }

    // Edit in place, delete a row, sort: Ctrl+Z three times gives back the loaded database,
    // unmodified; Ctrl+Shift+Z and Ctrl+Y bring the changes back.
    void threeChangesTakenBackByKeys()
    {
        const QVector<Database::Record> loaded = records();
        const DatabaseSettings loadedSettings = DatabaseSettings::of(windowDatabase());

        mWindow->setCurrentCell(2, 2);
        QTest::keyClick(grid(), Qt::Key_X);
        auto *editor = grid()->viewport()->findChild<QLineEdit *>();
        QVERIFY(editor);
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(windowDatabase().cell(2, 2), QByteArray("x"));

        mWindow->setCurrentCell(1, 3);
        mPrompter->expect(QStringLiteral("Confirm"),
                          QStringLiteral("Do you want to delete the selected row?"), Icon::Question,
                          Buttons::YesNo, Answer::Yes);
        keys(QKeySequence(Qt::CTRL | Qt::Key_Delete));
        QCOMPARE(windowDatabase().recordCount(), 3);

        mWindow->setCurrentCell(1, 1);
        keys(QKeySequence(Qt::CTRL | Qt::Key_N));
        QCOMPARE(windowDatabase().cell(1, 1), QByteArray("alpha"));
        const QVector<Database::Record> changed = records();
        QCOMPARE(mWindow->findChild<QMenu *>(QStringLiteral("menuEdit"))->actions().first()->text(),
                 QStringLiteral("Undo Sort normal"));

        for (int i = 0; i < 3; ++i)
            keys(QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(records(), loaded);
        QVERIFY(DatabaseSettings::of(windowDatabase()) == loadedSettings);
        QVERIFY(!windowDatabase().isModified());

        keys(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
        keys(QKeySequence(Qt::CTRL | Qt::Key_Y));
        keys(QKeySequence(Qt::CTRL | Qt::Key_Y));
        QCOMPARE(records(), changed);
        QVERIFY(windowDatabase().isModified());
    }

    // Shift+arrows draw a rectangle that Ctrl+C copies and Delete empties in one step.
    void rangeKeysInTheWindow()
    {
        mWindow->setCurrentCell(1, 1);
        QTest::keyClick(grid(), Qt::Key_Right, Qt::ShiftModifier);
        QTest::keyClick(grid(), Qt::Key_Down, Qt::ShiftModifier);
        keys(QKeySequence(Qt::CTRL | Qt::Key_C));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("delta\tb\nalpha\tb\n"));
        QCOMPARE(mWindow->findChild<QLabel *>(QStringLiteral("selectionStatistics"))->text(),
                 QStringLiteral("Count: 4  Numbers: 0"));
        keys(QKeySequence(Qt::Key_Delete));
        QCOMPARE(windowDatabase().cell(2, 2), QByteArray());
        QVERIFY(windowDatabase().isModified());
        keys(QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(windowDatabase().cell(1, 2), QByteArray("alpha"));
        QVERIFY(!windowDatabase().isModified());
    }

    // Every key of the window reaches one command: an ambiguous key would fire nothing.
    void noKeyIsAmbiguous()
    {
        QHash<QKeySequence, QString> owners;
        for (QAction *action : mWindow->findChildren<QAction *>()) {
            if (action->shortcutContext() == Qt::WidgetShortcut)
                continue;
            for (const QKeySequence &key : action->shortcuts()) {
                QVERIFY2(!owners.contains(key),
                         qPrintable(key.toString() + QStringLiteral(": ") + owners.value(key)
                                    + QStringLiteral(" and ") + action->text()));
                owners.insert(key, action->text());
            }
        }
        // The keys added beside the described ones.
        for (const QKeySequence &key :
             {QKeySequence(Qt::CTRL | Qt::Key_Q), QKeySequence(Qt::CTRL | Qt::Key_P),
              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), QKeySequence(Qt::CTRL | Qt::Key_Z),
              QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::Key_Delete),
              QKeySequence(Qt::ALT | Qt::Key_F4), QKeySequence(Qt::CTRL | Qt::Key_W)})
            QVERIFY2(owners.contains(key), qPrintable(key.toString()));
    }
};

QTEST_MAIN(TestMainWindowUndo)
#include "tst_main_window_undo.moc"
