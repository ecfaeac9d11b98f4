// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/dialogs/cell_editor_dialog.h"

#include "core/editing/cell_clipboard.h"
#include "core/editing/unheld_characters.h"
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/limits.h"
#include "core/model/regional.h"
#include "core/platform/code_page.h"
#include "core/platform/code_page_converter.h"
#include "gui/dialogs/named_widget.h"

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
    bool isBrowsing() const { return mBrowsing; }

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

// The date and time picker, with its text field reachable.
class DateTimePicker : public QDateTimeEdit
{
public:
    using QDateTimeEdit::QDateTimeEdit;
    QLineEdit *textEdit() const { return lineEdit(); }
};

// The bytes the character at `at` takes once a record stores it: a line break is the LF alone, a
// control character the record drops takes none, any other character its bytes in the code page
// ('?' for one the page lacks). The second half of a surrogate pair counts with the first.
int storedWeight(QStringView text, qsizetype at, CodePageConverter &converter)
{
    const QChar character = text.at(at);
    const char16_t unit = character.unicode();
    if (unit == u'\n' || unit == u'\t' || character == QChar::ParagraphSeparator)
        return 1;
    if (unit < 0x20 || character.isLowSurrogate())
        return 0;
    if (converter.isSingleByte() || (unit < 0x80 && converter.keepsAscii()))
        return 1;
    const qsizetype length = character.isHighSurrogate() && at + 1 < text.size() ? 2 : 1;
    return int(converter.encode(text.sliced(at, length)).size());
}

// The bytes the text takes once stored.
int storedLength(QStringView text, CodePageConverter &converter)
{
    int stored = 0;
    for (qsizetype at = 0; at < text.size(); ++at)
        stored += storedWeight(text, at, converter);
    return stored;
}

// The longest start of the text that takes at most `room` bytes once stored, never ending in
// half a character outside the basic plane.
QString fittingStart(const QString &text, int room, CodePageConverter &converter)
{
    qsizetype length = 0;
    int stored = 0;
    while (length < text.size()) {
        const int weight = storedWeight(text, length, converter);
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

    // The code page the memo's text is stored in.
    QByteArray codePage = QByteArrayLiteral("windows-1252");

protected:
    void insertFromMimeData(const QMimeData *source) override
    {
        if (!source || !source->hasText()) {
            QPlainTextEdit::insertFromMimeData(source);
            return;
        }
        // The selection goes; the rest of the text stays.
        CodePageConverter &converter = CodePageConverter::shared(codePage);
        const int keptLength = storedLength(toPlainText(), converter)
                               - storedLength(textCursor().selectedText(), converter);
        QMimeData fitted;
        fitted.setText(fittingStart(source->text(), MaxValueBytes - keptLength, converter));
        QPlainTextEdit::insertFromMimeData(&fitted);
    }
};

CellEditorDialog::CellEditorDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("cellEditorDialog"));
    setWindowTitle(tr("Edit Cell"));
    setFixedSize(339, 175);
    setModal(true);

    mGroupBox = named(new QGroupBox(this), "cellGroupBox");
    mGroupBox->setGeometry(7, 2, 326, 145);

    mMemo = named(new LimitedMemo(mGroupBox), "cellTextEdit");
    mMemo->setGeometry(7, 20, 312, 91);
    mMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mMemo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    mMemo->setTabChangesFocus(true);

    mLabel = named(new QLabel(mGroupBox), "typeLabel");
    mLabel->move(13, 120);

    mBoolean = named(new MouseUpCheckBox(tr("Boolean"), mGroupBox), "booleanCheckBox");
    mBoolean->move(15, 122);
    mBoolean->onMouseUp = [this] { booleanClicked(); };

    mPopup = named(new ChoiceComboBox(mGroupBox), "popupCombo");
    mPopup->setGeometry(149, 117, 169, 22);
    mPopup->setEditable(false);

    auto *picker = new DateTimePicker(mGroupBox);
    mPicker = named(picker, "dateTimePicker");
    mPicker->setGeometry(174, 119, 152, 22);
    // A click into the picker's text goes to its line edit, one on its buttons to the picker.
    mPicker->installEventFilter(this);
    mPickerText = picker->textEdit();
    if (mPickerText)
        mPickerText->installEventFilter(this);

    mOk = named(new QPushButton(tr("&OK"), this), "okButton");
    mOk->setGeometry(170, 149, 75, 24);
    mOk->setDefault(true);
    mCancel = named(new QPushButton(tr("&Cancel"), this), "cancelButton");
    mCancel->setGeometry(256, 149, 75, 24);

    connect(mOk, &QPushButton::clicked, this, &CellEditorDialog::okClicked);
    connect(mCancel, &QPushButton::clicked, this, &CellEditorDialog::cancelClicked);
    connect(mPopup, qOverload<int>(&QComboBox::activated), this, [this](int index) {
        // Items accumulate in a Multiple Popup cell: passing one on the way is no choice.
        if (mType == MultiplePopupType && mPopup->isBrowsing())
            return;
        popupChosen(index);
    });
    connect(mPicker, &QDateTimeEdit::dateTimeChanged, this, &CellEditorDialog::pickerChanged);
    connect(mMemo->document(), &QTextDocument::contentsChange, this,
            [this](int position, int, int added) {
                if (added > 0)
                    limitMemo(position, added);
            });
    hideTypeControls();
}

