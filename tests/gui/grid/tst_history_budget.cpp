// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/cell_range.h"
#include "core/model/field_type.h"
#include "core/model/limits.h"
#include "core/model/pdb_reader.h"
#include "core/model/pdb_writer.h"
#include "gui/grid/database_document.h"
#include "gui/grid/document_door_p.h"
#include "gui/grid/recorded_edits.h"
#include "history_checks.h"
#include "scripted_prompter.h"
#include "test_regional.h"

#include <QBuffer>
#include <QSignalSpy>
#include <QTest>

using namespace kribed;
using kribed::test::ScriptedPrompter;
using kribed::test::testRegional;

namespace {

const QDateTime Now(QDate(2026, 12, 9), QTime(10, 30));

QByteArray fileOf(const Database &database)
{
    Database copy = database;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ScriptedPrompter prompter;
    return writeDatabase(buffer, copy, 1, Now, prompter) ? buffer.data() : QByteArray();
}

// The largest database, about 11 MB of texts, read from its file as an open does (so its
// records share the file's bytes), with a Modification Date field that a Delete stamps.
Database largestDatabase()
{
    Database database;
    database.setShape(MaxFields, MaxRecords);
    for (int field = 1; field <= MaxFields; ++field) {
        database.setFieldName(field, "Field " + QByteArray::number(field));
        database.setFieldType(field, field == 2 ? ModificationDateType : StringType);
    }
    for (int record = 1; record <= MaxRecords; ++record) {
        for (int field = 1; field <= MaxFields; ++field)
            database.setCell(field, record,
                             "Value " + QByteArray::number(record * 100 + field) + " of the table");
    }
    QBuffer file;
    file.setData(fileOf(database));
    file.open(QIODevice::ReadOnly);
    Database loaded;
    ScriptedPrompter prompter;
    readDatabase(file, QStringLiteral("/data/Largest.pdb"), loaded, prompter);
    return loaded;
}

// A paste of the whole table, as the clipboard carries it.
QByteArray wholeTableText(const QByteArray &word)
{
    QByteArray text;
    for (int record = 1; record <= MaxRecords; ++record) {
        for (int field = 1; field <= MaxFields; ++field) {
            text += word + QByteArray::number(record) + '-' + QByteArray::number(field);
            text += field < MaxFields ? '\t' : '\n';
        }
    }
    return text;
}

} // namespace

// What the undo history keeps of large changes, and what it tells when it must drop steps.
class TestHistoryBudget : public QObject
{
    Q_OBJECT

private:
    DatabaseDocument *mDocument = nullptr;
    EditHistory &history() { return mDocument->history(); }
    QUndoStack &stack() { return mDocument->history().stack(); }

    void clearAll()
    {
        const int records = mDocument->database().recordCount();
        const int fields = mDocument->database().fieldCount();
        recordCells(*mDocument, QStringLiteral("Delete"), 1, records, [&](Database &d) {
            return clearCellRange(d, {1, 1, fields, records}, Now, testRegional());
        });
    }
    void pasteAll(const QByteArray &word)
    {
        const CellBlock block = parseCellBlock(wholeTableText(word));
        recordCells(*mDocument, QStringLiteral("Paste"), 1, MaxRecords, [&](Database &d) {
            ScriptedPrompter prompter;
            return pasteCellBlock(d, 1, 1, block, Now, testRegional(), prompter);
        });
    }
    void edit(int field, int record, const QByteArray &text)
    {
        recordCells(*mDocument, QStringLiteral("Edit"), record, record,
                    [&](Database &d) { d.setCell(field, record, text); });
    }

private Q_SLOTS:
    void init()
    {
        mDocument = new DatabaseDocument(testRegional(), this);
        test::failOnHistoryEnded();
    }
    void cleanup()
    {
        delete mDocument;
        mDocument = nullptr;
    }

    void wholeTableChangesStayUndoable_data()
    {
        QTest::addColumn<QByteArrayList>("changes");
        QTest::newRow("delete, paste") << QByteArrayList{"delete", "paste"};
        QTest::newRow("paste, delete, paste") << QByteArrayList{"paste", "delete", "paste"};
        QTest::newRow("delete, paste, delete") << QByteArrayList{"delete", "paste", "delete"};
    }

