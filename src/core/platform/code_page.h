// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace kribed {

// The code page a Windows font character set number stands for; unknown numbers (and the default
// set, 1) show cells as windows-1252.
QByteArray codePageForCharSet(int charSet);

// The scripts the Font command offers, in its order: each with the Windows character set number
// that is stored with the display font and picks the code page, and a line of its letters that
// the code page holds, shown as a sample.
struct FontScript
{
    const char *name; // shown through QCoreApplication::translate("FontScript", name)
    int charSet;
    const char *sample; // UTF-8
};
const QList<FontScript> &fontScripts();
// The script of a character set number (the default set 1 is Western), or none.
const FontScript *fontScriptOf(int charSet);

// Whether every byte below 0x80 stands for the same ASCII character in the code page, on its own
// and never as part of a longer sequence, both ways: a text of such bytes needs no converter.
bool keepsAscii(const QByteArray &codePage);

// Encodes text in the code page; each character the code page cannot hold becomes '?'.
QByteArray encodeOrQuestionMark(const QString &text, const QByteArray &codePage);

} // namespace kribed
