// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "gui/grid/undo_steps.h"

#include <QObject>
#include <QUndoStack>

#include <memory>

namespace kribed {

class DatabaseDocument;

// The undo history of the open database: a QUndoStack of steps that each hold only what they
// changed. A step is pushed after its change was made (recorded_edits.h does both); undo and redo
// run through the document's model-signal helpers.
//
// The modified mark is the history's: the database counts as changed when a step that marks
// changes lies between the saved state and the present one, or when a change no step holds marked
// it (markChangedOutside: Copy row marks the database changed without changing a value, an import
// starts a history that counts as changed; that mark lasts until the next save, load or new
// database). Save marks the present state as the saved one. Nothing else sets or clears it.
//
// Memory is bounded twice: at most StepLimit steps, and at most a byte budget measured from what
// the steps hold; the oldest steps go first (oldestStepsDropped), the newest step always stays.
class EditHistory : public QObject
{
    Q_OBJECT

public:
    static constexpr int StepLimit = 500;
    static constexpr qsizetype DefaultByteBudget = qsizetype(64) * 1024 * 1024;

    explicit EditHistory(DatabaseDocument &document, QObject *parent = nullptr);
    ~EditHistory() override;

    QUndoStack &stack() { return mStack; }
    const QUndoStack &stack() const { return mStack; }

    // Keeps a change that has already been made as the newest step.
    void push(const QString &text, std::unique_ptr<UndoStep> step);
    // The newest step, when it is a change of cells that may take in a follow-up change.
    CellsStep *lastCellsStep();
    // The newest step, when a continuation of it (the same border drag) may still be taken into
    // it: it is in effect, nothing was undone after it, and it is not the saved state.
    UndoStep *stepToExtend();
    // A step from stepToExtend() took in more of its change.
    void stepExtended();
    // The steps go, the mark stays: nothing can be taken back any more (no database is open).
    void clear();
    // A new history: a database was loaded, made new, imported or recovered, or closed; it
    // counts as changed when `changed`.
    void restart(bool changed);
    // The database was saved: the present state is the saved one.
    void markSaved();
    // A change that no step holds marked the database changed (Copy row).
    void markChangedOutside();
    // The modified mark.
    bool isModified() const;

    void setByteBudget(qsizetype bytes);
    qsizetype byteBudget() const { return mByteBudget; }
    qsizetype bytesHeld() const { return mBytesHeld; }

    // True while a step is being recorded, undone or redone: the document's helpers then know the
    // change is the history's own. Any other change of cells or shape ends the history, so that no
    // step is ever taken back on a database it was not made on.
    bool isRecording() const { return mRecording > 0; }
    struct Recording
    {
        explicit Recording(EditHistory &history);
        ~Recording();
        EditHistory &mHistory;
    };
    // Called by the document's helpers before a change of cells or shape. Outside a recording it
    // ends the history, which then counts as changed; development builds warn, for only a load,
    // New, Import and Close (restart()) should start a new history.
    void noteChange();
    // A change was made that no step can take back (it changed the shape where only cells were
    // to change): the steps go and the database counts as changed.
    void endAfterUnrecordedChange();

Q_SIGNALS:
    // After an undo or redo: the current cell goes where the change happened (0 keeps a
    // coordinate as it is).
    void changeShown(int field, int record);
    // After an undo or redo, for the window to bring its mirrors (filter mark) in step.
    void stepRun();
    // Steps that were in effect went out of the history to keep it within its byte budget: they
    // can no longer be undone. Once for each push (or budget change) that dropped any.
    void oldestStepsDropped();

private:
    class Command;
    friend class Command;

    void run(UndoStep &step, bool forward);
    void updateModifiedFlag();
    void trimToBudget();

    DatabaseDocument &mDocument;
    QUndoStack mStack;
    qsizetype mByteBudget = DefaultByteBudget;
    qsizetype mBytesHeld = 0; // of the commands on the stack, kept by each command
    int mRecording = 0;
    bool mReplaying = false;
    bool mChangedOutside = false;
};

} // namespace kribed
