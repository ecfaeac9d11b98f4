// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/unheld_characters.h"

#include <QtTest>

using namespace kribed;

class TestUnheldCharacters : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void warning_data();
    void warning();
};

void TestUnheldCharacters::warning_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("codePage");
    QTest::addColumn<QString>("message"); // empty: no warning

    QTest::newRow("all held") << QStringLiteral("Jürgen €") << QByteArray("windows-1252")
                              << QString();
    QTest::newRow("Cyrillic held by its page")
        << QStringLiteral("Ђорђе") << QByteArray("windows-1251") << QString();
    QTest::newRow("one character, twice")
        << QStringLiteral("a✓b✓") << QByteArray("windows-1252")
        << QStringLiteral("The code page windows-1252 of the display font cannot hold this "
                          "character; it is stored as \"?\": ✓ (U+2713)");
    QTest::newRow("one character beyond 16 bits")
        << QStringLiteral("😀") << QByteArray("windows-1252")
        << QStringLiteral("The code page windows-1252 of the display font cannot hold this "
                          "character; it is stored as \"?\": 😀 (U+1F600)");
    QTest::newRow("several, each named once")
        << QStringLiteral("Ђорђе ŁÓDŹ") << QByteArray("windows-1252")
        << QStringLiteral("The code page windows-1252 of the display font cannot hold these "
                          "characters; each is stored as \"?\": Ђ (U+0402), о (U+043E), "
                          "р (U+0440), ђ (U+0452), е (U+0435), Ł (U+0141), Ź (U+0179)");
}

void TestUnheldCharacters::warning()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, codePage);
    QFETCH(QString, message);

    const std::optional<Message> warning = unheldCharactersWarning(text, codePage);
    QCOMPARE(warning.has_value(), !message.isEmpty());
    if (!warning)
        return;
    QCOMPARE(warning->caption, QStringLiteral("Warning"));
    QCOMPARE(warning->text, message);
    QCOMPARE(warning->icon, Icon::Warning);
    QCOMPARE(warning->buttons, Buttons::Ok);
}

QTEST_GUILESS_MAIN(TestUnheldCharacters)
#include "tst_unheld_characters.moc"
