// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
//
// The SQLite export of the largest database (9999 records of 50 fields: texts, integers, floats
// and dates) against Python's sqlite3 inserting the same typed rows with executemany in one
// transaction (goal: faster, ratio below 1), and against the comma text export (goal: 5x).
#include "against_floor.h"
#include "bench_doubles.h"
#include "core/exchange/sqlite_exchange.h"
#include "core/exchange/text_exchange.h"
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/limits.h"
#include "core/model/regional.h"
#include "core/platform/prompter.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

using namespace kribed;
using namespace kribed::bench;

namespace {

int typeOfField(int field)
{
    static const int types[] = {StringType, NormalIntegerType, FloatType, NormalDateType};
    return types[field % 4];
}

// The cell as the database holds it and the value Python is handed for it.
std::pair<QByteArray, QByteArray> cellOf(int field, int record)
{
    switch (typeOfField(field)) {
    case NormalIntegerType: {
        const QByteArray number = QByteArray::number(record * field);
        return {number, number};
    }
    case FloatType: {
        const QByteArray number = QByteArray::number(record) + ".25";
        return {number, number};
    }
    case NormalDateType: {
        const QDate date = QDate(2000, 1, 1).addDays(record);
        return {bench::usRegional().dateText(date), date.toString(Qt::ISODate).toLatin1()};
    }
    default: {
        const QByteArray text =
            "value " + QByteArray::number(record) + '/' + QByteArray::number(field);
        return {text, text};
    }
    }
}

struct Fixture
{
    QTemporaryDir folder;
    Database database;
    QString rows; // the typed values, tab-separated, for Python
};

const Fixture &fixture()
{
    static Fixture *made = [] {
        auto *fixture = new Fixture;
        Database &database = fixture->database;
        database.setName("Largest");
        database.setShape(MaxFields, MaxRecords);
        QByteArray rows;
        for (int field = 1; field <= MaxFields; ++field) {
            database.setFieldName(field, "Field " + QByteArray::number(field));
            database.setFieldType(field, typeOfField(field));
        }
        for (int record = 1; record <= MaxRecords; ++record) {
            for (int field = 1; field <= MaxFields; ++field) {
                const auto [cell, value] = cellOf(field, record);
                database.setCell(field, record, cell);
                rows += value + (field < MaxFields ? '\t' : '\n');
            }
        }
        fixture->rows = fixture->folder.filePath(QStringLiteral("rows.txt"));
        QFile file(fixture->rows);
        if (!file.open(QIODevice::WriteOnly) || file.write(rows) != rows.size())
            std::abort();
        return fixture;
    }();
    return *made;
}

// Python reads the typed rows first, then times only connect, create, executemany and commit, in
// one transaction as ours. Both times include the file's sync: ours syncs the file and its folder
// through the safe write, Python's SQLite the journal and the file at the commit (its default
// synchronous=FULL with a rollback journal).
const char PythonInsert[] = R"(
import os, sqlite3, sys, time
kinds = sys.argv[3]
convert = {'t': str, 'i': int, 'r': float, 'd': str}
rows = [tuple(convert[k](v) for k, v in zip(kinds, line.rstrip('\n').split('\t')))
        for line in open(sys.argv[1], encoding='utf-8')]
if os.path.exists(sys.argv[2]):
    os.remove(sys.argv[2])
declared = {'t': 'TEXT', 'i': 'INTEGER', 'r': 'REAL', 'd': 'TEXT'}
start = time.perf_counter_ns()
c = sqlite3.connect(sys.argv[2], isolation_level=None)
c.execute('BEGIN')
c.execute('CREATE TABLE "Largest" (' + ', '.join(
    '"Field %d" %s' % (i + 1, declared[k]) for i, k in enumerate(kinds)) + ')')
c.executemany('INSERT INTO "Largest" VALUES (' + ', '.join('?' * len(kinds)) + ')', rows)
c.execute('COMMIT')
c.close()
print(time.perf_counter_ns() - start)
)";

qint64 pythonInsertNanos()
{
    QString kinds;
    for (int field = 1; field <= MaxFields; ++field) {
        const int type = typeOfField(field);
        kinds += type == NormalIntegerType ? u'i'
                 : type == FloatType       ? u'r'
                 : type == NormalDateType  ? u'd'
                                           : u't';
    }
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"), QString::fromLatin1(PythonInsert), fixture().rows,
                  fixture().folder.filePath(QStringLiteral("python.sqlite")), kinds});
    if (!python.waitForFinished(300000) || python.exitCode() != 0) {
        std::fprintf(stderr, "python3 failed: %s\n", python.readAllStandardError().constData());
        std::abort();
    }
    return python.readAllStandardOutput().trimmed().toLongLong();
}

void exportSqlite()
{
    bench::NoQuestions prompter;
    if (exportSqliteFile(fixture().folder.filePath(QStringLiteral("out.sqlite")),
                         fixture().database, prompter, bench::usRegional())
        != ExchangeResult::Done)
        std::abort();
}

void BM_SqliteExportVsPython(benchmark::State &state)
{
    fixture();
    qint64 workNanos = 0;
    qint64 floorNanos = 0;
    QElapsedTimer timer;
    for (auto _ : state) {
        timer.start();
        exportSqlite();
        workNanos += timer.nsecsElapsed();
        state.PauseTiming();
        floorNanos += pythonInsertNanos();
        state.ResumeTiming();
    }
    reportAgainstFloor(state, workNanos, floorNanos, 1.0);
}

void BM_SqliteExportVsCsv(benchmark::State &state)
{
    fixture();
    const QString csv = fixture().folder.filePath(QStringLiteral("out.CSV"));
    bench::NoQuestions prompter;
    runAgainstFloor(state, 5.0, exportSqlite, [&] {
        if (exportTextFile(csv, TextType::Comma, fixture().database, prompter, bench::usRegional())
            != ExchangeResult::Done)
            std::abort();
    });
}

} // namespace

BENCHMARK(BM_SqliteExportVsPython)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SqliteExportVsCsv)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
