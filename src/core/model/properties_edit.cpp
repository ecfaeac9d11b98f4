// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/properties_edit.h"

#include "core/model/field_type.h"
#include "core/model/limits.h"
#include "core/model/pdb_format.h"

namespace kribed {

namespace {

int WholeNumber(const QString &text, int otherwise)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? value : otherwise;
}

} // namespace

int WidthUnitsOf(const QString &text)
{
    return WholeNumber(text, 0);
}

int IncrementOf(const QString &text)
{
    return WholeNumber(text, 1);
}

QString PropertiesWarning(const PropertiesEdit &edit)
{
    if (edit.name.isEmpty() || edit.name.size() > MaxDatabaseNameLength)
        return QStringLiteral("Please use 1 - 30 characters for the database name.");
    if (edit.fieldName.isEmpty() || edit.fieldName.size() > MaxFieldNameLength)
        return QStringLiteral("Please use 1 - 20 characters for the field name.");
    const int width = WidthUnitsOf(edit.widthText);
    if (width < 1 || width > MaxFieldWidthUnits)
        return QStringLiteral("Please use 1 - 300 for the field width");
    if (IncrementOf(edit.incrementText) < 1)
        return QStringLiteral("Please use a numerical value for the increment amount");
    return QString();
}

bool IsRefusedPopupEntry(const QByteArray &entry)
{
    return pdb::PopupHeaderField(entry) > 0;
}

QString PopupEntryWarning(const QString &entry)
{
    return QStringLiteral("\"%1\" can't be a popup entry: Kribo would take it for the start of "
                          "a popup list.")
        .arg(entry);
}

void ApplyProperties(Database &database, int field, const PropertiesEdit &edit)
{
    database.SetName(edit.name);
    database.Flags() = edit.flags;
    database.SetFieldName(field, edit.fieldName);
    database.SetColumnWidth(field, database.UnitsToPixels(WidthUnitsOf(edit.widthText)));
    database.SetIncrementAmount(IncrementOf(edit.incrementText));
    database.SetFieldType(field, edit.typeIndex);
    database.PopupList(field) = IsPopupType(edit.typeIndex) ? edit.popupItems : QList<QByteArray>();
    database.SetFilterField(edit.filterField);
    database.SetFilterText(edit.filterText);
    database.SetFilterOn(edit.filterOn);
    database.SetSecondarySortField(edit.secondarySort);
    database.SetTertiarySortField(edit.tertiarySort);
}

} // namespace kribed
