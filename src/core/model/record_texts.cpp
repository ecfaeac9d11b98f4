// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/record_texts.h"

#include "core/model/pdb_format.h"

#include <cstring>

namespace kribed {

namespace {

// A copy is found by its start and its length, which never exceeds one record's bytes.
constexpr int LengthBits = 18;
static_assert(pdb::RecordReadLimit < (1 << LengthBits));

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

bool RecordTexts::next(qsizetype &position, qsizetype end, QByteArray &text)
{
    if (position >= end) {
        ++position;
        text = QByteArray();
        return true;
    }
    const qsizetype from = position;
    const char *start = mBytes.constData() + from;
    const void *nul = std::memchr(start, 0, size_t(end - from));
    const qsizetype length = nul ? static_cast<const char *>(nul) - start : end - from;
    position += length + 1;
    if (length == 0) {
        text = QByteArray(start, 0);
        return true;
    }
    // Cells show a line break as CR LF; the file holds LF alone.
    const bool lineBreaks = std::memchr(start, '\n', size_t(length)) != nullptr;
    // The buffer's own terminator stands after its last byte.
    const bool endsInNul = nul || from + length == mBytes.size();
    if (endsInNul && !lineBreaks) {
        text = shared(from, length);
        return true;
    }
    return copied(from, length, lineBreaks, text);
}

// A cell that refers to the buffer's bytes like any implicitly shared copy: it keeps them alive
// and detaches on its first change. Its text ends in a NUL like every other cell's.
QByteArray RecordTexts::shared(qsizetype from, qsizetype length)
{
    QByteArray::DataPointer piece = mBytes.data_ptr(); // one more reference to the buffer
    if (!piece.d_ptr())
        return QByteArray(mBytes.constData() + from, length); // not owned: no sharing
    piece.ptr += from;
    piece.size = length;
    return QByteArray(std::move(piece));
}

bool RecordTexts::copied(qsizetype from, qsizetype length, bool lineBreaks, QByteArray &text)
{
    const quint64 key = copyKey(from, length);
    const auto found = mCopies.constFind(key);
    if (found != mCopies.cend()) {
        text = *found;
        return true;
    }
    QByteArray copy(mBytes.constData() + from, length);
    if (lineBreaks)
        copy.replace("\n", "\r\n");
    mCopyRoom -= copy.size();
    if (mCopyRoom < 0)
        return false;
    mCopies.insert(key, copy);
    text = std::move(copy);
    return true;
}

} // namespace kribed
