// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/workbook_export.h"
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/regional.h"
#include "scripted_prompter.h"
#include "table_database.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace kribed;
using kribed::test::tableDatabase;
using kribed::test::ScriptedPrompter;
using namespace Qt::StringLiterals;

// The workbook as another program reads it: openpyxl, Debian's python3-openpyxl (scripts/setup).

namespace {

// Prints the sheet as JSON: title, frozen cell, filter range, header boldness, column widths and
// every cell as [openpyxl's data type, its value as text, its number format]. Texts are read as
// Excel reads them: openpyxl leaves the "_xHHHH_" escapes of inline strings as they stand.
const char *const ReadBack = R"(
import json, sys, openpyxl
from openpyxl.utils.escape import unescape
ws = openpyxl.load_workbook(sys.argv[1]).worksheets[0]
def text(v):
    if isinstance(v, str):
        return unescape(v)
    return v.isoformat() if hasattr(v, 'isoformat') else (None if v is None else str(v))
rows = [[[c.data_type, text(c.value), c.number_format] for c in row] for row in ws.iter_rows()]
widths = [ws.column_dimensions[openpyxl.utils.get_column_letter(i + 1)].width
          for i in range(ws.max_column)]
print(json.dumps({'title': ws.title, 'freeze': ws.freeze_panes, 'filter': ws.auto_filter.ref,
                  'bold': [bool(c.font.b) for c in ws[1]], 'widths': widths, 'rows': rows}))
)";

QJsonObject readBack(const QString &path)
{
    QProcess python;
    // Debian's interpreter, which has Debian's openpyxl.
    const QString interpreter = QFile::exists(QStringLiteral("/usr/bin/python3"))
                                    ? QStringLiteral("/usr/bin/python3")
                                    : QStringLiteral("python3");
    python.start(interpreter, {QStringLiteral("-c"), QString::fromLatin1(ReadBack), path});
    if (!python.waitForFinished(60000) || python.exitCode() != 0) {
        qWarning().noquote() << python.readAllStandardError();
        return {};
    }
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}

// A cell of the read-back rows: "type|value|format".
QString cellOf(const QJsonObject &sheet, int row, int column)
{
    const QJsonArray rows = sheet[u"rows"].toArray();
    if (row >= rows.size() || column >= rows[row].toArray().size())
        return u"no cell"_s;
    const QJsonArray cell = rows[row].toArray()[column].toArray();
    return cell[0].toString() + u'|' + cell[1].toString() + u'|' + cell[2].toString();
}

Regional regionalOf(const char *locale, const QByteArray &codePage = "windows-1252")
{
    return Regional(QLocale(QString::fromLatin1(locale)), codePage);
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

} // namespace

class TestWorkbookExport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cellsReadBack_data();
    void cellsReadBack();
    void sheetLayout();
    void keptCellsAreTold();
    void repeatedCellsReadAlike();
    void staleScratchFilesAreRemoved();
    void replacedFileBecomesBackup();
    void refusedFolderLeavesNothing();
    void refusedTargets_data();
    void refusedTargets();
    void formatCodes_data();
    void formatCodes();
    void sheetNames_data();
    void sheetNames();
};

