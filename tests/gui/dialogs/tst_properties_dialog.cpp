// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/regional.h"
#include "gui/dialogs/properties_dialog.h"
#include "scripted_prompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

using namespace kribed;
using kribed::test::ScriptedPrompter;

namespace {

const QStringList Colours{QStringLiteral("Red"), QStringLiteral("Blue"), QStringLiteral("Green")};

// Five fields, three records; field 2 is a "Normal PopUp" field with Red, Blue, Green.
Database makeDatabase()
{
    Database database;
    database.resetAppInfo();
    database.setShape(5, 3);
    const QList<QByteArray> names{"Name", "Colour", "Town", "Zip", "Note"};
    for (int k = 1; k <= 5; ++k) {
        database.setFieldName(k, names[k - 1]);
        database.setColumnWidth(k, database.unitsToPixels(40));
    }
    database.setName("Customers");
    database.setFieldType(2, NormalPopupType);
    database.popupList(2) = {"Red", "Blue", "Green"};
    const QList<QByteArray> towns{"Berlin", "Bonn", "Aachen"};
    for (int r = 1; r <= 3; ++r)
        database.setCell(3, r, towns[r - 1]);
    return database;
}

QStringList Items(const QListWidget *list)
{
    QStringList items;
    for (int row = 0; row < list->count(); ++row)
        items << list->item(row)->text();
    return items;
}

QStringList Items(const QComboBox *box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

QStringList texts(const QList<QByteArray> &bytes)
{
    QStringList texts;
    for (const QByteArray &item : bytes)
        texts << QString::fromLatin1(item);
    return texts;
}

} // namespace

class TestPropertiesDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void madeState();
    void showSteps();
    void okChecks_data();
    void okChecks();
    void refusedNameChangesNothing();
    void widthKeys_data();
    void widthKeys();
    void popupCutPaste();
    void popupAppendAndSort();
    void popupEntryThatReadsAsAHeader_data();
    void popupEntryThatReadsAsAHeader();
    void typeChange_data();
    void typeChange();
    void nonPopupFieldKeepsStoredListOnCancel();
    void sortFieldsBeyondLastColumn();
    void filterChoicesOutliveTheDialog();
    void applicationTab_data();
    void applicationTab();
    void escapeCancels();
    void everyTabFits();

private:
    template<class T> T *Child(const char *name)
    {
        T *child = mWindow->findChild<T *>(QString::fromLatin1(name));
        if (!child)
            qFatal("no control %s", name);
        return child;
    }
    void ChooseType(int index)
    {
        auto *box = Child<QComboBox>("fieldTypeCombo");
        box->setCurrentIndex(index);
        Q_EMIT box->activated(index);
    }

    ScriptedPrompter mPrompter;
    std::unique_ptr<PropertiesDialog> mWindow;
    Database mDatabase;
};

void TestPropertiesDialog::initTestCase()
{
    setCurrentRegional(Regional(QLocale(QStringLiteral("en_US"))));
}

void TestPropertiesDialog::init()
{
    mPrompter = ScriptedPrompter();
    mWindow = std::make_unique<PropertiesDialog>(mPrompter);
    mDatabase = makeDatabase();
}

void TestPropertiesDialog::madeState()
{
    auto *pages = Child<QTabWidget>("pages");
    QStringList tabs;
    for (int i = 0; i < pages->count(); ++i)
        tabs << pages->tabText(i);
    QCOMPARE(tabs, (QStringList{QStringLiteral("Database"), QStringLiteral("Field"),
                                QStringLiteral("Popup"), QStringLiteral("Filter"),
                                QStringLiteral("Sort"), QStringLiteral("Application")}));
    QCOMPARE(pages->tabText(pages->currentIndex()), QStringLiteral("Field"));
    QVERIFY(!Child<QPushButton>("pasteButton")->isEnabled());
    QCOMPARE(Child<QComboBox>("incrementCombo")->currentText(), QStringLiteral("1"));
    QVERIFY(Child<QRadioButton>("includeFilterRadio")->isChecked());
    QCOMPARE(mWindow->windowTitle(), QStringLiteral("Properties"));
    QCOMPARE(Items(Child<QComboBox>("fieldTypeCombo")), typeNames());
}

