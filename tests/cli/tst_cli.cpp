// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "pdb_builder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

using namespace kribed::test;
using namespace Qt::Literals::StringLiterals;

namespace {

struct CliRun
{
    int exitCode = -1;
    QByteArray out;
    QString err;
};

const QString KribedNotice = QStringLiteral(
    "This database created by Kribo 3 will be converted into the Kribo pro format. \n"
    "Please note, that the changes don't come up in Kribo 3.");
const QString FormatQuestion = QStringLiteral(
    "If there is an incorrect import format please try  to change the file type in the import "
    "dialog.\nContinue?");

QJsonArray texts(std::initializer_list<const char *> items)
{
    QJsonArray array;
    for (const char *item : items)
        array.append(QString::fromUtf8(item));
    return array;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

using Layout = PdbBuilder::Layout;

// The database most tests work on: fields name (String) and Age (Normal Integer), records Ann 30
// and Bob 41.
PdbBuilder stock(Layout layout = Layout::KriboPro)
{
    return PdbBuilder(layout)
        .name("Stock")
        .field("Name", 0x0001, 60)
        .field("Age", 0x0008, 40)
        .record({"Ann", "30"})
        .record({"Bob", "41"});
}

// A database with a popup list, extras, flags, filter and sort settings, and a value with a line
// feed, so a dump or a resave has something in every key.
QByteArray richFile(Layout layout)
{
    // The settings follow the further width word, at 1254 in Kribo pro and 504 in Kribo 3.
    const int settings = layout == Layout::KriboPro ? 1254 : 504;
    return PdbBuilder(layout)
        .name("Stock")
        .field("Name", 0x0001, 60)
        .field("Colour", 0x0040, 30)
        .field("Note", 0x0001, 100)
        .record({"Ann", "Red", "a\nb"})
        .record({"Bob", "Blue", ""})
        .popup(2, {"Red", "Blue"})
        .extras("XYZ")
        .blockWord(settings + 4, 2)       // secondary sort
        .blockWord(settings + 6, 3)       // tertiary sort
        .blockWord(settings + 10, 1)      // filter field
        .blockBytes(settings + 28, "Ann") // filter text
        .blockWord(settings + 44, 0x0012) // private and read-only
        .build();
}

Layout layoutOf(const QByteArray &type)
{
    return type == "KrD3" ? Layout::Kribo3 : Layout::KriboPro;
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

private:
    CliRun runCli(const QStringList &arguments, const QString &timeZone = QString());
    QString writeTestFile(const QString &name, const QByteArray &bytes);
    QString pathOf(const QString &name) const { return mDir->filePath(name); }
    QJsonObject dumpJson(const QString &path, const QStringList &extra = {});

    std::unique_ptr<QTemporaryDir> mDir;

private Q_SLOTS:
    void init();

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
    void dumpToFullDeviceFails();
    void info();
    void readingCommandsNeverWrite_data();
    void readingCommandsNeverWrite();
    void resaveKeepsContent_data();
    void resaveKeepsContent();
    void resaveToMissingFolderFails();

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
    void appendText_data();
    void appendText();
    void exportToMissingFolderFails();
    void exportOntoItsDatabaseRefused();
    void appendToKribo3WritesConvertedFile();
    void appendRefusesReadOnlyDatabase();
};

CliRun TestCli::runCli(const QStringList &arguments, const QString &timeZone)
{
    QProcess process;
    process.setWorkingDirectory(mDir->path());
    if (!timeZone.isEmpty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TZ"), timeZone);
        process.setProcessEnvironment(environment);
    }
    process.start(QStringLiteral(KRIBED_CLI_PATH), arguments);
    CliRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QString TestCli::writeTestFile(const QString &name, const QByteArray &bytes)
{
    QFile file(pathOf(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write the fixture");
    return file.fileName();
}

QJsonObject TestCli::dumpJson(const QString &path, const QStringList &extra)
{
    const CliRun run = runCli(QStringList{u"dump"_s, path} + extra);
    if (run.exitCode != 0)
        qWarning("dump failed: %s", qPrintable(run.err));
    return QJsonDocument::fromJson(run.out).object();
}

void TestCli::init()
{
    mDir = std::make_unique<QTemporaryDir>();
    QVERIFY(mDir->isValid());
    writeTestFile(QStringLiteral("Stock.pdb"), stock().build());
}

void TestCli::usageErrors_data()
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
        << QStringList{u"import"_s, u"a.csv"_s, u"b.pdb"_s, u"--type"_s, u"csv"_s}
        << u"--type is comma"_s;
    QTest::newRow("export cannot write comma-any")
        << QStringList{u"export"_s, stock, u"b.txt"_s, u"--type"_s, u"comma-any"_s}
        << u"export writes"_s;
    QTest::newRow("field type out of range")
        << QStringList{u"new"_s, u"n.pdb"_s, u"--type"_s, u"13"_s} << u"field type index"_s;
    QTest::newRow("field type not a number")
        << QStringList{u"new"_s, u"n.pdb"_s, u"--type"_s, u"comma"_s} << u"field type index"_s;
    QTest::newRow("option twice") << QStringList{u"new"_s, u"n.pdb"_s,  u"--name"_s,
                                                 u"a"_s,   u"--name"_s, u"b"_s}
                                  << u"given twice"_s;
}

void TestCli::usageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    const CliRun run = runCli(arguments);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QVERIFY(run.out.isEmpty());
    QVERIFY(!QFile::exists(pathOf(QStringLiteral("n.pdb"))));
}

void TestCli::helpAndVersion()
{
    const CliRun help = runCli({QStringLiteral("--help")});
    QCOMPARE(help.exitCode, 0);
    for (const char *command :
         {"info", "check", "dump", "resave", "new", "import", "export", "append"})
        QVERIFY2(help.out.contains(QByteArray("  ") + command + ' '), command);
    const CliRun version = runCli({QStringLiteral("--version")});
    QCOMPARE(version.exitCode, 0);
    QCOMPARE(version.out, QByteArray("kribed-cli " KRIBED_VERSION "\n"));
}

void TestCli::check_data()
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

void TestCli::check()
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

void TestCli::dumpHoldsEveryKey()
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

void TestCli::dumpOfKribo3File()
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

void TestCli::dumpModifiedIsPlainClockTime_data()
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

void TestCli::dumpModifiedIsPlainClockTime()
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

void TestCli::dumpDecodesWithCodePage_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("expected");
    QTest::newRow("windows-1252 by default") << QStringList() << QStringLiteral("Caf\u00e9");
    QTest::newRow("windows-1251") << QStringList{u"--codepage"_s, u"windows-1251"_s}
                                  << QStringLiteral("Caf\u0439");
    QTest::newRow("windows-1253") << QStringList{u"--codepage=windows-1253"_s}
                                  << QStringLiteral("Caf\u03b9");
}

void TestCli::dumpDecodesWithCodePage()
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

void TestCli::dumpIsIndentedJsonByteForByte()
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

void TestCli::dumpToFullDeviceFails()
{
    const QString path = writeTestFile(QStringLiteral("Rich.pdb"), richFile(Layout::KriboPro));
    QProcess process;
    process.setStandardOutputFile(QStringLiteral("/dev/full"));
    process.start(QStringLiteral(KRIBED_CLI_PATH), {u"dump"_s, path});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 1);
    QVERIFY(process.readAllStandardError().contains("could not be written whole"));
}

void TestCli::info()
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

void TestCli::readingCommandsNeverWrite_data()
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

void TestCli::readingCommandsNeverWrite()
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

void TestCli::resaveKeepsContent_data()
{
    QTest::addColumn<QByteArray>("type");
    QTest::newRow("Kribo pro copy") << QByteArray("KrDb");
    QTest::newRow("Kribo 3 converted on the way") << QByteArray("KrD3");
}

void TestCli::resaveKeepsContent()
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

void TestCli::resaveToMissingFolderFails()
{
    const CliRun run = runCli({QStringLiteral("resave"), pathOf(QStringLiteral("Stock.pdb")),
                               pathOf(QStringLiteral("missing/Out.pdb"))});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(QStringLiteral("There was an error in saving the file.")),
             qPrintable(run.err));
}

