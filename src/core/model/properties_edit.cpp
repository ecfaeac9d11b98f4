// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/properties_edit.h"

#include <QCoreApplication>

#include "core/model/field_type.h"
#include "core/model/limits.h"
#include "core/model/pdb_format.h"

namespace kribed {

namespace {

int wholeNumber(const QString &text, int otherwise)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? value : otherwise;
}

} // namespace

int widthUnitsOf(const QString &text)
{
    return wholeNumber(text, 0);
}

int incrementOf(const QString &text)
{
    return wholeNumber(text, 1);
}

QString propertiesWarning(const PropertiesEdit &edit)
{
    if (edit.settings.name.isEmpty() || edit.settings.name.size() > MaxDatabaseNameLength)
        return QCoreApplication::translate("PropertiesEdit",
                                           "Please use 1 - 30 characters for the database name.");
    if (edit.fieldName.isEmpty() || edit.fieldName.size() > MaxFieldNameLength)
        return QCoreApplication::translate("PropertiesEdit",
                                           "Please use 1 - 20 characters for the field name.");
    const int width = widthUnitsOf(edit.widthText);
    if (width < 1 || width > MaxFieldWidthUnits)
        return QCoreApplication::translate("PropertiesEdit",
                                           "Please use 1 - 300 for the field width");
    if (edit.settings.increment < 1)
        return QCoreApplication::translate("PropertiesEdit",
                                           "Please use a numerical value for the increment amount");
    return QString();
}

bool isRefusedPopupEntry(const QByteArray &entry)
{
    return pdb::popupHeaderField(entry) > 0;
}

QString popupEntryWarning(const QString &entry)
{
    return QCoreApplication::translate(
               "PropertiesEdit",
               "\"%1\" can't be a popup entry: Kribo would take it for the start of "
               "a popup list.")
        .arg(entry);
}

void applyProperties(Database &database, int field, const PropertiesEdit &edit)
{
    database.setSettings(edit.settings);
    database.setFieldName(field, edit.fieldName);
    database.setColumnWidth(field, database.unitsToPixels(widthUnitsOf(edit.widthText)));
    database.setFieldType(field, edit.typeIndex);
    database.popupList(field) = isPopupType(edit.typeIndex) ? edit.popupItems : QList<QByteArray>();
}

} // namespace kribed