void TestPropertiesDialog::showSteps()
{
    mDatabase.flags().readOnly = true;
    mDatabase.setFilterField(3);
    mDatabase.setFilterText("bo");
    mDatabase.setIncrementAmount(7);
    mDatabase.setColumnWidth(3, 200);
    mWindow->prepare(mDatabase, 2, {});
    auto *pages = Child<QTabWidget>("pages");
    pages->setCurrentIndex(2); // the popup tab, shown for the popup field

    QCOMPARE(Child<QLineEdit>("nameEdit")->text(), QStringLiteral("Customers"));
    QVERIFY(Child<QCheckBox>("readOnlyCheckBox")->isChecked());
    QVERIFY(!Child<QCheckBox>("privateCheckBox")->isChecked());
    QCOMPARE(Items(Child<QListWidget>("popupList")), Colours);
    QCOMPARE(
        Items(Child<QComboBox>("filterFieldCombo")),
        (QStringList{QStringLiteral("All Fields"), QStringLiteral("Name"), QStringLiteral("Colour"),
                     QStringLiteral("Town"), QStringLiteral("Zip"), QStringLiteral("Note")}));
    QCOMPARE(Child<QComboBox>("filterFieldCombo")->currentText(), QStringLiteral("Town"));
    QCOMPARE(Child<QLineEdit>("filterEdit")->text(), QStringLiteral("bo"));
    QVERIFY(!Child<QComboBox>("incrementCombo")->isEnabled());
    QVERIFY(!Child<QLabel>("incrementLabel")->isEnabled());
    QCOMPARE(Child<QComboBox>("incrementCombo")->currentText(), QStringLiteral("7"));

    // Field 3: a String field of 200 pixels; the popup tab gives way to the field tab.
    mWindow->prepare(mDatabase, 3, {});
    QCOMPARE(pages->tabText(pages->currentIndex()), QStringLiteral("Field"));
    QVERIFY(!pages->isTabVisible(2));
    QCOMPARE(Child<QLineEdit>("fieldNameEdit")->text(), QStringLiteral("Town"));
    QCOMPARE(Child<QLabel>("primarySortLabel")->text(), QStringLiteral("Town"));
    QCOMPARE(Child<QComboBox>("fieldTypeCombo")->currentIndex(), int(StringType));
    QCOMPARE(Child<QComboBox>("fieldWidthCombo")->currentText(),
             QString::number(mDatabase.pixelsToUnits(200)));

    mDatabase.setFieldType(4, AutoIncrementIntegerType);
    mWindow->prepare(mDatabase, 4, {});
    QVERIFY(Child<QComboBox>("incrementCombo")->isEnabled());
    QVERIFY(Child<QLabel>("incrementLabel")->isEnabled());
}

