// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/platform/file_memory.h"

#include <QFileInfo>
#include <QList>
#include <QSettings>

#include <utility>

namespace kribed {

namespace {

const QString PathKey = QStringLiteral("Path");

using Entry = std::pair<QString, QString>;

} // namespace

FileMemory::FileMemory(QString group, QString valueKey, int limit)
    : mGroup(std::move(group))
    , mValueKey(std::move(valueKey))
    , mLimit(limit)
{
}

QString fileMemoryKey(const QString &filePath)
{
    const QFileInfo file(filePath);
    const QString canonical = file.canonicalFilePath();
    return canonical.isEmpty() ? file.absoluteFilePath() : canonical;
}

// Newest first.
static QList<Entry> readEntries(QSettings &store, const QString &group, const QString &valueKey)
{
    QList<Entry> entries;
    const int count = store.beginReadArray(group);
    for (int index = 0; index < count; ++index) {
        store.setArrayIndex(index);
        const QString path = store.value(PathKey).toString();
        const QString value = store.value(valueKey).toString();
        if (!path.isEmpty() && !value.isEmpty())
            entries.append({path, value});
    }
    store.endArray();
    return entries;
}

std::optional<QString> FileMemory::recall(QSettings &store, const QString &filePath) const
{
    if (filePath.isEmpty())
        return std::nullopt;
    const QString key = fileMemoryKey(filePath);
    for (const Entry &entry : readEntries(store, mGroup, mValueKey)) {
        if (entry.first == key)
            return entry.second;
    }
    return std::nullopt;
}

void FileMemory::keep(QSettings &store, const QString &filePath, const QString &text) const
{
    if (filePath.isEmpty())
        return;
    const QString key = fileMemoryKey(filePath);
    QList<Entry> entries = readEntries(store, mGroup, mValueKey);
    entries.removeIf([&key](const Entry &entry) { return entry.first == key; });
    if (!text.isEmpty())
        entries.prepend({key, text});
    while (entries.size() > mLimit)
        entries.removeLast();
    store.remove(mGroup);
    store.beginWriteArray(mGroup, int(entries.size()));
    for (int index = 0; index < entries.size(); ++index) {
        store.setArrayIndex(index);
        store.setValue(PathKey, entries[index].first);
        store.setValue(mValueKey, entries[index].second);
    }
    store.endArray();
    store.sync();
}

} // namespace kribed
