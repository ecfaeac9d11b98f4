// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
//
// The recovery write of the largest database (9999 records x 50 fields): the time the user
// interface thread spends on one write (the snapshot and handing it to the write thread; goal: at
// most 5 ms), and the whole write (the file as a save writes it, behind the recovery header,
// through the safe write) beside a plain synced write of the same bytes (goal: at most 2x).
#include "against_floor.h"
#include "core/model/limits.h"
#include "core/model/recovery_snapshot.h"
#include "core/model/regional.h"
#include "core/platform/recovery_store.h"
#include "gui/grid/database_document.h"
#include "gui/window/recovery_writer.h"
#include "largest_database.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace kribed;

namespace {

// Enough writes for a steady figure, each a whole write of the largest database.
constexpr int InterfaceWrites = 30;

struct Fixture
{
    QTemporaryDir dir;
    DatabaseDocument document{Regional()};

    Fixture()
    {
        Database database = bench::largestDatabase(MaxFields, MaxRecords);
        database.setName("Large");
        database.setFilePath(dir.filePath(QStringLiteral("Large.pdb")));
        document.replace(std::move(database));
    }
};

Fixture &shared()
{
    static Fixture fixture;
    return fixture;
}

// One cell changed, then one recovery write: timed (by hand) is what the interface thread does
// until it goes back to the user, not the change and not the write thread's work, which is waited
// for. The count of writes is fixed: left to the library, it would run writes until the few
// microseconds timed of each added up to its minimum time, some ten thousand whole writes that
// take many minutes.
void BM_RecoveryInterfaceThread(benchmark::State &state)
{
    Fixture &fixture = shared();
    RecoveryWriter writer(
        fixture.document, [] { return 1; }, fixture.dir.filePath(QStringLiteral("recovery")),
        std::chrono::hours(1));
    int record = 0;
    const auto change = [&] {
        record = record % MaxRecords + 1;
        fixture.document.storeTypedText(3, record, "changed " + QByteArray::number(record),
                                        QDateTime::currentDateTime());
    };
    change();
    writer.writeNow(); // the slot is made once per run
    writer.waitForWrite();
    qint64 nanos = 0;
    QElapsedTimer timer;
    for (auto _ : state) {
        change();
        timer.start();
        writer.writeNow();
        const qint64 elapsed = timer.nsecsElapsed();
        nanos += elapsed;
        state.SetIterationTime(double(elapsed) / 1e9);
        writer.waitForWrite();
        if (writer.filePath().isEmpty())
            state.SkipWithError("no recovery file written");
    }
    if (state.iterations() > 0) {
        state.counters["ui_ms"] = double(nanos) / 1e6 / double(state.iterations());
        state.counters["goal_ms"] = 5;
    }
}

// The whole write, beside writing and syncing the same number of bytes plainly.
void BM_RecoveryWholeWrite(benchmark::State &state)
{
    Fixture &fixture = shared();
    const QString path = fixture.dir.filePath(QStringLiteral("whole.recovery"));
    const QString floorPath = fixture.dir.filePath(QStringLiteral("floor.bin"));
    RecoverySnapshot first =
        takeRecoverySnapshot(fixture.document.database(), 1, RecoveryOrigin::of(QString()));
    RecoveryData data;
    recoveryDataOf(first, data);
    const QByteArray bytes(recoveryHeader(data.origin, data.written, data.database.size()).size()
                               + data.database.size(),
                           'x');
    bench::runAgainstFloor(
        state, 2,
        [&] {
            if (!writeRecoverySnapshot(
                    path, takeRecoverySnapshot(fixture.document.database(), 1, RecoveryOrigin())))
                state.SkipWithError("recovery write failed");
        },
        [&] {
            if (!bench::plainSyncedWrite(floorPath, bytes))
                state.SkipWithError("floor write failed");
        });
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

} // namespace

BENCHMARK(BM_RecoveryInterfaceThread)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(InterfaceWrites);
BENCHMARK(BM_RecoveryWholeWrite)->Unit(benchmark::kMillisecond);

// The writer's timers and its replies from the write thread need an application.
int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
