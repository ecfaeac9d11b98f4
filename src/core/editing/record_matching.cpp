// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/database_compare_p.h"
#include "core/editing/record_alignment.h"
#include "core/model/database.h"
#include "core/model/field_type.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <numeric>

namespace kribed {

namespace {

// Unmatched records of a content alignment are looked for a partner this far ahead.
constexpr int PartnerLookahead = 16;

class RecordMatcher
{
public:
    RecordMatcher(const Database &older, const Database &newer, const CompareOptions &options,
                  DatabaseComparison &comparison)
        : mOlder(older)
        , mNewer(newer)
        , mComparison(comparison)
        , mOlderMatch(older.recordCount() + 1, 0)
        , mNewerMatch(newer.recordCount() + 1, 0)
    {
        for (int pair = 0; pair < comparison.fields.size(); ++pair) {
            const FieldPair &fields = comparison.fields.at(pair);
            if (fields.matched() && !(options.ignoreStamps && fields.stamp))
                mCompared.append(pair);
            if (fields.matched() && !fields.stamp)
                mAligned.append(pair);
        }
    }

    void matchByKey(int keyPair)
    {
        const FieldPair key = mComparison.fields.at(keyPair);
        // Each key value a group; the views stay valid, for neither database changes here.
        QHash<QByteArrayView, int> groupOf;
        groupOf.reserve(mOlder.recordCount() + mNewer.recordCount());
        QVector<int> olderGroup(mOlder.recordCount() + 1), newerGroup(mNewer.recordCount() + 1);
        QVector<Group> groups;
        auto groupFor = [&](QByteArrayView value) {
            const auto found = groupOf.constFind(value);
            if (found != groupOf.constEnd())
                return *found;
            groups.append(Group());
            return *groupOf.insert(value, int(groups.size() - 1));
        };
        for (int record = 1; record <= mOlder.recordCount(); ++record) {
            Group &group =
                groups[olderGroup[record] = groupFor(mOlder.cellView(key.olderField, record))];
            group.olderFirst = group.olderFirst ? group.olderFirst : record;
            ++group.olderCount;
        }
        for (int record = 1; record <= mNewer.recordCount(); ++record) {
            Group &group =
                groups[newerGroup[record] = groupFor(mNewer.cellView(key.newerField, record))];
            group.newerFirst = group.newerFirst ? group.newerFirst : record;
            ++group.newerCount;
        }
        // A value on both sides once pairs its records; more than once on a side, its records
        // are aligned by content among themselves (one pass gathers them all).
        QVector<int> slotOf(groups.size(), -1);
        QVector<QVector<int>> olderMembers, newerMembers;
        for (int index = 0; index < groups.size(); ++index) {
            const Group &group = groups.at(index);
            if (group.olderCount == 1 && group.newerCount == 1) {
                pair(group.olderFirst, group.newerFirst);
            } else if (group.olderCount > 0 && group.newerCount > 0) {
                slotOf[index] = int(olderMembers.size());
                olderMembers.append(QVector<int>());
                newerMembers.append(QVector<int>());
            }
        }
        for (int record = 1; record < olderGroup.size(); ++record) {
            if (const int slot = slotOf.at(olderGroup.at(record)); slot >= 0)
                olderMembers[slot].append(record);
        }
        for (int record = 1; record < newerGroup.size(); ++record) {
            if (const int slot = slotOf.at(newerGroup.at(record)); slot >= 0)
                newerMembers[slot].append(record);
        }
        for (int slot = 0; slot < olderMembers.size(); ++slot)
            matchByContent(olderMembers.at(slot), newerMembers.at(slot));
    }

