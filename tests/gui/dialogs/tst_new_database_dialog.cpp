// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/field_type.h"
#include "gui/dialogs/new_database_dialog.h"
#include "named_child.h"
#include "scripted_prompter.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace kribed;
using namespace kribed::test;

namespace {

QStringList items(const QComboBox *box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

} // namespace

// The New Database dialog alone: its controls and what its number boxes take.
class TestNewDatabaseDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dialogControls()
    {
        ScriptedPrompter prompter;
        NewDatabaseDialog form(prompter);
        QCOMPARE(form.windowTitle(), QStringLiteral("New Database"));
        QCOMPARE(child<QLineEdit>(&form, "nameEdit")->text(), QStringLiteral("New"));
        const auto *columns = child<QComboBox>(&form, "columnsCombo");
        QVERIFY(columns->isEditable());
        QCOMPARE(columns->currentText(), QStringLiteral("5"));
        QCOMPARE(items(columns).join(u' '), QStringLiteral("1 2 3 5 10 15 20 30 40 50"));
        const auto *rows = child<QComboBox>(&form, "rowsCombo");
        QCOMPARE(rows->currentText(), QStringLiteral("10"));
        QCOMPARE(items(rows).join(u' '),
                 QStringLiteral("1 2 5 10 20 50 100 200 500 1000 2000 5000 9999"));
        const auto *type = child<QComboBox>(&form, "fieldTypeCombo");
        QVERIFY(!type->isEditable());
        QCOMPARE(items(type), typeNames());
        QCOMPARE(type->itemText(7), QStringLiteral("Modification Time "));
        QCOMPARE(type->currentIndex(), -1);
        const auto *width = child<QComboBox>(&form, "fieldWidthCombo");
        QCOMPARE(width->currentText(), QStringLiteral("60"));
        QCOMPARE(items(width).join(u' '), QStringLiteral("10 16 20 30 40 50 60 80 100 160 300"));
        QCOMPARE(child<QPushButton>(&form, "okButton")->text(), QStringLiteral("&OK"));
        QCOMPARE(child<QPushButton>(&form, "cancelButton")->text(), QStringLiteral("&Cancel"));
        QStringList boxes;
        for (const QGroupBox *box : form.findChildren<QGroupBox *>())
            boxes << box->title();
        QCOMPARE(boxes, (QStringList{QStringLiteral(" Database setup "),
                                     QStringLiteral(" Field setup ")}));
        const QList<QGroupBox *> groups = form.findChildren<QGroupBox *>();
        QVERIFY(groups[0]->isAncestorOf(child<QLineEdit>(&form, "nameEdit")));
        QVERIFY(groups[1]->isAncestorOf(child<QComboBox>(&form, "fieldWidthCombo")));

        form.preselectString(true);
        QCOMPARE(type->currentIndex(), 0);
        QCOMPARE(prompter.shown().size(), 0);
    }

    void keyFilter_data()
    {
        QTest::addColumn<QString>("box");
        QTest::newRow("columns") << QStringLiteral("columnsCombo");
        QTest::newRow("rows") << QStringLiteral("rowsCombo");
        QTest::newRow("width") << QStringLiteral("fieldWidthCombo");
    }

    void keyFilter()
    {
        QFETCH(QString, box);
        ScriptedPrompter prompter;
        NewDatabaseDialog form(prompter);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto *combo = form.findChild<QComboBox *>(box);
        combo->setFocus();
        combo->lineEdit()->clear();
        QTest::keyClicks(combo, QStringLiteral("1a-2 b.3"));
        QCOMPARE(combo->currentText(), QStringLiteral("123"));
        QTest::keyClick(combo, Qt::Key_Backspace);
        QCOMPARE(combo->currentText(), QStringLiteral("12"));
        // Enter neither presses OK nor shows a message.
        QTest::keyClick(combo, Qt::Key_Return);
        QTest::keyClick(combo, Qt::Key_Enter);
        QVERIFY(form.isVisible());
        QCOMPARE(form.result(), int(QDialog::Rejected));
        QVERIFY(!form.shape());
        QCOMPARE(prompter.shown().size(), 0);
        // Escape closes without a change.
        QTest::keyClick(combo, Qt::Key_Escape);
        QVERIFY(!form.isVisible());
        QVERIFY(!form.shape());
    }
};

QTEST_MAIN(TestNewDatabaseDialog)
#include "tst_new_database_dialog.moc"
