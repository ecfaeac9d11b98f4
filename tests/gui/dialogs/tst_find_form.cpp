// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/find.h"
#include "core/model/regional.h"
#include "gui/dialogs/find_form.h"
#include "scripted_prompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace kribed;

class TestFindForm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void controls();
    void formShow_data();
    void formShow();
    void settingsFromControls();
    void buttonsAndEscape();
};

void TestFindForm::initTestCase()
{
    setCurrentRegional(Regional(QLocale(QStringLiteral("en_US"))));
}

void TestFindForm::controls()
{
    TFindForm form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Find"));
    QCOMPARE(form.size(), QSize(280, 162));
    QVERIFY(form.findChild<QLineEdit *>(QStringLiteral("E_Find")));
    QCOMPARE(form.findChild<QComboBox *>(QStringLiteral("C_FindFields"))->isEditable(), false);
    QCOMPARE(form.findChild<QCheckBox *>(QStringLiteral("CB_FmbwS"))->text(),
             QStringLiteral("Field must begin with String"));
    QCOMPARE(form.findChild<QCheckBox *>(QStringLiteral("CB_FftS"))->text(),
             QStringLiteral("Find from the start"));
    auto *find = form.findChild<QPushButton *>(QStringLiteral("B_Find"));
    QCOMPARE(find->text(), QStringLiteral("&Find"));
    QVERIFY(find->isDefault());
    QCOMPARE(form.findChild<QPushButton *>(QStringLiteral("B_Close"))->text(),
             QStringLiteral("&Close"));
    QStringList labels;
    for (const QLabel *label : form.findChildren<QLabel *>())
        labels << label->text();
    QVERIFY(labels.contains(QStringLiteral("Find  String")));
    QVERIFY(labels.contains(QStringLiteral("in Field")));
}

void TestFindForm::formShow_data()
{
    QTest::addColumn<int>("currentRow");
    QTest::addColumn<bool>("fromStart");

    QTest::newRow("row 1 checks from the start") << 1 << true;
    QTest::newRow("row 2 unchecks it") << 2 << false;
}

void TestFindForm::formShow()
{
    QFETCH(int, currentRow);
    QFETCH(bool, fromStart);

    TFindForm form;
    auto *fields = form.findChild<QComboBox *>(QStringLiteral("C_FindFields"));
    auto *fromStartBox = form.findChild<QCheckBox *>(QStringLiteral("CB_FftS"));
    fromStartBox->setChecked(!fromStart);
    form.FormShow({QStringLiteral("Name"), QStringLiteral("Price")}, 5);
    fields->setCurrentIndex(2);
    form.findChild<QLineEdit *>(QStringLiteral("E_Find"))->setText(QStringLiteral("abc"));
    form.findChild<QCheckBox *>(QStringLiteral("CB_FmbwS"))->setChecked(true);
    // Shown again with other fields: the list is made anew and "All Fields" selected.
    form.FormShow({QStringLiteral("Qty")}, currentRow);
    QCOMPARE(fields->count(), 2);
    QCOMPARE(fields->itemText(0), QStringLiteral("All Fields"));
    QCOMPARE(fields->itemText(1), QStringLiteral("Qty"));
    QCOMPARE(fields->currentIndex(), 0);
    QCOMPARE(fromStartBox->isChecked(), fromStart);
    QCOMPARE(form.Settings().fromStart, fromStart);
    // The string and "Field must begin with String" stay as they were left.
    QCOMPARE(form.Settings().text, QByteArray("abc"));
    QVERIFY(form.Settings().mustBegin);
}

void TestFindForm::settingsFromControls()
{
    // The string becomes cell bytes in the display code page, and the chosen field limits the
    // search to its column.
    TFindForm form;
    form.FormShow({QStringLiteral("A"), QStringLiteral("B")}, 1);
    form.findChild<QLineEdit *>(QStringLiteral("E_Find"))->setText(QStringLiteral("caf\u00e9"));
    form.findChild<QComboBox *>(QStringLiteral("C_FindFields"))->setCurrentIndex(2);
    const FindSettings settings = form.Settings();
    QCOMPARE(settings.text, QByteArray("caf\xe9"));
    QCOMPARE(settings.field, 2);

    Database database;
    database.setShape(2, 2);
    database.setCell(1, 1, "CAF\xe9");
    database.setCell(2, 2, "xcaf\xe9");
    test::ScriptedPrompter prompter;
    const std::optional<GridCell> found = searchNext(database, form.State(), settings, 1, prompter);
    QCOMPARE(found, std::optional<GridCell>(GridCell{2, 2}));
    QVERIFY(form.State().findActive);
    KRIBED_VERIFY_PROMPTER(prompter);
}

void TestFindForm::buttonsAndEscape()
{
    TFindForm form;
    form.FormShow({QStringLiteral("a")}, 2);

    form.State().findActive = true;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::keyClick(&form, Qt::Key_Escape);
    QVERIFY(!form.isVisible());
    QCOMPARE(form.result(), int(QDialog::Rejected));
    QVERIFY(form.State().findActive); // Escape leaves the search position alone

    form.show();
    QTest::mouseClick(form.findChild<QPushButton *>(QStringLiteral("B_Find")), Qt::LeftButton);
    QVERIFY(!form.isVisible());
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QVERIFY(form.State().findActive);

    form.show();
    QTest::mouseClick(form.findChild<QPushButton *>(QStringLiteral("B_Close")), Qt::LeftButton);
    QVERIFY(!form.isVisible());
    QCOMPARE(form.result(), int(QDialog::Rejected));
    QVERIFY(!form.State().findActive);

    // Return presses the default button.
    form.show();
    QTest::keyClick(form.findChild<QLineEdit *>(QStringLiteral("E_Find")), Qt::Key_Return);
    QCOMPARE(form.result(), int(QDialog::Accepted));
}

QTEST_MAIN(TestFindForm)
#include "tst_find_form.moc"
