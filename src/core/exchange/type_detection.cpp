// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/type_detection.h"

#include "core/model/limits.h"
#include "core/model/regional.h"
#include "core/model/typed_reading.h"
#include "core/platform/code_page.h"

#include <algorithm>
#include <cmath>

namespace kribed {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool hasDigit(QByteArrayView value)
{
    return std::any_of(value.begin(), value.end(), isDigit);
}

// The number's digits without leading zeros, and whether it starts with a zero that a number
// would drop ("01067", "-007"; not "0", "0,5", "0E3").
struct Digits
{
    int significant = 0;
    bool leadingZero = false;
};

Digits digitsOf(QByteArrayView value)
{
    Digits digits;
    qsizetype i = 0;
    while (i < value.size() && !isDigit(value[i]))
        ++i;
    if (i + 1 < value.size() && value[i] == '0' && isDigit(value[i + 1]))
        digits.leadingZero = true;
    bool started = false;
    for (; i < value.size(); ++i) {
        const char c = value[i];
        if (c == 'e' || c == 'E')
            break; // the exponent's digits say nothing about precision
        if (!isDigit(c))
            continue;
        started = started || c != '0';
        digits.significant += started;
    }
    return digits;
}

bool isWholeText(QByteArrayView value, char decimalSeparator)
{
    return std::none_of(value.begin(), value.end(), [decimalSeparator](char c) {
        return c == decimalSeparator || c == 'e' || c == 'E';
    });
}

// The separators of a format. None when the format holds something beyond ASCII (no quick test
// then).
std::optional<QByteArray> marksOf(const QString &format)
{
    QByteArray marks;
    for (const QChar c : format) {
        if (c.unicode() > 127)
            return std::nullopt;
        if (!c.isLetterOrNumber() && !c.isSpace()
            && !QByteArrayView("'()[]").contains(char(c.unicode()))
            && !marks.contains(char(c.unicode())))
            marks += char(c.unicode());
    }
    return marks;
}

} // namespace

QList<QByteArray> separatorMarks(const QStringList &formats)
{
    QList<QByteArray> all;
    for (const QString &format : formats)
        all.append(marksOf(format).value_or(QByteArray()));
    return all;
}

namespace {

// Whether the text holds every separator of one of the formats (a format without any lets
// every text pass).
bool holdsMarks(QByteArrayView value, const QList<QByteArray> &marks)
{
    return std::any_of(marks.cbegin(), marks.cend(), [value](const QByteArray &format) {
        return std::all_of(format.cbegin(), format.cend(),
                           [value](char mark) { return value.contains(mark); });
    });
}

bool readsAsDate(QByteArrayView value, const DetectionFormats &formats)
{
    char iso[10];
    if (formats.dates.isUsable() && formats.dates.readIso(value, iso))
        return true;
    return formats.mayBeDate(value) && readsAsFieldType(value, NormalDateType, formats.regional);
}

// A tenth of the values, and one odd value among a few.
int allowedMisfits(int values)
{
    return std::max(values / 10, values >= 4 ? 1 : 0);
}

} // namespace

DetectionFormats::DetectionFormats(const Regional &regional)
    : regional(regional)
    , dates(regional)
    , times(regional)
    , dateMarks(separatorMarks(
          {regional.shortDateFormat(), regional.locale().dateFormat(QLocale::ShortFormat)}))
    , timeMarks(separatorMarks(
          {regional.longTimeFormat(), regional.locale().timeFormat(QLocale::ShortFormat)}))
{
}

// Every date and time text holds a digit and the separators of its format: a text without them
// is no date or time, and Qt's parser is not asked.
bool DetectionFormats::mayBeDate(QByteArrayView value) const
{
    return hasDigit(value) && holdsMarks(value, dateMarks);
}

namespace {

bool readsAsTime(QByteArrayView value, const DetectionFormats &formats)
{
    return formats.times.reads(value)
           || (formats.mayBeTime(value)
               && readsAsFieldType(value, NormalTimeType, formats.regional));
}

} // namespace

bool DetectionFormats::mayBeTime(QByteArrayView value) const
{
    return hasDigit(value) && holdsMarks(value, timeMarks);
}

ColumnTypeDetector::ColumnTypeDetector(const DetectionFormats &formats, int expected)
    : mFormats(formats)
    , mRegional(formats.regional)
    , mAllowed(allowedMisfits(expected))
{
}

void ColumnTypeDetector::miss(Candidate candidate, int row)
{
    Tally &tally = mTallies[candidate];
    if (tally.named < NamedMisfitRows)
        tally.rows[tally.named++] = row;
    if (++tally.misfits > mAllowed)
        tally.alive = false;
}

