// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/regional.h"
#include "gui/dialogs/cell_editor_dialog.h"
#include "test_regional.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringEncoder>
#include <QTableView>
#include <QtTest>

using namespace kribed;
using kribed::test::testRegional;

namespace {

const QDateTime Now(QDate(2026, 3, 14), QTime(9, 26, 53));

// Two records of four fields: the cell under test in field 1, then Modification Date, Modification
// Time and a plain text, so that every write shows whether the row was stamped.
Database oneCell(int type, const QByteArray &text, const QList<QByteArray> &popup = {})
{
    Database database;
    database.setShape(4, 2);
    database.setFieldName(1, "Colour");
    database.setFieldType(1, type);
    database.setFieldType(2, ModificationDateType);
    database.setFieldType(3, ModificationTimeType);
    database.popupList(1) = popup;
    database.setIncrementAmount(3);
    for (int record = 1; record <= 2; ++record) {
        database.setCell(1, record, text);
        database.setCell(2, record, "1/1/2000");
        database.setCell(3, record, "1:00:00 AM");
        database.setCell(4, record, "x");
    }
    return database;
}

} // namespace

class TestCellEditorDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void typeControls_data();
    void typeControls();
    void captionNamesRecordAndField();
    void booleanFollowsTheMouseOnly_data();
    void booleanFollowsTheMouseOnly();
    void popupChoice_data();
    void popupChoice();
    void pickerChangeStampsTheRow();
    void pickerPutsItsValueIntoTheMemo_data();
    void pickerPutsItsValueIntoTheMemo();
    void multiplePopupAppendsOnlyChosenItems_data();
    void multiplePopupAppendsOnlyChosenItems();
    void writingBack_data();
    void writingBack();
    void escapeLeavesNoControlBehind();
    void memoStopsAtTheLongestValue_data();
    void memoStopsAtTheLongestValue();
    void longerCellIsShownWhole();

private:
    template<class T> T *child(const char *name)
    {
        T *child = mDialog->findChild<T *>(QLatin1String(name));
        if (!child)
            qFatal("no control %s", name);
        return child;
    }
    QPlainTextEdit *memoEdit() { return child<QPlainTextEdit>("cellTextEdit"); }
    std::unique_ptr<CellEditorDialog> mDialog;
};

void TestCellEditorDialog::init()
{
    mDialog = std::make_unique<CellEditorDialog>();
}

void TestCellEditorDialog::typeControls_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("control"); // the one type control shown, or empty
    QTest::addColumn<QString>("label");   // empty: typeLabel hidden

    QTest::newRow("String") << int(StringType) << ""
                            << "String";
    QTest::newRow("Boolean has no label") << int(BooleanType) << "booleanCheckBox"
                                          << "";
    QTest::newRow("Normal Date") << int(NormalDateType) << "dateTimePicker"
                                 << "Normal Date";
    QTest::newRow("Creation Date") << int(CreationDateType) << "dateTimePicker"
                                   << "Creation Date";
    QTest::newRow("Modification Time without trailing blank")
        << int(ModificationTimeType) << "dateTimePicker"
        << "Modification Time";
    QTest::newRow("Normal PopUp is called Popup") << int(NormalPopupType) << "popupCombo"
                                                  << "Popup";
    QTest::newRow("Multiple Popup") << int(MultiplePopupType) << "popupCombo"
                                    << "Multiple Popup";
    QTest::newRow("Auto-increment shows the amount") << int(AutoIncrementIntegerType) << ""
                                                     << "Auto-Increment Integer   Amount: 3";
    QTest::newRow("Float") << int(FloatType) << ""
                           << "Float";
    QTest::newRow("unknown type is plain text") << 13 << ""
                                                << "";
}

