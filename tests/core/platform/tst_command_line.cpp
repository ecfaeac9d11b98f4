// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/platform/command_line.h"

#include <QDir>
#include <QProcess>
#include <QtTest>

using namespace kribed;

Q_DECLARE_METATYPE(kribed::StartupRequest::Kind)

class TestCommandLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parse_data()
    {
        using Kind = StartupRequest::Kind;
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("exitCode");

        const QString here = QDir::currentPath();
        QTest::newRow("no file") << QStringList{} << Kind::Run << QString() << 0;
        QTest::newRow("relative file made absolute")
            << QStringList{QStringLiteral("data/Kunden.pdb")} << Kind::Run
            << here + QStringLiteral("/data/Kunden.pdb") << 0;
        QTest::newRow("file named like an option after --")
            << QStringList{QStringLiteral("--"), QStringLiteral("--help")} << Kind::Run
            << here + QStringLiteral("/--help") << 0;
        QTest::newRow("--help") << QStringList{QStringLiteral("--help")} << Kind::Help << QString()
                                << 0;
        QTest::newRow("-h beside a file")
            << QStringList{QStringLiteral("a.pdb"), QStringLiteral("-h")} << Kind::Help << QString()
            << 0;
        QTest::newRow("--help-all")
            << QStringList{QStringLiteral("--help-all")} << Kind::Help << QString() << 0;
        QTest::newRow("--help after a toolkit option")
            << QStringList{QStringLiteral("-style"), QStringLiteral("Fusion"),
                           QStringLiteral("--help")}
            << Kind::Help << QString() << 0;
        QTest::newRow("--version")
            << QStringList{QStringLiteral("--version")} << Kind::Version << QString() << 0;
        QTest::newRow("unknown option")
            << QStringList{QStringLiteral("--frobnicate")} << Kind::Error << QString() << 2;
        QTest::newRow("two files") << QStringList{QStringLiteral("a.pdb"), QStringLiteral("b.pdb")}
                                   << Kind::Error << QString() << 2;
    }

    void parse()
    {
        QFETCH(QStringList, arguments);
        QFETCH(StartupRequest::Kind, kind);
        QFETCH(QString, file);
        QFETCH(int, exitCode);
        const StartupRequest request =
            parseCommandLine(QStringList{QStringLiteral("kribed")} + arguments);
        QCOMPARE(request.kind, kind);
        QCOMPARE(request.file, file);
        QCOMPARE(request.exitCode(), exitCode);
        if (kind != StartupRequest::Kind::Run)
            QVERIFY(!request.output.isEmpty());
    }

    // The real editor answers --help and --version on the terminal and returns, even where no
    // display exists: nothing may reach for a window system first. (Other mistakes on the line
    // are answered once the toolkit has taken its own options, which needs the display.)
    void answersWithoutDisplay_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("expected");
        QTest::newRow("--help") << QStringLiteral("--help") << 0 << QStringLiteral("[file]");
        QTest::newRow("--version")
            << QStringLiteral("--version") << 0 << QStringLiteral("Kribed PRO " KRIBED_VERSION);
    }

    void answersWithoutDisplay()
    {
        QFETCH(QString, option);
        QFETCH(int, exitCode);
        QFETCH(QString, expected);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        QProcess editor;
        editor.setProcessEnvironment(environment);
        editor.start(QStringLiteral(KRIBED_EDITOR_PATH), {option});
        QVERIFY(editor.waitForFinished(20000));
        QCOMPARE(editor.exitStatus(), QProcess::NormalExit);
        QCOMPARE(editor.exitCode(), exitCode);
        const QString said = QString::fromLocal8Bit(exitCode == 0 ? editor.readAllStandardOutput()
                                                                  : editor.readAllStandardError());
        QVERIFY2(said.contains(expected), qPrintable(said));
    }

    // Mistakes are told once the toolkit has taken its own options: "-style Fusion" is no file.
    void rejectsMistakesAfterToolkitOptions_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("expected");
        QTest::newRow("unknown option")
            << QStringList{QStringLiteral("--nonsense")} << QStringLiteral("nonsense");
        QTest::newRow("two files beside a toolkit option")
            << QStringList{QStringLiteral("-style"), QStringLiteral("Fusion"),
                           QStringLiteral("a.pdb"), QStringLiteral("b.pdb")}
            << QStringLiteral("Only one file can be opened.");
    }

    void rejectsMistakesAfterToolkitOptions()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, expected);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        QProcess editor;
        editor.setProcessEnvironment(environment);
        editor.start(QStringLiteral(KRIBED_EDITOR_PATH), arguments);
        QVERIFY(editor.waitForFinished(20000));
        QCOMPARE(editor.exitCode(), 2);
        const QString said = QString::fromLocal8Bit(editor.readAllStandardError());
        QVERIFY2(said.contains(expected), qPrintable(said));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_command_line.moc"
