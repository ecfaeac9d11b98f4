// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/record_filter.h"
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/regional.h"
#include "gui/dialogs/properties_dialog.h"
#include "properties_dialog_fixture.h"

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
using namespace kribed::test;

class TestPropertiesDialog
    : public QObject
    , private PropertiesDialogFixture
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void madeState();
    void showSteps();
    void okChecks_data();
    void okChecks();
    void refusedNameChangesNothing();
    void widthKeys_data();
    void widthKeys();
    void sortFieldsBeyondLastColumn();
    void filterChoicesOutliveTheDialog();
    void applicationTab_data();
    void applicationTab();
    void escapeCancels();
    void enterPressesOk_data();
    void enterPressesOk();
    void enterInAnOpenListTakesTheChoice();
    void enterInTheNewEntryAppends_data();
    void enterInTheNewEntryAppends();
    void ctrlTabPassesOverTheHiddenPopupTab_data();
    void ctrlTabPassesOverTheHiddenPopupTab();
    void everyTabFits();
};

void TestPropertiesDialog::init()
{
    startTest();
}

void TestPropertiesDialog::madeState()
{
    auto *pages = child<QTabWidget>("pages");
    QStringList tabs;
    for (int i = 0; i < pages->count(); ++i)
        tabs << pages->tabText(i);
    QCOMPARE(tabs, (QStringList{QStringLiteral("Database"), QStringLiteral("Field"),
                                QStringLiteral("Popup"), QStringLiteral("Filter"),
                                QStringLiteral("Sort"), QStringLiteral("Application")}));
    QCOMPARE(pages->tabText(pages->currentIndex()), QStringLiteral("Field"));
    QVERIFY(!child<QPushButton>("pasteButton")->isEnabled());
    QCOMPARE(child<QComboBox>("incrementCombo")->currentText(), QStringLiteral("1"));
    QVERIFY(child<QRadioButton>("includeFilterRadio")->isChecked());
    QCOMPARE(mDialog->windowTitle(), QStringLiteral("Properties"));
    QCOMPARE(items(child<QComboBox>("fieldTypeCombo")), typeNames());
}

void TestPropertiesDialog::showSteps()
{
    mDatabase.flags().readOnly = true;
    mDatabase.setFilterField(3);
    mDatabase.setFilterText("bo");
    mDatabase.setIncrementAmount(7);
    mDatabase.setColumnWidth(3, 200);
    mDialog->prepare(mDatabase, 2, {});
    auto *pages = child<QTabWidget>("pages");
    pages->setCurrentIndex(2); // the popup tab, shown for the popup field

    QCOMPARE(child<QLineEdit>("nameEdit")->text(), QStringLiteral("Customers"));
    QVERIFY(child<QCheckBox>("readOnlyCheckBox")->isChecked());
    QVERIFY(!child<QCheckBox>("privateCheckBox")->isChecked());
    QCOMPARE(items(child<QListWidget>("popupList")), Colours);
    QCOMPARE(
        items(child<QComboBox>("filterFieldCombo")),
        (QStringList{QStringLiteral("All Fields"), QStringLiteral("Name"), QStringLiteral("Colour"),
                     QStringLiteral("Town"), QStringLiteral("Zip"), QStringLiteral("Note")}));
    QCOMPARE(child<QComboBox>("filterFieldCombo")->currentText(), QStringLiteral("Town"));
    QCOMPARE(child<QLineEdit>("filterEdit")->text(), QStringLiteral("bo"));
    QVERIFY(!child<QComboBox>("incrementCombo")->isEnabled());
    QVERIFY(!child<QLabel>("incrementLabel")->isEnabled());
    QCOMPARE(child<QComboBox>("incrementCombo")->currentText(), QStringLiteral("7"));

    // Field 3: a String field of 200 pixels; the popup tab gives way to the field tab.
    mDialog->prepare(mDatabase, 3, {});
    QCOMPARE(pages->tabText(pages->currentIndex()), QStringLiteral("Field"));
    QVERIFY(!pages->isTabVisible(2));
    QCOMPARE(child<QLineEdit>("fieldNameEdit")->text(), QStringLiteral("Town"));
    QCOMPARE(child<QLabel>("primarySortLabel")->text(), QStringLiteral("Town"));
    QCOMPARE(child<QComboBox>("fieldTypeCombo")->currentIndex(), int(StringType));
    QCOMPARE(child<QComboBox>("fieldWidthCombo")->currentText(),
             QString::number(mDatabase.pixelsToUnits(200)));

    mDatabase.setFieldType(4, AutoIncrementIntegerType);
    mDialog->prepare(mDatabase, 4, {});
    QVERIFY(child<QComboBox>("incrementCombo")->isEnabled());
    QVERIFY(child<QLabel>("incrementLabel")->isEnabled());
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
    mDialog->prepare(mDatabase, 4, {});
    child<QLineEdit>("nameEdit")->setText(name);
    child<QCheckBox>("privateCheckBox")->setChecked(true);
    child<QLineEdit>("fieldNameEdit")->setText(fieldName);
    child<QComboBox>("fieldWidthCombo")->setCurrentText(width);
    child<QComboBox>("incrementCombo")->setCurrentText(increment);
    if (!warning.isEmpty())
        mPrompter.expect(QStringLiteral("Warning"), warning, Icon::Warning, Buttons::Ok,
                         Answer::Ok);
    mDialog->setResult(QDialog::Rejected);
    mDialog->okClicked();
    KRIBED_VERIFY_PROMPTER(mPrompter);

    if (!warning.isEmpty()) {
        // Nothing is taken while any value is refused, and the dialog stays open.
        QCOMPARE(mDialog->result(), int(QDialog::Rejected));
        QCOMPARE(mDialog->edited().name(), before.name());
        QCOMPARE(mDialog->edited().flags().isPrivate, false);
        QCOMPARE(mDialog->edited().fieldName(4), before.fieldName(4));
        QCOMPARE(mDialog->edited().columnWidth(4), before.columnWidth(4));
        QVERIFY(!mDialog->edited().isModified());
        return;
    }
    QCOMPARE(mDialog->result(), int(QDialog::Accepted));
    QCOMPARE(QString::fromLatin1(mDialog->edited().name()), name);
    QVERIFY(mDialog->edited().flags().isPrivate);
    QCOMPARE(QString::fromLatin1(mDialog->edited().fieldName(4)), fieldName);
    QCOMPARE(mDialog->edited().columnWidth(4), mDialog->edited().unitsToPixels(width.toInt()));
    QCOMPARE(mDialog->edited().incrementAmount(), increment_taken);
    QVERIFY(mDialog->edited().isModified());
}

