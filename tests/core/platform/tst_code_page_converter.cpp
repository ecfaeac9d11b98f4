// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/platform/code_page.h"
#include "core/platform/code_page_converter.h"

#include <QtTest>

using namespace kribed;

class TestCodePageConverter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void encoding_data();
    void encoding();
    void decoding_data();
    void decoding();
    void everyByteOfSingleBytePagesComesBack();
    void unheldCharactersNamedOnce();
    void lossReport();
    void scriptSamplesFitTheirCodePages();
};

void TestCodePageConverter::encoding_data()
{
    QTest::addColumn<QByteArray>("codePage");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("unheld");

    QTest::newRow("ASCII") << QByteArrayLiteral("windows-1252") << QStringLiteral("Ann, 30")
                           << QByteArray("Ann, 30") << QString();
    QTest::newRow("Western") << QByteArrayLiteral("windows-1252") << QStringLiteral("Jürgen €")
                             << QByteArray("J\xFCrgen \x80") << QString();
    QTest::newRow("Cyrillic in a Western page")
        << QByteArrayLiteral("windows-1252") << QStringLiteral("Ђорђе ŁÓDŹ ✓")
        << QByteArray("????? ?\xD3"
                      "D? ?")
        << QStringLiteral("ЂорђеŁŹ✓");
    QTest::newRow("Cyrillic") << QByteArrayLiteral("windows-1251") << QStringLiteral("Ђорђе ✓")
                              << QByteArray("\x80\xEE\xF0\x90\xE5 ?") << QStringLiteral("✓");
    QTest::newRow("Central European") << QByteArrayLiteral("windows-1250") << QStringLiteral("ŁÓDŹ")
                                      << QByteArray("\xA3\xD3"
                                                    "D\x8F")
                                      << QString();
    QTest::newRow("Greek") << QByteArrayLiteral("windows-1253") << QStringLiteral("Ωμέγα")
                           << QByteArray("\xD9\xEC\xDD\xE3\xE1") << QString();
    QTest::newRow("a pair of surrogates is one character")
        << QByteArrayLiteral("windows-1252") << QStringLiteral("a😀b") << QByteArray("a?b")
        << QStringLiteral("😀");
    QTest::newRow("Japanese") << QByteArrayLiteral("Shift_JIS") << QStringLiteral("日本a")
                              << QByteArray("\x93\xFA\x96\x7B"
                                            "a")
                              << QString();
    QTest::newRow("Japanese without the character")
        << QByteArrayLiteral("Shift_JIS") << QStringLiteral("日😀本")
        << QByteArray("\x93\xFA?\x96\x7B") << QStringLiteral("😀");
    QTest::newRow("control bytes beside Japanese stay themselves")
        << QByteArrayLiteral("Shift_JIS") << QStringLiteral("\x1a日\x1c\x7f")
        << QByteArray("\x1a\x93\xFA\x1c\x7f") << QString();
    QTest::newRow("unknown code page holds nothing")
        << QByteArrayLiteral("no-such-page") << QStringLiteral("ab") << QByteArray("??")
        << QStringLiteral("ab");
}

void TestCodePageConverter::encoding()
{
    QFETCH(QByteArray, codePage);
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, unheld);

    CodePageConverter converter(codePage);
    QString lost;
    QCOMPARE(converter.encode(text, &lost), bytes);
    QCOMPARE(lost, unheld);
    if (!converter.isValid())
        return;
    QString back;
    QVERIFY(converter.decode(bytes, back));
    if (unheld.isEmpty())
        QCOMPARE(back, text);
}

void TestCodePageConverter::decoding_data()
{
    QTest::addColumn<QByteArray>("codePage");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<int>("unreadable");

    QTest::newRow("every Western byte")
        << QByteArrayLiteral("windows-1252") << QByteArray("\x81\x8D\x8F\x90\x9D\xFF") << true << 0;
    QTest::newRow("Greek page without 0xD2")
        << QByteArrayLiteral("windows-1253") << QByteArray("a\xD2\xE1\xFF") << false << 2;
    QTest::newRow("Japanese pair")
        << QByteArrayLiteral("Shift_JIS") << QByteArray("\x93\xFA") << true << 0;
    QTest::newRow("half a Japanese pair at the end")
        << QByteArrayLiteral("Shift_JIS") << QByteArray("a\x93") << false << 1;
}

