// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/handheld/desktop_ini.h"
#include "core/handheld/user_data.h"
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/regional.h"
#include "gui/dialogs/properties_dialog.h"
#include "gui/grid/database_document.h"
#include "gui/window/main_window.h"
#include "handheld_fixture.h"
#include "main_window_fixture.h"
#include "pdb_builder.h"
#include "test_regional.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace kribed;
using kribed::test::testRegional;
using namespace kribed::test;

namespace {

const QString SavedReadyText = QStringLiteral("The Database is saved and ready for synchronizing.");
const QString ReadyText = QStringLiteral("The Database is ready for synchronizing.");

QByteArray kunden()
{
    PdbBuilder builder;
    builder.name("Kunden");
    builder.field("Name").field("Ort");
    builder.record({"Meier", "Bonn"}).record({"Schulz", "Berlin"});
    builder.dates(3'800'000'000u);
    return builder.build();
}

} // namespace

class TestMainWindowHandheld
    : public QObject
    , private MainWindowFixture
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void installCommand_data();
    void installCommand();
    void installWithAutoSizing();
    void installDisabledWithoutUsers();
    void propertiesCommand();
    void propertiesCancelKeepsTheDatabase();

private:
    // Two handheld users, the second being the Desktop's last one; Kunden.PDB open in the window.
    void makeWindow(bool withUsers);
    QString installFlag(const QString &name) const;
    PropertiesDialog *Properties() const { return mWindow->findChild<PropertiesDialog *>(); }

    QString mData;
    QString mOwnFile;
    std::unique_ptr<UserData> mUsers;
};

void TestMainWindowHandheld::initTestCase()
{
    initFixture();
}

void TestMainWindowHandheld::init()
{
    makeTemp();
    mData = mTemp->filePath(QStringLiteral("Palm"));
}

void TestMainWindowHandheld::cleanup()
{
    endTest();
}

void TestMainWindowHandheld::makeWindow(bool withUsers)
{
    const QList<FixtureUser> users{{3, "Anna", "AnnaK"}, {258, "Bert M", "Bert M"}};
    QVERIFY(writeUsersDat(
        mData, usersDatBytes(withUsers ? 2 : 0, withUsers ? users : QList<FixtureUser>())));
    QVERIFY(
        writeHandheldIni(mTemp->path(), HandheldRegistry::primaryOrganisation(),
                         {{QStringLiteral("Core/Path"), mData},
                          {QStringLiteral("Preferences/LastUserName"), QStringLiteral("Bert M")},
                          {QStringLiteral("HotSync Manager/Install3"), 0}}));
    mPrompter = std::make_unique<ScriptedPrompter>();
    mDialogs = std::make_unique<ScriptedFileDialogs>();
    mUsers =
        std::make_unique<UserData>(*mPrompter, testRegional(), HandheldRegistry(mTemp->path()));
    mWindow = std::make_unique<MainWindow>(*mPrompter, *mDialogs, *mUsers);
    mWindow->setSelectedUser(mUsers->lastUserIndex());

    mOwnFile = writeFile(QStringLiteral("Kunden.PDB"), kunden());
    openThroughDialog(mOwnFile);
    QVERIFY(mWindow->isDatabaseOpen());
}

QString TestMainWindowHandheld::installFlag(const QString &name) const
{
    // Read as the program reads it: QSettings may answer from its cache of the file it wrote.
    DesktopIni ini;
    if (!ini.load(HandheldRegistry(mTemp->path()).iniFile(HandheldRegistry::primaryOrganisation())))
        return QStringLiteral("unreadable");
    return ini.value(QStringLiteral("HotSync Manager"), name).value_or(QString());
}

void TestMainWindowHandheld::installCommand_data()
{
    QTest::addColumn<bool>("saveAtInstall");
    QTest::addColumn<bool>("expertMode");
    QTest::addColumn<QString>("told");

    QTest::newRow("save at install") << true << false << SavedReadyText;
    QTest::newRow("copy only") << false << false << ReadyText;
    QTest::newRow("expert mode: nothing told") << true << true << QString();
}

void TestMainWindowHandheld::installCommand()
{
    QFETCH(bool, saveAtInstall);
    QFETCH(bool, expertMode);
    QFETCH(QString, told);

    makeWindow(true);
    QAction *install = windowAction(QStringLiteral("actionInstall"));
    QVERIFY(install->isEnabled());
    QCOMPARE(install->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_I));
    mWindow->settings().saveAtInstall = saveAtInstall;
    mWindow->settings().expertMode = expertMode;
    setUpWindowCell(1, 1, "Maier");
    mWindow->document().setModified();

    if (!told.isEmpty())
        mPrompter->expect(QStringLiteral("Kribed-pro"), told, Icon::None, Buttons::Ok, Answer::Ok);
    install->trigger();
    KRIBED_VERIFY_PROMPTER(*mPrompter);

    // The Desktop's last user, the second one, without any choice in the dialog.
    QVERIFY(QFileInfo::exists(mData + QStringLiteral("/Bert M/Install/Kunden.pdb")));
    QCOMPARE(installFlag(QStringLiteral("Install258")), QStringLiteral("1"));
    QCOMPARE(installFlag(QStringLiteral("Install3")), QStringLiteral("0"));
    QCOMPARE(windowDatabase().isModified(), !saveAtInstall);
    QCOMPARE(windowDatabase().filePath(), mOwnFile);
    QCOMPARE(QFileInfo::exists(mTemp->filePath(QStringLiteral("Kunden.pd_"))), saveAtInstall);
    QFile own(mOwnFile);
    QVERIFY(own.open(QIODevice::ReadOnly));
    QCOMPARE(own.readAll() == kunden(), !saveAtInstall);
}

