// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/chart_picture.h"

#include "core/editing/chart_reading.h"
#include "core/model/database.h"
#include "core/model/regional.h"

#include <QCoreApplication>
#include <QHash>
#include <QMap>

#include <algorithm>
#include <cmath>

namespace kribed {

namespace {

bool validField(const Database &database, int field)
{
    return field >= 1 && field <= database.fieldCount();
}

QString fieldTitle(const Database &database, const Regional &regional, int field)
{
    return field == RecordNumberAxis ? QCoreApplication::translate("ChartPicture", "Record number")
                                     : regional.toText(database.fieldName(field));
}

QString categoryText(const Regional &regional, const QByteArray &text)
{
    return text.isEmpty() ? QCoreApplication::translate("ChartPicture", "(empty)")
                          : regional.toText(text);
}

void buildLines(ChartPicture &picture, const Database &database, const Regional &regional,
                const ChartChoices &choices)
{
    QVector<int> fields;
    for (const ChartY &y : choices.yFields) {
        if (validField(database, y.field)
            && axisKindOf(database.fieldType(y.field)) != AxisKind::Category)
            fields.append(y.field);
    }
    if (fields.isEmpty()) {
        picture.reason = QCoreApplication::translate("ChartPicture",
                                                     "Choose a number, date or time field for Y.");
        return;
    }
    const XyChart chart = buildXyChart(database, regional, choices.xField, fields);
    picture.x.kind = chart.xKind;
    for (const QByteArray &category : chart.xCategories)
        picture.x.categories << categoryText(regional, category);
    picture.notPlotted = chart.notPlotted();
    for (const ChartSeries &one : chart.series) {
        PictureSeries series;
        series.name = fieldTitle(database, regional, one.field);
        series.kind = axisKindOf(database.fieldType(one.field));
        for (const ChartY &y : choices.yFields)
            series.rightAxis = y.field == one.field ? y.rightAxis : series.rightAxis;
        series.points = one.points;
        // A line runs along X; points keep the grid's order, which the link with it needs not.
        if (choices.kind == ChartKind::Line)
            std::stable_sort(series.points.begin(), series.points.end(),
                             [](const ChartPoint &a, const ChartPoint &b) { return a.x < b.x; });
        PictureAxis &axis = series.rightAxis ? picture.yRight : picture.yLeft;
        picture.hasRightAxis = picture.hasRightAxis || series.rightAxis;
        axis.kind = series.kind;
        axis.title =
            axis.title.isEmpty() ? series.name : axis.title + QStringLiteral(", ") + series.name;
        picture.series.append(series);
    }
    if (picture.pointCount() == 0)
        picture.reason = QCoreApplication::translate(
            "ChartPicture", "No shown record has a value of its type in these fields.");
}

// Side-by-side or stacked bars: one category per shown record that has an X.
void buildBars(ChartPicture &picture, const Database &database, const Regional &regional,
               const ChartChoices &choices)
{
    buildLines(picture, database, regional, choices);
    if (picture.isEmpty())
        return;
    PictureBars &bars = picture.bars;
    bars.stacked = choices.kind == ChartKind::StackedBars;
    // The records with a value in any series, in the grid's order (the order of the records).
    QMap<int, double> xOfRecord;
    for (const PictureSeries &series : std::as_const(picture.series)) {
        for (const ChartPoint &point : series.points)
            xOfRecord.insert(point.record, point.x);
    }
    QHash<int, int> categoryOfRecord;
    for (auto it = xOfRecord.cbegin(); it != xOfRecord.cend(); ++it) {
        categoryOfRecord.insert(it.key(), int(bars.categories.size()));
        bars.categories << (picture.x.kind == AxisKind::Category
                                ? picture.x.categories.value(int(it.value()))
                                : axisValueText(it.value(), picture.x.kind, regional));
        bars.records.append(QVector<int>{it.key()});
    }
    for (const PictureSeries &series : std::as_const(picture.series)) {
        PictureBarSet set{series.name, QVector<double>(bars.categories.size(), 0)};
        for (const ChartPoint &point : series.points)
            set.values[categoryOfRecord.value(point.record)] = point.y;
        bars.sets.append(set);
    }
    picture.series.clear();
}

void buildHistogram(ChartPicture &picture, const Database &database, const Regional &regional,
                    const ChartChoices &choices)
{
    const int field = choices.yFields.isEmpty() ? 0 : choices.yFields.front().field;
    if (!validField(database, field)
        || axisKindOf(database.fieldType(field)) == AxisKind::Category) {
        picture.reason = QCoreApplication::translate(
            "ChartPicture", "Choose a number, date or time field for the histogram.");
        return;
    }
    const Histogram histogram = buildHistogram(database, regional, field, choices.bins);
    picture.notPlotted = histogram.notPlotted;
    picture.x.title = fieldTitle(database, regional, field);
    picture.yLeft.title = QCoreApplication::translate("ChartPicture", "Records");
    PictureBarSet set{picture.x.title, {}};
    for (const HistogramBin &bin : histogram.bins) {
        picture.bars.categories << axisValueText(bin.from, histogram.kind, regional)
                                       + QStringLiteral(" – ")
                                       + axisValueText(bin.to, histogram.kind, regional);
        set.values.append(bin.count);
    }
    picture.bars.sets.append(set);
    picture.bars.records = histogram.records;
    if (histogram.values == 0)
        picture.reason =
            QCoreApplication::translate("ChartPicture", "“%1” holds no value of its type.")
                .arg(picture.x.title);
}

void buildCounts(ChartPicture &picture, const Database &database, const Regional &regional,
                 const ChartChoices &choices)
{
    const int field = choices.xField;
    if (!validField(database, field)) {
        picture.reason = QCoreApplication::translate("ChartPicture",
                                                     "Choose a field for X to count its values.");
        return;
    }
    picture.x.title = fieldTitle(database, regional, field);
    picture.yLeft.title = QCoreApplication::translate("ChartPicture", "Records");
    const QVector<CategoryCount> counts = categoryCounts(database, regional, field);
    QHash<QByteArray, int> indexOf;
    PictureBarSet set{QCoreApplication::translate("ChartPicture", "Records"), {}};
    for (const CategoryCount &count : counts) {
        indexOf.insert(count.text, int(picture.bars.categories.size()));
        picture.bars.categories << categoryText(regional, count.text);
        set.values.append(count.count);
    }
    picture.bars.records.resize(counts.size());
    for (const int record : shownRecords(database))
        picture.bars.records[indexOf.value(database.cell(field, record))].append(record);
    picture.bars.sets.append(set);
    if (counts.isEmpty())
        picture.reason = QCoreApplication::translate("ChartPicture", "No records are shown.");
}

QString aggregateTitle(Aggregate aggregate)
{
    switch (aggregate) {
    case Aggregate::Count: return QCoreApplication::translate("ChartPicture", "Count");
    case Aggregate::Sum: return QCoreApplication::translate("ChartPicture", "Sum");
    case Aggregate::Average: return QCoreApplication::translate("ChartPicture", "Average");
    case Aggregate::Minimum: return QCoreApplication::translate("ChartPicture", "Minimum");
    case Aggregate::Maximum: return QCoreApplication::translate("ChartPicture", "Maximum");
    }
    return {};
}

void buildGrouped(ChartPicture &picture, const Database &database, const Regional &regional,
                  const ChartChoices &choices)
{
    const GroupRequest &request = choices.group;
    if (!validField(database, request.keyField)) {
        picture.reason = QCoreApplication::translate("ChartPicture", "Choose a field to group by.");
        return;
    }
    const bool withValues = validField(database, request.valueField);
    if (request.aggregate != Aggregate::Count && !withValues) {
        picture.reason =
            QCoreApplication::translate("ChartPicture", "Choose a number field for the figures.");
        return;
    }
    picture.groups = groupFigures(database, regional, request);
    picture.notPlotted = picture.groups.notPlotted;
    picture.x.title = fieldTitle(database, regional, request.keyField);
    QString name = aggregateTitle(request.aggregate);
    if (withValues)
        name = QCoreApplication::translate("ChartPicture", "%1 of %2")
                   .arg(name, fieldTitle(database, regional, request.valueField));
    picture.yLeft.title = name;
    PictureBarSet set{name, {}};
    for (const GroupRow &row : std::as_const(picture.groups.rows)) {
        picture.bars.categories << (row.label.isEmpty()
                                        ? QCoreApplication::translate("ChartPicture", "(empty)")
                                        : row.label);
        picture.bars.records.append(row.records);
        set.values.append(row.figure);
    }
    picture.bars.sets.append(set);
    if (picture.groups.rows.isEmpty())
        picture.reason =
            QCoreApplication::translate("ChartPicture", "No shown record has a value to group by.");
}

} // namespace

int ChartPicture::pointCount() const
{
    int count = 0;
    for (const PictureSeries &one : series)
        count += int(one.points.size());
    return count;
}

ChartPicture buildChartPicture(const Database &database, const Regional &regional,
                               const ChartChoices &choices)
{
    ChartPicture picture;
    picture.kind = choices.kind;
    picture.x.log = choices.logX;
    picture.yLeft.log = choices.logY;
    picture.yRight.log = choices.logY;
    picture.x.title =
        fieldTitle(database, regional, validField(database, choices.xField) ? choices.xField : 0);
    switch (choices.kind) {
    case ChartKind::Line:
    case ChartKind::Scatter: buildLines(picture, database, regional, choices); break;
    case ChartKind::Bars:
    case ChartKind::StackedBars: buildBars(picture, database, regional, choices); break;
    case ChartKind::Histogram: buildHistogram(picture, database, regional, choices); break;
    case ChartKind::Counts: buildCounts(picture, database, regional, choices); break;
    case ChartKind::Grouped: buildGrouped(picture, database, regional, choices); break;
    }
    return picture;
}

QString axisValueText(double value, AxisKind kind, const Regional &regional)
{
    switch (kind) {
    case AxisKind::Date: {
        const qint64 day = qint64(std::floor(value / MillisecondsPerDay)) + UnixEpochJulianDay;
        return regional.toText(regional.dateText(QDate::fromJulianDay(day)));
    }
    case AxisKind::Time:
        return regional.toText(regional.timeText(QTime::fromMSecsSinceStartOfDay(int(value))));
    case AxisKind::Number:
    case AxisKind::Category: break;
    }
    return regional.toText(regional.numberText(value));
}

QString notPlottedText(int count)
{
    return count > 0 ? QCoreApplication::translate("ChartPicture", "%n value(s) not plotted",
                                                   nullptr, count)
                     : QString();
}

} // namespace kribed
