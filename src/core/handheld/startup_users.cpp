// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/handheld/startup_users.h"

#include <QSettings>

namespace kribed {

namespace {

QString noticeKey()
{
    return QStringLiteral("Settings/DesktopNoticeShown");
}

} // namespace

std::unique_ptr<UserData> readUsersAtStart(Prompter &prompter, QSettings &programStore,
                                           const Regional &regional, HandheldRegistry registry,
                                           MissingDesktopNotice notice)
{
    const bool once = notice == MissingDesktopNotice::FirstStartOnly;
    const bool tell = !once || programStore.value(noticeKey()).toString() != QStringLiteral("1");
    auto users = std::make_unique<UserData>(prompter, regional, std::move(registry), tell);
    if (once && tell && users->desktopMissing()) {
        programStore.setValue(noticeKey(), QStringLiteral("1"));
        programStore.sync();
    }
    return users;
}

} // namespace kribed
