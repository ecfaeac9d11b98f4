// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/window/tool_icons.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <QProxyStyle>
#include <QStyleOption>

// The bundled pictures live in the GUI library: their resources are linked in only when named.
static void initBundledIcons()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(icons);
        return true;
    }();
    Q_UNUSED(done);
}

namespace kribed {

namespace {

// The colour of the text-coloured shapes in the bundled pictures (a light palette's text).
const char BundledTextColour[] = "#232629";

// Draws the style's check boxes, with a frame that shows on a dark palette.
class ReadableCheckStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override
    {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        const QPalette &palette = option->palette;
        if (element != PE_IndicatorCheckBox || palette.color(QPalette::Window).lightness() >= 128)
            return;
        const QColor text = palette.color(QPalette::WindowText);
        const QColor back = palette.color(QPalette::Window);
        const QColor frame((text.red() + back.red()) / 2, (text.green() + back.green()) / 2,
                           (text.blue() + back.blue()) / 2);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->setPen(frame);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        painter->restore();
    }
};

} // namespace

QStyle *readableMenuCheckStyle(QObject *owner)
{
    // A copy of the application's style beneath, so the menus look as everything else does.
    auto *style = new ReadableCheckStyle(QApplication::style()->name());
    style->setParent(owner);
    return style;
}

QIcon bundledIcon(const QString &iconName, const QPalette &palette)
{
    initBundledIcons();
    QFile file(QStringLiteral(":/icons/%1.svg").arg(iconName));
    if (iconName.isEmpty() || !file.open(QIODevice::ReadOnly))
        return {};
    QByteArray svg = file.readAll();
    svg.replace(QByteArray(BundledTextColour),
                palette.color(QPalette::WindowText).name().toLatin1());
    // Drawn at the sizes tool bars and menus ask for, so no size is a blurred scaling of another.
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48}) {
        QBuffer buffer(&svg);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, "svg");
        reader.setScaledSize(QSize(size, size));
        const QImage image = reader.read();
        if (!image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

QIcon themedIcon(const QString &iconName, const QPalette &palette)
{
    return QIcon::fromTheme(iconName, bundledIcon(iconName, palette));
}

QIcon appIcon()
{
    QIcon icon;
    for (const int size : {16, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 64.0, size / 64.0);
        const QColor teal(10, 144, 160);
        const QColor face(212, 208, 200);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(58, 66, 80));
        painter.drawRoundedRect(QRectF(10, 2, 44, 60), 8, 8);
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(14, 7, 36, 40));
        painter.fillRect(QRectF(14, 7, 36, 8), teal);
        painter.fillRect(QRectF(14, 15, 8, 32), face);
        painter.setPen(QPen(QColor(128, 128, 128), 0.8));
        for (const int y : {23, 31, 39})
            painter.drawLine(QLineF(14, y, 50, y));
        for (const int x : {22, 36})
            painter.drawLine(QLineF(x, 7, x, 47));
        painter.setPen(Qt::NoPen);
        painter.setBrush(face);
        for (const int x : {24, 32, 40})
            painter.drawEllipse(QPointF(x, 54), 3, 3);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace kribed
