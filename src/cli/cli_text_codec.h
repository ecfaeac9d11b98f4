// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

#include <optional>

namespace kribed {

// Turns the database's bytes into printable text and command-line text into bytes, through the
// code page chosen with --codepage. One decoder serves every cell, reset before each, so a
// multi-byte code page never carries a half character from one cell into the next.
class CliTextCodec
{
public:
    explicit CliTextCodec(const QByteArray &codePage);

    bool isValid() const
    {
        return mDecoder.isValid() && QStringEncoder(mCodePage.constData()).isValid();
    }
    // Whether bytes below 0x80 decode to the same ASCII characters.
    bool keepsAscii() const { return mKeepsAscii; }
    // Whether every byte reads as a character on its own, whatever stands around it: a text then
    // decodes as its bytes one by one do (single-byte code pages that keep ASCII).
    bool decodesByteByByte();
    QString decode(QByteArrayView bytes);
    // A character the code page cannot hold becomes '?'.
    QByteArray encode(const QString &text);

private:
    QByteArray mCodePage;
    QStringDecoder mDecoder;
    bool mKeepsAscii = false;
    std::optional<bool> mByteByByte; // learnt when first asked: it costs a few milliseconds
};

} // namespace kribed
