// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
//
// The files that put the editor on a Linux desktop: the desktop entry, the AppStream metainfo and
// the MIME type of Kribo databases. Each is checked with the tool a distribution checks it with,
// and the MIME type is put into a scratch copy of the shared MIME database to see which type the
// desktop then gives Kribo files and other .pdb files. A check whose tool is missing is skipped.
#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include <cstdio>

namespace {

const QString KriboType = QStringLiteral("application/x-kribo-database");
const QString ProbeOption = QStringLiteral("--mime-of");

QString sourcePath(const QString &relative)
{
    return QStringLiteral(KRIBED_SOURCE_DIR "/packaging/") + relative;
}

const QString DesktopEntry = sourcePath(QStringLiteral("kribed.desktop"));
const QString Metainfo = sourcePath(QStringLiteral("org.example.kribed.metainfo.xml"));
const QString MimeXml = sourcePath(QStringLiteral("kribed-mime.xml"));

struct RunResult
{
    int exitCode = -1;
    QString out;
    QString err;
};

RunResult run(const QString &program, const QStringList &arguments,
              const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    RunResult result;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
        result.err = QStringLiteral("%1 did not finish: %2").arg(program, process.errorString());
        return result;
    }
    result.exitCode = process.exitCode();
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The texts of every element called `name` in an XML file.
QStringList elementTexts(const QString &path, const QString &name)
{
    QStringList texts;
    QXmlStreamReader reader(readAll(path));
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == name)
            texts << reader.readElementText().trimmed();
    }
    return texts;
}

QStringList mimeXmlTypes()
{
    QStringList types;
    QXmlStreamReader reader(readAll(MimeXml));
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement
            && reader.name() == QStringLiteral("mime-type"))
            types << reader.attributes().value(QStringLiteral("type")).toString();
    }
    return types;
}

QString desktopKey(const QString &key)
{
    const QString prefix = key + QLatin1Char('=');
    const QStringList lines = QString::fromUtf8(readAll(DesktopEntry)).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size());
    }
    return QString();
}

// The element declarations that the freedesktop database carries at its top: the rules a MIME
// package has to follow. Empty when the installed copy has none.
QByteArray mimeInfoDtd(const QString &freedesktopXml)
{
    const QByteArray text = readAll(freedesktopXml);
    const QByteArray opening = QByteArrayLiteral("<!DOCTYPE mime-info [");
    const int start = text.indexOf(opening);
    const int end = text.indexOf(QByteArrayLiteral("]>"), start);
    if (start < 0 || end < 0)
        return QByteArray();
    return text.mid(start + opening.size(), end - start - opening.size());
}

// A file of the Palm database container with the given type and creator at offsets 60 and 64.
QByteArray palmFile(const QByteArray &typeAndCreator)
{
    QByteArray bytes(78, '\0');
    bytes.replace(0, 6, QByteArrayLiteral("Other\0"));
    bytes.replace(60, 8, typeAndCreator);
    return bytes + QByteArray(100, 'x');
}

} // namespace

class TestPackaging : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void desktopEntryValidates();
    void metainfoValidates();
    void mimeXmlValidates();
    void filesNameTheKriboType();
    void desktopIdentifiesFiles_data();
    void desktopIdentifiesFiles();

private:
    QString makeMimeFolder(const QString &name, bool withOurs);
    QString identify(const QString &engine, const QString &dataDir, const QString &file);

    QTemporaryDir mDir;
    QString mFreedesktopXml;
    QString mBaseData;
    QString mOurData;
    QString mMimeMissing;
    QString mMimeError;
};

void TestPackaging::initTestCase()
{
    QVERIFY(mDir.isValid());
    QVERIFY(QFile::exists(DesktopEntry) && QFile::exists(Metainfo) && QFile::exists(MimeXml));
    mFreedesktopXml = QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                             QStringLiteral("mime/packages/freedesktop.org.xml"));
    if (mFreedesktopXml.isEmpty())
        mMimeMissing =
            QStringLiteral("the freedesktop MIME database (shared-mime-info) is missing");
    else if (QStandardPaths::findExecutable(QStringLiteral("update-mime-database")).isEmpty())
        mMimeMissing = QStringLiteral("update-mime-database (shared-mime-info) is not installed");
    if (mMimeMissing.isEmpty()) {
        mBaseData = makeMimeFolder(QStringLiteral("base"), false);
        mOurData = makeMimeFolder(QStringLiteral("ours"), true);
    }
}

