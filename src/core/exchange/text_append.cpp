// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/csv_exchange.h"

#include "core/exchange/import_plan.h"
#include "core/exchange/text_exchange.h"
#include "core/exchange/text_reading.h"
#include "core/model/database.h"
#include "core/model/regional.h"
#include "core/platform/checked_file.h"
#include "core/platform/code_page_converter.h"
#include <QCoreApplication>

namespace kribed {

namespace {

int gridRows(const Database &database)
{
    return database.recordCount() + 1;
}

} // namespace

QString fitQuestionText()
{
    return QCoreApplication::translate(
        "TextAppend", "Some of the imported records do not fit and will be cut. Continue?");
}

ImportPlan readTextAppend(QIODevice &device, TextType type, const Database &target,
                          const Regional &regional, CsvEncoding encoding, char chosenSeparator,
                          char quote, TextBytes bytes)
{
    if (type == TextType::Csv)
        return readCsvAppend(device, encoding, target, regional,
                             chosenSeparator ? chosenSeparator : CsvSeparator, quote);
    const char separator = chosenSeparator ? chosenSeparator : separatorOf(type);
    const int fields = target.fieldCount();
    const qint64 free = AppendRowLimit - gridRows(target);
    ImportPlan plan;
    plan.kind = ImportPlan::Kind::Append;
    plan.table.fields = fields;
    const qint64 start = device.pos();
    EncodingDetector bytesSeen;
    const bool asTheyStand = bytes == TextBytes::AsTheyStand;
    const std::optional<FormatCheck> check =
        checkFormat(device, separator, quote, asTheyStand ? &bytesSeen : nullptr);
    if (!check) {
        plan.fail(PlanFailure::Unreadable, openErrorMessage());
        return plan;
    }
    if (asTheyStand)
        plan.bytesEncoding = bytesSeen.result(true);
    plan.shape = shapeOfText(*check, free, fields);
    addAppendQuestions(plan, *check);
    CodePageConverter &converter = CodePageConverter::shared(regional.codePage());
    std::optional<Utf8Cells> utf8;
    if (bytes == TextBytes::Utf8)
        utf8.emplace(regional.codePage());
    const int firstRow = gridRows(target);
    Database::Record record(fields);
    // Each line is read in pieces, only what a cell can take of each value kept.
    FieldSplitter splitter(
        separator, quote, KeptLineValueBytes, [&](int field, QByteArrayView view, bool) {
            if (field > fields)
                return;
            const int row = int(plan.table.rows.size());
            QByteArray value = view.toByteArray();
            bool wasCut = false;
            if (utf8) {
                if (row == 0 && field == 1 && value.startsWith(utf8ByteOrderMark()))
                    value.remove(0, utf8ByteOrderMark().size());
                value = utf8->convert(std::move(value), firstRow + row, wasCut);
            }
            if (cutToStoredSize(value, &converter) || wasCut) {
                ++plan.cutValues;
                noteCutPlace(plan.cutPlaces, row, field);
            }
            record.replace(field - 1, value);
        });
    const bool read = device.seek(start)
                      && (free <= 0
                          || readLinePieces(
                              device, [&splitter](QByteArrayView piece) { splitter.feed(piece); },
                              [&] {
                                  splitter.endLine();
                                  plan.table.rows.append(std::move(record));
                                  record = Database::Record(fields);
                                  return plan.table.rows.size() < free;
                              }));
    if (utf8 && !utf8->losses().isEmpty()) {
        plan.losses = utf8->losses();
        plan.questions.append(importLossQuestion(plan.losses, regional.codePage()));
    }
    if (const std::optional<Message> notice = cutValuesNotice(plan.cutValues))
        plan.notices.append(*notice);
    if (!read)
        plan.fail(PlanFailure::BrokenAfter, openErrorMessage());
    return plan;
}

void addAppendQuestions(ImportPlan &plan, const FormatCheck &check)
{
    if (appendAsksFormatQuestion(check))
        plan.questions.append(goOnQuestion(formatQuestionText()));
    if (check.max + 1 > plan.table.fields || check.lines > plan.shape.rowLimit)
        plan.questions.append(goOnQuestion(fitQuestionText()));
}

ImportPlan readTextAppendFile(const QString &path, TextType type, const Database &target,
                              const Regional &regional, CsvEncoding encoding, char separator,
                              char quote, TextBytes bytes)
{
    CheckedFile file(path);
    if (!file.openForReading()) {
        ImportPlan plan;
        plan.kind = ImportPlan::Kind::Append;
        plan.fail(PlanFailure::Unreadable, openErrorMessage());
        return plan;
    }
    return readTextAppend(file, type, target, regional, encoding, separator, quote, bytes);
}

ExchangeResult appendText(QIODevice &device, TextType type, Database &database, Prompter &prompter,
                          const Regional &regional, CsvEncoding encoding)
{
    return carryOutImport(readTextAppend(device, type, database, regional, encoding), database,
                          prompter);
}

ExchangeResult appendTextFile(const QString &path, TextType type, Database &database,
                              Prompter &prompter, const Regional &regional, CsvEncoding encoding)
{
    return carryOutImport(readTextAppendFile(path, type, database, regional, encoding), database,
                          prompter);
}

} // namespace kribed
