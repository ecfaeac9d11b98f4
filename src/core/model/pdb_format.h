// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QtGlobal>

// The pieces of the .pdb container that the reader and the writer share.
namespace kribed::pdb {

constexpr int HeaderSize = 78;
constexpr int NameSize = 32;
constexpr int AttributesOffset = 32;
constexpr int CreationDateOffset = 36;
constexpr int ModificationDateOffset = 40;
constexpr int AppInfoOffsetOffset = 52;
constexpr int TypeOffset = 60;
constexpr int CreatorOffset = 64;
constexpr int RecordCountOffset = 76;
constexpr int RecordEntrySize = 8;
constexpr quint16 BackupAttribute = 0x0008;

constexpr int Kribo3AppInfoSize = 564;
constexpr int Kribo3MaxFields = 20;
constexpr quint16 Kribo3PopupVersion = 452;

constexpr int DataAfterLimit = 1048576; // bytes read after the app-info block
constexpr int RecordReadLimit = 200250; // bytes read for one record

inline QByteArray kriboProType()
{
    return QByteArrayLiteral("KrDb");
}
inline QByteArray kribo3Type()
{
    return QByteArrayLiteral("KrD3");
}
inline QByteArray creator()
{
    return QByteArrayLiteral("Krbo");
}
// "EndKriboData" and its NUL close the bytes between the app-info block and the records.
inline QByteArray endMarker()
{
    return QByteArray("EndKriboData", 13);
}
inline QByteArray endMarkerText()
{
    return QByteArrayLiteral("EndKriboData");
}

// The header text that opens field k's popup list: "popupa".."popupz" for 1..26, "popupA".."popupX"
// for 27..50.
QByteArray popupHeader(int field);
// The field a text opens as a popup header, or 0 when it is an ordinary text.
int popupHeaderField(const QByteArray &text);

// File dates count seconds of local wall-clock time from 1970-01-01 01:00:00.
QDateTime dateFromFile(qint32 seconds);
qint32 dateToFile(const QDateTime &time);

} // namespace kribed::pdb
