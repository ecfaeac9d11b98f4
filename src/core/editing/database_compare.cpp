// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/database_compare.h"

#include "core/editing/database_compare_p.h"
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/regional.h"

#include <QCoreApplication>

namespace kribed {

namespace {

bool isStampType(int type)
{
    return type == ModificationDateType || type == ModificationTimeType;
}

// By name first (the k-th field of a name with the k-th of the same name), then the fields left
// on both sides at the same position; in the newer version's order, fields only the older has
// after them.
QVector<FieldPair> matchFields(const Database &older, const Database &newer)
{
    QVector<int> olderPartner(older.fieldCount() + 1, 0);
    QVector<int> newerPartner(newer.fieldCount() + 1, 0);
    for (int field = 1; field <= newer.fieldCount(); ++field) {
        for (int candidate = 1; candidate <= older.fieldCount(); ++candidate) {
            if (olderPartner[candidate] == 0
                && older.fieldName(candidate) == newer.fieldName(field)) {
                olderPartner[candidate] = field;
                newerPartner[field] = candidate;
                break;
            }
        }
    }
    for (int field = 1; field <= std::min(older.fieldCount(), newer.fieldCount()); ++field) {
        if (newerPartner[field] == 0 && olderPartner[field] == 0) {
            olderPartner[field] = field;
            newerPartner[field] = field;
        }
    }
    QVector<FieldPair> pairs;
    for (int field = 1; field <= newer.fieldCount(); ++field)
        pairs.append({newerPartner[field], field, false});
    for (int field = 1; field <= older.fieldCount(); ++field) {
        if (olderPartner[field] == 0)
            pairs.append({field, 0, false});
    }
    for (FieldPair &pair : pairs) {
        pair.stamp = (pair.olderField > 0 && isStampType(older.fieldType(pair.olderField)))
                     || (pair.newerField > 0 && isStampType(newer.fieldType(pair.newerField)));
    }
    return pairs;
}

// The matched pairs that keep their order form the longest run of rising older positions in
// the newer order; every other matched pair moved.
QVector<bool> movedPairs(const QVector<FieldPair> &pairs)
{
    QVector<int> matched;
    for (int pair = 0; pair < pairs.size(); ++pair) {
        if (pairs.at(pair).matched())
            matched.append(pair);
    }
    const int count = int(matched.size());
    QVector<int> length(count, 1), previous(count, -1);
    int best = -1;
    for (int i = 0; i < count; ++i) {
        for (int j = 0; j < i; ++j) {
            if (pairs.at(matched[j]).olderField < pairs.at(matched[i]).olderField
                && length[j] + 1 > length[i]) {
                length[i] = length[j] + 1;
                previous[i] = j;
            }
        }
        if (best < 0 || length[i] > length[best])
            best = i;
    }
    QVector<bool> moved(pairs.size(), false);
    for (int i : matched)
        moved[i] = true;
    for (int i = best; i >= 0; i = previous[i])
        moved[matched[i]] = false;
    return moved;
}

QString popupText(const QList<QByteArray> &items, const Regional &regional)
{
    QStringList texts;
    for (const QByteArray &item : items)
        texts.append(regional.toText(item));
    return texts.join(QLatin1String(", "));
}

void compareDefinitions(const Database &older, const Database &newer, const Regional &regional,
                        DatabaseComparison &comparison)
{
    const QVector<bool> moved = movedPairs(comparison.fields);
    auto note = [&](DefinitionChange change, int pair, const QString &before,
                    const QString &after) {
        comparison.definitions.append({change, pair, before, after});
    };
    for (int pair = 0; pair < comparison.fields.size(); ++pair) {
        const int o = comparison.fields.at(pair).olderField;
        const int n = comparison.fields.at(pair).newerField;
        if (o == 0 || n == 0) {
            note(o == 0 ? DefinitionChange::Added : DefinitionChange::Removed, pair,
                 o ? regional.toText(older.fieldName(o)) : QString(),
                 n ? regional.toText(newer.fieldName(n)) : QString());
            continue;
        }
        if (older.fieldName(o) != newer.fieldName(n))
            note(DefinitionChange::Renamed, pair, regional.toText(older.fieldName(o)),
                 regional.toText(newer.fieldName(n)));
        if (moved.at(pair))
            note(DefinitionChange::Moved, pair, QString::number(o), QString::number(n));
        const int olderType = older.fieldType(o);
        const int newerType = newer.fieldType(n);
        if (olderType != newerType)
            note(DefinitionChange::Retyped, pair, typeName(olderType), typeName(newerType));
        if (older.widthUnits(o) != newer.widthUnits(n))
            note(DefinitionChange::Resized, pair, QString::number(older.widthUnits(o)),
                 QString::number(newer.widthUnits(n)));
        const bool popups = isPopupType(olderType) || isPopupType(newerType);
        if (popups && older.popupList(o) != newer.popupList(n))
            note(DefinitionChange::PopupList, pair, popupText(older.popupList(o), regional),
                 popupText(newer.popupList(n), regional));
    }
}

// The settings the file keeps (the filter switch and the increment amount are not in a file).
void compareSettings(const Database &older, const Database &newer, const Regional &regional,
                     DatabaseComparison &comparison)
{
    const DatabaseSettings &a = older.settings();
    const DatabaseSettings &b = newer.settings();
    auto text = [&](const char *key, const QByteArray &before, const QByteArray &after) {
        if (before != after)
            comparison.settings.append(
                {QLatin1String(key), regional.toText(before), regional.toText(after)});
    };
    auto number = [&](const char *key, int before, int after) {
        if (before != after)
            comparison.settings.append(
                {QLatin1String(key), QString::number(before), QString::number(after)});
    };
    text("name", a.name, b.name);
    number("private", a.flags.isPrivate, b.flags.isPrivate);
    number("autoLock", a.flags.autoLock, b.flags.autoLock);
    number("readOnly", a.flags.readOnly, b.flags.readOnly);
    number("kriboFilter", a.flags.kriboFilter, b.flags.kriboFilter);
    text("filterText", a.filterText, b.filterText);
    number("filterField", a.filterField, b.filterField);
    number("secondarySort", a.secondarySort, b.secondarySort);
    number("tertiarySort", a.tertiarySort, b.tertiarySort);
}

} // namespace

DatabaseComparison compareDatabases(const Database &older, const Database &newer,
                                    const CompareOptions &options, const Regional &regional)
{
    DatabaseComparison comparison;
    comparison.ignoreStamps = options.ignoreStamps;
    comparison.fields = matchFields(older, newer);
    compareDefinitions(older, newer, regional, comparison);
    compareSettings(older, newer, regional, comparison);
    compareRecords(older, newer, options, comparison);
    return comparison;
}

QString comparisonSummary(const DatabaseComparison &comparison)
{
    if (comparison.same())
        return QCoreApplication::translate("DatabaseCompare", "No differences");
    QString text = QCoreApplication::translate("DatabaseCompare",
                                               "%1 added, %2 removed, %3 changed in %n "
                                               "field(s)",
                                               nullptr, comparison.changedFieldCount)
                       .arg(comparison.added)
                       .arg(comparison.removed)
                       .arg(comparison.changed);
    if (!comparison.definitions.isEmpty() || !comparison.settings.isEmpty())
        text += QCoreApplication::translate(
            "DatabaseCompare", "; %n definition(s) and setting(s) differ", nullptr,
            int(comparison.definitions.size() + comparison.settings.size()));
    return text;
}

QString definitionChangeName(DefinitionChange change)
{
    switch (change) {
    case DefinitionChange::Added:
        return QCoreApplication::translate("DatabaseCompare", "Field added");
    case DefinitionChange::Removed:
        return QCoreApplication::translate("DatabaseCompare", "Field removed");
    case DefinitionChange::Renamed: return QCoreApplication::translate("DatabaseCompare", "Name");
    case DefinitionChange::Moved: return QCoreApplication::translate("DatabaseCompare", "Position");
    case DefinitionChange::Retyped: return QCoreApplication::translate("DatabaseCompare", "Type");
    case DefinitionChange::Resized: return QCoreApplication::translate("DatabaseCompare", "Width");
    case DefinitionChange::PopupList:
        return QCoreApplication::translate("DatabaseCompare", "Popup list");
    }
    return {};
}

QString definitionChangeKey(DefinitionChange change)
{
    switch (change) {
    case DefinitionChange::Added: return QStringLiteral("added");
    case DefinitionChange::Removed: return QStringLiteral("removed");
    case DefinitionChange::Renamed: return QStringLiteral("name");
    case DefinitionChange::Moved: return QStringLiteral("position");
    case DefinitionChange::Retyped: return QStringLiteral("type");
    case DefinitionChange::Resized: return QStringLiteral("width");
    case DefinitionChange::PopupList: return QStringLiteral("popupList");
    }
    return {};
}

QString pairName(const DatabaseComparison &comparison, int pair, const Database &older,
                 const Database &newer, const Regional &regional)
{
    const FieldPair &fields = comparison.fields.at(pair);
    return regional.toText(fields.newerField > 0 ? newer.fieldName(fields.newerField)
                                                 : older.fieldName(fields.olderField));
}

} // namespace kribed
