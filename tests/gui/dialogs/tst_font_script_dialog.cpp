// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/platform/code_page.h"
#include "core/platform/code_page_converter.h"
#include "gui/dialogs/font_script_dialog.h"

#include <QComboBox>
#include <QLabel>
#include <QtTest>

using namespace kribed;

class TestFontScriptDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void scriptChoice_data();
    void scriptChoice();
    void sizesStopAtTen();
};

void TestFontScriptDialog::scriptChoice_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("charSet");
    QTest::addColumn<QByteArray>("codePage");
    QTest::addColumn<QByteArray>("cellBytes"); // a cell of that code page
    QTest::addColumn<QString>("cellText");     // as it must show

    QTest::newRow("Cyrillic") << QStringLiteral("Cyrillic") << 204 << QByteArray("windows-1251")
                              << QByteArray("\x80\xEE\xF0\x90\xE5") << QStringLiteral("Ђорђе");
    QTest::newRow("Greek") << QStringLiteral("Greek") << 161 << QByteArray("windows-1253")
                           << QByteArray("\xD9\xEC\xDD\xE3\xE1") << QStringLiteral("Ωμέγα");
    QTest::newRow("Central European")
        << QStringLiteral("Central European") << 238 << QByteArray("windows-1250")
        << QByteArray("\xA3\xF3\x64\x9F") << QStringLiteral("Łódź");
}

void TestFontScriptDialog::scriptChoice()
{
    QFETCH(QString, script);
    QFETCH(int, charSet);
    QFETCH(QByteArray, codePage);
    QFETCH(QByteArray, cellBytes);
    QFETCH(QString, cellText);

    FontScriptDialog dialog;
    dialog.setChoice({QStringLiteral("DejaVu Sans"), 0, 9});
    auto *scripts = dialog.findChild<QComboBox *>(QStringLiteral("scriptCombo"));
    auto *sample = dialog.findChild<QLabel *>(QStringLiteral("sampleLabel"));
    QVERIFY(scripts && sample);
    QCOMPARE(sample->text(), QString::fromUtf8(fontScriptOf(0)->sample));

    // The user picks the script from the list, as a click would.
    scripts->setCurrentIndex(scripts->findText(script));
    const DisplayFontChoice chosen = dialog.choice();
    QCOMPARE(chosen.charSet, charSet);
    QCOMPARE(chosen.pointSize, 9);
    QCOMPARE(codePageForCharSet(chosen.charSet), codePage);
    QCOMPARE(sample->text(), QString::fromUtf8(fontScriptOf(charSet)->sample));
    QCOMPARE(sample->font().pointSize(), 9);

    // The cells of the demo texts read right through the code page the choice picks.
    QString shown;
    QVERIFY(CodePageConverter(codePageForCharSet(chosen.charSet)).decode(cellBytes, shown));
    QCOMPARE(shown, cellText);

    // Shown again, the stored number selects the same script.
    FontScriptDialog again;
    again.setChoice(chosen);
    QCOMPARE(again.choice().charSet, charSet);
}

void TestFontScriptDialog::sizesStopAtTen()
{
    FontScriptDialog dialog;
    auto *sizes = dialog.findChild<QComboBox *>(QStringLiteral("sizeCombo"));
    QVERIFY(sizes);
    QCOMPARE(sizes->itemText(sizes->count() - 1), QStringLiteral("10"));
    dialog.setChoice({QString(), 1, 14});
    QCOMPARE(dialog.choice().pointSize, 10);
    QCOMPARE(dialog.choice().charSet, 0); // the default set shows as Western
}

QTEST_MAIN(TestFontScriptDialog)
#include "tst_font_script_dialog.moc"
