// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
//
// kribed-cli --where: the conditions' syntax, AND of repeated ones, the commands that take it,
// and the usage errors that write nothing.
#include "cli_test_helpers.h"

#include <QFileInfo>

using namespace kribed;
using namespace kribed::test;
using namespace Qt::Literals::StringLiterals;

namespace {

// Town (String), turnover (Float), regular (Boolean), first seen (Normal Date).
QByteArray customers()
{
    return PdbBuilder()
        .name("Kunden")
        .field("Stadt", 0x0001, 60)
        .field("Umsatz", 0x0010, 40)
        .field("Stamm", 0x0002, 20)
        .field("Seit", 0x0004, 40)
        .record({"Bremen", "1500", "1", "3/14/2024"})
        .record({"Hamburg", "800", "1", "1/2/2025"})
        .record({"Kiel", "5000", "1", "12/31/2023"})
        .record({"Hamburg", "2500", "0", ""})
        .record({"Halle, Saale", "1200.5", "1", "6/1/2024"})
        .record({"", "viel", "", ""})
        .build();
}

// The towns of the dumped records, joined by '/'.
QByteArray dumpedTowns(const QByteArray &json)
{
    QByteArrayList towns;
    for (const QJsonValue &record :
         QJsonDocument::fromJson(json).object().value(u"records"_s).toArray())
        towns << record.toArray().at(0).toString().toUtf8();
    return towns.join('/');
}

} // namespace

