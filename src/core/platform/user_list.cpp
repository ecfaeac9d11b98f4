// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/platform/user_list.h"

#include <QDir>

namespace kribed {

QString startingFolder(bool initialDir, const UserList &users, int selectedUser)
{
    if (!initialDir || selectedUser < 0 || selectedUser >= users.count())
        return {};
    const QString folder = users.userFolder(selectedUser);
    if (folder.isEmpty())
        return {};
    return QDir::cleanPath(users.desktopDataFolder() + u'/' + folder + QStringLiteral("/backup"));
}

} // namespace kribed
