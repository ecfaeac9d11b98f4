// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/cell_range.h"
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/regional.h"
#include "core/platform/translations.h"
#include "gui/commands/grid_commands.h"
#include "gui/dialogs/fill_series_dialog.h"
#include "gui/grid/cell_range_clipboard.h"
#include "gui/grid/database_document.h"
#include "gui/grid/grid_cell_delegate.h"
#include "gui/grid/grid_model.h"
#include "history_checks.h"
#include "main_window_fixture.h"
#include "table_database.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QImage>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QUndoView>

using namespace kribed;
using namespace kribed::test;
using namespace Qt::Literals::StringLiterals;

// The grid as spreadsheet users expect it, through the main window: check boxes, marks of
// unreadable values, selection keys, Fill down and Fill series, the undo history.
class TestGridCommands
    : public QObject
    , private MainWindowFixture
{
    Q_OBJECT

private:
    GridCommands &grid() { return mWindow->commandGroups().get<GridCommands>(); }
    QTableView &view() { return mWindow->gridView(); }
    GridModel &model() { return mWindow->document().model(); }
    QModelIndex at(int field, int record) { return model().index(record - 1, field - 1); }
    void goTo(int field, int record) { view().setCurrentIndex(at(field, record)); }
    QByteArray cell(int field, int record) { return windowDatabase().cell(field, record); }
    QString today()
    {
        return mWindow->document().regional().toText(
            mWindow->document().regional().dateText(QDate::currentDate()));
    }
    QString selection()
    {
        const std::optional<CellRange> range = selectedRange(view());
        if (!range)
            return u"none"_s;
        return u"%1,%2-%3,%4"_s.arg(range->firstField)
            .arg(range->firstRecord)
            .arg(range->lastField)
            .arg(range->lastRecord);
    }
    QString current()
    {
        return u"%1,%2"_s.arg(view().currentIndex().column() + 1)
            .arg(view().currentIndex().row() + 1);
    }
    // Fields of the given types and records of '|'-separated cells; the records listed hidden.
    void openTyped(const QList<int> &types, const QList<QByteArray> &rows,
                   const QList<int> &hidden = {})
    {
        QList<QByteArrayList> table{{}};
        for (int field = 1; field <= types.size(); ++field)
            table[0] << "F" + QByteArray::number(field);
        for (const QByteArray &row : rows)
            table << row.split('|');
        openTable(table);
        setUpWindowDatabase([&](Database &database) {
            for (int field = 1; field <= types.size(); ++field)
                database.setFieldType(field, types[field - 1]);
            for (const int record : hidden)
                database.setHidden(record, true);
        });
        mWindow->document().refreshCells();
    }
    void useFormats(const QString &locale)
    {
        mWindow->document().chooseFormats(FormatsChoice{locale});
    }

private Q_SLOTS:
    void initTestCase()
    {
        initFixture();
        // The English plural forms the program installs at start.
        QVERIFY(installTranslations(QStringLiteral("en")));
    }
    void init()
    {
        failOnHistoryEnded();
        startTest(true);
    }
    void cleanup() { endTest(); }

    void booleanCells_data();
    void booleanCells();
    void unreadableValues_data();
    void unreadableValues();
    void nextUnreadableValue();
    void selectionKeys_data();
    void selectionKeys();
    void fill_data();
    void fill();
    void fillAsksBeforeCellsLeaveTheirType();
    void undoHistoryGoesBackToAClickedStep();
};

void TestGridCommands::booleanCells_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("input"); // 0 Space, 1 a click on the box, 2 a click beside it
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<QString>("spoken");

    QTest::newRow("Space checks") << "0"_ba << 0 << "1"_ba << u"F2: not checked"_s;
    QTest::newRow("Space unchecks") << "1"_ba << 0 << "0"_ba << u"F2: checked"_s;
    QTest::newRow("Space checks an empty Boolean") << ""_ba << 0 << "1"_ba << u"F2: empty"_s;
    QTest::newRow("a click on the box toggles") << "0"_ba << 1 << "1"_ba << u"F2: not checked"_s;
    QTest::newRow("a click beside the box only selects")
        << "1"_ba << 2 << "1"_ba << u"F2: checked"_s;
    QTest::newRow("another text is never toggled by a click")
        << "yes"_ba << 1 << "yes"_ba << u"F2: yes"_s;
}

