// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>

namespace kribed {

// Hands a device's bytes to a reader (one with feed, finish and stopped) in chunks, so a text file
// of any size is read in little memory. False on a read error; the reader then has only part.
// A device that knows its size and holds less than a chunk is read with a buffer of that size
// plus one byte (the read that finds the end), so reading a short text allocates little.
template<typename Reader> bool feedInChunks(QIODevice &device, Reader &reader)
{
    constexpr qint64 MaxChunk = 1 << 16;
    const qint64 left = device.isSequential() ? MaxChunk : device.bytesAvailable() + 1;
    const qint64 chunkSize = qBound<qint64>(1, left, MaxChunk);
    QByteArray chunk(chunkSize, Qt::Uninitialized);
    while (!reader.stopped()) {
        const qint64 got = device.read(chunk.data(), chunkSize);
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
