// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QByteArray>
#include <QString>

namespace kribed {

struct CliContext;
class Database;
struct FieldStatistics;
class Regional;

// "Kribo pro", or "Kribo 3 (converted to Kribo pro)" for a file of the older layout.
QString layoutTitle(const Database &database);

// What a field's statistics say, in the regional formats: "20 filled, 20 numbers, total 27858,75,
// average 1392,9375"; the filled count alone for text fields.
QString fieldStatisticsText(const FieldStatistics &statistics, const Regional &regional);

// The summary `info` prints: name, layout, path, modification time, formats, counts, one line per
// field with its statistics, flags.
void printInfo(CliContext &context, const Database &database);

// The same summary as an indented JSON object; numbers are JSON numbers, dates and times are
// ISO 8601 texts ("2019-03-12", "14:05:00"), so a reader needs no regional formats.
QByteArray infoJson(CliContext &context, const Database &database);

} // namespace kribed
