// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
//
// kribed-cli's info, check and dump as whole processes on the largest database (9999 records x
// 50 fields), taking turns with their floors in the same run: the tool starting and stopping
// (--version) plus a fresh process reading the file and scanning it for NULs; dump against a fresh
// process that starts and loads the file as the tool does and writes as many bytes as the dump to
// the same sink; and the peak memory dump needs beyond the tool's own start against the file's
// size. import --type sqlite of a table of 9999 rows x 50 texts of about 70 bytes against Python's
// sqlite3 fetching all its rows, both whole processes (goal: faster, ratio below 1); the peak
// memory import --type csv needs beyond the tool's own start against the text's size; import
// --plan of comma text that is one line of 50 MB holding 25 million fields (a text whose lines end
// in line feeds alone reads so): its speed, and its peak memory against the text's size.
#include "against_floor.h"
#include "bench_doubles.h"
#include "core/model/database.h"
#include "core/model/pdb_writer.h"
#include "core/platform/prompter.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <benchmark/benchmark.h>

#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char **environ;

using namespace kribed;

namespace {

struct Fixture
{
    QTemporaryDir dir;
    QString source;
    qint64 size = 0;

    Fixture()
        : source(dir.filePath(QStringLiteral("Large.pdb")))
    {
        Database database;
        database.setShape(MaxFields, MaxRecords);
        for (int field = 1; field <= MaxFields; ++field)
            database.setFieldName(field, "Field " + QByteArray::number(field));
        for (int record = 1; record <= MaxRecords; ++record) {
            for (int field = 1; field <= MaxFields; ++field) {
                database.setCell(
                    field, record,
                    "value " + QByteArray::number(record * 100 + field).rightJustified(14, '0'));
            }
        }
        database.setName("Large");
        bench::OkPrompter prompter;
        saveDatabase(database, SaveMode::Copy, source, 1, prompter);
        size = QFileInfo(source).size();
    }
};

Fixture &shared()
{
    static Fixture fixture;
    return fixture;
}

struct Run
{
    qint64 nanos = 0;
    qint64 peakKilobytes = 0;
    bool ok = false;
};

// Runs the program with the arguments, its output going nowhere (or into the file `output`).
Run runProgram(std::vector<QByteArray> arguments, const QByteArray &output = "/dev/null")
{
    std::vector<char *> argv;
    for (QByteArray &argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, output.constData(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    Run run;
    QElapsedTimer timer;
    timer.start();
    pid_t child = 0;
    if (posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        rusage usage{};
        if (wait4(child, &status, 0, &usage) == child) {
            run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
            run.peakKilobytes = usage.ru_maxrss;
        }
    }
    run.nanos = timer.nsecsElapsed();
    posix_spawn_file_actions_destroy(&actions);
    return run;
}

// The tool this build makes, or another build's named in KRIBED_BENCH_CLI (to compare them).
QByteArray toolPath()
{
    const QByteArray other = qgetenv("KRIBED_BENCH_CLI");
    return other.isEmpty() ? QByteArrayLiteral(KRIBED_CLI_PATH) : other;
}

Run runTool(std::vector<QByteArray> arguments, const QByteArray &output = "/dev/null")
{
    arguments.insert(arguments.begin(), toolPath());
    return runProgram(std::move(arguments), output);
}

// This program, started again only to read the file and scan it for NULs: a fresh process pays
// for the memory it reads into as kribed-cli does.
QByteArray selfPath;
constexpr char ReadFloorOption[] = "--read-and-scan";

void runReadFloor()
{
    runProgram({selfPath, QByteArray(ReadFloorOption), QFile::encodeName(shared().source)});
}

// The peak resident memory of kribed-cli with the arguments, in bytes, as time(1) reports it (a
// child started from this large process would count this process's pages as its own).
qint64 toolPeakBytes(const std::vector<QByteArray> &arguments)
{
    QTemporaryDir dir;
    const QString report = dir.filePath(QStringLiteral("peak"));
    std::vector<QByteArray> timed = {QByteArrayLiteral("/usr/bin/time"),
                                     QByteArrayLiteral("-f"),
                                     QByteArrayLiteral("%M"),
                                     QByteArrayLiteral("-o"),
                                     QFile::encodeName(report),
                                     toolPath()};
    timed.insert(timed.end(), arguments.begin(), arguments.end());
    if (!runProgram(timed).ok)
        return -1;
    QFile file(report);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    bool ok = false;
    const qint64 kilobytes = file.readAll().trimmed().toLongLong(&ok);
    return ok ? kilobytes * 1024 : -1;
}

QByteArray sourceArgument()
{
    return QFile::encodeName(shared().source);
}

void BM_ToolStartFloor(benchmark::State &state)
{
    for (auto _ : state) {
        if (!runTool({QByteArrayLiteral("--version")}).ok)
            state.SkipWithError("kribed-cli --version failed");
    }
}
BENCHMARK(BM_ToolStartFloor)->Unit(benchmark::kMillisecond)->UseRealTime();

// The command against the tool's start plus reading the file, both whole processes' work.
void commandAgainstStart(benchmark::State &state, const char *command)
{
    const QByteArray source = sourceArgument();
    bench::runAgainstFloor(
        state, 3,
        [&] {
            if (!runTool({QByteArray(command), source}).ok)
                state.SkipWithError("kribed-cli failed");
        },
        [&] {
            runTool({QByteArrayLiteral("--version")});
            runReadFloor();
        });
}

void BM_InfoProcess(benchmark::State &state)
{
    commandAgainstStart(state, "info");
}
BENCHMARK(BM_InfoProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CheckProcess(benchmark::State &state)
{
    commandAgainstStart(state, "check");
}
BENCHMARK(BM_CheckProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

// The bytes `kribed-cli dump` writes for the file, or -1 when it failed.
qint64 dumpSize(const QByteArray &source)
{
    QTemporaryDir dir;
    const QString output = dir.filePath(QStringLiteral("dump.json"));
    if (!runTool({QByteArrayLiteral("dump"), source}, QFile::encodeName(output)).ok)
        return -1;
    return QFileInfo(output).size();
}

// dump against its floor, taking turns: both write the same number of bytes to /dev/null.
void BM_DumpProcess(benchmark::State &state)
{
    const QByteArray source = sourceArgument();
    const qint64 size = dumpSize(source);
    if (size <= 0) {
        state.SkipWithError("kribed-cli dump failed");
        return;
    }
    const QByteArray bytes = QByteArray::number(size);
    bench::runAgainstFloor(
        state, 1.5,
        [&] {
            if (!runTool({QByteArrayLiteral("dump"), source}).ok)
                state.SkipWithError("kribed-cli dump failed");
        },
        [&] {
            if (!runProgram({QByteArrayLiteral(DUMP_FLOOR_PATH), source, bytes}).ok)
                state.SkipWithError("the dump floor failed");
        });
    state.counters["output_mb"] = double(size) / 1e6;
}
BENCHMARK(BM_DumpProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

// The peak memory of dump beyond that of the tool's start, against the file's size.
void BM_DumpMemory(benchmark::State &state)
{
    const QByteArray source = sourceArgument();
    qint64 dumpPeak = 0;
    qint64 startPeak = 0;
    for (auto _ : state) {
        dumpPeak = toolPeakBytes({QByteArrayLiteral("dump"), source});
        startPeak = toolPeakBytes({QByteArrayLiteral("--version")});
    }
    if (dumpPeak < 0 || startPeak < 0) {
        state.SkipWithError("no peak memory from /usr/bin/time");
        return;
    }
    const double extra = double(dumpPeak - startPeak);
    state.counters["held_mb"] = extra / 1e6;
    state.counters["floor_mb"] = double(shared().size) / 1e6;
    state.counters["ratio"] = extra / double(shared().size);
    state.counters["goal"] = 2;
}
BENCHMARK(BM_DumpMemory)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// A text of about 70 bytes for the cell, every one different.
QByteArray importedText(int record, int field)
{
    return "record " + QByteArray::number(record).rightJustified(5, '0') + " field "
           + QByteArray::number(field).rightJustified(2, '0')
           + " some words to fill the value up to seventy bytes";
}

// The largest table as a SQLite file and as a CSV text, written once for the run.
struct ImportFixture
{
    QTemporaryDir dir;
    QString sqlite = dir.filePath(QStringLiteral("Large.sqlite"));
    QString csv = dir.filePath(QStringLiteral("Large.csv"));
    QString target = dir.filePath(QStringLiteral("Imported.pdb"));
    bool ok = writeSqlite() && writeCsv();

    bool writeSqlite()
    {
        sqlite3 *connection = nullptr;
        sqlite3_open(QFile::encodeName(sqlite).constData(), &connection);
        QByteArray create = "BEGIN; CREATE TABLE Large (";
        QByteArray insert = "INSERT INTO Large VALUES (";
        for (int field = 1; field <= MaxFields; ++field) {
            create += (field > 1 ? ", f" : "f") + QByteArray::number(field) + " TEXT";
            insert += field > 1 ? ", ?" : "?";
        }
        bool ok = sqlite3_exec(connection, create + ")", nullptr, nullptr, nullptr) == SQLITE_OK;
        sqlite3_stmt *statement = nullptr;
        ok = ok
             && sqlite3_prepare_v2(connection, insert + ")", -1, &statement, nullptr) == SQLITE_OK;
        for (int record = 1; ok && record <= MaxRecords; ++record) {
            for (int field = 1; field <= MaxFields; ++field)
                sqlite3_bind_text(statement, field, importedText(record, field).constData(), -1,
                                  SQLITE_TRANSIENT);
            ok = sqlite3_step(statement) == SQLITE_DONE && sqlite3_reset(statement) == SQLITE_OK;
        }
        sqlite3_finalize(statement);
        ok = ok && sqlite3_exec(connection, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
        return sqlite3_close(connection) == SQLITE_OK && ok;
    }

    bool writeCsv()
    {
        QByteArray text;
        for (int record = 0; record <= MaxRecords; ++record) {
            for (int field = 1; field <= MaxFields; ++field) {
                text += record == 0 ? "Field " + QByteArray::number(field)
                                    : importedText(record, field);
                text += field < MaxFields ? "," : "\r\n";
            }
        }
        QFile file(csv);
        return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
    }
};

ImportFixture &importFixture()
{
    static ImportFixture fixture;
    return fixture;
}

// Python's sqlite3 fetching every row of the table, values made into Python strings.
const char PythonFetch[] = "import sqlite3, sys\n"
                           "rows = sqlite3.connect(sys.argv[1]).execute("
                           "'SELECT * FROM Large').fetchall()\n"
                           "assert len(rows) == 9999\n";

void BM_SqliteImportVsPython(benchmark::State &state)
{
    ImportFixture &fixture = importFixture();
    if (!fixture.ok) {
        state.SkipWithError("cannot write the SQLite file");
        return;
    }
    const std::vector<QByteArray> import = {
        QByteArrayLiteral("import"), QByteArrayLiteral("--type"), QByteArrayLiteral("sqlite"),
        QFile::encodeName(fixture.sqlite), QFile::encodeName(fixture.target)};
    bench::runAgainstFloor(
        state, 1.0, [&] { QFile::remove(fixture.target); },
        [&] {
            if (!runTool(import).ok)
                state.SkipWithError("kribed-cli import --type sqlite failed");
        },
        [&] {
            if (!runProgram({QByteArrayLiteral("/usr/bin/env"), QByteArrayLiteral("python3"),
                             QByteArrayLiteral("-c"), QByteArray(PythonFetch),
                             QFile::encodeName(fixture.sqlite)})
                     .ok)
                state.SkipWithError("python3 failed");
        });
}
BENCHMARK(BM_SqliteImportVsPython)->Unit(benchmark::kMillisecond)->UseRealTime();

// The peak memory of import --type csv beyond that of the tool's start, against the text's size.
void BM_CsvImportMemory(benchmark::State &state)
{
    ImportFixture &fixture = importFixture();
    if (!fixture.ok) {
        state.SkipWithError("cannot write the CSV text");
        return;
    }
    qint64 importPeak = 0;
    qint64 startPeak = 0;
    for (auto _ : state) {
        QFile::remove(fixture.target);
        importPeak = toolPeakBytes({QByteArrayLiteral("import"), QByteArrayLiteral("--type"),
                                    QByteArrayLiteral("csv"), QByteArrayLiteral("--encoding"),
                                    QByteArrayLiteral("utf-8"), QFile::encodeName(fixture.csv),
                                    QFile::encodeName(fixture.target)});
        startPeak = toolPeakBytes({QByteArrayLiteral("--version")});
    }
    if (importPeak < 0 || startPeak < 0) {
        state.SkipWithError("no peak memory of import --type csv from /usr/bin/time");
        return;
    }
    const double size = double(QFileInfo(fixture.csv).size());
    const double extra = double(importPeak - startPeak);
    state.counters["held_mb"] = extra / 1e6;
    state.counters["floor_mb"] = size / 1e6;
    state.counters["ratio"] = extra / size;
    state.counters["goal"] = 3;
}
BENCHMARK(BM_CsvImportMemory)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// Comma text of one line of 50 MB: 25 million fields of one letter.
struct LongLineFixture
{
    QTemporaryDir folder;
    QString text = folder.filePath(QStringLiteral("oneline.CSV"));
    bool ok = false;
    LongLineFixture()
    {
        QFile file(text);
        ok = file.open(QIODevice::WriteOnly)
             && file.write(QByteArray("a,").repeated(25 * 1000 * 1000)) == 50 * 1000 * 1000;
    }
};

LongLineFixture &longLineFixture()
{
    static LongLineFixture fixture;
    return fixture;
}

void BM_LongLinePlan(benchmark::State &state)
{
    LongLineFixture &fixture = longLineFixture();
    if (!fixture.ok) {
        state.SkipWithError("cannot write the long line");
        return;
    }
    const std::vector<QByteArray> plan = {QByteArrayLiteral("import"), QByteArrayLiteral("--plan"),
                                          QFile::encodeName(fixture.text)};
    qint64 nanos = 0;
    for (auto _ : state) {
        const Run run = runTool(plan);
        if (!run.ok)
            state.SkipWithError("import --plan failed");
        nanos += run.nanos;
    }
    const qint64 planPeak = toolPeakBytes(plan);
    const qint64 startPeak = toolPeakBytes({QByteArrayLiteral("--version")});
    if (planPeak < 0 || startPeak < 0) {
        state.SkipWithError("no peak memory of import --plan from /usr/bin/time");
        return;
    }
    const double size = double(QFileInfo(fixture.text).size());
    state.counters["mb_per_s"] = size / 1e6 / (double(nanos) / 1e9 / double(state.iterations()));
    state.counters["goal_mb_per_s"] = 50; // 200 MB within a few seconds
    state.counters["held_mb"] = double(planPeak - startPeak) / 1e6;
    state.counters["ratio"] = double(planPeak - startPeak) / size;
    state.counters["goal"] = 3;
}
BENCHMARK(BM_LongLinePlan)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[1], ReadFloorOption) == 0) {
        bench::readAndScanForNuls(QFile::decodeName(argv[2]));
        return 0;
    }
    selfPath = QFile::encodeName(QFileInfo(QString::fromLocal8Bit(argv[0])).absoluteFilePath());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
