// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/platform/user_list.h"

#include <QList>
#include <QString>
#include <QtGlobal>

#include <memory>
#include <optional>

class QIODevice;

namespace kribed {

class Prompter;
class Regional;

// An opened root key of the Palm Desktop software: its subkeys "Preferences", "Core" and
// "HotSync Manager" of "Pilot Desktop".
class HandheldRoot
{
public:
    virtual ~HandheldRoot() = default;
    virtual bool subkeyOpens(const QString &subkey) const = 0;
    // The value as a string, or none when the subkey holds no such value.
    virtual std::optional<QString> value(const QString &subkey, const QString &name) const = 0;
    // Sets the value to the 32-bit number 1; false when it did not reach the store.
    virtual bool raiseFlag(const QString &subkey, const QString &name) = 0;
};

// Where the Palm Desktop software keeps its values. On Windows these are the registry keys
// HKEY_CURRENT_USER\Software\U.S. Robotics (else ...\Palm Computing) with "Pilot Desktop\..."
// below; elsewhere an INI file per organisation, "<organisation>/Pilot Desktop.ini", whose groups
// are the subkeys below "Pilot Desktop" (read and changed as DesktopIni describes). A root "opens"
// when its key (or INI file) exists.
class HandheldRegistry
{
public:
    // The platform's own place.
    HandheldRegistry() = default;
    // INI files below the given folder, as "<folder>/<organisation>/Pilot Desktop.ini".
    explicit HandheldRegistry(const QString &iniFolder)
        : mIniFolder(iniFolder)
    {
    }

    static QString primaryOrganisation() { return QStringLiteral("U.S. Robotics"); }
    static QString fallbackOrganisation() { return QStringLiteral("Palm Computing"); }

    // The first root that opens, or null when neither does.
    std::unique_ptr<HandheldRoot> openRoot() const;

    // The INI file of an organisation (not used on Windows).
    QString iniFile(const QString &organisation) const;

private:
    QString mIniFolder;
};

// One handheld user as users.dat lists it.
struct UserEntry
{
    quint16 id = 0;
    QString name;   // at most 31 characters
    QString folder; // at most 31 characters, relative to the desktop data folder
};

constexpr int MaxUserTextLength = 31;
constexpr int MaxDesktopFolderLength = 255;

// The users of a users.dat file in file order. A file that ends early gives the users read
// completely before its end; nothing past the end is read. Texts are in the code page of `regional`.
QList<UserEntry> readUsersDat(QIODevice &device, const Regional &regional);

// The handheld users the Palm Desktop software knows, read once at start.
class UserData : public UserList
{
public:
    // Reads the registry values and users.dat; tells through the prompter when the Palm Desktop
    // software's keys are missing, unless `tellWhenMissing` is false. Names and folders are read
    // in the code page of `regional`.
    UserData(Prompter &prompter, const Regional &regional,
             HandheldRegistry registry = HandheldRegistry(), bool tellWhenMissing = true);

    // Neither root key of the Palm Desktop software opened.
    bool desktopMissing() const { return mDesktopMissing; }

    int count() const override { return int(mUsers.size()); }
    int lastUserIndex() const override { return mLastUserIndex; }
    const QString &lastUserName() const { return mLastUserName; }
    QString desktopDataFolder() const override { return mDesktopFolder; }
    const QList<UserEntry> &users() const { return mUsers; }

    // 0 / empty text for an index outside the list.
    quint16 userId(int index) const;
    QString userName(int index) const override;
    QString folderName(int index) const;
    QString userFolder(int index) const override { return folderName(index); }

    // desktop data folder + "/" + folder name + "/Install" (or "/backup").
    QString installFolder(int index) const;
    QString backupFolder(int index) const;

    // Creates the install folder of the user and raises the user's install flag. Returns the
    // folder, or none when there are no users, the keys are missing (told through the prompter)
    // or the flag could not be written.
    std::optional<QString> prepareInstallFolder(int index, Prompter &prompter) const override;

private:
    void readRegistry(Prompter &prompter, const Regional &regional, bool tellWhenMissing);
    QString userFolder(int index, const QString &leaf) const;

    HandheldRegistry mRegistry;
    QList<UserEntry> mUsers;
    int mLastUserIndex = 0;
    QString mLastUserName;
    QString mDesktopFolder;
    bool mDesktopMissing = false;
};

// The message shown at start when the Palm Desktop software's keys are missing.
QString desktopNotInstalledText();

} // namespace kribed
