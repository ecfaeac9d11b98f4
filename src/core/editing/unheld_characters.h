// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/platform/prompter.h"

#include <QByteArray>
#include <QStringView>

#include <optional>

namespace kribed {

class Regional;

// The warning for text typed or pasted into cells (in place, in the cell editor, by Paste cell or
// a pasted block) that holds characters the code page cannot hold: it names each of them once,
// so that nothing becomes '?' without a word. Shown once per edit, before the text is stored;
// none when the code page holds the whole text.
std::optional<Message> unheldCharactersWarning(QStringView text, const QByteArray &codePage);
// Shows that warning, for the code page in force, when the text needs it.
void warnOfUnheldCharacters(Prompter &prompter, QStringView text, const Regional &regional);

} // namespace kribed
