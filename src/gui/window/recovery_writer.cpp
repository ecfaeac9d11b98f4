// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/window/recovery_writer.h"

#include "core/model/recovery_snapshot.h"
#include "gui/grid/database_document.h"

#include <QCoreApplication>
#include <QUndoStack>

namespace kribed {

namespace {

constexpr int FlagWatchMilliseconds = 250;

} // namespace

RecoveryWriter::RecoveryWriter(DatabaseDocument &document, std::function<int()> currentField,
                               const QString &root, std::chrono::milliseconds interval,
                               QObject *parent)
    : QObject(parent)
    , mDocument(document)
    , mCurrentField(std::move(currentField))
    , mRoot(root)
    , mInterval(interval)
{
    // One write at a time, in order: a newer snapshot never lands before an older one.
    mPool.setMaxThreadCount(1);
    mCheck.setSingleShot(true);
    mCheck.setInterval(0);
    connect(&mCheck, &QTimer::timeout, this, &RecoveryWriter::check);
    mNextWrite.setSingleShot(true);
    connect(&mNextWrite, &QTimer::timeout, this, &RecoveryWriter::check);
    mFlagWatch.setInterval(FlagWatchMilliseconds);
    connect(&mFlagWatch, &QTimer::timeout, this, [this] {
        if (mDocument.database().isModified() != mWasModified)
            noteChange();
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
    const auto change = [this] { noteChange(); };
    GridModel *model = &mDocument.model();
    connect(model, &QAbstractItemModel::dataChanged, this, change);
    connect(model, &QAbstractItemModel::headerDataChanged, this, change);
    connect(model, &QAbstractItemModel::rowsInserted, this, change);
    connect(model, &QAbstractItemModel::rowsRemoved, this, change);
    connect(model, &QAbstractItemModel::rowsMoved, this, change);
    connect(model, &QAbstractItemModel::columnsInserted, this, change);
    connect(model, &QAbstractItemModel::columnsRemoved, this, change);
    connect(model, &QAbstractItemModel::columnsMoved, this, change);
    connect(model, &QAbstractItemModel::layoutChanged, this, change);
    connect(&mDocument, &DatabaseDocument::columnWidthsChanged, this, change);
    connect(&mDocument, &DatabaseDocument::rowVisibilityChanged, this, change);
    // A database read, made new or dropped: the changes from here on belong to its file as it is.
    connect(&mDocument, &DatabaseDocument::replaced, this, [this] {
        mOrigin = RecoveryOrigin::of(mDocument.database().filePath());
        noteChange();
    });
    QUndoStack *stack = &mDocument.history().stack();
    connect(stack, &QUndoStack::indexChanged, this, change);
    connect(stack, &QUndoStack::cleanChanged, this, change);
}

QString RecoveryWriter::filePath() const
{
    return mHasData && mSlot ? mSlot->dataPath() : QString();
}

void RecoveryWriter::noteChange()
{
    mChanged = true;
    mCheck.start();
}

void RecoveryWriter::check()
{
    if (mFinished)
        return;
    const bool modified = mDocument.database().isModified();
    mWasModified = modified;
    if (!modified) {
        // Saved, dropped or back at its saved state: nothing is left to recover.
        mChanged = false;
        mNextWrite.stop();
        mOrigin = RecoveryOrigin::of(mDocument.database().filePath());
        removeData();
        return;
    }
    if (!isOn() || !mChanged || mWriting)
        return; // a write under way looks again when it ends
    const qint64 wait = mSinceWrite.isValid() ? mInterval.count() - mSinceWrite.elapsed() : 0;
    if (wait <= 0)
        startWrite();
    else if (!mNextWrite.isActive())
        mNextWrite.start(int(wait));
}

void RecoveryWriter::writeNow()
{
    if (!mFinished && !mWriting && mDocument.database().isModified())
        startWrite();
}

void RecoveryWriter::startWrite()
{
    mNextWrite.stop();
    mSinceWrite.start();
    mChanged = false;
    if (!mSlot) {
        QString error;
        mSlot = RecoverySlot::create(mRoot, &error);
        if (!mSlot) {
            takeResult(mGeneration, false, error);
            return;
        }
    }
    mWriting = true;
    const quint64 generation = mGeneration;
    const QString path = mSlot->dataPath();
    RecoverySnapshot snapshot =
        takeRecoverySnapshot(mDocument.database(), mCurrentField(), mOrigin);
    mPool.start([this, generation, path, snapshot = std::move(snapshot)]() mutable {
        QString error;
        const bool written = writeRecoverySnapshot(path, std::move(snapshot), &error);
        QMetaObject::invokeMethod(
            this, [this, generation, written, error] { takeResult(generation, written, error); },
            Qt::QueuedConnection);
    });
}

void RecoveryWriter::takeResult(quint64 generation, bool written, const QString &error)
{
    if (generation != mGeneration)
        return; // the data was removed while this write ran
    mWriting = false;
    if (written) {
        mHasData = true;
        mFailing = false;
        // This program's own data now holds everything the recovered data held.
        dropTakenOver();
    } else {
        mChanged = true; // tried again once the interval has passed
        if (!mFailing) {
            mFailing = true;
            Q_EMIT writeFailed(
                tr("The unsaved changes could not be kept for recovery (%1); trying again later.")
                    .arg(error));
        }
    }
    Q_EMIT writeEnded(written);
    check();
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
        ++mGeneration;
    }
    mSinceWrite.invalidate();
    mFailing = false;
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
    mFlagWatch.stop();
}

void RecoveryWriter::takeOver(std::unique_ptr<RecoverySlot> slot, const RecoveryOrigin &origin)
{
    if (slot)
        mTakenOver.push_back(std::move(slot));
    mOrigin = origin;
    noteChange();
}

} // namespace kribed
