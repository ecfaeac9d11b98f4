// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/exchange/csv_format.h"
#include "core/exchange/text_format.h"

#include <QString>

class QIODevice;

namespace kribed {

class Database;
class Prompter;
class Regional;
struct ImportPlan; // import_plan.h

enum class ExchangeResult {
    Done,      // the database (or the text file) holds the result
    Cancelled, // the user answered Cancel to a question: nothing changed
    Failed,    // the error message was shown: see each function for what changed
};

// Import ---------------------------------------------------------------------------------------
// Builds a new database from separated text: the first line names the fields, every further line
// is a record; every field becomes a String of 90 pixels. The open database is replaced only when
// the whole file has been read: a question answered Cancel or a read error leaves it as it was.
// The imported database counts as changed. Values longer than a record can store are cut to 4000
// bytes as they are read, and the user is told once how many were. The unsaved-changes question
// and the open dialog are the caller's.
//
// The file form also takes the database name (the sanitized base name), the path (the text file's
// with ".pdb") and the modification time (the text file's last write).
//
// `encoding` serves the standard CSV type only (csv_exchange.h tells what it adds).
ExchangeResult importTextFile(const QString &path, TextType type, Database &database,
                              Prompter &prompter, const Regional &regional,
                              CsvEncoding encoding = CsvEncoding::Utf8);
// The device form fills records, names, types, widths and the reset values; name, path and
// modification time stay as they were. The device must be open for reading and seekable.
ExchangeResult importText(QIODevice &device, TextType type, Database &database, Prompter &prompter,
                          const Regional &regional, CsvEncoding encoding = CsvEncoding::Utf8);
// How the types other than standard CSV take a text's bytes: as they stand, with no conversion
// (their own reading), or as UTF-8 turned into the code page, as a preview chose for a file whose
// bytes are UTF-8. In UTF-8 a leading byte order mark is dropped, what the code page cannot hold
// becomes '?' after the loss question of standard CSV, and values are cut as there.
enum class TextBytes { AsTheyStand, Utf8 };

// The read steps of the two forms: the whole text read into a plan, nothing asked (import_plan.h).
// `separator`, when not 0, stands in for the type's own, and `quote` for the double quote (0:
// none), as a preview chose.
ImportPlan readTextImportFile(const QString &path, TextType type, const Regional &regional,
                              CsvEncoding encoding = CsvEncoding::Utf8, char separator = 0,
                              char quote = DoubleQuote, TextBytes bytes = TextBytes::AsTheyStand);
ImportPlan readTextImport(QIODevice &device, TextType type, const Regional &regional,
                          CsvEncoding encoding = CsvEncoding::Utf8, char separator = 0,
                          char quote = DoubleQuote, TextBytes bytes = TextBytes::AsTheyStand);

// Append ---------------------------------------------------------------------------------------
// Adds every line of the text (the first one too) as a record at the end of the open database,
// up to 9998 records; fields beyond the database's are dropped. Asks the format question and the
// fit question; long values are cut and told of as by the import. The database counts as changed
// once the questions were answered OK, and after a read error when records were already added
// (they stay). The caller makes the last row current.
ExchangeResult appendTextFile(const QString &path, TextType type, Database &database,
                              Prompter &prompter, const Regional &regional,
                              CsvEncoding encoding = CsvEncoding::Utf8);
ExchangeResult appendText(QIODevice &device, TextType type, Database &database, Prompter &prompter,
                          const Regional &regional, CsvEncoding encoding = CsvEncoding::Utf8);
// The read steps: the records the target database would get, read into a plan.
ImportPlan readTextAppendFile(const QString &path, TextType type, const Database &target,
                              const Regional &regional, CsvEncoding encoding = CsvEncoding::Utf8,
                              char separator = 0, char quote = DoubleQuote,
                              TextBytes bytes = TextBytes::AsTheyStand);
ImportPlan readTextAppend(QIODevice &device, TextType type, const Database &target,
                          const Regional &regional, CsvEncoding encoding = CsvEncoding::Utf8,
                          char separator = 0, char quote = DoubleQuote,
                          TextBytes bytes = TextBytes::AsTheyStand);

// The most grid rows (field names and records) an append fills up to.
constexpr int AppendRowLimit = 9999;
QString fitQuestionText(); // "Some of the imported records do not fit and will be cut. Continue?"

// Export ---------------------------------------------------------------------------------------
// Writes the field names and every shown record, each value between the type's quotes, joined by
// its separator, each line ending in CR LF; values are written exactly as they stand. Hidden
// records are left out. The database is not touched.
//
// The file form writes through safeWriteFile: only a complete, synced text replaces the target (a
// link's final file), and the previous file becomes the backup beside the chosen name (the type's
// backup extension). A failed export shows the save error and leaves the previous file and its
// backup as they were. CommaAny is refused
// like a file that cannot be created. Standard CSV quotes only the values that need it, and in
// UTF-8 first asks whether to go on when some cell bytes are no character of the code page
// (Cancelled when the user says no: nothing is written).
ExchangeResult exportTextFile(const QString &path, TextType type, const Database &database,
                              Prompter &prompter, const Regional &regional,
                              CsvEncoding encoding = CsvEncoding::Utf8);
// False when the device refused a write.
bool writeText(QIODevice &device, TextType type, const Database &database, const Regional &regional,
               CsvEncoding encoding = CsvEncoding::Utf8);
// The backup name of an exported file: its extension replaced by the type's backup extension.
QString textBackupFileName(const QString &path, TextType type);

} // namespace kribed
