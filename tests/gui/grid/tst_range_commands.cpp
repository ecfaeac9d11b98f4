// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/regional.h"
#include "gui/grid/database_document.h"
#include "gui/grid/range_commands.h"
#include "scripted_prompter.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMainWindow>
#include <QTableView>
#include <QTest>

using namespace kribed;
using kribed::test::ScriptedPrompter;

// The range commands driven by real keys in a grid over the document.
class TestRangeCommands : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QMainWindow> mWindow;
    DatabaseDocument *mDocument = nullptr;
    QTableView *mGrid = nullptr;
    RangeCommands *mCommands = nullptr;
    ScriptedPrompter mPrompter;

    QByteArray cell(int field, int record) { return mDocument->database().cell(field, record); }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(mGrid, key, modifiers);
    }
    void goTo(int field, int record)
    {
        mGrid->setCurrentIndex(mDocument->model().index(record - 1, field - 1));
    }

private Q_SLOTS:
    void init()
    {
        setCurrentRegional(Regional(QLocale(QStringLiteral("en_US"))));
        mPrompter = ScriptedPrompter();
        mWindow = std::make_unique<QMainWindow>();
        mDocument = new DatabaseDocument(mWindow.get());
        mDocument->resetWith([](Database &database) {
            database.setShape(3, 4);
            for (int field = 1; field <= 3; ++field) {
                for (int record = 1; record <= 4; ++record)
                    database.setCell(field, record, QByteArray::number(field * 10 + record));
            }
        });
        mGrid = new QTableView(mWindow.get());
        mGrid->setModel(&mDocument->model());
        mGrid->setSelectionMode(QAbstractItemView::ContiguousSelection);
        mWindow->setCentralWidget(mGrid);
        mCommands = new RangeCommands(*mDocument, *mGrid, mPrompter, mWindow.get());
        for (QAction *action :
             {mCommands->undoAction(), mCommands->redoAction(), mCommands->copyAction(),
              mCommands->cutAction(), mCommands->pasteAction(), mCommands->clearAction()})
            mWindow->addAction(action);
        mCommands->setDatabaseOpen(true);
        mWindow->show();
        QVERIFY(QTest::qWaitForWindowActive(mWindow.get()));
        mGrid->setFocus();
        goTo(1, 1);
    }
    void cleanup()
    {
        KRIBED_VERIFY_PROMPTER(mPrompter);
        mWindow.reset();
    }

    void copyPasteUndoRedoByKeys()
    {
        key(Qt::Key_Right, Qt::ShiftModifier);
        key(Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(mCommands->statisticsLabel()->text(),
                 QStringLiteral("Count: 4   Sum: 66   Average: 16.5"));
        key(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("11\t21\n12\t22\n"));
        goTo(2, 3);
        key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(cell(2, 3) + cell(3, 3) + cell(2, 4) + cell(3, 4), QByteArray("11211222"));
        QVERIFY(mCommands->undoAction()->isEnabled());
        QCOMPARE(mCommands->undoAction()->text(), QStringLiteral("Undo Paste"));
        goTo(1, 1);
        key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(cell(2, 3) + cell(3, 4), QByteArray("2334"));
        // The current cell went back to where the paste happened.
        QCOMPARE(mGrid->currentIndex(), mDocument->model().index(2, 1));
        QVERIFY(!mCommands->undoAction()->isEnabled());
        key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(cell(3, 4), QByteArray("22"));
        key(Qt::Key_Z, Qt::ControlModifier);
        key(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(cell(3, 4), QByteArray("22"));
        // A block without room is refused whole.
        mPrompter.expect(QStringLiteral("Information"),
                         QStringLiteral("The pasted cells do not fit*"), Icon::Error, Buttons::Ok,
                         Answer::Ok);
        goTo(3, 1);
        key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(cell(3, 1), QByteArray("31"));
        QCOMPARE(mDocument->history().stack().count(), 1);
    }

    void pastedBlockNamesCharactersTheCodePageLacks()
    {
        QGuiApplication::clipboard()->setText(QStringLiteral("a\u0402\tb\nc\td\u2713\n"));
        mPrompter.expect(
            QStringLiteral("Warning"),
            QStringLiteral("The code page windows-1252 of the display font cannot hold these "
                           "characters; each is stored as \"?\": \u0402 (U+0402), "
                           "\u2713 (U+2713)"),
            Icon::Warning, Buttons::Ok, Answer::Ok);
        key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(cell(1, 1) + cell(2, 1) + cell(1, 2) + cell(2, 2), QByteArray("a?bcd?"));
    }

    void deleteAndCutByKeys()
    {
        key(Qt::Key_Down, Qt::ShiftModifier);
        key(Qt::Key_Delete);
        QCOMPARE(cell(1, 1) + cell(1, 2) + cell(1, 3), QByteArray("13"));
        goTo(3, 4);
        key(Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(cell(3, 4), QByteArray());
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("34"));
        key(Qt::Key_Z, Qt::ControlModifier);
        key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(cell(1, 1) + cell(1, 2) + cell(3, 4), QByteArray("111234"));
        QVERIFY(!mDocument->database().isModified());
    }
};

QTEST_MAIN(TestRangeCommands)
#include "tst_range_commands.moc"