void TestCellEditorDialog::typeControls()
{
    QFETCH(int, type);
    QFETCH(QString, control);
    QFETCH(QString, label);

    const Database database = oneCell(type, "red", {"red", "blue"});
    mDialog->prepare(database, 1, 1, QFont(), testRegional(), Now);
    QCOMPARE(memoEdit()->toPlainText(), QStringLiteral("red"));
    for (const char *name : {"booleanCheckBox", "popupCombo", "dateTimePicker"}) {
        QWidget *widget = child<QWidget>(name);
        const bool shown = control == QLatin1String(name);
        QCOMPARE(!widget->isHidden(), shown);
        QCOMPARE(widget->isEnabled(), shown);
    }
    QLabel *label1 = child<QLabel>("typeLabel");
    QCOMPARE(!label1->isHidden(), !label.isEmpty());
    if (!label.isEmpty())
        QCOMPARE(label1->text(), label);
}

void TestCellEditorDialog::captionNamesRecordAndField()
{
    const Database database = oneCell(StringType, "a");
    mDialog->prepare(database, 1, 2, QFont(), testRegional(), Now);
    QCOMPARE(child<QGroupBox>("cellGroupBox")->title(),
             QStringLiteral(" Row:  0002    Col:  Colour "));
    QCOMPARE(mDialog->windowTitle(), QStringLiteral("Edit Cell"));
}

void TestCellEditorDialog::booleanFollowsTheMouseOnly_data()
{
    QTest::addColumn<QByteArray>("cell");
    QTest::addColumn<int>("mouseClicks");
    QTest::addColumn<bool>("spaceKey");
    QTest::addColumn<bool>("checkedAtShow");
    QTest::addColumn<QString>("memo");

    QTest::newRow("empty cell shows checked, memo untouched")
        << QByteArray() << 0 << false << true << "";
    QTest::newRow("0 shows unchecked") << QByteArray("0") << 0 << false << false << "0";
    QTest::newRow("other text shows checked") << QByteArray("yes") << 0 << false << true << "yes";
    QTest::newRow("one click unchecks") << QByteArray("1") << 1 << false << true << "0";
    QTest::newRow("two clicks end at the final state")
        << QByteArray("1") << 2 << false << true << "1";
    QTest::newRow("keyboard toggles the box, not the memo")
        << QByteArray("1") << 0 << true << true << "1";
}

void TestCellEditorDialog::booleanFollowsTheMouseOnly()
{
    QFETCH(QByteArray, cell);
    QFETCH(int, mouseClicks);
    QFETCH(bool, spaceKey);
    QFETCH(bool, checkedAtShow);
    QFETCH(QString, memo);

    Database database = oneCell(BooleanType, cell);
    mDialog->prepare(database, 1, 1, QFont(), testRegional(), Now);
    QCheckBox *box = child<QCheckBox>("booleanCheckBox");
    QCOMPARE(box->isChecked(), checkedAtShow);
    for (int click = 0; click < mouseClicks; ++click)
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
    if (spaceKey)
        QTest::keyClick(box, Qt::Key_Space);
    QCOMPARE(box->isChecked(), checkedAtShow != ((mouseClicks + int(spaceKey)) % 2 == 1));
    QCOMPARE(memoEdit()->toPlainText(), memo);

    // OK writes back only a changed text.
    mDialog->okClicked();
    const bool changed = memo.toLatin1() != cell;
    QCOMPARE(mDialog->apply(database, Now), changed);
    QCOMPARE(database.isModified(), changed);
    QCOMPARE(database.cell(1, 1), memo.toLatin1());
}

void TestCellEditorDialog::popupChoice_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QByteArray>("cell");
    QTest::addColumn<QList<int>>("choices");
    QTest::addColumn<QByteArray>("stored");

    const int normal = NormalPopupType;
    const int multiple = MultiplePopupType;
    QTest::newRow("multiple adds a blank and the item")
        << multiple << QByteArray("red") << QList<int>{1} << QByteArray("red blue");
    QTest::newRow("multiple on an empty cell starts with a blank")
        << multiple << QByteArray() << QList<int>{1} << QByteArray(" blue");
    QTest::newRow("multiple takes the same item twice")
        << multiple << QByteArray("red") << QList<int>{0, 0} << QByteArray("red red red");
    QTest::newRow("normal replaces the memo")
        << normal << QByteArray("red") << QList<int>{1} << QByteArray("blue");
    QTest::newRow("no choice keeps the cell")
        << normal << QByteArray("green") << QList<int>{} << QByteArray("green");
}

