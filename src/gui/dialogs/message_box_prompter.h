// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/platform/prompter.h"

class QWidget;

namespace kribed {

// Shows each message as a modal QMessageBox over the given window.
class MessageBoxPrompter : public Prompter
{
public:
    explicit MessageBoxPrompter(QWidget *parent = nullptr)
        : mParent(parent)
    {
    }
    void setParent(QWidget *parent) { mParent = parent; }
    Answer ask(const Message &message) override;
    Answer askWithCheckBox(const Message &message, CheckBox &box) override;

private:
    Answer show(const Message &message, CheckBox *box);

    QWidget *mParent;
};

} // namespace kribed
