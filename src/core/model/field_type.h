// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace kribed {

// The type index is the item index of the field-type combo boxes.
enum FieldType : int {
    StringType = 0,
    BooleanType = 1,
    NormalDateType = 2,
    CreationDateType = 3,
    ModificationDateType = 4,
    NormalTimeType = 5,
    CreationTimeType = 6,
    ModificationTimeType = 7,
    NormalPopupType = 8,
    MultiplePopupType = 9,
    NormalIntegerType = 10,
    AutoIncrementIntegerType = 11,
    FloatType = 12,
};
constexpr int FieldTypeCount = 13;

// The 16-bit code a type index has in the file.
quint16 typeCode(int typeIndex);
// The type index of a file's code, or none for a code the program does not know.
std::optional<int> typeIndex(quint16 code);
// The name the combo boxes list ("Modification Time " keeps its trailing blank).
QString typeName(int typeIndex);
// All 13 names in combo-box order.
QStringList typeNames();

bool isPopupType(int typeIndex);
bool isDateType(int typeIndex);
bool isTimeType(int typeIndex);
bool isNumberType(int typeIndex);
// Numbers, dates and times stand at the right of their cells, as spreadsheets put them, so that
// amounts line up; texts, Booleans and popups at the left.
bool isRightAlignedType(int typeIndex);

} // namespace kribed
