// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/value_counts.h"

#include "core/model/database.h"
#include "core/model/regional.h"

#include <QCollator>
#include <QHash>

#include <algorithm>
#include <numeric>
#include <utility>

namespace kribed {

namespace {

// Counts by hashing each cell's bytes once; the texts are copied only once per distinct value.
class Counter
{
public:
    void add(QByteArrayView text)
    {
        const auto found = mIndex.constFind(QByteArray::fromRawData(text.data(), text.size()));
        if (found != mIndex.constEnd()) {
            ++mCounts[*found].count;
            return;
        }
        mIndex.insert(text.toByteArray(), int(mCounts.size()));
        mCounts.append(ValueCount{text.toByteArray(), 1});
    }

    QVector<ValueCount> sorted(const Regional &regional, ValueOrder order) &&
    {
        // Each text is converted once, not at every comparison: thousands of distinct values
        // sort in milliseconds.
        QVector<QString> keys;
        keys.reserve(mCounts.size());
        for (const ValueCount &value : std::as_const(mCounts))
            keys.append(regional.toText(value.text));
        const QCollator &collator = regional.collator();
        QVector<int> places(mCounts.size());
        std::iota(places.begin(), places.end(), 0);
        const auto textOrder = [this, &keys, &collator](int a, int b) {
            const QByteArray &first = mCounts[a].text;
            const QByteArray &second = mCounts[b].text;
            if (first.isEmpty() != second.isEmpty())
                return first.isEmpty();
            const int compared = collator.compare(keys[a], keys[b]);
            return compared != 0 ? compared < 0 : first < second;
        };
        if (order == ValueOrder::ByText) {
            std::sort(places.begin(), places.end(), textOrder);
        } else {
            std::sort(places.begin(), places.end(), [this, &textOrder](int a, int b) {
                return mCounts[a].count != mCounts[b].count ? mCounts[a].count > mCounts[b].count
                                                            : textOrder(a, b);
            });
        }
        QVector<ValueCount> result;
        result.reserve(mCounts.size());
        for (int place : std::as_const(places))
            result.append(std::move(mCounts[place]));
        return result;
    }

    // Room for this many distinct texts, so thousands of them do not grow the table step by step
    // (a database holds at most 9999 records).
    void expect(qsizetype texts) { mIndex.reserve(texts); }

private:
    QHash<QByteArray, int> mIndex;
    QVector<ValueCount> mCounts;
};

bool validField(const Database &database, int field)
{
    return field >= 1 && field <= database.fieldCount();
}

} // namespace

QVector<ValueCount> valueCounts(const Database &database, int field, CountedRecords records,
                                const Regional &regional, ValueOrder order)
{
    Counter counter;
    if (!validField(database, field))
        return {};
    counter.expect(database.recordCount());
    for (int record = 1; record <= database.recordCount(); ++record) {
        if (records == CountedRecords::All || !database.isHidden(record))
            counter.add(database.cellView(field, record));
    }
    return std::move(counter).sorted(regional, order);
}

QVector<ValueCount> valueCounts(const Database &database, int field, const QVector<int> &records,
                                const Regional &regional, ValueOrder order)
{
    Counter counter;
    if (!validField(database, field))
        return {};
    counter.expect(std::min(records.size(), qsizetype(database.recordCount())));
    for (const int record : records) {
        if (record >= 1 && record <= database.recordCount())
            counter.add(database.cellView(field, record));
    }
    return std::move(counter).sorted(regional, order);
}

} // namespace kribed
