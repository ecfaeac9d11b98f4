// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/replace.h"

#include "core/editing/stamp.h"
#include "core/editing/text_match.h"
#include "core/editing/unheld_characters.h"
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/limits.h"
#include "core/model/regional.h"
#include "core/model/stored_value.h"
#include "core/platform/code_page_converter.h"

#include <QCoreApplication>
#include <QVarLengthArray>

#include <algorithm>
#include <cmath>
#include <cstring>
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

// Sixteen bytes handled as one value (the compilers' vector extension: one instruction per
// operation on x86-64 and ARM).
typedef quint8 Bytes16 __attribute__((vector_size(16)));

Bytes16 everyByte16(char byte)
{
    Bytes16 bytes;
    std::memset(&bytes, byte, sizeof bytes);
    return bytes;
}

// The sixteen bytes from `from` with each byte equal to `find` or `twin` made `replacement`,
// written to `to`; the bytes that changed are left set in `changed`.
inline void replaceBytes16(const char *from, char *to, Bytes16 find, Bytes16 twin,
                           Bytes16 replacement, Bytes16 &changed)
{
    Bytes16 bytes;
    std::memcpy(&bytes, from, sizeof bytes);
    const Bytes16 matches = Bytes16((bytes == find) | (bytes == twin));
    const Bytes16 replaced = (bytes & ~matches) | (replacement & matches);
    changed |= replaced ^ bytes;
    std::memcpy(to, &replaced, sizeof replaced);
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
        if (mValid)
            readReplacement();
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

bool CellReplacer::appendReplacedBytes(QByteArrayView cell, QByteArray &out) const
{
    if (mFindBytes.size() == 1 && mReplacementBytes.size() == 1)
        return appendReplacedByte(cell, out);
    const qsizetype first = indexOfBytes(cell, mFindBytes, 0, mSettings.matchCase);
    if (first < 0)
        return false;
    // Written into room made once for the most matches the cell can hold: a cell of many
    // matches costs no append for each piece.
    const qsizetype findSize = mFindBytes.size();
    const qsizetype growth = mReplacementBytes.size() - findSize;
    const qsizetype start = out.size();
    out.resize(start + cell.size() + (growth > 0 ? cell.size() / findSize * growth : 0));
    char *to = out.data() + start;
    // A match replaced by a text of its own size changes the cell only where the bytes differ
    // (a replacement that differs from the text found only in case of letters leaves cells that
    // already hold it unchanged).
    bool changed = growth != 0;
    to = std::copy(cell.data(), cell.data() + first, to);
    if (findSize == 1) {
        // One byte, as a common letter: a pass over the cell without a search per match.
        const char find = mFindBytes.front();
        const char twin = mSettings.matchCase || find < 'A' || find > 'Z' ? find : char(find + 32);
        for (qsizetype at = first; at < cell.size(); ++at) {
            const char c = cell[at];
            if (c != find && c != twin) {
                *to++ = c;
                continue;
            }
            for (const char byte : mReplacementBytes)
                *to++ = byte;
        }
    } else {
        qsizetype from = first;
        for (qsizetype at = first; at >= 0;
             at = indexOfBytes(cell, mFindBytes, from, mSettings.matchCase)) {
            to = std::copy(cell.data() + from, cell.data() + at, to);
            changed = changed || QByteArrayView(cell.data() + at, findSize) != mReplacementBytes;
            to = std::copy(mReplacementBytes.cbegin(), mReplacementBytes.cend(), to);
            from = at + findSize;
        }
        to = std::copy(cell.data() + from, cell.data() + cell.size(), to);
    }
    out.truncate(changed ? to - out.constData() : start);
    return changed;
}

bool CellReplacer::appendReplacedByte(QByteArrayView cell, QByteArray &out) const
{
    // A byte for a byte, as a common letter for another case of it: one pass over the cell that
    // finds, replaces and notes whether any byte changed, a choice per byte without a branch.
    const char find = mFindBytes.front();
    const char twin = mSettings.matchCase || find < 'A' || find > 'Z' ? find : char(find + 32);
    const char replacement = mReplacementBytes.front();
    const qsizetype start = out.size();
    const qsizetype size = cell.size();
    out.resize(start + size);
    char *to = out.data() + start;
    bool changed = false;
    if (size >= 16) {
        const Bytes16 find16 = everyByte16(find);
        const Bytes16 twin16 = everyByte16(twin);
        const Bytes16 replacement16 = everyByte16(replacement);
        Bytes16 changed16 = {};
        qsizetype at = 0;
        for (; at + 16 <= size; at += 16)
            replaceBytes16(cell.data() + at, to + at, find16, twin16, replacement16, changed16);
        // The last sixteen bytes again, overlapping: each byte comes out the same either time.
        if (at < size) {
            replaceBytes16(cell.data() + size - 16, to + size - 16, find16, twin16, replacement16,
                           changed16);
        }
        quint64 halves[2];
        std::memcpy(halves, &changed16, sizeof halves);
        changed = (halves[0] | halves[1]) != 0;
    } else {
        for (qsizetype at = 0; at < size; ++at) {
            const char c = cell[at];
            to[at] = c == find || c == twin ? replacement : c;
            changed = changed || to[at] != c;
        }
    }
    if (!changed)
        out.truncate(start);
    return changed;
}

bool CellReplacer::appendReplacedText(QByteArrayView cell, QByteArray &out)
{
    QString text;
    if (!mValid || mSettings.find.isEmpty() || !readCell(cell, text))
        return false;
    if (mSettings.regularExpression) {
        if (!replaceMatches(text))
            return false;
    } else if (mSettings.wholeCell) {
        if (text.compare(mSettings.find, caseOf(mSettings)) != 0)
            return false;
        text = mSettings.replacement;
    } else {
        if (!text.contains(mSettings.find, caseOf(mSettings)))
            return false;
        text.replace(mSettings.find, mSettings.replacement, caseOf(mSettings));
    }
    out.append(mConverter.encode(text));
    return true;
}

// The replacement read once as QString::replace reads it: \N and \NN name a group that the
// expression has (the longer number while it names one); any other backslash is text.
void CellReplacer::readReplacement()
{
    const QString &after = mSettings.replacement;
    const int groups = mExpression.captureCount();
    qsizetype literalFrom = 0;
    for (qsizetype i = 0; i + 1 < after.size(); ++i) {
        if (after.at(i) != u'\\')
            continue;
        int group = after.at(i + 1).digitValue();
        if (group <= 0 || group > groups)
            continue;
        qsizetype length = 2;
        if (i + 2 < after.size()) {
            const int second = after.at(i + 2).digitValue();
            if (second >= 0 && group * 10 + second <= groups) {
                group = group * 10 + second;
                ++length;
            }
        }
        mPieces.append({after.sliced(literalFrom, i - literalFrom), group});
        i += length - 1;
        literalFrom = i + 1;
    }
    mPieces.append({after.sliced(literalFrom), 0});
}

bool CellReplacer::replaceMatches(QString &text) const
{
    QRegularExpressionMatchIterator matches = mExpression.globalMatch(text);
    if (!matches.hasNext())
        return false;
    QString result;
    result.reserve(text.size() + mSettings.replacement.size());
    qsizetype from = 0;
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        result.append(QStringView(text).sliced(from, match.capturedStart() - from));
        for (const ReplacementPiece &piece : mPieces) {
            result.append(piece.literal);
            if (piece.group > 0)
                result.append(match.capturedView(piece.group));
        }
        from = match.capturedEnd();
    }
    result.append(QStringView(text).sliced(from));
    text = std::move(result);
    return true;
}

