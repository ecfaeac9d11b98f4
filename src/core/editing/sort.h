// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/model/database.h"

#include <QByteArrayView>
#include <QVector>

#include <array>
#include <optional>
#include <vector>

namespace kribed {

class Regional;

// The keys of one sort: the current column decides first, then the secondary and tertiary sort
// fields (0 = none) with their own reverse flags; direction +1 sorts normal, -1 reverse.
struct SortSpec
{
    int direction = 1;
    int primary = 1;
    int secondary = 0;
    int tertiary = 0;
    bool secondaryReverse = false;
    bool tertiaryReverse = false;
};

// Compares two key texts as the key column's field type wants: dates by the regional short date
// format (a text that is no date counts as 30 December 1899), times by the long time format (0 when
// no time), the integer and float types by the number rule (0 when no number), everything else by
// the regional case-sensitive collation. Returns -1, 0 or +1.
int compareKey(QByteArrayView a, QByteArrayView b, int fieldType, const Regional &regional);

// The comparable value of one key text of a date, time or number field.
long double keyValue(QByteArrayView text, int fieldType, const Regional &regional);

// Whether rows with the key comparisons c1, c2, c3 (A against B) put A before B.
bool keyLess(const std::array<int, 3> &compares, const SortSpec &spec);

// Each record's three keys, computed once, in the form that compares quickly.
class SortKeys
{
public:
    SortKeys(const Database &database, const SortSpec &spec, const Regional &regional);

    // Compares key 0..2 of records a and b (numbered from 1 as they stood before the sort).
    int compare(int key, int a, int b) const;
    bool keyLess(int a, int b) const;

private:
    // Each record's rank among the column's keys: equal keys have equal ranks, and every other
    // pair of ranks is in the keys' order, so comparing ranks gives what comparing keys gives.
    struct Key
    {
        bool used = false;
        std::vector<int> ranks;
    };

    void fill(Key &key, const Database &database, int column, const Regional &regional);

    SortSpec mSpec;
    std::array<Key, 3> mKeys;
};

// Sorts the records with the quicksort the program has always used (middle pivot, not stable),
// moving whole records; the hidden state stays with the positions, the modified flag is not set.
// Returns, for each new position p (index p - 1), the record number it held before the sort.
QVector<int> sortRows(Database &database, const SortSpec &spec, const Regional &regional);

// Moves whole records so that place p (1-based) holds the record that was at order[p - 1]; no
// record is copied. Row visibility stays with the places.
void placeRecords(Database &database, const QVector<int> &order);

} // namespace kribed
