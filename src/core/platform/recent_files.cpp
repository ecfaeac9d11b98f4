// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/platform/recent_files.h"

#include <algorithm>

namespace kribed {

bool RecentFiles::add(const QString &path)
{
    if (std::find(mSlots.begin(), mSlots.end(), path) != mSlots.end())
        return false;
    std::move_backward(mSlots.begin(), mSlots.end() - 1, mSlots.end());
    mSlots[0] = path;
    return true;
}

QString RecentFiles::menuCaption(int slot) const
{
    // Paths may use either separator, whatever system wrote them.
    QString name = mSlots[slot];
    name = name.mid(std::max(name.lastIndexOf(u'/'), name.lastIndexOf(u'\\')) + 1);
    const int dot = name.lastIndexOf(u'.');
    if (dot > 0)
        name.truncate(dot);
    // An ampersand in a file name is shown, not taken as the entry's access key.
    name.replace(u'&', QStringLiteral("&&"));
    return QStringLiteral("&%1  ").arg(slot + 1) + name;
}

} // namespace kribed
