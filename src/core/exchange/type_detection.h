// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

// The field type a column of imported values suggests, read from all of its values under the
// regional formats chosen for the import, and which values would not fit it.

#include "core/model/field_type.h"
#include "core/model/numeric_date_format.h"
#include "core/model/quick_time_format.h"
#include "core/model/record.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QVector>

#include <array>

namespace kribed {

class Regional;

// Why a column that reads as numbers stays a String.
enum class KeptAsText {
    No,
    LeadingZero,   // "01067": a number would lose the zero
    TooManyDigits, // more digits than a number keeps exactly
};

// The most rows of values that do not fit a column's type that are named.
constexpr int NamedMisfitRows = 20;
// A popup column holds at most this many distinct texts.
constexpr int MaxDetectedPopupItems = 12;
// The most significant digits a number cell keeps exactly (sums and sorting read doubles).
constexpr int MaxExactDigits = 15;

struct DetectedType
{
    int type = StringType;
    int values = 0;        // non-empty values
    int misfits = 0;       // non-empty values that do not read as `type`
    QList<int> misfitRows; // the first NamedMisfitRows of them, as given to the detector
    KeptAsText kept = KeptAsText::No;
    QByteArray keptExample;       // the value that kept the column a String
    QList<QByteArray> popupItems; // Normal PopUp: the distinct texts in the order first met
};

// The separators a text written in each format holds: what is neither a letter, a blank, a
// quote nor a bracket (the time-zone part "(t)" is dropped from a format a time is read with).
// Empty for a format beyond ASCII: it lets every text pass.
QList<QByteArray> separatorMarks(const QStringList &formats);

// What the detection reads dates and times with, made once for all columns: the quick reading
// of the short date format, and the separators ("/", ":") a text must hold to be worth Qt's
// parser under one of the formats Regional reads with.
struct DetectionFormats
{
    explicit DetectionFormats(const Regional &regional);
    bool mayBeDate(QByteArrayView value) const;
    bool mayBeTime(QByteArrayView value) const;

    const Regional &regional;
    NumericDateFormat dates;
    QuickTimeFormat times;
    QList<QByteArray> dateMarks; // per format; a format without marks lets every text pass
    QList<QByteArray> timeMarks;
};

// Collects one column. Values are looked at where they stand; nothing is copied per value. A type
// that more values miss than it may is no longer tried.
//
// The rule: among Boolean (only "0" and "1", both present), Normal Integer (whole numbers written
// without a decimal separator or exponent), Float, Normal Date and Normal Time, the one the fewest
// values miss wins (ties in that order), when at most a tenth of the non-empty values miss it, or
// one among four or more (a single odd value does not make a small column text).
// A number type whose values include a leading zero ("01067", not "0" or "0,5") or a number of
// more than MaxExactDigits digits stays a String and says why. Otherwise the column is a Normal
// PopUp when its non-empty values are at most MaxDetectedPopupItems distinct texts that repeat
// (each distinct text at least three times on average) and fit a popup list; else a String.
class ColumnTypeDetector
{
public:
    // `expected`: how many values will be added (empty ones included), which bounds the misses
    // a type may have before it is given up.
    ColumnTypeDetector(const DetectionFormats &formats, int expected);

    void add(QByteArrayView value, int row);
    DetectedType result() const;

private:
    enum Candidate { Boolean, Integer, Float, Date, Time, CandidateCount };
    struct Tally
    {
        bool alive = true;
        int misfits = 0;
        int named = 0;
        std::array<int, NamedMisfitRows> rows{};
    };

    void miss(Candidate candidate, int row);
    void addNumber(QByteArrayView value, int row);
    void addPopup(QByteArrayView value);
    std::optional<int> bestCandidate() const;

    const DetectionFormats &mFormats;
    const Regional &mRegional;
    int mAllowed;
    int mValues = 0;
    std::array<Tally, CandidateCount> mTallies;
    bool mSawZero = false;
    bool mSawOne = false;
    KeptAsText mKept = KeptAsText::No;
    QByteArray mKeptExample;
    bool mPopupAlive = true;
    qsizetype mPopupBytes = 0;
    QList<QByteArray> mDistinct;
};

// The type of each field of `rows` from row `firstRow` on (an import's row 0 holds the names).
QList<DetectedType> detectColumnTypes(const QVector<Record> &rows, int firstRow, int fields,
                                      const Regional &regional);

// Whether a value reads as the type, as the detection reads it.
bool fitsDetectedType(QByteArrayView value, int type, const Regional &regional);

} // namespace kribed
