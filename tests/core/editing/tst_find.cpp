// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/find.h"
#include "core/model/regional.h"
#include "scripted_prompter.h"
#include "table_database.h"

#include <QtTest>

using namespace kribed;
using kribed::test::ScriptedPrompter;
using kribed::test::tableDatabase;

Q_DECLARE_METATYPE(kribed::GridCell)

namespace {

void expectNotFound(ScriptedPrompter &prompter)
{
    prompter.expect(QStringLiteral("Find error"), QStringLiteral("Search text not found."),
                    Icon::None, Buttons::Ok, Answer::Ok);
}

// Every match of a search from the current row on, until "Search text not found.".
QList<GridCell> allMatches(const Database &database, const FindSettings &settings, int currentRow,
                           ScriptedPrompter &prompter)
{
    expectNotFound(prompter);
    FindState state;
    QList<GridCell> found;
    while (const std::optional<GridCell> cell =
               searchNext(database, state, settings, currentRow, prompter)) {
        found.append(*cell);
        if (found.size() > 100)
            break;
    }
    return found;
}

} // namespace

class TestFind : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void visitingOrder_data();
    void visitingOrder();
    void matching_data();
    void matching();
    void notFoundKeepsStateClear();
    void continuesAfterRowsDeleted();
};

void TestFind::visitingOrder_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("field");
    QTest::addColumn<bool>("fromStart");
    QTest::addColumn<int>("currentRow");
    QTest::addColumn<QList<GridCell>>("expected");

    // The table of visitingOrder: "ab" in (1,1) (3,1) (2,2) (1,4) (3,5) and in the names row.
    QTest::newRow("rows below the current one, left to right, two in one row")
        << QByteArray("ab") << 0 << false << 0
        << QList<GridCell>{{1, 1}, {3, 1}, {2, 2}, {1, 4}, {3, 5}};
    QTest::newRow("from the start includes row 1")
        << QByteArray("ab") << 0 << true << 1
        << QList<GridCell>{{1, 1}, {3, 1}, {2, 2}, {1, 4}, {3, 5}};
    QTest::newRow("without from the start the current row is skipped")
        << QByteArray("ab") << 0 << false << 1 << QList<GridCell>{{2, 2}, {1, 4}, {3, 5}};
    QTest::newRow("current row 4 only looks below")
        << QByteArray("ab") << 0 << false << 4 << QList<GridCell>{{3, 5}};
    QTest::newRow("matches only in the current row and above are not found")
        << QByteArray("ab") << 0 << false << 5 << QList<GridCell>{};
    QTest::newRow("one field limits the search to its column")
        << QByteArray("ab") << 1 << true << 3 << QList<GridCell>{{1, 1}, {1, 4}};
    QTest::newRow("a field beyond the last column finds nothing")
        << QByteArray("ab") << 7 << true << 1 << QList<GridCell>{};
    QTest::newRow("field names are never searched")
        << QByteArray("name") << 0 << true << 1 << QList<GridCell>{};
    QTest::newRow("record numbers are never searched")
        << QByteArray("0001") << 0 << true << 1 << QList<GridCell>{};
    QTest::newRow("empty string is never found")
        << QByteArray() << 0 << true << 1 << QList<GridCell>{};
}

void TestFind::visitingOrder()
{
    QFETCH(QByteArray, text);
    QFETCH(int, field);
    QFETCH(bool, fromStart);
    QFETCH(int, currentRow);
    QFETCH(QList<GridCell>, expected);

    Database database = tableDatabase({
        {"name1", "name2", "name3"},
        {"ab", "x", "xAB"},
        {"", "cab", ""},
        {"a b", "b", "a"},
        {"ABBA", "", "ba"},
        {"", "", "aab"},
    });
    database.setHidden(4, true); // hidden rows are searched too
    ScriptedPrompter prompter;
    const FindSettings settings{text, field, false, fromStart};
    QCOMPARE(allMatches(database, settings, currentRow, prompter), expected);
    KRIBED_VERIFY_PROMPTER(prompter);
}