void TestWorkbookExport::cellsReadBack_data()
{
    QTest::addColumn<QByteArray>("locale");
    QTest::addColumn<QByteArray>("codePage");
    QTest::addColumn<int>("type");
    QTest::addColumn<QByteArray>("cell");
    QTest::addColumn<QString>("expected"); // type|value|format as openpyxl reads it
    QTest::addColumn<bool>("kept");       // kept as text although the type says otherwise

    const QByteArray latin = "windows-1252";
    QTest::newRow("float de") << QByteArray("de_DE") << latin << int(FloatType)
                              << QByteArray("1520,50") << u"n|1520.5|General"_s << false;
    QTest::newRow("float en") << QByteArray("en_US") << latin << int(FloatType)
                              << QByteArray("-1.5E3") << u"n|-1500|General"_s << false;
    QTest::newRow("float as its nearest double")
        << QByteArray("de_DE") << latin << int(FloatType) << QByteArray("94631690,309014")
        << u"n|94631690.309014|General"_s << false;
    QTest::newRow("float en point in de") << QByteArray("de_DE") << latin << int(FloatType)
                                          << QByteArray("1520.50") << u"s|1520.50|General"_s
                                          << true;
    QTest::newRow("grouped amount") << QByteArray("en_US") << latin << int(FloatType)
                                    << QByteArray("1,520.50") << u"n|1520.5|General"_s << false;
    QTest::newRow("grouped integer de") << QByteArray("de_DE") << latin << int(NormalIntegerType)
                                        << QByteArray("1.500") << u"n|1500|General"_s << false;
    QTest::newRow("misplaced group separator")
        << QByteArray("en_US") << latin << int(FloatType) << QByteArray("1,52.50")
        << u"s|1,52.50|General"_s << true;
    QTest::newRow("integer") << QByteArray("en_US") << latin << int(NormalIntegerType)
                             << QByteArray(" 42 ") << u"n|42|General"_s << false;
    QTest::newRow("auto-increment") << QByteArray("en_US") << latin
                                    << int(AutoIncrementIntegerType) << QByteArray("7")
                                    << u"n|7|General"_s << false;
    QTest::newRow("boolean 1") << QByteArray("en_US") << latin << int(BooleanType)
                               << QByteArray("1") << u"b|True|General"_s << false;
    QTest::newRow("boolean 0") << QByteArray("en_US") << latin << int(BooleanType)
                               << QByteArray("0") << u"b|False|General"_s << false;
    QTest::newRow("boolean other") << QByteArray("en_US") << latin << int(BooleanType)
                                   << QByteArray("yes") << u"s|yes|General"_s << true;
    QTest::newRow("date de") << QByteArray("de_DE") << latin << int(NormalDateType)
                             << QByteArray("12.03.2019") << u"d|2019-03-12T00:00:00|dd.mm.yyyy"_s
                             << false;
    QTest::newRow("date en") << QByteArray("en_US") << latin << int(CreationDateType)
                             << QByteArray("3/12/2019") << u"d|2019-03-12T00:00:00|m/d/yyyy"_s
                             << false;
    QTest::newRow("date of January 1900")
        << QByteArray("de_DE") << latin << int(ModificationDateType) << QByteArray("15.01.1900")
        << u"d|1900-01-15T00:00:00|dd.mm.yyyy"_s << false;
    QTest::newRow("date before 1900") << QByteArray("de_DE") << latin << int(NormalDateType)
                                      << QByteArray("31.12.1899") << u"s|31.12.1899|General"_s
                                      << true;
    QTest::newRow("date in the other locale's form")
        << QByteArray("de_DE") << latin << int(NormalDateType) << QByteArray("3/12/2019")
        << u"s|3/12/2019|General"_s << true;
    QTest::newRow("time de") << QByteArray("de_DE") << latin << int(NormalTimeType)
                             << QByteArray("14:05:09") << u"d|14:05:09|hh:mm:ss"_s << false;
    QTest::newRow("time en") << QByteArray("en_US") << latin << int(ModificationTimeType)
                             << QByteArray("2:05:09 PM") << u"d|14:05:09|h:mm:ss AM/PM"_s
                             << false;
    QTest::newRow("time not read") << QByteArray("en_US") << latin << int(CreationTimeType)
                                   << QByteArray("noon") << u"s|noon|General"_s << true;
    QTest::newRow("string looks like a number")
        << QByteArray("de_DE") << latin << int(StringType) << QByteArray("1520,50")
        << u"s|1520,50|General"_s << false;
    QTest::newRow("multiple popup") << QByteArray("en_US") << latin << int(MultiplePopupType)
                                    << QByteArray("red blue") << u"s|red blue|General"_s << false;
    QTest::newRow("windows-1252") << QByteArray("de_DE") << latin << int(NormalPopupType)
                                  << QByteArray("M\xfcller \x80") << u"s|Müller €|General"_s
                                  << false;
    QTest::newRow("windows-1251") << QByteArray("en_US") << QByteArray("windows-1251")
                                  << int(StringType) << QByteArray("\xcc\xe8\xf0")
                                  << u"s|Мир|General"_s << false;
    QTest::newRow("line break and tab") << QByteArray("en_US") << latin << int(StringType)
                                        << QByteArray("a\r\nb\tc") << u"s|a\nb\tc|General"_s
                                        << false;
    QTest::newRow("line breaks one after another")
        << QByteArray("en_US") << latin << int(StringType) << QByteArray("\r\n\r\na\r\n")
        << u"s|\n\na\n|General"_s << false;
    QTest::newRow("carriage return alone") << QByteArray("en_US") << latin << int(StringType)
                                           << QByteArray("a\rb\r") << u"s|a\rb\r|General"_s
                                           << false;
    QTest::newRow("carriage returns before a line break")
        << QByteArray("en_US") << latin << int(StringType) << QByteArray("a\r\r\nb")
        << u"s|a\r\nb|General"_s << false;
    QTest::newRow("control character") << QByteArray("en_US") << latin << int(StringType)
                                       << QByteArray("a\x01z") << u"s|a\x01z|General"_s << false;
    QTest::newRow("text like an escape") << QByteArray("en_US") << latin << int(StringType)
                                         << QByteArray("_x0041_") << u"s|_x0041_|General"_s
                                         << false;
    QTest::newRow("markup") << QByteArray("en_US") << latin << int(StringType)
                            << QByteArray("<b>&amp;</b>") << u"s|<b>&amp;</b>|General"_s << false;
    QTest::newRow("4000 bytes") << QByteArray("en_US") << latin << int(StringType)
                                << QByteArray(4000, 'x')
                                << u"s|"_s + QString(4000, u'x') + u"|General"_s << false;
}

