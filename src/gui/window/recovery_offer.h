// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/model/database.h"
#include "core/platform/recovery_store.h"
#include "gui/dialogs/recovery_dialog.h"

#include <QObject>

#include <memory>
#include <vector>

namespace kribed {

class FileCommands;
class RecoveryWriter;
class Workspace;

// At start, the changes that programs which ended before saving them left below the recovery
// folder, offered in the Recovery dialog: Recover opens one as a changed database of its own
// file (its data stays until this program has written its own), Save as... writes it to a chosen
// file, Discard removes it after a question, Later keeps the rest for the next start. A set that
// cannot be read is offered as damaged and can only be discarded; nothing is removed unasked.
class RecoveryOffer : public QObject
{
    Q_OBJECT

public:
    // Reads what was left behind; the sets stay locked while this offer lives.
    RecoveryOffer(Workspace &workspace, RecoveryWriter &writer, const QString &root,
                  QObject *parent = nullptr);
    ~RecoveryOffer() override;

    bool isEmpty() const { return mEntries.empty(); }
    RecoveryDialog &dialog() { return mDialog; }
    // Shows the dialog over the window without blocking; finished() follows its close.
    void open();
    // Whether Recover opened a set, and the file that set belongs to (empty: it had none).
    bool hasRecovered() const { return mRecovered; }
    QString recoveredPath() const { return mRecoveredPath; }

Q_SIGNALS:
    void finished();

private:
    struct Entry
    {
        std::unique_ptr<RecoverySlot> slot;
        RecoveryData data;
        RecoveryEntry shown;
        Database database; // read from the data when it is whole
    };
    void readEntries(const QString &root);
    void recover(int row);
    void saveAs(int row);
    void discard(int row);
    void dropEntry(int row);

    Workspace &mWorkspace;
    RecoveryWriter &mWriter;
    std::vector<Entry> mEntries;
    RecoveryDialog mDialog;
    bool mRecovered = false;
    QString mRecoveredPath;
};

// The start of the editor with a file named on the command line (empty: none): the offer comes
// first when there is anything to offer, the file once it is closed. After Recover, the file is
// not opened over the recovered database when it is the recovered file itself (the desktop
// starting the editor again for that file); another file is opened only after the unsaved-changes
// question, whose default then keeps the recovered changes.
void offerThenOpen(RecoveryOffer &offer, FileCommands &files, const QString &file);

} // namespace kribed
