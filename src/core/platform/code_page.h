// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QByteArray>
#include <QString>

namespace kribed {

// The code page a Windows font character set number stands for; unknown numbers (and the default
// set, 1) show cells as windows-1252.
QByteArray codePageForCharSet(int charSet);

// Whether every byte below 0x80 stands for the same ASCII character in the code page, on its own
// and never as part of a longer sequence, both ways: a text of such bytes needs no converter.
bool keepsAscii(const QByteArray &codePage);

// Encodes text in the code page; each character the code page cannot hold becomes '?'.
QByteArray encodeOrQuestionMark(const QString &text, const QByteArray &codePage);

} // namespace kribed
