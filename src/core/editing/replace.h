// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/editing/cell_range.h"
#include "core/editing/find.h"
#include "core/model/typed_reading.h"
#include "core/platform/prompter.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QList>
#include <QRegularExpression>
#include <QString>

#include <optional>

namespace kribed {

class CodePageConverter;
class Database;
class Regional;

// What the replace dialog and `kribed-cli replace` gather. The texts are what the user typed:
// cells are matched as they show through the code page, not as bytes.
struct ReplaceSettings
{
    QString find;
    QString replacement;
    int field = 0; // 0: all fields; below 0: none (the chosen one is gone), nothing matches
    bool matchCase = false;
    bool wholeCell = false;
    bool regularExpression = false; // the replacement may then refer to groups as \1
    std::optional<CellRange> selection;
    // While the record filter hides records, only the shown ones take part unless this is set.
    bool includeHidden = false;
};

// Matches cells against the settings and gives their replaced texts. Made once per search or
// replace-all, since it prepares the expression and the code page's converter.
class CellReplacer
{
public:
    CellReplacer(const ReplaceSettings &settings, const Regional &regional);

    // False for an invalid regular expression; errorText() then says what is wrong.
    bool isValid() const { return mValid; }
    QString errorText() const { return mErrorText; }

    bool matches(QByteArrayView cell);
    // The new bytes of a cell that matches and changes, cut to the longest value a record holds
    // (`cut` says when it was); none when the cell stays as it is.
    std::optional<QByteArray> replaced(QByteArrayView cell, bool *cut = nullptr);
    // The same, appended to `out`: false, with `out` as it was, when the cell stays as it is.
    bool appendReplaced(QByteArrayView cell, QByteArray &out, bool *cut = nullptr);

private:
    bool readCell(QByteArrayView cell, QString &text);
    bool textMatches(const QString &text) const;
    // The cell with every match replaced, on the bytes; false, with `out` as it was, when no
    // byte changes.
    bool appendReplacedBytes(QByteArrayView cell, QByteArray &out) const;
    // The same for one byte found and one byte put in its place.
    bool appendReplacedByte(QByteArrayView cell, QByteArray &out) const;
    // The cell read as text, replaced and written back in the code page; false for no match.
    bool appendReplacedText(QByteArrayView cell, QByteArray &out);
    void readReplacement();
    // Replaces every match of the expression; false when there is none.
    bool replaceMatches(QString &text) const;
    // Cuts the text that starts at `start` to the longest value a record holds.
    void fitFrom(qsizetype start, QByteArray &out, bool *cut);

    ReplaceSettings mSettings;
    CodePageConverter &mConverter;
    QRegularExpression mExpression;
    // The replacement of an expression: text, then the group to put after it (0: none).
    struct ReplacementPiece
    {
        QString literal;
        int group;
    };
    QList<ReplacementPiece> mPieces;
    bool mValid = true;
    QString mErrorText;
    // Plain ASCII texts in a single-byte code page are matched on the bytes themselves: a cell's
    // bytes then stand for its characters one to one.
    bool mOnBytes = false;
    QByteArray mFindBytes; // folded a to z unless the case must match
    QByteArray mReplacementBytes;
};

// Whether the cell takes part: its field, the selection, and a shown record unless hidden ones
// are included.
bool inReplaceScope(const Database &database, const ReplaceSettings &settings, int field,
                    int record);

// The first cell in scope that matches, from `first` to `last` (both included) in the order Find
// visits cells: row by row, left to right within a row.
std::optional<GridCell> findReplaceMatch(const Database &database, CellReplacer &replacer,
                                         const ReplaceSettings &settings, GridCell first,
                                         GridCell last);

// What a replacement did: the cells changed, in how many records (of them hidden), how many
// results were cut at the longest value a record holds, and how many cells of typed fields read
// as their field's type before and no longer do.
struct ReplaceCount
{
    int replacements = 0;
    int records = 0;
    int hiddenRecords = 0;
    int cutCells = 0;
    int untypedCells = 0;
    bool isEmpty() const { return replacements == 0; }
};

// Replaces the one cell when it matches. A changed record is stamped as the cell editor stamps it:
// first the record, then the text, so a replacement in a Modification Date cell stays.
ReplaceCount replaceCell(Database &database, CellReplacer &replacer, int field, int record,
                         const QDateTime &now, const Regional &regional);
// Replaces every match in scope; the database counts as changed when a cell changed.
ReplaceCount replaceAll(Database &database, CellReplacer &replacer, const ReplaceSettings &settings,
                        const QDateTime &now, const Regional &regional);

// How many cells in scope a replacement would leave no longer reading as their field's type.
// Changes nothing: the window asks with it before it replaces.
int countCellsLeavingType(const Database &database, CellReplacer &replacer,
                          const ReplaceSettings &settings, const Regional &regional);

// The question before a replacement that leaves `cells` no longer reading as their field's type.
Message leavingTypeQuestion(int cells);

// Before a replacement whose text holds characters the code page cannot hold: the warning that
// typed text gets, with Cancel. True to go on (at once when the code page holds the whole text).
bool confirmUnheldReplacement(Prompter &prompter, QStringView replacement,
                              const Regional &regional);

// "12 replacements in 9 records.", then the hidden records, the cut cells and the cells that no
// longer read as their field's type when there are any.
QString replaceSummary(const ReplaceCount &count);

} // namespace kribed
