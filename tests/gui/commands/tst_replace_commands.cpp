// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "gui/commands/replace_commands.h"
#include "gui/dialogs/replace_dialog.h"
#include "gui/grid/database_document.h"
#include "gui/window/main_window.h"
#include "history_checks.h"
#include "main_window_fixture.h"
#include "table_database.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace kribed;
using namespace kribed::test;

class TestReplaceCommands
    : public QObject
    , private MainWindowFixture
{
    Q_OBJECT

private:
    // Row 0 of the table is the field names.
    void open(const QList<QByteArrayList> &table)
    {
        mWindow->document().resetWith([&](Database &database) {
            fillFromTable(database, table);
            database.clearModified();
        });
        mWindow->setDatabaseOpen(true);
    }
    ReplaceDialog &dialog() { return mWindow->replaceCommands().dialog(); }
    template<class Widget> Widget *control(const char *name)
    {
        auto *widget = dialog().findChild<Widget *>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    // Opens the dialog through its command and fills in the two texts.
    void ask(const QString &find, const QString &with)
    {
        windowAction(QStringLiteral("actionReplace"))->trigger();
        control<QLineEdit>("replaceFindEdit")->setText(find);
        control<QLineEdit>("replaceWithEdit")->setText(with);
    }
    void click(const char *button)
    {
        QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton);
    }
    QList<QByteArrayList> records()
    {
        QList<QByteArrayList> rows;
        for (int record = 1; record <= windowDatabase().recordCount(); ++record)
            rows << windowDatabase().recordAt(record).toList();
        return rows;
    }
    void expectSummary(const QString &text)
    {
        mPrompter->expect(QStringLiteral("Replace"), text, Icon::Information, Buttons::Ok,
                          Answer::Ok);
    }
    void expectWrapQuestion(Answer answer)
    {
        mPrompter->expect(QStringLiteral("Replace"),
                          QStringLiteral("The end of the records was reached. Go on from the top?"),
                          Icon::Question, Buttons::YesNo, answer);
    }
    QPair<int, int> current() const { return {mWindow->currentField(), mWindow->currentRecord()}; }

private Q_SLOTS:
    void initTestCase() { initFixture(); }
    void init()
    {
        failOnHistoryEnded();
        makeWindow();
    }
    void cleanup() { endTest(); }

    void ctrlHOpensTheDialog()
    {
        showWindow();
        open({{"a", "b"}, {"x", "y"}});
        QVERIFY(!dialog().isVisible());
        QApplication::setActiveWindow(mWindow.get());
        QVERIFY(QTest::qWaitForWindowActive(mWindow.get()));
        QTest::keyClick(&mWindow->gridView(), Qt::Key_H, Qt::ControlModifier);
        QVERIFY(dialog().isVisible());
        QCOMPARE(dialog().windowTitle(), QStringLiteral("Replace"));
        QCOMPARE(dialog().focusWidget(), control<QLineEdit>("replaceFindEdit"));
        // A single current cell is no block to replace in.
        QVERIFY(!control<QCheckBox>("inSelectionCheckBox")->isEnabled());
        dialog().close();
        mWindow->setDatabaseOpen(false);
        QVERIFY(!enabled("actionReplace"));
    }

    void replaceAllIsOneUndoStep()
    {
        open({{"Name", "City", "Note"},
              {"Meier", "Bonn", "bonn\r\nBONN"},
              {"Schmidt", "Berlin", ""},
              {"Bonner", "x", "Bonn"}});
        const QList<QByteArrayList> before = records();
        ask(QStringLiteral("bonn"), QStringLiteral("Köln"));
        expectSummary(QStringLiteral("4 replacements in 2 records."));
        click("replaceAllButton");
        QCOMPARE(records().at(0), (QByteArrayList{"Meier", "K\xF6ln", "K\xF6ln\r\nK\xF6ln"}));
        QCOMPARE(records().at(2), (QByteArrayList{"K\xF6lner", "x", "K\xF6ln"}));
        QVERIFY(windowDatabase().isModified());

        windowAction(QStringLiteral("actionUndo"))->trigger();
        QCOMPARE(records(), before);
        QVERIFY(!windowDatabase().isModified());
        windowAction(QStringLiteral("actionRedo"))->trigger();
        QCOMPARE(records().at(2).at(0), QByteArray("K\xF6lner"));
        windowAction(QStringLiteral("actionUndo"))->trigger();
        QCOMPARE(records(), before);
    }

    void findNextAsksOnceToGoOnFromTheTop()
    {
        open({{"a", "b"}, {"key", "-"}, {"-", "-"}, {"-", "-"}, {"-", "KEY"}});
        mWindow->setCurrentCell(1, 3);
        ask(QStringLiteral("key"), QString());
        click("findNextButton");
        QCOMPARE(current(), qMakePair(2, 4));
        expectWrapQuestion(Answer::Yes);
        click("findNextButton");
        QCOMPARE(current(), qMakePair(1, 1));
        // Declined: the current cell stays.
        click("findNextButton");
        QCOMPARE(current(), qMakePair(2, 4));
        expectWrapQuestion(Answer::No);
        click("findNextButton");
        QCOMPARE(current(), qMakePair(2, 4));
        // No match at all: asked, then told.
        control<QLineEdit>("replaceFindEdit")->setText(QStringLiteral("absent"));
        expectWrapQuestion(Answer::Yes);
        mPrompter->expect(QStringLiteral("Replace"), QStringLiteral("Search text not found."),
                          Icon::None, Buttons::Ok, Answer::Ok);
        click("findNextButton");
        QCOMPARE(current(), qMakePair(2, 4));
    }

    void replaceChangesTheMatchAndMovesOn()
    {
        open({{"a", "b"}, {"one", "one"}, {"two", "one"}});
        mWindow->setCurrentCell(1, 1);
        ask(QStringLiteral("one"), QStringLiteral("1"));
        // The first press only goes to the match at the current cell.
        click("replaceButton");
        QCOMPARE(current(), qMakePair(1, 1));
        QCOMPARE(windowDatabase().cell(1, 1), QByteArray("one"));
        click("replaceButton");
        QCOMPARE(windowDatabase().cell(1, 1), QByteArray("1"));
        QCOMPARE(current(), qMakePair(2, 1));
        click("replaceButton");
        QCOMPARE(windowDatabase().cell(2, 1), QByteArray("1"));
        QCOMPARE(current(), qMakePair(2, 2));
        // Each replacement is a step of its own.
        windowAction(QStringLiteral("actionUndo"))->trigger();
        QCOMPARE(windowDatabase().cell(2, 1), QByteArray("one"));
        QCOMPARE(windowDatabase().cell(1, 1), QByteArray("1"));
    }

    void replacementStampsTheRecord()
    {
        open({{"Name", "Changed"}, {"old", "1/1/2000"}, {"keep", "1/1/2000"}});
        setUpWindowDatabase(
            [](Database &database) { database.setFieldType(2, ModificationDateType); });
        ask(QStringLiteral("old"), QStringLiteral("new"));
        expectSummary(QStringLiteral("1 replacements in 1 records."));
        click("replaceAllButton");
        QVERIFY(windowDatabase().cell(2, 1) != QByteArray("1/1/2000"));
        QCOMPARE(windowDatabase().cell(2, 2), QByteArray("1/1/2000"));
    }

    void filterKeepsToShownRecordsUnlessHiddenAreIncluded()
    {
        open({{"a", "b"}, {"keep", "x"}, {"drop", "x"}, {"keep", "x"}});
        setUpWindowDatabase([](Database &database) { database.setFilterText("keep"); });
        mWindow->toolsCommands().applyFilter(true);
        QVERIFY(windowDatabase().isHidden(2));
        ask(QStringLiteral("x"), QStringLiteral("y"));
        auto *includeHidden = control<QCheckBox>("includeHiddenCheckBox");
        QVERIFY(includeHidden->isEnabled());
        QVERIFY(!includeHidden->isChecked());
        expectSummary(QStringLiteral("2 replacements in 2 records."));
        click("replaceAllButton");
        QCOMPARE(columnCells(windowDatabase(), 2), (QByteArrayList{"y", "x", "y"}));
        includeHidden->setChecked(true);
        control<QLineEdit>("replaceFindEdit")->setText(QStringLiteral("X"));
        expectSummary(
            QStringLiteral("1 replacements in 1 records. 1 of these records are hidden by the "
                           "filter."));
        click("replaceAllButton");
        QCOMPARE(columnCells(windowDatabase(), 2), (QByteArrayList{"y", "y", "y"}));
    }

    void invalidExpressionIsShownAndSearchesNothing()
    {
        open({{"a"}, {"x(y"}});
        ask(QStringLiteral("x(y"), QStringLiteral("z"));
        auto *error = control<QLabel>("expressionErrorLabel");
        QVERIFY(error->isHidden());
        control<QCheckBox>("regularExpressionCheckBox")->setChecked(true);
        QVERIFY(!error->isHidden());
        QVERIFY(!error->text().isEmpty());
        QVERIFY(!control<QPushButton>("replaceAllButton")->isEnabled());
        control<QLineEdit>("replaceFindEdit")->setText(QStringLiteral("x\\(y"));
        QVERIFY(error->isHidden());
        expectSummary(QStringLiteral("1 replacements in 1 records."));
        click("replaceAllButton");
        QCOMPARE(windowDatabase().cell(1, 1), QByteArray("z"));
    }

    void unheldCharactersAreWarnedOfFirst()
    {
        open({{"a"}, {"tick"}});
        ask(QStringLiteral("tick"), QString::fromUtf8("✓"));
        mPrompter->expect(QStringLiteral("Warning"), QStringLiteral("The code page*"),
                          Icon::Warning, Buttons::Ok, Answer::Ok);
        expectSummary(QStringLiteral("1 replacements in 1 records."));
        click("replaceAllButton");
        QCOMPARE(windowDatabase().cell(1, 1), QByteArray("?"));
    }
};

QTEST_MAIN(TestReplaceCommands)
#include "tst_replace_commands.moc"
