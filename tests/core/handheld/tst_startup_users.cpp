// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/handheld/startup_users.h"
#include "handheld_fixture.h"
#include "scripted_prompter.h"
#include "test_regional.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

using namespace kribed;
using kribed::test::testRegional;
using namespace kribed::test;

// The start-up word about the missing Palm Desktop software: once per user where nobody has it,
// at every start on Windows, never when the software is there.
class TestStartupUsers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void missingDesktopNotice_data()
    {
        QTest::addColumn<bool>("desktopThere");
        QTest::addColumn<bool>("everyStart");
        QTest::addColumn<QList<bool>>("shownPerStart");
        QTest::newRow("missing: told at the first start only")
            << false << false << QList<bool>{true, false, false};
        QTest::newRow("missing, every start (Windows)")
            << false << true << QList<bool>{true, true, true};
        QTest::newRow("present: never told") << true << false << QList<bool>{false, false};
    }

    void missingDesktopNotice()
    {
        QFETCH(bool, desktopThere);
        QFETCH(bool, everyStart);
        QFETCH(QList<bool>, shownPerStart);

        QTemporaryDir dir;
        if (desktopThere) {
            QVERIFY(writeHandheldIni(
                dir.path(), HandheldRegistry::primaryOrganisation(),
                {{QStringLiteral("Core/Path"), dir.filePath(QStringLiteral("Palm"))}}));
        }
        const QString programIni = dir.filePath(QStringLiteral("KRE/Kribed.ini"));
        const MissingDesktopNotice notice =
            everyStart ? MissingDesktopNotice::EveryStart : MissingDesktopNotice::FirstStartOnly;
        for (int start = 0; start < shownPerStart.size(); ++start) {
            // Every start reads the store afresh, as a new process would.
            QSettings store(programIni, QSettings::IniFormat);
            ScriptedPrompter prompter;
            if (shownPerStart[start]) {
                prompter.expect(QStringLiteral("Kribed"),
                                QStringLiteral("The Desktop software for the Palm Computing(R) "
                                               "Platform is not correctly installed.\n"
                                               "Nevertheless you can use Kribed without problems."),
                                Icon::Error, Buttons::Ok, Answer::Ok);
            }
            const auto users = readUsersAtStart(prompter, store, testRegional(),
                                                HandheldRegistry(dir.path()), notice);
            QVERIFY2(prompter.failures().isEmpty(),
                     qPrintable(QStringLiteral("start %1: ").arg(start + 1) + prompter.failures()));
            QCOMPARE(users->desktopMissing(), !desktopThere);
            QCOMPARE(users->count(), 0);
        }
    }
};

QTEST_GUILESS_MAIN(TestStartupUsers)
#include "tst_startup_users.moc"
