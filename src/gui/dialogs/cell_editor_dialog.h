// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/model/regional.h"

#include <QByteArray>
#include <QDateTime>
#include <QDialog>

#include <optional>

class QComboBox;
class QDateTimeEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kribed {

class Prompter;

class Database;
class ChoiceComboBox;
class MouseUpCheckBox;

// "Edit Cell": one cell's text in a memo, with a check box, a date or time picker or the column's
// popup list to produce the usual text forms of its field type. The dialog never checks the text.
class CellEditorDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CellEditorDialog(QWidget *parent = nullptr);
    // Where OK warns of characters the code page cannot hold; none: no warning.
    void setPrompter(Prompter *prompter) { mPrompter = prompter; }

    // Prepares the dialog for the cell, read, picked and stored with the regional rules given;
    // `now` is what the picker starts at.
    void prepare(const Database &database, int field, int record, const QFont &displayFont,
                 const Regional &regional, const QDateTime &now = QDateTime::currentDateTime());

    // After OK: the memo's text when it differs from the cell's, in the cell's bytes (line breaks
    // as carriage return and line feed). Nothing after Cancel or for an untouched memo.
    const std::optional<QByteArray> &changedText() const { return mChangedText; }
    // Stores ChangedText into the cell (modified flag, stamp, then the text). Returns whether
    // anything was written.
    bool apply(Database &database, const QDateTime &now) const;

    int field() const { return mField; }
    int record() const { return mRecord; }

    // Handlers, public so that tests can drive them as the controls do.
    void okClicked();
    void cancelClicked();
    void booleanClicked();
    void popupChosen(int index);
    void pickerChanged();
    // A day clicked or confirmed with Enter in the picker's calendar.
    void calendarDayChosen(QDate date);

protected:
    void done(int result) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void hideTypeControls();
    void showPicker(const QString &label, bool dateMode, const QDateTime &now);
    void showLabel(const QString &text);
    void limitMemo(int position, int added);
    QString memoText() const;
    void setMemoText(const QString &text);

    QGroupBox *mGroupBox;
    QPlainTextEdit *mMemo;
    QLabel *mLabel;
    MouseUpCheckBox *mBoolean;
    ChoiceComboBox *mPopup;
    QDateTimeEdit *mPicker;
    QLineEdit *mPickerText = nullptr;
    QPushButton *mOk;
    QPushButton *mCancel;

    int mField = 0;
    int mRecord = 0;
    int mType = -1;
    bool mDateMode = true;
    QByteArray mCellText;
    Regional mRegional;
    QString mShownText;
    std::optional<QByteArray> mChangedText;
    Prompter *mPrompter = nullptr;
};

} // namespace kribed
