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

void putWord(QByteArray &bytes, int offset, quint16 value)
{
    qToBigEndian(value, bytes.data() + offset);
}

void appendWord(QByteArray &bytes, quint16 value)
{
    bytes.append(char(value >> 8)).append(char(value & 0xff));
}

void appendLong(QByteArray &bytes, quint32 value)
{
    appendWord(bytes, quint16(value >> 16));
    appendWord(bytes, quint16(value & 0xffff));
}

} // namespace

PdbBuilder::PdbBuilder(Layout layout)
    : mLayout(layout)
    , mType(layout == Layout::KriboPro ? QByteArrayLiteral("KrDb") : QByteArrayLiteral("KrD3"))
{
}

PdbBuilder &PdbBuilder::name(const QByteArray &name)
{
    mName = name;
    return *this;
}
PdbBuilder &PdbBuilder::type(const QByteArray &type)
{
    mType = type;
    return *this;
}
PdbBuilder &PdbBuilder::creator(const QByteArray &creator)
{
    mCreator = creator;
    return *this;
}
PdbBuilder &PdbBuilder::dates(quint32 seconds)
{
    mDates = seconds;
    return *this;
}
PdbBuilder &PdbBuilder::claimRecordCount(int count)
{
    mClaimedRecords = count;
    return *this;
}
PdbBuilder &PdbBuilder::claimFieldCount(int count)
{
    mClaimedFields = count;
    return *this;
}
PdbBuilder &PdbBuilder::cutBlock(int size)
{
    mBlockCut = size;
    return *this;
}
PdbBuilder &PdbBuilder::rawPopupArea(const QByteArray &area)
{
    mRawPopupArea = area;
    return *this;
}
PdbBuilder &PdbBuilder::extras(const QByteArray &extras)
{
    mExtras = extras;
    return *this;
}
PdbBuilder &PdbBuilder::noEndMarker()
{
    mEndMarker = false;
    return *this;
}
PdbBuilder &PdbBuilder::rawRecord(const QByteArray &bytes)
{
    mRecords.append(bytes);
    return *this;
}

PdbBuilder &PdbBuilder::claimAppInfoOffset(quint32 offset)
{
    mClaimedAppInfoOffset = offset;
    return *this;
}

PdbBuilder &PdbBuilder::claimRecordOffset(int index, quint32 offset)
{
    mClaimedRecordOffsets.insert(index, offset);
    return *this;
}

PdbBuilder &PdbBuilder::field(const QByteArray &name, quint16 typeCode, quint16 widthUnits)
{
    mFieldNames.append(name);
    mFieldTypes.append(typeCode);
    mFieldWidths.append(widthUnits);
    return *this;
}

PdbBuilder &PdbBuilder::blockWord(int offset, quint16 value)
{
    QByteArray bytes(2, '\0');
    putWord(bytes, 0, value);
    return blockBytes(offset, bytes);
}

PdbBuilder &PdbBuilder::blockBytes(int offset, const QByteArray &bytes)
{
    for (int i = 0; i < bytes.size(); ++i)
        mBlockPatches.insert(offset + i, bytes.mid(i, 1));
    return *this;
}

PdbBuilder &PdbBuilder::popup(int field, const QList<QByteArray> &items)
{
    mPopups.append({field, items});
    return *this;
}

PdbBuilder &PdbBuilder::record(const QList<QByteArray> &values)
{
    QByteArray bytes;
    if (mLayout == Layout::KriboPro) {
        for (const QByteArray &value : values)
            appendWord(bytes, quint16(value.size() + 1));
    }
    for (const QByteArray &value : values)
        bytes.append(value).append('\0');
    mRecords.append(bytes);
    return *this;
}

QByteArray PdbBuilder::popupHeader(int field)
{
    return QByteArrayLiteral("popup") + char(field <= 26 ? 'a' + field - 1 : 'A' + field - 27);
}

int PdbBuilder::blockSize() const
{
    return mLayout == Layout::KriboPro ? ProBlock.size : Kribo3Block.size;
}

int PdbBuilder::dataAfterOffset() const
{
    return mBuiltAppInfoOffset + blockSize();
}

// The block as a freshly made database has it (types String, widths 90, the further width word 90
// and the field-number word 1), with the fields and patches put in.
QByteArray PdbBuilder::buildBlock() const
{
    const BlockLayout &layout = mLayout == Layout::KriboPro ? ProBlock : Kribo3Block;
    QByteArray block(layout.size, '\0');
    for (int field = 0; field < layout.maxFields; ++field) {
        putWord(block, layout.types + 2 * field, 0x0001);
        putWord(block, layout.widths + 2 * field, 90);
    }
    if (mLayout == Layout::KriboPro) {
        putWord(block, layout.version, 576);
        putWord(block, 1254, 90);
        putWord(block, 1300, 1);
    } else {
        putWord(block, layout.version, 452);
        putWord(block, 504, 90);
        putWord(block, 550, 1);
    }
    for (int field = 0; field < mFieldNames.size() && field < layout.maxFields; ++field) {
        const QByteArray name = mFieldNames.at(field).left(20);
        block.replace(21 * field, name.size(), name);
        putWord(block, layout.types + 2 * field, mFieldTypes.at(field));
        putWord(block, layout.widths + 2 * field, mFieldWidths.at(field));
    }
    putWord(block, layout.fieldCount, quint16(mClaimedFields.value_or(int(mFieldNames.size()))));
    for (auto it = mBlockPatches.cbegin(); it != mBlockPatches.cend(); ++it)
        block[it.key()] = it.value().at(0);
    if (mBlockCut)
        block.truncate(*mBlockCut);
    return block;
}

QByteArray PdbBuilder::buildPopupArea() const
{
    if (mRawPopupArea)
        return *mRawPopupArea;
    QByteArray area;
    for (const auto &[field, items] : mPopups) {
        area.append(popupHeader(field)).append('\0');
        for (const QByteArray &item : items)
            area.append(item).append('\0');
    }
    if (area.isEmpty())
        return QByteArray(4, '\0');
    return area.append('\0');
}

QByteArray PdbBuilder::build() const
{
    const int records = int(mRecords.size());
    mBuiltAppInfoOffset = 78 + 8 * records + 2;

    QByteArray file = mName.left(32);
    file.append(32 - file.size(), '\0');
    appendWord(file, 0x0008);
    appendWord(file, 0);
    appendLong(file, mDates);
    appendLong(file, mDates);
    appendLong(file, 0);
    appendLong(file, 0);
    appendLong(file, mClaimedAppInfoOffset.value_or(quint32(mBuiltAppInfoOffset)));
    appendLong(file, 0);
    file.append(mType.leftJustified(4, '\0', true));
    file.append(mCreator.leftJustified(4, '\0', true));
    appendLong(file, 0);
    appendLong(file, 0);
    appendWord(file, quint16(mClaimedRecords.value_or(records)));

    const int listAt = int(file.size());
    file.append(QByteArray(8 * records + 2, '\0'));
    file.append(buildBlock());
    if (mBlockCut)
        return file; // nothing can follow a cut block
    file.append(buildPopupArea());
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
