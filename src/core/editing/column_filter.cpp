// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/column_filter.h"

#include "core/editing/text_match.h"
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/numeric_date_format.h"
#include "core/model/regional.h"

#include <QCoreApplication>
#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

namespace kribed {

namespace {

QString translated(const char *text)
{
    return QCoreApplication::translate("ColumnFilter", text);
}

enum class Kind { Text, Number, Date, Time, Boolean };

Kind kindOf(int typeIndex)
{
    if (isNumberType(typeIndex))
        return Kind::Number;
    if (isDateType(typeIndex))
        return Kind::Date;
    if (isTimeType(typeIndex))
        return Kind::Time;
    return typeIndex == BooleanType ? Kind::Boolean : Kind::Text;
}

bool isTyped(Kind kind)
{
    return kind == Kind::Number || kind == Kind::Date || kind == Kind::Time;
}

bool isOrderTest(ColumnTest test)
{
    switch (test) {
    case ColumnTest::Less:
    case ColumnTest::LessOrEqual:
    case ColumnTest::Greater:
    case ColumnTest::GreaterOrEqual:
    case ColumnTest::Between:
    case ColumnTest::Top:
    case ColumnTest::Bottom: return true;
    default: return false;
    }
}

// Whether the test reads the cell as its field's type (and so cannot pass an unreadable cell).
bool readsTyped(ColumnTest test, Kind kind)
{
    if (kind == Kind::Boolean)
        return test == ColumnTest::Checked || test == ColumnTest::Unchecked;
    return isTyped(kind)
           && (isOrderTest(test) || test == ColumnTest::Equals || test == ColumnTest::NotEquals);
}

// A number, a date as its day number or a time as its milliseconds: one scale to compare on.
std::optional<long double> readKey(QByteArrayView text, Kind kind, const Regional &regional)
{
    if (kind == Kind::Number) {
        const std::optional<long double> number = regional.readNumber(text);
        if (number && std::isfinite(*number))
            return number;
    } else if (kind == Kind::Date) {
        if (const std::optional<QDate> date = regional.readDate(text))
            return static_cast<long double>(date->toJulianDay());
    } else if (kind == Kind::Time) {
        if (const std::optional<QTime> time = regional.readTime(text))
            return static_cast<long double>(time->msecsSinceStartOfDay());
    }
    return std::nullopt;
}

std::optional<int> recordCountOf(const QString &value)
{
    bool ok = false;
    const int count = value.trimmed().toInt(&ok);
    return ok && count > 0 ? std::optional<int>(count) : std::nullopt;
}

QString unreadableValueError(Kind kind, const QString &value)
{
    if (kind == Kind::Date)
        return translated(QT_TRANSLATE_NOOP("ColumnFilter",
                                            "\"%1\" is not a date in the regional formats."))
            .arg(value);
    if (kind == Kind::Time)
        return translated(QT_TRANSLATE_NOOP("ColumnFilter",
                                            "\"%1\" is not a time in the regional formats."))
            .arg(value);
    return translated(
               QT_TRANSLATE_NOOP("ColumnFilter", "\"%1\" is not a number in the regional formats."))
        .arg(value);
}

// One condition made ready for many cells: folded texts, the compiled expression, read values.
struct Prepared
{
    ColumnTest test = ColumnTest::Equals;
    bool typed = false;
    QByteArray folded;
    QRegularExpression expression;
    long double low = 0;
    long double high = 0;
};

// One field's filter made ready, with the cell reading it needs.
class PreparedFilter
{
public:
    PreparedFilter(const Database &database, const FieldFilter &filter, const Regional &regional,
                   const QVector<char> &base)
        : mFilter(filter)
        , mRegional(regional)
        , mQuickDates(regional)
    {
        mValid = filter.field >= 1 && filter.field <= database.fieldCount();
        if (!mValid)
            return;
        mKind = kindOf(database.fieldType(filter.field));
        for (const QByteArray &value : filter.values)
            mValues.insert(value, true);
        for (const ColumnCondition &condition : filter.conditions) {
            if (!columnConditionError(condition, database.fieldType(filter.field), regional)
                     .isEmpty()) {
                mValid = false;
                return;
            }
            mConditions.append(prepare(condition, database, base));
            mTyped = mTyped || mConditions.last().typed;
        }
    }

    // Whether the record passes; `unreadable` counts a cell a typed test could not read.
    bool passes(const Database &database, int record, int &unreadable) const
    {
        if (!mValid)
            return false;
        const QByteArrayView cell = database.cellView(mFilter.field, record);
        std::optional<long double> key;
        if (mTyped && !cell.isEmpty()) {
            key = readCell(cell);
            if (!key) {
                ++unreadable;
                return false;
            }
        }
        if (mFilter.listOn && !mValues.contains(QByteArray::fromRawData(cell.data(), cell.size())))
            return false;
        if (mConditions.isEmpty())
            return true;
        for (const Prepared &condition : mConditions) {
            if (holds(condition, cell, key) == mFilter.anyCondition)
                return mFilter.anyCondition;
        }
        return !mFilter.anyCondition;
    }

private:
    std::optional<long double> readCell(QByteArrayView cell) const
    {
        if (mKind == Kind::Boolean) {
            if (cell == "1")
                return 1;
            if (cell == "0")
                return 0;
            return std::nullopt;
        }
        // A date as the format writes it is read without Qt's parser, which would cost more
        // than the rest of the filter together.
        if (mKind == Kind::Date && mQuickDates.isUsable()) {
            if (const std::optional<QDate> date = mQuickDates.readDate(cell))
                return static_cast<long double>(date->toJulianDay());
        }
        return readKey(cell, mKind, mRegional);
    }