void TestMainWindowHandheld::installWithAutoSizing()
{
    makeWindow(true);
    mWindow->toolsCommands().autoSizeColumns(true);
    QVERIFY(mWindow->toolsCommands().isAutoSizing());
    mPrompter->expect(QStringLiteral("Information"),
                      QStringLiteral("The column width is changed by auto-width*"), Icon::Warning,
                      Buttons::YesNoCancel, Answer::Cancel);
    mWindow->fileCommands().install();
    KRIBED_VERIFY_PROMPTER(*mPrompter);
    // Cancel stops the copy but keeps the folder and the flag, and auto sizing stays on.
    QVERIFY(mWindow->toolsCommands().isAutoSizing());
    QVERIFY(QFileInfo(mData + QStringLiteral("/Bert M/Install")).isDir());
    QVERIFY(!QFileInfo::exists(mData + QStringLiteral("/Bert M/Install/Kunden.pdb")));
    QCOMPARE(installFlag(QStringLiteral("Install258")), QStringLiteral("1"));

    mPrompter->expect(QStringLiteral("Information"),
                      QStringLiteral("The column width is changed by auto-width*"), Icon::Warning,
                      Buttons::YesNoCancel, Answer::Yes);
    mPrompter->expect(QStringLiteral("Kribed-pro"), SavedReadyText, Icon::None, Buttons::Ok,
                      Answer::Ok);
    mWindow->fileCommands().install();
    QVERIFY(QFileInfo::exists(mData + QStringLiteral("/Bert M/Install/Kunden.pdb")));
    QVERIFY(mWindow->toolsCommands().isAutoSizing());
}

void TestMainWindowHandheld::installDisabledWithoutUsers()
{
    makeWindow(false);
    QCOMPARE(mUsers->count(), 0);
    QVERIFY(!windowAction(QStringLiteral("actionInstall"))->isEnabled());
    mWindow->fileCommands().install();
    QVERIFY(!QFileInfo::exists(mData + QStringLiteral("/Install")));
}

void TestMainWindowHandheld::propertiesCommand()
{
    makeWindow(true);
    mWindow->setCurrentCell(2, 1);
    mWindow->propertiesCommands().editProperties();
    PropertiesDialog *form = Properties();
    QVERIFY(form);
    QVERIFY(form->isVisible());
    QCOMPARE(form->findChild<QLineEdit *>(QStringLiteral("fieldNameEdit"))->text(),
             QStringLiteral("Ort"));
    auto *user = form->findChild<QComboBox *>(QStringLiteral("userCombo"));
    QCOMPARE(user->currentText(), QStringLiteral("Bert M"));

    form->findChild<QLineEdit *>(QStringLiteral("nameEdit"))->setText(QStringLiteral("Kunden 2"));
    form->findChild<QLineEdit *>(QStringLiteral("fieldNameEdit"))->setText(QStringLiteral("Stadt"));
    form->findChild<QComboBox *>(QStringLiteral("fieldTypeCombo"))->setCurrentIndex(BooleanType);
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
    mWindow->propertiesCommands().editProperties();
    QCOMPARE(Properties(), form);
    QCOMPARE(user->currentText(), QStringLiteral("Anna"));
    form->reject();
    mWindow->fileCommands().install();
    QVERIFY(QFileInfo::exists(mData + QStringLiteral("/AnnaK/Install/Kunden.pdb")));
    QCOMPARE(installFlag(QStringLiteral("Install3")), QStringLiteral("1"));
}

void TestMainWindowHandheld::propertiesCancelKeepsTheDatabase()
{
    makeWindow(true);
    mWindow->propertiesCommands().editProperties();
    PropertiesDialog *form = Properties();
    form->findChild<QLineEdit *>(QStringLiteral("nameEdit"))->setText(QStringLiteral("Other"));
    form->findChild<QCheckBox *>(QStringLiteral("expertModeCheckBox"))->setChecked(true);
    form->reject();
    QCOMPARE(windowDatabase().name(), QByteArray("Kunden"));
    QVERIFY(!windowDatabase().isModified());
    QVERIFY(!mWindow->settings().expertMode);
}

QTEST_MAIN(TestMainWindowHandheld)
#include "tst_main_window_handheld.moc"
