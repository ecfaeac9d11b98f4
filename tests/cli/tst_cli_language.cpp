// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
//
// kribed-cli speaks the user's language to people and stays English where scripts read it.
#include "cli_test_helpers.h"

using namespace kribed::test;
using namespace Qt::Literals::StringLiterals;

class TestCliLanguage : public CliTestCase
{
    Q_OBJECT

    CliRun runWithLanguage(const QString &language, const QStringList &arguments)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"LC_ALL"_s, u"C.UTF-8"_s);
        environment.insert(u"LANGUAGE"_s, language);
        return runCliIn(arguments, environment);
    }

private Q_SLOTS:
    void init() { setUpFolder(); }

    void messagesFollowTheLanguage_data()
    {
        QTest::addColumn<QString>("desktop"); // LANGUAGE
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("errors"); // each in standard error

        const QStringList missingFile{u"info"_s};
        QTest::newRow("a usage error, --language de")
            << QString() << QStringList{u"--language"_s, u"de"_s} + missingFile << 2
            << QStringList{u"info erwartet eine Datei"_s, u"Mehr mit „kribed-cli --help“."_s};
        QTest::newRow("a usage error, --language=de")
            << QString() << QStringList{u"--language=de"_s} + missingFile << 2
            << QStringList{u"eine Datei"_s};
        QTest::newRow("a usage error, a German desktop")
            << u"de_DE"_s << missingFile << 2 << QStringList{u"info erwartet eine Datei"_s};
        QTest::newRow("--language en over a German desktop")
            << u"de"_s << QStringList{u"--language"_s, u"en"_s} + missingFile << 2
            << QStringList{u"info takes one file"_s, u"Try 'kribed-cli --help'."_s};
        QTest::newRow("a language without a translation is English")
            << u"fr_FR"_s << missingFile << 2 << QStringList{u"info takes one file"_s};
        QTest::newRow("an unknown --language")
            << u"de"_s << QStringList{u"--language"_s, u"fr"_s, u"check"_s, u"Stock.pdb"_s} << 2
            << QStringList{u"--language ist de oder en, nicht „fr“."_s};
        QTest::newRow("the core's reader message and the tool's own")
            << u"de"_s << QStringList{u"check"_s, u"Bad.pdb"_s} << 1
            << QStringList{u"Dies ist keine Kribo-Datenbank."_s, u"wurde nicht geladen."_s};
        QTest::newRow("a question answered without --yes")
            << u"de"_s << QStringList{u"check"_s, u"Newer.pdb"_s} << 1
            << QStringList{u"(mit Abbrechen beantwortet; --yes antwortet Wiederholen)"_s};
    }

    void messagesFollowTheLanguage()
    {
        QFETCH(QString, desktop);
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QStringList, errors);
        writeTestFile(u"Bad.pdb"_s, QByteArray(200, 'x'));
        // A version the reader does not know: it asks whether to read on.
        writeTestFile(u"Newer.pdb"_s, stock().blockWord(1152, 577).build());

        const CliRun run = runWithLanguage(desktop, arguments);
        QCOMPARE(run.exitCode, exitCode);
        for (const QString &error : errors)
            QVERIFY2(run.err.contains(error), qPrintable(run.err));
    }

    // What scripts read stays as it is in every language.
    void machineOutputStaysEnglish()
    {
        const CliRun wrote =
            runWithLanguage(u"de"_s, {u"export"_s, u"Stock.pdb"_s, u"Stock.txt"_s});
        QCOMPARE(wrote.exitCode, 0);
        QVERIFY2(wrote.out.startsWith("Wrote "), wrote.out.constData());
        QVERIFY2(wrote.err.isEmpty(), qPrintable(wrote.err));

        const CliRun checked = runWithLanguage(u"de"_s, {u"check"_s, u"Stock.pdb"_s});
        QCOMPARE(checked.exitCode, 0);
        QVERIFY2(checked.out.startsWith("Stock.pdb: OK ("), checked.out.constData());

        const CliRun dumped = runWithLanguage(u"de"_s, {u"dump"_s, u"Stock.pdb"_s});
        QCOMPARE(dumped.out, runWithLanguage(u"en"_s, {u"dump"_s, u"Stock.pdb"_s}).out);
    }
};

QTEST_GUILESS_MAIN(TestCliLanguage)
#include "tst_cli_language.moc"
