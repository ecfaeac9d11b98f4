// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/handheld/startup_users.h"

#include "core/platform/prompter.h"

#include <QCoreApplication>
#include <QSettings>

namespace kribed {

namespace {

// Written once, the first time the message is shown where it is told once.
QString noticeKey()
{
    return QStringLiteral("Settings/DesktopNoticeShown");
}

} // namespace

QString showDesktopNoticeKey()
{
    return QStringLiteral("Settings/ShowDesktopNotice");
}

std::unique_ptr<UserData> readUsersAtStart(Prompter &prompter, QSettings &programStore,
                                           const Regional &regional, HandheldRegistry registry,
                                           MissingDesktopNotice notice)
{
    const bool once = notice == MissingDesktopNotice::FirstStartOnly;
    const bool wanted =
        programStore.value(showDesktopNoticeKey()).toString() != QStringLiteral("0");
    const bool tell =
        wanted && (!once || programStore.value(noticeKey()).toString() != QStringLiteral("1"));
    // The list is read without a word; the word, with its check box, is said here.
    auto users = std::make_unique<UserData>(prompter, regional, std::move(registry), false);
    if (!tell || !users->desktopMissing())
        return users;
    CheckBox doNotShow{QCoreApplication::translate("StartupUsers", "Do not show this again")};
    prompter.askWithCheckBox({QCoreApplication::translate("UserData", "Kribed"),
                              desktopNotInstalledText(), Icon::Error, Buttons::Ok},
                             doNotShow);
    if (once)
        programStore.setValue(noticeKey(), QStringLiteral("1"));
    if (doNotShow.checked)
        programStore.setValue(showDesktopNoticeKey(), QStringLiteral("0"));
    if (once || doNotShow.checked)
        programStore.sync();
    return users;
}

} // namespace kribed
