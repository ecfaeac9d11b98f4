// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/csv_exchange.h"
#include "core/exchange/text_exchange.h"
#include "core/model/database.h"
#include "core/model/regional.h"
#include "core/platform/code_page_converter.h"
#include "failing_buffer.h"
#include "scripted_prompter.h"
#include "table_database.h"
#include "test_regional.h"

#include <QBuffer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using namespace kribed;
using kribed::test::FailingBuffer;
using namespace Qt::Literals::StringLiterals;
using kribed::test::databaseTable;
using kribed::test::ScriptedPrompter;
using kribed::test::tableDatabase;

using Table = QList<QByteArrayList>; // row 0 the field names, then the records

namespace {

// The regional rules the running test chose; every operation under test is handed them.
Regional &regional()
{
    static Regional chosen = kribed::test::testRegional();
    return chosen;
}

QByteArray exported(const Database &database, CsvEncoding encoding)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly)
        || !writeText(buffer, TextType::Csv, database, regional(), encoding))
        return "write failed";
    return bytes;
}

ExchangeResult imported(QByteArray text, CsvEncoding encoding, Database &database,
                        Prompter &prompter)
{
    QBuffer buffer(&text);
    buffer.open(QIODevice::ReadOnly);
    return importText(buffer, TextType::Csv, database, prompter, regional(), encoding);
}

void setCodePage(const QByteArray &codePage)
{
    regional() = Regional(QLocale(QStringLiteral("en_US")), codePage);
}

void expectFormatQuestion(ScriptedPrompter &prompter, Answer answer)
{
    prompter.expect(QStringLiteral("Information"), formatQuestionText(), Icon::Warning,
                    Buttons::OkCancel, answer);
}

void expectLossQuestion(ScriptedPrompter &prompter, const QString &text, Answer answer)
{
    prompter.expect(QStringLiteral("Warning"), text, Icon::Warning, Buttons::OkCancel, answer);
}

// Goes on past the format question (one-field or one-line tables bring it); any other message is
// a fault.
class FormatOnlyPrompter : public Prompter
{
public:
    Answer ask(const Message &message) override
    {
        if (message.text == formatQuestionText())
            return Answer::Ok;
        mOther.append(message.text);
        return Answer::Cancel;
    }
    QStringList mOther;
};

// A database that an import must replace, or leave alone when it is cancelled.
Database oldDatabase()
{
    Database database = tableDatabase({{"Old", "Older"}, {"keep", "this"}});
    database.setName("Old");
    database.clearModified();
    return database;
}

// A random value of the bytes the code page reads back unchanged, rich in what quoting must
// carry: quotes, separators, CR LF pairs, tabs, blanks at either end, Ctrl+Z, control bytes.
class ValueMaker
{
public:
    ValueMaker(const QByteArray &codePage, quint32 seed)
        : mRandom(seed)
    {
        CodePageConverter converter(codePage);
        QString text;
        for (int byte = 0; byte < 256; ++byte) {
            const QByteArray one(1, char(byte));
            if (byte != '\r' && byte != '\n' && converter.decode(one, text))
                mPieces.append(one);
        }
        // The pairs of a double-byte page: a sample of those it reads as one character.
        for (int i = 0; i < 20000 && mPieces.size() < 600; ++i) {
            const QByteArray pair{char(0x81 + mRandom.bounded(0x7E)),
                                  char(0x40 + mRandom.bounded(0xBF))};
            if (converter.decode(pair, text) && text.size() == 1)
                mPieces.append(pair);
        }
        for (const char *special : {"\"", ",", "\r\n", "\t", " ", "\x1a", "\"\"", ",\""})
            mSpecial.append(special);
    }

    QByteArray value()
    {
        QByteArray value;
        const int pieces = int(mRandom.bounded(12));
        for (int i = 0; i < pieces; ++i) {
            const QByteArrayList &from = mRandom.bounded(3) == 0 ? mSpecial : mPieces;
            value += from.at(int(mRandom.bounded(int(from.size()))));
        }
        return value;
    }

    int bounded(int highest) { return int(mRandom.bounded(highest)); }

private:
    QRandomGenerator mRandom;
    QByteArrayList mPieces;
    QByteArrayList mSpecial;
};

} // namespace

