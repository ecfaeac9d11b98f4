// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
//
// Editing commands on the largest database (9999 records x 50 fields), each beside a floor
// measured in the same run: copying the database's row table once.

#include "against_floor.h"
#include "bench_doubles.h"
#include "core/editing/auto_size.h"
#include "core/editing/row_clipboard.h"
#include "core/editing/row_column_ops.h"
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/limits.h"
#include "core/model/regional.h"
#include "core/platform/prompter.h"
#include "gui/grid/display_text_width.h"
#include "largest_database.h"

#include <QFont>
#include <QGuiApplication>
#include <QLocale>

#include <benchmark/benchmark.h>

#include <cstdlib>

using namespace kribed;

namespace {

const QDateTime Now(QDate(2026, 3, 14), QTime(9, 26, 53));

void copyRowTable(const Database &database)
{
    QVector<Database::Record> copy = database.records();
    copy.detach();
    benchmark::DoNotOptimize(copy.data());
}

void BM_FloorCopyRowTable(benchmark::State &state)
{
    const Database database = bench::largestDatabase(MaxFields, MaxRecords);
    for (auto _ : state)
        copyRowTable(database);
}
BENCHMARK(BM_FloorCopyRowTable)->Unit(benchmark::kMicrosecond);

void BM_InsertRowAtRow1(benchmark::State &state)
{
    Database database = bench::largestDatabase(MaxFields, MaxRecords - 1);
    RowClipboard clipboard;
    bench::NoQuestions prompter;
    // The row inserted by one iteration goes again, untimed, before the next.
    bool inserted = false;
    bench::runAgainstFloor(
        state, 10,
        [&] {
            if (inserted)
                database.takeRecord(1);
        },
        [&] {
            inserted =
                insertRow(database, clipboard, 1, prompter, Now, bench::usRegional()).applied;
        },
        [&] { copyRowTable(database); });
}
BENCHMARK(BM_InsertRowAtRow1)->Unit(benchmark::kMicrosecond);

void BM_DeleteRow1(benchmark::State &state)
{
    Database database = bench::largestDatabase(MaxFields, MaxRecords);
    RowClipboard clipboard;
    bench::NoQuestions prompter;
    for (auto _ : state) {
        state.PauseTiming();
        const Database::Record first = database.recordAt(1);
        state.ResumeTiming();
        deleteRow(database, clipboard, 1, prompter, true);
        state.PauseTiming();
        database.insertRecord(1, first);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DeleteRow1)->Unit(benchmark::kMicrosecond);

void BM_InsertColumnAtColumn1(benchmark::State &state)
{
    Database database = bench::largestDatabase(MaxFields - 1, MaxRecords);
    bench::NoQuestions prompter;
    AutoWidths autoWidths;
    for (auto _ : state) {
        insertColumn(database, 1, prompter);
        state.PauseTiming();
        deleteColumn(database, 1, prompter, true, autoWidths);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_InsertColumnAtColumn1)->Unit(benchmark::kMicrosecond);

// Automatic widths measured as the grid does, with a single-byte and a multi-byte code page.
void BM_AutoSizingOn(benchmark::State &state, const char *codePage)
{
    Database database = bench::largestDatabase(MaxFields, MaxRecords);
    AutoWidths autoWidths;
    const TextWidthMeasure measure =
        displayTextMeasure(QFont(QStringLiteral("Sans Serif"), 9), QByteArray(codePage));
    for (auto _ : state)
        autoSizeColumns(database, autoWidths, true, measure);
}
BENCHMARK_CAPTURE(BM_AutoSizingOn, windows_1252, "windows-1252")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_AutoSizingOn, Shift_JIS, "Shift_JIS")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
