// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "cli/commands_diff.h"

#include "cli/cli_context.h"
#include "cli/commands_file.h"
#include "core/editing/comparison_report.h"
#include "core/editing/database_compare.h"
#include "core/model/database.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace kribed {

namespace {

// The listing and the JSON are read by scripts: they stay English in every language.

QString quoted(QString text)
{
    text.replace(u'\\', QLatin1String("\\\\"))
        .replace(u'"', QLatin1String("\\\""))
        .replace(u'\r', QLatin1String("\\r"))
        .replace(u'\n', QLatin1String("\\n"))
        .replace(u'\t', QLatin1String("\\t"));
    return u'"' + text + u'"';
}

QString plainSummary(const DatabaseComparison &comparison)
{
    return QStringLiteral("%1 added, %2 removed, %3 changed in %4 field%5")
        .arg(comparison.added)
        .arg(comparison.removed)
        .arg(comparison.changed)
        .arg(comparison.changedFieldCount)
        .arg(comparison.changedFieldCount == 1 ? QString() : QStringLiteral("s"));
}

struct Versions
{
    const Database &older;
    const Database &newer;
    const DatabaseComparison &comparison;
    const Regional &regional;

    QString field(int pair) const { return pairName(comparison, pair, older, newer, regional); }
    QString cell(const Database &side, int field, int record) const
    {
        return regional.toText(side.cellView(field, record));
    }
    QString key(const RecordComparison &record) const
    {
        return comparedRecordKey(comparison, record, older, newer, regional);
    }
};

void printRecord(QTextStream &out, const Versions &v, const RecordComparison &record)
{
    if (record.state == RecordState::Changed) {
        out << "~ " << record.olderRecord << " -> " << record.newerRecord;
        if (v.comparison.keyPair >= 0)
            out << " key " << quoted(v.key(record));
        out << '\n';
        for (int pair : record.changedPairs) {
            const FieldPair &fields = v.comparison.fields.at(pair);
            out << "    " << v.field(pair) << ": "
                << quoted(v.cell(v.older, fields.olderField, record.olderRecord)) << " -> "
                << quoted(v.cell(v.newer, fields.newerField, record.newerRecord)) << '\n';
        }
        return;
    }
    const bool added = record.state == RecordState::Added;
    const Database &side = added ? v.newer : v.older;
    const int number = added ? record.newerRecord : record.olderRecord;
    QStringList cells;
    for (int field = 1; field <= side.fieldCount(); ++field)
        cells.append(quoted(v.cell(side, field, number)));
    out << (added ? "+ " : "- ") << number;
    if (v.comparison.keyPair >= 0)
        out << " key " << quoted(v.key(record));
    out << ": " << cells.join(QLatin1String(" | ")) << '\n';
}

void printListing(CliContext &context, const Versions &v)
{
    QTextStream &out = context.out;
    const DatabaseComparison &comparison = v.comparison;
    out << "--- " << context.request.files.at(0) << '\n'
        << "+++ " << context.request.files.at(1) << '\n';
    out << "Records matched by "
        << (comparison.keyPair >= 0 ? QStringLiteral("field ") + quoted(v.field(comparison.keyPair))
                                    : QStringLiteral("content"))
        << (comparison.ignoreStamps ? ", stamps ignored" : ", stamps counted") << '\n';
    if (!comparison.definitions.isEmpty())
        out << "Fields:\n";
    for (const DefinitionDifference &difference : comparison.definitions)
        out << "  " << definitionChangeKey(difference.change) << ' '
            << quoted(v.field(difference.pair)) << ": " << quoted(difference.olderText) << " -> "
            << quoted(difference.newerText) << '\n';
    if (!comparison.settings.isEmpty())
        out << "Settings:\n";
    for (const SettingDifference &difference : comparison.settings)
        out << "  " << difference.setting << ": " << quoted(difference.olderText) << " -> "
            << quoted(difference.newerText) << '\n';
    if (!comparison.recordsSame())
        out << "Records:\n";
    for (const RecordComparison &record : comparison.records) {
        if (record.state != RecordState::Same)
            printRecord(out, v, record);
    }
    out << plainSummary(comparison) << '\n';
}

QJsonObject recordJson(const Versions &v, const RecordComparison &record)
{
    static const char *const states[] = {"same", "changed", "added", "removed"};
    QJsonObject object{{QStringLiteral("state"), QLatin1String(states[int(record.state)])},
                       {QStringLiteral("key"), v.key(record)}};
    if (record.olderRecord > 0)
        object.insert(QStringLiteral("oldRecord"), record.olderRecord);
    if (record.newerRecord > 0)
        object.insert(QStringLiteral("newRecord"), record.newerRecord);
    QJsonArray cells;
    if (record.state == RecordState::Changed) {
        for (int pair : record.changedPairs) {
            const FieldPair &fields = v.comparison.fields.at(pair);
            cells.append(QJsonObject{
                {QStringLiteral("field"), v.field(pair)},
                {QStringLiteral("old"), v.cell(v.older, fields.olderField, record.olderRecord)},
                {QStringLiteral("new"), v.cell(v.newer, fields.newerField, record.newerRecord)}});
        }
    } else {
        const bool added = record.state == RecordState::Added;
        const Database &side = added ? v.newer : v.older;
        const int number = added ? record.newerRecord : record.olderRecord;
        for (int field = 1; field <= side.fieldCount(); ++field)
            cells.append(
                QJsonObject{{QStringLiteral("field"), v.regional.toText(side.fieldName(field))},
                            {QStringLiteral("value"), v.cell(side, field, number)}});
    }
    object.insert(QStringLiteral("cells"), cells);
    return object;
}

QByteArray comparisonJson(CliContext &context, const Versions &v)
{
    const DatabaseComparison &comparison = v.comparison;
    QJsonArray fields, settings, records;
    for (const DefinitionDifference &difference : comparison.definitions)
        fields.append(
            QJsonObject{{QStringLiteral("change"), definitionChangeKey(difference.change)},
                        {QStringLiteral("field"), v.field(difference.pair)},
                        {QStringLiteral("old"), difference.olderText},
                        {QStringLiteral("new"), difference.newerText}});
    for (const SettingDifference &difference : comparison.settings)
        settings.append(QJsonObject{{QStringLiteral("setting"), difference.setting},
                                    {QStringLiteral("old"), difference.olderText},
                                    {QStringLiteral("new"), difference.newerText}});
    for (const RecordComparison &record : comparison.records) {
        if (record.state != RecordState::Same)
            records.append(recordJson(v, record));
    }
    const QJsonObject object{{QStringLiteral("old"), context.request.files.at(0)},
                             {QStringLiteral("new"), context.request.files.at(1)},
                             {QStringLiteral("same"), comparison.same()},
                             {QStringLiteral("matchedBy"),
                              comparison.keyPair >= 0 ? v.field(comparison.keyPair) : QJsonValue()},
                             {QStringLiteral("ignoreStamps"), comparison.ignoreStamps},
                             {QStringLiteral("added"), comparison.added},
                             {QStringLiteral("removed"), comparison.removed},
                             {QStringLiteral("changed"), comparison.changed},
                             {QStringLiteral("changedFields"), comparison.changedFieldCount},
                             {QStringLiteral("fields"), fields},
                             {QStringLiteral("settings"), settings},
                             {QStringLiteral("records"), records}};
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

} // namespace

ExitStatus diffCommand(CliContext &context)
{
    const CliRequest &request = context.request;
    Database older, newer;
    if (!loadForReading(context, request.files.at(0), older)
        || !loadForReading(context, request.files.at(1), newer))
        return ExitUsage;
    CompareOptions options;
    options.ignoreStamps = request.ignoreStamps;
    if (!request.key.isEmpty()) {
        options.matching = RecordMatching::Field;
        options.keyField = context.regional.toBytes(request.key);
    }
    const DatabaseComparison comparison = compareDatabases(older, newer, options, context.regional);
    if (comparison.keyMissing) {
        context.reportError(
            QCoreApplication::translate("CliMessages", "no field named '%1' in both databases.")
                .arg(request.key));
        return ExitUsage;
    }
    const Versions versions{older, newer, comparison, context.regional};
    if (request.csv)
        context.out << QString::fromUtf8(comparisonCsv(comparison, older, newer, context.regional));
    else if (request.json)
        context.out << QString::fromUtf8(comparisonJson(context, versions));
    else
        printListing(context, versions);
    return comparison.same() ? ExitSuccess : ExitFailure;
}

} // namespace kribed
