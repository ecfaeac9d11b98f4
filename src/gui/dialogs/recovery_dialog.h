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
    QString path; // the file the changes belong to
    QDateTime written;
    OriginState fileState = OriginState::NoFile;
    QString damage; // empty: whole; else why it cannot be read
};

// The start-up question about changes left behind: one row per set, with its file name, its
// folder, when it was written and whether the file changed since. Return recovers the selected
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

    // The texts of a row as shown: file, folder, written, file on disk.
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
