// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
//
// kribed-cli's text exchange: new, import, export and append, in the described types and CSV.
#include "cli_test_helpers.h"

#include <QFileInfo>

using namespace kribed::test;
using namespace Qt::Literals::StringLiterals;

class TestCliText : public CliTestCase
{
    Q_OBJECT

private Q_SLOTS:
    void init() { setUpFolder(); }

    void newDatabase_data();
    void newDatabase();
    void newDatabaseRefusesBadChoices_data();
    void newDatabaseRefusesBadChoices();
    void importText_data();
    void importText();
    void importKeepsReplacedFileAsBackup();
    void importTellsOfCutValues();
    void exportText_data();
    void exportText();
    void standardCsv_data();
    void standardCsv();
    void appendText_data();
    void appendText();
    void exportToMissingFolderFails();
    void exportOntoItsDatabaseRefused();
    void appendToKribo3WritesConvertedFile();
    void appendRefusesReadOnlyDatabase();
};

void TestCliText::newDatabase_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("fields");
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("width");
    QTest::newRow("the dialog's defaults") << QStringList() << u"New"_s << 5 << 10 << 0 << 60;
    QTest::newRow("every option") << QStringList{u"--name"_s,    u"Stock"_s, u"--fields"_s, u"3"_s,
                                                 u"--records"_s, u"2"_s,     u"--type"_s,   u"1"_s,
                                                 u"--width"_s,   u"300"_s}
                                  << u"Stock"_s << 3 << 2 << 1 << 300;
    QTest::newRow("largest shape") << QStringList{u"--fields"_s, u"50"_s, u"--records"_s, u"9999"_s}
                                   << u"New"_s << 50 << 9999 << 0 << 60;
    QTest::newRow("character outside the code page")
        << QStringList{u"--name"_s, u"A\u03a9"_s} << u"A?"_s << 5 << 10 << 0 << 60;
    QTest::newRow("characters after one outside the code page stay")
        << QStringList{u"--name"_s, u"\u0402ab"_s} << u"?ab"_s << 5 << 10 << 0 << 60;
    QTest::newRow("same character in its code page")
        << QStringList{u"--name"_s, u"A\u03a9"_s, u"--codepage"_s, u"windows-1253"_s}
        << QStringLiteral("A\u03a9") << 5 << 10 << 0 << 60;
}

void TestCliText::newDatabase()
{
    QFETCH(QStringList, options);
    QFETCH(QString, name);
    QFETCH(int, fields);
    QFETCH(int, records);
    QFETCH(int, type);
    QFETCH(int, width);
    const QString out = pathOf(QStringLiteral("New.pdb"));
    const CliRun run = runCli(QStringList{u"new"_s, out} + options);
    QCOMPARE(run.exitCode, 0);
    QStringList dumpOptions;
    if (options.contains(QStringLiteral("--codepage")))
        dumpOptions << options.mid(options.indexOf(QStringLiteral("--codepage")), 2);
    const QJsonObject dump = dumpJson(out, dumpOptions);
    QCOMPARE(dump.value(u"name"_s).toString(), name);
    const QJsonArray fieldArray = dump.value(u"fields"_s).toArray();
    QCOMPARE(fieldArray.size(), fields);
    QCOMPARE(fieldArray.last().toObject().value(u"name"_s).toString(),
             QStringLiteral("Field %1").arg(fields));
    QCOMPARE(fieldArray.last().toObject().value(u"type"_s).toInt(), type);
    QCOMPARE(fieldArray.last().toObject().value(u"width"_s).toInt(), width);
    const QJsonArray recordArray = dump.value(u"records"_s).toArray();
    QCOMPARE(recordArray.size(), records);
    QCOMPARE(recordArray.last().toArray().first().toString(), QString());
}

