// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/csv_exchange.h"

#include "core/exchange/text_exchange.h"
#include "core/exchange/text_reading.h"
#include "core/model/database.h"
#include "core/model/regional.h"
#include "core/platform/checked_file.h"
#include "core/platform/code_page_converter.h"
#include "core/platform/prompter.h"
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

ExchangeResult appendText(QIODevice &device, TextType type, Database &database, Prompter &prompter,
                          const Regional &regional, CsvEncoding encoding)
{
    if (type == TextType::Csv)
        return appendCsv(device, encoding, database, prompter, regional);
    const char separator = separatorOf(type);
    const int fields = database.fieldCount();
    FormatCheck check;
    const ExchangeResult checked = checkTextFirst(
        device, separator, prompter,
        [&](const FormatCheck &shape) {
            if (appendAsksFormatQuestion(shape) && !askToGoOn(prompter, formatQuestionText()))
                return false;
            const qint64 free = AppendRowLimit - gridRows(database);
            return (shape.max + 1 <= fields && shape.lines <= free)
                   || askToGoOn(prompter, fitQuestionText());
        },
        check);
    if (checked != ExchangeResult::Done)
        return checked;
    int added = 0;
    int cut = 0;
    CodePageConverter &converter = CodePageConverter::shared(regional.codePage());
    const bool read = readLines(device, [&](QByteArrayView line) {
        if (gridRows(database) >= AppendRowLimit)
            return false;
        Database::Record record(fields);
        visitFields(line, separator, [&](int field, QByteArray &&value) {
            if (field > fields)
                return;
            cut += cutToStoredSize(value, &converter);
            record.replace(field - 1, value);
        });
        database.insertRecord(database.recordCount() + 1, std::move(record));
        ++added;
        return gridRows(database) < AppendRowLimit;
    });
    // Records added before a read error stay, so the database has changed then too.
    if (read || added > 0)
        database.setModified();
    reportCutValues(prompter, cut);
    if (!read) {
        showOpenError(prompter);
        return ExchangeResult::Failed;
    }
    return ExchangeResult::Done;
}

ExchangeResult appendTextFile(const QString &path, TextType type, Database &database,
                              Prompter &prompter, const Regional &regional, CsvEncoding encoding)
{
    CheckedFile file(path);
    if (!openForReading(file, prompter))
        return ExchangeResult::Failed;
    return appendText(file, type, database, prompter, regional, encoding);
}

} // namespace kribed
