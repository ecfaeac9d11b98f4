// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "cli_test_helpers.h"
#include "core/platform/formats_memory.h"

#include <QRegularExpression>
#include <QSettings>
#include <QtTest>

using namespace kribed::test;
using namespace Qt::Literals::StringLiterals;

namespace {

// German customer records: number, amount with a decimal comma, date, regular customer, time of
// the last call, name (windows-1252).
QByteArray germanFile()
{
    return PdbBuilder()
        .name("Kunden")
        .field("Kundennr", 0x0043, 30)
        .field("Umsatz", 0x0010, 50)
        .field("Kunde seit", 0x0004, 50)
        .field("Stammkunde", 0x0002, 20)
        .field("Anruf", 0x0020, 40)
        .field("Name", 0x0001, 80)
        .record({"1", "1520,50", "12.03.2019", "1", "14:05:00", "M\xfcller"})
        .record({"2", "0", "01.01.2020", "0", "09:30:00", "Schmidt"})
        .record({"3", "2,25", "3/14/2026", "", "2:05:00 PM", ""})
        .build();
}

const QString KundenPath = QStringLiteral(KRIBED_SOURCE_DIR "/examples/Kunden.pdb");

QJsonObject fieldNamed(const QJsonObject &info, const QString &name)
{
    for (const QJsonValue &field : info.value(u"fields"_s).toArray()) {
        if (field.toObject().value(u"name"_s).toString() == name)
            return field.toObject();
    }
    return QJsonObject();
}

} // namespace

class TestCliInfo : public CliTestCase
{
    Q_OBJECT

private Q_SLOTS:
    void init() { setUpFolder(); }

    void statisticsInFormats_data();
    void statisticsInFormats();
    void jsonInFormats_data();
    void jsonInFormats();
    void bundledGermanDemo_data();
    void bundledGermanDemo();
    void desktopFormatsByDefault_data();
    void desktopFormatsByDefault();
    void unknownLocaleRefused_data();
    void unknownLocaleRefused();
    void totalsBeyondJsonNumbers();
};

void TestCliInfo::statisticsInFormats_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("de_DE")
        << u"de_DE"_s
        << QStringList{
               u"Formats:   de_DE"_s,
               u" 1  Kundennr  Auto-increment Integer, width 30 units, 0 popup "
               u"items; 3 filled, 3 numbers, total 6, average 2\n"_s,
               u" 2  Umsatz  Float, width 50 units, 0 popup items; 3 filled, 3 "
               u"numbers, total 1522,75, average 507,583333333333\n"_s,
               u"; 3 filled, 2 dates, earliest 12.03.2019, latest 01.01.2020\n"_s,
               u"; 2 filled, 2 checked, 1 unchecked\n"_s,
               u"; 3 filled, 2 times, earliest 09:30:00, latest 14:05:00\n"_s,
               u" 6  Name  String, width 80 units, 0 popup items; 2 filled\n"_s,
               u"      empty 0, distinct 3, minimum 0, maximum 1520,5, unreadable 0; values: 0 (1), "
               u"1520,50 (1), 2,25 (1)\n"_s,
               u"      empty 0, distinct 3, unreadable 1; values: 01.01.2020 (1), 12.03.2019 (1), "
               u"3/14/2026 (1)\n"_s,
               u"      empty 1, distinct 3, unreadable 0; values: (empty) (1), 0 (1), 1 (1)\n"_s,
           };
    QTest::newRow("en_US")
        << u"en_US"_s
        << QStringList{
               u"Formats:   en_US"_s,
               u"; 3 filled, 3 numbers, total 6, average 2\n"_s,
               u"; 3 filled, 1 numbers, total 0, average 0\n"_s,
               u"; 3 filled, 1 dates, earliest 3/14/2026, latest 3/14/2026\n"_s,
               u"; 2 filled, 2 checked, 1 unchecked\n"_s,
               u"; 3 filled, 1 times, earliest 2:05:00 PM, latest 2:05:00 PM\n"_s,
               u"      empty 0, distinct 3, minimum 0, maximum 0, unreadable 2; values: 0 (1), "_s,
           };
}

