// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/cell_clipboard.h"
#include "core/model/database.h"
#include "gui/grid/database_document.h"
#include "gui/grid/document_door_p.h"
#include "gui/grid/recorded_edits.h"
#include "test_regional.h"

#include <QTest>

#include <type_traits>
#include <utility>

using namespace kribed;
using kribed::test::testRegional;

namespace {

// Whether code outside the document can hand a change the database itself.
struct AnyChange
{
    void operator()(Database &) const {}
};
template<class D, class = void> struct CanChangeCells : std::false_type
{
};
template<class D>
struct CanChangeCells<
    D, std::void_t<decltype(std::declval<D &>().changeCells(1, 1, 1, 1, AnyChange()))>>
    : std::true_type
{
};
template<class D, class = void> struct CanResetWith : std::false_type
{
};
template<class D>
struct CanResetWith<D, std::void_t<decltype(std::declval<D &>().resetWith(AnyChange()))>>
    : std::true_type
{
};
template<class D, class = void> struct CanSetModified : std::false_type
{
};
template<class D>
struct CanSetModified<D, std::void_t<decltype(std::declval<D &>().setModified())>> : std::true_type
{
};

Database filled(bool modified)
{
    Database database;
    database.setShape(2, 3);
    database.setName("Names");
    for (int record = 1; record <= 3; ++record)
        database.setCell(1, record, "r" + QByteArray::number(record));
    if (modified)
        database.setModified();
    return database;
}

enum class Start { New, Unsaved };

} // namespace

Q_DECLARE_METATYPE(Start)

// The modified mark is the history's: neither a database's own flag nor a core operation's flag
// decides it, and a change no step holds still marks the database changed.
class TestDocumentDoor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rawChangesArePrivate()
    {
        QVERIFY(!CanChangeCells<DatabaseDocument>::value);
        QVERIFY(!CanResetWith<DatabaseDocument>::value);
        QVERIFY(!CanSetModified<DatabaseDocument>::value);
        QVERIFY(CanChangeCells<DocumentDoor>::value);
    }

    void markComesFromTheHistory_data()
    {
        QTest::addColumn<Start>("start");
        QTest::addColumn<bool>("flagHandedIn");
        QTest::addColumn<QByteArray>("change");
        QTest::addColumn<bool>("marked");
        QTest::addColumn<bool>("markedAfterUndo");
        QTest::newRow("new, flag handed in")
            << Start::New << true << QByteArray() << false << false;
        QTest::newRow("imported, no flag")
            << Start::Unsaved << false << QByteArray() << true << true;
        QTest::newRow("new, cell edited")
            << Start::New << false << QByteArray("edit") << true << false;
        QTest::newRow("imported, cell edited")
            << Start::Unsaved << false << QByteArray("edit") << true << true;
        QTest::newRow("new, same text pasted")
            << Start::New << false << QByteArray("same") << true << true;
        QTest::newRow("new, record taken by a change of cells")
            << Start::New << false << QByteArray("shape") << true << true;
        QTest::newRow("new, nothing changed")
            << Start::New << true << QByteArray("nothing") << false << false;
    }

    void markComesFromTheHistory()
    {
        QFETCH(Start, start);
        QFETCH(bool, flagHandedIn);
        QFETCH(QByteArray, change);
        QFETCH(bool, marked);
        QFETCH(bool, markedAfterUndo);
        DatabaseDocument document(testRegional());
        start == Start::New ? document.replace(filled(flagHandedIn))
                            : document.replaceUnsaved(filled(flagHandedIn));
        const auto cells = [&](auto operation) {
            recordCells(document, QStringLiteral("Change"), 1, 3, operation);
        };
        if (change == "edit")
            cells([](Database &d) { d.setCell(1, 2, "new"); });
        else if (change == "same")
            cells(
                [](Database &d) { return pasteCell(d, 1, 2, "r2", QDateTime(), testRegional()); });
        else if (change == "shape")
            cells([](Database &d) { d.takeRecord(3); });
        else if (change == "nothing")
            cells([](Database &d) {
                d.setModified();
                d.clearModified();
            });
        QCOMPARE(document.isModified(), marked);
        QCOMPARE(document.database().isModified(), marked);
        document.history().stack().undo();
        QCOMPARE(document.isModified(), markedAfterUndo);
        QCOMPARE(document.database().isModified(), markedAfterUndo);
        document.history().markSaved();
        QVERIFY(!document.isModified());
        QVERIFY(!document.database().isModified());
    }

    // The settings of the whole database go back and forth as one value.
    void settingsStepKeepsEverySetting_data()
    {
        QTest::addColumn<int>("which");
        for (int which = 0; which < 8; ++which)
            QTest::addRow("setting %d", which) << which;
    }

    void settingsStepKeepsEverySetting()
    {
        QFETCH(int, which);
        DatabaseDocument document(testRegional());
        document.replace(filled(false));
        const DatabaseSettings before = document.database().settings();
        DatabaseSettings after = before;
        switch (which) {
        case 0: after.name = "Other"; break;
        case 1: after.flags.kriboFilter = true; break;
        case 2: after.filterText = "r"; break;
        case 3: after.filterField = 1; break;
        case 4: after.filterOn = true; break;
        case 5: after.secondarySort = 2; break;
        case 6: after.tertiarySort = 1; break;
        default: after.increment = 5; break;
        }
        QVERIFY(after != before);
        recordSettings(document, {}, [&](Database &d) { d.setSettings(after); });
        QCOMPARE(document.history().stack().count(), 1);
        document.history().stack().undo();
        QVERIFY(document.database().settings() == before);
        document.history().stack().redo();
        QVERIFY(document.database().settings() == after);
        QVERIFY(document.isModified());
    }
};

QTEST_MAIN(TestDocumentDoor)
#include "tst_document_door.moc"
