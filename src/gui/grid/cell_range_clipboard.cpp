// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/grid/cell_range_clipboard.h"
#include "gui/grid/grid_places.h"

#include "core/model/regional.h"
#include "core/platform/code_page.h"
#include "gui/grid/database_document.h"
#include "gui/grid/recorded_edits.h"

#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QMimeData>
#include <QTableView>

#include <algorithm>

namespace kribed {

namespace {

// A record the filter hides cannot be selected (GridModel::flags): a range's first and last
// selectable rows bound it, as the list of its cells would. Every cell of a row has its row's flags.
bool selectableRow(const QAbstractItemModel &model, int row, int column)
{
    const Qt::ItemFlags flags = model.flags(model.index(row, column));
    return flags.testFlag(Qt::ItemIsSelectable) && flags.testFlag(Qt::ItemIsEnabled);
}

} // namespace

std::optional<CellRange> selectedRange(const QTableView &grid)
{
    const QItemSelectionModel *selection = grid.selectionModel();
    if (!selection)
        return std::nullopt;
    // The selection's rectangles, not its cells: a selection of every cell holds half a million.
    std::optional<CellRange> range;
    for (const QItemSelectionRange &part : selection->selection()) {
        if (!part.isValid())
            continue;
        const QAbstractItemModel &model = *part.model();
        int top = part.top();
        int bottom = part.bottom();
        while (top <= bottom && !selectableRow(model, top, part.left()))
            ++top;
        while (bottom > top && !selectableRow(model, bottom, part.left()))
            --bottom;
        if (top > bottom)
            continue;
        const CellRange shown{fieldOfColumn(part.left()), recordOfRow(top),
                              fieldOfColumn(part.right()), recordOfRow(bottom)};
        if (!range) {
            range = shown;
            continue;
        }
        range->firstField = std::min(range->firstField, shown.firstField);
        range->lastField = std::max(range->lastField, shown.lastField);
        range->firstRecord = std::min(range->firstRecord, shown.firstRecord);
        range->lastRecord = std::max(range->lastRecord, shown.lastRecord);
    }
    if (range)
        return range;
    const QModelIndex current = selection->currentIndex();
    if (!current.isValid())
        return std::nullopt;
    return CellRange{fieldOf(current), recordOf(current), fieldOf(current), recordOf(current)};
}

QString cellBlockMimeType()
{
    return QStringLiteral("application/x-kribed-cells");
}

std::unique_ptr<QMimeData> rangeMimeData(const Database &database, const CellRange &range,
                                         const Regional &regional)
{
    auto mime = std::make_unique<QMimeData>();
    const QByteArray block = cellBlockText(database, range);
    mime->setData(cellBlockMimeType(), block);
    // One shown cell goes as its text alone, quoted where it would otherwise read as several.
    const QVector<int> records = shownRecords(database, range);
    const bool oneCell = range.width() == 1 && records.size() == 1;
    mime->setText(regional.toText(
        oneCell ? singleCellText(database.cellView(range.firstField, records.front())) : block));
    return mime;
}

CellBlock cellsOfMimeData(const QMimeData &mime, const Regional &regional)
{
    if (mime.hasFormat(cellBlockMimeType()))
        return parseCellBlock(mime.data(cellBlockMimeType()));
    if (!mime.hasText())
        return {};
    QByteArray text = encodeOrQuestionMark(mime.text(), regional.codePage());
    if (isMultiCellText(text))
        return parseCellBlock(text);
    // One cell's text as it is (quotes included), without the line break a spreadsheet ends
    // its copy with.
    if (text.endsWith("\r\n"))
        text.chop(2);
    else if (text.endsWith('\n') || text.endsWith('\r'))
        text.chop(1);
    return {{text}};
}

bool pasteCells(DatabaseDocument &document, int field, int record, const CellBlock &block,
                const QDateTime &now, Prompter &prompter)
{
    // The block's rows go into shown records only: the step spans up to the last of them.
    const QVector<int> records = shownRecordsFrom(document.database(), record, int(block.size()));
    const int first = records.isEmpty() ? record : records.front();
    const int last = records.isEmpty() ? record : records.back();
    return recordCells(document, QCoreApplication::translate("kribed::CellRange", "Paste"), first,
                       last,
                       [&](Database &database) {
                           return pasteCellBlock(database, field, record, block, now,
                                                 document.regional(), prompter);
                       },
                       {field, first})
        .applied;
}

bool clearCells(DatabaseDocument &document, const CellRange &range, const QString &stepText,
                const QDateTime &now)
{
    if (!range.fits(document.database()))
        return false;
    return recordCells(document, stepText, range.firstRecord, range.lastRecord,
                       [&](Database &database) {
                           return clearCellRange(database, range, now, document.regional());
                       },
                       {range.firstField, range.firstRecord});
}

QString rangeStatisticsText(const Database &database, const CellRange &range,
                            const Regional &regional)
{
    if (range.isSingleCell() || !range.fits(database))
        return {};
    return rangeStatisticsText(rangeStatistics(database, range, regional), regional);
}

QString rangeStatisticsText(const RangeStatistics &statistics, const Regional &regional)
{
    // A selection that shows one cell (the others hidden by the filter) is one cell.
    if (statistics.cells < 2)
        return {};
    QString text = QCoreApplication::translate("kribed::CellRange", "Count: %1  Numbers: %2")
                       .arg(statistics.cells)
                       .arg(statistics.numbers);
    if (statistics.numbers > 0) {
        text += QCoreApplication::translate("kribed::CellRange", "  Sum: %1  Average: %2")
                    .arg(regional.toText(regional.numberText(statistics.sum)),
                         regional.toText(regional.numberText(statistics.average())));
    }
    return text;
}

QString rangeCountText(qint64 cells)
{
    return QCoreApplication::translate("kribed::CellRange", "Count: %1").arg(cells);
}

} // namespace kribed
