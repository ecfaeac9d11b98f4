// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/model/recovery_journal_thread.h"
#include "core/platform/recovery_store.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QThreadPool>
#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

class QModelIndex;

namespace kribed {

class DatabaseDocument;

// Keeps the unsaved changes of the open database on disk, so that a kill, a crash or a power cut
// costs none of them. After the first change the whole present state goes into this program's
// recovery slot as a snapshot (the records are shared, not copied, and a thread of its own writes
// it, so the user never waits for the disk). Every later change of cells and of the formats
// chosen is handed to the journal's thread as it happens, appended to the snapshot's journal in
// a few hundred bytes and synced to the disk when the user pauses (at the latest within a
// second). A change the journal does not hold
// (rows, fields, widths, settings, the filter) marks the journal there and brings a new snapshot
// once the user pauses (at the latest within a second, and after the window painted); a journal grown as large as the snapshot brings one at most once per interval. Once
// the database is no longer modified (saved, closed, replaced by New or Open, undone to its
// saved state) the data goes once the user pauses; a clean exit removes it at once.
//
// A failed write is told once through writeFailed and tried again at the next interval.
class RecoveryWriter : public QObject
{
    Q_OBJECT

public:
    // `currentField` gives the grid's current column, which a save writes too. An interval of 0
    // switches recovery off.
    RecoveryWriter(DatabaseDocument &document, std::function<int()> currentField,
                   const QString &root, std::chrono::milliseconds interval,
                   QObject *parent = nullptr);
    // Waits for a write under way; the data stays, as after a kill.
    ~RecoveryWriter() override;

    bool isOn() const { return mInterval.count() > 0; }
    std::chrono::milliseconds interval() const { return mInterval; }
    // The snapshot file of this program; empty before its first snapshot is complete.
    QString filePath() const;
    // Takes a snapshot now (when the database is modified and no write is under way): takes it
    // here and leaves the writing to the write thread.
    void writeNow();
    // Blocks until the write under way (if any) has ended and been taken in.
    void waitForWrite();
    // Waits until every change so far is in the journal and the journal on the disk.
    void flushJournal();
    // A clean exit: the data of this program goes, and so does any it took over.
    void finish();
    // The open database was recovered from `slot`: its data stays until this program has written
    // its own (or the database is saved or dropped), and the changes belong to `origin`, as the
    // recovered data said, not to the file as it is now.
    void takeOver(std::unique_ptr<RecoverySlot> slot, const RecoveryOrigin &origin);
    // Bytes written for recovery since the start: snapshots and journal entries.
    qint64 bytesWritten() const { return mBytesWritten + mJournal.bytesWritten(); }

Q_SIGNALS:
    // A snapshot write ended; `written` false when it failed.
    void writeEnded(bool written);
    // The first failure after a success (or since the start), with the text for the status bar.
    void writeFailed(const QString &message);

private:
    void watchDocument();
    void noteCells(const QModelIndex &from, const QModelIndex &to);
    void noteShapeChange();
    void noteFormats();
    void appendEntry(JournalEntry entry);
    void journalFailed();
    void check();
    bool snapshotDue() const;
    bool settled();
    bool hasData() const;
    void startWrite();
    void takeResult(quint64 removals, quint64 generation, qint64 bytes, bool written,
                    const QString &error);
    void tellFailure(const QString &error);
    void removeData();
    void dropTakenOver();

    DatabaseDocument &mDocument;
    std::function<int()> mCurrentField;
    QString mRoot;
    std::chrono::milliseconds mInterval;
    std::unique_ptr<RecoverySlot> mSlot;
    std::vector<std::unique_ptr<RecoverySlot>> mTakenOver;
    RecoveryOrigin mOrigin;
    QThreadPool mPool; // snapshots, one at a time
    QTimer mCheck;     // a burst of change signals is one look at the database
    QTimer mNextWrite; // the next snapshot the interval allows
    QTimer mFlagWatch; // the modified mark can change without a signal (Copy row, save)
    QTimer mSettle;    // a due snapshot waits for the user to pause
    QElapsedTimer mSinceWrite;
    QElapsedTimer mSinceChange; // the newest change the writer heard of
    QElapsedTimer mDueSince;    // the snapshot that waits for a pause has been due
    QString mJournaledFormats;  // the formats the snapshot and journal hold
    struct FilterValues
    {
        bool on = false;
        int field = 0;
        QByteArray text;
        bool operator!=(const FilterValues &other) const
        {
            return on != other.on || field != other.field || text != other.text;
        }
    };
    FilterValues mFilter;       // as the newest snapshot or barrier saw them
    bool mHasBase = false;      // a snapshot was started since the data was last removed
    bool mNeedSnapshot = false; // the journal cannot go on without a new snapshot
    bool mBarred = false;       // the present journal holds a barrier: only a snapshot follows
    bool mLastFailed = false;   // the last snapshot failed: the next waits for the interval
    bool mWriting = false;      // a snapshot is being written
    bool mHasData = false;      // the slot holds a complete snapshot of this program
    bool mFailing = false;      // the last write failed (and was told)
    bool mWasModified = false;
    bool mFinished = false;          // after a clean exit nothing is written any more
    quint64 mRemovals = 0;           // a write that ran across a removal is not taken in
    quint64 mSnapshotGeneration = 0; // of the newest snapshot started
    quint64 mSequence = 0;           // of the newest journal change
    qint64 mSnapshotBytes = 0;       // of the newest complete snapshot
    qint64 mBytesWritten = 0;        // by snapshots
    // Last, so that its thread ends (writing what it was handed) before the rest goes.
    RecoveryJournalThread mJournal;
};

} // namespace kribed
