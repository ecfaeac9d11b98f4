// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/window/menu_builder.h"

#include "gui/window/tool_icons.h"

#include <QAction>
#include <QDockWidget>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace kribed {

namespace {

void giveIcon(const CommandPlacement &entry)
{
    if (entry.iconName && entry.action->icon().isNull())
        entry.action->setIcon(
            themedIcon(QString::fromLatin1(entry.iconName), QGuiApplication::palette()));
}

} // namespace

CommandPlacements menuEntries(const CommandPlacements &placements, MenuId menu)
{
    CommandPlacements entries;
    std::copy_if(placements.cbegin(), placements.cend(), std::back_inserter(entries),
                 [menu](const CommandPlacement &entry) { return entry.menu == menu; });
    std::stable_sort(entries.begin(), entries.end(),
                     [](const CommandPlacement &left, const CommandPlacement &right) {
                         return left.order < right.order;
                     });
    return entries;
}

CommandPlacements toolBarEntries(const CommandPlacements &placements)
{
    CommandPlacements entries;
    std::copy_if(placements.cbegin(), placements.cend(), std::back_inserter(entries),
                 [](const CommandPlacement &entry) { return entry.toolBarSlot != NoToolBarSlot; });
    std::stable_sort(entries.begin(), entries.end(),
                     [](const CommandPlacement &left, const CommandPlacement &right) {
                         return left.toolBarSlot < right.toolBarSlot;
                     });
    return entries;
}

void fillMenu(QMenu &menu, const CommandPlacements &placements, MenuId id)
{
    for (const CommandPlacement &entry : menuEntries(placements, id)) {
        if (entry.separatorBefore && !menu.actions().isEmpty())
            menu.addSeparator();
        giveIcon(entry);
        menu.addAction(entry.action);
    }
}

void fillToolBar(QToolBar &toolBar, const CommandPlacements &placements)
{
    for (const CommandPlacement &entry : toolBarEntries(placements)) {
        giveIcon(entry);
        toolBar.addAction(entry.action);
        QWidget *button = toolBar.widgetForAction(entry.action);
        button->setObjectName(entry.action->objectName().replace(QStringLiteral("action"),
                                                                 QStringLiteral("toolButton")));
        button->setFixedSize(25, 23);
        if (auto *toolButton = qobject_cast<QToolButton *>(button))
            toolButton->setAutoRaise(true);
    }
}

// The dock is the window's; the widget in it and the action that shows it are the group's.
void placeInDock(QMainWindow &window, const CommandPanel &panel)
{
    auto *dock = new QDockWidget(panel.widget->windowTitle(), &window);
    dock->setObjectName(panel.widget->objectName() + QStringLiteral("Dock"));
    dock->setWidget(panel.widget);
    window.addDockWidget(panel.dockArea, dock);
    if (!panel.toggle)
        return;
    dock->setVisible(panel.toggle->isChecked());
    QObject::connect(panel.toggle, &QAction::toggled, dock, &QWidget::setVisible);
    QObject::connect(dock->toggleViewAction(), &QAction::toggled, panel.toggle,
                     &QAction::setChecked);
}

} // namespace kribed