class TestCliWhere : public CliTestCase
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        setUpFolder();
        writeTestFile(u"Kunden.pdb"_s, customers());
    }

    void selects_data()
    {
        QTest::addColumn<QStringList>("where");
        QTest::addColumn<QByteArray>("towns");
        // What standard error says of cells a condition could not read (nothing when all read).
        QTest::addColumn<QString>("unreadableNote");

        const auto where = [](std::initializer_list<QString> conditions) {
            QStringList list;
            for (const QString &condition : conditions)
                list << u"--where"_s << condition;
            return list;
        };
        QTest::newRow("one of the values, without regard to case")
            << where({u"Stadt=bremen,Hamburg"_s}) << "Bremen/Hamburg/Hamburg"_ba << QString();
        QTest::newRow("a comma in a value")
            << where({u"Stadt=Halle\\, Saale,Kiel"_s}) << "Kiel/Halle, Saale"_ba << QString();
        QTest::newRow("not equal: empty cells too")
            << where({u"Stadt!=Hamburg"_s}) << "Bremen/Kiel/Halle, Saale/"_ba << QString();
        QTest::newRow("numbers read as numbers; unreadable ones never match")
            << where({u"Umsatz>1200"_s}) << "Bremen/Kiel/Hamburg/Halle, Saale"_ba
            << u"1 value of Umsatz"_s;
        QTest::newRow("at most") << where({u"Umsatz<=1200.5"_s}) << "Hamburg/Halle, Saale"_ba
                                 << u"1 value of Umsatz"_s;
        QTest::newRow("less, at least")
            << where({u"Umsatz<1000"_s}) << "Hamburg"_ba << u"1 value of Umsatz"_s;
        QTest::newRow("at least") << where({u"Umsatz>=5000"_s}) << "Kiel"_ba
                                  << u"1 value of Umsatz"_s;
        QTest::newRow("dates in order")
            << where({u"Seit<1/1/2025"_s}) << "Bremen/Kiel/Halle, Saale"_ba << QString();
        QTest::newRow("repeated: all hold (the Bremen/Hamburg question)")
            << where({u"Stadt=Bremen,Hamburg"_s, u"Umsatz>1000"_s, u"Stamm=1"_s}) << "Bremen"_ba
            << u"1 value of Umsatz"_s;
        QTest::newRow("regular expression")
            << where({u"Stadt~^H.*[ge]$"_s}) << "Hamburg/Hamburg/Halle, Saale"_ba << QString();
        QTest::newRow("begins with")
            << where({u"Stadt^=ha"_s}) << "Hamburg/Hamburg/Halle, Saale"_ba << QString();
        QTest::newRow("ends with") << where({u"Stadt$=EL"_s}) << "Kiel"_ba << QString();
        QTest::newRow("contains") << where({u"Stadt*=a"_s}) << "Hamburg/Hamburg/Halle, Saale"_ba
                                  << QString();
        QTest::newRow("empty") << where({u"Seit="_s}) << "Hamburg/"_ba << QString();
        QTest::newRow("not empty") << where({u"Stadt!="_s, u"Seit!="_s})
                                   << "Bremen/Hamburg/Kiel/Halle, Saale"_ba << QString();
        QTest::newRow("the leftmost operator ends the name")
            << where({u"Stadt=a=b"_s}) << ""_ba << QString();
    }

    void selects()
    {
        QFETCH(QStringList, where);
        QFETCH(QByteArray, towns);
        QFETCH(QString, unreadableNote);

        where << u"--locale"_s << u"en_US"_s;
        const CliRun dump = runCli(QStringList{u"dump"_s, u"Kunden.pdb"_s} + where);
        if (unreadableNote.isEmpty())
            QCOMPARE(dump.err, QString());
        else
            QVERIFY2(dump.err.contains(unreadableNote), qPrintable(dump.err));
        QCOMPARE(dump.exitCode, 0);
        QCOMPARE(dumpedTowns(dump.out), towns);

        // Export writes the same records.
        const CliRun exported =
            runCli(QStringList{u"export"_s, u"Kunden.pdb"_s, u"out.txt"_s} + where);
        QCOMPARE(exported.exitCode, 0);
        const QByteArray text = readAll(pathOf(u"out.txt"_s));
        // The field names' line, then one line per record.
        QCOMPARE(text.count('\n'), 1 + (towns.isEmpty() ? 0 : towns.count('/') + 1));
    }

    void localeReadsTheValues()
    {
        writeTestFile(u"Preise.pdb"_s, PdbBuilder()
                                           .name("Preise")
                                           .field("Preis", 0x0010, 40)
                                           .record({"1,5"})
                                           .record({"2,25"})
                                           .record({"1.5"})
                                           .build());
        const CliRun run = runCli({u"info"_s, u"Preise.pdb"_s, u"--locale"_s, u"de_DE"_s,
                                   u"--where"_s, u"Preis>1,6"_s, u"--json"_s});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(QJsonDocument::fromJson(run.out).object().value(u"records"_s).toInt(), 1);
    }

    void dumpTakesLocaleForWhere()
    {
        const CliRun run = runCli({u"dump"_s, u"Kunden.pdb"_s, u"--locale"_s, u"de_DE"_s,
                                   u"--where"_s, u"Umsatz>1200,4"_s});
        QCOMPARE(run.exitCode, 0);
        // "1200.5" reads as no number in German formats; 1500, 5000 and 2500 do.
        QCOMPARE(dumpedTowns(run.out), "Bremen/Kiel/Hamburg"_ba);
    }

    void replaceTouchesSelectedRecordsOnly()
    {
        const CliRun run =
            runCli({u"replace"_s, u"Kunden.pdb"_s, u"--find"_s, u"burg"_s, u"--with"_s, u"burgh"_s,
                    u"--where"_s, u"Umsatz>1000"_s, u"--locale"_s, u"en_US"_s});
        // "viel" is no number: the record is left alone, and standard error says why.
        QCOMPARE(run.err, u"kribed-cli: 1 value of Umsatz does not read as its type in the formats "
                          u"en_US and matches no condition on it (--locale names others).\n"_s);
        QCOMPARE(run.exitCode, 0);
        const CliRun dump = runCli({u"dump"_s, u"Kunden.pdb"_s});
        QCOMPARE(dumpedTowns(dump.out), "Bremen/Hamburg/Kiel/Hamburgh/Halle, Saale/"_ba);
    }

    void usageErrorsWriteNothing_data()
    {
        QTest::addColumn<QString>("condition");
        QTest::addColumn<QString>("error");

        QTest::newRow("unknown field") << u"Ort=Bremen"_s << u"no field named Ort"_s;
        QTest::newRow("no operator") << u"Stadt"_s << u"no field name followed by"_s;
        QTest::newRow("bad expression") << u"Stadt~(a"_s << u"regular expression is not valid"_s;
        QTest::newRow("number not read") << u"Umsatz>viel"_s << u"is not a number"_s;
        QTest::newRow("order of texts") << u"Stadt<B"_s << u"Only numbers, dates and times"_s;
    }

    void usageErrorsWriteNothing()
    {
        QFETCH(QString, condition);
        QFETCH(QString, error);

        const QByteArray before = readAll(pathOf(u"Kunden.pdb"_s));
        for (const QStringList &command :
             {QStringList{u"export"_s, u"Kunden.pdb"_s, u"out.txt"_s},
              QStringList{u"replace"_s, u"Kunden.pdb"_s, u"--find"_s, u"a"_s, u"--with"_s, u"b"_s},
              QStringList{u"dump"_s, u"Kunden.pdb"_s}, QStringList{u"info"_s, u"Kunden.pdb"_s}}) {
            const CliRun run = runCli(command + QStringList{u"--where"_s, condition});
            QCOMPARE(run.exitCode, 2);
            QVERIFY2(run.err.contains(error), qPrintable(run.err));
            QCOMPARE(run.out, QByteArray());
        }
        QVERIFY(!QFileInfo::exists(pathOf(u"out.txt"_s)));
        QCOMPARE(readAll(pathOf(u"Kunden.pdb"_s)), before);
    }
};

QTEST_GUILESS_MAIN(TestCliWhere)
#include "tst_cli_where.moc"
