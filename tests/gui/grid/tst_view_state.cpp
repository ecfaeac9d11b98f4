// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/view_state.h"
#include "core/model/database.h"
#include "gui/grid/database_document.h"
#include "gui/grid/document_door_p.h"
#include "history_checks.h"
#include "test_regional.h"

#include <QSignalSpy>
#include <QTest>

#include <functional>

using namespace kribed;

namespace {

// Three fields of four records holding "field.record".
void fill(Database &database)
{
    database.setShape(3, 4);
    for (int field = 1; field <= 3; ++field) {
        for (int record = 1; record <= 4; ++record)
            database.setCell(field, record,
                             QByteArray::number(field) + '.' + QByteArray::number(record));
    }
}

QVector<int> hiddenRecords(const Database &database)
{
    QVector<int> hidden;
    for (int record = 1; record <= database.recordCount(); ++record) {
        if (database.isHidden(record))
            hidden << record;
    }
    return hidden;
}

using Change = std::function<void(ViewState &)>;

} // namespace

Q_DECLARE_METATYPE(Change)

class TestViewState : public QObject
{
    Q_OBJECT

private:
    DatabaseDocument *mDocument = nullptr;

    QUndoStack &stack() { return mDocument->history().stack(); }

private Q_SLOTS:
    void init()
    {
        kribed::test::failOnHistoryEnded();
        mDocument = new DatabaseDocument(kribed::test::testRegional(), this);
        DocumentDoor(*mDocument).resetWith([](Database &database) { fill(database); });
    }

    void cleanup()
    {
        delete mDocument;
        mDocument = nullptr;
    }

    // A recorded change is undone and redone part by part: a mode switched since (no step of its
    // own) stays as switched, and only a new filter text marks the database changed.
    void recordedChangeTakesBackOnlyItsOwnParts_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<bool>("marksChanged");
        QTest::newRow("filter text")
            << Change([](ViewState &s) { s.filter.first().text = "2.2"; }) << true;
        QTest::newRow("match options") << Change([](ViewState &s) {
            s.filter.first().mustBeginWith = true;
            s.filter.first().exclude = true;
        }) << false;
        QTest::newRow("field searched and the file's field") << Change([](ViewState &s) {
            s.filter.first().field = 2;
            s.storedFilterField = 2;
        }) << false;
        QTest::newRow("filter on") << Change([](ViewState &s) { s.filterOn = true; }) << false;
        QTest::newRow("display font and script") << Change([](ViewState &s) {
            s.displayFont = QStringLiteral("Courier,10,-1,5,400,0,0,0,0,0,0,0,0,0,0,1");
            s.fontCharSet = 204;
        }) << false;
        QTest::newRow("sort's reverse flags") << Change([](ViewState &s) {
            s.secondaryReverse = true;
            s.tertiaryReverse = true;
        }) << false;
    }

    void recordedChangeTakesBackOnlyItsOwnParts()
    {
        QFETCH(Change, change);
        QFETCH(bool, marksChanged);
        const ViewState before = mDocument->viewState();
        ViewState after = before;
        change(after);
        QSignalSpy changed(mDocument, &DatabaseDocument::viewStateChanged);
        mDocument->changeViewState(after, QStringLiteral("Filter bar"));
        QCOMPARE(stack().count(), 1);
        QCOMPARE(mDocument->viewState(), after);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(mDocument->database().isModified(), marksChanged);

        ViewState toggled = mDocument->viewState();
        toggled.rowSumOn = true;
        mDocument->changeViewState(toggled);
        QCOMPARE(stack().count(), 1);

        stack().undo();
        ViewState expected = before;
        expected.rowSumOn = true;
        QCOMPARE(mDocument->viewState(), expected);
        QVERIFY(!mDocument->database().isModified());
        stack().redo();
        QCOMPARE(mDocument->viewState(), toggled);
        QCOMPARE(mDocument->database().isModified(), marksChanged);
    }

    void unchangedStateKeepsNoStep()
    {
        QSignalSpy changed(mDocument, &DatabaseDocument::viewStateChanged);
        mDocument->changeViewState(mDocument->viewState(), QStringLiteral("Filter bar"));
        QCOMPARE(stack().count(), 0);
        QCOMPARE(changed.count(), 0);
    }

    // The filter's text and switch are the database's own; a filter changed while on shows at its
    // next run, and the choices outlast the database they were made on.
    void filterRunsWithTheStateAndOutlastsTheDatabase()
    {
        ViewState state = mDocument->viewState();
        state.filter.first().text = "2.2";
        state.filterOn = true;
        mDocument->changeViewState(state);
        QCOMPARE(mDocument->database().filterText(), QByteArray("2.2"));
        QVERIFY(mDocument->database().filterOn());
        QCOMPARE(hiddenRecords(mDocument->database()), (QVector<int>{1, 3, 4}));

        state.filter.first().exclude = true;
        mDocument->changeViewState(state);
        QCOMPARE(hiddenRecords(mDocument->database()), (QVector<int>{1, 3, 4}));
        mDocument->showFilteredRecords();
        QCOMPARE(hiddenRecords(mDocument->database()), QVector<int>{2});

        state.filterOn = false;
        mDocument->changeViewState(state);
        QVERIFY(hiddenRecords(mDocument->database()).isEmpty());

        QSignalSpy changed(mDocument, &DatabaseDocument::viewStateChanged);
        Database other;
        fill(other);
        other.setFilterText("3.1");
        mDocument->replace(other);
        QCOMPARE(changed.count(), 1);
        const ViewState kept = mDocument->viewState();
        QVERIFY(kept.filter.first().exclude);
        QCOMPARE(kept.filter.first().text, QByteArray("3.1"));
        QVERIFY(!kept.filterOn);
    }
};

QTEST_MAIN(TestViewState)
#include "tst_view_state.moc"
