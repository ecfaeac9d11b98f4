// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QDialog>

class QLineEdit;
class QLabel;
class QPushButton;

namespace kribed {

class Database;
class Prompter;

// The "Go to record" dialog: one record number, digits only. OK refuses a number outside 1 to
// the record count and a record the filter hides, each with a message of its own, and stays
// open with the number; an accepted number is record().
class GoToRecordDialog : public QDialog
{
    Q_OBJECT

public:
    // Refusals go through the prompter, which outlives the dialog.
    explicit GoToRecordDialog(Prompter &prompter, QWidget *parent = nullptr);

    // The show steps: the range is that of `database`, the box holds the current record
    // number, selected, so typing replaces it.
    void prepare(const Database &database, int currentRecord);
    void setDisplayFont(const QFont &font);
    // The record number OK accepted.
    int record() const { return mRecord; }

public Q_SLOTS:
    void okClicked();

private:
    // The message for a number OK must refuse; empty for one it takes.
    QString refusal(const QString &text) const;

    Prompter &mPrompter;
    const Database *mDatabase = nullptr;
    int mRecord = 0;
    QLabel *mRange = nullptr;
    QLineEdit *mNumber = nullptr;
    QPushButton *mOk = nullptr;
};

} // namespace kribed