void ColumnTypeDetector::addNumber(QByteArrayView value, int row)
{
    const std::optional<long double> number = mRegional.readNumber(value);
    if (!number || !std::isfinite(*number)) {
        if (mTallies[Integer].alive)
            miss(Integer, row);
        if (mTallies[Float].alive)
            miss(Float, row);
        return;
    }
    if (mTallies[Integer].alive && !isWholeText(value, mRegional.decimalSeparator()))
        miss(Integer, row);
    if (mKept != KeptAsText::No)
        return;
    const Digits digits = digitsOf(value);
    if (digits.leadingZero)
        mKept = KeptAsText::LeadingZero;
    else if (digits.significant > MaxExactDigits)
        mKept = KeptAsText::TooManyDigits;
    if (mKept != KeptAsText::No)
        mKeptExample = value.toByteArray();
}

void ColumnTypeDetector::addPopup(QByteArrayView value)
{
    for (const QByteArray &item : std::as_const(mDistinct)) {
        if (item == value)
            return;
    }
    mPopupBytes += value.size() + 1; // each item ends with a NUL in the file
    if (mDistinct.size() == MaxDetectedPopupItems || mPopupBytes > MaxPopupAreaBytes) {
        mPopupAlive = false;
        mDistinct.clear();
        return;
    }
    mDistinct.append(value.toByteArray());
}

void ColumnTypeDetector::add(QByteArrayView value, int row)
{
    if (value.isEmpty())
        return;
    ++mValues;
    if (mTallies[Boolean].alive) {
        const bool zero = value == "0";
        const bool one = value == "1";
        mSawZero = mSawZero || zero;
        mSawOne = mSawOne || one;
        if (!zero && !one)
            miss(Boolean, row);
    }
    if (mTallies[Integer].alive || mTallies[Float].alive)
        addNumber(value, row);
    if (mTallies[Date].alive && !readsAsDate(value, mFormats))
        miss(Date, row);
    if (mTallies[Time].alive && !readsAsTime(value, mFormats))
        miss(Time, row);
    if (mPopupAlive)
        addPopup(value);
}

std::optional<int> ColumnTypeDetector::bestCandidate() const
{
    std::optional<int> best;
    for (int candidate = 0; candidate < CandidateCount; ++candidate) {
        const Tally &tally = mTallies[candidate];
        if (!tally.alive || tally.misfits > allowedMisfits(mValues))
            continue;
        if (candidate == Boolean && !(mSawZero && mSawOne))
            continue;
        if (!best || tally.misfits < mTallies[*best].misfits)
            best = candidate;
    }
    return best;
}

DetectedType ColumnTypeDetector::result() const
{
    static constexpr int types[CandidateCount] = {BooleanType, NormalIntegerType, FloatType,
                                                  NormalDateType, NormalTimeType};
    DetectedType detected;
    detected.values = mValues;
    if (mValues == 0)
        return detected;
    if (const std::optional<int> best = bestCandidate()) {
        const bool number = *best == Integer || *best == Float;
        if (number && mKept != KeptAsText::No) {
            detected.kept = mKept;
            detected.keptExample = mKeptExample;
            return detected;
        }
        const Tally &tally = mTallies[*best];
        detected.type = types[*best];
        detected.misfits = tally.misfits;
        detected.misfitRows = QList<int>(tally.rows.begin(), tally.rows.begin() + tally.named);
        return detected;
    }
    if (mPopupAlive && mValues >= 3 * mDistinct.size()) {
        detected.type = NormalPopupType;
        detected.popupItems = mDistinct;
    }
    return detected;
}

QList<DetectedType> detectColumnTypes(const QVector<Record> &rows, int firstRow, int fields,
                                      const Regional &regional)
{
    const DetectionFormats formats(regional);
    const int expected = std::max(0, int(rows.size()) - firstRow);
    QList<DetectedType> types;
    types.reserve(fields);
    for (int field = 0; field < fields; ++field) {
        ColumnTypeDetector detector(formats, expected);
        for (int row = firstRow; row < rows.size(); ++row) {
            const Record &record = rows[row];
            if (field < record.size())
                detector.add(record.view(field), row);
        }
        types.append(detector.result());
    }
    return types;
}

bool fitsDetectedType(QByteArrayView value, int type, const Regional &regional)
{
    if (value.isEmpty())
        return true;
    if (type == NormalIntegerType || type == AutoIncrementIntegerType)
        return readsAsFieldType(value, type, regional)
               && isWholeText(value, regional.decimalSeparator());
    return readsAsFieldType(value, type, regional);
}

} // namespace kribed
