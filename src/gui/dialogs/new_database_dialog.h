// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/exchange/new_database.h"
#include "core/model/regional.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace kribed {

class Prompter;

// The "New Database" dialog: name, columns, rows, one field type and one width for every field.
// It keeps its values between uses; OK validates them and, when they pass, closes with the
// shape to build (shape()). Building is the main window's step, which must first leave its
// database-open state.
class NewDatabaseDialog : public QDialog
{
    Q_OBJECT

public:
    explicit NewDatabaseDialog(Prompter &prompter, QWidget *parent = nullptr);

    // Run once when the dialog is made at start: with `selectString`, "String" is preselected;
    // otherwise the type starts without a selection (built as String).
    void preselectString(bool selectString);

    // The regional rules the name is counted and stored in; set before the dialog opens.
    void setRegional(const Regional &regional) { mRegional = regional; }
    // The font of the name box.
    void setDisplayFont(const QFont &font);

    // What the controls hold now, as typed.
    NewDatabaseChoices choices() const;
    // The shape that the last OK accepted.
    const std::optional<NewDatabaseShape> &shape() const { return mShape; }

    void okClicked();
    void cancelClicked();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // ColBox, RowBox and the width box take digits and Backspace only; every other typed
    // character, Enter too, is dropped.
    bool dropsKey(QKeyEvent *event) const;

    Prompter &mPrompter;
    Regional mRegional;
    QLineEdit *mName;
    QComboBox *mColumns;
    QComboBox *mRows;
    QComboBox *mFieldType;
    QComboBox *mFieldWidth;
    QPushButton *mOk;
    QPushButton *mCancel;
    std::optional<NewDatabaseShape> mShape;
};

} // namespace kribed
