// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
// Sort normal of the largest database on a column of each kind (float, integer, date, time, text),
// each beside std::sort of as many doubles in the same run, and the growth of the numeric sorts
// from 1000 to 9999 records against n log n.
#include "against_floor.h"
#include "bench_doubles.h"
#include "core/editing/sort.h"
#include "core/model/field_type.h"
#include "core/model/limits.h"
#include "core/model/regional.h"

#include <benchmark/benchmark.h>

#include <QLocale>
#include <QRandomGenerator>

#include <algorithm>
#include <cmath>
#include <vector>

using namespace kribed;

namespace {

constexpr int Fields = 10;
constexpr double Goal = 10;

Database sortDatabase(int records)
{
    QRandomGenerator random(42);
    Database database;
    database.setShape(Fields, records);
    database.setFieldType(1, FloatType);
    database.setFieldType(2, NormalDateType);
    database.setFieldType(3, NormalTimeType);
    database.setFieldType(5, NormalIntegerType);
    const QDate first(1990, 1, 1);
    const Regional &regional = bench::germanRegional();
    for (int r = 1; r <= records; ++r) {
        database.setCell(1, r, regional.numberText(random.bounded(1000000) / 100.0L));
        database.setCell(2, r, regional.dateText(first.addDays(random.bounded(12000))));
        database.setCell(3, r, regional.timeText(QTime(0, 0).addSecs(random.bounded(86400))));
        database.setCell(4, r, "text " + QByteArray::number(random.bounded(1000)));
        database.setCell(5, r, QByteArray::number(random.bounded(1000000)));
        for (int k = 6; k <= Fields; ++k)
            database.setCell(k, r, "text " + QByteArray::number(random.bounded(1000)));
    }
    return database;
}

std::vector<double> randomDoubles(int count)
{
    QRandomGenerator random(42);
    std::vector<double> values(count);
    for (double &value : values)
        value = random.generateDouble();
    return values;
}

void floorSort(const std::vector<double> &values)
{
    std::vector<double> copy = values;
    std::sort(copy.begin(), copy.end());
    benchmark::DoNotOptimize(copy.data());
}

void BM_FloorStdSortDoubles(benchmark::State &state)
{
    const std::vector<double> values = randomDoubles(MaxRecords);
    for (auto _ : state)
        floorSort(values);
}
BENCHMARK(BM_FloorStdSortDoubles)->Unit(benchmark::kMicrosecond);

void sortColumn(benchmark::State &state, int column)
{
    const Database unsorted = sortDatabase(MaxRecords);
    const std::vector<double> values = randomDoubles(MaxRecords);
    Database database;
    // The copy gets a row table of its own before the timing starts, as the program's one
    // database has.
    bench::runAgainstFloor(
        state, Goal,
        [&] {
            database = unsorted;
            database.recordAt(1);
        },
        [&] {
            benchmark::DoNotOptimize(
                sortRows(database, SortSpec{1, column, 0, 0}, bench::germanRegional()));
        },
        [&] { floorSort(values); });
}

void BM_SortFloatColumn(benchmark::State &state)
{
    sortColumn(state, 1);
}
BENCHMARK(BM_SortFloatColumn)->Unit(benchmark::kMicrosecond);

void BM_SortIntegerColumn(benchmark::State &state)
{
    sortColumn(state, 5);
}
BENCHMARK(BM_SortIntegerColumn)->Unit(benchmark::kMicrosecond);

void BM_SortDateColumn(benchmark::State &state)
{
    sortColumn(state, 2);
}
BENCHMARK(BM_SortDateColumn)->Unit(benchmark::kMicrosecond);

void BM_SortTimeColumn(benchmark::State &state)
{
    sortColumn(state, 3);
}
BENCHMARK(BM_SortTimeColumn)->Unit(benchmark::kMicrosecond);

void BM_SortTextColumn(benchmark::State &state)
{
    sortColumn(state, 4);
}
BENCHMARK(BM_SortTextColumn)->Unit(benchmark::kMicrosecond);

// The numeric sorts at 1000 and at 9999 records, taking turns: "ratio" is their time's growth
// over n log n's (1 = exactly n log n), "floor_ms" the time at 1000 records.
void growth(benchmark::State &state, int column)
{
    const Database small = sortDatabase(1000);
    const Database large = sortDatabase(MaxRecords);
    Database database;
    qint64 smallNanos = 0;
    qint64 largeNanos = 0;
    QElapsedTimer timer;
    for (auto _ : state) {
        for (const Database *unsorted : {&small, &large}) {
            state.PauseTiming();
            database = *unsorted;
            database.recordAt(1);
            state.ResumeTiming();
            timer.start();
            benchmark::DoNotOptimize(
                sortRows(database, SortSpec{1, column, 0, 0}, bench::germanRegional()));
            (unsorted == &small ? smallNanos : largeNanos) += timer.nsecsElapsed();
        }
    }
    const double nLogN = (MaxRecords * std::log(double(MaxRecords))) / (1000 * std::log(1000.0));
    state.counters["growth"] = double(largeNanos) / double(smallNanos);
    bench::reportAgainstFloor(state, largeNanos, qint64(double(smallNanos) * nLogN), 1.5);
    state.counters["floor_ms"] = double(smallNanos) / 1e6 / double(state.iterations());
}

void BM_GrowthFloatColumn(benchmark::State &state)
{
    growth(state, 1);
}
BENCHMARK(BM_GrowthFloatColumn)->Unit(benchmark::kMicrosecond);

void BM_GrowthIntegerColumn(benchmark::State &state)
{
    growth(state, 5);
}
BENCHMARK(BM_GrowthIntegerColumn)->Unit(benchmark::kMicrosecond);

void BM_GrowthDateColumn(benchmark::State &state)
{
    growth(state, 2);
}
BENCHMARK(BM_GrowthDateColumn)->Unit(benchmark::kMicrosecond);

void BM_GrowthTimeColumn(benchmark::State &state)
{
    growth(state, 3);
}
BENCHMARK(BM_GrowthTimeColumn)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
