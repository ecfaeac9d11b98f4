// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
//
// kribed-cli diff as whole processes on two versions of the largest database (9999 records x 50
// fields), taking turns with their floors in the same run: matched by the auto-increment field
// with 100 scattered changes against the tool's start plus reading both files (goal: 3x), and
// aligned by content with 50 inserted records against the same floor (goal: 10x). Beside them,
// where installed, the peers on the same data: SQLite's sqldiff on both versions exported to
// SQLite by kribed-cli, and Python's difflib on both exported as standard CSV (goal: as fast).
#include "against_floor.h"
#include "bench_doubles.h"
#include "core/model/database.h"
#include "core/model/pdb_writer.h"
#include "largest_database.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

extern char **environ;

using namespace kribed;

namespace {

// Runs the program, its output going nowhere; its exit status, or -1 when it did not exit.
int runProgram(std::vector<QByteArray> arguments)
{
    std::vector<char *> argv;
    for (QByteArray &argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    int result = -1;
    pid_t child = 0;
    if (posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        if (waitpid(child, &status, 0) == child && WIFEXITED(status))
            result = WEXITSTATUS(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    return result;
}

int runTool(std::vector<QByteArray> arguments)
{
    arguments.insert(arguments.begin(), QByteArrayLiteral(KRIBED_CLI_PATH));
    return runProgram(std::move(arguments));
}

// The two pairs of versions, their SQLite and CSV exports, written once for the run.
struct Fixture
{
    QTemporaryDir dir;
    QByteArray keyedOld = path("KeyedOld.pdb");
    QByteArray keyedNew = path("KeyedNew.pdb");
    QByteArray plainOld = path("PlainOld.pdb");
    QByteArray plainNew = path("PlainNew.pdb");
    bool ok = write();

    QByteArray path(const char *name) const
    {
        return QFile::encodeName(dir.filePath(QString::fromLatin1(name)));
    }
    static QByteArray exported(const QByteArray &file, const char *extension)
    {
        return file.left(file.size() - 3) + extension;
    }

    bool save(Database &database, const QByteArray &file)
    {
        bench::OkPrompter prompter;
        return saveDatabase(database, SaveMode::Copy, QFile::decodeName(file), 1, prompter)
               && runTool({"export", "--type", "sqlite", file, exported(file, "sqlite")}) == 0
               && runTool({"export", "--type", "csv", file, exported(file, "csv")}) == 0;
    }

    bool write()
    {
        Database keyed = bench::largestDatabase(MaxFields, MaxRecords);
        bool written = save(keyed, keyedOld);
        // 100 changes spread over the records and the text fields.
        for (int change = 0; change < 100; ++change) {
            const int field = 1 + change % 4;
            const int record = 1 + change * 99;
            keyed.setCell(field, record, keyed.cell(field, record) + " changed");
        }
        written = written && save(keyed, keyedNew);

        // Without an automatic number: records are aligned by content. 50 records inserted
        // every 200 records into a copy with 50 fewer at the end, so both stay within the
        // limit.
        Database plain = bench::largestDatabase(MaxFields, MaxRecords - 50);
        for (int field = 1; field <= MaxFields; ++field)
            plain.setFieldType(field, StringType);
        written = written && save(plain, plainOld);
        for (int insert = 49; insert >= 0; --insert) {
            const int before = 1 + insert * 200;
            Database::Record record(MaxFields);
            for (int field = 0; field < MaxFields; ++field)
                record.replace(field, "Inserted " + QByteArray::number(insert));
            plain.insertRecord(before, record);
        }
        return written && save(plain, plainNew);
    }
};

Fixture &shared()
{
    static Fixture fixture;
    return fixture;
}

// This program, started again only to read both files and scan them for NULs: the least a
// process must do to look at every byte of both versions.
QByteArray selfPath;
constexpr char ReadFloorOption[] = "--read-both";

// The diff of the two versions, which must report them different.
void diff(benchmark::State &state, const QByteArray &older, const QByteArray &newer)
{
    if (runTool({"diff", older, newer}) != 1)
        state.SkipWithError("kribed-cli diff did not find the versions different");
}

void diffAgainstReading(benchmark::State &state, bool keyed, double goal)
{
    Fixture &fixture = shared();
    if (!fixture.ok) {
        state.SkipWithError("cannot write the versions");
        return;
    }
    const QByteArray older = keyed ? fixture.keyedOld : fixture.plainOld;
    const QByteArray newer = keyed ? fixture.keyedNew : fixture.plainNew;
    bench::runAgainstFloor(
        state, goal, [&] { diff(state, older, newer); },
        [&] {
            runTool({"--version"});
            runProgram({selfPath, ReadFloorOption, older, newer});
        });
}

void BM_DiffKeyedVsReading(benchmark::State &state)
{
    diffAgainstReading(state, true, 3);
}
BENCHMARK(BM_DiffKeyedVsReading)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DiffUnkeyedVsReading(benchmark::State &state)
{
    diffAgainstReading(state, false, 10);
}
BENCHMARK(BM_DiffUnkeyedVsReading)->Unit(benchmark::kMillisecond)->UseRealTime();

// SQLite's own tool on the keyed versions exported to SQLite (the record order is the rowid).
void diffVsSqldiff(benchmark::State &state, const QByteArray &sqldiff)
{
    Fixture &fixture = shared();
    const QByteArray older = Fixture::exported(fixture.keyedOld, "sqlite");
    const QByteArray newer = Fixture::exported(fixture.keyedNew, "sqlite");
    bench::runAgainstFloor(
        state, 1, [&] { diff(state, fixture.keyedOld, fixture.keyedNew); },
        [&] {
            if (runProgram({sqldiff, older, newer}) != 0)
                state.SkipWithError("sqldiff failed");
        });
}

// Python's difflib on the versions with inserted records, exported as standard CSV.
const char PythonDifflib[] = "import difflib, sys\n"
                             "a = open(sys.argv[1], encoding='utf-8').readlines()\n"
                             "b = open(sys.argv[2], encoding='utf-8').readlines()\n"
                             "sys.stdout.writelines(difflib.unified_diff(a, b))\n";

void diffVsDifflib(benchmark::State &state, const QByteArray &python)
{
    Fixture &fixture = shared();
    bench::runAgainstFloor(
        state, 1, [&] { diff(state, fixture.plainOld, fixture.plainNew); },
        [&] {
            if (runProgram({python, "-c", PythonDifflib, Fixture::exported(fixture.plainOld, "csv"),
                            Fixture::exported(fixture.plainNew, "csv")})
                != 0)
                state.SkipWithError("python3 difflib failed");
        });
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 4 && std::strcmp(argv[1], ReadFloorOption) == 0) {
        bench::readAndScanForNuls(QFile::decodeName(argv[2]));
        bench::readAndScanForNuls(QFile::decodeName(argv[3]));
        return 0;
    }
    selfPath = QFile::encodeName(QFileInfo(QString::fromLocal8Bit(argv[0])).absoluteFilePath());
    // The peers run only where installed (sqldiff: Debian's sqlite3-tools).
    const QString sqldiff = QStandardPaths::findExecutable(QStringLiteral("sqldiff"));
    if (!sqldiff.isEmpty())
        benchmark::RegisterBenchmark("BM_DiffKeyedVsSqldiff", diffVsSqldiff,
                                     QFile::encodeName(sqldiff))
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (!python.isEmpty())
        benchmark::RegisterBenchmark("BM_DiffUnkeyedVsDifflib", diffVsDifflib,
                                     QFile::encodeName(python))
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
