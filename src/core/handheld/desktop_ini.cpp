// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/handheld/desktop_ini.h"

#include "core/platform/checked_file.h"
#include "core/platform/safe_file.h"

#include <QIODevice>

namespace kribed {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArrayView trimmed(QByteArrayView text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

// Group and key names as Qt writes them: %XX for a byte it would not write plainly.
QString nameText(QByteArrayView name)
{
    return QString::fromUtf8(QByteArray::fromPercentEncoding(name.toByteArray()));
}

QString valueText(QByteArrayView raw)
{
    if (raw.size() < 2 || raw.front() != '"' || raw.back() != '"')
        return QString::fromUtf8(raw);
    QByteArray value;
    const QByteArrayView quoted = raw.sliced(1, raw.size() - 2);
    for (qsizetype i = 0; i < quoted.size(); ++i) {
        const bool escape = quoted[i] == '\\' && i + 1 < quoted.size()
                            && (quoted[i + 1] == '"' || quoted[i + 1] == '\\');
        if (escape)
            ++i;
        value.append(quoted[i]);
    }
    return QString::fromUtf8(value);
}

} // namespace

bool DesktopIni::load(const QString &path)
{
    mBytes.clear();
    CheckedFile file(path);
    if (!file.openForReading())
        return false;
    QByteArray bytes = file.readAll();
    if (file.readFailed() || bytes.size() != file.size())
        return false;
    mBytes = std::move(bytes);
    return true;
}

// One pass over the lines: the last line of the last section of the group, and the key's last
// line within that section.
DesktopIni::Lookup DesktopIni::find(const QString &group, const QString &key) const
{
    Lookup found;
    bool inGroup = false;
    for (qsizetype start = 0; start < mBytes.size();) {
        Line line;
        line.start = start;
        const qsizetype newline = mBytes.indexOf('\n', start);
        line.next = newline < 0 ? mBytes.size() : newline + 1;
        line.end = newline < 0 ? mBytes.size() : newline;
        if (line.end > line.start && mBytes.at(line.end - 1) == '\r')
            --line.end;
        start = line.next;

        const QByteArrayView content =
            trimmed(QByteArrayView(mBytes).sliced(line.start, line.end - line.start));
        if (content.isEmpty())
            continue;
        if (content.front() == '[' && content.back() == ']') {
            inGroup = nameText(content.sliced(1, content.size() - 2)) == group;
            if (inGroup) {
                found.groupEnd = line;
                found.entry.reset(); // a later section of the same name counts
            }
            continue;
        }
        if (!inGroup || content.front() == ';' || content.front() == '#')
            continue;
        found.groupEnd = line;
        const qsizetype equals = content.indexOf('=');
        if (equals < 0)
            continue;
        if (nameText(trimmed(content.first(equals))) != key)
            continue;
        Entry entry;
        entry.line = line;
        entry.valueStart = (content.data() - mBytes.constData()) + equals + 1;
        while (entry.valueStart < line.end && isBlank(mBytes.at(entry.valueStart)))
            ++entry.valueStart;
        found.entry = entry;
    }
    return found;
}

bool DesktopIni::hasGroup(const QString &group) const
{
    return find(group, QString()).groupEnd.has_value();
}

std::optional<QString> DesktopIni::value(const QString &group, const QString &key) const
{
    const Lookup found = find(group, key);
    if (!found.entry)
        return std::nullopt;
    const Entry &entry = *found.entry;
    return valueText(trimmed(
        QByteArrayView(mBytes).sliced(entry.valueStart, entry.line.end - entry.valueStart)));
}

QByteArray DesktopIni::lineEnding() const
{
    const qsizetype newline = mBytes.indexOf('\n');
    return newline > 0 && mBytes.at(newline - 1) == '\r' ? QByteArrayLiteral("\r\n")
                                                         : QByteArrayLiteral("\n");
}

std::optional<QByteArray> DesktopIni::withValue(const QString &group, const QString &key,
                                                const QByteArray &value) const
{
    const Lookup found = find(group, key);
    if (!found.groupEnd)
        return std::nullopt;
    QByteArray bytes = mBytes;
    if (found.entry) {
        const Entry &entry = *found.entry;
        // Blanks after the old value stay, like everything before it.
        qsizetype valueEnd = entry.line.end;
        while (valueEnd > entry.valueStart && isBlank(bytes.at(valueEnd - 1)))
            --valueEnd;
        bytes.replace(entry.valueStart, valueEnd - entry.valueStart, value);
        return bytes;
    }
    const Line &last = *found.groupEnd;
    const QByteArray ending = lineEnding();
    QByteArray line = key.toUtf8() + '=' + value + ending;
    if (last.next == last.end) // the file ends without a line break
        line.prepend(ending);
    bytes.insert(last.next, line);
    return bytes;
}

bool writeDesktopIniValue(const QString &path, const QString &group, const QString &key,
                          const QByteArray &value)
{
    DesktopIni ini;
    if (!ini.load(path))
        return false;
    const std::optional<QByteArray> changed = ini.withValue(group, key, value);
    if (!changed)
        return false;
    return safeWriteFile(path, QString(), [&changed](QIODevice &device) {
        return device.write(*changed) == changed->size();
    });
}

} // namespace kribed
