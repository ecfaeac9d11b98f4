// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/text_exchange.h"
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/regional.h"
#include "core/platform/settings.h"
#include "core/platform/user_list.h"
#include "gui/dialogs/new_database_dialog.h"
#include "gui/grid/database_document.h"
#include "gui/window/main_window.h"
#include "main_window_fixture.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTableView>
#include <QTest>

#include <memory>

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

const QString FormatQuestion = formatQuestionText();

} // namespace

class TestNewDatabase
    : public QObject
    , private MainWindowFixture
{
    Q_OBJECT

private:
    template<class T> T *child(QObject *parent, const char *name)
    {
        T *child = parent->findChild<T *>(QString::fromLatin1(name));
        if (!child)
            qFatal("no control %s", name);
        return child;
    }

    QByteArray readFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("missing");
    }

    // New through the dialog with the given shape.
    void createThroughDialog(const QString &columns, const QString &rows, int type = -1)
    {
        mWindow->fileCommands().newDatabase();
        NewDatabaseDialog *form = mWindow->findChild<NewDatabaseDialog *>();
        QVERIFY(form && form->isVisible());
        child<QComboBox>(form, "columnsCombo")->setEditText(columns);
        child<QComboBox>(form, "rowsCombo")->setEditText(rows);
        if (type >= 0)
            child<QComboBox>(form, "fieldTypeCombo")->setCurrentIndex(type);
        QTest::mouseClick(child<QPushButton>(form, "okButton"), Qt::LeftButton);
        QVERIFY(!form->isVisible());
    }

