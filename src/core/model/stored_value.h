// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/model/limits.h"

#include <QByteArray>
#include <QByteArrayView>

namespace kribed {

class CodePageConverter;

// A cell holds a line break as CR LF, the file as LF alone: a record stores a cell without CR and
// the other control characters but LF and TAB, and at most MaxValueBytes of what is left (then
// its NUL). Every cut at the longest value measures a cell this way, so that nothing is cut that
// the file would have held.

inline bool isStoredByte(char byte)
{
    return uchar(byte) >= 0x20 || byte == '\n' || byte == '\t';
}

// How many leading bytes of the cell, at most `limit`, are stored as they stand.
qsizetype cleanPrefix(QByteArrayView cell, qsizetype limit);

// How many bytes a record stores of the cell (before its NUL), counted up to `limit`.
qsizetype storedSize(QByteArrayView cell, qsizetype limit = MaxValueBytes);

// The length of the longest start of the cell that a record stores whole: at most MaxValueBytes
// stored bytes, never ending between a CR and its LF, and, with the converter of a code page of
// several bytes, never inside a character.
qsizetype storedPrefixLength(QByteArrayView cell, CodePageConverter *converter = nullptr);

// Cuts the cell to that start; true when something was cut.
bool cutToStoredLimit(QByteArray &cell, CodePageConverter *converter = nullptr);

} // namespace kribed
