// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QtGlobal>

#include <optional>

namespace kribed::test {

// Builds the bytes of a .pdb file for test fixtures, so that each fixture says what it holds:
//
//     const QByteArray file = PdbBuilder()
//                                 .name("Kunden")
//                                 .field("Name").field("Paid", 0x0002)
//                                 .popup(1, {"Red", "Blue"})
//                                 .record({"Anna", "1"})
//                                 .build();
//
// By default the file is laid out exactly as the program saves one (header with the backup
// attribute, both dates equal, type "KrDb", creator "Krbo"; record list; two zero bytes; app-info
// block; popup area; extras; "EndKriboData" and NUL; records), so a test can compare a saved file
// with a built one byte for byte. The Kribo 3 layout has the 564-byte block and records without
// length words. The setters named "Claim..." or "Raw..." make damaged files.
class PdbBuilder
{
public:
    enum class Layout { KriboPro, Kribo3 };

    explicit PdbBuilder(Layout layout = Layout::KriboPro);

    // Header ------------------------------------------------------------------------------
    PdbBuilder &name(const QByteArray &name);       // up to 32 bytes; default "Test"
    PdbBuilder &type(const QByteArray &type);       // 4 bytes; default by the layout
    PdbBuilder &creator(const QByteArray &creator); // 4 bytes; default "Krbo"
    PdbBuilder &dates(quint32 seconds);             // creation and modification date
    PdbBuilder &claimRecordCount(int count);        // the header's n, whatever was added
    PdbBuilder &claimAppInfoOffset(quint32 offset);
    PdbBuilder &claimRecordOffset(int index, quint32 offset); // record list entry `index` (0-based)

    // Application-info block (offsets are those of the chosen layout) -----------------------
    // Appends a field: its name slot, type code and width.
    PdbBuilder &field(const QByteArray &name, quint16 typeCode = 0x0001, quint16 widthUnits = 90);
    PdbBuilder &claimFieldCount(int count);           // the block's m, whatever was added
    PdbBuilder &blockWord(int offset, quint16 value); // any 16-bit word of the block
    PdbBuilder &blockBytes(int offset, const QByteArray &bytes);
    PdbBuilder &cutBlock(int size); // the file ends after `size` block bytes

    // The data after the block --------------------------------------------------------------
    PdbBuilder &popup(int field, const QList<QByteArray> &items); // header "popup?" and items
    PdbBuilder &rawPopupArea(const QByteArray &area);             // replaces the generated area
    PdbBuilder &extras(const QByteArray &extras);
    PdbBuilder &noEndMarker();

    // Records --------------------------------------------------------------------------------
    // Values in field order; Kribo pro writes the length words (size + 1) before the texts.
    PdbBuilder &record(const QList<QByteArray> &values);
    PdbBuilder &rawRecord(const QByteArray &bytes); // the record's bytes as they are

    QByteArray build() const;

    // Where the last build() put things.
    int appInfoOffset() const { return mBuiltAppInfoOffset; }
    int dataAfterOffset() const;
    QList<int> recordOffsets() const { return mBuiltRecordOffsets; }

    static QByteArray popupHeader(int field);

private:
    QByteArray buildBlock() const;
    QByteArray buildPopupArea() const;
    int blockSize() const;

    Layout mLayout;
    QByteArray mName = QByteArrayLiteral("Test");
    QByteArray mType;
    QByteArray mCreator = QByteArrayLiteral("Krbo");
    quint32 mDates = 0;
    std::optional<int> mClaimedRecords;
    std::optional<quint32> mClaimedAppInfoOffset;
    QMap<int, quint32> mClaimedRecordOffsets;

    QList<QByteArray> mFieldNames;
    QList<quint16> mFieldTypes;
    QList<quint16> mFieldWidths;
    std::optional<int> mClaimedFields;
    QMap<int, QByteArray> mBlockPatches;
    std::optional<int> mBlockCut;

    QList<QPair<int, QList<QByteArray>>> mPopups;
    std::optional<QByteArray> mRawPopupArea;
    QByteArray mExtras;
    bool mEndMarker = true;

    QList<QByteArray> mRecords;

    mutable int mBuiltAppInfoOffset = 0;
    mutable QList<int> mBuiltRecordOffsets;
};

} // namespace kribed::test
