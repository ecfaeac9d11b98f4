// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>

namespace kribed {

// Hands a device's bytes to a reader (one with feed, finish and stopped) in chunks, so a text file
// of any size is read in little memory. False on a read error; the reader then has only part.
template<typename Reader> bool feedInChunks(QIODevice &device, Reader &reader)
{
    constexpr qint64 Chunk = 1 << 16;
    QByteArray chunk(Chunk, Qt::Uninitialized);
    while (!reader.stopped()) {
        const qint64 got = device.read(chunk.data(), Chunk);
        if (got < 0)
            return false;
        if (got == 0)
            break;
        reader.feed(QByteArrayView(chunk.constData(), got));
    }
    reader.finish();
    return true;
}

} // namespace kribed
