// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/platform/project_address.h"

namespace kribed {

QString projectWebAddress()
{
    return QStringLiteral(KRIBED_HOMEPAGE);
}

} // namespace kribed