void CellReplacer::fitFrom(qsizetype start, QByteArray &out, bool *cut)
{
    // Measured as the file stores the text (a line break is one byte there), never leaving half
    // a character of a code page of several bytes.
    const qsizetype length = storedPrefixLength(QByteArrayView(out).sliced(start), &mConverter);
    const bool tooLong = start + length < out.size();
    if (cut)
        *cut = tooLong;
    if (tooLong)
        out.truncate(start + length);
}

bool CellReplacer::appendReplaced(QByteArrayView cell, QByteArray &out, bool *cut)
{
    if (cut)
        *cut = false;
    const qsizetype start = out.size();
    if (mOnBytes && !mSettings.wholeCell && !mFindBytes.isEmpty()) {
        // One pass finds and replaces and knows whether a byte changed, so a changed cell is not
        // compared again.
        if (!appendReplacedBytes(cell, out))
            return false;
    } else {
        if (mOnBytes) {
            if (!matches(cell))
                return false;
            out.append(mReplacementBytes);
        } else if (!appendReplacedText(cell, out)) {
            return false;
        }
        if (QByteArrayView(out).sliced(start) == cell) {
            out.truncate(start);
            return false;
        }
    }
    fitFrom(start, out, cut);
    return true;
}

std::optional<QByteArray> CellReplacer::replaced(QByteArrayView cell, bool *cut)
{
    QByteArray bytes;
    if (!appendReplaced(cell, bytes, cut))
        return std::nullopt;
    return bytes;
}

