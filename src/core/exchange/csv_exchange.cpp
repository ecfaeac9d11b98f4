// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/csv_exchange.h"

#include <QCoreApplication>

#include "core/exchange/import_plan.h"
#include "core/exchange/text_reading.h"
#include "core/model/database.h"
#include "core/model/limits.h"
#include "core/model/regional.h"
#include "core/platform/prompter.h"
#include "core/platform/safe_file.h"

#include <QIODevice>

#include <algorithm>
#include <optional>

namespace kribed {

namespace {

constexpr qsizetype KeptValueBytes = KeptUtf8ValueBytes;
constexpr qsizetype FlushSize = 1 << 16;
// The most characters a loss question names.
constexpr int NamedCharacters = 40;

using RawRecords = QVector<QList<QByteArray>>;

// The shape of a CSV text, as the format check learns it from lines: here a record is a line.
class CsvShape
{
public:
    void add(const CsvRecord &record)
    {
        const int separators = record.fieldCount - 1;
        if (record.endsQuoted || record.strayQuote
            || (mCheck.lines > 0 && separators != mCheck.max))
            mCheck.suspicious = true;
        mCheck.max = std::max(mCheck.max, separators);
        ++mCheck.lines;
    }
    const FormatCheck &check() const { return mCheck; }

private:
    FormatCheck mCheck;
};

// Reads the whole text: the first `keep` records' fields (at most `fields` each) into `records`,
// the shape of all of them into `shape`. False on a read error. `utf8` tells whether the text
// began with a byte-order mark.
bool readRecords(QIODevice &device, char separator, char quote, int fields,
                 CsvReader::Overflow overflow, qint64 keep, RawRecords &records, CsvShape &shape,
                 bool &marked)
{
    CsvReader reader(
        separator,
        [&](CsvRecord &record) {
            shape.add(record);
            if (records.size() < keep)
                records.append(std::move(record.fields));
            return true;
        },
        quote);
    reader.setLimits(fields, overflow, KeptValueBytes, keep);
    const bool read = readCsv(device, reader);
    marked = reader.sawByteOrderMark();
    return read;
}

// Turns the values of a text into cells of the code page, noting what is lost and what is cut.
class CellMaker
{
public:
    CellMaker(bool utf8, const QByteArray &codePage)
        : mUtf8(utf8)
        , mCodePage(codePage)
        , mCells(codePage)
    {
    }

    QByteArray cell(QByteArray value, int record)
    {
        bool cut = false;
        if (mUtf8)
            value = mCells.convert(std::move(value), record, cut);
        cut = cutToStoredSize(value, &CodePageConverter::shared(mCodePage)) || cut;
        mCut += cut;
        return value;
    }

