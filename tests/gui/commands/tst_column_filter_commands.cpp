// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "gui/commands/column_filter_commands.h"
#include "gui/commands/frozen_columns.h"
#include "gui/commands/row_column_commands.h"
#include "gui/dialogs/column_filter_popup.h"
#include "gui/grid/database_document.h"
#include "gui/grid/grid_header.h"
#include "gui/grid/recorded_edits.h"
#include "gui/window/main_window.h"
#include "history_checks.h"
#include "main_window_fixture.h"
#include "pdb_builder.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

using namespace kribed;
using namespace kribed::test;
using namespace Qt::Literals::StringLiterals;

namespace {

// Customers: town, turnover (Float), regular (Boolean).
QByteArray customers()
{
    PdbBuilder builder;
    builder.name("Kunden").field("Stadt", 0x0001).field("Umsatz", 0x0010).field("Stamm", 0x0002);
    builder.record({"Bremen", "1500", "1"});
    builder.record({"Hamburg", "800", "1"});
    builder.record({"Kiel", "5000", "1"});
    builder.record({"Hamburg", "2500", "0"});
    builder.record({"Bremen", "viel", "1"});
    builder.record({"Hamburg", "1200", "1"});
    return builder.build();
}

} // namespace

class TestColumnFilterCommands
    : public QObject
    , private MainWindowFixture
{
    Q_OBJECT

private:
    ColumnFilterCommands &filters() { return mWindow->commandGroups().get<ColumnFilterCommands>(); }
    ColumnFilterPopup &popup() { return *filters().popup(); }

    QByteArray shownRecords()
    {
        QByteArrayList shown;
        for (int record = 1; record <= windowDatabase().recordCount(); ++record) {
            if (!windowDatabase().isHidden(record))
                shown << QByteArray::number(record);
        }
        return shown.join(',');
    }

    QStringList listTexts()
    {
        QStringList texts;
        const QAbstractItemModel *list = popup().valueList()->model();
        for (int row = 0; row < list->rowCount(); ++row)
            texts << list->index(row, 0).data().toString();
        return texts;
    }

    // Ticks only the listed values in the field's popup and presses OK.
    void tickOnly(int field, const QStringList &values)
    {
        filters().openFilterPopup(field);
        QVERIFY(popup().isVisible());
        QAbstractItemModel *list = popup().valueList()->model();
        for (int row = 0; row < list->rowCount(); ++row) {
            const QModelIndex item = list->index(row, 0);
            const bool wanted = values.contains(item.data().toString().section(u" ("_s, 0, 0));
            list->setData(item, wanted ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
        }
        popup().accept();
    }

    void setCondition(int field, int index, const QString &test, const QString &value)
    {
        filters().openFilterPopup(field);
        QComboBox *tests = popup().testBox(index);
        tests->setCurrentIndex(tests->findText(test));
        QVERIFY(tests->currentIndex() > 0);
        popup().valueBox(index)->setText(value);
        popup().accept();
    }

    // Bremen or Hamburg, more than 1000: records 1, 4 and 6.
    void askTheQuestion()
    {
        tickOnly(1, {u"Bremen"_s, u"Hamburg"_s});
        QCOMPARE(shownRecords(), "1,2,4,5,6"_ba);
        setCondition(2, 0, u">"_s, u"1000"_s);
        QCOMPARE(shownRecords(), "1,4,6"_ba);
    }

    int steps() { return windowDocument().history().stack().index(); }

    // The control Tab goes to from `widget` in the popup.
    QWidget *nextTabStop(QWidget *widget)
    {
        for (QWidget *next = widget->nextInFocusChain(); next != widget;
             next = next->nextInFocusChain()) {
            if ((next->focusPolicy() & Qt::TabFocus) && next->isEnabled()
                && next->isVisibleTo(&popup()))
                return next;
        }
        return nullptr;
    }

private Q_SLOTS:
    void initTestCase() { initFixture(); }
    void init()
    {
        failOnHistoryEnded();
        startTest();
        openBytes(u"Kunden.pdb"_s, customers());
    }
    void cleanup() { endTest(); }

    void checklistAndConditionAnswerAndUndo()
    {
        QAction *toggle = windowAction(u"actionColumnFilters"_s);
        QCOMPARE(toggle->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));
        const int before = steps();
        askTheQuestion();
        QVERIFY(toggle->isChecked());
        QCOMPARE(steps(), before + 2);
        QCOMPARE(filters().shownText(), u"3 of 6 records shown"_s);
        auto *header = qobject_cast<GridHeader *>(mWindow->grid()->horizontalHeader());
        QVERIFY(header->hasFilterButtons());
        QCOMPARE(header->filterMarks().value(1), u"> 1000"_s);
        QCOMPARE(header->filterMarks().value(0), u"one of: Bremen, Hamburg"_s);

        // The town list counts over what the turnover leaves; "viel" reads as no number.
        filters().openFilterPopup(1);
        QCOMPARE(listTexts(), (QStringList{u"Bremen (1)"_s, u"Hamburg (2)"_s, u"Kiel (1)"_s}));
        // Select all ticks what the search leaves, and shows whether all of it is ticked.
        QVERIFY(!popup().selectAllBox()->isChecked());
        popup().searchBox()->setText(u"ki"_s);
        QVERIFY(!popup().selectAllBox()->isChecked());
        popup().selectAllBox()->click();
        QVERIFY(popup().selectAllBox()->isChecked());
        QVERIFY(!popup().filter().listOn);
        popup().selectAllBox()->click();
        QCOMPARE(popup().filter().values, (QVector<QByteArray>{"Bremen", "Hamburg"}));
        popup().close();
        filters().openFilterPopup(2);
        QVERIFY(!popup().findChildren<QLabel *>().isEmpty());
        // A number field lists its values by value, those that read as no number last.
        QCOMPARE(listTexts(), (QStringList{u"800 (1)"_s, u"1200 (1)"_s, u"1500 (1)"_s,
                                           u"2500 (1)"_s, u"viel (1)"_s}));
        popup().close();
        // A Boolean field lists what its check boxes mean, and the search finds those words.
        filters().openFilterPopup(3);
        QCOMPARE(listTexts(), (QStringList{u"Unchecked (1)"_s, u"Checked (2)"_s}));
        popup().searchBox()->setText(u"unch"_s);
        QCOMPARE(listTexts(), QStringList{u"Unchecked (1)"_s});
        popup().close();

        // A condition that cannot run is told beside the boxes and changes nothing.
        filters().openFilterPopup(1);
        QComboBox *tests = popup().testBox(0);
        tests->setCurrentIndex(tests->findText(u"matches the regular expression"_s));
        popup().valueBox(0)->setText(u"(Bre"_s);
        popup().accept();
        QVERIFY(popup().isVisible());
        QVERIFY(popup().errorLabel()->text().startsWith(u"The regular expression is not valid"_s));
        popup().close();
        QCOMPARE(steps(), before + 2);
        QCOMPARE(shownRecords(), "1,4,6"_ba);

        windowAction(u"actionUndo"_s)->trigger();
        QCOMPARE(shownRecords(), "1,2,4,5,6"_ba);
        windowAction(u"actionUndo"_s)->trigger();
        QCOMPARE(shownRecords(), "1,2,3,4,5,6"_ba);
        QCOMPARE(filters().shownText(), QString());
        windowAction(u"actionRedo"_s)->trigger();
        windowAction(u"actionRedo"_s)->trigger();
        QCOMPARE(shownRecords(), "1,4,6"_ba);

        // Clear all filters is one step too.
        windowAction(u"actionClearFilters"_s)->trigger();
        QCOMPARE(shownRecords(), "1,2,3,4,5,6"_ba);
        windowAction(u"actionUndo"_s)->trigger();
        QCOMPARE(shownRecords(), "1,4,6"_ba);
        QVERIFY(!windowDatabase().isModified());
    }

    void reopenRestores()
    {
        askTheQuestion();
        const QString path = windowDatabase().filePath();
        closeWindow();
        makeWindow();
        openThroughDialog(path);
        QCOMPARE(shownRecords(), "1,4,6"_ba);
        QVERIFY(windowAction(u"actionColumnFilters"_s)->isChecked());
        // The file itself holds none of it.
        windowAction(u"actionClearFilters"_s)->trigger();
        closeWindow();
        makeWindow();
        openThroughDialog(path);
        QCOMPARE(shownRecords(), "1,2,3,4,5,6"_ba);
    }

    void rangeDeleteTouchesShownRecordsOnly()
    {
        askTheQuestion();
        mWindow->grid()->selectAll();
        QAction *clear = mWindow->findChild<QAction *>(u"actionClearCells"_s);
        QVERIFY(clear && clear->isEnabled());
        clear->trigger();
        for (int record = 1; record <= 6; ++record) {
            const bool shown = record == 1 || record == 4 || record == 6;
            QCOMPARE(windowDatabase().cell(1, record).isEmpty(), shown);
        }
        QCOMPARE(windowDatabase().cell(2, 5), "viel"_ba);
    }

    void deletedFieldTakesItsFilterInItsStep()
    {
        askTheQuestion();
        const int before = steps();
        mWindow->grid()->setCurrentIndex(windowDocument().model().index(0, 1));
        mPrompter->expect(u"Confirm"_s, u"Do you want to delete the selected column?"_s,
                          Icon::Question, Buttons::YesNo, Answer::Yes);
        mWindow->commandGroups().get<RowColumnCommands>().deleteColumn();
        QCOMPARE(windowDatabase().fieldCount(), 2);
        QCOMPARE(shownRecords(), "1,2,4,5,6"_ba);
        QCOMPARE(steps(), before + 1);
        windowAction(u"actionUndo"_s)->trigger();
        QCOMPARE(windowDatabase().fieldCount(), 3);
        QCOMPARE(shownRecords(), "1,4,6"_ba);
        QCOMPARE(windowDocument().viewState().columnFilters.fields.size(), 2);
    }

    void retypedFieldTakesItsFilterInItsStep()
    {
        askTheQuestion();
        const int before = steps();
        recordSettings(windowDocument(), u"Properties"_s,
                       [](Database &database) { database.setFieldType(2, 0); });
        QCOMPARE(steps(), before + 1);
        QCOMPARE(shownRecords(), "1,2,4,5,6"_ba);
        windowAction(u"actionUndo"_s)->trigger();
        QCOMPARE(windowDatabase().fieldType(2), 12);
        QCOMPARE(shownRecords(), "1,4,6"_ba);
        windowAction(u"actionRedo"_s)->trigger();
        QCOMPARE(shownRecords(), "1,2,4,5,6"_ba);
    }

    void frozenColumnsStayAndAreRemembered()
    {
        FrozenColumns &frozen = filters().frozenColumns();
        QAction *freeze = windowAction(u"actionFreezeColumns"_s);
        mWindow->grid()->setCurrentIndex(windowDocument().model().index(0, 2));
        freeze->trigger();
        QCOMPARE(frozen.count(), 2);
        QVERIFY(freeze->isChecked());
        QVERIFY(frozen.overlay()->isVisibleTo(mWindow->grid()));
        QVERIFY(!frozen.overlay()->isColumnHidden(1));
        QVERIFY(frozen.overlay()->isColumnHidden(2));
        QCOMPARE(frozen.overlay()->width(),
                 mWindow->grid()->columnWidth(0) + mWindow->grid()->columnWidth(1));
        // The rows the filters hide go in the overlay too.
        askTheQuestion();
        QTRY_VERIFY(frozen.overlay()->isRowHidden(1));

        const QString path = windowDatabase().filePath();
        closeWindow();
        makeWindow();
        openThroughDialog(path);
        QCOMPARE(mWindow->commandGroups().get<ColumnFilterCommands>().frozenColumns().count(), 2);
        windowAction(u"actionFreezeColumns"_s)->trigger();
        QCOMPARE(mWindow->commandGroups().get<ColumnFilterCommands>().frozenColumns().count(), 0);
    }

    void currentCellComesOutFromUnderTheFrozenFields()
    {
        FrozenColumns &frozen = filters().frozenColumns();
        QTableView *grid = mWindow->grid();
        mWindow->show(); // a hidden grid does not scroll
        QVERIFY(QTest::qWaitForWindowExposed(mWindow.get()));
        for (int column = 0; column < 3; ++column)
            grid->setColumnWidth(column, 450); // the widest a field gets
        grid->setCurrentIndex(windowDocument().model().index(0, 1));
        windowAction(u"actionFreezeColumns"_s)->trigger();
        QCOMPARE(frozen.count(), 1);
        QTRY_VERIFY(grid->horizontalScrollBar()->maximum() > 450); // the widths have arrived
        grid->setCurrentIndex(windowDocument().model().index(0, 2));
        QVERIFY(grid->horizontalScrollBar()->value() > 0);
        QTest::keyClick(grid, Qt::Key_Left);
        QCOMPARE(grid->currentIndex().column(), 1);
        QCOMPARE(grid->columnViewportPosition(1), frozen.overlay()->width());
    }

    void popupOpensFromTheKeyboard()
    {
        windowAction(u"actionColumnFilters"_s)->trigger();
        mWindow->grid()->setCurrentIndex(windowDocument().model().index(0, 2));
        QTest::keyClick(mWindow->grid(), Qt::Key_Down, Qt::AltModifier);
        QVERIFY(popup().isVisible());
        QCOMPARE(popup().testBox(0)->itemText(1), u"is checked"_s);
        // Tab goes from the list to the first condition, then to how the two are joined.
        QCOMPARE(nextTabStop(popup().valueList()), popup().testBox(0));
        QCOMPARE(nextTabStop(popup().testBox(0)), popup().joinBox());
        QCOMPARE(nextTabStop(popup().joinBox()), popup().testBox(1));
        QTest::keyClick(&popup(), Qt::Key_Escape);
        QVERIFY(!popup().isVisible());
        QCOMPARE(shownRecords(), "1,2,3,4,5,6"_ba);
        // Return takes the conditions as OK does.
        QTest::keyClick(mWindow->grid(), Qt::Key_Down, Qt::AltModifier);
        popup().testBox(0)->setCurrentIndex(1);
        QTest::keyClick(&popup(), Qt::Key_Return);
        QVERIFY(!popup().isVisible());
        QCOMPARE(shownRecords(), "1,2,3,5,6"_ba);
        // A test picked from the keyboard sends the typing to its value, and Return takes it.
        windowAction(u"actionClearFilters"_s)->trigger();
        mWindow->grid()->setCurrentIndex(windowDocument().model().index(0, 1));
        QTest::keyClick(mWindow->grid(), Qt::Key_Down, Qt::AltModifier);
        QVERIFY(popup().isVisible());
        QComboBox *tests = popup().testBox(0);
        tests->setFocus();
        const int greater = tests->findText(u">"_s);
        while (tests->currentIndex() < greater)
            QTest::keyClick(tests, Qt::Key_Down);
        QTRY_COMPARE(QApplication::focusWidget(), popup().valueBox(0));
        QTest::keyClicks(QApplication::focusWidget(), u"1000"_s);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(!popup().isVisible());
        QCOMPARE(shownRecords(), "1,3,4,6"_ba); // "viel" reads as no number
    }
};

QTEST_MAIN(TestColumnFilterCommands)
#include "tst_column_filter_commands.moc"
