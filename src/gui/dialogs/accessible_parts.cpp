// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/dialogs/accessible_parts.h"

#include <QCoreApplication>
#include <QSizeGrip>

namespace kribed {

void nameSizeGrips(QWidget &owner)
{
    for (QObject *child : owner.children()) {
        if (auto *grip = qobject_cast<QSizeGrip *>(child))
            grip->setAccessibleName(
                QCoreApplication::translate("AccessibleNames", "Resize the window"));
    }
}

} // namespace kribed