void TestPropertiesDialog::refusedNameChangesNothing()
{
    // A valid name with an empty field name: neither the name nor the flags are taken, and a
    // Cancel afterwards leaves the database as it was.
    mDialog->prepare(mDatabase, 1, {});
    child<QLineEdit>("nameEdit")->setText(QStringLiteral("Renamed"));
    child<QCheckBox>("autoLockCheckBox")->setChecked(true);
    child<QLineEdit>("fieldNameEdit")->clear();
    mPrompter.expect(QStringLiteral("Warning"), QStringLiteral("Please use 1 - 20 characters*"),
                     Icon::Warning, Buttons::Ok, Answer::Ok);
    mDialog->okClicked();
    mDialog->reject();
    KRIBED_VERIFY_PROMPTER(mPrompter);
    QCOMPARE(mDialog->edited().name(), QByteArray("Customers"));
    QVERIFY(!mDialog->edited().flags().autoLock);
    QCOMPARE(mDialog->edited().fieldName(1), QByteArray("Name"));
    QVERIFY(!mDialog->edited().isModified());
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
    mDialog->prepare(mDatabase, 1, {});
    auto *box = child<QComboBox>("fieldWidthCombo");
    QCOMPARE(box->currentText(), QStringLiteral("40"));
    box->lineEdit()->end(false);
    mDialog->setResult(QDialog::Rejected);
    // Keys from the keyboard reach the box, not its line edit.
    QTest::keyClick(box, Qt::Key(key));
    QCOMPARE(box->currentText(), text);
    QCOMPARE(mDialog->result(), int(QDialog::Rejected));
}

void TestPropertiesDialog::sortFieldsBeyondLastColumn()
{
    mDatabase.setSecondarySortField(7);
    mDatabase.setTertiarySortField(3);
    mDialog->prepare(mDatabase, 1, {QStringList(), 0, true, true, false, true, false});
    auto *secondary = child<QComboBox>("secondarySortCombo");
    auto *tertiary = child<QComboBox>("tertiarySortCombo");
    QCOMPARE(secondary->currentText(), QStringLiteral("None"));
    QCOMPARE(secondary->count(), 6);
    QCOMPARE(tertiary->currentText(), QStringLiteral("Town"));
    QVERIFY(child<QCheckBox>("secondaryReverseCheckBox")->isChecked());
    QVERIFY(!child<QCheckBox>("tertiaryReverseCheckBox")->isChecked());

    child<QCheckBox>("tertiaryReverseCheckBox")->setChecked(true);
    mDialog->okClicked();
    QCOMPARE(mDialog->edited().secondarySortField(), 0);
    QCOMPARE(mDialog->edited().tertiarySortField(), 3);
    QVERIFY(mDialog->choices().secondaryReverse);
    QVERIFY(mDialog->choices().tertiaryReverse);
}

