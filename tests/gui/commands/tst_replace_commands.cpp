// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/platform/translations.h"
#include "gui/commands/command_support.h"
#include "gui/commands/replace_commands.h"
#include "gui/commands/row_column_commands.h"
#include "gui/dialogs/replace_dialog.h"
#include "gui/grid/database_document.h"
#include "gui/grid/document_door_p.h"
#include "gui/grid/grid_places.h"
#include "gui/grid/recorded_edits.h"
#include "gui/window/main_window.h"
#include "history_checks.h"
#include "main_window_fixture.h"
#include "table_database.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace kribed;
using namespace kribed::test;

Q_DECLARE_METATYPE(kribed::CellRange)
Q_DECLARE_METATYPE(kribed::Answer)

class TestReplaceCommands
    : public QObject
    , private MainWindowFixture
{
    Q_OBJECT

private:
    // Row 0 of the table is the field names.
    void open(const QList<QByteArrayList> &table)
    {
        DocumentDoor(mWindow->document()).resetWith([&](Database &database) {
            fillFromTable(database, table);
            database.clearModified();
        });
        mWindow->setDatabaseOpen(true);
    }
    ReplaceDialog &dialog() { return mWindow->commandGroups().get<ReplaceCommands>().dialog(); }
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
    void select(CellRange range)
    {
        QAbstractItemModel *model = mWindow->gridView().model();
        const QItemSelection block(
            model->index(rowOfRecord(range.firstRecord), columnOfField(range.firstField)),
            model->index(rowOfRecord(range.lastRecord), columnOfField(range.lastField)));
        mWindow->gridView().selectionModel()->select(block, QItemSelectionModel::ClearAndSelect);
    }
    // Each record's cells, records joined by '/', cells by '|'.
    QByteArray table()
    {
        QByteArrayList rows;
        for (const QByteArrayList &record : records())
            rows << record.join('|');
        return rows.join('/');
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
        expectSummary(QStringLiteral("1 replacement in 1 record."));
        click("replaceAllButton");
        QVERIFY(windowDatabase().cell(2, 1) != QByteArray("1/1/2000"));
        QCOMPARE(windowDatabase().cell(2, 2), QByteArray("1/1/2000"));
    }

    void filterKeepsToShownRecordsUnlessHiddenAreIncluded()
    {
        open({{"a", "b"}, {"keep", "x"}, {"drop", "x"}, {"keep", "x"}});
        setUpWindowDatabase([](Database &database) { database.setFilterText("keep"); });
        mWindow->commandGroups().get<ToolsCommands>().applyFilter(true);
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
            QStringLiteral("1 replacement in 1 record. 1 of these records is hidden by the "
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
        expectSummary(QStringLiteral("1 replacement in 1 record."));
        click("replaceAllButton");
        QCOMPARE(windowDatabase().cell(1, 1), QByteArray("z"));
    }

    // The dialog stays open while fields are inserted, deleted and moved: "in Field B" stays B.
    void chosenFieldFollowsTheFields_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("currentField");
        QTest::addColumn<int>("chosen"); // the list's entry afterwards (0: all, -1: none)
        QTest::addColumn<QByteArray>("names");

        QTest::newRow("a field inserted before it")
            << "insert" << 1 << 3 << QByteArray("Field 1|A|B|C");
        QTest::newRow("a field inserted after it")
            << "insert" << 3 << 2 << QByteArray("A|B|Field 3|C");
        QTest::newRow("a field before it deleted") << "delete" << 1 << 1 << QByteArray("B|C");
        QTest::newRow("a field after it deleted") << "delete" << 3 << 2 << QByteArray("A|B");
        QTest::newRow("it moved to the end") << "move 2 3" << 1 << 3 << QByteArray("A|C|B");
        QTest::newRow("it moved to the start") << "move 2 1" << 1 << 1 << QByteArray("B|A|C");
        QTest::newRow("another moved before it") << "move 3 1" << 1 << 3 << QByteArray("C|A|B");
        QTest::newRow("another moved past it") << "move 1 3" << 1 << 1 << QByteArray("B|C|A");
        QTest::newRow("it was deleted: nothing is chosen")
            << "delete" << 2 << -1 << QByteArray("A|C");
    }

    void chosenFieldFollowsTheFields()
    {
        QFETCH(QString, change);
        QFETCH(int, currentField);
        QFETCH(int, chosen);
        QFETCH(QByteArray, names);

        open({{"A", "B", "C"}, {"x", "x", "x"}});
        ask(QStringLiteral("x"), QStringLiteral("y"));
        auto *fields = control<QComboBox>("replaceFieldCombo");
        fields->setCurrentIndex(2);
        mWindow->setCurrentCell(currentField, 1);
        const QStringList words = change.split(u' ');
        if (words.at(0) == QLatin1String("insert")) {
            mWindow->commandGroups().get<RowColumnCommands>().insertColumn();
        } else if (words.at(0) == QLatin1String("delete")) {
            mPrompter->expect(QStringLiteral("Confirm"),
                              QStringLiteral("Do you want to delete the selected column?"),
                              Icon::Question, Buttons::YesNo, Answer::Yes);
            mWindow->commandGroups().get<RowColumnCommands>().deleteColumn();
        } else {
            recordFieldMove(mWindow->document(), QStringLiteral("Move"), words.at(1).toInt(),
                            words.at(2).toInt(), [](Database &) {});
        }
        QCOMPARE(fieldNames(windowDatabase(), mWindow->document().regional()).join(u'|'),
                 QString::fromLatin1(names));
        QCOMPARE(fields->currentIndex(), chosen);
        QCOMPARE(fields->count(), windowDatabase().fieldCount() + 1);
        if (chosen < 0) {
            // Nothing to replace in until the user chooses again.
            QVERIFY(!control<QPushButton>("replaceAllButton")->isEnabled());
            QVERIFY(!control<QPushButton>("replaceButton")->isEnabled());
            QVERIFY(!control<QPushButton>("findNextButton")->isEnabled());
            mWindow->commandGroups().get<ReplaceCommands>().replaceEverywhere();
            QVERIFY(!table().contains('y'));
            return;
        }
        QCOMPARE(fields->currentText(), QStringLiteral("B"));
        expectSummary(QStringLiteral("1 replacement in 1 record."));
        click("replaceAllButton");
        // The inserted field is empty.
        QByteArray expected = names;
        expected.replace("A", "x").replace("B", "y").replace("C", "x");
        expected.replace("Field 1", "").replace("Field 3", "");
        QCOMPARE(table(), expected);
    }

    // "In selection" means the block selected when the button is pressed.
    void inSelectionTakesTheBlockSelectedNow_data()
    {
        QTest::addColumn<CellRange>("later");
        QTest::addColumn<QByteArray>("expected");

        QTest::newRow("another block") << CellRange{2, 2, 3, 3} << QByteArray("x|x|x/x|y|y/x|y|y");
        QTest::newRow("one cell clicked: that cell only")
            << CellRange{3, 1, 3, 1} << QByteArray("x|x|y/x|x|x/x|x|x");
    }

    void inSelectionTakesTheBlockSelectedNow()
    {
        QFETCH(CellRange, later);
        QFETCH(QByteArray, expected);

        open({{"A", "B", "C"}, {"x", "x", "x"}, {"x", "x", "x"}, {"x", "x", "x"}});
        select({1, 1, 1, 2});
        ask(QStringLiteral("x"), QStringLiteral("y"));
        auto *inSelection = control<QCheckBox>("inSelectionCheckBox");
        QVERIFY(inSelection->isEnabled());
        inSelection->setChecked(true);
        select(later);
        // A checked box stays: a click into the grid never widens the replacement.
        QVERIFY(inSelection->isEnabled());
        QVERIFY(inSelection->isChecked());
        const int changed = int(expected.count('y'));
        expectSummary(changed == 1 ? QStringLiteral("1 replacement in 1 record.")
                                   : QStringLiteral("4 replacements in 2 records."));
        click("replaceAllButton");
        QCOMPARE(table(), expected);
    }

    void inSelectionIsOfferedWhenABlockIsSelectedLater()
    {
        open({{"A", "B"}, {"x", "x"}, {"x", "x"}});
        ask(QStringLiteral("x"), QStringLiteral("y"));
        auto *inSelection = control<QCheckBox>("inSelectionCheckBox");
        QVERIFY(!inSelection->isEnabled());
        select({2, 1, 2, 2});
        QVERIFY(inSelection->isEnabled());
        inSelection->setChecked(true);
        expectSummary(QStringLiteral("2 replacements in 2 records."));
        click("replaceAllButton");
        QCOMPARE(table(), QByteArray("x|y/x|y"));
        // Unchecked without a block, it is no longer offered.
        select({1, 1, 1, 1});
        inSelection->setChecked(false);
        QVERIFY(!inSelection->isEnabled());
    }

    void unheldCharactersAreWarnedOfFirst_data()
    {
        QTest::addColumn<bool>("all"); // Replace all, else Replace at the match gone to
        QTest::addColumn<Answer>("answer");
        QTest::newRow("replace all, OK") << true << Answer::Ok;
        QTest::newRow("replace all, Cancel") << true << Answer::Cancel;
        QTest::newRow("replace, OK") << false << Answer::Ok;
        QTest::newRow("replace, Cancel") << false << Answer::Cancel;
    }

    void unheldCharactersAreWarnedOfFirst()
    {
        QFETCH(bool, all);
        QFETCH(Answer, answer);
        open({{"a"}, {"tick"}});
        mWindow->setCurrentCell(1, 1);
        ask(QStringLiteral("tick"), QString::fromUtf8("✓"));
        if (!all)
            click("findNextButton");
        mPrompter->expect(QStringLiteral("Warning"),
                          QString::fromUtf8("The code page windows-1252 of the display font cannot "
                                            "hold this character; it is stored as \"?\": ✓ "
                                            "(U+2713)\rReplace anyway?"),
                          Icon::Warning, Buttons::OkCancel, answer);
        const bool goOn = answer == Answer::Ok;
        if (all && goOn)
            expectSummary(QStringLiteral("1 replacement in 1 record."));
        if (!all && goOn) // Replace goes on to the next match
            expectWrapQuestion(Answer::No);
        click(all ? "replaceAllButton" : "replaceButton");
        QCOMPARE(windowDatabase().cell(1, 1), goOn ? QByteArray("?") : QByteArray("tick"));
        QCOMPARE(windowDatabase().isModified(), goOn);
    }

    // "1" to "yes" in every field would turn dates into "3/yes4/20yes9": asked first.
    void cellsLeavingTheirTypeAreAskedAbout_data()
    {
        QTest::addColumn<bool>("all");
        QTest::addColumn<Answer>("answer");
        QTest::newRow("replace all, OK") << true << Answer::Ok;
        QTest::newRow("replace all, Cancel") << true << Answer::Cancel;
        QTest::newRow("replace, Cancel") << false << Answer::Cancel;
    }

    void cellsLeavingTheirTypeAreAskedAbout()
    {
        QFETCH(bool, all);
        QFETCH(Answer, answer);
        open({{"Name", "Born", "Member"}, {"No 1", "3/14/2019", "1"}, {"No 2", "2/2/2020", "0"}});
        setUpWindowDatabase([](Database &database) {
            database.setFieldType(2, NormalDateType);
            database.setFieldType(3, BooleanType);
        });
        const QList<QByteArrayList> before = records();
        mWindow->setCurrentCell(2, 1);
        ask(QStringLiteral("1"), QStringLiteral("yes"));
        if (!all)
            click("findNextButton");
        mPrompter->expect(QStringLiteral("Replace"),
                          all ? QStringLiteral("2 cells will no longer read as their field's "
                                               "type (a date, time, number or Boolean).\rReplace "
                                               "anyway?")
                              : QStringLiteral("1 cell will no longer read as its field's "
                                               "type (a date, time, number or Boolean).\rReplace "
                                               "anyway?"),
                          Icon::Warning, Buttons::OkCancel, answer);
        if (answer == Answer::Ok) {
            expectSummary(QStringLiteral("3 replacements in 1 record. 2 cells no longer read "
                                         "as their field's type."));
        }
        click(all ? "replaceAllButton" : "replaceButton");
        if (answer == Answer::Ok) {
            QCOMPARE(records().at(0), (QByteArrayList{"No yes", "3/yes4/20yes9", "yes"}));
        } else {
            QCOMPARE(records(), before);
            QVERIFY(!windowDatabase().isModified());
        }
    }
};

QTEST_MAIN(TestReplaceCommands)
#include "tst_replace_commands.moc"