void TestCliText::newDatabaseRefusesBadChoices_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("message");
    QTest::newRow("name of 31 characters")
        << QStringList{u"--name"_s, QString(31, u'n')}
        << u"Please use 1 - 30 characters for the database name."_s;
    QTest::newRow("empty name") << QStringList{u"--name="_s}
                                << u"Please use 1 - 30 characters for the database name."_s;
    QTest::newRow("no records") << QStringList{u"--records"_s, u"0"_s}
                                << u"Please use 1 - 9999 rows."_s;
    QTest::newRow("10000 records")
        << QStringList{u"--records"_s, u"10000"_s} << u"Please use 1 - 9999 rows."_s;
    QTest::newRow("51 fields") << QStringList{u"--fields"_s, u"51"_s}
                               << u"Please use 1 - 50 columns."_s;
    QTest::newRow("width 301") << QStringList{u"--width"_s, u"301"_s}
                               << u"Please use 1 - 300 for the field width."_s;
    QTest::newRow("width in letters")
        << QStringList{u"--width"_s, u"wide"_s} << u"Please use a numerical value."_s;
}

void TestCliText::newDatabaseRefusesBadChoices()
{
    QFETCH(QStringList, options);
    QFETCH(QString, message);
    const QString out = pathOf(QStringLiteral("New.pdb"));
    const CliRun run = runCli(QStringList{u"new"_s, out} + options);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(QStringLiteral("Error: ") + message), qPrintable(run.err));
    QVERIFY(!QFile::exists(out));
}

void TestCliText::importText_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<int>("records");
    QTest::addColumn<bool>("asked");
    const QByteArray comma = "Name,Age\r\nAnn,30\r\nBob,41\r\n";
    QTest::newRow("comma text") << comma << QStringList() << 0 << 2 << false;
    QTest::newRow("semicolon text") << QByteArray("Name;Age\r\nAnn;30\r\nBob;41\r\n")
                                    << QStringList{u"--type"_s, u"semicolon"_s} << 0 << 2 << false;
    QTest::newRow("tab text") << QByteArray("Name\tAge\r\nAnn\t30\r\nBob\t41\r\n")
                              << QStringList{u"--type"_s, u"tab"_s} << 0 << 2 << false;
    QTest::newRow("suspicious text refused") << comma + "Cid,52,x\r\n"
                                             << QStringList() << 1 << 0 << true;
    QTest::newRow("suspicious text taken with --yes") << comma + "Cid,52,x\r\n"
                                                      << QStringList{u"--yes"_s} << 0 << 3 << true;
    QTest::newRow("wrong type refused")
        << comma << QStringList{u"--type"_s, u"tab"_s} << 1 << 0 << true;
    QTest::newRow("text file missing") << QByteArray() << QStringList() << 1 << 0 << false;
}

void TestCliText::importText()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    QFETCH(int, records);
    QFETCH(bool, asked);
    const QString in = text.isEmpty() ? pathOf(QStringLiteral("absent.txt"))
                                      : writeTestFile(QStringLiteral("people.txt"), text);
    const QString out = pathOf(QStringLiteral("People.pdb"));
    const CliRun run = runCli(QStringList{u"import"_s, in, out} + options);
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(run.err.contains(QStringLiteral("Information: ") + FormatQuestion), asked);
    if (text.isEmpty())
        QVERIFY2(run.err.contains(QStringLiteral("Error: There was an error opening the file.")),
                 qPrintable(run.err));
    QCOMPARE(QFile::exists(out), exitCode == 0);
    if (exitCode != 0)
        return;
    const QJsonObject dump = dumpJson(out);
    QCOMPARE(dump.value(u"name"_s).toString(), QStringLiteral("people"));
    const QJsonArray fields = dump.value(u"fields"_s).toArray();
    QCOMPARE(fields.at(0).toObject().value(u"name"_s).toString(), QStringLiteral("Name"));
    QCOMPARE(fields.at(1).toObject().value(u"name"_s).toString(), QStringLiteral("Age"));
    QCOMPARE(fields.at(1).toObject().value(u"width"_s).toInt(), 60); // 90 pixels
    QCOMPARE(dump.value(u"records"_s).toArray().size(), records);
    QCOMPARE(dump.value(u"records"_s).toArray().at(1).toArray().at(0).toString(),
             QStringLiteral("Bob"));
}