class TestCsvExchange : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup();
    void import_data();
    void import();
    void importAsksAboutLosses_data();
    void importAsksAboutLosses();
    void importCancelOrReadErrorLeavesDatabase();
    void importAsksFormatQuestion_data();
    void importAsksFormatQuestion();
    void importCutsLongValues();
    void importCutsAsTheFileStores();
    void append();
    void appendCancelledAtLossAddsNothing();
    void exportBytes_data();
    void exportBytes();
    void exportAsksAboutUnreadableBytes();
    void exportFileKeepsBackup();
    void dialogTypesAndEncodingQuestion();
    void randomRoundTrip_data();
    void randomRoundTrip();
};

void TestCsvExchange::cleanup()
{
    setCodePage("windows-1252");
}

void TestCsvExchange::import_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("encoding");
    QTest::addColumn<QByteArray>("codePage");
    QTest::addColumn<Table>("table");

    const int utf8 = int(CsvEncoding::Utf8);
    const int page = int(CsvEncoding::CodePage);
    const QByteArray western = "windows-1252";
    QTest::newRow("LF file of a Linux program")
        << QByteArray("Name,Age\nAnn,30\nBob,41\n") << utf8 << western
        << Table{{"Name", "Age"}, {"Ann", "30"}, {"Bob", "41"}};
    QTest::newRow("quoting carries every character")
        << QByteArray("Name,Note\r\n\"a,b\",\"say \"\"hi\"\"\"\r\n\" lead\",\"1\n2\"\r\n"
                      "x\x1a,\"\t\"\r\n")
        << utf8 << western
        << Table{{"Name", "Note"}, {"a,b", "say \"hi\""}, {" lead", "1\r\n2"}, {"x\x1a", "\t"}};
    QTest::newRow("UTF-8 into the Western page")
        << QByteArray("Name,City\r\nJ\xC3\xBCrgen,K\xC3\xB6ln \xE2\x82\xAC\r\n") << utf8 << western
        << Table{{"Name", "City"}, {"J\xFCrgen", "K\xF6ln \x80"}};
    QTest::newRow("UTF-8 into the Cyrillic page")
        << QByteArray("\xD0\x98\xD0\xBC\xD1\x8F,x\r\n\xD0\x82,y\r\n") << utf8
        << QByteArray("windows-1251") << Table{{"\xC8\xEC\xFF", "x"}, {"\x80", "y"}};
    QTest::newRow("code-page text taken as it stands")
        << QByteArray("Name,City\r\nJ\xFCrgen,\xE2\x82\r\n") << page << western
        << Table{{"Name", "City"}, {"J\xFCrgen", "\xE2\x82"}};
    QTest::newRow("byte-order mark skipped")
        << QByteArray("\xEF\xBB\xBFName,City\r\nJ\xC3\xBCrgen,x\r\n") << utf8 << western
        << Table{{"Name", "City"}, {"J\xFCrgen", "x"}};
    QTest::newRow("byte-order mark makes code-page text UTF-8")
        << QByteArray("\xEF\xBB\xBFName,City\r\nJ\xC3\xBCrgen,x\r\n") << page << western
        << Table{{"Name", "City"}, {"J\xFCrgen", "x"}};
}

void TestCsvExchange::import()
{
    QFETCH(QByteArray, text);
    QFETCH(int, encoding);
    QFETCH(QByteArray, codePage);
    QFETCH(Table, table);

    setCodePage(codePage);
    Database database = oldDatabase();
    ScriptedPrompter prompter;
    QCOMPARE(imported(text, CsvEncoding(encoding), database, prompter), ExchangeResult::Done);
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(databaseTable(database), table);
    QVERIFY(database.isModified());
    for (int field = 1; field <= database.fieldCount(); ++field)
        QCOMPARE(database.fieldType(field), 0);
}

void TestCsvExchange::importAsksAboutLosses_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("codePage");
    QTest::addColumn<QString>("question");
    QTest::addColumn<Table>("table");

    QTest::newRow("Serbian and Polish in the Western page")
        << QByteArray("Name,City\r\n\xC4\x90or\xC4\x91"
                      "e,\xC5\x81\xC3\x93"
                      "D\xC5\xB9 "
                      "\xE2\x9C\x93\r\n")
        << QByteArray("windows-1252")
        << QStringLiteral("5 characters cannot be held by the code page windows-1252 and will "
                          "become \"?\": Đ (U+0110), đ (U+0111), Ł (U+0141), Ź (U+0179), "
                          "✓ (U+2713)\nRecords: 1\nContinue?")
        << Table{{"Name", "City"},
                 {"?or?e", "?\xD3"
                           "D? ?"}};
    QTest::newRow("Western text that is no UTF-8")
        << QByteArray("Na\xEFme,City\r\nJ\xFCrgen,x\r\nAnn,\xE2\x9C\x93\r\n")
        << QByteArray("windows-1252")
        << QStringLiteral("1 character cannot be held by the code page windows-1252 and will "
                          "become \"?\": ✓ (U+2713)\n2 bytes of the text are not UTF-8 and will "
                          "become \"?\".\nRecords: field names, 1, 2\nContinue?")
        << Table{{"Na?me", "City"}, {"J?rgen", "x"}, {"Ann", "?"}};
}

