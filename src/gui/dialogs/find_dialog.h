// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/editing/find.h"

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace kribed {

class Regional;

// The "Find" dialog: the search string, the field to search and two options. Made once and kept,
// so the string and the "Field must begin with String" choice stay between showings; it also
// keeps the search position for the whole run. Find closes the dialog with Accepted (the caller
// then searches), Close clears the search position, Escape only closes.
class FindDialog : public QDialog
{
    Q_OBJECT

public:
    explicit FindDialog(QWidget *parent = nullptr);

    // The show steps: the field list is "All Fields" and then the field names, "Find from the
    // start" is checked exactly when the current row is row 1.
    void prepare(const QStringList &fieldNames, int currentRow);
    // The font of the search text.
    void setDisplayFont(const QFont &font);

    // The search as the controls give it now, shown or not; the text in the code page of
    // `regional`.
    FindSettings settings(const Regional &regional) const;
    FindState &state() { return mState; }

public Q_SLOTS:
    void findClicked();
    void closeClicked();

private:
    QLineEdit *mFind = nullptr;
    QComboBox *mFields = nullptr;
    QCheckBox *mMustBegin = nullptr;
    QCheckBox *mFromStart = nullptr;
    QPushButton *mFindButton = nullptr;
    QPushButton *mCloseButton = nullptr;
    FindState mState;
};

} // namespace kribed
