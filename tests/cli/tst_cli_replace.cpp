// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
//
// kribed-cli replace: the count it prints, the safe save with its backup, the exit statuses.
#include "cli_test_helpers.h"
#include "core/model/database.h"
#include "core/model/pdb_reader.h"
#include "core/model/regional.h"
#include "core/platform/formats_memory.h"
#include "scripted_prompter.h"

#include <QFileInfo>
#include <QProcessEnvironment>
#include <QSettings>

using namespace kribed;
using namespace kribed::test;

namespace {

// The cells of the file, records joined by '/', cells by '|'.
QByteArray cellsOf(const QString &path)
{
    Database database;
    ScriptedPrompter prompter;
    if (loadDatabaseFile(path, database, prompter, OpenAccess::ReadOnly) != LoadResult::Loaded)
        return "not loaded";
    QList<QByteArray> rows;
    for (int record = 1; record <= database.recordCount(); ++record)
        rows << database.recordAt(record).toList().join('|');
    return rows.join('/');
}

// Arguments written as UTF-8 literals.
QStringList args(std::initializer_list<const char *> items)
{
    QStringList list;
    for (const char *item : items)
        list << QString::fromUtf8(item);
    return list;
}

QByteArray names()
{
    return PdbBuilder()
        .name("Names")
        .field("Name", 0x0001, 60)
        .field("City", 0x0001, 60)
        .record({"Meier, Hans", "Bonn"})
        .record({"Schmidt, Eva", "Bonnland"})
        .record({"Meier, Ute", "K\xF6ln"}) // windows-1252
        .build();
}

} // namespace

class TestCliReplace : public CliTestCase
{
    Q_OBJECT

private Q_SLOTS:
    void init() { setUpFolder(); }

    void replacesAndSaves_data();
    void replacesAndSaves();
    void outputLeavesTheDatabase();
    void noMatchWritesNothing();
    void usageErrors_data();
    void usageErrors();
    void unwritableFileFails();
    void unheldCharactersNeedYes_data();
    void unheldCharactersNeedYes();
    void stampsInTheChosenFormats_data();
    void stampsInTheChosenFormats();
};

void TestCliReplace::replacesAndSaves_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<QByteArray>("summary");

    QTest::newRow("plain text in every field")
        << args({"--find", "bonn", "--with", "Berlin"})
        << QByteArray("Meier, Hans|Berlin/Schmidt, Eva|Berlinland/Meier, Ute|Köln")
        << QByteArray("2 replacements in 2 records.\n");
    QTest::newRow("match case finds nothing in another case")
        << args({"--find", "bonn", "--with", "Berlin", "--match-case"})
        << QByteArray("Meier, Hans|Bonn/Schmidt, Eva|Bonnland/Meier, Ute|Köln")
        << QByteArray("0 replacements in 0 records.\n");
    QTest::newRow("whole cell") << args({"--find", "Bonn", "--with", "Berlin", "--whole-cell"})
                                << QByteArray(
                                       "Meier, Hans|Berlin/Schmidt, Eva|Bonnland/Meier, Ute|Köln")
                                << QByteArray("1 replacement in 1 record.\n");
    QTest::newRow("regular expression with references in one field")
        << args({"--find", "(\\w+), (\\w+)", "--with", "\\2 \\1", "--regex", "--field", "Name"})
        << QByteArray("Hans Meier|Bonn/Eva Schmidt|Bonnland/Ute Meier|Köln")
        << QByteArray("3 replacements in 3 records.\n");
    QTest::newRow("a character of the code page is read as it shows")
        << args({"--find", "köln", "--with", "Koeln"})
        << QByteArray("Meier, Hans|Bonn/Schmidt, Eva|Bonnland/Meier, Ute|Koeln")
        << QByteArray("1 replacement in 1 record.\n");
}

