// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
//
// kribed-cli's usage and its file commands: info, check, dump and resave.
#include "cli_test_helpers.h"

#include <QFileInfo>
#include <QStringDecoder>

using namespace kribed::test;
using namespace Qt::Literals::StringLiterals;

class TestCliFiles : public CliTestCase
{
    Q_OBJECT

private Q_SLOTS:
    void init() { setUpFolder(); }

    void usageErrors_data();
    void usageErrors();
    void helpAndVersion();
    void check_data();
    void check();
    void dumpHoldsEveryKey();
    void dumpOfKribo3File();
    void dumpModifiedIsPlainClockTime_data();
    void dumpModifiedIsPlainClockTime();
    void dumpDecodesWithCodePage_data();
    void dumpDecodesWithCodePage();
    void dumpIsIndentedJsonByteForByte();
    void dumpCellsAsJsonDocumentWritesThem_data();
    void dumpCellsAsJsonDocumentWritesThem();
    void dumpToFullDeviceFails();
    void info();
    void readingCommandsNeverWrite_data();
    void readingCommandsNeverWrite();
    void resaveKeepsContent_data();
    void resaveKeepsContent();
    void resaveToMissingFolderFails();
};

void TestCliFiles::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    const QString stock = QStringLiteral("Stock.pdb");
    QTest::newRow("no command") << QStringList() << u"no command"_s;
    QTest::newRow("unknown command") << QStringList{u"frobnicate"_s, stock} << u"unknown command"_s;
    QTest::newRow("file missing") << QStringList{u"info"_s} << u"info takes one file"_s;
    QTest::newRow("one file too many")
        << QStringList{u"dump"_s, stock, stock} << u"dump takes one file"_s;
    QTest::newRow("resave needs two files")
        << QStringList{u"resave"_s, stock} << u"resave takes 2 files"_s;
    QTest::newRow("unknown option") << QStringList{u"info"_s, stock, u"--bogus"_s} << u"bogus"_s;
    QTest::newRow("option value missing")
        << QStringList{u"info"_s, stock, u"--codepage"_s} << u"codepage"_s;
    QTest::newRow("unknown code page")
        << QStringList{u"dump"_s, stock, u"--codepage"_s, u"no-such-page"_s}
        << u"unknown code page"_s;
    QTest::newRow("code page of 16-bit texts")
        << QStringList{u"dump"_s, stock, u"--codepage=UTF-16"_s} << u"not a code page"_s;
    QTest::newRow("option of another command")
        << QStringList{u"info"_s, stock, u"--width"_s, u"3"_s} << u"--width is not used by info"_s;
    QTest::newRow("text type unknown")
        << QStringList{u"import"_s, u"a.csv"_s, u"b.pdb"_s, u"--type"_s, u"xls"_s}
        << u"--type is comma"_s;
    QTest::newRow("encoding unknown")
        << QStringList{u"import"_s, u"a.csv"_s,      u"b.pdb"_s, u"--type"_s,
                       u"csv"_s,    u"--encoding"_s, u"latin1"_s}
        << u"--encoding is utf-8 or codepage, not 'latin1'"_s;
    QTest::newRow("encoding for the described types")
        << QStringList{u"export"_s, stock, u"b.csv"_s, u"--encoding"_s, u"utf-8"_s}
        << u"--encoding is for --type csv, and for import and append of text"_s;
    QTest::newRow("encoding of another command")
        << QStringList{u"dump"_s, stock, u"--encoding"_s, u"utf-8"_s}
        << u"--encoding is not used by dump"_s;
    QTest::newRow("export cannot write comma-any")
        << QStringList{u"export"_s, stock, u"b.txt"_s, u"--type"_s, u"comma-any"_s}
        << u"export writes"_s;
    QTest::newRow("field type out of range")
        << QStringList{u"new"_s, u"n.pdb"_s, u"--type"_s, u"13"_s} << u"field type index"_s;
    QTest::newRow("field type not a number")
        << QStringList{u"new"_s, u"n.pdb"_s, u"--type"_s, u"comma"_s} << u"field type index"_s;
    QTest::newRow("locale of a command that reads no numbers")
        << QStringList{u"dump"_s, stock, u"--locale=de_DE"_s} << u"--locale is not used by dump"_s;
    QTest::newRow("json of another command")
        << QStringList{u"check"_s, stock, u"--json"_s} << u"--json is not used by check"_s;
    QTest::newRow("locale twice") << QStringList{u"info"_s, stock, u"--locale=de_DE"_s,
                                                 u"--locale=en_US"_s}
                                  << u"--locale is given twice"_s;
    QTest::newRow("option twice") << QStringList{u"new"_s, u"n.pdb"_s,  u"--name"_s,
                                                 u"a"_s,   u"--name"_s, u"b"_s}
                                  << u"given twice"_s;
}

