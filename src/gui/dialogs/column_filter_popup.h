// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/editing/column_filter.h"
#include "core/editing/value_counts.h"
#include "core/model/regional.h"

#include <QFrame>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

namespace kribed {

class ValueCheckModel;

// The drop-down of a field's header while column filters are on: the field's distinct values with
// their counts to tick (a search box narrows the list, "Select all" ticks what it shows), and two
// conditions by the field's type joined by AND or OR. OK hands the filter over by `chosen` unless
// a condition cannot run: then the reason shows beside the conditions and nothing changes.
// Every control is reached with Tab; Escape closes it.
class ColumnFilterPopup : public QFrame
{
    Q_OBJECT

public:
    explicit ColumnFilterPopup(QWidget *parent = nullptr);

    // Shows the field's filter; `counts` are over the records the other filters leave and
    // `unreadable` how many of its cells the conditions could not read as the field's type.
    void prepare(int field, const QString &fieldName, int typeIndex, const Regional &regional,
                 const QVector<ValueCount> &counts, const FieldFilter &filter, int unreadable);

    // The filter the controls describe now.
    FieldFilter filter() const;
    // OK: hands the filter over, or shows why it cannot run and keeps the popup open.
    void accept();

    QLineEdit *searchBox() const { return mSearch; }
    // The value list; its model holds the values and their ticks (ValueCheckModel::BytesRole
    // gives a row's value).
    QListView *valueList() const { return mValues; }
    QCheckBox *selectAllBox() const { return mSelectAll; }
    QComboBox *testBox(int index) const { return mTests[index]; }
    QLineEdit *valueBox(int index) const { return mValueBoxes[index]; }
    QLineEdit *secondBox(int index) const { return mSecondBoxes[index]; }
    QComboBox *joinBox() const { return mJoin; }
    QLabel *errorLabel() const { return mError; }

Q_SIGNALS:
    void chosen(const FieldFilter &filter);
    // "Clear filter": the field's filter goes.
    void cleared(int field);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void fillTests(int typeIndex);
    void showCondition(int index, const ColumnCondition *condition);
    void narrowList(const QString &text);
    void selectAll(bool on);
    void showSelectAll();
    void followTests();

    QLabel *mTitle;
    QLineEdit *mSearch;
    QCheckBox *mSelectAll;
    ValueCheckModel *mValueModel;
    QListView *mValues;
    QComboBox *mTests[2];
    QLineEdit *mValueBoxes[2];
    QLineEdit *mSecondBoxes[2];
    QComboBox *mJoin;
    QLabel *mUnreadable;
    QLabel *mError;
    QPushButton *mClear;
    Regional mRegional;
    int mField = 0;
    int mType = 0;
    // Set while many values are ticked at once, which tell the Select all box once at the end.
    bool mTicking = false;
};

} // namespace kribed
