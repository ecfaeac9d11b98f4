// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/window/accessible_names.h"

#include "gui/dialogs/accessible_parts.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>

namespace kribed {

QString gridAccessibleName(const QString &databaseName)
{
    if (databaseName.isEmpty())
        return QCoreApplication::translate("AccessibleNames", "Records");
    return QCoreApplication::translate("AccessibleNames", "Records of %1").arg(databaseName);
}

void setAccessibleNameOnce(QWidget &widget, const QString &name)
{
    // Every new name is an event for the screen reader, even an unchanged one.
    if (widget.accessibleName() != name)
        widget.setAccessibleName(name);
}

void nameWindowBarsForScreenReaders(QMainWindow &window)
{
    window.menuBar()->setAccessibleName(
        QCoreApplication::translate("AccessibleNames", "Main menu"));
    QStatusBar *status = window.statusBar();
    status->setAccessibleName(QCoreApplication::translate("AccessibleNames", "Status"));
    nameSizeGrips(*status);
    // The tool bar's button for the tools that do not fit in a narrow window is its own child,
    // with no accessor.
    for (QObject *child : window.children()) {
        auto *toolBar = qobject_cast<QToolBar *>(child);
        for (QObject *part : toolBar ? toolBar->children() : QObjectList()) {
            auto *button = qobject_cast<QToolButton *>(part);
            if (button && button->defaultAction() == nullptr)
                button->setAccessibleName(
                    QCoreApplication::translate("AccessibleNames", "More tools"));
        }
    }
}

void nameForScreenReaders(QTableView &grid, const QString &databaseName, const QString &recordCount,
                          const std::array<QLabel *, StatusPanelCount> &panels,
                          const StatusPanels &spoken)
{
    setAccessibleNameOnce(grid, gridAccessibleName(databaseName));
    // The top left cell says what its hint says; the view makes it as its one child button.
    for (QObject *child : grid.children()) {
        if (auto *corner = qobject_cast<QAbstractButton *>(child))
            setAccessibleNameOnce(*corner, recordCount);
    }
    for (int index = 0; index < StatusPanelCount; ++index)
        setAccessibleNameOnce(*panels[index], spoken[index]);
}

} // namespace kribed
