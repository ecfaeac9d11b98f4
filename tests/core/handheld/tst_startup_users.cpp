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
// at every start on Windows, never when the software is there, and no more once its box "Do not
// show this again" was ticked.
class TestStartupUsers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void missingDesktopNotice_data()
    {
        QTest::addColumn<bool>("desktopThere");
        QTest::addColumn<bool>("everyStart");
        QTest::addColumn<QList<bool>>("shownPerStart");
        QTest::addColumn<QList<bool>>("ticked"); // "Do not show this again", per showing
        QTest::newRow("missing: told at the first start only")
            << false << false << QList<bool>{true, false, false} << QList<bool>{false};
        QTest::newRow("missing, every start (Windows)")
            << false << true << QList<bool>{true, true, true} << QList<bool>{false, false, false};
        QTest::newRow("every start until the box is ticked")
            << false << true << QList<bool>{true, true, false, false} << QList<bool>{false, true};
        QTest::newRow("ticked at the first start")
            << false << true << QList<bool>{true, false} << QList<bool>{true};
        QTest::newRow("ticked where told once")
            << false << false << QList<bool>{true, false} << QList<bool>{true};
        QTest::newRow("present: never told")
            << true << false << QList<bool>{false, false} << QList<bool>{};
        QTest::newRow("present, every start: never told")
            << true << true << QList<bool>{false, false} << QList<bool>{};
    }

    void missingDesktopNotice()
    {
        QFETCH(bool, desktopThere);
        QFETCH(bool, everyStart);
        QFETCH(QList<bool>, shownPerStart);
        QFETCH(QList<bool>, ticked);

        QTemporaryDir dir;
        if (desktopThere) {
            QVERIFY(writeHandheldIni(
                dir.path(), HandheldRegistry::primaryOrganisation(),
                {{QStringLiteral("Core/Path"), dir.filePath(QStringLiteral("Palm"))}}));
        }
        const QString programIni = dir.filePath(QStringLiteral("KRE/Kribed.ini"));
        const MissingDesktopNotice notice =
            everyStart ? MissingDesktopNotice::EveryStart : MissingDesktopNotice::FirstStartOnly;
        qsizetype showing = 0;
        for (int start = 0; start < shownPerStart.size(); ++start) {
            // Every start reads the store afresh, as a new process would.
            QSettings store(programIni, QSettings::IniFormat);
            ScriptedPrompter prompter;
            if (shownPerStart[start]) {
                prompter.expectWithCheckBox(
                    QStringLiteral("Kribed"),
                    QStringLiteral("The Desktop software for the Palm Computing(R) "
                                   "Platform is not correctly installed.\n"
                                   "Nevertheless you can use Kribed without problems."),
                    Icon::Error, Buttons::Ok, Answer::Ok, QStringLiteral("Do not show this again"),
                    ticked.value(showing++));
            }
            const auto users = readUsersAtStart(prompter, store, testRegional(),
                                                HandheldRegistry(dir.path()), notice);
            QVERIFY2(prompter.failures().isEmpty(),
                     qPrintable(QStringLiteral("start %1: ").arg(start + 1) + prompter.failures()));
            QCOMPARE(users->desktopMissing(), !desktopThere);
            QCOMPARE(users->count(), 0);
        }
        // The choice is kept under its own key, as the other switches are.
        QSettings store(programIni, QSettings::IniFormat);
        QCOMPARE(store.value(QStringLiteral("Settings/ShowDesktopNotice")).toString(),
                 ticked.contains(true) ? QStringLiteral("0") : QString());
    }
};

QTEST_GUILESS_MAIN(TestStartupUsers)
#include "tst_startup_users.moc"
