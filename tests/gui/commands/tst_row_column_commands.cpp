// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "demo_window_fixture.h"
#include "gui/commands/row_column_commands.h"
#include "gui/commands/tools_commands.h"
#include "gui/window/main_window.h"

#include <QAbstractItemModel>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

using namespace kribed;
using namespace kribed::test;

// Delete, insert and append of rows and columns on the demo database: the model signals they
// give, their questions, and the modes they end first.
class TestRowColumnCommands
    : public QObject
    , private DemoWindowFixture
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { initFixture(); }

    void init() { startDemoTest(); }
    void cleanup() { endDemoTest(); }

    void insertRowAnnouncesOneRow()
    {
        mWindow->setCurrentCell(2, 2);
        QSignalSpy inserted(model(), &QAbstractItemModel::rowsInserted);
        QSignalSpy reset(model(), &QAbstractItemModel::modelReset);
        mWindow->commandGroups().get<RowColumnCommands>().insertRow();
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(inserted.at(0).at(1).toInt(), 1);
        QCOMPARE(inserted.at(0).at(2).toInt(), 1);
        QCOMPARE(reset.count(), 0);
        QCOMPARE(model()->rowCount(), 5);
        // The auto-increment scan saw every record.
        QCOMPARE(row(2), QByteArray("||5"));
        QCOMPARE(model()->index(2, 0).data().toString(), QStringLiteral("n2"));
        QCOMPARE(mWindow->currentRecord(), 2);
        QCOMPARE(mWindow->currentField(), 2);
        QVERIFY(windowDatabase().isModified());
    }

    void rowCommandsSwitchTheFilterOff()
    {
        setUpWindowDatabase([&](Database &database) { database.setFilterText("n3"); });
        mWindow->commandGroups().get<ToolsCommands>().applyFilter(true);
        QVERIFY(mWindow->grid()->isRowHidden(0));
        QVERIFY(!mWindow->grid()->isRowHidden(2));

        mWindow->setCurrentCell(1, 3);
        QSignalSpy removed(model(), &QAbstractItemModel::rowsRemoved);
        expectQuestion(QStringLiteral("Do you want to delete the selected row?"), Answer::Yes);
        mWindow->commandGroups().get<RowColumnCommands>().deleteRow();
        QVERIFY(!mWindow->commandGroups().get<ToolsCommands>().isFilterOn());
        QCOMPARE(removed.count(), 1);
        QCOMPARE(removed.at(0).at(1).toInt(), 2);
        QCOMPARE(model()->rowCount(), 3);
        for (int row = 0; row < 3; ++row)
            QVERIFY(!mWindow->grid()->isRowHidden(row));
        QCOMPARE(row(3), QByteArray("n4|1/1/2000|4"));
    }

    void declinedDeleteChangesNothing()
    {
        QSignalSpy removed(model(), &QAbstractItemModel::rowsRemoved);
        QSignalSpy columnsRemoved(model(), &QAbstractItemModel::columnsRemoved);
        expectQuestion(QStringLiteral("Do you want to delete the selected row?"), Answer::No);
        mWindow->commandGroups().get<RowColumnCommands>().deleteRow();
        expectQuestion(QStringLiteral("Do you want to delete the selected column?"), Answer::No);
        mWindow->commandGroups().get<RowColumnCommands>().deleteColumn();
        QCOMPARE(removed.count(), 0);
        QCOMPARE(columnsRemoved.count(), 0);
        QCOMPARE(model()->rowCount(), 4);
        QCOMPARE(model()->columnCount(), 3);
        QVERIFY(!windowDatabase().isModified());
    }

    void appendColumnRestoresWidthsFirst()
    {
        const int before = windowDatabase().columnWidth(1);
        mWindow->commandGroups().get<ToolsCommands>().toggleAutoSizing();
        QVERIFY(mWindow->commandGroups().get<ToolsCommands>().isAutoSizing());
        QVERIFY(windowDatabase().columnWidth(1) != before);
        QCOMPARE(mWindow->grid()->columnWidth(0), windowDatabase().columnWidth(1));

        QSignalSpy inserted(model(), &QAbstractItemModel::columnsInserted);
        mWindow->commandGroups().get<RowColumnCommands>().appendColumn();
        QVERIFY(!mWindow->commandGroups().get<ToolsCommands>().isAutoSizing());
        QCOMPARE(windowDatabase().columnWidth(1), before);
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Field 4"));
        QCOMPARE(mWindow->grid()->columnWidth(3), 90);
        QCOMPARE(mWindow->currentField(), 4);
        QCOMPARE(mWindow->currentRecord(), 1);
    }
};

QTEST_MAIN(TestRowColumnCommands)
#include "tst_row_column_commands.moc"