void TestCliReplace::replacesAndSaves()
{
    QFETCH(QStringList, options);
    QFETCH(QByteArray, expected);
    QFETCH(QByteArray, summary);

    const QByteArray file = names();
    const QString path = writeTestFile(QStringLiteral("Names.pdb"), file);
    const CliRun run = runCli(QStringList{QStringLiteral("replace"), path} + options);
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY(run.out.startsWith(summary));
    // The rows above are UTF-8 in this source; the file holds windows-1252.
    QCOMPARE(cellsOf(path), QByteArray(expected).replace("K\xC3\xB6ln", "K\xF6ln"));
    const bool changed = !summary.startsWith("0 ");
    // The file before the change is the backup; an unchanged file is not written at all.
    QCOMPARE(QFile::exists(pathOf(QStringLiteral("Names.pd_"))), changed);
    if (changed)
        QCOMPARE(readAll(pathOf(QStringLiteral("Names.pd_"))), file);
    else
        QCOMPARE(readAll(path), file);
}

void TestCliReplace::outputLeavesTheDatabase()
{
    const QString path = writeTestFile(QStringLiteral("Names.pdb"), names());
    const QString out = pathOf(QStringLiteral("Out.pdb"));
    const CliRun run = runCli({QStringLiteral("replace"), path, QStringLiteral("--find"),
                               QStringLiteral("Meier"), QStringLiteral("--with"),
                               QStringLiteral("Maier"), QStringLiteral("--output"), out});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY(run.out.startsWith("2 replacements in 2 records.\n"));
    QCOMPARE(readAll(path), names());
    QVERIFY(!QFile::exists(pathOf(QStringLiteral("Names.pd_"))));
    QVERIFY(cellsOf(out).startsWith("Maier, Hans|Bonn/"));
}

void TestCliReplace::noMatchWritesNothing()
{
    const QString path = writeTestFile(QStringLiteral("Names.pdb"), names());
    const CliRun run =
        runCli({QStringLiteral("replace"), path, QStringLiteral("--find"), QStringLiteral("Paris"),
                QStringLiteral("--with"), QStringLiteral("x")});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QByteArray("0 replacements in 0 records.\n"));
    QCOMPARE(readAll(path), names());
}

void TestCliReplace::usageErrors_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("error");

    QTest::newRow("no --with") << args({"--find", "a"}) << QStringLiteral("--with");
    QTest::newRow("no --find") << args({"--with", "a"}) << QStringLiteral("--find");
    QTest::newRow("empty --find") << args({"--find", "", "--with", "a"})
                                  << QStringLiteral("--find");
    QTest::newRow("invalid expression") << args({"--find", "a(b", "--with", "x", "--regex"})
                                        << QStringLiteral("regular expression");
    QTest::newRow("unknown field") << args({"--find", "a", "--with", "b", "--field", "Age"})
                                   << QStringLiteral("no field named Age");
    QTest::newRow("option of another command")
        << args({"--find", "a", "--with", "b", "--type", "tab"})
        << QStringLiteral("--type is not used by replace");
}

void TestCliReplace::usageErrors()
{
    QFETCH(QStringList, options);
    QFETCH(QString, error);
    const QString path = writeTestFile(QStringLiteral("Names.pdb"), names());
    const CliRun run = runCli(QStringList{QStringLiteral("replace"), path} + options);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(error), qPrintable(run.err));
    QVERIFY(run.out.isEmpty());
    QCOMPARE(readAll(path), names());
}

void TestCliReplace::unwritableFileFails()
{
    // A folder that does not exist cannot take the file: the save fails, the database stays.
    const QString path = writeTestFile(QStringLiteral("Names.pdb"), names());
    const CliRun run =
        runCli({QStringLiteral("replace"), path, QStringLiteral("--find"), QStringLiteral("Bonn"),
                QStringLiteral("--with"), QStringLiteral("x"), QStringLiteral("--output"),
                pathOf(QStringLiteral("missing/Out.pdb"))});
    QCOMPARE(run.exitCode, 1);
    // Nothing was written, so no count is told.
    QVERIFY2(run.out.isEmpty(), run.out.constData());
    QCOMPARE(readAll(path), names());
    QVERIFY(!QFile::exists(pathOf(QStringLiteral("missing"))));
    const CliRun missing = runCli({QStringLiteral("replace"), pathOf(QStringLiteral("No.pdb")),
                                   QStringLiteral("--find"), QStringLiteral("a"),
                                   QStringLiteral("--with"), QStringLiteral("b")});
    QCOMPARE(missing.exitCode, 1);
}

