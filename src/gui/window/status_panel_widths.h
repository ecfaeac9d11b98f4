// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/status/status_texts.h"

#include <QLocale>
#include <QString>

#include <array>

class QLabel;

namespace kribed {

// The widest date a panel in this format can show: every day of a year is measured, so month
// and weekday names of any length are covered.
QString widestDateText(const QLocale &locale, const QString &format, const QFont &font);

// Gives each status panel but the last (which stretches) a width that shows the widest text it
// can hold without cutting it: the position "R99999 of 99999" (files of more than 9999 records
// open too), the column "C50 of 50", the toggle letters and the widest date. A panel never gets
// narrower than its classic width (90, 65, 18, 18, 18 and 75 pixels).
void fitStatusPanels(const std::array<QLabel *, StatusPanelCount> &panels, const QLocale &locale,
                     const QString &dateFormat);

} // namespace kribed
