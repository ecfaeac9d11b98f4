// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/window/window_placement.h"

#include <algorithm>

namespace kribed {

QRect defaultWindowGeometry(const QRect &available)
{
    QRect frame(0, 0, available.width() * 7 / 10, available.height() * 7 / 10);
    frame.moveCenter(available.center());
    return frame;
}

QRect clampToArea(const QRect &rect, const QRect &available)
{
    QRect fitted(rect.topLeft(), QSize(std::min(std::max(rect.width(), 1), available.width()),
                                       std::min(std::max(rect.height(), 1), available.height())));
    fitted.moveLeft(std::clamp(fitted.left(), available.left(),
                               available.left() + available.width() - fitted.width()));
    fitted.moveTop(std::clamp(fitted.top(), available.top(),
                              available.top() + available.height() - fitted.height()));
    return fitted;
}

QRect startWindowGeometry(const Placement &stored, const QList<QRect> &availableAreas)
{
    if (availableAreas.isEmpty())
        return stored.left == Placement::NoPlacement
                   ? QRect()
                   : QRect(stored.left, stored.top, stored.width, stored.height);
    if (stored.left == Placement::NoPlacement)
        return defaultWindowGeometry(availableAreas.first());

    const QRect rect(stored.left, stored.top, stored.width, stored.height);
    QRect screen = availableAreas.first();
    qint64 largest = 0;
    for (const QRect &area : availableAreas) {
        const QRect shared = area.intersected(rect);
        const qint64 size = qint64(shared.width()) * shared.height();
        if (size > largest) {
            largest = size;
            screen = area;
        }
    }
    return clampToArea(rect, screen);
}

} // namespace kribed
