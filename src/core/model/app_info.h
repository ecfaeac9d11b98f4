// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace kribed {

// The 1702-byte application-info block of a Kribo pro file, kept whole so that every byte the
// program does not model passes from a loaded file to a saved one unchanged.
class AppInfo
{
public:
    static constexpr int Size = 1702;
    static constexpr int NameSlotSize = 21;
    static constexpr int NamesOffset = 0;
    static constexpr int TypesOffset = 1050;
    static constexpr int FieldCountOffset = 1150;
    static constexpr int VersionOffset = 1152;
    static constexpr int WidthsOffset = 1154;
    static constexpr int FurtherWidthOffset = 1254;
    static constexpr int PrimarySortOffset = 1256;
    static constexpr int SecondarySortOffset = 1258;
    static constexpr int TertiarySortOffset = 1260;
    static constexpr int ZeroWordOffset = 1262;
    static constexpr int FilterFieldOffset = 1264;
    static constexpr int EmptyTextOffset = 1266;
    static constexpr int FilterTextOffset = 1282;
    static constexpr int TextFieldSize = 16;
    static constexpr int FlagsOffset = 1298;
    static constexpr int FieldNumberOffset = 1300;
    static constexpr quint16 Version = 576;
    static constexpr quint16 DefaultWidth = 90;

    static constexpr quint16 AutoLockBit = 0x0001;
    static constexpr quint16 ReadOnlyBit = 0x0002;
    static constexpr quint16 PrivateBit = 0x0010;
    static constexpr quint16 KriboFilterBit = 0x0020;

    AppInfo();

    // The reset values: names zero, String in every type slot, version 576, widths 90, further
    // width 90, field-number word 1, everything else zero.
    void reset();

    QByteArray &bytes() { return mBytes; }
    const QByteArray &bytes() const { return mBytes; }

    quint16 word(int offset) const;
    void setWord(int offset, quint16 value);
    // The text of a field of the given size, up to its NUL or the field's end.
    QByteArray text(int offset, int size) const;
    // Zeroes the field, then copies at most size - 1 bytes so a NUL always follows.
    void setText(int offset, int size, const QByteArray &text);

    // Field k is 1..50.
    QByteArray fieldName(int field) const;
    void setFieldName(int field, const QByteArray &name);
    // The whole 21-byte name slot as it stands, bytes after the NUL included.
    QByteArray fieldNameSlot(int field) const;
    // Puts back a slot taken with fieldNameSlot (a shorter one is filled up with zeros).
    void setFieldNameSlot(int field, const QByteArray &slot);
    quint16 typeCodeSlot(int field) const { return word(TypesOffset + 2 * (field - 1)); }
    void setTypeCodeSlot(int field, quint16 code) { setWord(TypesOffset + 2 * (field - 1), code); }
    quint16 widthSlot(int field) const { return word(WidthsOffset + 2 * (field - 1)); }
    void setWidthSlot(int field, quint16 units) { setWord(WidthsOffset + 2 * (field - 1), units); }

private:
    QByteArray mBytes;
};

// Big-endian helpers shared by the reader and the writer.
quint16 readWord(const char *bytes);
quint32 readLong(const char *bytes);
void writeWord(char *bytes, quint16 value);
void writeLong(char *bytes, quint32 value);

} // namespace kribed
