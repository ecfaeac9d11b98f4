// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/sort.h"

#include "core/editing/sort_key_readers.h"
#include "core/model/field_type.h"
#include "core/model/regional.h"

#include <QCollatorSortKey>
#include <QDate>
#include <QHash>

#include <algorithm>
#include <numeric>

namespace kribed {

namespace {

int sign(long double a, long double b)
{
    return a < b ? -1 : (a > b ? 1 : 0);
}

int sign(int value)
{
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

bool isValueType(int fieldType)
{
    return isDateType(fieldType) || isTimeType(fieldType) || isNumberType(fieldType);
}

// The rank of each of `count` keys under a three-way comparison that orders them totally: equal
// keys share a rank, a smaller key has a smaller rank.
template<typename Compare> std::vector<int> ranksOf(std::size_t count, Compare compare)
{
    std::vector<int> byKey(count);
    std::iota(byKey.begin(), byKey.end(), 0);
    std::sort(byKey.begin(), byKey.end(), [&](int a, int b) { return compare(a, b) < 0; });
    std::vector<int> rank(count);
    for (std::size_t i = 1; i < count; ++i)
        rank[byKey[i]] = rank[byKey[i - 1]] + (compare(byKey[i - 1], byKey[i]) == 0 ? 0 : 1);
    return rank;
}

// The records' order as the quicksort leaves it, on positions 0..n-1 of order.
class QuickSort
{
public:
    QuickSort(const SortKeys &keys, QVector<int> &order)
        : mKeys(keys)
        , mOrder(order)
    {
    }

    void sort(int lo, int hi)
    {
        while (true) {
            int i = lo;
            int j = hi;
            const int pivot = mOrder[(lo + hi) / 2];
            if (j > i) {
                do {
                    while (mKeys.keyLess(mOrder[i], pivot))
                        ++i;
                    while (mKeys.keyLess(pivot, mOrder[j]))
                        --j;
                    if (j >= i) {
                        std::swap(mOrder[i], mOrder[j]);
                        ++i;
                        --j;
                    }
                } while (j > i);
            }
            if (j > lo)
                sort(lo, j);
            // The second range runs in this loop, in the same order, without a deeper call.
            if (i >= hi)
                return;
            lo = i;
        }
    }

private:
    const SortKeys &mKeys;
    QVector<int> &mOrder;
};

} // namespace

long double keyValue(QByteArrayView text, int fieldType, const Regional &regional)
{
    if (isDateType(fieldType))
        return dateKey(regional.readDate(text));
    if (isTimeType(fieldType))
        return timeKey(regional.readTime(text));
    return regional.readNumber(text).value_or(0);
}

int compareKey(QByteArrayView a, QByteArrayView b, int fieldType, const Regional &regional)
{
    if (a.isEmpty() && b.isEmpty())
        return 0;
    if (isValueType(fieldType))
        return sign(keyValue(a, fieldType, regional), keyValue(b, fieldType, regional));
    return sign(regional.compare(a, b));
}

bool keyLess(const std::array<int, 3> &compares, const SortSpec &spec)
{
    const int d = spec.direction;
    const int d2 = spec.secondaryReverse ? -1 : 1;
    const int d3 = spec.tertiaryReverse ? -1 : 1;
    return 4 * d * compares[0] + 2 * d * d2 * compares[1] + d * d3 * compares[2] < 0;
}

SortKeys::SortKeys(const Database &database, const SortSpec &spec, const Regional &regional)
    : mSpec(spec)
{
    fill(mKeys[0], database, spec.primary, regional);
    fill(mKeys[1], database, spec.secondary, regional);
    fill(mKeys[2], database, spec.tertiary, regional);
}

void SortKeys::fill(Key &key, const Database &database, int column, const Regional &regional)
{
    // A key that is not set, or names a column that no longer exists, is the empty text in every
    // row and never decides.
    if (column < 1 || column > database.fieldCount())
        return;
    key.used = true;
    const int type = database.fieldType(column);
    const int records = database.recordCount();
    if (isValueType(type)) {
        std::vector<long double> values;
        values.reserve(records);
        if (isDateType(type)) {
            const DateKeyReader reader(regional);
            for (int r = 1; r <= records; ++r)
                values.push_back(reader.value(database.recordAt(r).view(column - 1)));
        } else if (isTimeType(type)) {
            const TimeKeyReader reader(regional);
            for (int r = 1; r <= records; ++r)
                values.push_back(reader.value(database.recordAt(r).view(column - 1)));
        } else {
            for (int r = 1; r <= records; ++r)
                values.push_back(keyValue(database.recordAt(r).view(column - 1), type, regional));
        }
        // The values are finite, so their order is total.
        key.ranks = ranksOf(values.size(), [&](std::size_t a, std::size_t b) {
            return sign(values[a], values[b]);
        });
        return;
    }
    // Each distinct text is collated once.
    QHash<QByteArray, int> distinct;
    std::vector<QCollatorSortKey> sortKeys;
    std::vector<int> textOf(records);
    for (int r = 1; r <= records; ++r) {
        const QByteArray &cell = database.cell(column, r);
        const auto found = distinct.constFind(cell);
        if (found != distinct.cend()) {
            textOf[r - 1] = *found;
            continue;
        }
        textOf[r - 1] = int(sortKeys.size());
        distinct.insert(cell, int(sortKeys.size()));
        sortKeys.push_back(regional.collator().sortKey(regional.toText(cell)));
    }
    const std::vector<int> rank = ranksOf(sortKeys.size(), [&](std::size_t a, std::size_t b) {
        return sign(sortKeys[a].compare(sortKeys[b]));
    });
    key.ranks.reserve(records);
    for (int r = 0; r < records; ++r)
        key.ranks.push_back(rank[textOf[r]]);
}

int SortKeys::compare(int key, int a, int b) const
{
    const Key &k = mKeys[key];
    if (!k.used)
        return 0;
    return sign(k.ranks[a - 1] - k.ranks[b - 1]);
}

bool SortKeys::keyLess(int a, int b) const
{
    // The first key that differs decides; computing the later ones is only needed on a tie.
    const int c1 = compare(0, a, b);
    if (c1 != 0)
        return mSpec.direction * c1 < 0;
    return kribed::keyLess({0, compare(1, a, b), compare(2, a, b)}, mSpec);
}

QVector<int> sortRows(Database &database, const SortSpec &spec, const Regional &regional)
{
    const int records = database.recordCount();
    QVector<int> order(records);
    for (int r = 0; r < records; ++r)
        order[r] = r + 1;
    if (records < 2)
        return order;

    const SortKeys keys(database, spec, regional);
    QuickSort(keys, order).sort(0, records - 1);

    placeRecords(database, order);
    return order;
}

// One cycle of the order at a time: no second row table is made.
void placeRecords(Database &database, const QVector<int> &order)
{
    const int records = int(order.size());
    std::vector<char> placed(records, 0);
    for (int start = 0; start < records; ++start) {
        if (placed[start] || order[start] == start + 1)
            continue;
        Database::Record held = std::move(database.recordAt(start + 1));
        for (int p = start;;) {
            placed[p] = 1;
            const int from = order[p] - 1;
            if (from == start) {
                database.recordAt(p + 1) = std::move(held);
                break;
            }
            database.recordAt(p + 1) = std::move(database.recordAt(from + 1));
            p = from;
        }
    }
}

} // namespace kribed
