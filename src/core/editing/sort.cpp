// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/sort.h"

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

// The day number counts from 30 December 1899, the zero of the program's dates.
const qint64 DayZero = QDate(1899, 12, 30).toJulianDay();

// Reads dates quickly where the short date format is made of day, month and four-digit year
// numbers between fixed separators and the text is written exactly as the program writes dates;
// every other text goes the regional way. Both ways give the same date for such a text.
class DateKeyReader
{
public:
    explicit DateKeyReader(const Regional &regional)
        : mRegional(regional)
    {
        mFast = parseFormat(regional.shortDateFormat());
    }

    long double value(QByteArrayView text) const
    {
        if (mFast) {
            if (const std::optional<QDate> date = fastRead(text))
                return static_cast<long double>(date->toJulianDay() - DayZero);
        }
        const std::optional<QDate> date = mRegional.readDate(text);
        return date ? static_cast<long double>(date->toJulianDay() - DayZero) : 0;
    }

private:
    struct Token
    {
        char field = 0; // 'd', 'M' or 'y'; 0 for a separator
        int width = 0;  // digits written: 1 = without a leading zero
        char literal = 0;
    };

    bool parseFormat(const QString &format)
    {
        int day = 0, month = 0, year = 0;
        for (qsizetype i = 0; i < format.size();) {
            const QChar c = format.at(i);
            if (c.unicode() >= 0x80 || c == u'\'' || c.isDigit())
                return false;
            if (!c.isLetter()) {
                mTokens.push_back({0, 0, char(c.unicode())});
                ++i;
                continue;
            }
            qsizetype run = 0;
            while (i + run < format.size() && format.at(i + run) == c)
                ++run;
            const bool dayOrMonth = (c == u'd' || c == u'M') && run <= 2;
            if (!dayOrMonth && !(c == u'y' && run == 4))
                return false;
            // A number must end at a separator, or the split between two numbers is a guess.
            if (!mTokens.empty() && mTokens.back().field != 0)
                return false;
            mTokens.push_back({char(c.unicode()), int(run), 0});
            ++(c == u'd' ? day : (c == u'M' ? month : year));
            i += run;
        }
        return day == 1 && month == 1 && year == 1;
    }

    std::optional<QDate> fastRead(QByteArrayView text) const
    {
        int values[3] = {0, 0, 0}; // day, month, year
        qsizetype i = 0;
        for (const Token &token : mTokens) {
            if (token.field == 0) {
                if (i >= text.size() || text[i] != token.literal)
                    return std::nullopt;
                ++i;
                continue;
            }
            const int maxDigits = token.width == 1 ? 2 : token.width;
            int digits = 0;
            int value = 0;
            while (digits < maxDigits && i < text.size() && text[i] >= '0' && text[i] <= '9') {
                value = value * 10 + (text[i] - '0');
                ++digits;
                ++i;
            }
            // Only the form the program writes: no leading zero where it writes none.
            const int written = token.width == 1 ? (value >= 10 ? 2 : 1) : token.width;
            if (digits != written || (token.field == 'y' && value < 1000))
                return std::nullopt;
            values[token.field == 'd' ? 0 : (token.field == 'M' ? 1 : 2)] = value;
        }
        if (i != text.size())
            return std::nullopt;
        const QDate date(values[2], values[1], values[0]);
        if (!date.isValid())
            return std::nullopt;
        return date;
    }

    const Regional &mRegional;
    std::vector<Token> mTokens;
    bool mFast = false;
};

// Reads times quickly where the long time format is made of hour, minute, second and AM/PM parts
// between fixed separators and the text is written exactly as the program writes times; every
// other text goes the regional way. Both ways give the same time for such a text.
class TimeKeyReader
{
public:
    explicit TimeKeyReader(const Regional &regional)
        : mRegional(regional)
    {
        mFast = parseFormat(regional.locale(), regional.longTimeFormat());
    }

