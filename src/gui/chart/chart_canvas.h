// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/editing/chart_picture.h"
#include "core/model/regional.h"

#include <QSet>
#include <QWidget>

#include <memory>
#include <optional>

class QPagedPaintDevice;
class QPainter;

namespace kribed {

class ChartView;

// The one class that draws charts. Everything of the charting library stays behind it, so that
// another library can take its place without touching the rest of the program. It shows a
// ChartPicture, tells which records a click or a drag picked, marks the records selected in the
// grid, and writes the chart as PNG, SVG or PDF.
class ChartCanvas : public QWidget
{
    Q_OBJECT

public:
    explicit ChartCanvas(QWidget *parent = nullptr);
    ~ChartCanvas() override;

    void setPicture(const ChartPicture &picture, const Regional &regional);
    const ChartPicture &picture() const { return mPicture; }

    // The records whose points or bars are marked.
    void setHighlighted(const QSet<int> &records);
    // How many points or bars are marked now (for tests and the screen reader).
    int highlightedCount() const { return mHighlightedCount; }

    // Picks as a click at `position` (in the canvas) would: the records of the point or bar there.
    QVector<int> recordsAt(const QPoint &position) const;
    // Where the record's point or bar is drawn, in the coordinates of view(), the widget that
    // takes the mouse; none when it is not drawn.
    std::optional<QPoint> placeOf(int record) const;
    QWidget &view() const;

    // Zooms by `factor` (above 1 in, below 1 out) around a point of the view's scene, as the wheel
    // does; resetZoom shows the whole chart again.
    void zoomAt(const QPointF &scenePoint, qreal factor);
    void resetZoom();
    // The values at the plot area's corners: X from left to right, Y from bottom to top (empty
    // without a series). For tests and the screen reader.
    QRectF shownRange() const;

    // Draws the picture anew into `painter` at `size`, as the files are written.
    static void draw(const ChartPicture &picture, const Regional &regional, QPainter &painter,
                     const QSize &size);
    // Writes the picture to `path`, the kind by its extension (png, svg, pdf); false when the file
    // cannot be written.
    static bool save(const ChartPicture &picture, const Regional &regional, const QString &path,
                     const QSize &size);
    QImage image() const;
    // Prints the picture on one page of `device` (a printer), drawn at `size` and scaled to fill
    // the page's printable area with its proportions kept; false when the page cannot be drawn.
    static bool print(const ChartPicture &picture, const Regional &regional,
                      QPagedPaintDevice &device, const QSize &size);

Q_SIGNALS:
    // A click or a drag over points or bars picked these records.
    void recordsPicked(const QVector<int> &records);
    // The text of the point or bar under the mouse, empty when none.
    void hoverChanged(const QString &text);

private:
    void pickRect(const QRectF &sceneRect);
    void pickAt(const QPointF &scenePoint);
    void hover(const QPointF &scenePoint);

    ChartPicture mPicture;
    Regional mRegional;
    QSet<int> mHighlighted;
    int mHighlightedCount = 0;
    ChartView *mView = nullptr;
    friend class ChartView;
};

} // namespace kribed
