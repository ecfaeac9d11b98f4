// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
//
// The table of exchange formats the dialogs and kribed-cli are built from, and the plans the read
// steps return before anything is asked.
#include "core/exchange/exchange_formats.h"
#include "core/exchange/import_plan.h"
#include "core/exchange/workbook_export.h"
#include "core/model/field_type.h"
#include "core/model/limits.h"
#include "core/model/regional.h"
#include "test_regional.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sqlite3.h>

using namespace kribed;
using kribed::test::testRegional;
using namespace Qt::Literals::StringLiterals;

Q_DECLARE_METATYPE(kribed::ExchangeUse)
Q_DECLARE_METATYPE(kribed::PlanCell)

namespace {

QByteArray numberedLine(int fields)
{
    QByteArray line;
    for (int i = 1; i <= fields; ++i)
        line += (i > 1 ? "," : "") + QByteArray::number(i);
    return line + "\r\n";
}

QStringList captions(const QList<Message> &messages)
{
    QStringList list;
    for (const Message &message : messages)
        list.append(message.caption);
    return list;
}

} // namespace

class TestExchangeFormats : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dialogs_data();
    void dialogs();
    void formats_data();
    void formats();
    void textPlans_data();
    void textPlans();
    void sqlitePlanOfAWideTable();
};

void TestExchangeFormats::dialogs_data()
{
    QTest::addColumn<ExchangeUse>("use");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("ids"); // in the dialog's order
    QTest::newRow("import") << ExchangeUse::Import
                            << importFilterTextWithCsv() + sqliteImportFilterEntry()
                            << QStringList{u"comma"_s,     u"semicolon"_s, u"tab"_s,
                                           u"comma-any"_s, u"csv"_s,       u"sqlite"_s};
    QTest::newRow("append") << ExchangeUse::Append << importFilterTextWithCsv()
                            << QStringList{u"comma"_s, u"semicolon"_s, u"tab"_s, u"comma-any"_s,
                                           u"csv"_s};
    QTest::newRow("export") << ExchangeUse::Export
                            << exportFilterTextWithCsv() + sqliteExportFilterEntry()
                                   + workbookFilterEntry()
                            << QStringList{u"comma"_s, u"semicolon"_s, u"tab"_s,
                                           u"csv"_s,   u"sqlite"_s,    u"xlsx"_s};
}

void TestExchangeFormats::dialogs()
{
    QFETCH(ExchangeUse, use);
    QFETCH(QString, filter);
    QFETCH(QStringList, ids);
    // Today's formats keep their entries and places; a new one is listed after them.
    QVERIFY2(exchangeFilterText(use).startsWith(filter), qPrintable(exchangeFilterText(use)));
    for (int index = 1; index <= ids.size(); ++index) {
        const ExchangeFormat *format = exchangeFormatAt(use, index);
        QVERIFY(format);
        QCOMPARE(format->id, ids.at(index - 1));
        QCOMPARE(exchangeFilterIndex(use, *format), index);
    }
    const int count = int(exchangeFormats(use).size());
    QVERIFY(!exchangeFormatAt(use, 0));
    QVERIFY(!exchangeFormatAt(use, count + 1));
    for (int index = 1; index <= count; ++index)
        QVERIFY(exchangeFormatAt(use, index)->offeredFor(use));
}

void TestExchangeFormats::formats_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("backup"); // of "/f/Kunden.x"; empty: none
    QTest::addColumn<bool>("encoding");
    QTest::addColumn<bool>("tables");
    const QString path = QStringLiteral("/f/Kunden.x");
    QTest::newRow("comma") << u"comma"_s << u"CSV"_s << textBackupFileName(path, TextType::Comma)
                           << false << false;
    QTest::newRow("tab") << u"TAB"_s << u"TXT"_s << textBackupFileName(path, TextType::Tab) << false
                         << false;
    // "*.*" is no extension a dialog can add.
    QTest::newRow("comma-any") << u"comma-any"_s << u""_s << u""_s << false << false;
    QTest::newRow("csv") << u"Csv"_s << u"csv"_s << textBackupFileName(path, TextType::Csv) << true
                         << false;
    QTest::newRow("sqlite") << u"sqlite"_s << u"sqlite"_s << sqliteBackupFileName(path) << false
                            << true;
    QTest::newRow("xlsx") << u"XLSX"_s << workbookExtension() << workbookBackupFileName(path)
                          << false << false;
}