    long double value(QByteArrayView text) const
    {
        std::optional<QTime> time = mFast ? fastRead(text) : std::nullopt;
        if (!time)
            time = mRegional.readTime(text);
        return time ? static_cast<long double>(time->msecsSinceStartOfDay()) / 86400000.0L : 0;
    }

private:
    struct Token
    {
        char field = 0; // 'h', 'H', 'm', 's' or 'a' (AM/PM); 0 for a separator
        int width = 0;  // digits written: 1 = without a leading zero
        char literal = 0;
    };

    static bool isAsciiText(const QString &text)
    {
        for (const QChar c : text) {
            if (c.unicode() < 0x21 || c.unicode() >= 0x7f)
                return false;
        }
        return !text.isEmpty();
    }

    bool parseFormat(const QLocale &locale, const QString &format)
    {
        if (locale.zeroDigit() != QStringLiteral("0"))
            return false;
        int counts[128] = {};
        for (qsizetype i = 0; i < format.size();) {
            const QChar c = format.at(i);
            if (c.unicode() >= 0x80 || c == u'\'' || c.isDigit())
                return false;
            if (!c.isLetter()) {
                mTokens.push_back({0, 0, char(c.unicode())});
                ++i;
                continue;
            }
            qsizetype run = 0;
            while (i + run < format.size() && format.at(i + run) == c)
                ++run;
            // A number must end at a separator, or the split between two numbers is a guess.
            if (!mTokens.empty() && mTokens.back().field != 0)
                return false;
            const char letter = char(c.unicode());
            if (letter == 'A' || letter == 'a') {
                // "AP" writes the upper-case AM/PM text, "ap" the lower-case one.
                if (run != 1 || i + 1 >= format.size()
                    || format.at(i + 1) != (letter == 'A' ? u'P' : u'p'))
                    return false;
                mUpper = letter == 'A';
                mTokens.push_back({'a', 0, 0});
                ++counts[uchar('a')];
                i += 2;
                continue;
            }
            if ((letter != 'h' && letter != 'H' && letter != 'm' && letter != 's') || run > 2)
                return false;
            mTokens.push_back({letter, int(run), 0});
            ++counts[int(letter)];
            i += run;
        }
        const QString am = mUpper ? locale.amText().toUpper() : locale.amText().toLower();
        const QString pm = mUpper ? locale.pmText().toUpper() : locale.pmText().toLower();
        const bool twelveHours = counts[uchar('a')] == 1;
        if (twelveHours
            && (!isAsciiText(am) || !isAsciiText(pm) || am.startsWith(pm) || pm.startsWith(am)))
            return false;
        mMarkers[0] = am.toLatin1();
        mMarkers[1] = pm.toLatin1();
        // The bytes read here must be the characters the code page makes of them.
        QByteArray used = QByteArrayLiteral("0123456789") + mMarkers[0] + mMarkers[1];
        for (const Token &token : mTokens)
            used += token.literal;
        for (const char byte : std::as_const(used)) {
            const QByteArrayView one(&byte, 1);
            if (byte != 0 && mRegional.toText(one) != QString::fromLatin1(one))
                return false;
        }
        // One hour (the 12-hour one with AM/PM), one minute, at most one second.
        return counts[uchar('a')] <= 1 && counts[uchar('m')] == 1 && counts[uchar('s')] <= 1
               && (twelveHours ? counts[uchar('h')] == 1 && counts[uchar('H')] == 0
                               : counts[uchar('h')] + counts[uchar('H')] == 1);
    }

