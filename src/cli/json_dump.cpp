// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "cli/json_dump.h"

#include "cli/cli_text_codec.h"
#include "core/model/database.h"
#include "core/model/field_type.h"

#include <QJsonArray>

namespace kribed {

namespace {

QJsonArray textArray(const QList<QByteArray> &texts, CliTextCodec &codec)
{
    QJsonArray array;
    for (const QByteArray &text : texts)
        array.append(codec.decode(text));
    return array;
}

QJsonArray fieldsToJson(const Database &database, CliTextCodec &codec)
{
    QJsonArray fields;
    for (int field = 1; field <= database.fieldCount(); ++field) {
        QJsonObject object;
        object.insert(QStringLiteral("name"), codec.decode(database.fieldName(field)));
        object.insert(QStringLiteral("type"), database.fieldType(field));
        object.insert(QStringLiteral("typeName"), typeName(database.fieldType(field)));
        object.insert(QStringLiteral("width"), database.widthUnits(field));
        object.insert(QStringLiteral("popup"), textArray(database.popupList(field), codec));
        fields.append(object);
    }
    return fields;
}

QJsonArray recordsToJson(const Database &database, CliTextCodec &codec)
{
    QJsonArray records;
    for (const Database::Record &record : database.records())
        records.append(textArray(record, codec));
    return records;
}

QJsonObject flagsToJson(const DatabaseFlags &flags)
{
    QJsonObject object;
    object.insert(QStringLiteral("private"), flags.isPrivate);
    object.insert(QStringLiteral("autoLock"), flags.autoLock);
    object.insert(QStringLiteral("readOnly"), flags.readOnly);
    object.insert(QStringLiteral("kriboFilter"), flags.kriboFilter);
    return object;
}

} // namespace

QString layoutName(const Database &database)
{
    return database.convertedFromKribo3() ? QStringLiteral("kribo3") : QStringLiteral("pro");
}

QString modificationText(const QDateTime &time)
{
    if (!time.isValid())
        return QString();
    // The model holds the file's clock reading as it stands; print that reading unconverted.
    return time.date().toString(QStringLiteral("yyyy-MM-dd")) + u'T'
           + time.time().toString(QStringLiteral("HH:mm:ss"));
}

QJsonObject databaseToJson(const Database &database, CliTextCodec &codec)
{
    QJsonObject object;
    object.insert(QStringLiteral("name"), codec.decode(database.name()));
    object.insert(QStringLiteral("layout"), layoutName(database));
    object.insert(QStringLiteral("path"), database.filePath());
    object.insert(QStringLiteral("modified"), modificationText(database.modificationTime()));
    object.insert(QStringLiteral("fields"), fieldsToJson(database, codec));
    object.insert(QStringLiteral("records"), recordsToJson(database, codec));
    object.insert(QStringLiteral("filterText"), codec.decode(database.filterText()));
    object.insert(QStringLiteral("filterField"), database.filterField());
    object.insert(QStringLiteral("secondarySort"), database.secondarySortField());
    object.insert(QStringLiteral("tertiarySort"), database.tertiarySortField());
    object.insert(QStringLiteral("flags"), flagsToJson(database.flags()));
    object.insert(QStringLiteral("extras"), database.extrasLength());
    return object;
}

} // namespace kribed