    Prepared prepare(const ColumnCondition &condition, const Database &database,
                     const QVector<char> &base) const
    {
        Prepared prepared;
        prepared.test = condition.test;
        prepared.typed = readsTyped(condition.test, mKind);
        const QByteArray bytes = mRegional.toBytes(condition.value);
        if (condition.test == ColumnTest::Matches) {
            prepared.expression = QRegularExpression(condition.value);
        } else if (condition.test == ColumnTest::Top || condition.test == ColumnTest::Bottom) {
            prepared.low = threshold(database, base, condition);
        } else if (prepared.typed) {
            prepared.low = readKey(bytes, mKind, mRegional).value_or(0);
            prepared.high =
                readKey(mRegional.toBytes(condition.second), mKind, mRegional).value_or(0);
            if (condition.test == ColumnTest::Between && prepared.high < prepared.low)
                std::swap(prepared.low, prepared.high);
        } else {
            prepared.folded = foldAToZ(bytes);
        }
        return prepared;
    }

    // The value the Nth greatest (Top) or smallest (Bottom) readable cell has among the records
    // the base leaves; fewer readable cells than N let every one pass.
    long double threshold(const Database &database, const QVector<char> &base,
                          const ColumnCondition &condition) const
    {
        const int wanted = recordCountOf(condition.value).value_or(1);
        const bool top = condition.test == ColumnTest::Top;
        QVector<long double> keys;
        for (int record = 1; record <= database.recordCount(); ++record) {
            if (!base.isEmpty() && !base[record - 1])
                continue;
            if (const auto key =
                    readKey(database.cellView(mFilter.field, record), mKind, mRegional))
                keys.append(*key);
        }
        if (keys.isEmpty())
            return 0;
        const int place = std::min(wanted, int(keys.size())) - 1;
        if (top)
            std::nth_element(keys.begin(), keys.begin() + place, keys.end(), std::greater<>());
        else
            std::nth_element(keys.begin(), keys.begin() + place, keys.end());
        return keys[place];
    }

    bool holds(const Prepared &condition, QByteArrayView cell,
               const std::optional<long double> &key) const
    {
        if (condition.typed && mKind != Kind::Boolean) {
            if (!key)
                return condition.test == ColumnTest::NotEquals && cell.isEmpty();
            return compare(condition, *key);
        }
        switch (condition.test) {
        case ColumnTest::Equals:
            return cell.size() == condition.folded.size()
                   && matchesFolded(cell, condition.folded, true);
        case ColumnTest::NotEquals:
            return cell.size() != condition.folded.size()
                   || !matchesFolded(cell, condition.folded, true);
        case ColumnTest::Contains: return matchesFolded(cell, condition.folded, false);
        case ColumnTest::NotContains: return !matchesFolded(cell, condition.folded, false);
        case ColumnTest::BeginsWith: return matchesFolded(cell, condition.folded, true);
        case ColumnTest::EndsWith:
            return cell.size() >= condition.folded.size()
                   && matchesFolded(cell.last(condition.folded.size()), condition.folded, true);
        case ColumnTest::Matches:
            return condition.expression.match(mRegional.toText(cell)).hasMatch();
        case ColumnTest::Checked: return key && *key == 1;
        case ColumnTest::Unchecked: return cell.isEmpty() || (key && *key == 0);
        case ColumnTest::Empty: return cell.isEmpty();
        case ColumnTest::NotEmpty: return !cell.isEmpty();
        default: return false;
        }
    }

    static bool compare(const Prepared &condition, long double key)
    {
        switch (condition.test) {
        case ColumnTest::Equals: return key == condition.low;
        case ColumnTest::NotEquals: return key != condition.low;
        case ColumnTest::Less: return key < condition.low;
        case ColumnTest::LessOrEqual: return key <= condition.low;
        case ColumnTest::Greater: return key > condition.low;
        case ColumnTest::GreaterOrEqual:
        case ColumnTest::Top: return key >= condition.low;
        case ColumnTest::Between: return key >= condition.low && key <= condition.high;
        case ColumnTest::Bottom: return key <= condition.low;
        default: return false;
        }
    }