void TestExchangeFormats::formats()
{
    QFETCH(QString, id);
    QFETCH(QString, suffix);
    QFETCH(QString, backup);
    QFETCH(bool, encoding);
    QFETCH(bool, tables);
    const ExchangeFormat *format = exchangeFormatNamed(id);
    QVERIFY(format);
    QCOMPARE(format->defaultSuffix, suffix);
    QCOMPARE(format->backupName ? format->backupName(QStringLiteral("/f/Kunden.x")) : QString(),
             backup);
    QCOMPARE(format->asksEncoding, encoding);
    QCOMPARE(bool(format->listTables), tables);
    // A format written has a backup; one read has its open entry, one written its save entry.
    QCOMPARE(bool(format->write), bool(format->backupName));
    QCOMPARE(bool(format->readImport), bool(format->openEntry));
    QCOMPARE(bool(format->write), bool(format->saveEntry));
}

void TestExchangeFormats::textPlans_data()
{
    QTest::addColumn<bool>("append"); // onto a database of 3 fields and 9990 records
    QTest::addColumn<QString>("id");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<qint64>("rows");
    QTest::addColumn<int>("columns");
    QTest::addColumn<bool>("fits");
    QTest::addColumn<int>("tableRows");
    QTest::addColumn<int>("cut");
    QTest::addColumn<QList<PlanCell>>("cutPlaces");
    QTest::addColumn<QStringList>("questions"); // captions, in order
    QTest::addColumn<int>("notices");

    using Places = QList<PlanCell>;
    const QByteArray longValue(MaxValueBytes + 1, 'x');
    const QByteArray fiftyThree = numberedLine(52).chopped(2) + ',' + longValue + "\r\n";
    QTest::newRow("import fits") << false << u"comma"_s << QByteArray("a,b\r\n1,2\r\n") << 2LL << 2
                                 << true << 2 << 0 << Places() << QStringList() << 0;
    QTest::newRow("import of 53 fields: 50 taken")
        << false << u"comma"_s << numberedLine(53).repeated(2) << 2LL << 53 << false << 2 << 0
        << Places() << QStringList{u"Information"_s} << 0;
    QTest::newRow("import of 10001 lines: the names and 9999 records")
        << false << u"tab"_s << QByteArray("a\tb\r\n").repeated(MaxRecords + 2)
        << qint64(MaxRecords + 2) << 2 << false << MaxRecords + 1 << 0 << Places()
        << QStringList{u"Information"_s} << 0;
    QTest::newRow("import with a long value")
        << false << u"comma"_s << "a,b\r\n1," + longValue + "\r\n"
        << 2LL << 2 << true << 2 << 1 << Places{{1, 2}} << QStringList() << 1;
    // The 53rd field lands in the 50th, and so does its cut.
    QTest::newRow("import of a long 53rd field")
        << false << u"comma"_s << fiftyThree.repeated(2) << 2LL << 53 << false << 2 << 2
        << Places{{0, 50}, {1, 50}} << QStringList{u"Information"_s} << 1;
    QTest::newRow("csv import losing a character, doubtful")
        << false << u"csv"_s << QByteArray("a\r\n\xE2\x9C\x93\r\n") << 2LL << 1 << true << 2 << 0
        << Places() << QStringList{u"Information"_s, u"Warning"_s} << 0;
    QTest::newRow("append of 20 lines: 8 fit")
        << true << u"semicolon"_s << QByteArray("1;2;3\r\n").repeated(20) << 20LL << 3 << false << 8
        << 0 << Places() << QStringList{u"Information"_s} << 0;
    QTest::newRow("append of long values")
        << true << u"tab"_s << "1\t" + longValue + "\r\n" + longValue + "\t2\r\n"
        << 2LL << 2 << true << 2 << 2 << Places{{0, 2}, {1, 1}} << QStringList() << 1;
    QTest::newRow("csv append of a field too many")
        << true << u"csv"_s << QByteArray("1,2,3,4\r\n").repeated(2) << 2LL << 4 << false << 2 << 0
        << Places() << QStringList{u"Information"_s} << 0;
    QTest::newRow("csv append of a long value")
        << true << u"csv"_s << "1,2\r\n3," + longValue + "\r\n"
        << 2LL << 2 << true << 2 << 1 << Places{{1, 2}} << QStringList() << 1;
}

