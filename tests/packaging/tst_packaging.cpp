// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
//
// The files that put the editor on a Linux desktop: the desktop entry, the AppStream metainfo and
// the MIME type of Kribo databases. Each is checked with the tool a distribution checks it with,
// and the MIME type is put into a scratch copy of the shared MIME database to see which type the
// desktop then gives Kribo files and other .pdb files. The Debian package that scripts/package
// builds is unpacked into a scratch folder, never into the system, and its programs run from
// there. A check whose tool is missing is skipped.
#include "core/platform/project_address.h"

#include <QDate>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QSize>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QVersionNumber>
#include <QXmlStreamReader>
#include <QtTest>

#include <cstdio>
#include <optional>

namespace {

const QString KriboType = QStringLiteral("application/x-kribo-database");
const QString ProbeOption = QStringLiteral("--mime-of");

QString sourcePath(const QString &relative)
{
    return QStringLiteral(KRIBED_SOURCE_DIR "/packaging/") + relative;
}

const QString AppId = QStringLiteral("io.github.kribedpro.Kribed");
const QString HomePage = QStringLiteral("https://kribedpro.github.io/");
const QString DesktopEntry = sourcePath(AppId + QStringLiteral(".desktop"));
// The metainfo as it is installed, with the releases written in.
const QString Metainfo = QStringLiteral(KRIBED_METAINFO_PATH);
const QString MimeXml = sourcePath(QStringLiteral("kribed-mime.xml"));
const QString Icon = sourcePath(AppId + QStringLiteral(".svg"));

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

// The attribute `attribute` of every element called `name`.
QStringList attributeValues(const QString &path, const QString &name, const QString &attribute)
{
    QStringList values;
    QXmlStreamReader reader(readAll(path));
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == name)
            values << reader.attributes().value(attribute).toString();
    }
    return values;
}

// Width and height from a PNG's header; nothing for a file that is no PNG.
std::optional<QSize> pngSize(const QString &path)
{
    const QByteArray bytes = readAll(path);
    if (bytes.size() < 24 || !bytes.startsWith("\x89PNG\r\n\x1a\n") || bytes.mid(12, 4) != "IHDR")
        return std::nullopt;
    const auto number = [&bytes](int at) {
        return int(quint32(quint8(bytes[at])) << 24 | quint32(quint8(bytes[at + 1])) << 16
                   | quint32(quint8(bytes[at + 2])) << 8 | quint32(quint8(bytes[at + 3])));
    };
    return QSize(number(16), number(20));
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
    void filesCarryTheId_data();
    void filesCarryTheId();
    void addressesAreTheProjects();
    void releasesFollowTheVersion();
    void screenshotsArePublishedOnes();
    void screenshotToolDrawsThem();
    void packageHoldsTheFiles_data();
    void packageHoldsTheFiles();
    void packageHoldsNothingElse();
    void installedProgramsRun_data();
    void installedProgramsRun();
    void packageNamesTheLinkedLibraries();

private:
    QString makeMimeFolder(const QString &name, bool withOurs);
    QString identify(const QString &engine, const QString &dataDir, const QString &file);
    void unpackPackage();

    QString mPackage;
    QString mRoot;
    QString mPackageMissing;
    QString mPackageError;

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
    unpackPackage();
}

// The package scripts/package made from this build, unpacked into a scratch root.
void TestPackaging::unpackPackage()
{
    if (QStandardPaths::findExecutable(QStringLiteral("dpkg-deb")).isEmpty()) {
        mPackageMissing = QStringLiteral("dpkg-deb is not installed: the package is not checked");
        return;
    }
    const RunResult arch = run(QStringLiteral("dpkg"), {QStringLiteral("--print-architecture")});
    mPackage = QStringLiteral(KRIBED_BINARY_DIR "/kribed_%1_%2.deb")
                   .arg(QStringLiteral(KRIBED_VERSION), arch.out.trimmed());
    const QFileInfo package(mPackage);
    if (!package.exists()) {
        mPackageMissing = QStringLiteral("%1 was not built (scripts/package)").arg(mPackage);
        return;
    }
    // A package older than the programs would show what an earlier build installed.
    if (package.lastModified() < QFileInfo(QStringLiteral(KRIBED_CLI_PATH)).lastModified()) {
        mPackageMissing =
            QStringLiteral("%1 is older than the build: run scripts/package").arg(mPackage);
        return;
    }
    mRoot = mDir.filePath(QStringLiteral("root"));
    const RunResult unpacked =
        run(QStringLiteral("dpkg-deb"), {QStringLiteral("--extract"), mPackage, mRoot});
    if (unpacked.exitCode != 0)
        mPackageError = QStringLiteral("dpkg-deb --extract failed: %1").arg(unpacked.err);
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
             QStringList{QFileInfo(DesktopEntry).fileName()});
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