void TestCliText::importTellsOfCutValues()
{
    const QString in = writeTestFile(QStringLiteral("long.csv"),
                                     "Name,Note\r\nAnn," + QByteArray(5000, 'x') + "\r\n");
    const QString out = pathOf(QStringLiteral("Long.pdb"));
    const CliRun run = runCli({QStringLiteral("import"), in, out});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.contains(QStringLiteral("Information: 1 value was longer than 4000 characters "
                                             "and has been cut to its first 4000 characters.\n")),
             qPrintable(run.err));
    const QJsonArray record = dumpJson(out).value(u"records"_s).toArray().at(0).toArray();
    QCOMPARE(record.at(1).toString(), QString(4000, u'x'));
}

void TestCliText::importKeepsReplacedFileAsBackup()
{
    const QString in = writeTestFile(QStringLiteral("people.csv"), "Name,Age\r\nAnn,30\r\n");
    const QByteArray previous = readAll(pathOf(QStringLiteral("Stock.pdb")));
    const CliRun run = runCli({QStringLiteral("import"), in, pathOf(QStringLiteral("Stock.pdb"))});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(readAll(pathOf(QStringLiteral("Stock.pd_"))), previous);
    QCOMPARE(dumpJson(pathOf(QStringLiteral("Stock.pdb"))).value(u"name"_s).toString(),
             QStringLiteral("people"));
}

void TestCliText::exportText_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("backup");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("comma") << u"comma"_s << u"out.CS_"_s
                           << QByteArray(
                                  "\"Name\",\"Age\"\r\n\"Ann\",\"30\"\r\n\"Bob\",\"41\"\r\n");
    QTest::newRow("semicolon") << u"semicolon"_s << u"out.cs_"_s
                               << QByteArray(
                                      "\"Name\";\"Age\"\r\n\"Ann\";\"30\"\r\n\"Bob\";\"41\"\r\n");
    QTest::newRow("tab") << u"tab"_s << u"out.TX_"_s
                         << QByteArray("Name\tAge\r\nAnn\t30\r\nBob\t41\r\n");
}

void TestCliText::exportText()
{
    QFETCH(QString, type);
    QFETCH(QString, backup);
    QFETCH(QByteArray, text);
    const QString out = writeTestFile(QStringLiteral("out.csv"), QByteArrayLiteral("older text"));
    const CliRun run = runCli({QStringLiteral("export"), pathOf(QStringLiteral("Stock.pdb")), out,
                               QStringLiteral("--type"), type});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(readAll(out), text);
    QCOMPARE(readAll(pathOf(backup)), QByteArrayLiteral("older text"));
}

