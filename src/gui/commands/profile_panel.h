// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/editing/field_profile.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QTableWidget;

namespace kribed {

class Regional;

// The field profile dock's widget: the current field's counts and extremes, and its most
// frequent values with a search box. A double-click on a value asks for the filter to it.
class ProfilePanel : public QWidget
{
    Q_OBJECT

public:
    explicit ProfilePanel(QWidget *parent = nullptr);

    void showProfile(const QString &fieldName, const FieldProfile &profile,
                     const Regional &regional);
    void clear();
    QString figuresText() const;
    QTableWidget &values() { return *mValues; }

Q_SIGNALS:
    void valueChosen(const QByteArray &value);

private:
    void showValues();

    QLabel *mFigures = nullptr;
    QLineEdit *mSearch = nullptr;
    QTableWidget *mValues = nullptr;
    QVector<ValueCount> mCounts;
    QStringList mTexts;
};

} // namespace kribed