void CellEditorDialog::prepare(const Database &database, int field, int record,
                               const QFont &displayFont, const Regional &regional,
                               const QDateTime &now)
{
    mRegional = regional;
    static_cast<LimitedMemo *>(mMemo)->codePage = regional.codePage();
    mField = field;
    mRecord = record;
    mType = database.fieldType(field);
    mCellText = database.cell(field, record);
    mChangedText.reset();
    mMemo->setFont(displayFont);
    mPopup->setFont(displayFont);

    mMemo->setFocus();
    mGroupBox->setTitle(tr(" Row:  ") + recordNumberText(record) + tr("    Col:  ")
                        + mRegional.toText(database.fieldName(field)) + u' ');
    {
        // A cell longer than the memo's limit is shown whole; only typing is limited.
        const QSignalBlocker blocker(mMemo->document());
        mMemo->setPlainText(
            mRegional.toText(mCellText).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    }
    mShownText = mMemo->toPlainText();

    switch (mType) {
    case StringType: showLabel(tr("String")); break;
    case BooleanType:
        mBoolean->setChecked(mCellText != "0");
        mBoolean->setEnabled(true);
        mBoolean->show();
        break;
    case NormalDateType: showPicker(tr("Normal Date"), true, now); break;
    case CreationDateType: showPicker(tr("Creation Date"), true, now); break;
    case ModificationDateType: showPicker(tr("Modification Date"), true, now); break;
    case NormalTimeType: showPicker(tr("Normal Time"), false, now); break;
    case CreationTimeType: showPicker(tr("Creation Time"), false, now); break;
    case ModificationTimeType: showPicker(tr("Modification Time"), false, now); break;
    case NormalPopupType:
    case MultiplePopupType: {
        showLabel(mType == NormalPopupType ? tr("Popup") : tr("Multiple Popup"));
        const QSignalBlocker blocker(mPopup);
        mPopup->clear();
        for (const QByteArray &item : database.popupList(field))
            mPopup->addItem(mRegional.toText(item));
        mPopup->setCurrentIndex(mPopup->count() > 0 ? 0 : -1);
        mPopup->setEnabled(true);
        mPopup->show();
        mLabel->setBuddy(mPopup);
        if (mType == MultiplePopupType)
            mMemo->moveCursor(QTextCursor::End);
        break;
    }
    case NormalIntegerType: showLabel(tr("Normal Integer")); break;
    case AutoIncrementIntegerType:
        showLabel(tr("Auto-Increment Integer   Amount: ")
                  + QString::number(database.incrementAmount()));
        break;
    case FloatType: showLabel(tr("Float")); break;
    default: break;
    }
}

void CellEditorDialog::showLabel(const QString &text)
{
    mLabel->setText(text);
    mLabel->adjustSize();
    mLabel->show();
}

void CellEditorDialog::showPicker(const QString &label, bool dateMode, const QDateTime &now)
{
    showLabel(label);
    mDateMode = dateMode;
    const QSignalBlocker blocker(mPicker);
    const Regional &regional = mRegional;
    mPicker->setDisplayFormat(dateMode ? regional.shortDateFormat() : regional.longTimeFormat());
    mPicker->setCalendarPopup(dateMode);
    mPicker->setDateTime(now);
    mPicker->setEnabled(true);
    mPicker->show();
    // The type's name beside the picker names it for a screen reader.
    mLabel->setBuddy(mPicker);
    // A day chosen in the calendar counts even when it is the picker's date already (today).
    if (QCalendarWidget *calendar = dateMode ? mPicker->calendarWidget() : nullptr) {
        connect(calendar, &QCalendarWidget::clicked, this, &CellEditorDialog::calendarDayChosen,
                Qt::UniqueConnection);
        connect(calendar, &QCalendarWidget::activated, this, &CellEditorDialog::calendarDayChosen,
                Qt::UniqueConnection);
    }
}

QString CellEditorDialog::memoText() const
{
    return mMemo->toPlainText();
}

void CellEditorDialog::setMemoText(const QString &text)
{
    mMemo->setPlainText(text);
    mMemo->moveCursor(QTextCursor::End);
}

void CellEditorDialog::limitMemo(int position, int added)
{
    // Typing and pasting stop at the longest value a file holds; what was there stays. What came
    // in is cut from its end, each character counting the bytes the file stores of it.
    CodePageConverter &converter = CodePageConverter::shared(mRegional.codePage());
    const QString text = mMemo->toPlainText();
    int excess = storedLength(text, converter) - MaxValueBytes;
    if (excess <= 0)
        return;
    // A change that replaces the whole text is reported up to the document's closing paragraph
    // separator, one position beyond the last a cursor can take.
    const int end = std::min<int>(position + added, int(text.size()));
    int start = end;
    while (start > position && excess > 0) {
        --start;
        excess -= storedWeight(text, start, converter);
    }
    // Never half a character outside the basic plane.
    if (start > 0 && text.at(start).isLowSurrogate() && text.at(start - 1).isHighSurrogate())
        --start;
    QTextCursor cursor(mMemo->document());
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}

void CellEditorDialog::booleanClicked()
{
    setMemoText(mBoolean->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
}

void CellEditorDialog::popupChosen(int index)
{
    if (index < 0 || index >= mPopup->count())
        return;
    const QString item = mPopup->itemText(index);
    setMemoText(mType == MultiplePopupType ? memoText() + u' ' + item : item);
}

void CellEditorDialog::pickerChanged()
{
    const Regional &regional = mRegional;
    setMemoText(mRegional.toText(mDateMode ? regional.dateText(mPicker->date())
                                           : regional.timeText(mPicker->time())));
}

void CellEditorDialog::calendarDayChosen(QDate date)
{
    if (mDateMode && date.isValid())
        setMemoText(mRegional.toText(mRegional.dateText(date)));
}

bool CellEditorDialog::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == mPicker || (mPickerText && watched == mPickerText))
        && event->type() == QEvent::MouseButtonRelease && mPicker->isEnabled()) {
        pickerChanged();
    }
    return QDialog::eventFilter(watched, event);
}

