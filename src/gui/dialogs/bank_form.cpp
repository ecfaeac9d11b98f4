// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/dialogs/bank_form.h"

#include "core/editing/cell_clipboard.h"
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/limits.h"
#include "core/model/regional.h"
#include "core/platform/code_page.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QTextDocument>
#include <QWheelEvent>

#include <algorithm>
#include <functional>

namespace kribed {

// A check box that reports only a mouse button released over it: toggling it from the keyboard
// leaves the memo alone.
class MouseUpCheckBox : public QCheckBox
{
public:
    using QCheckBox::QCheckBox;
    std::function<void()> onMouseUp;

protected:
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        QCheckBox::mouseReleaseEvent(event);
        if (onMouseUp)
            onMouseUp();
    }
};

// The popup list. An item counts as chosen when the user picks it in the open list, by click or
// Enter; moving through the closed list with the arrow keys, letters or the wheel only changes the
// item it shows.
class ChoiceComboBox : public QComboBox
{
public:
    using QComboBox::QComboBox;
    bool IsBrowsing() const { return mBrowsing; }

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        const QScopedValueRollback<bool> browsing(mBrowsing, true);
        QComboBox::keyPressEvent(event);
    }
    void wheelEvent(QWheelEvent *event) override
    {
        const QScopedValueRollback<bool> browsing(mBrowsing, true);
        QComboBox::wheelEvent(event);
    }

private:
    bool mBrowsing = false;
};

namespace {

// Each line break is stored as carriage return and line feed: two characters.
bool IsLineBreak(QChar character)
{
    return character == u'\n' || character == u'\r' || character == QChar::ParagraphSeparator;
}

// The longest start of the text that is at most `room` characters long once stored, never ending
// in half a character outside the basic plane.
QString FittingStart(const QString &text, int room)
{
    int length = 0;
    int stored = 0;
    while (length < text.size()) {
        const int weight = IsLineBreak(text.at(length)) ? 2 : 1;
        if (stored + weight > room)
            break;
        stored += weight;
        ++length;
    }
    if (length > 0 && length < text.size() && text.at(length - 1).isHighSurrogate())
        --length;
    return text.left(length);
}

} // namespace

// The memo of the cell editor: pasted and dropped text is cut to the room the longest value
// leaves, before it is inserted, so what was there stays whole.
class LimitedMemo : public QPlainTextEdit
{
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    void insertFromMimeData(const QMimeData *source) override
    {
        if (!source || !source->hasText()) {
            QPlainTextEdit::insertFromMimeData(source);
            return;
        }
        // The selection goes; the rest of the text stays.
        const QString text = toPlainText();
        const QString replaced = textCursor().selectedText();
        const int keptLength = int(text.size() + text.count(u'\n'))
                               - int(replaced.size() + replaced.count(QChar::ParagraphSeparator));
        QMimeData fitted;
        fitted.setText(FittingStart(source->text(), MaxValueBytes - keptLength));
        QPlainTextEdit::insertFromMimeData(&fitted);
    }
};