    const FieldFilter &mFilter;
    const Regional &mRegional;
    NumericDateFormat mQuickDates;
    Kind mKind = Kind::Text;
    bool mValid = false;
    bool mTyped = false;
    QHash<QByteArray, bool> mValues;
    QVector<Prepared> mConditions;
};

} // namespace

bool FieldFilter::operator==(const FieldFilter &other) const
{
    return field == other.field && listOn == other.listOn && values == other.values
           && conditions == other.conditions && anyCondition == other.anyCondition;
}

FieldFilter ColumnFilters::of(int field) const
{
    for (const FieldFilter &filter : fields) {
        if (filter.field == field)
            return filter;
    }
    FieldFilter none;
    none.field = field;
    return none;
}

void ColumnFilters::set(const FieldFilter &filter)
{
    const auto at = std::find_if(fields.begin(), fields.end(), [&filter](const FieldFilter &f) {
        return f.field >= filter.field;
    });
    const bool replaces = at != fields.end() && at->field == filter.field;
    if (!filter.isActive()) {
        if (replaces)
            fields.erase(at);
    } else if (replaces) {
        *at = filter;
    } else {
        fields.insert(at, filter);
    }
}

void ColumnFilters::remove(int field)
{
    fields.removeIf([field](const FieldFilter &filter) { return filter.field == field; });
}

void ColumnFilters::shiftFields(int first, int count)
{
    if (count < 0)
        fields.removeIf([first, count](const FieldFilter &filter) {
            return filter.field >= first && filter.field < first - count;
        });
    for (FieldFilter &filter : fields) {
        if (filter.field >= first)
            filter.field += count;
    }
}

void ColumnFilters::moveField(int from, int to)
{
    for (FieldFilter &filter : fields) {
        if (filter.field == from)
            filter.field = to;
        else if (from < to && filter.field > from && filter.field <= to)
            --filter.field;
        else if (to < from && filter.field >= to && filter.field < from)
            ++filter.field;
    }
    std::stable_sort(fields.begin(), fields.end(),
                     [](const FieldFilter &a, const FieldFilter &b) { return a.field < b.field; });
}

QString columnConditionError(const ColumnCondition &condition, int typeIndex,
                             const Regional &regional)
{
    const Kind kind = kindOf(typeIndex);
    const ColumnTest test = condition.test;
    if (test == ColumnTest::Matches) {
        const QRegularExpression expression(condition.value);
        return expression.isValid()
                   ? QString()
                   : translated(QT_TRANSLATE_NOOP("ColumnFilter",
                                                  "The regular expression is not valid: %1."))
                         .arg(expression.errorString());
    }
    if ((test == ColumnTest::Checked || test == ColumnTest::Unchecked) && kind != Kind::Boolean)
        return translated(
            QT_TRANSLATE_NOOP("ColumnFilter", "Only Boolean fields are checked or unchecked."));
    if (isOrderTest(test) && !isTyped(kind))
        return translated(QT_TRANSLATE_NOOP("ColumnFilter",
                                            "Only numbers, dates and times are compared by size."));
    if (test == ColumnTest::Top || test == ColumnTest::Bottom) {
        return recordCountOf(condition.value)
                   ? QString()
                   : translated(
                         QT_TRANSLATE_NOOP("ColumnFilter", "\"%1\" is not a number of records."))
                         .arg(condition.value);
    }
    if (!readsTyped(test, kind) || kind == Kind::Boolean)
        return {};
    for (const QString &value : {condition.value, condition.second}) {
        if (readKey(regional.toBytes(value), kind, regional))
            continue;
        if (value == condition.second && test != ColumnTest::Between)
            continue;
        return unreadableValueError(kind, value);
    }
    return {};
}

ColumnFilterResult runColumnFilters(const Database &database, const ColumnFilters &filters,
                                    const Regional &regional, const QVector<char> &base, int skip)
{
    ColumnFilterResult result;
    const int records = database.recordCount();
    result.passes = base.size() == records ? base : QVector<char>(records, 1);
    result.unreadable = QVector<int>(filters.fields.size(), 0);
    for (int index = 0; index < filters.fields.size(); ++index) {
        if (index == skip)
            continue;
        const PreparedFilter filter(database, filters.fields[index], regional, base);
        int &unreadable = result.unreadable[index];
        // Every record the base leaves is read, so the count of unreadable cells does not
        // depend on the order of the filters.
        for (int record = 1; record <= records; ++record) {
            if ((base.isEmpty() || base[record - 1])
                && !filter.passes(database, record, unreadable))
                result.passes[record - 1] = 0;
        }
    }
    result.shown = int(std::count(result.passes.cbegin(), result.passes.cend(), char(1)));
    return result;
}

int applyColumnFilters(Database &database, const ColumnFilters &filters, const Regional &regional)
{
    if (filters.isEmpty())
        return 0;
    QVector<char> shown(database.recordCount());
    for (int record = 1; record <= database.recordCount(); ++record)
        shown[record - 1] = database.isHidden(record) ? 0 : 1;
    const ColumnFilterResult result = runColumnFilters(database, filters, regional, shown);
    int hidden = 0;
    for (int record = 1; record <= database.recordCount(); ++record) {
        if (shown[record - 1] && !result.passes[record - 1]) {
            database.setHidden(record, true);
            ++hidden;
        }
    }
    return hidden;
}

} // namespace kribed
