// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

// The one table of the file formats Import, Append and Export exchange with: the window's file
// dialogs (their filter text, the entry chosen, the extension) and kribed-cli's --type are both
// built from it. A new format is a new row in exchange_formats.cpp and its own reader or writer.

#include "core/exchange/csv_format.h"
#include "core/exchange/import_plan.h"
#include "core/exchange/sqlite_exchange.h"
#include "core/exchange/text_exchange.h"
#include "core/exchange/text_format.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>

namespace kribed {

class Database;
class Prompter;
class Regional;

// What a read step is given: the file, the table chosen (formats with tables), the encoding
// asked (formats that ask it), and where a slow reading reports and can be stopped.
struct ImportSource
{
    QString path;
    QString table;
    CsvEncoding encoding = CsvEncoding::Utf8;
    // The text formats that do not ask it: their bytes as they stand, or UTF-8 as a preview chose.
    TextBytes bytes = TextBytes::AsTheyStand;
    char separator = 0; // text formats: 0 the format's own, else the one a preview chose
    char quote = '"';   // text formats: the double quote unless a preview chose another, 0 none
    SqliteProgress progress;
};

// Reads the source's text in the encoding, whatever its format: standard CSV's asked one, the
// other text formats' bytes.
void setTextEncoding(ImportSource &source, CsvEncoding encoding);

// The dialogs a format can be offered in.
enum class ExchangeUse { Import, Append, Export };

struct ExchangeFormat
{
    // The name kribed-cli's --type takes (case-insensitive), and the format's key.
    QString id;
    // The kind of separated text, for the text formats.
    std::optional<TextType> textType;
    // The entries of the open and the save dialog in their "description|patterns|" form,
    // translated when asked for; empty when the format is not read or not written.
    std::function<QString()> openEntry;
    std::function<QString()> saveEntry;
    // The extension the dialogs add to a name typed without one (empty: none).
    QString defaultSuffix;
    // The name the previous file gets when an export replaces it; empty when none is kept.
    std::function<QString(const QString &path)> backupName;
    // Standard CSV: UTF-8 or the code page is asked before a file is read or written.
    bool asksEncoding = false;
    // A file of several tables: the list the user chooses one from (messages shown on failure).
    std::function<std::optional<SqliteTables>(const QString &path, Prompter &prompter)> listTables;
    // The read steps of Import (a new database) and Append (records for the target); empty when
    // the format is not offered there.
    std::function<ImportPlan(const ImportSource &source, const Regional &regional)> readImport;
    std::function<ImportPlan(const ImportSource &source, const Database &target,
                             const Regional &regional)>
        readAppend;
    // Writes the shown records; questions, failures and notes go through the prompter.
    std::function<ExchangeResult(const QString &path, const Database &database, Prompter &prompter,
                                 const Regional &regional, CsvEncoding encoding)>
        write;

    bool offeredFor(ExchangeUse use) const;
};

// Every format, in the order the dialogs list them.
const QList<ExchangeFormat> &exchangeFormats();
// The formats a dialog offers, in its order: its filter index counts them from 1.
QList<const ExchangeFormat *> exchangeFormats(ExchangeUse use);
// The dialog's filter text: the entries of its formats.
QString exchangeFilterText(ExchangeUse use);
// The format of a filter index of the dialog, or none.
const ExchangeFormat *exchangeFormatAt(ExchangeUse use, int filterIndex);
// The dialog's filter index of the format; 0 when it does not offer it.
int exchangeFilterIndex(ExchangeUse use, const ExchangeFormat &format);
// The format of a --type name (any letter case), or none.
const ExchangeFormat *exchangeFormatNamed(const QString &id);
// Comma text: what the dialogs first offer and --type means when not given.
const ExchangeFormat &defaultExchangeFormat();

} // namespace kribed