    void matchByContent(const QVector<int> &olderRecords, const QVector<int> &newerRecords)
    {
        const QVector<size_t> olderHashes = hashes(mOlder, olderRecords, true);
        const QVector<size_t> newerHashes = hashes(mNewer, newerRecords, false);
        const QVector<AlignedPair> aligned =
            alignSequences(olderHashes, newerHashes, [&](int o, int n) {
                return differingPairs(olderRecords.at(o), newerRecords.at(n), mAligned, 0) == 0;
            });
        int olderFrom = 0;
        int newerFrom = 0;
        for (const AlignedPair &match : aligned) {
            pairSimilar(olderRecords, olderFrom, match.older, newerRecords, newerFrom, match.newer);
            pair(olderRecords.at(match.older), newerRecords.at(match.newer));
            olderFrom = match.older + 1;
            newerFrom = match.newer + 1;
        }
        pairSimilar(olderRecords, olderFrom, int(olderRecords.size()), newerRecords, newerFrom,
                    int(newerRecords.size()));
    }

    void listRecords()
    {
        int nextOlder = 1;
        auto listRemovedBefore = [&](int olderRecord) {
            for (; nextOlder < olderRecord; ++nextOlder) {
                if (mOlderMatch[nextOlder] == 0)
                    add({RecordState::Removed, nextOlder, 0, {}});
            }
        };
        // For each newer record, the older partner of the next matched record from it on: the
        // removed records before that partner are listed before an added record, as diff does.
        QVector<int> nextPartner(mNewer.recordCount() + 2, mOlder.recordCount() + 1);
        for (int record = mNewer.recordCount(); record >= 1; --record)
            nextPartner[record] =
                mNewerMatch[record] ? mNewerMatch[record] : nextPartner[record + 1];
        for (int record = 1; record <= mNewer.recordCount(); ++record) {
            const int olderRecord = mNewerMatch[record];
            if (olderRecord == 0) {
                listRemovedBefore(nextPartner[record]);
                add({RecordState::Added, 0, record, {}});
                continue;
            }
            listRemovedBefore(olderRecord);
            nextOlder = std::max(nextOlder, olderRecord + 1);
            RecordComparison compared{RecordState::Same, olderRecord, record, {}};
            compared.changedPairs = changedPairs(olderRecord, record);
            if (!compared.changedPairs.isEmpty())
                compared.state = RecordState::Changed;
            add(std::move(compared));
        }
        listRemovedBefore(mOlder.recordCount() + 1);
        mComparison.changedFieldCount = int(mChangedFields.size());
    }

private:
    // The records of one key value on both sides: how many, and the first.
    struct Group
    {
        int olderFirst = 0;
        int olderCount = 0;
        int newerFirst = 0;
        int newerCount = 0;
    };

    void pair(int olderRecord, int newerRecord)
    {
        mOlderMatch[olderRecord] = newerRecord;
        mNewerMatch[newerRecord] = olderRecord;
    }

    // Between two matches of an alignment: each older record takes the first newer record
    // ahead of the last partner that agrees with it in at least half of the compared cells.
    void pairSimilar(const QVector<int> &olderRecords, int olderFrom, int olderTo,
                     const QVector<int> &newerRecords, int newerFrom, int newerTo)
    {
        const int allowed = int(mAligned.size()) / 2;
        for (int o = olderFrom; o < olderTo && newerFrom < newerTo; ++o) {
            const int last = std::min(newerTo, newerFrom + PartnerLookahead);
            for (int n = newerFrom; n < last; ++n) {
                if (differingPairs(olderRecords.at(o), newerRecords.at(n), mAligned, allowed + 1)
                    <= allowed) {
                    pair(olderRecords.at(o), newerRecords.at(n));
                    newerFrom = n + 1;
                    break;
                }
            }
        }
    }

    QVector<size_t> hashes(const Database &database, const QVector<int> &records, bool older) const
    {
        QVector<size_t> result;
        result.reserve(records.size());
        for (int record : records) {
            size_t hash = 0x9e3779b9u;
            for (int pair : mAligned) {
                const FieldPair &fields = mComparison.fields.at(pair);
                const QByteArrayView text =
                    database.cellView(older ? fields.olderField : fields.newerField, record);
                hash = (hash * 1000003u) ^ qHash(text, 0) ^ size_t(text.size());
            }
            result.append(hash);
        }
        return result;
    }

