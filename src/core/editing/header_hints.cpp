// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/header_hints.h"

#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/regional.h"

namespace kribed {

namespace {

QString booleanCounts(const Database &database, int field)
{
    // Anything but "0" counts as checked, an empty cell included.
    int checked = 0;
    for (const Database::Record &record : database.records())
        checked += record[field - 1] != "0" ? 1 : 0;
    return QStringLiteral("Checked: %1   Unchecked: %2")
        .arg(checked)
        .arg(database.recordCount() - checked);
}

QString numberStatistics(const Database &database, int field)
{
    const Regional &regional = currentRegional();
    long double total = 0;
    int count = 0;
    for (const Database::Record &record : database.records()) {
        if (const std::optional<long double> number = regional.readNumber(record[field - 1])) {
            total += *number;
            ++count;
        }
    }
    QString text = QStringLiteral("Total: ") + QString::fromLatin1(regional.numberText(total));
    if (count > 0) {
        text +=
            QStringLiteral("\nAverage: ") + QString::fromLatin1(regional.numberText(total / count));
    }
    return text;
}

QString typePart(const Database &database, int field)
{
    switch (database.fieldType(field)) {
    case StringType: return QStringLiteral("String");
    case BooleanType: return QStringLiteral("Boolean\n") + booleanCounts(database, field);
    case NormalDateType: return QStringLiteral("Normal Date");
    case CreationDateType: return QStringLiteral("Creation Date");
    case ModificationDateType: return QStringLiteral("Modification Date");
    case NormalTimeType: return QStringLiteral("Normal Time");
    case CreationTimeType: return QStringLiteral("Creation Time");
    case ModificationTimeType: return QStringLiteral("Modification Time");
    case NormalPopupType: return QStringLiteral("Normal Popup");
    case MultiplePopupType: return QStringLiteral("Multiple Popup");
    case NormalIntegerType:
        return QStringLiteral("Normal Integer\n") + numberStatistics(database, field);
    case AutoIncrementIntegerType:
        return QStringLiteral("Auto-increment Integer\n") + numberStatistics(database, field);
    case FloatType: return QStringLiteral("Float\n") + numberStatistics(database, field);
    default: return QString();
    }
}

} // namespace

QString recordCountHintText(const Database &database)
{
    return QString::number(database.recordCount()) + QStringLiteral(" Records");
}

QString headerHintText(const Database &database, int field)
{
    if (field == 0)
        return recordCountHintText(database);
    return typePart(database, field) + QStringLiteral("\nWidth: ")
           + QString::number(database.widthUnits(field));
}

} // namespace kribed