void TestCliInfo::statisticsInFormats()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, lines);
    const QString path = writeTestFile(u"Kunden.pdb"_s, germanFile());
    const CliRun run = runCli({u"info"_s, path, u"--locale"_s, locale});
    QCOMPARE(run.exitCode, 0);
    const QString out = QString::fromUtf8(run.out);
    for (const QString &line : lines)
        QVERIFY2(out.contains(line), qPrintable(line + u"\nnot in\n"_s + out));
    // The summary around the fields is as it was.
    QVERIFY(out.startsWith(u"Name:      Kunden\nLayout:    Kribo pro\n"_s));
    QVERIFY(out.endsWith(u"Kribo filter no\n"_s));
    QCOMPARE(out.count(u'\n'), 20);
}

void TestCliInfo::jsonInFormats_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QJsonObject>("expected");
    const auto object = [](std::initializer_list<std::pair<QString, QJsonValue>> members) {
        QJsonObject result;
        for (const auto &[key, value] : members)
            result.insert(key, value);
        return result;
    };
    QTest::newRow("de_DE amounts") << u"de_DE"_s << u"Umsatz"_s
                                   << object({{u"type"_s, 12},
                                              {u"typeName"_s, u"Float"_s},
                                              {u"width"_s, 50},
                                              {u"popupItems"_s, 0},
                                              {u"filled"_s, 3},
                                              {u"numbers"_s, 3},
                                              {u"total"_s, 1522.75},
                                              {u"average"_s, 507.583333333333},
                                              {u"empty"_s, 0},
                                              {u"distinct"_s, 3},
                                              {u"minimum"_s, 0},
                                              {u"maximum"_s, 1520.5},
                                              {u"unreadable"_s, 0}});
    QTest::newRow("en_US amounts")
        << u"en_US"_s << u"Umsatz"_s
        << object({{u"numbers"_s, 1}, {u"total"_s, 0}, {u"average"_s, 0}});
    QTest::newRow("de_DE dates, ISO in JSON") << u"de_DE"_s << u"Kunde seit"_s
                                              << object({{u"filled"_s, 3},
                                                         {u"dates"_s, 2},
                                                         {u"earliest"_s, u"2019-03-12"_s},
                                                         {u"latest"_s, u"2020-01-01"_s}});
    QTest::newRow("en_US times") << u"en_US"_s << u"Anruf"_s
                                 << object({{u"times"_s, 1},
                                            {u"earliest"_s, u"14:05:00"_s},
                                            {u"latest"_s, u"14:05:00"_s}});
    QTest::newRow("Booleans under any formats")
        << u"en_US"_s << u"Stammkunde"_s
        << object({{u"filled"_s, 2}, {u"checked"_s, 2}, {u"unchecked"_s, 1}});
    const auto value = [](const QString &text, int count) {
        return QJsonObject{{u"text"_s, text}, {u"count"_s, count}};
    };
    QTest::newRow("values with their counts, texts decoded, unreadable ones apart")
        << u"de_DE"_s << u"Kunde seit"_s
        << object({{u"empty"_s, 0},
                   {u"unreadable"_s, 1},
                   {u"unreadableValues"_s, QJsonArray{value(u"3/14/2026"_s, 1)}},
                   {u"values"_s, QJsonArray{value(u"01.01.2020"_s, 1), value(u"12.03.2019"_s, 1),
                                            value(u"3/14/2026"_s, 1)}}});
    QTest::newRow("a text's values, the empty one first among equals")
        << u"en_US"_s << u"Name"_s
        << object({{u"values"_s, QJsonArray{value(u""_s, 1), value(u"M\u00fcller"_s, 1),
                                            value(u"Schmidt"_s, 1)}}});
    QTest::newRow("a text field counts filled cells only")
        << u"de_DE"_s << u"Name"_s << object({{u"filled"_s, 2}, {u"type"_s, 0}});
}