void TestCsvExchange::importAsksAboutLosses()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, codePage);
    QFETCH(QString, question);
    QFETCH(Table, table);

    setCodePage(codePage);
    for (const Answer answer : {Answer::Cancel, Answer::Ok}) {
        Database database = oldDatabase();
        ScriptedPrompter prompter;
        expectLossQuestion(prompter, question, answer);
        const ExchangeResult result = imported(text, CsvEncoding::Utf8, database, prompter);
        KRIBED_VERIFY_PROMPTER(prompter);
        if (answer == Answer::Cancel) {
            QCOMPARE(result, ExchangeResult::Cancelled);
            QCOMPARE(databaseTable(database), databaseTable(oldDatabase()));
            QVERIFY(!database.isModified());
        } else {
            QCOMPARE(result, ExchangeResult::Done);
            QCOMPARE(databaseTable(database), table);
        }
    }
}

void TestCsvExchange::importCancelOrReadErrorLeavesDatabase()
{
    QByteArray text = "a,b\r\n" + QByteArray(200000, 'x') + ",y\r\n";
    for (const qint64 failAt : {qint64(0), qint64(100000)}) {
        Database database = oldDatabase();
        ScriptedPrompter prompter;
        prompter.expect(QStringLiteral("Error"), openErrorText(), Icon::Error, Buttons::Ok,
                        Answer::Ok);
        FailingBuffer buffer(&text, failAt);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        QCOMPARE(importText(buffer, TextType::Csv, database, prompter, regional()),
                 ExchangeResult::Failed);
        KRIBED_VERIFY_PROMPTER(prompter);
        QCOMPARE(databaseTable(database), databaseTable(oldDatabase()));
        QVERIFY(!database.isModified());
    }
}

void TestCsvExchange::importAsksFormatQuestion_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<Table>("table"); // after OK

    // The questions of the comma type, with a record (over several lines) in place of a line.
    QTest::newRow("records of 3 fields then 2")
        << QByteArray("a,b,c\r\n1,2,3\r\n4,5\r\n")
        << Table{{"a", "b", "c"}, {"1", "2", "3"}, {"4", "5", ""}};
    QTest::newRow("no separator at all")
        << QByteArray("Name\r\nAnn\r\n") << Table{{"Name"}, {"Ann"}};
    QTest::newRow("field names only") << QByteArray("a,b\r\n") << Table{{"a", "b"}, {"", ""}};
    QTest::newRow("empty text") << QByteArray() << Table{{""}, {""}};
    QTest::newRow("byte-order mark alone") << QByteArray("\xEF\xBB\xBF") << Table{{""}, {""}};
    QTest::newRow("lines beyond the last record") << QByteArray("a\r\n").repeated(MaxRecords + 3)
        << Table(MaxRecords + 1, QByteArrayList{"a"});
    QTest::newRow("quote never closed keeps the text")
        << QByteArray("a,b\r\n1,\"2\r\n3,4\r\n") << Table{{"a", "b"}, {"1", "2\r\n3,4\r\n"}};
    QTest::newRow("stray quote kept")
        << QByteArray("a,b\r\n5'10\",x\r\n") << Table{{"a", "b"}, {"5'10\"", "x"}};
    QTest::newRow("53 fields: the last lands in field 50")
        << QByteArray(QByteArray("f,").repeated(52) + "g\r\n" + QByteArray("1,").repeated(52)
                      + "z\r\n")
        << Table{QByteArrayList(49, "f") << "g", QByteArrayList(49, "1") << "z"};
}

