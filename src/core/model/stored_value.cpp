// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/stored_value.h"

#include "core/platform/code_page_converter.h"

#include <cstring>

namespace kribed {

namespace {

// True when one of the eight bytes is below 0x20 (a control byte, TAB and LF among them). A
// borrow out of such a byte may mark the bytes above it too, but never when there is none.
bool holdsControlByte(quint64 bytes)
{
    constexpr quint64 ones = 0x0101010101010101ULL;
    return ((bytes - 0x20 * ones) & ~bytes & (0x80 * ones)) != 0;
}

// The longest character of the code pages of several bytes (GB18030).
constexpr qsizetype LongestCharacter = 4;

// Moves the end back to the start of a character the cut went through. A start that ends inside
// a character reads one piece worse than the same start without that piece; pieces that were
// unreadable before the cut stay as they are.
qsizetype backToCharacter(QByteArrayView cell, qsizetype end, CodePageConverter &converter)
{
    qsizetype best = end;
    int fewest = converter.unreadable(cell.first(end));
    for (qsizetype shorter = end - 1; shorter > 0 && shorter > end - LongestCharacter; --shorter) {
        const int unreadable = converter.unreadable(cell.first(shorter));
        if (unreadable < fewest) {
            fewest = unreadable;
            best = shorter;
        }
    }
    return best;
}

} // namespace

qsizetype cleanPrefix(QByteArrayView cell, qsizetype limit)
{
    // Most cells have no control byte, so eight bytes are looked at together until a word may
    // hold one: the look at every byte of every cell is half the time of a save at the largest
    // size.
    limit = qMin<qsizetype>(cell.size(), limit);
    const char *bytes = cell.data();
    qsizetype i = 0;
    for (; i + 8 <= limit; i += 8) {
        quint64 word;
        std::memcpy(&word, bytes + i, sizeof word);
        if (holdsControlByte(word))
            break;
    }
    while (i < limit && isStoredByte(bytes[i]))
        ++i;
    return i;
}

qsizetype storedSize(QByteArrayView cell, qsizetype limit)
{
    qsizetype length = cleanPrefix(cell, limit);
    for (qsizetype i = length; i < cell.size() && length < limit; ++i) {
        if (isStoredByte(cell.at(i)))
            ++length;
    }
    return length;
}

qsizetype storedPrefixLength(QByteArrayView cell, CodePageConverter *converter)
{
    // A cell never stores more bytes than it has.
    if (cell.size() <= MaxValueBytes)
        return cell.size();
    qsizetype stored = 0;
    qsizetype end = 0;
    for (; end < cell.size(); ++end) {
        if (!isStoredByte(cell.at(end)))
            continue;
        if (stored == MaxValueBytes)
            break;
        ++stored;
    }
    if (end == cell.size())
        return end;
    // A CR whose LF goes goes with it: the cut text does not end in half a line break.
    if (cell.at(end) == '\n' && end > 0 && cell.at(end - 1) == '\r')
        --end;
    if (converter && converter->isValid() && !converter->isSingleByte())
        end = backToCharacter(cell, end, *converter);
    return end;
}

bool cutToStoredLimit(QByteArray &cell, CodePageConverter *converter)
{
    const qsizetype length = storedPrefixLength(cell, converter);
    if (length == cell.size())
        return false;
    cell.truncate(length);
    return true;
}

} // namespace kribed
