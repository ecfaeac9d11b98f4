// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/commands/compare_panel.h"

#include "gui/grid/comparison_model.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace kribed {

namespace {

template<class Widget> Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

ComparePanel::ComparePanel(ComparisonModel &model, QWidget *parent)
    : QWidget(parent)
    , summary(named(new QLabel(this), "compareSummary"))
    , definitions(named(new QListWidget(this), "compareDefinitions"))
    , show(named(new QComboBox(this), "compareShow"))
    , matchBy(named(new QComboBox(this), "compareMatchBy"))
    , ignoreStamps(named(new QCheckBox(tr("Ignore stamps"), this), "compareIgnoreStamps"))
    , view(named(new QTableView(this), "compareView"))
    , take(named(new QPushButton(tr("Take from other version"), this), "compareTake"))
    , takeAll(named(new QPushButton(tr("Take all from other version"), this), "compareTakeAll"))
    , exportReport(named(new QPushButton(tr("Export report..."), this), "compareExport"))
{
    setObjectName(QStringLiteral("comparePanel"));
    setWindowTitle(tr("Comparison"));
    show->addItems({tr("All"), tr("Changes only")});
    ignoreStamps->setChecked(true);
    ignoreStamps->setToolTip(tr("Modification dates and times do not count as changes"));
    definitions->hide();
    summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    view->setModel(&model);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setDefaultSectionSize(110);

    auto *showLabel = new QLabel(tr("Show:"), this);
    showLabel->setBuddy(show);
    auto *matchLabel = new QLabel(tr("Match records by:"), this);
    matchLabel->setBuddy(matchBy);
    auto *choices = new QHBoxLayout;
    for (QWidget *widget : {static_cast<QWidget *>(showLabel), static_cast<QWidget *>(show),
                            static_cast<QWidget *>(matchLabel), static_cast<QWidget *>(matchBy),
                            static_cast<QWidget *>(ignoreStamps)})
        choices->addWidget(widget);
    choices->addStretch();
    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {take, takeAll, exportReport})
        buttons->addWidget(button);
    buttons->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(summary);
    layout->addWidget(definitions);
    layout->addLayout(choices);
    layout->addWidget(view, 1);
    layout->addLayout(buttons);
}

void ComparePanel::fitToComparison()
{
    view->setColumnWidth(0, view->fontMetrics().horizontalAdvance(QStringLiteral("~")) + 16);
    const int lines = std::min(definitions->count(), 5);
    definitions->setVisible(lines > 0);
    if (lines > 0)
        definitions->setFixedHeight(lines * definitions->sizeHintForRow(0)
                                    + 2 * definitions->frameWidth() + 2);
}

} // namespace kribed