void TestCliFiles::usageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    const CliRun run = runCli(arguments);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QVERIFY(run.out.isEmpty());
    QVERIFY(!QFile::exists(pathOf(QStringLiteral("n.pdb"))));
}

void TestCliFiles::helpAndVersion()
{
    const CliRun help = runCli({QStringLiteral("--help")});
    QCOMPARE(help.exitCode, 0);
    for (const char *command :
         {"info", "check", "dump", "resave", "new", "import", "export", "append"})
        QVERIFY2(help.out.contains(QByteArray("  ") + command + ' '), command);
    for (const char *option : {"--locale <NAME>", "--json", "--table <NAME>"})
        QVERIFY2(help.out.contains(option), option);
    const CliRun version = runCli({QStringLiteral("--version")});
    QCOMPARE(version.exitCode, 0);
    QCOMPARE(version.out, QByteArray("kribed-cli " KRIBED_VERSION "\n"));
}

void TestCliFiles::check_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");

    const QByteArray kribo3 = stock(Layout::Kribo3).build();
    const QByteArray wrongType = stock().type("DATA").build();
    const QByteArray newerVersion = stock().blockWord(1152, 577).build();
    const QByteArray strangeType =
        PdbBuilder().field("Name").field("Odd", 0x0099).record({"a", "b"}).build();
    const QByteArray pro = stock().build();

    QTest::newRow("Kribo pro loads") << pro << QStringList() << 0 << QString();
    QTest::newRow("Kribo 3 notice does not count against it")
        << kribo3 << QStringList() << 0 << QStringLiteral("Information: ") + KribedNotice;
    QTest::newRow("other type refused")
        << wrongType << QStringList() << 1 << u"Information: It's not a Kribo database."_s;
    QTest::newRow("header cut short")
        << pro.left(77) << QStringList() << 1 << u"Information: It's not a Kribo database."_s;
    QTest::newRow("app-info block cut short")
        << pro.left(300) << QStringList() << 1 << u"Error: Size KRStruc"_s;
    QTest::newRow("unknown version answered Cancel")
        << newerVersion << QStringList() << 1 << u"Information: Error: Version"_s;
    QTest::newRow("unknown version answered Retry by --yes")
        << newerVersion << QStringList{u"--yes"_s} << 0 << u"answered Retry because of --yes"_s;
    QTest::newRow("unknown field type answered Cancel")
        << strangeType << QStringList() << 1 << u"Information: Error: Seek Fieldtype"_s;
    QTest::newRow("unknown field type answered Retry by -y")
        << strangeType << QStringList{u"-y"_s} << 0 << u"There is a unknown fieldtype."_s;
}

void TestCliFiles::check()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const QString path = writeTestFile(QStringLiteral("Checked.pdb"), bytes);
    const CliRun run = runCli(QStringList{u"check"_s, path} + options);
    QCOMPARE(run.exitCode, exitCode);
    if (message.isEmpty())
        QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
    else
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QCOMPARE(run.err.contains(path + QStringLiteral(" was not loaded.")), exitCode != 0);
}

