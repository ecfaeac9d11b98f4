// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
// The chart dock's work at the limits: a line chart of 9999 records (dates along X, amounts in
// German formats along Y) built and drawn offscreen into an image, beside one pass that reads
// the amounts from the database; and the field profile of all 50 fields of 9999 records beside
// one pass over all their cells. "ms" is the whole, "goal_ms" the time it should stay within.
#include "against_floor.h"
#include "bench_dialogs.h"
#include "bench_doubles.h"
#include "core/editing/chart_picture.h"
#include "core/editing/field_profile.h"
#include "core/model/field_type.h"
#include "core/model/limits.h"
#include "core/model/regional.h"
#include "gui/chart/chart_canvas.h"
#include "largest_database.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <QRandomGenerator>

using namespace kribed;

namespace {

Database amounts()
{
    QRandomGenerator random(42);
    Database database;
    database.setShape(2, MaxRecords);
    database.setFieldType(1, NormalDateType);
    database.setFieldType(2, FloatType);
    const Regional &regional = bench::germanRegional();
    const QDate first(1990, 1, 1);
    for (int record = 1; record <= MaxRecords; ++record) {
        database.setCell(1, record, regional.dateText(first.addDays(record)));
        database.setCell(2, record, regional.numberText(random.bounded(1000000) / 100.0L));
    }
    return database;
}

void report(benchmark::State &state, qint64 workNanos, qint64 floorNanos, double goalMs)
{
    const double perRun = double(workNanos) / 1e6 / double(state.iterations());
    state.counters["ms"] = perRun;
    state.counters["goal_ms"] = goalMs;
    // The ratio that keeps the whole within the goal on this machine, beside the one measured.
    const double floorMs = double(floorNanos) / 1e6 / double(state.iterations());
    bench::reportAgainstFloor(state, workNanos, floorNanos, floorMs > 0 ? goalMs / floorMs : 0);
}

void BM_LineChart9999(benchmark::State &state)
{
    const Database database = amounts();
    const Regional &regional = bench::germanRegional();
    ChartChoices choices;
    choices.xField = 1;
    choices.yFields = {ChartY{2, false}};
    QImage image(1200, 800, QImage::Format_ARGB32_Premultiplied);
    qint64 workNanos = 0;
    qint64 floorNanos = 0;
    qint64 buildNanos = 0;
    QElapsedTimer timer;
    for (auto _ : state) {
        timer.start();
        const ChartPicture picture = buildChartPicture(database, regional, choices);
        buildNanos += timer.nsecsElapsed();
        QPainter painter(&image);
        ChartCanvas::draw(picture, regional, painter, image.size());
        painter.end();
        workNanos += timer.nsecsElapsed();
        timer.start();
        double sum = 0;
        for (int record = 1; record <= database.recordCount(); ++record)
            sum += regional.readDouble(database.cellView(2, record)).value_or(0);
        benchmark::DoNotOptimize(sum);
        floorNanos += timer.nsecsElapsed();
        if (picture.pointCount() != MaxRecords)
            state.SkipWithError("not every point was built");
    }
    report(state, workNanos, floorNanos, 100);
    // The part of the whole that reads the values and builds the series.
    state.counters["build_ms"] = double(buildNanos) / 1e6 / double(state.iterations());
}
BENCHMARK(BM_LineChart9999)->Unit(benchmark::kMillisecond);

void BM_Profile50Fields(benchmark::State &state)
{
    const Database database = bench::largestDatabase(MaxFields, MaxRecords);
    const Regional &regional = bench::germanRegional();
    qint64 workNanos = 0;
    qint64 floorNanos = 0;
    QElapsedTimer timer;
    for (auto _ : state) {
        timer.start();
        for (int field = 1; field <= MaxFields; ++field)
            benchmark::DoNotOptimize(fieldProfile(database, field, regional).distinct);
        workNanos += timer.nsecsElapsed();
        timer.start();
        qsizetype bytes = 0;
        for (int field = 1; field <= MaxFields; ++field) {
            for (int record = 1; record <= database.recordCount(); ++record)
                bytes += database.cellView(field, record).size();
        }
        benchmark::DoNotOptimize(bytes);
        floorNanos += timer.nsecsElapsed();
    }
    report(state, workNanos, floorNanos, 50);
}
BENCHMARK(BM_Profile50Fields)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    // The chart is drawn without a display, its remembered choices apart from the user's.
    return kribed::bench::runWindowBenchmarks(argc, argv);
}