void TestPropertiesDialog::okChecks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("fieldName");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("increment");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<int>("increment_taken");

    const QString nameWarning =
        QStringLiteral("Please use 1 - 30 characters for the database name.");
    const QString fieldWarning = QStringLiteral("Please use 1 - 20 characters for the field name.");
    const QString widthWarning = QStringLiteral("Please use 1 - 300 for the field width");
    const QString incrementWarning =
        QStringLiteral("Please use a numerical value for the increment amount");
    const QString name30(30, u'n');

    QTest::newRow("all accepted") << name30 << QString(20, u'f') << "300"
                                  << "5" << QString() << 5;
    QTest::newRow("31-character name") << QString(31, u'n') << "F"
                                       << "40"
                                       << "1" << nameWarning << 0;
    QTest::newRow("empty name") << QString() << "F"
                                << "40"
                                << "1" << nameWarning << 0;
    QTest::newRow("empty field name after a valid name") << "N" << QString() << "40"
                                                         << "1" << fieldWarning << 0;
    QTest::newRow("21-character field name") << "N" << QString(21, u'f') << "40"
                                             << "1" << fieldWarning << 0;
    QTest::newRow("width 0") << "N"
                             << "F"
                             << "0"
                             << "1" << widthWarning << 0;
    QTest::newRow("width 301") << "N"
                               << "F"
                               << "301"
                               << "1" << widthWarning << 0;
    QTest::newRow("empty width") << "N"
                                 << "F"
                                 << ""
                                 << "1" << widthWarning << 0;
    QTest::newRow("width 1 accepted") << "N"
                                      << "F"
                                      << "1"
                                      << "1" << QString() << 1;
    QTest::newRow("increment abc taken as 1") << "N"
                                              << "F"
                                              << "40"
                                              << "abc" << QString() << 1;
    QTest::newRow("increment 0") << "N"
                                 << "F"
                                 << "40"
                                 << "0" << incrementWarning << 0;
    QTest::newRow("negative increment") << "N"
                                        << "F"
                                        << "40"
                                        << "-2" << incrementWarning << 0;
    QTest::newRow("the first failed check speaks") << QString() << QString() << "0"
                                                   << "0" << nameWarning << 0;
}

void TestPropertiesDialog::okChecks()
{
    QFETCH(QString, name);
    QFETCH(QString, fieldName);
    QFETCH(QString, width);
    QFETCH(QString, increment);
    QFETCH(QString, warning);
    QFETCH(int, increment_taken);

    mDatabase.setFieldType(4, AutoIncrementIntegerType);
    const Database before = mDatabase;
    mWindow->prepare(mDatabase, 4, {});
    Child<QLineEdit>("nameEdit")->setText(name);
    Child<QCheckBox>("privateCheckBox")->setChecked(true);
    Child<QLineEdit>("fieldNameEdit")->setText(fieldName);
    Child<QComboBox>("fieldWidthCombo")->setCurrentText(width);
    Child<QComboBox>("incrementCombo")->setCurrentText(increment);
    if (!warning.isEmpty())
        mPrompter.expect(QStringLiteral("Warning"), warning, Icon::Warning, Buttons::Ok,
                         Answer::Ok);
    mWindow->setResult(QDialog::Rejected);
    mWindow->okClicked();
    KRIBED_VERIFY_PROMPTER(mPrompter);

    if (!warning.isEmpty()) {
        // Nothing is taken while any value is refused, and the dialog stays open.
        QCOMPARE(mWindow->result(), int(QDialog::Rejected));
        QCOMPARE(mDatabase.name(), before.name());
        QCOMPARE(mDatabase.flags().isPrivate, false);
        QCOMPARE(mDatabase.fieldName(4), before.fieldName(4));
        QCOMPARE(mDatabase.columnWidth(4), before.columnWidth(4));
        QVERIFY(!mDatabase.isModified());
        return;
    }
    QCOMPARE(mWindow->result(), int(QDialog::Accepted));
    QCOMPARE(QString::fromLatin1(mDatabase.name()), name);
    QVERIFY(mDatabase.flags().isPrivate);
    QCOMPARE(QString::fromLatin1(mDatabase.fieldName(4)), fieldName);
    QCOMPARE(mDatabase.columnWidth(4), mDatabase.unitsToPixels(width.toInt()));
    QCOMPARE(mDatabase.incrementAmount(), increment_taken);
    QVERIFY(mDatabase.isModified());
}

