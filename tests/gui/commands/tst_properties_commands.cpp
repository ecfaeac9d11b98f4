// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "gui/commands/file_commands.h"
#include "gui/commands/properties_commands.h"
#include "gui/dialogs/properties_dialog.h"
#include "gui/window/main_window.h"
#include "handheld_window_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

using namespace kribed;
using namespace kribed::test;

// The Properties command over the Desktop software's users: the dialog shows the database and
// the settings, OK takes them over, Cancel keeps everything.
class TestPropertiesCommands
    : public QObject
    , private HandheldWindowFixture
{
    Q_OBJECT

private:
    PropertiesDialog *Properties() const { return mWindow->findChild<PropertiesDialog *>(); }

private Q_SLOTS:
    void initTestCase() { initFixture(); }

    void init() { startTest(); }
    void cleanup() { endTest(); }

    void propertiesCommand()
    {
        makeWindow(true);
        mWindow->setCurrentCell(2, 1);
        mWindow->commandGroups().get<PropertiesCommands>().editProperties();
        PropertiesDialog *form = Properties();
        QVERIFY(form);
        QVERIFY(form->isVisible());
        QCOMPARE(form->findChild<QLineEdit *>(QStringLiteral("fieldNameEdit"))->text(),
                 QStringLiteral("Ort"));
        auto *user = form->findChild<QComboBox *>(QStringLiteral("userCombo"));
        QCOMPARE(user->currentText(), QStringLiteral("Bert M"));

        form->findChild<QLineEdit *>(QStringLiteral("nameEdit"))
            ->setText(QStringLiteral("Kunden 2"));
        form->findChild<QLineEdit *>(QStringLiteral("fieldNameEdit"))
            ->setText(QStringLiteral("Stadt"));
        form->findChild<QComboBox *>(QStringLiteral("fieldTypeCombo"))
            ->setCurrentIndex(BooleanType);
        user->setCurrentIndex(0);
        form->findChild<QCheckBox *>(QStringLiteral("saveAtInstallCheckBox"))->setChecked(false);
        form->findChild<QCheckBox *>(QStringLiteral("expertModeCheckBox"))->setChecked(true);
        form->okClicked();
        QVERIFY(!form->isVisible());

        const Database &database = windowDatabase();
        QCOMPARE(database.name(), QByteArray("Kunden 2"));
        QCOMPARE(database.fieldName(2), QByteArray("Stadt"));
        QCOMPARE(database.fieldType(2), int(BooleanType));
        QVERIFY(database.isModified());
        QCOMPARE(mWindow->grid()->model()->headerData(1, Qt::Horizontal).toString(),
                 QStringLiteral("Stadt"));
        QCOMPARE(mWindow->selectedUser(), 0);
        QVERIFY(!mWindow->settings().saveAtInstall);
        QVERIFY(mWindow->settings().expertMode);

        // The same dialog comes back, and Install now goes to the first user, silently.
        mWindow->commandGroups().get<PropertiesCommands>().editProperties();
        QCOMPARE(Properties(), form);
        QCOMPARE(user->currentText(), QStringLiteral("Anna"));
        form->reject();
        mWindow->commandGroups().get<FileCommands>().install();
        QVERIFY(QFileInfo::exists(mData + QStringLiteral("/AnnaK/Install/Kunden.pdb")));
        QCOMPARE(installFlag(QStringLiteral("Install3")), QStringLiteral("1"));
    }

    void propertiesCancelKeepsTheDatabase()
    {
        makeWindow(true);
        mWindow->commandGroups().get<PropertiesCommands>().editProperties();
        PropertiesDialog *form = Properties();
        form->findChild<QLineEdit *>(QStringLiteral("nameEdit"))->setText(QStringLiteral("Other"));
        form->findChild<QCheckBox *>(QStringLiteral("expertModeCheckBox"))->setChecked(true);
        form->reject();
        QCOMPARE(windowDatabase().name(), QByteArray("Kunden"));
        QVERIFY(!windowDatabase().isModified());
        QVERIFY(!mWindow->settings().expertMode);
    }

    void firstFieldOfThePageHasTheKeyboard_data()
    {
        QTest::addColumn<int>("page"); // the page the dialog was left on; -1: its first showing
        QTest::addColumn<QString>("focused");
        QTest::addColumn<QString>("typed"); // what a line edit holds after typing "Neu"

        QTest::newRow("first showing: Field")
            << -1 << QStringLiteral("fieldNameEdit") << QStringLiteral("Neu");
        QTest::newRow("Database") << 0 << QStringLiteral("nameEdit") << QStringLiteral("Neu");
        QTest::newRow("Filter") << 3 << QStringLiteral("filterFieldCombo") << QString();
        QTest::newRow("Sort") << 4 << QStringLiteral("secondarySortCombo") << QString();
        QTest::newRow("Application") << 5 << QStringLiteral("userCombo") << QString();
    }

    void firstFieldOfThePageHasTheKeyboard()
    {
        QFETCH(int, page);
        QFETCH(QString, focused);
        QFETCH(QString, typed);

        makeWindow(true);
        showWindow();
        mWindow->activateWindow();
        PropertiesCommands &command = mWindow->commandGroups().get<PropertiesCommands>();
        command.editProperties();
        PropertiesDialog *form = Properties();
        if (page >= 0) {
            form->findChild<QTabWidget *>(QStringLiteral("pages"))->setCurrentIndex(page);
            form->reject();
            command.editProperties();
        }
        QVERIFY(QTest::qWaitForWindowExposed(form));
        form->activateWindow();
        QTRY_VERIFY(form->isActiveWindow());
        QTRY_COMPARE(QApplication::focusWidget() ? QApplication::focusWidget()->objectName()
                                                 : QString(),
                     focused);
        if (!typed.isEmpty()) {
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Neu"));
            QCOMPARE(qobject_cast<QLineEdit *>(QApplication::focusWidget())->text(), typed);
        }
        form->reject();
    }
};

QTEST_MAIN(TestPropertiesCommands)
#include "tst_properties_commands.moc"
