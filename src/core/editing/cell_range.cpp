// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/cell_range.h"

#include <algorithm>

#include <QCoreApplication>

#include "core/editing/edit_messages.h"
#include "core/editing/stamp.h"
#include "core/model/database.h"
#include "core/model/regional.h"

namespace kribed {

namespace {

bool holdsSeparator(QByteArrayView cell)
{
    return cell.contains('\t') || cell.contains('\n') || cell.contains('\r');
}

bool needsQuotes(QByteArrayView cell)
{
    return cell.startsWith('"') || holdsSeparator(cell);
}

void appendQuoted(QByteArray &text, QByteArrayView cell)
{
    text += '"';
    for (const char c : cell) {
        if (c == '"')
            text += '"';
        text += c;
    }
    text += '"';
}

void appendCell(QByteArray &text, QByteArrayView cell)
{
    if (needsQuotes(cell))
        appendQuoted(text, cell);
    else
        text += cell;
}

} // namespace

bool CellRange::fits(const Database &database) const
{
    return firstField >= 1 && firstRecord >= 1 && lastField >= firstField
           && lastRecord >= firstRecord && lastField <= database.fieldCount()
           && lastRecord <= database.recordCount();
}

QVector<int> shownRecords(const Database &database, const CellRange &range)
{
    QVector<int> records;
    if (!range.fits(database))
        return records;
    for (int record = range.firstRecord; record <= range.lastRecord; ++record) {
        if (!database.isHidden(record))
            records.append(record);
    }
    return records;
}

QVector<int> shownRecordsFrom(const Database &database, int record, int count)
{
    QVector<int> records;
    for (int at = std::max(1, record); at <= database.recordCount() && records.size() < count;
         ++at) {
        if (!database.isHidden(at))
            records.append(at);
    }
    return records;
}

QByteArray cellBlockText(const Database &database, const CellRange &range)
{
    QByteArray text;
    for (const int record : shownRecords(database, range)) {
        for (int field = range.firstField; field <= range.lastField; ++field) {
            if (field > range.firstField)
                text += '\t';
            appendCell(text, database.cell(field, record));
        }
        text += '\n';
    }
    return text;
}

QByteArray singleCellText(QByteArrayView cell)
{
    QByteArray text;
    if (holdsSeparator(cell))
        appendQuoted(text, cell);
    else
        text = cell.toByteArray();
    return text;
}

CellBlock parseCellBlock(QByteArrayView text)
{
    CellBlock block;
    QVector<QByteArray> row;
    QByteArray cell;
    qsizetype i = 0;
    const qsizetype size = text.size();
    const auto endRow = [&] {
        row.append(cell);
        cell.clear();
        block.append(row);
        row.clear();
    };
    while (i < size) {
        if (cell.isEmpty() && text[i] == '"') {
            // A quoted cell: up to the quote that is not doubled. A quote that never closes
            // keeps the rest of the text as the cell, so nothing is dropped.
            ++i;
            while (i < size) {
                if (text[i] == '"') {
                    if (i + 1 < size && text[i + 1] == '"') {
                        cell += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                cell += text[i++];
            }
            // Text after the closing quote up to the next separator still belongs to the cell.
            while (i < size && text[i] != '\t' && text[i] != '\n' && text[i] != '\r')
                cell += text[i++];
            continue;
        }
        const char c = text[i];
        if (c == '\t') {
            row.append(cell);
            cell.clear();
            ++i;
        } else if (c == '\r' || c == '\n') {
            i += (c == '\r' && i + 1 < size && text[i + 1] == '\n') ? 2 : 1;
            endRow();
        } else {
            cell += c;
            ++i;
        }
    }
    // A last row without its line break.
    if (!cell.isEmpty() || !row.isEmpty() || (size > 0 && text.back() == '\t'))
        endRow();
    return block;
}

bool isMultiCellText(QByteArrayView text)
{
    QByteArrayView body = text;
    if (body.endsWith("\r\n"))
        body.chop(2);
    else if (body.endsWith('\n') || body.endsWith('\r'))
        body.chop(1);
    return body.contains('\t') || body.contains('\n') || body.contains('\r');
}

EditResult pasteCellBlock(Database &database, int field, int record, const CellBlock &block,
                          const QDateTime &now, const Regional &regional, Prompter &prompter)
{
    int width = 0;
    for (const QVector<QByteArray> &row : block)
        width = std::max(width, int(row.size()));
    if (block.isEmpty() || width == 0)
        return {};
    const QVector<int> records = shownRecordsFrom(database, record, int(block.size()));
    const int lastField = field + width - 1;
    if (field < 1 || record < 1 || lastField > database.fieldCount()
        || records.size() < block.size()) {
        reportRefusal(prompter,
                      QCoreApplication::translate(
                          "CellRange", "The pasted cells do not fit: %1 rows of %2 cells from the "
                                       "current cell reach beyond the last record or field.\r"
                                       "Nothing was pasted.")
                          .arg(block.size())
                          .arg(width));
        return {};
    }
    bool changed = false;
    for (int r = 0; r < block.size(); ++r) {
        const int at = records[r];
        const QVector<QByteArray> &cells = block[r];
        bool rowChanged = false;
        for (int f = 0; f < cells.size() && !rowChanged; ++f)
            rowChanged = database.cellView(field + f, at) != cells[f];
        if (!rowChanged)
            continue;
        // Stamped first: a pasted date or time in a Modification Date or Time cell stays.
        stampRow(database, at, now, regional);
        for (int f = 0; f < cells.size(); ++f)
            database.setCell(field + f, at, cells[f]);
        changed = true;
    }
    if (!changed)
        return {};
    database.setModified();
    EditResult result;
    result.applied = true;
    result.currentField = field;
    result.currentRecord = records.front();
    return result;
}

bool clearCellRange(Database &database, const CellRange &range, const QDateTime &now,
                    const Regional &regional)
{
    if (!range.fits(database))
        return false;
    bool changed = false;
    for (const int record : shownRecords(database, range)) {
        bool hasText = false;
        for (int field = range.firstField; field <= range.lastField && !hasText; ++field)
            hasText = !database.cellView(field, record).isEmpty();
        if (!hasText)
            continue;
        stampRow(database, record, now, regional);
        for (int field = range.firstField; field <= range.lastField; ++field)
            database.setCell(field, record, QByteArray());
        changed = true;
    }
    if (changed)
        database.setModified();
    return changed;
}

RangeStatistics rangeStatistics(const Database &database, const CellRange &range,
                                const Regional &regional)
{
    RangeStatistics statistics;
    if (!range.fits(database))
        return statistics;
    const QVector<int> records = shownRecords(database, range);
    addRangeStatistics(statistics, database, range, regional, records, 0, int(records.size()));
    return statistics;
}

void addRangeStatistics(RangeStatistics &statistics, const Database &database,
                        const CellRange &range, const Regional &regional,
                        const QVector<int> &records, int from, int to)
{
    to = std::min(to, int(records.size()));
    for (int index = std::max(0, from); index < to; ++index) {
        const int record = records.at(index);
        statistics.cells += range.width();
        for (int field = range.firstField; field <= range.lastField; ++field) {
            if (const auto value = regional.readNumber(database.cellView(field, record))) {
                statistics.sum += *value;
                ++statistics.numbers;
            }
        }
    }
}

} // namespace kribed