void TestPackaging::filesCarryTheId_data()
{
    QTest::addColumn<QString>("found");
    QTest::newRow("metainfo id") << elementTexts(Metainfo, QStringLiteral("id")).value(0);
    QTest::newRow("desktop entry file") << QFileInfo(DesktopEntry).completeBaseName();
    QTest::newRow("desktop entry icon") << desktopKey(QStringLiteral("Icon"));
    QTest::newRow("icon file") << QFileInfo(Icon).completeBaseName();
    QTest::newRow("metainfo file") << QFileInfo(Metainfo).fileName().section(u'.', 0, -3);
}

// Software centres find the desktop entry, the icon and the metainfo by the one id.
void TestPackaging::filesCarryTheId()
{
    QFETCH(QString, found);
    QCOMPARE(found, AppId);
}

void TestPackaging::addressesAreTheProjects()
{
    QCOMPARE(elementTexts(Metainfo, QStringLiteral("url")), QStringList{HomePage});
    const QStringList images = elementTexts(Metainfo, QStringLiteral("image"));
    QVERIFY(!images.isEmpty());
    for (const QString &image : images)
        QVERIFY2(image.startsWith(HomePage + QStringLiteral("screenshots/")), qPrintable(image));
    QVERIFY(!readAll(Metainfo).contains("example"));
    // The program shows the same address (About box, printed pages).
    QCOMPARE(kribed::projectWebAddress(), HomePage);
}

// The newest release is this build's version; every release has a date and notes, newest first.
void TestPackaging::releasesFollowTheVersion()
{
    const QStringList versions =
        attributeValues(Metainfo, QStringLiteral("release"), QStringLiteral("version"));
    const QStringList dates =
        attributeValues(Metainfo, QStringLiteral("release"), QStringLiteral("date"));
    QVERIFY(!versions.isEmpty());
    QCOMPARE(versions.first(), QStringLiteral(KRIBED_VERSION));
    QCOMPARE(dates.size(), versions.size());
    QDate later;
    for (int i = 0; i < versions.size(); ++i) {
        const QDate date = QDate::fromString(dates.at(i), Qt::ISODate);
        QVERIFY2(date.isValid(), qPrintable(versions.at(i) + u' ' + dates.at(i)));
        if (i > 0) {
            QVERIFY(QVersionNumber::fromString(versions.at(i))
                    < QVersionNumber::fromString(versions.at(i - 1)));
            QVERIFY(date <= later);
        }
        later = date;
    }
    const QStringList notes = elementTexts(Metainfo, QStringLiteral("li"));
    QVERIFY(notes.size() > 6); // the program's features, then the release notes
    for (const QString &note : notes) {
        QVERIFY2(!note.isEmpty() && !note.contains(u'`') && !note.contains(QStringLiteral("\n- ")),
                 qPrintable(note));
    }
}

// Each picture the metainfo names is a PNG of packaging/screenshots, and each one there is named.
void TestPackaging::screenshotsArePublishedOnes()
{
    QStringList named;
    for (const QString &image : elementTexts(Metainfo, QStringLiteral("image")))
        named << image.section(u'/', -1);
    QVERIFY(!named.isEmpty());
    QStringList sorted = named;
    sorted.sort();
    const QDir folder(sourcePath(QStringLiteral("screenshots")));
    QCOMPARE(folder.entryList(QDir::Files, QDir::Name), sorted);
    for (const QString &name : named) {
        const std::optional<QSize> size = pngSize(folder.filePath(name));
        QVERIFY2(size, qPrintable(name));
        // Software centres want at least 620 by 350 for the main picture.
        if (name == named.first())
            QVERIFY2(size->width() >= 620 && size->height() >= 350, qPrintable(name));
    }
}