void TestCliText::standardCsv_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("options"); // for import, dump and export
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("message"); // on standard error, empty for none
    QTest::addColumn<QJsonArray>("record");
    QTest::addColumn<QByteArray>("exported"); // empty: export not tried

    const QStringList csv{u"--type"_s, u"csv"_s};
    QTest::newRow("UTF-8 file of a Linux program")
        << QByteArray("Name,City\nJ\xC3\xBCrgen,\"K\xC3\xB6ln, \"\"Alt\"\"\"\n") << csv << false
        << QString() << texts({"J\u00fcrgen", "K\u00f6ln, \"Alt\""})
        << QByteArray("Name,City\r\nJ\xC3\xBCrgen,\"K\xC3\xB6ln, \"\"Alt\"\"\"\r\n");
    QTest::newRow("Cyrillic in its code page")
        << QByteArray("\xD0\x98\xD0\xBC\xD1\x8F,x\r\n\xD0\x82\xD0\xBE,y\r\n")
        << csv + QStringList{u"--codepage"_s, u"windows-1251"_s} << false << QString()
        << texts({"\u0402\u043e", "y"})
        << QByteArray("\xD0\x98\xD0\xBC\xD1\x8F,x\r\n\xD0\x82\xD0\xBE,y\r\n");
    QTest::newRow("code-page file")
        << QByteArray("Name,City\r\nJ\xFCrgen,x\r\n")
        << csv + QStringList{u"--encoding"_s, u"codepage"_s} << false << QString()
        << texts({"J\u00fcrgen", "x"}) << QByteArray("Name,City\r\nJ\xFCrgen,x\r\n");
    // The other separated types read bytes as they stand unless --encoding is given.
    const QByteArray semicolonUtf8 = "Name;City\r\nJ\xC3\xBCrgen;x\r\n";
    const QStringList semicolon{u"--type"_s, u"semicolon"_s};
    QTest::newRow("UTF-8 semicolon text read byte by byte, and said")
        << semicolonUtf8 << semicolon << false
        << u"in.csv looks like UTF-8, which --type semicolon reads byte by byte"_s
        << texts({"J\u00c3\u00bcrgen", "x"}) << QByteArray();
    QTest::newRow("UTF-8 semicolon text in --encoding utf-8")
        << semicolonUtf8 << semicolon + QStringList{u"--encoding"_s, u"utf-8"_s} << false
        << QString() << texts({"J\u00fcrgen", "x"}) << QByteArray();
    QTest::newRow("UTF-8 tab text with its mark in --encoding utf-8")
        << QByteArray("\xEF\xBB\xBFName\tCity\r\nAnn\tK\xC3\xB6ln\r\n")
        << QStringList{u"--type"_s, u"tab"_s, u"--encoding"_s, u"utf-8"_s} << false << QString()
        << texts({"Ann", "K\u00f6ln"}) << QByteArray();
    QTest::newRow("code-page semicolon text: nothing said")
        << QByteArray("Name;City\r\nJ\xFCrgen;x\r\n") << semicolon << false << QString()
        << texts({"J\u00fcrgen", "x"}) << QByteArray();
    const QByteArray check = "Name,Mark\r\nAnn,\xE2\x9C\x93\r\n";
    const QString lossQuestion = u"Warning: 1 character cannot be held by the code page "
                                 u"windows-1252 and will become \"?\": \u2713 (U+2713)\n"
                                 u"Records: 1\nContinue?"_s;
    QTest::newRow("loss refused") << check << csv << false << lossQuestion << QJsonArray()
                                  << QByteArray();
    QTest::newRow("loss taken with --yes")
        << check << csv << true << lossQuestion << texts({"Ann", "?"}) << QByteArray();
}

void TestCliText::standardCsv()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, options);
    QFETCH(bool, yes);
    QFETCH(QString, message);
    QFETCH(QJsonArray, record);
    QFETCH(QByteArray, exported);

    const QString in = writeTestFile(QStringLiteral("in.csv"), text);
    const QString pdb = pathOf(QStringLiteral("In.pdb"));
    const CliRun run = runCli(QStringList{u"import"_s, in, pdb} + options
                              + (yes ? QStringList{u"--yes"_s} : QStringList()));
    QVERIFY2(message.isEmpty() ? run.err.isEmpty() : run.err.contains(message),
             qPrintable(run.err));
    QCOMPARE(run.exitCode, record.isEmpty() ? 1 : 0);
    QCOMPARE(QFile::exists(pdb), !record.isEmpty());
    if (record.isEmpty())
        return;
    QStringList dumpOptions = options.mid(2);
    if (dumpOptions.contains(u"--encoding"_s))
        dumpOptions.clear();
    const QJsonArray records = dumpJson(pdb, dumpOptions).value(u"records"_s).toArray();
    QCOMPARE(records.last().toArray(), record);
    if (exported.isEmpty())
        return;
    const QString out = pathOf(QStringLiteral("out.csv"));
    QCOMPARE(runCli(QStringList{u"export"_s, pdb, out} + options).exitCode, 0);
    QCOMPARE(readAll(out), exported);
}

void TestCliText::appendText_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QJsonArray>("last");
    const QByteArray fitting = "Cid,52\r\nDan,63\r\n";
    const QByteArray wide = "Cid,52,x\r\nDan,63,y\r\n";
    QTest::newRow("fitting lines")
        << fitting << QStringList() << 0 << QString() << texts({"Dan", "63"});
    QTest::newRow("suspicious text refused")
        << fitting + "Eve\r\n"
        << QStringList() << 1 << FormatQuestion << QJsonArray();
    QTest::newRow("too wide refused")
        << wide << QStringList() << 1
        << u"Some of the imported records do not fit and will be cut. Continue?"_s << QJsonArray();
    QTest::newRow("too wide cut with --yes")
        << wide << QStringList{u"--yes"_s} << 0 << u"Some of the imported records do not fit"_s
        << texts({"Dan", "63"});
}

