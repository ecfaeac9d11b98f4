// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/dialogs/fill_series_dialog.h"

#include "core/model/regional.h"

#include <QDate>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kribed {

FillSeriesDialog::FillSeriesDialog(QWidget *parent)
    : QDialog(parent)
    , mConstant(new QRadioButton(tr("The same &value in every cell"), this))
    , mSeries(new QRadioButton(tr("A &series of numbers or dates"), this))
    , mStartLabel(new QLabel(this))
    , mStart(new QLineEdit(this))
    , mStep(new QLineEdit(QStringLiteral("1"), this))
    , mFormats(new QLabel(this))
{
    setObjectName(QStringLiteral("fillSeriesDialog"));
    setWindowTitle(tr("Fill series"));
    mConstant->setObjectName(QStringLiteral("fillConstant"));
    mSeries->setObjectName(QStringLiteral("fillSeries"));
    mStart->setObjectName(QStringLiteral("fillStart"));
    mStep->setObjectName(QStringLiteral("fillStep"));
    mFormats->setWordWrap(true);
    mStartLabel->setBuddy(mStart);
    auto *stepLabel = new QLabel(tr("S&tep (days for dates):"), this);
    stepLabel->setBuddy(mStep);

    auto *form = new QFormLayout;
    form->addRow(mStartLabel, mStart);
    form->addRow(stepLabel, mStep);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(mConstant);
    layout->addWidget(mSeries);
    layout->addLayout(form);
    layout->addWidget(mFormats);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(mSeries, &QRadioButton::toggled, this, &FillSeriesDialog::followKind);
    mSeries->setChecked(true);
    followKind();
}

void FillSeriesDialog::prepare(const Regional &regional)
{
    // Examples in the formats the values are read in.
    mFormats->setText(tr("Numbers as %1, dates as %2.")
                          .arg(regional.toText(regional.numberText(1234.5L)),
                               regional.toText(regional.dateText(QDate::currentDate()))));
    mStart->selectAll();
    mStart->setFocus();
}

void FillSeriesDialog::setDisplayFont(const QFont &font)
{
    mStart->setFont(font);
    mStep->setFont(font);
}

bool FillSeriesDialog::isConstant() const
{
    return mConstant->isChecked();
}

void FillSeriesDialog::setConstant(bool constant)
{
    (constant ? mConstant : mSeries)->setChecked(true);
}

QString FillSeriesDialog::start() const
{
    return mStart->text();
}

QString FillSeriesDialog::step() const
{
    return mStep->text();
}

void FillSeriesDialog::setValues(const QString &start, const QString &step)
{
    mStart->setText(start);
    mStep->setText(step);
}

void FillSeriesDialog::followKind()
{
    const bool series = mSeries->isChecked();
    mStartLabel->setText(series ? tr("St&art value:") : tr("V&alue:"));
    mStep->setEnabled(series);
}

} // namespace kribed