void TestPropertiesDialog::refusedNameChangesNothing()
{
    // A valid name with an empty field name: neither the name nor the flags are taken, and a
    // Cancel afterwards leaves the database as it was.
    mWindow->prepare(mDatabase, 1, {});
    Child<QLineEdit>("nameEdit")->setText(QStringLiteral("Renamed"));
    Child<QCheckBox>("autoLockCheckBox")->setChecked(true);
    Child<QLineEdit>("fieldNameEdit")->clear();
    mPrompter.expect(QStringLiteral("Warning"), QStringLiteral("Please use 1 - 20 characters*"),
                     Icon::Warning, Buttons::Ok, Answer::Ok);
    mWindow->okClicked();
    mWindow->reject();
    KRIBED_VERIFY_PROMPTER(mPrompter);
    QCOMPARE(mDatabase.name(), QByteArray("Customers"));
    QVERIFY(!mDatabase.flags().autoLock);
    QCOMPARE(mDatabase.fieldName(1), QByteArray("Name"));
    QVERIFY(!mDatabase.isModified());
}

void TestPropertiesDialog::widthKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");

    QTest::newRow("digit taken") << int(Qt::Key_7) << QStringLiteral("407");
    QTest::newRow("Backspace taken") << int(Qt::Key_Backspace) << QStringLiteral("4");
    QTest::newRow("letter swallowed") << int(Qt::Key_A) << QStringLiteral("40");
    QTest::newRow("minus swallowed") << int(Qt::Key_Minus) << QStringLiteral("40");
    QTest::newRow("blank swallowed") << int(Qt::Key_Space) << QStringLiteral("40");
    QTest::newRow("Enter swallowed") << int(Qt::Key_Return) << QStringLiteral("40");
}

void TestPropertiesDialog::widthKeys()
{
    QFETCH(int, key);
    QFETCH(QString, text);
    mWindow->prepare(mDatabase, 1, {});
    auto *box = Child<QComboBox>("fieldWidthCombo");
    QCOMPARE(box->currentText(), QStringLiteral("40"));
    box->lineEdit()->end(false);
    mWindow->setResult(QDialog::Rejected);
    // Keys from the keyboard reach the box, not its line edit.
    QTest::keyClick(box, Qt::Key(key));
    QCOMPARE(box->currentText(), text);
    QCOMPARE(mWindow->result(), int(QDialog::Rejected));
}

void TestPropertiesDialog::popupCutPaste()
{
    mWindow->prepare(mDatabase, 2, {});
    auto *list = Child<QListWidget>("popupList");
    auto *paste = Child<QPushButton>("pasteButton");

    mWindow->cutClicked(); // nothing selected: nothing happens
    QCOMPARE(Items(list), Colours);
    QVERIFY(!paste->isEnabled());

    list->setCurrentRow(1);
    mWindow->cutClicked();
    QCOMPARE(Items(list), (QStringList{QStringLiteral("Red"), QStringLiteral("Green")}));
    QVERIFY(paste->isEnabled());

    mWindow->pasteClicked(); // nothing selected after the cut
    QCOMPARE(list->count(), 2);

    list->setCurrentRow(0);
    mWindow->pasteClicked();
    QCOMPARE(Items(list),
             (QStringList{QStringLiteral("Blue"), QStringLiteral("Red"), QStringLiteral("Green")}));
    QVERIFY(!paste->isEnabled());
    mWindow->pasteClicked(); // one paste per cut
    QCOMPARE(list->count(), 3);

    // The cut text lives on into the next showing, for another field.
    mDatabase.setFieldType(5, MultiplePopupType);
    mDatabase.popupList(5) = {"x"};
    list->setCurrentRow(2);
    mWindow->cutClicked();
    mWindow->reject();
    mWindow->prepare(mDatabase, 5, {});
    list->setCurrentRow(0);
    mWindow->pasteClicked();
    QCOMPARE(Items(list), (QStringList{QStringLiteral("Green"), QStringLiteral("x")}));
    QCOMPARE(texts(mDatabase.popupList(2)), Colours);

    mWindow->okClicked();
    KRIBED_VERIFY_PROMPTER(mPrompter);
    QCOMPARE(texts(mDatabase.popupList(5)),
             (QStringList{QStringLiteral("Green"), QStringLiteral("x")}));
}

