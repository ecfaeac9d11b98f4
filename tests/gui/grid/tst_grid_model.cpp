// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "core/model/regional.h"
#include "gui/grid/database_document.h"
#include "gui/grid/document_door_p.h"
#include "gui/grid/grid_model.h"
#include "gui/grid/recorded_edits.h"
#include "literal_texts.h"
#include "test_regional.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

using namespace kribed;
using kribed::test::texts;

namespace {

// Fills a database of the given shape with "f.r" texts so moves can be traced.
void fill(Database &database, int fields, int records)
{
    database.setShape(fields, records);
    for (int field = 1; field <= fields; ++field) {
        database.setFieldName(field, "F" + QByteArray::number(field));
        for (int record = 1; record <= records; ++record)
            database.setCell(field, record,
                             QByteArray::number(field) + '.' + QByteArray::number(record));
    }
}

} // namespace

class TestGridModel : public QObject
{
    Q_OBJECT

private:
    DatabaseDocument *mDocument = nullptr;
    QAbstractItemModelTester *mTester = nullptr;

    GridModel &model() { return mDocument->model(); }
    QString text(int field, int record)
    {
        return model().index(record - 1, field - 1).data().toString();
    }

private Q_SLOTS:
    void init()
    {
        mDocument = new DatabaseDocument(kribed::test::testRegional("windows-1251"), this);
        mTester = new QAbstractItemModelTester(
            &mDocument->model(), QAbstractItemModelTester::FailureReportingMode::QtTest, mDocument);
        DocumentDoor(*mDocument).resetWith([](Database &database) { fill(database, 3, 4); });
    }

    void cleanup()
    {
        delete mDocument;
        mDocument = nullptr;
    }

    void showsFieldsAsColumnsAndRecordsAsRows()
    {
        QCOMPARE(model().rowCount(), 4);
        QCOMPARE(model().columnCount(), 3);
        QCOMPARE(text(2, 3), QStringLiteral("2.3"));
        QCOMPARE(model().headerData(1, Qt::Horizontal).toString(), QStringLiteral("F2"));
        QCOMPARE(model().headerData(0, Qt::Vertical).toString(), QStringLiteral("0001"));
        QCOMPARE(model().headerData(3, Qt::Vertical).toString(), QStringLiteral("0004"));
        QVERIFY(model().flags(model().index(0, 0)) & Qt::ItemIsEditable);
    }

    void cellTextsThroughTheCodePage()
    {
        DocumentDoor(*mDocument).resetWith([](Database &database) {
            database.setCell(1, 1, "\xc6\xe0\xf0");
            database.setFieldName(1, "\xc8\xec\xff");
        });
        QCOMPARE(text(1, 1), QString::fromUtf8("Жар"));
        QCOMPARE(model().headerData(0, Qt::Horizontal).toString(), QString::fromUtf8("Имя"));
    }

    void lineBreaksShownAndKeptForEditing()
    {
        DocumentDoor(*mDocument).resetWith([](Database &database) {
            database.setCell(2, 2, "a\r\nb");
        });
        const QModelIndex index = model().index(1, 1);
        QCOMPARE(index.data(Qt::DisplayRole).toString(), QStringLiteral("a\nb"));
        QCOMPARE(index.data(Qt::EditRole).toString(), QStringLiteral("a\r\nb"));
        // Committing the text as the editor got it changes nothing.
        QVERIFY(model().setData(index, index.data(Qt::EditRole)));
        QCOMPARE(mDocument->database().cell(2, 2), QByteArray("a\r\nb"));
        QVERIFY(!mDocument->database().isModified());
    }

    void longValuesShownFromTheirStart_data()
    {
        QTest::addColumn<QByteArray>("cell");
        QTest::addColumn<QString>("shown");
        QTest::newRow("the longest value a file keeps is shown whole")
            << QByteArray(4000, 'w') << QString(4000, u'w');
        QTest::newRow("an imported 5 MB value is shown from its start")
            << QByteArray(5 * 1024 * 1024, 'w') << QString(4000, u'w');
        // 1000 lines: 4999 bytes in the file (a line break is LF there), 5998 in the cell.
        const QByteArray lines = QByteArray("wwww\r\n").repeated(999) + "wwww";
        QTest::newRow("line breaks take one byte of the file each")
            << lines << QStringLiteral("wwww\n").repeated(800);
    }