// The tool behind scripts/screenshots draws every picture the metainfo names.
void TestPackaging::screenshotToolDrawsThem()
{
    const QString folder = mDir.filePath(QStringLiteral("shots"));
    const RunResult result = run(QStringLiteral(KRIBED_SCREENSHOT_TOOL), {folder});
    QVERIFY2(result.exitCode == 0, qPrintable(result.out + result.err));
    QStringList drawn = QDir(folder).entryList(QDir::Files, QDir::Name);
    QStringList named;
    for (const QString &image : elementTexts(Metainfo, QStringLiteral("image")))
        named << image.section(u'/', -1);
    named.sort();
    QCOMPARE(drawn, named);
    for (const QString &name : drawn) {
        const std::optional<QSize> size = pngSize(QDir(folder).filePath(name));
        QVERIFY2(size && size->width() > 200 && size->height() > 150, qPrintable(name));
    }
    // Nothing of the run is left in the temporary folder.
    QVERIFY(!QFileInfo::exists(QDir::tempPath() + QStringLiteral("/Kribed PRO demo")));
}

namespace {

// Each installed file, and the source file it is a copy of (none: made by the build).
struct PackagedFile
{
    QString installed;
    QString source;
};

QList<PackagedFile> packagedFiles()
{
    const QString share = QStringLiteral("usr/share/");
    QList<PackagedFile> files = {
        {QStringLiteral("usr/bin/kribed"), QString()},
        {QStringLiteral("usr/bin/kribed-cli"), QString()},
        {share + QStringLiteral("applications/") + AppId + QStringLiteral(".desktop"),
         DesktopEntry},
        {share + QStringLiteral("metainfo/") + AppId + QStringLiteral(".metainfo.xml"), Metainfo},
        {share + QStringLiteral("mime/packages/kribed-mime.xml"), MimeXml},
        {share + QStringLiteral("icons/hicolor/scalable/apps/") + AppId + QStringLiteral(".svg"),
         Icon},
        {share + QStringLiteral("man/man1/kribed.1.gz"), QString()},
        {share + QStringLiteral("man/man1/kribed-cli.1.gz"), QString()},
        {share + QStringLiteral("doc/kribed/copyright"), sourcePath(QStringLiteral("copyright"))},
        {share + QStringLiteral("doc/kribed/changelog.gz"), QString()},
    };
    const QDir examples(QStringLiteral(KRIBED_SOURCE_DIR "/examples"));
    for (const QString &name : examples.entryList({QStringLiteral("*.pdb")}, QDir::Files))
        files.append({share + QStringLiteral("kribed/examples/") + name, examples.filePath(name)});
    return files;
}

} // namespace

void TestPackaging::packageHoldsTheFiles_data()
{
    QTest::addColumn<QString>("installed");
    QTest::addColumn<QString>("source");
    for (const PackagedFile &file : packagedFiles())
        QTest::newRow(qPrintable(file.installed)) << file.installed << file.source;
}

void TestPackaging::packageHoldsTheFiles()
{
    QFETCH(QString, installed);
    QFETCH(QString, source);
    if (!mPackageMissing.isEmpty())
        QSKIP(qPrintable(mPackageMissing));
    QVERIFY2(mPackageError.isEmpty(), qPrintable(mPackageError));
    const QFileInfo file(mRoot + u'/' + installed);
    QVERIFY2(file.isFile(), qPrintable(installed));
    if (installed.startsWith(QStringLiteral("usr/bin/")))
        QVERIFY(file.isExecutable());
    else
        QVERIFY(!file.isExecutable() && file.size() > 0);
    if (installed.endsWith(QStringLiteral(".gz")))
        QVERIFY(readAll(file.filePath()).startsWith("\x1f\x8b"));
    if (!source.isEmpty())
        QCOMPARE(readAll(file.filePath()), readAll(source));
}

// No test program, helper library or stray file comes along.
void TestPackaging::packageHoldsNothingElse()
{
    if (!mPackageMissing.isEmpty())
        QSKIP(qPrintable(mPackageMissing));
    QVERIFY2(mPackageError.isEmpty(), qPrintable(mPackageError));
    QStringList expected;
    for (const PackagedFile &file : packagedFiles())
        expected << file.installed;
    QStringList found;
    QDirIterator it(mRoot, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        found << QDir(mRoot).relativeFilePath(it.next());
    expected.sort();
    found.sort();
    QCOMPARE(found, expected);
}

void TestPackaging::installedProgramsRun_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("output");
    const QString version = QStringLiteral(KRIBED_VERSION);
    QTest::newRow("kribed-cli --version")
        << QStringLiteral("kribed-cli") << QStringList{QStringLiteral("--version")}
        << QStringLiteral("kribed-cli %1\n").arg(version);
    // The editor answers without a display.
    QTest::newRow("kribed --version")
        << QStringLiteral("kribed") << QStringList{QStringLiteral("--version")}
        << QStringLiteral("Kribed PRO %1\n").arg(version);
    QTest::newRow("kribed-cli check on an installed demo")
        << QStringLiteral("kribed-cli")
        << QStringList{QStringLiteral("check"), QStringLiteral("usr/share/kribed/examples/Kunden.pdb")}
        << QStringLiteral("usr/share/kribed/examples/Kunden.pdb: OK (Kribo pro, 20 records, 10 "
                          "fields)\n");
}

