// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/platform/user_list.h"

#include <QDir>

namespace kribed {

QString StartingFolder(bool initialDir, const UserList &users, int selectedUser)
{
    if (!initialDir || selectedUser < 0 || selectedUser >= users.Count())
        return {};
    const QString folder = users.UserFolder(selectedUser);
    if (folder.isEmpty())
        return {};
    return QDir::cleanPath(users.DesktopDataFolder() + u'/' + folder + QStringLiteral("/backup"));
}

} // namespace kribed
