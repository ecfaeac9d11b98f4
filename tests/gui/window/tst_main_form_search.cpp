// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/regional.h"
#include "core/platform/user_list.h"
#include "gui/dialogs/find_form.h"
#include "gui/grid/database_document.h"
#include "gui/window/main_form.h"
#include "main_form_fixture.h"
#include "table_database.h"

#include <QAction>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include <memory>

using namespace kribed;
using namespace kribed::test;

class TestMainFormSearch
    : public QObject
    , private MainFormFixture
{
    Q_OBJECT

private:
    // Row 0 of the table is the field names.
    void Open(const QList<QByteArrayList> &table)
    {
        mForm->Document().ResetWith([&](Database &database) {
            fillFromTable(database, table);
            database.clearModified();
        });
        mForm->SetDatabaseOpen(true);
    }

    QByteArrayList Column(int field) { return columnCells(Data(), field); }

    bool RowSumChecked() const { return mForm->Action(QStringLiteral("RowSum1"))->isChecked(); }

private Q_SLOTS:
    void initTestCase() { InitTestCase(); }
    void init() { MakeForm(); }

    void cleanup() { EndTest(); }

    void findNextGoesOnFromTheLastMatch()
    {
        Open({{"a", "b"}, {"x", "key"}, {"KEY", "y"}, {"z", "z"}});
        auto *form = new TFindForm(mForm.get());
        form->FormShow({QStringLiteral("a"), QStringLiteral("b")}, 1);
        form->findChild<QLineEdit *>(QStringLiteral("E_Find"))->setText(QStringLiteral("key"));
        form->State() = FindState{true, 1, 1}; // a match in (1, 1) before
        mForm->SetCurrentCell(1, 3);

        mForm->Findnext1Click();
        QCOMPARE(mForm->CurrentField(), 2);
        QCOMPARE(mForm->CurrentRecord(), 1);
        mForm->Findnext1Click();
        QCOMPARE(mForm->CurrentField(), 1);
        QCOMPARE(mForm->CurrentRecord(), 2);

        mPrompter->expect(QStringLiteral("Find error"), QStringLiteral("Search text not found."),
                          Icon::None, Buttons::Ok, Answer::Ok);
        mForm->Findnext1Click();
        QCOMPARE(mForm->CurrentRecord(), 2);
        QVERIFY(!form->State().findActive);
        QVERIFY(!Data().isModified());
    }

    void columnSumSwitchesRowSumsOff()
    {
        Open({{"n", "m"}, {"1.5", "1"}, {"", "1"}, {"x", "1"}, {"2", "1"}, {"old", "1"}});
        mForm->SetRowSumState(true);
        mForm->SetCurrentCell(1, 5);
        mForm->ColSum1Click();
        QCOMPARE(Data().cell(1, 5), QByteArray("3.5"));
        QCOMPARE(mForm->Grid()->model()->index(4, 0).data().toString(), QStringLiteral("3.5"));
        QVERIFY(Data().isModified());
        QVERIFY(!mForm->IsRowSumOn());
        QVERIFY(!RowSumChecked());
    }

    void rowSumModeFollowsEdits()
    {
        Open({{"Qty", "Price #2", "Total &"}, {"3", "1.5", ""}, {"2", "4", "old"}});
        mForm->SetCurrentCell(1, 1);
        mForm->RowSum1Click();
        QVERIFY(mForm->IsRowSumOn());
        QVERIFY(RowSumChecked());
        QCOMPARE(Column(3), (QByteArrayList{"6", "10"}));

        // An edit in the grid computes every total again.
        QAbstractItemModel *model = mForm->Grid()->model();
        QVERIFY(model->setData(model->index(1, 1), QStringLiteral("0.5")));
        QCOMPARE(Column(3), (QByteArrayList{"6", "3"}));

        mForm->RowSum1Click();
        QVERIFY(!mForm->IsRowSumOn());
        QVERIFY(model->setData(model->index(1, 1), QStringLiteral("7")));
        QCOMPARE(Column(3), (QByteArrayList{"6", "3"}));
    }

    void rowSumWithoutSumFieldIsOneShot()
    {
        Open({{"a", "b", "c"}, {"1", "2", "old"}, {"5", "5", "keep"}});
        mForm->SetCurrentCell(3, 1);
        mForm->RowSum1Click();
        QCOMPARE(Column(3), (QByteArrayList{"3", "keep"}));
        QVERIFY(!mForm->IsRowSumOn());
        QVERIFY(!RowSumChecked());
    }

    void sortKeepsCurrentCellAndFlag()
    {
        Open({{"Amount", "Name"}, {"10", "ten"}, {"9", "nine"}, {"100", "hundred"}});
        Data().setFieldType(1, FloatType);
        mForm->SetRowSumState(true);
        mForm->SetCurrentCell(1, 2);
        mForm->Sortnormal1Click();
        QCOMPARE(Column(1), (QByteArrayList{"9", "10", "100"}));
        QCOMPARE(Column(2), (QByteArrayList{"nine", "ten", "hundred"}));
        QCOMPARE(mForm->Grid()->model()->index(0, 1).data().toString(), QStringLiteral("nine"));
        QCOMPARE(mForm->CurrentField(), 1);
        QCOMPARE(mForm->CurrentRecord(), 2);
        QVERIFY(!Data().isModified());
        QVERIFY(!mForm->IsRowSumOn());

        mForm->SetCurrentCell(2, 1);
        mForm->SortReverse1Click();
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
        Open(
            {{"Name", "Town"}, {"b", "Bonn"}, {"a-mei", "Ulm"}, {"c", "Schmeichel"}, {"d", "Hof"}});
        Data().setFilterText("mei");
        mForm->Filter1Click();
        mForm->SetCurrentCell(1, 1);
        if (command == 0)
            mForm->Sortnormal1Click();
        else if (command == 1)
            mForm->SortReverse1Click();
        else
            mForm->StringGridRowMoved(4, 1);
        QVERIFY(mForm->IsFilterOn());
        QByteArrayList inDatabase;
        QByteArrayList inGrid;
        for (int record = 1; record <= 4; ++record) {
            if (!Data().isHidden(record))
                inDatabase << Data().cell(1, record);
            if (!mForm->Grid()->isRowHidden(record - 1))
                inGrid << Data().cell(1, record);
        }
        QCOMPARE(inDatabase, shown);
        QCOMPARE(inGrid, shown);
    }

    void printCancelledPrintsNothing()
    {
        Open({{"a"}, {"1"}});
        mDialogs->ExpectPrint(false);
        mForm->Print1Click();
        QVERIFY(!Data().isModified());
    }
};

QTEST_MAIN(TestMainFormSearch)
#include "tst_main_form_search.moc"
