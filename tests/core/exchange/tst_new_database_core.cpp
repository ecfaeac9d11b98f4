// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/new_database.h"
#include "core/model/database.h"
#include "core/model/regional.h"
#include "scripted_prompter.h"
#include "test_regional.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace kribed;
using kribed::test::ScriptedPrompter;
using kribed::test::testRegional;

namespace {

void fillOld(Database &database)
{
    database.setShape(2, 2);
    database.setFieldName(1, "Old");
    database.setCell(1, 1, "keep");
    database.setName("Old");
    database.setFilePath(QStringLiteral("/old/Old.pdb"));
    database.popupList(1) = {"item"};
    database.setFilterText("flt");
    database.setFilterField(1);
    database.setSecondarySortField(2);
    database.setTertiarySortField(1);
    database.setIncrementAmount(4);
    database.setFieldType(1, 8);
    database.setFieldType(7, 5); // beyond the new shape: stays with its position
    database.setModified();
}

} // namespace

class TestNewDatabaseCore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void validation_data();
    void validation();
    void buildsTheShape_data();
    void buildsTheShape();
    void replacesTheOldDatabase();
    void fileNameInCurrentFolder();
    void sanitizeFileName_data();
    void sanitizeFileName();
};

void TestNewDatabaseCore::validation_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("columns");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("message"); // empty: accepted

    const QString nameMessage =
        QStringLiteral("Please use 1 - 30 characters for the database name.");
    const QString rowsMessage = QStringLiteral("Please use 1 - 9999 rows.");
    const QString columnsMessage = QStringLiteral("Please use 1 - 50 columns.");
    const QString widthMessage = QStringLiteral("Please use 1 - 300 for the field width.");
    const QString numberMessage = QStringLiteral("Please use a numerical value.");
    const QString n = QStringLiteral("New");
    const QString ten = QStringLiteral("10");

    QTest::newRow("defaults pass")
        << n << ten << QStringLiteral("5") << QStringLiteral("60") << QString();
    QTest::newRow("empty name") << QString() << ten << ten << ten << nameMessage;
    QTest::newRow("30 characters pass") << QString(30, u'x') << ten << ten << ten << QString();
    QTest::newRow("31 characters refused") << QString(31, u'x') << ten << ten << ten << nameMessage;
    QTest::newRow("name first, before bad numbers")
        << QString() << QStringLiteral("x") << QStringLiteral("0") << QStringLiteral("0")
        << nameMessage;
    QTest::newRow("rows 0") << n << QStringLiteral("0") << ten << ten << rowsMessage;
    QTest::newRow("rows 10000") << n << QStringLiteral("10000") << ten << ten << rowsMessage;
    QTest::newRow("rows 9999 pass") << n << QStringLiteral("9999") << ten << ten << QString();
    QTest::newRow("rows before columns")
        << n << QStringLiteral("0") << QStringLiteral("51") << ten << rowsMessage;
    QTest::newRow("columns 0") << n << ten << QStringLiteral("0") << ten << columnsMessage;
    QTest::newRow("columns 51") << n << ten << QStringLiteral("51") << ten << columnsMessage;
    QTest::newRow("columns 50 pass") << n << ten << QStringLiteral("50") << ten << QString();
    QTest::newRow("width 0") << n << ten << ten << QStringLiteral("0") << widthMessage;
    QTest::newRow("width 301") << n << ten << ten << QStringLiteral("301") << widthMessage;
    QTest::newRow("width 300 pass") << n << ten << ten << QStringLiteral("300") << QString();
    QTest::newRow("letters in the width")
        << n << ten << ten << QStringLiteral("abc") << numberMessage;
    QTest::newRow("letters in the rows")
        << n << QStringLiteral("1a") << ten << ten << numberMessage;
    QTest::newRow("empty columns") << n << ten << QString() << ten << numberMessage;
    QTest::newRow("a number too large for any integer")
        << n << QStringLiteral("99999999999") << ten << ten << numberMessage;
    QTest::newRow("negative rows are out of range")
        << n << QStringLiteral("-1") << ten << ten << rowsMessage;
}

void TestNewDatabaseCore::validation()
{
    QFETCH(QString, name);
    QFETCH(QString, rows);
    QFETCH(QString, columns);
    QFETCH(QString, width);
    QFETCH(QString, message);

    ScriptedPrompter prompter;
    if (!message.isEmpty())
        prompter.expect(QStringLiteral("Error"), message, Icon::Error, Buttons::Ok, Answer::Ok);
    Database database;
    fillOld(database);
    NewDatabaseChoices choices;
    choices.name = name;
    choices.rows = rows;
    choices.columns = columns;
    choices.width = width;
    QCOMPARE(createNewDatabase(choices, database, prompter, testRegional()), message.isEmpty());
    KRIBED_VERIFY_PROMPTER(prompter);
    if (!message.isEmpty()) {
        // A refused choice changes nothing.
        QCOMPARE(database.name(), QByteArray("Old"));
        QCOMPARE(database.cell(1, 1), QByteArray("keep"));
        QVERIFY(database.isModified());
    }
}