void TestPackaging::installedProgramsRun()
{
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    QFETCH(QString, output);
    if (!mPackageMissing.isEmpty())
        QSKIP(qPrintable(mPackageMissing));
    QVERIFY2(mPackageError.isEmpty(), qPrintable(mPackageError));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(mRoot);
    process.start(mRoot + QStringLiteral("/usr/bin/") + program, arguments);
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()), output);
    QCOMPARE(process.exitCode(), 0);
}

// Every library the installed programs link (not the ones those load) comes from a package the
// package depends on.
void TestPackaging::packageNamesTheLinkedLibraries()
{
    if (!mPackageMissing.isEmpty())
        QSKIP(qPrintable(mPackageMissing));
    QVERIFY2(mPackageError.isEmpty(), qPrintable(mPackageError));
    if (QStandardPaths::findExecutable(QStringLiteral("ldd")).isEmpty()
        || QStandardPaths::findExecutable(QStringLiteral("readelf")).isEmpty())
        QSKIP("ldd or readelf (binutils) is not installed");
    const RunResult fields =
        run(QStringLiteral("dpkg-deb"), {QStringLiteral("--field"), mPackage, QStringLiteral("Depends")});
    QCOMPARE(fields.exitCode, 0);
    QStringList depends;
    for (const QString &entry : fields.out.split(u',', Qt::SkipEmptyParts))
        depends << entry.trimmed().section(u' ', 0, 0);
    QVERIFY(depends.contains(QStringLiteral("libqt6svg6")));
    // The charts of both programs draw with Qt Charts.
    QVERIFY(depends.contains(QStringLiteral("libqt6charts6")));
    for (const QString &program : {QStringLiteral("kribed"), QStringLiteral("kribed-cli")}) {
        const QString binary = mRoot + QStringLiteral("/usr/bin/") + program;
        const RunResult dynamic = run(QStringLiteral("readelf"), {QStringLiteral("-d"), binary});
        const RunResult libraries = run(QStringLiteral("ldd"), {binary});
        QCOMPARE(dynamic.exitCode, 0);
        QCOMPARE(libraries.exitCode, 0);
        QStringList needed;
        for (const QString &line : dynamic.out.split(u'\n')) {
            if (line.contains(QStringLiteral("(NEEDED)")))
                needed << line.section(u'[', 1).section(u']', 0, 0);
        }
        // The loader comes with the C library, which ldd names apart.
        needed.removeIf([](const QString &name) { return name.startsWith(QStringLiteral("ld-")); });
        int count = 0;
        for (const QString &line : libraries.out.split(u'\n', Qt::SkipEmptyParts)) {
            const QString soname = line.trimmed().section(u' ', 0, 0);
            if (!line.contains(QStringLiteral("=>")) || !needed.contains(soname))
                continue;
            const QString path = line.section(QStringLiteral("=> "), 1).section(u' ', 0, 0);
            // The loader may name a library by the merged /lib that dpkg knows as /usr/lib.
            QStringList names = {path, QFileInfo(path).canonicalFilePath()};
            names << (path.startsWith(QStringLiteral("/usr/")) ? path.mid(4)
                                                               : QStringLiteral("/usr") + path);
            RunResult owner;
            for (const QString &name : names) {
                owner = run(QStringLiteral("dpkg"), {QStringLiteral("--search"), name});
                if (owner.exitCode == 0)
                    break;
            }
            QVERIFY2(owner.exitCode == 0, qPrintable(soname + owner.err));
            const QString package = owner.out.section(u':', 0, 0).trimmed();
            QVERIFY2(depends.contains(package),
                     qPrintable(QStringLiteral("%1 (%2 of %3) is not in Depends: %4")
                                    .arg(package, soname, program, fields.out)));
            ++count;
        }
        QCOMPARE(count, needed.size());
    }
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
