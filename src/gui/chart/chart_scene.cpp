// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/chart/chart_scene.h"

#include "core/editing/chart_reading.h"
#include "core/model/database.h"
#include "core/model/regional.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QDateTimeAxis>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QScatterSeries>
#include <QSet>
#include <QStackedBarSeries>
#include <QValueAxis>

#include <cmath>
#include <limits>

namespace kribed {

namespace {

constexpr double PickDistance = 8; // pixels
const char *const PictureIndex = "kribedSeries";
const char *const MarksName = "kribedMarks";

// Where a value stands on the drawn axis: dates and times as the local time the date axis
// labels (midnight of the day, or the time on 1 January 1970), numbers as they are.
double drawnValue(double value, AxisKind kind)
{
    switch (kind) {
    case AxisKind::Date: {
        const qint64 day = qint64(std::floor(value / MillisecondsPerDay)) + UnixEpochJulianDay;
        return double(QDateTime(QDate::fromJulianDay(day), QTime(0, 0)).toMSecsSinceEpoch());
    }
    case AxisKind::Time:
        return double(QDateTime(QDate(1970, 1, 1), QTime::fromMSecsSinceStartOfDay(int(value)))
                          .toMSecsSinceEpoch());
    case AxisKind::Number:
    case AxisKind::Category: break;
    }
    return value;
}

// A point on the drawn axes; none where a log axis cannot show it.
std::optional<QPointF> drawnPoint(const ChartPicture &picture, const PictureSeries &series,
                                  const ChartPoint &point)
{
    const PictureAxis &y = series.rightAxis ? picture.yRight : picture.yLeft;
    if ((picture.x.log && point.x <= 0) || (y.log && point.y <= 0))
        return std::nullopt;
    return QPointF(drawnValue(point.x, picture.x.kind), drawnValue(point.y, series.kind));
}

// An axis label that no other label of the axis has: the library merges equal labels, so a
// short label met before gets invisible marks, the category's index written in four of them.
QString uniqueLabel(const QString &text, int index, QSet<QString> &used)
{
    QString label = shortLabel(text);
    if (used.contains(label)) {
        static const QChar marks[] = {QChar(0x200b), QChar(0x200c), QChar(0x200d), QChar(0x2060)};
        for (int rest = index + 1; rest > 0; rest /= 4)
            label += marks[rest % 4];
    }
    used.insert(label);
    return label;
}

QAbstractAxis *makeAxis(const PictureAxis &axis, AxisKind kind, const Regional &regional)
{
    switch (kind) {
    case AxisKind::Date:
    case AxisKind::Time: {
        auto *dates = new QDateTimeAxis;
        dates->setFormat(kind == AxisKind::Date ? regional.shortDateFormat()
                                                : regional.longTimeFormat());
        dates->setTitleText(axis.title);
        return dates;
    }
    case AxisKind::Category: {
        // Lines over categories: every category's label at its index, as many as fit.
        auto *categories = new QCategoryAxis;
        categories->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
        const int step = std::max<int>(1, int(axis.categories.size()) / 30);
        QSet<QString> used;
        for (int i = 0; i < axis.categories.size(); i += step)
            categories->append(uniqueLabel(axis.categories[i], i, used), i);
        categories->setRange(-0.5, std::max<double>(0.5, axis.categories.size() - 0.5));
        categories->setTitleText(axis.title);
        return categories;
    }
    case AxisKind::Number: break;
    }
    if (axis.log) {
        auto *log = new QLogValueAxis;
        log->setBase(10);
        log->setLabelFormat(QStringLiteral("%g"));
        log->setTitleText(axis.title);
        return log;
    }
    auto *values = new QValueAxis;
    values->setTitleText(axis.title);
    return values;
}

QXYSeries *makeXySeries(const ChartPicture &picture, const PictureSeries &one)
{
    QXYSeries *series = nullptr;
    if (picture.kind == ChartKind::Scatter) {
        auto *points = new QScatterSeries;
        points->setMarkerSize(7);
        series = points;
    } else {
        series = new QLineSeries;
    }
    series->setName(one.name);
    QList<QPointF> points;
    points.reserve(one.points.size());
    for (const ChartPoint &point : one.points) {
        if (const std::optional<QPointF> drawn = drawnPoint(picture, one, point))
            points.append(*drawn);
    }
    series->replace(points);
    return series;
}

void addXy(QChart &chart, const ChartPicture &picture, const Regional &regional)
{
    QAbstractAxis *x = makeAxis(picture.x, picture.x.kind, regional);
    chart.addAxis(x, Qt::AlignBottom);
    QAbstractAxis *left = nullptr;
    QAbstractAxis *right = nullptr;
    for (int i = 0; i < picture.series.size(); ++i) {
        const PictureSeries &one = picture.series[i];
        QXYSeries *series = makeXySeries(picture, one);
        series->setProperty(PictureIndex, i);
        chart.addSeries(series);
        QAbstractAxis *&y = one.rightAxis ? right : left;
        if (!y) {
            y = makeAxis(one.rightAxis ? picture.yRight : picture.yLeft, one.kind, regional);
            chart.addAxis(y, one.rightAxis ? Qt::AlignRight : Qt::AlignLeft);
        }
        series->attachAxis(x);
        series->attachAxis(y);
    }
    // The marks of the grid's selection, over the series, out of the legend.
    auto *marks = new QScatterSeries;
    marks->setObjectName(QLatin1String(MarksName));
    marks->setMarkerSize(12);
    marks->setColor(QColor(255, 140, 0));
    marks->setBorderColor(Qt::black);
    chart.addSeries(marks);
    marks->attachAxis(x);
    if (left || right)
        marks->attachAxis(left ? left : right);
    for (QLegendMarker *marker : chart.legend()->markers(marks))
        marker->setVisible(false);
}

void addBars(QChart &chart, const ChartPicture &picture)
{
    QAbstractBarSeries *series = picture.bars.stacked
                                     ? static_cast<QAbstractBarSeries *>(new QStackedBarSeries)
                                     : new QBarSeries;
    for (const PictureBarSet &one : picture.bars.sets) {
        auto *set = new QBarSet(one.name);
        QList<qreal> values(one.values.cbegin(), one.values.cend());
        set->append(values);
        set->setSelectedColor(QColor(255, 140, 0));
        series->append(set);
    }
    if (picture.kind == ChartKind::Histogram)
        series->setBarWidth(1.0);
    chart.addSeries(series);
    auto *categories = new QBarCategoryAxis;
    QStringList labels;
    QSet<QString> used;
    for (int i = 0; i < picture.bars.categories.size(); ++i)
        labels << uniqueLabel(picture.bars.categories[i], i, used);
    categories->append(labels);
    categories->setTitleText(picture.x.title);
    chart.addAxis(categories, Qt::AlignBottom);
    series->attachAxis(categories);
    QAbstractAxis *y =
        picture.yLeft.log ? static_cast<QAbstractAxis *>(new QLogValueAxis) : new QValueAxis;
    y->setTitleText(picture.yLeft.title);
    chart.addAxis(y, Qt::AlignLeft);
    series->attachAxis(y);
    // Round ticks: counts of records read 0, 1, 2, ..., not 1,3 or 3,8.
    if (auto *values = qobject_cast<QValueAxis *>(y))
        values->applyNiceNumbers();
    chart.legend()->setVisible(picture.bars.sets.size() > 1);
}

QAbstractBarSeries *barSeries(QChart &chart)
{
    for (QAbstractSeries *series : chart.series()) {
        if (auto *bars = qobject_cast<QAbstractBarSeries *>(series))
            return bars;
    }
    return nullptr;
}

// The category of the bars at a place, or -1.
int barAt(QChart &chart, const ChartPicture &picture, const QPointF &scenePoint)
{
    QAbstractBarSeries *bars = barSeries(chart);
    if (!bars || !chart.plotArea().contains(chart.mapFromScene(scenePoint)))
        return -1;
    const QPointF value = chart.mapToValue(chart.mapFromScene(scenePoint), bars);
    const int index = int(std::lround(value.x()));
    return index >= 0 && index < picture.bars.categories.size() ? index : -1;
}

struct Nearest
{
    int series = -1;
    int point = -1;
};

Nearest nearestPoint(QChart &chart, const ChartPicture &picture, const QPointF &scenePoint)
{
    Nearest nearest;
    double best = PickDistance * PickDistance;
    const QPointF place = chart.mapFromScene(scenePoint);
    for (QAbstractSeries *series : chart.series()) {
        const QVariant index = series->property(PictureIndex);
        if (!index.isValid())
            continue;
        const PictureSeries &one = picture.series[index.toInt()];
        for (int i = 0; i < one.points.size(); ++i) {
            const std::optional<QPointF> drawn = drawnPoint(picture, one, one.points[i]);
            if (!drawn)
                continue;
            const QPointF d = chart.mapToPosition(*drawn, series) - place;
            const double distance = d.x() * d.x() + d.y() * d.y();
            if (distance <= best) {
                best = distance;
                nearest = Nearest{index.toInt(), i};
            }
        }
    }
    return nearest;
}

} // namespace

QChart *makeChart(const ChartPicture &picture, const Regional &regional)
{
    auto *chart = new QChart;
    chart->setLocalizeNumbers(true);
    chart->setLocale(regional.locale());
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->setAlignment(Qt::AlignBottom);
    if (picture.isEmpty()) {
        chart->setTitle(picture.reason);
        return chart;
    }
    if (picture.kind == ChartKind::Line || picture.kind == ChartKind::Scatter)
        addXy(*chart, picture, regional);
    else
        addBars(*chart, picture);
    return chart;
}

int markRecords(QChart &chart, const ChartPicture &picture, const Regional &,
                const QSet<int> &records)
{
    int marked = 0;
    if (QAbstractBarSeries *bars = barSeries(chart)) {
        for (QBarSet *set : bars->barSets()) {
            set->deselectAllBars();
            for (int i = 0; i < picture.bars.records.size(); ++i) {
                for (const int record : picture.bars.records[i]) {
                    if (records.contains(record)) {
                        set->selectBar(i);
                        ++marked;
                        break;
                    }
                }
            }
        }
        return marked;
    }
    for (QAbstractSeries *series : chart.series()) {
        if (series->objectName() != QLatin1String(MarksName))
            continue;
        QList<QPointF> points;
        for (const PictureSeries &one : picture.series) {
            for (const ChartPoint &point : one.points) {
                if (!records.contains(point.record))
                    continue;
                if (const std::optional<QPointF> drawn = drawnPoint(picture, one, point))
                    points.append(*drawn);
            }
        }
        static_cast<QScatterSeries *>(series)->replace(points);
        marked = int(points.size());
    }
    return marked;
}

std::optional<QPointF> scenePlaceOf(QChart &chart, const ChartPicture &picture, int record)
{
    if (picture.isEmpty())
        return std::nullopt;
    if (QAbstractBarSeries *bars = barSeries(chart)) {
        for (int i = 0; i < picture.bars.records.size(); ++i) {
            if (picture.bars.records[i].contains(record))
                return chart.mapToScene(chart.mapToPosition(QPointF(i, 0), bars) + QPointF(0, -2));
        }
        return std::nullopt;
    }
    for (QAbstractSeries *series : chart.series()) {
        const QVariant index = series->property(PictureIndex);
        if (!index.isValid())
            continue;
        const PictureSeries &one = picture.series[index.toInt()];
        for (const ChartPoint &point : one.points) {
            const std::optional<QPointF> drawn = drawnPoint(picture, one, point);
            if (drawn && point.record == record)
                return chart.mapToScene(chart.mapToPosition(*drawn, series));
        }
    }
    return std::nullopt;
}

QVector<int> recordsNear(QChart &chart, const ChartPicture &picture, const QPointF &scenePoint)
{
    if (picture.isEmpty())
        return {};
    if (barSeries(chart)) {
        const int bar = barAt(chart, picture, scenePoint);
        return bar >= 0 ? picture.bars.records[bar] : QVector<int>();
    }
    const Nearest nearest = nearestPoint(chart, picture, scenePoint);
    if (nearest.series < 0)
        return {};
    return {picture.series[nearest.series].points[nearest.point].record};
}

QVector<int> recordsIn(QChart &chart, const ChartPicture &picture, const QRectF &sceneRect)
{
    QVector<int> records;
    if (picture.isEmpty())
        return records;
    const QRectF area = chart.mapFromScene(sceneRect).boundingRect();
    QSet<int> seen;
    const auto take = [&](int record) {
        if (!seen.contains(record)) {
            seen.insert(record);
            records.append(record);
        }
    };
    if (QAbstractBarSeries *bars = barSeries(chart)) {
        for (int i = 0; i < picture.bars.categories.size(); ++i) {
            const double x = chart.mapToPosition(QPointF(i, 0), bars).x();
            if (x >= area.left() && x <= area.right()) {
                for (const int record : picture.bars.records[i])
                    take(record);
            }
        }
        return records;
    }
    for (QAbstractSeries *series : chart.series()) {
        const QVariant index = series->property(PictureIndex);
        if (!index.isValid())
            continue;
        const PictureSeries &one = picture.series[index.toInt()];
        for (const ChartPoint &point : one.points) {
            const std::optional<QPointF> drawn = drawnPoint(picture, one, point);
            if (drawn && area.contains(chart.mapToPosition(*drawn, series)))
                take(point.record);
        }
    }
    std::sort(records.begin(), records.end());
    return records;
}

QString readOut(QChart &chart, const ChartPicture &picture, const Regional &regional,
                const QPointF &scenePoint)
{
    if (picture.isEmpty())
        return {};
    if (barSeries(chart)) {
        const int bar = barAt(chart, picture, scenePoint);
        if (bar < 0)
            return {};
        QStringList values;
        for (const PictureBarSet &set : picture.bars.sets) {
            values << QStringLiteral("%1 %2").arg(
                set.name, axisValueText(set.values.value(bar), AxisKind::Number, regional));
        }
        return QStringLiteral("%1: %2").arg(picture.bars.categories[bar], values.join(u", "));
    }
    const Nearest nearest = nearestPoint(chart, picture, scenePoint);
    if (nearest.series < 0)
        return {};
    const PictureSeries &one = picture.series[nearest.series];
    const ChartPoint &point = one.points[nearest.point];
    const QString x = picture.x.kind == AxisKind::Category
                          ? picture.x.categories.value(int(point.x))
                          : axisValueText(point.x, picture.x.kind, regional);
    return QStringLiteral("%1  %2: %3  %4: %5")
        .arg(recordNumberText(point.record), picture.x.title, x, one.name,
             axisValueText(point.y, one.kind, regional));
}

} // namespace kribed
