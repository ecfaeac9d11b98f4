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

namespace kribed {

// The view forwards the mouse to the canvas: a click picks the point or bar under it, a drag the
// points or bars in its rectangle, a move shows the read-out.
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
        if (event->button() != Qt::LeftButton)
            return QChartView::mousePressEvent(event);
        mPressed = event->position().toPoint();
        mDragging = true;
        mBand.setGeometry(QRect(mPressed, QSize()));
        mBand.show();
    }
    void mouseMoveEvent(QMouseEvent *event) override
    {
        const QPoint position = event->position().toPoint();
        if (mDragging)
            mBand.setGeometry(QRect(mPressed, position).normalized());
        mCanvas.hover(mapToScene(position));
    }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
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

QImage ChartCanvas::image() const
{
    return mView->grab().toImage();
}

} // namespace kribed