namespace {

const QString PopupPrompt = QStringLiteral("Select Popup Item");

template<class Widget> Widget *Named(Widget *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// The length the memo's text has once stored, a line break being two characters.
int storedLength(const QString &memoText)
{
    return int(memoText.size() + memoText.count(u'\n'));
}

QString RegionalText(const QByteArray &bytes)
{
    return currentRegional().toText(bytes);
}

} // namespace

TBankForm::TBankForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("BankForm"));
    setWindowTitle(QStringLiteral("Edit Cell"));
    setFixedSize(339, 175);
    setModal(true);

    mGroupBox = Named(new QGroupBox(this), "GroupBox1");
    mGroupBox->setGeometry(7, 2, 326, 145);

    mMemo = Named(new LimitedMemo(mGroupBox), "Memo1");
    mMemo->setGeometry(7, 20, 312, 91);
    mMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mMemo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    mMemo->setTabChangesFocus(true);

    mLabel = Named(new QLabel(mGroupBox), "Label1");
    mLabel->move(13, 120);

    mBoolean = Named(new MouseUpCheckBox(QStringLiteral("Boolean"), mGroupBox), "CB_Boolean");
    mBoolean->move(15, 122);
    mBoolean->onMouseUp = [this] { CB_BooleanMouseUp(); };

    mPopup = Named(new ChoiceComboBox(mGroupBox), "CB_Popup");
    mPopup->setGeometry(149, 117, 169, 22);
    mPopup->setEditable(false);

    mPicker = Named(new QDateTimeEdit(mGroupBox), "DateTimePicker1");
    mPicker->setGeometry(174, 119, 152, 22);
    // A click into the picker's text goes to its line edit, one on its buttons to the picker.
    mPicker->installEventFilter(this);
    mPickerText = mPicker->findChild<QLineEdit *>();
    if (mPickerText)
        mPickerText->installEventFilter(this);

    mOk = Named(new QPushButton(QStringLiteral("&OK"), this), "B_Edit_ok");
    mOk->setGeometry(170, 149, 75, 24);
    mOk->setDefault(true);
    mCancel = Named(new QPushButton(QStringLiteral("&Cancel"), this), "B_Edit_Cancel");
    mCancel->setGeometry(256, 149, 75, 24);

    connect(mOk, &QPushButton::clicked, this, &TBankForm::B_Edit_okClick);
    connect(mCancel, &QPushButton::clicked, this, &TBankForm::B_Edit_CancelClick);
    connect(mPopup, qOverload<int>(&QComboBox::activated), this, [this](int index) {
        // Items accumulate in a Multiple Popup cell: passing one on the way is no choice.
        if (mType == MultiplePopupType && mPopup->IsBrowsing())
            return;
        CB_PopupChange(index);
    });
    connect(mPicker, &QDateTimeEdit::dateTimeChanged, this, &TBankForm::DateTimePicker1Change);
    connect(mMemo->document(), &QTextDocument::contentsChange, this,
            [this](int position, int, int added) {
                if (added > 0)
                    LimitMemo(position, added);
            });
    FormClose();
}

