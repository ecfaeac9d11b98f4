// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
//
// A disk error while a file is read is a read error: a database, or a text being imported or
// appended, is never taken as a shorter or emptier file than it is.
#include "core/exchange/text_exchange.h"
#include "core/model/database.h"
#include "core/model/pdb_reader.h"
#include "durability.h"
#include "pdb_builder.h"
#include "scripted_prompter.h"
#include "test_regional.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace kribed;
using kribed::test::testRegional;
using namespace kribed::test;

namespace {

const QString OpenError = QStringLiteral(
    "There was an error opening the file. This may caused by an invalid filename or path, or the "
    "file may be in use by another application.");

// A database with popup lists and extras after its block, and records past the first read.
QByteArray richDatabase(PdbBuilder::Layout layout)
{
    PdbBuilder builder(layout);
    builder.name("Stock").field("Name").field("Colour", 0x0040).popup(2, {"Red", "Blue"});
    if (layout == PdbBuilder::Layout::KriboPro)
        builder.extras("extra bytes");
    for (int record = 0; record < 3000; ++record)
        builder.record({"name " + QByteArray::number(record), record % 2 ? "Red" : "Blue"});
    return builder.build();
}

// Empty when the run told what it should: nothing on success, and after a failure the open
// error last, with none of the messages about a damaged file.
QString checkMessages(const ScriptedPrompter &prompter, bool succeeded)
{
    const QList<Message> &shown = prompter.shown();
    for (const Message &message : shown) {
        if (message.icon == Icon::Error && message.text != OpenError)
            return QStringLiteral("told: ") + message.text;
    }
    if (succeeded) {
        const bool toldError = !shown.isEmpty() && shown.last().icon == Icon::Error;
        return toldError ? QStringLiteral("told an error") : QString();
    }
    if (shown.isEmpty() || shown.last().text != OpenError
        || shown.last().caption != QLatin1String("Error"))
        return QStringLiteral("the open error was not told");
    return QString();
}

QByteArray textLines(int lines)
{
    QByteArray text = "\"Name\",\"Colour\"\r\n";
    for (int line = 1; line < lines; ++line)
        text += "\"name " + QByteArray::number(line) + "\",\"Red\"\r\n";
    return text;
}

} // namespace

class TestReadErrors : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void database_data();
    void database();
    void importedText();
    void appendedText();
};

void TestReadErrors::database_data()
{
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("error");
    for (int error : {EIO, ENOSPC}) {
        QTest::addRow("Kribo pro, errno %d", error) << int(PdbBuilder::Layout::KriboPro) << error;
        QTest::addRow("Kribo 3, errno %d", error) << int(PdbBuilder::Layout::Kribo3) << error;
    }
}

// Every read of the file fails in turn: the open error comes and no database is open; a load
// that meets no error has every popup list and the extras.
void TestReadErrors::database()
{
    QFETCH(int, layout);
    QFETCH(int, error);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Stock.pdb"));
    QVERIFY(writeBytes(path, richDatabase(PdbBuilder::Layout(layout))));
    Database database;
    ScriptedPrompter prompter;
    SaveCase loadCase;
    loadCase.folder = folder.path();
    loadCase.setUp = [&] {
        database = Database();
        prompter = ScriptedPrompter();
    };
    loadCase.run = [&] {
        return loadDatabaseFile(path, database, prompter, OpenAccess::ReadOnly)
               == LoadResult::Loaded;
    };
    loadCase.afterRun = [&](bool succeeded) { return checkMessages(prompter, succeeded); };
    long reads = 0;
    const QString problem = sweepFaults(loadCase, CallKind::Read, error, &reads);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    QVERIFY(reads >= 3);
    QCOMPARE(database.recordCount(), 3000);
    QCOMPARE(database.popupList(2), (QList<QByteArray>{"Red", "Blue"}));
    if (PdbBuilder::Layout(layout) == PdbBuilder::Layout::KriboPro)
        QCOMPARE(database.extras(), QByteArray("extra bytes"));
}

// An import that meets a read error leaves the open database as it was.
void TestReadErrors::importedText()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("people.CSV"));
    QVERIFY(writeBytes(path, textLines(5000)));
    Database database;
    ScriptedPrompter prompter;
    SaveCase importCase;
    importCase.folder = folder.path();
    importCase.setUp = [&] {
        database = Database();
        database.setShape(1, 1);
        database.setCell(1, 1, "open before");
        prompter = ScriptedPrompter();
    };
    importCase.run = [&] {
        return importTextFile(path, TextType::Comma, database, prompter, testRegional())
               == ExchangeResult::Done;
    };
    importCase.afterRun = [&](bool succeeded) {
        if (!succeeded && (database.fieldCount() != 1 || database.cell(1, 1) != "open before"))
            return QStringLiteral("the open database changed");
        return checkMessages(prompter, succeeded);
    };
    long reads = 0;
    const QString problem = sweepFaults(importCase, CallKind::Read, EIO, &reads);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    QVERIFY(reads >= 4); // two passes over a text longer than one read
    QCOMPARE(database.recordCount(), 4999);
}

// An append that meets a read error says so; it never reports a shortened text as done.
void TestReadErrors::appendedText()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("more.CSV"));
    QVERIFY(writeBytes(path, textLines(5000)));
    Database database;
    ScriptedPrompter prompter;
    SaveCase appendCase;
    appendCase.folder = folder.path();
    appendCase.setUp = [&] {
        database = Database();
        database.setShape(2, 1);
        prompter = ScriptedPrompter();
    };
    appendCase.run = [&] {
        return appendTextFile(path, TextType::Comma, database, prompter, testRegional())
               == ExchangeResult::Done;
    };
    appendCase.afterRun = [&](bool succeeded) { return checkMessages(prompter, succeeded); };
    long reads = 0;
    const QString problem = sweepFaults(appendCase, CallKind::Read, EIO, &reads);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    QVERIFY(reads >= 4);
    QCOMPARE(database.recordCount(), 5001);
}

QTEST_GUILESS_MAIN(TestReadErrors)
#include "tst_read_errors.moc"