void TestPropertiesDialog::filterChoicesOutliveTheDialog()
{
    // OK with "bo" on the town field, must begin, EXCLUDE: Bonn is hidden, Berlin and Aachen stay.
    QSignalSpy left(mDialog.get(), &PropertiesDialog::filterLeft);
    mDialog->prepare(mDatabase, 1, {});
    child<QComboBox>("filterFieldCombo")->setCurrentIndex(3);
    child<QLineEdit>("filterEdit")->setText(QStringLiteral("bo"));
    child<QCheckBox>("filterMustBeginCheckBox")->setChecked(true);
    child<QRadioButton>("excludeFilterRadio")->setChecked(true);
    child<QCheckBox>("filterOnCheckBox")->setChecked(true);
    mDialog->okClicked();
    QVERIFY(mDialog->edited().filterOn());
    QCOMPARE(mDialog->edited().filterField(), 3);
    QVERIFY(!mDialog->edited().isHidden(1));
    QVERIFY(mDialog->edited().isHidden(2));
    QVERIFY(!mDialog->edited().isHidden(3));

    // Another database comes with its own filter field; switching the filter on without the
    // dialog searches the town field as last chosen: "Bo" begins no name, but Bonn's town.
    Database other = makeDatabase();
    other.setFilterField(1);
    other.setFilterText("Bo");
    QCOMPARE(left.count(), 1);
    FilterSpec spec;
    spec.first() = left.takeFirst().at(0).value<FilterCondition>();
    QVERIFY(spec.first().mustBeginWith);
    QVERIFY(spec.first().exclude);
    QCOMPARE(spec.first().field, 3);
    QCOMPARE(applyFilter(other, true, spec.options()), 1);
    QVERIFY(other.isHidden(2));
    other.setFilterField(1);

    // Choices changed and then cancelled are still the ones read; the dialog shows the match
    // options it is given and the database's field.
    mDialog->prepare(other, 1, {}, spec.first());
    QVERIFY(child<QCheckBox>("filterMustBeginCheckBox")->isChecked());
    QVERIFY(child<QRadioButton>("excludeFilterRadio")->isChecked());
    QCOMPARE(child<QComboBox>("filterFieldCombo")->currentIndex(), 1);
    child<QCheckBox>("filterMustBeginCheckBox")->setChecked(false);
    child<QRadioButton>("includeFilterRadio")->setChecked(true);
    child<QComboBox>("filterFieldCombo")->setCurrentIndex(2);
    mDialog->reject();
    QCOMPARE(left.count(), 1);
    const auto cancelled = left.takeFirst().at(0).value<FilterCondition>();
    QVERIFY(!cancelled.mustBeginWith);
    QVERIFY(!cancelled.exclude);
    QCOMPARE(cancelled.field, 2);
    QCOMPARE(mDialog->edited().filterField(), 1);
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
    mDialog->prepare(mDatabase, 1, choices);

    auto *user = child<QComboBox>("userCombo");
    QCOMPARE(user->isEnabled(), enabled);
    QCOMPARE(child<QCheckBox>("initialDirCheckBox")->isEnabled(), enabled);
    QCOMPARE(child<QCheckBox>("saveAtInstallCheckBox")->isEnabled(), enabled);
    QVERIFY(!child<QCheckBox>("initialDirCheckBox")->isChecked());
    QVERIFY(child<QCheckBox>("saveAtInstallCheckBox")->isChecked());
    QVERIFY(child<QCheckBox>("expertModeCheckBox")->isChecked());
    QCOMPARE(items(user), users);
    if (enabled) {
        QCOMPARE(user->currentText(), QStringLiteral("Bert"));
        user->setCurrentIndex(0);
    }
    child<QCheckBox>("expertModeCheckBox")->setChecked(false);
    mDialog->okClicked();
    QCOMPARE(mDialog->choices().selectedUser, 0);
    QVERIFY(!mDialog->choices().expertMode);
    QVERIFY(!mDialog->choices().initialDir);
    QVERIFY(mDialog->choices().saveAtInstall);
}

