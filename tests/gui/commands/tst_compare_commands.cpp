// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "core/platform/prompter.h"
#include "gui/commands/compare_commands.h"
#include "gui/commands/compare_panel.h"
#include "gui/grid/comparison_model.h"
#include "main_window_fixture.h"
#include "pdb_builder.h"
#include "table_database.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QUndoStack>

using namespace kribed;
using namespace kribed::test;
using namespace Qt::Literals::StringLiterals;

namespace {

// Name, City and the modification date, five people.
QByteArray people(const QList<QByteArrayList> &rows)
{
    PdbBuilder builder;
    builder.name("People").field("Name").field("City").field("Changed", 0x0049);
    for (const QByteArrayList &row : rows)
        builder.record(row);
    return builder.build();
}

const QList<QByteArrayList> Five{{"Ann", "Bonn", "1/1/2020"},
                                 {"Bob", "Kiel", "1/1/2020"},
                                 {"Cy", "Hof", "1/1/2020"},
                                 {"Dee", "Ulm", "1/1/2020"},
                                 {"Eve", "Jena", "1/1/2020"}};

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// File > Compare with backup and Compare with file..., and the comparison's dock.
class TestCompareCommands
    : public QObject
    , private MainWindowFixture
{
    Q_OBJECT

private:
    CompareCommands &compare() { return mWindow->commandGroups().get<CompareCommands>(); }
    ComparisonModel &model() { return compare().model(); }
    QString summary() { return compare().panel().summary->text(); }
    // The marks of the compared records, one character each ('=' for the same).
    QString marks()
    {
        QString text;
        for (int row = 0; row < model().rowCount(); ++row) {
            const QString mark = model().index(row, 0).data().toString();
            text += mark.isEmpty() ? u"="_s : mark;
        }
        return text;
    }
    QByteArrayList cities() { return columnCells(windowDatabase(), 2); }
    void settle()
    {
        QCoreApplication::processEvents();
        compare().refreshComparison();
    }

private Q_SLOTS:
    void initTestCase() { initFixture(); }
    void init() { startTest(); }
    void cleanup() { endTest(); }

    void backupShowsTheChangesSinceTheSave();
    void takeAll_data();
    void takeAll();
    void unreadableOtherFileChangesNothing();
    void takeBeyondTheLargestDatabaseIsRefused();
};

void TestCompareCommands::backupShowsTheChangesSinceTheSave()
{
    openBytes(u"People.pdb"_s, people(Five));
    QVERIFY(!enabled("actionCompareWithBackup"));
    typeInto(2, 2, u"Rom"_s);
    typeInto(1, 4, u"Dora"_s);
    windowAction(u"actionSave"_s)->trigger();
    QVERIFY(enabled("actionCompareWithBackup"));

    windowAction(u"actionCompareWithBackup"_s)->trigger();
    QVERIFY(compare().actionComparison->isChecked());
    QCOMPARE(marks(), u"=~=~="_s);
    QVERIFY2(summary().endsWith(u"0 added, 0 removed, 2 changed in 2 field(s)"_s),
             qPrintable(summary()));
    QCOMPARE(model().index(1, 2).data(Qt::ToolTipRole).toString(), u"Other version: Kiel"_s);
    QCOMPARE(model().index(1, 2).data().toString(), u"Rom"_s);
    QVERIFY(!model().index(1, 1).data(Qt::ToolTipRole).isValid());
    compare().actionNextChange->trigger();
    compare().actionNextChange->trigger();
    QCOMPARE(compare().panel().view->currentIndex().row(), 3);
    QCOMPARE(mWindow->currentRecord(), 4);
    QCOMPARE(mWindow->currentField(), 1);
    compare().actionPreviousChange->trigger();
    QCOMPARE(compare().panel().view->currentIndex().row(), 1);

    // Take Bob's city back: one step, the record stamped as an edit stamps it, nothing saved.
    QUndoStack &stack = windowDocument().history().stack();
    const int steps = stack.count();
    const QByteArray saved = readAll(windowDatabase().filePath());
    compare().panel().view->setCurrentIndex(model().index(1, 2));
    compare().panel().take->click();
    QCOMPARE(stack.count(), steps + 1);
    QCOMPARE(cities().at(1), "Kiel"_ba);
    QCOMPARE(windowDatabase().cell(3, 2),
             windowDocument().regional().dateText(QDate::currentDate()));
    QCOMPARE(readAll(windowDatabase().filePath()), saved);
    settle();
    QCOMPARE(marks(), u"===~="_s);
    // Stamps counted: the taken record differs in its stamp now.
    compare().panel().ignoreStamps->click();
    QCOMPARE(marks(), u"=~=~="_s);
    compare().panel().ignoreStamps->click();

    stack.undo();
    settle();
    QCOMPARE(cities().at(1), "Rom"_ba);
    QCOMPARE(marks(), u"=~=~="_s);

    // Changes only, and the comparison follows a new edit.
    compare().panel().show->setCurrentIndex(1);
    QCOMPARE(marks(), u"~~"_s);
    typeInto(2, 1, u"Linz"_s);
    settle();
    QCOMPARE(marks(), u"~~~"_s);

    // A save keeps a new backup, the file as the first save left it: the comparison goes on
    // with it, and only the edit since shows.
    windowAction(u"actionSave"_s)->trigger();
    QCOMPARE(marks(), u"~"_s);
    QVERIFY2(summary().endsWith(u"0 added, 0 removed, 1 changed in 1 field(s)"_s),
             qPrintable(summary()));
}

void TestCompareCommands::takeAll_data()
{
    QTest::addColumn<QList<QByteArrayList>>("other");
    QTest::addColumn<QList<QByteArrayList>>("open");
    QTest::addColumn<QString>("marks");

    const QByteArrayList ann{"Ann", "Bonn", ""}, bob{"Bob", "Kiel", ""}, cy{"Cy", "Hof", ""},
        dee{"Dee", "Ulm", ""}, eve{"Eve", "Jena", ""}, zed{"Zed", "Wien", ""};
    const QByteArrayList bob2{"Bob", "Rom", ""};
    QTest::newRow("a removed record comes back at its place")
        << QList<QByteArrayList>{ann, bob, cy} << QList<QByteArrayList>{ann, cy} << u"=-="_s;
    QTest::newRow("an added record goes")
        << QList<QByteArrayList>{ann, cy} << QList<QByteArrayList>{ann, bob, cy} << u"=+="_s;
    QTest::newRow("removed, changed and added side by side")
        << QList<QByteArrayList>{ann, bob, cy, dee, eve}
        << QList<QByteArrayList>{zed, bob2, cy, eve} << u"-+~=-="_s;
    QTest::newRow("removed records at the start and the end")
        << QList<QByteArrayList>{ann, bob, cy, dee} << QList<QByteArrayList>{bob, cy} << u"-==-"_s;
}

// Take all gives the open database the other version's records, as one step that undo takes
// back whole.
void TestCompareCommands::takeAll()
{
    QFETCH(QList<QByteArrayList>, other);
    QFETCH(QList<QByteArrayList>, open);
    QFETCH(QString, marks);

    openBytes(u"Open.pdb"_s, people(open));
    QVERIFY(compare().compareWith(writeFile(u"Other.pdb"_s, people(other))));
    compare().panel().matchBy->setCurrentIndex(1);
    compare().refreshComparison();
    QCOMPARE(this->marks(), marks);
    QUndoStack &stack = windowDocument().history().stack();
    const int steps = stack.count();
    const QList<QByteArrayList> before = databaseTable(windowDatabase());
    compare().panel().takeAll->click();
    QCOMPARE(stack.count(), steps + 1);
    QList<QByteArrayList> expected = before.mid(0, 1) + other;
    QList<QByteArrayList> now = databaseTable(windowDatabase());
    for (int row = 1; row < now.size(); ++row)
        now[row][2] = ""; // the stamps of taken records
    QCOMPARE(now, expected);
    const QList<QByteArrayList> after = databaseTable(windowDatabase());
    settle();
    QCOMPARE(this->marks(), QString(other.size(), u'='));
    stack.undo();
    QCOMPARE(databaseTable(windowDatabase()), before);
    stack.redo();
    QCOMPARE(databaseTable(windowDatabase()), after);
}

void TestCompareCommands::unreadableOtherFileChangesNothing()
{
    openBytes(u"People.pdb"_s, people(Five));
    QVERIFY(compare().compareWith(writeFile(u"First.pdb"_s, people(Five.mid(0, 4)))));
    QCOMPARE(marks(), u"===="_s + u"+"_s);
    const QString foreign = writeFile(u"Foreign.pdb"_s, PdbBuilder().type("DATA").build());
    mPrompter->expect(u"Information"_s, u"It's not a Kribo database."_s, Icon::Error, Buttons::Ok,
                      Answer::Ok);
    QVERIFY(!compare().compareWith(foreign));
    QCOMPARE(marks(), u"====+"_s);
    QVERIFY(!windowDocument().isModified());
    QCOMPARE(readAll(foreign), PdbBuilder().type("DATA").build());
}

// A removed record taken back into a database of 9999 records would make one more than a file
// holds: refused whole; taking all, which also removes the added record, is not.
void TestCompareCommands::takeBeyondTheLargestDatabaseIsRefused()
{
    QList<QByteArrayList> open;
    for (int record = 1; record <= 9999; ++record)
        open.append({"R" + QByteArray::number(record), "Town", ""});
    QList<QByteArrayList> other = open.mid(0, 9998);
    other.prepend({"X", "Town", ""});
    openBytes(u"Open.pdb"_s, people(open));
    QVERIFY(compare().compareWith(writeFile(u"Other.pdb"_s, people(other))));
    QCOMPARE(model().index(0, 0).data().toString(), u"-"_s);
    compare().panel().view->setCurrentIndex(model().index(0, 1));
    mPrompter->expect(u"Information"_s, u"You mustn't have more than 9999 rows in Kribo"_s,
                      Icon::Error, Buttons::Ok, Answer::Ok);
    compare().panel().take->click();
    QCOMPARE(windowDatabase().recordCount(), 9999);
    QVERIFY(!windowDocument().isModified());
    compare().panel().takeAll->click();
    QCOMPARE(windowDatabase().recordCount(), 9999);
    QCOMPARE(windowDatabase().cell(1, 1), "X"_ba);
    QCOMPARE(windowDatabase().cell(1, 9999), "R9998"_ba);
}

QTEST_MAIN(TestCompareCommands)
#include "tst_compare_commands.moc"
