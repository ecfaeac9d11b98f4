// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/chart_groups.h"

#include "core/editing/chart_reading.h"
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/regional.h"

#include <QMap>

#include <algorithm>
#include <array>
#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace kribed {

namespace {

constexpr std::array<std::pair<DatePeriod, const char *>, 5> PeriodNames{{
    {DatePeriod::Day, "day"},
    {DatePeriod::Week, "week"},
    {DatePeriod::Month, "month"},
    {DatePeriod::Quarter, "quarter"},
    {DatePeriod::Year, "year"},
}};

constexpr std::array<std::pair<Aggregate, const char *>, 5> AggregateNames{{
    {Aggregate::Count, "count"},
    {Aggregate::Sum, "sum"},
    {Aggregate::Average, "average"},
    {Aggregate::Minimum, "min"},
    {Aggregate::Maximum, "max"},
}};

// A period's key sorts in time order and gives its label back.
qint64 periodKey(const QDate &date, DatePeriod period)
{
    switch (period) {
    case DatePeriod::Day: return date.toJulianDay();
    case DatePeriod::Week: {
        int weekYear = 0;
        const int week = date.weekNumber(&weekYear);
        return qint64(weekYear) * 100 + week;
    }
    case DatePeriod::Month: return qint64(date.year()) * 12 + date.month() - 1;
    case DatePeriod::Quarter: return qint64(date.year()) * 4 + (date.month() - 1) / 3;
    case DatePeriod::Year:
    case DatePeriod::None: break;
    }
    return date.year();
}

// Floor division, so that years before 1 keep their periods apart.
qint64 floorDivide(qint64 a, qint64 b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

QString periodLabel(qint64 key, DatePeriod period, const Regional &regional)
{
    // Four digits at least, so that the labels sort as the periods do.
    const auto year = [](qint64 value) {
        return value < 0 ? QString::number(value) : u"%1"_s.arg(value, 4, 10, QLatin1Char('0'));
    };
    switch (period) {
    case DatePeriod::Day: return regional.toText(regional.dateText(QDate::fromJulianDay(key)));
    case DatePeriod::Week:
        return QStringLiteral("%1-W%2")
            .arg(year(floorDivide(key, 100)))
            .arg(key - floorDivide(key, 100) * 100, 2, 10, QLatin1Char('0'));
    case DatePeriod::Month:
        return QStringLiteral("%1-%2")
            .arg(year(floorDivide(key, 12)))
            .arg(key - floorDivide(key, 12) * 12 + 1, 2, 10, QLatin1Char('0'));
    case DatePeriod::Quarter:
        return QStringLiteral("%1 Q%2")
            .arg(year(floorDivide(key, 4)))
            .arg(key - floorDivide(key, 4) * 4 + 1);
    case DatePeriod::Year:
    case DatePeriod::None: break;
    }
    return year(key);
}

struct Accumulator
{
    QVector<int> records;
    int values = 0;
    long double sum = 0;
    double lowest = std::numeric_limits<double>::infinity();
    double highest = -std::numeric_limits<double>::infinity();

    void add(double value)
    {
        ++values;
        sum += value;
        lowest = std::min(lowest, value);
        highest = std::max(highest, value);
    }

    double figure(Aggregate aggregate, bool countRecords) const
    {
        switch (aggregate) {
        case Aggregate::Count: return countRecords ? records.size() : values;
        case Aggregate::Sum: return double(sum);
        case Aggregate::Average: return values > 0 ? double(sum / values) : 0;
        case Aggregate::Minimum: return values > 0 ? lowest : 0;
        case Aggregate::Maximum: return values > 0 ? highest : 0;
        }
        return 0;
    }
};

bool validField(const Database &database, int field)
{
    return field >= 1 && field <= database.fieldCount();
}

QString csvQuoted(const QString &text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n')
        && !text.contains(u'\r'))
        return text;
    return u'"' + QString(text).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

} // namespace

QString periodName(DatePeriod period)
{
    for (const auto &[value, name] : PeriodNames) {
        if (value == period)
            return QLatin1String(name);
    }
    return {};
}

bool periodNamed(const QString &name, DatePeriod &period)
{
    for (const auto &[value, text] : PeriodNames) {
        if (name == QLatin1String(text)) {
            period = value;
            return true;
        }
    }
    return false;
}

QString aggregateName(Aggregate aggregate)
{
    for (const auto &[value, name] : AggregateNames) {
        if (value == aggregate)
            return QLatin1String(name);
    }
    return {};
}

bool aggregateNamed(const QString &name, Aggregate &aggregate)
{
    for (const auto &[value, text] : AggregateNames) {
        if (name == QLatin1String(text)) {
            aggregate = value;
            return true;
        }
    }
    return false;
}

GroupedFigures groupFigures(const Database &database, const Regional &regional,
                            const GroupRequest &request)
{
    GroupedFigures figures;
    if (!validField(database, request.keyField))
        return figures;
    const bool byPeriod =
        request.period != DatePeriod::None && isDateType(database.fieldType(request.keyField));
    const bool withValues = validField(database, request.valueField);
    const AxisReader dates(AxisKind::Date, regional);
    const AxisReader numbers(
        axisKindOf(withValues ? database.fieldType(request.valueField) : NormalIntegerType),
        regional);
    QMap<qint64, Accumulator> periods;
    QMap<QByteArray, Accumulator> categories;
    for (const int record : shownRecords(database)) {
        const QByteArrayView key = database.cellView(request.keyField, record);
        Accumulator *group = nullptr;
        if (byPeriod) {
            const std::optional<QDate> date = dates.readDate(key);
            if (!date) {
                figures.notPlotted += key.isEmpty() ? 0 : 1;
                continue;
            }
            group = &periods[periodKey(*date, request.period)];
        } else {
            group = &categories[key.toByteArray()];
        }
        group->records.append(record);
        if (!withValues)
            continue;
        const QByteArrayView text = database.cellView(request.valueField, record);
        if (const std::optional<double> value = numbers.read(text))
            group->add(*value);
        else if (!text.isEmpty())
            ++figures.notPlotted;
    }
    const auto row = [&](QString label, const Accumulator &group) {
        return GroupRow{std::move(label), group.records, group.values,
                        group.figure(request.aggregate, !withValues)};
    };
    for (auto it = periods.cbegin(); it != periods.cend(); ++it)
        figures.rows.append(row(periodLabel(it.key(), request.period, regional), it.value()));
    QVector<QByteArray> keys = categories.keys().toVector();
    std::sort(keys.begin(), keys.end(), [&regional](const QByteArray &a, const QByteArray &b) {
        if (a.isEmpty() != b.isEmpty())
            return a.isEmpty();
        const int compared = regional.compare(a, b);
        return compared != 0 ? compared < 0 : a < b;
    });
    for (const QByteArray &key : keys)
        figures.rows.append(row(regional.toText(key), categories.value(key)));
    return figures;
}

QString groupTable(const GroupedFigures &figures, const TableHeadings &headings,
                   const Regional &regional, TableForm form)
{
    const bool csv = form == TableForm::Csv;
    const QString separator = csv ? QStringLiteral(",") : QStringLiteral("\t");
    const auto cell = [csv](QString text) {
        return csv ? csvQuoted(text) : text.replace(u'\t', u' ').replace(u'\n', u' ');
    };
    const auto number = [&](double value) {
        return QString::fromLatin1(csv ? generalNumberText(value, '.')
                                       : regional.numberText(value));
    };
    QString text = cell(headings.key) + separator + cell(headings.records) + separator
                   + cell(headings.figure) + u'\n';
    for (const GroupRow &row : figures.rows) {
        text += cell(row.label) + separator + QString::number(row.records.size()) + separator
                + number(row.figure) + u'\n';
    }
    return text;
}

} // namespace kribed