void TestNewDatabaseCore::buildsTheShape_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("typeIndex");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("expectedType");

    QTest::newRow("3 Boolean fields, 2 records") << 3 << 2 << 1 << 60 << 1;
    QTest::newRow("no type selected means String") << 2 << 1 << -1 << 10 << 0;
    QTest::newRow("Float") << 1 << 1 << 12 << 300 << 12;
    QTest::newRow("largest shape") << 50 << 9999 << 11 << 1 << 11;
}

void TestNewDatabaseCore::buildsTheShape()
{
    QFETCH(int, columns);
    QFETCH(int, rows);
    QFETCH(int, typeIndex);
    QFETCH(int, width);
    QFETCH(int, expectedType);

    ScriptedPrompter prompter;
    Database database;
    database.setWidthScale(1.75);
    NewDatabaseChoices choices;
    choices.columns = QString::number(columns);
    choices.rows = QString::number(rows);
    choices.width = QString::number(width);
    choices.typeIndex = typeIndex;
    QVERIFY(createNewDatabase(choices, database, prompter, testRegional()));
    KRIBED_VERIFY_PROMPTER(prompter);

    QCOMPARE(database.fieldCount(), columns);
    QCOMPARE(database.recordCount(), rows);
    for (int field = 1; field <= columns; ++field) {
        QCOMPARE(database.fieldName(field), "Field " + QByteArray::number(field));
        QCOMPARE(database.fieldType(field), expectedType);
        QCOMPARE(database.columnWidth(field), unitsToPixels(width, 1.75));
        QCOMPARE(database.widthUnits(field), width);
    }
    for (int record = 1; record <= rows; ++record) {
        for (int field = 1; field <= columns; ++field)
            QVERIFY(database.cell(field, record).isEmpty());
    }
    QVERIFY(!database.isModified());
}

void TestNewDatabaseCore::replacesTheOldDatabase()
{
    ScriptedPrompter prompter;
    Database database;
    fillOld(database);
    database.setFilterOn(true);
    database.setHidden(1, true);
    database.appInfoImage().bytes()[1500] = 'x';
    const QDateTime before = QDateTime::currentDateTime();
    NewDatabaseChoices choices;
    choices.name = QStringLiteral("Stock");
    QVERIFY(createNewDatabase(choices, database, prompter, testRegional()));

    QCOMPARE(database.name(), QByteArray("Stock"));
    QVERIFY(database.popupList(1).isEmpty());
    QCOMPARE(database.filterText(), QByteArray());
    QCOMPARE(database.filterField(), 0);
    QCOMPARE(database.secondarySortField(), 0);
    QCOMPARE(database.tertiarySortField(), 0);
    QCOMPARE(database.incrementAmount(), 1);
    QVERIFY(!database.filterOn());
    QCOMPARE(database.rowHeight(1), ShownRowHeight);
    QCOMPARE(database.appInfoImage().bytes(), AppInfo().bytes());
    QCOMPARE(database.fieldType(7), 5);
    QVERIFY(database.modificationTime() >= before.addSecs(-1));
    QVERIFY(database.modificationTime() <= QDateTime::currentDateTime());
}

void TestNewDatabaseCore::fileNameInCurrentFolder()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(folder.path()));
    ScriptedPrompter prompter;
    Database database;
    NewDatabaseChoices choices;
    choices.name = QStringLiteral("a/b:c");
    const bool created = createNewDatabase(choices, database, prompter, testRegional());
    QDir::setCurrent(previous);
    QVERIFY(created);
    QCOMPARE(database.name(), QByteArray("a/b:c"));
    QCOMPARE(database.filePath(),
             QDir(folder.path()).absoluteFilePath(QStringLiteral("a_b_c.pdb")));
}

void TestNewDatabaseCore::sanitizeFileName_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("fileName");

    QTest::newRow("slash and colon") << QStringLiteral("a/b:c") << QStringLiteral("a_b_c");
    QTest::newRow("all nine characters")
        << QStringLiteral("\"*/:<>?\\|") << QStringLiteral("_________");
    QTest::newRow("dots, blanks and others stay")
        << QStringLiteral(" a.b-c'%;, ") << QStringLiteral(" a.b-c'%;, ");
    QTest::newRow("control characters and letters above 127 stay")
        << QStringLiteral("\t\u00e4\u00df") << QStringLiteral("\t\u00e4\u00df");
    QTest::newRow("empty") << QString() << QString();
}

void TestNewDatabaseCore::sanitizeFileName()
{
    QFETCH(QString, text);
    QFETCH(QString, fileName);
    QCOMPARE(kribed::sanitizeFileName(text), fileName);
}

QTEST_GUILESS_MAIN(TestNewDatabaseCore)
#include "tst_new_database_core.moc"
