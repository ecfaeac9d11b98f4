// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/grid/edit_history.h"

#include "gui/grid/database_document.h"

#include <QUndoCommand>
#include <QtGlobal>

#include <utility>

namespace kribed {

// The stack's command: a thin holder of a shared step, so that the history can build the stack
// again without its oldest steps (QUndoStack drops old commands only by count).
class EditHistory::Command : public QUndoCommand
{
public:
    Command(EditHistory &history, const QString &text, std::shared_ptr<UndoStep> step)
        : QUndoCommand(text)
        , mHistory(history)
        , mStep(std::move(step))
        , mBytes(mStep->bytes())
    {
        mHistory.mBytesHeld += mBytes;
    }
    ~Command() override { mHistory.mBytesHeld -= mBytes; }
    // Measures the step again after it took in more (a merge, a border drag's continuation).
    void remeasure()
    {
        const qsizetype bytes = mStep->bytes();
        mHistory.mBytesHeld += bytes - mBytes;
        mBytes = bytes;
    }
    qsizetype bytes() const { return mBytes; }
    void redo() override
    {
        // The first redo is the push of a change that has already been made.
        if (std::exchange(mMade, false) || mHistory.mReplaying)
            return;
        mHistory.run(*mStep, true);
    }
    void undo() override
    {
        if (!mHistory.mReplaying)
            mHistory.run(*mStep, false);
    }
    const std::shared_ptr<UndoStep> &step() const { return mStep; }
    int id() const override { return mStep->id(); }
    bool mergeWith(const QUndoCommand *other) override
    {
        // Only commands of this history share an id.
        if (!mStep->mergeWith(*static_cast<const Command *>(other)->mStep))
            return false;
        remeasure();
        return true;
    }

private:
    EditHistory &mHistory;
    std::shared_ptr<UndoStep> mStep;
    qsizetype mBytes;
    bool mMade = true;
};

EditHistory::EditHistory(DatabaseDocument &document, QObject *parent)
    : QObject(parent)
    , mDocument(document)
{
    mStack.setUndoLimit(StepLimit);
    connect(&mStack, &QUndoStack::indexChanged, this, [this] {
        if (!mReplaying)
            updateModifiedFlag();
    });
}

EditHistory::~EditHistory()
{
    // The commands refer to this object; they go before it does.
    mReplaying = true;
    mStack.clear();
}

EditHistory::Recording::Recording(EditHistory &history)
    : mHistory(history)
{
    ++mHistory.mRecording;
}

EditHistory::Recording::~Recording()
{
    --mHistory.mRecording;
}

void EditHistory::push(const QString &text, std::unique_ptr<UndoStep> step)
{
    if (!step)
        return;
    mStack.push(new Command(*this, text, std::shared_ptr<UndoStep>(std::move(step))));
    trimToBudget();
    updateModifiedFlag();
}

CellsStep *EditHistory::lastCellsStep()
{
    if (mStack.index() == 0 || mStack.index() != mStack.count())
        return nullptr;
    const auto *command = static_cast<const Command *>(mStack.command(mStack.index() - 1));
    return dynamic_cast<CellsStep *>(command->step().get());
}

UndoStep *EditHistory::stepToExtend()
{
    if (mStack.index() == 0 || mStack.index() != mStack.count()
        || mStack.cleanIndex() == mStack.index())
        return nullptr;
    return static_cast<const Command *>(mStack.command(mStack.index() - 1))->step().get();
}

void EditHistory::stepExtended()
{
    static_cast<Command *>(const_cast<QUndoCommand *>(mStack.command(mStack.index() - 1)))
        ->remeasure();
    updateModifiedFlag();
}

void EditHistory::clear()
{
    const bool changed = isModified();
    mReplaying = true;
    mStack.clear();
    mReplaying = false;
    mChangedOutside = changed;
    updateModifiedFlag();
}

void EditHistory::restart(bool changed)
{
    mReplaying = true;
    mStack.clear();
    mReplaying = false;
    mChangedOutside = changed;
    updateModifiedFlag();
}

void EditHistory::endAfterUnrecordedChange()
{
    clear();
    markChangedOutside();
}

void EditHistory::markSaved()
{
    mStack.setClean();
    mChangedOutside = false;
    updateModifiedFlag();
}

void EditHistory::markChangedOutside()
{
    mChangedOutside = true;
    updateModifiedFlag();
}

void EditHistory::noteChange()
{
    if (isRecording() || mStack.count() == 0)
        return;
#ifdef KRIBED_HISTORY_CHECKS
    // Only a load, New, Import and Close start a new history (restart()); any other change of
    // cells or shape belongs in a recorder of recorded_edits.h.
    qWarning("EditHistory: a change of cells or shape outside the history ended the undo history "
             "of %d steps",
             int(mStack.count()));
#endif
    endAfterUnrecordedChange();
}

void EditHistory::run(UndoStep &step, bool forward)
{
    {
        const Recording recording(*this);
        forward ? step.apply(mDocument) : step.revert(mDocument);
    }
    Q_EMIT changeShown(step.place.field, step.place.record);
    Q_EMIT stepRun();
}

bool EditHistory::isModified() const
{
    if (mChangedOutside)
        return true;
    const int clean = mStack.cleanIndex();
    if (clean < 0)
        return true;
    const int from = std::min(clean, mStack.index());
    const int to = std::max(clean, mStack.index());
    for (int i = from; i < to; ++i) {
        if (static_cast<const Command *>(mStack.command(i))->step()->marksChanged())
            return true;
    }
    return false;
}

void EditHistory::updateModifiedFlag()
{
    mDocument.showMark();
}

void EditHistory::setByteBudget(qsizetype bytes)
{
    mByteBudget = bytes;
    trimToBudget();
}

void EditHistory::trimToBudget()
{
    // Each step is measured once, as it comes (or grows); the commands keep the running total.
    if (mBytesHeld <= mByteBudget)
        return;
    const int count = mStack.count();
    qsizetype total = mBytesHeld;
    // Only steps that are in effect can go: a step that was undone still waits for the ones
    // before it to be redone.
    const int removable = std::min(count - 1, mStack.index());
    int drop = 0;
    while (total > mByteBudget && drop < removable)
        total -= static_cast<const Command *>(mStack.command(drop++))->bytes();
    if (drop == 0)
        return;

    // Build the stack again from the steps that stay, at the same index and saved state.
    QVector<std::pair<QString, std::shared_ptr<UndoStep>>> kept;
    for (int i = drop; i < count; ++i) {
        const auto *command = static_cast<const Command *>(mStack.command(i));
        kept.append({command->text(), command->step()});
    }
    const int index = std::max(0, mStack.index() - drop);
    const int clean = mStack.cleanIndex() >= drop ? mStack.cleanIndex() - drop : -1;
    mReplaying = true;
    mStack.clear();
    for (const auto &[text, step] : kept)
        mStack.push(new Command(*this, text, step));
    if (clean >= 0) {
        mStack.setIndex(clean);
        mStack.setClean();
    } else {
        mStack.resetClean();
    }
    mStack.setIndex(index);
    mReplaying = false;
    Q_EMIT oldestStepsDropped();
}

} // namespace kribed
