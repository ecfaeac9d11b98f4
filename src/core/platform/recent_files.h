// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/platform/settings.h"

#include <QString>

#include <array>

namespace kribed {

// The five most recently opened files, slot 0 the newest; an empty text is an empty slot.
class RecentFiles
{
public:
    using Slots = std::array<QString, RecentFileCount>;

    RecentFiles() = default;
    explicit RecentFiles(const Slots &slots)
        : mSlots(slots)
    {
    }

    // A path equal (case-sensitively) to a present entry changes nothing, so the list is never
    // reordered; otherwise it becomes the newest entry and the oldest drops out. Returns whether
    // the list changed.
    bool add(const QString &path);

    const QString &path(int slot) const { return mSlots[slot]; }
    bool isFilled(int slot) const { return !mSlots[slot].isEmpty(); }
    const Slots &all() const { return mSlots; }

    // The menu caption of a filled slot: "&1  " and the file name without folder and extension.
    QString menuCaption(int slot) const;

private:
    Slots mSlots;
};

} // namespace kribed
