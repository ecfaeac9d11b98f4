// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/text_exchange.h"
#include "core/model/database.h"
#include "core/model/regional.h"
#include "scripted_prompter.h"
#include "test_regional.h"
#include "text_export_helpers.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace kribed;
using kribed::test::testRegional;
using namespace kribed::test;

// The text an export writes, and the database it gives back when imported again, here and in
// LibreOffice.

class TestTextExport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void exportedBytes_data();
    void exportedBytes();
    void filterHidesRecords();
    void exportThenImportGivesTheSameDatabase_data();
    void exportThenImportGivesTheSameDatabase();
    void libreOfficeReadsAndWrites_data();
    void libreOfficeReadsAndWrites();
};

void TestTextExport::exportedBytes_data()
{
    QTest::addColumn<Grid>("grid");
    QTest::addColumn<int>("type");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("comma, quoted values")
        << People << int(TextType::Comma)
        << QByteArray("\"Name\",\"Age\"\r\n\"Ann\",\"30\"\r\n\"Bob\",\"41\"\r\n");
    QTest::newRow("semicolon, quoted values")
        << People << int(TextType::Semicolon)
        << QByteArray("\"Name\";\"Age\"\r\n\"Ann\";\"30\"\r\n\"Bob\";\"41\"\r\n");
    QTest::newRow("tab, bare values")
        << People << int(TextType::Tab) << QByteArray("Name\tAge\r\nAnn\t30\r\nBob\t41\r\n");
    QTest::newRow("empty cells give two quotes")
        << Grid{{"a", "b"}, {"", ""}} << int(TextType::Comma)
        << QByteArray("\"a\",\"b\"\r\n\"\",\"\"\r\n");
    QTest::newRow("empty cells give nothing in tab text")
        << Grid{{"a", "b"}, {"", ""}} << int(TextType::Tab) << QByteArray("a\tb\r\n\t\r\n");
    QTest::newRow("one field has no separator")
        << Grid{{"only"}, {"x"}} << int(TextType::Semicolon) << QByteArray("\"only\"\r\n\"x\"\r\n");
    QTest::newRow("cell texts are not escaped")
        << Grid{{"q", "r"}, {"a\"b", "c,d;e"}} << int(TextType::Comma)
        << QByteArray("\"q\",\"r\"\r\n\"a\"b\",\"c,d;e\"\r\n");
    QTest::newRow("a line break stays in its cell")
        << Grid{{"n"}, {"a\r\nb"}} << int(TextType::Comma) << QByteArray("\"n\"\r\n\"a\r\nb\"\r\n");
    QTest::newRow("a tab in tab text is written as it is")
        << Grid{{"n", "m"}, {"a\tb", "c"}} << int(TextType::Tab)
        << QByteArray("n\tm\r\na\tb\tc\r\n");
    QTest::newRow("bytes above 127 pass unchanged")
        << Grid{{"\xe4"}, {"\xff\x80"}} << int(TextType::Tab) << QByteArray("\xe4\r\n\xff\x80\r\n");
}

void TestTextExport::exportedBytes()
{
    QFETCH(Grid, grid);
    QFETCH(int, type);
    QFETCH(QByteArray, bytes);

    Database database;
    fill(database, grid);
    QCOMPARE(exported(database, TextType(type)), bytes);
}

void TestTextExport::filterHidesRecords()
{
    Database database;
    fill(database, {{"n"}, {"1"}, {"2"}, {"3"}, {"4"}});
    database.setHidden(1, true);
    database.setHidden(3, true);
    QCOMPARE(exported(database, TextType::Tab), QByteArray("n\r\n2\r\n4\r\n"));
    database.setHidden(2, true);
    database.setHidden(4, true);
    QCOMPARE(exported(database, TextType::Tab), QByteArray("n\r\n"));
}

void TestTextExport::exportThenImportGivesTheSameDatabase_data()
{
    QTest::addColumn<int>("type");
    QTest::newRow("comma") << int(TextType::Comma);
    QTest::newRow("semicolon") << int(TextType::Semicolon);
    QTest::newRow("tab") << int(TextType::Tab);
}

