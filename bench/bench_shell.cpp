// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
// The main window at the limits: opening 9999 records x 50 fields into the grid, switching the
// filter on and off over every row, one status tick, each beside the reader alone as the floor,
// and one repaint of a grid of long cells; the filter bar's filter while the user types.
#include "against_floor.h"
#include "bench_dialogs.h"
#include "core/editing/record_filter.h"
#include "core/model/database.h"
#include "core/model/limits.h"
#include "core/model/pdb_reader.h"
#include "core/model/pdb_writer.h"
#include "core/platform/prompter.h"
#include "core/platform/user_list.h"
#include "gui/commands/command_groups.h"
#include "gui/commands/file_commands.h"
#include "gui/commands/filter_bar.h"
#include "gui/commands/navigation_commands.h"
#include "gui/commands/tools_commands.h"
#include "gui/dialogs/file_dialogs.h"
#include "gui/grid/database_document.h"
#include "gui/grid/document_door_p.h"
#include "gui/window/main_window.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>

#include <algorithm>

#include <benchmark/benchmark.h>

using namespace kribed;

namespace {

// The largest database, written once for the whole run.
const QString &largestFile()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        Database database;
        database.setShape(MaxFields, MaxRecords);
        database.setName("Largest");
        for (int field = 1; field <= MaxFields; ++field) {
            database.setFieldName(field, "Field" + QByteArray::number(field));
            for (int record = 1; record <= MaxRecords; ++record)
                database.setCell(field, record, "Text " + QByteArray::number(record * field));
        }
        const QString file = dir.filePath(QStringLiteral("Largest.pdb"));
        bench::YesPrompter prompter;
        saveDatabase(database, SaveMode::ChosenName, file, 1, prompter);
        return file;
    }();
    return path;
}

// A main window with silent scripts, and the largest database opened in it unless told not to.
struct Window
{
    explicit Window(bool open = true)
    {
        if (open)
            form.commandGroups().get<FileCommands>().openDatabaseFile(largestFile());
    }
    bench::YesPrompter prompter;
    bench::NoDialogs dialogs;
    NoUsers users;
    MainWindow form{prompter, dialogs, users};
};

void BM_ReaderAloneFloor(benchmark::State &state)
{
    bench::YesPrompter prompter;
    for (auto _ : state) {
        Database database;
        benchmark::DoNotOptimize(loadDatabaseFile(largestFile(), database, prompter));
    }
}
BENCHMARK(BM_ReaderAloneFloor)->Unit(benchmark::kMillisecond);

void BM_OpenIntoGrid(benchmark::State &state)
{
    Window window(false);
    MainWindow &form = window.form;
    for (auto _ : state) {
        form.commandGroups().get<FileCommands>().openDatabaseFile(largestFile());
        benchmark::DoNotOptimize(form.document().database().recordCount());
    }
}
BENCHMARK(BM_OpenIntoGrid)->Unit(benchmark::kMillisecond);

void BM_FilterOffOverEveryRow(benchmark::State &state)
{
    Window window;
    MainWindow &form = window.form;
    for (auto _ : state) {
        state.PauseTiming();
        DocumentDoor(form.document()).changeSettings([](Database &database) {
            for (int record = 1; record <= database.recordCount(); record += 2)
                database.setHidden(record, true);
        });
        state.ResumeTiming();
        form.commandGroups().get<ToolsCommands>().applyFilter(false);
    }
}
BENCHMARK(BM_FilterOffOverEveryRow)->Unit(benchmark::kMillisecond);

