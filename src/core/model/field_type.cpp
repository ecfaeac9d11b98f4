// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/field_type.h"

#include <QStringList>

#include <array>

namespace kribed {

namespace {

struct TypeEntry
{
    quint16 code;
    const char *name;
};

constexpr std::array<TypeEntry, FieldTypeCount> Types = {{
    {0x0001, "String"},
    {0x0002, "Boolean"},
    {0x0004, "Normal Date"},
    {0x0041, "Creation Date"},
    {0x0049, "Modification Date"},
    {0x0020, "Normal Time"},
    {0x0042, "Creation Time"},
    {0x0050, "Modification Time "},
    {0x0040, "Normal PopUp"},
    {0x0051, "Multiple Popup"},
    {0x0008, "Normal Integer"},
    {0x0043, "Auto-increment Integer"},
    {0x0010, "Float"},
}};

bool isValidIndex(int typeIndex)
{
    return typeIndex >= 0 && typeIndex < FieldTypeCount;
}

} // namespace

quint16 typeCode(int typeIndex)
{
    return isValidIndex(typeIndex) ? Types[typeIndex].code : Types[StringType].code;
}

std::optional<int> typeIndex(quint16 code)
{
    for (int i = 0; i < FieldTypeCount; ++i) {
        if (Types[i].code == code)
            return i;
    }
    return std::nullopt;
}

QString typeName(int typeIndex)
{
    return isValidIndex(typeIndex) ? QString::fromLatin1(Types[typeIndex].name) : QString();
}

QStringList typeNames()
{
    QStringList names;
    for (const TypeEntry &entry : Types)
        names << QString::fromLatin1(entry.name);
    return names;
}

bool isPopupType(int typeIndex)
{
    return typeIndex == NormalPopupType || typeIndex == MultiplePopupType;
}

bool isDateType(int typeIndex)
{
    return typeIndex == NormalDateType || typeIndex == CreationDateType
           || typeIndex == ModificationDateType;
}

bool isTimeType(int typeIndex)
{
    return typeIndex == NormalTimeType || typeIndex == CreationTimeType
           || typeIndex == ModificationTimeType;
}

bool isNumberType(int typeIndex)
{
    return typeIndex == NormalIntegerType || typeIndex == AutoIncrementIntegerType
           || typeIndex == FloatType;
}

} // namespace kribed
