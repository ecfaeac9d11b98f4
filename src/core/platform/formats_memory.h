// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QString>

#include <optional>

class QSettings;

namespace kribed {

// The regional formats the user chose for one database file. The file itself never holds them:
// the program's settings do (a FileMemory), keyed by the file's canonical path.
struct FormatsChoice
{
    // A locale name as QLocale takes it ("de_DE"); empty for the desktop's formats.
    QString localeName;

    bool isDesktop() const { return localeName.isEmpty(); }
    bool operator==(const FormatsChoice &other) const { return localeName == other.localeName; }
    bool operator!=(const FormatsChoice &other) const { return !(*this == other); }
};

// The most files whose choice is kept; the file chosen for longest ago goes first.
constexpr int RememberedFormatsCount = 200;

// The choice kept for the file, or none when the user has not chosen for it.
std::optional<FormatsChoice> rememberedFormats(QSettings &store, const QString &filePath);
// Keeps the choice for the file, as the newest.
void rememberFormats(QSettings &store, const QString &filePath, const FormatsChoice &choice);

} // namespace kribed
