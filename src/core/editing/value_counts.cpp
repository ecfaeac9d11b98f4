// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/value_counts.h"

#include "core/model/database.h"
#include "core/model/regional.h"

#include <QHash>

#include <algorithm>

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
        const auto textOrder = [&regional](const ValueCount &a, const ValueCount &b) {
            if (a.text.isEmpty() != b.text.isEmpty())
                return a.text.isEmpty();
            const int compared = regional.compare(a.text, b.text);
            return compared != 0 ? compared < 0 : a.text < b.text;
        };
        if (order == ValueOrder::ByText) {
            std::sort(mCounts.begin(), mCounts.end(), textOrder);
        } else {
            std::sort(mCounts.begin(), mCounts.end(),
                      [&textOrder](const ValueCount &a, const ValueCount &b) {
                          return a.count != b.count ? a.count > b.count : textOrder(a, b);
                      });
        }
        return std::move(mCounts);
    }

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
    for (const int record : records) {
        if (record >= 1 && record <= database.recordCount())
            counter.add(database.cellView(field, record));
    }
    return std::move(counter).sorted(regional, order);
}

} // namespace kribed
