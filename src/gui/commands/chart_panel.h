// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/editing/chart_choices.h"
#include "core/editing/chart_picture.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTreeWidget;

namespace kribed {

class ChartCanvas;
class Regional;

// The chart dock's widget: the choices (kind, X, the Y fields and their axes, log scales, bins,
// grouping), the chart, the count of values not plotted, the read-out under the mouse and the
// grouped figures' table. It only shows; ChartCommands builds the pictures.
class ChartPanel : public QWidget
{
    Q_OBJECT

public:
    explicit ChartPanel(QWidget *parent = nullptr);

    // The database's fields (names and type indexes); the choices keep what still exists.
    void setFields(const QStringList &names, const QVector<int> &types);
    void setChoices(const ChartChoices &choices);
    ChartChoices choices() const;

    void showPicture(const ChartPicture &picture, const Regional &regional);
    ChartCanvas &canvas() { return *mCanvas; }
    QString statusText() const;
    // The grouped figures as tab-separated text, as Copy table puts them on the clipboard.
    QString tableText(const Regional &regional) const;

Q_SIGNALS:
    void choicesChanged();
    void copyTableRequested();

private:
    void buildControls();
    void fillFieldBoxes();
    void enableControls();
    void showTable(const ChartPicture &picture, const Regional &regional);

    QStringList mNames;
    QVector<int> mTypes;
    bool mFilling = false;
    ChartPicture mPicture;
    ChartChoices mPending; // the choices last set, for fields that come later
    QComboBox *mKind = nullptr;
    QComboBox *mX = nullptr;
    QTreeWidget *mY = nullptr;
    QCheckBox *mLogX = nullptr;
    QCheckBox *mLogY = nullptr;
    QSpinBox *mBins = nullptr;
    QComboBox *mGroup = nullptr;
    QComboBox *mPeriod = nullptr;
    QComboBox *mValue = nullptr;
    QComboBox *mAggregate = nullptr;
    ChartCanvas *mCanvas = nullptr;
    QLabel *mStatus = nullptr;
    QLabel *mHover = nullptr;
    QTableWidget *mTable = nullptr;
    QPushButton *mCopyTable = nullptr;
};

} // namespace kribed
