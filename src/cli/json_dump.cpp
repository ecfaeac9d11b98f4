// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "cli/json_dump.h"

#include "cli/cli_text_codec.h"
#include "core/model/database.h"
#include "core/model/field_type.h"

#include <QJsonArray>

namespace kribed {

namespace {

QJsonArray TextArray(const QList<QByteArray> &texts, CliTextCodec &codec)
{
    QJsonArray array;
    for (const QByteArray &text : texts)
        array.append(codec.Decode(text));
    return array;
}

QJsonArray FieldsToJson(const Database &database, CliTextCodec &codec)
{
    QJsonArray fields;
    for (int field = 1; field <= database.FieldCount(); ++field) {
        QJsonObject object;
        object.insert(QStringLiteral("name"), codec.Decode(database.FieldName(field)));
        object.insert(QStringLiteral("type"), database.FieldType(field));
        object.insert(QStringLiteral("typeName"), TypeName(database.FieldType(field)));
        object.insert(QStringLiteral("width"), database.WidthUnits(field));
        object.insert(QStringLiteral("popup"), TextArray(database.PopupList(field), codec));
        fields.append(object);
    }
    return fields;
}

QJsonArray RecordsToJson(const Database &database, CliTextCodec &codec)
{
    QJsonArray records;
    for (const Database::Record &record : database.Records())
        records.append(TextArray(record, codec));
    return records;
}

QJsonObject FlagsToJson(const DatabaseFlags &flags)
{
    QJsonObject object;
    object.insert(QStringLiteral("private"), flags.isPrivate);
    object.insert(QStringLiteral("autoLock"), flags.autoLock);
    object.insert(QStringLiteral("readOnly"), flags.readOnly);
    object.insert(QStringLiteral("kriboFilter"), flags.kriboFilter);
    return object;
}

} // namespace

QString LayoutName(const Database &database)
{
    return database.ConvertedFromKribo3() ? QStringLiteral("kribo3") : QStringLiteral("pro");
}

QString ModificationText(const QDateTime &time)
{
    if (!time.isValid())
        return QString();
    // The model holds the file's clock reading as it stands; print that reading unconverted.
    return time.date().toString(QStringLiteral("yyyy-MM-dd")) + u'T'
           + time.time().toString(QStringLiteral("HH:mm:ss"));
}

QJsonObject DatabaseToJson(const Database &database, CliTextCodec &codec)
{
    QJsonObject object;
    object.insert(QStringLiteral("name"), codec.Decode(database.Name()));
    object.insert(QStringLiteral("layout"), LayoutName(database));
    object.insert(QStringLiteral("path"), database.FilePath());
    object.insert(QStringLiteral("modified"), ModificationText(database.ModificationTime()));
    object.insert(QStringLiteral("fields"), FieldsToJson(database, codec));
    object.insert(QStringLiteral("records"), RecordsToJson(database, codec));
    object.insert(QStringLiteral("filterText"), codec.Decode(database.FilterText()));
    object.insert(QStringLiteral("filterField"), database.FilterField());
    object.insert(QStringLiteral("secondarySort"), database.SecondarySortField());
    object.insert(QStringLiteral("tertiarySort"), database.TertiarySortField());
    object.insert(QStringLiteral("flags"), FlagsToJson(database.Flags()));
    object.insert(QStringLiteral("extras"), database.ExtrasLength());
    return object;
}

} // namespace kribed