void TestCellEditorDialog::popupChoice()
{
    QFETCH(int, type);
    QFETCH(QByteArray, cell);
    QFETCH(QList<int>, choices);
    QFETCH(QByteArray, stored);

    Database database = oneCell(type, cell, {"red", "blue"});
    mDialog->prepare(database, 1, 1, QFont(), testRegional(), Now);
    QComboBox *popup = child<QComboBox>("popupCombo");
    QCOMPARE(popup->count(), 2);
    QCOMPARE(popup->currentIndex(), 0);
    // Selecting the first item at show leaves the memo as the cell is.
    QCOMPARE(memoEdit()->toPlainText().toLatin1(), cell);
    for (const int choice : choices) {
        popup->setCurrentIndex(choice);
        Q_EMIT popup->activated(choice);
    }
    QTest::mouseClick(child<QPushButton>("okButton"), Qt::LeftButton);
    QCOMPARE(mDialog->result(), int(QDialog::Accepted));
    mDialog->apply(database, Now);
    QCOMPARE(database.cell(1, 1), stored);
    QCOMPARE(database.cell(1, 2), cell);
}

void TestCellEditorDialog::pickerChangeStampsTheRow()
{
    Database database = oneCell(CreationDateType, "1/1/1999");
    mDialog->prepare(database, 1, 2, QFont(), testRegional(), Now);
    QDateTimeEdit *picker = child<QDateTimeEdit>("dateTimePicker");
    // The picker starts at today, not at the cell's date, and leaves the memo alone until used.
    QCOMPARE(picker->date(), Now.date());
    QCOMPARE(memoEdit()->toPlainText(), QStringLiteral("1/1/1999"));
    picker->setDate(QDate(2025, 12, 24));
    QCOMPARE(memoEdit()->toPlainText(), QStringLiteral("12/24/2025"));

    mDialog->okClicked();
    const QDateTime later = Now.addSecs(90);
    QVERIFY(mDialog->apply(database, later));
    QCOMPARE(database.recordAt(2).toList().join('|'),
             QByteArray("12/24/2025|3/14/2026|9:28:23 AM|x"));
    QCOMPARE(database.recordAt(1).toList().join('|'), QByteArray("1/1/1999|1/1/2000|1:00:00 AM|x"));
    QVERIFY(database.isModified());

    // A time field's picker writes the long time form.
    Database times = oneCell(NormalTimeType, "");
    mDialog->prepare(times, 1, 1, QFont(), testRegional(), Now);
    picker->setTime(QTime(17, 5, 9));
    QCOMPARE(memoEdit()->toPlainText(), QStringLiteral("5:05:09 PM"));
}

void TestCellEditorDialog::pickerPutsItsValueIntoTheMemo_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("day"); // 0: a click into the picker's text, else a day of its calendar
    QTest::addColumn<QString>("memo");

    QTest::newRow("click into a date picker") << int(NormalDateType) << 0 << "3/14/2026";
    QTest::newRow("click into a time picker") << int(ModificationTimeType) << 0 << "9:26:53 AM";
    // The picker starts at today: choosing today changes nothing in the picker itself.
    QTest::newRow("today chosen in the calendar") << int(CreationDateType) << 14 << "3/14/2026";
    QTest::newRow("another day chosen in the calendar") << int(NormalDateType) << 20 << "3/20/2026";
}

