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

namespace {

QString onOrOff(bool on, const char *onText, const char *offText)
{
    return QCoreApplication::translate("StatusTexts", on ? onText : offText);
}

} // namespace

StatusPanels spokenStatusPanelTexts(const Database &database, int field, int record,
                                    const ToggleStates &toggles, const Regional &regional)
{
    StatusPanels spoken;
    spoken[0] = QCoreApplication::translate("StatusTexts", "Record %1 of %2")
                    .arg(record)
                    .arg(database.recordCount());
    spoken[1] = QCoreApplication::translate("StatusTexts", "Column %1 of %2")
                    .arg(field)
                    .arg(database.fieldCount());
    spoken[2] = onOrOff(toggles.autoSizing, QT_TRANSLATE_NOOP("StatusTexts", "Auto sizing on"),
                        QT_TRANSLATE_NOOP("StatusTexts", "Auto sizing off"));
    spoken[3] = onOrOff(toggles.filter, QT_TRANSLATE_NOOP("StatusTexts", "Filter on"),
                        QT_TRANSLATE_NOOP("StatusTexts", "Filter off"));
    spoken[4] = onOrOff(toggles.rowSum, QT_TRANSLATE_NOOP("StatusTexts", "Row sum on"),
                        QT_TRANSLATE_NOOP("StatusTexts", "Row sum off"));
    const QDateTime &time = database.modificationTime();
    spoken[5] = time.isValid()
                    ? QCoreApplication::translate("StatusTexts", "File date %1")
                          .arg(regional.locale().toString(time.date(), regional.shortDateFormat()))
                    : QCoreApplication::translate("StatusTexts", "No file date");
    // The bare path, which a new database does not have yet; the mark the panel shows after it
    // is said in words.
    const QString path = database.filePath().isEmpty()
                             ? QCoreApplication::translate("StatusTexts", "Not saved to a file")
                             : database.filePath();
    spoken[6] = database.isModified()
                    ? QCoreApplication::translate("StatusTexts", "%1, changed").arg(path)
                    : path;
    return spoken;
}

} // namespace kribed
