// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/platform/code_page.h"

#include <QHash>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace kribed {

namespace {

// The code pages whose lead and single bytes above 0x7f never take an ASCII byte along.
bool mayKeepAscii(const QByteArray &codePage)
{
    static const QByteArray Known[] = {
        "windows-1250", "windows-1251", "windows-1252", "windows-1253", "windows-1254",
        "windows-1255", "windows-1256", "windows-1257", "windows-1258", "windows-874",
        "Shift_JIS",    "windows-949",  "GBK",          "Big5",
    };
    return std::find(std::begin(Known), std::end(Known), codePage) != std::end(Known);
}

bool mapsAsciiToItself(const QByteArray &codePage)
{
    for (int c = 0; c < 0x80; ++c) {
        const char byte = char(c);
        QStringDecoder decoder(codePage.constData());
        const QString text = decoder.decode(QByteArrayView(&byte, 1));
        QStringEncoder encoder(codePage.constData());
        const QByteArray back = encoder.encode(text);
        if (!decoder.isValid() || !encoder.isValid() || text.size() != 1
            || text.at(0).unicode() != c || back != QByteArrayView(&byte, 1))
            return false;
    }
    return true;
}

} // namespace

bool keepsAscii(const QByteArray &codePage)
{
    thread_local QHash<QByteArray, bool> known;
    const auto found = known.constFind(codePage);
    if (found != known.cend())
        return *found;
    const bool keeps = mayKeepAscii(codePage) && mapsAsciiToItself(codePage);
    known.insert(codePage, keeps);
    return keeps;
}

QByteArray codePageForCharSet(int charSet)
{
    switch (charSet) {
    case 238: return QByteArrayLiteral("windows-1250");
    case 204: return QByteArrayLiteral("windows-1251");
    case 161: return QByteArrayLiteral("windows-1253");
    case 162: return QByteArrayLiteral("windows-1254");
    case 177: return QByteArrayLiteral("windows-1255");
    case 178: return QByteArrayLiteral("windows-1256");
    case 186: return QByteArrayLiteral("windows-1257");
    case 163: return QByteArrayLiteral("windows-1258");
    case 222: return QByteArrayLiteral("windows-874");
    case 128: return QByteArrayLiteral("Shift_JIS");
    case 129: return QByteArrayLiteral("windows-949");
    case 134: return QByteArrayLiteral("GBK");
    case 136: return QByteArrayLiteral("Big5");
    default: return QByteArrayLiteral("windows-1252");
    }
}

QByteArray encodeOrQuestionMark(const QString &text, const QByteArray &codePage)
{
    QStringEncoder whole(codePage.constData());
    if (!whole.isValid())
        return text.toLatin1();
    const QByteArray bytes = whole.encode(text);
    if (!whole.hasError())
        return bytes;

    // The converters disagree on what they put in place of a missing character (0x1A, a
    // double-byte mark, '?'), so each character is tried on its own.
    QByteArray result;
    result.reserve(text.size());
    for (int i = 0; i < text.size();) {
        const int length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QStringEncoder single(codePage.constData());
        const QByteArray one = single.encode(QStringView(text).mid(i, length));
        result += single.hasError() || one.isEmpty() ? QByteArray(1, '?') : one;
        i += length;
    }
    return result;
}

} // namespace kribed