    // Delete of every cell of the largest database and paste of a whole table, one after
    // another within the default budget: every one of them can be undone and redone, to the
    // byte.
    void wholeTableChangesStayUndoable()
    {
        QFETCH(QByteArrayList, changes);
        const Database largest = largestDatabase();
        QCOMPARE(largest.recordCount(), MaxRecords);
        DocumentDoor(*mDocument).resetWith([&](Database &d) { d = largest; });
        QSignalSpy dropped(&history(), &EditHistory::oldestStepsDropped);
        QList<QByteArray> files{fileOf(mDocument->database())};
        QList<QVector<Database::Record>> states{mDocument->database().records()};
        for (int i = 0; i < changes.size(); ++i) {
            changes.at(i) == "delete" ? clearAll() : pasteAll("p" + QByteArray::number(i));
            files.append(fileOf(mDocument->database()));
            states.append(mDocument->database().records());
            QVERIFY(files.last() != files.at(files.size() - 2));
        }
        qInfo("%d whole-table changes hold %lld bytes", int(changes.size()),
              qlonglong(history().bytesHeld()));
        QCOMPARE(dropped.count(), 0);
        QCOMPARE(stack().count(), int(changes.size()));
        for (int i = int(changes.size()) - 1; i >= 0; --i) {
            stack().undo();
            QVERIFY(fileOf(mDocument->database()) == files.at(i));
            QVERIFY(mDocument->database().records() == states.at(i));
        }
        for (int i = 1; i <= changes.size(); ++i) {
            stack().redo();
            QVERIFY(fileOf(mDocument->database()) == files.at(i));
            QVERIFY(mDocument->database().records() == states.at(i));
        }
    }

    void bytesHeldFollowTheKeptSteps_data()
    {
        QTest::addColumn<QByteArrayList>("script");
        QTest::addColumn<QByteArrayList>("kept");
        const QByteArrayList two{"e 1 9000", "e 2 8000"};
        QTest::newRow("undone steps replaced")
            << QByteArrayList{"e 1 9000", "e 2 8000", "e 3 7000", "u", "u", "e 3 5"}
            << QByteArrayList{"e 1 9000", "e 3 5"};
        QTest::newRow("undo and redo")
            << (two + QByteArrayList{"u", "u", "r"}) << QByteArrayList{"e 1 9000", "e 2 8000"};
        QTest::newRow("oldest over the budget")
            << QByteArrayList{"b 20000", "e 1 9000", "e 2 8000", "e 3 7000"}
            << QByteArrayList{"e 2 8000", "e 3 7000"};
        QTest::newRow("new history")
            << (two + QByteArrayList{"x", "e 3 100"}) << QByteArrayList{"e 3 100"};
    }

    // The history's size is that of the steps it keeps, however it came to keep them: a fresh
    // history of only those steps holds as much.
    void bytesHeldFollowTheKeptSteps()
    {
        QFETCH(QByteArrayList, script);
        QFETCH(QByteArrayList, kept);
        const auto run = [this](const QByteArrayList &steps) {
            DocumentDoor(*mDocument).resetWith([](Database &d) { d.setShape(2, 3); });
            history().restart(false);
            for (const QByteArray &step : steps) {
                const QList<QByteArray> part = step.split(' ');
                if (part[0] == "e")
                    edit(1, part[1].toInt(), QByteArray(part[2].toInt(), 'x'));
                else if (part[0] == "b")
                    history().setByteBudget(part[1].toInt());
                else if (part[0] == "x")
                    history().restart(false);
                else
                    part[0] == "u" ? stack().undo() : stack().redo();
            }
            return history().bytesHeld();
        };
        const qsizetype held = run(script);
        history().setByteBudget(EditHistory::DefaultByteBudget);
        QCOMPARE(held, run(kept));
        QVERIFY(held > 0);
        history().restart(false);
        QCOMPARE(history().bytesHeld(), 0);
    }

    // A step the budget pushes out is told once for the push that dropped it, and only then.
    void droppedStepsAreToldOnce()
    {
        DocumentDoor(*mDocument).resetWith([](Database &d) {
            d.setShape(2, 3);
            d.setCell(1, 1, "a");
        });
        QSignalSpy dropped(&history(), &EditHistory::oldestStepsDropped);
        const QByteArray big(10000, 'x');
        edit(1, 1, big);
        edit(1, 2, big);
        history().setByteBudget(25000);
        QCOMPARE(dropped.count(), 0);
        edit(1, 3, big); // three big steps do not fit: the oldest goes
        QCOMPARE(dropped.count(), 1);
        QCOMPARE(stack().count(), 2);
        stack().undo();
        edit(2, 1, "small"); // takes the place of the undone step: nothing dropped
        QCOMPARE(dropped.count(), 1);
        edit(2, 2, QByteArray(30000, 'y')); // alone over the budget: every older step goes
        QCOMPARE(dropped.count(), 2);
        QCOMPARE(stack().count(), 1);
    }
};

QTEST_MAIN(TestHistoryBudget)
#include "tst_history_budget.moc"