void TestGridCommands::booleanCells()
{
    QFETCH(QByteArray, text);
    QFETCH(int, input);
    QFETCH(QByteArray, expected);
    QFETCH(QString, spoken);

    openTyped({StringType, BooleanType, ModificationDateType}, {"a|" + text + "|", "b|0|"});
    QCOMPARE(model().data(at(2, 1), Qt::AccessibleTextRole).toString(), spoken);
    goTo(1, 2);
    view().setFocus();
    const QRect cellRect = view().visualRect(at(2, 1));
    if (input == 0) {
        goTo(2, 1);
        QTest::keyClick(&view(), Qt::Key_Space);
    } else {
        QStyleOptionViewItem option;
        option.initFrom(&view());
        option.rect = cellRect;
        const QPoint point = input == 1 ? GridCellDelegate::checkBoxRect(option).center()
                                        : cellRect.topLeft() + QPoint(2, 2);
        QTest::mouseClick(view().viewport(), Qt::LeftButton, {}, point);
    }
    QCOMPARE(cell(2, 1), expected);
    // No editor opened over the cell.
    QVERIFY(view().viewport()->findChildren<QLineEdit *>().isEmpty());
    QCOMPARE(mWindow->document().history().stack().count(), expected == text ? 0 : 1);
    if (expected == text) {
        QCOMPARE(cell(3, 1), QByteArray());
        return;
    }
    // Stamped as an edit, one step: undo brings back the text and the empty stamp.
    QCOMPARE(QString::fromLatin1(cell(3, 1)), today());
    QVERIFY(mWindow->document().isModified());
    mWindow->document().history().stack().undo();
    QCOMPARE(cell(2, 1) + '|' + cell(3, 1), text + '|');
}

void TestGridCommands::unreadableValues_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("reason"); // empty: no mark

    QTest::newRow("text in a Float") << int(FloatType) << u"en_US"_s << "abc"_ba << u"number"_s;
    QTest::newRow("a Float in US formats") << int(FloatType) << u"en_US"_s << "1.5"_ba << u""_s;
    QTest::newRow("a decimal comma in US formats")
        << int(FloatType) << u"en_US"_s << "1,5"_ba << u"number"_s;
    QTest::newRow("a decimal comma in German formats")
        << int(FloatType) << u"de_DE"_s << "1,5"_ba << u""_s;
    QTest::newRow("31 February") << int(NormalDateType) << u"de_DE"_s << "31.02.2024"_ba
                                 << u"date"_s;
    QTest::newRow("29 February of a leap year")
        << int(NormalDateType) << u"de_DE"_s << "29.02.2024"_ba << u""_s;
    QTest::newRow("x in a Boolean") << int(BooleanType) << u"en_US"_s << "x"_ba << u"Boolean"_s;
    QTest::newRow("an empty Boolean") << int(BooleanType) << u"en_US"_s << ""_ba << u""_s;
    QTest::newRow("anything in a String") << int(StringType) << u"en_US"_s << "x"_ba << u""_s;
    QTest::newRow("25 o'clock") << int(NormalTimeType) << u"en_US"_s << "25:00:00"_ba << u"time"_s;
}

void TestGridCommands::unreadableValues()
{
    QFETCH(int, type);
    QFETCH(QString, locale);
    QFETCH(QByteArray, text);
    QFETCH(QString, reason);

    openTyped({StringType, type}, {"a|" + text, "b|"});
    useFormats(locale);
    goTo(1, 2);
    const QModelIndex index = at(2, 1);
    const bool marked = !reason.isEmpty();
    QCOMPARE(model().data(index, GridModel::UnreadableRole).toBool(), marked);
    const QString tip = model().data(index, Qt::ToolTipRole).toString();
    QVERIFY2(marked ? tip.contains(reason) : tip.isEmpty(), qPrintable(tip));
    const QString description = model().data(index, Qt::AccessibleDescriptionRole).toString();
    QCOMPARE(description, marked ? u"Record 1. "_s + tip : u"Record 1"_s);
    // The mark is painted in the corner, and the text is left as it was.
    QCoreApplication::processEvents();
    const QImage shot = view().viewport()->grab().toImage();
    const QPoint corner = view().visualRect(index).topLeft() + QPoint(1, 1);
    QCOMPARE(QColor(shot.pixel(corner)) == QColor(220, 40, 40), marked);
    QCOMPARE(cell(2, 1), text);
    QVERIFY(!mWindow->document().isModified());
    // A valid value typed in takes the mark away.
    if (marked) {
        typeInto(2, 1, type == BooleanType ? u"1"_s : u""_s);
        QVERIFY(!model().data(index, GridModel::UnreadableRole).toBool());
        QVERIFY(model().data(index, Qt::ToolTipRole).isNull());
    }
}

