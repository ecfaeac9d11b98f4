// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTimer;

namespace kribed {

class NavigationCommands;
class Workspace;

// The bar above the grid for the record filter: the field searched, the filter text, "Field must
// begin with String", the filter's switch and how many records it shows. It holds no settings of
// its own: it shows and changes those of the properties dialog's Filter tab through the
// navigation commands, and follows them wherever they change. Typing runs the filter after a
// short pause; Return runs it at once, Escape returns to the grid.
class FilterBar : public QWidget
{
    Q_OBJECT

public:
    // How long typing pauses before the filter runs, in milliseconds.
    static constexpr int TypingPause = 300;

    FilterBar(NavigationCommands &commands, Workspace &workspace, QWidget *parent = nullptr);

    // Runs the filter with the text box's text now, if it was typed since the filter last ran.
    void applyTypedText();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    // The settings as they are now, unless the user is typing a text not yet applied.
    void showSettings();
    void showFieldNames();
    void showCount();
    // A field chosen, the match option or the text changed in the bar: one change of the filter.
    void applyBarSettings(bool switchOn);
    void showBar(bool shown);

    NavigationCommands &mCommands;
    Workspace &mWorkspace;
    QComboBox *mField = nullptr;
    QLineEdit *mText = nullptr;
    QCheckBox *mMustBegin = nullptr;
    QCheckBox *mOn = nullptr;
    QLabel *mCount = nullptr;
    QTimer *mTypingPause = nullptr;
    // A text typed that the filter has not run with yet.
    bool mTyped = false;
};

} // namespace kribed
