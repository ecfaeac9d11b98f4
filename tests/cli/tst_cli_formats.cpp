// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
//
// Every exchange format of the table reaches kribed-cli through --type: export writes it, import
// and append read what it wrote (a format only read reads comma text).
#include "cli_test_helpers.h"
#include "core/exchange/exchange_formats.h"

#include <QFileInfo>

using namespace kribed;
using namespace kribed::test;
using namespace Qt::Literals::StringLiterals;

class TestCliFormats : public CliTestCase
{
    Q_OBJECT

private Q_SLOTS:
    void init() { setUpFolder(); }

    void everyFormatByType_data();
    void everyFormatByType();
    void eachTypeWritesItsOwnFile();
};

void TestCliFormats::everyFormatByType_data()
{
    QTest::addColumn<QString>("id");
    for (const ExchangeFormat &format : exchangeFormats())
        QTest::newRow(qPrintable(format.id)) << format.id;
}

void TestCliFormats::everyFormatByType()
{
    QFETCH(QString, id);
    const ExchangeFormat &format = *exchangeFormatNamed(id);
    const QString stock = pathOf(u"Stock.pdb"_s);
    const qsizetype records = dumpJson(stock).value(u"records"_s).toArray().size();
    QVERIFY(records > 0);
    const QString file =
        pathOf(u"out."_s + (format.defaultSuffix.isEmpty() ? u"txt"_s : format.defaultSuffix));
    const QString writtenAs = format.write ? id : u"comma"_s;
    CliRun run = runCli({u"export"_s, u"--type"_s, writtenAs, stock, file});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY(QFileInfo(file).size() > 0);

    if (format.readImport) {
        const QString back = pathOf(u"back.pdb"_s);
        run = runCli({u"import"_s, u"--yes"_s, u"--type"_s, id, file, back});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        // A text brings the field names as its first line, a table as its columns.
        QCOMPARE(dumpJson(back).value(u"records"_s).toArray().size(), records);
    }
    if (format.readAppend) {
        run = runCli({u"append"_s, u"--yes"_s, u"--type"_s, id, stock, file});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        // Every line of the text is a record, the names line too.
        QCOMPARE(dumpJson(stock).value(u"records"_s).toArray().size(), 2 * records + 1);
    }
}

// --type picks the writer: no two formats write the same bytes of one database.
void TestCliFormats::eachTypeWritesItsOwnFile()
{
    QHash<QByteArray, QString> written; // the bytes, and the format that wrote them
    for (const ExchangeFormat *format : exchangeFormats(ExchangeUse::Export)) {
        const QString file = pathOf(format->id + u".out"_s);
        const CliRun run =
            runCli({u"export"_s, u"--type"_s, format->id, pathOf(u"Stock.pdb"_s), file});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        const QByteArray bytes = readAll(file);
        QVERIFY2(!written.contains(bytes),
                 qPrintable(format->id + u" wrote as "_s + written.value(bytes)));
        written.insert(bytes, format->id);
    }
}

QTEST_GUILESS_MAIN(TestCliFormats)
#include "tst_cli_formats.moc"
