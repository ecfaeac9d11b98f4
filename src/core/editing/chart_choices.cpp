// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/chart_choices.h"

#include <QStringList>

#include <array>

namespace kribed {

namespace {

constexpr std::array<std::pair<ChartKind, const char *>, 7> KindNames{{
    {ChartKind::Line, "line"},
    {ChartKind::Scatter, "scatter"},
    {ChartKind::Bars, "bars"},
    {ChartKind::StackedBars, "stacked"},
    {ChartKind::Histogram, "histogram"},
    {ChartKind::Counts, "counts"},
    {ChartKind::Grouped, "grouped"},
}};

// A field number as kept: 0..50, anything else none.
std::optional<int> fieldNumber(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok && value >= 0 && value <= 50 ? std::optional<int>(value) : std::nullopt;
}

} // namespace

QString chartKindName(ChartKind kind)
{
    for (const auto &[value, name] : KindNames) {
        if (value == kind)
            return QLatin1String(name);
    }
    return {};
}

std::optional<ChartKind> chartKindNamed(const QString &name)
{
    for (const auto &[value, text] : KindNames) {
        if (name == QLatin1String(text))
            return value;
    }
    return std::nullopt;
}

QString ChartChoices::toText() const
{
    QStringList ys;
    for (const ChartY &y : yFields)
        ys << QString::number(y.field) + (y.rightAxis ? QStringLiteral("R") : QString());
    return QStringLiteral("kind=%1;x=%2;y=%3;logx=%4;logy=%5;bins=%6;group=%7;period=%8;value=%9;"
                          "aggregate=%10")
        .arg(chartKindName(kind))
        .arg(xField)
        .arg(ys.join(u','))
        .arg(int(logX))
        .arg(int(logY))
        .arg(bins)
        .arg(group.keyField)
        .arg(periodName(group.period))
        .arg(group.valueField)
        .arg(aggregateName(group.aggregate));
}

ChartChoices ChartChoices::fromText(const QString &text)
{
    ChartChoices choices;
    for (const QString &pair : text.split(u';', Qt::SkipEmptyParts)) {
        const QString key = pair.section(u'=', 0, 0);
        const QString value = pair.section(u'=', 1);
        if (key == QLatin1String("kind")) {
            choices.kind = chartKindNamed(value).value_or(choices.kind);
        } else if (key == QLatin1String("x")) {
            choices.xField = fieldNumber(value).value_or(choices.xField);
        } else if (key == QLatin1String("y")) {
            for (QString y : value.split(u',', Qt::SkipEmptyParts)) {
                const bool right = y.endsWith(u'R');
                if (right)
                    y.chop(1);
                if (const std::optional<int> field = fieldNumber(y); field && *field > 0)
                    choices.yFields.append(ChartY{*field, right});
            }
        } else if (key == QLatin1String("logx")) {
            choices.logX = value == QLatin1String("1");
        } else if (key == QLatin1String("logy")) {
            choices.logY = value == QLatin1String("1");
        } else if (key == QLatin1String("bins")) {
            choices.bins = std::clamp(value.toInt(), 0, MaximumBins);
        } else if (key == QLatin1String("group")) {
            choices.group.keyField = fieldNumber(value).value_or(0);
        } else if (key == QLatin1String("period")) {
            if (!periodNamed(value, choices.group.period))
                choices.group.period = DatePeriod::None;
        } else if (key == QLatin1String("value")) {
            choices.group.valueField = fieldNumber(value).value_or(0);
        } else if (key == QLatin1String("aggregate")) {
            aggregateNamed(value, choices.group.aggregate);
        }
    }
    return choices;
}

} // namespace kribed