void TestWorkbookExport::cellsReadBack()
{
    QFETCH(QByteArray, locale);
    QFETCH(QByteArray, codePage);
    QFETCH(int, type);
    QFETCH(QByteArray, cell);
    QFETCH(QString, expected);
    QFETCH(bool, kept);

    // The cell under test, then an empty one of the same type beside a text.
    Database database = tableDatabase({{"Value", "Mark"}, {cell, "x"}, {"", "y"}});
    database.setFieldType(1, type);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("out.xlsx"));
    ScriptedPrompter prompter;
    if (kept)
        prompter.expect(u"Export"_s, u"1 cell(s) did not read*"_s, Icon::Information, Buttons::Ok,
                        Answer::Ok);
    const WorkbookReport report =
        exportWorkbookFile(path, database, prompter, regionalOf(locale.constData(), codePage));
    QCOMPARE(report.result, ExchangeResult::Done);
    QCOMPARE(report.keptAsText, kept ? 1 : 0);
    QCOMPARE(prompter.failures(), QString());

    const QJsonObject sheet = readBack(path);
    QVERIFY(!sheet.isEmpty());
    QCOMPARE(cellOf(sheet, 0, 0), u"s|Value|General"_s);
    QCOMPARE(cellOf(sheet, 1, 0), expected);
    QCOMPARE(cellOf(sheet, 2, 0), u"n||General"_s);
}

