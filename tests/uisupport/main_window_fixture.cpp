// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "main_window_fixture.h"

#include "core/model/regional.h"
#include "core/platform/settings.h"
#include "gui/dialogs/new_database_dialog.h"
#include "gui/grid/database_document.h"
#include "history_checks.h"
#include "named_child.h"
#include "pdb_builder.h"
#include "table_database.h"
#include "test_regional.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTableView>
#include <QTest>

namespace kribed::test {

QByteArray kunden(int fields, int records, const QByteArray &name)
{
    PdbBuilder builder;
    builder.name(name);
    for (int field = 1; field <= fields; ++field)
        builder.field("Feld" + QByteArray::number(field));
    for (int record = 1; record <= records; ++record) {
        QList<QByteArray> values;
        for (int field = 1; field <= fields; ++field)
            values << QByteArray::number(record * 10 + field);
        builder.record(values);
    }
    builder.dates(3'800'000'000u);
    return builder.build();
}

QByteArray database(const QByteArray &name, int records)
{
    PdbBuilder builder;
    builder.name(name);
    builder.field("Name");
    for (int record = 1; record <= records; ++record)
        builder.record({"R" + QByteArray::number(record)});
    return builder.build();
}

void MainWindowFixture::initFixture()
{
    QStandardPaths::setTestModeEnabled(true);
}

void MainWindowFixture::clearStore()
{
    std::unique_ptr<QSettings> store = openSettingsStore();
    store->clear();
    store->sync();
}

void MainWindowFixture::startTest(bool shown)
{
    makeTemp();
    clearStore();
    makeWindow();
    if (shown)
        showWindow();
}

void MainWindowFixture::endTest()
{
    verifyScripts();
    closeWindow();
}

void MainWindowFixture::makeTemp()
{
    mTemp = std::make_unique<QTemporaryDir>();
    if (!mTemp->isValid())
        qFatal("cannot make the test folder");
}

void MainWindowFixture::makeWindow(UserList &users)
{
    mWindow.reset();
    failOnHistoryEnded();
    mPrompter = std::make_unique<ScriptedPrompter>();
    mDialogs = std::make_unique<ScriptedFileDialogs>();
    mWindow = std::make_unique<MainWindow>(*mPrompter, *mDialogs, users);
    // US English rules in the code page the window took from its display font.
    DatabaseDocument &document = mWindow->document();
    document.setRegional(testRegional(document.regional().codePage()));
}

void MainWindowFixture::showWindow()
{
    mWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(mWindow.get()));
}

void MainWindowFixture::verifyScripts()
{
    if (mPrompter)
        KRIBED_VERIFY_PROMPTER(*mPrompter);
    if (mDialogs)
        KRIBED_VERIFY_DIALOGS(*mDialogs);
}

void MainWindowFixture::closeWindow()
{
    if (mWindow)
        mWindow->document().history().markSaved();
    mWindow.reset();
}

QString MainWindowFixture::writeFile(const QString &name, const QByteArray &bytes)
{
    const QString path = mTemp->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write the fixture");
    return path;
}

void MainWindowFixture::openThroughDialog(const QString &path)
{
    mDialogs->expectOpen(QStringLiteral("Open Kribo database"), path);
    mWindow->commandGroups().get<FileCommands>().openDatabase();
}

void MainWindowFixture::openBytes(const QString &name, const QByteArray &bytes)
{
    openThroughDialog(writeFile(name, bytes));
    QVERIFY(mWindow->isDatabaseOpen());
}

void MainWindowFixture::openTable(const QList<QByteArrayList> &table)
{
    DocumentDoor(mWindow->document()).resetWith([&](Database &database) {
        fillFromTable(database, table);
        database.clearModified();
    });
    mWindow->setDatabaseOpen(true);
}

void MainWindowFixture::createThroughDialog(const QString &columns, const QString &rows, int type)
{
    mWindow->commandGroups().get<FileCommands>().newDatabase();
    NewDatabaseDialog *form = mWindow->findChild<NewDatabaseDialog *>();
    QVERIFY(form && form->isVisible());
    child<QComboBox>(form, "columnsCombo")->setEditText(columns);
    child<QComboBox>(form, "rowsCombo")->setEditText(rows);
    if (type >= 0)
        child<QComboBox>(form, "fieldTypeCombo")->setCurrentIndex(type);
    QTest::mouseClick(child<QPushButton>(form, "okButton"), Qt::LeftButton);
    QVERIFY(!form->isVisible());
}

QAction *MainWindowFixture::windowAction(const QString &name) const
{
    return mWindow->findChild<QAction *>(name);
}

bool MainWindowFixture::enabled(const char *name) const
{
    return windowAction(QString::fromLatin1(name))->isEnabled();
}

QString MainWindowFixture::panel(int index) const
{
    return mWindow->statusPanel(index)->text();
}

void MainWindowFixture::typeInto(int field, int record, const QString &text)
{
    QAbstractItemModel *model = mWindow->grid()->model();
    QVERIFY(model->setData(model->index(record - 1, field - 1), text));
}

const Database &MainWindowFixture::windowDatabase()
{
    return mWindow->document().database();
}

DatabaseDocument &MainWindowFixture::windowDocument()
{
    return mWindow->document();
}

void MainWindowFixture::setUpWindowCell(int field, int record, const QByteArray &text)
{
    DocumentDoor(windowDocument())
        .changeCells(field, record, field, record,
                     [&](Database &database) { database.setCell(field, record, text); });
    windowDocument().markChanged();
}

} // namespace kribed::test
