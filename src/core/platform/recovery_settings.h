// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

class QSettings;

namespace kribed {

// Seconds between two writes of the recovery data while changes keep coming.
constexpr int DefaultRecoveryInterval = 60;

// "Recovery/Interval" of the settings store: the seconds between recovery writes, 0 for no
// recovery data at all. A missing value, or one that is not a whole number of seconds from 0 on,
// reads as the default.
int readRecoveryInterval(const QSettings &store);
// Written at exit with the other settings, so the value is there to be found and changed.
void writeRecoveryInterval(QSettings &store, int seconds);

} // namespace kribed
