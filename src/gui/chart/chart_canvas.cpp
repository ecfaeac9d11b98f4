// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/chart/chart_canvas.h"

#include "gui/chart/chart_scene.h"

#include <QChartView>
#include <QFileInfo>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QMouseEvent>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRubberBand>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QVBoxLayout>

#include <algorithm>

namespace kribed {

// The view forwards the mouse to the canvas: a click picks the point or bar under it, a drag the
// points or bars in its rectangle, a move shows the read-out. The wheel zooms around the mouse, a
// drag with the middle button or with Shift held pans; with the focus, + and - zoom, the arrow
// keys pan, and Home or 0 shows the whole chart again.
class ChartView : public QChartView
{
public:
    ChartView(ChartCanvas &canvas)
        : QChartView(&canvas)
        , mCanvas(canvas)
        , mBand(QRubberBand::Rectangle, this)
    {
        setMouseTracking(true);
        setRenderHint(QPainter::Antialiasing);
        setFocusPolicy(Qt::StrongFocus);
    }

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        const bool pans = event->button() == Qt::MiddleButton
                          || (event->button() == Qt::LeftButton
                              && event->modifiers().testFlag(Qt::ShiftModifier));
        if (pans) {
            mPanning = true;
            mPanFrom = event->position();
            return;
        }
        if (event->button() != Qt::LeftButton)
            return QChartView::mousePressEvent(event);
        mPressed = event->position().toPoint();
        mDragging = true;
        mBand.setGeometry(QRect(mPressed, QSize()));
        mBand.show();
    }
    void mouseMoveEvent(QMouseEvent *event) override
    {
        if (mPanning) {
            const QPointF moved = event->position() - mPanFrom;
            mPanFrom = event->position();
            chart()->scroll(-moved.x(), moved.y());
            return;
        }
        const QPoint position = event->position().toPoint();
        if (mDragging)
            mBand.setGeometry(QRect(mPressed, position).normalized());
        mCanvas.hover(mapToScene(position));
    }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (mPanning) {
            mPanning = false;
            return;
        }
        if (!mDragging || event->button() != Qt::LeftButton)
            return QChartView::mouseReleaseEvent(event);
        mDragging = false;
        mBand.hide();
        const QPoint position = event->position().toPoint();
        if ((position - mPressed).manhattanLength() < 5)
            mCanvas.pickAt(mapToScene(position));
        else
            mCanvas.pickRect(QRectF(mapToScene(mPressed), mapToScene(position)).normalized());
    }
    void wheelEvent(QWheelEvent *event) override
    {
        const int steps = event->angleDelta().y();
        if (steps == 0)
            return QChartView::wheelEvent(event);
        mCanvas.zoomAt(mapToScene(event->position().toPoint()),
                       steps > 0 ? ZoomStep : 1 / ZoomStep);
        event->accept();
    }
    void keyPressEvent(QKeyEvent *event) override
    {
        const QRectF area = chart()->plotArea();
        const qreal stepX = area.width() / 10;
        const qreal stepY = area.height() / 10;
        switch (event->key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal: mCanvas.zoomAt(area.center(), ZoomStep); break;
        case Qt::Key_Minus: mCanvas.zoomAt(area.center(), 1 / ZoomStep); break;
        case Qt::Key_Left: chart()->scroll(-stepX, 0); break;
        case Qt::Key_Right: chart()->scroll(stepX, 0); break;
        case Qt::Key_Up: chart()->scroll(0, stepY); break;
        case Qt::Key_Down: chart()->scroll(0, -stepY); break;
        case Qt::Key_Home:
        case Qt::Key_0: mCanvas.resetZoom(); break;
        default: return QChartView::keyPressEvent(event);
        }
        event->accept();
    }
    void leaveEvent(QEvent *event) override
    {
        Q_EMIT mCanvas.hoverChanged(QString());
        QChartView::leaveEvent(event);
    }

private:
    ChartCanvas &mCanvas;
    QRubberBand mBand;
    QPoint mPressed;
    bool mDragging = false;
    QPointF mPanFrom;
    bool mPanning = false;
    static constexpr qreal ZoomStep = 1.25;
};