bool inReplaceScope(const Database &database, const ReplaceSettings &settings, int field,
                    int record)
{
    if (field < 1 || field > database.fieldCount() || record < 1 || record > database.recordCount())
        return false;
    if (settings.field < 0 || (settings.field > 0 && field != settings.field))
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

// Where a new text of the record stands in the buffer of the record's new texts.
struct CellChange
{
    int field;
    qsizetype start;
    qsizetype size;
};
using CellChanges = QVarLengthArray<CellChange, MaxFields>;

// Whether the change leaves a cell that read as its field's type no longer reading so.
bool leavesType(const Database &database, int field, int record, QByteArrayView newText,
                const Regional &regional)
{
    const int type = database.fieldType(field);
    return !readsAsFieldType(newText, type, regional)
           && readsAsFieldType(database.cellView(field, record), type, regional);
}

// Whether the field has a type beside text, which its cells can stop reading as.
bool isTypedField(const Database &database, int field)
{
    const int type = database.fieldType(field);
    return type != StringType && type != NormalPopupType && type != MultiplePopupType;
}

// Whether any field in scope has a type beside text: only then can a cell leave its type.
bool scopeHasTypedField(const Database &database, const ReplaceSettings &settings)
{
    for (int field = 1; field <= database.fieldCount(); ++field) {
        if ((settings.field == 0 || settings.field == field) && isTypedField(database, field))
            return true;
    }
    return false;
}

// The record with its changed cells' new texts: one new buffer, made in one allocation, that
// holds only the texts as they now are (replacing cell by cell would copy the old texts into a
// buffer of the record's own first and compact them away after).
Record withChanges(const Record &stored, const CellChanges &changes, const QByteArray &texts)
{
    const qsizetype count = stored.size();
    const auto textOf = [&](qsizetype i, qsizetype &k) {
        if (k < changes.size() && changes[k].field - 1 == i) {
            const CellChange &change = changes[k++];
            return QByteArrayView(texts).sliced(change.start, change.size);
        }
        return stored.view(i);
    };
    qsizetype bytes = 0;
    for (qsizetype i = 0, k = 0; i < count; ++i) {
        const QByteArrayView text = textOf(i, k);
        bytes += text.isEmpty() ? 0 : text.size() + 1;
    }
    QByteArray buffer(bytes, Qt::Uninitialized);
    QVector<TextSpan> places(count);
    qsizetype at = 0;
    for (qsizetype i = 0, k = 0; i < count; ++i) {
        const QByteArrayView text = textOf(i, k);
        if (text.isEmpty())
            continue;
        std::memcpy(buffer.data() + at, text.data(), text.size());
        buffer[at + text.size()] = '\0';
        places[i] = {quint32(at), quint32(text.size())};
        at += text.size() + 1;
    }
    return Record(std::move(buffer), std::move(places));
}

// Stamps the record and then stores its new texts; counts what it did.
void storeChanges(Database &database, int record, const CellChanges &changes,
                  const QByteArray &texts, int cutCells, const QDateTime &now,
                  const Regional &regional, ReplaceCount &count)
{
    for (const CellChange &change : changes) {
        if (isTypedField(database, change.field)
            && leavesType(database, change.field, record,
                          QByteArrayView(texts).sliced(change.start, change.size), regional))
            ++count.untypedCells;
    }
    stampRow(database, record, now, regional);
    database.recordAt(record) = withChanges(database.recordAt(record), changes, texts);
    count.replacements += int(changes.size());
    count.cutCells += cutCells;
    ++count.records;
    if (database.isHidden(record))
        ++count.hiddenRecords;
    database.setModified();
}

// The new texts of the record's cells in scope (only `onlyField` when given), made from the
// texts before the stamp, into `texts`; stored when there are any.
void replaceInRecord(Database &database, CellReplacer &replacer, const ReplaceSettings &settings,
                     int record, int onlyField, const QDateTime &now, const Regional &regional,
                     QByteArray &texts, ReplaceCount &count)
{
    // Emptied, not freed: its room serves the next record.
    texts.truncate(0);
    CellChanges changes;
    int cutCells = 0;
    const int first = onlyField > 0 ? onlyField : 1;
    const int last = onlyField > 0 ? onlyField : database.fieldCount();
    for (int field = first; field <= last; ++field) {
        if (onlyField == 0 && !inReplaceScope(database, settings, field, record))
            continue;
        const qsizetype start = texts.size();
        bool cut = false;
        if (replacer.appendReplaced(database.cellView(field, record), texts, &cut)) {
            changes.append({field, start, texts.size() - start});
            cutCells += cut ? 1 : 0;
        }
    }
    if (!changes.isEmpty())
        storeChanges(database, record, changes, texts, cutCells, now, regional, count);
}

} // namespace

