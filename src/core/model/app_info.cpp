// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/app_info.h"

#include "core/model/limits.h"

#include <cstring>

namespace kribed {

quint16 ReadWord(const char *bytes)
{
    const auto *b = reinterpret_cast<const uchar *>(bytes);
    return quint16((b[0] << 8) | b[1]);
}

quint32 ReadLong(const char *bytes)
{
    const auto *b = reinterpret_cast<const uchar *>(bytes);
    return (quint32(b[0]) << 24) | (quint32(b[1]) << 16) | (quint32(b[2]) << 8) | quint32(b[3]);
}

void WriteWord(char *bytes, quint16 value)
{
    bytes[0] = char(value >> 8);
    bytes[1] = char(value & 0xff);
}

void WriteLong(char *bytes, quint32 value)
{
    bytes[0] = char(value >> 24);
    bytes[1] = char((value >> 16) & 0xff);
    bytes[2] = char((value >> 8) & 0xff);
    bytes[3] = char(value & 0xff);
}

AppInfo::AppInfo()
    : mBytes(Size, '\0')
{
    Reset();
}

void AppInfo::Reset()
{
    mBytes.fill('\0', Size);
    for (int field = 1; field <= MaxFields; ++field) {
        SetTypeCodeSlot(field, 0x0001);
        SetWidthSlot(field, DefaultWidth);
    }
    SetWord(VersionOffset, Version);
    SetWord(FurtherWidthOffset, DefaultWidth);
    SetWord(FieldNumberOffset, 1);
}

quint16 AppInfo::Word(int offset) const
{
    Q_ASSERT(offset >= 0 && offset + 2 <= Size);
    return ReadWord(mBytes.constData() + offset);
}

void AppInfo::SetWord(int offset, quint16 value)
{
    Q_ASSERT(offset >= 0 && offset + 2 <= Size);
    WriteWord(mBytes.data() + offset, value);
}

QByteArray AppInfo::Text(int offset, int size) const
{
    const char *start = mBytes.constData() + offset;
    const void *nul = std::memchr(start, 0, size_t(size));
    const int length = nul ? int(static_cast<const char *>(nul) - start) : size;
    return QByteArray(start, length);
}

void AppInfo::SetText(int offset, int size, const QByteArray &text)
{
    char *start = mBytes.data() + offset;
    std::memset(start, 0, size_t(size));
    const int length = qMin(int(text.size()), size - 1);
    std::memcpy(start, text.constData(), size_t(length));
}

QByteArray AppInfo::FieldName(int field) const
{
    return Text(NamesOffset + NameSlotSize * (field - 1), NameSlotSize);
}

void AppInfo::SetFieldName(int field, const QByteArray &name)
{
    SetText(NamesOffset + NameSlotSize * (field - 1), NameSlotSize, name);
}

} // namespace kribed