void TestTextExport::exportThenImportGivesTheSameDatabase()
{
    QFETCH(int, type);
    // Separators inside quoted values survive the comma and semicolon types.
    Grid grid{{"Name", "Note", "Empty"}};
    for (int record = 1; record <= 50; ++record) {
        grid.append({"name " + QByteArray::number(record),
                     type == int(TextType::Tab) ? QByteArray("a,b;c") : QByteArray("x;y,z"),
                     QByteArray()});
    }
    Database exported;
    fill(exported, grid);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("round.csv"));
    ScriptedPrompter prompter;
    QCOMPARE(exportTextFile(path, TextType(type), exported, prompter, testRegional()),
             ExchangeResult::Done);
    Database imported;
    QCOMPARE(importTextFile(path, TextType(type), imported, prompter, testRegional()),
             ExchangeResult::Done);
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(databaseTable(imported), grid);
}

void TestTextExport::libreOfficeReadsAndWrites_data()
{
    QTest::addColumn<int>("separatorCode");
    QTest::addColumn<int>("type");
    QTest::newRow("comma") << 44 << int(TextType::Comma);
    QTest::newRow("semicolon") << 59 << int(TextType::Semicolon);
    QTest::newRow("tab") << 9 << int(TextType::Tab);
}

void TestTextExport::libreOfficeReadsAndWrites()
{
    // Our comma export goes into LibreOffice Calc, and the text Calc writes comes back in.
    QFETCH(int, separatorCode);
    QFETCH(int, type);
    QString office = QStandardPaths::findExecutable(QStringLiteral("libreoffice"));
    if (office.isEmpty())
        office = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (office.isEmpty())
        QSKIP("LibreOffice is not installed");

    const Grid grid{{"Name", "City", "Note"},
                    {"Ann", "Oslo", "tall; quiet, kind"},
                    {"Bob", "", "short"},
                    {"Cy", "Rome", "x"}};
    Database database;
    fill(database, grid);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString exported = folder.filePath(QStringLiteral("ours.csv"));
    ScriptedPrompter prompter;
    QCOMPARE(exportTextFile(exported, TextType::Comma, database, prompter, testRegional()),
             ExchangeResult::Done);

    const QString outFolder = folder.filePath(QStringLiteral("out"));
    QVERIFY(QDir().mkpath(outFolder));
    QProcess process;
    process.setWorkingDirectory(folder.path());
    // All fields as text (column format 2), so no number or date is reinterpreted.
    const QString textColumns = QStringLiteral("1/2/2/2/3/2");
    process.start(office,
                  {QStringLiteral("-env:UserInstallation=file://")
                       + folder.filePath(QStringLiteral("profile")),
                   QStringLiteral("--headless"),
                   QStringLiteral("--infilter=CSV:44,34,76,1,") + textColumns,
                   QStringLiteral("--convert-to"),
                   QStringLiteral("csv:Text - txt - csv (StarCalc):%1,34,76,1").arg(separatorCode),
                   QStringLiteral("--outdir"), outFolder, exported});
    QVERIFY(process.waitForFinished(180000));
    QCOMPARE(process.exitCode(), 0);
    const QString theirs = QDir(outFolder).filePath(QStringLiteral("ours.csv"));
    QVERIFY2(QFile::exists(theirs), process.readAllStandardError().constData());

    // LibreOffice here ends its lines with a line feed alone, which is no line end in this
    // format: the whole file is one line, and the import asks before going on.
    const QByteArray text = readFile(theirs);
    QVERIFY(text.endsWith('\n') && !text.contains('\r'));
    Database imported;
    fill(imported, {{"untouched"}, {"x"}});
    prompter.expect(QStringLiteral("Information"), formatQuestionText(), Icon::Warning,
                    Buttons::OkCancel, Answer::Cancel);
    QCOMPARE(importTextFile(theirs, TextType(type), imported, prompter, testRegional()),
             ExchangeResult::Cancelled);
    QCOMPARE(imported.fieldName(1), QByteArray("untouched"));

    // With the line ends it writes on Windows the same text imports as our database.
    QByteArray windowsText = text;
    windowsText.replace("\n", "\r\n");
    const QString windowsFile = folder.filePath(QStringLiteral("theirs.csv"));
    QVERIFY(writeFile(windowsFile, windowsText));
    QCOMPARE(importTextFile(windowsFile, TextType(type), imported, prompter, testRegional()),
             ExchangeResult::Done);
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(databaseTable(imported), grid);
}

QTEST_GUILESS_MAIN(TestTextExport)
#include "tst_text_export.moc"
