// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
// One undo step of a cell edit, a row delete and a sort on the largest database, each beside the
// change itself, and the memory one cell-edit step holds beyond the texts it keeps.
#include "bench_doubles.h"
#include "core/editing/cell_clipboard.h"
#include "core/editing/row_clipboard.h"
#include "core/editing/row_column_ops.h"
#include "core/editing/sort.h"
#include "core/model/field_type.h"
#include "core/model/limits.h"
#include "core/model/regional.h"
#include "core/platform/prompter.h"
#include "gui/grid/database_document.h"
#include "gui/grid/document_door_p.h"
#include "gui/grid/recorded_edits.h"

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QLocale>
#include <QRandomGenerator>

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

// Live heap bytes, to weigh what one step holds.
namespace {
std::atomic<long long> liveBytes{0};
}

void *operator new(std::size_t size)
{
    void *memory = std::malloc(size ? size : 1);
    if (!memory)
        throw std::bad_alloc();
    liveBytes += static_cast<long long>(malloc_usable_size(memory));
    return memory;
}

void operator delete(void *memory) noexcept
{
    if (memory)
        liveBytes -= static_cast<long long>(malloc_usable_size(memory));
    std::free(memory);
}

void operator delete(void *memory, std::size_t) noexcept
{
    operator delete(memory);
}

using namespace kribed;

namespace {

constexpr int Fields = MaxFields;

void fill(Database &database)
{
    QRandomGenerator random(42);
    database.setShape(Fields, MaxRecords);
    database.setFieldType(2, ModificationDateType);
    for (int r = 1; r <= MaxRecords; ++r) {
        for (int k = 1; k <= Fields; ++k)
            database.setCell(k, r, "text " + QByteArray::number(random.bounded(100000)));
    }
}

// Times `change` and then `undo` once per iteration and reports both and their ratio.
template<class Change>
void changeBesideUndo(benchmark::State &state, DatabaseDocument &document, Change change)
{
    QUndoStack &stack = document.history().stack();
    double changeNs = 0;
    double undoNs = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        change();
        changeNs += double(timer.nsecsElapsed());
        timer.restart();
        stack.undo();
        undoNs += double(timer.nsecsElapsed());
    }
    const double n = double(state.iterations());
    state.counters["change_us"] = changeNs / n / 1000;
    state.counters["undo_us"] = undoNs / n / 1000;
    state.counters["undo_per_change"] = undoNs / changeNs;
}

void BM_CellEditAndUndo(benchmark::State &state)
{
    DatabaseDocument document(bench::germanRegional());
    DocumentDoor(document).resetWith(fill);
    int round = 0;
    changeBesideUndo(state, document, [&] {
        document.storeTypedText(7, 5000, "edited " + QByteArray::number(++round),
                                QDateTime::currentDateTime());
    });
}
BENCHMARK(BM_CellEditAndUndo)->Unit(benchmark::kMicrosecond);

void BM_RowDeleteAndUndo(benchmark::State &state)
{
    DatabaseDocument document(bench::germanRegional());
    DocumentDoor(document).resetWith(fill);
    RowClipboard clipboard;
    bench::YesPrompter prompter;
    changeBesideUndo(state, document, [&] {
        recordShapeOperation(document, QStringLiteral("Delete Row"),
                             [&](Database &database, const ShapeAnnouncer &announce) {
                                 return deleteRow(database, clipboard, 10, prompter, true,
                                                  announce);
                             });
    });
}
BENCHMARK(BM_RowDeleteAndUndo)->Unit(benchmark::kMicrosecond);

void BM_SortAndUndo(benchmark::State &state)
{
    DatabaseDocument document(bench::germanRegional());
    DocumentDoor(document).resetWith(fill);
    changeBesideUndo(state, document, [&] {
        recordRecordOrder(document, QStringLiteral("Sort"), [](Database &database) {
            QVector<int> oldOfNew =
                sortRows(database, SortSpec{1, 1, 0, 0, false, false}, bench::germanRegional());
            for (int &old : oldOfNew)
                --old;
            return oldOfNew;
        });
    });
}
BENCHMARK(BM_SortAndUndo)->Unit(benchmark::kMillisecond);

// What one cell edit's step holds on the heap beyond the old text it keeps (the new text is the
// cell's own); the record is stamped, so the step holds the Modification Date cell too.
void BM_CellEditStepMemory(benchmark::State &state)
{
    DatabaseDocument document(bench::germanRegional());
    DocumentDoor(document).resetWith(fill);
    long long held = 0;
    int round = 0;
    for (auto _ : state) {
        document.history().clear();
        const QByteArray oldText = document.database().cell(7, 5000);
        const QByteArray oldStamp = document.database().cell(2, 5000);
        const long long before = liveBytes;
        document.storeTypedText(7, 5000, "edited " + QByteArray::number(++round),
                                QDateTime::currentDateTime());
        held = liveBytes - before;
        benchmark::DoNotOptimize(held);
        // The old texts stay alive only through the step (`oldText` and `oldStamp` hold them
        // here, so they are not part of `held`).
        benchmark::DoNotOptimize(oldText.constData());
        benchmark::DoNotOptimize(oldStamp.constData());
    }
    state.counters["step_heap_bytes"] = double(held);
    state.counters["step_bytes_reported"] = double(document.history().bytesHeld());
}
BENCHMARK(BM_CellEditStepMemory)->Iterations(100);

} // namespace

BENCHMARK_MAIN();
