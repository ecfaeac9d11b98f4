// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/window/tool_icons.h"

#include <QHash>
#include <QPainter>
#include <QPixmap>

namespace kribed {

namespace {

struct Glyph
{
    const char *text;
    QRgb color;
};

// File commands blue, cell commands green, row and column commands brown, tools grey-blue.
const QHash<QString, Glyph> &glyphs()
{
    static const QHash<QString, Glyph> glyphs = {
        {QStringLiteral("actionNew"), {"N", 0xff2060b0}},
        {QStringLiteral("actionOpen"), {"O", 0xff2060b0}},
        {QStringLiteral("actionSave"), {"S", 0xff2060b0}},
        {QStringLiteral("actionInstall"), {"H", 0xff2060b0}},
        {QStringLiteral("actionPrint"), {"P", 0xff2060b0}},
        {QStringLiteral("actionImport"), {"\u2192", 0xff2060b0}},
        {QStringLiteral("actionExport"), {"\u2190", 0xff2060b0}},
        {QStringLiteral("actionEditCell"), {"E", 0xff208040}},
        {QStringLiteral("actionCutCell"), {"X", 0xff208040}},
        {QStringLiteral("actionCopyCell"), {"C", 0xff208040}},
        {QStringLiteral("actionPasteCell"), {"V", 0xff208040}},
        {QStringLiteral("actionProperties"), {"\u2261", 0xff505a70}},
        {QStringLiteral("actionFont"), {"A", 0xff505a70}},
        {QStringLiteral("actionFind"), {"?", 0xff505a70}},
        {QStringLiteral("actionAutoSizing"), {"\u2194", 0xff505a70}},
        {QStringLiteral("actionFilter"), {"F", 0xff505a70}},
        {QStringLiteral("actionSortNormal"), {"\u2193", 0xff505a70}},
        {QStringLiteral("actionSortReverse"), {"\u2191", 0xff505a70}},
        {QStringLiteral("actionColumnSum"), {"\u03a3", 0xff505a70}},
        {QStringLiteral("actionRowSum"), {"\u03a3r", 0xff505a70}},
        {QStringLiteral("actionAppendRow"), {"+r", 0xff905020}},
        {QStringLiteral("actionInsertRow"), {"^r", 0xff905020}},
        {QStringLiteral("actionDeleteRow"), {"-r", 0xff905020}},
        {QStringLiteral("actionAppendColumn"), {"+c", 0xff905020}},
        {QStringLiteral("actionInsertColumn"), {"^c", 0xff905020}},
        {QStringLiteral("actionDeleteColumn"), {"-c", 0xff905020}},
        {QStringLiteral("actionReadme"), {"i", 0xff2060b0}},
    };
    return glyphs;
}

} // namespace

QIcon toolIcon(const QString &commandName)
{
    const auto glyph = glyphs().constFind(commandName);
    if (glyph == glyphs().constEnd())
        return {};
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromRgba(glyph->color));
    painter.drawRoundedRect(QRectF(2, 2, 28, 28), 6, 6);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(QString::fromUtf8(glyph->text).size() > 1 ? 15 : 20);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, QString::fromUtf8(glyph->text));
    painter.end();
    return QIcon(pixmap);
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
