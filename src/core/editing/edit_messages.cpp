// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/edit_messages.h"

#include <QCoreApplication>

#include "core/platform/prompter.h"

namespace kribed {

void reportRefusal(Prompter &prompter, const QString &text)
{
    prompter.ask({QCoreApplication::translate("EditMessages", "Information"), text, Icon::Error,
                  Buttons::Ok});
}

bool confirmOperation(Prompter &prompter, bool expertMode, const QString &question)
{
    if (expertMode)
        return true;
    return prompter.ask({QCoreApplication::translate("EditMessages", "Confirm"), question,
                         Icon::Question, Buttons::YesNo})
           == Answer::Yes;
}

} // namespace kribed
