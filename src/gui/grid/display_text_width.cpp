// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/grid/display_text_width.h"

#include <QFontMetrics>
#include <QStringDecoder>

#include <memory>
#include <vector>

namespace kribed {

namespace {

bool isMultiByte(const QByteArray &codePage)
{
    return codePage == "Shift_JIS" || codePage == "windows-949" || codePage == "GBK"
           || codePage == "Big5";
}

ByteWidths singleByteWidths(const QFontMetrics &metrics, const QByteArray &codePage)
{
    ByteWidths widths{};
    QStringDecoder decoder(codePage.constData());
    for (int byte = 0; byte < 256; ++byte) {
        const char text[1] = {char(byte)};
        const QString character =
            decoder.isValid() ? decoder.decode(QByteArrayView(text, 1)) : QString(QChar(byte));
        widths[byte] = metrics.horizontalAdvance(character);
    }
    return widths;
}

} // namespace

TextWidthMeasure displayTextMeasure(const QFont &font, const QByteArray &codePage)
{
    const QFontMetrics metrics(font);
    if (!isMultiByte(codePage))
        return byteWidthMeasure(singleByteWidths(metrics, codePage));

    // The decoder and the advance cache live as long as the measure.
    auto decoder = std::make_shared<QStringDecoder>(codePage.constData());
    auto advances = std::make_shared<std::vector<int>>(0x10000, -1);
    return [metrics, decoder, advances](QByteArrayView text) {
        int width = 0;
        decoder->resetState();
        const QString decoded = decoder->decode(text);
        for (const QChar character : decoded) {
            int &advance = (*advances)[character.unicode()];
            if (advance < 0)
                advance = metrics.horizontalAdvance(character);
            width += advance;
        }
        return width;
    };
}

} // namespace kribed
