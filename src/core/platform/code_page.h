// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QByteArray>
#include <QString>

namespace kribed {

// The code page a Windows font character set number stands for; unknown numbers (and the default
// set, 1) show cells as windows-1252.
QByteArray codePageForCharSet(int charSet);

// Encodes text in the code page; each character the code page cannot hold becomes '?'.
QByteArray encodeOrQuestionMark(const QString &text, const QByteArray &codePage);

} // namespace kribed
