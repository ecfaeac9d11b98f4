// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/text_reading.h"

#include "core/exchange/import_plan.h"

#include "core/model/limits.h"
#include "core/model/stored_value.h"

#include <algorithm>

namespace kribed {

bool cutToStoredSize(QByteArray &value, CodePageConverter *converter)
{
    return cutToStoredLimit(value, converter);
}

QByteArray Utf8Cells::convert(QByteArray value, int record, bool &cut)
{
    cut = false;
    if (value.size() > KeptUtf8ValueBytes) {
        // Not inside a character: back to the start of the one that was split.
        qsizetype end = KeptUtf8ValueBytes;
        while (end > 0 && (uchar(value.at(end)) & 0xC0) == 0x80)
            --end;
        value.truncate(end);
        cut = true;
    }
    if (isAsciiBytes(value) && converter().keepsAscii())
        return value;
    constexpr char16_t Replacement = 0xFFFD;
    QString text = QString::fromUtf8(value);
    int notUtf8 = 0;
    if (text.toUtf8() != value) {
        // Each piece that is no UTF-8 reads as U+FFFD; a U+FFFD written in the text itself
        // comes back as it was and is not counted.
        const qsizetype written = value.count("\xEF\xBF\xBD");
        notUtf8 = int(text.count(QChar(Replacement)) - written);
    }
    QString unheld;
    QByteArray cell = converter().encode(text, &unheld);
    if (notUtf8 > 0)
        unheld.remove(QChar(Replacement));
    mLosses.add(record, unheld, notUtf8);
    return cell;
}

ImportShape shapeOfText(const FormatCheck &check, qint64 rowLimit, int columnLimit)
{
    ImportShape shape;
    shape.rows = check.lines;
    shape.columns = check.max + 1;
    shape.doubtful = check.suspicious;
    shape.rowLimit = rowLimit;
    shape.columnLimit = columnLimit;
    shape.longestLine = check.longestLine;
    shape.longestLineNumber = check.longestLineNumber;
    shape.overlongBytes = check.overlongBytes;
    shape.bytes = check.bytes;
    shape.lineFeeds = check.lineFeeds;
    return shape;
}

void ImportedTable::shapeFor(const FormatCheck &check)
{
    const int rows = int(std::clamp<qint64>(check.lines, 2, MaxRecords + 1));
    fields = std::clamp(check.max + 1, 1, MaxFields);
    this->rows = QVector<Database::Record>(rows, Database::Record(fields));
}

void ImportedTable::widenTo(const FormatCheck &check)
{
    fields = std::clamp(check.max + 1, 1, MaxFields);
    while (rows.size() < 2)
        rows.append(Database::Record());
    for (Database::Record &row : rows)
        row.resize(fields);
}

void replaceWithImported(Database &database, ImportedTable &table)
{
    constexpr int ImportedColumnWidth = 90; // pixels, not width units
    database.resetAppInfo();
    database.setFilterText(QByteArray());
    database.setFilterField(0);
    database.setSecondarySortField(0);
    database.setTertiarySortField(0);
    database.clearPopupLists();
    database.setFilterOn(false);

    const int records = int(table.rows.size()) - 1;
    database.setShape(table.fields, records);
    for (int field = 1; field <= table.fields; ++field) {
        database.setFieldName(field, table.rows[0][field - 1]);
        database.setColumnWidth(field, ImportedColumnWidth);
        database.setFieldType(field, 0);
    }
    for (int record = 1; record <= records; ++record)
        database.recordAt(record) = std::move(table.rows[record]);
    database.setModified();
}

} // namespace kribed