void TestCliInfo::jsonInFormats()
{
    QFETCH(QString, locale);
    QFETCH(QString, field);
    QFETCH(QJsonObject, expected);
    const QString path = writeTestFile(u"Kunden.pdb"_s, germanFile());
    const CliRun run = runCli({u"info"_s, u"--json"_s, u"--locale"_s, locale, path});
    QCOMPARE(run.exitCode, 0);
    QJsonParseError error;
    const QJsonObject info = QJsonDocument::fromJson(run.out, &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(info.value(u"locale"_s).toString(), locale);
    QCOMPARE(info.value(u"records"_s).toInt(), 3);
    QCOMPARE(info.value(u"layout"_s).toString(), u"pro"_s);
    const QJsonObject object = fieldNamed(info, field);
    QVERIFY2(!object.isEmpty(), qPrintable(field));
    for (auto member = expected.begin(); member != expected.end(); ++member)
        QCOMPARE(object.value(member.key()), member.value());
    // Numbers are JSON numbers, never texts in the regional form.
    if (object.contains(u"total"_s))
        QVERIFY(object.value(u"total"_s).isDouble());
    QCOMPARE(fieldNamed(info, u"Name"_s).contains(u"total"_s), false);
}

void TestCliInfo::bundledGermanDemo_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("umsatz");
    QTest::addColumn<int>("numbers");
    QTest::addColumn<double>("total");
    QTest::newRow("de_DE reads every amount")
        << u"de_DE"_s << u"20 numbers, total 27858,75, average 1392,9375"_s << 20 << 27858.75;
    QTest::newRow("en_US reads only the zeros")
        << u"en_US"_s << u"2 numbers, total 0, average 0"_s << 2 << 0.0;
}

void TestCliInfo::bundledGermanDemo()
{
    QFETCH(QString, locale);
    QFETCH(QString, umsatz);
    QFETCH(int, numbers);
    QFETCH(double, total);
    const CliRun text = runCli({u"info"_s, KundenPath, u"--locale"_s, locale});
    QCOMPARE(text.exitCode, 0);
    QVERIFY2(QString::fromUtf8(text.out).contains(u"Umsatz  Float"_s)
                 && QString::fromUtf8(text.out).contains(umsatz),
             text.out.constData());
    const CliRun json = runCli({u"info"_s, KundenPath, u"--locale"_s, locale, u"--json"_s});
    QCOMPARE(json.exitCode, 0);
    const QJsonObject umsatzField =
        fieldNamed(QJsonDocument::fromJson(json.out).object(), u"Umsatz"_s);
    QCOMPARE(umsatzField.value(u"numbers"_s).toInt(), numbers);
    QCOMPARE(umsatzField.value(u"total"_s).toDouble(), total);
}

void TestCliInfo::desktopFormatsByDefault_data()
{
    QTest::addColumn<QString>("desktop"); // LC_ALL
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("formats");
    QTest::addColumn<QString>("umsatz");
    QTest::addColumn<QString>("remembered"); // the editor's formats for the file; empty: none
    QTest::newRow("German desktop") << u"de_DE.UTF-8"_s << QStringList() << u"de_DE"_s
                                    << u"3 numbers, total 1522,75"_s << QString();
    QTest::newRow("the option over a German desktop")
        << u"de_DE.UTF-8"_s << QStringList{u"--locale=en_US"_s} << u"en_US"_s
        << u"1 numbers, total 0"_s << QString();
    QTest::newRow("C desktop") << u"C.UTF-8"_s << QStringList() << u"C"_s << u"1 numbers, total 0"_s
                               << QString();
    QTest::newRow("the option over a C desktop")
        << u"C.UTF-8"_s << QStringList{u"--locale=de_DE"_s} << u"de_DE"_s
        << u"3 numbers, total 1522,75"_s << QString();
    QTest::newRow("the editor's German formats over a C desktop")
        << u"C.UTF-8"_s << QStringList() << u"de_DE"_s << u"3 numbers, total 1522,75"_s
        << u"de_DE"_s;
    QTest::newRow("the option over the editor's formats")
        << u"C.UTF-8"_s << QStringList{u"--locale=en_US"_s} << u"en_US"_s << u"1 numbers, total 0"_s
        << u"de_DE"_s;
}

