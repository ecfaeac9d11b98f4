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

const QList<FontScript> &fontScripts()
{
    static const QList<FontScript> scripts = {
        {QT_TRANSLATE_NOOP("FontScript", "Western"), 0,
         "AaBbYyZz \xC3\x84\xC3\xB6\xC3\xBC\xC3\x9F \xC3\xA9\xC3\xA8 \xE2\x82\xAC"},
        {QT_TRANSLATE_NOOP("FontScript", "Central European"), 238,
         "\xC5\x81\xC3\x93\x44\xC5\xB9 \xC4\x84\xC4\x86\xC4\x98 \xC5\xA0\xC5\xBE"},
        {QT_TRANSLATE_NOOP("FontScript", "Cyrillic"), 204,
         "\xD0\x82\xD0\xBE\xD1\x80\xD1\x92\xD0\xB5 \xD0\x90\xD0\xB0\xD0\x91\xD0\xB1\xD0\xAF\xD1\x8F"},
        {QT_TRANSLATE_NOOP("FontScript", "Greek"), 161,
         "\xCE\x91\xCE\xB1\xCE\x92\xCE\xB2\xCE\xA9\xCF\x89 \xCE\xAD\xCE\xBD\xCE\xB1"},
        {QT_TRANSLATE_NOOP("FontScript", "Turkish"), 162,
         "\xC4\x9E\xC4\x9F\xC4\xB0\xC4\xB1\xC5\x9E\xC5\x9F \xC3\x87\xC3\xA7"},
        {QT_TRANSLATE_NOOP("FontScript", "Hebrew"), 177,
         "\xD7\x90\xD7\x91\xD7\x92\xD7\x93\xD7\x94 \xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D"},
        {QT_TRANSLATE_NOOP("FontScript", "Arabic"), 178,
         "\xD8\xA3\xD8\xA8\xD8\xAC\xD8\xAF \xD9\x87\xD9\x88\xD8\xB2"},
        {QT_TRANSLATE_NOOP("FontScript", "Baltic"), 186,
         "\xC4\x80\xC4\x81\xC4\x92\xC4\x93\xC4\xAA\xC4\xAB\xC5\xAA\xC5\xAB \xC4\x96\xC4\x97"},
        {QT_TRANSLATE_NOOP("FontScript", "Vietnamese"), 163,
         "\xC4\x82\xC4\x83\xC3\x82\xC3\xA2\xC4\x90\xC4\x91\xC6\xA0\xC6\xA1\xC6\xAF\xC6\xB0"},
        {QT_TRANSLATE_NOOP("FontScript", "Thai"), 222,
         "\xE0\xB8\x81\xE0\xB8\x82\xE0\xB8\x84\xE0\xB8\x87 \xE0\xB9\x84\xE0\xB8\x97\xE0\xB8\xA2"},
        {QT_TRANSLATE_NOOP("FontScript", "Japanese"), 128,
         "\xE3\x81\x82\xE3\x81\x84\xE3\x81\x86 \xE3\x82\xA2\xE3\x82\xA4 \xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E"},
        {QT_TRANSLATE_NOOP("FontScript", "Korean"), 129,
         "\xEA\xB0\x80\xEB\x82\x98\xEB\x8B\xA4\xEB\x9D\xBC \xED\x95\x9C\xEA\xB8\x80"},
        {QT_TRANSLATE_NOOP("FontScript", "Simplified Chinese"), 134,
         "\xE7\xAE\x80\xE4\xBD\x93\xE4\xB8\xAD\xE6\x96\x87"},
        {QT_TRANSLATE_NOOP("FontScript", "Traditional Chinese"), 136,
         "\xE7\xB9\x81\xE9\xAB\x94\xE4\xB8\xAD\xE6\x96\x87"},
    };
    return scripts;
}

const FontScript *fontScriptOf(int charSet)
{
    const int wanted = charSet == 1 ? 0 : charSet;
    for (const FontScript &script : fontScripts()) {
        if (script.charSet == wanted)
            return &script;
    }
    return nullptr;
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
