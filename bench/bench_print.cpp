// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
// The page layout of the largest database with the printer font measure, beside one pass over
// the cell bytes in the same run.
#include "against_floor.h"
#include "bench_doubles.h"
#include "core/editing/print_layout.h"
#include "core/model/limits.h"
#include "core/model/regional.h"
#include "gui/print/print_renderer.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QLocale>
#include <QPrinter>

using namespace kribed;

namespace {

const Database &largeDatabase()
{
    static const Database database = [] {
        Database db;
        db.setShape(MaxFields, MaxRecords);
        for (int k = 1; k <= MaxFields; ++k) {
            db.setFieldName(k, "Field " + QByteArray::number(k));
            db.setColumnWidth(k, 60);
            for (int r = 1; r <= MaxRecords; ++r)
                db.setCell(k, r, "cell text " + QByteArray::number(r * k));
        }
        return db;
    }();
    return database;
}

void passOverAllBytes(const Database &database)
{
    std::size_t sum = 0;
    for (const Database::Record &record : database.records()) {
        for (const QByteArray &cell : record) {
            for (char c : cell)
                sum += std::size_t(c);
        }
    }
    benchmark::DoNotOptimize(sum);
}

void BM_FloorAllBytes(benchmark::State &state)
{
    const Database &database = largeDatabase();
    for (auto _ : state)
        passOverAllBytes(database);
}
BENCHMARK(BM_FloorAllBytes)->Unit(benchmark::kMillisecond);

void BM_PrintLayoutAllPages(benchmark::State &state)
{
    const Database &database = largeDatabase();
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    const PrintRenderer renderer(font, bench::usRegional());
    QPrinter printer(QPrinter::HighResolution);
    const PrintSetup setup = renderer.printSetup(printer);
    int pages = 0;
    bench::runAgainstFloor(
        state, 10,
        [&] {
            pages = 0;
            // What printing and the preview lay out, without the drawing.
            renderer.layOut(database, setup, [&](const PrintPage &) { ++pages; });
        },
        [&] { passOverAllBytes(database); });
    state.counters["pages"] = pages;
}
BENCHMARK(BM_PrintLayoutAllPages)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    // The printer and its fonts need no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
