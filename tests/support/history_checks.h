// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QRegularExpression>
#include <QTest>

namespace kribed::test {

// The warning a change of cells or shape gives when it ends the undo history unasked.
inline QRegularExpression historyEndedWarning()
{
    return QRegularExpression(QStringLiteral("^EditHistory: .* ended the undo history"));
}

// Called from init() (or a fixture's set-up): the running test fails on that warning.
inline void failOnHistoryEnded()
{
    QTest::failOnWarning(historyEndedWarning());
}

} // namespace kribed::test