// A filter text almost no record holds: every cell of every record is searched and nearly every
// row is hidden in the view.
void BM_FilterOnThroughWindow(benchmark::State &state)
{
    Window window;
    MainWindow &form = window.form;
    DocumentDoor(form.document()).changeSettings([](Database &database) {
        database.setFilterText("Text 99999");
    });
    for (auto _ : state) {
        form.commandGroups().get<ToolsCommands>().applyFilter(true);
        state.PauseTiming();
        form.commandGroups().get<ToolsCommands>().applyFilter(false);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FilterOnThroughWindow)->Unit(benchmark::kMillisecond);

// Each pause in typing runs the filter bar's text over every record: a text few records hold and
// one letter more that none holds, so every cell of every record is searched (flipsAll 0); or,
// at worst, a text every record holds and one none holds, so every row of the grid is hidden or
// shown again (flipsAll 1). The bar keeps the change as an undo step, the grid hides the rows,
// the bar shows the count. Goal: within 20 ms a pause (counter ms, goal_ms); the ratio is against
// the bare filter over the same records.
void BM_FilterBarTyping(benchmark::State &state)
{
    Window window;
    MainWindow &form = window.form;
    form.commandGroups().get<NavigationCommands>().actionFilterBar->trigger();
    FilterBar &bar = *form.commandGroups().get<NavigationCommands>().filterBar();
    auto *text = bar.findChild<QLineEdit *>(QStringLiteral("filterBarText"));
    if (!text) {
        state.SkipWithError("the filter bar has no text box");
        return;
    }
    Database floorCopy = form.document().database();
    const QStringList typed{state.range(0) != 0 ? QStringLiteral("Text")
                                                : QStringLiteral("Text 9999"),
                            QStringLiteral("Text 99999")};
    int next = 0;
    qint64 barNanos = 0;
    bench::runAgainstFloor(
        state, 3,
        [&] {
            text->setText(typed[next++ % typed.size()]);
            Q_EMIT text->textEdited(text->text());
        },
        [&] {
            QElapsedTimer timer;
            timer.start();
            bar.applyTypedText();
            barNanos += timer.nsecsElapsed();
        },
        [&] {
            floorCopy.setFilterText(text->text().toLatin1());
            benchmark::DoNotOptimize(applyFilter(floorCopy, true, FilterOptions()));
        });
    if (!form.commandGroups().get<ToolsCommands>().isFilterOn())
        state.SkipWithError("typing did not switch the filter on");
    state.counters["ms"] =
        double(barNanos) / 1e6 / double(std::max<int64_t>(1, state.iterations()));
    state.counters["goal_ms"] = 20;
}
BENCHMARK(BM_FilterBarTyping)
    ->Arg(0)
    ->Arg(1)
    ->ArgNames({"flipsAll"})
    ->Unit(benchmark::kMillisecond);

void BM_StatusTick(benchmark::State &state)
{
    Window window;
    MainWindow &form = window.form;
    for (auto _ : state)
        form.updateStatus();
}
BENCHMARK(BM_StatusTick)->Unit(benchmark::kMicrosecond);

// One repaint of the shown grid (1200 x 800 pixels, auto-sized columns): every visible cell holds
// 4000 bytes, the longest value a file keeps; or one cell holds a 5 MB value from an import.
void BM_PaintGrid(benchmark::State &state)
{
    const bool oneHugeCell = state.range(0) != 0;
    Window window(false);
    MainWindow &form = window.form;
    DocumentDoor(form.document()).resetWith([&](Database &database) {
        database.setShape(10, 100);
        for (int field = 1; field <= 10; ++field) {
            database.setFieldName(field, "Field" + QByteArray::number(field));
            for (int record = 1; record <= 100; ++record)
                database.setCell(field, record,
                                 oneHugeCell ? QByteArray("short text")
                                             : QByteArray(MaxValueBytes, 'w'));
        }
        if (oneHugeCell)
            database.setCell(2, 3, QByteArray(5 * 1024 * 1024, 'w'));
    });
    form.setDatabaseOpen(true);
    form.resize(1200, 800);
    form.show();
    form.commandGroups().get<ToolsCommands>().autoSizeColumns(true);
    QWidget *cells = form.grid()->viewport();
    for (auto _ : state)
        benchmark::DoNotOptimize(cells->grab());
}
BENCHMARK(BM_PaintGrid)->Arg(0)->Arg(1)->ArgNames({"oneHugeCell"})->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return kribed::bench::runWindowBenchmarks(argc, argv);
}
