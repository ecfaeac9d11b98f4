// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/find.h"
#include "core/model/regional.h"
#include "gui/dialogs/find_dialog.h"
#include "scripted_prompter.h"
#include "test_regional.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace kribed;
using kribed::test::testRegional;

class TestFindDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void controls();
    void formShow_data();
    void formShow();
    void settingsFromControls();
    void buttonsAndEscape();
    void displayFontOnTheSearchTextOnly();
};

void TestFindDialog::controls()
{
    FindDialog form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Find"));
    QCOMPARE(form.size(), QSize(280, 162));
    QVERIFY(form.findChild<QLineEdit *>(QStringLiteral("findEdit")));
    QCOMPARE(form.findChild<QComboBox *>(QStringLiteral("findFieldCombo"))->isEditable(), false);
    QCOMPARE(form.findChild<QCheckBox *>(QStringLiteral("mustBeginCheckBox"))->text(),
             QStringLiteral("Field must begin with String"));
    QCOMPARE(form.findChild<QCheckBox *>(QStringLiteral("fromStartCheckBox"))->text(),
             QStringLiteral("Find from the start"));
    auto *find = form.findChild<QPushButton *>(QStringLiteral("findButton"));
    QCOMPARE(find->text(), QStringLiteral("&Find"));
    QVERIFY(find->isDefault());
    QCOMPARE(form.findChild<QPushButton *>(QStringLiteral("closeButton"))->text(),
             QStringLiteral("&Close"));
    QStringList labels;
    for (const QLabel *label : form.findChildren<QLabel *>())
        labels << label->text();
    QVERIFY(labels.contains(QStringLiteral("Find  String")));
    QVERIFY(labels.contains(QStringLiteral("in Field")));
}

void TestFindDialog::displayFontOnTheSearchTextOnly()
{
    FindDialog form;
    QFont display(form.font().family());
    display.setPointSize(form.font().pointSize() + 5);
    form.setDisplayFont(display);
    QCOMPARE(form.findChild<QLineEdit *>(QStringLiteral("findEdit"))->font(), display);
    QVERIFY(form.findChild<QComboBox *>(QStringLiteral("findFieldCombo"))->font() != display);
    QVERIFY(form.findChild<QPushButton *>(QStringLiteral("findButton"))->font() != display);
}

void TestFindDialog::formShow_data()
{
    QTest::addColumn<int>("currentRow");
    QTest::addColumn<bool>("fromStart");

    QTest::newRow("row 1 checks from the start") << 1 << true;
    QTest::newRow("row 2 unchecks it") << 2 << false;
}

void TestFindDialog::formShow()
{
    QFETCH(int, currentRow);
    QFETCH(bool, fromStart);

    FindDialog form;
    auto *fields = form.findChild<QComboBox *>(QStringLiteral("findFieldCombo"));
    auto *fromStartBox = form.findChild<QCheckBox *>(QStringLiteral("fromStartCheckBox"));
    fromStartBox->setChecked(!fromStart);
    form.prepare({QStringLiteral("Name"), QStringLiteral("Price")}, 5);
    fields->setCurrentIndex(2);
    form.findChild<QLineEdit *>(QStringLiteral("findEdit"))->setText(QStringLiteral("abc"));
    form.findChild<QCheckBox *>(QStringLiteral("mustBeginCheckBox"))->setChecked(true);
    // Shown again with other fields: the list is made anew and "All Fields" selected.
    form.prepare({QStringLiteral("Qty")}, currentRow);
    QCOMPARE(fields->count(), 2);
    QCOMPARE(fields->itemText(0), QStringLiteral("All Fields"));
    QCOMPARE(fields->itemText(1), QStringLiteral("Qty"));
    QCOMPARE(fields->currentIndex(), 0);
    QCOMPARE(fromStartBox->isChecked(), fromStart);
    QCOMPARE(form.settings(testRegional()).fromStart, fromStart);
    // The string and "Field must begin with String" stay as they were left.
    QCOMPARE(form.settings(testRegional()).text, QByteArray("abc"));
    QVERIFY(form.settings(testRegional()).mustBegin);
}

void TestFindDialog::settingsFromControls()
{
    // The string becomes cell bytes in the display code page, and the chosen field limits the
    // search to its column.
    FindDialog form;
    form.prepare({QStringLiteral("A"), QStringLiteral("B")}, 1);
    form.findChild<QLineEdit *>(QStringLiteral("findEdit"))->setText(QStringLiteral("caf\u00e9"));
    form.findChild<QComboBox *>(QStringLiteral("findFieldCombo"))->setCurrentIndex(2);
    const FindSettings settings = form.settings(testRegional());
    QCOMPARE(settings.text, QByteArray("caf\xe9"));
    QCOMPARE(settings.field, 2);

    Database database;
    database.setShape(2, 2);
    database.setCell(1, 1, "CAF\xe9");
    database.setCell(2, 2, "xcaf\xe9");
    test::ScriptedPrompter prompter;
    const std::optional<GridCell> found = searchNext(database, form.state(), settings, 1, prompter);
    QCOMPARE(found, std::optional<GridCell>(GridCell{2, 2}));
    QVERIFY(form.state().findActive);
    KRIBED_VERIFY_PROMPTER(prompter);
}

void TestFindDialog::buttonsAndEscape()
{
    FindDialog form;
    form.prepare({QStringLiteral("a")}, 2);

    form.state().findActive = true;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::keyClick(&form, Qt::Key_Escape);
    QVERIFY(!form.isVisible());
    QCOMPARE(form.result(), int(QDialog::Rejected));
    QVERIFY(form.state().findActive); // Escape leaves the search position alone

    form.show();
    QTest::mouseClick(form.findChild<QPushButton *>(QStringLiteral("findButton")), Qt::LeftButton);
    QVERIFY(!form.isVisible());
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QVERIFY(form.state().findActive);

    form.show();
    QTest::mouseClick(form.findChild<QPushButton *>(QStringLiteral("closeButton")), Qt::LeftButton);
    QVERIFY(!form.isVisible());
    QCOMPARE(form.result(), int(QDialog::Rejected));
    QVERIFY(!form.state().findActive);

    // Return presses the default button.
    form.show();
    QTest::keyClick(form.findChild<QLineEdit *>(QStringLiteral("findEdit")), Qt::Key_Return);
    QCOMPARE(form.result(), int(QDialog::Accepted));
}

QTEST_MAIN(TestFindDialog)
#include "tst_find_dialog.moc"
