// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace kribed {

// The handheld desktop software's settings where an INI file stands in for the registry. The
// file is the desktop software's: its values are read exactly as they stand (a comma or a
// backslash is part of the value), and a change touches one value and keeps every other byte.
//
// Lines are "[group]", "key=value", comments starting with ';' or '#', and blank lines; LF or
// CR LF ends a line. Group and key names may be percent-encoded ("HotSync%20Manager"), as Qt
// writes them. A value in double quotes loses the quotes, and inside them \" and \\ stand for " and
// \. Where a group or key comes twice, the last one counts.
class DesktopIni
{
public:
    DesktopIni() = default;
    explicit DesktopIni(QByteArray bytes)
        : mBytes(std::move(bytes))
    {
    }

    // Reads the file; false (and no content) when it cannot be read whole.
    bool load(const QString &path);
    const QByteArray &bytes() const { return mBytes; }

    bool hasGroup(const QString &group) const;
    // The value as text (UTF-8), or none when the group has no such key.
    std::optional<QString> value(const QString &group, const QString &key) const;

    // The file with the key's value set: the key's line keeps everything up to its value, or a new
    // "key=value" line ends the group. Nothing when the group does not exist.
    std::optional<QByteArray> withValue(const QString &group, const QString &key,
                                        const QByteArray &value) const;

private:
    struct Line
    {
        qsizetype start = 0; // first byte
        qsizetype end = 0;   // after the content, before CR LF or LF
        qsizetype next = 0;  // the start of the next line
    };
    struct Entry
    {
        Line line;
        qsizetype valueStart = 0; // in mBytes: the value's first byte after the blanks
    };
    struct Lookup
    {
        std::optional<Line> groupEnd; // the group's header or last key line
        std::optional<Entry> entry;   // the key's last line within the group
    };

    Lookup find(const QString &group, const QString &key) const;
    QByteArray lineEnding() const;

    QByteArray mBytes;
};

// Sets one value in the INI file at `path` through safeWriteFile, keeping every other byte.
// False when the file cannot be read, has no such group, or cannot be written.
bool writeDesktopIniValue(const QString &path, const QString &group, const QString &key,
                          const QByteArray &value);

} // namespace kribed
