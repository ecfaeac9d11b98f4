// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/handheld/user_data.h"
#include "main_window_fixture.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace kribed::test {

// Kunden.PDB as the handheld tests open it: fields Name and Ort, the records Meier|Bonn and
// Schulz|Berlin, fixed dates.
QByteArray kunden();

// The main window over the Desktop software's own user list (users.dat and its INI file in the
// test's folder) instead of a fixed one; Install writes below mData.
class HandheldWindowFixture : protected MainWindowFixture
{
protected:
    using MainWindowFixture::makeWindow;
    // Two handheld users, "Anna" (3) and "Bert M" (258), the second being the Desktop's last one,
    // or none; Kunden.PDB open in a new window.
    void makeWindow(bool withUsers);
    // The install flag "HotSync Manager/<name>" as the program reads it back.
    QString installFlag(const QString &name) const;

    QString mData;
    QString mOwnFile;
    std::unique_ptr<UserData> mUsers;
};

} // namespace kribed::test
