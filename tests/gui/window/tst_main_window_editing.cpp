// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/regional.h"
#include "core/platform/settings.h"
#include "core/platform/user_list.h"
#include "gui/dialogs/cell_editor_dialog.h"
#include "gui/grid/database_document.h"
#include "gui/window/main_window.h"
#include "main_window_fixture.h"
#include "pdb_builder.h"
#include "test_regional.h"

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
using kribed::test::testRegional;
using namespace kribed::test;

class TestMainWindowEditing
    : public QObject
    , private MainWindowFixture
{
    Q_OBJECT

private:
    std::unique_ptr<QAbstractItemModelTester> mTester;

    QAbstractItemModel *model() { return mWindow->grid()->model(); }
    QByteArray row(int record) { return windowDatabase().recordAt(record).toList().join('|'); }
    const QByteArray Today() { return testRegional().dateText(QDate::currentDate()); }

    // Fields name (String), Changed (Modification Date), Number (Auto-increment Integer); four
    // records "nR|1/1/2000|R".
    void openDemo()
    {
        PdbBuilder builder;
        builder.name("Demo")
            .field("Name", 0x0001, 20)
            .field("Changed", 0x0049, 40)
            .field("Number", 0x0043, 30);
        for (int record = 1; record <= 4; ++record)
            builder.record(
                {"n" + QByteArray::number(record), "1/1/2000", QByteArray::number(record)});
        openBytes(QStringLiteral("Demo.pdb"), builder.build());
        if (QTest::currentTestFailed())
            return;
        mTester = std::make_unique<QAbstractItemModelTester>(
            model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    }

    void expectQuestion(const QString &text, Answer answer)
    {
        mPrompter->expect(QStringLiteral("Confirm"), text, Icon::Question, Buttons::YesNo, answer);
    }

private Q_SLOTS:
    void initTestCase() { initFixture(); }

    void init()
    {
        startTest(true);
        if (!QTest::currentTestFailed())
            openDemo();
    }

    void cleanup()
    {
        mTester.reset();
        endTest();
    }

    void insertRowAnnouncesOneRow()
    {
        mWindow->setCurrentCell(2, 2);
        QSignalSpy inserted(model(), &QAbstractItemModel::rowsInserted);
        QSignalSpy reset(model(), &QAbstractItemModel::modelReset);
        mWindow->rowColumnCommands().insertRow();
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
        mWindow->toolsCommands().applyFilter(true);
        QVERIFY(mWindow->grid()->isRowHidden(0));
        QVERIFY(!mWindow->grid()->isRowHidden(2));

        mWindow->setCurrentCell(1, 3);
        QSignalSpy removed(model(), &QAbstractItemModel::rowsRemoved);
        expectQuestion(QStringLiteral("Do you want to delete the selected row?"), Answer::Yes);
        mWindow->rowColumnCommands().deleteRow();
        QVERIFY(!mWindow->toolsCommands().isFilterOn());
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
        mWindow->rowColumnCommands().deleteRow();
        expectQuestion(QStringLiteral("Do you want to delete the selected column?"), Answer::No);
        mWindow->rowColumnCommands().deleteColumn();
        QCOMPARE(removed.count(), 0);
        QCOMPARE(columnsRemoved.count(), 0);
        QCOMPARE(model()->rowCount(), 4);
        QCOMPARE(model()->columnCount(), 3);
        QVERIFY(!windowDatabase().isModified());
    }

    void cutRowThenPasteRowThroughTheMenus()
    {
        QVERIFY(!enabled("actionPasteRow"));
        mWindow->setCurrentCell(1, 1);
        expectQuestion(QStringLiteral("Do you want to cut the selected row?"), Answer::Yes);
        mWindow->editCommands().cutRow();
        QVERIFY(enabled("actionPasteRow"));
        QVERIFY(enabled("contextPasteRow"));
        QCOMPARE(model()->index(0, 0).data().toString(), QString());

        mWindow->setCurrentCell(3, 4);
        QSignalSpy changed(model(), &QAbstractItemModel::dataChanged);
        expectQuestion(QStringLiteral("Do you want to paste the selected row?"), Answer::Yes);
        mWindow->editCommands().pasteRow();
        QCOMPARE(row(1), QByteArray("||"));
        QCOMPARE(row(4), QByteArray("n1|1/1/2000|1"));
        QVERIFY(!changed.isEmpty());
        QCOMPARE(changed.last().at(0).value<QModelIndex>().row(), 3);

        // Any row operation empties the buffer again.
        mWindow->rowColumnCommands().appendRow();
        QVERIFY(!enabled("actionPasteRow"));
        QVERIFY(!enabled("contextPasteRow"));
        QCOMPARE(mWindow->currentRecord(), 5);
        QCOMPARE(mWindow->currentField(), 1);
    }

    void cellClipboardStampsTheRow()
    {
        mWindow->setCurrentCell(1, 2);
        mWindow->editCommands().cutCell();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("n2"));
        QCOMPARE(row(2), QByteArray("|" + Today() + "|2"));
        QCOMPARE(model()->index(1, 1).data().toString(), QString::fromLatin1(Today()));

        QGuiApplication::clipboard()->setText(QStringLiteral("M\u00fcller \u4e2d\tx"));
        mWindow->setCurrentCell(1, 3);
        mPrompter->expect(QStringLiteral("Warning"),
                          QStringLiteral("The code page windows-1252 of the display font cannot "
                                         "hold this character; it is stored as \"?\": \u4e2d "
                                         "(U+4E2D)"),
                          Icon::Warning, Buttons::Ok, Answer::Ok);
        mWindow->editCommands().pasteCell();
        QCOMPARE(row(3), QByteArray("M\xfcller ?\tx|" + Today() + "|3"));

        mWindow->setCurrentCell(3, 4);
        mWindow->editCommands().copyCell();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("4"));
        QCOMPARE(row(4), QByteArray("n4|1/1/2000|4"));
    }

    void typedCharactersTheCodePageLacksAreNamed()
    {
        // Typed in place and through the cell editor: one warning per edit, naming them.
        const QString warning = QStringLiteral(
            "The code page windows-1252 of the display font cannot hold these characters; each "
            "is stored as \"?\": \u0402 (U+0402), \u2713 (U+2713)");
        mPrompter->expect(QStringLiteral("Warning"), warning, Icon::Warning, Buttons::Ok,
                          Answer::Ok);
        QVERIFY(model()->setData(model()->index(0, 0), QStringLiteral("\u0402a\u2713\u0402"),
                                 Qt::EditRole));
        QCOMPARE(windowDatabase().cell(1, 1), QByteArray("?a??"));
        // Text the code page holds brings no warning.
        QVERIFY(
            model()->setData(model()->index(1, 0), QStringLiteral("M\u00fcller"), Qt::EditRole));
        KRIBED_VERIFY_PROMPTER(*mPrompter);

        mPrompter->expect(QStringLiteral("Warning"), warning, Icon::Warning, Buttons::Ok,
                          Answer::Ok);
        mWindow->setCurrentCell(1, 3);
        mWindow->editCommands().editCell();
        auto *form = mWindow->findChild<CellEditorDialog *>();
        QVERIFY(form);
        form->findChild<QPlainTextEdit *>(QStringLiteral("cellTextEdit"))
            ->setPlainText(QStringLiteral("\u0402\u2713"));
        form->okClicked();
        KRIBED_VERIFY_PROMPTER(*mPrompter);
        QCOMPARE(windowDatabase().cell(1, 3), QByteArray("??"));
    }

    void appendColumnRestoresWidthsFirst()
    {
        const int before = windowDatabase().columnWidth(1);
        mWindow->toolsCommands().toggleAutoSizing();
        QVERIFY(mWindow->toolsCommands().isAutoSizing());
        QVERIFY(windowDatabase().columnWidth(1) != before);
        QCOMPARE(mWindow->grid()->columnWidth(0), windowDatabase().columnWidth(1));

        QSignalSpy inserted(model(), &QAbstractItemModel::columnsInserted);
        mWindow->rowColumnCommands().appendColumn();
        QVERIFY(!mWindow->toolsCommands().isAutoSizing());
        QCOMPARE(windowDatabase().columnWidth(1), before);
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Field 4"));
        QCOMPARE(mWindow->grid()->columnWidth(3), 90);
        QCOMPARE(mWindow->currentField(), 4);
        QCOMPARE(mWindow->currentRecord(), 1);
    }

    void editCellWritesBackThroughTheDialog()
    {
        mWindow->setCurrentCell(1, 3);
        mWindow->editCommands().editCell();
        auto *form = mWindow->findChild<CellEditorDialog *>();
        QVERIFY(form);
        QVERIFY(form->isVisible());
        auto *memo = form->findChild<QPlainTextEdit *>(QStringLiteral("cellTextEdit"));
        QCOMPARE(memo->toPlainText(), QStringLiteral("n3"));
        memo->setPlainText(QStringLiteral("edited"));
        QSignalSpy changed(model(), &QAbstractItemModel::dataChanged);
        form->okClicked();
        QVERIFY(!form->isVisible());
        QCOMPARE(row(3), QByteArray("edited|" + Today() + "|3"));
        QCOMPARE(model()->index(2, 0).data().toString(), QStringLiteral("edited"));
        QCOMPARE(changed.count(), 1);
        QVERIFY(windowDatabase().isModified());

        // Cancel after typing leaves the cell alone.
        mWindow->editCommands().editCell();
        memo->setPlainText(QStringLiteral("other"));
        form->cancelClicked();
        QCOMPARE(row(3), QByteArray("edited|" + Today() + "|3"));
    }

    void eachToggleShowsOnlyItself_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("letters"); // status panels 2, 3 and 4

        QTest::newRow("auto sizing") << "actionAutoSizing"
                                     << "A||";
        QTest::newRow("filter") << "actionFilter"
                                << "|F|";
        QTest::newRow("row sum") << "actionRowSum"
                                 << "||S";
    }

    // One toggle on, the others off: its own letter, menu check mark and pressed button only.
    void eachToggleShowsOnlyItself()
    {
        QFETCH(QString, command);
        QFETCH(QString, letters);
        // A sum field keeps row-sum mode on.
        setUpWindowDatabase([](Database &database) {
            database.setFieldName(3, "Number&");
            database.setModified();
        });
        windowAction(command)->trigger();
        mWindow->updateStatus();
        QCOMPARE(QStringList({mWindow->statusPanel(2)->text(), mWindow->statusPanel(3)->text(),
                              mWindow->statusPanel(4)->text()})
                     .join(u'|'),
                 letters);
        for (const char *name : {"actionAutoSizing", "actionFilter", "actionRowSum"}) {
            const QString toggle = QString::fromLatin1(name);
            QAction *action = windowAction(toggle);
            QCOMPARE(action->isChecked(), toggle == command);
            // The menu draws a check mark only for an action whose icon it does not show.
            QVERIFY2(action->isCheckable() && !action->isIconVisibleInMenu(), qPrintable(toggle));
            QString buttonName = toggle;
            buttonName.replace(QStringLiteral("action"), QStringLiteral("toolButton"));
            auto *button = mWindow->findChild<QToolButton *>(buttonName);
            QVERIFY(button);
            QVERIFY(!button->icon().isNull());
            QCOMPARE(button->isChecked(), toggle == command);
        }
        windowAction(command)->trigger();
        mWindow->updateStatus();
        QCOMPARE(mWindow->statusPanel(2)->text() + mWindow->statusPanel(3)->text()
                     + mWindow->statusPanel(4)->text(),
                 QString());
    }

    void draggedColumnKeepsItsDefinition()
    {
        mWindow->fieldMoved(3, 1);
        QCOMPARE(windowDatabase().fieldName(1), QByteArray("Number"));
        QCOMPARE(windowDatabase().fieldType(1), int(AutoIncrementIntegerType));
        QCOMPARE(windowDatabase().fieldType(2), int(StringType));
        QCOMPARE(windowDatabase().fieldType(3), int(ModificationDateType));
        QVERIFY(mWindow->headerHint(1).startsWith(
            QStringLiteral("Auto-increment Integer\nTotal: 10\nAverage: 2.5\nWidth: ")));
        QCOMPARE(mWindow->recordCountHint(), QStringLiteral("4 Records"));
    }
};

QTEST_MAIN(TestMainWindowEditing)
#include "tst_main_window_editing.moc"
