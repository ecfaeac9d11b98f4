// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "main_window_fixture.h"

#include <QAbstractItemModelTester>
#include <QByteArray>
#include <QString>

#include <memory>

class QAbstractItemModel;

namespace kribed::test {

// The main window, shown, with the demo database open and a model tester on the grid's model.
// The demo has the fields Name (String), Changed (Modification Date) and Number (Auto-increment
// Integer) and four records "nR|1/1/2000|R".
class DemoWindowFixture : protected MainWindowFixture
{
protected:
    // From init and cleanup.
    void startDemoTest();
    void endDemoTest();

    void openDemo();
    QAbstractItemModel *model();
    // The record's cells joined by "|".
    QByteArray row(int record);
    // Today's date as a stamp writes it.
    QByteArray today();
    // The Yes/No question before a row or column command.
    void expectQuestion(const QString &text, Answer answer);

    std::unique_ptr<QAbstractItemModelTester> mTester;
};

} // namespace kribed::test