void TestCliInfo::desktopFormatsByDefault()
{
    QFETCH(QString, desktop);
    QFETCH(QStringList, options);
    QFETCH(QString, formats);
    QFETCH(QString, umsatz);
    QFETCH(QString, remembered);
    const QString path = writeTestFile(u"Kunden.pdb"_s, germanFile());
    // The editor's settings live below XDG_CONFIG_HOME.
    const QString config = pathOf(u"config"_s);
    if (!remembered.isEmpty()) {
        QSettings store(config + u"/KRE/Kribed.ini"_s, QSettings::IniFormat);
        kribed::rememberFormats(store, path, kribed::FormatsChoice{remembered});
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"LC_ALL"_s, desktop);
    environment.insert(u"XDG_CONFIG_HOME"_s, config);
    const CliRun run = runCliIn(QStringList{u"info"_s, path} + options, environment);
    QCOMPARE(run.exitCode, 0);
    const QString out = QString::fromUtf8(run.out);
    QVERIFY2(out.contains(u"Formats:   "_s + formats + u'\n'), qPrintable(out));
    QVERIFY2(out.contains(umsatz), qPrintable(out));
}

void TestCliInfo::unknownLocaleRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("unknown name") << u"xx_YY"_s;
    QTest::newRow("a language's English name") << u"german"_s;
    QTest::newRow("empty name") << QString();
}

// QLocale reads every one of these as the C locale; the tool refuses them and lists what it takes.
void TestCliInfo::unknownLocaleRefused()
{
    QFETCH(QString, name);
    const CliRun run = runCli({u"info"_s, u"Stock.pdb"_s, u"--locale="_s + name});
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.out.isEmpty());
    const QString heading =
        u"kribed-cli: unknown locale '%1'. The accepted names are:\n"_s.arg(name);
    QVERIFY2(run.err.startsWith(heading), qPrintable(run.err));
    QVERIFY(run.err.endsWith(u"Try 'kribed-cli --help'.\n"_s));
    const QStringList names = run.err.split(QRegularExpression(u"\\s+"_s));
    for (const QString &accepted : {u"C"_s, u"de_DE"_s, u"en_US"_s, u"ja_JP"_s, u"pt_BR"_s})
        QVERIFY2(names.contains(accepted), qPrintable(accepted));
    for (const QString &line : run.err.split(u'\n'))
        QVERIFY2(line.size() <= 100, qPrintable(line));
}

// A total a double cannot hold is null in JSON, never a text JSON readers refuse; the summary
// still writes it.
void TestCliInfo::totalsBeyondJsonNumbers()
{
    const QString path = writeTestFile(
        u"Big.pdb"_s,
        PdbBuilder().field("Big", 0x0010).record({"1e400"}).record({"2e400"}).build());
    const CliRun text = runCli({u"info"_s, path, u"--locale=en_US"_s});
    QVERIFY2(text.out.contains("2 numbers, total 3E400, average 1.5E400"), text.out.constData());
    const CliRun json = runCli({u"info"_s, path, u"--locale=en_US"_s, u"--json"_s});
    QCOMPARE(json.exitCode, 0);
    const QJsonObject big = fieldNamed(QJsonDocument::fromJson(json.out).object(), u"Big"_s);
    QCOMPARE(big.value(u"numbers"_s).toInt(), 2);
    QVERIFY(big.value(u"total"_s).isNull());
    QVERIFY(big.value(u"average"_s).isNull());
}

QTEST_GUILESS_MAIN(TestCliInfo)
#include "tst_cli_info.moc"