void TestCliFiles::dumpHoldsEveryKey()
{
    const QString path = writeTestFile(QStringLiteral("Rich.pdb"), richFile(Layout::KriboPro));
    const QJsonObject dump = dumpJson(path);
    QStringList keys = dump.keys();
    keys.sort();
    QCOMPARE(keys, QStringList({u"extras"_s, u"fields"_s, u"filterField"_s, u"filterText"_s,
                                u"flags"_s, u"layout"_s, u"modified"_s, u"name"_s, u"path"_s,
                                u"records"_s, u"secondarySort"_s, u"tertiarySort"_s}));
    QCOMPARE(dump.value(u"name"_s).toString(), QStringLiteral("Stock"));
    QCOMPARE(dump.value(u"layout"_s).toString(), QStringLiteral("pro"));
    QCOMPARE(dump.value(u"path"_s).toString(), QFileInfo(path).absoluteFilePath());
    QCOMPARE(dump.value(u"modified"_s).toString(), QStringLiteral("1970-01-01T01:00:00"));

    const QJsonArray fields = dump.value(u"fields"_s).toArray();
    QCOMPARE(fields.size(), 3);
    const QJsonObject colour = fields.at(1).toObject();
    QCOMPARE(colour.value(u"name"_s).toString(), QStringLiteral("Colour"));
    QCOMPARE(colour.value(u"type"_s).toInt(), 8);
    QCOMPARE(colour.value(u"typeName"_s).toString(), QStringLiteral("Normal PopUp"));
    QCOMPARE(colour.value(u"width"_s).toInt(), 30);
    QCOMPARE(colour.value(u"popup"_s).toArray(), texts({"Red", "Blue"}));
    QCOMPARE(fields.at(0).toObject().value(u"popup"_s).toArray(), QJsonArray());
    QCOMPARE(fields.at(2).toObject().value(u"width"_s).toInt(), 100);

    const QJsonArray records = dump.value(u"records"_s).toArray();
    QCOMPARE(records.size(), 2);
    QCOMPARE(records.at(0).toArray(), texts({"Ann", "Red", "a\r\nb"}));
    QCOMPARE(records.at(1).toArray(), texts({"Bob", "Blue", ""}));

    QCOMPARE(dump.value(u"filterText"_s).toString(), QStringLiteral("Ann"));
    QCOMPARE(dump.value(u"filterField"_s).toInt(), 1);
    QCOMPARE(dump.value(u"secondarySort"_s).toInt(), 2);
    QCOMPARE(dump.value(u"tertiarySort"_s).toInt(), 3);
    const QJsonObject flags = dump.value(u"flags"_s).toObject();
    QCOMPARE(flags.value(u"private"_s).toBool(), true);
    QCOMPARE(flags.value(u"readOnly"_s).toBool(), true);
    QCOMPARE(flags.value(u"autoLock"_s).toBool(), false);
    QCOMPARE(flags.value(u"kriboFilter"_s).toBool(), false);
    QCOMPARE(dump.value(u"extras"_s).toInt(), 3);
}

void TestCliFiles::dumpOfKribo3File()
{
    const QString path = writeTestFile(QStringLiteral("Old.pdb"), richFile(Layout::Kribo3));
    const CliRun run = runCli({QStringLiteral("dump"), path});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.err.contains(KribedNotice));
    const QJsonObject dump = QJsonDocument::fromJson(run.out).object();
    QCOMPARE(dump.value(u"layout"_s).toString(), QStringLiteral("kribo3"));
    QCOMPARE(dump.value(u"name"_s).toString(), QStringLiteral("Stock_p"));
    QCOMPARE(dump.value(u"path"_s).toString(),
             QFileInfo(pathOf(QStringLiteral("Old_p.pdb"))).absoluteFilePath());
    QCOMPARE(dump.value(u"records"_s).toArray().at(0).toArray(), texts({"Ann", "Red", "a\r\nb"}));
    QCOMPARE(dump.value(u"fields"_s).toArray().at(1).toObject().value(u"popup"_s).toArray(),
             texts({"Red", "Blue"}));
    const QJsonObject flags = dump.value(u"flags"_s).toObject();
    QCOMPARE(flags.value(u"private"_s).toBool(), false); // a conversion leaves every flag off
    QCOMPARE(flags.value(u"readOnly"_s).toBool(), false);
}

