// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/platform/recovery_settings.h"

#include <QSettings>

namespace kribed {

namespace {

QString intervalKey()
{
    return QStringLiteral("Recovery/Interval");
}

} // namespace

int readRecoveryInterval(const QSettings &store)
{
    bool ok = false;
    const int seconds = store.value(intervalKey()).toString().toInt(&ok, 10);
    return ok && seconds >= 0 ? seconds : DefaultRecoveryInterval;
}

void writeRecoveryInterval(QSettings &store, int seconds)
{
    store.setValue(intervalKey(), QString::number(seconds));
    store.sync();
}

} // namespace kribed
