// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/editing/replace.h"

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kribed {

// The "Replace" dialog: it only gathers the settings; its buttons ask the command to find the
// next match, replace the current one or replace every match. It stays open beside the grid (not
// modal), so the user sees each match while deciding, and keeps its texts between showings.
class ReplaceDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ReplaceDialog(QWidget *parent = nullptr);

    // Before each showing: the field list ("All Fields", then the names; the chosen field stays
    // while it exists), "In selection" offered only for a block of cells, "Include hidden
    // records" only while the record filter is on.
    void prepare(const QStringList &fieldNames, bool blockSelected, bool filterOn);
    // While the dialog is open the fields change under it: the list shows the names as they are
    // now with `chosenField` chosen (0: all fields; -1: none, as the chosen field was deleted,
    // and then nothing is searched until the user chooses again).
    void showFields(const QStringList &fieldNames, int chosenField);
    // The field chosen: 0 for all fields, -1 for none.
    int chosenField() const;
    // The selection changed: "In selection" is offered while a block is selected, and stays
    // while it is checked, so a click into the grid never widens a replacement to the table.
    void offerSelection(bool blockSelected);
    // The font of the two texts, which are cell texts.
    void setDisplayFont(const QFont &font);

    // The settings as the controls hold them; the selection is the caller's to fill in when
    // inSelection() is true.
    ReplaceSettings settings() const;
    bool inSelection() const;

Q_SIGNALS:
    void findNextRequested();
    void replaceRequested();
    void replaceAllRequested();

private:
    // The expression's error beside the box while the pattern is invalid; the buttons that
    // search wait for a valid one and for a chosen field.
    void checkExpression();

    QLineEdit *mFind = nullptr;
    QLineEdit *mReplacement = nullptr;
    QLabel *mExpressionError = nullptr;
    QComboBox *mFields = nullptr;
    QCheckBox *mMatchCase = nullptr;
    QCheckBox *mWholeCell = nullptr;
    QCheckBox *mRegularExpression = nullptr;
    QCheckBox *mInSelection = nullptr;
    QCheckBox *mIncludeHidden = nullptr;
    QPushButton *mFindNext = nullptr;
    QPushButton *mReplace = nullptr;
    QPushButton *mReplaceAll = nullptr;
    QPushButton *mClose = nullptr;
    bool mBlockSelected = false;
};

} // namespace kribed
