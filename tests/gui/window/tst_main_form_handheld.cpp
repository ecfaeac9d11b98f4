// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/handheld/desktop_ini.h"
#include "core/handheld/user_data.h"
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/regional.h"
#include "gui/dialogs/properties_form.h"
#include "gui/grid/database_document.h"
#include "gui/window/main_form.h"
#include "handheld_fixture.h"
#include "main_form_fixture.h"
#include "pdb_builder.h"

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

class TestMainFormHandheld
    : public QObject
    , private MainFormFixture
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
    void MakeWindow(bool withUsers);
    QString InstallFlag(const QString &name) const;
    TPropertiesForm *Properties() const { return mForm->findChild<TPropertiesForm *>(); }

    QString mData;
    QString mOwnFile;
    std::unique_ptr<UserData> mUsers;
};

void TestMainFormHandheld::initTestCase()
{
    InitTestCase();
}

void TestMainFormHandheld::init()
{
    MakeTemp();
    mData = mTemp->filePath(QStringLiteral("Palm"));
}

void TestMainFormHandheld::cleanup()
{
    EndTest();
}

void TestMainFormHandheld::MakeWindow(bool withUsers)
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
    mUsers = std::make_unique<UserData>(*mPrompter, HandheldRegistry(mTemp->path()));
    mForm = std::make_unique<TMainForm>(*mPrompter, *mDialogs, *mUsers);
    mForm->SetSelectedUser(mUsers->lastUserIndex());

    mOwnFile = writeFile(QStringLiteral("Kunden.PDB"), kunden());
    OpenThroughDialog(mOwnFile);
    QVERIFY(mForm->IsDatabaseOpen());
}

QString TestMainFormHandheld::InstallFlag(const QString &name) const
{
    // Read as the program reads it: QSettings may answer from its cache of the file it wrote.
    DesktopIni ini;
    if (!ini.load(HandheldRegistry(mTemp->path()).iniFile(HandheldRegistry::primaryOrganisation())))
        return QStringLiteral("unreadable");
    return ini.value(QStringLiteral("HotSync Manager"), name).value_or(QString());
}

void TestMainFormHandheld::installCommand_data()
{
    QTest::addColumn<bool>("saveAtInstall");
    QTest::addColumn<bool>("expertMode");
    QTest::addColumn<QString>("told");

    QTest::newRow("save at install") << true << false << SavedReadyText;
    QTest::newRow("copy only") << false << false << ReadyText;
    QTest::newRow("expert mode: nothing told") << true << true << QString();
}

void TestMainFormHandheld::installCommand()
{
    QFETCH(bool, saveAtInstall);
    QFETCH(bool, expertMode);
    QFETCH(QString, told);

    MakeWindow(true);
    QAction *install = mForm->Action(QStringLiteral("Install1"));
    QVERIFY(install->isEnabled());
    QCOMPARE(install->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_I));
    mForm->AppSettings().saveAtInstall = saveAtInstall;
    mForm->AppSettings().expertMode = expertMode;
    Data().setCell(1, 1, "Maier");
    mForm->Document().setModified();

    if (!told.isEmpty())
        mPrompter->expect(QStringLiteral("Kribed-pro"), told, Icon::None, Buttons::Ok, Answer::Ok);
    install->trigger();
    KRIBED_VERIFY_PROMPTER(*mPrompter);

    // The Desktop's last user, the second one, without any choice in the dialog.
    QVERIFY(QFileInfo::exists(mData + QStringLiteral("/Bert M/Install/Kunden.pdb")));
    QCOMPARE(InstallFlag(QStringLiteral("Install258")), QStringLiteral("1"));
    QCOMPARE(InstallFlag(QStringLiteral("Install3")), QStringLiteral("0"));
    QCOMPARE(Data().isModified(), !saveAtInstall);
    QCOMPARE(Data().filePath(), mOwnFile);
    QCOMPARE(QFileInfo::exists(mTemp->filePath(QStringLiteral("Kunden.pd_"))), saveAtInstall);
    QFile own(mOwnFile);
    QVERIFY(own.open(QIODevice::ReadOnly));
    QCOMPARE(own.readAll() == kunden(), !saveAtInstall);
}