void CellEditorDialog::okClicked()
{
    mChangedText.reset();
    // An untouched memo writes nothing back, even where the code page could not show every byte
    // of the cell or its line breaks were not carriage return and line feed.
    if (memoText() != mShownText) {
        QString text = memoText();
        text.replace(u'\n', QStringLiteral("\r\n"));
        if (mPrompter)
            warnOfUnheldCharacters(*mPrompter, text, mRegional);
        const QByteArray bytes = encodeOrQuestionMark(text, mRegional.codePage());
        if (bytes != mCellText)
            mChangedText = bytes;
    }
    accept();
}

void CellEditorDialog::cancelClicked()
{
    mChangedText.reset();
    reject();
}

bool CellEditorDialog::apply(Database &database, const QDateTime &now) const
{
    if (!mChangedText)
        return false;
    return storeEditedText(database, mField, mRecord, *mChangedText, now, mRegional).applied;
}

void CellEditorDialog::done(int result)
{
    if (result != Accepted)
        mChangedText.reset();
    hideTypeControls();
    QDialog::done(result);
}

void CellEditorDialog::hideTypeControls()
{
    mPicker->hide();
    mPicker->setEnabled(false);
    mBoolean->hide();
    mBoolean->setEnabled(false);
    mLabel->hide();
    mLabel->setBuddy(nullptr);
    mPopup->hide();
    mPopup->setEnabled(false);
    const QSignalBlocker blocker(mPopup);
    mPopup->setCurrentIndex(-1);
    mPopup->setPlaceholderText(tr("Select Popup Item"));
}

} // namespace kribed
