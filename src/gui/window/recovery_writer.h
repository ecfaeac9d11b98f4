// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

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

namespace kribed {

class DatabaseDocument;

// Keeps the unsaved changes of the open database on disk, so that a kill, a crash or a power cut
// costs none of them: while the database is modified, its whole present state goes into this
// program's recovery slot after the first change, and then at most once per interval while
// changes keep coming. The state is a snapshot (the records are shared, not copied) written by a
// thread of its own, so the user never waits for the disk. Once the database is no longer
// modified (saved, closed, replaced by New or Open, undone to its saved state) the data goes.
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
    // The recovery file of this program; empty before its first write.
    QString filePath() const;
    // Writes now, whatever the interval says (when the database is modified and no write is
    // under way): takes the snapshot here and leaves the rest to the write thread.
    void writeNow();
    // Blocks until the write under way (if any) has ended and been taken in.
    void waitForWrite();
    // A clean exit: the data of this program goes, and so does any it took over.
    void finish();
    // The open database was recovered from `slot`: its data stays until this program has written
    // its own (or the database is saved or dropped), and the changes belong to `origin`, as the
    // recovered data said, not to the file as it is now.
    void takeOver(std::unique_ptr<RecoverySlot> slot, const RecoveryOrigin &origin);

Q_SIGNALS:
    // A write ended; `written` false when it failed.
    void writeEnded(bool written);
    // The first failure after a success (or since the start), with the text for the status bar.
    void writeFailed(const QString &message);

private:
    void watchDocument();
    void noteChange();
    void check();
    void startWrite();
    void takeResult(quint64 generation, bool written, const QString &error);
    void removeData();
    void dropTakenOver();

    DatabaseDocument &mDocument;
    std::function<int()> mCurrentField;
    QString mRoot;
    std::chrono::milliseconds mInterval;
    std::unique_ptr<RecoverySlot> mSlot;
    std::vector<std::unique_ptr<RecoverySlot>> mTakenOver;
    RecoveryOrigin mOrigin;
    QThreadPool mPool;
    QTimer mCheck;     // a burst of change signals is one look at the database
    QTimer mNextWrite; // the next write the interval allows
    QTimer mFlagWatch; // the modified mark can change without a signal (Copy row, save)
    QElapsedTimer mSinceWrite;
    bool mChanged = false; // changes since the snapshot of the last write
    bool mWriting = false; // a write is under way
    bool mHasData = false; // the recovery file holds this program's data
    bool mFailing = false; // the last write failed (and was told)
    bool mWasModified = false;
    bool mFinished = false;  // after a clean exit nothing is written any more
    quint64 mGeneration = 0; // counts removals: a write that ran across one is not taken in
};

} // namespace kribed
