// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/text_match.h"

namespace kribed {

namespace {

char foldByte(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

} // namespace

QByteArray foldAToZ(QByteArrayView text)
{
    QByteArray folded(text.size(), Qt::Uninitialized);
    for (qsizetype at = 0; at < text.size(); ++at)
        folded[at] = foldByte(text[at]);
    return folded;
}

bool matchesFolded(QByteArrayView cell, QByteArrayView foldedText, bool mustBegin)
{
    const qsizetype n = foldedText.size();
    if (n > cell.size())
        return false;
    const qsizetype lastStart = mustBegin ? 0 : cell.size() - n;
    for (qsizetype start = 0; start <= lastStart; ++start) {
        qsizetype at = 0;
        while (at < n && foldByte(cell[start + at]) == foldedText[at])
            ++at;
        if (at == n)
            return true;
    }
    return false;
}

} // namespace kribed
