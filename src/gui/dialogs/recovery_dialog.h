// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/platform/recovery_store.h"

#include <QDateTime>
#include <QDialog>
#include <QList>

class QPushButton;
class QTreeWidget;

namespace kribed {

// One set of changes left behind by a program that ended before they were saved.
struct RecoveryEntry
{
    QString path;      // the file the changes belong to
    QDateTime written; // the last change kept
    OriginState fileState = OriginState::NoFile;
    QString damage; // empty: whole; else why it cannot be read
    // Records that differ from the file as it is on disk (or all records, where there is none);
    // -1: not known.
    int changedRecords = -1;
};

// The start-up question about changes left behind: one row per set, with its file name, its
// folder, the time of its last change (to the second), whether the file changed since and how
// many records differ from it, so that two sets of one file can be told apart. Return recovers the selected
// row, Escape keeps everything for the next start ("Later"). The dialog only asks: what the
// answers do is its owner's work, which removes a row once it is dealt with.
class RecoveryDialog : public QDialog
{
    Q_OBJECT

public:
    explicit RecoveryDialog(QWidget *parent = nullptr);

    void setEntries(const QList<RecoveryEntry> &entries);
    void removeEntry(int row);
    int entryCount() const;
    // The selected row, -1 when there is none.
    int selectedEntry() const;
    void selectEntry(int row);

    // The texts of a row as shown: file, folder, last change, file on disk, changes.
    QStringList rowTexts(int row) const;

    QTreeWidget *const list;
    QPushButton *const recoverButton;
    QPushButton *const saveAsButton;
    QPushButton *const discardButton;
    QPushButton *const laterButton;

Q_SIGNALS:
    void recoverAsked(int row);
    void saveAsAsked(int row);
    void discardAsked(int row);

private:
    void updateButtons();
    void ask(void (RecoveryDialog::*signal)(int));

    QList<RecoveryEntry> mEntries;
};

} // namespace kribed
