// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QString>

namespace kribed {

class Prompter;

// A limit stops the operation: "Information" with the error icon and OK.
void reportRefusal(Prompter &prompter, const QString &text);

// "Confirm" with Yes and No; in expert mode nothing is asked and the answer is Yes.
bool confirmOperation(Prompter &prompter, bool expertMode, const QString &question);

} // namespace kribed
