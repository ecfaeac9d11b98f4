// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/record_texts.h"

#include "core/model/pdb_format.h"

#include <cstring>
#include <limits>

namespace kribed {

namespace {

// A copy is found by its start and its length, which never exceeds one record's bytes.
constexpr int LengthBits = 18;
static_assert(pdb::RecordReadLimit < (1 << LengthBits));

// Places are 32-bit; the file's bytes and the copies together must stay below that.
constexpr qint64 MaxBufferBytes = std::numeric_limits<quint32>::max();

quint64 copyKey(qsizetype from, qsizetype length)
{
    return (quint64(from) << LengthBits) | quint64(length);
}

} // namespace

RecordTexts::RecordTexts(QByteArray bytes)
    : mBytes(std::move(bytes))
    , mCopyRoom(2 * qint64(mBytes.size()) + pdb::RecordReadLimit)
{
}

bool RecordTexts::next(qsizetype &position, qsizetype end, TextSpan &place)
{
    if (position >= end) {
        ++position;
        place = TextSpan();
        return true;
    }
    const qsizetype from = position;
    const char *start = mBytes.constData() + from;
    const void *nul = std::memchr(start, 0, size_t(end - from));
    const qsizetype length = nul ? static_cast<const char *>(nul) - start : end - from;
    position += length + 1;
    if (length == 0) {
        place = TextSpan();
        return true;
    }
    // Cells show a line break as CR LF; the file holds LF alone.
    const bool lineBreaks = std::memchr(start, '\n', size_t(length)) != nullptr;
    // The buffer's own terminator stands after its last byte; the copies begin with a NUL to
    // keep it there.
    const bool endsInNul = nul || from + length == mBytes.size();
    if (endsInNul && !lineBreaks) {
        if (from + length >= MaxBufferBytes)
            return false;
        place = {quint32(from), quint32(length)};
        return true;
    }
    return copied(from, length, lineBreaks, place);
}

bool RecordTexts::copied(qsizetype from, qsizetype length, bool lineBreaks, TextSpan &place)
{
    const quint64 key = copyKey(from, length);
    const auto found = mCopyPlaces.constFind(key);
    if (found != mCopyPlaces.cend()) {
        place = *found;
        return true;
    }
    QByteArray copy(mBytes.constData() + from, length);
    if (lineBreaks)
        copy.replace("\n", "\r\n");
    mCopyRoom -= copy.size();
    if (mCopyRoom < 0)
        return false;
    if (mCopies.isEmpty())
        mCopies.append('\0');
    const qsizetype at = mBytes.size() + mCopies.size();
    if (at + copy.size() >= MaxBufferBytes)
        return false;
    mCopies.append(copy);
    mCopies.append('\0');
    place = {quint32(at), quint32(copy.size())};
    mCopyPlaces.insert(key, place);
    return true;
}

QByteArray RecordTexts::takeBuffer()
{
    mBytes.append(mCopies);
    mCopies = QByteArray();
    mCopyPlaces.clear();
    return std::move(mBytes);
}

} // namespace kribed
