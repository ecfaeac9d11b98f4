// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QTimer>

#include <functional>

class QMessageBox;

namespace kribed::test {

// Answers the real message boxes a window shows while it lives, as a user would (Escape), after
// handing each one to `look` while it is up.
class MessageBoxAnswerer
{
public:
    explicit MessageBoxAnswerer(std::function<void(QMessageBox &)> look);
    // No box is answered or looked at after this.
    void stop() { mTimer.stop(); }

private:
    QTimer mTimer;
};

} // namespace kribed::test
