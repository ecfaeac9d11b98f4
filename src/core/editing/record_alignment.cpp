// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/record_alignment.h"

#include <vector>

namespace kribed {

namespace {

struct Point
{
    int x = 0;
    int y = 0;
};

// The linear-space form of Myers' algorithm: the middle snake of a box splits it into two
// smaller boxes, so only two diagonal vectors are held at any time.
class Aligner
{
public:
    Aligner(const QVector<size_t> &older, const QVector<size_t> &newer,
            const std::function<bool(int, int)> &same)
        : mOlder(older)
        , mNewer(newer)
        , mSame(same)
    {
    }

    QVector<AlignedPair> align()
    {
        int left = 0;
        int top = 0;
        int right = int(mOlder.size());
        int bottom = int(mNewer.size());
        while (left < right && top < bottom && equal(left, top))
            mPairs.append({left++, top++});
        int endMatches = 0;
        while (left < right - endMatches && top < bottom - endMatches
               && equal(right - 1 - endMatches, bottom - 1 - endMatches))
            ++endMatches;
        alignBox(left, top, right - endMatches, bottom - endMatches);
        for (int i = endMatches; i > 0; --i)
            mPairs.append({right - i, bottom - i});
        return mPairs;
    }

private:
    bool equal(int x, int y) const { return mOlder[x] == mNewer[y] && mSame(x, y); }

    void alignBox(int left, int top, int right, int bottom)
    {
        if (left == right || top == bottom)
            return;
        Point start, finish;
        middleSnake(left, top, right, bottom, start, finish);
        alignBox(left, top, start.x, start.y);
        walk(start, finish);
        alignBox(finish.x, finish.y, right, bottom);
    }

    // The moves from start to finish: at most one insertion or deletion, diagonals around it.
    void walk(Point from, Point to)
    {
        auto diagonal = [&] {
            while (from.x < to.x && from.y < to.y && equal(from.x, from.y))
                mPairs.append({from.x++, from.y++});
        };
        diagonal();
        const int dx = to.x - from.x;
        const int dy = to.y - from.y;
        if (dx < dy)
            ++from.y;
        else if (dx > dy)
            ++from.x;
        diagonal();
    }

    void middleSnake(int left, int top, int right, int bottom, Point &start, Point &finish)
    {
        const int width = right - left;
        const int height = bottom - top;
        const int delta = width - height;
        const int most = (width + height + 1) / 2;
        const int offset = most + 1;
        std::vector<int> forward(size_t(2 * most + 3), 0);
        std::vector<int> backward(size_t(2 * most + 3), 0);
        forward[size_t(offset + 1)] = left;
        backward[size_t(offset + 1)] = bottom;
        auto vf = [&](int k) -> int & { return forward[size_t(k + offset)]; };
        auto vb = [&](int c) -> int & { return backward[size_t(c + offset)]; };
        for (int d = 0; d <= most; ++d) {
            for (int k = d; k >= -d; k -= 2) {
                const int c = k - delta;
                int px, x;
                if (k == -d || (k != d && vf(k - 1) < vf(k + 1))) {
                    px = x = vf(k + 1);
                } else {
                    px = vf(k - 1);
                    x = px + 1;
                }
                int y = top + (x - left) - k;
                const int py = (d == 0 || x != px) ? y : y - 1;
                while (x < right && y < bottom && equal(x, y))
                    ++x, ++y;
                vf(k) = x;
                if ((delta & 1) && c >= -(d - 1) && c <= d - 1 && y >= vb(c)) {
                    start = {px, py};
                    finish = {x, y};
                    return;
                }
            }
            for (int c = d; c >= -d; c -= 2) {
                const int k = c + delta;
                int py, y;
                if (c == -d || (c != d && vb(c - 1) > vb(c + 1))) {
                    py = y = vb(c + 1);
                } else {
                    py = vb(c - 1);
                    y = py - 1;
                }
                int x = left + (y - top) + k;
                const int px = (d == 0 || y != py) ? x : x + 1;
                while (x > left && y > top && equal(x - 1, y - 1))
                    --x, --y;
                vb(c) = y;
                if (!(delta & 1) && k >= -d && k <= d && x <= vf(k)) {
                    start = {x, y};
                    finish = {px, py};
                    return;
                }
            }
        }
        // Not reached: the snakes meet by d = most.
        start = {left, top};
        finish = {right, bottom};
    }

    const QVector<size_t> &mOlder;
    const QVector<size_t> &mNewer;
    const std::function<bool(int, int)> &mSame;
    QVector<AlignedPair> mPairs;
};

} // namespace

QVector<AlignedPair> alignSequences(const QVector<size_t> &older, const QVector<size_t> &newer,
                                    const std::function<bool(int, int)> &sameElements)
{
    return Aligner(older, newer, sameElements).align();
}

} // namespace kribed