void TestCliText::appendText()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    QFETCH(QString, question);
    QFETCH(QJsonArray, last);
    const QString database = pathOf(QStringLiteral("Stock.pdb"));
    const QByteArray previous = readAll(database);
    const QString in = writeTestFile(QStringLiteral("more.csv"), text);
    const CliRun run = runCli(QStringList{u"append"_s, database, in} + options);
    QCOMPARE(run.exitCode, exitCode);
    if (question.isEmpty())
        QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
    else
        QVERIFY2(run.err.contains(question), qPrintable(run.err));
    if (exitCode != 0) {
        QCOMPARE(readAll(database), previous);
        QVERIFY(!QFile::exists(pathOf(QStringLiteral("Stock.pd_"))));
        return;
    }
    QCOMPARE(readAll(pathOf(QStringLiteral("Stock.pd_"))), previous);
    const QJsonArray records = dumpJson(database).value(u"records"_s).toArray();
    QCOMPARE(records.size(), 4);
    QCOMPARE(records.at(0).toArray(), texts({"Ann", "30"}));
    QCOMPARE(records.last().toArray(), last);
}

void TestCliText::exportToMissingFolderFails()
{
    const CliRun run = runCli({QStringLiteral("export"), pathOf(QStringLiteral("Stock.pdb")),
                               pathOf(QStringLiteral("missing/out.csv"))});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(QStringLiteral("Error: There was an error in saving the file.")),
             qPrintable(run.err));
}

void TestCliText::exportOntoItsDatabaseRefused()
{
    const QString database = pathOf(QStringLiteral("Stock.pdb"));
    const QByteArray before = readAll(database);
    QVERIFY(!before.isEmpty());
    const CliRun run = runCli({QStringLiteral("export"), database, database});
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(readAll(database), before);
    QVERIFY(!QFile::exists(pathOf(QStringLiteral("Stock.CS_"))));
}

void TestCliText::appendToKribo3WritesConvertedFile()
{
    const QByteArray bytes = stock(Layout::Kribo3).build();
    const QString database = writeTestFile(QStringLiteral("Old.pdb"), bytes);
    const QString in = writeTestFile(QStringLiteral("more.csv"), "Cid,52\r\nDan,63\r\n");
    const CliRun run = runCli({QStringLiteral("append"), database, in});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(readAll(database), bytes);
    const QString converted = pathOf(QStringLiteral("Old_p.pdb"));
    QVERIFY2(run.out.contains(QFileInfo(converted).absoluteFilePath().toUtf8()),
             run.out.constData());
    const QJsonObject dump = dumpJson(converted);
    QCOMPARE(dump.value(u"name"_s).toString(), QStringLiteral("Stock_p"));
    QCOMPARE(dump.value(u"records"_s).toArray().size(), 4);
}

void TestCliText::appendRefusesReadOnlyDatabase()
{
    const QString database = pathOf(QStringLiteral("Stock.pdb"));
    const QByteArray previous = readAll(database);
    QVERIFY(QFile::setPermissions(database, QFileDevice::ReadOwner));
    if (QFile writable(database); writable.open(QIODevice::ReadWrite)) {
        QFile::setPermissions(database, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QSKIP("this user may write read-only files");
    }
    const QString in = writeTestFile(QStringLiteral("more.csv"), "Cid,52\r\nDan,63\r\n");
    const CliRun run = runCli({QStringLiteral("append"), database, in});
    QFile::setPermissions(database, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(QStringLiteral("Error: There was an error opening the file.")),
             qPrintable(run.err));
    QCOMPARE(readAll(database), previous);
}

QTEST_GUILESS_MAIN(TestCliText)
#include "tst_cli_text.moc"