void TestCsvExchange::importAsksFormatQuestion()
{
    QFETCH(QByteArray, text);
    QFETCH(Table, table);

    for (const Answer answer : {Answer::Cancel, Answer::Ok}) {
        Database database = oldDatabase();
        ScriptedPrompter prompter;
        expectFormatQuestion(prompter, answer);
        const ExchangeResult result = imported(text, CsvEncoding::Utf8, database, prompter);
        KRIBED_VERIFY_PROMPTER(prompter);
        QCOMPARE(result, answer == Answer::Ok ? ExchangeResult::Done : ExchangeResult::Cancelled);
        QCOMPARE(databaseTable(database),
                 answer == Answer::Ok ? table : databaseTable(oldDatabase()));
    }
}

void TestCsvExchange::importCutsLongValues()
{
    // A value cut inside a UTF-8 character must not leave half of it as a lost byte.
    const QByteArray longUtf8 = QByteArray("\xC3\xBC").repeated(9000);
    const QByteArray text = "a,b\r\n\"" + longUtf8 + "\"," + QByteArray(4001, 'y') + "\r\n";
    Database database;
    ScriptedPrompter prompter;
    prompter.expect(QStringLiteral("Information"),
                    QStringLiteral("2 values were longer than 4000 characters and have been cut to "
                                   "their first 4000 characters."),
                    Icon::Warning, Buttons::Ok, Answer::Ok);
    QCOMPARE(imported(text, CsvEncoding::Utf8, database, prompter), ExchangeResult::Done);
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(database.cell(1, 1), QByteArray(4000, '\xFC'));
    QCOMPARE(database.cell(2, 1), QByteArray(4000, 'y'));
}

void TestCsvExchange::importCutsAsTheFileStores()
{
    // A line break in quotes is CR LF in the cell and LF alone in the file: 1333 lines and a
    // letter fill the 4000 bytes the file holds.
    const QByteArray text = "a,b\r\n\"" + QByteArray("ab\r\n").repeated(2000) + "\",x\r\n";
    Database database;
    ScriptedPrompter prompter;
    prompter.expect(QStringLiteral("Information"),
                    QStringLiteral("1 value was longer than 4000 characters and has been cut to "
                                   "its first 4000 characters."),
                    Icon::Warning, Buttons::Ok, Answer::Ok);
    QCOMPARE(imported(text, CsvEncoding::Utf8, database, prompter), ExchangeResult::Done);
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(database.cell(1, 1), QByteArray("ab\r\n").repeated(1333) + 'a');
}

void TestCsvExchange::append()
{
    // The fit question as for comma text: a record of 3 fields for a database of 2; the extra
    // field is dropped. The first line is a record too.
    Database database = oldDatabase();
    ScriptedPrompter prompter;
    prompter.expect(QStringLiteral("Information"), fitQuestionText(), Icon::Warning,
                    Buttons::OkCancel, Answer::Ok);
    QByteArray text = "\"1\n2\",J\xC3\xBCrgen,drop\r\nx,y,z";
    QBuffer buffer(&text);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QCOMPARE(appendText(buffer, TextType::Csv, database, prompter, regional()),
             ExchangeResult::Done);
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(databaseTable(database),
             (Table{{"Old", "Older"}, {"keep", "this"}, {"1\r\n2", "J\xFCrgen"}, {"x", "y"}}));
    QVERIFY(database.isModified());
}

void TestCsvExchange::appendCancelledAtLossAddsNothing()
{
    setCodePage("windows-1251");
    Database database = oldDatabase();
    ScriptedPrompter prompter;
    expectLossQuestion(prompter,
                       QStringLiteral("1 character cannot be held by the code page windows-1251 "
                                      "and will become \"?\": ł (U+0142)\nRecords: 3\nContinue?"),
                       Answer::Cancel);
    QByteArray text = "a,b\r\n\xC5\x82,c\r\n";
    QBuffer buffer(&text);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QCOMPARE(appendText(buffer, TextType::Csv, database, prompter, regional()),
             ExchangeResult::Cancelled);
    KRIBED_VERIFY_PROMPTER(prompter);
    QCOMPARE(databaseTable(database), databaseTable(oldDatabase()));
    QVERIFY(!database.isModified());
}