void TestCliReplace::unheldCharactersNeedYes_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("without --yes: asked, declined, nothing written") << false;
    QTest::newRow("with --yes: stored as a question mark") << true;
}

void TestCliReplace::unheldCharactersNeedYes()
{
    QFETCH(bool, yes);
    const QString path = writeTestFile(QStringLiteral("Names.pdb"), names());
    QStringList arguments = args({"replace", "", "--find", "Bonn", "--with", "✓"});
    arguments[1] = path;
    if (yes)
        arguments << QStringLiteral("--yes");
    const CliRun run = runCli(arguments);
    QVERIFY2(run.err.contains(QStringLiteral("cannot hold this character")), qPrintable(run.err));
    QCOMPARE(run.exitCode, yes ? 0 : 1);
    if (yes) {
        QVERIFY(run.out.startsWith("2 replacements in 2 records.\n"));
        QCOMPARE(cellsOf(path), QByteArray("Meier, Hans|?/Schmidt, Eva|?land/Meier, Ute|K\xF6ln"));
    } else {
        QVERIFY(run.out.isEmpty());
        QCOMPARE(readAll(path), names());
        QVERIFY(!QFile::exists(pathOf(QStringLiteral("Names.pd_"))));
    }
}

void TestCliReplace::stampsInTheChosenFormats_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("desktop");    // LC_ALL
    QTest::addColumn<QString>("remembered"); // the editor's formats for the file; empty: none
    QTest::addColumn<QString>("formats");    // of the stamp

    const QString us = QStringLiteral("en_US.UTF-8");
    const QString german = QStringLiteral("de_DE.UTF-8");
    QTest::newRow("--locale over a US desktop")
        << QStringList{QStringLiteral("--locale"), QStringLiteral("de_DE")} << us << QString()
        << QStringLiteral("de_DE");
    QTest::newRow("the editor's German formats over a US desktop")
        << QStringList() << us << QStringLiteral("de_DE") << QStringLiteral("de_DE");
    QTest::newRow("--locale over the editor's formats")
        << QStringList{QStringLiteral("--locale=en_US")} << german << QStringLiteral("de_DE")
        << QStringLiteral("en_US");
    QTest::newRow("nothing chosen: a German desktop's")
        << QStringList() << german << QString() << QStringLiteral("de_DE");
    QTest::newRow("nothing chosen: a US desktop's")
        << QStringList() << us << QString() << QStringLiteral("en_US");
}

void TestCliReplace::stampsInTheChosenFormats()
{
    QFETCH(QStringList, options);
    QFETCH(QString, desktop);
    QFETCH(QString, remembered);
    QFETCH(QString, formats);

    const QString path = writeTestFile(QStringLiteral("Dates.pdb"),
                                       PdbBuilder()
                                           .name("Dates")
                                           .field("Name", 0x0001, 60)
                                           .field("Changed", 0x0049, 60) // Modification Date
                                           .record({"old", "1/1/2000"})
                                           .build());
    // The editor's settings live below XDG_CONFIG_HOME.
    const QString config = pathOf(QStringLiteral("config"));
    if (!remembered.isEmpty()) {
        QSettings store(config + QStringLiteral("/KRE/Kribed.ini"), QSettings::IniFormat);
        rememberFormats(store, path, FormatsChoice{remembered});
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), desktop);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    const CliRun run =
        runCliIn(QStringList{QStringLiteral("replace"), path, QStringLiteral("--find"),
                             QStringLiteral("old"), QStringLiteral("--with"), QStringLiteral("new")}
                     + options,
                 environment);
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const Regional regional(QLocale(formats), "windows-1252");
    QCOMPARE(cellsOf(path), "new|" + regional.dateText(QDate::currentDate()));
}

QTEST_GUILESS_MAIN(TestCliReplace)
#include "tst_cli_replace.moc"
