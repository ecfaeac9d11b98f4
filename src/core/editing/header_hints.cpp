// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/header_hints.h"

#include <QCoreApplication>

#include "core/editing/field_statistics.h"
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/regional.h"

namespace kribed {

namespace {

QString booleanCounts(const Database &database, int field)
{
    const int checked = checkedCount(database, field);
    return QCoreApplication::translate("HeaderHints", "Checked: %1   Unchecked: %2")
        .arg(checked)
        .arg(database.recordCount() - checked);
}

QString numberStatistics(const Database &database, int field, const Regional &regional)
{
    const NumberTotals totals = numberTotals(database, field, regional);
    QString text = QCoreApplication::translate("HeaderHints", "Total: ")
                   + QString::fromLatin1(regional.numberText(totals.total));
    if (totals.numbers > 0) {
        text += QCoreApplication::translate("HeaderHints", "\nAverage: ")
                + QString::fromLatin1(regional.numberText(totals.average()));
    }
    return text;
}

QString typePart(const Database &database, int field, const Regional &regional)
{
    switch (database.fieldType(field)) {
    case StringType: return QCoreApplication::translate("HeaderHints", "String");
    case BooleanType:
        return QCoreApplication::translate("HeaderHints", "Boolean\n")
               + booleanCounts(database, field);
    case NormalDateType: return QCoreApplication::translate("HeaderHints", "Normal Date");
    case CreationDateType: return QCoreApplication::translate("HeaderHints", "Creation Date");
    case ModificationDateType:
        return QCoreApplication::translate("HeaderHints", "Modification Date");
    case NormalTimeType: return QCoreApplication::translate("HeaderHints", "Normal Time");
    case CreationTimeType: return QCoreApplication::translate("HeaderHints", "Creation Time");
    case ModificationTimeType:
        return QCoreApplication::translate("HeaderHints", "Modification Time");
    case NormalPopupType: return QCoreApplication::translate("HeaderHints", "Normal Popup");
    case MultiplePopupType: return QCoreApplication::translate("HeaderHints", "Multiple Popup");
    case NormalIntegerType:
        return QCoreApplication::translate("HeaderHints", "Normal Integer\n")
               + numberStatistics(database, field, regional);
    case AutoIncrementIntegerType:
        return QCoreApplication::translate("HeaderHints", "Auto-increment Integer\n")
               + numberStatistics(database, field, regional);
    case FloatType:
        return QCoreApplication::translate("HeaderHints", "Float\n")
               + numberStatistics(database, field, regional);
    default: return QString();
    }
}

} // namespace

QString recordCountHintText(const Database &database)
{
    return QString::number(database.recordCount())
           + QCoreApplication::translate("HeaderHints", " Records");
}

QString headerHintText(const Database &database, int field, const Regional &regional)
{
    if (field == 0)
        return recordCountHintText(database);
    return typePart(database, field, regional)
           + QCoreApplication::translate("HeaderHints", "\nWidth: ")
           + QString::number(database.widthUnits(field));
}

} // namespace kribed