void TestCellEditorDialog::pickerPutsItsValueIntoTheMemo()
{
    QFETCH(int, type);
    QFETCH(int, day);
    QFETCH(QString, memo);

    const Database database = oneCell(type, "old");
    mDialog->prepare(database, 1, 1, QFont(), testRegional(), Now);
    mDialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(mDialog.get()));
    auto *picker = child<QDateTimeEdit>("dateTimePicker");
    if (day == 0) {
        // The click lands on the picker's text field, the widget under the mouse.
        auto *text = picker->findChild<QLineEdit *>();
        QVERIFY(text);
        QTest::mouseClick(text, Qt::LeftButton, {}, QPoint(5, text->height() / 2));
    } else {
        // Pressing the drop-down button opens the calendar, which then has the mouse.
        const QPoint button(picker->width() - 5, picker->height() / 2);
        QTest::mousePress(picker, Qt::LeftButton, {}, button);
        QCalendarWidget *calendar = picker->calendarWidget();
        QVERIFY(calendar);
        QTRY_VERIFY(calendar->isVisible());
        QTest::mouseRelease(calendar->window(), Qt::LeftButton);
        QCOMPARE(memoEdit()->toPlainText(), QStringLiteral("old"));
        auto *days = calendar->findChild<QTableView *>(QStringLiteral("qt_calendar_calendarview"));
        QVERIFY(days);
        QModelIndex cell;
        for (int row = 0; row < days->model()->rowCount() && !cell.isValid(); ++row) {
            for (int column = 0; column < days->model()->columnCount(); ++column) {
                const QModelIndex index = days->model()->index(row, column);
                if (index.data().toInt() == day)
                    cell = index;
            }
        }
        QVERIFY(cell.isValid());
        QTest::mouseClick(days->viewport(), Qt::LeftButton, {}, days->visualRect(cell).center());
        QTRY_VERIFY(!calendar->isVisible());
    }
    QCOMPARE(memoEdit()->toPlainText(), memo);
}

void TestCellEditorDialog::multiplePopupAppendsOnlyChosenItems_data()
{
    QTest::addColumn<QList<int>>("closedKeys"); // pressed on the closed list
    QTest::addColumn<int>("choice");            // -1: nothing chosen; else picked in the open list
    QTest::addColumn<bool>("byClick");          // picked by a click, else by Down keys and Enter
    QTest::addColumn<QString>("memo");

    const QList<int> arrows{Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_End};
    QTest::newRow("arrow keys through the closed list append nothing")
        << arrows << -1 << false << "Kaese";
    QTest::newRow("Enter in the open list appends that item")
        << arrows << 2 << false << "Kaese Obst";
    QTest::newRow("a click in the open list appends that item")
        << QList<int>() << 1 << true << "Kaese Brot";
}

void TestCellEditorDialog::multiplePopupAppendsOnlyChosenItems()
{
    QFETCH(QList<int>, closedKeys);
    QFETCH(int, choice);
    QFETCH(bool, byClick);
    QFETCH(QString, memo);

    const Database database = oneCell(MultiplePopupType, "Kaese", {"Kaese", "Brot", "Obst"});
    mDialog->prepare(database, 1, 1, QFont(), testRegional(), Now);
    mDialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(mDialog.get()));
    auto *popup = child<QComboBox>("popupCombo");
    popup->setFocus();
    for (const int key : closedKeys)
        QTest::keyClick(popup, Qt::Key(key));
    QCOMPARE(memoEdit()->toPlainText(), QStringLiteral("Kaese"));
    if (choice >= 0) {
        popup->setCurrentIndex(0);
        QTest::keyClick(popup, Qt::Key_F4);
        QAbstractItemView *list = popup->view();
        QTRY_VERIFY(list->isVisible());
        if (byClick) {
            // The open list ignores a release that comes right after it opened.
            QTest::qWait(QApplication::doubleClickInterval() + 50);
            const QRect item = list->visualRect(list->model()->index(choice, 0));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
        } else {
            for (int step = 0; step < choice; ++step)
                QTest::keyClick(list, Qt::Key_Down);
            QTest::keyClick(list, Qt::Key_Return);
        }
        QTRY_VERIFY(!list->isVisible());
    }
    QCOMPARE(memoEdit()->toPlainText(), memo);
}