void TestFind::matching_data()
{
    QTest::addColumn<QByteArray>("cell");
    QTest::addColumn<QByteArray>("search");
    QTest::addColumn<bool>("mustBegin");
    QTest::addColumn<bool>("matches");

    QTest::newRow("lower search finds upper inside")
        << QByteArray("xABCx") << QByteArray("abc") << false << true;
    QTest::newRow("must begin refuses a later start")
        << QByteArray("xABCx") << QByteArray("abc") << true << false;
    QTest::newRow("must begin takes any case at the start")
        << QByteArray("AbCd") << QByteArray("abc") << true << true;
    QTest::newRow("must begin with a later second occurrence")
        << QByteArray("abcabc") << QByteArray("ABC") << true << true;
    QTest::newRow("search longer than the cell")
        << QByteArray("ab") << QByteArray("abc") << false << false;
    QTest::newRow("match at the very end")
        << QByteArray("xxabc") << QByteArray("ABC") << false << true;
    QTest::newRow("accented letters match in the same case")
        << QByteArray("\xe9t\xe9") << QByteArray("\xe9T") << false << true;
    QTest::newRow("accented letters do not fold")
        << QByteArray("\xc9T\xc9") << QByteArray("\xe9t") << false << false;
    QTest::newRow("only a to z fold, not the bytes beside them")
        << QByteArray("[") << QByteArray("{") << false << false;
    QTest::newRow("line break inside a cell")
        << QByteArray("a\r\nb") << QByteArray("\nB") << false << true;
}

void TestFind::matching()
{
    QFETCH(QByteArray, cell);
    QFETCH(QByteArray, search);
    QFETCH(bool, mustBegin);
    QFETCH(bool, matches);

    Database database = tableDatabase({{"f"}, {cell}});
    ScriptedPrompter prompter;
    if (!matches)
        expectNotFound(prompter);
    FindState state;
    const std::optional<GridCell> found =
        searchNext(database, state, FindSettings{search, 0, mustBegin, true}, 1, prompter);
    QCOMPARE(found.has_value(), matches);
    QCOMPARE(state.findActive, matches);
    KRIBED_VERIFY_PROMPTER(prompter);
}

void TestFind::notFoundKeepsStateClear()
{
    // After the last match, Find next reports not found and clears the state, so the next Find
    // next starts a new search (the dialog opens again).
    Database database = tableDatabase({{"a", "b"}, {"x", "key"}, {"key", ""}});
    ScriptedPrompter prompter;
    expectNotFound(prompter);
    FindState state;
    const FindSettings settings{"KEY", 0, false, true};
    QCOMPARE(searchNext(database, state, settings, 1, prompter),
             std::optional<GridCell>(GridCell{2, 1}));
    QCOMPARE(searchNext(database, state, settings, 1, prompter),
             std::optional<GridCell>(GridCell{1, 2}));
    QVERIFY(!searchNext(database, state, settings, 1, prompter));
    QVERIFY(!state.findActive);
    KRIBED_VERIFY_PROMPTER(prompter);
}

void TestFind::continuesAfterRowsDeleted()
{
    // The last match was in row 4; rows and columns were deleted since: the search must stay
    // inside the table and end with "not found".
    Database database = tableDatabase({{"a", "b"}, {"key", "x"}, {"y", "z"}});
    ScriptedPrompter prompter;
    expectNotFound(prompter);
    FindState state{true, 4, 1};
    QVERIFY(!searchNext(database, state, FindSettings{"key", 0, false, false}, 1, prompter));
    state = FindState{true, 1, 5};
    expectNotFound(prompter);
    QVERIFY(!searchNext(database, state, FindSettings{"key", 0, false, false}, 1, prompter));
    KRIBED_VERIFY_PROMPTER(prompter);
}

QTEST_GUILESS_MAIN(TestFind)
#include "tst_find.moc"