void TestCodePageConverter::decoding()
{
    QFETCH(QByteArray, codePage);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, readable);
    QFETCH(int, unreadable);

    CodePageConverter converter(codePage);
    QString text;
    int count = -1;
    QCOMPARE(converter.decode(bytes, text, &count), readable);
    QCOMPARE(count, unreadable);
    // A half character is never carried into the next value.
    QVERIFY(converter.decode("ab", text));
    QCOMPARE(text, QStringLiteral("ab"));
}

void TestCodePageConverter::everyByteOfSingleBytePagesComesBack()
{
    // The pages the display font can choose: a byte that is a character must come back as the
    // same byte, or a cell changes on its way through UTF-8.
    for (const char *page :
         {"windows-1250", "windows-1251", "windows-1252", "windows-1253", "windows-1254",
          "windows-1255", "windows-1256", "windows-1257", "windows-1258", "windows-874"}) {
        CodePageConverter converter(page);
        QVERIFY2(converter.isValid(), page);
        for (int byte = 0; byte < 256; ++byte) {
            const QByteArray one(1, char(byte));
            QString text;
            if (!converter.decode(one, text))
                continue;
            QString lost;
            QVERIFY2(converter.encode(text, &lost) == one && lost.isEmpty(),
                     qPrintable(QStringLiteral("%1 byte %2").arg(QLatin1String(page)).arg(byte)));
        }
    }
}

void TestCodePageConverter::unheldCharactersNamedOnce()
{
    QCOMPARE(unheldCharacters(QStringLiteral("ŁaŁb✓😀✓"), "windows-1252"), QStringLiteral("Ł✓😀"));
    QCOMPARE(unheldCharacters(QStringLiteral("Łódź"), "windows-1250"), QString());
    // The cached converter follows a change of the code page.
    QCOMPARE(unheldCharacters(QStringLiteral("Łódź"), "windows-1251"), QStringLiteral("Łóź"));
}

void TestCodePageConverter::lossReport()
{
    LossReport report;
    QVERIFY(report.isEmpty());
    report.add(7, QString());
    QVERIFY(report.isEmpty());
    report.add(3, QStringLiteral("ŁŁ"));
    report.add(0, QStringLiteral("✓"), 2);
    report.add(3, QStringLiteral("😀"));
    QCOMPARE(report.characterCount(), 4);
    QCOMPARE(report.byteCount(), 2);
    QCOMPARE(report.distinctCharacters(), QStringLiteral("Ł✓😀"));
    QCOMPARE(report.records(), (QList<int>{0, 3}));
    QCOMPARE(report.recordsText(), QStringLiteral("field names, 3"));
    for (int record = 20; record > 8; --record)
        report.add(record, QStringLiteral("x"));
    QCOMPARE(report.recordsText(3), QStringLiteral("field names, 3, 9 and 11 more"));
}

void TestCodePageConverter::scriptSamplesFitTheirCodePages()
{
    // Each script's number picks a code page that holds its sample; a sample of another script
    // would come out as question marks.
    QSet<int> numbers;
    for (const FontScript &script : fontScripts()) {
        const QString sample = QString::fromUtf8(script.sample);
        const QByteArray page = codePageForCharSet(script.charSet);
        QVERIFY2(unheldCharacters(sample, page).isEmpty(), script.name);
        QVERIFY2(!sample.toLatin1().isEmpty() && sample != QString::fromLatin1(sample.toLatin1()),
                 script.name);
        QVERIFY2(!numbers.contains(script.charSet), script.name);
        numbers.insert(script.charSet);
        QCOMPARE(fontScriptOf(script.charSet), &script);
    }
    QCOMPARE(fontScripts().size(), 14);
    QCOMPARE(codePageForCharSet(fontScriptOf(204)->charSet), QByteArray("windows-1251"));
    QCOMPARE(codePageForCharSet(fontScriptOf(161)->charSet), QByteArray("windows-1253"));
    QCOMPARE(codePageForCharSet(fontScriptOf(238)->charSet), QByteArray("windows-1250"));
    QCOMPARE(QLatin1String(fontScriptOf(1)->name), QLatin1String("Western"));
    QCOMPARE(fontScriptOf(77), nullptr);
}

QTEST_GUILESS_MAIN(TestCodePageConverter)
#include "tst_code_page_converter.moc"