// A data folder whose mime/ holds the freedesktop database, with or without our package, compiled
// as a distribution compiles it.
QString TestPackaging::makeMimeFolder(const QString &name, bool withOurs)
{
    const QString data = mDir.filePath(name);
    const QString packages = data + QStringLiteral("/mime/packages");
    if (!QDir().mkpath(packages)
        || !QFile::copy(mFreedesktopXml, packages + QStringLiteral("/freedesktop.org.xml"))
        || (withOurs && !QFile::copy(MimeXml, packages + QStringLiteral("/kribed-mime.xml")))) {
        mMimeError = QStringLiteral("cannot set up %1").arg(packages);
        return QString();
    }
    const RunResult result =
        run(QStringLiteral("update-mime-database"), {data + QStringLiteral("/mime")});
    // It warns about elements and attributes it does not know, but still succeeds.
    const QStringList complaints = result.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                                       .filter(QStringLiteral("kribed-mime.xml"));
    if (result.exitCode != 0 || !complaints.isEmpty())
        mMimeError = QStringLiteral("update-mime-database failed: %1").arg(result.err);
    return data;
}

void TestPackaging::desktopEntryValidates()
{
    if (QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate")).isEmpty())
        QSKIP("desktop-file-validate (desktop-file-utils) is not installed");
    const RunResult result = run(QStringLiteral("desktop-file-validate"), {DesktopEntry});
    // Errors give a failing exit code; warnings and hints are printed only.
    QVERIFY2(result.exitCode == 0 && result.out.isEmpty() && result.err.isEmpty(),
             qPrintable(result.out + result.err));
}

void TestPackaging::metainfoValidates()
{
    if (QStandardPaths::findExecutable(QStringLiteral("appstreamcli")).isEmpty())
        QSKIP("appstreamcli (appstream) is not installed");
    // Fails on errors and on warnings.
    const RunResult result =
        run(QStringLiteral("appstreamcli"),
            {QStringLiteral("validate"), QStringLiteral("--no-net"), Metainfo});
    QVERIFY2(result.exitCode == 0, qPrintable(result.out + result.err));
}

void TestPackaging::mimeXmlValidates()
{
    if (QStandardPaths::findExecutable(QStringLiteral("xmllint")).isEmpty())
        QSKIP("xmllint (libxml2-utils) is not installed");
    const RunResult formed = run(QStringLiteral("xmllint"), {QStringLiteral("--noout"), MimeXml});
    QVERIFY2(formed.exitCode == 0, qPrintable(formed.err));

    const QByteArray dtd = mFreedesktopXml.isEmpty() ? QByteArray() : mimeInfoDtd(mFreedesktopXml);
    if (dtd.isEmpty())
        QSKIP("no shared-mime-info rules on this machine: only well-formedness checked");
    const QString dtdPath = mDir.filePath(QStringLiteral("mime-info.dtd"));
    QVERIFY(writeAll(dtdPath, dtd));
    const RunResult valid =
        run(QStringLiteral("xmllint"),
            {QStringLiteral("--noout"), QStringLiteral("--dtdvalid"), dtdPath, MimeXml});
    QVERIFY2(valid.exitCode == 0, qPrintable(valid.err));
}

// The desktop entry claims the type the package defines and the metainfo announces, and hands the
// file it is started with to the program.
void TestPackaging::filesNameTheKriboType()
{
    QCOMPARE(mimeXmlTypes(), QStringList{KriboType});
    QCOMPARE(desktopKey(QStringLiteral("MimeType")), KriboType + QLatin1Char(';'));
    QCOMPARE(elementTexts(Metainfo, QStringLiteral("mediatype")), QStringList{KriboType});
    QCOMPARE(elementTexts(Metainfo, QStringLiteral("launchable")),
             QStringList{QStringLiteral("kribed.desktop")});
    const QStringList exec = desktopKey(QStringLiteral("Exec")).split(QLatin1Char(' '));
    QVERIFY2(exec.contains(QStringLiteral("%f")) || exec.contains(QStringLiteral("%F")),
             "the desktop entry does not pass the file on");
}

void TestPackaging::desktopIdentifiesFiles_data()
{
    const QByteArray kunden = readAll(QStringLiteral(KRIBED_SOURCE_DIR "/examples/Kunden.pdb"));
    const QByteArray stock = readAll(QStringLiteral(KRIBED_SOURCE_DIR "/examples/Stock.pdb"));
    QVERIFY(kunden.size() > 78 && stock.size() > 78);
    QByteArray otherCreator = kunden;
    otherCreator.replace(64, 4, QByteArrayLiteral("Xyzw"));

    struct Sample
    {
        const char *tag;
        QString fileName;
        QByteArray bytes;
        bool kribo;
    };
    const Sample samples[] = {
        {"current layout", QStringLiteral("Kunden.pdb"), kunden, true},
        {"Kribo 3 layout", QStringLiteral("Stock.pdb"), stock, true},
        // The editor opens a Kribo database whatever its creator.
        {"other creator", QStringLiteral("Copy.pdb"), otherCreator, true},
        {"e-book", QStringLiteral("Book.pdb"), palmFile(QByteArrayLiteral("TEXtREAd")), false},
        {"other database", QStringLiteral("Memo.pdb"), palmFile(QByteArrayLiteral("DATAmemo")),
         false},
    };

    QTest::addColumn<QString>("engine");
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("kribo");
    for (const Sample &sample : samples) {
        const QString folder = mDir.filePath(QString::fromLatin1(sample.tag));
        const QString path = folder + QLatin1Char('/') + sample.fileName;
        QVERIFY(QDir().mkpath(folder) && writeAll(path, sample.bytes));
        // Qt's type lookup serves KDE and the file dialogs, GIO serves GNOME and xdg-mime there.
        for (const QString &engine : {QStringLiteral("qt"), QStringLiteral("gio")}) {
            QTest::addRow("%s, %s", qPrintable(engine), sample.tag)
                << engine << path << sample.kribo;
        }
    }
}

void TestPackaging::desktopIdentifiesFiles()
{
    QFETCH(QString, engine);
    QFETCH(QString, path);
    QFETCH(bool, kribo);
    if (!mMimeMissing.isEmpty())
        QSKIP(qPrintable(mMimeMissing));
    QVERIFY2(mMimeError.isEmpty(), qPrintable(mMimeError));
    if (engine == QStringLiteral("gio")
        && QStandardPaths::findExecutable(QStringLiteral("gio")).isEmpty())
        QSKIP("gio (libglib2.0-bin) is not installed");

    const QString before = identify(engine, mBaseData, path);
    const QString after = identify(engine, mOurData, path);
    QVERIFY2(!before.isEmpty() && before != KriboType, qPrintable(before));
    // Other Palm files keep the type they had without our package.
    QCOMPARE(after, kribo ? KriboType : before);
}

QString TestPackaging::identify(const QString &engine, const QString &dataDir, const QString &file)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_DIRS"), dataDir);
    environment.insert(QStringLiteral("XDG_DATA_HOME"), mDir.filePath(QStringLiteral("no-home")));
    if (engine == QStringLiteral("gio")) {
        const RunResult result = run(QStringLiteral("gio"),
                                     {QStringLiteral("info"), QStringLiteral("--attributes"),
                                      QStringLiteral("standard::content-type"), file},
                                     environment);
        const QString key = QStringLiteral("standard::content-type:");
        const int at = result.out.indexOf(key);
        return at < 0 ? result.err
                      : result.out.mid(at + key.size()).section(QLatin1Char('\n'), 0, 0).trimmed();
    }
    // QMimeDatabase reads the data folders once per process: ask a fresh one, this program.
    const RunResult result =
        run(QCoreApplication::applicationFilePath(), {ProbeOption, file}, environment);
    return result.exitCode == 0 ? result.out.trimmed() : result.err;
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() == 3 && arguments.at(1) == ProbeOption) {
        const QString name = QMimeDatabase().mimeTypeForFile(arguments.at(2)).name();
        std::fputs(name.toUtf8().constData(), stdout);
        return 0;
    }
    TestPackaging test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_packaging.moc"