void TestPropertiesDialog::escapeCancels()
{
    mDialog->prepare(mDatabase, 1, {});
    mDialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(mDialog.get()));
    child<QLineEdit>("nameEdit")->setText(QStringLiteral("Changed"));
    QTest::keyClick(child<QLineEdit>("nameEdit"), Qt::Key_Escape);
    QVERIFY(!mDialog->isVisible());
    QCOMPARE(mDialog->result(), int(QDialog::Rejected));
    QCOMPARE(mDialog->edited().name(), QByteArray("Customers"));
}

void TestPropertiesDialog::enterPressesOk_data()
{
    QTest::addColumn<QString>("control"); // the control with the focus
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("keypad");
    QTest::addColumn<int>("result"); // Accepted: OK pressed; Rejected: Cancel; -1: still open

    const int ok = QDialog::Accepted;
    QTest::newRow("Return in the database name")
        << "nameEdit" << int(Qt::Key_Return) << false << ok;
    QTest::newRow("keypad Enter in the field name")
        << "fieldNameEdit" << int(Qt::Key_Enter) << true << ok;
    QTest::newRow("Return in the filter text")
        << "filterEdit" << int(Qt::Key_Return) << false << ok;
    QTest::newRow("Return on a check box")
        << "privateCheckBox" << int(Qt::Key_Return) << false << ok;
    QTest::newRow("Return in the increment box")
        << "incrementCombo" << int(Qt::Key_Return) << false << ok;
    QTest::newRow("Return on the closed field type list")
        << "fieldTypeCombo" << int(Qt::Key_Return) << false << ok;
    QTest::newRow("Return in the width box is swallowed")
        << "fieldWidthCombo" << int(Qt::Key_Return) << false << -1;
    QTest::newRow("keypad Enter in the width box is swallowed")
        << "fieldWidthCombo" << int(Qt::Key_Enter) << true << -1;
    QTest::newRow("Return on the focused Cancel cancels")
        << "cancelButton" << int(Qt::Key_Return) << false << int(QDialog::Rejected);
}

void TestPropertiesDialog::enterPressesOk()
{
    QFETCH(QString, control);
    QFETCH(int, key);
    QFETCH(bool, keypad);
    QFETCH(int, result);
    mDatabase.setFieldType(1, AutoIncrementIntegerType);
    mDialog->prepare(mDatabase, 1, {});
    mDialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(mDialog.get()));
    child<QLineEdit>("nameEdit")->setText(QStringLiteral("Renamed"));
    auto *pages = child<QTabWidget>("pages");
    auto *target = child<QWidget>(control.toLatin1().constData());
    pages->setCurrentIndex(pages->indexOf(target->parentWidget()));
    target->setFocus();
    // Keys reach the line edit of an editable box.
    if (auto *box = qobject_cast<QComboBox *>(target); box && box->lineEdit())
        target = box->lineEdit();
    mDialog->setResult(-1);
    QTest::keyClick(target, Qt::Key(key), keypad ? Qt::KeypadModifier : Qt::NoModifier);

    QCOMPARE(mDialog->result(), result);
    QCOMPARE(mDialog->isVisible(), result == -1);
    QCOMPARE(mDialog->edited().name(),
             QByteArray(result == QDialog::Accepted ? "Renamed" : "Customers"));
    QCOMPARE(mDialog->edited().isModified(), result == QDialog::Accepted);
    KRIBED_VERIFY_PROMPTER(mPrompter);
}

// Enter in the popup list's new entry appends what was typed; the dialog stays open. An empty
// entry lets Enter press OK as everywhere else.
void TestPropertiesDialog::enterInTheNewEntryAppends_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("key");
    QTest::newRow("Return appends") << "Red" << int(Qt::Key_Return);
    QTest::newRow("keypad Enter appends") << "Red" << int(Qt::Key_Enter);
    QTest::newRow("empty entry presses OK") << "" << int(Qt::Key_Return);
}

void TestPropertiesDialog::enterInTheNewEntryAppends()
{
    QFETCH(QString, entry);
    QFETCH(int, key);
    mDialog->prepare(mDatabase, 2, {});
    mDialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(mDialog.get()));
    auto *pages = child<QTabWidget>("pages");
    auto *edit = child<QLineEdit>("newEntryEdit");
    pages->setCurrentIndex(pages->indexOf(edit->parentWidget()));
    edit->setFocus();
    edit->setText(entry);
    const int before = child<QListWidget>("popupList")->count();
    mDialog->setResult(-1);
    QTest::keyClick(edit, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);

    const bool appends = !entry.isEmpty();
    QCOMPARE(mDialog->isVisible(), appends);
    QCOMPARE(mDialog->result(), appends ? -1 : int(QDialog::Accepted));
    auto *list = child<QListWidget>("popupList");
    QCOMPARE(list->count(), before + (appends ? 1 : 0));
    if (appends)
        QCOMPARE(list->item(list->count() - 1)->text(), entry);
    KRIBED_VERIFY_PROMPTER(mPrompter);
}

