// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QDateTime>
#include <QString>

class QIODevice;

namespace kribed {

class CliTextCodec;
class Database;

// "pro" for a file read in the Kribo pro layout, "kribo3" for a converted one.
QString layoutName(const Database &database);

// The modification time as "YYYY-MM-DDTHH:MM:SS": the header's seconds counted on from
// 1970-01-01T01:00:00 as plain clock arithmetic, without any time zone or daylight saving (the
// model keeps that clock reading).
QString modificationText(const QDateTime &time);

// Writes the whole database as one indented JSON object: name, layout, path, modified, fields
// (name, type, typeName, width in the units a save writes, popup), records (cell texts as
// loaded), filterText, filterField, secondarySort, tertiarySort, flags and the extras' length.
// The text goes out as it is made, so no second copy of the database is held. False when the
// device did not take every byte.
bool writeDatabaseJson(const Database &database, CliTextCodec &codec, QIODevice &device);

} // namespace kribed
