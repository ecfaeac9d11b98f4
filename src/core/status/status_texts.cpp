// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/status/status_texts.h"

#include <QCoreApplication>

#include "core/model/database.h"
#include "core/model/regional.h"

namespace kribed {

QString defaultWindowTitle()
{
    return QStringLiteral("Kribed PRO");
}

QString windowCaption(const Database &database, const Regional &regional)
{
    if (database.name().isEmpty())
        return defaultWindowTitle();
    return regional.toText(database.name()) + QStringLiteral(" - ") + defaultWindowTitle();
}

StatusPanels statusPanelTexts(const Database &database, int field, int record,
                              const ToggleStates &toggles, const Regional &regional)
{
    StatusPanels panels;
    panels[0] = QCoreApplication::translate("StatusTexts", "R%1 of %2")
                    .arg(record)
                    .arg(database.recordCount());
    panels[1] = QCoreApplication::translate("StatusTexts", "C%1 of %2")
                    .arg(field)
                    .arg(database.fieldCount());
    panels[2] = toggles.autoSizing ? QCoreApplication::translate("StatusTexts", "A") : QString();
    panels[3] = toggles.filter ? QCoreApplication::translate("StatusTexts", "F") : QString();
    panels[4] = toggles.rowSum ? QCoreApplication::translate("StatusTexts", "S") : QString();
    const QDateTime &time = database.modificationTime();
    if (time.isValid())
        panels[5] = regional.locale().toString(time.date(), regional.shortDateFormat());
    panels[6] =
        database.filePath() + (database.isModified() ? QStringLiteral(" +") : QStringLiteral(" "));
    return panels;
}

} // namespace kribed
