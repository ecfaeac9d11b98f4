// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/regional.h"
#include "core/platform/user_list.h"
#include "gui/dialogs/find_dialog.h"
#include "gui/grid/database_document.h"
#include "gui/window/main_window.h"
#include "main_window_fixture.h"
#include "table_database.h"

#include <QAction>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include <memory>

using namespace kribed;
using namespace kribed::test;

class TestToolsCommands
    : public QObject
    , private MainWindowFixture
{
    Q_OBJECT

private:
    QByteArrayList Column(int field) { return columnCells(windowDatabase(), field); }

    bool rowSumChecked() const { return windowAction(QStringLiteral("actionRowSum"))->isChecked(); }

private Q_SLOTS:
    void initTestCase() { initFixture(); }
    void init() { makeWindow(); }

    void cleanup() { endTest(); }

    void findNextGoesOnFromTheLastMatch()
    {
        openTable({{"a", "b"}, {"x", "key"}, {"KEY", "y"}, {"z", "z"}});
        FindDialog *form = &mWindow->commandGroups().get<ToolsCommands>().findDialog();
        form->prepare({QStringLiteral("a"), QStringLiteral("b")}, 1);
        form->findChild<QLineEdit *>(QStringLiteral("findEdit"))->setText(QStringLiteral("key"));
        form->state() = FindState{true, 1, 1}; // a match in (1, 1) before
        mWindow->setCurrentCell(1, 3);

        mWindow->commandGroups().get<ToolsCommands>().findNext();
        QCOMPARE(mWindow->currentField(), 2);
        QCOMPARE(mWindow->currentRecord(), 1);
        mWindow->commandGroups().get<ToolsCommands>().findNext();
        QCOMPARE(mWindow->currentField(), 1);
        QCOMPARE(mWindow->currentRecord(), 2);

        mPrompter->expect(QStringLiteral("Find error"), QStringLiteral("Search text not found."),
                          Icon::None, Buttons::Ok, Answer::Ok);
        mWindow->commandGroups().get<ToolsCommands>().findNext();
        QCOMPARE(mWindow->currentRecord(), 2);
        QVERIFY(!form->state().findActive);
        QVERIFY(!windowDatabase().isModified());
    }

    void columnSumSwitchesRowSumsOff()
    {
        openTable({{"n", "m"}, {"1.5", "1"}, {"", "1"}, {"x", "1"}, {"2", "1"}, {"old", "1"}});
        mWindow->commandGroups().get<ToolsCommands>().setRowSumState(true);
        mWindow->setCurrentCell(1, 5);
        mWindow->commandGroups().get<ToolsCommands>().columnSum();
        QCOMPARE(windowDatabase().cell(1, 5), QByteArray("3.5"));
        QCOMPARE(mWindow->grid()->model()->index(4, 0).data().toString(), QStringLiteral("3.5"));
        QVERIFY(windowDatabase().isModified());
        QVERIFY(!mWindow->commandGroups().get<ToolsCommands>().isRowSumOn());
        QVERIFY(!rowSumChecked());
    }

    void rowSumModeFollowsEdits()
    {
        openTable({{"Qty", "Price #2", "Total &"}, {"3", "1.5", ""}, {"2", "4", "old"}});
        mWindow->setCurrentCell(1, 1);
        mWindow->commandGroups().get<ToolsCommands>().toggleRowSum();
        QVERIFY(mWindow->commandGroups().get<ToolsCommands>().isRowSumOn());
        QVERIFY(rowSumChecked());
        QCOMPARE(Column(3), (QByteArrayList{"6", "10"}));

        // An edit in the grid computes every total again.
        QAbstractItemModel *model = mWindow->grid()->model();
        QVERIFY(model->setData(model->index(1, 1), QStringLiteral("0.5")));
        QCOMPARE(Column(3), (QByteArrayList{"6", "3"}));

        mWindow->commandGroups().get<ToolsCommands>().toggleRowSum();
        QVERIFY(!mWindow->commandGroups().get<ToolsCommands>().isRowSumOn());
        QVERIFY(model->setData(model->index(1, 1), QStringLiteral("7")));
        QCOMPARE(Column(3), (QByteArrayList{"6", "3"}));
    }

    void rowSumWithoutSumFieldIsOneShot()
    {
        openTable({{"a", "b", "c"}, {"1", "2", "old"}, {"5", "5", "keep"}});
        mWindow->setCurrentCell(3, 1);
        mWindow->commandGroups().get<ToolsCommands>().toggleRowSum();
        QCOMPARE(Column(3), (QByteArrayList{"3", "keep"}));
        QVERIFY(!mWindow->commandGroups().get<ToolsCommands>().isRowSumOn());
        QVERIFY(!rowSumChecked());
    }

    void sortKeepsCurrentCellAndFlag()
    {
        openTable({{"Amount", "Name"}, {"10", "ten"}, {"9", "nine"}, {"100", "hundred"}});
        setUpWindowDatabase([&](Database &database) { database.setFieldType(1, FloatType); });
        mWindow->commandGroups().get<ToolsCommands>().setRowSumState(true);
        mWindow->setCurrentCell(1, 2);
        mWindow->commandGroups().get<ToolsCommands>().sortNormal();
        QCOMPARE(Column(1), (QByteArrayList{"9", "10", "100"}));
        QCOMPARE(Column(2), (QByteArrayList{"nine", "ten", "hundred"}));
        QCOMPARE(mWindow->grid()->model()->index(0, 1).data().toString(), QStringLiteral("nine"));
        QCOMPARE(mWindow->currentField(), 1);
        QCOMPARE(mWindow->currentRecord(), 2);
        QVERIFY(!windowDatabase().isModified());
        QVERIFY(!mWindow->commandGroups().get<ToolsCommands>().isRowSumOn());

        mWindow->setCurrentCell(2, 1);
        mWindow->commandGroups().get<ToolsCommands>().sortReverse();
        QCOMPARE(Column(2), (QByteArrayList{"ten", "nine", "hundred"}));
    }

    void filterFollowsTheRecords_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QByteArrayList>("shown"); // the names of the shown records, top down

        QTest::newRow("sort normal") << 0 << QByteArrayList{"a-mei", "c"};
        QTest::newRow("sort reverse") << 1 << QByteArrayList{"c", "a-mei"};
        QTest::newRow("record 4 dragged to the top") << 2 << QByteArrayList{"a-mei", "c"};
    }

    // Whatever moves records while the filter is on, the shown records (and so those printed
    // and exported) are exactly those the filter keeps.
    void filterFollowsTheRecords()
    {
        QFETCH(int, command);
        QFETCH(QByteArrayList, shown);
        openTable(
            {{"Name", "Town"}, {"b", "Bonn"}, {"a-mei", "Ulm"}, {"c", "Schmeichel"}, {"d", "Hof"}});
        setUpWindowDatabase([&](Database &database) { database.setFilterText("mei"); });
        mWindow->commandGroups().get<ToolsCommands>().toggleFilter();
        mWindow->setCurrentCell(1, 1);
        if (command == 0)
            mWindow->commandGroups().get<ToolsCommands>().sortNormal();
        else if (command == 1)
            mWindow->commandGroups().get<ToolsCommands>().sortReverse();
        else
            mWindow->recordMoved(4, 1);
        QVERIFY(mWindow->commandGroups().get<ToolsCommands>().isFilterOn());
        QByteArrayList inDatabase;
        QByteArrayList inGrid;
        for (int record = 1; record <= 4; ++record) {
            if (!windowDatabase().isHidden(record))
                inDatabase << windowDatabase().cell(1, record);
            if (!mWindow->grid()->isRowHidden(record - 1))
                inGrid << windowDatabase().cell(1, record);
        }
        QCOMPARE(inDatabase, shown);
        QCOMPARE(inGrid, shown);
    }
};

QTEST_MAIN(TestToolsCommands)
#include "tst_tools_commands.moc"
