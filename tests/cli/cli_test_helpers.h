// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
//
// What the kribed-cli tests share: running the tool in a folder of its own, the databases they
// start from, and the texts the tool answers with.
#pragma once

#include "pdb_builder.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace kribed::test {

struct CliRun
{
    int exitCode = -1;
    QByteArray out;
    QString err;
};

inline const QString KribedNotice = QStringLiteral(
    "This database created by Kribo 3 will be converted into the Kribo pro format. \n"
    "Please note, that the changes don't come up in Kribo 3.");
inline const QString FormatQuestion = QStringLiteral(
    "If there is an incorrect import format please try  to change the file type in the import "
    "dialog.\nContinue?");

inline QJsonArray texts(std::initializer_list<const char *> items)
{
    QJsonArray array;
    for (const char *item : items)
        array.append(QString::fromUtf8(item));
    return array;
}

inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

using Layout = PdbBuilder::Layout;

// The database most tests work on: fields name (String) and Age (Normal Integer), records Ann 30
// and Bob 41.
inline PdbBuilder stock(Layout layout = Layout::KriboPro)
{
    return PdbBuilder(layout)
        .name("Stock")
        .field("Name", 0x0001, 60)
        .field("Age", 0x0008, 40)
        .record({"Ann", "30"})
        .record({"Bob", "41"});
}

// A database with a popup list, extras, flags, filter and sort settings, and a value with a line
// feed, so a dump or a resave has something in every key.
inline QByteArray richFile(Layout layout)
{
    // The settings follow the further width word, at 1254 in Kribo pro and 504 in Kribo 3.
    const int settings = layout == Layout::KriboPro ? 1254 : 504;
    return PdbBuilder(layout)
        .name("Stock")
        .field("Name", 0x0001, 60)
        .field("Colour", 0x0040, 30)
        .field("Note", 0x0001, 100)
        .record({"Ann", "Red", "a\nb"})
        .record({"Bob", "Blue", ""})
        .popup(2, {"Red", "Blue"})
        .extras("XYZ")
        .blockWord(settings + 4, 2)       // secondary sort
        .blockWord(settings + 6, 3)       // tertiary sort
        .blockWord(settings + 10, 1)      // filter field
        .blockBytes(settings + 28, "Ann") // filter text
        .blockWord(settings + 44, 0x0012) // private and read-only
        .build();
}

inline Layout layoutOf(const QByteArray &type)
{
    return type == "KrD3" ? Layout::Kribo3 : Layout::KriboPro;
}

// The base of the kribed-cli test classes: each test function gets a fresh folder holding
// Stock.pdb, and the tool runs in it.
class CliTestCase : public QObject
{
protected:
    void setUpFolder()
    {
        mDir = std::make_unique<QTemporaryDir>();
        QVERIFY(mDir->isValid());
        writeTestFile(QStringLiteral("Stock.pdb"), stock().build());
    }

    CliRun runCli(const QStringList &arguments, const QString &timeZone = QString())
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (!timeZone.isEmpty())
            environment.insert(QStringLiteral("TZ"), timeZone);
        return runCliIn(arguments, environment);
    }

    // Runs the tool with the given environment (a desktop's locale, a time zone).
    CliRun runCliIn(const QStringList &arguments, const QProcessEnvironment &environment)
    {
        QProcess process;
        process.setWorkingDirectory(mDir->path());
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(KRIBED_CLI_PATH), arguments);
        CliRun run;
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
            return run;
        run.exitCode = process.exitCode();
        run.out = process.readAllStandardOutput();
        run.err = QString::fromUtf8(process.readAllStandardError());
        return run;
    }

    QString writeTestFile(const QString &name, const QByteArray &bytes)
    {
        QFile file(pathOf(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write the fixture");
        return file.fileName();
    }

    QString pathOf(const QString &name) const { return mDir->filePath(name); }

    QJsonObject dumpJson(const QString &path, const QStringList &extra = {})
    {
        const CliRun run = runCli(QStringList{QStringLiteral("dump"), path} + extra);
        if (run.exitCode != 0)
            qWarning("dump failed: %s", qPrintable(run.err));
        return QJsonDocument::fromJson(run.out).object();
    }

    std::unique_ptr<QTemporaryDir> mDir;
};

} // namespace kribed::test