void TestPropertiesDialog::popupAppendAndSort()
{
    mWindow->prepare(mDatabase, 2, {});
    auto *entry = Child<QLineEdit>("newEntryEdit");
    auto *list = Child<QListWidget>("popupList");
    mWindow->appendClicked(); // empty entry: nothing
    QCOMPARE(list->count(), 3);
    entry->setText(QStringLiteral("black"));
    mWindow->appendClicked();
    mWindow->appendClicked(); // duplicates allowed, the entry keeps its text
    QCOMPARE(entry->text(), QStringLiteral("black"));
    mWindow->sortClicked();
    QCOMPARE(Items(list),
             (QStringList{QStringLiteral("black"), QStringLiteral("black"), QStringLiteral("Blue"),
                          QStringLiteral("Green"), QStringLiteral("Red")}));
    entry->setText(QStringLiteral("Amber"));
    mWindow->appendClicked(); // later additions are not sorted
    QCOMPARE(list->item(5)->text(), QStringLiteral("Amber"));
}

// "popup" and one character that names a field opens a list in the file: such an entry is refused
// at Append and at Paste, anything else is taken.
void TestPropertiesDialog::popupEntryThatReadsAsAHeader_data()
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

void TestPropertiesDialog::popupEntryThatReadsAsAHeader()
{
    QFETCH(QString, entry);
    QFETCH(bool, refused);
    const QString warning = QStringLiteral("\"%1\" can't be a popup entry: Kribo would take it for "
                                           "the start of a popup list.")
                                .arg(entry);

    mWindow->prepare(mDatabase, 2, {});
    auto *list = Child<QListWidget>("popupList");
    Child<QLineEdit>("newEntryEdit")->setText(entry);
    if (refused)
        mPrompter.expect(QStringLiteral("Warning"), warning, Icon::Warning, Buttons::Ok,
                         Answer::Ok);
    mWindow->appendClicked();
    KRIBED_VERIFY_PROMPTER(mPrompter);
    QCOMPARE(Items(list), refused ? Colours : Colours + QStringList{entry});

    // The same entry held by a list: cut, then pasted before Red.
    mWindow->reject();
    mDatabase.popupList(2) = {"Red", currentRegional().toBytes(entry)};
    mWindow->prepare(mDatabase, 2, {});
    list->setCurrentRow(1);
    mWindow->cutClicked();
    list->setCurrentRow(0);
    if (refused)
        mPrompter.expect(QStringLiteral("Warning"), warning, Icon::Warning, Buttons::Ok,
                         Answer::Ok);
    mWindow->pasteClicked();
    KRIBED_VERIFY_PROMPTER(mPrompter);
    const QStringList pasted{entry, QStringLiteral("Red")};
    QCOMPARE(Items(list), refused ? QStringList{QStringLiteral("Red")} : pasted);
}

void TestPropertiesDialog::typeChange_data()
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

void TestPropertiesDialog::typeChange()
{
    QFETCH(int, newType);
    QFETCH(bool, ok);
    QFETCH(int, type);
    QFETCH(QStringList, list);

    mWindow->prepare(mDatabase, 2, {});
    auto *pages = Child<QTabWidget>("pages");
    if (newType < 0) {
        ChooseType(BooleanType);
        ChooseType(NormalPopupType);
    } else {
        ChooseType(newType);
    }
    const bool popupNow = isPopupType(Child<QComboBox>("fieldTypeCombo")->currentIndex());
    QCOMPARE(pages->isTabVisible(2), popupNow);
    if (!popupNow)
        QCOMPARE(Child<QListWidget>("popupList")->count(), 0);

    if (ok)
        mWindow->okClicked();
    else
        mWindow->reject();
    KRIBED_VERIFY_PROMPTER(mPrompter);
    QCOMPARE(mDatabase.fieldType(2), type);
    QCOMPARE(texts(mDatabase.popupList(2)), list);
    QCOMPARE(mDatabase.isModified(), ok);
}

