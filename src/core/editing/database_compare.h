// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

namespace kribed {

class Database;
class Regional;

// How the records of the two versions are matched.
enum class RecordMatching {
    Automatic, // by the auto-increment field when both versions have it, else by content
    Field,     // by the values of the field named in CompareOptions::keyField
    Content,   // by whole records, aligned as a longest common subsequence
};

struct CompareOptions
{
    RecordMatching matching = RecordMatching::Automatic;
    QByteArray keyField; // for RecordMatching::Field: the field's name in both versions
    // Modification date and time fields do not count as changes. They never steer an alignment
    // by content, whether they count or not.
    bool ignoreStamps = true;
};

// A field of the older version matched with one of the newer, by name first, then by position;
// 0 where the field is only on one side.
struct FieldPair
{
    int olderField = 0;
    int newerField = 0;
    // Either side's type is Modification Date or Time.
    bool stamp = false;
    bool matched() const { return olderField > 0 && newerField > 0; }
};

enum class DefinitionChange { Added, Removed, Renamed, Moved, Retyped, Resized, PopupList };

// One difference of field definitions: the pair it concerns and both sides' values as text (the
// name, the type's name, the width in units, the popup items joined by ", ").
struct DefinitionDifference
{
    DefinitionChange change;
    int pair = 0; // index into DatabaseComparison::fields
    QString olderText;
    QString newerText;
};

// One setting of the database as a whole; `setting` is its untranslated key ("name",
// "private", "filterText", ...), which scripts read.
struct SettingDifference
{
    QString setting;
    QString olderText;
    QString newerText;
};

enum class RecordState { Same, Changed, Added, Removed };

// One record of either version or both, with the field pairs whose cells differ.
struct RecordComparison
{
    RecordState state = RecordState::Same;
    int olderRecord = 0; // 0 for an added record
    int newerRecord = 0; // 0 for a removed record
    QVector<int> changedPairs;
};

struct DatabaseComparison
{
    QVector<FieldPair> fields;
    QVector<DefinitionDifference> definitions;
    QVector<SettingDifference> settings;
    // Every record of both versions, in the newer version's order with each removed record
    // after the record that preceded it in the older version.
    QVector<RecordComparison> records;
    int keyPair = -1;        // the field pair records were matched by; -1: by content
    bool keyMissing = false; // the field asked for is not in both versions: matched by content
    int added = 0;
    int removed = 0;
    int changed = 0;
    int changedFieldCount = 0; // field pairs with at least one changed cell
    bool ignoreStamps = true;

    bool recordsSame() const { return added == 0 && removed == 0 && changed == 0; }
    bool same() const { return recordsSame() && definitions.isEmpty() && settings.isEmpty(); }
};

// Compares two versions of a database, both read in the regional rules given (which turn names
// and popup items into the texts of the differences; cells are compared as the bytes the files
// hold, whatever their types, so a retyped field compares its texts).
//
// Records matched by a key: the k-th record of a key value in the older version goes with the
// k-th of the same value in the newer; when a value stands more than once on either side (the
// empty value too), its records are aligned by content among themselves, so a repeated or empty
// key never pairs unrelated records in file order. Unmatched records of a content alignment
// that stand close together and agree in at least half of the compared cells count as one
// changed record rather than one removed and one added.
DatabaseComparison compareDatabases(const Database &older, const Database &newer,
                                    const CompareOptions &options, const Regional &regional);

// "3 added, 1 removed, 12 changed in 5 fields" (translated), or "No differences".
QString comparisonSummary(const DatabaseComparison &comparison);
// What a definition difference is called ("Type", "Width", ...), translated, and its untranslated
// key for scripts ("type", "width", ...).
QString definitionChangeName(DefinitionChange change);
QString definitionChangeKey(DefinitionChange change);
// The field's name on the side that has it (the newer first), as text.
QString pairName(const DatabaseComparison &comparison, int pair, const Database &older,
                 const Database &newer, const Regional &regional);

} // namespace kribed
