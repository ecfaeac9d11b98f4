// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/chart_data.h"

#include "core/editing/chart_reading.h"
#include "core/editing/value_counts.h"
#include "core/model/database.h"
#include "core/model/field_type.h"

#include <QHash>

#include <algorithm>
#include <cmath>

namespace kribed {

AxisKind axisKindOf(int typeIndex)
{
    if (isNumberType(typeIndex))
        return AxisKind::Number;
    if (isDateType(typeIndex))
        return AxisKind::Date;
    if (isTimeType(typeIndex))
        return AxisKind::Time;
    return AxisKind::Category;
}

std::optional<double> axisValue(QByteArrayView text, AxisKind kind, const Regional &regional)
{
    return AxisReader(kind, regional).read(text);
}

QVector<int> shownRecords(const Database &database)
{
    QVector<int> records;
    records.reserve(database.recordCount());
    for (int record = 1; record <= database.recordCount(); ++record) {
        if (!database.isHidden(record))
            records.append(record);
    }
    return records;
}

int XyChart::notPlotted() const
{
    int count = 0;
    for (const ChartSeries &one : series)
        count += one.notPlotted;
    return count;
}

int XyChart::pointCount() const
{
    int count = 0;
    for (const ChartSeries &one : series)
        count += int(one.points.size());
    return count;
}

namespace {

bool validField(const Database &database, int field)
{
    return field >= 1 && field <= database.fieldCount();
}

// The X of each shown record: its value, its category's index, or none.
QVector<std::optional<double>> xValues(const Database &database, const Regional &regional,
                                       const QVector<int> &records, XyChart &chart, int xField)
{
    QVector<std::optional<double>> values;
    values.reserve(records.size());
    if (xField == RecordNumberAxis) {
        for (const int record : records)
            values.append(double(record));
        return values;
    }
    const AxisReader reader(chart.xKind, regional);
    QHash<QByteArray, int> categoryIndex;
    for (const int record : records) {
        const QByteArrayView text = database.cellView(xField, record);
        if (chart.xKind != AxisKind::Category) {
            values.append(reader.read(text));
            continue;
        }
        const QByteArray key = text.toByteArray();
        auto found = categoryIndex.constFind(key);
        if (found == categoryIndex.constEnd()) {
            found = categoryIndex.insert(key, int(chart.xCategories.size()));
            chart.xCategories.append(key);
        }
        values.append(double(*found));
    }
    return values;
}

} // namespace

XyChart buildXyChart(const Database &database, const Regional &regional, int xField,
                     const QVector<int> &yFields)
{
    XyChart chart;
    const bool byField = validField(database, xField);
    chart.xKind = byField ? axisKindOf(database.fieldType(xField)) : AxisKind::Number;
    const QVector<int> records = shownRecords(database);
    const QVector<std::optional<double>> xs =
        xValues(database, regional, records, chart, byField ? xField : RecordNumberAxis);
    for (const int yField : yFields) {
        if (!validField(database, yField))
            continue;
        ChartSeries series;
        series.field = yField;
        const AxisKind yKind = axisKindOf(database.fieldType(yField));
        // Categories give no Y value: each filled cell is counted as not plotted.
        const AxisReader reader(yKind, regional);
        series.points.reserve(records.size());
        for (int i = 0; i < records.size(); ++i) {
            const QByteArrayView text = database.cellView(yField, records[i]);
            if (text.isEmpty())
                continue;
            const std::optional<double> y = reader.read(text);
            if (y && xs[i])
                series.points.append(ChartPoint{records[i], *xs[i], *y});
            else
                ++series.notPlotted;
        }
        chart.series.append(series);
    }
    return chart;
}

int automaticBinCount(QVector<double> sortedValues)
{
    const qsizetype n = sortedValues.size();
    if (n == 0)
        return 0;
    std::sort(sortedValues.begin(), sortedValues.end());
    const long double low = sortedValues.front();
    const long double high = sortedValues.back();
    if (!(high > low))
        return 1;
    const int sturges = int(std::ceil(std::log2(double(n)))) + 1;
    const long double iqr = sortedValues[(3 * n) / 4] - sortedValues[n / 4];
    if (!(iqr > 0))
        return std::min(sturges, MaximumBins);
    const long double width = 2 * iqr / std::cbrt(double(n));
    const long double bins = std::ceil((high - low) / width);
    return int(std::clamp<long double>(bins, 1, MaximumBins));
}

Histogram buildHistogram(const Database &database, const Regional &regional, int field,
                         int binCount)
{
    Histogram histogram;
    if (!validField(database, field))
        return histogram;
    histogram.kind = axisKindOf(database.fieldType(field));
    const AxisReader reader(histogram.kind, regional);
    QVector<double> values;
    QVector<int> valueRecords;
    for (const int record : shownRecords(database)) {
        const QByteArrayView text = database.cellView(field, record);
        if (text.isEmpty())
            continue;
        if (const std::optional<double> value = reader.read(text)) {
            values.append(*value);
            valueRecords.append(record);
        } else {
            ++histogram.notPlotted;
        }
    }
    histogram.values = int(values.size());
    if (values.isEmpty())
        return histogram;
    const auto [lowest, highest] = std::minmax_element(values.cbegin(), values.cend());
    // Long doubles: the range of floats near the double limits does not overflow.
    const long double low = *lowest;
    const long double high = *highest;
    const int bins = std::clamp(binCount > 0 ? binCount : automaticBinCount(values), 1,
                                high > low ? MaximumBins : 1);
    const long double width = high > low ? (high - low) / bins : 1;
    const long double start = high > low ? low : low - 0.5L;
    histogram.bins.resize(bins);
    histogram.records.resize(bins);
    for (int i = 0; i < bins; ++i) {
        histogram.bins[i].from = double(start + width * i);
        histogram.bins[i].to = i == bins - 1 ? double(high > low ? high : low + 0.5L)
                                             : double(start + width * (i + 1));
    }
    for (int i = 0; i < values.size(); ++i) {
        const long double place = (values[i] - start) / width;
        const int bin = std::clamp(int(std::floor(place)), 0, bins - 1);
        ++histogram.bins[bin].count;
        histogram.records[bin].append(valueRecords[i]);
    }
    return histogram;
}

QVector<CategoryCount> categoryCounts(const Database &database, const Regional &regional, int field)
{
    QVector<CategoryCount> counts;
    for (const ValueCount &value :
         valueCounts(database, field, CountedRecords::Shown, regional, ValueOrder::ByCount))
        counts.append(CategoryCount{value.text, value.count});
    return counts;
}

QString shortLabel(const QString &text, int length)
{
    QString line = text.simplified();
    if (line.size() <= length)
        return line;
    return line.left(std::max(1, length - 1)) + QChar(0x2026);
}

} // namespace kribed
