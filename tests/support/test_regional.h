// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/model/regional.h"

#include <QByteArray>
#include <QLocale>
#include <QString>

namespace kribed::test {

// The regional rules most tests run under: US English dates, times and numbers, in the given code
// page. A test that means another locale builds its own Regional.
inline Regional testRegional(const QByteArray &codePage = "windows-1252")
{
    return Regional(QLocale(QStringLiteral("en_US")), codePage);
}

} // namespace kribed::test
