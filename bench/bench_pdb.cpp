// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
//
// Load and save of the largest database (9999 records x 50 fields, values of about 20 bytes),
// each beside a floor measured in the same run: reading the file and scanning it once for NUL
// bytes, and writing the same number of bytes to a file (plainly, and synced). The saves also
// time a plain synced write of the same bytes between their iterations and report their ratio
// to it: the price of the temporary file, the backup and the folder syncs.
#include "against_floor.h"
#include "bench_doubles.h"
#include "core/model/database.h"
#include "core/model/pdb_reader.h"
#include "core/model/pdb_writer.h"
#include "core/platform/prompter.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace kribed;

namespace {

struct Fixture
{
    QTemporaryDir dir;
    QString source;
    QString target;
    QString floorTarget;
    qint64 size = 0;

    Fixture()
        : source(dir.filePath(QStringLiteral("Large.pdb")))
        , target(dir.filePath(QStringLiteral("Copy.pdb")))
        , floorTarget(dir.filePath(QStringLiteral("Floor.bin")))
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

// Loads, each beside reading the file and scanning it for NULs.
void BM_Load(benchmark::State &state)
{
    Fixture &fixture = shared();
    bench::OkPrompter prompter;
    bench::runAgainstFloor(
        state, 3,
        [&] {
            Database database;
            const LoadResult result =
                loadDatabaseFile(fixture.source, database, prompter, OpenAccess::ReadOnly);
            benchmark::DoNotOptimize(result);
            if (result != LoadResult::Loaded || database.recordCount() != MaxRecords)
                state.SkipWithError("load failed");
        },
        [&] { bench::readAndScanForNuls(fixture.source); });
    state.SetBytesProcessed(state.iterations() * fixture.size);
}

void BM_LoadFloor(benchmark::State &state)
{
    Fixture &fixture = shared();
    for (auto _ : state)
        bench::readAndScanForNuls(fixture.source);
    state.SetBytesProcessed(state.iterations() * fixture.size);
}

// The heap a loaded database holds, against the file's size: "ratio" is held bytes over file
// bytes.
void BM_LoadMemory(benchmark::State &state)
{
    Fixture &fixture = shared();
    bench::OkPrompter prompter;
    qint64 held = 0;
    for (auto _ : state) {
        const qint64 before = bench::heapInUse();
        {
            Database database;
            loadDatabaseFile(fixture.source, database, prompter, OpenAccess::ReadOnly);
            held = bench::heapInUse() - before;
        }
    }
    state.counters["held_mb"] = double(held) / 1e6;
    state.counters["floor_mb"] = double(fixture.size) / 1e6;
    state.counters["ratio"] = double(held) / double(fixture.size);
    state.counters["goal"] = 2;
}

// Each iteration saves; between iterations, untimed, the same number of bytes is written plainly
// and synced. "ratio" is the save's time over that floor's.
void saveAgainstFloor(benchmark::State &state, SaveMode mode)
{
    Fixture &fixture = shared();
    bench::OkPrompter prompter;
    Database database;
    loadDatabaseFile(fixture.source, database, prompter, OpenAccess::ReadOnly);
    database.setFilePath(fixture.target);
    const QByteArray bytes(fixture.size, 'x');
    qint64 saveNanos = 0;
    qint64 floorNanos = 0;
    QElapsedTimer timer;
    for (auto _ : state) {
        timer.start();
        if (!saveDatabase(database, mode, fixture.target, 1, prompter))
            state.SkipWithError("save failed");
        saveNanos += timer.nsecsElapsed();
        state.PauseTiming();
        timer.start();
        if (!bench::plainSyncedWrite(fixture.floorTarget, bytes))
            state.SkipWithError("floor write failed");
        floorNanos += timer.nsecsElapsed();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * fixture.size);
    if (floorNanos > 0) {
        state.counters["floor_ms"] = double(floorNanos) / 1e6 / double(state.iterations());
        state.counters["ratio"] = double(saveNanos) / double(floorNanos);
    }
}

// The install copy and kribed-cli resave: no backup, one folder sync.
void BM_SaveCopy(benchmark::State &state)
{
    saveAgainstFloor(state, SaveMode::Copy);
}

// Save: the previous file becomes the backup, so two folder syncs.
void BM_SaveWithBackup(benchmark::State &state)
{
    saveAgainstFloor(state, SaveMode::OwnFile);
}

void BM_SaveFloor(benchmark::State &state)
{
    Fixture &fixture = shared();
    const QByteArray bytes(fixture.size, 'x');
    for (auto _ : state) {
        QFile file(fixture.floorTarget);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        benchmark::DoNotOptimize(file.write(bytes));
        file.close();
    }
    state.SetBytesProcessed(state.iterations() * fixture.size);
}

// The same bytes written and synced: the floor that holds the disk's share of a save.
void BM_SaveFloorSynced(benchmark::State &state)
{
    Fixture &fixture = shared();
    const QByteArray bytes(fixture.size, 'x');
    for (auto _ : state) {
        if (!bench::plainSyncedWrite(fixture.floorTarget, bytes))
            state.SkipWithError("floor write failed");
    }
    state.SetBytesProcessed(state.iterations() * fixture.size);
}

} // namespace

BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadMemory)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SaveCopy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveWithBackup)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveFloorSynced)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
