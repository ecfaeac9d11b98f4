// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/sqlite_exchange.h"
#include "core/exchange/text_exchange.h"
#include "core/exchange/workbook_export.h"
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "gui/commands/exchange_commands.h"
#include "gui/window/main_window.h"
#include "main_window_fixture.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProgressDialog>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <sqlite3.h>

using namespace kribed;
using namespace kribed::test;

namespace {

const QString FormatQuestion = formatQuestionText();

} // namespace

// Import, Append and Export through their file dialogs: the type chosen there, the questions
// after the file, the texts read and written.
class TestExchangeCommands
    : public QObject
    , private MainWindowFixture
{
    Q_OBJECT

private:
    QByteArray readFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("missing");
    }

private Q_SLOTS:
    void initTestCase() { initFixture(); }

    void init() { startTest(); }
    void cleanup() { endTest(); }

    void importThroughDialog()
    {
        const QString path =
            writeFile(QStringLiteral("people.csv"), "Name;Age\r\nAnn;30\r\nBob;41\r\n");
        mDialogs->expectOpen(QStringLiteral("Import"), path, int(TextType::Semicolon));
        mWindow->commandGroups().get<ExchangeCommands>().importText();
        QVERIFY(mWindow->isDatabaseOpen());
        QCOMPARE(windowDatabase().fieldCount(), 2);
        QCOMPARE(windowDatabase().recordCount(), 2);
        QCOMPARE(windowDatabase().cell(2, 2), QByteArray("41"));
        QCOMPARE(windowDatabase().name(), QByteArray("people"));
        QVERIFY(windowDatabase().isModified());
        QCOMPARE(mWindow->grid()->model()->rowCount(), 2);

        // The open dialog remembers the type for the next Import or Append; an abandoned
        // import leaves the database.
        mPrompter->expect(QStringLiteral("Information"), QStringLiteral("You have not saved*"),
                          Icon::Warning, Buttons::YesNo, Answer::Yes);
        mDialogs->expectOpen(QStringLiteral("Import"), path, int(TextType::Comma));
        mPrompter->expect(QStringLiteral("Information"), FormatQuestion, Icon::Warning,
                          Buttons::OkCancel, Answer::Cancel);
        mWindow->commandGroups().get<ExchangeCommands>().importText();
        QCOMPARE(windowDatabase().fieldCount(), 2);
        QCOMPARE(windowDatabase().cell(1, 1), QByteArray("Ann"));

        const QList<FileRequest> &requests = mDialogs->requests();
        QCOMPARE(requests.size(), 2);
        QCOMPARE(requests[0].filter, importFilterTextWithCsv() + sqliteImportFilterEntry());
        QCOMPARE(requests[0].filterIndex, 1);
        QCOMPARE(requests[0].defaultSuffix, QStringLiteral("CSV"));
        QCOMPARE(requests[1].filterIndex, 2);
        QCOMPARE(requests[1].defaultSuffix, QStringLiteral("csv"));
    }

    void appendThroughDialog()
    {
        createThroughDialog(QStringLiteral("2"), QStringLiteral("3"));
        const QString path = writeFile(QStringLiteral("more.TXT"), "a\tb\r\nc\td\r\n");
        mDialogs->expectOpen(QStringLiteral("Append"), path, int(TextType::Tab));
        mWindow->commandGroups().get<ExchangeCommands>().appendText();
        QCOMPARE(windowDatabase().recordCount(), 5);
        QCOMPARE(windowDatabase().cell(1, 4), QByteArray("a"));
        QCOMPARE(windowDatabase().cell(2, 5), QByteArray("d"));
        QCOMPARE(mWindow->grid()->model()->rowCount(), 5);
        QCOMPARE(mWindow->currentRecord(), 5);
        QVERIFY(windowDatabase().isModified());
        QCOMPARE(mDialogs->requests().last().defaultSuffix, QStringLiteral("CSV"));

        // Comma text of any extension: read as comma, and no extension is proposed next time.
        const QString any = writeFile(QStringLiteral("more.dat"), "e,f\r\n");
        mDialogs->expectOpen(QStringLiteral("Append"), any, int(TextType::CommaAny));
        mPrompter->expect(QStringLiteral("Information"), FormatQuestion, Icon::Warning,
                          Buttons::OkCancel, Answer::Ok);
        mWindow->commandGroups().get<ExchangeCommands>().appendText();
        QCOMPARE(windowDatabase().cell(2, 6), QByteArray("f"));
        mDialogs->expectOpen(QStringLiteral("Append"), QString(), int(TextType::CommaAny));
        mWindow->commandGroups().get<ExchangeCommands>().appendText();
        QCOMPARE(mDialogs->requests().last().filterIndex, 4);
        QCOMPARE(mDialogs->requests().last().defaultSuffix, QString());
        QCOMPARE(windowDatabase().recordCount(), 6);
    }

    void exportThroughDialog()
    {
        createThroughDialog(QStringLiteral("2"), QStringLiteral("1"));
        setUpWindowCell(1, 1, "x");
        const QString path = mTemp->filePath(QStringLiteral("out.TXT"));
        mDialogs->expectSave(QStringLiteral("Export"), path, int(TextType::Tab));
        mWindow->commandGroups().get<ExchangeCommands>().exportText();
        QCOMPARE(readFile(path), QByteArray("Field 1\tField 2\r\nx\t\r\n"));
        mDialogs->expectSave(QStringLiteral("Export"), QString(), int(TextType::Tab));
        mWindow->commandGroups().get<ExchangeCommands>().exportText();

        const QList<FileRequest> &requests = mDialogs->requests();
        QCOMPARE(requests.size(), 2);
        QCOMPARE(requests[0].filter,
                 exportFilterTextWithCsv() + sqliteExportFilterEntry() + workbookFilterEntry());
        QCOMPARE(requests[0].proposedName, QStringLiteral("New"));
        QVERIFY(requests[0].askBeforeOverwrite);
        QCOMPARE(requests[0].defaultSuffix, QStringLiteral("CSV"));
        QCOMPARE(requests[1].filterIndex, 3);
        QCOMPARE(requests[1].defaultSuffix, QStringLiteral("TXT"));
    }

    void standardCsvThroughDialogs()
    {
        // Standard CSV is the fifth entry of the open dialog and the fourth of the save dialog.
        // Reading, the preview's encoding box answers the encoding (the file's bytes chose
        // UTF-8); a file that cannot be read for the preview is asked about as before.
        createThroughDialog(QStringLiteral("2"), QStringLiteral("1"));
        const QString reading = QStringLiteral(
            "Is the file in UTF-8?\nYes: UTF-8, as most programs of today write it.\nNo: the "
            "code page windows-1252 of the display font.");
        mDialogs->expectOpen(QStringLiteral("Append"), mTemp->filePath(QStringLiteral("no.csv")),
                             5);
        mPrompter->expect(QStringLiteral("Standard CSV"), reading, Icon::Question,
                          Buttons::YesNoCancel, Answer::Cancel);
        mWindow->commandGroups().get<ExchangeCommands>().appendText();
        QCOMPARE(windowDatabase().recordCount(), 1);
        QCOMPARE(mDialogs->requests().last().filter, importFilterTextWithCsv());

        const QString in = writeFile(QStringLiteral("in.csv"),
                                     "Name,City\nJ\xC3\xBCrgen,\"K\xC3\xB6ln, \"\"Alt\"\"\"\n");
        mDialogs->expectOpen(QStringLiteral("Append"), in, 5);
        mWindow->commandGroups().get<ExchangeCommands>().appendText();
        QCOMPARE(windowDatabase().recordCount(), 3);
        QCOMPARE(windowDatabase().cell(1, 3), QByteArray("J\xFCrgen"));
        QCOMPARE(windowDatabase().cell(2, 3), QByteArray("K\xF6ln, \"Alt\""));

        const QString out = mTemp->filePath(QStringLiteral("out.csv"));
        mDialogs->expectSave(QStringLiteral("Export"), out, 4);
        mPrompter->expect(QStringLiteral("Standard CSV"),
                          QStringLiteral("Write the file in UTF-8?*"), Icon::Question,
                          Buttons::YesNoCancel, Answer::No);
        mWindow->commandGroups().get<ExchangeCommands>().exportText();
        QCOMPARE(readFile(out), QByteArray("Field 1,Field 2\r\n,\r\nName,City\r\n"
                                           "J\xFCrgen,\"K\xF6ln, \"\"Alt\"\"\"\r\n"));
        mDialogs->expectSave(QStringLiteral("Export"), QString(), 4);
        mWindow->commandGroups().get<ExchangeCommands>().exportText();
        QCOMPARE(mDialogs->requests().last().filterIndex, 4);
        QCOMPARE(mDialogs->requests().last().defaultSuffix, QStringLiteral("csv"));
    }

    void workbookThroughDialog()
    {
        // The workbook is the entry after SQLite; a cell that is no number is told of,
        // and the next export offers the workbook again.
        createThroughDialog(QStringLiteral("2"), QStringLiteral("2"), int(FloatType));
        setUpWindowCell(1, 1, "1.5");
        setUpWindowCell(2, 2, "many");
        const QString path = mTemp->filePath(QStringLiteral("out.xlsx"));
        const bool modified = windowDatabase().isModified();
        mDialogs->expectSave(QStringLiteral("Export"), path, 6);
        mPrompter->expect(QStringLiteral("Export"),
                          QStringLiteral("1 cell(s) did not read as their field's type and were "
                                         "kept as text:\nField 2, record 0002: \"many\""),
                          Icon::Information, Buttons::Ok, Answer::Ok);
        mWindow->commandGroups().get<ExchangeCommands>().exportText();
        QVERIFY(readFile(path).startsWith("PK\x03\x04"));
        QCOMPARE(windowDatabase().isModified(), modified);

        mDialogs->expectSave(QStringLiteral("Export"), QString(), 6);
        mWindow->commandGroups().get<ExchangeCommands>().exportText();
        QCOMPARE(mDialogs->requests().last().filterIndex, 6);
        QCOMPARE(mDialogs->requests().last().defaultSuffix, QStringLiteral("xlsx"));
    }

    void chosenTypeNamesTheFile_data()
    {
        QTest::addColumn<int>("before");    // the type of an export before, the dialog's start
        QTest::addColumn<int>("type");      // the entry chosen
        QTest::addColumn<QString>("typed"); // the name as the dialog hands it back
        QTest::addColumn<QString>("written");
        QTest::addColumn<QByteArray>("start"); // of the file written

        const QByteArray comma("\"Field 1\",\"Field 2\"\r\n");
        QTest::newRow("workbook after comma") << 1 << 6 << QStringLiteral("Kunden")
                                              << QStringLiteral("Kunden.xlsx") << QByteArray("PK");
        QTest::newRow("workbook typed with comma's extension")
            << 1 << 6 << QStringLiteral("Kunden.CSV") << QStringLiteral("Kunden.xlsx")
            << QByteArray("PK");
        QTest::newRow("semicolon after workbook")
            << 6 << 2 << QStringLiteral("semi_test.xlsx") << QStringLiteral("semi_test.csv")
            << QByteArray("\"Field 1\";");
        QTest::newRow("comma keeps a lower-case csv")
            << 2 << 1 << QStringLiteral("x.csv") << QStringLiteral("x.csv") << comma;
        QTest::newRow("tab without extension")
            << 5 << 3 << QStringLiteral("t") << QStringLiteral("t.TXT") << QByteArray("Field 1\t");
        QTest::newRow("SQLite after tab")
            << 3 << 5 << QStringLiteral("db.TXT") << QStringLiteral("db.sqlite")
            << QByteArray("SQLite format 3");
        QTest::newRow("a dotted name keeps its dot")
            << 1 << 1 << QStringLiteral("v1.2") << QStringLiteral("v1.2.CSV") << comma;
    }

    void chosenTypeNamesTheFile()
    {
        QFETCH(int, before);
        QFETCH(int, type);
        QFETCH(QString, typed);
        QFETCH(QString, written);
        QFETCH(QByteArray, start);

        createThroughDialog(QStringLiteral("2"), QStringLiteral("1"));
        const QString first = mTemp->filePath(QStringLiteral("first"));
        mDialogs->expectSave(QStringLiteral("Export"), first, before);
        mWindow->commandGroups().get<ExchangeCommands>().exportText();
        QVERIFY(mDialogs->requests().last().suffixFromFilter);

        mDialogs->expectSave(QStringLiteral("Export"), mTemp->filePath(typed), type);
        mWindow->commandGroups().get<ExchangeCommands>().exportText();
        KRIBED_VERIFY_DIALOGS(*mDialogs);
        QVERIFY2(readFile(mTemp->filePath(written)).startsWith(start),
                 qPrintable(QDir(mTemp->path()).entryList(QDir::Files).join(u' ')));
        if (typed != written)
            QVERIFY(!QFile::exists(mTemp->filePath(typed)));
    }

    void sqliteThroughDialogs()
    {
        // SQLite follows the text types: the sixth entry of Import's dialog, the fifth of
        // Export's; Append offers none. Several tables are chosen from a list.
        createThroughDialog(QStringLiteral("2"), QStringLiteral("1"));
        setUpWindowCell(1, 1, "x");
        setUpWindowCell(2, 1, "zwei");
        const QString out = mTemp->filePath(QStringLiteral("out.sqlite"));
        mDialogs->expectSave(QStringLiteral("Export"), out, 5);
        mWindow->commandGroups().get<ExchangeCommands>().exportText();
        QVERIFY(QFile::exists(out));
        mDialogs->expectSave(QStringLiteral("Export"), QString(), 5);
        mWindow->commandGroups().get<ExchangeCommands>().exportText();
        QCOMPARE(mDialogs->requests().last().filterIndex, 5);
        QCOMPARE(mDialogs->requests().last().defaultSuffix, QStringLiteral("sqlite"));

        mPrompter->expect(QStringLiteral("Information"), QStringLiteral("You have not saved*"),
                          Icon::Warning, Buttons::YesNo, Answer::Yes);
        mDialogs->expectOpen(QStringLiteral("Import"), out, 6);
        mDialogs->expectItem(QStringLiteral("Import"), QString());
        mWindow->commandGroups().get<ExchangeCommands>().importText();
        QCOMPARE(
            mDialogs->lastItems(),
            (QStringList{QStringLiteral("New"), QStringLiteral("kribo_database"),
                         QStringLiteral("kribo_fields"), QStringLiteral("kribo_popup_items")}));
        QCOMPARE(mDialogs->lastCurrentItem(), 0);
        QCOMPARE(windowDatabase().cell(2, 1), QByteArray("zwei")); // cancelled: unchanged

        mPrompter->expect(QStringLiteral("Information"), QStringLiteral("You have not saved*"),
                          Icon::Warning, Buttons::YesNo, Answer::Yes);
        mDialogs->expectOpen(QStringLiteral("Import"), out, 6);
        mDialogs->expectItem(QStringLiteral("Import"), QStringLiteral("kribo_fields"));
        mWindow->commandGroups().get<ExchangeCommands>().importText();
        QCOMPARE(windowDatabase().fieldName(2), QByteArray("name"));
        QCOMPARE(windowDatabase().cell(2, 2), QByteArray("Field 2"));
        QCOMPARE(windowDatabase().fieldType(1), int(NormalIntegerType));
        QCOMPARE(windowDatabase().name(), QByteArray("out"));

        mDialogs->expectOpen(QStringLiteral("Append"), QString(), 1);
        mWindow->commandGroups().get<ExchangeCommands>().appendText();
        QCOMPARE(mDialogs->requests().last().filter, importFilterTextWithCsv());
        KRIBED_VERIFY_DIALOGS(*mDialogs);
    }

    void slowSqliteViewShowsProgressAndCancels()
    {
        // A view that sorts eight million rows before its first one: the window shows how far
        // the reading got, and Cancel stops it at once, the open database as it was.
        const QString path = mTemp->filePath(QStringLiteral("slow.db"));
        sqlite3 *connection = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(path).constData(), &connection), SQLITE_OK);
        QCOMPARE(sqlite3_exec(connection,
                              "CREATE TABLE t (x INTEGER); WITH RECURSIVE n(v) AS (SELECT 1 "
                              "UNION ALL SELECT v + 1 FROM n WHERE v < 200) INSERT INTO t SELECT "
                              "v FROM n; CREATE VIEW slow AS SELECT a.x * b.x - c.x AS y "
                              "FROM t a, t b, t c ORDER BY y DESC",
                              nullptr, nullptr, nullptr),
                 SQLITE_OK);
        sqlite3_close(connection);
        mDialogs->expectOpen(QStringLiteral("Import"), path, 6);
        mDialogs->expectItem(QStringLiteral("Import"), QStringLiteral("slow"));
        bool shown = false;
        QTimer watch;
        watch.setInterval(20);
        connect(&watch, &QTimer::timeout, this, [&] {
            for (QWidget *widget : QApplication::topLevelWidgets()) {
                auto *progress = qobject_cast<QProgressDialog *>(widget);
                if (progress && progress->isVisible() && !shown) {
                    shown = progress->labelText() == QStringLiteral("Reading \"slow\"...");
                    progress->cancel();
                }
            }
        });
        watch.start();
        QElapsedTimer timer;
        timer.start();
        mWindow->commandGroups().get<ExchangeCommands>().importText();
        watch.stop();
        QVERIFY(shown);
        QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(!mWindow->isDatabaseOpen());
        KRIBED_VERIFY_DIALOGS(*mDialogs);
    }
};

QTEST_MAIN(TestExchangeCommands)
#include "tst_exchange_commands.moc"
