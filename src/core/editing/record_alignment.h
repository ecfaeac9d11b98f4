// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QVector>
#include <QtGlobal>

#include <functional>

namespace kribed {

// One element of the older sequence matched with one of the newer (0-based).
struct AlignedPair
{
    int older = 0;
    int newer = 0;
    friend bool operator==(AlignedPair a, AlignedPair b)
    {
        return a.older == b.older && a.newer == b.newer;
    }
};

// A longest common subsequence of two sequences of hashed elements, as the matched pairs in
// order: two elements are equal when their hashes are and `sameElements(older, newer)` confirms
// it (hashes can collide). Myers' O((N + M) D) difference in linear space after the common start
// and end are taken off, so two long sequences with a few insertions and deletions align at once;
// two entirely different ones take time in the product of their lengths.
QVector<AlignedPair> alignSequences(const QVector<size_t> &older, const QVector<size_t> &newer,
                                    const std::function<bool(int, int)> &sameElements);

} // namespace kribed