ReplaceCount replaceCell(Database &database, CellReplacer &replacer, int field, int record,
                         const QDateTime &now, const Regional &regional)
{
    ReplaceCount count;
    if (field < 1 || field > database.fieldCount() || record < 1 || record > database.recordCount())
        return count;
    QByteArray texts;
    replaceInRecord(database, replacer, {}, record, field, now, regional, texts, count);
    return count;
}

ReplaceCount replaceAll(Database &database, CellReplacer &replacer, const ReplaceSettings &settings,
                        const QDateTime &now, const Regional &regional)
{
    ReplaceCount count;
    if (!replacer.isValid())
        return count;
    // One buffer for the new texts of each record in turn; the record copies them.
    QByteArray texts;
    for (int record = 1; record <= database.recordCount(); ++record)
        replaceInRecord(database, replacer, settings, record, 0, now, regional, texts, count);
    return count;
}

int countCellsLeavingType(const Database &database, CellReplacer &replacer,
                          const ReplaceSettings &settings, const Regional &regional)
{
    if (!replacer.isValid() || !scopeHasTypedField(database, settings))
        return 0;
    int cells = 0;
    QByteArray text;
    for (int record = 1; record <= database.recordCount(); ++record) {
        for (int field = 1; field <= database.fieldCount(); ++field) {
            text.clear();
            // A cell of a text field reads as its type whatever it holds: not replaced here.
            if (isTypedField(database, field) && inReplaceScope(database, settings, field, record)
                && replacer.appendReplaced(database.cellView(field, record), text)
                && leavesType(database, field, record, text, regional))
                ++cells;
        }
    }
    return cells;
}

Message leavingTypeQuestion(int cells)
{
    return Message{QCoreApplication::translate("Replace", "Replace"),
                   QCoreApplication::translate(
                       "Replace",
                       "%n cell(s) will no longer read as their field's type (a date, time, "
                       "number or Boolean).\rReplace anyway?",
                       nullptr, cells),
                   Icon::Warning, Buttons::OkCancel};
}

bool confirmUnheldReplacement(Prompter &prompter, QStringView replacement, const Regional &regional)
{
    std::optional<Message> warning = unheldCharactersWarning(replacement, regional.codePage());
    if (!warning)
        return true;
    warning->text += u'\r' + QCoreApplication::translate("Replace", "Replace anyway?");
    warning->buttons = Buttons::OkCancel;
    return prompter.ask(*warning) == Answer::Ok;
}

QString replaceSummary(const ReplaceCount &count)
{
    // Each count has its own plural form (English through its catalogue of plurals).
    const QString records =
        QCoreApplication::translate("Replace", "in %n record(s)", nullptr, count.records);
    QString text =
        QCoreApplication::translate("Replace", "%n replacement(s) %1.", nullptr, count.replacements)
            .arg(records);
    if (count.hiddenRecords > 0) {
        text += u' '
                + QCoreApplication::translate("Replace",
                                              "%n of these records are hidden by the filter.",
                                              nullptr, count.hiddenRecords);
    }
    if (count.cutCells > 0) {
        text += u' '
                + QCoreApplication::translate("Replace",
                                              "%n cell(s) were cut at the longest value a record "
                                              "holds (%1 bytes).",
                                              nullptr, count.cutCells)
                      .arg(MaxValueBytes);
    }
    if (count.untypedCells > 0) {
        text += u' '
                + QCoreApplication::translate("Replace",
                                              "%n cell(s) no longer read as their field's type.",
                                              nullptr, count.untypedCells);
    }
    return text;
}

} // namespace kribed
