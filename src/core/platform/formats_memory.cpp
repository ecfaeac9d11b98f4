// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/platform/formats_memory.h"

#include <QFileInfo>
#include <QList>
#include <QSettings>

#include <utility>

namespace kribed {

namespace {

const QString Group = QStringLiteral("RegionalFormats");
const QString PathKey = QStringLiteral("Path");
const QString FormatsKey = QStringLiteral("Formats");
// The desktop's formats are kept as a word no locale name can be.
const QString DesktopWord = QStringLiteral("desktop");

using Entry = std::pair<QString, QString>;

// Newest first.
QList<Entry> readEntries(QSettings &store)
{
    QList<Entry> entries;
    const int count = store.beginReadArray(Group);
    for (int index = 0; index < count; ++index) {
        store.setArrayIndex(index);
        const QString path = store.value(PathKey).toString();
        const QString formats = store.value(FormatsKey).toString();
        if (!path.isEmpty() && !formats.isEmpty())
            entries.append({path, formats});
    }
    store.endArray();
    return entries;
}

void writeEntries(QSettings &store, const QList<Entry> &entries)
{
    store.remove(Group);
    store.beginWriteArray(Group, int(entries.size()));
    for (int index = 0; index < entries.size(); ++index) {
        store.setArrayIndex(index);
        store.setValue(PathKey, entries[index].first);
        store.setValue(FormatsKey, entries[index].second);
    }
    store.endArray();
}

} // namespace

QString formatsKey(const QString &filePath)
{
    const QFileInfo file(filePath);
    const QString canonical = file.canonicalFilePath();
    return canonical.isEmpty() ? file.absoluteFilePath() : canonical;
}

std::optional<FormatsChoice> rememberedFormats(QSettings &store, const QString &filePath)
{
    if (filePath.isEmpty())
        return std::nullopt;
    const QString key = formatsKey(filePath);
    for (const Entry &entry : readEntries(store)) {
        if (entry.first == key)
            return FormatsChoice{entry.second == DesktopWord ? QString() : entry.second};
    }
    return std::nullopt;
}

void rememberFormats(QSettings &store, const QString &filePath, const FormatsChoice &choice)
{
    if (filePath.isEmpty())
        return;
    const QString key = formatsKey(filePath);
    QList<Entry> entries = readEntries(store);
    entries.removeIf([&key](const Entry &entry) { return entry.first == key; });
    entries.prepend({key, choice.isDesktop() ? DesktopWord : choice.localeName});
    while (entries.size() > RememberedFormatsCount)
        entries.removeLast();
    writeEntries(store, entries);
    store.sync();
}

} // namespace kribed
