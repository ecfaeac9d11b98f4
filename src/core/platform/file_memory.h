// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QString>

#include <optional>

class QSettings;

namespace kribed {

// What the program remembers for one database file apart from the file: one text per file in a
// group of the program's settings (the regional formats, the chart's choices, the column
// filters), keyed by the file's canonical path, so a file reached through a link or another
// spelling of its folder finds it again. Each group keeps the newest `limit` files.
class FileMemory
{
public:
    // `group` names the settings array, `valueKey` the entry holding the text.
    FileMemory(QString group, QString valueKey, int limit = 200);

    // The text kept for the file, or none.
    std::optional<QString> recall(QSettings &store, const QString &filePath) const;
    // Keeps the text for the file, as the newest; an empty text forgets the file.
    void keep(QSettings &store, const QString &filePath, const QString &text) const;

private:
    QString mGroup;
    QString mValueKey;
    int mLimit;
};

// The key a file's entry is kept under: its canonical path, or, for a file not yet written, its
// absolute path.
QString fileMemoryKey(const QString &filePath);

} // namespace kribed
