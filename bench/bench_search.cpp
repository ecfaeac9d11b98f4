// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
// Find, Column Sum and Row Sum on the largest database, beside one pass over the same bytes in
// the same run.
#include "against_floor.h"
#include "bench_doubles.h"
#include "core/editing/find.h"
#include "core/editing/sums.h"
#include "core/model/limits.h"
#include "core/model/regional.h"

#include <benchmark/benchmark.h>

#include <QLocale>

using namespace kribed;

namespace {

// 9999 records x 50 fields of short numbers; the names carry a factor and the last one "&".
const Database &largeDatabase()
{
    static const Database database = [] {
        Database db;
        db.setShape(MaxFields, MaxRecords);
        for (int k = 1; k <= MaxFields; ++k) {
            db.setFieldName(k, k == MaxFields ? QByteArray("Total &")
                                              : "Field #1." + QByteArray::number(k % 10));
            for (int r = 1; r <= MaxRecords; ++r)
                db.setCell(k, r, QByteArray::number((r * 37 + k * 11) % 10000) + ".25");
        }
        db.setCell(MaxFields, MaxRecords, "needle");
        return db;
    }();
    return database;
}

std::size_t passOver(const Database &database, int firstColumn, int lastColumn)
{
    std::size_t sum = 0;
    for (const Database::Record &record : database.records()) {
        for (int k = firstColumn; k <= lastColumn; ++k) {
            for (char c : record[k - 1])
                sum += std::size_t(c);
        }
    }
    return sum;
}

void BM_FloorAllBytes(benchmark::State &state)
{
    const Database &database = largeDatabase();
    for (auto _ : state)
        benchmark::DoNotOptimize(passOver(database, 1, MaxFields));
}
BENCHMARK(BM_FloorAllBytes)->Unit(benchmark::kMillisecond);

void BM_FloorOneColumn(benchmark::State &state)
{
    const Database &database = largeDatabase();
    for (auto _ : state)
        benchmark::DoNotOptimize(passOver(database, 1, 1));
}
BENCHMARK(BM_FloorOneColumn)->Unit(benchmark::kMicrosecond);

void BM_FindInLastCell(benchmark::State &state)
{
    const Database &database = largeDatabase();
    bench::OkPrompter prompter;
    for (auto _ : state) {
        FindState find;
        benchmark::DoNotOptimize(
            searchNext(database, find, FindSettings{"NEEDLE", 0, false, true}, 1, prompter));
    }
}
BENCHMARK(BM_FindInLastCell)->Unit(benchmark::kMillisecond);

void BM_ColumnSum(benchmark::State &state)
{
    Database database = largeDatabase();
    bench::runAgainstFloor(
        state, 10,
        [&] { benchmark::DoNotOptimize(columnSum(database, 1, MaxRecords, bench::usRegional())); },
        [&] { benchmark::DoNotOptimize(passOver(database, 1, 1)); });
}
BENCHMARK(BM_ColumnSum)->Unit(benchmark::kMicrosecond);

void BM_RowSumAllRecords(benchmark::State &state)
{
    Database database = largeDatabase();
    RowSumState sums;
    sums.rowSumMode = true;
    bench::runAgainstFloor(
        state, 10,
        [&] {
            benchmark::DoNotOptimize(computeRowSums(database, sums, 1, 1, bench::usRegional()));
        },
        [&] { benchmark::DoNotOptimize(passOver(database, 1, MaxFields)); });
}
BENCHMARK(BM_RowSumAllRecords)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
