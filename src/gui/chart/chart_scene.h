// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/editing/chart_picture.h"

#include <QPointF>
#include <QRectF>
#include <QSet>
#include <QVector>

#include <optional>

class QChart;

namespace kribed {

class Regional;

// The charting library's side of ChartCanvas (private to this folder): a chart made from a
// picture, its marks, and the records at a place of the scene.
QChart *makeChart(const ChartPicture &picture, const Regional &regional);
// Marks the points or bars of the records; returns how many are marked.
int markRecords(QChart &chart, const ChartPicture &picture, const Regional &regional,
                const QSet<int> &records);
// Where the first point or the bar of the record stands in the scene; none when it is not drawn.
std::optional<QPointF> scenePlaceOf(QChart &chart, const ChartPicture &picture, int record);
QVector<int> recordsNear(QChart &chart, const ChartPicture &picture, const QPointF &scenePoint);
QVector<int> recordsIn(QChart &chart, const ChartPicture &picture, const QRectF &sceneRect);
// The read-out of the point or bar at the place: its record and values in the database's formats.
QString readOut(QChart &chart, const ChartPicture &picture, const Regional &regional,
                const QPointF &scenePoint);

} // namespace kribed
