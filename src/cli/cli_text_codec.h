// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

namespace kribed {

// Turns the database's bytes into printable text and command-line text into bytes, through the
// code page chosen with --codepage. One decoder serves every cell, reset before each, so a
// multi-byte code page never carries a half character from one cell into the next.
class CliTextCodec
{
public:
    explicit CliTextCodec(const QByteArray &codePage);

    bool isValid() const { return mDecoder.isValid() && mEncoder.isValid(); }
    // Whether bytes below 0x80 decode to the same ASCII characters.
    bool keepsAscii() const { return mKeepsAscii; }
    QString decode(QByteArrayView bytes);
    // A character the code page cannot hold becomes '?'.
    QByteArray encode(const QString &text);

private:
    QStringDecoder mDecoder;
    QStringEncoder mEncoder;
    bool mKeepsAscii = false;
};

} // namespace kribed
