// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/commands/chart_panel.h"

#include "core/model/regional.h"
#include "gui/chart/chart_canvas.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kribed {

namespace {

QComboBox *comboBox(QWidget *parent, const char *name)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

} // namespace

ChartPanel::ChartPanel(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("chartPanel"));
    setWindowTitle(tr("Chart"));
    buildControls();
}

void ChartPanel::buildControls()
{
    mKind = comboBox(this, "chartKind");
    mKind->addItems({tr("Line"), tr("Points"), tr("Bars side by side"), tr("Bars stacked"),
                     tr("Histogram"), tr("Counts per category"), tr("Grouped figures")});
    mX = comboBox(this, "chartX");
    mY = new QTreeWidget(this);
    mY->setObjectName(QStringLiteral("chartY"));
    mY->setHeaderLabels({tr("Y fields"), tr("Right axis")});
    mY->setRootIsDecorated(false);
    mY->setMaximumHeight(110);
    mLogX = new QCheckBox(tr("Log scale X"), this);
    mLogY = new QCheckBox(tr("Log scale Y"), this);
    mBins = new QSpinBox(this);
    mBins->setObjectName(QStringLiteral("chartBins"));
    mBins->setRange(0, MaximumBins);
    mBins->setSpecialValueText(tr("Automatic"));
    mGroup = comboBox(this, "chartGroup");
    mPeriod = comboBox(this, "chartPeriod");
    mPeriod->addItems(
        {tr("Each value"), tr("Day"), tr("Week"), tr("Month"), tr("Quarter"), tr("Year")});
    mValue = comboBox(this, "chartValue");
    mAggregate = comboBox(this, "chartAggregate");
    mAggregate->addItems({tr("Count"), tr("Sum"), tr("Average"), tr("Minimum"), tr("Maximum")});
    mCanvas = new ChartCanvas(this);
    mCanvas->setObjectName(QStringLiteral("chartCanvas"));
    mCanvas->setMinimumSize(420, 300);
    mStatus = new QLabel(this);
    mStatus->setObjectName(QStringLiteral("chartStatus"));
    mStatus->setWordWrap(true);
    mHover = new QLabel(this);
    mHover->setObjectName(QStringLiteral("chartReadOut"));
    mHover->setTextInteractionFlags(Qt::TextSelectableByMouse);
    mTable = new QTableWidget(0, 3, this);
    mTable->setObjectName(QStringLiteral("chartTable"));
    mTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mTable->verticalHeader()->hide();
    mTable->setMaximumHeight(160);
    mCopyTable = new QPushButton(tr("Copy table"), this);
    mCopyTable->setObjectName(QStringLiteral("chartCopyTable"));

    auto *form = new QFormLayout;
    form->addRow(tr("&Kind:"), mKind);
    form->addRow(tr("&X:"), mX);
    form->addRow(mY);
    auto *logs = new QHBoxLayout;
    logs->addWidget(mLogX);
    logs->addWidget(mLogY);
    form->addRow(logs);
    form->addRow(tr("&Bins:"), mBins);
    form->addRow(tr("&Group by:"), mGroup);
    form->addRow(tr("&Period:"), mPeriod);
    form->addRow(tr("&Figure:"), mAggregate);
    form->addRow(tr("&Of:"), mValue);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(mCanvas, 1);
    layout->addWidget(mStatus);
    layout->addWidget(mHover);
    layout->addWidget(mTable);
    layout->addWidget(mCopyTable);

    for (QComboBox *box : {mKind, mX, mGroup, mPeriod, mValue, mAggregate})
        connect(box, &QComboBox::currentIndexChanged, this, [this] {
            enableControls();
            if (!mFilling)
                Q_EMIT choicesChanged();
        });
    // Choices set as a whole (setChoices) are told once, by their caller, not box by box.
    const auto changed = [this] {
        if (!mFilling)
            Q_EMIT choicesChanged();
    };
    for (QCheckBox *box : {mLogX, mLogY})
        connect(box, &QCheckBox::toggled, this, changed);
    connect(mBins, &QSpinBox::valueChanged, this, changed);
    connect(mY, &QTreeWidget::itemChanged, this, changed);
    connect(mCopyTable, &QPushButton::clicked, this, &ChartPanel::copyTableRequested);
    // A category of thousands of characters: the label shows its start, the tip all of it.
    connect(mCanvas, &ChartCanvas::hoverChanged, mHover, [this](const QString &text) {
        mHover->setText(shortLabel(text, 160));
        mHover->setToolTip(text);
    });
    enableControls();
}

void ChartPanel::setFields(const QStringList &names, const QVector<int> &types)
{
    if (names == mNames && types == mTypes)
        return;
    // Choices set before the fields were known are taken as they were set.
    const ChartChoices kept = mNames.isEmpty() ? mPending : choices();
    mNames = names;
    mTypes = types;
    setChoices(kept);
}

