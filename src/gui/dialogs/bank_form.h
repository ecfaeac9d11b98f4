// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

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

class Database;
class ChoiceComboBox;
class MouseUpCheckBox;

// "Edit Cell": one cell's text in a memo, with a check box, a date or time picker or the column's
// popup list to produce the usual text forms of its field type. The dialog never checks the text.
class TBankForm : public QDialog
{
    Q_OBJECT

public:
    explicit TBankForm(QWidget *parent = nullptr);

    // Prepares the dialog for the cell; `now` is what the picker starts at.
    void FormShow(const Database &database, int field, int record, const QFont &displayFont,
                  const QDateTime &now = QDateTime::currentDateTime());

    // After OK: the memo's text when it differs from the cell's, in the cell's bytes (line breaks
    // as carriage return and line feed). Nothing after Cancel or for an untouched memo.
    const std::optional<QByteArray> &ChangedText() const { return mChangedText; }
    // Stores ChangedText into the cell (modified flag, stamp, then the text). Returns whether
    // anything was written.
    bool Apply(Database &database, const QDateTime &now) const;

    int Field() const { return mField; }
    int Record() const { return mRecord; }

    // Handlers, public so that tests can drive them as the controls do.
    void B_Edit_okClick();
    void B_Edit_CancelClick();
    void CB_BooleanMouseUp();
    void CB_PopupChange(int index);
    void DateTimePicker1Change();
    // A day clicked or confirmed with Enter in the picker's calendar.
    void CalendarDayChosen(QDate date);

protected:
    void done(int result) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormClose();
    void ShowPicker(const QString &label, bool dateMode, const QDateTime &now);
    void ShowLabel(const QString &text);
    void LimitMemo(int position, int added);
    QString MemoText() const;
    void SetMemoText(const QString &text);

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
    QString mShownText;
    std::optional<QByteArray> mChangedText;
};

class TMainForm;
// The window's cell editor, made on the first call and kept for the run.
TBankForm *BankFormOf(TMainForm &window);

} // namespace kribed