void TestCsvExchange::exportBytes_data()
{
    QTest::addColumn<Table>("table");
    QTest::addColumn<QByteArray>("codePage");
    QTest::addColumn<QByteArray>("utf8");
    QTest::addColumn<QByteArray>("inCodePage");

    QTest::newRow("plain values bare, special ones quoted")
        << Table{{"Name", "Note"}, {"Ann", "say \"hi\", ok"}, {" lead", "1\r\n2"}, {"", "x\x1a"}}
        << QByteArray("windows-1252")
        << QByteArray("Name,Note\r\nAnn,\"say \"\"hi\"\", ok\"\r\n\" lead\",\"1\r\n2\"\r\n"
                      ",x\x1a\r\n")
        << QByteArray("Name,Note\r\nAnn,\"say \"\"hi\"\", ok\"\r\n\" lead\",\"1\r\n2\"\r\n"
                      ",x\x1a\r\n");
    QTest::newRow("Western letters")
        << Table{{"Name"}, {"J\xFCrgen \x80"}, {""}} << QByteArray("windows-1252")
        << QByteArray("Name\r\nJ\xC3\xBCrgen \xE2\x82\xAC\r\n\"\"\r\n")
        << QByteArray("Name\r\nJ\xFCrgen \x80\r\n\"\"\r\n");
    QTest::newRow("Ctrl+Z beside Japanese letters")
        << Table{{"N"}, {"\x1a\x93\xFA"}} << QByteArray("Shift_JIS")
        << QByteArray("N\r\n\x1a\xE6\x97\xA5\r\n") << QByteArray("N\r\n\x1a\x93\xFA\r\n");
    QTest::newRow("Cyrillic letters")
        << Table{{"\xC8\xEC\xFF", "x"}, {"\x80", "y"}} << QByteArray("windows-1251")
        << QByteArray("\xD0\x98\xD0\xBC\xD1\x8F,x\r\n\xD0\x82,y\r\n")
        << QByteArray("\xC8\xEC\xFF,x\r\n\x80,y\r\n");
}

void TestCsvExchange::exportBytes()
{
    QFETCH(Table, table);
    QFETCH(QByteArray, codePage);
    QFETCH(QByteArray, utf8);
    QFETCH(QByteArray, inCodePage);

    setCodePage(codePage);
    Database database = tableDatabase(table);
    QCOMPARE(exported(database, CsvEncoding::Utf8), utf8);
    QCOMPARE(exported(database, CsvEncoding::CodePage), inCodePage);
    // Hidden records are left out.
    database.setHidden(1, true);
    const QByteArray shown = exported(database, CsvEncoding::CodePage);
    QCOMPARE(shown.count("\r\n"), inCodePage.count("\r\n") - 1 - table[1].join().count("\r\n"));
}

void TestCsvExchange::exportAsksAboutUnreadableBytes()
{
    // windows-1253 has no character at 0xD2: written as UTF-8 it would change, so the user is
    // asked before the file is touched.
    setCodePage("windows-1253");
    const Database database = tableDatabase({{"N", "M"}, {"a", "b"}, {"\xD2\xE1", "\xD2"}});
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("greek.csv"));
    QFile previous(path);
    QVERIFY(previous.open(QIODevice::WriteOnly) && previous.write("previous") == 8);
    previous.close();
    const QString question =
        QStringLiteral("2 bytes are no characters of the code page windows-1253 and will be "
                       "written as \"?\".\nRecords: 2\nContinue?");
    for (const Answer answer : {Answer::Cancel, Answer::Ok}) {
        ScriptedPrompter prompter;
        expectLossQuestion(prompter, question, answer);
        const ExchangeResult result =
            exportTextFile(path, TextType::Csv, database, prompter, regional(), CsvEncoding::Utf8);
        KRIBED_VERIFY_PROMPTER(prompter);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        if (answer == Answer::Cancel) {
            QCOMPARE(result, ExchangeResult::Cancelled);
            QCOMPARE(file.readAll(), QByteArray("previous"));
            QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("greek.cs_"))));
        } else {
            QCOMPARE(result, ExchangeResult::Done);
            QCOMPARE(file.readAll(), QByteArray("N,M\r\na,b\r\n?\xCE\xB1,?\r\n"));
        }
    }
    // In the code page nothing changes, so nothing is asked.
    ScriptedPrompter silent;
    QCOMPARE(
        exportTextFile(path, TextType::Csv, database, silent, regional(), CsvEncoding::CodePage),
        ExchangeResult::Done);
    KRIBED_VERIFY_PROMPTER(silent);
}