void TestWorkbookExport::sheetLayout()
{
    Database database = tableDatabase({{"Name", "Umsatz", "Seit"},
                                       {"Ann", "10,5", "01.02.2020"},
                                       {"hidden", "1", "02.02.2020"},
                                       {"Bob", "2", "03.02.2020"}});
    database.setName("Kunden [alt]");
    database.setFieldType(2, FloatType);
    database.setFieldType(3, NormalDateType);
    database.setColumnWidth(1, 40);
    database.setColumnWidth(2, 150);
    database.setColumnWidth(3, 90);
    database.setHidden(2, true);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Kunden.xlsx"));
    ScriptedPrompter prompter;
    QCOMPARE(exportWorkbookFile(path, database, prompter, regionalOf("de_DE")).result,
             ExchangeResult::Done);

    const QJsonObject sheet = readBack(path);
    QCOMPARE(sheet[u"title"].toString(), u"Kunden _alt_"_s);
    QCOMPARE(sheet[u"freeze"].toString(), u"A2"_s);
    // The filter covers the header and the two shown records; the hidden one is left out.
    QCOMPARE(sheet[u"filter"].toString(), u"A1:C3"_s);
    QCOMPARE(sheet[u"rows"].toArray().size(), 3);
    QCOMPARE(cellOf(sheet, 2, 0), u"s|Bob|General"_s);
    QCOMPARE(cellOf(sheet, 2, 1), u"n|2|General"_s);
    QCOMPARE(sheet[u"bold"].toArray(), QJsonArray({true, true, true}));
    QCOMPARE(cellOf(sheet, 1, 0).section(u'|', 0, 0), u"s"_s);
    // Excel's characters: four digits are 56/3 width units; the library adds its padding.
    const QJsonArray widths = sheet[u"widths"].toArray();
    QCOMPARE(widths.size(), 3);
    for (int field = 1; field <= 3; ++field) {
        const double expected = database.widthUnits(field) * 3.0 / 14.0;
        const double read = widths[field - 1].toDouble();
        QVERIFY2(read >= expected && read < expected + 1.0,
                 qPrintable(QStringLiteral("field %1: %2 for %3").arg(field).arg(read).arg(expected)));
    }
}

void TestWorkbookExport::keptCellsAreTold()
{
    // Seven cells that do not read: the message counts all and names the first five.
    QList<QByteArrayList> table{{"Menge", "Wann"}};
    for (int record = 1; record <= 7; ++record)
        table.append(QByteArrayList{record == 3 ? QByteArray("12") : "x" + QByteArray::number(record), QByteArray()});
    table.append(QByteArrayList{QByteArray(), "morgen"});
    Database database = tableDatabase(table);
    database.setFieldType(1, NormalIntegerType);
    database.setFieldType(2, NormalDateType);
    QTemporaryDir folder;
    ScriptedPrompter prompter;
    prompter.expect(u"Export"_s,
                    u"7 cell(s) did not read as their field's type and were kept as text:\n"
                    "Menge, record 0001: \"x1\"\nMenge, record 0002: \"x2\"\n"
                    "Menge, record 0004: \"x4\"\nMenge, record 0005: \"x5\"\n"
                    "Menge, record 0006: \"x6\"\nand 2 more."_s,
                    Icon::Information, Buttons::Ok, Answer::Ok);
    const WorkbookReport report = exportWorkbookFile(folder.filePath(u"k.xlsx"_s), database,
                                                     prompter, regionalOf("de_DE"));
    QCOMPARE(report.keptAsText, 7);
    QCOMPARE(report.firstKept.size(), KeptCellsNamed);
    QCOMPARE(prompter.failures(), QString());
}

void TestWorkbookExport::repeatedCellsReadAlike()
{
    // Each date and time text is read once: a repeated one, readable or not, comes out as its
    // first, and a text a date field cannot read is still read as a time in a time field.
    Database database = tableDatabase({{"Datum", "Zeit"},
                                       {"12.03.2019", "12:30:00"},
                                       {"12.03.2019", "12:30:00"},
                                       {"12:30:00", "morgen"},
                                       {"12:30:00", "morgen"},
                                       {"01.01.2020", "12.03.2019"}});
    database.setFieldType(1, NormalDateType);
    database.setFieldType(2, NormalTimeType);
    QTemporaryDir folder;
    const QString path = folder.filePath(u"k.xlsx"_s);
    ScriptedPrompter prompter;
    prompter.expect(u"Export"_s, u"5 cell(s) did not read*"_s, Icon::Information, Buttons::Ok,
                    Answer::Ok);
    const WorkbookReport report = exportWorkbookFile(path, database, prompter, regionalOf("de_DE"));
    QCOMPARE(report.keptAsText, 5);
    QCOMPARE(prompter.failures(), QString());
    const QJsonObject sheet = readBack(path);
    const QString date = u"d|2019-03-12T00:00:00|dd.mm.yyyy"_s;
    const QString time = u"d|12:30:00|hh:mm:ss"_s;
    const QStringList expected{date, time, date, time, u"s|12:30:00|General"_s,
                               u"s|morgen|General"_s, u"s|12:30:00|General"_s,
                               u"s|morgen|General"_s, u"d|2020-01-01T00:00:00|dd.mm.yyyy"_s,
                               u"s|12.03.2019|General"_s};
    QStringList read;
    for (int row = 1; row <= 5; ++row)
        read << cellOf(sheet, row, 0) << cellOf(sheet, row, 1);
    QCOMPARE(read, expected);
}

