// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/handheld/user_data.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSettings>
#include <QVariantMap>

// Builders for the Palm Desktop software's pieces: users.dat bytes and its INI files.
namespace kribed::test {

struct FixtureUser
{
    quint16 id;
    QByteArray name;
    QByteArray folder;
};

// One user record as users.dat holds it, the uninterpreted byte included.
inline QByteArray recordBytes(const FixtureUser &user, char tail = '\0')
{
    QByteArray bytes;
    bytes.append(char(user.id & 0xff)).append(char(user.id >> 8));
    bytes.append("\x07\x07", 2);
    bytes.append(char(user.name.size())).append(user.name);
    bytes.append(char(user.folder.size())).append(user.folder);
    bytes.append(tail);
    return bytes;
}

// A users.dat of the given count; between records `gap` and the marker 0x01 0x80.
inline QByteArray usersDatBytes(int count, const QList<FixtureUser> &users,
                                const QByteArray &gap = QByteArray("\x00\x02", 2))
{
    QByteArray bytes(1, char(count));
    bytes.append(QByteArray(12, '\x55'));
    for (int i = 0; i < users.size(); ++i) {
        if (i > 0)
            bytes.append(gap).append("\x01\x80", 2);
        bytes.append(recordBytes(users[i]));
    }
    return bytes;
}

// Writes the organisation's INI below `iniFolder` with the given values ("Group/Key" -> value).
inline bool writeHandheldIni(const QString &iniFolder, const QString &organisation,
                             const QVariantMap &values)
{
    const QString file = HandheldRegistry(iniFolder).iniFile(organisation);
    QDir().mkpath(QFileInfo(file).path());
    QSettings settings(file, QSettings::IniFormat);
    settings.clear();
    for (auto it = values.begin(); it != values.end(); ++it)
        settings.setValue(it.key(), it.value());
    settings.sync();
    return settings.status() == QSettings::NoError;
}

// Writes users.dat into `folder` (made when missing).
inline bool writeUsersDat(const QString &folder, const QByteArray &bytes)
{
    QDir().mkpath(folder);
    QFile file(folder + QStringLiteral("/users.dat"));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace kribed::test