ChartCanvas::ChartCanvas(QWidget *parent)
    : QWidget(parent)
    , mView(new ChartView(*this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(mView);
    mView->setObjectName(QStringLiteral("chartView"));
    mView->setAccessibleName(tr("Chart"));
    setFocusProxy(mView);
    setMinimumSize(240, 180);
    setPicture(ChartPicture(), mRegional);
}

ChartCanvas::~ChartCanvas() = default;

void ChartCanvas::setPicture(const ChartPicture &picture, const Regional &regional)
{
    mPicture = picture;
    mRegional = regional;
    QChart *old = mView->chart();
    mView->setChart(makeChart(mPicture, mRegional));
    delete old;
    setHighlighted(mHighlighted);
}

void ChartCanvas::setHighlighted(const QSet<int> &records)
{
    mHighlighted = records;
    mHighlightedCount = markRecords(*mView->chart(), mPicture, mRegional, records);
}

QVector<int> ChartCanvas::recordsAt(const QPoint &position) const
{
    return recordsNear(*mView->chart(), mPicture,
                       mView->mapToScene(mView->mapFrom(this, position)));
}

std::optional<QPoint> ChartCanvas::placeOf(int record) const
{
    const std::optional<QPointF> place = scenePlaceOf(*mView->chart(), mPicture, record);
    if (!place)
        return std::nullopt;
    return mView->mapFromScene(*place);
}

QWidget &ChartCanvas::view() const
{
    return *mView->viewport();
}

void ChartCanvas::pickAt(const QPointF &scenePoint)
{
    const QVector<int> records = recordsNear(*mView->chart(), mPicture, scenePoint);
    if (!records.isEmpty())
        Q_EMIT recordsPicked(records);
}

void ChartCanvas::pickRect(const QRectF &sceneRect)
{
    const QVector<int> records = recordsIn(*mView->chart(), mPicture, sceneRect);
    if (!records.isEmpty())
        Q_EMIT recordsPicked(records);
}

void ChartCanvas::hover(const QPointF &scenePoint)
{
    Q_EMIT hoverChanged(readOut(*mView->chart(), mPicture, mRegional, scenePoint));
}

void ChartCanvas::draw(const ChartPicture &picture, const Regional &regional, QPainter &painter,
                       const QSize &size)
{
    QGraphicsScene scene;
    QChart *chart = makeChart(picture, regional);
    scene.addItem(chart);
    chart->setGeometry(QRectF(QPointF(0, 0), QSizeF(size)));
    chart->layout()->activate();
    // Smoothing thousands of line segments costs more than it shows.
    painter.setRenderHint(QPainter::Antialiasing, picture.pointCount() < 2000);
    scene.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)),
                 QRectF(QPointF(0, 0), QSizeF(size)));
}

bool ChartCanvas::save(const ChartPicture &picture, const Regional &regional, const QString &path,
                       const QSize &size)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (suffix == QLatin1String("svg")) {
        QSvgGenerator generator;
        generator.setOutputDevice(&file);
        generator.setSize(size);
        generator.setViewBox(QRect(QPoint(0, 0), size));
        generator.setTitle(picture.x.title);
        QPainter painter(&generator);
        draw(picture, regional, painter, size);
    } else if (suffix == QLatin1String("pdf")) {
        QPdfWriter writer(&file);
        writer.setResolution(72); // a pixel of the size is a point of the page
        writer.setPageSize(QPageSize(QSizeF(size), QPageSize::Point));
        writer.setPageMargins(QMarginsF());
        QPainter painter(&writer);
        draw(picture, regional, painter, size);
    } else {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            draw(picture, regional, painter, size);
        }
        if (!image.save(&file, "PNG"))
            return false;
    }
    return file.commit();
}

bool ChartCanvas::print(const ChartPicture &picture, const Regional &regional,
                        QPagedPaintDevice &device, const QSize &size)
{
    QPainter painter;
    if (size.isEmpty() || !painter.begin(&device))
        return false;
    // The printable area in the device's pixels; the chart keeps the proportions it has on screen.
    const QRect page = painter.viewport();
    QSize fitted = size.scaled(page.size(), Qt::KeepAspectRatio);
    fitted = fitted.expandedTo(QSize(1, 1));
    painter.setViewport(QRect(page.topLeft(), fitted));
    painter.setWindow(QRect(QPoint(0, 0), size));
    draw(picture, regional, painter, size);
    return painter.end();
}

void ChartCanvas::zoomAt(const QPointF &scenePoint, qreal factor)
{
    // The point under the mouse stays where it is; the plot area shows 1/factor of what it did.
    QChart &chart = *mView->chart();
    const QRectF area = chart.plotArea();
    if (area.isEmpty() || factor <= 0)
        return;
    const QPointF fixed(std::clamp(scenePoint.x(), area.left(), area.right()),
                        std::clamp(scenePoint.y(), area.top(), area.bottom()));
    chart.zoomIn(QRectF(fixed - (fixed - area.topLeft()) / factor, area.size() / factor));
}

void ChartCanvas::resetZoom()
{
    // Drawn anew from the picture: the axes as they were first laid out, the marks kept.
    setPicture(ChartPicture(mPicture), Regional(mRegional));
}

QRectF ChartCanvas::shownRange() const
{
    QChart &chart = *mView->chart();
    if (chart.series().isEmpty())
        return QRectF();
    const QRectF area = chart.plotArea();
    const QPointF low = chart.mapToValue(area.bottomLeft());
    const QPointF high = chart.mapToValue(area.topRight());
    return QRectF(low, high);
}

QImage ChartCanvas::image() const
{
    return mView->grab().toImage();
}

} // namespace kribed