void TestGridCommands::nextUnreadableValue()
{
    // Record 3 is hidden: its unreadable value is passed over.
    openTyped({FloatType, StringType, NormalDateType},
              {"1|x|1/2/2024", "abc|y|", "z||", "2||13/13/2024", "3|z|"}, {3});
    goTo(1, 1);
    QAction *next = windowAction(u"actionNextUnreadable"_s);
    QCOMPARE(next->shortcut(), QKeySequence(u"Ctrl+Shift+U"_s));
    next->trigger();
    QCOMPARE(current(), u"1,2"_s);
    next->trigger();
    QCOMPARE(current(), u"3,4"_s);
    // Round to the top again.
    next->trigger();
    QCOMPARE(current(), u"1,2"_s);
    typeInto(1, 2, u"4"_s);
    typeInto(3, 4, u"1/3/2024"_s);
    mPrompter->expect(u"Next unreadable value"_s, u"Every shown value reads as its field's type."_s,
                      Icon::Information, Buttons::Ok, Answer::Ok);
    next->trigger();
    QCOMPARE(current(), u"1,2"_s);
}

void TestGridCommands::selectionKeys_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QList<int>>("hidden");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("current");

    const int ctrl = Qt::ControlModifier;
    const int shift = Qt::ShiftModifier;
    QTest::newRow("Ctrl+Shift+End extends to the last cell")
        << u"2,2"_s << int(Qt::Key_End) << (ctrl | shift) << QList<int>{} << u"2,2-3,5"_s
        << u"3,5"_s;
    QTest::newRow("Ctrl+Shift+Home extends to the first cell")
        << u"2,3"_s << int(Qt::Key_Home) << (ctrl | shift) << QList<int>{} << u"1,1-2,3"_s
        << u"1,1"_s;
    QTest::newRow("Shift+Page Down extends downwards")
        << u"1,1"_s << int(Qt::Key_PageDown) << shift << QList<int>{} << u"1,1-1,5"_s << u"1,5"_s;
    QTest::newRow("Shift+Page Up extends upwards")
        << u"2,5"_s << int(Qt::Key_PageUp) << shift << QList<int>{} << u"2,1-2,5"_s << u"2,1"_s;
    QTest::newRow("Ctrl+Down goes to the last shown record")
        << u"2,2"_s << int(Qt::Key_Down) << ctrl << QList<int>{5} << u"2,4-2,4"_s << u"2,4"_s;
    QTest::newRow("Ctrl+Up goes to the first shown record")
        << u"2,4"_s << int(Qt::Key_Up) << ctrl << QList<int>{1} << u"2,2-2,2"_s << u"2,2"_s;
    QTest::newRow("Ctrl+Shift+Down extends to the last record")
        << u"2,2"_s << int(Qt::Key_Down) << (ctrl | shift) << QList<int>{} << u"2,2-2,5"_s
        << u"2,5"_s;
    QTest::newRow("Shift+Space selects the record")
        << u"2,3"_s << int(Qt::Key_Space) << shift << QList<int>{} << u"1,3-3,3"_s << u"2,3"_s;
    QTest::newRow("Ctrl+Space selects the field")
        << u"2,3"_s << int(Qt::Key_Space) << ctrl << QList<int>{} << u"2,1-2,5"_s << u"2,3"_s;
    QTest::newRow("Ctrl+Shift+A selects every cell")
        << u"2,3"_s << int(Qt::Key_A) << (ctrl | shift) << QList<int>{} << u"1,1-3,5"_s << u"2,3"_s;
}

void TestGridCommands::selectionKeys()
{
    QFETCH(QString, from);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QList<int>, hidden);
    QFETCH(QString, selected);
    QFETCH(QString, current);

    openTyped({StringType, BooleanType, FloatType}, {"a|1|1", "b|0|2", "c|1|3", "d|0|4", "e|1|5"},
              hidden);
    const QStringList place = from.split(u',');
    goTo(place[0].toInt(), place[1].toInt());
    view().setFocus();
    QTest::keyClick(&view(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(selection(), selected);
    QCOMPARE(this->current(), current);
    // No key of these changes a cell (Space with Shift or Ctrl toggles no check box).
    QCOMPARE(mWindow->document().history().stack().count(), 0);
}

void TestGridCommands::fill_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<CellRange>("range");
    QTest::addColumn<int>("kind"); // 0 Ctrl+D, 1 constant, 2 series
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("step");
    QTest::addColumn<QByteArray>("field2");
    QTest::addColumn<QByteArray>("field3");

    // Record 3 is hidden in every row: it keeps its texts.
    QTest::newRow("Ctrl+D copies the top cells down")
        << u"en_US"_s << CellRange{2, 1, 3, 5} << 0 << u""_s << u""_s << "1.5|1.5|x|1.5|1.5"_ba
        << "1/2/2024|1/2/2024|13.13.2024|1/2/2024|1/2/2024"_ba;
    QTest::newRow("a number series")
        << u"en_US"_s << CellRange{2, 2, 2, 5} << 2 << u"10"_s << u"0.5"_s << "1.5|10|x|10.5|11"_ba
        << "1/2/2024||13.13.2024|1/9/2024|"_ba;
    QTest::newRow("a series of German dates, weekly")
        << u"de_DE"_s << CellRange{3, 1, 3, 4} << 2 << u"26.02.2024"_s << u"7"_s << "1.5||x|7|"_ba
        << "26.02.2024|04.03.2024|13.13.2024|11.03.2024|"_ba;
    QTest::newRow("a German number series with decimal commas")
        << u"de_DE"_s << CellRange{2, 4, 2, 5} << 2 << u"0,5"_s << u"0,25"_s << "1.5||x|0,5|0,75"_ba
        << "1/2/2024||13.13.2024|1/9/2024|"_ba;
    QTest::newRow("a constant in two fields")
        << u"en_US"_s << CellRange{2, 4, 3, 5} << 1 << u""_s << u""_s << "1.5||x||"_ba
        << "1/2/2024||13.13.2024||"_ba;
}

