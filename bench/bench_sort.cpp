// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
// Sort normal of the largest database on a Float and on a date column, beside std::sort of as
// many doubles.
#include "core/editing/sort.h"
#include "core/model/field_type.h"
#include "core/model/limits.h"
#include "core/model/regional.h"

#include <benchmark/benchmark.h>

#include <QRandomGenerator>

#include <algorithm>
#include <vector>

using namespace kribed;

namespace {

constexpr int Fields = 10;

Database sortDatabase()
{
    setCurrentRegional(Regional(QLocale(QStringLiteral("de_DE"))));
    QRandomGenerator random(42);
    Database database;
    database.setShape(Fields, MaxRecords);
    database.setFieldType(1, FloatType);
    database.setFieldType(2, NormalDateType);
    database.setFieldType(3, NormalTimeType);
    const QDate first(1990, 1, 1);
    for (int r = 1; r <= MaxRecords; ++r) {
        database.setCell(1, r, currentRegional().numberText(random.bounded(1000000) / 100.0L));
        database.setCell(2, r, currentRegional().dateText(first.addDays(random.bounded(12000))));
        database.setCell(3, r,
                         currentRegional().timeText(QTime(0, 0).addSecs(random.bounded(86400))));
        for (int k = 4; k <= Fields; ++k)
            database.setCell(k, r, "text " + QByteArray::number(random.bounded(1000)));
    }
    return database;
}

void BM_FloorStdSortDoubles(benchmark::State &state)
{
    QRandomGenerator random(42);
    std::vector<double> values(MaxRecords);
    for (double &value : values)
        value = random.generateDouble();
    for (auto _ : state) {
        std::vector<double> copy = values;
        std::sort(copy.begin(), copy.end());
        benchmark::DoNotOptimize(copy.data());
    }
}
BENCHMARK(BM_FloorStdSortDoubles)->Unit(benchmark::kMicrosecond);

void sortColumn(benchmark::State &state, int column)
{
    const Database unsorted = sortDatabase();
    for (auto _ : state) {
        state.PauseTiming();
        Database database = unsorted;
        state.ResumeTiming();
        benchmark::DoNotOptimize(sortRows(database, SortSpec{1, column, 0, 0, false, false}));
    }
}

void BM_SortFloatColumn(benchmark::State &state)
{
    sortColumn(state, 1);
}
BENCHMARK(BM_SortFloatColumn)->Unit(benchmark::kMicrosecond);

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

} // namespace

BENCHMARK_MAIN();
