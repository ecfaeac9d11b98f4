// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "gui/commands/command_group.h"

#include <QList>
#include <QtGlobal>

#include <memory>
#include <vector>

class QObject;

namespace kribed {

class Workspace;

// Every command group of the window, made in one place with the links between them, in the
// order the program makes its dialogs in. The window walks the list to build its menus, tool
// bar, context menu, panels and docks, and tells each group of its life; a test or the start of
// the program reaches one group by its type.
class CommandGroups
{
public:
    // The groups work in the workspace; `parent` is their QObject parent.
    CommandGroups(Workspace &workspace, QObject *parent);
    ~CommandGroups();
    CommandGroups(const CommandGroups &) = delete;
    CommandGroups &operator=(const CommandGroups &) = delete;

    // In the order they were made.
    QList<CommandGroup *> all() const;

    // The one group of type `Group` (which must be one of the list's).
    template<class Group> Group &get() const
    {
        for (const auto &group : mGroups) {
            if (auto *typed = dynamic_cast<Group *>(group.get()))
                return *typed;
        }
        qFatal("CommandGroups::get: no such command group");
    }

    // The placements of every group's actions, which the menus and the tool bar follow.
    CommandPlacements placements() const;
    // The panels of every group that stand in `place`, by their order.
    CommandPanels panels(PanelPlace place) const;

private:
    template<class Group, class... Links> Group &make(Workspace &workspace, Links &...links);

    QObject *mParent;
    std::vector<std::unique_ptr<CommandGroup>> mGroups;
};

} // namespace kribed
