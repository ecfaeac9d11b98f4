// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/handheld/user_data.h"

#include <QCoreApplication>

#include "core/handheld/desktop_ini.h"
#include "core/model/regional.h"
#include "core/platform/prompter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QSettings>
#include <QStringList>

#include <cstring>

namespace kribed {

namespace {

const QString ApplicationName = QStringLiteral("Pilot Desktop");

// Single bytes and runs of bytes at positions of a device, never past its end: every answer
// outside the device is "none". The list is small, so it is read in one piece from its start.
class ByteCursor
{
public:
    explicit ByteCursor(QIODevice &device)
    {
        if (device.isSequential() || device.seek(0))
            mBytes = device.readAll();
    }

    std::optional<uchar> byteAt(qint64 pos) const
    {
        if (pos < 0 || pos >= mBytes.size())
            return std::nullopt;
        return uchar(mBytes.at(pos));
    }

    QByteArrayView bytes() const { return mBytes; }

    std::optional<QByteArrayView> bytesAt(qint64 pos, int length) const
    {
        if (pos < 0 || length < 0 || pos + length > mBytes.size())
            return std::nullopt;
        return QByteArrayView(mBytes).sliced(pos, length);
    }

private:
    QByteArray mBytes;
};

QString userText(QByteArrayView bytes, const Regional &regional)
{
    return regional.toText(bytes.first(qMin<qsizetype>(bytes.size(), MaxUserTextLength)));
}

// One user record starting at r; `next` receives the position after its uninterpreted byte.
std::optional<UserEntry> readUserRecord(ByteCursor &cursor, qint64 r, qint64 &next,
                                        const Regional &regional)
{
    const std::optional<QByteArrayView> id = cursor.bytesAt(r, 2);
    const std::optional<uchar> nameLength = cursor.byteAt(r + 4);
    if (!id || !nameLength)
        return std::nullopt;
    const std::optional<QByteArrayView> name = cursor.bytesAt(r + 5, *nameLength);
    const std::optional<uchar> folderLength = cursor.byteAt(r + 5 + *nameLength);
    if (!name || !folderLength)
        return std::nullopt;
    const std::optional<QByteArrayView> folder = cursor.bytesAt(r + 6 + *nameLength, *folderLength);
    if (!folder)
        return std::nullopt;

    UserEntry entry;
    entry.id = quint16(uchar(id->at(0)) | (uchar(id->at(1)) << 8));
    entry.name = userText(*name, regional);
    entry.folder = userText(*folder, regional);
    next = r + 7 + *nameLength + *folderLength;
    return entry;
}

// The position right after the next 0x01 0x80 from pos on, or none when the file ends first.
// A 0x01 always takes the byte after it along, so 0x01 0x01 0x80 holds no marker. Read from pos,
// a run of 0x01 bytes pairs up from its first byte: the 0x01 before a 0x80 starts a pair, and
// so a marker, exactly when the run up to it (from pos at the earliest) is odd in length. The
// 0x80 bytes are found with memchr, which keeps long stretches before a marker cheap.
std::optional<qint64> skipToMarker(const ByteCursor &cursor, qint64 pos)
{
    const QByteArrayView bytes = cursor.bytes();
    if (pos < 0)
        return std::nullopt;
    const char *const data = bytes.data();
    qint64 from = pos + 1; // a marker's 0x80 stands after its 0x01
    while (from < bytes.size()) {
        const void *found = std::memchr(data + from, 0x80, size_t(bytes.size() - from));
        if (!found)
            return std::nullopt;
        const qint64 high = static_cast<const char *>(found) - data;
        qint64 run = 0;
        while (high - 1 - run >= pos && data[high - 1 - run] == 0x01)
            ++run;
        if (run % 2 == 1)
            return high + 1;
        from = high + 1;
    }
    return std::nullopt;
}

// An INI file standing in for the registry: read once when opened, and each flag written back
// through the safe-write routine with every other byte kept.
class IniRoot : public HandheldRoot
{
public:
    explicit IniRoot(const QString &path)
        : mPath(path)
    {
        mLoaded = mIni.load(path);
    }

    bool subkeyOpens(const QString &subkey) const override
    {
        return mLoaded && mIni.hasGroup(subkey);
    }

    std::optional<QString> value(const QString &subkey, const QString &name) const override
    {
        return mIni.value(subkey, name);
    }

    bool raiseFlag(const QString &subkey, const QString &name) override
    {
        // A file that could not be read whole is never written back.
        return mLoaded && writeDesktopIniValue(mPath, subkey, name, QByteArrayLiteral("1"));
    }

private:
    QString mPath;
    DesktopIni mIni;
    bool mLoaded = false;
};

#ifdef Q_OS_WIN
// The registry key itself; "Pilot Desktop" is a key below it.
class RegistryRoot : public HandheldRoot
{
public:
    explicit RegistryRoot(const QString &key)
        : mSettings(key, QSettings::NativeFormat)
    {
    }

    bool subkeyOpens(const QString &subkey) const override
    {
        mSettings.beginGroup(ApplicationName);
        const bool opens = mSettings.childGroups().contains(subkey);
        mSettings.endGroup();
        return opens;
    }

    std::optional<QString> value(const QString &subkey, const QString &name) const override
    {
        const QString key = ApplicationName + u'/' + subkey + u'/' + name;
        if (!mSettings.contains(key))
            return std::nullopt;
        return mSettings.value(key).toString();
    }