void ChartPanel::fillFieldBoxes()
{
    mX->clear();
    mX->addItem(tr("Record number"), 0);
    mGroup->clear();
    mValue->clear();
    mValue->addItem(tr("Records"), 0);
    mY->clear();
    for (int i = 0; i < mNames.size(); ++i) {
        const int field = i + 1;
        mX->addItem(mNames[i], field);
        mGroup->addItem(mNames[i], field);
        const AxisKind kind = axisKindOf(mTypes.value(i));
        if (kind == AxisKind::Number)
            mValue->addItem(mNames[i], field);
        if (kind == AxisKind::Category)
            continue;
        auto *item = new QTreeWidgetItem(mY, {mNames[i], QString()});
        item->setData(0, Qt::UserRole, field);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Unchecked);
        item->setCheckState(1, Qt::Unchecked);
    }
}

void ChartPanel::setChoices(const ChartChoices &choices)
{
    mPending = choices;
    mFilling = true;
    fillFieldBoxes();
    mKind->setCurrentIndex(int(choices.kind));
    mX->setCurrentIndex(std::max(0, mX->findData(choices.xField)));
    for (int i = 0; i < mY->topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = mY->topLevelItem(i);
        const int field = item->data(0, Qt::UserRole).toInt();
        for (const ChartY &y : choices.yFields) {
            if (y.field == field) {
                item->setCheckState(0, Qt::Checked);
                item->setCheckState(1, y.rightAxis ? Qt::Checked : Qt::Unchecked);
            }
        }
    }
    mLogX->setChecked(choices.logX);
    mLogY->setChecked(choices.logY);
    mBins->setValue(choices.bins);
    mGroup->setCurrentIndex(std::max(0, mGroup->findData(choices.group.keyField)));
    mPeriod->setCurrentIndex(int(choices.group.period));
    mValue->setCurrentIndex(std::max(0, mValue->findData(choices.group.valueField)));
    mAggregate->setCurrentIndex(int(choices.group.aggregate));
    mFilling = false;
    enableControls();
}

ChartChoices ChartPanel::choices() const
{
    ChartChoices choices;
    choices.kind = ChartKind(std::max(0, mKind->currentIndex()));
    choices.xField = mX->currentData().toInt();
    for (int i = 0; i < mY->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = mY->topLevelItem(i);
        if (item->checkState(0) == Qt::Checked) {
            choices.yFields.append(
                ChartY{item->data(0, Qt::UserRole).toInt(), item->checkState(1) == Qt::Checked});
        }
    }
    choices.logX = mLogX->isChecked();
    choices.logY = mLogY->isChecked();
    choices.bins = mBins->value();
    choices.group.keyField = mGroup->currentData().toInt();
    choices.group.period = DatePeriod(std::max(0, mPeriod->currentIndex()));
    choices.group.valueField = mValue->currentData().toInt();
    choices.group.aggregate = Aggregate(std::max(0, mAggregate->currentIndex()));
    return choices;
}

void ChartPanel::enableControls()
{
    const auto kind = ChartKind(std::max(0, mKind->currentIndex()));
    const bool grouped = kind == ChartKind::Grouped;
    const bool xy = kind == ChartKind::Line || kind == ChartKind::Scatter || kind == ChartKind::Bars
                    || kind == ChartKind::StackedBars;
    mX->setEnabled(xy || kind == ChartKind::Counts);
    mY->setEnabled(xy || kind == ChartKind::Histogram);
    mLogX->setEnabled(kind == ChartKind::Line || kind == ChartKind::Scatter);
    mBins->setEnabled(kind == ChartKind::Histogram);
    for (QWidget *widget : {static_cast<QWidget *>(mGroup), static_cast<QWidget *>(mPeriod),
                            static_cast<QWidget *>(mValue), static_cast<QWidget *>(mAggregate)})
        widget->setEnabled(grouped);
    // The table takes room only when it has figures to show.
    mTable->setVisible(grouped);
    mCopyTable->setVisible(grouped);
}

void ChartPanel::showPicture(const ChartPicture &picture, const Regional &regional)
{
    mPicture = picture;
    mCanvas->setPicture(picture, regional);
    QStringList status;
    if (picture.isEmpty())
        status << picture.reason;
    if (picture.notPlotted > 0)
        status << notPlottedText(picture.notPlotted);
    mStatus->setText(status.join(u' '));
    showTable(picture, regional);
}

QString ChartPanel::statusText() const
{
    return mStatus->text();
}

void ChartPanel::showTable(const ChartPicture &picture, const Regional &regional)
{
    const QVector<GroupRow> &rows = picture.groups.rows;
    mTable->setRowCount(int(rows.size()));
    mTable->setHorizontalHeaderLabels({picture.x.title, tr("Records"), picture.yLeft.title});
    for (int row = 0; row < rows.size(); ++row) {
        mTable->setItem(row, 0, new QTableWidgetItem(rows[row].label));
        mTable->setItem(row, 1, new QTableWidgetItem(QString::number(rows[row].records.size())));
        mTable->setItem(
            row, 2,
            new QTableWidgetItem(axisValueText(rows[row].figure, AxisKind::Number, regional)));
    }
}

QString ChartPanel::tableText(const Regional &regional) const
{
    return groupTable(mPicture.groups, {mPicture.x.title, tr("Records"), mPicture.yLeft.title},
                      regional, TableForm::Tabs);
}

} // namespace kribed