    std::optional<QTime> fastRead(QByteArrayView text) const
    {
        int hour = -1;
        int minute = 0;
        int second = 0;
        int half = -1; // 0 = AM, 1 = PM
        qsizetype i = 0;
        for (const Token &token : mTokens) {
            if (token.field == 0) {
                if (i >= text.size() || text[i] != token.literal)
                    return std::nullopt;
                ++i;
                continue;
            }
            if (token.field == 'a') {
                const QByteArrayView rest = text.sliced(i);
                for (int which = 0; which < 2; ++which) {
                    if (rest.startsWith(mMarkers[which])) {
                        half = which;
                        i += mMarkers[which].size();
                        break;
                    }
                }
                if (half < 0)
                    return std::nullopt;
                continue;
            }
            int digits = 0;
            int value = 0;
            while (digits < 2 && i < text.size() && text[i] >= '0' && text[i] <= '9') {
                value = value * 10 + (text[i] - '0');
                ++digits;
                ++i;
            }
            // Only the form the program writes: no leading zero where it writes none.
            const int written = token.width == 1 ? (value >= 10 ? 2 : 1) : token.width;
            if (digits != written)
                return std::nullopt;
            if (token.field == 'm')
                minute = value;
            else if (token.field == 's')
                second = value;
            else
                hour = value;
        }
        if (i != text.size())
            return std::nullopt;
        if (half >= 0) {
            if (hour < 1 || hour > 12)
                return std::nullopt;
            hour = hour % 12 + 12 * half;
        }
        const QTime time(hour, minute, second);
        if (!time.isValid())
            return std::nullopt;
        return time;
    }

    const Regional &mRegional;
    std::vector<Token> mTokens;
    QByteArray mMarkers[2]; // the AM and PM texts as written
    bool mUpper = true;
    bool mFast = false;
};

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

long double keyValue(QByteArrayView text, int fieldType)
{
    const Regional &regional = currentRegional();
    if (isDateType(fieldType)) {
        const std::optional<QDate> date = regional.readDate(text);
        return date ? static_cast<long double>(date->toJulianDay() - DayZero) : 0;
    }
    if (isTimeType(fieldType)) {
        const std::optional<QTime> time = regional.readTime(text);
        return time ? static_cast<long double>(time->msecsSinceStartOfDay()) / 86400000.0L : 0;
    }
    return regional.readNumber(text).value_or(0);
}

int compareKey(QByteArrayView a, QByteArrayView b, int fieldType)
{
    if (a.isEmpty() && b.isEmpty())
        return 0;
    if (isValueType(fieldType))
        return sign(keyValue(a, fieldType), keyValue(b, fieldType));
    return sign(currentRegional().compare(a, b));
}

bool keyLess(const std::array<int, 3> &compares, const SortSpec &spec)
{
    const int d = spec.direction;
    const int d2 = spec.secondaryReverse ? -1 : 1;
    const int d3 = spec.tertiaryReverse ? -1 : 1;
    return 4 * d * compares[0] + 2 * d * d2 * compares[1] + d * d3 * compares[2] < 0;
}

SortKeys::SortKeys(const Database &database, const SortSpec &spec)
    : mSpec(spec)
{
    fill(mKeys[0], database, spec.primary);
    fill(mKeys[1], database, spec.secondary);
    fill(mKeys[2], database, spec.tertiary);
}

void SortKeys::fill(Key &key, const Database &database, int column)
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
            const DateKeyReader reader(currentRegional());
            for (int r = 1; r <= records; ++r)
                values.push_back(reader.value(database.recordAt(r).view(column - 1)));
        } else if (isTimeType(type)) {
            const TimeKeyReader reader(currentRegional());
            for (int r = 1; r <= records; ++r)
                values.push_back(reader.value(database.recordAt(r).view(column - 1)));
        } else {
            for (int r = 1; r <= records; ++r)
                values.push_back(keyValue(database.recordAt(r).view(column - 1), type));
        }
        // The values are finite, so their order is total.
        key.ranks = ranksOf(values.size(), [&](std::size_t a, std::size_t b) {
            return sign(values[a], values[b]);
        });
        return;
    }
    // Each distinct text is collated once.
    const Regional &regional = currentRegional();
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

QVector<int> sortRows(Database &database, const SortSpec &spec)
{
    const int records = database.recordCount();
    QVector<int> order(records);
    for (int r = 0; r < records; ++r)
        order[r] = r + 1;
    if (records < 2)
        return order;

    const SortKeys keys(database, spec);
    QuickSort(keys, order).sort(0, records - 1);

    // Whole records are moved into their places one cycle of the order at a time, never copied:
    // no cell is touched and no second row table is made.
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
    return order;
}

} // namespace kribed
