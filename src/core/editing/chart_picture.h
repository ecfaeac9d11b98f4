// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/editing/chart_choices.h"
#include "core/editing/chart_data.h"
#include "core/editing/chart_groups.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace kribed {

class Database;
class Regional;

struct PictureAxis
{
    AxisKind kind = AxisKind::Number;
    QString title;
    bool log = false;
    QStringList categories; // a category X of lines and points: the label of each index
};

struct PictureSeries
{
    QString name;
    bool rightAxis = false;
    AxisKind kind = AxisKind::Number;
    QVector<ChartPoint> points;
};

// Bars: one category per bar group (full texts; the drawing shortens them) and one set per
// figure, with the records behind each category for the link with the grid.
struct PictureBarSet
{
    QString name;
    QVector<double> values;
};
struct PictureBars
{
    QStringList categories;
    QVector<PictureBarSet> sets;
    QVector<QVector<int>> records; // per category
    bool stacked = false;
};

// Everything a chart shows, as plain data: the drawing (ChartCanvas) and its tests take this.
struct ChartPicture
{
    ChartKind kind = ChartKind::Line;
    PictureAxis x, yLeft, yRight;
    bool hasRightAxis = false;
    QVector<PictureSeries> series; // lines and points
    PictureBars bars;              // bars, histogram, counts, grouped figures
    GroupedFigures groups;         // Grouped: the figures of the table beside the chart
    int notPlotted = 0;
    // Why nothing can be drawn; empty when something can.
    QString reason;
    bool isEmpty() const { return !reason.isEmpty(); }
    int pointCount() const;
};

ChartPicture buildChartPicture(const Database &database, const Regional &regional,
                               const ChartChoices &choices);

// A value on its axis in the database's formats ("1.234,5", "01.02.2024", "14:05:09").
QString axisValueText(double value, AxisKind kind, const Regional &regional);

// "4 values not plotted" (empty for none).
QString notPlottedText(int count);

} // namespace kribed
