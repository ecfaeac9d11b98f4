// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "cli/info_report.h"

#include "cli/cli_context.h"
#include "cli/json_dump.h"
#include "core/editing/chart_data.h"
#include "core/editing/field_profile.h"
#include "core/editing/field_statistics.h"
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/regional.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <cmath>

namespace kribed {

namespace {

QString yesNo(bool value)
{
    return value ? QStringLiteral("yes") : QStringLiteral("no");
}

QString numberText(long double value, const Regional &regional)
{
    return QString::fromLatin1(regional.numberText(value));
}

QString dateText(const QDate &date, const Regional &regional)
{
    return regional.locale().toString(date, regional.shortDateFormat());
}

QString timeText(const QTime &time, const Regional &regional)
{
    return regional.locale().toString(time, regional.longTimeFormat());
}

// ", K dates, earliest A, latest B": the range only when a cell read.
template<typename Value, typename Write>
QString rangeText(const char *what, int readable, const Value &earliest, const Value &latest,
                  Write write)
{
    QString text = QStringLiteral(", %1 %2").arg(readable).arg(QLatin1String(what));
    if (readable > 0)
        text += QStringLiteral(", earliest %1, latest %2").arg(write(earliest), write(latest));
    return text;
}

// The values the text summary lists per field; the JSON lists the profile's 50.
constexpr int ListedValues = 10;

// "      empty 1, distinct 3, minimum 0, maximum 1520,5, unreadable 0; values: 1 (2), ..."
QString profileText(CliContext &context, const FieldProfile &profile)
{
    QString text =
        QStringLiteral("      empty %1, distinct %2").arg(profile.empty).arg(profile.distinct);
    if (profile.minimum && profile.maximum) {
        text += QStringLiteral(", minimum %1, maximum %2")
                    .arg(numberText(*profile.minimum, context.regional),
                         numberText(*profile.maximum, context.regional));
    }
    text += QStringLiteral(", unreadable %1; values:").arg(profile.unreadable);
    QStringList values;
    for (const ValueCount &value : profile.mostFrequent.mid(0, ListedValues)) {
        values << QStringLiteral(" %1 (%2)")
                      .arg(value.text.isEmpty() ? QStringLiteral("(empty)")
                                                : shortLabel(context.codec.decode(value.text), 40))
                      .arg(value.count);
    }
    if (profile.distinct > ListedValues)
        values << QStringLiteral(" ...");
    return text + values.join(u',') + u'\n';
}

void printField(CliContext &context, const Database &database, int field)
{
    const int popupItems = int(database.popupList(field).size());
    const FieldProfile profile = fieldProfile(database, field, context.regional);
    const FieldStatistics &statistics = profile.statistics;
    context.out << QStringLiteral("  %1  %2  %3, width %4 units, %5 popup %6; %7\n")
                       .arg(field, 2)
                       .arg(context.codec.decode(database.fieldName(field)))
                       .arg(typeName(database.fieldType(field)).trimmed())
                       .arg(database.widthUnits(field))
                       .arg(popupItems)
                       .arg(popupItems == 1 ? QStringLiteral("item") : QStringLiteral("items"))
                       .arg(fieldStatisticsText(statistics, context.regional));
    context.out << profileText(context, profile);
}

// A computed number as JSON writes it: the value of its 15-digit text, so the JSON and the text
// summary agree; null where a double cannot hold it.
QJsonValue jsonNumber(long double value)
{
    if (!std::isfinite(value))
        return QJsonValue::Null;
    bool isNumber = false;
    const double number = generalNumberText(value, '.').toDouble(&isNumber);
    return isNumber && std::isfinite(number) ? QJsonValue(number) : QJsonValue(QJsonValue::Null);
}

// "dates": K, "earliest" and "latest" as ISO texts, null when no cell read.
template<typename Value>
void addRange(QJsonObject &object, const char *what, int readable, const Value &earliest,
              const Value &latest)
{
    const auto iso = [readable](const Value &value) {
        return readable > 0 ? QJsonValue(value.toString(Qt::ISODate))
                            : QJsonValue(QJsonValue::Null);
    };
    object.insert(QLatin1String(what), readable);
    object.insert(QStringLiteral("earliest"), iso(earliest));
    object.insert(QStringLiteral("latest"), iso(latest));
}

void addStatistics(QJsonObject &object, const FieldStatistics &statistics)
{
    object.insert(QStringLiteral("filled"), statistics.filled);
    switch (statistics.kind) {
    case FieldKind::Text: break;
    case FieldKind::Boolean:
        object.insert(QStringLiteral("checked"), statistics.checked);
        object.insert(QStringLiteral("unchecked"), statistics.unchecked);
        break;
    case FieldKind::Number: {
        const NumberTotals &totals = statistics.numberTotals;
        object.insert(QStringLiteral("numbers"), totals.numbers);
        object.insert(QStringLiteral("total"), jsonNumber(totals.total));
        object.insert(QStringLiteral("average"), totals.numbers > 0 ? jsonNumber(totals.average())
                                                                    : QJsonValue(QJsonValue::Null));
        break;
    }
    case FieldKind::Date:
        addRange(object, "dates", statistics.readable, statistics.earliestDate,
                 statistics.latestDate);
        break;
    case FieldKind::Time:
        addRange(object, "times", statistics.readable, statistics.earliestTime,
                 statistics.latestTime);
        break;
    }
}

QJsonArray valuesJson(CliContext &context, const QVector<ValueCount> &values)
{
    QJsonArray array;
    for (const ValueCount &value : values) {
        array.append(QJsonObject{{QStringLiteral("text"), context.codec.decode(value.text)},
                                 {QStringLiteral("count"), value.count}});
    }
    return array;
}

// The profile's figures: the empty and distinct counts, the extremes of numbers, the cells that
// do not read as the type and the most frequent values with their counts.
void addProfile(CliContext &context, QJsonObject &object, const FieldProfile &profile)
{
    object.insert(QStringLiteral("empty"), profile.empty);
    object.insert(QStringLiteral("distinct"), profile.distinct);
    if (profile.statistics.kind == FieldKind::Number) {
        const auto extreme = [](const std::optional<long double> &value) {
            return value ? jsonNumber(*value) : QJsonValue(QJsonValue::Null);
        };
        object.insert(QStringLiteral("minimum"), extreme(profile.minimum));
        object.insert(QStringLiteral("maximum"), extreme(profile.maximum));
    }
    object.insert(QStringLiteral("unreadable"), profile.unreadable);
    object.insert(QStringLiteral("unreadableValues"),
                  valuesJson(context, profile.unreadableValues));
    object.insert(QStringLiteral("values"), valuesJson(context, profile.mostFrequent));
}

QJsonObject fieldJson(CliContext &context, const Database &database, int field)
{
    QJsonObject object{
        {QStringLiteral("name"), context.codec.decode(database.fieldName(field))},
        {QStringLiteral("type"), database.fieldType(field)},
        {QStringLiteral("typeName"), typeName(database.fieldType(field))},
        {QStringLiteral("width"), database.widthUnits(field)},
        {QStringLiteral("popupItems"), int(database.popupList(field).size())},
    };
    const FieldProfile profile = fieldProfile(database, field, context.regional);
    addStatistics(object, profile.statistics);
    addProfile(context, object, profile);
    return object;
}

QJsonObject flagsJson(const DatabaseFlags &flags)
{
    return QJsonObject{{QStringLiteral("autoLock"), flags.autoLock},
                       {QStringLiteral("kriboFilter"), flags.kriboFilter},
                       {QStringLiteral("private"), flags.isPrivate},
                       {QStringLiteral("readOnly"), flags.readOnly}};
}

} // namespace

QString layoutTitle(const Database &database)
{
    return database.convertedFromKribo3() ? QStringLiteral("Kribo 3 (converted to Kribo pro)")
                                          : QStringLiteral("Kribo pro");
}

QString fieldStatisticsText(const FieldStatistics &statistics, const Regional &regional)
{
    QString text = QStringLiteral("%1 filled").arg(statistics.filled);
    switch (statistics.kind) {
    case FieldKind::Text: break;
    case FieldKind::Boolean:
        text += QStringLiteral(", %1 checked, %2 unchecked")
                    .arg(statistics.checked)
                    .arg(statistics.unchecked);
        break;
    case FieldKind::Number: {
        const NumberTotals &totals = statistics.numberTotals;
        text += QStringLiteral(", %1 numbers, total %2")
                    .arg(totals.numbers)
                    .arg(numberText(totals.total, regional));
        // As the column hint: no average of nothing.
        if (totals.numbers > 0)
            text += QStringLiteral(", average %1").arg(numberText(totals.average(), regional));
        break;
    }
    case FieldKind::Date:
        text +=
            rangeText("dates", statistics.readable, statistics.earliestDate, statistics.latestDate,
                      [&regional](const QDate &date) { return dateText(date, regional); });
        break;
    case FieldKind::Time:
        text +=
            rangeText("times", statistics.readable, statistics.earliestTime, statistics.latestTime,
                      [&regional](const QTime &time) { return timeText(time, regional); });
        break;
    }
    return text;
}

void printInfo(CliContext &context, const Database &database)
{
    const DatabaseFlags &flags = database.flags();
    QTextStream &out = context.out;
    out << "Name:      " << context.codec.decode(database.name()) << '\n';
    out << "Layout:    " << layoutTitle(database) << '\n';
    out << "Path:      " << database.filePath() << '\n';
    out << "Modified:  " << modificationText(database.modificationTime()).replace(u'T', u' ')
        << '\n';
    out << "Formats:   " << context.regional.locale().name() << '\n';
    out << "Records:   " << database.recordCount() << '\n';
    out << "Fields:    " << database.fieldCount() << '\n';
    for (int field = 1; field <= database.fieldCount(); ++field)
        printField(context, database, field);
    out << "Flags:     private " << yesNo(flags.isPrivate) << ", auto-lock "
        << yesNo(flags.autoLock) << ", read-only " << yesNo(flags.readOnly) << ", Kribo filter "
        << yesNo(flags.kriboFilter) << '\n';
}

QByteArray infoJson(CliContext &context, const Database &database)
{
    QJsonArray fields;
    for (int field = 1; field <= database.fieldCount(); ++field)
        fields.append(fieldJson(context, database, field));
    const QJsonObject info{
        {QStringLiteral("name"), context.codec.decode(database.name())},
        {QStringLiteral("layout"), layoutName(database)},
        {QStringLiteral("path"), database.filePath()},
        {QStringLiteral("modified"), modificationText(database.modificationTime())},
        {QStringLiteral("locale"), context.regional.locale().name()},
        {QStringLiteral("records"), database.recordCount()},
        {QStringLiteral("fields"), fields},
        {QStringLiteral("flags"), flagsJson(database.flags())},
    };
    return QJsonDocument(info).toJson(QJsonDocument::Indented);
}

} // namespace kribed