void TestWorkbookExport::staleScratchFilesAreRemoved()
{
    // A killed export leaves its half workbook under the target's scratch prefix: the next
    // export of that target removes it, and leaves another target's alone.
    QTemporaryDir folder;
    const QString path = folder.filePath(u"Kunden.xlsx"_s);
    const QString other = folder.filePath(u"Lager.xlsx"_s);
    const QString prefix = workbookScratchPrefix(path);
    QVERIFY(prefix.startsWith(folder.path() + u"/.kribed-xlsx-"_s));
    QCOMPARE(workbookScratchPrefix(path), prefix);
    QVERIFY(workbookScratchPrefix(other) != prefix);
    const QStringList stale{prefix + u"a1B2c3"_s, prefix + u"zzzzzz"_s,
                            workbookScratchPrefix(other) + u"d4E5f6"_s};
    for (const QString &name : stale) {
        QFile file(name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("PK half a workbook");
    }
    const Database database = tableDatabase({{"A"}, {"1"}});
    ScriptedPrompter prompter;
    QCOMPARE(exportWorkbookFile(path, database, prompter, regionalOf("en_US")).result,
             ExchangeResult::Done);
    QCOMPARE(filesIn(folder.path()),
             QStringList({QFileInfo(stale[2]).fileName(), u"Kunden.xlsx"_s}));
    QCOMPARE(cellOf(readBack(path), 1, 0), u"s|1|General"_s);
}

void TestWorkbookExport::replacedFileBecomesBackup()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(u"Kunden.xlsx"_s);
    {
        QFile previous(path);
        QVERIFY(previous.open(QIODevice::WriteOnly));
        previous.write("previous workbook");
    }
    const Database database = tableDatabase({{"A"}, {"new"}});
    ScriptedPrompter prompter;
    QCOMPARE(exportWorkbookFile(path, database, prompter, regionalOf("en_US")).result,
             ExchangeResult::Done);
    QCOMPARE(filesIn(folder.path()), QStringList({u"Kunden.xls_"_s, u"Kunden.xlsx"_s}));
    QFile backup(folder.filePath(u"Kunden.xls_"_s));
    QVERIFY(backup.open(QIODevice::ReadOnly));
    QCOMPARE(backup.readAll(), QByteArray("previous workbook"));
    QCOMPARE(cellOf(readBack(path), 1, 0), u"s|new|General"_s);
}

void TestWorkbookExport::refusedFolderLeavesNothing()
{
    if (geteuid() == 0)
        QSKIP("root writes into read-only folders");
    QTemporaryDir folder;
    const QString path = folder.filePath(u"Kunden.xlsx"_s);
    {
        QFile previous(path);
        QVERIFY(previous.open(QIODevice::WriteOnly));
        previous.write("previous");
    }
    QVERIFY(::chmod(QFile::encodeName(folder.path()).constData(), 0555) == 0);
    const Database database = tableDatabase({{"A"}, {"new"}});
    ScriptedPrompter prompter;
    prompter.expect(u"Error"_s, saveErrorText(), Icon::Error, Buttons::Ok, Answer::Ok);
    const ExchangeResult result =
        exportWorkbookFile(path, database, prompter, regionalOf("en_US")).result;
    ::chmod(QFile::encodeName(folder.path()).constData(), 0755);
    QCOMPARE(result, ExchangeResult::Failed);
    QCOMPARE(prompter.failures(), QString());
    QCOMPARE(filesIn(folder.path()), QStringList({u"Kunden.xlsx"_s}));
    QFile kept(path);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("previous"));
}

