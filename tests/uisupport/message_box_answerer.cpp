// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "message_box_answerer.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>

namespace kribed::test {

MessageBoxAnswerer::MessageBoxAnswerer(std::function<void(QMessageBox &)> look)
{
    mTimer.setInterval(10);
    QObject::connect(&mTimer, &QTimer::timeout, [look = std::move(look)] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        look(*box);
        QTest::keyClick(box, Qt::Key_Escape);
    });
    mTimer.start();
}

} // namespace kribed::test