    // What the grid draws from is bounded, so no value makes painting slow; editing gets it all.
    void longValuesShownFromTheirStart()
    {
        QFETCH(QByteArray, cell);
        QFETCH(QString, shown);
        DocumentDoor(*mDocument).resetWith([&cell](Database &database) {
            database.setCell(2, 2, cell);
        });
        const QModelIndex index = model().index(1, 1);
        QCOMPARE(index.data(Qt::DisplayRole).toString(), shown);
        QCOMPARE(index.data(Qt::EditRole).toString().size(), cell.size());
    }

    void typingEncodesAndReportsTheEdit_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("letters of the code page")
            << QString::fromUtf8("Жук") << QByteArray("\xc6\xf3\xea");
        QTest::newRow("letter outside the code page")
            << QString::fromUtf8("Ж€ä") << QByteArray("\xc6\x88?");
        QTest::newRow("empty text") << QString() << QByteArray();
    }

    void typingEncodesAndReportsTheEdit()
    {
        QFETCH(QString, typed);
        QFETCH(QByteArray, stored);
        QSignalSpy edited(&model(), &GridModel::cellEdited);
        QSignalSpy changed(&model(), &QAbstractItemModel::dataChanged);
        QVERIFY(model().setData(model().index(2, 1), typed));
        QCOMPARE(mDocument->database().cell(2, 3), stored);
        QVERIFY(mDocument->database().isModified());
        QCOMPARE(edited.count(), 1);
        QCOMPARE(edited.first().at(0).toInt(), 2);
        QCOMPARE(edited.first().at(1).toInt(), 3);
        // One change for the record: the typed cell and any stamped cells beside it.
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.first().at(0).toModelIndex(), model().index(2, 0));
        QCOMPARE(changed.first().at(1).toModelIndex(), model().index(2, 2));
    }

    void committingUnchangedTextKeepsTheBytes()
    {
        // 0x98 is no character in windows-1251: shown as a replacement, never written back.
        DocumentDoor(*mDocument).resetWith([](Database &database) {
            database.setCell(1, 2, "a\x98z");
        });
        QSignalSpy edited(&model(), &GridModel::cellEdited);
        QVERIFY(model().setData(model().index(1, 0), text(1, 2)));
        QCOMPARE(mDocument->database().cell(1, 2), QByteArray("a\x98z"));
        QVERIFY(!mDocument->database().isModified());
        QCOMPARE(edited.count(), 0);
    }

    void rowAndColumnChangesKeepTheModelConsistent()
    {
        DocumentDoor(*mDocument).insertRecords(2, 2, [](Database &database) {
            database.insertRecord(2, {"new"});
            database.insertRecord(2);
        });
        QCOMPARE(model().rowCount(), 6);
        QCOMPARE(text(1, 3), QStringLiteral("new"));
        QCOMPARE(text(1, 4), QStringLiteral("1.2"));

        DocumentDoor(*mDocument).removeRecords(1, 2, [](Database &database) {
            database.takeRecord(1);
            database.takeRecord(1);
        });
        QCOMPARE(text(1, 1), QStringLiteral("new"));

        QSignalSpy widths(mDocument, &DatabaseDocument::columnWidthsChanged);
        DocumentDoor(*mDocument).insertFields(4, 1, [](Database &database) {
            database.insertField(4, "F4", 50);
        });
        QCOMPARE(model().columnCount(), 4);
        QCOMPARE(widths.count(), 1);
        DocumentDoor(*mDocument).removeFields(1, 1, [](Database &database) {
            database.removeField(1);
        });
        QCOMPARE(model().headerData(0, Qt::Horizontal).toString(), QStringLiteral("F2"));
        QCOMPARE(model().headerData(2, Qt::Horizontal).toString(), QStringLiteral("F4"));
    }

    void draggedRowsAndColumnsMoveWholeAndMarkModified_data()
    {
        QTest::addColumn<bool>("rows");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("record 4 above record 2")
            << true << 4 << 2 << texts({"1.1", "1.4", "1.2", "1.3"});
        QTest::newRow("record 1 to the end")
            << true << 1 << 4 << texts({"1.2", "1.3", "1.4", "1.1"});
        QTest::newRow("field 3 to the first place")
            << false << 3 << 1 << texts({"3.1", "1.1", "2.1"});
        QTest::newRow("field 1 to the last place")
            << false << 1 << 3 << texts({"2.1", "3.1", "1.1"});
    }

    void draggedRowsAndColumnsMoveWholeAndMarkModified()
    {
        QFETCH(bool, rows);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QStringList, order);
        const QPersistentModelIndex moved =
            rows ? model().index(from - 1, 1) : model().index(1, from - 1);
        if (rows)
            recordRecordMove(*mDocument, {}, from, to);
        else
            recordFieldMove(*mDocument, {}, from, to, [](Database &) {});
        QStringList actual;
        for (int place = 1; place <= order.size(); ++place)
            actual << (rows ? text(1, place) : text(place, 1));
        QCOMPARE(actual, order);
        QVERIFY(mDocument->database().isModified());
        QCOMPARE(rows ? moved.row() : moved.column(), to - 1);
    }

    void reorderKeepsSelectionWithItsRecord()
    {
        const QPersistentModelIndex third = model().index(2, 0);
        DocumentDoor(*mDocument).reorderRecords([](Database &database) {
            // Reverse the four records.
            for (int record = 1; record < 4; ++record)
                database.moveRecord(4, record);
            return QVector<int>{3, 2, 1, 0};
        });
        QCOMPARE(third.row(), 1);
        QCOMPARE(third.data().toString(), QStringLiteral("1.3"));
        QCOMPARE(text(1, 1), QStringLiteral("1.4"));
    }

    void headerHintsBreakTheirLines()
    {
        QCOMPARE(model().headerData(0, Qt::Horizontal, Qt::ToolTipRole), QVariant());
        model().setHeaderHintSource(
            [](int field) { return QStringLiteral("Float\rTotal: %1\r\nWidth: 40").arg(field); });
        QCOMPARE(model().headerData(1, Qt::Horizontal, Qt::ToolTipRole).toString(),
                 QStringLiteral("Float\nTotal: 2\nWidth: 40"));
        // Record numbers have no hint.
        QCOMPARE(model().headerData(1, Qt::Vertical, Qt::ToolTipRole), QVariant());
    }

    // A second file beside the open one: its own cells, names and code page, and nothing typed
    // reaches either database.
    void secondFileShowsReadOnlyBesideTheOpenOne_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("record");
        QTest::addColumn<bool>("hidden");
        QTest::newRow("a cell in its own code page") << 1 << 1 << false;
        QTest::newRow("the last cell") << 2 << 5 << false;
        QTest::newRow("a hidden record") << 2 << 3 << true;
    }

    void secondFileShowsReadOnlyBesideTheOpenOne()
    {
        QFETCH(int, field);
        QFETCH(int, record);
        QFETCH(bool, hidden);
        Database other;
        fill(other, 2, 5);
        other.setCell(1, 1, "\xc4pfel");
        other.setFieldName(2, QByteArray("Gr\xf6\xdf") + 'e');
        other.setHidden(3, true);
        const Regional western = kribed::test::testRegional("windows-1252");
        GridModel backup(other, western);
        QAbstractItemModelTester tester(&backup,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);

        QCOMPARE(backup.rowCount(), 5);
        QCOMPARE(backup.columnCount(), 2);
        QCOMPARE(backup.index(0, 0).data().toString(), QString::fromUtf8("Äpfel"));
        QCOMPARE(backup.headerData(1, Qt::Horizontal).toString(), QString::fromUtf8("Größe"));
        QCOMPARE(backup.headerData(4, Qt::Vertical).toString(), QStringLiteral("0005"));
        // The open document's grid goes on showing its own database.
        QCOMPARE(model().rowCount(), 4);
        QCOMPARE(text(1, 1), QStringLiteral("1.1"));

        const QModelIndex index = backup.index(record - 1, field - 1);
        QVERIFY(!(backup.flags(index) & Qt::ItemIsEditable));
        QCOMPARE(bool(backup.flags(index) & Qt::ItemIsEnabled), !hidden);
        const QByteArray before = other.cell(field, record);
        QVERIFY(!backup.setData(index, QStringLiteral("typed")));
        QCOMPARE(other.cell(field, record), before);
        QVERIFY(!other.isModified());
        QCOMPARE(mDocument->database().cell(1, 1), QByteArray("1.1"));
        QCOMPARE(mDocument->history().stack().count(), 0);
    }

    void closeLeavesNothingOpen()
    {
        DocumentDoor(*mDocument).resetWith([](Database &database) { database.setName("X"); });
        mDocument->markChanged();
        mDocument->close();
        QCOMPARE(model().rowCount(), 0);
        QCOMPARE(model().columnCount(), 0);
        QVERIFY(mDocument->database().name().isEmpty());
        QVERIFY(!mDocument->database().isModified());
    }
};

QTEST_MAIN(TestGridModel)
#include "tst_grid_model.moc"