void TestCliFiles::dumpModifiedIsPlainClockTime_data()
{
    QTest::addColumn<QString>("timeZone");
    QTest::addColumn<QDateTime>("time");
    const QDateTime summer(QDate(2020, 7, 1), QTime(12, 0, 5), Qt::UTC);
    const QDateTime winter(QDate(2004, 2, 29), QTime(23, 59, 59), Qt::UTC);
    const QDateTime beforeEpoch(QDate(1970, 1, 1), QTime(0, 0), Qt::UTC);
    for (const char *zone : {"UTC", "Europe/Berlin", "America/New_York"}) {
        QTest::addRow("summer in %s", zone) << QString::fromLatin1(zone) << summer;
        QTest::addRow("leap day in %s", zone) << QString::fromLatin1(zone) << winter;
    }
    QTest::newRow("negative seconds") << QStringLiteral("UTC") << beforeEpoch;
}

void TestCliFiles::dumpModifiedIsPlainClockTime()
{
    QFETCH(QString, timeZone);
    QFETCH(QDateTime, time);
    const qint64 seconds = QDateTime(QDate(1970, 1, 1), QTime(1, 0), Qt::UTC).secsTo(time);
    const QString path =
        writeTestFile(QStringLiteral("Timed.pdb"), stock().dates(quint32(qint32(seconds))).build());
    const CliRun run = runCli({QStringLiteral("dump"), path}, timeZone);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(QJsonDocument::fromJson(run.out).object().value(u"modified"_s).toString(),
             time.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")));
}

void TestCliFiles::dumpDecodesWithCodePage_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("expected");
    QTest::newRow("windows-1252 by default") << QStringList() << QStringLiteral("Caf\u00e9");
    QTest::newRow("windows-1251") << QStringList{u"--codepage"_s, u"windows-1251"_s}
                                  << QStringLiteral("Caf\u0439");
    QTest::newRow("windows-1253") << QStringList{u"--codepage=windows-1253"_s}
                                  << QStringLiteral("Caf\u03b9");
}

void TestCliFiles::dumpDecodesWithCodePage()
{
    QFETCH(QStringList, options);
    QFETCH(QString, expected);
    const QByteArray cafe = "Caf\xe9";
    const QString path = writeTestFile(QStringLiteral("Coded.pdb"),
                                       PdbBuilder().name(cafe).field(cafe).record({cafe}).build());
    const QJsonObject dump = dumpJson(path, options);
    QCOMPARE(dump.value(u"name"_s).toString(), expected);
    QCOMPARE(dump.value(u"fields"_s).toArray().at(0).toObject().value(u"name"_s).toString(),
             expected);
    QCOMPARE(dump.value(u"records"_s).toArray().at(0).toArray().at(0).toString(), expected);
}

