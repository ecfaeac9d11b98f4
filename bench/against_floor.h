// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QString>

#include <benchmark/benchmark.h>

#include <cstring>

#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

namespace kribed::bench {

// Reads the whole file and counts its NUL bytes: the least that looks at every byte of a file,
// the floor of reading a database or a text.
inline void readAndScanForNuls(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    qsizetype nuls = 0;
    for (const char *p = bytes.constData(), *end = p + bytes.size();
         (p = static_cast<const char *>(std::memchr(p, 0, size_t(end - p)))) != nullptr; ++p)
        ++nuls;
    benchmark::DoNotOptimize(nuls);
}

// Writes the bytes to the file and syncs them: the least any durable write must do, the floor
// of the save and the recovery write.
inline bool plainSyncedWrite(const QString &path, const QByteArray &bytes)
{
    const int file =
        ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (file < 0)
        return false;
    const bool written = ::write(file, bytes.constData(), size_t(bytes.size())) == bytes.size()
                         && ::fsync(file) == 0;
    return ::close(file) == 0 && written;
}

// Reports a command's time against its floor as the counters scripts/bench gathers: floor_ms,
// ratio (the command's time over the floor's) and goal (the largest ratio that is good enough).
inline void reportAgainstFloor(benchmark::State &state, qint64 workNanos, qint64 floorNanos,
                               double goal)
{
    if (floorNanos <= 0 || state.iterations() == 0)
        return;
    state.counters["floor_ms"] = double(floorNanos) / 1e6 / double(state.iterations());
    state.counters["ratio"] = double(workNanos) / double(floorNanos);
    state.counters["goal"] = goal;
}

// Each iteration runs `setup` (untimed), then `work` (timed as the command), then `floor`
// (untimed by the benchmark, timed for the ratio). Taking turns keeps a busy machine's noise out
// of the ratio.
template<typename Setup, typename Work, typename Floor>
void runAgainstFloor(benchmark::State &state, double goal, Setup setup, Work work, Floor floor)
{
    qint64 workNanos = 0;
    qint64 floorNanos = 0;
    QElapsedTimer timer;
    for (auto _ : state) {
        state.PauseTiming();
        setup();
        state.ResumeTiming();
        timer.start();
        work();
        workNanos += timer.nsecsElapsed();
        state.PauseTiming();
        timer.start();
        floor();
        floorNanos += timer.nsecsElapsed();
        state.ResumeTiming();
    }
    reportAgainstFloor(state, workNanos, floorNanos, goal);
}

template<typename Work, typename Floor>
void runAgainstFloor(benchmark::State &state, double goal, Work work, Floor floor)
{
    runAgainstFloor(
        state, goal, [] {}, work, floor);
}

// The bytes the heap hands out at this moment.
inline qint64 heapInUse()
{
    return qint64(mallinfo2().uordblks) + qint64(mallinfo2().hblkhd);
}

} // namespace kribed::bench