void TBankForm::FormShow(const Database &database, int field, int record, const QFont &displayFont,
                         const QDateTime &now)
{
    mField = field;
    mRecord = record;
    mType = database.fieldType(field);
    mCellText = database.cell(field, record);
    mChangedText.reset();
    mMemo->setFont(displayFont);
    mPopup->setFont(displayFont);

    mMemo->setFocus();
    mGroupBox->setTitle(QStringLiteral(" Row:  ") + recordNumberText(record)
                        + QStringLiteral("    Col:  ") + RegionalText(database.fieldName(field))
                        + u' ');
    {
        // A cell longer than the memo's limit is shown whole; only typing is limited.
        const QSignalBlocker blocker(mMemo->document());
        mMemo->setPlainText(
            RegionalText(mCellText).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    }
    mShownText = mMemo->toPlainText();

    switch (mType) {
    case StringType: ShowLabel(QStringLiteral("String")); break;
    case BooleanType:
        mBoolean->setChecked(mCellText != "0");
        mBoolean->setEnabled(true);
        mBoolean->show();
        break;
    case NormalDateType: ShowPicker(QStringLiteral("Normal Date"), true, now); break;
    case CreationDateType: ShowPicker(QStringLiteral("Creation Date"), true, now); break;
    case ModificationDateType: ShowPicker(QStringLiteral("Modification Date"), true, now); break;
    case NormalTimeType: ShowPicker(QStringLiteral("Normal Time"), false, now); break;
    case CreationTimeType: ShowPicker(QStringLiteral("Creation Time"), false, now); break;
    case ModificationTimeType: ShowPicker(QStringLiteral("Modification Time"), false, now); break;
    case NormalPopupType:
    case MultiplePopupType: {
        ShowLabel(mType == NormalPopupType ? QStringLiteral("Popup")
                                           : QStringLiteral("Multiple Popup"));
        const QSignalBlocker blocker(mPopup);
        mPopup->clear();
        for (const QByteArray &item : database.popupList(field))
            mPopup->addItem(RegionalText(item));
        mPopup->setCurrentIndex(mPopup->count() > 0 ? 0 : -1);
        mPopup->setEnabled(true);
        mPopup->show();
        if (mType == MultiplePopupType)
            mMemo->moveCursor(QTextCursor::End);
        break;
    }
    case NormalIntegerType: ShowLabel(QStringLiteral("Normal Integer")); break;
    case AutoIncrementIntegerType:
        ShowLabel(QStringLiteral("Auto-Increment Integer   Amount: ")
                  + QString::number(database.incrementAmount()));
        break;
    case FloatType: ShowLabel(QStringLiteral("Float")); break;
    default: break;
    }
}

void TBankForm::ShowLabel(const QString &text)
{
    mLabel->setText(text);
    mLabel->adjustSize();
    mLabel->show();
}

void TBankForm::ShowPicker(const QString &label, bool dateMode, const QDateTime &now)
{
    ShowLabel(label);
    mDateMode = dateMode;
    const QSignalBlocker blocker(mPicker);
    const Regional &regional = currentRegional();
    mPicker->setDisplayFormat(dateMode ? regional.shortDateFormat() : regional.longTimeFormat());
    mPicker->setCalendarPopup(dateMode);
    mPicker->setDateTime(now);
    mPicker->setEnabled(true);
    mPicker->show();
    // A day chosen in the calendar counts even when it is the picker's date already (today).
    if (QCalendarWidget *calendar = dateMode ? mPicker->calendarWidget() : nullptr) {
        connect(calendar, &QCalendarWidget::clicked, this, &TBankForm::CalendarDayChosen,
                Qt::UniqueConnection);
        connect(calendar, &QCalendarWidget::activated, this, &TBankForm::CalendarDayChosen,
                Qt::UniqueConnection);
    }
}

QString TBankForm::MemoText() const
{
    return mMemo->toPlainText();
}

void TBankForm::SetMemoText(const QString &text)
{
    mMemo->setPlainText(text);
    mMemo->moveCursor(QTextCursor::End);
}

void TBankForm::LimitMemo(int position, int added)
{
    // Typing and pasting stop at the longest value a file holds; what was there stays. What came
    // in is cut from its end, a line break counting as the two characters it is stored as.
    int excess = storedLength(mMemo->toPlainText()) - MaxValueBytes;
    if (excess <= 0)
        return;
    const QTextDocument *document = mMemo->document();
    // A change that replaces the whole text is reported up to the document's closing paragraph
    // separator, one position beyond the last a cursor can take.
    const int end = std::min(position + added, document->characterCount() - 1);
    int start = end;
    while (start > position && excess > 0) {
        --start;
        excess -= document->characterAt(start) == QChar::ParagraphSeparator ? 2 : 1;
    }
    // Never half a character outside the basic plane.
    if (start > 0 && document->characterAt(start).isLowSurrogate()
        && document->characterAt(start - 1).isHighSurrogate()) {
        --start;
    }
    QTextCursor cursor(mMemo->document());
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}

void TBankForm::CB_BooleanMouseUp()
{
    SetMemoText(mBoolean->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
}

void TBankForm::CB_PopupChange(int index)
{
    if (index < 0 || index >= mPopup->count())
        return;
    const QString item = mPopup->itemText(index);
    SetMemoText(mType == MultiplePopupType ? MemoText() + u' ' + item : item);
}

void TBankForm::DateTimePicker1Change()
{
    const Regional &regional = currentRegional();
    SetMemoText(RegionalText(mDateMode ? regional.dateText(mPicker->date())
                                       : regional.timeText(mPicker->time())));
}

void TBankForm::CalendarDayChosen(QDate date)
{
    if (mDateMode && date.isValid())
        SetMemoText(RegionalText(currentRegional().dateText(date)));
}

bool TBankForm::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == mPicker || (mPickerText && watched == mPickerText))
        && event->type() == QEvent::MouseButtonRelease && mPicker->isEnabled()) {
        DateTimePicker1Change();
    }
    return QDialog::eventFilter(watched, event);
}

void TBankForm::B_Edit_okClick()
{
    mChangedText.reset();
    // An untouched memo writes nothing back, even where the code page could not show every byte
    // of the cell or its line breaks were not carriage return and line feed.
    if (MemoText() != mShownText) {
        QString text = MemoText();
        text.replace(u'\n', QStringLiteral("\r\n"));
        const QByteArray bytes = encodeOrQuestionMark(text, currentRegional().codePage());
        if (bytes != mCellText)
            mChangedText = bytes;
    }
    accept();
}

void TBankForm::B_Edit_CancelClick()
{
    mChangedText.reset();
    reject();
}

bool TBankForm::Apply(Database &database, const QDateTime &now) const
{
    if (!mChangedText)
        return false;
    return storeEditedText(database, mField, mRecord, *mChangedText, now).applied;
}

void TBankForm::done(int result)
{
    if (result != Accepted)
        mChangedText.reset();
    FormClose();
    QDialog::done(result);
}

void TBankForm::FormClose()
{
    mPicker->hide();
    mPicker->setEnabled(false);
    mBoolean->hide();
    mBoolean->setEnabled(false);
    mLabel->hide();
    mPopup->hide();
    mPopup->setEnabled(false);
    const QSignalBlocker blocker(mPopup);
    mPopup->setCurrentIndex(-1);
    mPopup->setPlaceholderText(PopupPrompt);
}

} // namespace kribed
