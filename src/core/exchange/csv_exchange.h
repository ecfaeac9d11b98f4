// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

// Import, append and export in standard CSV. The text_exchange.h functions hand the CSV type on
// to these; the code page of the cells is the one of the regional rules they are given.

#include "core/exchange/csv_format.h"
#include "core/exchange/text_exchange.h"
#include "core/platform/code_page_converter.h"
#include "core/platform/prompter.h"

#include <QByteArray>
#include <QString>

#include <optional>

class QIODevice;

namespace kribed {

class Database;
class Prompter;
class Regional;
struct ImportPlan;

// Asks which encoding a standard CSV file has (`reading`) or is to get: Yes for UTF-8, No for
// the code page, Cancel for none (the command ends).
std::optional<CsvEncoding> askCsvEncoding(Prompter &prompter, bool reading,
                                          const QByteArray &codePage);

// The read steps of importCsv and appendCsv: the questions they ask, in order, and the table,
// in a plan (import_plan.h); nothing is asked.
// `separator`: the comma, and `quote` the double quote, unless a preview chose another (0: none).
ImportPlan readCsvImport(QIODevice &device, CsvEncoding encoding, const Regional &regional,
                         char separator = CsvSeparator, char quote = '"');
ImportPlan readCsvAppend(QIODevice &device, CsvEncoding encoding, const Database &target,
                         const Regional &regional, char separator = CsvSeparator, char quote = '"');

// Reads the whole text before the open database changes: a cancelled question or a read error
// leaves it as it was. Asks, in this order, the format question (as for comma text, with records
// in place of lines, and a value that ends the text inside its quotes or a stray quote making it
// doubtful), then the loss question when a UTF-8 text holds characters the code page cannot hold
// or bytes that are no UTF-8. A leading byte-order mark makes the text UTF-8 whatever the encoding.
ExchangeResult importCsv(QIODevice &device, CsvEncoding encoding, Database &database,
                         Prompter &prompter, const Regional &regional);
// As the append of comma text: format question, fit question, then the loss question; records are
// added only after all of them were answered OK, and a read error adds none.
ExchangeResult appendCsv(QIODevice &device, CsvEncoding encoding, Database &database,
                         Prompter &prompter, const Regional &regional);

// What writing the database in the encoding would lose: with UTF-8, the bytes of the field names
// and shown records that are no character of the code page (they are written as '?').
LossReport csvExportLosses(const Database &database, CsvEncoding encoding,
                           const Regional &regional);
// Writes the field names and the shown records; false when the device refused a write.
bool writeCsv(QIODevice &device, CsvEncoding encoding, const Database &database,
              const Regional &regional);
// Asks the loss question when there is a loss, then writes through safeWriteFile.
ExchangeResult exportCsvFile(const QString &path, CsvEncoding encoding, const Database &database,
                             Prompter &prompter, const Regional &regional);

// The loss questions ("Warning", OK and Cancel): a text read into the code page, and the code
// page's cells written as UTF-8.
QString importLossQuestionText(const LossReport &report, const QByteArray &codePage);
QString exportLossQuestionText(const LossReport &report, const QByteArray &codePage);
// The import's loss question as a plan asks it.
Message importLossQuestion(const LossReport &report, const QByteArray &codePage);

} // namespace kribed
