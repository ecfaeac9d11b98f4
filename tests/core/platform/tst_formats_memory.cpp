// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
//
// The memory of each file's regional formats in the program's settings.
#include "core/platform/file_memory.h"
#include "core/platform/formats_memory.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace kribed;

class TestFormatsMemory : public QObject
{
    Q_OBJECT

private:
    QString makeFile(const QString &name)
    {
        const QString path = mDir->filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot make the file");
        return path;
    }

    // A store of its own, read again from its file as the next run would.
    std::unique_ptr<QSettings> reopened()
    {
        return std::make_unique<QSettings>(mDir->filePath(QStringLiteral("store.ini")),
                                           QSettings::IniFormat);
    }

    std::unique_ptr<QTemporaryDir> mDir;

private Q_SLOTS:
    void init() { mDir = std::make_unique<QTemporaryDir>(); }

    void choicesAreKeptPerFile_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");

        QTest::newRow("a locale and the desktop's") << "de_DE"
                                                    << "";
        QTest::newRow("the desktop's and a locale") << ""
                                                    << "fr_FR";
        QTest::newRow("two locales") << "ja_JP"
                                     << "sv_SE";
    }

    void choicesAreKeptPerFile()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);

        const QString one = makeFile(QStringLiteral("one.pdb"));
        const QString two = makeFile(QStringLiteral("two.pdb"));
        const QString three = makeFile(QStringLiteral("three.pdb"));
        {
            std::unique_ptr<QSettings> store = reopened();
            rememberFormats(*store, one, {first});
            rememberFormats(*store, two, {second});
        }
        std::unique_ptr<QSettings> store = reopened();
        QCOMPARE(rememberedFormats(*store, one),
                 std::optional<FormatsChoice>(FormatsChoice{first}));
        QCOMPARE(rememberedFormats(*store, two),
                 std::optional<FormatsChoice>(FormatsChoice{second}));
        // A file never answered for has no choice, which is not the desktop's chosen.
        QVERIFY(!rememberedFormats(*store, three));

        // A new answer replaces the old one.
        rememberFormats(*store, one, {second});
        QCOMPARE(rememberedFormats(*reopened(), one)->localeName, second);
        QCOMPARE(rememberedFormats(*reopened(), two)->localeName, second);
    }

    void otherSpellingsOfAPathFindTheChoice()
    {
        const QString file = makeFile(QStringLiteral("Kunden.pdb"));
        QVERIFY(QDir(mDir->path()).mkdir(QStringLiteral("sub")));
        const QString link = mDir->filePath(QStringLiteral("link.pdb"));
        QVERIFY(QFile::link(file, link));
        std::unique_ptr<QSettings> store = reopened();
        rememberFormats(*store, link, {QStringLiteral("de_DE")});

        for (const QString &spelling :
             {file, link, mDir->filePath(QStringLiteral("sub/../Kunden.pdb"))}) {
            QCOMPARE(rememberedFormats(*store, spelling)->localeName, QStringLiteral("de_DE"));
        }
    }

    void oldestChoicesGoFirst()
    {
        std::unique_ptr<QSettings> store = reopened();
        const QString oldest = mDir->filePath(QStringLiteral("0.pdb"));
        const QString answeredAgain = mDir->filePath(QStringLiteral("1.pdb"));
        for (int index = 0; index < RememberedFormatsCount; ++index)
            rememberFormats(*store, mDir->filePath(QStringLiteral("%1.pdb").arg(index)),
                            {QStringLiteral("de_DE")});
        rememberFormats(*store, answeredAgain, {QStringLiteral("it_IT")});
        rememberFormats(*store, mDir->filePath(QStringLiteral("new.pdb")), {});

        store = reopened();
        QVERIFY(!rememberedFormats(*store, oldest));
        QCOMPARE(rememberedFormats(*store, answeredAgain)->localeName, QStringLiteral("it_IT"));
        QVERIFY(rememberedFormats(*store, mDir->filePath(QStringLiteral("new.pdb")))->isDesktop());
        QVERIFY(rememberedFormats(*store, mDir->filePath(QStringLiteral("2.pdb"))));
    }

    void noPathNoMemory()
    {
        std::unique_ptr<QSettings> store = reopened();
        rememberFormats(*store, QString(), {QStringLiteral("de_DE")});
        QVERIFY(!rememberedFormats(*store, QString()));
        QVERIFY(store->allKeys().isEmpty());
    }

    // Other memories of the same file live in groups of their own: keeping or forgetting one
    // leaves the formats and the others as they are.
    void otherMemoriesKeepApart()
    {
        const QString file = makeFile(QStringLiteral("a.pdb"));
        const FileMemory chart(QStringLiteral("Chart"), QStringLiteral("Choices"));
        const FileMemory filters(QStringLiteral("Filters"), QStringLiteral("Conditions"));
        {
            std::unique_ptr<QSettings> store = reopened();
            rememberFormats(*store, file, {QStringLiteral("de_DE")});
            chart.keep(*store, file, QStringLiteral("line"));
            filters.keep(*store, file, QStringLiteral("Ort=Bremen"));
            filters.keep(*store, file, QString());
        }
        std::unique_ptr<QSettings> store = reopened();
        QCOMPARE(rememberedFormats(*store, file)->localeName, QStringLiteral("de_DE"));
        QCOMPARE(chart.recall(*store, file), std::optional<QString>(QStringLiteral("line")));
        QVERIFY(!filters.recall(*store, file));
    }
};

QTEST_MAIN(TestFormatsMemory)
#include "tst_formats_memory.moc"