void TestExchangeFormats::textPlans()
{
    QFETCH(bool, append);
    QFETCH(QString, id);
    QFETCH(QByteArray, text);
    QFETCH(qint64, rows);
    QFETCH(int, columns);
    QFETCH(bool, fits);
    QFETCH(int, tableRows);
    QFETCH(int, cut);
    QFETCH(QList<PlanCell>, cutPlaces);
    QFETCH(QStringList, questions);
    QFETCH(int, notices);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("in.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
    file.close();
    Database target;
    target.setShape(3, 9990);
    const ExchangeFormat &format = *exchangeFormatNamed(id);
    const ImportPlan plan = append ? format.readAppend({path}, target, testRegional())
                                   : format.readImport({path}, testRegional());
    QCOMPARE(plan.failure, PlanFailure::None);
    QCOMPARE(plan.shape.rows, rows);
    QCOMPARE(plan.shape.columns, columns);
    QCOMPARE(plan.shape.fitsLimits(), fits);
    QCOMPARE(int(plan.table.rows.size()), tableRows);
    QCOMPARE(plan.table.fields, append ? 3 : std::min(columns, MaxFields));
    QCOMPARE(plan.cutValues, cut);
    QCOMPARE(plan.cutPlaces, cutPlaces);
    QCOMPARE(captions(plan.questions), questions);
    QCOMPARE(int(plan.notices.size()), notices);
    // Reading changed nothing: an import knows where it comes from, an append does not.
    QCOMPARE(target.recordCount(), 9990);
    QCOMPARE(plan.origin.has_value(), !append);
}

void TestExchangeFormats::sqlitePlanOfAWideTable()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("wide.sqlite"));
    QByteArray columns;
    for (int column = 1; column <= 60; ++column)
        columns += (column > 1 ? ", c" : "c") + QByteArray::number(column) + " INTEGER";
    sqlite3 *connection = nullptr;
    QCOMPARE(sqlite3_open(QFile::encodeName(path).constData(), &connection), SQLITE_OK);
    const QByteArray sql = "CREATE TABLE wide (" + columns + "); INSERT INTO wide (c1) VALUES (7);";
    const int status = sqlite3_exec(connection, sql.constData(), nullptr, nullptr, nullptr);
    sqlite3_close(connection);
    QCOMPARE(status, SQLITE_OK);

    ImportSource source{path, QStringLiteral("wide")};
    const ImportPlan plan =
        exchangeFormatNamed(QStringLiteral("sqlite"))->readImport(source, testRegional());
    QCOMPARE(plan.failure, PlanFailure::None);
    QCOMPARE(plan.shape.columns, 60);
    QVERIFY(!plan.shape.fitsLimits());
    QCOMPARE(plan.table.fields, MaxFields);
    QCOMPARE(int(plan.fields.size()), MaxFields);
    QCOMPARE(plan.fields.constFirst().type, NormalIntegerType);
    QCOMPARE(plan.table.rows.at(1).view(0), QByteArrayView("7"));
    QCOMPARE(captions(plan.questions), QStringList{u"Information"_s});
    QVERIFY(plan.questions.constFirst().text.startsWith(u"The table has 60 columns and 1 rows"));
    QCOMPARE(plan.origin->name, QByteArray("wide"));

    source.table = QStringLiteral("none");
    const ImportPlan missing =
        exchangeFormatNamed(QStringLiteral("sqlite"))->readImport(source, testRegional());
    QCOMPARE(missing.failure, PlanFailure::Unreadable);
    QVERIFY(missing.error.text.contains(u"\"none\""));
}

QTEST_GUILESS_MAIN(TestExchangeFormats)
#include "tst_exchange_formats.moc"