void TestCliFiles::dumpIsIndentedJsonByteForByte()
{
    // Texts that need escapes or several UTF-8 bytes, and empty arrays: the dump must be the very
    // bytes QJsonDocument writes for the same values.
    const QByteArray awkward = "q\"b\\s/\x01\x1f\t\x7f\xe9\x81\x80 end";
    const QString path =
        writeTestFile(QStringLiteral("Awkward.pdb"), PdbBuilder()
                                                         .name("A \"name\"")
                                                         .field("F\\1", 0x0001, 60)
                                                         .field("Popup", 0x0040, 30)
                                                         .record({awkward, "Red"})
                                                         .record({"", "line\none"})
                                                         .popup(2, {"Red", "\x02"})
                                                         .build());
    const CliRun run = runCli({u"dump"_s, path});
    QCOMPARE(run.exitCode, 0);
    QJsonParseError error{};
    const QJsonDocument parsed = QJsonDocument::fromJson(run.out, &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(parsed.object().value(u"records"_s).toArray().at(0).toArray().at(0).toString(),
             QStringDecoder("windows-1252").decode(awkward));
    QCOMPARE(run.out, parsed.toJson(QJsonDocument::Indented));
}

void TestCliFiles::dumpCellsAsJsonDocumentWritesThem_data()
{
    QTest::addColumn<QByteArray>("codePage");
    QTest::addColumn<QList<QByteArray>>("cells");
    const QByteArray long4000 = QByteArray(3999, 'x') + '"';
    QTest::newRow("escape first and last") << QByteArray() << QList<QByteArray>{"\"a\\", "\tb\x1f"};
    QTest::newRow("escape and high byte past the last whole word")
        << QByteArray() << QList<QByteArray>{"twelve bytes\\", "0123456789\xe9", "8 bytes\x01"};
    QTest::newRow("high byte last") << QByteArray()
                                    << QList<QByteArray>{"plain\xe9", "\xfc"
                                                                      "ber"};
    QTest::newRow("bytes 1252 has no character for") << QByteArray()
                                                     << QList<QByteArray>{"a\x81"
                                                                          "b\x8d\x8f\x90\x9d",
                                                                          "\x80\x9f\xff"};
    // LF is left out: a loaded cell holds it as CR LF.
    QTest::newRow("every byte but NUL and LF") << QByteArray() << QList<QByteArray>{[] {
        QByteArray all;
        for (int byte = 1; byte < 256; ++byte) {
            if (byte != '\n')
                all += char(byte);
        }
        return all;
    }()};
    QTest::newRow("Cyrillic page")
        << QByteArray("windows-1251") << QList<QByteArray>{"\xc0\xe1\\\x98", "x\x01y"};
    QTest::newRow("Greek page, a byte it lacks")
        << QByteArray("windows-1253") << QList<QByteArray>{"\xe1\xaa\xd2", "\"\xff"};
    QTest::newRow("Shift_JIS pairs and a half character")
        << QByteArray("Shift_JIS")
        << QList<QByteArray>{"\x93\xfa\x96\x7b\\", "a\x82",
                             "\x82"
                             "b"};
    QTest::newRow("cells longer than the output buffer")
        << QByteArray() << QList<QByteArray>(300, long4000);
}

void TestCliFiles::dumpCellsAsJsonDocumentWritesThem()
{
    // The cells go through the code page and the escapes on their own fast paths; every one must
    // come out as QJsonDocument writes the text the code page reads from it.
    QFETCH(QByteArray, codePage);
    QFETCH(QList<QByteArray>, cells);
    PdbBuilder builder;
    builder.name("Cells").field("Text");
    for (const QByteArray &cell : cells)
        builder.record({cell});
    const QString path = writeTestFile(QStringLiteral("Cells.pdb"), builder.build());
    QStringList arguments{u"dump"_s, path};
    if (!codePage.isEmpty())
        arguments << u"--codepage"_s << QString::fromLatin1(codePage);
    const CliRun run = runCli(arguments);
    QCOMPARE(run.exitCode, 0);
    QJsonParseError error{};
    const QJsonDocument parsed = QJsonDocument::fromJson(run.out, &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    const QJsonArray records = parsed.object().value(u"records"_s).toArray();
    QCOMPARE(records.size(), cells.size());
    QStringDecoder decoder(codePage.isEmpty() ? "windows-1252" : codePage.constData());
    for (qsizetype i = 0; i < cells.size(); ++i) {
        decoder.resetState();
        const QString expected = decoder.decode(cells.at(i));
        QCOMPARE(records.at(i).toArray().at(0).toString(), expected);
    }
    QCOMPARE(run.out, parsed.toJson(QJsonDocument::Indented));
}

void TestCliFiles::dumpToFullDeviceFails()
{
    const QString path = writeTestFile(QStringLiteral("Rich.pdb"), richFile(Layout::KriboPro));
    QProcess process;
    process.setStandardOutputFile(QStringLiteral("/dev/full"));
    process.start(QStringLiteral(KRIBED_CLI_PATH), {u"dump"_s, path});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 1);
    QVERIFY(process.readAllStandardError().contains("could not be written whole"));
}

void TestCliFiles::info()
{
    const QString path = writeTestFile(QStringLiteral("Rich.pdb"), richFile(Layout::KriboPro));
    const CliRun run = runCli({QStringLiteral("info"), path});
    QCOMPARE(run.exitCode, 0);
    const QString out = QString::fromUtf8(run.out);
    for (const QString &line :
         {QStringLiteral("Name:      Stock"), QStringLiteral("Layout:    Kribo pro"),
          QStringLiteral("Records:   2"), QStringLiteral("Fields:    3"),
          QStringLiteral(" 1  Name  String, width 60 units, 0 popup items"),
          QStringLiteral(" 2  Colour  Normal PopUp, width 30 units, 2 popup items"),
          QStringLiteral("private yes, auto-lock no, read-only yes")})
        QVERIFY2(out.contains(line), qPrintable(out));
}

void TestCliFiles::readingCommandsNeverWrite_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QByteArray>("type");
    for (const char *command : {"info", "check", "dump", "export"}) {
        QTest::addRow("%s of Kribo pro", command)
            << QString::fromLatin1(command) << QByteArray("KrDb");
        QTest::addRow("%s of Kribo 3", command)
            << QString::fromLatin1(command) << QByteArray("KrD3");
    }
}

