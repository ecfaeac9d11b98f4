// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "main_form_fixture.h"

#include "core/model/regional.h"
#include "core/platform/settings.h"
#include "gui/grid/database_document.h"

#include <QAction>
#include <QFile>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

namespace kribed::test {

void MainFormFixture::InitTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    setCurrentRegional(Regional(QLocale(QStringLiteral("en_US"))));
}

void MainFormFixture::ClearStore()
{
    std::unique_ptr<QSettings> store = openSettingsStore();
    store->clear();
    store->sync();
}

void MainFormFixture::StartTest(bool shown)
{
    MakeTemp();
    ClearStore();
    MakeForm();
    if (shown)
        ShowForm();
}

void MainFormFixture::EndTest()
{
    VerifyScripts();
    CloseForm();
}

void MainFormFixture::MakeTemp()
{
    mTemp = std::make_unique<QTemporaryDir>();
    if (!mTemp->isValid())
        qFatal("cannot make the test folder");
}

void MainFormFixture::MakeForm(UserList &users)
{
    mForm.reset();
    mPrompter = std::make_unique<ScriptedPrompter>();
    mDialogs = std::make_unique<ScriptedFileDialogs>();
    mForm = std::make_unique<TMainForm>(*mPrompter, *mDialogs, users);
}

void MainFormFixture::ShowForm()
{
    mForm->show();
    QVERIFY(QTest::qWaitForWindowExposed(mForm.get()));
}

void MainFormFixture::VerifyScripts()
{
    if (mPrompter)
        KRIBED_VERIFY_PROMPTER(*mPrompter);
    if (mDialogs)
        KRIBED_VERIFY_DIALOGS(*mDialogs);
}

void MainFormFixture::CloseForm()
{
    if (mForm)
        mForm->Document().clearModified();
    mForm.reset();
}

QString MainFormFixture::writeFile(const QString &name, const QByteArray &bytes)
{
    const QString path = mTemp->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write the fixture");
    return path;
}

void MainFormFixture::OpenThroughDialog(const QString &path)
{
    mDialogs->ExpectOpen(QStringLiteral("Open Kribo database"), path);
    mForm->Open1Click();
}

void MainFormFixture::OpenBytes(const QString &name, const QByteArray &bytes)
{
    OpenThroughDialog(writeFile(name, bytes));
    QVERIFY(mForm->IsDatabaseOpen());
}

bool MainFormFixture::Enabled(const char *name) const
{
    return mForm->Action(QString::fromLatin1(name))->isEnabled();
}

Database &MainFormFixture::Data()
{
    return mForm->Document().Data();
}

} // namespace kribed::test
