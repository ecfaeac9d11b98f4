// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/regional.h"
#include "gui/dialogs/properties_dialog.h"
#include "properties_dialog_fixture.h"
#include "test_regional.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

using namespace kribed;
using kribed::test::testRegional;
using namespace kribed::test;

// The Popup tab and the field type that shows it: the list's commands, the entries it refuses,
// and what becomes of the list when the type changes.

class TestPropertiesPopup
    : public QObject
    , private PropertiesDialogFixture
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void popupCutPaste();
    void popupAppendAndSort();
    void popupEntryThatReadsAsAHeader_data();
    void popupEntryThatReadsAsAHeader();
    void typeChange_data();
    void typeChange();
    void nonPopupFieldKeepsStoredListOnCancel();
};

void TestPropertiesPopup::init()
{
    startTest();
}

void TestPropertiesPopup::popupCutPaste()
{
    mDialog->prepare(mDatabase, 2, {});
    auto *list = child<QListWidget>("popupList");
    auto *paste = child<QPushButton>("pasteButton");

    mDialog->cutClicked(); // nothing selected: nothing happens
    QCOMPARE(items(list), Colours);
    QVERIFY(!paste->isEnabled());

    list->setCurrentRow(1);
    mDialog->cutClicked();
    QCOMPARE(items(list), (QStringList{QStringLiteral("Red"), QStringLiteral("Green")}));
    QVERIFY(paste->isEnabled());

    mDialog->pasteClicked(); // nothing selected after the cut
    QCOMPARE(list->count(), 2);

    list->setCurrentRow(0);
    mDialog->pasteClicked();
    QCOMPARE(items(list),
             (QStringList{QStringLiteral("Blue"), QStringLiteral("Red"), QStringLiteral("Green")}));
    QVERIFY(!paste->isEnabled());
    mDialog->pasteClicked(); // one paste per cut
    QCOMPARE(list->count(), 3);

    // The cut text lives on into the next showing, for another field.
    mDatabase.setFieldType(5, MultiplePopupType);
    mDatabase.popupList(5) = {"x"};
    list->setCurrentRow(2);
    mDialog->cutClicked();
    mDialog->reject();
    mDialog->prepare(mDatabase, 5, {});
    list->setCurrentRow(0);
    mDialog->pasteClicked();
    QCOMPARE(items(list), (QStringList{QStringLiteral("Green"), QStringLiteral("x")}));
    QCOMPARE(texts(mDatabase.popupList(2)), Colours);

    mDialog->okClicked();
    KRIBED_VERIFY_PROMPTER(mPrompter);
    QCOMPARE(texts(mDialog->edited().popupList(5)),
             (QStringList{QStringLiteral("Green"), QStringLiteral("x")}));
}

void TestPropertiesPopup::popupAppendAndSort()
{
    mDialog->prepare(mDatabase, 2, {});
    auto *entry = child<QLineEdit>("newEntryEdit");
    auto *list = child<QListWidget>("popupList");
    mDialog->appendClicked(); // empty entry: nothing
    QCOMPARE(list->count(), 3);
    entry->setText(QStringLiteral("black"));
    mDialog->appendClicked();
    mDialog->appendClicked(); // duplicates allowed, the entry keeps its text
    QCOMPARE(entry->text(), QStringLiteral("black"));
    mDialog->sortClicked();
    QCOMPARE(items(list),
             (QStringList{QStringLiteral("black"), QStringLiteral("black"), QStringLiteral("Blue"),
                          QStringLiteral("Green"), QStringLiteral("Red")}));
    entry->setText(QStringLiteral("Amber"));
    mDialog->appendClicked(); // later additions are not sorted
    QCOMPARE(list->item(5)->text(), QStringLiteral("Amber"));
}

// "popup" and one character that names a field opens a list in the file: such an entry is refused
// at Append and at Paste, anything else is taken.
void TestPropertiesPopup::popupEntryThatReadsAsAHeader_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("refused");

    QTest::newRow("popups: field 19") << QStringLiteral("popups") << true;
    QTest::newRow("popup1: field 11") << QStringLiteral("popup1") << true;
    QTest::newRow("popupA: field 27") << QStringLiteral("popupA") << true;
    QTest::newRow("popup': field 1") << QStringLiteral("popup'") << true;
    QTest::newRow("popupY names no field") << QStringLiteral("popupY") << false;
    QTest::newRow("popup{ names no field") << QStringLiteral("popup{") << false;
    QTest::newRow("Popups differs in case") << QStringLiteral("Popups") << false;
    QTest::newRow("seven characters") << QStringLiteral("popupss") << false;
}