    const LossReport &losses() const { return mCells.losses(); }
    int cutCount() const { return mCut; }

private:
    bool mUtf8;
    QByteArray mCodePage;
    Utf8Cells mCells;
    int mCut = 0;
};

int gridRows(const Database &database)
{
    return database.recordCount() + 1;
}

Message lossQuestion(const QString &text)
{
    return {QCoreApplication::translate("CsvExchange", "Warning"), text, Icon::Warning,
            Buttons::OkCancel};
}

bool askLoss(Prompter &prompter, const QString &text)
{
    return prompter.ask(lossQuestion(text)) == Answer::Ok;
}

// What the cells cost: the loss question after the others, the note about cut values.
void takeCellsMade(ImportPlan &plan, const CellMaker &maker, const QByteArray &codePage)
{
    plan.losses = maker.losses();
    plan.cutValues = maker.cutCount();
    if (!plan.losses.isEmpty())
        plan.questions.append(importLossQuestion(plan.losses, codePage));
    if (const std::optional<Message> notice = cutValuesNotice(plan.cutValues))
        plan.notices.append(*notice);
}

} // namespace

Message importLossQuestion(const LossReport &report, const QByteArray &codePage)
{
    return lossQuestion(importLossQuestionText(report, codePage));
}

std::optional<CsvEncoding> askCsvEncoding(Prompter &prompter, bool reading,
                                          const QByteArray &codePage)
{
    const QString page = QString::fromLatin1(codePage);
    const QString text =
        reading ? QCoreApplication::translate(
                      "CsvExchange", "Is the file in UTF-8?\nYes: UTF-8, as most programs of today "
                                     "write it.\nNo: the code page %1 of the display font.")
                      .arg(page)
                : QCoreApplication::translate(
                      "CsvExchange", "Write the file in UTF-8?\nYes: UTF-8, which most programs of "
                                     "today read.\nNo: the code page %1 of the display font.")
                      .arg(page);
    switch (prompter.ask({QCoreApplication::translate("CsvExchange", "Standard CSV"), text,
                          Icon::Question, Buttons::YesNoCancel})) {
    case Answer::Yes: return CsvEncoding::Utf8;
    case Answer::No: return CsvEncoding::CodePage;
    default: return std::nullopt;
    }
}

QString importLossQuestionText(const LossReport &report, const QByteArray &codePage)
{
    QStringList lines;
    const QString page = QString::fromLatin1(codePage);
    if (report.characterCount() == 1)
        lines.append(QCoreApplication::translate(
                         "CsvExchange", "1 character cannot be held by the code page %1 and will "
                                        "become \"?\": %2")
                         .arg(page, characterNames(report.distinctCharacters(), NamedCharacters)));
    else if (report.characterCount() > 1)
        lines.append(QCoreApplication::translate(
                         "CsvExchange", "%1 characters cannot be held by the code page %2 and will "
                                        "become \"?\": %3")
                         .arg(report.characterCount())
                         .arg(page, characterNames(report.distinctCharacters(), NamedCharacters)));
    if (report.byteCount() == 1)
        lines.append(QCoreApplication::translate(
            "CsvExchange", "1 byte of the text is not UTF-8 and will become \"?\"."));
    else if (report.byteCount() > 1)
        lines.append(QCoreApplication::translate(
                         "CsvExchange", "%1 bytes of the text are not UTF-8 and will become \"?\".")
                         .arg(report.byteCount()));
    lines.append(
        QCoreApplication::translate("CsvExchange", "Records: %1").arg(report.recordsText()));
    lines.append(QCoreApplication::translate("CsvExchange", "Continue?"));
    return lines.join(u'\n');
}

QString exportLossQuestionText(const LossReport &report, const QByteArray &codePage)
{
    const QString page = QString::fromLatin1(codePage);
    const QString first =
        report.byteCount() == 1
            ? QCoreApplication::translate(
                  "CsvExchange", "1 byte is no character of the code page %1 and will be written "
                                 "as \"?\".")
                  .arg(page)
            : QCoreApplication::translate(
                  "CsvExchange", "%1 bytes are no characters of the code page %2 and will be "
                                 "written as \"?\".")
                  .arg(report.byteCount())
                  .arg(page);
    return first
           + QCoreApplication::translate("CsvExchange", "\nRecords: %1\nContinue?")
                 .arg(report.recordsText());
}

ImportPlan readCsvImport(QIODevice &device, CsvEncoding encoding, const Regional &regional,
                         char separator, char quote)
{
    ImportPlan plan;
    CsvShape shape;
    const QByteArray codePage = regional.codePage();
    std::optional<CellMaker> maker;
    QVector<Database::Record> &rows = plan.table.rows;
    QList<QByteArray> cells;
    const CsvReader *seen = nullptr;
    // Each kept record becomes a row of cells as soon as it is read: the text's values are never
    // all held beside the table.
    CsvReader reader(
        separator,
        [&](CsvRecord &record) {
            shape.add(record);
            if (rows.size() > MaxRecords)
                return true;
            if (!maker) // the byte-order mark is known before the first record
                maker.emplace(encoding == CsvEncoding::Utf8 || seen->sawByteOrderMark(), codePage);
            const int row = int(rows.size());
            cells.resize(record.fields.size());
            for (int field = 0; field < cells.size(); ++field) {
                const int cut = maker->cutCount();
                cells[field] = maker->cell(std::move(record.fields[field]), row);
                if (maker->cutCount() > cut)
                    noteCutPlace(plan.cutPlaces, row, field + 1);
            }
            rows.append(Database::Record(cells));
            return true;
        },
        quote);
    seen = &reader;
    reader.setLimits(MaxFields, CsvReader::Overflow::IntoLast, KeptValueBytes, MaxRecords + 1);
    if (!readCsv(device, reader)) {
        ImportPlan failed;
        failed.fail(PlanFailure::Unreadable, openErrorMessage());
        return failed;
    }
    const FormatCheck &check = shape.check();
    plan.shape = shapeOfText(check, MaxRecords + 1, MaxFields);
    if (importAsksFormatQuestion(check))
        plan.questions.append(goOnQuestion(formatQuestionText()));

    plan.table.widenTo(check);
    if (!maker)
        maker.emplace(encoding == CsvEncoding::Utf8 || reader.sawByteOrderMark(), codePage);
    takeCellsMade(plan, *maker, codePage);
    return plan;
}

ImportPlan readCsvAppend(QIODevice &device, CsvEncoding encoding, const Database &target,
                         const Regional &regional, char separator, char quote)
{
    const int fields = target.fieldCount();
    const qint64 free = std::max(0, AppendRowLimit - gridRows(target));
    ImportPlan plan;
    plan.kind = ImportPlan::Kind::Append;
    plan.table.fields = fields;
    RawRecords raw;
    CsvShape shape;
    bool marked = false;
    if (!readRecords(device, separator, quote, fields, CsvReader::Overflow::Drop, free, raw, shape,
                     marked)) {
        plan.fail(PlanFailure::Unreadable, openErrorMessage());
        return plan;
    }
    plan.shape = shapeOfText(shape.check(), free, fields);
    addAppendQuestions(plan, shape.check());

    const QByteArray codePage = regional.codePage();
    CellMaker maker(encoding == CsvEncoding::Utf8 || marked, codePage);
    plan.table.rows.reserve(raw.size());
    const int firstRow = gridRows(target);
    for (int i = 0; i < raw.size(); ++i) {
        Database::Record record(fields);
        for (int field = 0; field < raw[i].size(); ++field) {
            const int cut = maker.cutCount();
            record.replace(field, maker.cell(std::move(raw[i][field]), firstRow + i));
            if (maker.cutCount() > cut)
                noteCutPlace(plan.cutPlaces, i, field + 1);
        }
        plan.table.rows.append(std::move(record));
    }
    takeCellsMade(plan, maker, codePage);
    return plan;
}

ExchangeResult importCsv(QIODevice &device, CsvEncoding encoding, Database &database,
                         Prompter &prompter, const Regional &regional)
{
    return carryOutImport(readCsvImport(device, encoding, regional), database, prompter);
}

ExchangeResult appendCsv(QIODevice &device, CsvEncoding encoding, Database &database,
                         Prompter &prompter, const Regional &regional)
{
    return carryOutImport(readCsvAppend(device, encoding, database, regional), database, prompter);
}

// Export -------------------------------------------------------------------------------------------

namespace {

// The rows an export writes, as grid rows: 0 the field names, then the shown records, each as
// views of the database's bytes.
template<typename Visit> void forEachWrittenRow(const Database &database, Visit visit)
{
    CsvValues values;
    for (int field = 1; field <= database.fieldCount(); ++field)
        values.append(database.fieldName(field));
    if (!visit(0, values))
        return;
    for (int record = 1; record <= database.recordCount(); ++record) {
        if (database.rowHeight(record) == 0)
            continue; // hidden by the record filter
        const Database::Record &cells = database.recordAt(record);
        values.clear();
        for (qsizetype i = 0; i < cells.size(); ++i)
            values.append(cells.view(i));
        if (!visit(record, values))
            return;
    }
}

} // namespace

LossReport csvExportLosses(const Database &database, CsvEncoding encoding, const Regional &regional)
{
    LossReport report;
    if (encoding != CsvEncoding::Utf8)
        return report;
    CodePageConverter &converter = CodePageConverter::shared(regional.codePage());
    if (converter.readsEveryByte())
        return report;
    forEachWrittenRow(database, [&](int row, const CsvValues &values) {
        for (const QByteArrayView value : values) {
            if (const int unreadable = converter.unreadable(value))
                report.add(row, QStringView(), unreadable);
        }
        return true;
    });
    return report;
}

bool writeCsv(QIODevice &device, CsvEncoding encoding, const Database &database,
              const Regional &regional)
{
    const bool utf8 = encoding == CsvEncoding::Utf8;
    CodePageConverter &converter = CodePageConverter::shared(regional.codePage());
    QList<QByteArray> converted;
    QByteArray out;
    bool written = true;
    forEachWrittenRow(database, [&](int row, const CsvValues &values) {
        const bool first = row == 0;
        if (!utf8) {
            appendCsvRecord(out, values, CsvSeparator, first);
        } else if (!converter.keepsAscii()
                   || !appendCsvRecord(out, values, CsvSeparator, first, true)) {
            // Not plain ASCII: converted first.
            converted.resize(values.size());
            for (qsizetype i = 0; i < values.size(); ++i)
                converted[i] = converter.toUtf8(values.at(i));
            appendCsvRecord(out, converted, CsvSeparator, first);
        }
        if (out.size() >= FlushSize) {
            written = device.write(out) == out.size();
            out.resize(0); // keeps the room for the next records
        }
        return written;
    });
    return written && device.write(out) == out.size();
}

ExchangeResult exportCsvFile(const QString &path, CsvEncoding encoding, const Database &database,
                             Prompter &prompter, const Regional &regional)
{
    const LossReport losses = csvExportLosses(database, encoding, regional);
    if (!losses.isEmpty()
        && !askLoss(prompter, exportLossQuestionText(losses, regional.codePage())))
        return ExchangeResult::Cancelled;
    const auto write = [&](QIODevice &device) {
        return writeCsv(device, encoding, database, regional);
    };
    if (!safeWriteFile(path, textBackupFileName(path, TextType::Csv), write)) {
        prompter.ask({QCoreApplication::translate("CsvExchange", "Error"), saveErrorText(),
                      Icon::Error, Buttons::Ok});
        return ExchangeResult::Failed;
    }
    return ExchangeResult::Done;
}

} // namespace kribed
