// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/regional.h"
#include "core/platform/settings.h"
#include "core/platform/user_list.h"
#include "gui/dialogs/bank_form.h"
#include "gui/grid/database_document.h"
#include "gui/window/main_form.h"
#include "main_form_fixture.h"
#include "pdb_builder.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSettings>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace kribed;
using namespace kribed::test;

class TestMainFormEditing
    : public QObject
    , private MainFormFixture
{
    Q_OBJECT

private:
    std::unique_ptr<QAbstractItemModelTester> mTester;

    QAbstractItemModel *Model() { return mForm->Grid()->model(); }
    QByteArray row(int record) { return Data().recordAt(record).join('|'); }
    const QByteArray Today() { return currentRegional().dateText(QDate::currentDate()); }

    // Fields name (String), Changed (Modification Date), Number (Auto-increment Integer); four
    // records "nR|1/1/2000|R".
    void OpenDemo()
    {
        PdbBuilder builder;
        builder.name("Demo")
            .field("Name", 0x0001, 20)
            .field("Changed", 0x0049, 40)
            .field("Number", 0x0043, 30);
        for (int record = 1; record <= 4; ++record)
            builder.record(
                {"n" + QByteArray::number(record), "1/1/2000", QByteArray::number(record)});
        OpenBytes(QStringLiteral("Demo.pdb"), builder.build());
        if (QTest::currentTestFailed())
            return;
        mTester = std::make_unique<QAbstractItemModelTester>(
            Model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    }

    void expectQuestion(const QString &text, Answer answer)
    {
        mPrompter->expect(QStringLiteral("Confirm"), text, Icon::Question, Buttons::YesNo, answer);
    }

private Q_SLOTS:
    void initTestCase() { InitTestCase(); }

    void init()
    {
        StartTest(true);
        if (!QTest::currentTestFailed())
            OpenDemo();
    }

    void cleanup()
    {
        mTester.reset();
        EndTest();
    }

    void insertRowAnnouncesOneRow()
    {
        mForm->SetCurrentCell(2, 2);
        QSignalSpy inserted(Model(), &QAbstractItemModel::rowsInserted);
        QSignalSpy reset(Model(), &QAbstractItemModel::modelReset);
        mForm->InsertRow1Click();
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(inserted.at(0).at(1).toInt(), 1);
        QCOMPARE(inserted.at(0).at(2).toInt(), 1);
        QCOMPARE(reset.count(), 0);
        QCOMPARE(Model()->rowCount(), 5);
        // The auto-increment scan saw every record.
        QCOMPARE(row(2), QByteArray("||5"));
        QCOMPARE(Model()->index(2, 0).data().toString(), QStringLiteral("n2"));
        QCOMPARE(mForm->CurrentRecord(), 2);
        QCOMPARE(mForm->CurrentField(), 2);
        QVERIFY(Data().isModified());
    }

    void rowCommandsSwitchTheFilterOff()
    {
        Data().setFilterText("n3");
        mForm->applyFilter(true);
        QVERIFY(mForm->Grid()->isRowHidden(0));
        QVERIFY(!mForm->Grid()->isRowHidden(2));

        mForm->SetCurrentCell(1, 3);
        QSignalSpy removed(Model(), &QAbstractItemModel::rowsRemoved);
        expectQuestion(QStringLiteral("Do you want to delete the selected row?"), Answer::Yes);
        mForm->Delete_Row1Click();
        QVERIFY(!mForm->IsFilterOn());
        QCOMPARE(removed.count(), 1);
        QCOMPARE(removed.at(0).at(1).toInt(), 2);
        QCOMPARE(Model()->rowCount(), 3);
        for (int row = 0; row < 3; ++row)
            QVERIFY(!mForm->Grid()->isRowHidden(row));
        QCOMPARE(row(3), QByteArray("n4|1/1/2000|4"));
    }

    void declinedDeleteChangesNothing()
    {
        QSignalSpy removed(Model(), &QAbstractItemModel::rowsRemoved);
        QSignalSpy columnsRemoved(Model(), &QAbstractItemModel::columnsRemoved);
        expectQuestion(QStringLiteral("Do you want to delete the selected row?"), Answer::No);
        mForm->Delete_Row1Click();
        expectQuestion(QStringLiteral("Do you want to delete the selected column?"), Answer::No);
        mForm->Delete_Column1Click();
        QCOMPARE(removed.count(), 0);
        QCOMPARE(columnsRemoved.count(), 0);
        QCOMPARE(Model()->rowCount(), 4);
        QCOMPARE(Model()->columnCount(), 3);
        QVERIFY(!Data().isModified());
    }

    void cutRowThenPasteRowThroughTheMenus()
    {
        QVERIFY(!Enabled("PasteRow1"));
        mForm->SetCurrentCell(1, 1);
        expectQuestion(QStringLiteral("Do you want to cut the selected row?"), Answer::Yes);
        mForm->CutRow1Click();
        QVERIFY(Enabled("PasteRow1"));
        QVERIFY(Enabled("PasteRow2"));
        QCOMPARE(Model()->index(0, 0).data().toString(), QString());

        mForm->SetCurrentCell(3, 4);
        QSignalSpy changed(Model(), &QAbstractItemModel::dataChanged);
        expectQuestion(QStringLiteral("Do you want to paste the selected row?"), Answer::Yes);
        mForm->PasteRow1Click();
        QCOMPARE(row(1), QByteArray("||"));
        QCOMPARE(row(4), QByteArray("n1|1/1/2000|1"));
        QVERIFY(!changed.isEmpty());
        QCOMPARE(changed.last().at(0).value<QModelIndex>().row(), 3);

        // Any row operation empties the buffer again.
        mForm->AppendRow1Click();
        QVERIFY(!Enabled("PasteRow1"));
        QVERIFY(!Enabled("PasteRow2"));
        QCOMPARE(mForm->CurrentRecord(), 5);
        QCOMPARE(mForm->CurrentField(), 1);
    }

    void cellClipboardStampsTheRow()
    {
        mForm->SetCurrentCell(1, 2);
        mForm->CutCell1Click();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("n2"));
        QCOMPARE(row(2), QByteArray("|" + Today() + "|2"));
        QCOMPARE(Model()->index(1, 1).data().toString(), QString::fromLatin1(Today()));

        QGuiApplication::clipboard()->setText(QStringLiteral("M\u00fcller \u4e2d\tx"));
        mForm->SetCurrentCell(1, 3);
        mForm->PasteCell1Click();
        QCOMPARE(row(3), QByteArray("M\xfcller ?\tx|" + Today() + "|3"));

        mForm->SetCurrentCell(3, 4);
        mForm->CopyCell1Click();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("4"));
        QCOMPARE(row(4), QByteArray("n4|1/1/2000|4"));
    }

    void appendColumnRestoresWidthsFirst()
    {
        const int before = Data().columnWidth(1);
        mForm->Autosizing1Click();
        QVERIFY(mForm->IsAutoSizing());
        QVERIFY(Data().columnWidth(1) != before);
        QCOMPARE(mForm->Grid()->columnWidth(0), Data().columnWidth(1));

        QSignalSpy inserted(Model(), &QAbstractItemModel::columnsInserted);
        mForm->AppendColumn1Click();
        QVERIFY(!mForm->IsAutoSizing());
        QCOMPARE(Data().columnWidth(1), before);
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(Model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Field 4"));
        QCOMPARE(mForm->Grid()->columnWidth(3), 90);
        QCOMPARE(mForm->CurrentField(), 4);
        QCOMPARE(mForm->CurrentRecord(), 1);
    }

    void editCellWritesBackThroughTheDialog()
    {
        mForm->SetCurrentCell(1, 3);
        mForm->Edit1Click();
        auto *form = mForm->findChild<TBankForm *>();
        QVERIFY(form);
        QVERIFY(form->isVisible());
        auto *memo = form->findChild<QPlainTextEdit *>(QStringLiteral("Memo1"));
        QCOMPARE(memo->toPlainText(), QStringLiteral("n3"));
        memo->setPlainText(QStringLiteral("edited"));
        QSignalSpy changed(Model(), &QAbstractItemModel::dataChanged);
        form->B_Edit_okClick();
        QVERIFY(!form->isVisible());
        QCOMPARE(row(3), QByteArray("edited|" + Today() + "|3"));
        QCOMPARE(Model()->index(2, 0).data().toString(), QStringLiteral("edited"));
        QCOMPARE(changed.count(), 1);
        QVERIFY(Data().isModified());

        // Cancel after typing leaves the cell alone.
        mForm->Edit1Click();
        memo->setPlainText(QStringLiteral("other"));
        form->B_Edit_CancelClick();
        QCOMPARE(row(3), QByteArray("edited|" + Today() + "|3"));
    }

    void eachToggleShowsOnlyItself_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("letters"); // status panels 2, 3 and 4

        QTest::newRow("auto sizing") << "Autosizing1"
                                     << "A||";
        QTest::newRow("filter") << "Filter1"
                                << "|F|";
        QTest::newRow("row sum") << "RowSum1"
                                 << "||S";
    }

    // One toggle on, the others off: its own letter, menu check mark and pressed button only.
    void eachToggleShowsOnlyItself()
    {
        QFETCH(QString, command);
        QFETCH(QString, letters);
        // A sum field keeps row-sum mode on.
        mForm->Document().setFieldName(3, "Number&");
        mForm->Action(command)->trigger();
        mForm->Timer1Timer();
        QCOMPARE(QStringList({mForm->StatusPanel(2)->text(), mForm->StatusPanel(3)->text(),
                              mForm->StatusPanel(4)->text()})
                     .join(u'|'),
                 letters);
        for (const char *name : {"Autosizing1", "Filter1", "RowSum1"}) {
            const QString toggle = QString::fromLatin1(name);
            QAction *action = mForm->Action(toggle);
            QCOMPARE(action->isChecked(), toggle == command);
            // The menu draws a check mark only for an action whose icon it does not show.
            QVERIFY2(action->isCheckable() && !action->isIconVisibleInMenu(), qPrintable(toggle));
            QString buttonName = toggle;
            buttonName.replace(u'1', u'3');
            auto *button = mForm->findChild<QToolButton *>(buttonName);
            QVERIFY(button);
            QVERIFY(!button->icon().isNull());
            QCOMPARE(button->isChecked(), toggle == command);
        }
        mForm->Action(command)->trigger();
        mForm->Timer1Timer();
        QCOMPARE(mForm->StatusPanel(2)->text() + mForm->StatusPanel(3)->text()
                     + mForm->StatusPanel(4)->text(),
                 QString());
    }

    void draggedColumnKeepsItsDefinition()
    {
        mForm->StringGridColumnMoved(3, 1);
        QCOMPARE(Data().fieldName(1), QByteArray("Number"));
        QCOMPARE(Data().fieldType(1), int(AutoIncrementIntegerType));
        QCOMPARE(Data().fieldType(2), int(StringType));
        QCOMPARE(Data().fieldType(3), int(ModificationDateType));
        QVERIFY(mForm->HeaderHint(1).startsWith(
            QStringLiteral("Auto-increment Integer\nTotal: 10\nAverage: 2.5\nWidth: ")));
        QCOMPARE(mForm->RecordCountHint(), QStringLiteral("4 Records"));
    }
};

QTEST_MAIN(TestMainFormEditing)
#include "tst_main_form_editing.moc"
