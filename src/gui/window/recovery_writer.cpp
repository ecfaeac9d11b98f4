// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/window/recovery_writer.h"

#include "core/model/recovery_snapshot.h"
#include "gui/grid/database_document.h"
#include "gui/grid/grid_places.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QUndoStack>

namespace kribed {

namespace {

constexpr int FlagWatchMilliseconds = 250;
// A change of more cells (a paste over a large block, every cell shown again) is a snapshot.
constexpr qint64 MaxJournaledCells = 20000;
// The journal of a small database may grow to this before it asks for a snapshot; a large
// database's to the size of its snapshot, so that typing writes the journal and not the whole
// database again and again.
constexpr qint64 MinJournalBytes = 256 * 1024;
// A snapshot waits for the user to pause, so that the window paints the change first and a burst
// of changes (rows deleted one after another) is one snapshot; at the latest it starts this long
// after it was due, as the journal syncs.
constexpr int SnapshotPauseMilliseconds = 250;
constexpr int SnapshotLatestMilliseconds = 700;

} // namespace

RecoveryWriter::RecoveryWriter(DatabaseDocument &document, std::function<int()> currentField,
                               const QString &root, std::chrono::milliseconds interval,
                               QObject *parent)
    : QObject(parent)
    , mDocument(document)
    , mCurrentField(std::move(currentField))
    , mRoot(root)
    , mInterval(interval)
    , mJournal([this] {
        QMetaObject::invokeMethod(this, &RecoveryWriter::journalFailed, Qt::QueuedConnection);
    })
{
    // One snapshot at a time, in order: a newer snapshot never lands before an older one.
    mPool.setMaxThreadCount(1);
    mCheck.setSingleShot(true);
    mCheck.setInterval(0);
    connect(&mCheck, &QTimer::timeout, this, &RecoveryWriter::check);
    mNextWrite.setSingleShot(true);
    connect(&mNextWrite, &QTimer::timeout, this, &RecoveryWriter::check);
    mSettle.setSingleShot(true);
    connect(&mSettle, &QTimer::timeout, this, &RecoveryWriter::check);
    mFlagWatch.setInterval(FlagWatchMilliseconds);
    connect(&mFlagWatch, &QTimer::timeout, this, [this] {
        if (mDocument.database().isModified() != mWasModified)
            noteShapeChange();
    });
    mFlagWatch.start();
    mOrigin = RecoveryOrigin::of(mDocument.database().filePath());
    watchDocument();
}

RecoveryWriter::~RecoveryWriter()
{
    mPool.waitForDone();
}

void RecoveryWriter::watchDocument()
{
    const auto shape = [this] { noteShapeChange(); };
    const auto look = [this] { mCheck.start(); };
    GridModel *model = &mDocument.model();
    connect(model, &QAbstractItemModel::dataChanged, this, &RecoveryWriter::noteCells);
    // Before rows or fields move, the journal is marked: no change of cells after it is applied
    // to a database of the old shape.
    connect(model, &QAbstractItemModel::rowsAboutToBeInserted, this, shape);
    connect(model, &QAbstractItemModel::rowsAboutToBeRemoved, this, shape);
    connect(model, &QAbstractItemModel::rowsAboutToBeMoved, this, shape);
    connect(model, &QAbstractItemModel::columnsAboutToBeInserted, this, shape);
    connect(model, &QAbstractItemModel::columnsAboutToBeRemoved, this, shape);
    connect(model, &QAbstractItemModel::columnsAboutToBeMoved, this, shape);
    connect(model, &QAbstractItemModel::layoutAboutToBeChanged, this, shape);
    connect(model, &QAbstractItemModel::modelAboutToBeReset, this, shape);
    connect(model, &QAbstractItemModel::headerDataChanged, this, shape);
    connect(model, &QAbstractItemModel::rowsInserted, this, shape);
    connect(model, &QAbstractItemModel::rowsRemoved, this, shape);
    connect(model, &QAbstractItemModel::rowsMoved, this, shape);
    connect(model, &QAbstractItemModel::columnsInserted, this, shape);
    connect(model, &QAbstractItemModel::columnsRemoved, this, shape);
    connect(model, &QAbstractItemModel::columnsMoved, this, shape);
    connect(model, &QAbstractItemModel::layoutChanged, this, shape);
    connect(model, &QAbstractItemModel::modelReset, this, shape);
    connect(&mDocument, &DatabaseDocument::columnWidthsChanged, this, shape);
    // Which records the filter hides is not kept (a recovered database shows them all); the
    // filter's own values are.
    connect(&mDocument, &DatabaseDocument::rowVisibilityChanged, this, [this] {
        const Database &database = mDocument.database();
        const FilterValues now{database.filterOn(), database.filterField(), database.filterText()};
        if (now != mFilter)
            noteShapeChange();
        mFilter = now;
    });
    // The formats chosen are kept with the changes: stamps made after a recovery use them.
    connect(&mDocument, &DatabaseDocument::regionalChanged, this, &RecoveryWriter::noteFormats);
    // A database read, made new or dropped: the changes from here on belong to its file as it is.
    connect(&mDocument, &DatabaseDocument::replaced, this, [this] {
        mOrigin = RecoveryOrigin::of(mDocument.database().filePath());
        noteShapeChange();
    });
    // A save, even of an unchanged database, makes the file as it is now the one the changes
    // belong to.
    connect(&mDocument, &DatabaseDocument::saved, this, [this] {
        mOrigin = RecoveryOrigin::of(mDocument.database().filePath());
        mCheck.start();
    });
    // Every change of the history comes with the model's signals; these tell of a return to the
    // saved state.
    QUndoStack *stack = &mDocument.history().stack();
    connect(stack, &QUndoStack::indexChanged, this, look);
    connect(stack, &QUndoStack::cleanChanged, this, look);
}

QString RecoveryWriter::filePath() const
{
    return mHasData && mSlot ? mSlot->dataPath() : QString();
}

// The cells' present texts go to the journal as they change (their records are handed to its
// thread, which reads the texts): the interface thread does not wait for the disk.
void RecoveryWriter::noteCells(const QModelIndex &from, const QModelIndex &to)
{
    if (!mHasBase || mBarred) {
        mSinceChange.start();
        mCheck.start(); // the next snapshot holds it: the first one, or one after a barrier
        return;
    }
    const Database &database = mDocument.database();
    const int firstField = qMax(1, fieldOf(from));
    const int firstRecord = qMax(1, recordOf(from));
    const int lastField = qMin(fieldOf(to), database.fieldCount());
    const int lastRecord = qMin(recordOf(to), database.recordCount());
    if (lastField < firstField || lastRecord < firstRecord)
        return;
    if (qint64(lastField - firstField + 1) * (lastRecord - firstRecord + 1) > MaxJournaledCells) {
        noteShapeChange();
        return;
    }
    mSinceChange.start();
    const QVector<Record> &records = database.records();
    mJournal.appendCells(++mSequence, QDateTime::currentMSecsSinceEpoch(), firstField, lastField,
                         firstRecord, records.mid(firstRecord - 1, lastRecord - firstRecord + 1));
    mCheck.start();
}

void RecoveryWriter::noteShapeChange()
{
    mSinceChange.start();
    const Database &database = mDocument.database();
    mFilter = {database.filterOn(), database.filterField(), database.filterText()};
    if (mHasBase && !mBarred) {
        JournalEntry entry;
        entry.kind = JournalEntry::Kind::Barrier;
        appendEntry(std::move(entry));
        mBarred = true;
    }
    mNeedSnapshot = true;
    mCheck.start();
}

void RecoveryWriter::noteFormats()
{
    mSinceChange.start();
    const QString formats = mDocument.formatsChoice().localeName;
    if (mHasBase && !mBarred && formats != mJournaledFormats) {
        JournalEntry entry;
        entry.kind = JournalEntry::Kind::Formats;
        entry.formats = formats;
        appendEntry(std::move(entry));
        mJournaledFormats = formats;
    }
    mCheck.start();
}

void RecoveryWriter::appendEntry(JournalEntry entry)
{
    entry.sequence = ++mSequence;
    entry.timeMs = QDateTime::currentMSecsSinceEpoch();
    mJournal.append(std::move(entry));
}

// An entry did not reach the journal whole: nothing after it can be read, so only a snapshot
// keeps the changes from here on.
void RecoveryWriter::journalFailed()
{
    mNeedSnapshot = true;
    mBarred = true;
    mLastFailed = true; // a journal that cannot be made brings a snapshot once per interval
    tellFailure(tr("the journal cannot be written"));
    mCheck.start();
}

void RecoveryWriter::check()
{
    if (mFinished)
        return;
    const bool modified = mDocument.database().isModified();
    mWasModified = modified;
    if (!modified) {
        // Saved, dropped or back at its saved state: nothing is left to recover. Removing a
        // large snapshot takes a while, so it too waits for the user to pause (a change that
        // comes first keeps the data, which then goes on as before).
        mNextWrite.stop();
        mOrigin = RecoveryOrigin::of(mDocument.database().filePath());
        if (hasData() && !settled())
            return;
        mSettle.stop();
        mDueSince.invalidate();
        removeData();
        return;
    }
    if (!isOn())
        return;
    if (!mHasBase)
        mNeedSnapshot = true; // the first change: everything goes into the first snapshot
    if (mWriting)
        return; // the write under way looks again when it ends
    const qint64 journalBytes = mJournal.bytesSinceOpen();
    if (snapshotDue()) {
        if (settled())
            startWrite();
    } else if (mNeedSnapshot || journalBytes >= qMax(MinJournalBytes, mSnapshotBytes))
        mNextWrite.start(int(qMax<qint64>(1, mInterval.count() - mSinceWrite.elapsed())));
}

// A snapshot is due when the journal cannot go on without one (at once, unless the last one
// failed), or when it has grown as large as the snapshot (at most once per interval).
bool RecoveryWriter::snapshotDue() const
{
    const bool intervalPassed =
        !mSinceWrite.isValid() || mSinceWrite.elapsed() >= mInterval.count();
    if (mNeedSnapshot)
        return !mLastFailed || intervalPassed;
    return intervalPassed && mJournal.bytesSinceOpen() >= qMax(MinJournalBytes, mSnapshotBytes);
}

// A due snapshot starts once no change came for a pause, or once it waited the longest it may;
// until then the settle timer looks again.
bool RecoveryWriter::settled()
{
    if (!mDueSince.isValid())
        mDueSince.start();
    const qint64 pause =
        mSinceChange.isValid() ? SnapshotPauseMilliseconds - mSinceChange.elapsed() : 0;
    const qint64 wait = qMin(pause, SnapshotLatestMilliseconds - mDueSince.elapsed());
    if (wait <= 0)
        return true;
    mSettle.start(int(wait));
    return false;
}

bool RecoveryWriter::hasData() const
{
    return mSlot || mHasBase || !mTakenOver.empty();
}

void RecoveryWriter::flushJournal()
{
    mJournal.drain();
}

void RecoveryWriter::writeNow()
{
    if (!mFinished && !mWriting && mDocument.database().isModified())
        startWrite();
}

void RecoveryWriter::startWrite()
{
    mNextWrite.stop();
    mSettle.stop();
    mDueSince.invalidate();
    mSinceWrite.start();
    mNeedSnapshot = false;
    mBarred = false;
    const Database &database = mDocument.database();
    mFilter = {database.filterOn(), database.filterField(), database.filterText()};
    if (!mSlot) {
        QString error;
        mSlot = RecoverySlot::create(mRoot, &error);
        if (!mSlot) {
            takeResult(mRemovals, 0, 0, false, error);
            return;
        }
    }
    mHasBase = true;
    mWriting = true;
    const quint64 removals = mRemovals;
    const QString path = mSlot->dataPath();
    RecoverySnapshot snapshot = takeRecoverySnapshot(mDocument.database(), mCurrentField(), mOrigin,
                                                     mDocument.formatsChoice().localeName);
    snapshot.generation = ++mSnapshotGeneration;
    snapshot.sequence = mSequence;
    // Changes from here on follow this snapshot; until it is complete they reach the previous
    // one through the journals of both.
    mJournal.open(mSlot->folder() + u'/' + journalFileName(snapshot.generation),
                  snapshot.generation);
    mJournaledFormats = snapshot.formats;
    const quint64 generation = snapshot.generation;
    mPool.start([this, removals, generation, path, snapshot = std::move(snapshot)]() mutable {
        QString error;
        const bool written = writeRecoverySnapshot(path, std::move(snapshot), &error);
        const qint64 bytes = written ? QFileInfo(path).size() : 0;
        QMetaObject::invokeMethod(
            this,
            [this, removals, generation, bytes, written, error] {
                takeResult(removals, generation, bytes, written, error);
            },
            Qt::QueuedConnection);
    });
}

void RecoveryWriter::takeResult(quint64 removals, quint64 generation, qint64 bytes, bool written,
                                const QString &error)
{
    if (removals != mRemovals)
        return; // the data was removed while this write ran
    mWriting = false;
    mLastFailed = !written;
    if (written) {
        mHasData = true;
        mFailing = false;
        mSnapshotBytes = bytes;
        mBytesWritten += bytes;
        // The snapshot holds what the older journals held.
        mJournal.removeBefore(mSlot->folder(), generation);
        // This program's own data now holds everything the recovered data held.
        dropTakenOver();
    } else {
        mNeedSnapshot = true; // tried again once the interval has passed
        tellFailure(error);
    }
    Q_EMIT writeEnded(written);
    check();
}

void RecoveryWriter::tellFailure(const QString &error)
{
    if (mFailing)
        return;
    mFailing = true;
    Q_EMIT writeFailed(
        tr("The unsaved changes could not be kept for recovery (%1); trying again later.")
            .arg(error));
}

void RecoveryWriter::waitForWrite()
{
    mPool.waitForDone();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void RecoveryWriter::removeData()
{
    if (mWriting) {
        // The write under way would put the data back after its removal.
        mPool.waitForDone();
        mWriting = false;
        ++mRemovals;
    }
    mJournal.close();
    mJournal.drain();
    mSinceWrite.invalidate();
    mFailing = false;
    mHasBase = false;
    mNeedSnapshot = false;
    mLastFailed = false;
    if (mSlot && mSlot->remove()) {
        mSlot.reset();
        mHasData = false;
    }
    dropTakenOver();
}

void RecoveryWriter::dropTakenOver()
{
    for (const std::unique_ptr<RecoverySlot> &slot : mTakenOver)
        slot->remove();
    mTakenOver.clear();
}

void RecoveryWriter::finish()
{
    removeData();
    mFinished = true;
    mCheck.stop();
    mNextWrite.stop();
    mSettle.stop();
    mFlagWatch.stop();
}

void RecoveryWriter::takeOver(std::unique_ptr<RecoverySlot> slot, const RecoveryOrigin &origin)
{
    if (slot)
        mTakenOver.push_back(std::move(slot));
    mOrigin = origin;
    noteShapeChange();
}

} // namespace kribed
