// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/field_type.h"

#include <QCoreApplication>
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
    {0x0001, QT_TRANSLATE_NOOP("FieldType", "String")},
    {0x0002, QT_TRANSLATE_NOOP("FieldType", "Boolean")},
    {0x0004, QT_TRANSLATE_NOOP("FieldType", "Normal Date")},
    {0x0041, QT_TRANSLATE_NOOP("FieldType", "Creation Date")},
    {0x0049, QT_TRANSLATE_NOOP("FieldType", "Modification Date")},
    {0x0020, QT_TRANSLATE_NOOP("FieldType", "Normal Time")},
    {0x0042, QT_TRANSLATE_NOOP("FieldType", "Creation Time")},
    {0x0050, QT_TRANSLATE_NOOP("FieldType", "Modification Time ")},
    {0x0040, QT_TRANSLATE_NOOP("FieldType", "Normal PopUp")},
    {0x0051, QT_TRANSLATE_NOOP("FieldType", "Multiple Popup")},
    {0x0008, QT_TRANSLATE_NOOP("FieldType", "Normal Integer")},
    {0x0043, QT_TRANSLATE_NOOP("FieldType", "Auto-increment Integer")},
    {0x0010, QT_TRANSLATE_NOOP("FieldType", "Float")},
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

// The names as the user sees them in the type choices. typeName() stays untranslated: the
// command-line tool and its JSON output use it as a fixed name.
QStringList typeNames()
{
    QStringList names;
    for (const TypeEntry &entry : Types)
        names << QCoreApplication::translate("FieldType", entry.name);
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

bool isRightAlignedType(int typeIndex)
{
    return isNumberType(typeIndex) || isDateType(typeIndex) || isTimeType(typeIndex);
}

} // namespace kribed
