// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/model/database.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace kribed {

// Everything the properties dialog changes in the database for one field, as its controls hold it:
// the settings of the whole database (the increment box read with incrementOf) and the field's.
struct PropertiesEdit
{
    DatabaseSettings settings;
    QByteArray fieldName;
    int typeIndex = 0;
    QString widthText;
    QList<QByteArray> popupItems; // taken only for the popup types
};

// The width box as a whole number of units; other text counts as 0.
int widthUnitsOf(const QString &text);
// The increment box as a whole number; other text counts as 1.
int incrementOf(const QString &text);

// The warning for the first value the database cannot take (name, field name, width, increment,
// in that order), or an empty text when all can be taken.
QString propertiesWarning(const PropertiesEdit &edit);

// Whether a popup entry is refused: "popup" and one character that names a field opens a list in
// the file, so as an item it would split the lists on the next load.
bool isRefusedPopupEntry(const QByteArray &entry);
// The warning for such an entry, as the user typed it.
QString popupEntryWarning(const QString &entry);

// Puts the checked values into the database for field `field`: the database's settings (name,
// flags, the increment amount, the filter and the secondary and tertiary sort fields) and the
// field's name, width, type and popup list (emptied for a type that is not a popup type). The
// filter is not applied here.
void applyProperties(Database &database, int field, const PropertiesEdit &edit);

} // namespace kribed