    bool raiseFlag(const QString &subkey, const QString &name) override
    {
        mSettings.setValue(ApplicationName + u'/' + subkey + u'/' + name, 1);
        mSettings.sync();
        return mSettings.status() == QSettings::NoError;
    }

private:
    mutable QSettings mSettings; // groups are entered and left to look
};
#endif

} // namespace

QString desktopNotInstalledText()
{
    return QCoreApplication::translate(
        "UserData", "The Desktop software for the Palm Computing(R) Platform is not correctly "
                    "installed.\nNevertheless you can use Kribed without problems.");
}

// HandheldRegistry ------------------------------------------------------------------------------

QString HandheldRegistry::iniFile(const QString &organisation) const
{
    if (!mIniFolder.isEmpty())
        return mIniFolder + u'/' + organisation + u'/' + ApplicationName + QStringLiteral(".ini");
    return QSettings(QSettings::IniFormat, QSettings::UserScope, organisation, ApplicationName)
        .fileName();
}

std::unique_ptr<HandheldRoot> HandheldRegistry::openRoot() const
{
    const QStringList organisations{primaryOrganisation(), fallbackOrganisation()};
#ifdef Q_OS_WIN
    if (mIniFolder.isEmpty()) {
        QSettings software(QStringLiteral("HKEY_CURRENT_USER\\Software"), QSettings::NativeFormat);
        const QStringList keys = software.childGroups();
        for (const QString &organisation : organisations) {
            if (keys.contains(organisation))
                return std::make_unique<RegistryRoot>(
                    QStringLiteral("HKEY_CURRENT_USER\\Software\\") + organisation);
        }
        return nullptr;
    }
#endif
    for (const QString &organisation : organisations) {
        const QString file = iniFile(organisation);
        if (QFileInfo(file).isFile())
            return std::make_unique<IniRoot>(file);
    }
    return nullptr;
}

// users.dat -------------------------------------------------------------------------------------

QList<UserEntry> readUsersDat(QIODevice &device, const Regional &regional)
{
    QList<UserEntry> users;
    ByteCursor cursor(device);
    const std::optional<uchar> count = cursor.byteAt(0);
    if (!count)
        return users;

    qint64 r = 13;
    for (int index = 0; index < *count; ++index) {
        qint64 afterRecord = 0;
        std::optional<UserEntry> entry = readUserRecord(cursor, r, afterRecord, regional);
        if (!entry)
            break;
        users.append(std::move(*entry));
        if (index + 1 == *count)
            break;
        const std::optional<qint64> next = skipToMarker(cursor, afterRecord);
        if (!next)
            break;
        r = *next;
    }
    return users;
}

// UserData -------------------------------------------------------------------------------------

UserData::UserData(Prompter &prompter, const Regional &regional, HandheldRegistry registry,
                   bool tellWhenMissing)
    : mRegistry(std::move(registry))
{
    readRegistry(prompter, regional, tellWhenMissing);
}

void UserData::readRegistry(Prompter &prompter, const Regional &regional, bool tellWhenMissing)
{
    const std::unique_ptr<HandheldRoot> root = mRegistry.openRoot();
    if (!root) {
        mDesktopMissing = true;
        if (tellWhenMissing) {
            prompter.ask({QCoreApplication::translate("UserData", "Kribed"),
                          desktopNotInstalledText(), Icon::Error, Buttons::Ok});
        }
        return;
    }

    const QString preferences = QStringLiteral("Preferences");
    if (root->subkeyOpens(preferences)) {
        mLastUserName = root->value(preferences, QStringLiteral("LastUserName"))
                            .value_or(QString())
                            .left(MaxUserTextLength);
    }

    const QString core = QStringLiteral("Core");
    if (!root->subkeyOpens(core))
        return;
    const std::optional<QString> path = root->value(core, QStringLiteral("Path"));
    if (!path)
        return;
    mDesktopFolder = path->left(MaxDesktopFolderLength);

    QFile file(mDesktopFolder + QStringLiteral("/users.dat"));
    if (!file.open(QIODevice::ReadOnly))
        return;
    mUsers = readUsersDat(file, regional);
    // A later user of the same name wins.
    for (int index = 0; index < mUsers.size(); ++index) {
        if (mUsers[index].name == mLastUserName)
            mLastUserIndex = index;
    }
}

quint16 UserData::userId(int index) const
{
    return index >= 0 && index < count() ? mUsers[index].id : 0;
}

QString UserData::userName(int index) const
{
    return index >= 0 && index < count() ? mUsers[index].name : QString();
}

QString UserData::folderName(int index) const
{
    return index >= 0 && index < count() ? mUsers[index].folder : QString();
}

QString UserData::userFolder(int index, const QString &leaf) const
{
    return mDesktopFolder + u'/' + folderName(index) + u'/' + leaf;
}

QString UserData::installFolder(int index) const
{
    return userFolder(index, QStringLiteral("Install"));
}

QString UserData::backupFolder(int index) const
{
    return userFolder(index, QStringLiteral("backup"));
}

std::optional<QString> UserData::prepareInstallFolder(int index, Prompter &prompter) const
{
    if (mUsers.isEmpty())
        return std::nullopt;

    const QString folder = installFolder(index);
    // A folder that exists already, or cannot be made, is not told here: writing the copy into
    // it reports the failure.
    QDir().mkpath(folder);

    const std::unique_ptr<HandheldRoot> root = mRegistry.openRoot();
    if (!root) {
        prompter.ask({QCoreApplication::translate("UserData", "Kribed"),
                      QCoreApplication::translate(
                          "UserData", "The Pilot DeskTop Software is not Correctly Installed"),
                      Icon::Error, Buttons::Ok});
        return std::nullopt;
    }
    const QString hotSync = QStringLiteral("HotSync Manager");
    if (!root->subkeyOpens(hotSync))
        return std::nullopt;
    // A flag that did not reach the store would leave the copy unsynchronised unnoticed.
    if (!root->raiseFlag(hotSync, QStringLiteral("Install") + QString::number(userId(index))))
        return std::nullopt;
    return folder;
}

} // namespace kribed
