// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/model/record.h"

#include <QByteArray>
#include <QHash>

namespace kribed {

// The texts of a file's records, taken from one buffer of the file's bytes (from the first record
// on). A text that can stand as the file holds it is placed on the buffer's own bytes, so records
// whose offsets overlap or repeat take no more memory than the file itself. A text that needs
// bytes of its own (its LF made CR LF, or cut before its NUL) is copied once for its place in the
// file, after the file's bytes; such copies together stay within twice the file and one record,
// and a file that would need more is refused.
class RecordTexts
{
public:
    explicit RecordTexts(QByteArray bytes);

    // The size of the file's bytes.
    qsizetype size() const { return mBytes.size(); }

    // The place of the text at `position`, up to its NUL or, without one, up to `end` (where the
    // record's bytes stop); at or past `end` every text is empty. Moves `position` past the text
    // and its NUL. False when the text would need more copied bytes than the file allows.
    bool next(qsizetype &position, qsizetype end, TextSpan &place);

    // The buffer every place refers to: the file's bytes, then the copies. Taken once, after the
    // last text.
    QByteArray takeBuffer();

private:
    bool copied(qsizetype from, qsizetype length, bool lineBreaks, TextSpan &place);

    QByteArray mBytes;
    QByteArray mCopies;
    QHash<quint64, TextSpan> mCopyPlaces; // by place and length in the file's bytes
    qint64 mCopyRoom;
};

} // namespace kribed
