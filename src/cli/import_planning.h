// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

// import and append with --detect-types, --types and --plan: the field types a file's values
// suggest or the user names, and the plan printed as JSON instead of written.

#include "core/exchange/import_choices.h"
#include "core/exchange/import_plan.h"
#include "core/exchange/type_detection.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <optional>

namespace kribed {

class Database;
class Regional;

// A field type by its name in any letter case, blanks ignored ("Float", "normal date"), or by
// a short name ("integer", "date", "time", "popup"); none for anything else.
std::optional<int> fieldTypeNamed(const QString &name);

// The import's choices of --detect-types and --types ("Name=Type,3=Type": a field of the first
// line's name or a column number) for the plan read; the usage error of a bad list, or nothing.
QString importChoicesFor(const ImportPlan &plan, const QList<DetectedType> &detected, bool detect,
                         const QString &types, const Regional &regional, ImportChoices &choices);

// The plan as --plan prints it: its kind, records, columns (name as written, type, detected type,
// values that do not fit and their rows, why a column stays text), cut values, the questions
// that would be asked, limits and warnings. `readsUtf8`: as findingsOf takes it. `target`: the
// append's database.
QJsonObject planJson(const ImportPlan &plan, const QList<DetectedType> &detected,
                     const QByteArray &fileStart, bool readsUtf8, const Regional &regional,
                     const Database *target);

} // namespace kribed
