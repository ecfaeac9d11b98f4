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
        QTest::newRow("a language")
            << QStringList{QStringLiteral("--language=de")} << Kind::Run << QString() << 0;
        QTest::newRow("an unknown language")
            << QStringList{QStringLiteral("--language"), QStringLiteral("xx")} << Kind::Error
            << QString() << 2;

        // The toolkit's own options and their values are no files and no mistakes.
        const QString file = here + QStringLiteral("/a.pdb");
        const auto line = [](const char *text) {
            return QString::fromLatin1(text).split(u' ', Qt::SkipEmptyParts);
        };
        QTest::newRow("style and its value before the file")
            << line("-style Fusion a.pdb") << Kind::Run << file << 0;
        QTest::newRow("joined style value")
            << line("-style=Fusion a.pdb") << Kind::Run << file << 0;
        QTest::newRow("two-dash platform option")
            << line("--platform offscreen a.pdb") << Kind::Run << file << 0;
        QTest::newRow("display of the window system after the file")
            << line("a.pdb -display :7") << Kind::Run << file << 0;
        QTest::newRow("switches") << line("-reverse a.pdb --nograb") << Kind::Run << file << 0;
        QTest::newRow("a window title is no file")
            << line("-qwindowtitle Kunden a.pdb") << Kind::Run << file << 0;
        QTest::newRow("platform without its value at the end")
            << line("a.pdb -platform") << Kind::Run << file << 0;
        QTest::newRow("style without its value at the end is a mistake")
            << line("a.pdb -style") << Kind::Error << QString() << 2;
        QTest::newRow("two files beside a toolkit option")
            << line("-style Fusion a.pdb b.pdb") << Kind::Error << QString() << 2;
        QTest::newRow("unknown option beside a toolkit option")
            << line("-platform xcb --bogus") << Kind::Error << QString() << 2;
        QTest::newRow("three dashes are no toolkit option")
            << line("---style Fusion") << Kind::Error << QString() << 2;
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

    // The real editor answers --help, --version and every mistake on its line on the terminal
    // and returns, even where no display exists: nothing may reach for a window system first.
    void answersWithoutDisplay_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("expected");
        QTest::newRow("--help") << QStringList{QStringLiteral("--help")} << 0
                                << QStringLiteral("[file]");
        QTest::newRow("--version") << QStringList{QStringLiteral("--version")} << 0
                                   << QStringLiteral("Kribed PRO " KRIBED_VERSION);
        QTest::newRow("unknown option")
            << QStringList{QStringLiteral("--bogus")} << 2 << QStringLiteral("bogus");
        QTest::newRow("two files") << QStringList{QStringLiteral("a.pdb"), QStringLiteral("b.pdb")}
                                   << 2 << QStringLiteral("Only one file can be opened.");
        QTest::newRow("two files beside a toolkit option")
            << QStringList{QStringLiteral("-style"), QStringLiteral("Fusion"),
                           QStringLiteral("a.pdb"), QStringLiteral("b.pdb")}
            << 2 << QStringLiteral("Only one file can be opened.");
        // Read before the line itself, so that the mistakes are told in the language asked for.
        QTest::newRow("a mistake in German")
            << QStringList{QStringLiteral("--language"), QStringLiteral("de"),
                           QStringLiteral("a.pdb"), QStringLiteral("b.pdb")}
            << 2 << QStringLiteral("Es kann nur eine Datei geöffnet werden.");
        QTest::newRow("help in German")
            << QStringList{QStringLiteral("--language=de"), QStringLiteral("--help")} << 0
            << QStringLiteral("Die Sprache der Oberfläche");
    }

    void answersWithoutDisplay()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, expected);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY"})
            environment.insert(QString::fromLatin1(name), QString());
        QProcess editor;
        editor.setProcessEnvironment(environment);
        editor.start(QStringLiteral(KRIBED_EDITOR_PATH), arguments);
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
