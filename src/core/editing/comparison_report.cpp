// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/comparison_report.h"

#include "core/model/database.h"
#include "core/model/regional.h"

namespace kribed {

namespace {

// Quoted when the text holds a separator, a quote, a line break or blanks at its ends.
QByteArray csvField(const QString &text)
{
    QByteArray bytes = text.toUtf8();
    const bool quote = bytes.contains(',') || bytes.contains('"') || bytes.contains('\n')
                       || bytes.contains('\r') || bytes.startsWith(' ') || bytes.endsWith(' ');
    if (!quote)
        return bytes;
    bytes.replace("\"", "\"\"");
    return '"' + bytes + '"';
}

void addLine(QByteArray &csv, const QString &key, const QString &field, const QString &before,
             const QString &after)
{
    csv += csvField(key) + ',' + csvField(field) + ',' + csvField(before) + ',' + csvField(after)
           + "\r\n";
}

} // namespace

QString comparedRecordKey(const DatabaseComparison &comparison, const RecordComparison &record,
                          const Database &older, const Database &newer, const Regional &regional)
{
    if (comparison.keyPair >= 0) {
        const FieldPair &key = comparison.fields.at(comparison.keyPair);
        return regional.toText(record.newerRecord > 0
                                   ? newer.cellView(key.newerField, record.newerRecord)
                                   : older.cellView(key.olderField, record.olderRecord));
    }
    switch (record.state) {
    case RecordState::Added: return QLatin1Char('+') + QString::number(record.newerRecord);
    case RecordState::Removed: return QLatin1Char('-') + QString::number(record.olderRecord);
    default: return QString::number(record.newerRecord);
    }
}

QByteArray comparisonCsv(const DatabaseComparison &comparison, const Database &older,
                         const Database &newer, const Regional &regional)
{
    QByteArray csv = "Key,Field,Old,New\r\n";
    for (const RecordComparison &record : comparison.records) {
        if (record.state == RecordState::Same)
            continue;
        const QString key = comparedRecordKey(comparison, record, older, newer, regional);
        if (record.state == RecordState::Changed) {
            for (int pair : record.changedPairs) {
                const FieldPair &fields = comparison.fields.at(pair);
                addLine(csv, key, pairName(comparison, pair, older, newer, regional),
                        regional.toText(older.cellView(fields.olderField, record.olderRecord)),
                        regional.toText(newer.cellView(fields.newerField, record.newerRecord)));
            }
            continue;
        }
        const bool added = record.state == RecordState::Added;
        const Database &side = added ? newer : older;
        const int number = added ? record.newerRecord : record.olderRecord;
        for (int field = 1; field <= side.fieldCount(); ++field) {
            const QByteArrayView text = side.cellView(field, number);
            if (text.isEmpty())
                continue;
            const QString value = regional.toText(text);
            addLine(csv, key, regional.toText(side.fieldName(field)), added ? QString() : value,
                    added ? value : QString());
        }
    }
    return csv;
}

} // namespace kribed