private Q_SLOTS:
    void initTestCase() { initFixture(); }

    void init() { startTest(); }
    void cleanup() { endTest(); }

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

    void stringPreselectedOnlyWithBackupFolder_data()
    {
        QTest::addColumn<bool>("withUser");
        QTest::addColumn<bool>("initialDir");
        QTest::addColumn<int>("selected");
        QTest::newRow("user with folder and initial folder on") << true << true << 0;
        QTest::newRow("initial folder off") << true << false << -1;
        QTest::newRow("no handheld user") << false << true << -1;
    }

    void stringPreselectedOnlyWithBackupFolder()
    {
        QFETCH(bool, withUser);
        QFETCH(bool, initialDir);
        QFETCH(int, selected);
        {
            std::unique_ptr<QSettings> store = openSettingsStore();
            store->setValue(QStringLiteral("Settings/InitialDir"),
                            initialDir ? QStringLiteral("1") : QStringLiteral("0"));
            store->sync();
        }
        if (withUser)
            makeWindow(mOneUser);
        else
            makeWindow();
        QCOMPARE(mWindow->settings().initialDir, initialDir);
        NewDatabaseDialog *form = &mWindow->fileCommands().newDatabaseDialog();
        QCOMPARE(child<QComboBox>(form, "fieldTypeCombo")->currentIndex(), selected);
        QCOMPARE(&mWindow->fileCommands().newDatabaseDialog(), form);
        mWindow.reset(); // before `user` goes
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

    void refusedInputKeepsDialogOpen_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("long name")
            << QStringLiteral("nameEdit") << QString(31, u'n')
            << QStringLiteral("Please use 1 - 30 characters for the database name.");
        QTest::newRow("pasted letters in the rows")
            << QStringLiteral("rowsCombo") << QStringLiteral("ab")
            << QStringLiteral("Please use a numerical value.");
        QTest::newRow("width 301") << QStringLiteral("fieldWidthCombo") << QStringLiteral("301")
                                   << QStringLiteral("Please use 1 - 300 for the field width.");
    }

    void refusedInputKeepsDialogOpen()
    {
        QFETCH(QString, control);
        QFETCH(QString, text);
        QFETCH(QString, message);
        mWindow->fileCommands().newDatabase();
        NewDatabaseDialog *form = mWindow->findChild<NewDatabaseDialog *>();
        QVERIFY(form->isVisible());
        if (auto *edit = form->findChild<QLineEdit *>(control);
            edit && control == QStringLiteral("nameEdit"))
            edit->setText(text);
        else
            form->findChild<QComboBox *>(control)->setEditText(text);
        mPrompter->expect(QStringLiteral("Error"), message, Icon::Error, Buttons::Ok, Answer::Ok);
        QTest::mouseClick(child<QPushButton>(form, "okButton"), Qt::LeftButton);
        QVERIFY(form->isVisible());
        QVERIFY(!mWindow->isDatabaseOpen());
        // The user's input stays for another try.
        const QString shown = control == QStringLiteral("nameEdit")
                                  ? child<QLineEdit>(form, "nameEdit")->text()
                                  : form->findChild<QComboBox *>(control)->currentText();
        QCOMPARE(shown, text);
        QTest::mouseClick(child<QPushButton>(form, "cancelButton"), Qt::LeftButton);
        QVERIFY(!form->isVisible());

        // Opened again, the name has the focus whichever control had it last.
        form->findChild<QComboBox *>(QStringLiteral("rowsCombo"))->setFocus();
        mWindow->fileCommands().newDatabase();
        QVERIFY(form->isVisible());
        QCOMPARE(form->focusWidget(), child<QLineEdit>(form, "nameEdit"));
        form->reject();
    }

    void newReplacesTheDatabase()
    {
        createThroughDialog(QStringLiteral("3"), QStringLiteral("2"), BooleanType);
        QVERIFY(mWindow->isDatabaseOpen());
        QVERIFY(!mWindow->grid()->isHidden());
        const Database &database = windowDatabase();
        QCOMPARE(database.fieldCount(), 3);
        QCOMPARE(database.recordCount(), 2);
        QCOMPARE(database.fieldName(3), QByteArray("Field 3"));
        QCOMPARE(database.fieldType(2), int(BooleanType));
        QCOMPARE(database.name(), QByteArray("New"));
        QVERIFY(!database.isModified());
        QCOMPARE(mWindow->grid()->model()->rowCount(), 2);
        QCOMPARE(mWindow->grid()->model()->columnCount(), 3);
        NewDatabaseDialog *form = mWindow->findChild<NewDatabaseDialog *>();
        QCOMPARE(child<QLineEdit>(form, "nameEdit")->text(), QStringLiteral("New"));
        // The other values stay for the next use.
        QCOMPARE(child<QComboBox>(form, "columnsCombo")->currentText(), QStringLiteral("3"));

        // A changed database asks first; keeping the changes stops New.
        setUpWindowCell(1, 1, "x");
        mPrompter->expect(QStringLiteral("Information"), QStringLiteral("You have not saved*"),
                          Icon::Warning, Buttons::YesNo, Answer::No);
        mWindow->fileCommands().newDatabase();
        QVERIFY(!form->isVisible());
        QCOMPARE(windowDatabase().cell(1, 1), QByteArray("x"));
    }

    void importThroughDialog()
    {
        const QString path =
            writeFile(QStringLiteral("people.csv"), "Name;Age\r\nAnn;30\r\nBob;41\r\n");
        mDialogs->expectOpen(QStringLiteral("Import"), path, int(TextType::Semicolon));
        mWindow->exchangeCommands().importText();
        QVERIFY(mWindow->isDatabaseOpen());
        QCOMPARE(windowDatabase().fieldCount(), 2);
        QCOMPARE(windowDatabase().recordCount(), 2);
        QCOMPARE(windowDatabase().cell(2, 2), QByteArray("41"));
        QCOMPARE(windowDatabase().name(), QByteArray("people"));
        QVERIFY(windowDatabase().isModified());
        QCOMPARE(mWindow->grid()->model()->rowCount(), 2);

        // The open dialog remembers the type for the next Import or Append; an abandoned
        // import leaves the database.
        mPrompter->expect(QStringLiteral("Information"), QStringLiteral("You have not saved*"),
                          Icon::Warning, Buttons::YesNo, Answer::Yes);
        mDialogs->expectOpen(QStringLiteral("Import"), path, int(TextType::Comma));
        mPrompter->expect(QStringLiteral("Information"), FormatQuestion, Icon::Warning,
                          Buttons::OkCancel, Answer::Cancel);
        mWindow->exchangeCommands().importText();
        QCOMPARE(windowDatabase().fieldCount(), 2);
        QCOMPARE(windowDatabase().cell(1, 1), QByteArray("Ann"));

        const QList<FileRequest> &requests = mDialogs->requests();
        QCOMPARE(requests.size(), 2);
        QCOMPARE(requests[0].filter, importFilterTextWithCsv());
        QCOMPARE(requests[0].filterIndex, 1);
        QCOMPARE(requests[0].defaultSuffix, QStringLiteral("CSV"));
        QCOMPARE(requests[1].filterIndex, 2);
        QCOMPARE(requests[1].defaultSuffix, QStringLiteral("csv"));
    }

    void appendThroughDialog()
    {
        createThroughDialog(QStringLiteral("2"), QStringLiteral("3"));
        const QString path = writeFile(QStringLiteral("more.TXT"), "a\tb\r\nc\td\r\n");
        mDialogs->expectOpen(QStringLiteral("Append"), path, int(TextType::Tab));
        mWindow->exchangeCommands().appendText();
        QCOMPARE(windowDatabase().recordCount(), 5);
        QCOMPARE(windowDatabase().cell(1, 4), QByteArray("a"));
        QCOMPARE(windowDatabase().cell(2, 5), QByteArray("d"));
        QCOMPARE(mWindow->grid()->model()->rowCount(), 5);
        QCOMPARE(mWindow->currentRecord(), 5);
        QVERIFY(windowDatabase().isModified());
        QCOMPARE(mDialogs->requests().last().defaultSuffix, QStringLiteral("CSV"));

        // Comma text of any extension: read as comma, and no extension is proposed next time.
        const QString any = writeFile(QStringLiteral("more.dat"), "e,f\r\n");
        mDialogs->expectOpen(QStringLiteral("Append"), any, int(TextType::CommaAny));
        mPrompter->expect(QStringLiteral("Information"), FormatQuestion, Icon::Warning,
                          Buttons::OkCancel, Answer::Ok);
        mWindow->exchangeCommands().appendText();
        QCOMPARE(windowDatabase().cell(2, 6), QByteArray("f"));
        mDialogs->expectOpen(QStringLiteral("Append"), QString(), int(TextType::CommaAny));
        mWindow->exchangeCommands().appendText();
        QCOMPARE(mDialogs->requests().last().filterIndex, 4);
        QCOMPARE(mDialogs->requests().last().defaultSuffix, QString());
        QCOMPARE(windowDatabase().recordCount(), 6);
    }

    void exportThroughDialog()
    {
        createThroughDialog(QStringLiteral("2"), QStringLiteral("1"));
        setUpWindowCell(1, 1, "x");
        const QString path = mTemp->filePath(QStringLiteral("out.TXT"));
        mDialogs->expectSave(QStringLiteral("Export"), path, int(TextType::Tab));
        mWindow->exchangeCommands().exportText();
        QCOMPARE(readFile(path), QByteArray("Field 1\tField 2\r\nx\t\r\n"));
        mDialogs->expectSave(QStringLiteral("Export"), QString(), int(TextType::Tab));
        mWindow->exchangeCommands().exportText();

        const QList<FileRequest> &requests = mDialogs->requests();
        QCOMPARE(requests.size(), 2);
        QCOMPARE(requests[0].filter, exportFilterTextWithCsv());
        QCOMPARE(requests[0].proposedName, QStringLiteral("New"));
        QVERIFY(requests[0].askBeforeOverwrite);
        QCOMPARE(requests[0].defaultSuffix, QStringLiteral("CSV"));
        QCOMPARE(requests[1].filterIndex, 3);
        QCOMPARE(requests[1].defaultSuffix, QStringLiteral("TXT"));
    }

    void standardCsvThroughDialogs()
    {
        // Standard CSV is the fifth entry of the open dialog and the fourth of the save dialog;
        // the encoding is asked after the file.
        createThroughDialog(QStringLiteral("2"), QStringLiteral("1"));
        const QString in = writeFile(QStringLiteral("in.csv"),
                                     "Name,City\nJ\xC3\xBCrgen,\"K\xC3\xB6ln, \"\"Alt\"\"\"\n");
        const QString reading = QStringLiteral(
            "Is the file in UTF-8?\nYes: UTF-8, as most programs of today write it.\nNo: the "
            "code page windows-1252 of the display font.");
        mDialogs->expectOpen(QStringLiteral("Append"), in, 5);
        mPrompter->expect(QStringLiteral("Standard CSV"), reading, Icon::Question,
                          Buttons::YesNoCancel, Answer::Cancel);
        mWindow->exchangeCommands().appendText();
        QCOMPARE(windowDatabase().recordCount(), 1);
        QCOMPARE(mDialogs->requests().last().filter, importFilterTextWithCsv());

        mDialogs->expectOpen(QStringLiteral("Append"), in, 5);
        mPrompter->expect(QStringLiteral("Standard CSV"), reading, Icon::Question,
                          Buttons::YesNoCancel, Answer::Yes);
        mWindow->exchangeCommands().appendText();
        QCOMPARE(windowDatabase().recordCount(), 3);
        QCOMPARE(windowDatabase().cell(1, 3), QByteArray("J\xFCrgen"));
        QCOMPARE(windowDatabase().cell(2, 3), QByteArray("K\xF6ln, \"Alt\""));

        const QString out = mTemp->filePath(QStringLiteral("out.csv"));
        mDialogs->expectSave(QStringLiteral("Export"), out, 4);
        mPrompter->expect(QStringLiteral("Standard CSV"),
                          QStringLiteral("Write the file in UTF-8?*"), Icon::Question,
                          Buttons::YesNoCancel, Answer::No);
        mWindow->exchangeCommands().exportText();
        QCOMPARE(readFile(out), QByteArray("Field 1,Field 2\r\n,\r\nName,City\r\n"
                                           "J\xFCrgen,\"K\xF6ln, \"\"Alt\"\"\"\r\n"));
        mDialogs->expectSave(QStringLiteral("Export"), QString(), 4);
        mWindow->exchangeCommands().exportText();
        QCOMPARE(mDialogs->requests().last().filterIndex, 4);
        QCOMPARE(mDialogs->requests().last().defaultSuffix, QStringLiteral("csv"));
    }
};

QTEST_MAIN(TestNewDatabase)
#include "tst_new_database.moc"
