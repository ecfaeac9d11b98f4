// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/value_counts.h"

#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/regional.h"

#include <QCollator>
#include <QHash>

#include <algorithm>
#include <numeric>
#include <optional>
#include <utility>

namespace kribed {

namespace {

// Counts by hashing each cell's bytes once, where they lie in the database (which does not
// change while a count runs); a text is copied only when it is first met.
class Counter
{
public:
    void add(QByteArrayView text)
    {
        const qsizetype before = mIndex.size();
        int &place = mIndex[text];
        if (mIndex.size() == before) {
            ++mCounts[place].count;
            return;
        }
        place = int(mCounts.size());
        mCounts.append(ValueCount{text.toByteArray(), 1});
    }

    QVector<ValueCount> sorted(const Regional &regional, ValueOrder order, int typeIndex) &&
    {
        QVector<int> places(mCounts.size());
        std::iota(places.begin(), places.end(), 0);
        // One sort key per text, made once: comparing keys is a byte comparison, where comparing
        // the texts themselves runs the collation again at each of the many comparisons.
        const QCollator &collator = regional.collator();
        QVector<QCollatorSortKey> keys;
        keys.reserve(mCounts.size());
        for (const ValueCount &value : std::as_const(mCounts))
            keys.append(collator.sortKey(regional.toText(value.text)));
        // The many comparisons read through const views: a non-const QVector checks whether it
        // must detach at every index.
        const QVector<ValueCount> &counts = mCounts;
        const QVector<QCollatorSortKey> &sortKeys = keys;
        const auto textOrder = [&counts, &sortKeys](int a, int b) {
            const QByteArray &first = counts[a].text;
            const QByteArray &second = counts[b].text;
            if (first.isEmpty() != second.isEmpty())
                return first.isEmpty();
            const int compared = sortKeys[a].compare(sortKeys[b]);
            return compared != 0 ? compared < 0 : first < second;
        };
        if (order == ValueOrder::ByCount) {
            std::sort(places.begin(), places.end(), [&counts, &textOrder](int a, int b) {
                return counts[a].count != counts[b].count ? counts[a].count > counts[b].count
                                                          : textOrder(a, b);
            });
        } else if (order == ValueOrder::ByValue && readsByValue(typeIndex)) {
            const QVector<std::optional<long double>> values = readValues(regional, typeIndex);
            std::sort(places.begin(), places.end(), [&counts, &values, &textOrder](int a, int b) {
                const bool emptyA = counts[a].text.isEmpty();
                if (emptyA != counts[b].text.isEmpty())
                    return emptyA;
                if (values[a].has_value() != values[b].has_value())
                    return values[a].has_value();
                if (values[a] && *values[a] != *values[b])
                    return *values[a] < *values[b];
                return textOrder(a, b);
            });
        } else {
            std::sort(places.begin(), places.end(), textOrder);
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
    static bool readsByValue(int typeIndex)
    {
        return isNumberType(typeIndex) || isDateType(typeIndex) || isTimeType(typeIndex);
    }

    // Each text's value as one number to order by: a number itself, a date as its day number,
    // a time as its milliseconds since midnight; none where the text does not read.
    QVector<std::optional<long double>> readValues(const Regional &regional, int typeIndex) const
    {
        QVector<std::optional<long double>> values;
        values.reserve(mCounts.size());
        for (const ValueCount &value : mCounts) {
            std::optional<long double> read;
            if (isNumberType(typeIndex)) {
                read = regional.readNumber(value.text);
            } else if (isDateType(typeIndex)) {
                if (const auto date = regional.readDate(value.text))
                    read = (long double)date->toJulianDay();
            } else if (const auto time = regional.readTime(value.text)) {
                read = (long double)time->msecsSinceStartOfDay();
            }
            values.append(read);
        }
        return values;
    }

    QHash<QByteArrayView, int> mIndex;
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
    return std::move(counter).sorted(regional, order, database.fieldType(field));
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
    return std::move(counter).sorted(regional, order, database.fieldType(field));
}

} // namespace kribed
