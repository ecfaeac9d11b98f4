// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/csv_exchange.h"
#include "core/exchange/new_database.h"
#include "core/exchange/text_exchange.h"
#include "core/exchange/text_reading.h"
#include "core/model/database.h"
#include "core/model/regional.h"
#include "core/platform/checked_file.h"
#include "core/platform/code_page_converter.h"
#include "core/platform/prompter.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace kribed {

namespace {

// Reads the lines into the table: line k into row k, fields beyond the last column all land in
// the last column, so it ends up with the line's last field. `cut` counts the values the table
// holds that were cut to what a record can store.
bool fillTable(QIODevice &device, char separator, ImportedTable &table, int &cut,
               CodePageConverter &converter)
{
    const int lastField = table.fields;
    int row = 0;
    return readLines(device, [&](QByteArrayView line) {
        Database::Record &cells = table.rows[row];
        bool lastCut = false; // only the last of the fields that share the last column stays
        visitFields(line, separator, [&](int field, QByteArray &&value) {
            const bool wasCut = cutToStoredSize(value, &converter);
            if (field < lastField)
                cut += wasCut;
            else
                lastCut = wasCut;
            cells.replace(std::min(field, lastField) - 1, value);
        });
        cut += lastCut;
        return ++row < table.rows.size();
    });
}

} // namespace

ExchangeResult importText(QIODevice &device, TextType type, Database &database, Prompter &prompter,
                          const Regional &regional, CsvEncoding encoding)
{
    if (type == TextType::Csv)
        return importCsv(device, encoding, database, prompter, regional);
    const char separator = separatorOf(type);
    FormatCheck check;
    const ExchangeResult checked = checkTextFirst(
        device, separator, prompter,
        [&prompter](const FormatCheck &shape) {
            return !importAsksFormatQuestion(shape) || askToGoOn(prompter, formatQuestionText());
        },
        check);
    if (checked != ExchangeResult::Done)
        return checked;

    ImportedTable table;
    table.shapeFor(check);
    // The open database stays as it is until the whole file has been read.
    int cut = 0;
    if (!fillTable(device, separator, table, cut, CodePageConverter::shared(regional.codePage()))) {
        showOpenError(prompter);
        return ExchangeResult::Failed;
    }
    replaceWithImported(database, table);
    reportCutValues(prompter, cut);
    return ExchangeResult::Done;
}

ExchangeResult importTextFile(const QString &path, TextType type, Database &database,
                              Prompter &prompter, const Regional &regional, CsvEncoding encoding)
{
    CheckedFile file(path);
    if (!openForReading(file, prompter))
        return ExchangeResult::Failed;
    const ExchangeResult result = importText(file, type, database, prompter, regional, encoding);
    file.close();
    if (result != ExchangeResult::Done)
        return result;

    const QFileInfo info(path);
    const QString baseName = info.completeBaseName();
    database.setModificationTime(info.lastModified());
    database.setName(regional.toBytes(sanitizeFileName(baseName)));
    database.setFilePath(info.absoluteDir().absoluteFilePath(baseName + QStringLiteral(".pdb")));
    return ExchangeResult::Done;
}

} // namespace kribed