void TestPropertiesDialog::nonPopupFieldKeepsStoredListOnCancel()
{
    // A String field whose file carried popup items: showing it and cancelling keeps them; OK
    // stores the field as it is shown, without a list.
    mDatabase.popupList(1) = {"kept"};
    mWindow->prepare(mDatabase, 1, {});
    QCOMPARE(Child<QListWidget>("popupList")->count(), 0);
    mWindow->reject();
    QCOMPARE(texts(mDatabase.popupList(1)), QStringList{QStringLiteral("kept")});
    mWindow->prepare(mDatabase, 1, {});
    ChooseType(NormalPopupType);
    QCOMPARE(Child<QListWidget>("popupList")->count(), 0);
    mWindow->okClicked();
    QVERIFY(mDatabase.popupList(1).isEmpty());
}

void TestPropertiesDialog::sortFieldsBeyondLastColumn()
{
    mDatabase.setSecondarySortField(7);
    mDatabase.setTertiarySortField(3);
    mWindow->prepare(mDatabase, 1, {QStringList(), 0, true, true, false, true, false});
    auto *secondary = Child<QComboBox>("secondarySortCombo");
    auto *tertiary = Child<QComboBox>("tertiarySortCombo");
    QCOMPARE(secondary->currentText(), QStringLiteral("None"));
    QCOMPARE(secondary->count(), 6);
    QCOMPARE(tertiary->currentText(), QStringLiteral("Town"));
    QVERIFY(Child<QCheckBox>("secondaryReverseCheckBox")->isChecked());
    QVERIFY(!Child<QCheckBox>("tertiaryReverseCheckBox")->isChecked());

    Child<QCheckBox>("tertiaryReverseCheckBox")->setChecked(true);
    mWindow->okClicked();
    QCOMPARE(mDatabase.secondarySortField(), 0);
    QCOMPARE(mDatabase.tertiarySortField(), 3);
    QVERIFY(mWindow->choices().secondaryReverse);
    QVERIFY(mWindow->choices().tertiaryReverse);
}

void TestPropertiesDialog::filterChoicesOutliveTheDialog()
{
    // OK with "bo" on the town field, must begin, EXCLUDE: Bonn is hidden, Berlin and Aachen stay.
    mWindow->prepare(mDatabase, 1, {});
    Child<QComboBox>("filterFieldCombo")->setCurrentIndex(3);
    Child<QLineEdit>("filterEdit")->setText(QStringLiteral("bo"));
    Child<QCheckBox>("filterMustBeginCheckBox")->setChecked(true);
    Child<QRadioButton>("excludeFilterRadio")->setChecked(true);
    Child<QCheckBox>("filterOnCheckBox")->setChecked(true);
    mWindow->okClicked();
    QVERIFY(mDatabase.filterOn());
    QCOMPARE(mDatabase.filterField(), 3);
    QVERIFY(!mDatabase.isHidden(1));
    QVERIFY(mDatabase.isHidden(2));
    QVERIFY(!mDatabase.isHidden(3));

    // Another database comes with its own filter field; switching the filter on without the
    // dialog searches the town field as last chosen: "Bo" begins no name, but Bonn's town.
    Database other = makeDatabase();
    other.setFilterField(1);
    other.setFilterText("Bo");
    FilterOptions options = mWindow->filterChoices();
    QVERIFY(options.mustBeginWith);
    QVERIFY(options.exclude);
    QCOMPARE(mWindow->filterFieldChoice(), 3);
    QCOMPARE(mWindow->runFilter(other, true), 1);
    QVERIFY(other.isHidden(2));
    other.setFilterField(1);

    // Choices changed and then cancelled are still the ones read.
    mWindow->prepare(other, 1, {});
    QCOMPARE(mWindow->filterFieldChoice(), 1);
    Child<QCheckBox>("filterMustBeginCheckBox")->setChecked(false);
    Child<QRadioButton>("includeFilterRadio")->setChecked(true);
    Child<QComboBox>("filterFieldCombo")->setCurrentIndex(2);
    mWindow->reject();
    options = mWindow->filterChoices();
    QVERIFY(!options.mustBeginWith);
    QVERIFY(!options.exclude);
    QCOMPARE(mWindow->filterFieldChoice(), 2);
    QCOMPARE(other.filterField(), 1);
}