    // How many cells of the pairs differ, counting no further than `enough` (0: all).
    int differingPairs(int olderRecord, int newerRecord, const QVector<int> &pairs,
                       int enough) const
    {
        int count = 0;
        for (int pair : pairs) {
            const FieldPair &fields = mComparison.fields.at(pair);
            if (mOlder.cellView(fields.olderField, olderRecord)
                != mNewer.cellView(fields.newerField, newerRecord)) {
                if (++count == enough)
                    break;
            }
        }
        return count;
    }

    QVector<int> changedPairs(int olderRecord, int newerRecord) const
    {
        QVector<int> result;
        if (mOlder.recordAt(olderRecord).isSharedWith(mNewer.recordAt(newerRecord)))
            return result;
        for (int pair : mCompared) {
            const FieldPair &fields = mComparison.fields.at(pair);
            if (mOlder.cellView(fields.olderField, olderRecord)
                != mNewer.cellView(fields.newerField, newerRecord))
                result.append(pair);
        }
        return result;
    }

    void add(RecordComparison compared)
    {
        switch (compared.state) {
        case RecordState::Added: ++mComparison.added; break;
        case RecordState::Removed: ++mComparison.removed; break;
        case RecordState::Changed:
            ++mComparison.changed;
            for (int pair : compared.changedPairs)
                mChangedFields.insert(pair);
            break;
        case RecordState::Same: break;
        }
        mComparison.records.append(std::move(compared));
    }

    const Database &mOlder;
    const Database &mNewer;
    DatabaseComparison &mComparison;
    // The pairs whose cells count as changes, and those records are aligned by: stamps never
    // steer the alignment, so a record whose stamp alone changed stays paired when they count.
    QVector<int> mCompared;
    QVector<int> mAligned;
    QVector<int> mOlderMatch;
    QVector<int> mNewerMatch;
    QSet<int> mChangedFields;
};

// The field pair records are matched by, or -1 (and keyMissing for a field that is not there).
int chooseKeyPair(const Database &older, const Database &newer, const CompareOptions &options,
                  DatabaseComparison &comparison)
{
    const QVector<FieldPair> &fields = comparison.fields;
    for (int pass = 0; pass < 2 && options.matching == RecordMatching::Automatic; ++pass) {
        for (int pair = 0; pair < fields.size(); ++pair) {
            const FieldPair &field = fields.at(pair);
            if (field.matched()
                && (pass == 0 ? newer.fieldType(field.newerField)
                              : older.fieldType(field.olderField))
                       == AutoIncrementIntegerType)
                return pair;
        }
    }
    if (options.matching != RecordMatching::Field)
        return -1;
    for (int pair = 0; pair < fields.size(); ++pair) {
        const FieldPair &field = fields.at(pair);
        if (field.matched()
            && (newer.fieldName(field.newerField) == options.keyField
                || older.fieldName(field.olderField) == options.keyField))
            return pair;
    }
    comparison.keyMissing = true;
    return -1;
}

} // namespace

void compareRecords(const Database &older, const Database &newer, const CompareOptions &options,
                    DatabaseComparison &comparison)
{
    comparison.keyPair = chooseKeyPair(older, newer, options, comparison);
    RecordMatcher matcher(older, newer, options, comparison);
    if (comparison.keyPair >= 0) {
        matcher.matchByKey(comparison.keyPair);
    } else {
        QVector<int> olderRecords(older.recordCount()), newerRecords(newer.recordCount());
        std::iota(olderRecords.begin(), olderRecords.end(), 1);
        std::iota(newerRecords.begin(), newerRecords.end(), 1);
        matcher.matchByContent(olderRecords, newerRecords);
    }
    matcher.listRecords();
}

} // namespace kribed