void TestCellEditorDialog::writingBack_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QByteArray>("cell");
    QTest::addColumn<QString>("typed"); // replaces the memo; a null text leaves it untouched
    QTest::addColumn<QByteArray>("row");

    QTest::newRow("retyping the same text changes nothing")
        << 4 << QByteArray("x") << "x" << QByteArray("x|1/1/2000|1:00:00 AM|x");
    QTest::newRow("a changed text stamps the row")
        << 4 << QByteArray("x") << "y" << QByteArray("x|3/14/2026|9:26:53 AM|y");
    QTest::newRow("text typed into a modification date stays")
        << 2 << QByteArray("1/1/2000") << "soon" << QByteArray("x|soon|9:26:53 AM|x");
    QTest::newRow("line breaks are stored as carriage return and line feed")
        << 4 << QByteArray("x") << "a\nb" << QByteArray("x|3/14/2026|9:26:53 AM|a\r\nb");
    QTest::newRow("untouched line breaks stay as they are")
        << 4 << QByteArray("a\r\nb") << QString() << QByteArray("x|1/1/2000|1:00:00 AM|a\r\nb");
    QTest::newRow("untouched lone line feed stays")
        << 4 << QByteArray("a\nb") << QString() << QByteArray("x|1/1/2000|1:00:00 AM|a\nb");
    QTest::newRow("untouched byte the code page lacks stays")
        << 4 << QByteArray("a\x81") << QString() << QByteArray("x|1/1/2000|1:00:00 AM|a\x81");
    QTest::newRow("a character the code page lacks becomes a question mark")
        << 4 << QByteArray("x") << QStringLiteral("\u20ac\u4e2d")
        << QByteArray("x|3/14/2026|9:26:53 AM|\x80?");
}

void TestCellEditorDialog::writingBack()
{
    QFETCH(int, field);
    QFETCH(QByteArray, cell);
    QFETCH(QString, typed);
    QFETCH(QByteArray, row);

    Database database = oneCell(StringType, "x");
    database.setCell(field, 1, cell);
    mDialog->prepare(database, field, 1, QFont(), testRegional(), Now);
    if (!typed.isNull())
        memoEdit()->setPlainText(typed);
    mDialog->okClicked();
    const bool written = mDialog->apply(database, Now);
    QCOMPARE(database.recordAt(1).toList().join('|'), row);
    QCOMPARE(database.isModified(), written);
    QCOMPARE(written, mDialog->changedText().has_value());
}

void TestCellEditorDialog::escapeLeavesNoControlBehind()
{
    Database database = oneCell(MultiplePopupType, "red", {"red", "blue"});
    mDialog->prepare(database, 1, 1, QFont(), testRegional(), Now);
    memoEdit()->setPlainText(QStringLiteral("changed"));
    QTest::keyClick(memoEdit(), Qt::Key_Escape);
    QCOMPARE(mDialog->result(), int(QDialog::Rejected));
    QVERIFY(!mDialog->changedText());
    QVERIFY(!mDialog->apply(database, Now));
    QCOMPARE(database.cell(1, 1), QByteArray("red"));

    QComboBox *popup = child<QComboBox>("popupCombo");
    QVERIFY(popup->isHidden());
    QCOMPARE(popup->currentIndex(), -1);
    QCOMPARE(popup->placeholderText(), QStringLiteral("Select Popup Item"));
    QVERIFY(child<QLabel>("typeLabel")->isHidden());

    // The next cell shows only its own controls.
    database.setFieldType(1, StringType);
    mDialog->prepare(database, 1, 1, QFont(), testRegional(), Now);
    QVERIFY(popup->isHidden());
    QVERIFY(child<QCheckBox>("booleanCheckBox")->isHidden());
    QVERIFY(child<QDateTimeEdit>("dateTimePicker")->isHidden());
    QCOMPARE(child<QLabel>("typeLabel")->text(), QStringLiteral("String"));
}

