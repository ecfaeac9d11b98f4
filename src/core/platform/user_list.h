// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QString>

#include <optional>

namespace kribed {

class Prompter;

// The handheld users known to the Palm Desktop software, as the editor needs them: the database
// dialogs start in the selected user's backup folder and Install copies into a user's folder.
class UserList
{
public:
    virtual ~UserList() = default;
    virtual int count() const = 0;
    // The index of the Desktop's last user, 0 when there is none.
    virtual int lastUserIndex() const = 0;
    virtual QString userName(int index) const = 0;
    virtual QString userFolder(int index) const = 0;
    virtual QString desktopDataFolder() const = 0;
    // Makes the user's install folder and raises the user's install flag; the folder, or none
    // when that is not possible (then Install stops).
    virtual std::optional<QString> prepareInstallFolder(int /*index*/,
                                                        Prompter & /*prompter*/) const
    {
        return std::nullopt;
    }
};

// Stands in when the Palm Desktop software is not known: no users at all.
class NoUsers : public UserList
{
public:
    int count() const override { return 0; }
    int lastUserIndex() const override { return 0; }
    QString userName(int) const override { return {}; }
    QString userFolder(int) const override { return {}; }
    QString desktopDataFolder() const override { return {}; }
};

// The folder the database open and save dialogs start in: the selected user's HotSync backup
// folder when `initialDir` is on and that user has a folder name, else empty (the system's
// default folder).
QString startingFolder(bool initialDir, const UserList &users, int selectedUser);

} // namespace kribed
