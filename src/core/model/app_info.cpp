// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/app_info.h"

#include "core/model/limits.h"

#include <cstring>

namespace kribed {

quint16 readWord(const char *bytes)
{
    const auto *b = reinterpret_cast<const uchar *>(bytes);
    return quint16((b[0] << 8) | b[1]);
}

quint32 readLong(const char *bytes)
{
    const auto *b = reinterpret_cast<const uchar *>(bytes);
    return (quint32(b[0]) << 24) | (quint32(b[1]) << 16) | (quint32(b[2]) << 8) | quint32(b[3]);
}

void writeWord(char *bytes, quint16 value)
{
    bytes[0] = char(value >> 8);
    bytes[1] = char(value & 0xff);
}

void writeLong(char *bytes, quint32 value)
{
    bytes[0] = char(value >> 24);
    bytes[1] = char((value >> 16) & 0xff);
    bytes[2] = char((value >> 8) & 0xff);
    bytes[3] = char(value & 0xff);
}

AppInfo::AppInfo()
    : mBytes(Size, '\0')
{
    reset();
}

void AppInfo::reset()
{
    mBytes.fill('\0', Size);
    for (int field = 1; field <= MaxFields; ++field) {
        setTypeCodeSlot(field, 0x0001);
        setWidthSlot(field, DefaultWidth);
    }
    setWord(VersionOffset, Version);
    setWord(FurtherWidthOffset, DefaultWidth);
    setWord(FieldNumberOffset, 1);
}

quint16 AppInfo::word(int offset) const
{
    Q_ASSERT(offset >= 0 && offset + 2 <= Size);
    return readWord(mBytes.constData() + offset);
}

void AppInfo::setWord(int offset, quint16 value)
{
    Q_ASSERT(offset >= 0 && offset + 2 <= Size);
    writeWord(mBytes.data() + offset, value);
}

QByteArray AppInfo::text(int offset, int size) const
{
    const char *start = mBytes.constData() + offset;
    const void *nul = std::memchr(start, 0, size_t(size));
    const int length = nul ? int(static_cast<const char *>(nul) - start) : size;
    return QByteArray(start, length);
}

void AppInfo::setText(int offset, int size, const QByteArray &text)
{
    char *start = mBytes.data() + offset;
    std::memset(start, 0, size_t(size));
    const int length = qMin(int(text.size()), size - 1);
    std::memcpy(start, text.constData(), size_t(length));
}

QByteArray AppInfo::fieldName(int field) const
{
    return text(NamesOffset + NameSlotSize * (field - 1), NameSlotSize);
}

void AppInfo::setFieldName(int field, const QByteArray &name)
{
    setText(NamesOffset + NameSlotSize * (field - 1), NameSlotSize, name);
}

QByteArray AppInfo::fieldNameSlot(int field) const
{
    return mBytes.mid(NamesOffset + NameSlotSize * (field - 1), NameSlotSize);
}

void AppInfo::setFieldNameSlot(int field, const QByteArray &slot)
{
    char *start = mBytes.data() + NamesOffset + NameSlotSize * (field - 1);
    std::memset(start, 0, size_t(NameSlotSize));
    std::memcpy(start, slot.constData(), size_t(qMin(int(slot.size()), NameSlotSize)));
}

} // namespace kribed
