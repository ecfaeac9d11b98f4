// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QByteArray>
#include <QHash>

namespace kribed {

// The texts of a file's records, taken from one buffer of the file's bytes (from the first record
// on). A text that can stand as the file holds it becomes a cell that shares the buffer's bytes,
// so records whose offsets overlap or repeat take no more memory than the file itself. A text that
// needs bytes of its own (its LF made CR LF, or cut before its NUL) is made once for its place in
// the file; such copies together stay within twice the buffer and one record, and a file that
// would need more is refused.
class RecordTexts
{
public:
    explicit RecordTexts(QByteArray bytes);

    qsizetype size() const { return mBytes.size(); }

    // The text at `position`, up to its NUL or, without one, up to `end` (where the record's
    // bytes stop); at or past `end` every text is empty. Moves `position` past the text and its
    // NUL. False when the text would need more copied bytes than the file allows.
    bool next(qsizetype &position, qsizetype end, QByteArray &text);

private:
    QByteArray shared(qsizetype from, qsizetype length);
    bool copied(qsizetype from, qsizetype length, bool lineBreaks, QByteArray &text);

    QByteArray mBytes;
    QHash<quint64, QByteArray> mCopies; // by place and length in the buffer
    qint64 mCopyRoom;
};

} // namespace kribed
