// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/platform/settings.h"

#include <QList>
#include <QRect>

namespace kribed {

// The window at a first start: about 70% of the screen's available area, centred on it.
QRect defaultWindowGeometry(const QRect &available);

// A rectangle made to fit an area: no larger than the area, and moved inside it.
QRect clampToArea(const QRect &rect, const QRect &available);

// Where the main window starts. With no stored placement, defaultWindowGeometry of the primary
// screen (the first area). A stored rectangle goes to the screen it mostly lies on (the primary
// when it lies on none, as when its monitor is gone) and is clamped to that screen's available
// area: a window saved maximised at one display scale must not come back larger than the screen
// at another.
QRect startWindowGeometry(const Placement &stored, const QList<QRect> &availableAreas);

} // namespace kribed