void TestCellEditorDialog::memoStopsAtTheLongestValue_data()
{
    QTest::addColumn<QByteArray>("cell");
    QTest::addColumn<bool>("selectAll"); // else the caret stands at the start
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("memo");
    QTest::addColumn<QByteArray>("codePage");

    const QByteArray western = "windows-1252";
    const QString pasted(5000, u'p');
    QTest::newRow("typing stops, nothing there is lost")
        << QByteArray(3998, 'a') << false << "bcd" << QString()
        << QStringLiteral("bc") + QString(3998, u'a') << western;
    QTest::newRow("pasting into an empty memo")
        << QByteArray() << false << QString() << pasted << QString(4000, u'p') << western;
    QTest::newRow("pasting over the whole memo")
        << QByteArray("old") << true << QString() << pasted << QString(4000, u'p') << western;
    QTest::newRow("pasting into a nearly full memo keeps what was there")
        << QByteArray(3990, 'a') << false << QString() << QString(20, u'p')
        << QString(10, u'p') + QString(3990, u'a') << western;
    // The file stores a line break as LF alone: one byte, though the cell holds CR LF.
    QTest::newRow("a line break counts one byte, as the file stores it")
        << QByteArray() << false << QString() << QStringLiteral("ab\n").repeated(2000)
        << QStringLiteral("ab\n").repeated(1333) + u'a' << western;
    QTest::newRow("typing after 750 lines that fit")
        << QByteArray("abcd\r\n").repeated(750) << false << QStringLiteral("xyz") << QString()
        << QStringLiteral("xyz") + QStringLiteral("abcd\n").repeated(750) << western;
    // Shift_JIS stores these characters in two bytes each.
    QTest::newRow("characters of two bytes count two")
        << QByteArray() << false << QString() << QString::fromUtf8("日").repeated(2500)
        << QString::fromUtf8("日").repeated(2000) << QByteArray("Shift_JIS");
}

void TestCellEditorDialog::memoStopsAtTheLongestValue()
{
    QFETCH(QByteArray, cell);
    QFETCH(bool, selectAll);
    QFETCH(QString, typed);
    QFETCH(QString, pasted);
    QFETCH(QString, memo);
    QFETCH(QByteArray, codePage);
    QTest::failOnWarning(QRegularExpression(QStringLiteral("QTextCursor")));

    Database database = oneCell(StringType, cell);
    mDialog->prepare(database, 1, 1, QFont(), testRegional(codePage), Now);
    memoEdit()->moveCursor(QTextCursor::Start);
    if (selectAll)
        QTest::keySequence(memoEdit(), QKeySequence::SelectAll);
    QTest::keyClicks(memoEdit(), typed);
    if (!pasted.isEmpty()) {
        QGuiApplication::clipboard()->setText(pasted);
        QTest::keySequence(memoEdit(), QKeySequence::Paste);
    }
    QCOMPARE(memoEdit()->toPlainText(), memo);
    mDialog->okClicked();
    QVERIFY(mDialog->changedText());
    const QString stored = QString(memo).replace(u'\n', QStringLiteral("\r\n"));
    QStringEncoder encoder(codePage.constData());
    QCOMPARE(*mDialog->changedText(), QByteArray(encoder.encode(stored)));
}

void TestCellEditorDialog::longerCellIsShownWhole()
{
    // A cell longer than the limit (from an older file) is shown whole and, untouched, written
    // back as it was.
    Database longer = oneCell(StringType, QByteArray(4100, 'z'));
    mDialog->prepare(longer, 1, 1, QFont(), testRegional(), Now);
    QCOMPARE(memoEdit()->toPlainText().size(), 4100);
    mDialog->okClicked();
    QVERIFY(!mDialog->apply(longer, Now));
}

QTEST_MAIN(TestCellEditorDialog)
#include "tst_cell_editor_dialog.moc"
