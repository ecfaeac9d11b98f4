// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace kribed {

struct DatabaseFlags
{
    bool isPrivate = false;
    bool autoLock = false;
    bool readOnly = false;
    bool kriboFilter = false;

    bool operator==(const DatabaseFlags &other) const
    {
        return isPrivate == other.isPrivate && autoLock == other.autoLock
               && readOnly == other.readOnly && kriboFilter == other.kriboFilter;
    }
    bool operator!=(const DatabaseFlags &other) const { return !(*this == other); }
};

// The settings of the database as a whole, as the properties dialog sets them: its name and
// flags, the record filter, the secondary and tertiary sort fields and the increment amount. The
// file keeps all but the filter switch and the increment amount. Database holds one; the
// properties dialog's edit and the undo step of a change of settings hold it too.
struct DatabaseSettings
{
    QByteArray name;
    DatabaseFlags flags;
    QByteArray filterText;
    int filterField = 0; // 0: all fields
    bool filterOn = false;
    int secondarySort = 0; // 0: none
    int tertiarySort = 0;
    int increment = 1;

    // What the settings hold in memory, their texts counted in full.
    qsizetype bytes() const { return qsizetype(sizeof(*this)) + name.size() + filterText.size(); }
    bool operator==(const DatabaseSettings &other) const
    {
        return name == other.name && flags == other.flags && filterText == other.filterText
               && filterField == other.filterField && filterOn == other.filterOn
               && secondarySort == other.secondarySort && tertiarySort == other.tertiarySort
               && increment == other.increment;
    }
    bool operator!=(const DatabaseSettings &other) const { return !(*this == other); }
};

} // namespace kribed
