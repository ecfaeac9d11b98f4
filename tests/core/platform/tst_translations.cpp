// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/platform/translations.h"

#include <QTest>

using namespace kribed;
using namespace Qt::Literals::StringLiterals;

class TestTranslations : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void chooseLanguage_data()
    {
        QTest::addColumn<QString>("requested");
        QTest::addColumn<QStringList>("desktop");
        QTest::addColumn<QString>("chosen"); // empty: the asked-for language is unknown
        QTest::newRow("a German desktop")
            << QString() << QStringList{u"de-DE"_s, u"de"_s} << u"de"_s;
        QTest::newRow("German of another country")
            << QString() << QStringList{u"de_AT"_s} << u"de"_s;
        QTest::newRow("the first language we speak")
            << QString() << QStringList{u"fr-FR"_s, u"de-CH"_s} << u"de"_s;
        QTest::newRow("English before German")
            << QString() << QStringList{u"en-US"_s, u"de"_s} << u"en"_s;
        QTest::newRow("none we speak") << QString() << QStringList{u"fr"_s, u"ja"_s} << u"en"_s;
        QTest::newRow("the C locale") << QString() << QStringList{u"C"_s, u"de"_s} << u"en"_s;
        QTest::newRow("no desktop language") << QString() << QStringList() << u"en"_s;
        QTest::newRow("asked for, in any case") << u"DE"_s << QStringList{u"en"_s} << u"de"_s;
        QTest::newRow("asked for English") << u"en"_s << QStringList{u"de"_s} << u"en"_s;
        QTest::newRow("asked for one we do not speak")
            << u"fr"_s << QStringList{u"de"_s} << QString();
    }

    void chooseLanguage()
    {
        QFETCH(QString, requested);
        QFETCH(QStringList, desktop);
        QFETCH(QString, chosen);
        QCOMPARE(kribed::chooseLanguage(requested, desktop), chosen);
    }

    void languageArgument_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("language");
        QTest::newRow("none") << QStringList{u"kribed"_s, u"a.pdb"_s} << QString();
        QTest::newRow("its value after it")
            << QStringList{u"kribed"_s, u"--language"_s, u"de"_s} << u"de"_s;
        QTest::newRow("joined") << QStringList{u"kribed"_s, u"--language=en"_s, u"a.pdb"_s}
                                << u"en"_s;
        QTest::newRow("without its value")
            << QStringList{u"kribed"_s, u"--language"_s} << QString();
        QTest::newRow("a file after -- is no option")
            << QStringList{u"kribed"_s, u"--"_s, u"--language=de"_s} << QString();
        QTest::newRow("the program's name is no option")
            << QStringList{u"--language=de"_s, u"a.pdb"_s} << QString();
    }

    void languageArgument()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, language);
        QCOMPARE(kribed::languageArgument(arguments), language);
    }
};

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
