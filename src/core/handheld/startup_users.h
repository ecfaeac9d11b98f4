// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/handheld/user_data.h"

#include <memory>

class QSettings;

namespace kribed {

class Regional;

// How often the start tells that the Palm Desktop software is missing. On Windows it belongs
// beside the editor, so its absence is worth a word at every start; elsewhere nobody has it, and
// the word is said once per user, at the first start.
enum class MissingDesktopNotice { EveryStart, FirstStartOnly };

constexpr MissingDesktopNotice platformDesktopNotice()
{
#ifdef Q_OS_WIN
    return MissingDesktopNotice::EveryStart;
#else
    return MissingDesktopNotice::FirstStartOnly;
#endif
}

// The settings key ("Settings/ShowDesktopNotice") that the message's check box "Do not show this
// again" sets to "0"; missing or any other value shows the message.
QString showDesktopNoticeKey();

// The handheld user list as the program reads it at start; the message about the missing desktop
// software comes with the check box "Do not show this again". With FirstStartOnly the program's
// own settings store remembers that the message was shown. Both are written at once, so a start
// that ends abnormally keeps them too.
std::unique_ptr<UserData> readUsersAtStart(Prompter &prompter, QSettings &programStore,
                                           const Regional &regional,
                                           HandheldRegistry registry = HandheldRegistry(),
                                           MissingDesktopNotice notice = platformDesktopNotice());

} // namespace kribed
