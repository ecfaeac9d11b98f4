// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
//
// The recovery write of the largest database (9999 records x 50 fields): the time the user
// interface thread spends on one write (the snapshot and handing it to the write thread; goal: at
// most 5 ms), and the whole write (the file as a save writes it, behind the recovery header,
// through the safe write) beside a plain synced write of the same bytes (goal: at most 2x).
// Between snapshots every typed value goes to the journal: its cost on the interface thread
// beside the same typed value without recovery (goal: at most 1.2x), and the bytes continuous
// typing writes in a minute (goal: under 1 MB, against a snapshot's 11 MB).
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

#include <ctime>

using namespace kribed;

namespace {

qint64 threadCpuNanos()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// Enough writes for a steady figure, each a whole write of the largest database.
constexpr int InterfaceWrites = 30;
// Typed values timed for the journal's share, and the pace of continuous typing.
constexpr int TypedValues = 3000;
constexpr double TypedValuesPerMinute = 120;

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

// A typed value and everything the interface thread does for it until it waits for the user
// again (the change, its signals, the posted look at it), in a document with the journal beside
// the same in a document without recovery. Both documents hold the largest database; the edits
// alternate, so that both see the same machine.
void BM_RecoveryJournalPerTypedValue(benchmark::State &state)
{
    Fixture &fixture = shared();
    DatabaseDocument plain{Regional()};
    plain.replace(fixture.document.database());
    RecoveryWriter writer(
        fixture.document, [] { return 1; }, fixture.dir.filePath(QStringLiteral("journal")),
        std::chrono::hours(1));
    int record = 0;
    const auto typeInto = [&record](DatabaseDocument &document) {
        document.storeTypedText(7, record, "typed " + QByteArray::number(record),
                                QDateTime::currentDateTime());
        QCoreApplication::processEvents();
    };
    record = 1;
    typeInto(fixture.document); // the first change brings the snapshot: not timed
    writer.waitForWrite();
    const qint64 bytesBefore = writer.bytesWritten();
    qint64 journalNanos = 0;
    qint64 plainNanos = 0;
    qint64 journalCpu = 0;
    qint64 plainCpu = 0;
    QElapsedTimer timer;
    for (auto _ : state) {
        record = record % MaxRecords + 1;
        timer.start();
        qint64 cpu = threadCpuNanos();
        typeInto(plain);
        plainCpu += threadCpuNanos() - cpu;
        plainNanos += timer.nsecsElapsed();
        timer.start();
        cpu = threadCpuNanos();
        typeInto(fixture.document);
        journalCpu += threadCpuNanos() - cpu;
        const qint64 elapsed = timer.nsecsElapsed();
        journalNanos += elapsed;
        state.SetIterationTime(double(elapsed) / 1e9);
    }
    writer.flushJournal();
    writer.waitForWrite();
    const double values = double(state.iterations());
    if (values > 0) {
        const double perValue = double(writer.bytesWritten() - bytesBefore) / values;
        state.counters["plain_us"] = double(plainNanos) / 1e3 / values;
        state.counters["journal_us"] = double(journalNanos) / 1e3 / values;
        state.counters["ratio"] = double(journalNanos) / double(qMax<qint64>(1, plainNanos));
        // The thread's own processor time: what the user waits for on an idle machine, without
        // the other programs' share of a busy one.
        state.counters["plain_cpu_us"] = double(plainCpu) / 1e3 / values;
        state.counters["journal_cpu_us"] = double(journalCpu) / 1e3 / values;
        state.counters["cpu_ratio"] = double(journalCpu) / double(qMax<qint64>(1, plainCpu));
        state.counters["goal_ratio"] = 1.2;
        state.counters["bytes_per_value"] = perValue;
        // Continuous typing taken as a value every half second. The journal is followed by a
        // snapshot once it is as large as the snapshot, so each journal byte costs at most one
        // snapshot byte more: the second figure counts that too.
        state.counters["journal_bytes_per_min"] = perValue * TypedValuesPerMinute;
        state.counters["all_bytes_per_min"] = 2 * perValue * TypedValuesPerMinute;
        state.counters["goal_bytes_per_min"] = 1024 * 1024;
        state.counters["snapshot_bytes"] = double(bytesBefore);
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
    const QByteArray bytes(recoveryFileBytes(data).size(), 'x');
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
BENCHMARK(BM_RecoveryJournalPerTypedValue)
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime()
    ->Iterations(TypedValues);

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