void TestCsvExchange::exportFileKeepsBackup()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("x.csv"));
    ScriptedPrompter prompter;
    const Database first = tableDatabase({{"a"}, {"1"}});
    const Database second = tableDatabase({{"b"}, {"2"}});
    QCOMPARE(exportTextFile(path, TextType::Csv, first, prompter, regional()),
             ExchangeResult::Done);
    QCOMPARE(exportTextFile(path, TextType::Csv, second, prompter, regional()),
             ExchangeResult::Done);
    KRIBED_VERIFY_PROMPTER(prompter);
    QFile now(path);
    QFile backup(folder.filePath(QStringLiteral("x.cs_")));
    QVERIFY(now.open(QIODevice::ReadOnly) && backup.open(QIODevice::ReadOnly));
    QCOMPARE(now.readAll(), QByteArray("b\r\n2\r\n"));
    QCOMPARE(backup.readAll(), QByteArray("a\r\n1\r\n"));
}

void TestCsvExchange::dialogTypesAndEncodingQuestion()
{
    // Standard CSV follows the described types: fifth for import and append, fourth for export.
    QVERIFY(importFilterTextWithCsv().startsWith(importFilterText()));
    QVERIFY(importFilterTextWithCsv().endsWith(u"|Standard CSV (*.csv)|*.csv|"_s));
    QCOMPARE(exportFilterTextWithCsv(), exportFilterText() + u"Standard CSV (*.csv)|*.csv|"_s);
    QCOMPARE(importTypeOfFilterIndex(4), TextType::CommaAny);
    QCOMPARE(importTypeOfFilterIndex(5), TextType::Csv);
    QCOMPARE(importTypeOfFilterIndex(6), std::nullopt);
    QCOMPARE(exportTypeOfFilterIndex(3), TextType::Tab);
    QCOMPARE(exportTypeOfFilterIndex(4), TextType::Csv);
    QCOMPARE(exportTypeOfFilterIndex(5), std::nullopt);
    for (int index = 1; index <= 4; ++index)
        QCOMPARE(exportFilterIndexOf(*exportTypeOfFilterIndex(index)), index);

    const QString reading = u"Is the file in UTF-8?\nYes: UTF-8, as most programs of today write "
                            u"it.\nNo: the code page windows-1251 of the display font."_s;
    const QString writing = u"Write the file in UTF-8?\nYes: UTF-8, which most programs of today "
                            u"read.\nNo: the code page windows-1251 of the display font."_s;
    const std::pair<Answer, std::optional<CsvEncoding>> answers[] = {
        {Answer::Yes, CsvEncoding::Utf8},
        {Answer::No, CsvEncoding::CodePage},
        {Answer::Cancel, std::nullopt},
    };
    for (const auto &[answer, encoding] : answers) {
        for (const bool read : {true, false}) {
            ScriptedPrompter prompter;
            prompter.expect(u"Standard CSV"_s, read ? reading : writing, Icon::Question,
                            Buttons::YesNoCancel, answer);
            QCOMPARE(askCsvEncoding(prompter, read, "windows-1251"), encoding);
            KRIBED_VERIFY_PROMPTER(prompter);
        }
    }
}

void TestCsvExchange::randomRoundTrip_data()
{
    QTest::addColumn<QByteArray>("codePage");
    for (const char *page : {"windows-1252", "windows-1251", "windows-1250", "windows-1253",
                             "windows-1255", "Shift_JIS", "Big5"})
        QTest::newRow(page) << QByteArray(page);
}

void TestCsvExchange::randomRoundTrip()
{
    QFETCH(QByteArray, codePage);
    setCodePage(codePage);
    ValueMaker maker(codePage, 20261208);
    for (int round = 0; round < 150; ++round) {
        const int fields = 1 + maker.bounded(6);
        const int records = 1 + maker.bounded(12);
        Table table;
        for (int row = 0; row <= records; ++row) {
            QByteArrayList values;
            for (int field = 0; field < fields; ++field)
                values.append(maker.value());
            table.append(values);
        }
        const Database database = tableDatabase(table);
        for (const CsvEncoding encoding : {CsvEncoding::Utf8, CsvEncoding::CodePage}) {
            const QByteArray text = exported(database, encoding);
            Database back;
            FormatOnlyPrompter prompter;
            QCOMPARE(imported(text, encoding, back, prompter), ExchangeResult::Done);
            QVERIFY2(prompter.mOther.isEmpty(), qPrintable(prompter.mOther.join(u'\n')));
            if (databaseTable(back) != table) {
                qWarning() << "round" << round << "encoding" << int(encoding) << text.toHex();
                QCOMPARE(databaseTable(back), table);
            }
        }
    }
}

QTEST_GUILESS_MAIN(TestCsvExchange)
#include "tst_csv_exchange.moc"
