// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/recovery_journal_thread.h"

namespace kribed {

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// The user paused this long: the journal goes to the disk.
constexpr auto SyncPause = 250ms;
// Entries keep coming: the journal goes to the disk this long after the oldest unsynced one.
constexpr auto SyncLatest = 700ms;
// How often the thread looks for new requests while entries come; after a quiet spell it waits
// to be woken instead, so that the interface thread hands over without a system call while the
// user types.
constexpr auto Poll = 40ms;
constexpr auto QuietSpell = 2s;

} // namespace

RecoveryJournalThread::RecoveryJournalThread(std::function<void()> failed)
    : mFailed(std::move(failed))
    , mThread([this] { run(); })
{
}

RecoveryJournalThread::~RecoveryJournalThread()
{
    {
        const std::lock_guard<std::mutex> lock(mMutex);
        mStopping = true;
    }
    mWake.notify_one();
    mThread.join();
}

void RecoveryJournalThread::open(const QString &path, quint64 generation)
{
    Request request(Request::Kind::Open);
    request.path = path;
    request.generation = generation;
    hand(std::move(request));
}

void RecoveryJournalThread::appendCells(quint64 sequence, qint64 timeMs, int firstField,
                                        int lastField, int firstRecord, QVector<Record> records)
{
    Request request(Request::Kind::Cells);
    request.entry.sequence = sequence;
    request.entry.timeMs = timeMs;
    request.firstField = firstField;
    request.lastField = lastField;
    request.firstRecord = firstRecord;
    request.records = std::move(records);
    hand(std::move(request));
}

void RecoveryJournalThread::append(JournalEntry entry)
{
    Request request(Request::Kind::Entry);
    request.entry = std::move(entry);
    hand(std::move(request));
}

void RecoveryJournalThread::removeBefore(const QString &folder, quint64 generation)
{
    Request request(Request::Kind::RemoveBefore);
    request.path = folder;
    request.generation = generation;
    hand(std::move(request));
}

void RecoveryJournalThread::close()
{
    hand(Request(Request::Kind::Close));
}

void RecoveryJournalThread::drain()
{
    std::unique_lock<std::mutex> lock(mMutex);
    const std::uint64_t ticket = ++mTicketsHanded;
    Request request(Request::Kind::Drain);
    request.ticket = ticket;
    mRequests.push_back(std::move(request));
    mWake.notify_one();
    mDrained.wait(lock, [&] { return mTicketsDone >= ticket; });
}

void RecoveryJournalThread::hand(Request request)
{
    bool wake = false;
    {
        const std::lock_guard<std::mutex> lock(mMutex);
        request.ticket = ++mTicketsHanded;
        mRequests.push_back(std::move(request));
        wake = mIdle.load();
    }
    if (wake)
        mWake.notify_one();
}

void RecoveryJournalThread::run()
{
    std::unique_lock<std::mutex> lock(mMutex);
    Clock::time_point lastRequest = Clock::now();
    for (;;) {
        if (!mRequests.empty()) {
            Request request = std::move(mRequests.front());
            mRequests.pop_front();
            lock.unlock();
            carryOut(request);
            lock.lock();
            mTicketsDone = request.ticket;
            mDrained.notify_all();
            lastRequest = Clock::now();
            continue;
        }
        const Clock::time_point now = Clock::now();
        if (mUnsynced && (now - mLastWrite >= SyncPause || now - mUnsyncedSince >= SyncLatest)) {
            lock.unlock();
            sync();
            lock.lock();
            continue;
        }
        if (mStopping)
            break;
        if (mUnsynced || now - lastRequest < QuietSpell) {
            mWake.wait_for(lock, Poll);
        } else {
            mIdle = true;
            mWake.wait(lock, [this] { return !mRequests.empty() || mStopping; });
            mIdle = false;
        }
    }
    lock.unlock();
    sync();
    mFile.close();
}

void RecoveryJournalThread::carryOut(Request &request)
{
    switch (request.kind) {
    case Request::Kind::Open:
        sync();
        mBytesSinceOpen = 0;
        if (!mFile.open(request.path, request.generation))
            mFailed();
        break;
    case Request::Kind::Cells: {
        JournalEntry &entry = request.entry;
        for (qsizetype i = 0; i < request.records.size(); ++i) {
            const Record &record = request.records[i];
            const int lastField = qMin(request.lastField, int(record.size()));
            for (int field = request.firstField; field <= lastField; ++field)
                entry.cells.append({field, request.firstRecord + int(i), record.at(field - 1)});
        }
        write(encodeJournalEntry(mFile.generation(), entry));
        break;
    }
    case Request::Kind::Entry: write(encodeJournalEntry(mFile.generation(), request.entry)); break;
    case Request::Kind::RemoveBefore: removeJournalsBefore(request.path, request.generation); break;
    case Request::Kind::Close:
        sync();
        mFile.close();
        break;
    case Request::Kind::Drain: sync(); break;
    }
}

void RecoveryJournalThread::write(const QByteArray &bytes)
{
    if (!mFile.isOpen())
        return; // after a failure: the writer takes a snapshot, which opens a new journal
    if (!mFile.append(bytes)) {
        mFailed();
        return;
    }
    mBytesSinceOpen += bytes.size();
    mBytesWritten += bytes.size();
    mLastWrite = Clock::now();
    if (!mUnsynced)
        mUnsyncedSince = mLastWrite;
    mUnsynced = true;
}

void RecoveryJournalThread::sync()
{
    if (mUnsynced) {
        if (const std::function<void()> job = mFile.syncJob())
            job();
    }
    mUnsynced = false;
}

} // namespace kribed