void TestCli::newDatabase_data()
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
    QTest::newRow("same character in its code page")
        << QStringList{u"--name"_s, u"A\u03a9"_s, u"--codepage"_s, u"windows-1253"_s}
        << QStringLiteral("A\u03a9") << 5 << 10 << 0 << 60;
}

void TestCli::newDatabase()
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

void TestCli::newDatabaseRefusesBadChoices_data()
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

void TestCli::newDatabaseRefusesBadChoices()
{
    QFETCH(QStringList, options);
    QFETCH(QString, message);
    const QString out = pathOf(QStringLiteral("New.pdb"));
    const CliRun run = runCli(QStringList{u"new"_s, out} + options);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(QStringLiteral("Error: ") + message), qPrintable(run.err));
    QVERIFY(!QFile::exists(out));
}

void TestCli::importText_data()
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

void TestCli::importText()
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

void TestCli::importTellsOfCutValues()
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

void TestCli::importKeepsReplacedFileAsBackup()
{
    const QString in = writeTestFile(QStringLiteral("people.csv"), "Name,Age\r\nAnn,30\r\n");
    const QByteArray previous = readAll(pathOf(QStringLiteral("Stock.pdb")));
    const CliRun run = runCli({QStringLiteral("import"), in, pathOf(QStringLiteral("Stock.pdb"))});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(readAll(pathOf(QStringLiteral("Stock.pd_"))), previous);
    QCOMPARE(dumpJson(pathOf(QStringLiteral("Stock.pdb"))).value(u"name"_s).toString(),
             QStringLiteral("people"));
}

void TestCli::exportText_data()
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

void TestCli::exportText()
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

void TestCli::appendText_data()
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

void TestCli::appendText()
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

void TestCli::exportToMissingFolderFails()
{
    const CliRun run = runCli({QStringLiteral("export"), pathOf(QStringLiteral("Stock.pdb")),
                               pathOf(QStringLiteral("missing/out.csv"))});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(QStringLiteral("Error: There was an error in saving the file.")),
             qPrintable(run.err));
}

void TestCli::exportOntoItsDatabaseRefused()
{
    const QString database = pathOf(QStringLiteral("Stock.pdb"));
    const QByteArray before = readAll(database);
    QVERIFY(!before.isEmpty());
    const CliRun run = runCli({QStringLiteral("export"), database, database});
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(readAll(database), before);
    QVERIFY(!QFile::exists(pathOf(QStringLiteral("Stock.CS_"))));
}

void TestCli::appendToKribo3WritesConvertedFile()
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

void TestCli::appendRefusesReadOnlyDatabase()
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

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
