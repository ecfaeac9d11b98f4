// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "cli/import_planning.h"

#include "core/exchange/import_findings.h"
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/regional.h"

#include <QCoreApplication>
#include <QJsonArray>

#include <algorithm>

namespace kribed {

namespace {

QString squeezed(const QString &name)
{
    QString plain = name.toCaseFolded();
    plain.remove(u' ');
    return plain;
}

QString keptName(KeptAsText kept)
{
    switch (kept) {
    case KeptAsText::LeadingZero: return QStringLiteral("leading-zero");
    case KeptAsText::TooManyDigits: return QStringLiteral("too-many-digits");
    case KeptAsText::No: break;
    }
    return QString();
}

// The column of a --types key: a name of the first line, else a number from 1.
int columnNamed(const ImportPlan &plan, const QString &key, const Regional &regional)
{
    const Record &names = plan.table.rows.value(0);
    for (int column = 0; column < plan.table.fields && column < names.size(); ++column) {
        if (regional.toText(names.view(column)) == key)
            return column;
    }
    bool number = false;
    const int column = key.toInt(&number);
    return number && column >= 1 && column <= plan.table.fields ? column - 1 : -1;
}

QJsonObject columnJson(const ImportPlan &plan, int field, const QString &name, int type,
                       const DetectedType *detected, const Regional &regional)
{
    QJsonObject column{{QStringLiteral("field"), field + 1},
                       {QStringLiteral("name"), name},
                       {QStringLiteral("type"), typeName(type).trimmed()}};
    const int firstRow = plan.kind == ImportPlan::Kind::Import ? 1 : 0;
    int misfits = 0;
    QJsonArray rows;
    for (int row = firstRow; row < plan.table.rows.size(); ++row) {
        const Record &record = plan.table.rows[row];
        if (field < record.size() && !isPopupType(type)
            && !fitsDetectedType(record.view(field), type, regional)) {
            if (++misfits <= NamedMisfitRows)
                rows.append(row + (firstRow == 0 ? 1 : 0)); // records counted from 1
        }
    }
    column.insert(QStringLiteral("doNotFit"), misfits);
    column.insert(QStringLiteral("doNotFitRecords"), rows);
    if (detected) {
        column.insert(QStringLiteral("detectedType"), typeName(detected->type).trimmed());
        column.insert(QStringLiteral("detectedDoNotFit"), detected->misfits);
        if (detected->kept != KeptAsText::No) {
            column.insert(QStringLiteral("keptAsText"), keptName(detected->kept));
            column.insert(QStringLiteral("keptExample"), regional.toText(detected->keptExample));
        }
    }
    return column;
}

QJsonArray texts(const QStringList &lines)
{
    return QJsonArray::fromStringList(lines);
}

} // namespace

std::optional<int> fieldTypeNamed(const QString &name)
{
    const QString wanted = squeezed(name);
    for (int type = 0; type < FieldTypeCount; ++type) {
        if (squeezed(typeName(type)) == wanted)
            return type;
    }
    static const QList<std::pair<QString, int>> shortNames = {
        {QStringLiteral("integer"), NormalIntegerType},
        {QStringLiteral("date"), NormalDateType},
        {QStringLiteral("time"), NormalTimeType},
        {QStringLiteral("popup"), NormalPopupType}};
    for (const auto &[shortName, type] : shortNames) {
        if (shortName == wanted)
            return type;
    }
    return std::nullopt;
}

QString importChoicesFor(const ImportPlan &plan, const QList<DetectedType> &detected, bool detect,
                         const QString &types, const Regional &regional, ImportChoices &choices)
{
    choices.columns.resize(plan.table.fields);
    if (detect) {
        for (int column = 0; column < detected.size() && column < plan.table.fields; ++column) {
            if (detected[column].type != StringType)
                choices.columns[column].type = detected[column].type;
        }
    }
    for (const QString &entry : types.split(u',', Qt::SkipEmptyParts)) {
        const qsizetype equals = entry.lastIndexOf(u'=');
        const int column =
            equals > 0 ? columnNamed(plan, entry.left(equals).trimmed(), regional) : -1;
        const std::optional<int> type =
            equals > 0 ? fieldTypeNamed(entry.mid(equals + 1)) : std::nullopt;
        if (column < 0 || !type)
            return QCoreApplication::translate(
                       "CliOptions",
                       "--types takes NAME=TYPE or NUMBER=TYPE of the file's fields, not '%1'.")
                .arg(entry);
        choices.columns[column].type = *type;
    }
    return QString();
}

QJsonObject planJson(const ImportPlan &plan, const QList<DetectedType> &detected,
                     const QByteArray &fileStart, bool readsUtf8, const Regional &regional,
                     const Database *target)
{
    const bool import = plan.kind == ImportPlan::Kind::Import;
    QJsonArray columns;
    const QByteArrayList names = import ? writtenFieldNames(plan) : QByteArrayList();
    for (int field = 0; field < plan.table.fields; ++field) {
        const QString name = import ? regional.toText(names.value(field))
                                    : regional.toText(target->fieldName(field + 1));
        const int type = import ? plan.fields.value(field).type : target->fieldType(field + 1);
        const DetectedType *guess = field < detected.size() ? &detected[field] : nullptr;
        columns.append(columnJson(plan, field, name, type, guess, regional));
    }
    QStringList questions;
    for (const Message &question : plan.questions)
        questions << QString(question.text).replace(u'\r', u'\n');
    QJsonArray cutPlaces;
    for (const PlanCell &place : plan.cutPlaces)
        cutPlaces.append(QJsonArray{place.row, place.field});
    const ImportFindings findings = findingsOf(plan, fileStart, readsUtf8);
    return {
        {QStringLiteral("kind"), import ? QStringLiteral("import") : QStringLiteral("append")},
        {QStringLiteral("records"), std::max(0, int(plan.table.rows.size()) - (import ? 1 : 0))},
        {QStringLiteral("columns"), columns},
        {QStringLiteral("cutValues"), plan.cutValues},
        {QStringLiteral("cutPlaces"), cutPlaces},
        {QStringLiteral("questions"), texts(questions)},
        {QStringLiteral("limits"), texts(findings.limits)},
        {QStringLiteral("warnings"), texts(findings.problems)},
        {QStringLiteral("importable"), findings.importable}};
}

} // namespace kribed