void TestWorkbookExport::refusedTargets_data()
{
    QTest::addColumn<QString>("target"); // below the test's folder
    QTest::addColumn<QStringList>("files"); // the folder's files after the export
    QTest::newRow("missing folder") << u"gone/Kunden.xlsx"_s << QStringList{u"Kunden"_s};
    QTest::newRow("a folder") << u"Kunden"_s << QStringList{u"Kunden"_s};
}

void TestWorkbookExport::refusedTargets()
{
    QFETCH(QString, target);
    QFETCH(QStringList, files);
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir(u"Kunden"_s));
    const Database database = tableDatabase({{"A"}, {"1"}});
    ScriptedPrompter prompter;
    prompter.expect(u"Error"_s, saveErrorText(), Icon::Error, Buttons::Ok, Answer::Ok);
    QCOMPARE(exportWorkbookFile(folder.filePath(target), database, prompter, regionalOf("en_US"))
                 .result,
             ExchangeResult::Failed);
    QCOMPARE(prompter.failures(), QString());
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             files);
}

void TestWorkbookExport::formatCodes_data()
{
    QTest::addColumn<QString>("qt");
    QTest::addColumn<QByteArray>("excel");
    QTest::newRow("German date") << u"dd.MM.yyyy"_s << QByteArray("dd.mm.yyyy");
    QTest::newRow("US date") << u"M/d/yyyy"_s << QByteArray("m/d/yyyy");
    QTest::newRow("ISO date") << u"yyyy-MM-dd"_s << QByteArray("yyyy-mm-dd");
    QTest::newRow("names") << u"dddd, d. MMMM yy"_s << QByteArray("dddd, d. mmmm yy");
    QTest::newRow("24 hours") << u"HH:mm:ss"_s << QByteArray("hh:mm:ss");
    QTest::newRow("12 hours") << u"h:mm:ss AP"_s << QByteArray("h:mm:ss AM/PM");
    QTest::newRow("small am") << u"h:mm ap"_s << QByteArray("h:mm AM/PM");
    QTest::newRow("milliseconds") << u"HH:mm:ss.zzz"_s << QByteArray("hh:mm:ss.000");
    QTest::newRow("quoted literal") << u"HH 'Uhr' mm"_s << QByteArray("hh \"Uhr\" mm");
    QTest::newRow("quote in quotes") << u"'o''clock' h"_s << QByteArray("\"o'clock\" h");
    QTest::newRow("lone apostrophe pair") << u"h''mm"_s << QByteArray("h\"'\"mm");
    QTest::newRow("other literal") << u"yyyy\u5e74M\u6708"_s
                                   << QByteArray("yyyy\\\xe5\xb9\xb4m\\\xe6\x9c\x88");
    QTest::newRow("time zone dropped") << u"HH:mm:ss t"_s << QByteArray("hh:mm:ss ");
}

void TestWorkbookExport::formatCodes()
{
    QFETCH(QString, qt);
    QFETCH(QByteArray, excel);
    QCOMPARE(excelFormatCode(qt), excel);
}

void TestWorkbookExport::sheetNames_data()
{
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("sheet");
    QTest::newRow("plain") << u"Kunden"_s << u"Kunden"_s;
    QTest::newRow("forbidden characters") << u"a[b]c:d*e?f/g\\h"_s << u"a_b_c_d_e_f_g_h"_s;
    QTest::newRow("31 characters") << QString(35, u'k') << QString(31, u'k');
    QTest::newRow("apostrophes at the ends") << u"'Liste'"_s << u"Liste"_s;
    QTest::newRow("empty") << QString() << u"Sheet1"_s;
    QTest::newRow("only blanks") << u"   "_s << u"Sheet1"_s;
}

void TestWorkbookExport::sheetNames()
{
    QFETCH(QString, database);
    QFETCH(QString, sheet);
    QCOMPARE(workbookSheetName(database), sheet);
}

QTEST_GUILESS_MAIN(TestWorkbookExport)
#include "tst_workbook_export.moc"
