// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "cli/cli_text_codec.h"

#include "core/platform/code_page.h"
#include "core/platform/code_page_converter.h"

namespace kribed {

CliTextCodec::CliTextCodec(const QByteArray &codePage)
    : mCodePage(codePage)
    , mDecoder(codePage.constData())
    , mKeepsAscii(isValid() && kribed::keepsAscii(codePage))
{
}

bool CliTextCodec::decodesByteByByte()
{
    if (!mByteByByte)
        mByteByByte = mKeepsAscii && CodePageConverter::shared(mCodePage).isSingleByte();
    return *mByteByByte;
}

QString CliTextCodec::decode(QByteArrayView bytes)
{
    mDecoder.resetState();
    return mDecoder.decode(bytes);
}

QByteArray CliTextCodec::encode(const QString &text)
{
    // The core's converter checks each character on its own, so one character the code page lacks
    // turns into '?' without taking the characters after it along.
    return CodePageConverter::shared(mCodePage).encode(text);
}

} // namespace kribed
