// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/status/status_texts.h"

#include "core/model/database.h"
#include "core/model/regional.h"

namespace kribed {

QString WindowTitle()
{
    return QStringLiteral("Kribed PRO");
}

QString WindowCaption(const Database &database, const Regional &regional)
{
    if (database.Name().isEmpty())
        return WindowTitle();
    return regional.ToText(database.Name()) + QStringLiteral(" - ") + WindowTitle();
}

StatusPanels StatusPanelTexts(const Database &database, int field, int record,
                              const ToggleStates &toggles, const Regional &regional)
{
    StatusPanels panels;
    panels[0] = QStringLiteral("R%1 of %2").arg(record).arg(database.RecordCount());
    panels[1] = QStringLiteral("C%1 of %2").arg(field).arg(database.FieldCount());
    panels[2] = toggles.autoSizing ? QStringLiteral("A") : QString();
    panels[3] = toggles.filter ? QStringLiteral("F") : QString();
    panels[4] = toggles.rowSum ? QStringLiteral("S") : QString();
    const QDateTime &time = database.ModificationTime();
    if (time.isValid())
        panels[5] = regional.Locale().toString(time.date(), regional.ShortDateFormat());
    panels[6] = database.FilePath() + (database.IsModified() ? QStringLiteral(" +") : QStringLiteral(" "));
    return panels;
}

} // namespace kribed