void TestCliFiles::readingCommandsNeverWrite()
{
    QFETCH(QString, command);
    QFETCH(QByteArray, type);
    const QByteArray bytes = richFile(layoutOf(type));
    const QString path = writeTestFile(QStringLiteral("Kept.pdb"), bytes);
    QFile file(path);
    const QDateTime old(QDate(2001, 2, 3), QTime(4, 5, 6));
    QVERIFY(file.open(QIODevice::ReadWrite)
            && file.setFileTime(old, QFileDevice::FileModificationTime));
    file.close();
    // A file the user may not write is still read.
    QVERIFY(file.setPermissions(QFileDevice::ReadOwner));

    QStringList arguments{command, path};
    if (command == QLatin1String("export"))
        arguments << pathOf(QStringLiteral("out.csv"));
    const CliRun run = runCli(arguments);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(readAll(path), bytes);
    QCOMPARE(QFileInfo(path).lastModified(), old);
    QVERIFY(!QFile::exists(pathOf(QStringLiteral("Kept.pd_"))));
    QVERIFY(!QFile::exists(pathOf(QStringLiteral("Kept_p.pdb"))));
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void TestCliFiles::resaveKeepsContent_data()
{
    QTest::addColumn<QByteArray>("type");
    QTest::newRow("Kribo pro copy") << QByteArray("KrDb");
    QTest::newRow("Kribo 3 converted on the way") << QByteArray("KrD3");
}

void TestCliFiles::resaveKeepsContent()
{
    QFETCH(QByteArray, type);
    const QByteArray bytes = richFile(layoutOf(type));
    const QString in = writeTestFile(QStringLiteral("In.pdb"), bytes);
    const QString out = pathOf(QStringLiteral("Out.pdb"));
    writeTestFile(QStringLiteral("Out.pdb"), QByteArrayLiteral("previous"));

    const CliRun run = runCli({QStringLiteral("resave"), in, out});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(readAll(in), bytes);
    QVERIFY2(!QFile::exists(pathOf(QStringLiteral("Out.pd_"))), "a copy makes no backup");

    QJsonObject before = dumpJson(in);
    QJsonObject after = dumpJson(out);
    QCOMPARE(after.value(u"layout"_s).toString(), QStringLiteral("pro"));
    QCOMPARE(after.value(u"path"_s).toString(), QFileInfo(out).absoluteFilePath());
    if (type == "KrDb")
        QCOMPARE(after.value(u"name"_s), before.value(u"name"_s));
    // The filter field is always written as "all fields".
    QCOMPARE(after.value(u"filterField"_s).toInt(), 0);
    for (const char *changing : {"layout", "path", "modified", "name", "filterField"}) {
        before.remove(QLatin1String(changing));
        after.remove(QLatin1String(changing));
    }
    QCOMPARE(after, before);
}

void TestCliFiles::resaveToMissingFolderFails()
{
    const CliRun run = runCli({QStringLiteral("resave"), pathOf(QStringLiteral("Stock.pdb")),
                               pathOf(QStringLiteral("missing/Out.pdb"))});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(QStringLiteral("There was an error in saving the file.")),
             qPrintable(run.err));
}

QTEST_GUILESS_MAIN(TestCliFiles)
#include "tst_cli_files.moc"