void TestGridCommands::fill()
{
    QFETCH(QString, locale);
    QFETCH(CellRange, range);
    QFETCH(int, kind);
    QFETCH(QString, start);
    QFETCH(QString, step);
    QFETCH(QByteArray, field2);
    QFETCH(QByteArray, field3);

    openTyped({StringType, FloatType, NormalDateType, ModificationTimeType},
              {"a|1.5|1/2/2024|", "b|||", "c|x|13.13.2024|", "d|7|1/9/2024|", "e|||"}, {3});
    useFormats(locale);
    const QList<QByteArrayList> before = databaseTable(windowDatabase());
    view().selectionModel()->select(QItemSelection(at(range.firstField, range.firstRecord),
                                                   at(range.lastField, range.lastRecord)),
                                    QItemSelectionModel::ClearAndSelect);
    if (kind == 0) {
        view().setFocus();
        QTest::keyClick(&view(), Qt::Key_D, Qt::ControlModifier);
    } else {
        QVERIFY(grid().fillSeriesWith(kind == 1, start, step));
    }
    QCOMPARE(columnCells(windowDatabase(), 2).join('|'), field2);
    QCOMPARE(columnCells(windowDatabase(), 3).join('|'), field3);
    // Changed records are stamped, the hidden one and the others not.
    for (int record = 1; record <= 5; ++record) {
        const bool changed =
            databaseTable(windowDatabase())[record].mid(1, 2) != before[record].mid(1, 2);
        QCOMPARE(!cell(4, record).isEmpty(), changed);
    }
    QCOMPARE(mWindow->document().history().stack().count(), 1);
    mWindow->document().history().stack().undo();
    QCOMPARE(databaseTable(windowDatabase()), before);
    QVERIFY(!mWindow->document().isModified());
}

void TestGridCommands::fillAsksBeforeCellsLeaveTheirType()
{
    openTyped({FloatType}, {"1", "2", "x"});
    view().selectionModel()->select(QItemSelection(at(1, 1), at(1, 3)),
                                    QItemSelectionModel::ClearAndSelect);
    mPrompter->expect(u"Fill series"_s, u"2 cells will no longer read*"_s, Icon::Warning,
                      Buttons::OkCancel, Answer::Cancel);
    QVERIFY(!grid().fillSeriesWith(true, u"abc"_s, u""_s));
    QCOMPARE(columnCells(windowDatabase(), 1).join('|'), "1|2|x"_ba);
    mPrompter->expect(u"Fill series"_s, u"The step is no number."_s, Icon::Warning, Buttons::Ok,
                      Answer::Ok);
    QVERIFY(!grid().fillSeriesWith(false, u"1"_s, u"one"_s));
    QCOMPARE(mWindow->document().history().stack().count(), 0);
}

void TestGridCommands::undoHistoryGoesBackToAClickedStep()
{
    openTyped({StringType}, {"a", "b", "c"});
    typeInto(1, 1, u"A"_s);
    typeInto(1, 2, u"B"_s);
    typeInto(1, 3, u"C"_s);
    QAction *history = windowAction(u"actionUndoHistory"_s);
    QCOMPARE(history->shortcut(), QKeySequence(u"Ctrl+Shift+H"_s));
    history->trigger();
    QUndoView *list = grid().undoView();
    QVERIFY(list->isVisible());
    QVERIFY(mWindow->findChild<QDockWidget *>(u"undoHistoryDock"_s));
    // The state as opened, then one entry per step.
    QCOMPARE(list->model()->rowCount(), 4);
    const QRect first = list->visualRect(list->model()->index(1, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first.center());
    QCOMPARE(columnCells(windowDatabase(), 1).join('|'), "A|b|c"_ba);
    const QRect opened = list->visualRect(list->model()->index(0, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, opened.center());
    QCOMPARE(columnCells(windowDatabase(), 1).join('|'), "a|b|c"_ba);
    QVERIFY(!mWindow->document().isModified());
}

QTEST_MAIN(TestGridCommands)
#include "tst_grid_commands.moc"
