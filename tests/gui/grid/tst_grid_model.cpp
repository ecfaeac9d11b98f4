// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "core/model/regional.h"
#include "gui/grid/database_document.h"
#include "gui/grid/grid_model.h"
#include "literal_texts.h"

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

    GridModel &Model() { return mDocument->Model(); }
    QString text(int field, int record)
    {
        return Model().index(record - 1, field - 1).data().toString();
    }

private Q_SLOTS:
    void init()
    {
        setCurrentRegional(Regional(QLocale(QStringLiteral("en_US")), "windows-1251"));
        mDocument = new DatabaseDocument(this);
        mTester = new QAbstractItemModelTester(
            &mDocument->Model(), QAbstractItemModelTester::FailureReportingMode::QtTest, mDocument);
        mDocument->ResetWith([](Database &database) { fill(database, 3, 4); });
    }

    void cleanup()
    {
        delete mDocument;
        mDocument = nullptr;
    }

    void showsFieldsAsColumnsAndRecordsAsRows()
    {
        QCOMPARE(Model().rowCount(), 4);
        QCOMPARE(Model().columnCount(), 3);
        QCOMPARE(text(2, 3), QStringLiteral("2.3"));
        QCOMPARE(Model().headerData(1, Qt::Horizontal).toString(), QStringLiteral("F2"));
        QCOMPARE(Model().headerData(0, Qt::Vertical).toString(), QStringLiteral("0001"));
        QCOMPARE(Model().headerData(3, Qt::Vertical).toString(), QStringLiteral("0004"));
        QVERIFY(Model().flags(Model().index(0, 0)) & Qt::ItemIsEditable);
    }

    void cellTextsThroughTheCodePage()
    {
        mDocument->Data().setCell(1, 1, "\xc6\xe0\xf0");
        mDocument->Data().setFieldName(1, "\xc8\xec\xff");
        QCOMPARE(text(1, 1), QString::fromUtf8("Жар"));
        QCOMPARE(Model().headerData(0, Qt::Horizontal).toString(), QString::fromUtf8("Имя"));
    }

    void lineBreaksShownAndKeptForEditing()
    {
        mDocument->Data().setCell(2, 2, "a\r\nb");
        const QModelIndex index = Model().index(1, 1);
        QCOMPARE(index.data(Qt::DisplayRole).toString(), QStringLiteral("a\nb"));
        QCOMPARE(index.data(Qt::EditRole).toString(), QStringLiteral("a\r\nb"));
        // Committing the text as the editor got it changes nothing.
        QVERIFY(Model().setData(index, index.data(Qt::EditRole)));
        QCOMPARE(mDocument->Data().cell(2, 2), QByteArray("a\r\nb"));
        QVERIFY(!mDocument->Data().isModified());
    }

    void longValuesShownFromTheirStart_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("shown");
        QTest::newRow("the longest value a file keeps is shown whole") << 4000 << 4000;
        QTest::newRow("an imported 5 MB value is shown from its start") << 5 * 1024 * 1024 << 4000;
    }

    // What the grid draws from is bounded, so no value makes painting slow; editing gets it all.
    void longValuesShownFromTheirStart()
    {
        QFETCH(int, length);
        QFETCH(int, shown);
        mDocument->Data().setCell(2, 2, QByteArray(length, 'w'));
        const QModelIndex index = Model().index(1, 1);
        QCOMPARE(index.data(Qt::DisplayRole).toString(), QString(shown, u'w'));
        QCOMPARE(index.data(Qt::EditRole).toString().size(), length);
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
        QSignalSpy edited(&Model(), &GridModel::CellEdited);
        QSignalSpy changed(&Model(), &QAbstractItemModel::dataChanged);
        QVERIFY(Model().setData(Model().index(2, 1), typed));
        QCOMPARE(mDocument->Data().cell(2, 3), stored);
        QVERIFY(mDocument->Data().isModified());
        QCOMPARE(edited.count(), 1);
        QCOMPARE(edited.first().at(0).toInt(), 2);
        QCOMPARE(edited.first().at(1).toInt(), 3);
        // One change for the record: the typed cell and any stamped cells beside it.
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.first().at(0).toModelIndex(), Model().index(2, 0));
        QCOMPARE(changed.first().at(1).toModelIndex(), Model().index(2, 2));
    }

    void committingUnchangedTextKeepsTheBytes()
    {
        // 0x98 is no character in windows-1251: shown as a replacement, never written back.
        mDocument->Data().setCell(1, 2, "a\x98z");
        QSignalSpy edited(&Model(), &GridModel::CellEdited);
        QVERIFY(Model().setData(Model().index(1, 0), text(1, 2)));
        QCOMPARE(mDocument->Data().cell(1, 2), QByteArray("a\x98z"));
        QVERIFY(!mDocument->Data().isModified());
        QCOMPARE(edited.count(), 0);
    }

    void rowAndColumnChangesKeepTheModelConsistent()
    {
        mDocument->InsertRecords(2, 2, [](Database &database) {
            database.insertRecord(2, {"new"});
            database.insertRecord(2);
        });
        QCOMPARE(Model().rowCount(), 6);
        QCOMPARE(text(1, 3), QStringLiteral("new"));
        QCOMPARE(text(1, 4), QStringLiteral("1.2"));

        mDocument->RemoveRecords(1, 2, [](Database &database) {
            database.takeRecord(1);
            database.takeRecord(1);
        });
        QCOMPARE(text(1, 1), QStringLiteral("new"));

        QSignalSpy widths(mDocument, &DatabaseDocument::ColumnWidthsChanged);
        mDocument->InsertFields(4, 1,
                                [](Database &database) { database.insertField(4, "F4", 50); });
        QCOMPARE(Model().columnCount(), 4);
        QCOMPARE(widths.count(), 1);
        mDocument->RemoveFields(1, 1, [](Database &database) { database.removeField(1); });
        QCOMPARE(Model().headerData(0, Qt::Horizontal).toString(), QStringLiteral("F2"));
        QCOMPARE(Model().headerData(2, Qt::Horizontal).toString(), QStringLiteral("F4"));
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
            rows ? Model().index(from - 1, 1) : Model().index(1, from - 1);
        if (rows)
            mDocument->moveRecord(from, to);
        else
            mDocument->moveField(from, to);
        QStringList actual;
        for (int place = 1; place <= order.size(); ++place)
            actual << (rows ? text(1, place) : text(place, 1));
        QCOMPARE(actual, order);
        QVERIFY(mDocument->Data().isModified());
        QCOMPARE(rows ? moved.row() : moved.column(), to - 1);
    }

    void reorderKeepsSelectionWithItsRecord()
    {
        const QPersistentModelIndex third = Model().index(2, 0);
        mDocument->ReorderRecords([](Database &database) {
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
        QCOMPARE(Model().headerData(0, Qt::Horizontal, Qt::ToolTipRole), QVariant());
        Model().SetHeaderHintSource(
            [](int field) { return QStringLiteral("Float\rTotal: %1\r\nWidth: 40").arg(field); });
        QCOMPARE(Model().headerData(1, Qt::Horizontal, Qt::ToolTipRole).toString(),
                 QStringLiteral("Float\nTotal: 2\nWidth: 40"));
        // Record numbers have no hint.
        QCOMPARE(Model().headerData(1, Qt::Vertical, Qt::ToolTipRole), QVariant());
    }

    void closeLeavesNothingOpen()
    {
        mDocument->Data().setName("X");
        mDocument->Data().setModified();
        mDocument->Close();
        QCOMPARE(Model().rowCount(), 0);
        QCOMPARE(Model().columnCount(), 0);
        QVERIFY(mDocument->Data().name().isEmpty());
        QVERIFY(!mDocument->Data().isModified());
    }
};

QTEST_MAIN(TestGridModel)
#include "tst_grid_model.moc"
