// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/commands/command_groups.h"

#include "gui/commands/chart_commands.h"
#include "gui/commands/column_filter_commands.h"
#include "gui/commands/compare_commands.h"
#include "gui/commands/edit_commands.h"
#include "gui/commands/exchange_commands.h"
#include "gui/commands/file_commands.h"
#include "gui/commands/grid_commands.h"
#include "gui/commands/help_commands.h"
#include "gui/commands/navigation_commands.h"
#include "gui/commands/properties_commands.h"
#include "gui/commands/range_commands.h"
#include "gui/commands/regional_commands.h"
#include "gui/commands/replace_commands.h"
#include "gui/commands/row_column_commands.h"
#include "gui/commands/tools_commands.h"

#include <algorithm>

namespace kribed {

template<class Group, class... Links>
Group &CommandGroups::make(Workspace &workspace, Links &...links)
{
    auto group = std::make_unique<Group>(workspace, links..., mParent);
    Group &made = *group;
    mGroups.push_back(std::move(group));
    return made;
}

// A new group is one line here: its class, and the groups it works with as its constructor's
// parameters (made before it).
CommandGroups::CommandGroups(Workspace &workspace, QObject *parent)
    : mParent(parent)
{
    make<HelpCommands>(workspace);
    EditCommands &edit = make<EditCommands>(workspace);
    ExchangeCommands &exchange = make<ExchangeCommands>(workspace);
    make<FileCommands>(workspace, exchange);
    ToolsCommands &tools = make<ToolsCommands>(workspace);
    make<PropertiesCommands>(workspace);
    make<RowColumnCommands>(workspace, edit);
    // Replaced cells are operands of the row sums.
    make<ReplaceCommands>(workspace, tools);
    make<RegionalCommands>(workspace);
    make<NavigationCommands>(workspace);
    make<ColumnFilterCommands>(workspace);
    // Pasted and cleared cells are operands of the row sums.
    make<RangeCommands>(workspace, tools);
    // Filled cells are operands of the row sums.
    make<GridCommands>(workspace, tools);
    make<CompareCommands>(workspace);
    make<ChartCommands>(workspace);
}

// The last made goes first, as members of a class do.
CommandGroups::~CommandGroups()
{
    while (!mGroups.empty())
        mGroups.pop_back();
}

QList<CommandGroup *> CommandGroups::all() const
{
    QList<CommandGroup *> groups;
    for (const auto &group : mGroups)
        groups << group.get();
    return groups;
}

CommandPlacements CommandGroups::placements() const
{
    CommandPlacements all;
    for (const auto &group : mGroups)
        all << group->placements();
    return all;
}

CommandPanels CommandGroups::panels(PanelPlace place) const
{
    CommandPanels inPlace;
    for (const auto &group : mGroups) {
        for (const CommandPanel &panel : group->panels()) {
            if (panel.place == place)
                inPlace << panel;
        }
    }
    std::stable_sort(inPlace.begin(), inPlace.end(),
                     [](const CommandPanel &left, const CommandPanel &right) {
                         return left.order < right.order;
                     });
    return inPlace;
}

} // namespace kribed
