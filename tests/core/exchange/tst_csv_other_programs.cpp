// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/text_exchange.h"
#include "core/model/database.h"
#include "core/model/regional.h"
#include "core/platform/code_page_converter.h"
#include "scripted_prompter.h"
#include "table_database.h"
#include "test_regional.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace kribed;
using kribed::test::databaseTable;
using kribed::test::ScriptedPrompter;
using kribed::test::tableDatabase;
using kribed::test::testRegional;

using Table = QList<QByteArrayList>;

namespace {

// Reads a CSV file with Python's csv module and writes what it read with its writer (or, with
// "write", writes the JSON rows given on standard input).
const char *const PythonScript = R"(
import csv, json, sys
mode, encoding, target = sys.argv[1], sys.argv[2], sys.argv[3]
if mode == "copy":
    with open(sys.argv[4], newline="", encoding=encoding) as source:
        rows = list(csv.reader(source))
else:
    rows = json.load(sys.stdin)
with open(target, "w", newline="", encoding=encoding) as out:
    csv.writer(out).writerows(rows)
)";

// Values other programs must carry: quotes, separators, CR LF, tabs, blanks at either end,
// Ctrl+Z, texts that look like numbers, dates or formulas, letters beyond ASCII, empty values.
QList<QStringList> sampleRows()
{
    return {
        {QStringLiteral("Name"), QStringLiteral("Note"), QStringLiteral("Number")},
        {QStringLiteral("Ann"), QStringLiteral("say \"hi\", ok"), QStringLiteral("007")},
        {QStringLiteral(" lead"), QStringLiteral("line 1\r\nline 2"), QStringLiteral("1/2")},
        {QStringLiteral("trail "), QStringLiteral("a\tb"), QStringLiteral("=1+1")},
        {QString(), QString(), QString()},
        {QStringLiteral("\""), QStringLiteral("x\x1ay"), QStringLiteral("1e5")},
        {QStringLiteral("Jürgen"), QStringLiteral("Köln €"), QStringLiteral("-0,5")},
    };
}

Table sampleTable()
{
    Table table;
    CodePageConverter converter(testRegional().codePage());
    for (const QStringList &row : sampleRows()) {
        QByteArrayList cells;
        for (const QString &value : row)
            cells.append(converter.encode(value));
        table.append(cells);
    }
    return table;
}

// Runs the program; an empty text when it ran and exited with 0, else what went wrong.
QString run(const QString &program, const QStringList &arguments, const QByteArray &input = {})
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted())
        return QStringLiteral("%1 did not start").arg(program);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(120000))
        return QStringLiteral("%1 did not finish").arg(program);
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return QString::fromLocal8Bit(process.readAllStandardError());
    return QString();
}

} // namespace

class TestCsvOtherPrograms : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void python_data();
    void python();
    void libreOffice();

private:
    Table importedFrom(const QString &path, CsvEncoding encoding);
    void exportTo(const QString &path, CsvEncoding encoding);

    QTemporaryDir mFolder;
};

void TestCsvOtherPrograms::initTestCase()
{
    QVERIFY(mFolder.isValid());
}

Table TestCsvOtherPrograms::importedFrom(const QString &path, CsvEncoding encoding)
{
    Database database;
    ScriptedPrompter prompter;
    if (importTextFile(path, TextType::Csv, database, prompter, testRegional(), encoding)
            != ExchangeResult::Done
        || !prompter.failures().isEmpty())
        return {{"import failed", prompter.failures().toUtf8()}};
    return databaseTable(database);
}

void TestCsvOtherPrograms::exportTo(const QString &path, CsvEncoding encoding)
{
    ScriptedPrompter prompter;
    QCOMPARE(exportTextFile(path, TextType::Csv, tableDatabase(sampleTable()), prompter,
                            testRegional(), encoding),
             ExchangeResult::Done);
    KRIBED_VERIFY_PROMPTER(prompter);
}

void TestCsvOtherPrograms::python_data()
{
    QTest::addColumn<int>("encoding");
    QTest::addColumn<QString>("pythonEncoding");
    QTest::newRow("UTF-8") << int(CsvEncoding::Utf8) << QStringLiteral("utf-8");
    QTest::newRow("code page") << int(CsvEncoding::CodePage) << QStringLiteral("cp1252");
}

void TestCsvOtherPrograms::python()
{
    QFETCH(int, encoding);
    QFETCH(QString, pythonEncoding);
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty())
        QSKIP("python3 is not installed: the round trip through Python's csv module is skipped.");
    const CsvEncoding csvEncoding = CsvEncoding(encoding);
    const QString script = QString::fromLatin1(PythonScript);

    // Python reads our export and writes it again; we read that back unchanged.
    const QString ours = mFolder.filePath(QStringLiteral("ours.csv"));
    const QString copied = mFolder.filePath(QStringLiteral("copied.csv"));
    exportTo(ours, csvEncoding);
    QString failure = run(python, {QStringLiteral("-c"), script, QStringLiteral("copy"),
                                   pythonEncoding, copied, ours});
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QCOMPARE(importedFrom(copied, csvEncoding), sampleTable());

    // A file Python writes by itself reads as the values it was given.
    QJsonArray rows;
    for (const QStringList &row : sampleRows())
        rows.append(QJsonArray::fromStringList(row));
    const QString written = mFolder.filePath(QStringLiteral("written.csv"));
    failure = run(python,
                  {QStringLiteral("-c"), script, QStringLiteral("write"), pythonEncoding, written},
                  QJsonDocument(rows).toJson());
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QCOMPARE(importedFrom(written, csvEncoding), sampleTable());
}

void TestCsvOtherPrograms::libreOffice()
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        QSKIP("LibreOffice (soffice) is not installed: the round trip through it is skipped.");
    const QString ours = mFolder.filePath(QStringLiteral("office.csv"));
    exportTo(ours, CsvEncoding::Utf8);

    // Every column read as text, so that 007, 1/2 and =1+1 stay as they were; UTF-8 (76) in and
    // out, comma and double quote, nothing trimmed.
    QStringList columns;
    for (qsizetype column = 1; column <= sampleRows().first().size(); ++column)
        columns << QStringLiteral("%1/2").arg(column);
    const QString inFilter =
        QStringLiteral("CSV:44,34,76,1,%1,0,false,false,false").arg(columns.join(u'/'));
    const QString outFolder = mFolder.filePath(QStringLiteral("office-out"));
    const QString failure =
        run(soffice,
            {QStringLiteral("-env:UserInstallation=file://%1")
                 .arg(mFolder.filePath(QStringLiteral("office-profile"))),
             QStringLiteral("--headless"), QStringLiteral("--infilter=%1").arg(inFilter),
             QStringLiteral("--convert-to"),
             QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false,"
                            "false"),
             QStringLiteral("--outdir"), outFolder, ours});
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QCOMPARE(importedFrom(outFolder + QStringLiteral("/office.csv"), CsvEncoding::Utf8),
             sampleTable());
}

QTEST_GUILESS_MAIN(TestCsvOtherPrograms)
#include "tst_csv_other_programs.moc"