void TestMainFormHandheld::installWithAutoSizing()
{
    MakeWindow(true);
    mForm->autoSizeColumns(true);
    QVERIFY(mForm->IsAutoSizing());
    mPrompter->expect(QStringLiteral("Information"),
                      QStringLiteral("The column width is changed by auto-width*"), Icon::Warning,
                      Buttons::YesNoCancel, Answer::Cancel);
    mForm->Install1Click();
    KRIBED_VERIFY_PROMPTER(*mPrompter);
    // Cancel stops the copy but keeps the folder and the flag, and auto sizing stays on.
    QVERIFY(mForm->IsAutoSizing());
    QVERIFY(QFileInfo(mData + QStringLiteral("/Bert M/Install")).isDir());
    QVERIFY(!QFileInfo::exists(mData + QStringLiteral("/Bert M/Install/Kunden.pdb")));
    QCOMPARE(InstallFlag(QStringLiteral("Install258")), QStringLiteral("1"));

    mPrompter->expect(QStringLiteral("Information"),
                      QStringLiteral("The column width is changed by auto-width*"), Icon::Warning,
                      Buttons::YesNoCancel, Answer::Yes);
    mPrompter->expect(QStringLiteral("Kribed-pro"), SavedReadyText, Icon::None, Buttons::Ok,
                      Answer::Ok);
    mForm->Install1Click();
    QVERIFY(QFileInfo::exists(mData + QStringLiteral("/Bert M/Install/Kunden.pdb")));
    QVERIFY(mForm->IsAutoSizing());
}

void TestMainFormHandheld::installDisabledWithoutUsers()
{
    MakeWindow(false);
    QCOMPARE(mUsers->count(), 0);
    QVERIFY(!mForm->Action(QStringLiteral("Install1"))->isEnabled());
    mForm->Install1Click();
    QVERIFY(!QFileInfo::exists(mData + QStringLiteral("/Install")));
}

void TestMainFormHandheld::propertiesCommand()
{
    MakeWindow(true);
    mForm->SetCurrentCell(2, 1);
    mForm->Properties1Click();
    TPropertiesForm *form = Properties();
    QVERIFY(form);
    QVERIFY(form->isVisible());
    QCOMPARE(form->findChild<QLineEdit *>(QStringLiteral("E_FieldName"))->text(),
             QStringLiteral("Ort"));
    auto *user = form->findChild<QComboBox *>(QStringLiteral("CB_User"));
    QCOMPARE(user->currentText(), QStringLiteral("Bert M"));

    form->findChild<QLineEdit *>(QStringLiteral("E_Name"))->setText(QStringLiteral("Kunden 2"));
    form->findChild<QLineEdit *>(QStringLiteral("E_FieldName"))->setText(QStringLiteral("Stadt"));
    form->findChild<QComboBox *>(QStringLiteral("C_FieldType"))->setCurrentIndex(BooleanType);
    user->setCurrentIndex(0);
    form->findChild<QCheckBox *>(QStringLiteral("CB_SaveAtInstall"))->setChecked(false);
    form->findChild<QCheckBox *>(QStringLiteral("CB_ExpertMode"))->setChecked(true);
    form->B_OKClick();
    QVERIFY(!form->isVisible());

    const Database &database = Data();
    QCOMPARE(database.name(), QByteArray("Kunden 2"));
    QCOMPARE(database.fieldName(2), QByteArray("Stadt"));
    QCOMPARE(database.fieldType(2), int(BooleanType));
    QVERIFY(database.isModified());
    QCOMPARE(mForm->Grid()->model()->headerData(1, Qt::Horizontal).toString(),
             QStringLiteral("Stadt"));
    QCOMPARE(mForm->SelectedUser(), 0);
    QVERIFY(!mForm->AppSettings().saveAtInstall);
    QVERIFY(mForm->AppSettings().expertMode);

    // The same dialog comes back, and Install now goes to the first user, silently.
    mForm->Properties1Click();
    QCOMPARE(Properties(), form);
    QCOMPARE(user->currentText(), QStringLiteral("Anna"));
    form->reject();
    mForm->Install1Click();
    QVERIFY(QFileInfo::exists(mData + QStringLiteral("/AnnaK/Install/Kunden.pdb")));
    QCOMPARE(InstallFlag(QStringLiteral("Install3")), QStringLiteral("1"));
}

void TestMainFormHandheld::propertiesCancelKeepsTheDatabase()
{
    MakeWindow(true);
    mForm->Properties1Click();
    TPropertiesForm *form = Properties();
    form->findChild<QLineEdit *>(QStringLiteral("E_Name"))->setText(QStringLiteral("Other"));
    form->findChild<QCheckBox *>(QStringLiteral("CB_ExpertMode"))->setChecked(true);
    form->reject();
    QCOMPARE(Data().name(), QByteArray("Kunden"));
    QVERIFY(!Data().isModified());
    QVERIFY(!mForm->AppSettings().expertMode);
}

QTEST_MAIN(TestMainFormHandheld)
#include "tst_main_form_handheld.moc"
