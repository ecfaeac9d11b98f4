// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

// Builds the bytes of small database files for the command-line tests, so every fixture says what
// it holds: header, record list, app-info block (Kribo pro or Kribo 3 layout), popup area,
// extras, end marker and records.

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QtGlobal>

namespace kribed::test {

struct PdbContent
{
    QByteArray type = QByteArrayLiteral("KrDb"); // "KrD3" gives the Kribo 3 layout
    QByteArray name = QByteArrayLiteral("Stock");
    qint32 modifiedSeconds = 0; // counted from 1970-01-01 01:00:00
    QList<QByteArray> fieldNames = {QByteArrayLiteral("Name"), QByteArrayLiteral("Age")};
    QList<quint16> typeCodes = {0x0001, 0x0008};
    QList<quint16> widths = {60, 40};
    QList<QList<QByteArray>> records = {{QByteArrayLiteral("Ann"), QByteArrayLiteral("30")},
                                        {QByteArrayLiteral("Bob"), QByteArrayLiteral("41")}};
    QList<QPair<int, QList<QByteArray>>> popups; // field number and its items
    QByteArray extras;
    bool endMarker = true;
    quint16 version = 576; // the Kribo 3 layout's popup area needs at least 452
    quint16 flags = 0;
    QByteArray filterText;
    quint16 filterField = 0;
    quint16 secondarySort = 0;
    quint16 tertiarySort = 0;
};

inline void PutWord(QByteArray &bytes, int offset, quint16 value)
{
    bytes[offset] = char(value >> 8);
    bytes[offset + 1] = char(value & 0xff);
}

inline void PutLong(QByteArray &bytes, int offset, quint32 value)
{
    PutWord(bytes, offset, quint16(value >> 16));
    PutWord(bytes, offset + 2, quint16(value & 0xffff));
}

inline void PutText(QByteArray &bytes, int offset, const QByteArray &text)
{
    for (int i = 0; i < text.size(); ++i)
        bytes[offset + i] = text[i];
}

inline QByteArray AppInfoBytes(const PdbContent &content, bool kribo3)
{
    // Offsets of the two layouts: names, types, count, version, widths, further width, primary,
    // secondary, tertiary, word, filter field, text, filter text, flags, field number.
    const int size = kribo3 ? 564 : 1702;
    const int slots = kribo3 ? 20 : 50;
    const int types = slots * 21;
    const int count = types + slots * 2;
    const int widths = count + 4;
    const int further = widths + slots * 2;
    QByteArray block(size, '\0');
    for (int k = 0; k < content.fieldNames.size(); ++k)
        PutText(block, k * 21, content.fieldNames[k].left(20));
    for (int k = 0; k < slots; ++k) {
        PutWord(block, types + 2 * k, k < content.typeCodes.size() ? content.typeCodes[k] : 1);
        PutWord(block, widths + 2 * k, k < content.widths.size() ? content.widths[k] : 90);
    }
    PutWord(block, count, quint16(content.fieldNames.size()));
    PutWord(block, count + 2, content.version);
    PutWord(block, further, 90);
    PutWord(block, further + 4, content.secondarySort);
    PutWord(block, further + 6, content.tertiarySort);
    PutWord(block, further + 10, content.filterField);
    PutText(block, further + 28, content.filterText.left(15));
    PutWord(block, further + 44, content.flags);
    PutWord(block, further + 46, 1);
    return block;
}

inline QByteArray PopupArea(const PdbContent &content)
{
    QByteArray area;
    for (const auto &[field, items] : content.popups) {
        area += QByteArrayLiteral("popup");
        area += char(field <= 26 ? 'a' + field - 1 : 'A' + field - 27);
        area += '\0';
        for (const QByteArray &item : items)
            area += item + '\0';
    }
    if (area.isEmpty())
        return QByteArray(4, '\0');
    return area + '\0';
}

inline QByteArray RecordBytes(const QList<QByteArray> &values, bool kribo3)
{
    QByteArray bytes;
    if (!kribo3) {
        for (const QByteArray &value : values) {
            bytes += char((value.size() + 1) >> 8);
            bytes += char((value.size() + 1) & 0xff);
        }
    }
    for (const QByteArray &value : values)
        bytes += value + '\0';
    return bytes;
}

inline QByteArray BuildPdb(const PdbContent &content)
{
    const bool kribo3 = content.type == QByteArrayLiteral("KrD3");
    const int n = int(content.records.size());
    QByteArray header(78, '\0');
    PutText(header, 0, content.name.left(31));
    PutLong(header, 40, quint32(content.modifiedSeconds));
    PutLong(header, 52, quint32(80 + 8 * n));
    PutText(header, 60, content.type);
    PutText(header, 64, QByteArrayLiteral("Krbo"));
    PutWord(header, 76, quint16(n));

    QByteArray middle = AppInfoBytes(content, kribo3) + PopupArea(content) + content.extras;
    if (content.endMarker)
        middle += QByteArrayLiteral("EndKriboData") + '\0';
    QByteArray list(8 * n + 2, '\0');
    QByteArray records;
    const int recordsStart = 78 + list.size() + middle.size();
    for (int r = 0; r < n; ++r) {
        PutLong(list, 8 * r, quint32(recordsStart + records.size()));
        records += RecordBytes(content.records[r], kribo3);
    }
    return header + list + middle + records;
}

} // namespace kribed::test
