// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/model/record.h"
#include "core/platform/recovery_journal.h"

#include <QString>
#include <QVector>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace kribed {

// Writes the recovery journal on a thread of its own, so that a typed value costs the interface
// thread only a hand-over: the records a change touched (shared, not copied: a record gets bytes of
// its own when it next changes) and what to write, in order. The thread encodes the entries,
// appends each in one write, and syncs the file once no entry came for a quarter of a second, or
// 0.7 seconds after the oldest entry not yet synced. Every request is done in the order given.
class RecoveryJournalThread
{
public:
    // `failed` runs on the thread when an entry could not be written whole (the journal is
    // closed then; what follows waits for the next open).
    explicit RecoveryJournalThread(std::function<void()> failed);
    ~RecoveryJournalThread(); // writes what was handed over, then ends

    // From here on entries go to the journal file of the generation at `path`.
    void open(const QString &path, quint64 generation);
    // The present texts of fields first..last of the records, the first of them `firstRecord`.
    void appendCells(quint64 sequence, qint64 timeMs, int firstField, int lastField,
                     int firstRecord, QVector<Record> records);
    void append(JournalEntry entry);
    // The journal files in `folder` of generations below `generation` go.
    void removeBefore(const QString &folder, quint64 generation);
    void close();
    // Waits until everything handed over so far is written and synced.
    void drain();

    // Bytes appended since the last open, and since the start.
    qint64 bytesSinceOpen() const { return mBytesSinceOpen.load(); }
    qint64 bytesWritten() const { return mBytesWritten.load(); }

private:
    struct Request
    {
        enum class Kind { Open, Cells, Entry, RemoveBefore, Close, Drain };
        explicit Request(Kind what)
            : kind(what)
        {
        }
        Kind kind;
        QString path;
        quint64 generation = 0;
        JournalEntry entry;
        int firstField = 0;
        int lastField = 0;
        int firstRecord = 0;
        QVector<Record> records;
        std::uint64_t ticket = 0;
    };
    void hand(Request request);
    void run();
    void carryOut(Request &request);
    void write(const QByteArray &bytes);
    void sync();

    std::function<void()> mFailed;
    std::mutex mMutex;
    std::condition_variable mWake;
    std::condition_variable mDrained;
    std::deque<Request> mRequests;
    std::uint64_t mTicketsHanded = 0;
    std::uint64_t mTicketsDone = 0;
    bool mStopping = false;
    std::atomic<bool> mIdle{false}; // the thread waits without a time limit: wake it
    std::atomic<qint64> mBytesSinceOpen{0};
    std::atomic<qint64> mBytesWritten{0};
    // The thread's own (only it touches them).
    JournalAppender mFile;
    bool mUnsynced = false;
    std::chrono::steady_clock::time_point mLastWrite;
    std::chrono::steady_clock::time_point mUnsyncedSince;
    std::thread mThread;
};

} // namespace kribed
