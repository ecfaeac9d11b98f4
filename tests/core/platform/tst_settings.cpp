// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/platform/settings.h"

#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace kribed;

class TestSettings : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir mDir;
    QString iniPath() const { return mDir.filePath(QStringLiteral("kribed.ini")); }

private Q_SLOTS:
    void init() { QFile::remove(iniPath()); }

    void emptyStoreGivesDefaults()
    {
        QSettings store(iniPath(), QSettings::IniFormat);
        const Settings settings = readSettings(store);
        QVERIFY(settings.initialDir);
        QVERIFY(settings.saveAtInstall);
        QVERIFY(!settings.expertMode);
        QVERIFY(!settings.printFitToPageWidth);
        QVERIFY(settings.printRepeatFieldNames);
        QCOMPARE(settings.font.name, QStringLiteral("MS Sans Serif"));
        QCOMPARE(settings.font.size, 8);
        QCOMPARE(settings.font.charSet, 1);
        QCOMPARE(settings.font.style, 0);
        QCOMPARE(settings.placement.left, Placement::NoPlacement);
        for (const QString &path : settings.recentFiles)
            QVERIFY(path.isEmpty());
    }

    void storedTextReadsAsNumberOrDefault_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("plain number") << "Font/Size"
                                      << "10" << 10;
        QTest::newRow("negative number") << "Font/Style"
                                         << "-3" << -3;
        QTest::newRow("letters read as default") << "Font/Size"
                                                 << "ten" << 8;
        QTest::newRow("decimal fraction read as default") << "Font/Size"
                                                          << "9.5" << 8;
        QTest::newRow("hexadecimal read as default") << "Font/CharSet"
                                                     << "0xEE" << 1;
        QTest::newRow("empty text read as default") << "Font/CharSet"
                                                    << "" << 1;
        QTest::newRow("switch off") << "Settings/InitialDir"
                                    << "0" << 0;
        QTest::newRow("switch garbage read as on") << "Settings/SaveAtInstall"
                                                   << "yes" << 1;
        QTest::newRow("switch garbage read as off") << "Settings/ExpertMode"
                                                    << "true" << 0;
        QTest::newRow("any other number switches on") << "Settings/ExpertMode"
                                                      << "2" << 1;
    }

    void storedTextReadsAsNumberOrDefault()
    {
        QFETCH(QString, key);
        QFETCH(QString, stored);
        QFETCH(int, expected);
        {
            QSettings store(iniPath(), QSettings::IniFormat);
            store.setValue(key, stored);
        }
        QSettings store(iniPath(), QSettings::IniFormat);
        const Settings settings = readSettings(store);
        const QHash<QString, int> read = {
            {QStringLiteral("Font/Size"), settings.font.size},
            {QStringLiteral("Font/Style"), settings.font.style},
            {QStringLiteral("Font/CharSet"), settings.font.charSet},
            {QStringLiteral("Settings/InitialDir"), settings.initialDir},
            {QStringLiteral("Settings/SaveAtInstall"), settings.saveAtInstall},
            {QStringLiteral("Settings/ExpertMode"), settings.expertMode},
        };
        QCOMPARE(read.value(key), expected);
    }

    void storedLeftEdgeWithoutTheRestOfThePlacement()
    {
        {
            QSettings store(iniPath(), QSettings::IniFormat);
            store.setValue(QStringLiteral("FormPos/Left"), QStringLiteral("120"));
        }
        QSettings store(iniPath(), QSettings::IniFormat);
        const Placement place = readSettings(store).placement;
        QCOMPARE(place.left, 120);
        QCOMPARE(place.top, 30);
        QCOMPARE(place.width, 30);
        QCOMPARE(place.height, 30);
    }

    void writesEveryValueAsText()
    {
        Settings settings;
        settings.initialDir = false;
        settings.expertMode = true;
        settings.printFitToPageWidth = true;
        settings.printRepeatFieldNames = false;
        settings.font = {QStringLiteral("DejaVu Sans"), 9, 238, 0x13};
        settings.placement = {10, 20, 640, 480};
        settings.recentFiles[0] = QStringLiteral("/data/Kunden.pdb");
        {
            QSettings store(iniPath(), QSettings::IniFormat);
            writeSettings(store, settings);
        }
        QSettings raw(iniPath(), QSettings::IniFormat);
        QCOMPARE(raw.value(QStringLiteral("Settings/InitialDir")).toString(), QStringLiteral("0"));
        QCOMPARE(raw.value(QStringLiteral("Settings/SaveAtInstall")).toString(),
                 QStringLiteral("1"));
        QCOMPARE(raw.value(QStringLiteral("Settings/ExpertMode")).toString(), QStringLiteral("1"));
        QCOMPARE(raw.value(QStringLiteral("Font/CharSet")).toString(), QStringLiteral("238"));
        // Only the four style bits are kept.
        QCOMPARE(raw.value(QStringLiteral("Font/Style")).toString(), QStringLiteral("3"));
        QCOMPARE(raw.value(QStringLiteral("FormPos/Width")).toString(), QStringLiteral("640"));
        // Empty slots are written too, as empty texts.
        QVERIFY(raw.contains(QStringLiteral("Files/File5")));
        QCOMPARE(raw.value(QStringLiteral("Files/File5")).toString(), QString());

        const Settings back = readSettings(raw);
        QCOMPARE(back.font.name, settings.font.name);
        QCOMPARE(back.font.style, 3);
        QCOMPARE(back.placement.height, 480);
        QCOMPARE(back.recentFiles, settings.recentFiles);
        QVERIFY(!back.initialDir);
        QVERIFY(back.printFitToPageWidth);
        QVERIFY(!back.printRepeatFieldNames);
    }

    void programStoreUsesOrganisationAndApplication()
    {
        QStandardPaths::setTestModeEnabled(true);
        const std::unique_ptr<QSettings> store = openSettingsStore();
        QCOMPARE(store->organizationName(), QStringLiteral("KRE"));
        QCOMPARE(store->applicationName(), QStringLiteral("Kribed"));
        QCOMPARE(store->format(), QSettings::IniFormat);
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
