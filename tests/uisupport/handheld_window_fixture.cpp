// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "handheld_window_fixture.h"

#include "core/handheld/desktop_ini.h"
#include "handheld_fixture.h"
#include "pdb_builder.h"
#include "test_regional.h"

#include <QTest>

namespace kribed::test {

QByteArray kunden()
{
    PdbBuilder builder;
    builder.name("Kunden");
    builder.field("Name").field("Ort");
    builder.record({"Meier", "Bonn"}).record({"Schulz", "Berlin"});
    builder.dates(3'800'000'000u);
    return builder.build();
}

void HandheldWindowFixture::makeWindow(bool withUsers)
{
    // The window before goes first: it may hold the user list replaced here.
    mWindow.reset();
    mData = mTemp->filePath(QStringLiteral("Palm"));
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

QString HandheldWindowFixture::installFlag(const QString &name) const
{
    // Read as the program reads it: QSettings may answer from its cache of the file it wrote.
    DesktopIni ini;
    if (!ini.load(HandheldRegistry(mTemp->path()).iniFile(HandheldRegistry::primaryOrganisation())))
        return QStringLiteral("unreadable");
    return ini.value(QStringLiteral("HotSync Manager"), name).value_or(QString());
}

} // namespace kribed::test
