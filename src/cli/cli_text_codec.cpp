// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "cli/cli_text_codec.h"

#include "core/platform/code_page.h"

#include <QList>

namespace kribed {

CliTextCodec::CliTextCodec(const QByteArray &codePage)
    : mDecoder(codePage.constData())
    , mEncoder(codePage.constData())
    , mKeepsAscii(isValid() && kribed::keepsAscii(codePage))
{
}

QString CliTextCodec::decode(QByteArrayView bytes)
{
    mDecoder.resetState();
    return mDecoder.decode(bytes);
}

QByteArray CliTextCodec::encode(const QString &text)
{
    // A converter may substitute its own byte (often SUB, 0x1A) for a character it lacks, so each
    // character is checked by a round trip and written as '?' when it does not come back.
    QByteArray bytes;
    const QList<uint> codePoints = text.toUcs4();
    for (const uint codePoint : codePoints) {
        const char32_t character = codePoint;
        const QString single = QString::fromUcs4(&character, 1);
        mEncoder.resetState();
        const QByteArray encoded = mEncoder.encode(single);
        if (mEncoder.hasError() || encoded.isEmpty() || decode(encoded) != single)
            bytes += '?';
        else
            bytes += encoded;
    }
    return bytes;
}

} // namespace kribed