void TestPropertiesPopup::popupEntryThatReadsAsAHeader()
{
    QFETCH(QString, entry);
    QFETCH(bool, refused);
    const QString warning = QStringLiteral("\"%1\" can't be a popup entry: Kribo would take it for "
                                           "the start of a popup list.")
                                .arg(entry);

    mDialog->prepare(mDatabase, 2, {});
    auto *list = child<QListWidget>("popupList");
    child<QLineEdit>("newEntryEdit")->setText(entry);
    if (refused)
        mPrompter.expect(QStringLiteral("Warning"), warning, Icon::Warning, Buttons::Ok,
                         Answer::Ok);
    mDialog->appendClicked();
    KRIBED_VERIFY_PROMPTER(mPrompter);
    QCOMPARE(items(list), refused ? Colours : Colours + QStringList{entry});

    // The same entry held by a list: cut, then pasted before Red.
    mDialog->reject();
    mDatabase.popupList(2) = {"Red", testRegional().toBytes(entry)};
    mDialog->prepare(mDatabase, 2, {});
    list->setCurrentRow(1);
    mDialog->cutClicked();
    list->setCurrentRow(0);
    if (refused)
        mPrompter.expect(QStringLiteral("Warning"), warning, Icon::Warning, Buttons::Ok,
                         Answer::Ok);
    mDialog->pasteClicked();
    KRIBED_VERIFY_PROMPTER(mPrompter);
    const QStringList pasted{entry, QStringLiteral("Red")};
    QCOMPARE(items(list), refused ? QStringList{QStringLiteral("Red")} : pasted);
}

void TestPropertiesPopup::typeChange_data()
{
    QTest::addColumn<int>("newType");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("type");
    QTest::addColumn<QStringList>("list");

    const int popup = NormalPopupType;
    QTest::newRow("to String, Cancel: field and list as they were")
        << int(StringType) << false << popup << Colours;
    QTest::newRow("to String, OK: the list is emptied")
        << int(StringType) << true << int(StringType) << QStringList();
    QTest::newRow("to Multiple Popup, OK: the list is kept")
        << int(MultiplePopupType) << true << int(MultiplePopupType) << Colours;
    QTest::newRow("to Boolean and back, OK: the box was emptied")
        << -1 << true << popup << QStringList();
}

void TestPropertiesPopup::typeChange()
{
    QFETCH(int, newType);
    QFETCH(bool, ok);
    QFETCH(int, type);
    QFETCH(QStringList, list);

    mDialog->prepare(mDatabase, 2, {});
    auto *pages = child<QTabWidget>("pages");
    if (newType < 0) {
        chooseType(BooleanType);
        chooseType(NormalPopupType);
    } else {
        chooseType(newType);
    }
    const bool popupNow = isPopupType(child<QComboBox>("fieldTypeCombo")->currentIndex());
    QCOMPARE(pages->isTabVisible(2), popupNow);
    if (!popupNow)
        QCOMPARE(child<QListWidget>("popupList")->count(), 0);

    if (ok)
        mDialog->okClicked();
    else
        mDialog->reject();
    KRIBED_VERIFY_PROMPTER(mPrompter);
    QCOMPARE(mDialog->edited().fieldType(2), type);
    QCOMPARE(texts(mDialog->edited().popupList(2)), list);
    QCOMPARE(mDialog->edited().isModified(), ok);
}

void TestPropertiesPopup::nonPopupFieldKeepsStoredListOnCancel()
{
    // A String field whose file carried popup items: showing it and cancelling keeps them; OK
    // stores the field as it is shown, without a list.
    mDatabase.popupList(1) = {"kept"};
    mDialog->prepare(mDatabase, 1, {});
    QCOMPARE(child<QListWidget>("popupList")->count(), 0);
    mDialog->reject();
    QCOMPARE(texts(mDatabase.popupList(1)), QStringList{QStringLiteral("kept")});
    mDialog->prepare(mDatabase, 1, {});
    chooseType(NormalPopupType);
    QCOMPARE(child<QListWidget>("popupList")->count(), 0);
    mDialog->okClicked();
    QVERIFY(mDialog->edited().popupList(1).isEmpty());
}

QTEST_MAIN(TestPropertiesPopup)
#include "tst_properties_popup.moc"
