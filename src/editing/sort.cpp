// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "editing/sort.h"

#include "model/field_type.h"
#include "model/regional.h"

#include <QDate>

namespace kribed {

namespace {

int Sign(long double a, long double b)
{
    return a < b ? -1 : (a > b ? 1 : 0);
}

int Sign(int value)
{
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

bool IsValueType(int fieldType)
{
    return IsDateType(fieldType) || IsTimeType(fieldType) || IsNumberType(fieldType);
}

// The day number counts from 30 December 1899, the zero of the program's dates.
const qint64 DayZero = QDate(1899, 12, 30).toJulianDay();

// The records' order as the quicksort leaves it, on positions 0..n-1 of order.
class QuickSort
{
public:
    QuickSort(const SortKeys &keys, QVector<int> &order)
        : mKeys(keys)
        , mOrder(order)
    {
    }

    void Sort(int lo, int hi)
    {
        while (true) {
            int i = lo;
            int j = hi;
            const int pivot = mOrder[(lo + hi) / 2];
            if (j > i) {
                do {
                    while (mKeys.KeyLess(mOrder[i], pivot))
                        ++i;
                    while (mKeys.KeyLess(pivot, mOrder[j]))
                        --j;
                    if (j >= i) {
                        std::swap(mOrder[i], mOrder[j]);
                        ++i;
                        --j;
                    }
                } while (j > i);
            }
            if (j > lo)
                Sort(lo, j);
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

long double KeyValue(QByteArrayView text, int fieldType)
{
    const Regional &regional = CurrentRegional();
    if (IsDateType(fieldType)) {
        const std::optional<QDate> date = regional.ReadDate(text);
        return date ? static_cast<long double>(date->toJulianDay() - DayZero) : 0;
    }
    if (IsTimeType(fieldType)) {
        const std::optional<QTime> time = regional.ReadTime(text);
        return time ? static_cast<long double>(time->msecsSinceStartOfDay()) / 86400000.0L : 0;
    }
    return regional.ReadNumber(text).value_or(0);
}

int CompareKey(QByteArrayView a, QByteArrayView b, int fieldType)
{
    if (a.isEmpty() && b.isEmpty())
        return 0;
    if (IsValueType(fieldType))
        return Sign(KeyValue(a, fieldType), KeyValue(b, fieldType));
    return Sign(CurrentRegional().Compare(a, b));
}

bool KeyLess(const std::array<int, 3> &compares, const SortSpec &spec)
{
    const int d = spec.direction;
    const int d2 = spec.secondaryReverse ? -1 : 1;
    const int d3 = spec.tertiaryReverse ? -1 : 1;
    return 4 * d * compares[0] + 2 * d * d2 * compares[1] + d * d3 * compares[2] < 0;
}

SortKeys::SortKeys(const Database &database, const SortSpec &spec)
    : mSpec(spec)
{
    Fill(mKeys[0], database, spec.primary);
    Fill(mKeys[1], database, spec.secondary);
    Fill(mKeys[2], database, spec.tertiary);
}

void SortKeys::Fill(Key &key, const Database &database, int column)
{
    // A key that is not set, or names a column that no longer exists, is the empty text in every
    // row and never decides.
    if (column < 1 || column > database.FieldCount())
        return;
    key.used = true;
    const int type = database.FieldType(column);
    const int records = database.RecordCount();
    if (IsValueType(type)) {
        key.values.reserve(records);
        for (int r = 1; r <= records; ++r)
            key.values.push_back(KeyValue(database.Cell(column, r), type));
        return;
    }
    key.text = true;
    const Regional &regional = CurrentRegional();
    key.textKeys.reserve(records);
    for (int r = 1; r <= records; ++r)
        key.textKeys.push_back(regional.Collator().sortKey(regional.ToText(database.Cell(column, r))));
}

int SortKeys::Compare(int key, int a, int b) const
{
    const Key &k = mKeys[key];
    if (!k.used)
        return 0;
    if (k.text)
        return Sign(k.textKeys[a - 1].compare(k.textKeys[b - 1]));
    return Sign(k.values[a - 1], k.values[b - 1]);
}

bool SortKeys::KeyLess(int a, int b) const
{
    // The first key that differs decides; computing the later ones is only needed on a tie.
    const int c1 = Compare(0, a, b);
    if (c1 != 0)
        return mSpec.direction * c1 < 0;
    return kribed::KeyLess({0, Compare(1, a, b), Compare(2, a, b)}, mSpec);
}

QVector<int> SortRows(Database &database, const SortSpec &spec)
{
    const int records = database.RecordCount();
    QVector<int> order(records);
    for (int r = 0; r < records; ++r)
        order[r] = r + 1;
    if (records < 2)
        return order;

    const SortKeys keys(database, spec);
    QuickSort(keys, order).Sort(0, records - 1);

    const QVector<Database::Record> before = database.Records();
    for (int p = 1; p <= records; ++p)
        database.RecordAt(p) = before[order[p - 1] - 1];
    return order;
}

} // namespace kribed
