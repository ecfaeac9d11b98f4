// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QRadioButton;

namespace kribed {

class Regional;

// Edit > Fill series: one value for every selected cell, or a series from a start value with a
// step (numbers, or dates with a step in days), typed in the database's regional formats.
class FillSeriesDialog : public QDialog
{
    Q_OBJECT

public:
    explicit FillSeriesDialog(QWidget *parent = nullptr);

    // The show steps: the examples follow the formats in force; the last values stay.
    void prepare(const Regional &regional);
    void setDisplayFont(const QFont &font);

    bool isConstant() const;
    void setConstant(bool constant);
    QString start() const;
    QString step() const;
    void setValues(const QString &start, const QString &step);

private:
    void followKind();

    QRadioButton *mConstant;
    QRadioButton *mSeries;
    QLabel *mStartLabel;
    QLineEdit *mStart;
    QLineEdit *mStep;
    QLabel *mFormats;
};

} // namespace kribed
