// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

#include <optional>

namespace kribed {

class Database;
class Regional;

// How a field's values stand on a chart axis. Numbers are values; the three date types are days
// (milliseconds since 1970-01-01 UTC, so centuries apart fit); the three time types milliseconds
// since midnight; Booleans, popups and texts are categories.
enum class AxisKind { Number, Date, Time, Category };
AxisKind axisKindOf(int typeIndex);

// The value a cell gives on its axis, read in the regional formats; none for an empty cell or a
// text that does not read as the field's type. Categories have no value here.
std::optional<double> axisValue(QByteArrayView text, AxisKind kind, const Regional &regional);

// The records a chart shows: those the record filter leaves, in the grid's order (1-based).
QVector<int> shownRecords(const Database &database);

// X: a field, or 0 for the record number.
constexpr int RecordNumberAxis = 0;

struct ChartPoint
{
    int record = 0; // 1-based, for the link with the grid's selection
    double x = 0;   // on X's axis; a category X gives the category's index
    double y = 0;
};

struct ChartSeries
{
    int field = 0;
    QVector<ChartPoint> points;
    int notPlotted = 0; // filled cells that did not read, or whose X did not
};

// The series of one X and several Y fields over the shown records. A category X takes its
// categories in the order they first appear.
struct XyChart
{
    AxisKind xKind = AxisKind::Number;
    QVector<QByteArray> xCategories;
    QVector<ChartSeries> series;
    int notPlotted() const;
    int pointCount() const;
};
XyChart buildXyChart(const Database &database, const Regional &regional, int xField,
                     const QVector<int> &yFields);

// A histogram of one number, date or time field. The automatic bin count is Freedman and
// Diaconis's rule (width 2 IQR / cbrt(n)), Sturges's (log2 n + 1 bins) where the quartiles
// coincide; `binCount` > 0 sets the count. Identical values give one bin.
struct HistogramBin
{
    double from = 0; // the bin holds from <= value < to, the last one its upper end too
    double to = 0;
    int count = 0;
};
struct Histogram
{
    AxisKind kind = AxisKind::Number;
    QVector<HistogramBin> bins;
    QVector<QVector<int>> records; // per bin, the records counted in it
    int values = 0;
    int notPlotted = 0;
};
constexpr int MaximumBins = 500;
int automaticBinCount(QVector<double> sortedValues);
Histogram buildHistogram(const Database &database, const Regional &regional, int field,
                         int binCount = 0);

// One bar per distinct text of the field over the shown records, the most frequent first; the
// empty text is a category of its own.
struct CategoryCount
{
    QByteArray text;
    int count = 0;
};
QVector<CategoryCount> categoryCounts(const Database &database, const Regional &regional,
                                      int field);

// A label for a category on an axis: at most `length` characters, an ellipsis marking a cut.
QString shortLabel(const QString &text, int length = 24);

} // namespace kribed
