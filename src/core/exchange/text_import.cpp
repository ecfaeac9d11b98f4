// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/csv_exchange.h"
#include "core/exchange/import_plan.h"
#include "core/exchange/new_database.h"
#include "core/exchange/text_exchange.h"
#include "core/exchange/text_reading.h"
#include "core/model/database.h"
#include "core/model/limits.h"
#include "core/model/regional.h"
#include "core/platform/checked_file.h"
#include "core/platform/code_page_converter.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace kribed {

namespace {

// Reads the lines into the table: line k into row k, fields beyond the last column all land in
// the last column, so it ends up with the line's last field. The plan counts the values the table
// holds that were cut to what a record can store. `utf8`, when given, turns the values from UTF-8.
bool fillTable(QIODevice &device, char separator, char quote, ImportPlan &plan,
               CodePageConverter &converter, Utf8Cells *utf8)
{
    ImportedTable &table = plan.table;
    const int lastField = table.fields;
    int row = 0;
    return readLines(device, [&](QByteArrayView line) {
        Database::Record &cells = table.rows[row];
        bool lastCut = false; // only the last of the fields that share the last column stays
        visitFields(
            line, separator,
            [&](int field, QByteArray &&value) {
                bool wasCut = false;
                if (utf8) {
                    if (row == 0 && field == 1 && value.startsWith(utf8ByteOrderMark()))
                        value.remove(0, utf8ByteOrderMark().size());
                    value = utf8->convert(std::move(value), row, wasCut);
                }
                wasCut = cutToStoredSize(value, &converter) || wasCut;
                if (field >= lastField) {
                    lastCut = wasCut;
                } else if (wasCut) {
                    ++plan.cutValues;
                    noteCutPlace(plan.cutPlaces, row, field);
                }
                cells.replace(std::min(field, lastField) - 1, value);
            },
            quote);
        if (lastCut) {
            ++plan.cutValues;
            noteCutPlace(plan.cutPlaces, row, lastField);
        }
        return ++row < table.rows.size();
    });
}

} // namespace

ImportPlan readTextImport(QIODevice &device, TextType type, const Regional &regional,
                          CsvEncoding encoding, char chosenSeparator, char quote, TextBytes bytes)
{
    if (type == TextType::Csv)
        return readCsvImport(device, encoding, regional,
                             chosenSeparator ? chosenSeparator : CsvSeparator, quote);
    const char separator = chosenSeparator ? chosenSeparator : separatorOf(type);
    ImportPlan plan;
    const qint64 start = device.pos();
    const std::optional<FormatCheck> check = checkFormat(device, separator, quote);
    if (!check) {
        plan.fail(PlanFailure::Unreadable, openErrorMessage());
        return plan;
    }
    plan.shape = shapeOfText(*check, MaxRecords + 1, MaxFields);
    if (importAsksFormatQuestion(*check))
        plan.questions.append(goOnQuestion(formatQuestionText()));
    plan.table.shapeFor(*check);
    std::optional<Utf8Cells> utf8;
    if (bytes == TextBytes::Utf8)
        utf8.emplace(regional.codePage());
    if (!device.seek(start)
        || !fillTable(device, separator, quote, plan,
                      CodePageConverter::shared(regional.codePage()), utf8 ? &*utf8 : nullptr)) {
        plan.fail(PlanFailure::BrokenAfter, openErrorMessage());
        return plan;
    }
    if (utf8 && !utf8->losses().isEmpty()) {
        plan.losses = utf8->losses();
        plan.questions.append(importLossQuestion(plan.losses, regional.codePage()));
    }
    if (const std::optional<Message> notice = cutValuesNotice(plan.cutValues))
        plan.notices.append(*notice);
    return plan;
}

ImportPlan readTextImportFile(const QString &path, TextType type, const Regional &regional,
                              CsvEncoding encoding, char separator, char quote, TextBytes bytes)
{
    CheckedFile file(path);
    if (!file.openForReading()) {
        ImportPlan plan;
        plan.fail(PlanFailure::Unreadable, openErrorMessage());
        return plan;
    }
    ImportPlan plan = readTextImport(file, type, regional, encoding, separator, quote, bytes);
    file.close();
    plan.origin = originOf(path, regional);
    return plan;
}

PlannedOrigin originOf(const QString &path, const Regional &regional)
{
    const QFileInfo info(path);
    const QString baseName = info.completeBaseName();
    return {regional.toBytes(sanitizeFileName(baseName)),
            info.absoluteDir().absoluteFilePath(baseName + QStringLiteral(".pdb")),
            info.lastModified()};
}

ExchangeResult importText(QIODevice &device, TextType type, Database &database, Prompter &prompter,
                          const Regional &regional, CsvEncoding encoding)
{
    return carryOutImport(readTextImport(device, type, regional, encoding), database, prompter);
}

ExchangeResult importTextFile(const QString &path, TextType type, Database &database,
                              Prompter &prompter, const Regional &regional, CsvEncoding encoding)
{
    return carryOutImport(readTextImportFile(path, type, regional, encoding), database, prompter);
}

} // namespace kribed