// A drop-down list open over the dialog takes Enter for its choice; the dialog stays open.
void TestPropertiesDialog::enterInAnOpenListTakesTheChoice()
{
    mDialog->prepare(mDatabase, 1, {});
    mDialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(mDialog.get()));
    auto *box = child<QComboBox>("fieldTypeCombo");
    box->setFocus();
    box->showPopup();
    QAbstractItemView *list = box->view();
    QTRY_VERIFY(list->isVisible());
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    QTRY_VERIFY(!list->isVisible());
    QCOMPARE(box->currentIndex(), int(BooleanType));
    QVERIFY(mDialog->isVisible());
    QCOMPARE(mDialog->edited().fieldType(1), int(StringType));
    QVERIFY(!mDialog->edited().isModified());
}

void TestPropertiesDialog::ctrlTabPassesOverTheHiddenPopupTab_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("newType"); // chosen in the dialog first; -1 for none
    QTest::addColumn<QString>("from");
    QTest::addColumn<bool>("back"); // Ctrl+Shift+Tab
    QTest::addColumn<QString>("to");

    QTest::newRow("String field: on from Field to Filter")
        << 1 << -1 << "Field" << false << "Filter";
    QTest::newRow("String field: back from Filter to Field")
        << 1 << -1 << "Filter" << true << "Field";
    QTest::newRow("popup field: on from Field to Popup") << 2 << -1 << "Field" << false << "Popup";
    QTest::newRow("popup field made String: on to Filter")
        << 2 << int(StringType) << "Field" << false << "Filter";
    QTest::newRow("String field made a popup field: on to Popup")
        << 1 << int(MultiplePopupType) << "Field" << false << "Popup";
}

void TestPropertiesDialog::ctrlTabPassesOverTheHiddenPopupTab()
{
    QFETCH(int, field);
    QFETCH(int, newType);
    QFETCH(QString, from);
    QFETCH(bool, back);
    QFETCH(QString, to);
    // A popup field first, so the tab has been shown and hidden again for the String field.
    mDialog->prepare(mDatabase, 2, {});
    mDialog->prepare(mDatabase, field, {});
    mDialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(mDialog.get()));
    if (newType >= 0)
        chooseType(newType);
    auto *pages = child<QTabWidget>("pages");
    const auto tabNamed = [pages](const QString &name) {
        for (int i = 0; i < pages->count(); ++i) {
            if (pages->tabText(i) == name)
                return i;
        }
        return -1;
    };
    pages->setCurrentIndex(tabNamed(from));
    QWidget *focus = from == QStringLiteral("Field")
                         ? static_cast<QWidget *>(child<QLineEdit>("fieldNameEdit"))
                         : child<QLineEdit>("filterEdit");
    focus->setFocus();
    QTest::keyClick(focus, Qt::Key_Tab,
                    back ? Qt::ControlModifier | Qt::ShiftModifier : Qt::ControlModifier);

    QCOMPARE(pages->tabText(pages->currentIndex()), to);
    QVERIFY(pages->isTabVisible(pages->currentIndex()));
    QCOMPARE(pages->tabBar()->currentIndex(), pages->currentIndex());
    // The popup page, once shown again, takes entries as before.
    if (to == QStringLiteral("Popup")) {
        child<QLineEdit>("newEntryEdit")->setText(QStringLiteral("Violet"));
        QVERIFY(child<QPushButton>("appendButton")->isEnabled());
        child<QPushButton>("appendButton")->click();
        QVERIFY(items(child<QListWidget>("popupList")).contains(QStringLiteral("Violet")));
    }
}

// With the popup tab shown all six tabs stand side by side: none is scrolled out of sight.
void TestPropertiesDialog::everyTabFits()
{
    mDialog->prepare(mDatabase, 1, {});
    mDialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(mDialog.get()));
    mDialog->reject();
    mDialog->prepare(mDatabase, 2, {});
    mDialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(mDialog.get()));
    auto *pages = child<QTabWidget>("pages");
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