void TestPropertiesDialog::applicationTab_data()
{
    QTest::addColumn<QStringList>("users");
    QTest::addColumn<bool>("enabled");

    QTest::newRow("two users") << QStringList{QStringLiteral("Anna"), QStringLiteral("Bert")}
                               << true;
    QTest::newRow("no users") << QStringList() << false;
}

void TestPropertiesDialog::applicationTab()
{
    QFETCH(QStringList, users);
    QFETCH(bool, enabled);

    PropertiesChoices choices;
    choices.userNames = users;
    choices.selectedUser = users.isEmpty() ? 0 : 1;
    choices.initialDir = false;
    choices.saveAtInstall = true;
    choices.expertMode = true;
    mWindow->prepare(mDatabase, 1, choices);

    auto *user = Child<QComboBox>("userCombo");
    QCOMPARE(user->isEnabled(), enabled);
    QCOMPARE(Child<QCheckBox>("initialDirCheckBox")->isEnabled(), enabled);
    QCOMPARE(Child<QCheckBox>("saveAtInstallCheckBox")->isEnabled(), enabled);
    QVERIFY(!Child<QCheckBox>("initialDirCheckBox")->isChecked());
    QVERIFY(Child<QCheckBox>("saveAtInstallCheckBox")->isChecked());
    QVERIFY(Child<QCheckBox>("expertModeCheckBox")->isChecked());
    QCOMPARE(Items(user), users);
    if (enabled) {
        QCOMPARE(user->currentText(), QStringLiteral("Bert"));
        user->setCurrentIndex(0);
    }
    Child<QCheckBox>("expertModeCheckBox")->setChecked(false);
    mWindow->okClicked();
    QCOMPARE(mWindow->choices().selectedUser, 0);
    QVERIFY(!mWindow->choices().expertMode);
    QVERIFY(!mWindow->choices().initialDir);
    QVERIFY(mWindow->choices().saveAtInstall);
}

void TestPropertiesDialog::escapeCancels()
{
    mWindow->prepare(mDatabase, 1, {});
    mWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(mWindow.get()));
    Child<QLineEdit>("nameEdit")->setText(QStringLiteral("Changed"));
    QTest::keyClick(Child<QLineEdit>("nameEdit"), Qt::Key_Escape);
    QVERIFY(!mWindow->isVisible());
    QCOMPARE(mWindow->result(), int(QDialog::Rejected));
    QCOMPARE(mDatabase.name(), QByteArray("Customers"));
}

// With the popup tab shown all six tabs stand side by side: none is scrolled out of sight.
void TestPropertiesDialog::everyTabFits()
{
    mWindow->prepare(mDatabase, 1, {});
    mWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(mWindow.get()));
    mWindow->reject();
    mWindow->prepare(mDatabase, 2, {});
    mWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(mWindow.get()));
    auto *pages = Child<QTabWidget>("pages");
    QTabBar *bar = pages->tabBar();
    QCOMPARE(bar->count(), 6);
    QVERIFY(pages->isTabVisible(2));
    for (int i = 0; i < bar->count(); ++i) {
        const QRect tab = bar->tabRect(i);
        QVERIFY(!tab.isEmpty());
        QVERIFY2(bar->rect().contains(tab), qPrintable(pages->tabText(i)));
    }
}

QTEST_MAIN(TestPropertiesDialog)
#include "tst_properties_dialog.moc"
