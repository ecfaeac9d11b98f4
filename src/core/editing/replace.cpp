// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/replace.h"

#include "core/editing/stamp.h"
#include "core/editing/text_match.h"
#include "core/model/database.h"
#include "core/model/limits.h"
#include "core/model/regional.h"
#include "core/platform/code_page_converter.h"

#include <QCoreApplication>
#include <QVarLengthArray>

#include <algorithm>
#include <utility>

namespace kribed {

namespace {

bool isAsciiText(QStringView text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

char foldByte(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

// Where the (already folded, unless the case must match) text stands in the cell from `from` on,
// or -1. ASCII letters are the only ones that fold, as in text of the code page.
qsizetype indexOfBytes(QByteArrayView cell, QByteArrayView find, qsizetype from, bool matchCase)
{
    if (matchCase)
        return cell.indexOf(find, from);
    const qsizetype n = find.size();
    for (qsizetype start = from; start + n <= cell.size(); ++start) {
        qsizetype at = 0;
        while (at < n && foldByte(cell[start + at]) == find[at])
            ++at;
        if (at == n)
            return start;
    }
    return -1;
}

bool equalBytes(QByteArrayView cell, QByteArrayView find, bool matchCase)
{
    return cell.size() == find.size() && indexOfBytes(cell, find, 0, matchCase) == 0;
}

Qt::CaseSensitivity caseOf(const ReplaceSettings &settings)
{
    return settings.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
}

} // namespace

CellReplacer::CellReplacer(const ReplaceSettings &settings, const Regional &regional)
    : mSettings(settings)
    , mConverter(CodePageConverter::shared(regional.codePage()))
{
    if (mSettings.regularExpression) {
        QRegularExpression::PatternOptions options = QRegularExpression::NoPatternOption;
        if (!mSettings.matchCase)
            options |= QRegularExpression::CaseInsensitiveOption;
        const QString pattern = mSettings.wholeCell
                                    ? QRegularExpression::anchoredPattern(mSettings.find)
                                    : mSettings.find;
        mExpression = QRegularExpression(pattern, options);
        mValid = mExpression.isValid();
        if (!mValid) {
            mErrorText = QCoreApplication::translate("Replace", "%1 (at character %2)")
                             .arg(mExpression.errorString())
                             .arg(mExpression.patternErrorOffset() + 1);
        }
        mExpression.optimize();
        return;
    }
    mOnBytes = mConverter.isValid() && mConverter.isSingleByte() && mConverter.keepsAscii()
               && isAsciiText(mSettings.find) && isAsciiText(mSettings.replacement);
    if (mOnBytes) {
        mFindBytes = mSettings.find.toLatin1();
        if (!mSettings.matchCase)
            mFindBytes = foldAToZ(mFindBytes);
        mReplacementBytes = mSettings.replacement.toLatin1();
    }
}

bool CellReplacer::readCell(QByteArrayView cell, QString &text)
{
    // Bytes that are no character of the code page would not come back as they were: such a
    // cell is left alone rather than changed around them.
    return mConverter.decode(cell, text);
}

bool CellReplacer::textMatches(const QString &text) const
{
    if (mSettings.regularExpression)
        return mExpression.match(text).hasMatch();
    if (mSettings.wholeCell)
        return text.compare(mSettings.find, caseOf(mSettings)) == 0;
    return text.contains(mSettings.find, caseOf(mSettings));
}

bool CellReplacer::matches(QByteArrayView cell)
{
    // An empty text is found nowhere, as in Find; an expression that is empty is nothing to look
    // for either.
    if (!mValid || mSettings.find.isEmpty())
        return false;
    if (mOnBytes) {
        return mSettings.wholeCell ? equalBytes(cell, mFindBytes, mSettings.matchCase)
                                   : indexOfBytes(cell, mFindBytes, 0, mSettings.matchCase) >= 0;
    }
    QString text;
    return readCell(cell, text) && textMatches(text);
}

QByteArray CellReplacer::replacedBytes(QByteArrayView cell, qsizetype first) const
{
    QByteArray result;
    result.reserve(cell.size() + mReplacementBytes.size());
    qsizetype from = 0;
    for (qsizetype at = first; at >= 0;
         at = indexOfBytes(cell, mFindBytes, from, mSettings.matchCase)) {
        result.append(cell.sliced(from, at - from));
        result.append(mReplacementBytes);
        from = at + mFindBytes.size();
    }
    result.append(cell.sliced(from));
    return result;
}

QByteArray CellReplacer::fitted(QByteArray bytes, bool *cut)
{
    if (cut)
        *cut = bytes.size() > MaxValueBytes;
    if (bytes.size() <= MaxValueBytes)
        return bytes;
    bytes.truncate(MaxValueBytes);
    // In a code page of several bytes a character the cut went through goes whole.
    QString text;
    while (!mConverter.isSingleByte() && !bytes.isEmpty() && !mConverter.decode(bytes, text))
        bytes.chop(1);
    return bytes;
}

std::optional<QByteArray> CellReplacer::replaced(QByteArrayView cell, bool *cut)
{
    if (cut)
        *cut = false;
    QByteArray bytes;
    if (mOnBytes && !mSettings.wholeCell && !mFindBytes.isEmpty()) {
        // One pass finds and replaces: most cells hold no match and cost no copy.
        const qsizetype first = indexOfBytes(cell, mFindBytes, 0, mSettings.matchCase);
        if (first < 0)
            return std::nullopt;
        bytes = replacedBytes(cell, first);
    } else if (!matches(cell)) {
        return std::nullopt;
    } else if (mOnBytes) {
        bytes = mReplacementBytes;
    } else {
        QString text;
        readCell(cell, text);
        if (mSettings.regularExpression)
            text.replace(mExpression, mSettings.replacement);
        else if (mSettings.wholeCell)
            text = mSettings.replacement;
        else
            text.replace(mSettings.find, mSettings.replacement, caseOf(mSettings));
        bytes = mConverter.encode(text);
    }
    if (QByteArrayView(bytes) == cell)
        return std::nullopt;
    return fitted(std::move(bytes), cut);
}

bool inReplaceScope(const Database &database, const ReplaceSettings &settings, int field,
                    int record)
{
    if (field < 1 || field > database.fieldCount() || record < 1 || record > database.recordCount())
        return false;
    if (settings.field > 0 && field != settings.field)
        return false;
    if (settings.selection) {
        const CellRange &range = *settings.selection;
        if (field < range.firstField || field > range.lastField || record < range.firstRecord
            || record > range.lastRecord)
            return false;
    }
    return settings.includeHidden || !database.isHidden(record);
}

std::optional<GridCell> findReplaceMatch(const Database &database, CellReplacer &replacer,
                                         const ReplaceSettings &settings, GridCell first,
                                         GridCell last)
{
    const int fields = database.fieldCount();
    for (int record = std::max(1, first.row); record <= std::min(last.row, database.recordCount());
         ++record) {
        const int firstField = record == first.row ? std::max(1, first.column) : 1;
        const int lastField = record == last.row ? std::min(fields, last.column) : fields;
        for (int field = firstField; field <= lastField; ++field) {
            if (inReplaceScope(database, settings, field, record)
                && replacer.matches(database.cellView(field, record)))
                return GridCell{field, record};
        }
    }
    return std::nullopt;
}

namespace {

struct CellChange
{
    int field;
    QByteArray text;
};

// Stamps the record and then stores its new texts; counts what it did.
void storeChanges(Database &database, int record,
                  const QVarLengthArray<CellChange, MaxFields> &changes, int cutCells,
                  const QDateTime &now, const Regional &regional, ReplaceCount &count)
{
    stampRow(database, record, now, regional);
    for (const CellChange &change : changes)
        database.setCell(change.field, record, change.text);
    count.replacements += int(changes.size());
    count.cutCells += cutCells;
    ++count.records;
    if (database.isHidden(record))
        ++count.hiddenRecords;
    database.setModified();
}

} // namespace

ReplaceCount replaceCell(Database &database, CellReplacer &replacer, int field, int record,
                         const QDateTime &now, const Regional &regional)
{
    ReplaceCount count;
    if (field < 1 || field > database.fieldCount() || record < 1 || record > database.recordCount())
        return count;
    bool cut = false;
    std::optional<QByteArray> text = replacer.replaced(database.cellView(field, record), &cut);
    if (!text)
        return count;
    QVarLengthArray<CellChange, MaxFields> changes;
    changes.append({field, std::move(*text)});
    storeChanges(database, record, changes, cut ? 1 : 0, now, regional, count);
    return count;
}

ReplaceCount replaceAll(Database &database, CellReplacer &replacer, const ReplaceSettings &settings,
                        const QDateTime &now, const Regional &regional)
{
    ReplaceCount count;
    if (!replacer.isValid())
        return count;
    for (int record = 1; record <= database.recordCount(); ++record) {
        // Every new text of the record is made from the texts before the stamp.
        QVarLengthArray<CellChange, MaxFields> changes;
        int cutCells = 0;
        for (int field = 1; field <= database.fieldCount(); ++field) {
            if (!inReplaceScope(database, settings, field, record))
                continue;
            bool cut = false;
            if (std::optional<QByteArray> text =
                    replacer.replaced(database.cellView(field, record), &cut)) {
                changes.append({field, std::move(*text)});
                cutCells += cut ? 1 : 0;
            }
        }
        if (!changes.isEmpty())
            storeChanges(database, record, changes, cutCells, now, regional, count);
    }
    return count;
}

QString replaceSummary(const ReplaceCount &count)
{
    QString text = QCoreApplication::translate("Replace", "%1 replacements in %2 records.")
                       .arg(count.replacements)
                       .arg(count.records);
    if (count.hiddenRecords > 0) {
        text += u' '
                + QCoreApplication::translate("Replace",
                                              "%1 of these records are hidden by the filter.")
                      .arg(count.hiddenRecords);
    }
    if (count.cutCells > 0) {
        text += u' '
                + QCoreApplication::translate("Replace",
                                              "%1 cells were cut at the longest value a record "
                                              "holds (%2 bytes).")
                      .arg(count.cutCells)
                      .arg(MaxValueBytes);
    }
    return text;
}

} // namespace kribed
