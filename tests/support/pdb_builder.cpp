// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "pdb_builder.h"

#include <QtEndian>

namespace kribed::test {

namespace {

struct BlockLayout
{
    int size;
    int types;
    int fieldCount;
    int version;
    int widths;
    int maxFields;
};

constexpr BlockLayout ProBlock{1702, 1050, 1150, 1152, 1154, 50};
constexpr BlockLayout Kribo3Block{564, 420, 460, 462, 464, 20};

void PutWord(QByteArray &bytes, int offset, quint16 value)
{
    qToBigEndian(value, bytes.data() + offset);
}

void AppendWord(QByteArray &bytes, quint16 value)
{
    bytes.append(char(value >> 8)).append(char(value & 0xff));
}

void AppendLong(QByteArray &bytes, quint32 value)
{
    AppendWord(bytes, quint16(value >> 16));
    AppendWord(bytes, quint16(value & 0xffff));
}

} // namespace

PdbBuilder::PdbBuilder(Layout layout)
    : mLayout(layout)
    , mType(layout == Layout::KriboPro ? QByteArrayLiteral("KrDb") : QByteArrayLiteral("KrD3"))
{
}

PdbBuilder &PdbBuilder::Name(const QByteArray &name) { mName = name; return *this; }
PdbBuilder &PdbBuilder::Type(const QByteArray &type) { mType = type; return *this; }
PdbBuilder &PdbBuilder::Creator(const QByteArray &creator) { mCreator = creator; return *this; }
PdbBuilder &PdbBuilder::Dates(quint32 seconds) { mDates = seconds; return *this; }
PdbBuilder &PdbBuilder::ClaimRecordCount(int count) { mClaimedRecords = count; return *this; }
PdbBuilder &PdbBuilder::ClaimFieldCount(int count) { mClaimedFields = count; return *this; }
PdbBuilder &PdbBuilder::CutBlock(int size) { mBlockCut = size; return *this; }
PdbBuilder &PdbBuilder::RawPopupArea(const QByteArray &area) { mRawPopupArea = area; return *this; }
PdbBuilder &PdbBuilder::Extras(const QByteArray &extras) { mExtras = extras; return *this; }
PdbBuilder &PdbBuilder::NoEndMarker() { mEndMarker = false; return *this; }
PdbBuilder &PdbBuilder::RawRecord(const QByteArray &bytes) { mRecords.append(bytes); return *this; }

PdbBuilder &PdbBuilder::ClaimAppInfoOffset(quint32 offset)
{
    mClaimedAppInfoOffset = offset;
    return *this;
}

PdbBuilder &PdbBuilder::ClaimRecordOffset(int index, quint32 offset)
{
    mClaimedRecordOffsets.insert(index, offset);
    return *this;
}

PdbBuilder &PdbBuilder::Field(const QByteArray &name, quint16 typeCode, quint16 widthUnits)
{
    mFieldNames.append(name);
    mFieldTypes.append(typeCode);
    mFieldWidths.append(widthUnits);
    return *this;
}

PdbBuilder &PdbBuilder::BlockWord(int offset, quint16 value)
{
    QByteArray bytes(2, '\0');
    PutWord(bytes, 0, value);
    return BlockBytes(offset, bytes);
}

PdbBuilder &PdbBuilder::BlockBytes(int offset, const QByteArray &bytes)
{
    for (int i = 0; i < bytes.size(); ++i)
        mBlockPatches.insert(offset + i, bytes.mid(i, 1));
    return *this;
}

PdbBuilder &PdbBuilder::Popup(int field, const QList<QByteArray> &items)
{
    mPopups.append({field, items});
    return *this;
}

PdbBuilder &PdbBuilder::Record(const QList<QByteArray> &values)
{
    QByteArray bytes;
    if (mLayout == Layout::KriboPro) {
        for (const QByteArray &value : values)
            AppendWord(bytes, quint16(value.size() + 1));
    }
    for (const QByteArray &value : values)
        bytes.append(value).append('\0');
    mRecords.append(bytes);
    return *this;
}

QByteArray PdbBuilder::PopupHeader(int field)
{
    return QByteArrayLiteral("popup") + char(field <= 26 ? 'a' + field - 1 : 'A' + field - 27);
}

int PdbBuilder::BlockSize() const
{
    return mLayout == Layout::KriboPro ? ProBlock.size : Kribo3Block.size;
}

int PdbBuilder::DataAfterOffset() const
{
    return mBuiltAppInfoOffset + BlockSize();
}

// The block as a freshly made database has it (types String, widths 90, the further width word 90
// and the field-number word 1), with the fields and patches put in.
QByteArray PdbBuilder::BuildBlock() const
{
    const BlockLayout &layout = mLayout == Layout::KriboPro ? ProBlock : Kribo3Block;
    QByteArray block(layout.size, '\0');
    for (int field = 0; field < layout.maxFields; ++field) {
        PutWord(block, layout.types + 2 * field, 0x0001);
        PutWord(block, layout.widths + 2 * field, 90);
    }
    if (mLayout == Layout::KriboPro) {
        PutWord(block, layout.version, 576);
        PutWord(block, 1254, 90);
        PutWord(block, 1300, 1);
    } else {
        PutWord(block, layout.version, 452);
        PutWord(block, 504, 90);
        PutWord(block, 550, 1);
    }
    for (int field = 0; field < mFieldNames.size() && field < layout.maxFields; ++field) {
        const QByteArray name = mFieldNames.at(field).left(20);
        block.replace(21 * field, name.size(), name);
        PutWord(block, layout.types + 2 * field, mFieldTypes.at(field));
        PutWord(block, layout.widths + 2 * field, mFieldWidths.at(field));
    }
    PutWord(block, layout.fieldCount, quint16(mClaimedFields.value_or(int(mFieldNames.size()))));
    for (auto it = mBlockPatches.cbegin(); it != mBlockPatches.cend(); ++it)
        block[it.key()] = it.value().at(0);
    if (mBlockCut)
        block.truncate(*mBlockCut);
    return block;
}

QByteArray PdbBuilder::BuildPopupArea() const
{
    if (mRawPopupArea)
        return *mRawPopupArea;
    QByteArray area;
    for (const auto &[field, items] : mPopups) {
        area.append(PopupHeader(field)).append('\0');
        for (const QByteArray &item : items)
            area.append(item).append('\0');
    }
    if (area.isEmpty())
        return QByteArray(4, '\0');
    return area.append('\0');
}

QByteArray PdbBuilder::Build() const
{
    const int records = int(mRecords.size());
    mBuiltAppInfoOffset = 78 + 8 * records + 2;

    QByteArray file = mName.left(32);
    file.append(32 - file.size(), '\0');
    AppendWord(file, 0x0008);
    AppendWord(file, 0);
    AppendLong(file, mDates);
    AppendLong(file, mDates);
    AppendLong(file, 0);
    AppendLong(file, 0);
    AppendLong(file, mClaimedAppInfoOffset.value_or(quint32(mBuiltAppInfoOffset)));
    AppendLong(file, 0);
    file.append(mType.leftJustified(4, '\0', true));
    file.append(mCreator.leftJustified(4, '\0', true));
    AppendLong(file, 0);
    AppendLong(file, 0);
    AppendWord(file, quint16(mClaimedRecords.value_or(records)));

    const int listAt = int(file.size());
    file.append(QByteArray(8 * records + 2, '\0'));
    file.append(BuildBlock());
    if (mBlockCut)
        return file; // nothing can follow a cut block
    file.append(BuildPopupArea());
    file.append(mExtras);
    if (mEndMarker)
        file.append("EndKriboData", 13);

    mBuiltRecordOffsets.clear();
    for (int i = 0; i < records; ++i) {
        mBuiltRecordOffsets.append(int(file.size()));
        const quint32 offset = mClaimedRecordOffsets.value(i, quint32(file.size()));
        qToBigEndian(offset, file.data() + listAt + 8 * i);
        file.append(mRecords.at(i));
    }
    for (auto it = mClaimedRecordOffsets.cbegin(); it != mClaimedRecordOffsets.cend(); ++it) {
        if (it.key() >= records && listAt + 8 * it.key() + 4 <= file.size())
            qToBigEndian(it.value(), file.data() + listAt + 8 * it.key());
    }
    return file;
}

} // namespace kribed::test
