// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableView;

namespace kribed {

class ComparisonModel;

// The comparison's dock: the summary line, the differences of field definitions and settings,
// the choices (which records show, how records are matched, whether stamps count), the compared
// records as a read-only grid, and the buttons that take the other version's values. It shows
// and asks; CompareCommands compares and changes the database.
class ComparePanel : public QWidget
{
    Q_OBJECT

public:
    ComparePanel(ComparisonModel &model, QWidget *parent);

    // After a new comparison: a narrow mark column, and the list of differences of fields and
    // settings as tall as its lines (up to five), hidden when there are none.
    void fitToComparison();

    QLabel *const summary;
    QListWidget *const definitions;
    QComboBox *const show;
    QComboBox *const matchBy;
    QCheckBox *const ignoreStamps;
    QTableView *const view;
    QPushButton *const take;
    QPushButton *const takeAll;
    QPushButton *const exportReport;
};

} // namespace kribed
